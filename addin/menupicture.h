#pragma once

#include <QImage>

namespace quorbel {

// The face of the add-in's menu entry: 19 x 15 pixels, short dashes of blue,
// orange, black and green on light grey (192, 192, 192), like lines of
// coloured code.
QImage menuPicture();

} // namespace quorbel
