#pragma once

#include "platform/qt/printer.h"

#include <QString>

#include <memory>

class QWidget;

namespace quorbel {

// The printer one print goes to, as chosen for it. printer is null when the
// person cancelled the choice: nothing is to be printed. pdfFile names the
// file the print is written into when there was no printer to choose from
// (empty when it goes to a printer).
struct ChosenPrinter {
    std::unique_ptr<Printer> printer;
    QString pdfFile;
};

// Chooses the printer of each print: where the system has printers, the
// person picks one, its options and the pages to print in a print dialog
// over owner (or cancels); where it has none, a PDF file is chosen without
// asking. Implementations: Qt's print dialog, a scripted double for tests.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;

    virtual ChosenPrinter choose(QWidget *owner) = 0;
};

} // namespace quorbel
