#pragma once

#include "platform/messageboxes.h"

#include <ostream>

namespace quorbel {

// Message boxes of the command line: each text is one line on the given
// stream (standard error), "Title: text", line breaks of the text kept as
// line breaks of the terminal. A question is not asked: it gets the answer
// chosen for the run.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    explicit ConsoleMessageBoxes(std::ostream &out, Answer questionAnswer = Answer::No);

    Answer show(std::string_view text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                std::optional<std::string_view> title = std::nullopt) override;

private:
    std::ostream &m_out;
    Answer m_questionAnswer;
};

} // namespace quorbel
