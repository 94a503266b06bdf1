#pragma once

#include "platform/settingsstore.h"

#include <filesystem>

struct sqlite3;

namespace quorbel {

// The per-user settings store kept in one SQLite file: one table whose key
// column (and application and section) match without regard to ASCII case.
//
// Reading a file that does not exist gives nothing and creates nothing. The
// first write creates the missing folders (user-only, 0700) and the file
// (user-only, 0600). Every write is one transaction; concurrent writers wait
// for each other (busy timeout) instead of failing, and a writer killed
// half-way leaves the old value (rollback journal).
//
// A path that is a folder, a file that is not a SQLite database, a database
// of another program, or a file or folder that cannot be read or written
// raises SettingsError naming the file; such a file is never changed.
//
// The connection is opened on first use and kept; not for use from several
// threads at once.
class SqliteSettingsStore : public SettingsStore {
public:
    explicit SqliteSettingsStore(std::filesystem::path file);
    ~SqliteSettingsStore() override;
    SqliteSettingsStore(const SqliteSettingsStore &) = delete;
    SqliteSettingsStore &operator=(const SqliteSettingsStore &) = delete;

    const std::filesystem::path &file() const { return m_file; }

    // The per-user store file: $XDG_CONFIG_HOME/quorbel/settings.sqlite when
    // XDG_CONFIG_HOME is an absolute path, else ~/.config/quorbel/ (home from
    // HOME, else the password database). Throws SettingsError when no home
    // folder can be found.
    static std::filesystem::path defaultFile();
    // The same from given values of XDG_CONFIG_HOME and HOME (null: unset).
    static std::filesystem::path defaultFile(const char *xdgConfigHome, const char *home);

    std::optional<std::string> get(std::string_view app, std::string_view section, std::string_view key) const override;
    void set(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override;
    void remove(std::string_view app, std::string_view section, std::string_view key) override;
    std::vector<std::pair<std::string, std::string>> list(std::string_view app,
                                                          std::string_view section) const override;

private:
    // The open connection, or null when the file does not exist and create
    // is false. With create, makes the folders and the file first.
    sqlite3 *connection(bool create) const;
    // Whether the table exists yet (an empty file is a store with no values).
    bool hasTable() const;
    // Runs one write transaction: creates the table when missing, then
    // runs sql with app, section, key and, if given, value bound.
    void write(const char *sql, std::string_view app, std::string_view section, std::string_view key,
               const std::string_view *value);

    std::filesystem::path m_file;
    mutable sqlite3 *m_db = nullptr;
    mutable bool m_hasTable = false;
};

} // namespace quorbel
