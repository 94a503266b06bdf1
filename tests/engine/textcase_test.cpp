#include "engine/asciicase.h"
#include "engine/elapsedtime.h"

#include <gtest/gtest.h>

#include <string>

namespace quorbel {
namespace {

TEST(AsciiCase, FoldsOnlyTheAsciiLetters)
{
    // Every byte value: only A to Z and a to z change, and only to each other.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char lower = b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : c;
        const char upper = b >= 'a' && b <= 'z' ? static_cast<char>(b - 32) : c;
        EXPECT_EQ(asciiLower(c), lower) << b;
        EXPECT_EQ(asciiUpper(c), upper) << b;
    }
    EXPECT_EQ(foldAsciiCase("Text    SyntaxColor @[`{ \xC3\x9C"), "text    syntaxcolor @[`{ \xC3\x9C");
    EXPECT_EQ(upperAsciiCase("windows-1252 \xC3\xBC"), "WINDOWS-1252 \xC3\xBC");
    EXPECT_EQ(foldAsciiCase(""), "");
}

TEST(AsciiCase, ComparesWithoutRegardToLetterCase)
{
    EXPECT_TRUE(equalsAsciiCaseBlind("GoTo", "gOtO"));
    EXPECT_TRUE(equalsAsciiCaseBlind("", ""));
    EXPECT_FALSE(equalsAsciiCaseBlind("goto", "got"));
    // '@' and '`' differ from 'A' and 'a' by 0x20 too, but are no letters.
    EXPECT_FALSE(equalsAsciiCaseBlind("@", "`"));
    EXPECT_FALSE(equalsAsciiCaseBlind("[", "{"));
    EXPECT_FALSE(equalsAsciiCaseBlind("\xC3\x9C", "\xC3\xBC")); // U+00DC and U+00FC: not ASCII
    EXPECT_TRUE(startsWithAsciiCaseBlind("Attribute VB_Name", "attribute"));
    EXPECT_FALSE(startsWithAsciiCaseBlind("Attrib", "attribute"));
    EXPECT_TRUE(startsWithAsciiCaseBlind("x", ""));
}

TEST(ElapsedTime, CountsFromStartToEndAcrossMidnight)
{
    EXPECT_EQ(elapsedSeconds(0.0, 0.0), 0.0);
    EXPECT_EQ(elapsedSeconds(45000.5, 45000.5), 0.0);
    EXPECT_EQ(elapsedSeconds(86399.99, 86399.99), 0.0);
    EXPECT_DOUBLE_EQ(elapsedSeconds(100.0, 102.25), 2.25);
    // Started 1.5 seconds before midnight, ended 0.5 seconds after it.
    EXPECT_DOUBLE_EQ(elapsedSeconds(86398.5, 0.5), 2.0);
    EXPECT_DOUBLE_EQ(elapsedSeconds(86399.0, 0.0), 1.0);
}

} // namespace
} // namespace quorbel
