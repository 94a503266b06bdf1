#include "codebox/vbcodebox.h"
#include "dialogs/bugaboutentries.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmbug.h"
#include "tests/addin/converterfixture.h"
#include "tests/dialogs/modaldriver.h"

#include <QAction>
#include <QPushButton>

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

} // namespace
} // namespace quorbel
