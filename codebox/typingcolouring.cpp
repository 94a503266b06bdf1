#include "codebox/typingcolouring.h"

#include "codebox/codeboxshared.h"
#include "codebox/codecolouring.h"
#include "codebox/richtextbox.h"

namespace quorbel {

namespace {
constexpr qint16 kKeyEnter = 13;
constexpr qint16 kKeyLeft = 37;
constexpr qint16 kKeyUp = 38;
constexpr qint16 kKeyRight = 39;
constexpr qint16 kKeyDown = 40;
} // namespace

TypingColouring::TypingColouring(const CodeBoxShared &shared, const CodeColouring &colouring)
    : m_shared(shared), m_colouring(colouring)
{
}

void TypingColouring::autoColor(RichTextBox &rtb, qint16 keyCode)
{
    if (!m_shared.Color_Auto)
        return;
    // One programmatic edit for the whole reaction: one entry in the undo
    // history and at most one Change for the colouring and what it appends.
    RichTextBox::ProgrammaticEdit edit(rtb);
    m_currentLine = lineInfo(rtb, LineInfoKind::CaretLine);
    switch (keyCode) {
    case kKeyEnter: {
        m_dirty = true;
        qint32 ended = lineInfo(rtb, LineInfoKind::CaretLine) - 1;
        m_colouring.colorLine(rtb, ended, true);
        // Measured again: colouring the ended line may have appended a line
        // break at the end of the text.
        m_colouring.unColorLine(rtb, lineInfo(rtb, LineInfoKind::CaretLine));
        break;
    }
    case kKeyUp: {
        m_dirty = true;
        qint32 below = lineInfo(rtb, LineInfoKind::CaretLine) + 1;
        m_colouring.colorLine(rtb, below, true);
        break;
    }
    case kKeyDown: {
        m_dirty = true;
        qint32 above = lineInfo(rtb, LineInfoKind::CaretLine) - 1;
        m_colouring.colorLine(rtb, above, true);
        break;
    }
    case kKeyLeft:
    case kKeyRight:
        break;
    default:
        if (m_dirty) {
            m_colouring.unColorLine(rtb, lineInfo(rtb, LineInfoKind::CaretLine));
            m_dirty = false;
        }
        break;
    }
    m_lastLine = m_currentLine;
}

void TypingColouring::mouseUp(RichTextBox &rtb)
{
    m_currentLine = lineInfo(rtb, LineInfoKind::CaretLine);
    if (m_currentLine == m_lastLine)
        return;
    m_colouring.colorLine(rtb, m_lastLine, true);
    m_lastLine = m_currentLine;
    m_dirty = true;
}

} // namespace quorbel
