#include "platform/qt/qtfiledialogs.h"
#include "tests/support/scratchfiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(QtFileDialogs, FiltersInQtsForm)
{
    EXPECT_EQ(qtFileFilter("HTML (*.html*)|*.html*"), "HTML (*.html*)");
    EXPECT_EQ(qtFileFilter("VB Moduel (*.bas*)|*.bas*|VB Class (*.cls*)|*.cls|VB Form (*.frm*)|*.frm|"
                           "All Files (*.*)|*."),
              "VB Moduel (*.bas*);;VB Class (*.cls);;VB Form (*.frm);;All Files (*)");
    EXPECT_EQ(qtFileFilter("Pages|*.htm;*.html"), "Pages (*.htm *.html)");
    EXPECT_EQ(qtFileFilter(""), "");
    EXPECT_EQ(qtFileFilter("Odd one out"), ""); // a description without its pattern
}

// The real dialog, answered as a person would: a cancel is told apart from
// a choice, and a Save dialog does not ask about an existing file itself.
TEST(QtFileDialogs, CancelIsRecognisableAndAChoiceIsReturned)
{
    const auto folder = testing::scratchFolder("addin", "qtfiledialogs");
    testing::writeBytes(folder / "Existing.html", "old");
    QtFileDialogs dialogs;
    const auto answer = [](bool accept, QString name) {
        QTimer::singleShot(50, [accept, name] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!accept) {
                dialog->reject();
                return;
            }
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    answer(false, {});
    EXPECT_EQ(dialogs.show(FileDialogs::Kind::Open, "HTML (*.html*)|*.html*", folder.string()), std::nullopt);

    const std::string existing = (folder / "Existing.html").string();
    answer(true, QString::fromStdString(existing));
    EXPECT_EQ(dialogs.show(FileDialogs::Kind::Save, "HTML (*.html*)|*.html*", existing), existing);
    EXPECT_EQ(testing::readBytes(folder / "Existing.html"), "old");
}

} // namespace
} // namespace quorbel
