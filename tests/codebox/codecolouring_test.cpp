#include "codebox/codecolouring.h"
#include "codebox/controlerror.h"
#include "probar/probar.h"
#include "tests/codebox/codeboxfixture.h"
#include "tests/codebox/colourmap.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include <stdexcept>

namespace quorbel {
namespace {

using testing::colourMap;

// A code box with colours that differ from a character without colour of its
// own (which shows black), so that "t" means "set to the text colour".
struct ColouringTest : ::testing::Test, testing::CodeBoxFixture {
    std::unique_ptr<VBCodeBox> box;
    ColouringTest()
    {
        shared.Color_Text = 0x102030;
        box = makeBox();
    }
    RichTextBox &rtb() { return box->RTB1(); }
    QString map(int line) { return colourMap(rtb(), shared, line); }
    // Colours the whole of text as the colour command does.
    void colourAll(const QString &text)
    {
        box->setText(text);
        box->color();
    }
    void typeLine(const QString &text)
    {
        QTest::keyClicks(&rtb(), text);
        QTest::keyClick(&rtb(), Qt::Key_Return);
    }
    // Clicks on line (1-based) before the character at column (0-based).
    void clickAt(int line, int column)
    {
        QTextCursor cursor(rtb().document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        QTest::mouseClick(rtb().viewport(), Qt::LeftButton, {}, rtb().cursorRect(cursor).center());
    }
};

TEST_F(ColouringTest, ColoursKeywordsIdentifiersAndComments)
{
    colourAll(QStringLiteral("Dim x As Long\r\n"
                             "x = \"If Then\" ' If it works\r\n"
                             "On Error GoTo ErrHandler\r\n"
                             "ErrHandler:\r\n"
                             "Dim [Select] As Long\r\n"
                             "x = &HFF + y1 + Label2\r\n"
                             "Event Changed()\r\n"
                             "s = \"say \"\"Go\"\" now\"\r\n"));
    EXPECT_EQ(map(1), "kkktitkktkkkk");
    EXPECT_EQ(map(2), "itttttttttttttccccccccccccc");
    EXPECT_EQ(map(3), "kktkkkkktkkkkttttttttttt");
    EXPECT_EQ(map(4), "ttttttttttt");
    EXPECT_EQ(map(5), "kkkttiiiiiittkktkkkk");
    EXPECT_EQ(map(6), "ittttttttttiitttiiiiii");
    EXPECT_EQ(map(7), "kkkkktiiiiiiitt");
    // After the doubled quote the literal is scanned as code.
    EXPECT_EQ(map(8), "ittttttttttiitttiiit");
    EXPECT_EQ(map(9), "");
}

TEST_F(ColouringTest, RecasesKeywordsToTheListForm)
{
    colourAll(QStringLiteral("dim x as long\r\non error goto fail\r\nprivate sub s(byval n as integer)\r\n"));
    EXPECT_EQ(box->Text(), "Dim x As Long\r\nOn Error GoTo fail\r\nPrivate Sub s(ByVal n As Integer)\r\n");
    // A lower-case goto does not hide the label after it.
    EXPECT_EQ(map(2), "kktkkkkktkkkktiiii");
    // Re-casing never changes the text's length, even for a word the scan
    // assembled around an "&".
    colourAll(QStringLiteral("x = di&m + 1\r\n"));
    EXPECT_EQ(box->Text(), "x = di&m + 1\r\n");
}

TEST_F(ColouringTest, WholeTextColouringAndTheLastLine)
{
    // A last line of three characters or fewer gets no line break and stays
    // uncoloured.
    colourAll(QStringLiteral("Dim a\r\nDim"));
    EXPECT_EQ(box->Text(), "Dim a\r\nDim");
    EXPECT_EQ(map(1), "kkkti");
    EXPECT_EQ(map(2), "ttt");
    // A longer one gets a line break and is coloured.
    colourAll(QStringLiteral("Dim a\r\nDim b"));
    EXPECT_EQ(box->Text(), "Dim a\r\nDim b\r\n");
    EXPECT_EQ(map(2), "kkkti");
    // A comment on a last line without a line break runs to the end.
    colourAll(QStringLiteral("x\r\n'ab"));
    EXPECT_EQ(map(2), "ccc");
    box->setText(QStringLiteral("x = 1 ' note"));
    qint32 line = 1;
    box->colorLine(rtb(), line, false);
    EXPECT_EQ(map(1).mid(6), "cccccc");

    // The caret comes back; the progress bar counted the lines and is hidden;
    // the hourglass is gone and the box draws again.
    box->setText(QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    rtb().setSelStart(3);
    box->color();
    EXPECT_EQ(rtb().selStart(), 3);
    EXPECT_EQ(box->ProBar1().Max(), 5);
    EXPECT_EQ(box->ProBar1().Value(), 5);
    EXPECT_FALSE(box->ProBar1().isVisible());
    EXPECT_EQ(rtb().MousePointer(), 0);
    EXPECT_FALSE(rtb().isWindowUpdateLocked());
}

// A progress bar host that notes what the box looks like while it colours,
// then fails, to interrupt the colouring.
class FailingHost : public RecordingControlHost {
public:
    VBCodeBox *box = nullptr;
    int pointer = -1;
    bool locked = false;
    bool barVisible = false;
    void propertyChanged(const QString &name) override
    {
        if (name != u"Value")
            return;
        pointer = box->RTB1().MousePointer();
        locked = box->RTB1().isWindowUpdateLocked();
        barVisible = box->ProBar1().isVisible();
        throw std::runtime_error("host failure");
    }
};

TEST_F(ColouringTest, AnInterruptedColouringPutsEverythingBack)
{
    box->setText(QStringLiteral("Dim a\r\nDim b\r\n"));
    rtb().setSelStart(4);
    FailingHost failing;
    failing.box = box.get();
    box->ProBar1().setHost(&failing);
    EXPECT_THROW(box->color(), std::runtime_error);
    box->ProBar1().setHost(nullptr);
    EXPECT_EQ(failing.pointer, 11);
    EXPECT_TRUE(failing.locked);
    EXPECT_TRUE(failing.barVisible);
    EXPECT_FALSE(box->ProBar1().isVisible());
    EXPECT_EQ(rtb().MousePointer(), 0);
    EXPECT_FALSE(rtb().isWindowUpdateLocked());
    EXPECT_EQ(rtb().selStart(), 4);
}

TEST_F(ColouringTest, ColourChangesApplyToLaterColouringOnly)
{
    colourAll(QStringLiteral("Dim a\r\n"));
    const qint32 before = shared.Color_KeyWords;
    box->setColor_KeyWords(0x0000FF);
    EXPECT_EQ(testing::colourAt(rtb(), 0), before);
    box->color();
    EXPECT_EQ(testing::colourAt(rtb(), 0), 0x0000FF);
    box->unColorAll(rtb());
    EXPECT_EQ(map(1), "ttttt");
}

TEST_F(ColouringTest, EnterColoursTheEndedLineAndStartsTheNewOnePlain)
{
    rtb().setFocus();
    typeLine(QStringLiteral("dim x as long"));
    EXPECT_EQ(box->Text(), "Dim x As Long\r\n");
    // Blanks keep the colour they were typed in.
    EXPECT_EQ(map(1), "kkk?i?kk?kkkk");
    EXPECT_EQ(rtb().selStart(), 15);
    QTest::keyClicks(&rtb(), QStringLiteral("y"));
    EXPECT_EQ(map(2), "t");

    // A line typed at the end of the text gets its line break appended when
    // the caret leaves it upwards; the colours of the other lines stay.
    QTest::keyClicks(&rtb(), QStringLiteral(" = 1 ' one"));
    QTest::keyClick(&rtb(), Qt::Key_Up);
    EXPECT_EQ(box->Text(), "Dim x As Long\r\ny = 1 ' one\r\n");
    EXPECT_EQ(map(1), "kkk?i?kk?kkkk");
    EXPECT_EQ(map(2), "itttttccccc");
    EXPECT_EQ(lineInfo(rtb(), LineInfoKind::CaretLine), 1);

    // An ordinary key sets the caret's line plain once; Down colours the
    // line left above.
    QTest::keyClick(&rtb(), Qt::Key_End);
    EXPECT_EQ(map(1), "ttttttttttttt");
    QTest::keyClick(&rtb(), Qt::Key_Down);
    EXPECT_EQ(map(1), "kkktitkktkkkk");
}

// A comment colours up to the end of its line, never its line break: text
// typed on an empty line after it takes the text colour, whether that line
// is the last one or not.
TEST_F(ColouringTest, TextTypedAfterACommentLineTakesTheTextColour)
{
    // Keys colour nothing, so the typed character shows the colour it was
    // typed in.
    box->setColor_Auto(false);
    rtb().setFocus();
    colourAll(QStringLiteral("x = 1 ' one\r\n"));
    EXPECT_EQ(map(1), "itttttccccc");
    rtb().setSelStart(13);
    QTest::keyClicks(&rtb(), QStringLiteral("y"));
    EXPECT_EQ(box->Text(), "x = 1 ' one\r\ny");
    EXPECT_EQ(map(2), "t");

    colourAll(QStringLiteral("' a\r\n\r\nDim b\r\n"));
    rtb().setSelStart(5);
    QTest::keyClicks(&rtb(), QStringLiteral("z"));
    EXPECT_EQ(box->Text(), "' a\r\nz\r\nDim b\r\n");
    EXPECT_EQ(map(1), "ccc");
    EXPECT_EQ(map(2), "t");
}

TEST_F(ColouringTest, WithAutoColourOffKeysColourNothingButClicksDo)
{
    box->setColor_Auto(false);
    rtb().setFocus();
    typeLine(QStringLiteral("dim a"));
    typeLine(QStringLiteral("dim b"));
    EXPECT_EQ(box->Text(), "dim a\r\ndim b\r\n");
    EXPECT_EQ(map(1), "?????");
    // The first release colours the line of the caret (line 3, empty); the
    // next click into line 1 colours the line last visited.
    clickAt(3, 0);
    EXPECT_EQ(map(2), "?????");
    clickAt(1, 0);
    EXPECT_EQ(map(1), "?????");
    clickAt(2, 2);
    EXPECT_EQ(map(1), "kkk?i");
    EXPECT_EQ(box->Text(), "Dim a\r\ndim b\r\n");
}

TEST_F(ColouringTest, FirstMouseReleaseColoursTheCaretLine)
{
    box->setText(QStringLiteral("dim a\r\nfor i = 1 to 2\r\n"));
    rtb().setSelStart(9);
    clickAt(2, 2);
    EXPECT_EQ(box->Text(), "dim a\r\nFor i = 1 To 2\r\n");
    EXPECT_EQ(map(2), "kkk?i?????kk??");
    EXPECT_EQ(map(1), "?????");
}

TEST_F(ColouringTest, CtrlVPastesOnceColouredAndShowsTheTime)
{
    clock.readings = {100.0, 100.25};
    clipboard.setText(QStringLiteral("dim a\nx = 1 ' c\n"));
    box->setText(QStringLiteral("AB"));
    rtb().setSelStart(1);
    rtb().setFocus();
    QTest::keyClick(&rtb(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "ADim a\r\nx = 1 ' c\r\nB");
    EXPECT_EQ(map(1), "?kkkti");
    EXPECT_EQ(map(2), "itttttccc");
    EXPECT_EQ(box->Label1().text(), "0.2500");
    EXPECT_EQ(rtb().selStart(), 19);
    EXPECT_EQ(rtb().MousePointer(), 0);
    EXPECT_EQ(box->RTBPaste().TextQ(), "");

    // Undo takes the paste back whole.
    QTest::keyClick(&rtb(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "AB");

    // Without text on the clipboard Ctrl+V is the text box's.
    clipboard.clear();
    box->setText(QStringLiteral("AB"));
    QTest::keyClick(&rtb(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "AB");
}

TEST_F(ColouringTest, PasteWithAutoColourOffInsertsPlainText)
{
    box->setColor_Auto(false);
    box->setText(QStringLiteral("AB"));
    rtb().setSel(1, 2);
    box->PasteCode(QStringLiteral("dim a"));
    EXPECT_EQ(box->Text(), "Adim a");
    EXPECT_EQ(box->Label1().text(), "Label1");
}

TEST_F(ColouringTest, PasteAcrossMidnightShowsThePositiveTime)
{
    clock.readings = {86399.5, 0.25};
    box->PasteCode(QStringLiteral("Dim a"));
    EXPECT_EQ(box->Label1().text(), "0.7500");
    EXPECT_EQ(map(1), "kkkti");
}

TEST_F(ColouringTest, HostKeyHandlersChangeWhatTheBoxSees)
{
    QObject::connect(box.get(), &VBCodeBox::KeyDown, box.get(), [](KeyCodeEvent *event) {
        if (event->keyCode() == 'Q')
            event->setKeyCode(0);
    });
    QObject::connect(box.get(), &VBCodeBox::KeyPress, box.get(), [](KeyAsciiEvent *event) {
        if (event->keyAscii() == 'a')
            event->setKeyAscii('b');
    });
    rtb().setFocus();
    QTest::keyClicks(&rtb(), QStringLiteral("aqa"));
    EXPECT_EQ(box->Text(), "bb");

    QStringList events;
    QObject::connect(box.get(), &VBCodeBox::KeyUp, box.get(), [&](KeyCodeEvent *event) {
        events << QStringLiteral("KeyUp %1").arg(event->keyCode());
        // Changing the key code here changes what the colouring reacts to.
        if (event->keyCode() == 13)
            event->setKeyCode(37);
    });
    QObject::connect(box.get(), &VBCodeBox::MouseUp, box.get(),
                     [&](short, short, float, float) { events << "MouseUp"; });
    QTest::keyClick(&rtb(), Qt::Key_Return);
    EXPECT_EQ(events, QStringList({"KeyUp 13"}));
    EXPECT_EQ(map(1), "??");
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ColouringTest, UndoTakesBackTheUserStepWithItsColouring)
{
    rtb().setFocus();
    typeLine(QStringLiteral("dim x"));
    QTest::keyClicks(&rtb(), QStringLiteral("y"));
    EXPECT_EQ(box->Text(), "Dim x\r\ny");
    QTest::keyClick(&rtb(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "Dim x\r\n");
    EXPECT_EQ(map(1), "kkk?i");
    QTest::keyClick(&rtb(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "dim x");
    EXPECT_EQ(map(1), "?????");
}

} // namespace
} // namespace quorbel
