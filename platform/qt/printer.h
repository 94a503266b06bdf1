#pragma once

#include <QString>

class QPainter;

namespace quorbel {

// A printer as the code box prints on it. Lengths are in twips (1/1440
// inch) unless they say pixels; "printable" is the area the printer can
// draw on, whose top left corner is the origin of the device context.
class Printer {
public:
    virtual ~Printer() = default;

    // Prints text at the current position; the first print starts the
    // print job and its first page.
    virtual void print(const QString &text) = 0;
    // The device context of the current page (valid once the job started).
    virtual QPainter &deviceContext() = 0;
    // The whole page.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // The printable area.
    virtual int printableWidth() const = 0;
    virtual int printableHeight() const = 0;
    // The distance from the page's edge to the printable area, in pixels of
    // the device (the device capabilities PHYSICALOFFSETX and Y).
    virtual int physicalOffsetX() const = 0;
    virtual int physicalOffsetY() const = 0;
    // Converts a distance in pixels of the device to twips.
    virtual double pixelsToTwipsX(double pixels) const = 0;
    virtual double pixelsToTwipsY(double pixels) const = 0;
    // Starts a new page.
    virtual void newPage() = 0;
    // Ends the print job: what was printed goes to the printer.
    virtual void endDoc() = 0;
};

} // namespace quorbel
