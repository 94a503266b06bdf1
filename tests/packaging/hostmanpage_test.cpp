// The manual page of quorbel-host against the program's own help: the same
// options, each with an entry of its own.
#include "tests/support/manpage.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace quorbel::testing {
namespace {

std::string helpText()
{
    const std::string command = std::string("'") + HOST_PROGRAM + "' --help";
    std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    for (std::size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, n);
    return text;
}

TEST(HostManPage, describesEveryOptionOfTheHelpAndNoOther)
{
    const std::string page =
        unescapeTroff(readBytes(std::filesystem::path(QUORBEL_DATA_DIR) / "man" / "quorbel-host.1"));
    ASSERT_FALSE(page.empty());
    // The help's own lines, without the examples of its descriptions.
    std::set<std::string> help;
    std::istringstream lines(helpText());
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("  -"))
            help.merge(optionsIn(line.substr(0, line.find("  ", 2))));
    }
    EXPECT_TRUE(help.contains("--register") && help.contains("--addin-list")) << helpText();

    std::set<std::string> tagged;
    const std::vector<std::string> options = section(page, "OPTIONS");
    for (std::size_t i = 0; i + 1 < options.size(); ++i) {
        if (options[i] == ".TP")
            tagged.merge(optionsIn(options[i + 1]));
    }
    EXPECT_EQ(tagged, help);
    // Elsewhere the page names only these and the toolkit's -platform.
    help.insert("-platform");
    EXPECT_EQ(optionsIn(page), help);
}

} // namespace
} // namespace quorbel::testing
