#include "engine/fileio.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

fs::path scratch(const std::string &name)
{
    return testing::scratchFolder("fileio", name);
}

TEST(FileIo, OutputFileAppendsWithLineBreaksAndReportsFailure)
{
    const fs::path dir = scratch("output");
    const std::string file = (dir / "page.html").string();
    testing::RecordingMessageBoxes messages;
    EXPECT_TRUE(OutputFile(file, "a", messages));
    EXPECT_TRUE(OutputFile(file, "b", messages));
    EXPECT_EQ(readFileBytes(file), "a\r\nb\r\n");
    EXPECT_TRUE(messages.calls.empty());

    EXPECT_FALSE(OutputFile((dir / "missing" / "page.html").string(), "x", messages));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "Error : No such file or directory");
    EXPECT_EQ(messages.calls[0].icon, Icon::None);
    EXPECT_EQ(messages.calls[0].buttons, Buttons::Ok);
    EXPECT_THROW(appendToFile(dir.string(), "x"), FileError); // a folder
}

TEST(FileIo, InputFileDecodesAndReportsFailure)
{
    const fs::path dir = scratch("input");
    const std::string file = (dir / "m.bas").string();
    appendToFile(file, "Dim s\n' caf\xE9");
    testing::RecordingMessageBoxes messages;
    EXPECT_EQ(InputFile(file, messages), "Dim s\r\n' caf\xC3\xA9\r\n");

    EXPECT_EQ(InputFile((dir / "none.bas").string(), messages), "");
    EXPECT_EQ(InputFile(dir.string(), messages), "");
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[0].text, "Error :  No such file or directory");
    EXPECT_EQ(messages.calls[1].text, "Error :  Is a directory");
    try {
        readFileBytes((dir / "none.bas").string());
        FAIL();
    } catch (const FileError &error) {
        EXPECT_EQ(std::string(error.what()), (dir / "none.bas").string() + ": No such file or directory");
    }
}

TEST(FileIo, FileExistsFindsNormalFilesOnly)
{
    const fs::path dir = scratch("exists");
    appendToFile((dir / "f.bas").string(), "");
    fs::create_symlink(dir / "f.bas", dir / "link.bas");
    EXPECT_TRUE(FileExists((dir / "f.bas").string()));
    EXPECT_TRUE(FileExists((dir / "link.bas").string()));
    EXPECT_FALSE(FileExists(dir.string()));
    EXPECT_FALSE(FileExists((dir / "none").string()));
    EXPECT_FALSE(FileExists(""));
}

} // namespace
} // namespace quorbel
