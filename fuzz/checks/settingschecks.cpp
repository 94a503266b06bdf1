// The settings store's key handling for any sequence of operations: the
// in-memory store and the SQLite store must answer alike.
#include "fuzz/checks/fuzzchecks.h"

#include "platform/settings/memorysettingsstore.h"
#include "platform/sqlite/sqlitesettingsstore.h"

#include <unistd.h>

#include <filesystem>

namespace quorbel::fuzz {
namespace {

namespace fs = std::filesystem;

void require(bool holds, const std::string &property)
{
    if (!holds)
        throw PropertyViolation(property);
}

// Keys are drawn from letters in both cases, blanks, a zero byte and a
// letter outside ASCII in both cases (which does not fold).
constexpr std::string_view kKeyBytes[] = {"a",        "A",       "b", "B", " ", "-", std::string_view("\0", 1),
                                          "\xC3\xA9", "\xC3\x89"};

std::string keyFrom(std::string_view bytes, std::size_t &at)
{
    std::string key;
    const std::size_t length = at < bytes.size() ? static_cast<unsigned char>(bytes[at++]) % 4 : 0;
    for (std::size_t n = 0; n < length && at < bytes.size(); ++n)
        key += kKeyBytes[static_cast<unsigned char>(bytes[at++]) % std::size(kKeyBytes)];
    return key;
}

std::string shown(const std::optional<std::string> &value)
{
    return value ? "[" + *value + "]" : "nothing";
}

// One scratch file per process, removed before every input.
fs::path scratchFile()
{
    static const fs::path folder = fs::temp_directory_path() / ("quorbel-fuzz-" + std::to_string(::getpid()));
    return folder / "settings.sqlite";
}

} // namespace

void checkSettingsKeys(std::string_view operations)
{
    constexpr std::string_view app = "Quorbel";
    constexpr std::string_view section = "Settings";
    const fs::path file = scratchFile();
    fs::remove_all(file.parent_path());
    MemorySettingsStore memory;
    {
        SqliteSettingsStore sqlite(file);
        int values = 0;
        for (std::size_t at = 0; at < operations.size();) {
            const unsigned op = static_cast<unsigned char>(operations[at++]) % 4;
            const std::string key = keyFrom(operations, at);
            if (op == 0) {
                // Both store the value, or both refuse the key.
                const std::string value = "v" + std::to_string(values++);
                const auto refused = [&](SettingsStore &store) {
                    try {
                        store.set(app, section, key, value);
                        return false;
                    } catch (const SettingsError &) {
                        return true;
                    }
                };
                const bool inMemory = refused(memory);
                require(inMemory == refused(sqlite), "set [" + key + "]: one store refused it, the other did not");
                require(inMemory == !isStorableName(key),
                        "set [" + key + "]: refused a storable key, or stored one that is not");
            } else if (op == 1) {
                const auto inMemory = memory.get(app, section, key);
                const auto inFile = sqlite.get(app, section, key);
                require(inMemory == inFile,
                        "get [" + key + "]: memory " + shown(inMemory) + ", SQLite " + shown(inFile));
            } else if (op == 2) {
                memory.remove(app, section, key);
                sqlite.remove(app, section, key);
            } else {
                require(memory.list(app, section) == sqlite.list(app, section), "the stores list different keys");
            }
        }
        require(memory.list(app, section) == sqlite.list(app, section), "the stores list different keys at the end");
    }
    // What was written is read back by a new connection.
    const SqliteSettingsStore reopened(file);
    require(memory.list(app, section) == reopened.list(app, section), "the SQLite file lost keys");
    fs::remove_all(file.parent_path());
}

} // namespace quorbel::fuzz
