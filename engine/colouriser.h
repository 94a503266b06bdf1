#pragma once

#include "engine/colouriserstate.h"
#include "engine/progress.h"
#include "engine/settingkeys.h"
#include "engine/wordhtml.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class HtmlBuffer;
class MessageBoxes;
class TextControl;

// Default colour strings of the code block: the page's colour settings.
inline constexpr std::string_view kDefaultTextColour = keys::defaultFor(keys::HTMLCommentTextColor, keys::Reader::Page);
inline constexpr std::string_view kDefaultKeyColour = keys::defaultFor(keys::HTMLCommentKeyColor, keys::Reader::Page);
inline constexpr std::string_view kDefaultIdColour = keys::defaultFor(keys::HTMLCommentIDColor, keys::Reader::Page);
inline constexpr std::string_view kDefaultCommentColour =
    keys::defaultFor(keys::HTMLCommentCommentColor, keys::Reader::Page);

// The tags of a line's colours, built once per conversion. The colour
// strings are taken as they are (no defaults).
struct LineColours {
    LineColours(std::string_view key, std::string_view id, std::string_view comment)
        : words(key, id), commentTag(fontTag(comment))
    {
    }
    WordColours words;
    std::string commentTag;
};

// The line colours of a code block: empty colours take their defaults.
LineColours blockColours(std::string_view keyColour, std::string_view idColour, std::string_view commentColour);
// The code block's opening (the PRE, the caption line and the FONT of the
// text colour; an empty colour takes its default) and its end. The lines
// stand between them.
std::string blockHead(std::string_view textColour);
inline constexpr std::string_view kBlockFoot = "</Font>\r\n</PRE>";

// Turns VB6 source lines into the coloured HTML code block.
class Colouriser {
public:
    Colouriser(ColouriserState &state, MessageBoxes &messages);

    // Quorbel_OBJ tells hook how far it has got every kProgressLines lines
    // and at the end; when the hook says stop, Quorbel_OBJ throws
    // ConversionStopped (no error message). No hook by default.
    void setProgress(ProgressHook hook) { m_progress = std::move(hook); }
    static constexpr int kProgressLines = 4096;
    // Room that appendSourceLines adds to its text and reads, never takes:
    // a text with this much room to spare (and one byte) is not moved.
    static constexpr std::size_t kReadAhead = 16;

    // The whole code block of source: every line coloured, with the PRE
    // wrapper. Starts a conversion: clears the counters and the comment
    // continuation. Empty colours take their defaults. Reads the source line
    // by line through its selection; afterwards the last line is selected.
    // On an error in the source it shows "Error occured within Quorbel_OBJ"
    // and returns the lines converted so far, without the wrapper.
    std::string Quorbel_OBJ(TextControl &source, std::string_view textColour, std::string_view keyColour,
                            std::string_view idColour, std::string_view commentColour);
    // The HTML of one line (with its CR LF), anchor and rule line included.
    // line is the line with its line break; it is left prepared (line break
    // replaced by one blank). A line without a trailing CR LF (the last line
    // of a text that does not end with one) keeps all its characters. An
    // empty line gives an empty string and changes no state.
    std::string line2html(std::string &line, std::string_view keyColour, std::string_view idColour,
                          std::string_view commentColour);
    // Appends the HTML of the lines of a piece of source text whose line
    // breaks may be CR LF, LF or a lone CR to out, as Quorbel_OBJ writes the
    // lines of the text with its breaks made CR LF. Goes on from the current
    // state (the comment continuation, the counters). text is worked on in place
    // (each break's first byte becomes a blank), not copied. After the last
    // break, a line is only written when the piece is the last of its text:
    // the line that the CR LF appended by a conversion ends, even an empty
    // one. Returns the number of lines written.
    int appendSourceLines(std::string &text, bool last, const LineColours &colours, HtmlBuffer &out);
    // Records the names that the lines of text declare, as
    // appendSourceLines would for the text with every break (CR LF, LF, lone CR) made CR LF,
    // without colouring them.
    void recordNames(std::string_view text);
    // Text of line lineNumber (1-based) with its line break; 0 means the
    // caret's line and lineNumber receives that line's number. Empty for a
    // line that does not exist. Selects the line in source.
    std::string GetLineText(TextControl &source, int &lineNumber);
    // A copy of line with the inside of string literals blanked.
    std::string GetCodeOnly(std::string_view line);
    // Whether line declares a Function (a Sub); records the name.
    bool FunctionExists(std::string line);
    bool SubExists(std::string line);
    // Whether word stands in the converter's keyword list (any case).
    bool IsKeyWord(std::string_view word);

private:
    // line2html appending to out; on an error the line is dropped from out.
    void appendLine(std::string &line, const LineColours &colours, HtmlBuffer &out);
    // The same for a prepared line (its break replaced by one blank).
    void appendPrepared(std::string_view line, const LineColours &colours, HtmlBuffer &out);
    // The same when readAhead tells that the 15 bytes after line may be
    // read (their values change nothing).
    void appendPrepared(std::string_view line, bool readAhead, const LineColours &colours, HtmlBuffer &out);
    // The line with its literals blanked (line itself when it has none).
    std::string_view codeOnlyOf(std::string_view line);
    // GetLineText into out; on an error out is empty.
    void readLine(TextControl &source, int &lineNumber, std::string &out);
    void showError(const std::string &text);

    ColouriserState &m_state;
    MessageBoxes &m_messages;
    std::string m_codeOnly; // reused from line to line
    ProgressHook m_progress;
};

} // namespace quorbel
