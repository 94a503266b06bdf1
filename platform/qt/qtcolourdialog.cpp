#include "platform/qt/qtcolourdialog.h"

#include <QColorDialog>

namespace quorbel {

std::optional<std::int32_t> QtColourDialog::show(std::int32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, m_parent);
    if (!chosen.isValid())
        return std::nullopt; // cancelled
    return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
}

} // namespace quorbel
