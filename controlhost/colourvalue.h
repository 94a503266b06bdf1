#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace quorbel {

// A colour value of a control property: red + 256 * green + 65536 * blue, or,
// with the top bit set, a reference to a system colour whose index is in the
// low byte.
constexpr qint32 systemColour(quint8 index)
{
    return static_cast<qint32>(0x80000000u | index);
}
constexpr qint32 sysButtonFace = systemColour(0x0F);
constexpr qint32 sysHighlight = systemColour(0x0D);
constexpr qint32 sysWindowBackground = systemColour(0x05);

constexpr bool isSystemColour(qint32 value)
{
    return value < 0;
}

// A colour value (not a system colour reference) as a QColor, and back.
inline QColor colourFromValue(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}
inline qint32 valueOfColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

// The colour a value stands for now: an RGB value directly (the top byte is
// not used), a system colour reference through the palette. System colour
// indexes follow the classic desktop table; an index without a counterpart
// gives the window colour.
inline QColor resolveColour(qint32 value, const QPalette &palette)
{
    const auto bits = static_cast<quint32>(value);
    if (!isSystemColour(value))
        return colourFromValue(value);
    switch (bits & 0xFF) {
    case 2:
    case 13:
    case 27:
    case 29:
        return palette.color(QPalette::Highlight);
    case 3:
    case 28:
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5:
        return palette.color(QPalette::Base);
    case 6:
    case 21:
        return palette.color(QPalette::Shadow);
    case 7:
        return palette.color(QPalette::WindowText);
    case 8:
        return palette.color(QPalette::Text);
    case 9:
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 12:
    case 16:
        return palette.color(QPalette::Dark);
    case 15:
        return palette.color(QPalette::Button);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 19:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 20:
        return palette.color(QPalette::Light);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    case 26:
        return palette.color(QPalette::Link);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace quorbel
