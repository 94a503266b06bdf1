#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace quorbel {

// Colour value (red + 256 * green + 65536 * blue) <-> QColor.
QColor colourFromValue(qint32 value);
qint32 valueOfColour(const QColor &colour);

// The colour a colour property shows: a colour value as it is, a system
// colour reference (top bit set, index in the low byte: 5 window
// background, 8 window text, 13 selection, 15 button face, ...) resolved
// through the palette. An unknown index gives the window background.
QColor resolveColour(qint32 value, const QPalette &palette);

} // namespace quorbel
