#include "platform/settings/memorysettingsstore.h"

#include <algorithm>

namespace quorbel {

namespace {

// A NUL byte separates the parts: it cannot occur in any of them as typed.
std::string indexOf(std::string_view app, std::string_view section, std::string_view key)
{
    std::string index = foldAsciiCase(app);
    index += '\0';
    index += foldAsciiCase(section);
    index += '\0';
    index += foldAsciiCase(key);
    return index;
}

} // namespace

std::optional<std::string> MemorySettingsStore::get(std::string_view app, std::string_view section,
                                                    std::string_view key) const
{
    if (!areStorableNames(app, section, key))
        return std::nullopt;
    auto it = m_entries.find(indexOf(app, section, key));
    if (it == m_entries.end())
        return std::nullopt;
    return it->second.value;
}

void MemorySettingsStore::set(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value)
{
    if (!areStorableNames(app, section, key))
        throw unstorableName();
    auto [it, inserted] = m_entries.try_emplace(indexOf(app, section, key), Entry{std::string(key), {}});
    it->second.value = std::string(value);
}

void MemorySettingsStore::remove(std::string_view app, std::string_view section, std::string_view key)
{
    if (areStorableNames(app, section, key))
        m_entries.erase(indexOf(app, section, key));
}

std::vector<std::pair<std::string, std::string>> MemorySettingsStore::list(std::string_view app,
                                                                           std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    if (!areStorableNames(app, section))
        return result;
    std::string prefix = indexOf(app, section, "");
    for (auto it = m_entries.lower_bound(prefix); it != m_entries.end() && it->first.starts_with(prefix); ++it)
        result.emplace_back(it->second.key, it->second.value);
    return result;
}

} // namespace quorbel
