#include "platform/qt/qtcolourdialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

// Runs action on Qt's colour dialog once it shows.
void onColourDialog(std::function<void(QColorDialog &)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget()))
            action(*dialog);
    });
}

TEST(QtColourDialog, StartsFromTheGivenColourAndGivesTheChoiceOrACancel)
{
    QtColourDialog colours;
    QColor shown;
    onColourDialog([&shown](QColorDialog &dialog) {
        shown = dialog.currentColor();
        dialog.setCurrentColor(QColor(0x11, 0x22, 0x33));
        dialog.accept();
    });
    // Colour values hold red in the low byte.
    EXPECT_EQ(colours.show(0x0000FF), 0x332211);
    EXPECT_EQ(shown, QColor(0xFF, 0, 0));
    onColourDialog([](QColorDialog &dialog) { dialog.reject(); });
    EXPECT_EQ(colours.show(0x123456), std::nullopt);
}

} // namespace
} // namespace quorbel
