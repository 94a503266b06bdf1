#include "dialogs/frmbug.h"

#include "addin/designlayout.h"
#include "engine/mail.h"
#include "engine/productaddresses.h"
#include "platform/messageboxes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <exception>

namespace quorbel {

namespace {

constexpr std::string_view kNoName = "Please enter your name";
constexpr std::string_view kNoReport = "Please enter your Bug Report";
constexpr std::string_view kNoEmail = "Please enter your E-Mail";
constexpr std::string_view kSendError = "Error occured in attempting to report bug at error point : ";

std::string utf8(const QString &text)
{
    return text.toStdString();
}

} // namespace

frmBug::frmBug(MessageBoxes &messages, Shell &shell, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_shell(shell)
{
    setObjectName(QStringLiteral("frmBug"));
    setWindowTitle(QStringLiteral("Quorbel Bug Report"));
    setFont(designFont());
    setModal(true);
    setFixedSize(twips(*this, 5910), twips(*this, 5745));

    m_frame1 = new QGroupBox(QStringLiteral("Personal Details"), this);
    place(*m_frame1, "Frame1", 120, 360, 5655, 2415);
    auto *label4 = new QLabel(QStringLiteral("Title :"), m_frame1);
    place(*label4, "Label4", 480, 480, 615, 255);
    m_comboTitle = new QComboBox(m_frame1);
    m_comboTitle->addItems({QStringLiteral("Mr"), QStringLiteral("Mrs"), QStringLiteral("Miss")});
    place(*m_comboTitle, "ComboTitle", 960, 360, 855, 315);
    auto *label1 = new QLabel(QStringLiteral("Name :"), m_frame1);
    place(*label1, "Label1", 360, 960, 855, 255);
    m_txtName = new QLineEdit(m_frame1);
    place(*m_txtName, "txtName", 960, 840, 4455, 375);
    auto *label2 = new QLabel(QStringLiteral("Web Site :"), m_frame1);
    place(*label2, "Label2", 120, 1440, 975, 255);
    m_txtSite = new QLineEdit(m_frame1);
    place(*m_txtSite, "txtSite", 960, 1320, 4455, 375);
    auto *label3 = new QLabel(QStringLiteral("E-Mail :"), m_frame1);
    place(*label3, "Label3", 360, 1920, 615, 375);
    m_txtEmail = new QLineEdit(m_frame1);
    place(*m_txtEmail, "txtEmail", 960, 1800, 4455, 375);

    auto *label6 = new QLabel(QStringLiteral("(The code you were converting and the error)"), this);
    place(*label6, "Label6", 1080, 2880, 5055, 255);
    auto *label5 = new QLabel(QStringLiteral("Bug :"), this);
    place(*label5, "Label5", 600, 3360, 495, 375);
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_txtBug = new QPlainTextEdit(this);
    m_txtBug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtBug->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtBug->setTabChangesFocus(true);
    place(*m_txtBug, "txtBug", 1080, 3240, 4455, 1935);
    m_txtOK = new QPushButton(QStringLiteral("&Send"), this);
    place(*m_txtOK, "txtOK", 3120, 5280, 975, 375);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    place(*m_cmdCancel, "cmdCancel", 4440, 5280, 975, 375);
    for (QLabel *label : {label4, label1, label2, label3, label5})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setTabOrder(m_txtOK, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_comboTitle);
    setTabOrder(m_comboTitle, m_txtEmail);
    setTabOrder(m_txtEmail, m_txtSite);
    setTabOrder(m_txtSite, m_txtName);
    setTabOrder(m_txtName, m_txtBug);
    m_txtOK->setFocus();

    connect(m_txtOK, &QPushButton::clicked, this, [this] { txtOK_Click(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

std::string frmBug::mailBody(const std::string &name, const std::string &email, const std::string &report)
{
    return "Name : " + name + "\r\nE-Mail : " + email + "\r\n\r\n" + report;
}

void frmBug::txtOK_Click()
{
    int errorPoint = 0;
    try {
        if (m_txtName->text().isEmpty()) {
            m_messages.show(kNoName);
            m_txtName->setFocus();
            return;
        }
        if (m_txtBug->toPlainText().isEmpty()) {
            m_messages.show(kNoReport);
            m_txtBug->setFocus();
            return;
        }
        if (m_txtEmail->text().isEmpty()) {
            m_messages.show(kNoEmail);
            m_txtEmail->setFocus();
            return;
        }
        errorPoint = 1;
        // The report's line breaks go out as CR LF, as every text the
        // product makes.
        QString report = m_txtBug->toPlainText();
        report.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        SendEmail(m_shell, kBugReportAddress, "Bug Report",
                  mailBody(utf8(m_txtName->text()), utf8(m_txtEmail->text()), utf8(report)), "", "");
        accept();
    } catch (const std::exception &) {
        m_messages.show(std::string(kSendError) + std::to_string(errorPoint));
    }
}

void frmBug::cmdCancel_Click()
{
    reject();
}

} // namespace quorbel
