#include "codebox/codeboxmenu.h"
#include "codebox/codeboxprint.h"
#include "codebox/vbcodebox.h"
#include "platform/qt/qtprinter.h"
#include "tests/codebox/codeboxfixture.h"
#include "tests/codebox/pdftools.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"
#include "tests/support/scriptedprinterchooser.h"

#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::CodeBoxFixture;
using testing::RecordingMessageBoxes;
using testing::ScriptedPrinterChooser;

struct CodeBoxMembers : ::testing::Test, CodeBoxFixture {
    RecordingMessageBoxes messages;
    fs::path folder =
        testing::scratchFolder("codebox-members", ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path pdf = folder / "printed.pdf";
    ScriptedPrinterChooser printers{QString::fromStdString(pdf.string())};
    int aboutBoxes = 0;

    std::unique_ptr<VBCodeBox> box()
    {
        CodeBoxServices services{shared, clipboard, clock, &host};
        services.messages = &messages;
        services.printers = &printers;
        services.aboutBox = [this] { ++aboutBoxes; };
        auto made = std::make_unique<VBCodeBox>(services);
        made->resize(640, 480);
        return made;
    }
};

std::string tool(const QString &program, const QStringList &arguments)
{
    return testing::pdfTool(program, arguments);
}

int pageCount(const fs::path &pdf)
{
    return testing::pdfPageCount(pdf);
}

TEST_F(CodeBoxMembers, PrintingATextThatFitsMakesOnePage)
{
    auto b = box();
    shared.Color_Auto = true;
    b->setText(QStringLiteral("Option Explicit\r\n' prints in colour\r\nPublic Sub Main()\r\nEnd Sub"));
    b->color();
    b->mnuPopUpMenu().action("mnuPrint").trigger();
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(pageCount(pdf), 1);
    const std::string text = tool(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), "-"});
    EXPECT_NE(text.find("Option Explicit\n' prints in colour\nPublic Sub Main()\nEnd Sub"), std::string::npos) << text;
    // Margins of 100 twips are narrower than the printer's unprintable edge
    // (6.35 mm, 18 points): the text starts at that edge, not cut off by it.
    const std::string boxes =
        tool(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf.string()), "-"});
    const auto word = boxes.find("<word xMin=\"");
    ASSERT_NE(word, std::string::npos) << boxes;
    EXPECT_EQ(boxes.substr(boxes.find('>', word) + 1, 6), "Option");
    EXPECT_NEAR(std::stod(boxes.substr(word + 12)), 18.0, 1.0);
    EXPECT_GE(std::stod(boxes.substr(boxes.find("yMin=\"", word) + 6)), 17.5);

    // The page carries the box's colours: keywords in their blue, the
    // comment in its green (the page rendered to a picture).
    tool(QStringLiteral("pdftoppm"),
         {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
          QString::fromStdString(pdf.string()), QString::fromStdString((folder / "page").string())});
    const QImage page(QString::fromStdString((folder / "page.png").string()));
    ASSERT_FALSE(page.isNull());
    page.save(QStringLiteral(QUORBEL_BUILD_DIR "/codebox-printed-colours.png")); // to look at
    int keyword = 0, comment = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            keyword += c.blue() > 100 && c.red() < 90 && c.green() < 60;
            comment += c.green() > 90 && c.red() < 90 && c.blue() < 90;
        }
    }
    EXPECT_GT(keyword, 20);
    EXPECT_GT(comment, 20);
}

