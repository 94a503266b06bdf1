#pragma once

#include "platform/qt/printerchooser.h"

#include <QPrinter>

#include <functional>
#include <memory>

class QPrintDialog;

namespace quorbel {

// Chooses printers through Qt's print dialog: the person picks the printer,
// its options and the pages (all of them or a range), starting from the
// system's default printer. Where the system has no printer, every print
// goes into a new PDF file in a folder, under a name that holds no file yet.
class QtPrinterChooser : public PrinterChooser {
public:
    // The printer the dialog starts from; null when the system has none.
    using DefaultPrinter = std::function<std::unique_ptr<QPrinter>()>;

    // The system's default printer, or null.
    static std::unique_ptr<QPrinter> systemDefaultPrinter();
    // Offers what a print of a whole text can honour: every page or a page
    // range, printing to a file, copies; no selection, no current page.
    static void setUp(QPrintDialog &dialog);

    explicit QtPrinterChooser(QString pdfFolder, DefaultPrinter defaultPrinter = systemDefaultPrinter);

    ChosenPrinter choose(QWidget *owner) override;

private:
    QString m_pdfFolder;
    DefaultPrinter m_defaultPrinter;
};

} // namespace quorbel
