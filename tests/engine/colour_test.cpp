#include "engine/colour.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

using namespace quorbel;
using quorbel::testing::RecordingMessageBoxes;

namespace {

void expectRangeMessages(const RecordingMessageBoxes &messages, std::size_t count)
{
    ASSERT_EQ(messages.calls.size(), count);
    for (const auto &call : messages.calls) {
        EXPECT_EQ(call.text, "The RGBcolor value must be between 0 and 16777215");
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, Icon::Critical);
        EXPECT_EQ(call.buttons, Buttons::Ok);
    }
}

} // namespace

TEST(Colour, ConvertsBetweenValueAndStringRedFirst)
{
    RecordingMessageBoxes messages;
    EXPECT_EQ(rgbToHex(0, messages), "000000");
    EXPECT_EQ(rgbToHex(16777215, messages), "FFFFFF");
    EXPECT_EQ(rgbToHex(255, messages), "FF0000");
    EXPECT_EQ(rgbToHex(1, messages), "010000");
    EXPECT_EQ(rgbToHex(65536, messages), "000001");
    EXPECT_EQ(rgbToHex(9307165, messages), "1D048E");
    EXPECT_EQ(hexToRGB("378C13"), 1281079);
    EXPECT_EQ(hexToRGB("1D048E"), 9307165);
    EXPECT_EQ(hexToRGB("FFFFFF"), 16777215);
    EXPECT_EQ(hexToRGB("000000"), 0);
    EXPECT_EQ(rgbComponent(9307165, 0, messages), 29);
    EXPECT_EQ(rgbComponent(9307165, 1, messages), 4);
    EXPECT_EQ(rgbComponent(9307165, 2, messages), 142);
    EXPECT_TRUE(messages.calls.empty());
}

TEST(Colour, OutOfRangeValueShowsRangeMessageOncePerComponent)
{
    for (std::int32_t value :
         {-1, 16777216, std::numeric_limits<std::int32_t>::min(), static_cast<std::int32_t>(0x8000000F)}) {
        SCOPED_TRACE(value);
        RecordingMessageBoxes messages;
        EXPECT_EQ(rgbToHex(value, messages), "000000");
        expectRangeMessages(messages, 3);
    }

    RecordingMessageBoxes messages;
    EXPECT_EQ(rgbComponent(-1, 2, messages), 0);
    // The value is checked before the index.
    EXPECT_EQ(rgbComponent(16777216, 7, messages), 0);
    expectRangeMessages(messages, 2);
}

TEST(Colour, ComponentIndexOutsideZeroToTwoIsAnError)
{
    RecordingMessageBoxes messages;
    EXPECT_THROW(rgbComponent(100, 3, messages), std::out_of_range);
    EXPECT_THROW(rgbComponent(100, -1, messages), std::out_of_range);
    EXPECT_TRUE(messages.calls.empty());
}

TEST(Colour, TextThatIsNotSixUpperCaseDigitsFollowsTheDocumentedRules)
{
    // The comment block's stored default has the letter O: each O counts as A.
    EXPECT_EQ(hexToRGB("COCOCO"), 13290186);
    RecordingMessageBoxes messages;
    EXPECT_EQ(rgbToHex(hexToRGB("COCOCO"), messages), "CACACA");

    EXPECT_EQ(hexToRGB("1d048e"), 9307165);
    EXPECT_EQ(hexToRGB("fFfFfF"), 16777215);
    EXPECT_EQ(hexToRGB("ZZ!!  "), hexToRGB("AAAAAA"));
    // Bytes of a UTF-8 character ("é" is C3 A9) are each "another byte".
    EXPECT_EQ(hexToRGB("\xC3\xA9"
                       "0000"),
              0xAA);
    // Missing characters count as 0, characters after the sixth are ignored.
    EXPECT_EQ(hexToRGB(""), 0);
    EXPECT_EQ(hexToRGB("F"), 0xF0);
    EXPECT_EQ(hexToRGB("FF"), 255);
    EXPECT_EQ(hexToRGB("00001"), 0x100000);
    EXPECT_EQ(hexToRGB("378C13FFFF"), 1281079);
    EXPECT_EQ(hexToRGB("#1D048E"), hexToRGB("A1D048"));
    EXPECT_EQ(hexToRGB(std::string_view("1D\0"
                                        "48E",
                                        6)),
              hexToRGB("1DA48E"));
}

TEST(Colour, EveryColourValueSurvivesTheRoundTrip)
{
    RecordingMessageBoxes messages;
    std::int32_t mismatches = 0;
    std::int32_t firstMismatch = -1;
    for (std::int32_t value = 0; value <= 16777215; ++value) {
        if (hexToRGB(rgbToHex(value, messages)) != value) {
            if (mismatches++ == 0)
                firstMismatch = value;
        }
    }
    EXPECT_EQ(mismatches, 0) << "first at " << firstMismatch;
    EXPECT_TRUE(messages.calls.empty());
}

TEST(Colour, FloorOfGivesTheLargestWholeNumberNotAbove)
{
    EXPECT_EQ(floorOf(0.0), 0.0);
    EXPECT_EQ(floorOf(3.0), 3.0);
    EXPECT_EQ(floorOf(255.99999), 255.0);
    EXPECT_EQ(floorOf(16777215 / 65536.0), 255.0);
    EXPECT_EQ(floorOf(-0.5), -1.0);
}
