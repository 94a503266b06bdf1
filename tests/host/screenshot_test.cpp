#include "addin/menupicture.h"
#include "addin/wizard.h"
#include "host/addinhost.h"
#include "host/addinmanager.h"
#include "host/qtvbe.h"
#include "tests/host/hostfixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTreeWidget>

namespace quorbel::testing {
namespace {

using HostScreenshot = HostTest;

// Writes the host window with a code window open, and its open "Add-Ins"
// menu carrying the add-in's entry, for a person to look at.
TEST_F(HostScreenshot, windowWithACodeWindowAndTheAddInsMenuOpen)
{
    ASSERT_EQ(window->openPath(std::filesystem::path(HOST_EXAMPLES_DIR) / "Inventory.bas"), 1);
    ASSERT_NE(AddMenuEntry(window->vbe(), "Quorbel", menuPicture(), clipboard), nullptr);
    window->show();
    window->codeArea().activeSubWindow()->setGeometry(10, 10, 640, 420);
    QApplication::processEvents();

    const QImage whole = window->grab().toImage();
    ASSERT_FALSE(whole.isNull());
    const QString dir = QStringLiteral(HOST_IMAGE_DIR);
    EXPECT_TRUE(whole.save(dir + QStringLiteral("/host-window.png")));

    QMenu &menu = window->addInsMenu();
    menu.popup(window->mapToGlobal(window->menuBar()->actionGeometry(menu.menuAction()).bottomLeft()));
    QApplication::processEvents();
    ASSERT_TRUE(menu.isVisible());
    const QImage menuImage = menu.grab().toImage();
    EXPECT_TRUE(menuImage.save(dir + QStringLiteral("/host-addins-menu.png")));
    EXPECT_GT(menuImage.height(), 2 * menu.actionGeometry(menu.actions().first()).height() - 1);
    menu.hide();
}

// The Add-In Manager with one add-in loaded and one that is not.
TEST_F(HostScreenshot, addInManager)
{
    ASSERT_EQ(host::registerLibrary(HOST_FIXTURE_GOOD, false, listFile), "");
    AddInList(listFile).put({"Other.Connect", "Another Add-In", HOST_FIXTURE_GOOD, false});
    window->addIns().connectAtStartup();
    host::AddInManager manager(window->addIns(), window.get());
    manager.show();
    QApplication::processEvents();
    const QImage image = manager.grab().toImage();
    EXPECT_TRUE(image.save(QStringLiteral(HOST_IMAGE_DIR) + QStringLiteral("/host-addin-manager.png")));
    ASSERT_EQ(manager.list().topLevelItemCount(), 2);
    EXPECT_EQ(manager.list().topLevelItem(0)->checkState(1), Qt::Checked);
    EXPECT_EQ(manager.list().topLevelItem(1)->checkState(1), Qt::Unchecked);
}

} // namespace
} // namespace quorbel::testing
