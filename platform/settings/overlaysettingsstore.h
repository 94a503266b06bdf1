#pragma once

#include "platform/settings/memorysettingsstore.h"

namespace quorbel {

// A settings store for one run: values set here are read first, then the
// underlying store. Writes go to the overlay only; the underlying store is
// never changed.
class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(const SettingsStore &base);

    std::optional<std::string> get(std::string_view app, std::string_view section, std::string_view key) const override;
    void set(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override;
    // Hides the key of the underlying store too: readers get their default.
    void remove(std::string_view app, std::string_view section, std::string_view key) override;
    std::vector<std::pair<std::string, std::string>> list(std::string_view app,
                                                          std::string_view section) const override;

private:
    const SettingsStore &m_base;
    MemorySettingsStore m_overlay;
    MemorySettingsStore m_removed; // keys removed in this run (value unused)
};

} // namespace quorbel
