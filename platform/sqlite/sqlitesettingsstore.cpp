#include "platform/sqlite/sqlitesettingsstore.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

// Marks a database as ours ("QRBL"), so that a database of another program
// found at the store's path is refused instead of being written into.
constexpr int kApplicationId = 0x5152424C;
// Writers of the same store (two converter windows, the command line) take
// turns; a settings write is short, so waiting this long means a stuck peer.
constexpr int kBusyTimeoutMs = 10000;

constexpr const char *kCreateTable = "CREATE TABLE IF NOT EXISTS settings ("
                                     " app TEXT NOT NULL COLLATE NOCASE,"
                                     " section TEXT NOT NULL COLLATE NOCASE,"
                                     " key TEXT NOT NULL COLLATE NOCASE,"
                                     " value TEXT NOT NULL,"
                                     " PRIMARY KEY (app, section, key)) WITHOUT ROWID";

[[noreturn]] void raise(const std::filesystem::path &file, std::string_view reason)
{
    std::string message = "The settings store \"";
    message += file.string();
    message += "\" cannot be used: ";
    message += reason;
    throw SettingsError(message);
}

// A prepared statement that finalises itself; failures raise SettingsError.
class Statement {
public:
    Statement(sqlite3 *db, const std::filesystem::path &file, const char *sql) : m_db(db), m_file(file)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            raise(m_file, sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, std::string_view text)
    {
        // An empty view may carry a null pointer, which SQLite would store as
        // NULL instead of as the empty text.
        const char *data = text.data() ? text.data() : "";
        if (sqlite3_bind_text64(m_statement, index, data, text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
            raise(m_file, sqlite3_errmsg(m_db));
    }
    // True while there is a row to read.
    bool step()
    {
        int result = sqlite3_step(m_statement);
        if (result == SQLITE_ROW)
            return true;
        if (result != SQLITE_DONE)
            raise(m_file, sqlite3_errmsg(m_db));
        return false;
    }
    std::string text(int column) const
    {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
        const int size = sqlite3_column_bytes(m_statement, column);
        return data ? std::string(data, static_cast<std::size_t>(size)) : std::string();
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(m_statement, column); }

private:
    sqlite3 *m_db;
    const std::filesystem::path &m_file;
    sqlite3_stmt *m_statement = nullptr;
};

void execute(sqlite3 *db, const std::filesystem::path &file, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string reason = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        raise(file, reason);
    }
}

// Creates every missing folder above file, user-only like the rest of the
// user's configuration.
void createFolders(const std::filesystem::path &file)
{
    std::filesystem::path folder;
    for (const auto &part : file.parent_path()) {
        folder /= part;
        struct stat status {};
        if (::stat(folder.c_str(), &status) == 0)
            continue;
        if (errno != ENOENT || (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST))
            raise(file, "cannot create the folder \"" + folder.string() + "\": " + std::strerror(errno));
        ::chmod(folder.c_str(), 0700); // the umask may have taken bits away
    }
}

// Creates the empty store file (an empty file is an empty SQLite database)
// with user-only permissions before SQLite sees it, since SQLite would create
// it readable by everyone and gives its journal the file's permissions.
void createFile(const std::filesystem::path &file)
{
    createFolders(file);
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST) // another process was first
            return;
        raise(file, std::string("cannot create the file: ") + std::strerror(errno));
    }
    ::fchmod(fd, 0600);
    ::close(fd);
}

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    struct passwd entry {};
    struct passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

} // namespace

SqliteSettingsStore::SqliteSettingsStore(std::filesystem::path file) : m_file(std::move(file))
{
}

SqliteSettingsStore::~SqliteSettingsStore()
{
    sqlite3_close(m_db);
}

std::filesystem::path SqliteSettingsStore::defaultFile()
{
    const std::string home = homeFolder();
    return defaultFile(std::getenv("XDG_CONFIG_HOME"), home.empty() ? nullptr : home.c_str());
}

std::filesystem::path SqliteSettingsStore::defaultFile(const char *xdgConfigHome, const char *home)
{
    std::filesystem::path folder;
    // A relative XDG_CONFIG_HOME is invalid and to be ignored.
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        folder = xdgConfigHome;
    else if (home && *home)
        folder = std::filesystem::path(home) / ".config";
    else
        throw SettingsError("The settings store cannot be found: neither XDG_CONFIG_HOME nor HOME is set");
    return folder / "quorbel" / "settings.sqlite";
}

