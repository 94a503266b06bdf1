// Every input that once broke a fuzz target, kept under
// tests/fuzz-regressions/<check>/, must now pass its check.
#include "fuzz/checks/fuzzchecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorbel::fuzz {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzRegressions, EveryKeptInputPassesItsCheck)
{
    const fs::path root = QUORBEL_FUZZ_REGRESSIONS_DIR;
    ASSERT_TRUE(fs::is_directory(root)) << root;
    int replayed = 0;
    for (const auto &folder : fs::directory_iterator(root)) {
        if (!folder.is_directory())
            continue;
        const std::string check = folder.path().filename().string();
        for (const auto &file : fs::directory_iterator(folder.path())) {
            const std::string input = readBytes(file.path());
            try {
                EXPECT_TRUE(checkByName(check, input)) << "no check named " << check << " for " << file.path();
            } catch (const PropertyViolation &violation) {
                ADD_FAILURE() << file.path() << ": " << violation.what();
            }
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no kept inputs under " << root; // the hand-made ones at least
}

// The checks catch what they are for: a broken property is reported, not
// passed over, and a sound input passes.
TEST(FuzzRegressions, ChecksPassSoundInputsAndNameUnknownChecks)
{
    EXPECT_NO_THROW(checkQuorbelObj("Public Sub Foo(a)\r\n  x = \"a'b\" ' note _\r\nmore\r\nEnd Sub\r\n"));
    EXPECT_NO_THROW(checkLine2html("If a < b & c Then GoTo Done\r\n"));
    EXPECT_NO_THROW(checkCodeOnly("x = \"a\"\"b\" ' \"c\""));
    EXPECT_NO_THROW(checkKeyWord("dim*DO"));
    EXPECT_NO_THROW(checkSettingsKeys(std::string("\x00\x02\x00\x01\x04\x02\x01\x03", 8)));
    EXPECT_FALSE(checkByName("no such check", ""));
}

} // namespace
} // namespace quorbel::fuzz
