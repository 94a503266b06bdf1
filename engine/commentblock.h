#pragma once

#include "engine/engineservices.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

class SettingsStore;
struct PageState;

// The comment block at the top of a code page and the META tags of its head,
// made from the settings and the names of the current conversion.
// The number settings of the comment block and the META tags, checked
// before anything is written. checkMetaCounts throws ConversionError, naming
// the key and the value, for a count writeMetaTags would refuse.
// fontSizeError gives the ConversionError text of a font size that
// writeCommentHTML cannot use (the block is then left out), or the empty
// text when it can (or when the block is switched off).
void checkMetaCounts(const SettingsStore &settings);
std::string fontSizeError(const SettingsStore &settings);

class CommentBlock {
public:
    CommentBlock(const PageState &state, EngineServices services);

    // The comment block table with its line breaks, or the empty text when
    // the block is switched off. On an error shows "Error No  :
    // writeCommentHTML " and gives the empty text.
    std::string writeCommentHTML();
    // The same appended to out (nothing on an error, or when switched off).
    void appendCommentHTML(std::string &out);
    // block followed by one row: a name cell and a value cell. On an error
    // shows "Error No  :  writeCodeHtml" and gives the empty text.
    std::string writeCodeHtml(const std::string &block, std::string_view name, std::string_view value);
    // One link per name to its anchor, each with "<BR>" and CR LF; every
    // name, however many.
    std::string writeSubsHtml(std::span<const std::string> names);
    std::string writeFunctionsHtml(std::span<const std::string> names);
    // The META tags of both kinds, System first, each with CR LF. A count
    // that is not a whole number raises ConversionError.
    std::string writeMetaTags();

private:
    std::string setting(std::string_view key) const;
    // The rows of the table, appended to out.
    void appendRows(std::string &out);
    // writeCodeHtml in place: one row appended to out, its value written by
    // value. On an error out is cut back to rows, where the rows start, as
    // writeCodeHtml gives the empty text.
    void appendRow(std::string &out, std::size_t rows, std::string_view name,
                   const std::function<void(std::string &)> &value);
    // One link per name, appended to out; routine names the caller in the
    // error message.
    void appendLinks(std::string &out, std::span<const std::string> names, std::string_view routine);

    const PageState &m_state;
    // By value: a struct of references, so that a temporary handed in
    // does not leave a dangling reference.
    EngineServices m_services;
};

} // namespace quorbel
