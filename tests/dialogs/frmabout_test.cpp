#include "dialogs/frmabout.h"
#include "engine/mail.h"
#include "engine/productaddresses.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scripteddialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using testing::RecordingMessageBoxes;
using testing::RecordingShell;

struct AboutBox : ::testing::Test {
    RecordingMessageBoxes messages;
    RecordingShell shell;
    frmAbout box{messages, shell};
};

TEST_F(AboutBox, LoadShowsTitleVersionDescriptionAndLinks)
{
    EXPECT_EQ(box.windowTitle(), "About Quorbel");
    EXPECT_EQ(box.lblTitle().text(), "Quorbel");
    EXPECT_EQ(box.lblVersion().text(), "Version 1.1.0");
    EXPECT_EQ(frmAbout::versionLine(), "Version 1.1.0");
    EXPECT_EQ(frmAbout::description(), "Quorbel, made with Visual Basic 6 Service Pack 3\r\n\r\n"
                                       "Author : The Quorbel developers\r\n\r\nDate   : 22-9-99\r\n\r\n");
    EXPECT_TRUE(box.lblDescription().text().startsWith(QStringLiteral("Quorbel, made with")));
    EXPECT_EQ(box.lblQuorbel_Homepage().text(), "Quorbel's Home Page");
    EXPECT_EQ(box.lblQuorbel_Email().text(), "E-Mail Bugs and Comments");
    EXPECT_TRUE(box.lblDisclaimer().text().startsWith(QStringLiteral("Warning: ... Quorbel is has so far")));
    for (const QLabel *link : {&box.lblQuorbel_Homepage(), &box.lblQuorbel_Email()}) {
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_EQ(box.cmdOK().text(), "OK");
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
}

TEST_F(AboutBox, LinksMailAndOpenThePageAndTheBoxStaysOpen)
{
    box.show();
    QTest::mouseClick(&box.lblQuorbel_Email(), Qt::LeftButton);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0],
              (std::vector<std::string>{"xdg-email", mailtoAddress(kContactAddress, "Quorbel", "", "", "")}));
    QTest::mouseClick(&box.lblQuorbel_Homepage(), Qt::LeftButton);
    ASSERT_EQ(shell.started.size(), 2u);
    EXPECT_EQ(shell.started[1], (std::vector<std::string>{"open", std::string(kProductPage)}));
    EXPECT_TRUE(box.isVisible());
    // A right click is not a click on the link.
    QTest::mouseClick(&box.lblQuorbel_Homepage(), Qt::RightButton);
    EXPECT_EQ(shell.started.size(), 2u);

    // A mail program that cannot be started is said in a message box.
    shell.missing = {"xdg-email", "xdg-open"};
    box.lblQuorbel_Email_Click();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].text.find("cannot start xdg-open"), std::string::npos);
    EXPECT_TRUE(box.isVisible());
}

TEST_F(AboutBox, EnterAndEscapeBothClose)
{
    box.show();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    frmAbout second{messages, shell};
    second.show();
    QTest::keyClick(&second, Qt::Key_Escape);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(AboutBox, CaptionsFitAndScreenshot)
{
    box.show();
    for (const QLabel *label : box.findChildren<QLabel *>()) {
        if (label->wordWrap())
            // The description's closing line breaks draw nothing.
            EXPECT_LE(label->fontMetrics()
                          .boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text().trimmed())
                          .height(),
                      label->height())
                << label->objectName().toStdString();
        else
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
    }
    const QImage shot = box.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QStringLiteral(QUORBEL_IMAGE_DIR "/about-box.png")));
}

} // namespace
} // namespace quorbel
