#include "engine/settingkeys.h"
#include "tests/dialogs/optionsfixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using testing::OptionsFixture;
struct OptionsMeta : ::testing::Test, OptionsFixture {
    // Types name and value into the input dialog when it shows, then
    // presses its OK (or Cancel).
    void answerInput(QString name, QString value, bool ok = true)
    {
        onModal([name, value, ok](QWidget &w) {
            auto &input = dynamic_cast<frmMetaInput &>(w);
            input.txtName().setText(name);
            input.txtValue().setText(value);
            QTest::mouseClick(ok ? &input.cmdOK() : &input.cmdCancel(), Qt::LeftButton);
        });
    }
};

QStringList entries(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

TEST_F(OptionsMeta, LoadsDeletesAndStoresByTheCount)
{
    store(keys::MetaUserCount, "3");
    for (int i = 0; i < 4; ++i) {
        store(keys::metaName("User", i), "n" + std::to_string(i));
        store(keys::metaValue("User", i), "v" + std::to_string(i));
    }
    frmOptions &d = load(3);
    EXPECT_EQ(entries(d.listName(1)), QStringList({"n0", "n1", "n2"})); // tag 3 lies past the count
    EXPECT_EQ(entries(d.listValue(1)), QStringList({"v0", "v1", "v2"}));
    EXPECT_EQ(d.listName(1).currentRow(), 0);
    EXPECT_EQ(d.listValue(1).currentRow(), 0);
    EXPECT_TRUE(d.cmdEdit(1).isEnabled());
    EXPECT_FALSE(d.cmdEdit(0).isEnabled());
    EXPECT_FALSE(d.cmdDelete(0).isEnabled());

    d.listName(1).setCurrentRow(1);
    d.listValue(1).setCurrentRow(1);
    messages.answers = {Answer::No, Answer::Yes};
    d.cmdDelete_Click(1);
    EXPECT_EQ(d.listName(1).count(), 3);
    d.cmdDelete_Click(1);
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[1].text, "Are you sure you want to delete this item?");
    EXPECT_EQ(messages.calls[1].buttons, Buttons::YesNo);
    EXPECT_EQ(messages.calls[1].icon, Icon::Question);
    EXPECT_EQ(entries(d.listValue(1)), QStringList({"v0", "v2"}));
    // Nothing selected now: Delete and Edit do nothing, and ask nothing.
    d.cmdDelete_Click(1);
    d.cmdEdit_Click(1);
    EXPECT_EQ(messages.calls.size(), 2u);
    d.cmdOK_Click();
    EXPECT_EQ(stored(keys::MetaUserCount), "2");
    EXPECT_EQ(stored("Meta UserName Info No 0"), "n0");
    EXPECT_EQ(stored("Meta UserValue Info No 1"), "v2");
    EXPECT_EQ(stored("Meta UserName Info No 2"), "n2"); // left in the store, past the count
    EXPECT_EQ(stored(keys::MetaSystemCount), "0");

    // Deleting the last entries disables Edit and Delete.
    frmOptions &e = load(3);
    messages.answers = {Answer::Yes, Answer::Yes};
    for (int i = 0; i < 2; ++i) {
        e.listName(1).setCurrentRow(0);
        e.listValue(1).setCurrentRow(0);
        e.cmdDelete_Click(1);
    }
    EXPECT_FALSE(e.cmdEdit(1).isEnabled());
    EXPECT_FALSE(e.cmdDelete(1).isEnabled());
}

