#pragma once

#include "platform/colourdialog.h"

class QWidget;

namespace quorbel {

// Qt's colour dialog, on top of parent.
class QtColourDialog : public ColourDialog {
public:
    explicit QtColourDialog(QWidget *parent = nullptr) : m_parent(parent) {}
    std::optional<std::int32_t> show(std::int32_t initial) override;

private:
    QWidget *m_parent;
};

} // namespace quorbel
