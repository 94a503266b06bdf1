#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quorbel {

// The host's per-user list of registered add-ins: one entry per ProgID with
// its display name, the library that holds it and whether the host loads it
// at start. An INI file in the user's config folder; the add-in library's
// register entry point writes it and the host reads it.
struct AddInEntry {
    std::string progId;
    std::string displayName;
    std::string libraryPath;
    bool loadAtStartup = true;
};

class AddInListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class AddInList {
public:
    // file: the list's path; it need not exist yet.
    explicit AddInList(std::string file);
    // $XDG_CONFIG_HOME/quorbel/addins.ini, or ~/.config/quorbel/addins.ini.
    static std::string defaultFile();

    // Every entry, in the order of their ProgIDs. A missing file is an empty
    // list; an unreadable or malformed one throws AddInListError.
    std::vector<AddInEntry> entries() const;
    // Adds or replaces the entry of entry.progId. Throws AddInListError when
    // the file cannot be written.
    void put(const AddInEntry &entry);
    // Removes the entry of progId; false when there was none.
    bool remove(const std::string &progId);

    const std::string &file() const { return m_file; }

private:
    std::string m_file;
};

} // namespace quorbel
