#pragma once

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class QMdiArea;
class QMenu;

namespace quorbel {
class Clipboard;
class MessageBoxes;
} // namespace quorbel

namespace quorbel::host {

class AddInHost;
class CodeWindow;
class QtVbe;

// The host's main window: a File menu, the "Add-Ins" menu that add-ins
// extend (its first entry opens the Add-In Manager), a Window menu and an
// MDI area of code windows. It owns the object model it hands to add-ins
// and the add-ins it loaded; they are disconnected before the window goes.
class MainWindow : public QMainWindow {
public:
    struct Services {
        MessageBoxes &messages;
        Clipboard &clipboard;
        std::string addInList; // the per-user add-in list's file
    };

    explicit MainWindow(Services services);
    ~MainWindow() override;

    // Opens a module file (.bas, .cls, .frm, ...) as a code window, or every
    // module of a .vbp project. Failures are shown in a message box. Returns
    // the number of code windows opened.
    int openPath(const std::filesystem::path &path);
    // Opens code as a module's code window.
    CodeWindow &openCode(std::string_view projectName, std::string_view moduleName, const std::string &code);

    void showAddInManager();
    void disconnectAddIns();

    QtVbe &vbe() const { return *m_vbe; }
    AddInHost &addIns() const { return *m_addIns; }
    QMenu &addInsMenu() const { return *m_addInsMenu; }
    QMdiArea &codeArea() const { return *m_codeArea; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void makeMenus();
    void openFromDialog();
    void openProject(const std::filesystem::path &path, int &opened);

    MessageBoxes &m_messages;
    QMdiArea *m_codeArea;
    QMenu *m_addInsMenu = nullptr;
    std::unique_ptr<QtVbe> m_vbe;
    // Declared after the object model: add-ins go first.
    std::unique_ptr<AddInHost> m_addIns;
};

} // namespace quorbel::host
