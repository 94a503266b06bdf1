// The manual page and the bash completion against the program: every option
// of the synopsis is described in the manual page and the page describes no
// other; every setting key is listed in both, and nothing else is.
#include "cli/options.h"
#include "engine/settingkeys.h"
#include "tests/support/manpage.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using quorbel::testing::optionsIn;
using quorbel::testing::readBytes;
using quorbel::testing::section;
using quorbel::testing::unescapeTroff;

const fs::path kManPage = fs::path(QUORBEL_SOURCE_DIR) / "data" / "man" / "quorbel.1";
const fs::path kCompletion = fs::path(QUORBEL_SOURCE_DIR) / "data" / "completion" / "quorbel";

std::set<std::string> expectedKeys(int metaIndex)
{
    std::set<std::string> keys;
    for (const auto &key : quorbel::keys::kSettingKeys)
        keys.emplace(key.name);
    for (std::string_view kind : {quorbel::keys::MetaKindSystem, quorbel::keys::MetaKindUser}) {
        std::string name = quorbel::keys::metaName(kind, metaIndex);
        std::string value = quorbel::keys::metaValue(kind, metaIndex);
        // The page writes the number as N.
        if (metaIndex == 0) {
            name.back() = 'N';
            value.back() = 'N';
        }
        keys.insert(name);
        keys.insert(value);
    }
    return keys;
}

TEST(Docs, theManualPageDescribesEveryOptionOfTheSynopsisAndNoOther)
{
    const std::string page = unescapeTroff(readBytes(kManPage));
    ASSERT_FALSE(page.empty()) << kManPage;
    const std::set<std::string> help = optionsIn(quorbel::cli::usageText());
    EXPECT_TRUE(help.contains("--output") && help.contains("-q") && help.contains("--version"));
    EXPECT_EQ(optionsIn(page), help);

    // Each option has its own entry (a tag line after .TP) in OPTIONS or
    // COMMANDS.
    std::set<std::string> tagged;
    for (const char *name : {"OPTIONS", "COMMANDS"}) {
        const std::vector<std::string> lines = section(page, name);
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == ".TP")
                tagged.merge(optionsIn(lines[i + 1]));
        }
    }
    EXPECT_EQ(tagged, help);

    // Every command and settings action of the synopsis has an entry too.
    std::string commandTags;
    const std::vector<std::string> commands = section(page, "COMMANDS");
    for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
        if (commands[i] == ".TP")
            commandTags += commands[i + 1] + '\n';
    }
    // (the entry's tag, its word in the synopsis)
    const std::pair<const char *, const char *> commandWords[] = {{"convert", "convert"},
                                                                  {"settings list", "list"},
                                                                  {"settings get", "get KEY"},
                                                                  {"settings set", "set KEY"},
                                                                  {"settings unset", "unset"},
                                                                  {"settings path", "path"},
                                                                  {"gui", "gui"},
                                                                  {"help", "--help"}};
    for (const auto &[tag, word] : commandWords) {
        EXPECT_NE(std::string(quorbel::cli::usageText()).find(word), std::string::npos) << word;
        EXPECT_NE(commandTags.find(tag), std::string::npos) << "no entry for " << tag;
    }
    for (const char *heading : {"EXIT STATUS", "FILES", "EXAMPLES", "ENVIRONMENT"})
        EXPECT_FALSE(section(page, heading).empty()) << heading;
    EXPECT_NE(page.find("quorbel/settings.sqlite"), std::string::npos);
}

TEST(Docs, theManualPageListsEverySettingKey)
{
    const std::vector<std::string> lines = section(unescapeTroff(readBytes(kManPage)), "SETTING KEYS");
    std::set<std::string> listed;
    bool inList = false; // the keys are lists without filling (.nf to .fi)
    for (std::string line : lines) {
        if (line == ".nf" || line == ".fi")
            inList = line == ".nf";
        if (!inList || (!line.starts_with(".B ") && !line.starts_with(".BI ")))
            continue;
        line.erase(0, line.find(' ') + 1);
        if (line.starts_with('"')) { // a quoted key, or a quoted prefix and its number
            const std::size_t close = line.find('"', 1);
            line = line.substr(1, close - 1) + line.substr(close + 1);
            if (line.ends_with(" N"))
                line.erase(line.size() - 2, 1);
        }
        listed.insert(line);
    }
    EXPECT_EQ(listed, expectedKeys(0));
}

TEST(Docs, theCompletionOffersEverySettingKey)
{
    const std::string command = "bash -c 'source \"$0\" && _quorbel_keys' " + kCompletion.string();
    std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        output.append(buffer, n);
    std::set<std::string> offered;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        offered.insert(line);
    EXPECT_EQ(offered, expectedKeys(1));
}

} // namespace
