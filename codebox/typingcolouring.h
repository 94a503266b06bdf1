#pragma once

#include <QtGlobal>

namespace quorbel {

class CodeColouring;
class RichTextBox;
struct CodeBoxShared;

// The colouring that follows the user through one code box: a line is
// coloured when the caret leaves it (Enter, Up, Down, a click on another
// line), and the line being edited is set back to the plain text colour once
// when the next ordinary key is released. Holds the box's typing state:
// current and last line (1-based, 0 at first) and the dirty flag.
class TypingColouring {
public:
    TypingColouring(const CodeBoxShared &shared, const CodeColouring &colouring);

    // The reaction to a released key, KeyCode a virtual-key code; nothing
    // when automatic colouring is off. 13 Enter colours the line just ended
    // and sets the caret's line plain; 38 Up colours the line below the
    // caret, 40 Down the line above; 37 and 39 do nothing; any other key sets
    // the caret's line plain when a line was coloured by leaving it since.
    void autoColor(RichTextBox &rtb, qint16 keyCode);
    // The reaction to a released mouse button, automatic colouring on or
    // off: when the caret is on another line than the last one visited, that
    // line is coloured (the first time: the caret's line).
    void mouseUp(RichTextBox &rtb);

    qint32 currentLine() const { return m_currentLine; }
    qint32 lastLine() const { return m_lastLine; }
    bool dirty() const { return m_dirty; }

private:
    const CodeBoxShared &m_shared;
    const CodeColouring &m_colouring;
    qint32 m_currentLine = 0;
    qint32 m_lastLine = 0;
    bool m_dirty = false;
};

} // namespace quorbel
