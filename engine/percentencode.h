#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// value with every byte percent-encoded (upper-case hex) except letters,
// digits, "-._~" and the characters of alsoKeep. Used for file names in page
// addresses and for the values of mailto: addresses.
std::string percentEncode(std::string_view value, std::string_view alsoKeep = {});

} // namespace quorbel