TEST_F(CodeBoxMembers, ALongTextGoesOnOverPagesWithNoLineLostOrRepeated)
{
    auto b = box();
    QString source;
    for (int i = 1; i <= 150; ++i)
        source += QStringLiteral("Line %1\r\n").arg(i, 3, 10, QLatin1Char('0'));
    source += QStringLiteral("Last");
    b->setText(source);
    b->printRTF(b->RTB1(), 1440, 1440, 1440, 1440);
    const int pages = pageCount(pdf);
    EXPECT_GE(pages, 3);
    const std::string text = tool(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), "-"});
    std::string expected;
    for (int i = 1; i <= 150; ++i)
        expected += QStringLiteral("Line %1\n").arg(i, 3, 10, QLatin1Char('0')).toStdString();
    std::string lines;
    int breaks = 0;
    for (char c : text) {
        if (c == '\f')
            ++breaks;
        else
            lines += c;
    }
    // pdftotext ends every page with a form feed and may set a blank line
    // before it.
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == '\n' && !joined.empty() && joined.back() == '\n')
            continue;
        joined += lines[i];
    }
    EXPECT_EQ(breaks, pages);
    EXPECT_EQ(joined, expected + "Last\n");

    // The margins are measured from the page's edges, not from the
    // printable area: the first word starts one inch (72 points) from the
    // left and its line one inch from the top.
    const std::string boxes =
        tool(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf.string()), "-"});
    const auto word = boxes.find("<word xMin=\"");
    ASSERT_NE(word, std::string::npos) << boxes;
    const double xMin = std::stod(boxes.substr(word + 12));
    const double yMin = std::stod(boxes.substr(boxes.find("yMin=\"", word) + 6));
    EXPECT_NEAR(xMin, 72.0, 1.5);
    EXPECT_NEAR(yMin, 72.0, 4.0);

    // The first page as a picture, to look at.
    const QString png = QStringLiteral(QUORBEL_BUILD_DIR "/codebox-printed-page");
    tool(QStringLiteral("pdftoppm"),
         {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", QString::fromStdString(pdf.string()), png});
    EXPECT_TRUE(fs::exists(png.toStdString() + ".png"));

    // Margins move the text: a selection printed on the printable area
    // itself prints only the selected lines.
    fs::remove(pdf);
    b->RTB1().setSel(b->RTB1().lineIndex(10), b->RTB1().lineIndex(12));
    auto printer = QtPrinter::pdf(QString::fromStdString(pdf.string()));
    b->SelPrint(*printer, true);
    const std::string selected = tool(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), "-"});
    EXPECT_EQ(selected.rfind("Line 011\nLine 012\n", 0), 0u) << selected;
    EXPECT_EQ(selected.find("Line 013"), std::string::npos);
    EXPECT_EQ(pageCount(pdf), 1);
}

// Print asks for the printer over the box each time: a dialog that was
// accepted prints and says nothing; one that was cancelled prints nothing
// and leaves the text as it was; without a printer the text goes into a PDF
// file and a message says which.
TEST_F(CodeBoxMembers, PrintGoesToTheChosenPrinterOrNowhereOrIntoAFile)
{
    auto b = box();
    const QString code = QStringLiteral("Public Sub Main()\r\n    Beep\r\nEnd Sub");
    b->setText(code);
    b->RTB1().setSel(3, 6);
    printers.answers = {ScriptedPrinterChooser::Answer::Cancel, ScriptedPrinterChooser::Answer::Print,
                        ScriptedPrinterChooser::Answer::NoPrinter};

    b->mnuPopUpMenu().action("mnuPrint").trigger();
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(b->Text(), code);
    EXPECT_EQ(b->RTB1().selStart(), 3);
    EXPECT_EQ(b->RTB1().selLength(), 3);
    EXPECT_TRUE(messages.calls.empty());

    b->mnuPopUpMenu().action("mnuPrint").trigger();
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_NE(testing::pdfText(pdf).find("Beep"), std::string::npos);
    EXPECT_TRUE(messages.calls.empty());

    fs::remove(pdf);
    b->mnuPopUpMenu().action("mnuPrint").trigger();
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_NE(testing::pdfText(pdf).find("Public Sub Main()"), std::string::npos);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "The code was printed into the file " + pdf.string());
    EXPECT_EQ(messages.calls[0].buttons, Buttons::Ok);
    EXPECT_EQ(messages.calls[0].icon, Icon::Information);
    EXPECT_EQ(messages.calls[0].title, "Quorbel");

    EXPECT_EQ(printers.owners, (std::vector<QWidget *>(3, b.get())));
}

