#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel::fuzz {

// What a browser shows of HTML written by the colouriser: tags dropped,
// "&lt;" and "&amp;" restored. A raw "&" (never written) shows as "<raw &>"
// so that it cannot be mistaken for source text.
std::string visibleText(std::string_view html);

// The pieces of text that end at a CR LF, each without it, and the rest.
std::vector<std::string_view> splitAtCrLf(std::string_view text);

} // namespace quorbel::fuzz
