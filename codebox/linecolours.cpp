#include "codebox/linecolours.h"

#include "codebox/linescan.h"

#include <QString>

namespace quorbel {

void colouredRanges(QStringView line, bool lastLine, QList<ColouredRange> &ranges)
{
    ranges.clear();
    QString masked = maskStrings(line);
    masked += u' ';
    const qsizetype apostrophe = masked.indexOf(u'\'');
    qsizetype scanEnd = lastLine ? 0 : line.size() + 1;
    if (apostrophe >= 0) {
        if (apostrophe < line.size())
            ranges.append({apostrophe, line.size() - apostrophe, CodeColour::Comment});
        scanEnd = apostrophe + 2;
    }
    // A word's characters are never blanked by maskStrings, so its range
    // reads the same in the line and in the masked copy.
    for (const CodeWord &word : scanCodeWords(masked, scanEnd))
        ranges.append({word.position, word.length, word.keyword ? CodeColour::KeyWord : CodeColour::IdWord});
}

} // namespace quorbel
