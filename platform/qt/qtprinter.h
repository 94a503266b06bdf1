#pragma once

#include "platform/qt/printer.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace quorbel {

// A Printer over a QPrinter (a printer chosen in the print dialog, or a PDF
// file). When the printer was given a page range, only the pages in it reach
// the printer: the others are laid out as if printed, on a picture of the
// printer's resolution that is thrown away, so that every page keeps the
// text it has in a print of all pages.
class QtPrinter : public Printer {
public:
    // Prints into a PDF file (A4, at 1200 dots an inch, margins of 6.35 mm
    // as a printer's).
    static std::unique_ptr<QtPrinter> pdf(const QString &pdfFile);
    static std::unique_ptr<QPrinter> pdfPrinter(const QString &pdfFile);
    // A PDF file name in folder that names no file yet: "Quorbel.pdf", else
    // "Quorbel (2).pdf", "Quorbel (3).pdf" and so on, so that printing
    // without a printer never replaces a file of the user's.
    static QString unusedPdfFile(const QString &folder);

    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;

    void print(const QString &text) override;
    QPainter &deviceContext() override;
    int pageWidth() const override;
    int pageHeight() const override;
    int printableWidth() const override;
    int printableHeight() const override;
    int physicalOffsetX() const override;
    int physicalOffsetY() const override;
    double pixelsToTwipsX(double pixels) const override;
    double pixelsToTwipsY(double pixels) const override;
    void newPage() override;
    void endDoc() override;

    QPrinter &printer() { return *m_printer; }

private:
    void start();
    // Whether page (from 1) of the job is one the printer was asked for.
    bool wanted(int page) const;
    // The painter of the current page: the printer's, or the discarded
    // picture's for a page outside the range.
    QPainter &painter();

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QImage m_discarded;
    QPainter m_discardedPainter;
    bool m_started = false;
    // The job's current page, counted over all pages, and whether the
    // printer's open page already holds a page of the range.
    int m_page = 1;
    bool m_printerPageUsed = false;
};

} // namespace quorbel
