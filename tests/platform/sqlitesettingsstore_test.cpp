#include "platform/settings/memorysettingsstore.h"
#include "platform/sqlite/sqlitesettingsstore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using quorbel::MemorySettingsStore;
using quorbel::SettingsError;
using quorbel::SettingsStore;
using quorbel::SqliteSettingsStore;
namespace fs = std::filesystem;

namespace {

class SqliteSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorbel-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override
    {
        // Folders a test made unwritable must be writable again to go.
        for (const auto &entry : fs::recursive_directory_iterator(m_folder))
            if (entry.is_directory())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }

    fs::path m_folder;
};

mode_t modeOf(const fs::path &path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

std::string contentOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs body in a child process; the child's exit code is 0 when body returns
// true without throwing.
pid_t runChild(const std::function<bool()> &body)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    return pid;
}

bool exitedCleanly(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What() of the error raised by action, or "" when none was raised.
template<typename Action>
std::string settingsErrorOf(Action action)
{
    try {
        action();
    } catch (const SettingsError &error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST_F(SqliteSettingsStoreTest, KeysMatchWithoutCaseAndValuesComeBackByteForByte)
{
    const fs::path file = m_folder / "settings.sqlite";
    const std::string extra = "A little bit\r\nabout me\n\tand my code.\r\n\r\n"
                              "Grüße, 日本語, \xF0\x9F\x98\x80, \x7F\x01 and trailing blanks   ";
    {
        SqliteSettingsStore store(file);
        store.set("Quorbel", "Settings", "Comments-Print Extra", "0");
        store.set("Quorbel", "Settings", "Text    SyntaxColor", "123456");
        store.set("Quorbel", "Settings", "Comments-Extra Info", extra);
        store.set("Quorbel", "Settings", "Meta UserName Info No 0", "");
        store.set("Quorbel", "Settings", "EXT", "htm");
        store.set("Quorbel", "Settings", "ext", "html");
        store.set("Other", "Settings", "Ext", "php");
    }
    SqliteSettingsStore store(file);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Comments-Print extra"), "0");
    EXPECT_EQ(store.get("QUORBEL", "settings", "comments-print extra"), "0");
    EXPECT_EQ(store.get("Quorbel", "Settings", "Text    SyntaxColor"), "123456");
    EXPECT_EQ(store.get("Quorbel", "Settings", "Text SyntaxColor"), std::nullopt);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Text    SyntaxColor "), std::nullopt);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Comments-Extra Info"), extra);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Meta UserName Info No 0"), "");
    EXPECT_EQ(store.get("Quorbel", "Settings", "Never written"), std::nullopt);
    EXPECT_EQ(store.get("Other", "Settings", "ext"), "php");

    auto listed = store.list("Quorbel", "Settings");
    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[0].first, "Comments-Extra Info");
    EXPECT_EQ(listed[2].first, "EXT"); // the first spelling, sorted without case
    EXPECT_EQ(listed[2].second, "html");
    EXPECT_EQ(listed[4].first, "Text    SyntaxColor");

    store.remove("Quorbel", "Settings", "ext");
    EXPECT_EQ(store.get("Quorbel", "Settings", "Ext"), std::nullopt);
    EXPECT_EQ(store.get("Other", "Settings", "Ext"), "php");

    // A store kept open sees what another one wrote since.
    SqliteSettingsStore(file).set("Quorbel", "Settings", "Frames", "0");
    EXPECT_EQ(store.get("Quorbel", "Settings", "frames"), "0");
}

TEST_F(SqliteSettingsStoreTest, NamesWithAZeroByteAreRefusedAsInMemory)
{
    // SQLite's case-blind matching stops at a zero byte: "\0A" and "\0B"
    // were one key there and two in memory.
    const fs::path file = m_folder / "settings.sqlite";
    SqliteSettingsStore sqlite(file);
    MemorySettingsStore memory;
    const std::string zeroA("\0A", 2), zeroB("\0B", 2), app("Quo\0rbel", 9);
    for (SettingsStore *store : {static_cast<SettingsStore *>(&sqlite), static_cast<SettingsStore *>(&memory)}) {
        store->set("Quorbel", "Settings", "Ext", "htm");
        EXPECT_EQ(settingsErrorOf([&] { store->set("Quorbel", "Settings", zeroA, "1"); }),
                  "a setting name cannot hold a zero byte");
        EXPECT_THROW(store->set(app, "Settings", "Ext", "1"), SettingsError);
        EXPECT_EQ(store->get("Quorbel", "Settings", zeroB), std::nullopt);
        EXPECT_EQ(store->get(app, "Settings", "Ext"), std::nullopt);
        store->remove("Quorbel", "Settings", zeroB);
        EXPECT_TRUE(store->list(app, "Settings").empty());
        const auto listed = store->list("Quorbel", "Settings");
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].first, "Ext");
    }
}

