#pragma once

#include "probar/probar.h"
#include "tests/support/memorypropertybag.h"
#include "tests/support/recordingcontrolhost.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

#include <ostream>

// Readable QString and QStringList values in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zentrim::testing {

// A ProBar that records every rectangle fill of its paints.
class CountingProBar : public ProBar {
public:
    using ProBar::ProBar;

    struct Fill {
        QRect rect;
        QColor colour;
    };
    QList<Fill> fills;

protected:
    void fillRectangle(QPainter &painter, const QRect &rect, const QColor &colour) override
    {
        fills.append({rect, colour});
        ProBar::fillRectangle(painter, rect, colour);
    }
};

// RGB colour values of the control's properties.
constexpr qint32 rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

} // namespace zentrim::testing
