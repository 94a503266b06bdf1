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
// (LF, lone CR) become CR LF. Decoding uses the code pages (codepage.h), the
// encoding detection (encodingdetection.h) and the line breaks
// (linebreaks.h); withoutByteOrderMark (utf8.h) drops the same mark.
SourceText decodeSource(std::string_view bytes, std::string_view encoding = {});
// The same, taking over the bytes' storage: valid UTF-8 that already has
// CR LF line breaks is not copied at all.
SourceText decodeSource(std::string &&bytes, std::string_view encoding = {});
inline SourceText decodeSource(const char *bytes, std::string_view encoding = {})
{
    return decodeSource(std::string_view(bytes), encoding);
}

} // namespace quorbel
