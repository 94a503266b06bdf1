#include "addin/menupicture.h"
#include "addin/wizard.h"
#include "host/qtvbe.h"
#include "tests/host/hostfixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

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

} // namespace
} // namespace quorbel::testing
