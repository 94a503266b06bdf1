#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// A source text as the engine takes it: UTF-8 with CR LF line breaks, and
// the encoding it was read from.
struct SourceText {
    std::string text;
    std::string encoding; // "UTF-8", or the iconv name converted from
};

// Decodes the bytes of a source file. With an encoding name (an iconv name)
// the bytes are converted from it and a byte that is not valid in it raises
// ConversionError, as does an unknown name. Without one, valid UTF-8 stays
// (a leading byte order mark is dropped); anything else is detected and
// converted, and read as Windows-1252 when detection is unsure or the
// detected encoding does not fit, so that every byte converts. Line breaks
// (LF, lone CR) become CR LF.
SourceText decodeSource(std::string_view bytes, std::string_view encoding = {});
// The same, taking over the bytes' storage: valid UTF-8 that already has
// CR LF line breaks is not copied at all.
SourceText decodeSource(std::string &&bytes, std::string_view encoding = {});
inline SourceText decodeSource(const char *bytes, std::string_view encoding = {})
{
    return decodeSource(std::string_view(bytes), encoding);
}

// bytes without a leading UTF-8 byte order mark, as decodeSource drops it.
std::string_view withoutByteOrderMark(std::string_view bytes);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);
// Windows-1252 to UTF-8; the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
std::string windows1252ToUtf8(std::string_view bytes);
// LF and lone CR become CR LF; CR LF stays.
std::string normaliseLineBreaks(std::string_view text);
// The same in place: the bytes move once, from the back, and only when a
// break must grow; text already in CR LF is only read.
void normaliseLineBreaksInPlace(std::string &text);
// Whether text holds a byte outside ASCII.
bool hasNonAscii(std::string_view text);

} // namespace quorbel
