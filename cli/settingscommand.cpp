#include "cli/settingscommand.h"

#include "cli/knownkeys.h"
#include "cli/options.h"
#include "engine/settings.h"
#include "platform/settingsstore.h"

#include <iostream>

namespace quorbel::cli {

namespace {

// One line per setting, whatever the value holds.
std::string escapeValue(std::string_view value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace

int runSettings(const SettingsOptions &options, SettingsStore &store, const std::filesystem::path &file,
                std::ostream &out, std::ostream &err)
{
    const std::string &action = options.action;
    if (action == "path") {
        out << file.string() << '\n';
    } else if (action == "list") {
        for (const auto &[key, value] : store.list(kSettingsApp, kSettingsSection))
            out << key << '=' << escapeValue(value) << '\n';
    } else if (action == "get") {
        const auto value = store.get(kSettingsApp, kSettingsSection, options.arguments[0]);
        if (!value) {
            err << "quorbel: setting \"" << options.arguments[0] << "\" is not set (its default applies)\n";
            return 1;
        }
        out << *value << '\n';
    } else if (action == "set") {
        if (!isKnownKey(options.arguments[0]))
            throw UsageError("unknown setting key \"" + options.arguments[0] + "\"");
        store.set(kSettingsApp, kSettingsSection, options.arguments[0], options.arguments[1]);
    } else if (action == "unset") {
        store.remove(kSettingsApp, kSettingsSection, options.arguments[0]);
    }
    return 0;
}

} // namespace quorbel::cli
