#pragma once

#include "platform/messageboxes.h"

#include <optional>
#include <string>
#include <vector>

namespace quorbel {

// Message boxes for work done on another thread: messages are kept, to be
// shown in order on the calling thread by replay. A question cannot wait for
// its answer there: show refuses one with std::logic_error rather than
// answer it by itself.
class HeldMessages : public MessageBoxes {
public:
    Answer show(std::string_view text, Buttons buttons, Icon icon, std::optional<std::string_view> title) override;

    // Shows the held messages on to, in the order they came; keeps them.
    void replay(MessageBoxes &to) const;
    void clear() { m_held.clear(); }
    bool empty() const { return m_held.empty(); }

private:
    struct Message {
        std::string text;
        Icon icon;
        std::optional<std::string> title;
    };
    std::vector<Message> m_held;
};

} // namespace quorbel
