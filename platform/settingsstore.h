#pragma once

#include "platform/error.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorbel {

// Raised by a store that cannot be opened, read or written; what() names the
// file and the cause.
class SettingsError : public Error {
public:
    using Error::Error;
};

// Whether text can name an application, a section or a key: it holds no
// zero byte. Such a name cannot be typed, and SQLite's case-blind matching
// ends at a zero byte (it took "\0A" and "\0B" for one key). The stores
// refuse to write under it, find nothing under it and remove nothing.
inline bool isStorableName(std::string_view text)
{
    return text.find('\0') == std::string_view::npos;
}
inline bool areStorableNames(std::string_view app, std::string_view section, std::string_view key = {})
{
    return isStorableName(app) && isStorableName(section) && isStorableName(key);
}
// What set raises for a name that is not storable.
inline SettingsError unstorableName()
{
    return SettingsError("a setting name cannot hold a zero byte");
}

// The per-user settings store: a text value addressed by application,
// section and key. Keys match without regard to ASCII case; every blank in a
// key counts. Values are kept byte for byte. Names must be storable.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or nothing when the key was never written (an empty
    // value is a value).
    virtual std::optional<std::string> get(std::string_view app, std::string_view section,
                                           std::string_view key) const = 0;
    virtual void set(std::string_view app, std::string_view section, std::string_view key, std::string_view value) = 0;
    // Forgets the key; readers get their default again.
    virtual void remove(std::string_view app, std::string_view section, std::string_view key) = 0;
    // Every key of the section with its value, keys in the letter case they
    // were first written, sorted without regard to case.
    virtual std::vector<std::pair<std::string, std::string>> list(std::string_view app,
                                                                  std::string_view section) const = 0;
};

} // namespace quorbel
