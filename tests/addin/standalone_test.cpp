#include "platform/addinabi.h"
#include "tests/support/scratchfiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace quorbel {
namespace {

using RunStandalone = int (*)(int, char **, const char *, char *, std::size_t);

// The library's entry points as a host or the command line reaches them:
// the version and description, the class objects by ProgID, and the
// converter window on its own ("quorbel gui FILE"), which loads the file
// and runs until its window is closed.
TEST(AddInLibrary, EntryPointsAndTheConverterWindowOnItsOwn)
{
    const auto folder = testing::scratchFolder("addin", "standalone");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((folder / "config").string()));
    void *library = dlopen(QUORBEL_ADDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto text = [library](const char *name) {
        return std::string(reinterpret_cast<QuorbelTextFn>(dlsym(library, name))());
    };
    EXPECT_EQ(text(abi::kVersionEntry), "1.1.0");
    EXPECT_EQ(text(abi::kDescriptionEntry), "An addin for Visual Basic which converts source code into html.");

    auto getClass = reinterpret_cast<QuorbelGetClassObjectFn>(dlsym(library, abi::kGetClassObjectEntry));
    char error[256] = "";
    EXPECT_NE(getClass("Quorbel.Wizard", error, sizeof error), nullptr);
    EXPECT_NE(getClass("quorbel.vbcodebox", error, sizeof error), nullptr); // ProgIDs ignore case
    EXPECT_EQ(getClass("Quorbel.Nothing", error, sizeof error), nullptr);
    EXPECT_STREQ(error, "no class Quorbel.Nothing in the Quorbel library");
    std::string why;
    EXPECT_EQ(getClass("Quorbel.VBCodeBox", error, sizeof error)->createConnection(why), nullptr);
    EXPECT_EQ(why, "Quorbel.VBCodeBox is a control, not an add-in");
    QWidget *box = getClass("Quorbel.VBCodeBox", error, sizeof error)->createControl(nullptr, why);
    ASSERT_NE(box, nullptr) << why;
    auto canUnload = reinterpret_cast<QuorbelCanUnloadFn>(dlsym(library, abi::kCanUnloadEntry));
    EXPECT_EQ(canUnload(), 0); // the control is alive
    delete box;
    EXPECT_EQ(canUnload(), 1);

    const auto source = folder / "Demo.bas";
    testing::writeBytes(source, "Attribute VB_Name = \"Demo\"\nSub Main()\nEnd Sub\n");
    QString seenName, seenTitle;
    int windows = 0;
    QTimer::singleShot(100, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("frmAddin") && w->isVisible()) {
                ++windows;
                seenTitle = w->windowTitle();
                if (auto *text = w->findChild<QPlainTextEdit *>(QStringLiteral("RTB1")))
                    seenName = text->toPlainText();
                w->close();
            }
        }
    });
    auto run = reinterpret_cast<RunStandalone>(dlsym(library, "QuorbelRunStandalone"));
    char arg0[] = "quorbel";
    char *argv[] = {arg0, nullptr};
    EXPECT_EQ(run(1, argv, source.c_str(), error, sizeof error), 0) << error;
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(seenTitle, "Quorbel");
    EXPECT_TRUE(seenName.startsWith("Attribute VB_Name = \"Demo\"\nSub Main()")) << seenName.toStdString();
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace quorbel
