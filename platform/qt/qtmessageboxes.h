#pragma once

#include "platform/messageboxes.h"

class QWidget;

namespace quorbel {

// Message boxes of the windows: a modal QMessageBox over parent (which may be
// null), with OK or Yes and No, the icon asked for (an exclamation shows as
// a warning) and the application title unless the caller gives one.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget *parent = nullptr);

    Answer show(std::string_view text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                std::optional<std::string_view> title = std::nullopt) override;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent;
};

} // namespace quorbel
