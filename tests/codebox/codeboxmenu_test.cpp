#include "codebox/codeboxmenu.h"
#include "tests/codebox/codeboxfixture.h"
#include "tests/codebox/popupdriver.h"
#include "tests/support/scratchfiles.h"

#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace quorbel {
namespace {

using testing::CodeBoxFixture;
using testing::PopupWatch;

struct CodeBoxMenuTest : ::testing::Test, CodeBoxFixture {};

// The state of every entry of a menu: "e" enabled, "d" disabled, "-"
// hidden.
std::map<std::string, std::string> states(const QMenu &menu)
{
    std::map<std::string, std::string> result;
    for (const QAction *entry : menu.actions())
        result[entry->objectName().toStdString()] = !entry->isVisible() ? "-" : entry->isEnabled() ? "e" : "d";
    return result;
}

// Right-clicks the box's text box; step sees the menu that opens.
bool rightClick(VBCodeBox &box, std::function<void(QMenu &)> step)
{
    const PopupWatch watch(std::move(step));
    QTest::mouseClick(box.RTB1().viewport(), Qt::RightButton, {}, QPoint(5, 5));
    return watch.seen();
}

TEST_F(CodeBoxMenuTest, RightClickShowsTheMenuWithEachEntrysStateBeforeMouseDown)
{
    auto box = makeBox();
    std::vector<std::string> events;
    QObject::connect(box.get(), &VBCodeBox::MouseDown, [&](short button, short, float, float) {
        events.push_back("MouseDown " + std::to_string(button));
    });

    // Empty text, nothing selected, nothing on the clipboard, colouring on.
    shared.Color_Auto = true;
    std::map<std::string, std::string> seen;
    EXPECT_TRUE(rightClick(*box, [&](QMenu &menu) {
        seen = states(menu);
        events.push_back("menu");
        menu.close();
    }));
    EXPECT_EQ(seen, (std::map<std::string, std::string>{{"mnuUndo", "e"},
                                                        {"sep1", "e"},
                                                        {"mnuCut", "d"},
                                                        {"mnuCopy", "d"},
                                                        {"mnuPaste", "d"},
                                                        {"mnuDelete", "d"},
                                                        {"sep2", "e"},
                                                        {"mnuSelectAll", "d"},
                                                        {"sep3", "e"},
                                                        {"mnuColorCode", "-"},
                                                        {"sep4", "-"},
                                                        {"mnuPrint", "e"}}));
    EXPECT_EQ(events, (std::vector<std::string>{"menu", "MouseDown 2"}));

    // Text, a selection, text on the clipboard, colouring off.
    shared.Color_Auto = false;
    box->setText(QStringLiteral("Dim a\r\nDim b"));
    box->RTB1().setSel(0, 3);
    clipboard.setText(QStringLiteral("x"));
    QStringList captions;
    EXPECT_TRUE(rightClick(*box, [&](QMenu &menu) {
        seen = states(menu);
        for (const QAction *entry : menu.actions())
            if (entry->isVisible() && !entry->isSeparator())
                captions << entry->text();
        const QImage shot = menu.grab().toImage();
        EXPECT_TRUE(shot.save(QStringLiteral(QUORBEL_BUILD_DIR "/codebox-popup-menu.png")));
        menu.close();
    }));
    EXPECT_EQ(box->mnuPopUpMenu().title(), "PopupMenu");
    EXPECT_EQ(captions,
              (QStringList{"&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Sellect &All", "Color Code", "&Print"}));
    for (const char *name : {"mnuCut", "mnuCopy", "mnuPaste", "mnuDelete", "mnuSelectAll", "mnuColorCode", "sep4"})
        EXPECT_EQ(seen[name], "e") << name;

    // With ShowMenu off a right click only raises MouseDown.
    box->setShowMenu(false);
    events.clear();
    EXPECT_FALSE(rightClick(*box, [](QMenu &menu) { menu.close(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 2"}));
}

TEST_F(CodeBoxMenuTest, CutCopyPasteDeleteSelectAllAndUndoActOnTheTextBox)
{
    auto box = makeBox();
    shared.Color_Auto = true;
    box->setText(QStringLiteral("Dim a As Long\r\nDim b"));
    box->color(); // colouring the whole text ends it with a line break
    CodeBoxMenu &menu = box->mnuPopUpMenu();

    // Copy: plain text, and HTML and rich text with the keyword colour.
    box->RTB1().setSel(0, 5);
    menu.action("mnuCopy").trigger();
    ASSERT_NE(clipboard.mimeData(), nullptr);
    EXPECT_EQ(clipboard.text(), "Dim a");
    const QString keyword = QColor::fromRgb(shared.Color_KeyWords & 0xff, (shared.Color_KeyWords >> 8) & 0xff,
                                            (shared.Color_KeyWords >> 16) & 0xff)
                                .name();
    EXPECT_TRUE(clipboard.mimeData()->html().contains(keyword, Qt::CaseInsensitive))
        << clipboard.mimeData()->html().toStdString();
    const QByteArray rtf = clipboard.mimeData()->data(QStringLiteral("text/rtf"));
    // The rich text's colour table holds the keyword colour.
    const QByteArray keywordRtf = QStringLiteral("\\red%1\\green%2\\blue%3")
                                      .arg(shared.Color_KeyWords & 0xff)
                                      .arg((shared.Color_KeyWords >> 8) & 0xff)
                                      .arg((shared.Color_KeyWords >> 16) & 0xff)
                                      .toLatin1();
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));
    EXPECT_TRUE(rtf.contains("\\colortbl"));
    EXPECT_TRUE(rtf.contains(keywordRtf)) << rtf.toStdString();
    EXPECT_EQ(box->Text(), "Dim a As Long\r\nDim b\r\n");

    // Cut: the same on the clipboard, and the selection goes.
    box->RTB1().setSel(6, 13);
    menu.action("mnuCut").trigger();
    EXPECT_EQ(clipboard.text(), "As Long");
    ASSERT_NE(clipboard.mimeData(), nullptr);
    EXPECT_TRUE(clipboard.mimeData()->html().contains(keyword, Qt::CaseInsensitive));
    EXPECT_TRUE(clipboard.mimeData()->data(QStringLiteral("text/rtf")).contains(keywordRtf));
    EXPECT_EQ(box->Text(), "Dim a \r\nDim b\r\n");

    // Undo takes the cut back (the user's edit, not a colouring).
    menu.action("mnuUndo").trigger();
    EXPECT_EQ(box->Text(), "Dim a As Long\r\nDim b\r\n");

    // Delete.
    box->RTB1().setSel(0, 4);
    menu.action("mnuDelete").trigger();
    EXPECT_EQ(box->Text(), "a As Long\r\nDim b\r\n");

    // Paste goes through the colouring paste while colouring is on.
    clipboard.setText(QStringLiteral("dim "));
    box->RTB1().setSel(0, 0);
    menu.action("mnuPaste").trigger();
    EXPECT_EQ(box->Text(), "Dim a As Long\r\nDim b\r\n");
    box->RTB1().setSel(0, 1);
    EXPECT_EQ(box->RTB1().SelColor(), shared.Color_KeyWords);
    // ... and inserts the text as it is while colouring is off.
    shared.Color_Auto = false;
    box->RTB1().setSel(0, 0);
    menu.action("mnuPaste").trigger();
    EXPECT_EQ(box->Text(), "dim Dim a As Long\r\nDim b\r\n");

    // Select All: start 0, the whole length (line breaks count two).
    menu.action("mnuSelectAll").trigger();
    EXPECT_EQ(box->SelStart(), 0);
    EXPECT_EQ(box->RTB1().selLength(), 26);
}

TEST_F(CodeBoxMenuTest, ColorCodeColoursTheWholeText)
{
    auto box = makeBox();
    shared.Color_Auto = false;
    box->setText(QStringLiteral("' note\r\nDim a"));
    box->mnuPopUpMenu().action("mnuColorCode").trigger();
    box->RTB1().setSel(0, 1);
    EXPECT_EQ(box->RTB1().SelColor(), shared.Color_Comment);
    box->RTB1().setSel(8, 9);
    EXPECT_EQ(box->RTB1().SelColor(), shared.Color_KeyWords);
}

} // namespace
} // namespace quorbel
