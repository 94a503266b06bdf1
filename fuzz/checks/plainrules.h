#pragma once

#include <string>

namespace quorbel::fuzz {

// The string blanking of the colouriser written as plainly as its rule reads:
// 1-based positions, both searches repeated from every position. Slow; the
// reference that the fast blanking is checked against.
std::string plainCodeOnly(std::string line);

} // namespace quorbel::fuzz
