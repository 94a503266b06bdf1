#include "codebox/richtextbox.h"
#include "codebox/rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPaintEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

constexpr qint32 red = 0x0000FF;
constexpr qint32 blue = 0xFF0000;
constexpr qint32 green = 0x008000;

// The colour of the one character at a position, as a user would see it.
qint32 colourAt(RichTextBox &box, int position)
{
    box.setSel(position, position + 1);
    return box.SelColor();
}

// Counts paint events of the box's text area.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST(RichTextBoxTest, LinesAndPositionsCountLineBreaksAsTwo)
{
    RichTextBox box;
    EXPECT_EQ(box.lineCount(), 1);
    EXPECT_EQ(box.lineIndex(0), 0);
    EXPECT_EQ(box.lineIndex(1), -1);
    EXPECT_EQ(box.textLength(), 0);

    box.setText("a\r\nb");
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 3);
    EXPECT_EQ(box.lineIndex(2), -1);
    box.setSel(0, 3);
    EXPECT_EQ(box.selText(), "a\r\n");
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 3);
    EXPECT_EQ(box.lineFromChar(1), 0);
    EXPECT_EQ(box.lineFromChar(2), 0); // the LF belongs to the first line
    EXPECT_EQ(box.lineFromChar(3), 1);
    EXPECT_EQ(box.lineFromChar(99), 1);

    // LF and CR alone are line breaks too, and read back as CR LF; a text
    // ending with a line break has an empty last line.
    box.setText("one\ntwo\rthree\r\n");
    EXPECT_EQ(box.text(), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(box.lineCount(), 4);
    EXPECT_EQ(box.lineIndex(2), 10);
    EXPECT_EQ(box.lineIndex(3), 17);
    EXPECT_EQ(box.textLength(), 17);

    // end -1 selects to the end; start -1 only removes the selection.
    box.setSel(6, -1);
    EXPECT_EQ(box.selText(), "wo\r\nthree\r\n");
    box.setSel(-1, 0);
    EXPECT_EQ(box.selLength(), 0);
    EXPECT_EQ(box.selStart(), 17);
    box.setSel(10, 500);
    EXPECT_EQ(box.selText(), "three\r\n");

    // The caret's line: -1 asks for it.
    box.setSelStart(12);
    EXPECT_EQ(box.lineIndex(-1), 10);
    EXPECT_EQ(box.lineFromChar(-1), 2);
    box.setSelLength(3);
    EXPECT_EQ(box.selText(), "ree");
    box.setSelLength(-4);
    EXPECT_EQ(box.selLength(), 0);
}

TEST(RichTextBoxTest, NonAsciiTextCountsUtf16Units)
{
    RichTextBox box;
    box.setText("caf\xc3\xa9 \xf0\x9f\x98\x80\r\n\xe6\x97\xa5x");
    EXPECT_EQ(box.lineIndex(1), 9); // é is one unit, the emoji two
    box.setSel(9, 10);
    EXPECT_EQ(box.selText(), "\xe6\x97\xa5");
    box.setSel(0, 4);
    EXPECT_EQ(box.selText(), "caf\xc3\xa9");
    box.setSelText("D\xc3\xa9j\xc3\xa0\nvu");
    EXPECT_EQ(box.text(), "D\xc3\xa9j\xc3\xa0\r\nvu \xf0\x9f\x98\x80\r\n\xe6\x97\xa5x");
    EXPECT_EQ(box.selStart(), 8);
    EXPECT_EQ(box.lineCount(), 3);
}

