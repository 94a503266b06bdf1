#pragma once

#include "engine/plaintextbox.h"
#include "platform/label.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorbel {

class Clipboard;
class Clock;
class CommonDialog;
class FileDialogs;
class MessageBoxes;
class PrinterChooser;
class SettingsStore;
class Shell;
class VBCodeBox;
struct ProcessState;

namespace vbe {
class VBE;
}

// What a converter window is given. Everything must outlive the window.
struct ConverterServices {
    SettingsStore &settings;
    MessageBoxes &messages;
    FileDialogs &fileDialogs;
    Shell &shell;
    Clock &clock;
    Clipboard &clipboard;
    // Chooses the printer of the code box's Print.
    PrinterChooser &printers;
    // What every converter window of the process shares: the code and
    // project names and the page writer's state, the code boxes' colours,
    // the syntax element tables.
    ProcessState &process;
};

// The windows that the converter window's menus open; each may be empty
// (the entry then does nothing).
struct ConverterDialogs {
    // The options dialog on tab 0 to 3, for this window.
    std::function<void(class frmAddin &, int tab)> showOptions;
    std::function<void(class frmAddin &)> showBug;
    std::function<void(class frmAddin &)> showAbout;
};

// The converter window: the code of the active code window (or of a file)
// in a colouring code box, converted into a page set on Convert. Owns itself
// (deleted when closed).
class frmAddin : public QMainWindow {
    Q_OBJECT
public:
    explicit frmAddin(const ConverterServices &services, ConverterDialogs dialogs = {}, QWidget *parent = nullptr);
    ~frmAddin() override;

    // Set before the window is shown; null when no environment is at hand.
    vbe::VBE *VBInstance = nullptr;
    // Cleared before the options step of Convert; set by the options
    // dialog's Cancel to stop the conversion.
    bool dontConvert = false;

    // The active code window's text; names into the name boxes.
    std::string GetActiveCode();

    // The operations, as the window's controls and menus trigger them.
    void Form_Load();
    void Form_Activate();
    void cmdGetText_Click();
    void cmdConvert_Click();
    void cmdCancel_Click();
    void cndAddComment_Click();
    void chkAutoColor_Click();
    void ChkFrames_Click();
    void mnuOpen_Click();
    void mnuFrames_Click();
    // What Open does once a file is chosen: the file into the code box,
    // coloured when Auto Color Code is on; "File Dosen't exist" when it is
    // not a file. Read errors are InputFile's to show.
    void openFile(const std::string &file);

    // The controls, for the dialogs that change them and for tests.
    VBCodeBox &txtsource() const { return *m_txtsource; }
    PlainTextBox &txtSource2() { return m_txtSource2; }
    QLineEdit &txtPro() const { return *m_txtPro; }
    QLineEdit &txtName() const { return *m_txtName; }
    QLineEdit &txtExt() const { return *m_txtExt; }
    QLabel &lblInfo() const { return *m_lblInfo; }
    QCheckBox &chkShowOptions() const { return *m_chkShowOptions; }
    QCheckBox &chkAutoColor() const { return *m_chkAutoColor; }
    QCheckBox &ChkFrames() const { return *m_chkFrames; }
    QPushButton &cmdGetText() const { return *m_cmdGetText; }
    QPushButton &cmdConvert() const { return *m_cmdConvert; }
    QPushButton &cmdCancel() const { return *m_cmdCancel; }
    QAction &mnuFrames() const { return *m_mnuFrames; }
    CommonDialog &commd() const { return *m_commd; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class StatusLabel;
    void buildControls();
    void buildMenus();
    // Sets box from a stored check box value ("0", "1", "2").
    void setCheck(QCheckBox &box, const std::string &value);
    std::string setting(std::string_view key, std::string_view def) const;
    void save(std::string_view key, const std::string &value);
    // Puts text into the code box and colours it when Auto Color Code is on.
    void showCode(const std::string &text);
    void saveCheckBoxes();

    ConverterServices m_services;
    ConverterDialogs m_dialogs;
    std::unique_ptr<CommonDialog> m_commd;
    std::unique_ptr<StatusLabel> m_status;
    PlainTextBox m_txtSource2;
    bool m_firstActivation = true;
    // The file last opened into the code box: a conversion never replaces
    // it with a page.
    std::string m_openedFile;

    QLabel *m_lblProject = nullptr;
    QLineEdit *m_txtPro = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_txtExt = nullptr;
    VBCodeBox *m_txtsource = nullptr;
    QWidget *m_proBar1 = nullptr;
    QLabel *m_lblInfo = nullptr;
    QCheckBox *m_chkShowOptions = nullptr;
    QCheckBox *m_chkAutoColor = nullptr;
    QCheckBox *m_chkFrames = nullptr;
    QPushButton *m_cmdGetText = nullptr;
    QPushButton *m_cmdConvert = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cndAddComment = nullptr;
    QAction *m_mnuFrames = nullptr;
};

} // namespace quorbel
