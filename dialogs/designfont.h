#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QStringList>

namespace quorbel {

// The dialogs' font: 8 points of MS Sans Serif where the system has it, else
// a condensed sans serif of about its width, so that every caption fits the
// place the design gives it.
inline QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
    font.setPointSize(8);
    return font;
}

// A length of the design in twips (1/1440 inch) in pixels of device.
inline int twipsOn(const QPaintDevice &device, int value)
{
    return (value * device.logicalDpiX() + 720) / 1440;
}

} // namespace quorbel
