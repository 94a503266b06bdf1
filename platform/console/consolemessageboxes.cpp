#include "platform/console/consolemessageboxes.h"

namespace quorbel {

ConsoleMessageBoxes::ConsoleMessageBoxes(std::ostream &out, Answer questionAnswer)
    : m_out(out), m_questionAnswer(questionAnswer)
{
}

Answer ConsoleMessageBoxes::show(std::string_view text, Buttons buttons, Icon, std::optional<std::string_view> title)
{
    std::string line(title.value_or(kApplicationTitle));
    line += ": ";
    // Message texts use CR LF; a terminal wants LF alone.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i];
    }
    m_out << line << '\n' << std::flush;
    return buttons == Buttons::YesNo ? m_questionAnswer : Answer::Ok;
}

} // namespace quorbel
