#include "addin/menupicture.h"
#include "addin/wizard.h"
#include "tests/support/fakevbe.h"
#include "tests/support/memoryclipboard.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace quorbel {
namespace {

using testing::FakeVbe;
using testing::RecordingMessageBoxes;

// A connection object on a fake environment whose "Add-Ins" bar holds the
// environment's own entries; every converter window it opens is counted.
struct WizardFixture : ::testing::Test {
    MemoryClipboard clipboard;
    RecordingMessageBoxes messages;
    FakeVbe environment{clipboard};
    std::vector<vbe::VBE *> windowsOpened;
    Wizard wizard{{messages, clipboard, [this](vbe::VBE *v) { windowsOpened.push_back(v); }}};

    FakeVbe::Bar &addIns(int existing)
    {
        FakeVbe::Bar &bar = environment.addBar("Add-Ins");
        for (int i = 0; i < existing; ++i)
            bar.addControl(vbe::kControlButton, "Entry " + std::to_string(i + 1), i == 0);
        return bar;
    }
};

TEST_F(WizardFixture, ConnectionAddsTheEntryAndEachClickOpensAWindow)
{
    FakeVbe::Bar &bar = addIns(2);
    clipboard.setText("what the user copied");
    wizard.OnConnection(environment, vbe::ConnectAfterStartup);

    ASSERT_EQ(bar.Count(), 3);
    auto *entry = bar.controls.back();
    EXPECT_EQ(wizard.MenuEntry, entry);
    EXPECT_EQ(wizard.VBInstance, &environment);
    EXPECT_EQ(entry->caption, "Quorbel");
    EXPECT_EQ(entry->onAction, "hello");
    EXPECT_EQ(entry->face, menuPicture());
    // The clipboard holds the face now, not what it held before.
    EXPECT_FALSE(clipboard.hasText());
    EXPECT_EQ(clipboard.image(), menuPicture());
    EXPECT_TRUE(messages.calls.empty());

    EXPECT_EQ(environment.click(*entry), 1);
    EXPECT_EQ(environment.click(*entry), 1);
    EXPECT_EQ(windowsOpened, (std::vector<vbe::VBE *>{&environment, &environment}));

    wizard.OnDisconnection(0);
    EXPECT_TRUE(entry->deleted);
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_EQ(wizard.MenuEntry, nullptr);
    wizard.OnDisconnection(0); // nothing left to remove
}

TEST_F(WizardFixture, AnOutsideProgramGetsAWindowAndNoEntry)
{
    FakeVbe::Bar &bar = addIns(2);
    wizard.OnConnection(environment, vbe::ConnectExternal);
    EXPECT_EQ(windowsOpened.size(), 1u);
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_EQ(wizard.MenuEntry, nullptr);
    EXPECT_EQ(environment.subscriptionCount(), 0);
    wizard.OnDisconnection(0);
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(WizardFixture, ConnectingAgainAfterDisconnectingAddsAFreshEntry)
{
    FakeVbe::Bar &bar = addIns(3);
    wizard.OnConnection(environment, vbe::ConnectStartup);
    auto *first = bar.controls.back();
    wizard.OnDisconnection(0);
    wizard.OnConnection(environment, vbe::ConnectAfterStartup);
    ASSERT_EQ(bar.Count(), 4);
    auto *second = bar.controls.back();
    EXPECT_NE(second, first);
    EXPECT_TRUE(first->deleted);
    EXPECT_EQ(second->caption, "Quorbel");
    // Only the live entry opens windows.
    EXPECT_EQ(environment.click(*second), 1);
    EXPECT_EQ(windowsOpened.size(), 1u);
}

// The new entry begins a group exactly when the entry before it begins one
// and the entry before that does not; with fewer than two entries before it
// the entry is still made and keeps the bar's default.
TEST(AddMenuEntry, GroupRuleWithTheTwoNeighbours)
{
    struct Case {
        std::vector<bool> before; // BeginGroup of the existing entries
        bool expected;
    };
    const std::vector<Case> cases{
        {{false, true}, true},       {{false, false}, false},       {{true, true}, false}, {{true, false}, false},
        {{true, false, true}, true}, {{false, true, false}, false}, {{}, false},           {{true}, false},
    };
    for (const Case &c : cases) {
        MemoryClipboard clipboard;
        FakeVbe environment(clipboard);
        FakeVbe::Bar &bar = environment.addBar("Add-Ins");
        for (bool begins : c.before)
            bar.addControl(vbe::kControlButton, "x", begins);
        vbe::CommandBarControl *entry = AddMenuEntry(environment, "Quorbel", menuPicture(), clipboard);
        SCOPED_TRACE(::testing::PrintToString(c.before));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->BeginGroup(), c.expected);
        EXPECT_EQ(entry->Caption(), "Quorbel");
        EXPECT_EQ(&bar.Item(bar.Count()), entry);
    }
}

TEST_F(WizardFixture, WithoutAnAddInsBarTheErrorIsShownAndNothingIsAdded)
{
    environment.addBar("Tools");
    wizard.OnConnection(environment, vbe::ConnectAfterStartup);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "Object required");
    EXPECT_EQ(messages.calls[0].buttons, Buttons::Ok);
    EXPECT_EQ(messages.calls[0].icon, Icon::None);
    EXPECT_EQ(messages.calls[0].title, "Quorbel");
    EXPECT_EQ(wizard.MenuEntry, nullptr);
    EXPECT_EQ(environment.bars["Tools"]->Count(), 0);
    wizard.OnDisconnection(0);
}

TEST(MenuPicture, DashesOfFourColoursOnLightGrey)
{
    const QImage picture = menuPicture();
    ASSERT_EQ(picture.size(), QSize(19, 15));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(192, 192, 192));
    EXPECT_EQ(picture.pixel(18, 14), qRgb(192, 192, 192));
    std::set<QRgb> colours;
    int coloured = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            colours.insert(p);
            coloured += p != qRgb(192, 192, 192);
        }
    }
    EXPECT_EQ(colours.size(), 5u); // grey and the four dash colours
    EXPECT_GT(coloured, 20);
    EXPECT_LT(coloured, 19 * 15 / 2);
}

} // namespace
} // namespace quorbel
