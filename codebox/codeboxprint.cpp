#include "codebox/codeboxprint.h"

#include "codebox/formatrange.h"
#include "codebox/richtextbox.h"
#include "platform/qt/printer.h"

#include <QRect>

#include <cmath>

namespace quorbel {

namespace {

// A rectangle from its four edges, right and bottom outside it.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Draws from..to page after page, starting a new page (with its blank) for
// what is left; returns when the range is done.
void printPages(RichTextBox &box, Printer &printer, const QRect &draw, const QRect &page, int from, int to)
{
    const int n = to < 0 ? box.textLength() : to;
    int start = from;
    for (;;) {
        start = formatRange(box, printer.deviceContext(), draw, page, start, to);
        if (start >= n)
            break;
        printer.newPage();
        printer.print(QStringLiteral(" "));
    }
}

} // namespace

void printRTF(RichTextBox &box, Printer &printer, int leftMargin, int topMargin, int rightMargin, int bottomMargin)
{
    printer.print(QStringLiteral(" "));
    const int leftOffset = static_cast<int>(std::lround(printer.pixelsToTwipsX(printer.physicalOffsetX())));
    const int topOffset = static_cast<int>(std::lround(printer.pixelsToTwipsY(printer.physicalOffsetY())));
    const QRect draw =
        edges(leftMargin - leftOffset, topMargin - topOffset, (printer.pageWidth() - rightMargin) - leftOffset,
              (printer.pageHeight() - bottomMargin) - topOffset);
    const QRect page = edges(0, 0, printer.printableWidth(), printer.printableHeight());
    printPages(box, printer, draw, page, 0, -1);
    printer.endDoc();
}

void selPrint(RichTextBox &box, Printer &printer, bool startDoc)
{
    const int from = box.selStart();
    const int to = from + box.selLength();
    if (startDoc)
        printer.print(QStringLiteral(" "));
    const QRect page = edges(0, 0, printer.printableWidth(), printer.printableHeight());
    if (from < to)
        printPages(box, printer, page, page, from, to);
    if (startDoc)
        printer.endDoc();
}

} // namespace quorbel
