#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/pageset.h"
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/settings.h"
#include "engine/sourcetext.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

fs::path scratch(const std::string &name)
{
    return testing::scratchFolder("pageset", name);
}

// Every entry of folder and below, with its bytes (folders as "<dir>").
std::map<std::string, std::string> snapshot(const fs::path &folder)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink())
            entries[name] = "-> " + fs::read_symlink(entry.path()).string();
        else
            entries[name] = entry.is_directory() ? "<dir>" : readBytes(entry.path());
    }
    return entries;
}

mode_t modeOf(const fs::path &path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(PageSet, PagesAppearTogetherOnlyOnCommit)
{
    const fs::path dir = scratch("commit");
    writeBytes(dir / "old.html", "old page");
    ::chmod((dir / "old.html").c_str(), 0640);
    const auto before = snapshot(dir);
    {
        PageSet set;
        const std::size_t a = set.add((dir / "old.html").string());
        set.createFolder((dir / "new").string());
        const std::size_t b = set.add((dir / "new" / "page.html").string());
        set.write(a, "new ");
        set.write(a, "page");
        set.write(b, "second");
        // Written but not committed: nothing seen at the targets.
        EXPECT_EQ(readBytes(dir / "old.html"), "old page");
        EXPECT_FALSE(fs::exists(dir / "new" / "page.html"));
        set.commit();
    }
    EXPECT_EQ(readBytes(dir / "old.html"), "new page");
    EXPECT_EQ(readBytes(dir / "new" / "page.html"), "second");
    // A replaced page keeps its mode; a new one has 0666 less the umask.
    EXPECT_EQ(modeOf(dir / "old.html"), 0640u);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(dir / "new" / "page.html"), 0666u & ~mask);
    EXPECT_EQ(snapshot(dir).size(), before.size() + 2); // no temporary file left

    // Dropped without commit: the old pages, no temporary file, and the
    // folder made for the set gone again.
    const auto committed = snapshot(dir);
    {
        PageSet set;
        set.add((dir / "old.html").string());
        set.createFolder((dir / "other").string());
        set.write(set.add((dir / "other" / "x.html").string()), "lost");
        set.write(0, "lost too");
    }
    EXPECT_EQ(snapshot(dir), committed);
}

TEST(PageSet, TargetsThatCannotBeReplacedAreRefusedOnAdd)
{
    const fs::path dir = scratch("refused");
    fs::create_directories(dir / "folder.html");
    PageSet set;
    EXPECT_THROW(set.add((dir / "folder.html").string()), ConversionError);
    EXPECT_THROW(set.add((dir / (std::string(300, 'x') + ".html")).string()), FileError);
    EXPECT_THROW(set.add((dir / "missing" / "x.html").string()), FileError);
    EXPECT_EQ(snapshot(dir).size(), 1u);
}

TEST(PageSet, ALinkAtTheTargetIsReplacedNotFollowed)
{
    // Another user's link put where the page will be, towards a file of
    // ours: the page replaces the link, the file it pointed to stays.
    const fs::path dir = scratch("link");
    writeBytes(dir / "precious.txt", "keep me");
    fs::create_symlink(dir / "precious.txt", dir / "page.html");
    PageSet set;
    set.write(set.add((dir / "page.html").string()), "page");
    set.commit();
    EXPECT_EQ(readBytes(dir / "precious.txt"), "keep me");
    EXPECT_FALSE(fs::is_symlink(dir / "page.html"));
    EXPECT_EQ(readBytes(dir / "page.html"), "page");
}

// The system's renames, the n-th of which (counting from 1) fails with
// EIO; with swapsFail, every swap fails as on a file system without them.
struct FailingRenames {
    int failAt = 0;
    bool swapsFail = false;
    int calls = 0;
    int operator()(const std::string &from, const std::string &to, unsigned flags)
    {
        if (swapsFail && flags == RENAME_EXCHANGE) {
            errno = EINVAL;
            return -1;
        }
        if (++calls == failAt) {
            errno = EIO;
            return -1;
        }
        return PageSet::systemRename(from, to, flags);
    }
};

