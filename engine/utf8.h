#pragma once

#include <string_view>

namespace quorbel {

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Whether text holds a byte outside ASCII.
bool hasNonAscii(std::string_view text);

// bytes without a leading UTF-8 byte order mark.
std::string_view withoutByteOrderMark(std::string_view bytes);

} // namespace quorbel
