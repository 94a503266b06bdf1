#include "addin/menupicture.h"
#include "addin/wizard.h"
#include "host/codewindow.h"
#include "host/qtvbe.h"
#include "tests/host/hostfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>

namespace quorbel::testing {
namespace {

using QtVbeTest = HostTest;

TEST_F(QtVbeTest, addInsBarControlsAreTheMenusActions)
{
    vbe::VBE &vbe = window->vbe();
    vbe::CommandBar *bar = vbe.commandBars().Item("add-ins");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Name(), "Add-Ins");
    EXPECT_EQ(vbe.commandBars().Item("Standard"), nullptr);
    ASSERT_NE(vbe.commandBars().Item("Menu Bar"), nullptr);
    EXPECT_EQ(vbe.commandBars().Item("Menu Bar")->Controls().Count(), 3);

    vbe::CommandBarControls &controls = bar->Controls();
    ASSERT_EQ(controls.Count(), 1);
    EXPECT_EQ(controls.Item(1).Caption(), "Add-In &Manager...");
    EXPECT_THROW(controls.Item(0), vbe::VbeError);
    EXPECT_THROW(controls.Item(2), vbe::VbeError);
    EXPECT_THROW(controls.Add(10), vbe::VbeError);

    vbe::CommandBarControl &first = controls.Add(vbe::kControlButton);
    first.setCaption("Första");
    first.setOnAction("hello");
    vbe::CommandBarControl &second = controls.Add(vbe::kControlButton);
    second.setCaption("Second");
    EXPECT_EQ(controls.Count(), 3);
    EXPECT_EQ(&controls.Item(2), &first);
    EXPECT_EQ(first.OnAction(), "hello");
    EXPECT_EQ(addInsEntries(), (QStringList{"Add-In &Manager...", "Första", "Second"}));

    // A group begins with a separator just before the control; separators
    // are not controls.
    EXPECT_FALSE(second.BeginGroup());
    second.setBeginGroup(true);
    second.setBeginGroup(true);
    EXPECT_TRUE(second.BeginGroup());
    EXPECT_FALSE(first.BeginGroup());
    const QList<QAction *> actions = window->addInsMenu().actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), QStringLiteral("Second"));
    EXPECT_EQ(controls.Count(), 3);
    EXPECT_EQ(controls.Item(3).Caption(), "Second");
    second.setBeginGroup(false);
    EXPECT_EQ(window->addInsMenu().actions().size(), 3);

    // Deleting takes the control and its group separator off the menu.
    second.setBeginGroup(true);
    second.Delete();
    EXPECT_EQ(controls.Count(), 2);
    EXPECT_EQ(addInsEntries(), (QStringList{"Add-In &Manager...", "Första"}));
    EXPECT_EQ(window->addInsMenu().actions().size(), 2);
    first.Delete();
    EXPECT_EQ(controls.Count(), 1);
}

TEST_F(QtVbeTest, pasteFaceTakesTheClipboardsPicture)
{
    vbe::CommandBarControl &control = window->vbe().commandBars().Item("Add-Ins")->Controls().Add(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    EXPECT_THROW(control.PasteFace(), vbe::VbeError);
    QAction *action = window->addInsMenu().actions().back();
    EXPECT_TRUE(action->icon().isNull());

    QImage picture(19, 15, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    clipboard.setImage(picture);
    control.PasteFace();
    ASSERT_FALSE(action->icon().isNull());
    const QImage face = action->icon().pixmap(19, 15).toImage();
    EXPECT_EQ(face.pixelColor(5, 5), QColor(0, 0, 255));
}

TEST_F(QtVbeTest, clickSubscriptionsRunWhileTheyLiveAndKeepErrorsFromTheEventLoop)
{
    vbe::VBE &vbe = window->vbe();
    EXPECT_THROW(vbe.events().commandBarEvents(nullptr), vbe::VbeError);
    vbe::CommandBarControl &control = vbe.commandBars().Item("Add-Ins")->Controls().Add(1);
    QAction *action = window->addInsMenu().actions().back();

    int clicks = 0;
    vbe::CommandBarControl *clicked = nullptr;
    auto events = vbe.events().commandBarEvents(&control);
    events->setClickHandler([&](vbe::ClickEvent &event) {
        ++clicks;
        clicked = event.control;
    });
    action->trigger();
    action->trigger();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(clicked, &control);

    // A handler that throws: the error is shown, the click returns.
    events->setClickHandler([](vbe::ClickEvent &) { throw std::runtime_error("broken handler"); });
    control.setCaption("Entry");
    action->trigger();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "The add-in failed on a click of \"Entry\": broken handler");

    events.reset();
    action->trigger();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(messages.calls.size(), 1u);
}

TEST_F(QtVbeTest, theAddInsMenuEntryOfTheAddInIsMadeOnTheRealMenu)
{
    // The add-in's own routine against the host: no group with only the
    // manager before it; a group after a grouped control whose neighbour
    // is not grouped.
    vbe::CommandBarControl *entry = AddMenuEntry(window->vbe(), "Quorbel", menuPicture(), clipboard);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->BeginGroup());
    EXPECT_EQ(entry->OnAction(), "hello");
    EXPECT_FALSE(window->addInsMenu().actions().back()->icon().isNull());
    entry->setBeginGroup(true);
    vbe::CommandBarControl *next = AddMenuEntry(window->vbe(), "Next", menuPicture(), clipboard);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->BeginGroup());
    EXPECT_EQ(addInsEntries(), (QStringList{"Add-In &Manager...", "Quorbel", "Next"}));
}

TEST_F(QtVbeTest, activeCodePaneIsTheCurrentCodeWindow)
{
    EXPECT_EQ(window->vbe().ActiveCodePane(), nullptr);
    window->openCode("Project1", "First", "Option Explicit\r\n");
    window->openCode("Proj", "Módulo", "Sub A()\r\n  x = \"é\"\r\n\r\nEnd Sub\r\n");
    vbe::CodePane *pane = window->vbe().ActiveCodePane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->window().Caption(), "Proj - Módulo (Code)");
    vbe::CodeModule &code = pane->codeModule();
    EXPECT_EQ(code.CountOfLines(), 4);
    EXPECT_EQ(code.Lines(1, 4), "Sub A()\r\n  x = \"é\"\r\n\r\nEnd Sub");
    EXPECT_EQ(code.Lines(2, 1), "  x = \"é\"");
    EXPECT_EQ(code.Lines(4, 0), "");
    EXPECT_THROW(code.Lines(0, 1), vbe::VbeError);
    EXPECT_THROW(code.Lines(3, 3), vbe::VbeError);

    window->codeArea().activatePreviousSubWindow();
    ASSERT_NE(window->vbe().ActiveCodePane(), nullptr);
    EXPECT_EQ(window->vbe().ActiveCodePane()->window().Caption(), "Project1 - First (Code)");
    EXPECT_EQ(window->vbe().ActiveCodePane()->codeModule().CountOfLines(), 1);

    host::CodeWindow empty("Project1 - Empty (Code)", "");
    EXPECT_EQ(empty.CountOfLines(), 0);
    EXPECT_EQ(empty.Lines(1, 0), "");
    EXPECT_THROW(empty.Lines(1, 1), vbe::VbeError);
}

} // namespace
} // namespace quorbel::testing
