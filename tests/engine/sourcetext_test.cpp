#include "engine/codepage.h"
#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/linebreaks.h"
#include "engine/modulename.h"
#include "engine/sourcetext.h"
#include "engine/utf8.h"
#include "tests/support/corpusfiles.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

std::string corpusFile(const std::string &relative)
{
    return readFileBytes(std::string(QUORBEL_CORPUS_DIR) + "/" + relative);
}

TEST(SourceText, Utf8ValidityFollowsTheStandard)
{
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("Caf\xC3\xA9 \xE9\x80\x9F \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("Caf\xE9"));          // Windows-1252 é
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));     // overlong, three bytes
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE9\x80"));         // cut off
    EXPECT_FALSE(isValidUtf8("\x82\xA0"));         // Shift-JIS あ
}

TEST(SourceText, NonAsciiFoundWhereverItStands)
{
    // Texts looked at in chunks of 4 KB and a tail: one byte of 0x80 or
    // above at the edges of each.
    for (const std::size_t size : {std::size_t{0}, std::size_t{15}, std::size_t{4095}, std::size_t{4096},
                                   std::size_t{4097}, std::size_t{8192 + 17}}) {
        std::string text(size, 'a');
        EXPECT_FALSE(hasNonAscii(text)) << size;
        for (const std::size_t at :
             {std::size_t{0}, std::size_t{15}, std::size_t{16}, std::size_t{4095}, std::size_t{4096}, size - 1}) {
            if (at >= size)
                continue;
            text[at] = '\xE9';
            EXPECT_TRUE(hasNonAscii(text)) << size << " " << at;
            text[at] = '\x7F';
            EXPECT_FALSE(hasNonAscii(text)) << size << " " << at;
            text[at] = 'a';
        }
    }
}

TEST(SourceText, LineBreaksBecomeCrLf)
{
    EXPECT_EQ(normaliseLineBreaks("a\nb\r\nc\rd\r\r\ne\n"), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    EXPECT_EQ(normaliseLineBreaks("\r"), "\r\n");
    EXPECT_EQ(normaliseLineBreaks("no break"), "no break");
    EXPECT_EQ(decodeSource("x\ny").text, "x\r\ny");
}

TEST(SourceText, Windows1252ConvertsEveryByte)
{
    EXPECT_EQ(windows1252ToUtf8("\x80\x83\x9F\xE9\xFF"), "\xE2\x82\xAC\xC6\x92\xC5\xB8\xC3\xA9\xC3\xBF");
    // The five holes of the code page become C1 controls of the same number.
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string converted = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(converted));
    // One character per byte: count the characters (bytes that do not continue one).
    std::size_t characters = 0;
    for (char c : converted)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    EXPECT_EQ(characters, 256u);
}

TEST(SourceText, ExplicitEncodingWins)
{
    // Valid UTF-8 read as Windows-1252 on request.
    EXPECT_EQ(decodeSource("\xC3\xA9", "windows-1252").text, "\xC3\x83\xC2\xA9");
    EXPECT_EQ(decodeSource("\xC4\xE0", "CP1251").text, "\xD0\x94\xD0\xB0"); // "Да"
    EXPECT_EQ(decodeSource("\xC4\xE0", "CP1251").encoding, "CP1251");
    EXPECT_THROW(decodeSource("x", "NO-SUCH-ENCODING"), ConversionError);
    try {
        decodeSource("ab\xFF", "UTF-8");
        FAIL() << "invalid UTF-8 accepted";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "not valid UTF-8 at byte 2");
    }
    EXPECT_EQ(decodeSource("\xEF\xBB\xBFx").text, "x"); // byte order mark dropped
}

