#include "codebox/codeboxprint.h"
#include "codebox/richtextbox.h"
#include "platform/qt/qtprinter.h"
#include "platform/qt/qtprinterchooser.h"
#include "tests/codebox/pdftools.h"
#include "tests/dialogs/modaldriver.h"
#include "tests/support/scratchfiles.h"

#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::ModalWatch;

QString qs(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

// A text of 250 numbered lines: five pages at one inch margins.
void fillLines(RichTextBox &box)
{
    QString source;
    for (int i = 1; i <= 250; ++i)
        source += QStringLiteral("Line %1\r\n").arg(i, 3, 10, QLatin1Char('0'));
    box.setTextQ(source + QStringLiteral("Last"));
}

// Without a printer the chooser asks nobody and hands back a PDF file in its
// folder under a name that holds no file yet.
TEST(QtPrinterChooser, WithoutAPrinterAPrintGoesIntoANewPdfFile)
{
    const fs::path folder = testing::scratchFolder("printer-chooser", "no-printer");
    testing::writeBytes(folder / "Quorbel.pdf", "mine");
    QtPrinterChooser chooser(qs(folder), [] { return std::unique_ptr<QPrinter>(); });
    RichTextBox box;
    box.setTextQ(QStringLiteral("Sub Main()\r\nEnd Sub"));
    {
        const ModalWatch watch([](QWidget &modal) { modal.close(); });
        const ChosenPrinter chosen = chooser.choose(nullptr);
        ASSERT_NE(chosen.printer, nullptr);
        EXPECT_EQ(chosen.pdfFile, qs(folder / "Quorbel (2).pdf"));
        printRTF(box, *chosen.printer, 100, 100, 100, 100);
        EXPECT_FALSE(watch.seen());
    }
    EXPECT_EQ(testing::readBytes(folder / "Quorbel.pdf"), "mine");
    EXPECT_NE(testing::pdfText(folder / "Quorbel (2).pdf").find("Sub Main()\nEnd Sub"), std::string::npos);
    EXPECT_EQ(chooser.choose(nullptr).pdfFile, qs(folder / "Quorbel (3).pdf"));
}

// With a printer (here one that prints into a PDF file), Qt's print dialog
// asks over the owner: all pages or a range, no selection; Cancel chooses
// nothing, Print the printer as the dialog left it.
TEST(QtPrinterChooser, ThePrintDialogChoosesThePrinterOrNothing)
{
    const fs::path folder = testing::scratchFolder("printer-chooser", "dialog");
    const fs::path pdf = folder / "printer.pdf";
    QtPrinterChooser chooser(qs(folder), [&] { return QtPrinter::pdfPrinter(qs(pdf)); });
    QWidget owner;
    owner.show();

    QWidget *dialogOwner = nullptr;
    bool isPrintDialog = false;
    {
        const ModalWatch watch([&](QWidget &modal) {
            auto *dialog = qobject_cast<QPrintDialog *>(&modal);
            isPrintDialog = dialog != nullptr;
            dialogOwner = modal.parentWidget();
            if (dialog != nullptr) {
                EXPECT_EQ(dialog->printRange(), QAbstractPrintDialog::AllPages);
                EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
                EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
                EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
                EXPECT_EQ(dialog->fromPage(), 0); // no range chosen yet
                EXPECT_GE(dialog->maxPage(), 999);
                // The dialog as a picture in the build folder, to look at,
                // with its options (the page range) opened.
                for (QPushButton *button : modal.findChildren<QPushButton *>())
                    if (button->text().contains(QStringLiteral("Options")))
                        button->click();
                EXPECT_TRUE(modal.grab().save(QStringLiteral(QUORBEL_BUILD_DIR "/codebox-print-dialog.png")));
            }
            modal.close();
        });
        const ChosenPrinter chosen = chooser.choose(&owner);
        EXPECT_TRUE(watch.seen());
        EXPECT_EQ(chosen.printer, nullptr);
    }
    EXPECT_TRUE(isPrintDialog);
    EXPECT_EQ(dialogOwner, &owner);
    EXPECT_FALSE(fs::exists(pdf));

    RichTextBox box;
    box.setTextQ(QStringLiteral("Sub Main()\r\nEnd Sub"));
    {
        const ModalWatch watch([](QWidget &modal) {
            if (auto *dialog = qobject_cast<QDialog *>(&modal))
                dialog->accept();
        });
        const ChosenPrinter chosen = chooser.choose(&owner);
        EXPECT_TRUE(watch.seen());
        ASSERT_NE(chosen.printer, nullptr);
        // This printer writes a file, so the file is named.
        EXPECT_EQ(chosen.pdfFile, qs(pdf));
        printRTF(box, *chosen.printer, 100, 100, 100, 100);
    }
    EXPECT_NE(testing::pdfText(pdf).find("Sub Main()\nEnd Sub"), std::string::npos);
}

// A page range chosen in the dialog prints only its pages, each with the
// text it has in a print of all pages.
TEST(QtPrinterChooser, APageRangePrintsOnlyItsPagesAsInTheWholePrint)
{
    const fs::path folder = testing::scratchFolder("printer-chooser", "range");
    RichTextBox box;
    fillLines(box);
    {
        QtPrinter all(QtPrinter::pdfPrinter(qs(folder / "all.pdf")));
        printRTF(box, all, 1440, 1440, 1440, 1440);
    }
    const int pages = testing::pdfPageCount(folder / "all.pdf");
    ASSERT_GE(pages, 4);

    const auto printRange = [&](const fs::path &pdf, const QPageRanges &ranges) {
        auto printer = QtPrinter::pdfPrinter(qs(pdf));
        printer->setPrintRange(QPrinter::PageRange);
        printer->setPageRanges(ranges);
        QtPrinter chosen(std::move(printer));
        printRTF(box, chosen, 1440, 1440, 1440, 1440);
    };
    QPageRanges twoToThree;
    twoToThree.addRange(2, 3);
    printRange(folder / "2-3.pdf", twoToThree);
    EXPECT_EQ(testing::pdfPageCount(folder / "2-3.pdf"), 2);
    EXPECT_EQ(testing::pdfText(folder / "2-3.pdf"), testing::pdfText(folder / "all.pdf", 2, 3));

    QPageRanges firstAndLast;
    firstAndLast.addPage(1);
    firstAndLast.addPage(pages);
    printRange(folder / "ends.pdf", firstAndLast);
    EXPECT_EQ(testing::pdfPageCount(folder / "ends.pdf"), 2);
    EXPECT_EQ(testing::pdfText(folder / "ends.pdf"),
              testing::pdfText(folder / "all.pdf", 1, 1) + testing::pdfText(folder / "all.pdf", pages, pages));
}

} // namespace
} // namespace quorbel
