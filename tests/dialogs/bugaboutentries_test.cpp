#include "codebox/vbcodebox.h"
#include "dialogs/bugaboutentries.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmbug.h"
#include "tests/addin/converterfixture.h"
#include "tests/dialogs/modaldriver.h"

#include <QAction>
#include <QPushButton>

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using testing::ConverterFixture;
using testing::ModalWatch;

struct BugAboutEntries : ::testing::Test, ConverterFixture {};

TEST_F(BugAboutEntries, ReportBugAndAboutOpenTheirDialogsModallyOverTheWindow)
{
    ConverterDialogs dialogs;
    setBugAboutEntries(dialogs, messages, shell);
    frmAddin &window = open(std::move(dialogs));
    window.show();

    QString caption;
    QWidget *owner = nullptr;
    bool isBug = false;
    {
        const ModalWatch watch([&](QWidget &modal) {
            caption = modal.windowTitle();
            owner = modal.parentWidget();
            auto *bug = dynamic_cast<frmBug *>(&modal);
            isBug = bug != nullptr;
            if (isBug)
                bug->cmdCancel().click();
            else
                modal.close();
        });
        window.findChild<QAction *>(QStringLiteral("mnuBug"))->trigger();
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_TRUE(isBug);
    EXPECT_EQ(caption, "Quorbel Bug Report");
    EXPECT_EQ(owner, &window);

    bool isAbout = false;
    {
        const ModalWatch watch([&](QWidget &modal) {
            caption = modal.windowTitle();
            auto *about = dynamic_cast<frmAbout *>(&modal);
            isAbout = about != nullptr;
            if (isAbout)
                about->cmdOK().click();
            else
                modal.close();
        });
        window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_TRUE(isAbout);
    EXPECT_EQ(caption, "About Quorbel");
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(shell.started.empty());

    // The window's code box shows the same About box.
    caption.clear();
    {
        const ModalWatch watch([&](QWidget &modal) {
            caption = modal.windowTitle();
            modal.close();
        });
        window.txtsource().AboutBox();
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_EQ(caption, "About Quorbel");
}

// An About box that cannot be made: its loading error is shown in a box of
// its own (OK, critical icon, the application's title) and the command ends
// there, with no dialog shown and the window as it was.
TEST_F(BugAboutEntries, AnAboutBoxThatFailsToLoadIsReportedAndTheCommandEnds)
{
    std::vector<QWidget *> owners;
    bool madeNothing = false;
    ConverterDialogs dialogs;
    setBugAboutEntries(dialogs, messages, shell);
    dialogs.showAbout = [&](frmAddin &window) {
        showAboutBox(&window, messages, [&](QWidget *owner) -> std::unique_ptr<QDialog> {
            owners.push_back(owner);
            if (madeNothing)
                return nullptr;
            throw std::runtime_error("the About box's resources are missing");
        });
    };
    frmAddin &window = open(std::move(dialogs));
    window.show();
    window.txtsource().setText(QStringLiteral("Sub Main()"));

    const auto about = [&] {
        const ModalWatch watch([](QWidget &modal) { modal.close(); });
        window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        return watch.seen();
    };
    EXPECT_FALSE(about());
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "Error occured in loading frmAbout");
    EXPECT_EQ(messages.calls[0].buttons, Buttons::Ok);
    EXPECT_EQ(messages.calls[0].icon, Icon::Critical);
    EXPECT_EQ(messages.calls[0].title, "Quorbel");
    EXPECT_EQ(owners, std::vector<QWidget *>{&window});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.txtsource().Text(), "Sub Main()");

    // A loader that hands back no box fails the same way; the code box's
    // AboutBox goes through the same entry.
    madeNothing = true;
    window.txtsource().AboutBox();
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[1].text, "Error occured in loading frmAbout");
    EXPECT_EQ(messages.calls[1].icon, Icon::Critical);
    EXPECT_EQ(owners.size(), 2u);
}

} // namespace
} // namespace quorbel