// A coloured text longer than a page keeps its colours on every page: the
// second page, rendered to a picture, shows keywords in their blue and
// comments in their green.
TEST_F(CodeBoxMembers, AColouredTextKeepsItsColoursOnEveryPage)
{
    auto b = box();
    shared.Color_Auto = true;
    QString source;
    for (int i = 1; i <= 120; ++i)
        source += QStringLiteral("' note %1\r\nDim x%1 As Long\r\n").arg(i);
    b->setText(source);
    b->color();
    b->mnuPopUpMenu().action("mnuPrint").trigger();
    const int pages = pageCount(pdf);
    ASSERT_GE(pages, 3);
    const std::string second = testing::pdfText(pdf, 2, 2);
    EXPECT_NE(second.find("Dim x"), std::string::npos) << second;
    EXPECT_EQ(second.find("' note 1\n"), std::string::npos) << second;

    const QString png = QString::fromStdString((folder / "second").string());
    tool(QStringLiteral("pdftoppm"),
         {"-png", "-r", "100", "-f", "2", "-l", "2", "-singlefile", QString::fromStdString(pdf.string()), png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    // Keywords in their blue, comments in their green.
    int keywords = 0, comments = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            keywords += c.blue() > 100 && c.red() < 90 && c.green() < 60;
            comments += c.green() > 90 && c.red() < 90 && c.blue() < 90;
        }
    }
    EXPECT_GT(keywords, 100);
    EXPECT_GT(comments, 100);
}

// OLEDrag starts a drag of the selection: nothing without one; with one,
// the start event carries the selected text and both effects, and a handler
// that allows none ends it at once with no effect.
TEST_F(CodeBoxMembers, OLEDragOffersTheSelection)
{
    auto b = box();
    QStringList seen;
    QObject::connect(b.get(), &VBCodeBox::OLEStartDrag, [&](OLEStartDragEvent *event) {
        seen << QStringLiteral("start %1 %2").arg(event->data()->text()).arg(event->allowedEffects());
        event->setAllowedEffects(0);
    });
    QObject::connect(b.get(), &VBCodeBox::OLESetData,
                     [&](OLESetDataEvent *event) { seen << QStringLiteral("setData %1").arg(event->dataFormat()); });
    QObject::connect(b.get(), &VBCodeBox::OLECompleteDrag,
                     [&](OLECompleteDragEvent *event) { seen << QStringLiteral("complete %1").arg(event->effect()); });
    b->setText(QStringLiteral("Dim a\r\nDim b"));
    b->RTB1().setSel(0, 0);
    b->OLEDrag();
    EXPECT_TRUE(seen.isEmpty());
    b->RTB1().setSel(4, 5);
    b->OLEDrag();
    EXPECT_EQ(seen, (QStringList{"start a 3", "setData 1", "complete 0"}));
    EXPECT_EQ(b->Text(), "Dim a\r\nDim b");
}

// A PDF printer that also notes the job's steps.
class StepPrinter : public QtPrinter {
public:
    explicit StepPrinter(const QString &file) : QtPrinter(QtPrinter::pdfPrinter(file)) {}
    std::vector<std::string> steps;
    void print(const QString &text) override
    {
        steps.push_back("print '" + text.toStdString() + "'");
        QtPrinter::print(text);
    }
    void newPage() override
    {
        steps.push_back("newPage");
        QtPrinter::newPage();
    }
    void endDoc() override
    {
        steps.push_back("endDoc");
        QtPrinter::endDoc();
    }
};

TEST_F(CodeBoxMembers, APrintJobStartsEveryPageWithABlankAndEndsOnce)
{
    auto b = box();
    QString source;
    for (int i = 0; i < 100; ++i)
        source += QStringLiteral("x\r\n");
    b->setText(source);
    StepPrinter printer(QString::fromStdString(pdf.string()));
    printRTF(b->RTB1(), printer, 100, 100, 100, 100);
    const int pages = pageCount(pdf);
    std::vector<std::string> expected = {"print ' '"};
    for (int i = 1; i < pages; ++i) {
        expected.push_back("newPage");
        expected.push_back("print ' '");
    }
    expected.push_back("endDoc");
    EXPECT_GE(pages, 2);
    EXPECT_EQ(printer.steps, expected);

    // A short text: the first range already reaches the end.
    b->setText(QStringLiteral("x"));
    StepPrinter one(QString::fromStdString(pdf.string()));
    printRTF(b->RTB1(), one, 100, 100, 100, 100);
    EXPECT_EQ(one.steps, (std::vector<std::string>{"print ' '", "endDoc"}));
    EXPECT_EQ(pageCount(pdf), 1);
}

