#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quorbel {

class MessageBoxes;
class SettingsStore;

// Every setting of the system lives under this application and section.
inline constexpr std::string_view kSettingsApp = "Quorbel";
inline constexpr std::string_view kSettingsSection = "Settings";

// A setting as read: text, or a colour value when read with the colour flag.
// A value to write may also be a Boolean.
using SettingValue = std::variant<std::string, std::int32_t, bool>;

// The stored text of key, or def when nothing is stored; with isColour the
// text goes through hexToRGB and the result is the colour value. Store
// failures (SettingsError) pass to the caller.
SettingValue readSetting(const SettingsStore &store, std::string_view key, std::string_view def, bool isColour);
// readSetting without the colour flag.
std::string readText(const SettingsStore &store, std::string_view key, std::string_view def);

// Stores value under key. With isColour the value is taken as a whole number
// (a colour value; a text is read as its decimal number, blanks around it
// allowed, and std::invalid_argument is thrown when it is not one) and stored
// as its colour string (a Boolean counts as 1 or 0); otherwise its text form
// is stored: a number as decimal digits, a Boolean as the word True or False
// (check box states are numbers, "0" or "1"). messages receives the range message of rgbToHex. Store
// failures (SettingsError) pass to the caller.
void writeSetting(SettingsStore &store, MessageBoxes &messages, std::string_view key, const SettingValue &value,
                  bool isColour);

// The syntax element tables: five elements (text, comment, keyword,
// identifier, background) with 8-character names and default colours.
struct SyntaxTables {
    std::array<std::string, 5> syntaxNames;
    std::array<std::string, 5> syntaxDefaults;
};
enum SyntaxElement { SyntaxText = 0, SyntaxComment = 1, SyntaxKey = 2, SyntaxID = 3, SyntaxBGround = 4 };

void loadSyntaxDefaults(SyntaxTables &tables);
// The settings key of element index: its 8-character name followed directly
// by "SyntaxColor". Throws std::out_of_range for an index outside 0 to 4.
std::string syntaxColourKey(const SyntaxTables &tables, int index);

} // namespace quorbel
