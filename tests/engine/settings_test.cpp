#include "engine/settings.h"

#include "engine/settingkeys.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quorbel;
using quorbel::testing::RecordingMessageBoxes;

TEST(Settings, ReadGivesStoredTextOrTheCallersDefault)
{
    MemorySettingsStore store;
    EXPECT_EQ(readText(store, keys::CommentsExtraName, "Title Goes Here"), "Title Goes Here");
    EXPECT_EQ(readText(store, keys::metaName(keys::MetaKindUser, 0), ""), "");

    store.set(kSettingsApp, kSettingsSection, keys::CommentsExtraName, "");
    EXPECT_EQ(readText(store, keys::CommentsExtraName, "Title Goes Here"), "");

    store.set(kSettingsApp, kSettingsSection, keys::CommentsPrintExtra, "0");
    EXPECT_EQ(std::get<std::string>(readSetting(store, "Comments-Print extra", "1", false)), "0");
}

TEST(Settings, SyntaxColourKeysKeepTheirBlanks)
{
    SyntaxTables tables;
    loadSyntaxDefaults(tables);
    const std::array<std::string, 5> names{"Text    ", "Comment ", "Key     ", "ID      ", "BGround "};
    const std::array<std::string, 5> defaults{"000000", "378C13", "1D048E", "B67C30", "FFFFFF"};
    EXPECT_EQ(tables.syntaxNames, names);
    EXPECT_EQ(tables.syntaxDefaults, defaults);
    EXPECT_EQ(syntaxColourKey(tables, SyntaxText), "Text    SyntaxColor");
    EXPECT_EQ(syntaxColourKey(tables, SyntaxBGround), "BGround SyntaxColor");
    EXPECT_THROW(syntaxColourKey(tables, -1), std::out_of_range);
    EXPECT_THROW(syntaxColourKey(tables, 5), std::out_of_range);

    MemorySettingsStore store;
    RecordingMessageBoxes messages;
    writeSetting(store, messages, syntaxColourKey(tables, SyntaxText), 255, true);
    EXPECT_EQ(readText(store, "TEXT    syntaxcolor", ""), "FF0000");
    EXPECT_EQ(readText(store, "Text SyntaxColor", "none"), "none");
}

TEST(Settings, ColourFlagConvertsOnReadAndWrite)
{
    MemorySettingsStore store;
    RecordingMessageBoxes messages;
    writeSetting(store, messages, keys::HTMLCommentCommentBG, 16777215, true);
    EXPECT_EQ(store.get(kSettingsApp, kSettingsSection, keys::HTMLCommentCommentBG), "FFFFFF");
    writeSetting(store, messages, keys::HTMLCommentCommentBG, std::string(" 9307165 "), true);
    EXPECT_EQ(readText(store, keys::HTMLCommentCommentBG, ""), "1D048E");
    EXPECT_EQ(std::get<std::int32_t>(readSetting(store, keys::HTMLCommentCommentBG, "FFFFFF", true)), 9307165);
    EXPECT_EQ(std::get<std::int32_t>(readSetting(store, keys::HTMLCommentHeaderBGColor, "COCOCO", true)), 13290186);
    EXPECT_TRUE(messages.calls.empty());

    // A system colour (negative value) is stored as black after three messages.
    writeSetting(store, messages, keys::HTMLCommentCommentBG, static_cast<std::int32_t>(0x8000000F), true);
    EXPECT_EQ(readText(store, keys::HTMLCommentCommentBG, ""), "000000");
    EXPECT_EQ(messages.calls.size(), 3u);

    for (const char *notANumber : {"red", "", "12.5", "99999999999", "0x10"}) {
        EXPECT_THROW(writeSetting(store, messages, keys::HTMLCommentCommentBG, std::string(notANumber), true),
                     std::invalid_argument)
            << notANumber;
    }
    EXPECT_EQ(readText(store, keys::HTMLCommentCommentBG, ""), "000000");
}

TEST(Settings, WriteWithoutColourFlagStoresTheTextForm)
{
    MemorySettingsStore store;
    RecordingMessageBoxes messages;
    writeSetting(store, messages, keys::metaCount(keys::MetaKindSystem), 12, false);
    EXPECT_EQ(readText(store, "meta system count", "0"), "12");
    const std::string extra = "Line one\r\n  line two\twith tab\r\n\r\nÜnïcødé ✓";
    writeSetting(store, messages, keys::CommentsExtraInfo, extra, false);
    EXPECT_EQ(readText(store, keys::CommentsExtraInfo, ""), extra);
    writeSetting(store, messages, keys::HTMLCommentFontColor, std::string("FFFFFF"), false);
    EXPECT_EQ(readText(store, keys::HTMLCommentFontColor, ""), "FFFFFF");
    EXPECT_TRUE(messages.calls.empty());
}

TEST(Settings, BooleansAreStoredAsWordsAndCheckBoxStatesAsDigits)
{
    MemorySettingsStore store;
    RecordingMessageBoxes messages;
    writeSetting(store, messages, keys::HTMLCommentPercentage, true, false);
    EXPECT_EQ(readText(store, keys::HTMLCommentPercentage, ""), "True");
    writeSetting(store, messages, keys::HTMLCommentPercentage, false, false);
    EXPECT_EQ(readText(store, keys::HTMLCommentPercentage, ""), "False");
    // A check box state is a number, not a Boolean.
    writeSetting(store, messages, keys::PrintInHTML, 1, false);
    EXPECT_EQ(readText(store, keys::PrintInHTML, ""), "1");
    writeSetting(store, messages, keys::PrintInHTML, 0, false);
    EXPECT_EQ(readText(store, keys::PrintInHTML, ""), "0");
    // Literal text stays text: it is not taken for a Boolean.
    writeSetting(store, messages, keys::CommentsAuthorInfo, "True", false);
    EXPECT_EQ(readText(store, keys::CommentsAuthorInfo, ""), "True");
    // With the colour flag a Boolean is the number 1 or 0.
    writeSetting(store, messages, keys::HTMLCommentCommentBG, true, true);
    EXPECT_EQ(readText(store, keys::HTMLCommentCommentBG, ""), "010000");
    EXPECT_TRUE(messages.calls.empty());
}
