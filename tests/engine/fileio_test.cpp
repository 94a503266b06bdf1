#include "engine/fileio.h"
#include "engine/mail.h"
#include "platform/shell.h"
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
    return testing::scratchFolder("filehelpers", name);
}

// Records the programs started; fails for the programs named in missing.
class RecordingShell : public Shell {
public:
    void openDocument(const std::string &pathOrUrl) override { started.push_back({"open", pathOrUrl}); }
    long startProgram(const std::vector<std::string> &argv) override
    {
        started.push_back(argv);
        for (const auto &m : missing) {
            if (argv.front() == m)
                throw ShellError("cannot start " + m + ": No such file or directory");
        }
        return 4242;
    }
    std::vector<std::vector<std::string>> started;
    std::vector<std::string> missing;
};

TEST(FileHelpers, OutputFileAppendsWithLineBreaksAndReportsFailure)
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

TEST(FileHelpers, InputFileDecodesAndReportsFailure)
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

TEST(FileHelpers, FileExistsFindsNormalFilesOnly)
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

TEST(FileHelpers, MailCommandLineQuotesEveryValueInPartOrder)
{
    EXPECT_EQ(mailCommandLine("bugs@x.org", "Bug Report", "body", "", ""),
              "Start.exe mailto:\"bugs@x.org\"?Subject=\"Bug Report\"&cc=\"\"&bcc=\"\"&Body=\"body\""
              "&File=\"c:\\autoexec.bat\"");
    // Arguments arrive as to, subject, body, cc, bcc; parts go out to,
    // subject, cc, bcc, body.
    EXPECT_EQ(mailCommandLine("t", "s", "b", "c", "bc"),
              "Start.exe mailto:\"t\"?Subject=\"s\"&cc=\"c\"&bcc=\"bc\"&Body=\"b\"&File=\"c:\\autoexec.bat\"");
}

TEST(FileHelpers, MailtoAddressEncodesEveryValue)
{
    EXPECT_EQ(mailtoAddress("contact@quorbel.example.org", "Quorbel", "", "", ""),
              "mailto:contact@quorbel.example.org?Subject=Quorbel&cc=&bcc=&Body=&File=c%3A%5Cautoexec.bat");
    // A value cannot add a header field, a recipient or a second line.
    EXPECT_EQ(mailtoAddress("a@b.c?bcc=evil@x.y", "Hi&cc=evil@x.y", "line 1\r\nline 2 100%", "c d", "\"q\""),
              "mailto:a@b.c%3Fbcc%3Devil@x.y?Subject=Hi%26cc%3Devil@x.y&cc=c%20d&bcc=%22q%22"
              "&Body=line%201%0D%0Aline%202%20100%25&File=c%3A%5Cautoexec.bat");
    EXPECT_EQ(mailtoAddress("\xC3\xA9@x", "", "", "", ""),
              "mailto:%C3%A9@x?Subject=&cc=&bcc=&Body=&File=c%3A%5Cautoexec.bat");
}

TEST(FileHelpers, SendEmailStartsTheMailProgramWithOneArgument)
{
    RecordingShell shell;
    EXPECT_EQ(SendEmail(shell, "bugs@x.org", "Bug Report", "a b", "", ""), 4242);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0],
              (std::vector<std::string>{"xdg-email", "mailto:bugs@x.org?Subject=Bug%20Report&cc=&bcc=&Body=a%20b"
                                                     "&File=c%3A%5Cautoexec.bat"}));

    shell.started.clear();
    shell.missing = {"xdg-email"};
    EXPECT_EQ(SendEmail(shell, "t@x", "s", "", "", ""), 4242);
    ASSERT_EQ(shell.started.size(), 2u);
    EXPECT_EQ(shell.started[1][0], "xdg-open");
    EXPECT_EQ(shell.started[1][1], shell.started[0][1]);

    shell.missing = {"xdg-email", "xdg-open"};
    EXPECT_THROW(SendEmail(shell, "t@x", "s", "", "", ""), ShellError);
}

} // namespace
} // namespace quorbel
