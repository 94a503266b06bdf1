#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;
class QLabel;

namespace quorbel {

class MessageBoxes;
class frmOptions;

// The meta tag input dialog: one name and value pair, appended to the lists
// of kind Index of the options dialog, or replacing their selected entries
// when EditMode is set.
class frmMetaInput : public QDialog {
public:
    frmMetaInput(MessageBoxes &messages, frmOptions &options, QWidget *parent = nullptr);

    // 0: the system variables (HTTP-EQUIV); any other value: the user ones.
    std::int16_t Index = 0;
    bool EditMode = false;

    // Sets the caption and runs the dialog modally; on closing both boxes
    // are emptied for the next use.
    int showModal();
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    QLineEdit &txtName() const { return *m_txtName; }
    QLineEdit &txtValue() const { return *m_txtValue; }
    QPushButton &cmdOK() const { return *m_cmdOK; }
    QPushButton &cmdCancel() const { return *m_cmdCancel; }

private:
    MessageBoxes &m_messages;
    frmOptions &m_options;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtValue = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace quorbel
