#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Yes, No };

// The title a message box carries when the caller gives none.
inline constexpr std::string_view kApplicationTitle = "Quorbel";

// Message boxes: every text the system shows to a person in a box goes
// through here. Implementations: Qt's message box for the windows, standard
// error for the command line, a recording double for tests.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows text with the given buttons and icon. Without a title the box is
    // titled kApplicationTitle. Returns the button chosen.
    virtual Answer show(std::string_view text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                        std::optional<std::string_view> title = std::nullopt) = 0;
};

} // namespace quorbel
