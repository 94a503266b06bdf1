#include "engine/settingkeys.h"
#include "engine/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace keys = quorbel::keys;

TEST(SettingKeys, MetaKeysJoinKindAndNameWithoutBlank)
{
    EXPECT_EQ(keys::metaCount(keys::MetaKindUser), "Meta User Count");
    EXPECT_EQ(keys::metaName(keys::MetaKindUser, 0), "Meta UserName Info No 0");
    EXPECT_EQ(keys::metaValue(keys::MetaKindSystem, 12), "Meta SystemValue Info No 12");
}

namespace {

using keys::Reader;

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return out;
}

} // namespace

TEST(SettingKeys, TableHoldsEveryKeyOnceWithEachReadersDefault)
{
    // Key, page default, window default, options default; "-" where the
    // reader does not read the key.
    const std::vector<std::array<std::string, 4>> golden = {
        {"Frames", "1", "1", "-"},
        {"Ext", "html", "html", "-"},
        {"AutoColor", "-", "1", "-"},
        {"ShowOptions", "-", "1", "-"},
        {"Comments Frames", "1", "-", "-"},
        {"HTMLComment-Show Subs", "-", "1", "-"},
        {"Text    SyntaxColor", "-", "000000", "000000"},
        {"Comment SyntaxColor", "-", "378C13", "378C13"},
        {"Key     SyntaxColor", "-", "1D048E", "1D048E"},
        {"ID      SyntaxColor", "-", "B67C30", "B67C30"},
        {"BGround SyntaxColor", "-", "FFFFFF", "FFFFFF"},
        {"HTMLComment-Text Color", "000000", "-", "000000"},
        {"HTMLComment-Key Color", "1D048E", "-", "-"},
        {"HTMLComment-ID Color", "B67C30", "-", "-"},
        {"HTMLComment-Comment Color", "378C13", "-", "-"},
        {"HTMLComment-Page BG Color", "FFFFFF", "-", "-"},
        {"HTMLComment-Specified Width", "100", "-", "100"},
        {"HTMLComment-CommentBG", "FFFFFF", "-", "FFFFFF"},
        {"HTMLComment-Header BG Color", "C0C0C0", "-", "COCOCO"},
        {"HTMLComment-Comment Cell BG Color", "86C1F2", "-", "86C1F2"},
        {"HTMLComment-Names Width", "30", "-", "30"},
        {"HTMLComment-Info Width", "70", "-", "70"},
        {"HTMLComment-Font Name", "Arial", "-", "Arial"},
        {"HTMLComment-Font Size", "8", "-", "8"},
        {"HTMLComment-Font Color", "-", "-", "000000"},
        {"HTMLComment-Specify Width", "-", "-", "1"},
        {"HTMLComment-Percentage", "-", "-", "1"},
        {"printInHTML", "-", "-", "-"},
        {"Comments-HTML Tags on", "-", "-", "1"},
        {"Comments-Print Comments In HTML", "1", "-", "1"},
        {"Comments-Print Author", "1", "-", "1"},
        {"Comments-Author Info", "Your Name Goes here", "-", "Your Name"},
        {"Comments-Print Date", "1", "-", "1"},
        {"Comments-Print Current Date", "1", "-", "1"},
        {"Comments-Date Info", "20/3/79", "-", "Date as String"},
        {"Comments-Print Email", "1", "-", "1"},
        {"Comments-Email Info", "your.name@example.com", "-", "your.name@example.com"},
        {"Comments-Print Web Site", "1", "-", "1"},
        {"Comments-Web Site Info", "https://www.example.com/", "-", "https://www.example.com/"},
        {"Comments-Print Extra", "1", "-", "1"},
        {"Comments-Extra Name", "Title Goes Here", "-", "Extra Title"},
        {"Comments-Extra Info", "A little bit about me or my code.", "-",
         "This is a little bit about me or my project"},
        {"Comment-Print Subs & Functions", "1", "1", "0"},
        {"Meta System Count", "0", "-", "0"},
        {"Meta User Count", "0", "-", "0"},
    };
    ASSERT_EQ(keys::kSettingKeys.size(), golden.size());
    std::set<std::string> seen;
    for (std::size_t i = 0; i < golden.size(); ++i) {
        const keys::SettingKey &entry = keys::kSettingKeys[i];
        EXPECT_EQ(entry.name, golden[i][0]);
        EXPECT_TRUE(seen.insert(lowered(entry.name)).second) << "twice: " << entry.name;
        const Reader readers[] = {Reader::Page, Reader::Window, Reader::Options};
        for (int r = 0; r < 3; ++r) {
            if (golden[i][r + 1] == "-")
                EXPECT_THROW(keys::defaultFor(entry.name, readers[r]), std::logic_error) << entry.name << " " << r;
            else
                EXPECT_EQ(keys::defaultFor(entry.name, readers[r]), golden[i][r + 1]) << entry.name << " " << r;
        }
    }
}

TEST(SettingKeys, DefaultsOfBuiltKeys)
{
    // The numbered META keys default to the empty text; their counts to 0.
    EXPECT_EQ(keys::defaultFor(keys::metaName(keys::MetaKindUser, 3), Reader::Page), "");
    EXPECT_EQ(keys::defaultFor(keys::metaValue(keys::MetaKindSystem, 0), Reader::Options), "");
    EXPECT_EQ(keys::defaultFor(keys::metaCount(keys::MetaKindUser), Reader::Page), "0");
    // A key is looked up as spelled: the constants are the spellings.
    EXPECT_THROW(keys::defaultFor("frames", Reader::Page), std::logic_error);
    EXPECT_THROW(keys::defaultFor("Text SyntaxColor", Reader::Window), std::logic_error);
    EXPECT_THROW(keys::defaultFor("Meta Other", Reader::Page), std::logic_error);
    // The syntax tables take their defaults from the table.
    quorbel::SyntaxTables tables;
    quorbel::loadSyntaxDefaults(tables);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(keys::defaultFor(quorbel::syntaxColourKey(tables, i), Reader::Options),
                  tables.syntaxDefaults[static_cast<std::size_t>(i)]);
}
