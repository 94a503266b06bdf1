#pragma once

#include "engine/textcontrol.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// A multi-line text control held in memory, without a window: the converter's
// hidden plain text box (txtSource2) that the colouriser reads line by line.
//
// Positions are bytes of UTF-8 and are limited to int (a text longer than
// INT_MAX bytes is refused with std::length_error). Only CR LF ends a line; a
// lone CR or a lone LF is an ordinary character of its line, as in the
// platform's multi-line edit control. Text is normalised to CR LF before it
// gets here, so they only occur in text that bypassed the normalisation.
//
// The start of every line is kept in a table: addressing a line costs
// constant time, so reading every line of a text in turn costs time linear
// in its length. The caret is the start of the selection.
class PlainTextBox : public TextControl {
public:
    PlainTextBox();
    explicit PlainTextBox(std::string_view text);
    explicit PlainTextBox(const char *text) : PlainTextBox(std::string_view(text)) {}
    // Takes over the text's storage instead of copying it.
    explicit PlainTextBox(std::string &&text);

    // Replacing the whole text puts the caret at 0 with nothing selected.
    std::string text() const override;
    void setText(std::string_view text) override;
    std::string selText() const override;
    void readSelText(std::string &out) const override;
    void setSelText(std::string_view text) override;
    // Positions are clamped to the text.
    int selStart() const override;
    void setSelStart(int position) override;
    int selLength() const override;
    void setSelLength(int length) override;

    int lineCount() const override;
    int lineIndex(int line) const override;
    // An index past the end of the text gives the last line; any negative
    // index asks for the caret's line.
    int lineFromChar(int index) const override;
    // A negative start clears the selection and leaves the caret where it
    // is; a negative end means the end of the text; start after end is
    // swapped; both are clamped to the text.
    void setSel(int start, int end) override;
    bool isEmpty() const override;
    // Appends in place and indexes only the new lines.
    void appendText(std::string_view text) override;
    void selectLine(int line, std::string &out) override;

private:
    void indexLines(std::size_t from = 0);
    int length() const;
    int clamp(int position) const;

    std::string m_text;
    std::vector<int> m_lineStarts; // index of each line's first byte; never empty
    int m_selStart = 0;
    int m_selLength = 0;
};

} // namespace quorbel
