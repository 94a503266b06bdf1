#include "platform/settings/memorysettingsstore.h"

#include <gtest/gtest.h>

using quorbel::MemorySettingsStore;

TEST(MemorySettingsStore, MatchesKeysWithoutCaseButCountsEveryBlank)
{
    MemorySettingsStore store;
    EXPECT_FALSE(store.get("Quorbel", "Settings", "Comments-Print Extra"));
    store.set("Quorbel", "Settings", "Comments-Print Extra", "0");
    EXPECT_EQ(store.get("Quorbel", "Settings", "Comments-Print extra"), "0");
    EXPECT_EQ(store.get("quorbel", "SETTINGS", "comments-print extra"), "0");

    store.set("Quorbel", "Settings", "Text    SyntaxColor", "123456");
    EXPECT_FALSE(store.get("Quorbel", "Settings", "Text SyntaxColor"));

    store.set("Quorbel", "Settings", "Empty", "");
    EXPECT_EQ(store.get("Quorbel", "Settings", "empty"), "");
}

TEST(MemorySettingsStore, ListKeepsFirstSpellingAndForgetsRemovedKeys)
{
    MemorySettingsStore store;
    store.set("Quorbel", "Settings", "Ext", "html");
    store.set("Quorbel", "Settings", "EXT", "htm");
    store.set("Quorbel", "Settings", "Frames", "0");
    store.set("Other", "Settings", "Ext", "x");
    auto listed = store.list("Quorbel", "Settings");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].first, "Ext");
    EXPECT_EQ(listed[0].second, "htm");
    EXPECT_EQ(listed[1].first, "Frames");

    store.remove("Quorbel", "Settings", "ext");
    EXPECT_FALSE(store.get("Quorbel", "Settings", "Ext"));
    EXPECT_EQ(store.get("Other", "Settings", "ext"), "x");
}