TEST(PageSet, ARenameFailingMidwayPutsTheOldSetBack)
{
    // Three pages, two of them replacing old ones and one new, with and
    // without swapping; each rename of the commit fails in turn, until
    // there is none left to fail.
    for (const bool swapsFail : {false, true}) {
        int failures = 0;
        for (int failAt = 1;; ++failAt) {
            ASSERT_LT(failAt, 20);
            const fs::path dir = scratch("rollback");
            writeBytes(dir / "a.html", "old a");
            writeBytes(dir / "b.html", "old b");
            ::chmod((dir / "b.html").c_str(), 0640);
            const auto before = snapshot(dir);
            auto renames = std::make_shared<FailingRenames>(FailingRenames{failAt, swapsFail});
            PageSet set([renames](const std::string &from, const std::string &to, unsigned flags) {
                return (*renames)(from, to, flags);
            });
            for (const char *name : {"a.html", "c.html", "b.html"})
                set.write(set.add((dir / name).string()), std::string("new ") + name[0]);
            try {
                set.commit();
            } catch (const FileError &) {
                ++failures;
                const std::string when = "rename " + std::to_string(failAt) + (swapsFail ? " without swaps" : "");
                EXPECT_EQ(snapshot(dir), before) << when; // no new page, no file left behind
                EXPECT_EQ(modeOf(dir / "b.html"), 0640u) << when;
                continue;
            }
            EXPECT_EQ(snapshot(dir), (std::map<std::string, std::string>{
                                         {"a.html", "new a"}, {"b.html", "new b"}, {"c.html", "new c"}}));
            EXPECT_EQ(modeOf(dir / "b.html"), 0640u);
            break;
        }
        EXPECT_GE(failures, 3) << (swapsFail ? "without swaps" : "with swaps");
    }
}

struct Writer {
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    PageState state;
    EngineServices services{store, messages, clock};
    PageWriter writer{state, services};
    PlainLabel label;
    void set(std::string_view key, std::string_view value) { store.set(kSettingsApp, kSettingsSection, key, value); }
};

TEST(PageSet, AFailedConversionLeavesTheOldSetAsItWas)
{
    const fs::path dir = scratch("failed");
    const std::string target = (dir / "Mod.html").string();
    Writer w;
    w.state.CodeName = "Mod";
    w.writer.writePages("Sub A()\r\nEnd Sub\r\n", target, w.label);
    const auto good = snapshot(dir);
    ASSERT_EQ(good.size(), 4u); // the frame page, the folder and its two pages

    // A META count refused: the head is made before any file is.
    w.set("Meta User Count", "32768");
    EXPECT_THROW(w.writer.writePages("Sub B()\r\n", target, w.label), ConversionError);
    EXPECT_EQ(snapshot(dir), good);
    // The largest count is written.
    w.set("Meta User Count", "32767");
    w.writer.writePages("Sub B()\r\n", target, w.label);
    EXPECT_NE(readBytes(dir / "Mod" / "Code.html").find("<META NAME=''  CONTENT='' >\r\n</HEAD>"), std::string::npos);
    w.set("Meta User Count", "0");

    // The frame page in the way as a folder: refused before anything is
    // written, and the folder made for the set goes again.
    const auto now = snapshot(dir);
    fs::create_directories(dir / "Other.html");
    EXPECT_THROW(w.writer.writePages("Sub C()\r\n", (dir / "Other.html").string(), w.label), ConversionError);
    EXPECT_FALSE(fs::exists(dir / "Other"));
    fs::remove(dir / "Other.html");
    EXPECT_EQ(snapshot(dir), now);
}

TEST(InputFile, ByteOrderMarkIsDropped)
{
    const fs::path dir = scratch("bom");
    writeBytes(dir / "bom.bas", "\xEF\xBB\xBFSub A()\r\n");
    testing::RecordingMessageBoxes messages;
    EXPECT_EQ(InputFile((dir / "bom.bas").string(), messages), "Sub A()\r\n");
    std::string owned = "\xEF\xBB\xBF"
                        "Dim x\n";
    EXPECT_EQ(decodeSource(std::move(owned)).text, "Dim x\r\n");
    EXPECT_EQ(decodeSource(std::string_view("\xEF\xBB\xBF"
                                            "Dim y\r\n"))
                  .text,
              "Dim y\r\n");
}

} // namespace
} // namespace quorbel