TEST_F(CodeBoxMembers, FindLinesClsAndAboutBoxPassThrough)
{
    auto b = box();
    b->setText(QStringLiteral("Dim a\r\nDim ab\r\ndim b"));
    EXPECT_EQ(b->Find(QStringLiteral("dim")), 0);
    EXPECT_EQ(b->RTB1().selText(), "Dim");
    EXPECT_EQ(b->Find(QStringLiteral("dim"), 1), 7);
    EXPECT_EQ(b->Find(QStringLiteral("dim"), 1, {}, 4), 15);
    EXPECT_EQ(b->Find(QStringLiteral("a"), 0, {}, 2), 4);
    EXPECT_EQ(b->Find(QStringLiteral("ab"), 0, 11), -1);
    b->RTB1().setSel(0, 0);
    EXPECT_EQ(b->Find(QStringLiteral("ab"), 0, {}, 8), 11);
    EXPECT_EQ(b->RTB1().selLength(), 0);
    EXPECT_EQ(b->GetLineFromChar(0), 0);
    EXPECT_EQ(b->GetLineFromChar(7), 1);
    EXPECT_EQ(b->GetLineFromChar(15), 2);
    b->Cls();
    EXPECT_EQ(b->Text(), "");
    b->AboutBox();
    EXPECT_EQ(aboutBoxes, 1);
}

// Printing without a printer writes a PDF under a name that holds no file
// yet: a file of the user's of that name is never replaced.
TEST(QtPrinterFile, APdfWithoutAPrinterNeverReplacesAFile)
{
    const auto folder = QString::fromStdString(testing::scratchFolder("codebox", "pdfname").string());
    EXPECT_EQ(QtPrinter::unusedPdfFile(folder), folder + "/Quorbel.pdf");
    testing::writeBytes((folder + "/Quorbel.pdf").toStdString(), "mine");
    testing::writeBytes((folder + "/Quorbel (2).pdf").toStdString(), "mine too");
    EXPECT_EQ(QtPrinter::unusedPdfFile(folder), folder + "/Quorbel (3).pdf");
}

TEST_F(CodeBoxMembers, FileOperationsAppendReadAndReportErrors)
{
    auto b = box();
    const QString file = QString::fromStdString((folder / "out.txt").string());
    fs::remove(folder / "out.txt");
    b->OutputFile(file, QStringLiteral("a"));
    b->AppendFile(file, QStringLiteral("b"));
    EXPECT_EQ(testing::readBytes(folder / "out.txt"), "a\r\nb\r\n");
    EXPECT_EQ(b->InputFile(file), "a\r\nb\r\n");
    EXPECT_TRUE(messages.calls.empty());

    EXPECT_EQ(b->InputFile(QString::fromStdString((folder / "missing.txt").string())), "");
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text.rfind("Error :  ", 0), 0u);
    EXPECT_GT(messages.calls[0].text.size(), 9u);
    b->OutputFile(QString::fromStdString(folder.string()), QStringLiteral("x"));
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[1].text.rfind("Error : ", 0), 0u);
    EXPECT_NE(messages.calls[1].text.rfind("Error :  ", 0), 0u);

    EXPECT_EQ(b->GetDir(QStringLiteral("C:\\a.txt")), "C:");
    EXPECT_EQ(b->GetDir(QStringLiteral("C:\\code\\m.bas")), "C:\\code");
    EXPECT_EQ(b->GetDir(QStringLiteral("a.txt")), "");
}

} // namespace
} // namespace quorbel
