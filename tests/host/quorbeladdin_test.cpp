#include "host/addinhost.h"
#include "host/mainwindow.h"
#include "platform/qt/addinlist.h"
#include "tests/host/hostfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace quorbel {
namespace {

using QuorbelInTheHost = testing::HostTest;

// The converter windows open now.
QList<QMainWindow *> converterWindows()
{
    QList<QMainWindow *> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("frmAddin") && w->isVisible())
            windows << qobject_cast<QMainWindow *>(w);
    }
    return windows;
}

// The real add-in library, registered through its entry point, loaded by the
// real host and clicked in its menu: the converter window opens on the code
// of the active code window. A message box the add-in shows would wait for a
// person: any that appears is recorded and closed.
TEST_F(QuorbelInTheHost, theAddInLibraryAddsItsEntryAndOpensConverterWindows)
{
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((folder / "config").string()));
    QStringList shown;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->done(QMessageBox::No);
        }
    });
    watchdog.start(50);

    ASSERT_EQ(host::registerLibrary(QUORBEL_ADDIN_LIBRARY, false, listFile), "");
    const std::vector<AddInEntry> entries = AddInList(listFile).entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].progId, "Quorbel.Wizard");
    EXPECT_EQ(entries[0].displayName, "Halvern'   Quorbel");

    ASSERT_EQ(window->openPath(std::filesystem::path(HOST_EXAMPLES_DIR) / "Inventory.bas"), 1);
    window->show();
    window->addIns().connectAtStartup();
    ASSERT_TRUE(window->addIns().isConnected("Quorbel.Wizard")) << messages.calls.size();
    EXPECT_TRUE(messages.calls.empty());
    ASSERT_EQ(addInsEntries(), (QStringList{"Add-In &Manager...", "Quorbel"}));
    QAction *entry = window->addInsMenu().actions().back();
    EXPECT_FALSE(entry->icon().isNull()); // the menu picture as its face

    window->addInsMenu().popup(window->mapToGlobal(QPoint(40, 20)));
    QTest::qWait(50);
    window->grab().save(QStringLiteral(HOST_IMAGE_DIR "/host-with-quorbel.png"));
    window->addInsMenu().grab().save(QStringLiteral(HOST_IMAGE_DIR "/host-addins-menu-quorbel.png"));
    window->addInsMenu().hide();

    entry->trigger();
    entry->trigger();
    QTRY_COMPARE(converterWindows().size(), 2);
    QMainWindow *converter = converterWindows().first();
    converter->activateWindow();
    QTRY_VERIFY(!converter->findChild<QLineEdit *>(QStringLiteral("txtName"))->text().isEmpty());
    EXPECT_EQ(converter->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), "Inventory");
    EXPECT_EQ(converter->findChild<QLineEdit *>(QStringLiteral("txtPro"))->text(), "Project1 ");
    EXPECT_TRUE(shown.isEmpty()) << shown.join(" | ").toStdString();

    // Disconnecting takes the entry away; the windows stay open until they
    // are closed, and the library may go only then.
    window->addIns().disconnectAll();
    EXPECT_EQ(addInsEntries(), QStringList{"Add-In &Manager..."});
    EXPECT_EQ(converterWindows().size(), 2);
    for (QMainWindow *w : converterWindows())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(converterWindows().isEmpty());
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace quorbel
