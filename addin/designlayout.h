#pragma once

#include <QFont>

class QWidget;

namespace quorbel {

// The font of the add-in's windows: 8 points of MS Sans Serif where the
// system has it, else a condensed sans serif of about its width, so that
// every caption fits the place the design gives it.
QFont designFont();

// A length of the design in twips (1/1440 inch) as pixels of w's screen.
int twips(const QWidget &w, int value);

// Names w and places it at a design position given in twips.
void place(QWidget &w, const char *name, int left, int top, int width, int height);

} // namespace quorbel
