#include "engine/plaintextbox.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(PlainTextBox, EmptyTextHasOneLine)
{
    PlainTextBox box;
    EXPECT_EQ(box.lineCount(), 1);
    EXPECT_EQ(box.lineIndex(0), 0);
    EXPECT_EQ(box.lineIndex(1), -1);
    EXPECT_EQ(box.lineFromChar(0), 0);
    box.setSel(0, -1);
    EXPECT_EQ(box.selText(), "");
}

TEST(PlainTextBox, LinesEndAtCrLfWhichCountsTwo)
{
    PlainTextBox box("a\r\nb");
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 3);
    EXPECT_EQ(box.lineIndex(2), -1);
    EXPECT_EQ(box.lineIndex(-2), -1);
    box.setSel(0, 3);
    EXPECT_EQ(box.selText(), "a\r\n");
    EXPECT_EQ(box.lineFromChar(1), 0); // the CR
    EXPECT_EQ(box.lineFromChar(2), 0); // the LF
    EXPECT_EQ(box.lineFromChar(3), 1);
    EXPECT_EQ(box.lineFromChar(99), 1);

    // A text ending with a line break has one more, empty, line.
    box.setText("a\r\nb\r\n");
    EXPECT_EQ(box.lineCount(), 3);
    EXPECT_EQ(box.lineIndex(2), 6);
    box.setSel(box.lineIndex(2), box.lineIndex(3));
    EXPECT_EQ(box.selText(), "");

    // UTF-8 positions are bytes.
    box.setText("\xC3\xA9t\xC3\xA9\r\nx");
    EXPECT_EQ(box.lineIndex(1), 7);
}

TEST(PlainTextBox, LoneCrAndLfAreCharactersOfTheirLine)
{
    PlainTextBox box("a\nb\rc\r\r\nd\n\r");
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 8);
    box.setSel(0, 8);
    EXPECT_EQ(box.selText(), "a\nb\rc\r\r\n");
    box.setSel(8, -1);
    EXPECT_EQ(box.selText(), "d\n\r");
    box.setText("\n\r\n");
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 3);
}

TEST(PlainTextBox, SelectionFollowsTheEditControlRules)
{
    PlainTextBox box("one\r\ntwo\r\nthree");
    box.setSel(5, -1);
    EXPECT_EQ(box.selText(), "two\r\nthree");
    box.setSel(8, 5); // swapped
    EXPECT_EQ(box.selStart(), 5);
    EXPECT_EQ(box.selText(), "two");
    // The caret (selection start) answers the -1 queries.
    EXPECT_EQ(box.lineFromChar(-1), 1);
    EXPECT_EQ(box.lineIndex(-1), 5);
    // A negative start clears the selection and keeps the caret.
    box.setSel(-1, -1);
    EXPECT_EQ(box.selLength(), 0);
    EXPECT_EQ(box.selStart(), 5);
    // Positions are clamped to the text.
    box.setSel(3, 500);
    EXPECT_EQ(box.selText(), "\r\ntwo\r\nthree");
    box.setSelStart(-4);
    EXPECT_EQ(box.selStart(), 0);
    box.setSelLength(1000);
    EXPECT_EQ(box.selLength(), 15);
    box.setSelStart(1000);
    EXPECT_EQ(box.selStart(), 15);
    EXPECT_EQ(box.selLength(), 0);

    std::string reused = "old contents";
    box.setSel(0, 3);
    box.readSelText(reused);
    EXPECT_EQ(reused, "one");
}

TEST(PlainTextBox, ReplacingTheSelectionReindexesLines)
{
    PlainTextBox box("one\r\ntwo");
    box.setSel(3, 5);
    box.setSelText(" 1\r\nand\r\n");
    EXPECT_EQ(box.text(), "one 1\r\nand\r\ntwo");
    EXPECT_EQ(box.selStart(), 12);
    EXPECT_EQ(box.selLength(), 0);
    EXPECT_EQ(box.lineCount(), 3);
    EXPECT_EQ(box.lineIndex(2), 12);
    // Joining a CR and an LF that stood apart makes a line break.
    box.setText("a\rb\nc");
    box.setSel(2, 3);
    box.setSelText("");
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineIndex(1), 3);
    box.setText("x");
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.lineCount(), 1);
}

} // namespace
} // namespace quorbel
