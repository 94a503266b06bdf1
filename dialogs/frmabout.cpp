#include "dialogs/frmabout.h"

#include "addin/designlayout.h"
#include "engine/mail.h"
#include "engine/productaddresses.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>

namespace quorbel {

namespace {

constexpr std::string_view kAuthor = "The Quorbel developers";
constexpr std::string_view kDisclaimer =
    "Warning: ... Quorbel is has so far only been tested on Visual Basic 6(SP3) . If you are comming accross any "
    "problems please let me know.";

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A label that acts as a link: blue, a hand pointer, an action on a click.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString &caption, QWidget *parent, std::function<void()> action)
        : QLabel(caption, parent), m_action(std::move(action))
    {
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        setPalette(palette);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_action();
    }

private:
    std::function<void()> m_action;
};

} // namespace

frmAbout::frmAbout(MessageBoxes &messages, Shell &shell, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_shell(shell)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFont(designFont());
    setModal(true);
    setFixedSize(twips(*this, 5730), twips(*this, 4440));

    m_lblTitle = new QLabel(this);
    place(*m_lblTitle, "lblTitle", 1050, 240, 3885, 480);
    m_lblVersion = new QLabel(this);
    place(*m_lblVersion, "lblVersion", 1050, 780, 3885, 225);
    m_lblDescription = new QLabel(this);
    place(*m_lblDescription, "lblDescription", 1050, 1125, 4005, 1170);
    m_lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblDescription->setWordWrap(true);
    m_lblHomepage = new LinkLabel(QStringLiteral("Quorbel's Home Page"), this, [this] { lblQuorbel_Homepage_Click(); });
    place(*m_lblHomepage, "lblQuorbel_Homepage", 600, 2520, 4335, 255);
    m_lblEmail = new LinkLabel(QStringLiteral("E-Mail Bugs and Comments"), this, [this] { lblQuorbel_Email_Click(); });
    place(*m_lblEmail, "lblQuorbel_Email", 600, 3120, 4335, 255);
    m_lblDisclaimer = new QLabel(qs(kDisclaimer), this);
    place(*m_lblDisclaimer, "lblDisclaimer", 255, 3585, 3870, 825);
    m_lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblDisclaimer->setWordWrap(true);
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    place(*m_cmdOK, "cmdOK", 4245, 3840, 1260, 345);
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    m_cmdOK->setFocus();
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // Form load.
    setWindowTitle(QStringLiteral("About ") + qs(kApplicationTitle));
    m_lblVersion->setText(qs(versionLine()));
    m_lblTitle->setText(qs(kApplicationTitle));
    QFont title = font();
    title.setPointSize(14);
    title.setBold(true);
    m_lblTitle->setFont(title);
    m_lblDescription->setText(qs(description()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

std::string frmAbout::versionLine()
{
    return "Version " + std::to_string(QUORBEL_VERSION_MAJOR) + "." + std::to_string(QUORBEL_VERSION_MINOR) + "." +
           std::to_string(QUORBEL_VERSION_PATCH);
}

std::string frmAbout::description()
{
    return "Quorbel, made with Visual Basic 6 Service Pack 3\r\n\r\nAuthor : " + std::string(kAuthor) +
           "\r\n\r\nDate   : 22-9-99\r\n\r\n";
}

void frmAbout::lblQuorbel_Email_Click()
{
    try {
        SendEmail(m_shell, kContactAddress, "Quorbel", "", "", "");
    } catch (const std::exception &error) {
        m_messages.show(error.what());
    }
}

void frmAbout::lblQuorbel_Homepage_Click()
{
    // Whether the browser starts is not checked.
    try {
        m_shell.openDocument(std::string(kProductPage));
    } catch (const std::exception &) {
    }
}

void frmAbout::cmdOK_Click()
{
    accept();
}

} // namespace quorbel
