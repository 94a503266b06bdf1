#include "engine/settings.h"

#include "engine/colour.h"
#include "engine/settingkeys.h"
#include "platform/settingsstore.h"

#include <charconv>
#include <stdexcept>

namespace quorbel {

namespace {

// A colour value written as text ("255", " -1 ") must be a whole number that
// fits 32 bits; anything else is the caller's error, like a type mismatch.
std::int32_t wholeNumberOf(std::string_view text)
{
    auto first = text.find_first_not_of(' ');
    auto last = text.find_last_not_of(' ');
    std::string_view digits =
        first == std::string_view::npos ? std::string_view{} : text.substr(first, last - first + 1);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw std::invalid_argument("the colour value \"" + std::string(text) + "\" is not a whole number");
    return number;
}

} // namespace

SettingValue readSetting(const SettingsStore &store, std::string_view key, std::string_view def, bool isColour)
{
    std::string text = readText(store, key, def);
    if (isColour)
        return hexToRGB(text);
    return text;
}

std::string readText(const SettingsStore &store, std::string_view key, std::string_view def)
{
    std::optional<std::string> stored = store.get(kSettingsApp, kSettingsSection, key);
    return stored ? std::move(*stored) : std::string(def);
}

void writeSetting(SettingsStore &store, MessageBoxes &messages, std::string_view key, const SettingValue &value,
                  bool isColour)
{
    std::string text;
    if (isColour) {
        std::int32_t colour = 0;
        if (const auto *number = std::get_if<std::int32_t>(&value))
            colour = *number;
        else if (const auto *flag = std::get_if<bool>(&value))
            colour = *flag ? 1 : 0;
        else
            colour = wholeNumberOf(std::get<std::string>(value));
        text = rgbToHex(colour, messages);
    } else if (std::holds_alternative<std::int32_t>(value)) {
        text = std::to_string(std::get<std::int32_t>(value));
    } else if (std::holds_alternative<bool>(value)) {
        text = std::get<bool>(value) ? "True" : "False";
    } else {
        text = std::get<std::string>(value);
    }
    store.set(kSettingsApp, kSettingsSection, key, text);
}

void loadSyntaxDefaults(SyntaxTables &tables)
{
    tables.syntaxNames = {"Text    ", "Comment ", "Key     ", "ID      ", "BGround "};
    for (std::size_t i = 0; i < tables.syntaxNames.size(); ++i)
        tables.syntaxDefaults[i] = keys::defaultFor(syntaxColourKey(tables, static_cast<int>(i)), keys::Reader::Window);
}

std::string syntaxColourKey(const SyntaxTables &tables, int index)
{
    if (index < 0 || index >= static_cast<int>(tables.syntaxNames.size()))
        throw std::out_of_range("syntax element index " + std::to_string(index) + " is not 0 to 4");
    std::string key = tables.syntaxNames[static_cast<std::size_t>(index)];
    key += keys::SyntaxColorSuffix;
    return key;
}

} // namespace quorbel
