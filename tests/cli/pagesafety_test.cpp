// The command line as a process when things go wrong: killed, a full disk,
// targets that are its own sources, two runs at once, sources without end.
#include "tests/support/corpusfiles.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quorbel::testing::readBytes;
using quorbel::testing::writeBytes;

const std::string kModule = "Attribute VB_Name = \"Stock\"\r\nPublic Sub Add(ByVal n As Long)\r\nEnd Sub\r\n";

struct Outcome {
    int status = -1; // exit status, or 128 + signal
    std::string out, err;
    long peakKb = 0; // peak resident memory of the child
};

// Options of a child run: a file-size limit (SIGXFSZ ignored, so that a
// write past it fails with EFBIG as on a full disk), standard input.
struct Launch {
    std::vector<std::string> args;
    std::string stdinFile = "/dev/null";
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

class PageSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = quorbel::testing::scratchFolder("pagesafety", info->name());
    }
    const fs::path &dir() const { return m_dir; }

    // Starts quorbel in the test's folder; returns its process id.
    pid_t start(const Launch &launch, const std::string &tag = "run")
    {
        std::vector<std::string> args = {QUORBEL_CLI_PATH, "convert", "--settings", (m_dir / "s.sqlite").string()};
        args.insert(args.end(), launch.args.begin(), launch.args.end());
        std::vector<char *> argv;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string out = (m_dir / ("." + tag + ".out")).string();
        const std::string err = (m_dir / ("." + tag + ".err")).string();
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::chdir(m_dir.c_str()) != 0)
                ::_exit(126);
            const int in = ::open(launch.stdinFile.c_str(), O_RDONLY);
            const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(in, 0);
            ::dup2(o, 1);
            ::dup2(e, 2);
            if (launch.fileSizeLimit != RLIM_INFINITY) {
                const rlimit limit{launch.fileSizeLimit, launch.fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                ::signal(SIGXFSZ, SIG_IGN);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        return pid;
    }
    Outcome wait(pid_t pid, const std::string &tag = "run")
    {
        Outcome outcome;
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        outcome.peakKb = usage.ru_maxrss;
        outcome.out = readBytes(m_dir / ("." + tag + ".out"));
        outcome.err = readBytes(m_dir / ("." + tag + ".err"));
        return outcome;
    }
    Outcome run(const Launch &launch) { return wait(start(launch)); }
    Outcome run(std::vector<std::string> args) { return run(Launch{std::move(args)}); }

    // Every entry below folder, the runs' own files left out.
    std::map<std::string, std::string> snapshot(const fs::path &folder) const
    {
        std::map<std::string, std::string> entries;
        for (const auto &entry : fs::recursive_directory_iterator(folder)) {
            const std::string name = fs::relative(entry.path(), folder).string();
            if (name.starts_with(".run") || name.starts_with(".a") || name.starts_with(".b"))
                continue;
            if (entry.is_directory()) {
                entries[name] = "<dir>";
            } else {
                // Size and hash: a failure prints these, never megabytes.
                const std::string bytes = readBytes(entry.path());
                entries[name] =
                    std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>{}(bytes));
            }
        }
        return entries;
    }

    // A source of about bytes bytes: the corpus joined again and again.
    void writeLargeSource(const fs::path &path, std::size_t bytes) const
    {
        std::string text;
        for (const fs::path &file : quorbel::testing::corpusFiles()) {
            text += readBytes(file);
            if (text.size() > (4u << 20))
                break;
        }
        std::string all;
        all.reserve(bytes + text.size());
        while (all.size() < bytes)
            all += text;
        writeBytes(path, all);
    }

    fs::path m_dir;
};

