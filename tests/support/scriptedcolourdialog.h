#pragma once

#include "platform/colourdialog.h"

#include <deque>
#include <vector>

namespace quorbel::testing {

// A colour dialog that answers from a script (a colour value, or nullopt for
// a cancel; a cancel when the script is empty) and records the colour each
// call started from.
class ScriptedColourDialog : public ColourDialog {
public:
    std::optional<std::int32_t> show(std::int32_t initial) override
    {
        started.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::int32_t> started;
    std::deque<std::optional<std::int32_t>> answers;
};

} // namespace quorbel::testing
