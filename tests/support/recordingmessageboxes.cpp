#include "tests/support/recordingmessageboxes.h"

namespace quorbel::testing {

Answer RecordingMessageBoxes::show(std::string_view text, Buttons buttons, Icon icon,
                                   std::optional<std::string_view> title)
{
    calls.push_back({std::string(text), buttons, icon, std::string(title.value_or(kApplicationTitle))});
    if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

} // namespace quorbel::testing
