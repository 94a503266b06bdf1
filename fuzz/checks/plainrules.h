#pragma once

#include <string>
#include <string_view>

namespace quorbel::fuzz {

// The string blanking of the colouriser written as plainly as its rule reads:
// 1-based positions, both searches repeated from every position. Slow; the
// reference that the fast blanking is checked against.
std::string plainCodeOnly(std::string line);

// Line breaks made CR LF byte by byte: every LF and every lone CR becomes
// CR LF. The reference for the line-break mending done in place.
std::string plainCrLf(std::string_view text);

} // namespace quorbel::fuzz
