#pragma once

#include "engine/engineservices.h"

#include <span>
#include <string>
#include <string_view>

namespace quorbel {

struct PageState;

// Default colour of the comment block's title cell: light grey, written with
// zeros ("C0C0C0"), the form a browser reads as a colour.
inline constexpr std::string_view kDefaultTitleColour = "C0C0C0";

// The comment block at the top of a code page and the META tags of its head,
// made from the settings and the names of the current conversion.
class CommentBlock {
public:
    CommentBlock(const PageState &state, const EngineServices &services);

    // The comment block table with its line breaks, or the empty text when
    // the block is switched off. On an error shows "Error No  :
    // writeCommentHTML " and gives the empty text.
    std::string writeCommentHTML();
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
    std::string setting(std::string_view key, std::string_view def) const;
    std::string rows();
    // writeCodeHtml in place: the row is appended to block (on an error
    // block is emptied, as writeCodeHtml gives the empty text).
    void appendRow(std::string &block, std::string_view name, std::string_view value);
    std::string links(std::span<const std::string> names, std::string_view routine);

    const PageState &m_state;
    const EngineServices &m_services;
};

} // namespace quorbel
