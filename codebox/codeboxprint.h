#pragma once

namespace quorbel {

class Printer;
class RichTextBox;

// Prints the whole text of box on printer, page after page, inside the
// margins (twips from the page's edges): the job is started with a blank,
// the drawing rectangle is placed relative to the printable area, and the
// box draws as much as fits on each page until the text is done.
void printRTF(RichTextBox &box, Printer &printer, int leftMargin, int topMargin, int rightMargin, int bottomMargin);

// Prints the box's selection on printer's printable area, page after page.
// startDoc: the print job is ended when the selection is done (a job that
// goes on keeps the printer's last page open).
void selPrint(RichTextBox &box, Printer &printer, bool startDoc);

} // namespace quorbel
