#include "addin/commondialog.h"
#include "codebox/codeboxmenu.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "engine/settingkeys.h"
#include "tests/addin/converterfixture.h"
#include "tests/codebox/colourmap.h"
#include "tests/support/scratchfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::ConverterFixture;

struct ConverterWindow : ::testing::Test, ConverterFixture {};

QString text(const QWidget *w)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    return {};
}

// Every control with its caption and place (in pixels at 15 twips a pixel,
// the offscreen screen's 96 dots an inch), the focus order and the menus.
TEST_F(ConverterWindow, ControlsCaptionsPlacesFocusOrderAndMenus)
{
    frmAddin &w = open();
    ASSERT_EQ(w.logicalDpiX(), 96);
    EXPECT_EQ(w.windowTitle(), "Quorbel");
    EXPECT_EQ(w.centralWidget()->size(), QSize(568, 400));
    struct Expected {
        const char *name;
        const char *caption;
        QRect place; // twips
        bool visible;
    };
    const Expected controls[] = {
        {"lblProject", "Project :", {120, 120, 1215, 255}, true},
        {"txtPro", "", {720, 120, 1815, 285}, true},
        {"Label2", "Code :", {2880, 120, 615, 255}, true},
        {"txtName", "", {3600, 120, 2055, 285}, true},
        {"Label1", "Extention", {5880, 120, 735, 255}, true},
        {"txtExt", "html", {6600, 120, 495, 285}, true},
        {"txtsource", "", {120, 480, 8295, 4575}, true},
        {"ProBar1", "", {120, 2520, 8295, 495}, false},
        {"lblInfo", "", {120, 5160, 3015, 255}, true},
        {"chkShowOptions", "Show Options on convert", {3360, 5160, 2175, 255}, true},
        {"chkAutoColor", "Auto Color Code", {3360, 5400, 1455, 255}, true},
        {"ChkFrames", "Frames (Recomended)", {3360, 5640, 1935, 255}, true},
        {"cmdGetText", "&Get Active Code", {240, 5400, 1695, 495}, true},
        {"cmdConvert", "Convert", {6000, 5400, 1095, 495}, true},
        {"cmdCancel", "&Cancel", {7200, 5400, 1095, 495}, true},
        {"cndAddComment", "&Add Comment", {2040, 5760, 1335, 495}, false},
    };
    for (const Expected &c : controls) {
        SCOPED_TRACE(c.name);
        auto *control = w.centralWidget()->findChild<QWidget *>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(text(control), QString::fromLatin1(c.caption));
        const QRect px((c.place.x() + 7) / 15, (c.place.y() + 7) / 15, (c.place.width() + 7) / 15,
                       (c.place.height() + 7) / 15);
        if (qobject_cast<QCheckBox *>(control) != nullptr) {
            // A check box may be wider than designed, so that its caption
            // shows whole, but stays left of the Convert button.
            EXPECT_EQ(control->pos(), px.topLeft());
            EXPECT_EQ(control->height(), px.height());
            EXPECT_GE(control->width(), px.width());
            EXPECT_LT(control->geometry().right(), 400);
        } else {
            EXPECT_EQ(control->geometry(), px);
        }
        EXPECT_EQ(!control->isHidden(), c.visible);
    }
    EXPECT_EQ(w.cmdGetText().toolTip(), "Inserts the code of the active code window into the text area.");
    EXPECT_TRUE(w.lblInfo().font().bold());
    EXPECT_EQ(w.lblInfo().font().families().value(0), "MS Sans Serif");

    QStringList focus;
    QWidget *next = &w.ChkFrames();
    for (int i = 0; i < 10; ++i, next = next->nextInFocusChain()) {
        while (next->focusPolicy() == Qt::NoFocus || next->objectName().isEmpty() || next->isHidden())
            next = next->nextInFocusChain();
        // The code box takes the focus into its text box.
        focus << (next->parentWidget() == &w.txtsource() ? QStringLiteral("txtsource") : next->objectName());
    }
    EXPECT_EQ(focus.join(' ').toStdString(), "ChkFrames cmdConvert cmdCancel cmdGetText txtPro txtName txtExt "
                                             "chkAutoColor chkShowOptions txtsource");

    QStringList menus;
    for (QAction *top : w.menuBar()->actions()) {
        menus << top->text();
        if (top->menu() != nullptr) {
            for (QAction *entry : top->menu()->actions())
                menus << "  " + (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        }
    }
    EXPECT_EQ(menus.join('|').toStdString(), "&File|  &Open|  -|  &Exit|&Edit|  Code Colours|  &Comments|  &Meta "
                                             "Tags|  &HTML Comments|  &Frames|Report &Bug|&About");
    EXPECT_TRUE(w.mnuFrames().isChecked());
}

TEST_F(ConverterWindow, LoadTakesTheSettingsAndReportsABadValueWithItsErrorPoint)
{
    store(keys::Frames, "0");
    store(keys::Ext, "htm");
    store(keys::AutoColor, "0");
    store("Key     SyntaxColor", "FF0000");
    store("BGround SyntaxColor", "000080");
    frmAddin &w = open();
    EXPECT_EQ(w.ChkFrames().checkState(), Qt::Unchecked);
    EXPECT_EQ(w.chkAutoColor().checkState(), Qt::Unchecked);
    EXPECT_EQ(w.chkShowOptions().checkState(), Qt::Checked); // its default
    EXPECT_FALSE(w.txtsource().Color_Auto());
    EXPECT_EQ(w.txtExt().text(), "htm");
    EXPECT_EQ(w.txtsource().Color_KeyWords(), 0x0000FF);
    EXPECT_EQ(w.txtsource().BackColor(), 0x800000);
    EXPECT_EQ(w.txtsource().Color_Comment(), 0x138C37); // default "378C13"
    EXPECT_TRUE(w.mnuFrames().isChecked());             // the mark starts checked whatever "Frames" says
    EXPECT_TRUE(messages.calls.empty());

    store(keys::AutoColor, "yes");
    open();
    ASSERT_EQ(texts(), std::vector<std::string>{"An Error occured while loading the form frmAddin at error point : 0"});
    EXPECT_EQ(messages.calls[0].icon, Icon::None);
    EXPECT_EQ(messages.calls[0].title, "Quorbel");
}

// The names come from the code window's caption: the project up to and with
// its first blank, the code between the first "-" and the last blank.
TEST_F(ConverterWindow, ActiveCodeNamesFromTheCaption)
{
    frmAddin &w = open();
    struct Case {
        const char *caption;
        const char *project; // nullptr: the read fails
        const char *code;
    };
    const Case cases[] = {
        {"Project1 - Module1 (Code)", "Project1 ", "Module1"},
        {"  Project1 - Module1 (Code)  ", "Project1 ", "Module1"},
        {"Billing Module2 (Code)", "Billing ", "Billing Module2"},
        {"My-App - Form1 (Code)", "My-App ", "App - Form1"},
        {"Module1", nullptr, nullptr},
        {"A B-C", nullptr, nullptr},
        {"   ", nullptr, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        w.txtPro().setText("before");
        w.txtName().setText("before");
        messages.calls.clear();
        pane.caption = c.caption;
        const std::string code = w.GetActiveCode();
        if (c.project == nullptr) {
            EXPECT_EQ(code, "");
            ASSERT_EQ(texts(), std::vector<std::string>{"No active code window"});
            EXPECT_EQ(messages.calls[0].icon, Icon::Information);
            EXPECT_EQ(w.txtPro().text(), "before");
            EXPECT_EQ(w.txtName().text(), "before");
        } else {
            EXPECT_EQ(code, "Option Explicit\r\n' a comment\r\nPublic Sub Main()\r\n    MsgBox \"Hi\"\r\nEnd Sub");
            EXPECT_TRUE(messages.calls.empty());
            EXPECT_EQ(w.txtPro().text().toStdString(), c.project);
            EXPECT_EQ(w.txtName().text().toStdString(), c.code);
            EXPECT_EQ(pages.ProjectName, c.project);
            EXPECT_EQ(pages.CodeName, c.code);
        }
    }

    pane.caption = "Project1 - Empty (Code)";
    pane.lines.clear();
    messages.calls.clear();
    EXPECT_EQ(w.GetActiveCode(), "");
    EXPECT_EQ(texts(), std::vector<std::string>{"No Code Available\r\nOpen the code window which you wish to convert"});
    EXPECT_EQ(w.txtName().text(), "Empty");

    environment.activePane = nullptr;
    messages.calls.clear();
    EXPECT_EQ(w.GetActiveCode(), "");
    EXPECT_EQ(texts(), std::vector<std::string>{"No active code window"});
}

TEST_F(ConverterWindow, FirstActivationFetchesTheCodeOnceAndGetActiveCodeReplacesIt)
{
    frmAddin &w = open();
    w.Form_Activate();
    // Auto Color Code is on by default: the text is coloured, which ends it
    // with a line break.
    EXPECT_EQ(w.txtsource().Text(),
              "Option Explicit\r\n' a comment\r\nPublic Sub Main()\r\n    MsgBox \"Hi\"\r\nEnd Sub\r\n");
    EXPECT_EQ(testing::colourMap(w.txtsource().RTB1(), codeBoxes, 2), "ccccccccccc");
    pane.lines = {"Sub Other()", "End Sub"};
    w.Form_Activate(); // not the first activation any more
    EXPECT_TRUE(w.txtsource().Text().startsWith("Option Explicit"));
    w.cmdGetText().click();
    EXPECT_EQ(w.txtsource().Text(), "Sub Other()\r\nEnd Sub\r\n");
    environment.activePane = nullptr;
    w.cmdGetText().click(); // an empty result empties the box
    EXPECT_EQ(w.txtsource().Text(), "");
    EXPECT_EQ(texts(), std::vector<std::string>{"No active code window"});

    messages.calls.clear();
    frmAddin &second = open();
    second.Form_Activate();
    EXPECT_EQ(texts(), std::vector<std::string>{"No active code window"});
    EXPECT_EQ(second.txtsource().Text(), "");
}

// The code box's Print asks the window's printer choice over the window:
// a cancelled choice prints nothing, a print without a printer goes into a
// PDF file that a message names.
TEST_F(ConverterWindow, PrintAsksForThePrinterOverTheWindow)
{
    frmAddin &window = open();
    window.txtsource().setText(QStringLiteral("Public Sub Main()\r\nEnd Sub"));
    const fs::path pdf = printers.pdfFile.toStdString();
    fs::remove(pdf);
    printers.answers = {testing::ScriptedPrinterChooser::Answer::Cancel,
                        testing::ScriptedPrinterChooser::Answer::NoPrinter};
    QAction &print = window.txtsource().mnuPopUpMenu().action("mnuPrint");
    print.trigger();
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(messages.calls.empty());
    print.trigger();
    EXPECT_TRUE(fs::exists(pdf));
    EXPECT_EQ(texts(), std::vector<std::string>{"The code was printed into the file " + pdf.string()});
    ASSERT_EQ(printers.owners.size(), 2u);
    EXPECT_EQ(printers.owners[0]->window(), &window);
    EXPECT_EQ(window.txtsource().Text(), "Public Sub Main()\r\nEnd Sub");
}

} // namespace
} // namespace quorbel
