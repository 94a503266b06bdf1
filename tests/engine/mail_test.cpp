#include "engine/mail.h"
#include "platform/shell.h"
#include "tests/support/scripteddialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbel {
namespace {

using testing::RecordingShell;

TEST(Mail, MailCommandLineQuotesEveryValueInOrder)
{
    EXPECT_EQ(mailCommandLine("bugs@x.org", "Bug Report", "body", "", ""),
              "Start.exe mailto:\"bugs@x.org\"?Subject=\"Bug Report\"&cc=\"\"&bcc=\"\"&Body=\"body\""
              "&File=\"c:\\autoexec.bat\"");
    // Arguments arrive as to, subject, body, cc, bcc; parts go out to,
    // subject, cc, bcc, body.
    EXPECT_EQ(mailCommandLine("t", "s", "b", "c", "bc"),
              "Start.exe mailto:\"t\"?Subject=\"s\"&cc=\"c\"&bcc=\"bc\"&Body=\"b\"&File=\"c:\\autoexec.bat\"");
}

TEST(Mail, MailtoAddressEncodesEveryValue)
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

TEST(Mail, SendEmailStartsTheMailProgramWithOneArgument)
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
