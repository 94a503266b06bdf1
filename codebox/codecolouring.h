#pragma once

#include "codebox/rtf.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <vector>

namespace zentrim {
class ProBar;
}

namespace quorbel {

class RichTextBox;
struct CodeBoxShared;

// What lineInfo measures; the values are the measurement numbers.
enum class LineInfoKind {
    LineCount = 0,  // number of lines, at least 1
    CaretLine = 2,  // line of the caret, 1-based
    LineStart = 7,  // first character of line n, 1-based; 0 when the line does not exist;
                    // n = 0 asks for the caret's line
    LineLength = 9, // length of line n without its line break; negative for the last line,
                    // which has no line break after it
};

// One measurement of the box's lines (line is 1-based, used by LineStart and
// LineLength only).
qint32 lineInfo(const RichTextBox &rtb, LineInfoKind kind, qint32 line = 0);

// The text of line (1-based) with its own line break, read by selecting it:
// the selection is left on the line. A line of 0 is the caret's line, and
// line then receives its number. A line that does not exist gives "".
QString lineText(RichTextBox &rtb, qint32 &line);

// The syntax colouring of the code box, line by line on a live rich text box
// through selections and the selection colour: comments in the comment
// colour, keywords in the keyword colour (re-cased to the keyword list's
// form), other words in the identifier colour; everything else keeps its
// colour. Colours come from the shared code box values at the time of each
// call. Every change made here is a programmatic edit of the box (it joins
// the user's last undo step).
class CodeColouring {
public:
    // progress is the code box's own bar, shown while a whole text is
    // coloured, whichever box is coloured.
    CodeColouring(const CodeBoxShared &shared, zentrim::ProBar &progress);

    // Colours line lineNumber (1-based; 0 is the caret's line, and
    // lineNumber then receives its number). With interactive set, the
    // caret is put back afterwards (clearing any selection), drawing is
    // suspended meanwhile, and the last line gets a line break appended
    // when it holds more than two characters, so that it can be measured.
    // A line beyond the last colours nothing. On the last line without a
    // line break after it only a comment is coloured, from its apostrophe to
    // the end of the line.
    void colorLine(RichTextBox &rtb, qint32 &lineNumber, bool interactive) const;
    // Colours length characters from start (0-based) in colour. When word is
    // a keyword and the range holds it in another letter case, the range is
    // first re-cased to the list's form ("dim" becomes "Dim"); the text's
    // length never changes. Nothing happens for an empty or negative range.
    void colorRange(RichTextBox &rtb, qint32 start, qint32 length, qint32 colour, QStringView word) const;
    // The whole text in the text colour; the caret is put back.
    void unColorAll(RichTextBox &rtb) const;
    // Line line (1-based) and the first character of its line break in the
    // text colour (the last line up to the end of the text); the caret is put
    // back (which clears a selection). A line beyond the last changes no colour.
    void unColorLine(RichTextBox &rtb, qint32 line) const;
    // Whole-text colouring: hourglass pointer and suspended drawing on rtb,
    // everything plain first, a line break appended when the last line holds
    // more than three characters, then every line coloured in order with the
    // progress bar shown (Max the line count, Value the lines done). The
    // bar, the caret, drawing and the pointer are put back at the end, also
    // when an error interrupts the colouring.
    void colorAll(RichTextBox &rtb) const;
    // The runs of text as a paste inserts them (see pasteRuns), in the
    // colours of the time of the call: what colorAll leaves in a box of its
    // own holding text and a line break after it, without that box. The
    // progress bar is shown as colorAll shows it for that box.
    std::vector<RtfRun> colourPaste(const QString &text) const;

private:
    const CodeBoxShared &m_shared;
    zentrim::ProBar &m_progress;
};

} // namespace quorbel