TEST_F(OptionsMeta, AddEditAndTheSelectionsKeptInStep)
{
    frmOptions &d = load(3);
    d.show();
    answerInput("refresh", "30");
    QTest::mouseClick(&d.cmdAdd(0), Qt::LeftButton);
    answerInput("expires", "0");
    d.cmdAdd_Click(0);
    answerInput("ignored", "x", false); // Cancel: nothing added, last entry selected
    d.listName(0).setCurrentRow(0);
    d.cmdAdd_Click(0);
    EXPECT_EQ(entries(d.listName(0)), QStringList({"refresh", "expires"}));
    EXPECT_EQ(entries(d.listValue(0)), QStringList({"30", "0"}));
    EXPECT_EQ(d.listName(0).currentRow(), 1);
    EXPECT_TRUE(d.cmdEdit(0).isEnabled());
    EXPECT_TRUE(entries(d.listName(1)).isEmpty());

    // In step: a click on a name selects its value.
    const auto click = [](QListWidget &list, int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    };
    click(d.listName(0), 0);
    EXPECT_EQ(d.listValue(0).currentRow(), 0);
    click(d.listValue(0), 1);
    EXPECT_EQ(d.listName(0).currentRow(), 1);

    // Edit fills the input dialog with the selected pair and replaces it.
    QString shownName;
    onModal([&shownName](QWidget &w) {
        auto &input = dynamic_cast<frmMetaInput &>(w);
        shownName = input.txtName().text();
        input.txtValue().setText(QStringLiteral("60"));
        QTest::mouseClick(&input.cmdOK(), Qt::LeftButton);
    });
    d.cmdEdit_Click(0);
    EXPECT_EQ(shownName, "expires");
    EXPECT_EQ(entries(d.listValue(0)), QStringList({"30", "60"}));
    // After an Edit the lists no longer follow each other...
    click(d.listName(0), 0);
    EXPECT_EQ(d.listValue(0).currentRow(), 1);
    // ...until the next Add.
    answerInput("author", "me");
    d.cmdAdd_Click(1);
    click(d.listName(0), 0);
    EXPECT_EQ(d.listValue(0).currentRow(), 0);

    // The pop-up menu of a value list, for the kind right-clicked.
    d.prepareMetaMenu(0);
    EXPECT_TRUE(d.mnuEdit().isEnabled());
    answerInput("keywords", "vb");
    d.mnuAdd().trigger();
    EXPECT_EQ(entries(d.listName(0)).last(), "keywords");
    // The right button over the user values: the menu shows, for that kind.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 d.listValue(1).viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(d.listValue(1).viewport(), &rightClick);
    EXPECT_TRUE(d.mnuMeta().isVisible());
    EXPECT_TRUE(d.mnuDelete().isEnabled());
    d.mnuMeta().hide();
    answerInput("lang", "en");
    d.mnuAdd().trigger();
    EXPECT_EQ(entries(d.listValue(1)), QStringList({"me", "en"}));
    d.listName(1).clear();
    d.listValue(1).clear();
    d.prepareMetaMenu(1);
    EXPECT_FALSE(d.mnuEdit().isEnabled());
    EXPECT_FALSE(d.mnuDelete().isEnabled());

    d.cmdOK_Click();
    EXPECT_EQ(stored(keys::MetaSystemCount), "3");
    EXPECT_EQ(stored("Meta SystemName Info No 2"), "keywords");
    EXPECT_EQ(stored("Meta SystemValue Info No 1"), "60");
    EXPECT_EQ(stored(keys::MetaUserCount), "0");
}

TEST_F(OptionsMeta, InputDialogCaptionErrorsAppendAndReplace)
{
    frmOptions &d = load(3);
    frmMetaInput &input = d.metaInput();
    input.Index = 1;
    input.Form_Load();
    EXPECT_EQ(input.windowTitle(), "User Variables");
    input.Index = 0;
    input.Form_Load();
    EXPECT_EQ(input.windowTitle(), "System Variables (HTTP-EQUIV)");

    input.show();
    QApplication::setActiveWindow(&input);
    input.cmdOK_Click(); // both empty: only the name message
    input.txtName().setText(QStringLiteral("  "));
    input.cmdOK_Click();
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[0].text, "You must enter a value for 'Name'    ");
    EXPECT_EQ(messages.calls[0].title, "Input Error");
    EXPECT_EQ(messages.calls[0].icon, Icon::Critical);
    EXPECT_EQ(messages.calls[1].text, "You must enter a value for 'Value'    ");
    EXPECT_TRUE(input.txtValue().hasFocus());
    EXPECT_TRUE(input.isVisible());
    input.txtValue().setText(QStringLiteral(" "));
    input.cmdOK_Click(); // blanks are accepted
    EXPECT_FALSE(input.isVisible());
    EXPECT_EQ(entries(d.listName(0)), QStringList({"  "}));

    // Editing with different selected rows replaces a different row in each.
    d.listName(0).addItem(QStringLiteral("b"));
    d.listValue(0).addItem(QStringLiteral("2"));
    d.listName(0).setCurrentRow(0);
    d.listValue(0).setCurrentRow(1);
    input.EditMode = true;
    input.txtName().setText(QStringLiteral("N"));
    input.txtValue().setText(QStringLiteral("V"));
    input.cmdOK_Click();
    EXPECT_EQ(entries(d.listName(0)), QStringList({"N", "b"}));
    EXPECT_EQ(entries(d.listValue(0)), QStringList({" ", "V"}));
}

} // namespace
} // namespace quorbel
