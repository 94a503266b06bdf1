#include "codebox/undoledger.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace quorbel {
namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

// A document with its ledger, and the edits a user and the colouring make.
struct LedgerTest : ::testing::Test {
    QTextDocument doc;
    UndoLedger ledger{doc};
    QTextCursor caret{&doc};

    void load(const QString &text)
    {
        doc.setPlainText(text);
        ledger.forget();
    }
    // A user edit: one insertion at a position.
    void type(int position, const QString &text)
    {
        QTextCursor cursor(&doc);
        cursor.setPosition(position);
        cursor.insertText(text);
    }
    void colour(int from, int to, const QColor &colour)
    {
        QTextCursor cursor(&doc);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setForeground(colour);
        cursor.mergeCharFormat(format);
    }
    void replace(int from, int to, const QString &text)
    {
        QTextCursor cursor(&doc);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    }
    QColor colourAt(int position)
    {
        QTextCursor cursor(&doc);
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }
    bool undo() { return ledger.undoUserStep(caret); }
    bool redo() { return ledger.redoUserStep(caret); }
};

TEST_F(LedgerTest, ColouringOfALoadedTextIsNeverUndone)
{
    load(QStringLiteral("End Sub"));
    ledger.beginProgrammaticEdit();
    colour(0, 3, blue);
    EXPECT_TRUE(ledger.endProgrammaticEdit());
    EXPECT_EQ(doc.availableUndoSteps(), 0);
    EXPECT_FALSE(undo());
    EXPECT_EQ(colourAt(0), blue);
    EXPECT_FALSE(redo());
    // Recording was only suspended for the edit.
    EXPECT_TRUE(doc.isUndoRedoEnabled());

    // A document whose owner turned undo off keeps it off.
    doc.setUndoRedoEnabled(false);
    ledger.beginProgrammaticEdit();
    colour(4, 7, red);
    ledger.endProgrammaticEdit();
    EXPECT_FALSE(doc.isUndoRedoEnabled());
}

TEST_F(LedgerTest, UndoTakesBackAUserEditWithTheColouringAfterIt)
{
    load(QStringLiteral("End Sub"));
    ledger.beginProgrammaticEdit();
    colour(0, 3, blue);
    ledger.endProgrammaticEdit();

    // The user types a line; the colouring re-cases and colours it and
    // appends a line break, in nested edits.
    type(0, QStringLiteral("dim x"));
    type(5, QStringLiteral("\n"));
    ledger.beginProgrammaticEdit();
    replace(0, 3, QStringLiteral("Dim"));
    ledger.beginProgrammaticEdit();
    colour(0, 3, blue);
    colour(4, 5, red);
    EXPECT_FALSE(ledger.endProgrammaticEdit());
    EXPECT_TRUE(ledger.inProgrammaticEdit());
    type(doc.characterCount() - 1, QStringLiteral("\n"));
    EXPECT_TRUE(ledger.endProgrammaticEdit());
    EXPECT_FALSE(ledger.inProgrammaticEdit());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Dim x\nEnd Sub\n"));

    // The line break and the colouring that answered it go together...
    EXPECT_TRUE(undo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("dim xEnd Sub"));
    EXPECT_EQ(colourAt(5), blue);
    EXPECT_NE(colourAt(4), red);
    // ...then the typing, and no more: the first colouring stays.
    EXPECT_TRUE(undo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("End Sub"));
    EXPECT_FALSE(undo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("End Sub"));
    EXPECT_EQ(colourAt(0), blue);

    // Redo brings the typing back, then the line break with its colouring.
    EXPECT_TRUE(redo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("dim xEnd Sub"));
    EXPECT_TRUE(redo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Dim x\nEnd Sub\n"));
    EXPECT_EQ(colourAt(4), red);
    EXPECT_FALSE(redo());
}

TEST_F(LedgerTest, ANewUserEditDropsWhatCouldBeRedone)
{
    load(QStringLiteral("x"));
    type(1, QStringLiteral("a"));
    ledger.beginProgrammaticEdit();
    colour(1, 2, blue);
    ledger.endProgrammaticEdit();
    EXPECT_TRUE(undo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));

    // The colouring of the undone edit is no longer in the history: the new
    // edit is undone alone and nothing is left to redo.
    type(0, QStringLiteral("b"));
    EXPECT_FALSE(redo());
    ledger.beginProgrammaticEdit();
    colour(0, 1, red);
    ledger.endProgrammaticEdit();
    EXPECT_TRUE(undo());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
    EXPECT_FALSE(undo());

    // Forgetting empties the document's history too; an end without a
    // begin closes nothing.
    type(0, QStringLiteral("c"));
    ledger.forget();
    EXPECT_EQ(doc.availableUndoSteps(), 0);
    EXPECT_FALSE(undo());
    EXPECT_FALSE(ledger.endProgrammaticEdit());
}

TEST(UndoLedger, StopsWatchingADocumentItDoesNotOutlive)
{
    QTextDocument doc;
    auto ledger = std::make_unique<UndoLedger>(doc);
    QTextCursor(&doc).insertText(QStringLiteral("a"));
    ledger.reset();
    QTextCursor(&doc).insertText(QStringLiteral("b")); // no ledger is told
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ba"));
}

} // namespace
} // namespace quorbel
