#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using quorbel::testing::readBytes;
using quorbel::testing::writeBytes;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// One folder per test: the working folder of the runs, with the settings
// file and a home of its own (nothing reaches the user's settings).
class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = quorbel::testing::scratchFolder("cli", info->name());
        fs::create_directories(m_dir / "home");
    }

    const fs::path &dir() const { return m_dir; }
    std::string settings() const { return (m_dir / "settings.sqlite").string(); }

    // Runs quorbel with args in the test's folder, input on its standard
    // input; with errOnTerminal its standard error is a terminal (a pty).
    Result run(std::vector<std::string> args, const std::string &input = {}, bool errOnTerminal = false)
    {
        writeBytes(m_dir / ".stdin", input);
        std::vector<std::string> env = {"HOME=" + (m_dir / "home").string(), "XDG_CONFIG_HOME=", "LC_ALL=C",
                                        "PATH=/usr/bin:/bin"};
        std::vector<char *> envp, argv;
        for (auto &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = QUORBEL_CLI_PATH;
        argv.push_back(program.data());
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, m_dir.c_str());
        posix_spawn_file_actions_addopen(&actions, 0, ".stdin", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, ".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int terminal = errOnTerminal ? posix_openpt(O_RDWR | O_NOCTTY) : -1;
        if (terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0)
            posix_spawn_file_actions_addopen(&actions, 2, ptsname(terminal), O_WRONLY | O_NOCTTY, 0);
        else
            posix_spawn_file_actions_addopen(&actions, 2, ".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        Result result;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = readBytes(m_dir / ".stdout");
        if (terminal < 0) {
            result.err = readBytes(m_dir / ".stderr");
            return result;
        }
        // What the child wrote stays readable after it ended.
        fcntl(terminal, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
            result.err.append(buffer, static_cast<std::size_t>(n));
        close(terminal);
        return result;
    }

    fs::path m_dir;
};

const std::string kModule = "Attribute VB_Name = \"Stock\"\r\nPublic Sub Add(ByVal n As Long)\r\nEnd Sub\r\n";
// Whether text is one status line: the page written and ": " (none with
// --stdout), then "0.125 seconds     line count = 42".
bool isStatusLine(std::string text, const std::string &page = {})
{
    if (!page.empty()) {
        if (!text.starts_with(page + ": "))
            return false;
        text.erase(0, page.size() + 2);
    }
    const auto digits = [&](std::size_t from, std::size_t to) {
        return from < to && text.find_first_not_of("0123456789", from) >= to;
    };
    const std::string middle = " seconds     line count = ";
    const auto point = text.find('.');
    const auto words = text.find(middle);
    return point != std::string::npos && words == point + 4 && digits(0, point) && digits(point + 1, words) &&
           text.ends_with("\n") && digits(words + middle.size(), text.size() - 1);
}

TEST_F(Cli, HelpVersionAndUsageErrors)
{
    Result r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "quorbel 1.1.0\n");
    r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("usage: quorbel convert [options] SOURCE..."));

    for (const std::vector<std::string> &args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"convert"},
                                               {"convert", "--bogus", "a.bas"},
                                               {"convert", "-o"},
                                               {"convert", "--stdout", "a.bas", "b.bas"},
                                               {"convert", "--set", "novalue", "a.bas"},
                                               {"gui", "a.bas", "b.bas"},
                                               {"gui", "--bogus"},
                                               {"convert", "--set", "No Such Key=1", "a.bas"},
                                               {"settings"},
                                               {"settings", "get"},
                                               {"settings", "set", "Nonsense", "1"},
                                               {"convert", "p.vbp"},
                                               {"convert", "-o", "site", "p.vbp", "a.bas"},
                                               {"convert", "--stdout", "g.VBG"}}) {
        r = run(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(r.err.starts_with("quorbel: ")) << r.err;
        EXPECT_NE(r.err.find("usage: quorbel convert"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(dir() / "home" / ".config")); // nothing stored by a refused run
}

TEST_F(Cli, ConvertsFilesAndReportsEachFailure)
{
    writeBytes(dir() / "stock.bas", kModule);
    writeBytes(dir() / "locked.bas", "Attribute VB_Name = \"Locked\"\r\nDim x\r\n");
    fs::permissions(dir() / "locked.bas", fs::perms::none);
    fs::create_directories(dir() / "folder.bas");

    // Default target: the module's name + ".html" in the current folder.
    Result r = run({"convert", "--settings", settings(), "stock.bas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(isStatusLine(r.out, "Stock.html")) << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(fs::exists(dir() / "Stock.html"));
    EXPECT_TRUE(fs::exists(dir() / "Stock" / "Code.html"));
    EXPECT_TRUE(fs::exists(dir() / "Stock" / "Header.html"));
    EXPECT_FALSE(fs::exists(settings())); // reading settings creates no store

    // Several sources into a folder; the bad ones fail one line each, the
    // good one is still converted.
    r = run({"convert", "-q", "--settings", settings(), "-o", "out", "missing.bas", "folder.bas", "locked.bas",
             "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    std::string expectedErr = "quorbel: missing.bas: No such file or directory\n"
                              "quorbel: folder.bas: Is a directory\n";
    if (geteuid() != 0) // root reads files whatever their mode
        expectedErr += "quorbel: locked.bas: Permission denied\n";
    EXPECT_EQ(r.err, expectedErr);
    EXPECT_TRUE(fs::exists(dir() / "out" / "Stock" / "Code.html"));

    // A target without extension: refused, nothing made.
    r = run({"convert", "--settings", settings(), "-o", "noext", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: stock.bas: the target file name has no extension: noext\n");
    EXPECT_FALSE(fs::exists(dir() / "noext"));

    // Targets that cannot be written: below a file, in a read-only folder.
    r = run({"convert", "--settings", settings(), "--set", "Frames=0", "--set", "Comments Frames=0", "-o",
             "stock.bas/x.html", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: stock.bas/x.html: Not a directory\n");
    fs::create_directories(dir() / "ro");
    fs::permissions(dir() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    r = run({"convert", "--settings", settings(), "--set", "Frames=0", "--set", "Comments Frames=0", "-o", "ro/x.html",
             "stock.bas"});
    if (geteuid() != 0) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quorbel: ro/x.html: Permission denied\n");
        EXPECT_EQ(r.out, "");
    }
    fs::permissions(dir() / "ro", fs::perms::owner_all);
    fs::permissions(dir() / "locked.bas", fs::perms::owner_all);
}

TEST_F(Cli, StandardInputAndOutput)
{
    Result r = run({"convert", "--settings", settings(), "--stdout", "-"}, "Dim x\nSub A()\nEnd Sub\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("<HTML>\r\n<HEAD>\r\n<TITLE>Module1</TITLE>\r\n"));
    EXPECT_TRUE(r.out.ends_with("</BODY></HTML>\r\n"));
    EXPECT_NE(r.out.find("<A NAME='A'></A>\r\n"), std::string::npos);
    EXPECT_TRUE(isStatusLine(r.err)) << r.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 4); // home + 3 std files

    // --code, --project and --encoding; -q silences the status line.
    r = run({"convert", "--settings", settings(), "--stdout", "-q", "--code", "C<1>", "--project", "P", "--encoding",
             "CP1251", "-"},
            "' \xC4\xE0\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("<TITLE>C&lt;1&gt;</TITLE>"), std::string::npos);
    EXPECT_NE(r.out.find("charset=utf-8"), std::string::npos);
    EXPECT_NE(r.out.find("' \xD0\x94\xD0\xB0"), std::string::npos);

    r = run({"convert", "--stdout", "--settings", settings(), "--encoding", "NO-SUCH", "-"}, "x");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: standard input: unknown encoding \"NO-SUCH\"\n");

    r = run({"convert", "--settings", settings(), "-"}, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "quorbel: standard input: empty source; nothing written\n");
}

TEST_F(Cli, ProgressLineOnlyOnATerminalAndNotQuiet)
{
    writeBytes(dir() / "stock.bas", kModule);
    Result r = run({"convert", "--settings", settings(), "stock.bas"}, {}, true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(isStatusLine(r.out, "Stock.html")) << r.out;
    // Drawn over itself, and cleared before the status line.
    EXPECT_NE(r.err.find("\rquorbel: stock.bas: 100% of 5 lines"), std::string::npos) << r.err;
    EXPECT_TRUE(r.err.ends_with("\r\x1b[K")) << r.err;

    r = run({"convert", "-q", "--settings", settings(), "stock.bas"}, {}, true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    r = run({"convert", "--settings", settings(), "stock.bas"});
    EXPECT_EQ(r.err, ""); // not a terminal
}

TEST_F(Cli, NoClobberKeepsExistingPages)
{
    writeBytes(dir() / "stock.bas", kModule);
    writeBytes(dir() / "Stock.html", "mine");
    Result r = run({"convert", "--settings", settings(), "-n", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: stock.bas: Stock.html exists; not replaced (--no-clobber)\n");
    EXPECT_EQ(readBytes(dir() / "Stock.html"), "mine");
    EXPECT_FALSE(fs::exists(dir() / "Stock"));

    r = run({"convert", "--settings", settings(), "stock.bas"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(readBytes(dir() / "Stock.html").starts_with("<html><head><Title> - Stock</Title>"));
}

TEST_F(Cli, BytesThatAreNotUtf8AreDecodedBeforeAnythingIsWritten)
{
    // Windows-1252 "é" in the module's name and in the code: the pages are
    // those of the decoded text, named after the decoded module name.
    writeBytes(dir() / "accent.bas", "Attribute VB_Name = \"Caf\xE9\"\r\nSub Cr\xE8me()\r\nEnd Sub\r\n");
    writeBytes(dir() / "Caf\xE9.html", "a page named after the bytes, not the text");
    Result r = run({"convert", "--settings", settings(), "-q", "-n", "accent.bas"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string code = readBytes(dir() / "Caf\xC3\xA9" / "Code.html");
    EXPECT_NE(code.find("<A NAME='Cr\xC3\xA8me'></A>"), std::string::npos);
    EXPECT_NE(code.find("charset=utf-8"), std::string::npos);
    EXPECT_EQ(readBytes(dir() / "Caf\xE9.html"), "a page named after the bytes, not the text");
    EXPECT_FALSE(fs::exists(dir() / "Caf\xE9"));

    // The same on standard output, and UTF-8 with a byte order mark as it is.
    r = run({"convert", "--settings", settings(), "--stdout", "-q", "-"}, "x = \"\xE9\"\r\n");
    EXPECT_NE(r.out.find("\"\xC3\xA9\""), std::string::npos) << r.out;
    r = run({"convert", "--settings", settings(), "--stdout", "-q", "-"}, "\xEF\xBB\xBFx = \"\xC3\xA9\"\n");
    EXPECT_NE(r.out.find("\"\xC3\xA9\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\xEF\xBB\xBF"), std::string::npos);
}

TEST_F(Cli, SettingsRoundTripWithoutRegardToCase)
{
    Result r = run({"settings", "--settings", settings(), "path"});
    EXPECT_EQ(r.out, settings() + "\n");
    r = run({"settings", "path"});
    EXPECT_EQ(r.out, (dir() / "home" / ".config" / "quorbel" / "settings.sqlite").string() + "\n");

    EXPECT_EQ(run({"settings", "--settings", settings(), "set", "ext", "htm"}).status, 0);
    EXPECT_EQ(run({"settings", "--settings", settings(), "set", "FRAMES", "0"}).status, 0);
    EXPECT_EQ(run({"settings", "--settings", settings(), "set", "Comments-Extra Info", "a\\b\r\nc"}).status, 0);
    EXPECT_EQ(run({"settings", "--settings", settings(), "set", "meta username info no 3", "x"}).status, 0);
    r = run({"settings", "--settings", settings(), "get", "EXT"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "htm\n");
    r = run({"settings", "--settings", settings(), "list"});
    EXPECT_EQ(r.out, "Comments-Extra Info=a\\\\b\\r\\nc\next=htm\nFRAMES=0\nmeta username info no 3=x\n");

    // The stored settings shape the conversion; --set overrides for one run.
    writeBytes(dir() / "stock.bas", kModule);
    EXPECT_EQ(run({"convert", "-q", "--settings", settings(), "stock.bas"}).status, 0);
    EXPECT_TRUE(fs::exists(dir() / "Stock.htm"));
    EXPECT_FALSE(fs::exists(dir() / "Stock" / "Header.htm"));
    EXPECT_EQ(run({"convert", "-q", "--settings", settings(), "--set", "EXT=txt", "stock.bas"}).status, 0);
    EXPECT_TRUE(fs::exists(dir() / "Stock.txt"));
    EXPECT_EQ(run({"settings", "--settings", settings(), "get", "Ext"}).out, "htm\n");

    // A bad stored value is a clear error naming the setting, found before
    // any source is read.
    EXPECT_EQ(run({"settings", "--settings", settings(), "set", "Meta User Count", "lots"}).status, 0);
    r = run({"convert", "--settings", settings(), "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "quorbel: bad setting value: Meta User Count = \"lots\" (a whole number is needed); nothing written\n");

    EXPECT_EQ(run({"settings", "--settings", settings(), "unset", "Ext"}).status, 0);
    r = run({"settings", "--settings", settings(), "get", "ext"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorbel: setting \"ext\" is not set (its default applies)\n");

    // A settings file that is not a database.
    writeBytes(dir() / "bad.sqlite", "not a database, just text that is long enough to be read as a header");
    r = run({"settings", "--settings", (dir() / "bad.sqlite").string(), "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bad.sqlite"), std::string::npos);
}

TEST_F(Cli, ConvertsAProjectIntoALinkedSite)
{
    writeBytes(dir() / "app" / "App.vbp", "Type=Exe\r\nModule=Main; SRC\\main.bas\r\nName=\"App\"\r\n");
    writeBytes(dir() / "app" / "src" / "Main.BAS", "Attribute VB_Name = \"Main\"\r\nSub Go()\r\n    Go\r\nEnd Sub\r\n");
    Result r = run({"convert", "--settings", settings(), "app/App.vbp", "-o", "site"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(isStatusLine(r.out.substr(0, r.out.find('\n') + 1), "site/Main.html")) << r.out;
    EXPECT_TRUE(r.out.ends_with("\nsite/index.html\n")) << r.out;
    EXPECT_NE(readBytes(dir() / "site" / "index.html").find("<A HREF='Main/Code.html#Go'>Go</A>"), std::string::npos);
    EXPECT_NE(readBytes(dir() / "site" / "Main" / "Code.html").find("<A HREF='#Go' STYLE="), std::string::npos);

    // --no-clobber: the sets and the index that exist stay.
    const std::string index = readBytes(dir() / "site" / "index.html");
    writeBytes(dir() / "site" / "Main.html", "mine");
    r = run({"convert", "--settings", settings(), "-n", "--no-links", "app/App.vbp", "-o", "site"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("site/Main.html exists; not replaced (--no-clobber)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("site/index.html exists; not replaced (--no-clobber)"), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(dir() / "site" / "Main.html"), "mine");
    EXPECT_EQ(readBytes(dir() / "site" / "index.html"), index);

    // A listed source that is missing: named, marked, the rest written, status 1.
    const std::string sample = std::string(QUORBEL_SOURCE_DIR) + "/tests/data/project/sample/Project1.vbp";
    r = run({"convert", "--settings", settings(), "-q", "--no-links", sample, "-o", "sample"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: Project1.vbp: Gone.bas: missing\n");
    EXPECT_EQ(r.out, "");
    EXPECT_NE(readBytes(dir() / "sample" / "index.html").find("<SPAN CLASS='missing'>missing</SPAN>"),
              std::string::npos);
    const std::string code = readBytes(dir() / "sample" / "Module1" / "Code.html");
    EXPECT_NE(code.find("<A NAME='Start'></A>"), std::string::npos);
    EXPECT_EQ(code.find("STYLE='color:inherit"), std::string::npos); // --no-links

    // A project file that cannot be read: nothing written, status 1.
    r = run({"convert", "--settings", settings(), "nowhere.vbp", "-o", "none"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("quorbel: nowhere.vbp: ")) << r.err;
    EXPECT_FALSE(fs::exists(dir() / "none" / "index.html"));
}

TEST_F(Cli, ConvertsTheShippedExample)
{
    const std::string example = std::string(QUORBEL_SOURCE_DIR) + "/examples/Inventory.bas";
    Result r = run({"convert", "--settings", settings(), "-o", "Inventory.html", example});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string code = readBytes(dir() / "Inventory" / "Code.html");
    EXPECT_NE(code.find("<TITLE>Inventory</TITLE>"), std::string::npos);
    EXPECT_NE(code.find("<A NAME='AddItem'></A>"), std::string::npos);
    EXPECT_NE(readBytes(dir() / "Inventory" / "Header.html").find("<OPTION VALUE='AddItem'>AddItem</OPTION>"),
              std::string::npos);
}

} // namespace