TEST(RichTextBoxTest, SelectionColourAtPositions)
{
    RichTextBox box;
    box.setTextQ(QStringLiteral("Dim x As Long\r\n' note"));
    const qint32 plain = box.SelColor();
    box.setSel(0, 3);
    box.setSelColor(blue);
    box.setSel(4, 5);
    box.setSelColor(red);
    box.setSel(15, -1);
    box.setSelColor(green);
    EXPECT_EQ(colourAt(box, 0), blue);
    EXPECT_EQ(colourAt(box, 2), blue);
    EXPECT_EQ(colourAt(box, 3), plain);
    EXPECT_EQ(colourAt(box, 4), red);
    EXPECT_EQ(colourAt(box, 15), green);
    EXPECT_EQ(colourAt(box, 20), green);
    // The first selected character decides; at the caret the character
    // before it does.
    box.setSel(4, 15);
    EXPECT_EQ(box.SelColor(), red);
    box.setSelStart(3);
    EXPECT_EQ(box.SelColor(), blue);
    // Without a selection nothing is coloured.
    box.setSelColor(green);
    EXPECT_EQ(colourAt(box, 2), blue);
    EXPECT_EQ(colourAt(box, 3), plain);
    // Re-casing a coloured word keeps its colour.
    box.setSel(0, 3);
    box.setSelTextQ(QStringLiteral("DIM"));
    EXPECT_EQ(colourAt(box, 0), blue);
    EXPECT_EQ(colourAt(box, 2), blue);
    EXPECT_EQ(box.lineIndex(1), 15);
}

TEST(RichTextBoxTest, RichTextRoundTripBetweenBoxes)
{
    RichTextBox source;
    source.setTextQ(QStringLiteral("If x Then\r\n  y = \"\u00e9\u65e5\" ' c\r\nEnd If"));
    source.setSel(0, 2);
    source.setSelColor(blue);
    source.setSel(3, 4);
    source.setSelColor(red);
    source.setSel(20, 23);
    source.setSelColor(green);
    source.setSel(0, 27);
    const QString rtf = source.SelRTF();
    EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf1")));

    RichTextBox target;
    target.setTextQ(QStringLiteral("<>"));
    target.setSel(1, 1);
    target.setSelRTF(rtf);
    EXPECT_EQ(target.TextQ(), QStringLiteral("<If x Then\r\n  y = \"\u00e9\u65e5\" ' c\r\n>"));
    EXPECT_EQ(target.selStart(), 28);
    EXPECT_EQ(colourAt(target, 1), blue);
    EXPECT_EQ(colourAt(target, 4), red);
    EXPECT_EQ(colourAt(target, 21), green);
    EXPECT_EQ(colourAt(target, 0), colourAt(target, 6));

    // The whole text as rich text, as a stored design keeps it.
    RichTextBox restored;
    restored.setTextRTF(source.TextRTF());
    EXPECT_EQ(restored.TextQ(), source.TextQ());
    for (int i = 0; i < source.textLength(); ++i)
        EXPECT_EQ(colourAt(restored, i), colourAt(source, i)) << "at " << i;
    EXPECT_EQ(restored.document()->availableUndoSteps(), 0);

    // Rich text of another program; a text that is not rich text at all
    // goes in as it is.
    restored.setTextRTF(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                                       "\\f0 plain \\cf1 red\\par next}"));
    EXPECT_EQ(restored.TextQ(), QStringLiteral("plain red\r\nnext"));
    EXPECT_EQ(colourAt(restored, 6), red);
    restored.setSel(0, 0);
    restored.setSelRTF(QStringLiteral("not {rich}\n"));
    EXPECT_EQ(restored.TextQ(), QStringLiteral("not {rich}\r\nplain red\r\nnext"));
}

// Runs handed from box to box leave what their rich text would leave: the
// same text, colours and undo step, whatever the characters.
TEST(RichTextBoxTest, RunsBetweenBoxesEqualTheirRichText)
{
    RichTextBox source;
    QString text = QStringLiteral("\tIf {x} Then \\ y\r\n\r\n");
    text += QChar(0);
    text += QStringLiteral("\x01\x0b\x7f \u00e9\u8000\uffff \U0001F600 end\r\nlast");
    source.setTextQ(text);
    source.setSel(0, 3);
    source.setSelColor(blue);
    source.setSel(4, 6);
    source.setSelColor(red);
    source.setSel(10, 19);
    source.setSelColor(green);
    source.setSel(22, 26);
    source.setSelColor(red);
    for (const auto &[from, to] : {std::pair{0, -1}, std::pair{1, 14}, std::pair{12, 12}, std::pair{5, 28}}) {
        source.setSel(from, to);
        RichTextBox viaRtf;
        RichTextBox viaRuns;
        for (RichTextBox *box : {&viaRtf, &viaRuns}) {
            box->setTextQ(QStringLiteral("<>"));
            box->setSel(1, 1);
            box->setSelTextQ(QStringLiteral("typed"));
        }
        viaRtf.setSelRTF(source.SelRTF());
        viaRuns.setSelRuns(source.SelRuns());
        EXPECT_EQ(viaRuns.TextQ(), viaRtf.TextQ()) << from << " " << to;
        EXPECT_EQ(viaRuns.TextRTF(), viaRtf.TextRTF()) << from << " " << to;
        EXPECT_EQ(viaRuns.selStart(), viaRtf.selStart());
        EXPECT_EQ(viaRuns.document()->availableUndoSteps(), viaRtf.document()->availableUndoSteps());
        viaRuns.undoUserStep();
        viaRtf.undoUserStep();
        EXPECT_EQ(viaRuns.TextQ(), viaRtf.TextQ());
    }
}

