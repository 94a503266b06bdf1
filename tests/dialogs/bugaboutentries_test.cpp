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
using testing::whenModalShown;

struct BugAboutEntries : ::testing::Test, ConverterFixture {};

TEST_F(BugAboutEntries, ReportBugAndAboutOpenTheirDialogsModallyOverTheWindow)
{
    ConverterDialogs dialogs;
    setBugAboutEntries(dialogs, messages, shell);
    frmAddin &window = open(std::move(dialogs));
    window.show();

    bool seen = false;
    QString caption;
    QWidget *owner = nullptr;
    whenModalShown(
        [&](QWidget &modal) {
            caption = modal.windowTitle();
            owner = modal.parentWidget();
            ASSERT_NE(dynamic_cast<frmBug *>(&modal), nullptr);
            static_cast<frmBug &>(modal).cmdCancel().click();
        },
        seen);
    window.findChild<QAction *>(QStringLiteral("mnuBug"))->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, "Quorbel Bug Report");
    EXPECT_EQ(owner, &window);

    seen = false;
    whenModalShown(
        [&](QWidget &modal) {
            caption = modal.windowTitle();
            ASSERT_NE(dynamic_cast<frmAbout *>(&modal), nullptr);
            static_cast<frmAbout &>(modal).cmdOK().click();
        },
        seen);
    window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, "About Quorbel");
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(shell.started.empty());

    // The window's code box shows the same About box.
    seen = false;
    caption.clear();
    whenModalShown(
        [&](QWidget &modal) {
            caption = modal.windowTitle();
            modal.close();
        },
        seen);
    window.txtsource().AboutBox();
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, "About Quorbel");
}

} // namespace
} // namespace quorbel
