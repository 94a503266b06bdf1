#pragma once

#include "platform/messageboxes.h"

#include <deque>
#include <string>
#include <vector>

namespace quorbel::testing {

// Records every message box shown and answers from a script (Ok or Yes when
// the script is empty).
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Call {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::string title; // the title the box would carry
    };

    Answer show(std::string_view text, Buttons buttons, Icon icon, std::optional<std::string_view> title) override;

    std::vector<Call> calls;
    std::deque<Answer> answers;
};

} // namespace quorbel::testing