// Every character of document as (character, format), line separators
// included (a separator's format is the next block's character format), and
// every block's format.
QList<std::pair<QChar, QTextFormat>> charactersOf(const QTextDocument &document)
{
    QList<std::pair<QChar, QTextFormat>> characters;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        if (block != document.firstBlock())
            characters.append({QChar::ParagraphSeparator, block.charFormat()});
        characters.append({u'|', block.blockFormat()});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QChar c : it.fragment().text())
                characters.append({c, it.fragment().charFormat()});
        }
    }
    return characters;
}

// Runs go in with the formats an insertion run by run gives: each run's
// characters and the line breaks it holds in its colour (or in no colour),
// whatever the colour most of the text has, and the breaks of every
// convention, one run's CR followed by the next run's LF too. Undo takes the
// insertion back whole, redo brings the same formats back.
TEST(RichTextBoxTest, RunsGoInWithTheFormatsOfAnInsertionRunByRun)
{
    const std::vector<std::vector<RtfRun>> cases = {
        {{QStringLiteral("\r\n"), RtfRun::autoColour}, {QStringLiteral("Dim"), blue}, {QStringLiteral(" a\r\n"), red}},
        {{QStringLiteral("x = 1 "), red}, {QStringLiteral("' c\r\n' d\r\n"), green}, {QStringLiteral("y\r\n"), red}},
        {{QStringLiteral("a\r"), blue}, {QStringLiteral("\nb\u2028c"), red}, {QStringLiteral("\u2029d\re"), blue}},
        {{QStringLiteral("long plain text"), RtfRun::autoColour},
         {QStringLiteral("k"), green},
         {QStringLiteral("z"), red}},
        {{QString(), red}, {QStringLiteral("\r\n\r\n"), red}},
        {},
    };
    for (std::size_t n = 0; n < cases.size(); ++n) {
        RichTextBox box;
        box.setTextQ(QStringLiteral("<>\r\nnext"));
        box.setSel(0, 1);
        box.setSelColor(red);
        box.setSel(1, 1);
        box.setSelTextQ(QStringLiteral("typed"));
        box.setSel(2, 4);
        const QList<std::pair<QChar, QTextFormat>> before = charactersOf(*box.document());
        const int lengthBefore = box.textLength();

        QTextDocument expected;
        QTextCursor reference(&expected);
        reference.insertText(box.document()->toRawText());
        reference.setPosition(2);
        reference.setPosition(4, QTextCursor::KeepAnchor);
        reference.removeSelectedText();
        for (const RtfRun &run : cases[n]) {
            QString text = run.text;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(u'\r', u'\n').replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
            QTextCharFormat format;
            if (run.colour != RtfRun::autoColour)
                format.setForeground(QColor(run.colour & 0xFF, (run.colour >> 8) & 0xFF, (run.colour >> 16) & 0xFF));
            reference.insertText(text, format);
        }

        box.setSelRuns(cases[n]);
        // Only the inserted characters are compared with the reference
        // document; the box's own text around them keeps its formats.
        const QList<std::pair<QChar, QTextFormat>> after = charactersOf(*box.document());
        const QList<std::pair<QChar, QTextFormat>> wanted = charactersOf(expected);
        ASSERT_EQ(after.size(), wanted.size()) << "case " << n;
        const int inserted = int(after.size() - before.size() + 2);
        for (int i = 2 + 1; i < 2 + 1 + inserted; ++i) {
            EXPECT_EQ(after[i].first, wanted[i].first) << "case " << n << " at " << i;
            EXPECT_EQ(after[i].second, wanted[i].second) << "case " << n << " at " << i;
        }
        EXPECT_EQ(box.selStart(), 2 + box.textLength() - (lengthBefore - 2)) << "case " << n;

        box.undoUserStep();
        EXPECT_EQ(charactersOf(*box.document()), before) << "case " << n;
        box.redoUserStep();
        EXPECT_EQ(charactersOf(*box.document()), after) << "case " << n;
    }
}

