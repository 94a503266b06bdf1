#pragma once

#include "codebox/codeboxshared.h"
#include "codebox/richtextbox.h"

#include <QString>
#include <QTextBlock>
#include <QTextDocument>

namespace quorbel::testing {

// The colour value (red in the low byte) of a colour.
inline qint32 colourValue(const QColor &colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

// One letter per character of line (1-based) as the box shows it: "t" text
// colour, "c" comment, "k" keyword, "i" identifier, "?" anything else.
// Read from the document the box draws, not through its selection.
inline QString colourMap(const RichTextBox &box, const CodeBoxShared &shared, int line)
{
    const QTextBlock block = box.document()->findBlockByNumber(line - 1);
    QString map;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const qint32 value = colourValue(fragment.charFormat().foreground().color());
        const QChar letter = value == shared.Color_Text       ? u't'
                             : value == shared.Color_Comment  ? u'c'
                             : value == shared.Color_KeyWords ? u'k'
                             : value == shared.Color_IDWords  ? u'i'
                                                              : u'?';
        map += QString(fragment.length(), letter);
    }
    return map;
}

} // namespace quorbel::testing
