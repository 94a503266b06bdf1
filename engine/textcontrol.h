#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// A multi-line text control as the colouriser and the code box use it: the
// whole text, a selection, and the line-addressing edit messages.
//
// Positions are 0-based indexes in the control's own character units (a byte
// of UTF-8 in PlainTextBox, a UTF-16 unit in the rich text box); a line break
// is CR LF and counts as two characters whatever the control stores. Lines
// are 0-based here; they are hard lines (nothing wraps). A text that ends with
// a line break has one more, empty, line after it; an empty control has one
// line.
class TextControl {
public:
    virtual ~TextControl() = default;

    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
    // The selected text; setting it replaces the selection and leaves the
    // caret after the inserted text.
    virtual std::string selText() const = 0;
    // The selected text into out, reusing its storage: a reader that takes
    // many selections in turn (the colouriser, line by line) allocates once.
    virtual void readSelText(std::string &out) const { out = selText(); }
    virtual void setSelText(std::string_view text) = 0;
    // Caret position; setting it clears the selection.
    virtual int selStart() const = 0;
    virtual void setSelStart(int position) = 0;
    virtual int selLength() const = 0;
    virtual void setSelLength(int length) = 0;

    // Number of lines, at least 1.
    virtual int lineCount() const = 0;
    // Index of the first character of line (0-based); -1 asks for the caret's
    // line. -1 when the line does not exist.
    virtual int lineIndex(int line) const = 0;
    // 0-based line holding the character at index; -1 asks for the caret.
    virtual int lineFromChar(int index) const = 0;
    // Selects start up to, not including, end; end -1 selects to the end of
    // the text.
    virtual void setSel(int start, int end) = 0;
    // Whether the control holds no text.
    virtual bool isEmpty() const { return text().empty(); }
    // Appends text at the end; afterwards the caret is at 0 with nothing
    // selected, as after setText.
    virtual void appendText(std::string_view text) { setText(this->text() + std::string(text)); }
    // Selects line (0-based) with its line break and reads it into out:
    // setSel(lineIndex(line), lineIndex(line + 1)) and readSelText(out) in
    // one call, for a reader that goes through a whole text line by line.
    virtual void selectLine(int line, std::string &out)
    {
        setSel(lineIndex(line), lineIndex(line + 1));
        readSelText(out);
    }
};

} // namespace quorbel