TEST(RichTextBoxTest, PastesGoThroughTheHandlerWithCrlf)
{
    RichTextBox box;
    box.show();
    box.setTextQ(QStringLiteral("ab"));
    box.setSelStart(1);
    QStringList pasted;
    box.setPasteHandler([&](const QString &text) { pasted << text; });

    QApplication::clipboard()->setText(QStringLiteral("x\ny\rz\r\n"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
    box.paste();
    ASSERT_EQ(pasted.size(), 3);
    for (const QString &text : pasted)
        EXPECT_EQ(text, QStringLiteral("x\r\ny\r\nz\r\n"));
    EXPECT_EQ(box.TextQ(), QStringLiteral("ab")); // the handler decides what goes in

    // A key-down handler that clears the key code stops the box's own paste.
    short seen = -1;
    QObject::connect(&box, &RichTextBox::KeyDown, &box, [&](KeyCodeEvent *event) {
        seen = event->shift();
        if (event->keyCode() == 86 && event->shift() == 2)
            event->setKeyCode(0);
    });
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pasted.size(), 3);
    EXPECT_EQ(seen, 2);

    // Without a handler the box inserts the text itself.
    box.setPasteHandler({});
    box.setSelStart(1);
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box.TextQ(), QStringLiteral("ax\r\ny\r\nz\r\nb"));
    EXPECT_EQ(box.selStart(), 10);
}

TEST(RichTextBoxTest, DropsGoThroughTheHandler)
{
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    box.setTextQ(QStringLiteral("ab"));
    QString pasted;
    box.setPasteHandler([&](const QString &text) { pasted = text; });
    QMimeData data;
    data.setText(QStringLiteral("p\nq"));
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &drop);
    EXPECT_EQ(pasted, QStringLiteral("p\r\nq"));

    box.setOLEDropMode(0);
    pasted.clear();
    QDropEvent refused(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &refused);
    EXPECT_TRUE(pasted.isEmpty());
}

// Handlers see the drag's effect, state and button; an effect of 0 refuses
// the drag or the drop.
TEST(RichTextBoxTest, DropHandlersRefuseThroughTheEventObject)
{
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    QString pasted;
    box.setPasteHandler([&](const QString &text) { pasted = text; });
    QStringList seen;
    QObject::connect(&box, &RichTextBox::OLEDragOver, &box, [&](OLEDropEvent *event) {
        seen << QStringLiteral("over %1 %2").arg(event->state()).arg(event->effect());
        if (event->effect() == 2)
            event->setEffect(0);
    });
    QObject::connect(&box, &RichTextBox::OLEDragDrop, &box, [&](OLEDropEvent *event) {
        seen << QStringLiteral("drop %1 %2").arg(event->effect()).arg(event->button());
        event->setEffect(0);
    });
    QMimeData data;
    data.setText(QStringLiteral("p"));
    const QPoint at(5, 5);
    QDragEnterEvent moved(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &moved);
    EXPECT_FALSE(moved.isAccepted());
    QDragEnterEvent copied(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &copied);
    EXPECT_TRUE(copied.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &drop);
    EXPECT_TRUE(pasted.isEmpty());
    EXPECT_EQ(seen, QStringList({"over 0 2", "over 0 1", "drop 1 1"}));
}