TEST_F(SqliteSettingsStoreTest, ReadingAMissingStoreCreatesNothingAndTheFirstWriteCreatesItPrivately)
{
    const fs::path config = m_folder / "config";
    const fs::path file = config / "quorbel" / "settings.sqlite";
    SqliteSettingsStore store(file);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Frames"), std::nullopt);
    EXPECT_TRUE(store.list("Quorbel", "Settings").empty());
    store.remove("Quorbel", "Settings", "Frames");
    EXPECT_FALSE(fs::exists(config));

    // Even a permissive umask gives user-only folders and file.
    const mode_t oldMask = ::umask(0);
    store.set("Quorbel", "Settings", "Frames", "1");
    ::umask(oldMask);
    EXPECT_EQ(modeOf(config), 0700u);
    EXPECT_EQ(modeOf(config / "quorbel"), 0700u);
    EXPECT_EQ(modeOf(file), 0600u);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Frames"), "1");
    EXPECT_FALSE(fs::exists(file.string() + "-journal"));

    // An empty file is an empty store, taken over on the first write.
    const fs::path empty = m_folder / "empty.sqlite";
    std::ofstream{empty};
    SqliteSettingsStore emptyStore(empty);
    EXPECT_EQ(emptyStore.get("Quorbel", "Settings", "Frames"), std::nullopt);
    EXPECT_EQ(fs::file_size(empty), 0u);
    emptyStore.set("Quorbel", "Settings", "Frames", "0");
    EXPECT_EQ(SqliteSettingsStore(empty).get("Quorbel", "Settings", "Frames"), "0");
}

TEST_F(SqliteSettingsStoreTest, SomethingElseAtThePathIsReportedByNameAndLeftUntouched)
{
    const std::string longText(5000, 'x');
    for (const std::string &text : {std::string("Frames=1\n"), "SQLite format 3" + longText}) {
        const fs::path file = m_folder / "notes.txt";
        std::ofstream(file, std::ios::binary) << text;
        SqliteSettingsStore store(file);
        EXPECT_NE(settingsErrorOf([&] { store.get("Quorbel", "Settings", "Frames"); }).find(file.string()),
                  std::string::npos);
        EXPECT_NE(settingsErrorOf([&] { store.set("Quorbel", "Settings", "Frames", "0"); }).find(file.string()),
                  std::string::npos);
        EXPECT_NE(settingsErrorOf([&] { store.list("Quorbel", "Settings"); }), "");
        EXPECT_EQ(contentOf(file), text);
        EXPECT_FALSE(fs::exists(file.string() + "-journal"));
    }

    // A database of another program.
    const fs::path foreign = m_folder / "foreign.sqlite";
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes (text TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const std::string before = contentOf(foreign);
    SqliteSettingsStore foreignStore(foreign);
    EXPECT_NE(settingsErrorOf([&] { foreignStore.set("Quorbel", "Settings", "Frames", "0"); }).find("another program"),
              std::string::npos);
    EXPECT_EQ(contentOf(foreign), before);

    // A folder at the path.
    fs::create_directory(m_folder / "folder.sqlite");
    SqliteSettingsStore folderStore(m_folder / "folder.sqlite");
    EXPECT_NE(settingsErrorOf([&] { folderStore.get("Quorbel", "Settings", "Frames"); }).find("folder.sqlite"),
              std::string::npos);
    EXPECT_NE(settingsErrorOf([&] { folderStore.set("Quorbel", "Settings", "Frames", "0"); }), "");

    // A file where a folder of the path should be: no store can ever be there.
    const fs::path underFile = m_folder / "notes.txt" / "quorbel" / "settings.sqlite";
    EXPECT_NE(settingsErrorOf([&] {
                  SqliteSettingsStore(underFile).get("Quorbel", "Settings", "Frames");
              }).find(underFile.string()),
              std::string::npos);
    EXPECT_NE(settingsErrorOf([&] {
                  SqliteSettingsStore(underFile).set("Quorbel", "Settings", "Frames", "0");
              }).find(underFile.string()),
              std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(m_folder / "notes.txt"));
}

TEST_F(SqliteSettingsStoreTest, UnwritablePlacesGiveSettingsErrors)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const fs::path locked = m_folder / "locked";
    fs::create_directory(locked);
    const fs::path existing = locked / "settings.sqlite";
    SqliteSettingsStore(existing).set("Quorbel", "Settings", "Frames", "0");
    fs::permissions(existing, fs::perms::owner_read);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);

    SqliteSettingsStore store(existing);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Frames"), "0");
    EXPECT_NE(settingsErrorOf([&] { store.set("Quorbel", "Settings", "Frames", "1"); }).find(existing.string()),
              std::string::npos);
    EXPECT_EQ(store.get("Quorbel", "Settings", "Frames"), "0");

    const fs::path missing = locked / "quorbel" / "settings.sqlite";
    EXPECT_NE(settingsErrorOf([&] {
                  SqliteSettingsStore(missing).set("Quorbel", "Settings", "Frames", "1");
              }).find(missing.string()),
              std::string::npos);
    EXPECT_FALSE(fs::exists(locked / "quorbel"));
}

