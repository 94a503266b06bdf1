#include "platform/console/consolemessageboxes.h"
#include "platform/posix/posixshell.h"
#include "platform/posix/systemclock.h"
#include "platform/settings/overlaysettingsstore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

TEST(PosixShell, StartsProgramsWithoutAShell)
{
    const fs::path dir = fs::path(QUORBEL_BUILD_DIR) / "posixshell-scratch";
    fs::remove_all(dir);
    fs::create_directories(dir);
    PosixShell shell;
    // Characters a command interpreter would act on reach the program as
    // they are: one file of exactly that name is made.
    const std::string name = (dir / "a b;touch c$(x)").string();
    const long pid = shell.startProgram({"touch", name});
    EXPECT_GT(pid, 0);
    for (int i = 0; i < 200 && !fs::exists(name); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(fs::exists(name));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    try {
        shell.startProgram({"quorbel-no-such-program"});
        FAIL() << "a missing program was started";
    } catch (const ShellError &error) {
        EXPECT_STREQ(error.what(), "cannot start quorbel-no-such-program: No such file or directory");
    }
    EXPECT_THROW(shell.startProgram({}), ShellError);
}

TEST(ConsoleMessageBoxes, WritesTitledLines)
{
    std::ostringstream err;
    ConsoleMessageBoxes boxes(err);
    EXPECT_EQ(boxes.show("Error : Permission denied"), Answer::Ok);
    EXPECT_EQ(boxes.show("line 1\r\nline 2", Buttons::Ok, Icon::Critical, "Error"), Answer::Ok);
    EXPECT_EQ(boxes.show("Replace?", Buttons::YesNo), Answer::No);
    EXPECT_EQ(err.str(), "Quorbel: Error : Permission denied\nError: line 1\nline 2\nQuorbel: Replace?\n");
    ConsoleMessageBoxes yes(err, Answer::Yes);
    EXPECT_EQ(yes.show("Replace?", Buttons::YesNo), Answer::Yes);
}

TEST(OverlaySettingsStore, ReadsTheOverlayFirstAndWritesNothingBelow)
{
    MemorySettingsStore base;
    base.set("Quorbel", "Settings", "Ext", "htm");
    base.set("Quorbel", "Settings", "Frames", "1");
    OverlaySettingsStore overlay(base);
    overlay.set("Quorbel", "Settings", "ext", "txt");
    overlay.remove("Quorbel", "Settings", "FRAMES");
    EXPECT_EQ(overlay.get("Quorbel", "Settings", "EXT"), "txt");
    EXPECT_EQ(overlay.get("Quorbel", "Settings", "Frames"), std::nullopt);
    EXPECT_EQ(base.get("Quorbel", "Settings", "Ext"), "htm");
    EXPECT_EQ(base.get("Quorbel", "Settings", "Frames"), "1");
    const auto listed = overlay.list("Quorbel", "Settings");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].second, "txt");
}

// Whether date has the C locale's form, mm/dd/yy.
bool isCDate(const std::string &date)
{
    if (date.size() != 8 || date[2] != '/' || date[5] != '/')
        return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7}) {
        if (date[i] < '0' || date[i] > '9')
            return false;
    }
    return true;
}

TEST(SystemClock, ShortDateFollowsTheUsersLocale)
{
    SystemClock clock;
    const char *saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    setenv("LC_ALL", "C", 1);
    EXPECT_TRUE(isCDate(clock.shortDate())) << clock.shortDate();
    setenv("LC_ALL", "no_SUCH.locale", 1); // unknown: the C form
    EXPECT_TRUE(isCDate(clock.shortDate()));
    if (saved)
        setenv("LC_ALL", previous.c_str(), 1);
    else
        unsetenv("LC_ALL");
    const double now = clock.secondsSinceMidnight();
    EXPECT_GE(now, 0.0);
    EXPECT_LT(now, 86401.0);
}

} // namespace
} // namespace quorbel