TEST(RichTextBoxTest, ChangeIsRaisedForUserEditsAndOncePerProgrammaticEdit)
{
    RichTextBox box;
    box.show();
    box.setFocus();
    box.setTextQ(QStringLiteral("ab"));
    int changes = 0;
    QObject::connect(&box, &RichTextBox::Change, &box, [&] { ++changes; });
    QTest::keyClicks(&box, "xy");
    EXPECT_EQ(changes, 2);

    // Colouring alone changes no text.
    changes = 0;
    box.setSel(0, 1);
    box.setSelColor(red);
    {
        RichTextBox::ProgrammaticEdit edit(box);
        box.setSel(1, 2);
        box.setSelColor(blue);
    }
    EXPECT_EQ(changes, 0);

    // Edits inside nested scopes are announced once, when the outermost ends.
    {
        RichTextBox::ProgrammaticEdit outer(box);
        {
            RichTextBox::ProgrammaticEdit inner(box);
            box.setSel(0, 2);
            box.setSelTextQ(QStringLiteral("XY"));
        }
        box.appendTextQ(QStringLiteral("\r\n"));
        box.setSel(0, 0);
        box.setSelRTF(QStringLiteral("{\\rtf1 z}"));
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.TextQ(), QStringLiteral("zXYab\r\n"));
    box.endProgrammaticEdit(); // an extra end is harmless
    EXPECT_EQ(changes, 1);
}

TEST(RichTextBoxTest, UndoTakesBackUserStepsNotColouring)
{
    RichTextBox box;
    box.show();
    box.setFocus();
    box.setTextQ(QStringLiteral("End Sub"));
    // Colouring a freshly loaded text is not undoable by itself.
    {
        RichTextBox::ProgrammaticEdit edit(box);
        box.setSel(0, 3);
        box.setSelColor(blue);
    }
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(colourAt(box, 0), blue);

    // The user types a line; the colouring routines re-case and colour it
    // and append a line break.
    box.setSelStart(0);
    QTest::keyClicks(&box, "dim x");
    QTest::keyClick(&box, Qt::Key_Return);
    {
        RichTextBox::WindowUpdateLock lock(box);
        RichTextBox::ProgrammaticEdit edit(box);
        box.setSel(0, 3);
        box.setSelTextQ(QStringLiteral("Dim"));
        box.setSel(0, 3);
        box.setSelColor(blue);
        box.setSel(4, 5);
        box.setSelColor(red);
        box.appendTextQ(QStringLiteral("\r\n"));
    }
    EXPECT_EQ(box.TextQ(), QStringLiteral("Dim x\r\nEnd Sub\r\n"));
    EXPECT_EQ(colourAt(box, 4), red);

    // Undo takes back the Enter and the colouring that answered it...
    box.setSelStart(7);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.TextQ(), QStringLiteral("dim xEnd Sub"));
    EXPECT_EQ(colourAt(box, 5), blue); // "End" keeps its colour
    // ...then the typing, and no more: the first colouring stays.
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.TextQ(), QStringLiteral("End Sub"));
    EXPECT_EQ(colourAt(box, 0), blue);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.TextQ(), QStringLiteral("End Sub"));
    EXPECT_EQ(colourAt(box, 0), blue);

    // Redo brings the typing back, and then the Enter with its colouring.
    box.redoUserStep();
    EXPECT_EQ(box.TextQ(), QStringLiteral("dim xEnd Sub"));
    box.redoUserStep();
    EXPECT_EQ(box.TextQ(), QStringLiteral("Dim x\r\nEnd Sub\r\n"));
    EXPECT_EQ(colourAt(box, 4), red);

    // A paste is one step.
    box.setSelStart(0);
    box.setSelRTF(writeRtf({{QStringLiteral("a\r\nb"), green}}, QStringLiteral("Courier New")));
    EXPECT_EQ(box.TextQ(), QStringLiteral("a\r\nbDim x\r\nEnd Sub\r\n"));
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.TextQ(), QStringLiteral("Dim x\r\nEnd Sub\r\n"));
}

