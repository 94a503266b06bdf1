#include "engine/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace quorbel {
namespace {

TEST(CodePage, UndefinedWindows1252BytesAsAsked)
{
    const std::string holes = "\x81\x8D\x8F\x90\x9D";
    EXPECT_EQ(windows1252ToUtf8(holes, UndefinedBytes::AsControls), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(windows1252ToUtf8(holes, UndefinedBytes::AsReplacement),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    // Defined bytes read the same either way.
    for (const auto undefined : {UndefinedBytes::AsControls, UndefinedBytes::AsReplacement})
        EXPECT_EQ(windows1252ToUtf8(std::string("a\x80\x9F\xA0\xFF\0", 6), undefined),
                  std::string("a\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF\0", 11));
}

TEST(CodePage, Windows1252BytesOfCharacters)
{
    // Every defined byte goes round; the holes stand for no character.
    for (int b = 1; b < 256; ++b) {
        const std::string utf8 = windows1252ToUtf8(std::string(1, static_cast<char>(b)));
        char32_t c = static_cast<unsigned char>(utf8[0]);
        if (utf8.size() == 2)
            c = (c & 0x1F) << 6 | (static_cast<unsigned char>(utf8[1]) & 0x3F);
        else if (utf8.size() == 3)
            c = (c & 0x0F) << 12 | (static_cast<unsigned char>(utf8[1]) & 0x3F) << 6 |
                (static_cast<unsigned char>(utf8[2]) & 0x3F);
        const bool hole = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(windows1252Byte(c), hole ? 0 : b) << b;
    }
    EXPECT_EQ(windows1252Byte(U'\u20AC'), 0x80);
    EXPECT_EQ(windows1252Byte(U'\u0410'), 0); // Cyrillic А
    EXPECT_EQ(windows1252Byte(U'\U0001F600'), 0);
    EXPECT_TRUE(isWindows1252Name("cp1252"));
    EXPECT_TRUE(isWindows1252Name("Windows-1252"));
    EXPECT_FALSE(isWindows1252Name("CP1251"));
    EXPECT_EQ(iconvNameOfCodePage(1251), "CP1251");
    EXPECT_EQ(iconvNameOfCodePage(10000), "MACINTOSH");
}

TEST(CodePage, ConversionStopsOrReplacesAtInvalidBytes)
{
    // Shift-JIS: あ, then 0x82 cut off at the end.
    const std::string cut = "\x82\xA0x\x82";
    ConvertedText stopped = convertToUtf8(cut, "CP932", InvalidBytes::Stop);
    EXPECT_TRUE(stopped.known);
    EXPECT_FALSE(stopped.ok);
    EXPECT_EQ(stopped.badOffset, 3u);
    EXPECT_EQ(stopped.text, "");
    ConvertedText replaced = convertToUtf8(cut, "CP932", InvalidBytes::Replace);
    EXPECT_TRUE(replaced.ok);
    EXPECT_EQ(replaced.text, "\xE3\x81\x82x\xEF\xBF\xBD");
    // An invalid byte in the middle is one replacement, and the rest goes on.
    EXPECT_EQ(convertToUtf8("a\xFF\xC4", "UTF-8", InvalidBytes::Replace).text, "a\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(convertToUtf8("\xC4\xE0", "CP1251", InvalidBytes::Stop).text, "\xD0\x94\xD0\xB0");
    // Long input grows the output as it goes.
    const std::string many(5000, '\xE0');
    ConvertedText grown = convertToUtf8(many, "CP1251", InvalidBytes::Replace);
    EXPECT_EQ(grown.text.size(), 10000u);
    const std::string bad(3000, '\xFF');
    EXPECT_EQ(convertToUtf8(bad, "UTF-8", InvalidBytes::Replace).text.size(), 9000u);
    EXPECT_TRUE(convertToUtf8("", "CP1251", InvalidBytes::Stop).ok);
    const ConvertedText unknown = convertToUtf8("x", "NO-SUCH-ENCODING", InvalidBytes::Replace);
    EXPECT_FALSE(unknown.known);
    EXPECT_FALSE(unknown.ok);
}

} // namespace
} // namespace quorbel
