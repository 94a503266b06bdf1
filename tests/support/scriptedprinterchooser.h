#pragma once

#include "platform/qt/printerchooser.h"
#include "platform/qt/qtprinter.h"

#include <deque>
#include <vector>

class QWidget;

namespace quorbel::testing {

// A printer choice that answers from a script instead of asking a person,
// and notes the window each choice was asked over. Print: a printer was
// chosen in the dialog (it prints into pdfFile, as a printer would print
// the pages); Cancel: the dialog was cancelled; NoPrinter: the system has no
// printer and the print goes into pdfFile, whose name is handed back. An
// empty script answers Print.
class ScriptedPrinterChooser : public PrinterChooser {
public:
    enum class Answer { Print, Cancel, NoPrinter };

    explicit ScriptedPrinterChooser(QString pdfFile) : pdfFile(std::move(pdfFile)) {}

    ChosenPrinter choose(QWidget *owner) override
    {
        owners.push_back(owner);
        Answer answer = Answer::Print;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        switch (answer) {
        case Answer::Print:
            return {QtPrinter::pdf(pdfFile), QString()};
        case Answer::Cancel:
            return {};
        case Answer::NoPrinter:
            return {QtPrinter::pdf(pdfFile), pdfFile};
        }
        return {};
    }

    QString pdfFile;
    std::deque<Answer> answers;
    std::vector<QWidget *> owners;
};

} // namespace quorbel::testing
