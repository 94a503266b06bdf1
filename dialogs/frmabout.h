#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace quorbel {

class MessageBoxes;
class Shell;

// The About box: the product's title, version and description, a link that
// starts a mail message to the product's address and one that opens its
// information page. Fixed size, modal; OK, Enter and Escape close it.
class frmAbout : public QDialog {
public:
    // messages and shell must outlive the box. messages reports a mail
    // program that cannot be started from the e-mail link.
    frmAbout(MessageBoxes &messages, Shell &shell, QWidget *parent = nullptr);

    // "Version " and the library's major, minor and revision numbers.
    static std::string versionLine();
    // The description: the product and what it was made with, the author,
    // the date, each followed by two line breaks (CR LF).
    static std::string description();

    void lblQuorbel_Email_Click();
    void lblQuorbel_Homepage_Click();
    void cmdOK_Click();

    QLabel &lblTitle() const { return *m_lblTitle; }
    QLabel &lblVersion() const { return *m_lblVersion; }
    QLabel &lblDescription() const { return *m_lblDescription; }
    QLabel &lblQuorbel_Homepage() const { return *m_lblHomepage; }
    QLabel &lblQuorbel_Email() const { return *m_lblEmail; }
    QLabel &lblDisclaimer() const { return *m_lblDisclaimer; }
    QPushButton &cmdOK() const { return *m_cmdOK; }

private:
    MessageBoxes &m_messages;
    Shell &m_shell;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblDescription = nullptr;
    QLabel *m_lblHomepage = nullptr;
    QLabel *m_lblEmail = nullptr;
    QLabel *m_lblDisclaimer = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

} // namespace quorbel
