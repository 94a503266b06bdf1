#include "platform/qt/qtprinterchooser.h"

#include "platform/qt/qtprinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace quorbel {

namespace {

// The highest page number a range may name.
constexpr int kMostPages = 9999;

} // namespace

std::unique_ptr<QPrinter> QtPrinterChooser::systemDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void QtPrinterChooser::setUp(QPrintDialog &dialog)
{
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    // The number of pages is known only once they are printed.
    dialog.setMinMax(1, kMostPages);
}

QtPrinterChooser::QtPrinterChooser(QString pdfFolder, DefaultPrinter defaultPrinter)
    : m_pdfFolder(std::move(pdfFolder)), m_defaultPrinter(std::move(defaultPrinter))
{
}

ChosenPrinter QtPrinterChooser::choose(QWidget *owner)
{
    std::unique_ptr<QPrinter> printer = m_defaultPrinter();
    if (printer == nullptr) {
        const QString file = QtPrinter::unusedPdfFile(m_pdfFolder);
        return {QtPrinter::pdf(file), file};
    }
    QPrintDialog dialog(printer.get(), owner);
    setUp(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // The dialog may have sent the print into a file instead.
    const QString file = printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
    return {std::make_unique<QtPrinter>(std::move(printer)), file};
}

} // namespace quorbel
