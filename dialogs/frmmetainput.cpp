#include "dialogs/frmmetainput.h"

#include "addin/designlayout.h"
#include "dialogs/frmoptions.h"
#include "platform/messageboxes.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quorbel {

namespace {

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 2025;

} // namespace

frmMetaInput::frmMetaInput(MessageBoxes &messages, frmOptions &options, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_messages(messages), m_options(options)
{
    setObjectName(QStringLiteral("frmMetaInput"));
    setModal(true);
    setFont(designFont());
    setFixedSize(twips(*this, kClientWidth), twips(*this, kClientHeight));
    const auto place = [this](QWidget *w, const char *name, int left, int top, int width, int height) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twips(*this, left), twips(*this, top), twips(*this, width), twips(*this, height));
    };
    place(new QLabel(QStringLiteral("Name :"), this), "Label1", 360, 480, 855, 375);
    m_txtName = new QLineEdit(this);
    place(m_txtName, "txtName", 960, 360, 3375, 405);
    place(new QLabel(QStringLiteral("Value :"), this), "Label2", 360, 1080, 735, 375);
    m_txtValue = new QLineEdit(this);
    place(m_txtValue, "txtValue", 960, 960, 3375, 375);
    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    place(m_cmdOK, "cmdOK", 1200, 1560, 1215, 375);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    place(m_cmdCancel, "cmdCancel", 2640, 1560, 1215, 375);
    m_cmdOK->setAutoDefault(false);
    m_cmdCancel->setAutoDefault(false);
    setTabOrder(m_txtName, m_txtValue);
    setTabOrder(m_txtValue, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmMetaInput::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmMetaInput::cmdCancel_Click);
}

void frmMetaInput::Form_Load()
{
    setWindowTitle(Index != 0 ? QStringLiteral("User Variables") : QStringLiteral("System Variables (HTTP-EQUIV)"));
}

int frmMetaInput::showModal()
{
    Form_Load();
    m_txtName->setFocus();
    const int result = exec();
    // Closing unloads the boxes: the next use starts empty.
    m_txtName->clear();
    m_txtValue->clear();
    return result;
}

void frmMetaInput::cmdOK_Click()
{
    if (m_txtName->text().isEmpty()) {
        m_messages.show("You must enter a value for 'Name'    ", Buttons::Ok, Icon::Critical, "Input Error");
        m_txtName->setFocus();
        return;
    }
    if (m_txtValue->text().isEmpty()) {
        m_messages.show("You must enter a value for 'Value'    ", Buttons::Ok, Icon::Critical, "Input Error");
        m_txtValue->setFocus();
        return;
    }
    const int kind = Index != 0 ? 1 : 0;
    QListWidget &names = m_options.listName(kind);
    QListWidget &values = m_options.listValue(kind);
    if (EditMode) {
        // Each list replaces its own selected entry; none selected, nothing.
        if (QListWidgetItem *item = names.currentItem())
            item->setText(m_txtName->text());
        if (QListWidgetItem *item = values.currentItem())
            item->setText(m_txtValue->text());
    } else {
        names.addItem(m_txtName->text());
        values.addItem(m_txtValue->text());
    }
    accept();
}

void frmMetaInput::cmdCancel_Click()
{
    reject();
}

} // namespace quorbel
