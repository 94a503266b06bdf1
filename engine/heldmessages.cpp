#include "engine/heldmessages.h"

#include <stdexcept>

namespace quorbel {

Answer HeldMessages::show(std::string_view text, Buttons buttons, Icon icon, std::optional<std::string_view> title)
{
    if (buttons != Buttons::Ok)
        throw std::logic_error("a question cannot be asked from a worker thread: " + std::string(text));
    m_held.push_back({std::string(text), icon, title ? std::optional<std::string>(*title) : std::nullopt});
    return Answer::Ok;
}

void HeldMessages::replay(MessageBoxes &to) const
{
    for (const Message &message : m_held)
        to.show(message.text, Buttons::Ok, message.icon, message.title);
}

} // namespace quorbel
