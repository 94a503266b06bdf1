#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbel {

// What Windows-1252 makes of the five bytes it leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D). A source file keeps them as the control characters of
// the same number, so that every byte converts (obfuscated string constants
// hold them); text shown in the code box marks them as U+FFFD.
enum class UndefinedBytes { AsControls, AsReplacement };

// Windows-1252 to UTF-8, the undefined bytes as asked.
std::string windows1252ToUtf8(std::string_view bytes, UndefinedBytes undefined = UndefinedBytes::AsControls);

// The Windows-1252 byte of a Unicode character, or 0 when the code page has
// none (the undefined bytes stand for no character).
unsigned char windows1252Byte(char32_t c);

// Whether an encoding name is Windows-1252 ("WINDOWS-1252", "CP1252",
// "WINDOWS1252", any letter case).
bool isWindows1252Name(std::string_view name);
inline constexpr std::string_view kWindows1252 = "WINDOWS-1252";

// The iconv name of a Windows code page number (1251, 932, 10000, ...).
std::string iconvNameOfCodePage(int codePage);

// What a conversion does at a byte that is not valid in the encoding (or a
// sequence cut off at the end): stop there, or put U+FFFD for the byte and
// go on with the next one.
enum class InvalidBytes { Stop, Replace };

struct ConvertedText {
    bool known = false;        // the encoding name is one iconv knows
    bool ok = false;           // every byte converted
    std::size_t badOffset = 0; // with InvalidBytes::Stop: where conversion stopped
    std::string text;          // UTF-8; empty when it stopped
};

// Converts bytes from the named encoding to UTF-8 through iconv.
ConvertedText convertToUtf8(std::string_view bytes, const std::string &from, InvalidBytes invalid);

} // namespace quorbel
