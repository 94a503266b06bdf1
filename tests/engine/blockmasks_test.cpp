#include "engine/blockmasks.h"
#include "engine/bytescan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorbel {
namespace {

// The 16-byte block at every offset of text, with one byte more readable
// after it (letterBeforeBlank looks one byte ahead).
std::vector<std::string> blocksOf(const std::string &text)
{
    std::vector<std::string> blocks;
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::string block = text.substr(at, 17);
        block.resize(17, 'x');
        blocks.push_back(block);
    }
    return blocks;
}

// Texts of 0 to 40 bytes made of filler with needle at every position;
// fillers include bytes of 0x80 and above, which are negative as char.
std::vector<std::string> edgeTexts(std::string_view needle)
{
    std::vector<std::string> texts;
    for (const char filler : {'a', 'B', ' ', '\0', '\x80', '\xE2', '\xFF', '\xA0', '\xC2'}) {
        for (std::size_t size = 0; size <= 40; ++size) {
            texts.emplace_back(size, filler);
            for (std::size_t at = 0; at < size; ++at) {
                std::string text(size, filler);
                text.replace(at, std::min(needle.size(), size - at), needle.substr(0, size - at));
                texts.push_back(text);
            }
        }
    }
    return texts;
}

TEST(BlockMasks, ScalarAndFastestAgree)
{
    for (const std::string_view needle : {"\r", "\n", "\r\n", ".", "\"", ":", "\\", "b ", "N ", "sub ", "\xAE", "\x8D",
                                          "'(", "<*", "&", ")/-,", "Z[\\]^", "\x0C\x21#;"}) {
        for (const std::string &text : edgeTexts(needle)) {
            masks::LineScan fast;
            masks::scalar::LineScan plain;
            for (const std::string &block : blocksOf(text)) {
                for (unsigned count = 1; count < 16; ++count) {
                    masks::LineScan fastPart;
                    masks::scalar::LineScan plainPart;
                    EXPECT_EQ(fastPart.nextPart(block.data(), count), plainPart.nextPart(block.data(), count));
                    EXPECT_EQ(fastPart.paren(), plainPart.paren());
                    EXPECT_EQ(fastPart.escape(), plainPart.escape());
                    EXPECT_EQ(fastPart.starOrZero(), plainPart.starOrZero());
                }
                EXPECT_EQ(fast.next(block.data()), plain.next(block.data()));
                EXPECT_EQ(fast.paren(), plain.paren());
                EXPECT_EQ(fast.escape(), plain.escape());
                EXPECT_EQ(fast.starOrZero(), plain.starOrZero());
                EXPECT_EQ(masks::eitherByte(block.data(), '\r', '\n'),
                          masks::scalar::eitherByte(block.data(), '\r', '\n'));
                EXPECT_EQ(masks::eitherByte(block.data(), '\xAE', '\xAE'),
                          masks::scalar::eitherByte(block.data(), '\xAE', '\xAE'));
                EXPECT_EQ(masks::wordStops(block.data()), masks::scalar::wordStops(block.data()));
                EXPECT_EQ(masks::letterBeforeBlank(block.data()), masks::scalar::letterBeforeBlank(block.data()));
            }
        }
    }
}

TEST(BlockMasks, ScalarMasksMarkTheRightBytes)
{
    const std::string block = "Sub x(a.b) \"c\r\nB n\xC2\xA0";
    EXPECT_EQ(masks::scalar::eitherByte(block.data(), '\r', '\n'), (1u << 13) | (1u << 14));
    // . , ( ) blank / \ [ ] CR " : among the first 16 bytes.
    EXPECT_EQ(masks::scalar::wordStops(block.data()),
              (1u << 3) | (1u << 5) | (1u << 7) | (1u << 9) | (1u << 10) | (1u << 11) | (1u << 13));
    // "b" before a blank at 2 ("Sub "), "B" at 15 before the blank at 16.
    EXPECT_EQ(masks::scalar::letterBeforeBlank(block.data()), (1u << 2) | (1u << 15));
    // Bytes of 0x80 and above never match an ASCII byte.
    const std::string high(17, '\xAE');
    EXPECT_EQ(masks::scalar::wordStops(high.data()), 0u);
    EXPECT_EQ(masks::scalar::eitherByte(high.data(), '\xAE', 'x'), 0xFFFFu);
}

TEST(BlockMasks, ScanBytesVisitsEveryPositionUpToTheEnd)
{
    for (std::size_t size = 0; size <= 40; ++size) {
        for (std::size_t at = 0; at < size; ++at) {
            std::string text(size, '\xE9');
            text[at] = '\n';
            std::vector<std::size_t> found;
            scanBytes(text, '\r', '\n', [&](std::size_t i) {
                found.push_back(i);
                return true;
            });
            EXPECT_EQ(found, std::vector<std::size_t>{at}) << size << " " << at;
            EXPECT_EQ(findLineBreak(text, 0), at);
            EXPECT_EQ(findLineBreak(text, at + 1), size);
        }
    }
}

TEST(BlockMasks, OneLookAtALineTellsWhatSearchesWould)
{
    for (const std::string_view needle : {"\"", "'", "(", "<", "&", "*", "'\"", "\"(", "(<", "&'", "\xA7", "*<"}) {
        for (const std::string &text : edgeTexts(needle)) {
            // Looked at with the bytes after it read too: bytes that every
            // test finds, which must change nothing.
            const std::string followed = text + std::string("\"'(<&*\0\"'(<&*\0\"'", 16);
            for (const LineBytes &found :
                 {lookAt(text), lookAt(std::string_view(followed).substr(0, text.size()), true)}) {
                EXPECT_EQ(found.firstQuoteOrApostrophe, std::string_view(text).find_first_of("\"'")) << text;
                EXPECT_EQ(found.paren, text.find('(') != std::string::npos) << text;
                EXPECT_EQ(found.escape, text.find_first_of("<&") != std::string::npos) << text;
                EXPECT_EQ(found.starOrZero, text.find_first_of(std::string_view("*\0", 2)) != std::string::npos)
                    << text;
                EXPECT_EQ(needsEscaping(text), found.escape) << text;
            }
        }
    }
}

} // namespace
} // namespace quorbel
