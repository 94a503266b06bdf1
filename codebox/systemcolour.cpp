#include "codebox/systemcolour.h"

namespace quorbel {

QColor colourFromValue(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 valueOfColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor resolveColour(qint32 value, const QPalette &palette)
{
    if ((static_cast<quint32>(value) & 0x80000000u) == 0)
        return colourFromValue(value);
    // The system colour indexes of the platform the controls come from,
    // mapped to the palette roles that play the same part here.
    switch (value & 0xFF) {
    case 0:
        return palette.color(QPalette::Base); // scroll bars
    case 1:
        return palette.color(QPalette::Window); // desktop
    case 2:
        return palette.color(QPalette::Highlight); // active caption
    case 3:
        return palette.color(QPalette::Mid); // inactive caption
    case 4:
        return palette.color(QPalette::Window); // menu bar
    case 5:
        return palette.color(QPalette::Base); // window background
    case 6:
        return palette.color(QPalette::Shadow); // window frame
    case 7:
        return palette.color(QPalette::WindowText); // menu text
    case 8:
        return palette.color(QPalette::Text); // window text
    case 9:
        return palette.color(QPalette::HighlightedText); // caption text
    case 10:
        return palette.color(QPalette::Mid); // active border
    case 11:
        return palette.color(QPalette::Midlight); // inactive border
    case 12:
        return palette.color(QPalette::Dark); // application workspace
    case 13:
        return palette.color(QPalette::Highlight); // selection
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button); // button face
    case 16:
        return palette.color(QPalette::Dark); // button shadow
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 19:
        return palette.color(QPalette::Inactive, QPalette::WindowText);
    case 20:
        return palette.color(QPalette::Light); // button highlight
    case 21:
        return palette.color(QPalette::Shadow); // 3-D dark shadow
    case 22:
        return palette.color(QPalette::Midlight); // 3-D light
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Base);
    }
}

} // namespace quorbel