TEST(RichTextBoxTest, DrawingLockHoldsRepaintsAndTheSelection)
{
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.setTextQ(QStringLiteral("one\r\ntwo\r\nthree"));
    box.setSelStart(2);
    PaintCounter counter;
    box.viewport()->installEventFilter(&counter);
    int selChanges = 0;
    QObject::connect(&box, &RichTextBox::SelChange, &box, [&] { ++selChanges; });
    QApplication::processEvents();
    counter.paints = 0;
    {
        RichTextBox::WindowUpdateLock outer(box);
        {
            RichTextBox::WindowUpdateLock inner(box);
            box.setSel(5, 8);
            box.setSelColor(red);
        }
        EXPECT_TRUE(box.isWindowUpdateLocked());
        EXPECT_EQ(box.selStart(), 5);              // the box answers with its own selection
        EXPECT_EQ(box.textCursor().position(), 2); // the widget has not moved
        box.viewport()->repaint();
        QApplication::processEvents();
        EXPECT_EQ(counter.paints, 0);
        EXPECT_EQ(selChanges, 0);
        box.setSelStart(1);
    }
    EXPECT_FALSE(box.isWindowUpdateLocked());
    EXPECT_EQ(box.textCursor().position(), 1);
    EXPECT_EQ(selChanges, 1);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(colourAt(box, 6), red);
    box.unlockWindowUpdate(); // an extra unlock is harmless
    EXPECT_FALSE(box.isWindowUpdateLocked());
}

TEST(RichTextBoxTest, KeyEventsCarryCodesThatHandlersChange)
{
    RichTextBox box;
    box.show();
    std::vector<int> downs, ups;
    QObject::connect(&box, &RichTextBox::KeyDown, &box,
                     [&](KeyCodeEvent *event) { downs.push_back(event->keyCode()); });
    QObject::connect(&box, &RichTextBox::KeyUp, &box, [&](KeyCodeEvent *event) { ups.push_back(event->keyCode()); });
    QObject::connect(&box, &RichTextBox::KeyPress, &box, [&](KeyAsciiEvent *event) {
        if (event->keyAscii() == 'q')
            event->setKeyAscii(0);
        else if (event->keyAscii() == 'a')
            event->setKeyAscii('A');
    });
    QTest::keyClicks(&box, "aqb");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Up);
    std::erase(downs, 16); // Shift itself
    std::erase(ups, 16);
    EXPECT_EQ(box.TextQ(), QStringLiteral("Ab\r\n"));
    EXPECT_EQ(box.lineCount(), 2); // Shift+Enter makes a new line, not a soft break
    EXPECT_EQ(downs, (std::vector<int>{65, 81, 66, 13, 38}));
    EXPECT_EQ(ups, downs);
}

TEST(RichTextBoxTest, PassThroughProperties)
{
    RichTextBox box;
    EXPECT_EQ(box.BackColor(), qint32(0x80000005u));
    box.resize(120, 80);
    box.setBackColor(0x00FFFF);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(255, 255, 0));
    // What is drawn: the empty area of the box in that colour.
    const QImage drawn = box.viewport()->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 5, drawn.height() - 5), QColor(255, 255, 0));
    box.setBackColor(qint32(0x8000000Fu));
    EXPECT_EQ(box.BackColor(), qint32(0x8000000Fu));
    EXPECT_EQ(box.palette().color(QPalette::Base), box.palette().color(QPalette::Button));

    EXPECT_EQ(box.MousePointer(), 0);
    box.setMousePointer(RichTextBox::pointerHourglass);
    EXPECT_EQ(box.viewport()->cursor().shape(), Qt::WaitCursor);
    box.setMousePointer(0);
    EXPECT_EQ(box.viewport()->cursor().shape(), Qt::IBeamCursor);

    // Wrapping, seen as the screen lines of one long line in a narrow box;
    // the numbering of the text's lines never changes with it.
    box.resize(120, 200);
    box.show();
    box.setTextQ(QString(200, u'x') + QStringLiteral("\r\nend"));
    const auto screenLines = [&box] {
        const QTextBlock first = box.document()->firstBlock();
        box.document()->documentLayout()->blockBoundingRect(first); // lays the line out
        return first.layout()->lineCount();
    };
    EXPECT_EQ(box.RightMargin(), RichTextBox::noWrapMargin);
    EXPECT_EQ(screenLines(), 1);
    box.setRightMargin(0);
    EXPECT_GT(screenLines(), 1);
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 202);
    box.setRightMargin(1440); // a fixed width: no wrap on this box
    EXPECT_EQ(screenLines(), 1);

    box.setScrollBars(1);
    EXPECT_EQ(box.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    box.setOLEDropMode(0);
    EXPECT_FALSE(box.viewport()->acceptDrops());
    box.setWhatsThisHelpID(7);
    EXPECT_EQ(box.WhatsThisHelpID(), 7);
}

} // namespace
} // namespace quorbel
