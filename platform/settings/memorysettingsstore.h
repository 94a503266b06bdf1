#pragma once

#include "engine/asciicase.h"
#include "platform/settingsstore.h"

#include <map>
#include <string>

namespace quorbel {

// A settings store held in memory: for tests, and as the overlay of values
// that the command line uses for one run only.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> get(std::string_view app, std::string_view section, std::string_view key) const override;
    void set(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override;
    void remove(std::string_view app, std::string_view section, std::string_view key) override;
    std::vector<std::pair<std::string, std::string>> list(std::string_view app,
                                                          std::string_view section) const override;

private:
    struct Entry {
        std::string key; // as first written
        std::string value;
    };
    // Indexed by application, section and key folded to lower case (ASCII).
    std::map<std::string, Entry> m_entries;
};

} // namespace quorbel
