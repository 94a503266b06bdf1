#include "platform/settings/overlaysettingsstore.h"

#include <algorithm>

namespace quorbel {

OverlaySettingsStore::OverlaySettingsStore(const SettingsStore &base) : m_base(base)
{
}

std::optional<std::string> OverlaySettingsStore::get(std::string_view app, std::string_view section,
                                                     std::string_view key) const
{
    if (auto value = m_overlay.get(app, section, key))
        return value;
    if (m_removed.get(app, section, key))
        return std::nullopt;
    return m_base.get(app, section, key);
}

void OverlaySettingsStore::set(std::string_view app, std::string_view section, std::string_view key,
                               std::string_view value)
{
    m_removed.remove(app, section, key);
    m_overlay.set(app, section, key, value);
}

void OverlaySettingsStore::remove(std::string_view app, std::string_view section, std::string_view key)
{
    m_overlay.remove(app, section, key);
    m_removed.set(app, section, key, {});
}

std::vector<std::pair<std::string, std::string>> OverlaySettingsStore::list(std::string_view app,
                                                                            std::string_view section) const
{
    auto entries = m_overlay.list(app, section);
    for (auto &entry : m_base.list(app, section)) {
        const bool shadowed = m_overlay.get(app, section, entry.first) || m_removed.get(app, section, entry.first);
        if (!shadowed)
            entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto &a, const auto &b) { return foldAsciiCase(a.first) < foldAsciiCase(b.first); });
    return entries;
}

} // namespace quorbel
