#pragma once

#include "platform/qt/printer.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

namespace quorbel {

// A Printer over a QPrinter: the system's default printer when there is
// one, otherwise a PDF file.
class QtPrinter : public Printer {
public:
    // Prints to the system's default printer, or into pdfFile when the
    // system has no printer.
    static std::unique_ptr<QtPrinter> systemDefault(const QString &pdfFile);
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

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    bool m_started = false;
};

} // namespace quorbel