sqlite3 *SqliteSettingsStore::connection(bool create) const
{
    if (m_db)
        return m_db;
    struct stat status {};
    if (::stat(m_file.c_str(), &status) != 0) {
        if (errno != ENOENT)
            raise(m_file, std::strerror(errno));
        if (!create)
            return nullptr;
        createFile(m_file);
    } else if (S_ISDIR(status.st_mode)) {
        raise(m_file, "it is a folder, not a file");
    } else if (!S_ISREG(status.st_mode)) {
        raise(m_file, "it is not a regular file");
    }

    sqlite3 *db = nullptr;
    // Without SQLITE_OPEN_CREATE: a file removed since the check above is
    // reported, not silently made anew.
    if (sqlite3_open_v2(m_file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::string reason = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        raise(m_file, reason);
    }
    try {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // Reading the header is the first access: a file that is not a
        // database fails here, before anything could be written to it.
        Statement id(db, m_file, "PRAGMA application_id");
        id.step();
        if (id.number(0) != kApplicationId) {
            Statement objects(db, m_file, "SELECT count(*) FROM sqlite_schema");
            objects.step();
            if (id.number(0) != 0 || objects.number(0) != 0)
                raise(m_file, "it is a database of another program, not a settings store");
        }
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    m_db = db;
    return m_db;
}

bool SqliteSettingsStore::hasTable() const
{
    if (!m_hasTable) {
        Statement table(m_db, m_file, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = 'settings'");
        m_hasTable = table.step();
    }
    return m_hasTable;
}

std::optional<std::string> SqliteSettingsStore::get(std::string_view app, std::string_view section,
                                                    std::string_view key) const
{
    if (!areStorableNames(app, section, key) || !connection(false) || !hasTable())
        return std::nullopt;
    Statement select(m_db, m_file, "SELECT value FROM settings WHERE app = ?1 AND section = ?2 AND key = ?3");
    select.bind(1, app);
    select.bind(2, section);
    select.bind(3, key);
    if (!select.step())
        return std::nullopt;
    return select.text(0);
}

void SqliteSettingsStore::set(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value)
{
    if (!areStorableNames(app, section, key))
        throw unstorableName();
    // The key keeps the spelling it was first written with, as list shows.
    write("INSERT INTO settings (app, section, key, value) VALUES (?1, ?2, ?3, ?4)"
          " ON CONFLICT (app, section, key) DO UPDATE SET value = excluded.value",
          app, section, key, &value);
}

void SqliteSettingsStore::remove(std::string_view app, std::string_view section, std::string_view key)
{
    if (!areStorableNames(app, section, key) || !connection(false) || !hasTable())
        return;
    write("DELETE FROM settings WHERE app = ?1 AND section = ?2 AND key = ?3", app, section, key, nullptr);
}

std::vector<std::pair<std::string, std::string>> SqliteSettingsStore::list(std::string_view app,
                                                                           std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    if (!areStorableNames(app, section) || !connection(false) || !hasTable())
        return result;
    Statement select(m_db, m_file, "SELECT key, value FROM settings WHERE app = ?1 AND section = ?2 ORDER BY key");
    select.bind(1, app);
    select.bind(2, section);
    while (select.step())
        result.emplace_back(select.text(0), select.text(1));
    return result;
}

void SqliteSettingsStore::write(const char *sql, std::string_view app, std::string_view section, std::string_view key,
                                const std::string_view *value)
{
    sqlite3 *db = connection(true);
    // IMMEDIATE takes the write lock at once, so two writers queue on the
    // busy timeout instead of one failing when it upgrades a read lock.
    execute(db, m_file, "BEGIN IMMEDIATE");
    try {
        if (!hasTable()) {
            execute(db, m_file, kCreateTable);
            execute(db, m_file, ("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
        }
        Statement statement(db, m_file, sql);
        statement.bind(1, app);
        statement.bind(2, section);
        statement.bind(3, key);
        if (value)
            statement.bind(4, *value);
        statement.step();
        execute(db, m_file, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_hasTable = false; // the table may have been created in the undone transaction
        throw;
    }
}

} // namespace quorbel