TEST(SourceText, RealFilesInTheirCodePagesBecomeTheirCharacters)
{
    QUORBEL_SKIP_WITHOUT_CORPUS();
    // Portuguese, Windows-1252 (reported as ISO-8859-1 by the detector).
    const SourceText portuguese =
        decodeSource(corpusFile("alessandro-fukuta__VisualBasic6---Projeto-Contabilidade/LOCAL_PRIVILEGIOS.bas"));
    EXPECT_EQ(portuguese.encoding, "WINDOWS-1252");
    EXPECT_TRUE(portuguese.text.starts_with("Attribute VB_Name = \"Privil\xC3\xA9gios\"\r\n"));
    EXPECT_NE(portuguese.text.find("'<Vazio> ---> Todos Usu\xC3\xA1rios\r\n"), std::string::npos);

    // Windows-1252 with the "ƒ" of 0x83, which ISO-8859-1 lacks.
    const SourceText western = decodeSource(
        corpusFile("appsbychris__VB6-Applications/depthsofdespair/Depths Of Despair MUD/Server/modDatabase.bas"));
    EXPECT_NE(western.text.find("uJunkIt(\";\xC3\x83pd\xC2\xA6wb>wd\xC2\xA5\xC6\x92La=6K"), std::string::npos);

    // Russian, Windows-1251.
    const SourceText russian = decodeSource(corpusFile("kas-cor__VisualBasic6/CallBack/Logi.frm"));
    EXPECT_EQ(russian.encoding, "WINDOWS-1251");
    EXPECT_NE(russian.text.find("Caption         =   \"\xD0\x9B\xD0\xBE\xD0\xB3\xD0\xB8\"\r\n"),
              std::string::npos); // Логи
    EXPECT_NE(russian.text.find("\"\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C\""),
              std::string::npos); // Закрыть

    // Japanese, Shift-JIS, half-width katakana included.
    const SourceText japanese = decodeSource(corpusFile("akinomyoga__vb6programs/src/\xE9\x87\x8D\xE5\x8A\x9B"
                                                        "2.frm"));
    EXPECT_EQ(japanese.encoding, "CP932");
    EXPECT_NE(japanese.text.find("BorderStyle     =   0  '\xE3\x81\xAA\xE3\x81\x97\r\n"), std::string::npos); // なし
    EXPECT_NE(japanese.text.find("'\xEF\xBE\x95\xEF\xBD\xB0\xEF\xBD\xBB\xEF\xBE\x9E\xEF\xBD\xB0\r\n"),
              std::string::npos);                                                     // ﾕｰｻﾞｰ
    EXPECT_NE(japanese.text.find("\"\xE9\x80\x9F\xE3\x81\x95\""), std::string::npos); // 速さ

    // Undetectable bytes (an obfuscated string with the code page's holes):
    // read as Windows-1252, every byte kept.
    const std::string scrambledBytes =
        corpusFile("appsbychris__VB6-Applications/depthsofdespair/Depths Of Despair MUD/Server/modSec.bas");
    const SourceText scrambled = decodeSource(scrambledBytes);
    EXPECT_EQ(scrambled.encoding, "WINDOWS-1252");
    EXPECT_EQ(scrambled.text, normaliseLineBreaks(windows1252ToUtf8(scrambledBytes)));
    EXPECT_NE(scrambled.text.find("\xC2\x8D"), std::string::npos);

    for (const SourceText *decoded : {&portuguese, &western, &russian, &japanese, &scrambled}) {
        EXPECT_TRUE(isValidUtf8(decoded->text));
        EXPECT_EQ(decoded->text, normaliseLineBreaks(decoded->text));
    }
}

TEST(ModuleName, ReadsTheVbNameAttribute)
{
    EXPECT_EQ(moduleName("Attribute VB_Name = \"Inventory\"\r\nOption Explicit\r\n"), "Inventory");
    EXPECT_EQ(moduleName("VERSION 5.00\r\nBegin VB.Form Form1\r\nEnd\r\nattribute vb_name=\"Form1\"\r\n"), "Form1");
    EXPECT_EQ(moduleName("  Attribute  VB_Name  =  \"A b<c>\""), "A b<c>");
    EXPECT_EQ(moduleName("Attribute VB_Name = \"open"), std::nullopt);
    EXPECT_EQ(moduleName("Attribute VB_Description = \"x\"\r\n' Attribute VB_Name = \"y\""), std::nullopt);
    EXPECT_EQ(moduleName(""), std::nullopt);
}

} // namespace
} // namespace quorbel
