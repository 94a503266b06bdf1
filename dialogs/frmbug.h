#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorbel {

class MessageBoxes;
class Shell;

// The bug report dialog: the reporter's title, name, web site and e-mail and
// a description; Send checks the required fields and starts a mail message
// to the product's bug-report address carrying the name, the e-mail address
// and the report. Fixed size, modal.
class frmBug : public QDialog {
public:
    // messages and shell must outlive the dialog.
    frmBug(MessageBoxes &messages, Shell &shell, QWidget *parent = nullptr);

    // Send: name, report and e-mail required (in that order; a missing one
    // is named in a message box and gets the focus); then the mail message,
    // then the dialog closes. A failure of the mail step is reported with
    // its error point and the dialog stays open.
    void txtOK_Click();
    void cmdCancel_Click();

    // The body of the mail message for a report.
    static std::string mailBody(const std::string &name, const std::string &email, const std::string &report);

    QComboBox &ComboTitle() const { return *m_comboTitle; }
    QLineEdit &txtName() const { return *m_txtName; }
    QLineEdit &txtSite() const { return *m_txtSite; }
    QLineEdit &txtEmail() const { return *m_txtEmail; }
    QPlainTextEdit &txtBug() const { return *m_txtBug; }
    QPushButton &txtOK() const { return *m_txtOK; }
    QPushButton &cmdCancel() const { return *m_cmdCancel; }

private:
    MessageBoxes &m_messages;
    Shell &m_shell;
    QGroupBox *m_frame1 = nullptr;
    QComboBox *m_comboTitle = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtSite = nullptr;
    QLineEdit *m_txtEmail = nullptr;
    QPlainTextEdit *m_txtBug = nullptr;
    QPushButton *m_txtOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace quorbel