TEST_F(SqliteSettingsStoreTest, TwoProcessesWritingAtOnceBothKeepEveryValue)
{
    const fs::path file = m_folder / "quorbel" / "settings.sqlite";
    constexpr int kKeys = 150;
    auto writer = [&](const std::string &prefix) {
        return runChild([&] {
            SqliteSettingsStore store(file);
            for (int i = 0; i < kKeys; ++i)
                store.set("Quorbel", "Settings", prefix + " " + std::to_string(i),
                          prefix + " value " + std::to_string(i));
            return true;
        });
    };
    // Both start on a store that does not exist yet: creating it races too.
    pid_t first = writer("First");
    pid_t second = writer("Second");
    EXPECT_TRUE(exitedCleanly(first));
    EXPECT_TRUE(exitedCleanly(second));

    SqliteSettingsStore store(file);
    EXPECT_EQ(store.list("Quorbel", "Settings").size(), 2u * kKeys);
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(store.get("Quorbel", "Settings", "first " + std::to_string(i)), "First value " + std::to_string(i));
        EXPECT_EQ(store.get("Quorbel", "Settings", "SECOND " + std::to_string(i)), "Second value " + std::to_string(i));
    }
}

TEST_F(SqliteSettingsStoreTest, AWriterKilledMidWriteLeavesAReadableStore)
{
    const fs::path file = m_folder / "settings.sqlite";
    SqliteSettingsStore(file).set("Quorbel", "Settings", "Comments-Extra Info", "start");
    // Long values span several pages, so a kill can land inside a write.
    const std::string padding(20000, '.');
    // Either the first value or one whole value the writer wrote.
    auto valid = [&](const std::string &value) {
        const std::string suffix = " " + padding;
        if (value == "start")
            return true;
        if (!value.starts_with("value ") || !value.ends_with(suffix) || value.size() <= 6 + suffix.size())
            return false;
        const std::string number = value.substr(6, value.size() - 6 - suffix.size());
        return number.find_first_not_of("0123456789") == std::string::npos;
    };
    // A journal left behind shows that the kill landed inside a write; go on
    // until a few did, so the recovery is really exercised.
    int hotJournals = 0;
    for (int round = 0; round < 40 && hotJournals < 3; ++round) {
        pid_t child = runChild([&] {
            SqliteSettingsStore store(file);
            for (int i = 0;; ++i) {
                store.set("Quorbel", "Settings", "Comments-Extra Info", "value " + std::to_string(i) + " " + padding);
                store.set("Quorbel", "Settings", "Counter " + std::to_string(i % 50), std::to_string(i));
            }
            return true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 7 * (round % 6)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        hotJournals += fs::exists(file.string() + "-journal");

        SqliteSettingsStore store(file);
        auto value = store.get("Quorbel", "Settings", "comments-extra info");
        ASSERT_TRUE(value);
        EXPECT_TRUE(valid(*value)) << value->substr(0, 40);
        store.set("Quorbel", "Settings", "Frames", std::to_string(round));
        EXPECT_EQ(SqliteSettingsStore(file).get("Quorbel", "Settings", "Frames"), std::to_string(round));
    }
    EXPECT_GT(hotJournals, 0) << "no kill landed inside a write";
}

TEST(SqliteSettingsStoreDefaultFile, LiesInTheUsersConfigFolder)
{
    EXPECT_EQ(SqliteSettingsStore::defaultFile("/x/config", "/home/u"), "/x/config/quorbel/settings.sqlite");
    EXPECT_EQ(SqliteSettingsStore::defaultFile(nullptr, "/home/u"), "/home/u/.config/quorbel/settings.sqlite");
    EXPECT_EQ(SqliteSettingsStore::defaultFile("", "/home/u"), "/home/u/.config/quorbel/settings.sqlite");
    EXPECT_EQ(SqliteSettingsStore::defaultFile("relative", "/home/u"), "/home/u/.config/quorbel/settings.sqlite");
    EXPECT_THROW(SqliteSettingsStore::defaultFile(nullptr, ""), SettingsError);
    EXPECT_EQ(SqliteSettingsStore::defaultFile().filename(), "settings.sqlite");
}
