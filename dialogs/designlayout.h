#pragma once

#include <QFont>

class QWidget;

namespace quorbel::dialogs {

// The dialogs' font: 8 points of MS Sans Serif where the system has it, else
// a condensed sans serif of about its width, so that every caption fits the
// place the design gives it.
QFont designFont();

// Places w, named name, at a design position given in twips (1/1440 inch)
// at the widget's resolution.
void place(QWidget &w, const char *name, int left, int top, int width, int height);

// A length in twips as pixels of w's screen.
int twips(const QWidget &w, int value);

} // namespace quorbel::dialogs
