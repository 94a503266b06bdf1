#pragma once

#include <QList>
#include <QStringView>

namespace quorbel {

// The colours whole-text colouring gives to parts of a line.
enum class CodeColour { Comment, KeyWord, IdWord };

// One part of a line that whole-text colouring colours: where it starts in
// the line (0-based), its length and its colour. A keyword's range is
// re-cased to the keyword list's form (see keyWordListForm) before it is
// coloured.
struct ColouredRange {
    qsizetype position = 0;
    qsizetype length = 0;
    CodeColour colour = CodeColour::IdWord;

    friend bool operator==(const ColouredRange &, const ColouredRange &) = default;
};

// The parts of line (its text without the line break) that whole-text
// colouring colours, in the order it colours them, into ranges (emptied
// first): the comment, from the apostrophe to the end of the line, then the
// words of the code before it (see scanCodeWords). On the last line of a
// text (lastLine: no line break after it) only the comment.
void colouredRanges(QStringView line, bool lastLine, QList<ColouredRange> &ranges);

} // namespace quorbel
