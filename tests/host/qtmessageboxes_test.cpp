#include "platform/qt/qtmessageboxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace quorbel {
namespace {

struct Seen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool shown = false;
};

// Shows a box through the seam; once it is up, records what it shows and
// clicks the button pressed.
Answer showAndClick(MessageBoxes &boxes, QMessageBox::StandardButton pressed, Seen &seen,
                    const std::function<Answer(MessageBoxes &)> &show)
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(), true};
        if (QAbstractButton *button = box->button(pressed))
            button->click();
        else
            box->reject();
    });
    return show(boxes);
}

TEST(QtMessageBoxes, showTextTitleIconAndButtonsAndReturnTheButtonClicked)
{
    QtMessageBoxes boxes;
    Seen seen;

    // OK alone, no title given: the application's title.
    EXPECT_EQ(
        showAndClick(boxes, QMessageBox::Ok, seen,
                     [](MessageBoxes &b) { return b.show("Done  :  converted", Buttons::Ok, Icon::Information); }),
        Answer::Ok);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, QStringLiteral("Done  :  converted"));
    EXPECT_EQ(seen.title, QStringLiteral("Quorbel"));
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // A question with its own title, answered No and then Yes.
    const auto ask = [](MessageBoxes &b) {
        return b.show("Overwrite the file?", Buttons::YesNo, Icon::Question, std::string_view("Über"));
    };
    seen = {};
    EXPECT_EQ(showAndClick(boxes, QMessageBox::No, seen, ask), Answer::No);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Über"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    seen = {};
    EXPECT_EQ(showAndClick(boxes, QMessageBox::Yes, seen, ask), Answer::Yes);
    EXPECT_TRUE(seen.shown);

    // Closing a question without a button is No; the remaining icons.
    const std::pair<Icon, QMessageBox::Icon> icons[] = {{Icon::Exclamation, QMessageBox::Warning},
                                                        {Icon::Critical, QMessageBox::Critical},
                                                        {Icon::None, QMessageBox::NoIcon}};
    for (const auto &[icon, qtIcon] : icons) {
        seen = {};
        EXPECT_EQ(showAndClick(boxes, QMessageBox::Cancel, seen,
                               [icon](MessageBoxes &b) { return b.show("x", Buttons::YesNo, icon); }),
                  Answer::No);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.icon, qtIcon);
    }
}

} // namespace
} // namespace quorbel