TEST_F(PageSafety, ATargetThatIsASourceIsRefused)
{
    writeBytes(dir() / "Inventory.bas", kModule);
    writeBytes(dir() / "notes.html", kModule);
    writeBytes(dir() / "src.bas", kModule);
    fs::create_symlink("src.bas", dir() / "link.bas");
    const auto before = snapshot(dir());

    Outcome r = run({"--code", "Inventory", "--set", "Ext=bas", "Inventory.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: the page Inventory.bas of Inventory.bas is the source Inventory.bas; nothing written\n");
    r = run({"--code", "notes", "notes.html"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the page notes.html of notes.html is the source notes.html"), std::string::npos) << r.err;
    // Through a link, and as the page of another source of the command.
    r = run({"--set", "Frames=0", "--set", "Ext=bas", "-o", "link.bas", "src.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the page link.bas of src.bas is the source src.bas"), std::string::npos) << r.err;
    r = run({"--set", "Frames=0", "--set", "Ext=bas", "-o", ".", "--code", "src", "notes.html", "src.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the page ./src.bas of notes.html is the source src.bas"), std::string::npos) << r.err;
    EXPECT_EQ(snapshot(dir()), before);
}

TEST_F(PageSafety, TwoSourcesOfOnePageSetAreRefused)
{
    writeBytes(dir() / "a.bas", kModule);
    writeBytes(dir() / "b.bas", kModule); // the same VB_Name
    const auto before = snapshot(dir());
    Outcome r = run({"a.bas", "b.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("a.bas and b.bas would both write "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing written"), std::string::npos);
    r = run({"-o", "out", "a.bas", "./a.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("a.bas and ./a.bas would both write "), std::string::npos) << r.err;
    fs::remove(dir() / "out"); // the output folder is made first, and empty
    EXPECT_EQ(snapshot(dir()), before);
}

TEST_F(PageSafety, KilledInTheMiddleTheOldSetStays)
{
    writeLargeSource(dir() / "big.bas", 60u << 20);
    writeBytes(dir() / "small.bas", kModule);
    ASSERT_EQ(run({"--code", "Big", "small.bas"}).status, 0);
    const auto before = snapshot(dir());
    for (const int sig : {SIGKILL, SIGTERM, SIGINT}) {
        const pid_t pid = start(Launch{{"--code", "Big", "big.bas"}});
        // Killed once it writes a page: a file of its own open below the
        // test's folder.
        const auto writing = [&] {
            std::error_code ec;
            for (const auto &fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
                const std::string target = fs::read_symlink(fd.path(), ec).string();
                if (target.starts_with(dir().string()) && !target.ends_with(".bas") && !target.ends_with(".out") &&
                    !target.ends_with(".err"))
                    return true;
            }
            return false;
        };
        for (int i = 0; i < 2000 && !writing(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(pid, sig);
        const Outcome r = wait(pid);
        ASSERT_EQ(r.status, 128 + sig) << "the conversion ended before the signal";
        EXPECT_EQ(snapshot(dir()), before) << "signal " << sig;
    }
}

TEST_F(PageSafety, AFullDiskLeavesTheOldSet)
{
    writeLargeSource(dir() / "big.bas", 4u << 20);
    writeBytes(dir() / "small.bas", kModule);
    ASSERT_EQ(run({"--code", "Big", "small.bas"}).status, 0);
    const auto before = snapshot(dir());
    Launch launch{{"--code", "Big", "big.bas"}};
    launch.fileSizeLimit = 1u << 20; // the code page needs more
    const Outcome r = run(launch);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_EQ(snapshot(dir()), before);
}

TEST_F(PageSafety, BadSettingsAndBadTargetsChangeNothing)
{
    writeBytes(dir() / "stock.bas", kModule);
    ASSERT_EQ(run({"stock.bas"}).status, 0);
    fs::create_directories(dir() / "dir.html");
    const auto before = snapshot(dir());
    for (const std::string setting : {"Meta User Count=99999", "Meta User Count=two", "Meta System Count=32768"}) {
        const Outcome r = run({"--set", setting, "stock.bas"});
        EXPECT_EQ(r.status, 1) << setting;
        EXPECT_NE(r.err.find("bad setting value: Meta "), std::string::npos) << r.err;
    }
    Outcome r = run({"-o", "dir.html", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: dir.html: is a folder; -o takes the page file name for one source (a folder only for "
                     "several)\n");
    r = run({"-o", std::string(300, 's') + ".html", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File name too long"), std::string::npos) << r.err;
    EXPECT_EQ(snapshot(dir()), before);

    // A code name that is a folder step stays in the target folder.
    for (const auto &[name, page] :
         std::map<std::string, std::string>{{"..", "Module1.html"}, {".", "Module1.html"}, {"../up", ".._up.html"}}) {
        r = run({"--code", name, "stock.bas"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(fs::exists(dir() / page)) << name;
        fs::remove(dir() / page);
    }
    EXPECT_FALSE(fs::exists(dir().parent_path() / "up.html"));
    writeBytes(dir() / "dots.bas", "Attribute VB_Name = \"..\"\r\nSub A()\r\nEnd Sub\r\n");
    fs::create_directories(dir() / "out");
    r = run({"-o", "out", "dots.bas", "stock.bas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir() / "out" / "Module1" / "Code.html"));
}

TEST_F(PageSafety, ABadFontSizeIsReportedAndThePageWritten)
{
    writeBytes(dir() / "stock.bas", kModule);
    const Outcome r = run({"--set", "HTMLComment-Font Size=abc", "stock.bas"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Quorbel: Error No  :  writeCommentHTML \n"
                     "quorbel: stock.bas: bad setting value: HTMLComment-Font Size = \"abc\" (a number is needed); "
                     "Stock.html was written without its comment block\n");
    const std::string page = readBytes(dir() / "Stock" / "Code.html");
    EXPECT_NE(page.find("<Center>\r\n\r\n<HR>"), std::string::npos);
    EXPECT_EQ(page.find("<table"), std::string::npos);
}

TEST_F(PageSafety, TwoRunsAtOnceLeaveOneWholeSet)
{
    writeLargeSource(dir() / "big.bas", 6u << 20);
    for (int round = 0; round < 4; ++round) {
        const pid_t a = start(Launch{{"-q", "--code", "Big", "--project", "A", "big.bas"}}, "a");
        const pid_t b = start(Launch{{"-q", "--code", "Big", "--project", "B", "big.bas"}}, "b");
        ASSERT_EQ(wait(a, "a").status, 0);
        ASSERT_EQ(wait(b, "b").status, 0);
        const std::string frame = readBytes(dir() / "Big.html");
        const std::string code = readBytes(dir() / "Big" / "Code.html");
        const bool fromA = frame.find("<Title>A - Big</Title>") != std::string::npos;
        EXPECT_TRUE(fromA || frame.find("<Title>B - Big</Title>") != std::string::npos);
        EXPECT_NE(code.find(fromA ? "Project : A&nbsp;" : "Project : B&nbsp;"), std::string::npos) << round;
        EXPECT_TRUE(code.ends_with("</BODY></HTML>\r\n"));
    }
}

TEST_F(PageSafety, SourcesWithoutEndAreRefusedAndMemoryStaysSmall)
{
    Outcome r = run({"/dev/zero"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: /dev/zero: not a regular file or a pipe; refused\n");
    Launch piped{{"--max-size", "1M", "-"}};
    piped.stdinFile = "/dev/zero";
    r = run(piped);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorbel: standard input: larger than 1048576 bytes; refused (--max-size sets the limit)\n");
    writeBytes(dir() / "one.bas", std::string(3u << 20, 'x'));
    r = run({"--max-size", "2M", "one.bas"});
    EXPECT_EQ(r.status, 1);

    // One line of 16 MB without a break: the page needs about its size.
    writeBytes(dir() / "line.bas", std::string(16u << 20, 'x'));
    r = run({"-q", "--set", "Frames=0", "line.bas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_LT(r.peakKb, 6 * 16 * 1024) << "peak " << r.peakKb << " KB for a 16 MB line";
}

TEST_F(PageSafety, WriteErrorsOfStandardOutputAndFlagValues)
{
    writeBytes(dir() / "stock.bas", kModule);
    const auto toFull = [&](std::vector<std::string> args) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int full = ::open("/dev/full", O_WRONLY);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(full, 1);
            ::dup2(null, 2);
            if (::chdir(m_dir.c_str()) != 0)
                ::_exit(126);
            std::vector<char *> argv;
            std::string program = QUORBEL_CLI_PATH;
            argv.push_back(program.data());
            for (auto &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    };
    if (::access("/dev/full", W_OK) == 0) {
        const std::string settings = (dir() / "s.sqlite").string();
        EXPECT_EQ(toFull({"convert", "--settings", settings, "--stdout", "stock.bas"}), 1);
        EXPECT_EQ(toFull({"settings", "--settings", settings, "set", "Ext", "htm"}), 0);
        EXPECT_EQ(toFull({"settings", "--settings", settings, "list"}), 1);
        EXPECT_EQ(toFull({"convert", "--settings", settings, "stock.bas"}), 1); // the status line
    }
    for (const std::string flag : {"--stdout=yes", "--quiet=x", "--no-clobber=x"}) {
        const Outcome r = run({flag, "stock.bas"});
        EXPECT_EQ(r.status, 2) << flag;
        EXPECT_NE(r.err.find("takes no value"), std::string::npos) << r.err;
    }
}

} // namespace
