#include "dialogs/frmbug.h"
#include "engine/mail.h"
#include "engine/productaddresses.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scripteddialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using testing::RecordingMessageBoxes;
using testing::RecordingShell;

struct BugReport : ::testing::Test {
    RecordingMessageBoxes messages;
    RecordingShell shell;
    frmBug dialog{messages, shell};

    std::vector<std::string> texts() const
    {
        std::vector<std::string> list;
        for (const auto &call : messages.calls)
            list.push_back(call.text);
        return list;
    }
};

TEST_F(BugReport, RequiredFieldsAreAskedForInOrderAndTheDialogStaysOpen)
{
    dialog.show();
    QTest::mouseClick(&dialog.txtOK(), Qt::LeftButton);
    EXPECT_EQ(texts(), std::vector<std::string>{"Please enter your name"});
    EXPECT_EQ(messages.calls[0].icon, Icon::None);
    EXPECT_EQ(messages.calls[0].title, "Quorbel");
    EXPECT_EQ(dialog.focusWidget(), &dialog.txtName());
    EXPECT_TRUE(dialog.isVisible());

    dialog.txtName().setText(QStringLiteral("Ann Smith"));
    QTest::mouseClick(&dialog.txtOK(), Qt::LeftButton);
    EXPECT_EQ(texts().back(), "Please enter your Bug Report");
    EXPECT_EQ(dialog.focusWidget(), &dialog.txtBug());

    dialog.txtBug().setPlainText(QStringLiteral("It breaks"));
    QTest::mouseClick(&dialog.txtOK(), Qt::LeftButton);
    EXPECT_EQ(texts().back(), "Please enter your E-Mail");
    EXPECT_EQ(dialog.focusWidget(), &dialog.txtEmail());
    EXPECT_EQ(messages.calls.size(), 3u);
    EXPECT_TRUE(shell.started.empty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(BugReport, SendMailsNameAddressAndReportToTheBugAddressAndCloses)
{
    dialog.show();
    dialog.ComboTitle().setCurrentIndex(1);
    dialog.txtName().setText(QStringLiteral("Ann Smith"));
    dialog.txtEmail().setText(QStringLiteral("ann@example.org"));
    dialog.txtBug().setPlainText(QStringLiteral("It breaks\non two lines"));
    QTest::mouseClick(&dialog.txtOK(), Qt::LeftButton);

    EXPECT_TRUE(messages.calls.empty());
    ASSERT_EQ(shell.started.size(), 1u);
    const std::string body = "Name : Ann Smith\r\nE-Mail : ann@example.org\r\n\r\nIt breaks\r\non two lines";
    EXPECT_EQ(shell.started[0],
              (std::vector<std::string>{"xdg-email", mailtoAddress(kBugReportAddress, "Bug Report", body, "", "")}));
    // The title and the (empty) web site are not part of the message.
    EXPECT_EQ(shell.started[0][1].find("Mrs"), std::string::npos);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // The web site is never required, and when given it stays out too.
    frmBug second{messages, shell};
    second.txtName().setText(QStringLiteral("B"));
    second.txtSite().setText(QStringLiteral("example.net"));
    second.txtEmail().setText(QStringLiteral("b@example.org"));
    second.txtBug().setPlainText(QStringLiteral("x"));
    second.txtOK_Click();
    ASSERT_EQ(shell.started.size(), 2u);
    EXPECT_EQ(shell.started[1][1].find("example.net"), std::string::npos);
}

TEST_F(BugReport, AMailProgramThatCannotStartIsReportedAtErrorPointOne)
{
    shell.missing = {"xdg-email", "xdg-open"};
    dialog.show();
    dialog.txtName().setText(QStringLiteral("Ann"));
    dialog.txtEmail().setText(QStringLiteral("ann@example.org"));
    dialog.txtBug().setPlainText(QStringLiteral("It breaks"));
    QTest::mouseClick(&dialog.txtOK(), Qt::LeftButton);
    EXPECT_EQ(texts(), std::vector<std::string>{"Error occured in attempting to report bug at error point : 1"});
    EXPECT_EQ(messages.calls[0].icon, Icon::None);
    EXPECT_TRUE(dialog.isVisible());

    QTest::mouseClick(&dialog.cmdCancel(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(BugReport, LayoutCaptionsFocusOrderAndScreenshot)
{
    EXPECT_EQ(dialog.windowTitle(), "Quorbel Bug Report");
    EXPECT_EQ(dialog.ComboTitle().count(), 3);
    EXPECT_EQ(dialog.ComboTitle().currentText(), "Mr");
    EXPECT_EQ(dialog.ComboTitle().itemText(2), "Miss");
    EXPECT_EQ(dialog.txtOK().text(), "&Send");
    EXPECT_EQ(dialog.cmdCancel().text(), "&Cancel");
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());

    std::vector<QWidget *> order;
    QWidget *w = &dialog.txtOK();
    while (order.size() < 7) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->window() == &dialog && w->focusProxy() == nullptr &&
            w != &dialog)
            order.push_back(w);
        w = w->nextInFocusChain();
    }
    const std::vector<QWidget *> expected = {&dialog.txtOK(),    &dialog.cmdCancel(), &dialog.ComboTitle(),
                                             &dialog.txtEmail(), &dialog.txtSite(),   &dialog.txtName(),
                                             &dialog.txtBug()};
    EXPECT_EQ(order, expected);

    // Every caption fits the place the design gives it.
    dialog.show();
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
    for (const QPushButton *button : dialog.findChildren<QPushButton *>())
        EXPECT_LT(button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))),
                  button->width() - 6)
            << button->objectName().toStdString();

    const QImage shot = dialog.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QStringLiteral(QUORBEL_IMAGE_DIR "/bug-report-dialog.png")));
}

} // namespace
} // namespace quorbel
