#pragma once

#include <QRect>

class QPainter;

namespace quorbel {

class RichTextBox;

// The box's part of printing (the rich edit message EM_FORMATRANGE): draws
// the box's text from position from (line breaks count two) up to to (-1:
// the end) with painter, in the box's font and the characters' colours,
// into draw (twips, from the device's origin) where it lies on page (the
// part of draw outside page is left out: a margin smaller than the device's
// unprintable edge loses nothing), as many whole lines as fit from the top. Lines never wrap: a longer line is cut at
// the rectangle's right edge. At least one line is drawn on every call, so
// that a print always moves on. Returns the position of the first character
// not drawn (the text's length, or to, when everything was drawn).
int formatRange(const RichTextBox &box, QPainter &painter, const QRect &draw, const QRect &page, int from, int to);

} // namespace quorbel
