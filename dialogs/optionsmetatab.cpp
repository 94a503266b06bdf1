// The "Meta Tags" tab of the options dialog: the system and the user META
// tags as two pairs of lists, edited through the meta tag input dialog.
#include "dialogs/frmmetainput.h"
#include "dialogs/frmoptions.h"
#include "dialogs/numbertext.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/messageboxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorbel {

namespace {

constexpr std::string_view kKindWords[2] = {keys::MetaKindSystem, keys::MetaKindUser};

} // namespace

QWidget *frmOptions::buildMetaTab()
{
    auto *tab = new QWidget;
    auto *column = new QVBoxLayout(tab);
    auto *frames = new QHBoxLayout;
    column->addLayout(frames);
    const char *captions[2] = {"&System Variables (HTTP-EQUIV)", "&User Variables"};
    for (int k = 0; k < 2; ++k) {
        auto *frame = new QGroupBox(QString::fromLatin1(captions[k]), tab);
        auto *grid = new QGridLayout(frame);
        grid->addWidget(new QLabel(QStringLiteral("Name"), frame), 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("Value"), frame), 0, 1, 1, 2);
        m_listName[k] = new QListWidget(frame);
        m_listValue[k] = new QListWidget(frame);
        m_listName[k]->setObjectName(QStringLiteral("listName%1").arg(k));
        m_listValue[k]->setObjectName(QStringLiteral("listValue%1").arg(k));
        grid->addWidget(m_listName[k], 1, 0);
        grid->addWidget(m_listValue[k], 1, 1, 1, 2);
        m_cmdAdd[k] = new QPushButton(QStringLiteral("&Add"), frame);
        m_cmdEdit[k] = new QPushButton(QStringLiteral("&Edit"), frame);
        m_cmdDelete[k] = new QPushButton(QStringLiteral("&Delete"), frame);
        grid->addWidget(m_cmdAdd[k], 2, 0);
        grid->addWidget(m_cmdEdit[k], 2, 1);
        grid->addWidget(m_cmdDelete[k], 2, 2);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(2, 1);
        connect(m_cmdAdd[k], &QPushButton::clicked, this, [this, k] { cmdAdd_Click(k); });
        connect(m_cmdEdit[k], &QPushButton::clicked, this, [this, k] { cmdEdit_Click(k); });
        connect(m_cmdDelete[k], &QPushButton::clicked, this, [this, k] { cmdDelete_Click(k); });
        connect(m_listName[k], &QListWidget::clicked, this, [this, k] { keepInStep(k, true); });
        connect(m_listValue[k], &QListWidget::clicked, this, [this, k] { keepInStep(k, false); });
        m_listValue[k]->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(m_listValue[k], &QListWidget::customContextMenuRequested, this, [this, k](const QPoint &at) {
            prepareMetaMenu(k);
            m_mnuMeta->popup(m_listValue[k]->viewport()->mapToGlobal(at));
        });
        frames->addWidget(frame);
    }
    m_mnuMeta = new QMenu(this);
    m_mnuMeta->setObjectName(QStringLiteral("mnuMeta"));
    m_mnuAdd = m_mnuMeta->addAction(QStringLiteral("&Add"));
    m_mnuEdit = m_mnuMeta->addAction(QStringLiteral("&Edit"));
    m_mnuDelete = m_mnuMeta->addAction(QStringLiteral("&Delete"));
    connect(m_mnuAdd, &QAction::triggered, this, [this] { cmdAdd_Click(m_menuKind); });
    connect(m_mnuEdit, &QAction::triggered, this, [this] { cmdEdit_Click(m_menuKind); });
    connect(m_mnuDelete, &QAction::triggered, this, [this] { cmdDelete_Click(m_menuKind); });
    addButtons(tab, 4);
    return tab;
}

void frmOptions::loadMetaTab()
{
    for (int k = 0; k < 2; ++k) {
        const std::string_view kind = kKindWords[k];
        const std::int32_t count = wholeNumberOf(read(keys::metaCount(kind)));
        m_cmdDelete[k]->setEnabled(count != 0);
        m_cmdEdit[k]->setEnabled(count != 0);
        for (std::int32_t i = 0; i < count; ++i) {
            m_listName[k]->addItem(QString::fromStdString(read(keys::metaName(kind, i))));
            m_listValue[k]->addItem(QString::fromStdString(read(keys::metaValue(kind, i))));
        }
        if (count != 0) {
            m_listName[k]->setCurrentRow(0);
            m_listValue[k]->setCurrentRow(0);
        }
    }
}

void frmOptions::storeMetaTab()
{
    writeState(keys::PrintInHTML, *m_chkHTML[1]);
    for (int k = 0; k < 2; ++k) {
        const std::string_view kind = kKindWords[k];
        const int count = m_listName[k]->count();
        writeSetting(m_services.settings, m_services.messages, keys::metaCount(kind), std::int32_t{count}, false);
        for (int i = 0; i < count; ++i) {
            write(keys::metaName(kind, i), m_listName[k]->item(i)->text().toStdString());
            write(keys::metaValue(kind, i), m_listValue[k]->item(i)->text().toStdString());
        }
    }
}

void frmOptions::updateMetaButtons(int kind)
{
    const bool any = m_listName[kind]->count() != 0;
    m_cmdEdit[kind]->setEnabled(any);
    m_cmdDelete[kind]->setEnabled(any);
}

void frmOptions::cmdAdd_Click(int kind)
{
    m_metaInput->Index = static_cast<std::int16_t>(kind);
    m_metaInput->EditMode = false;
    m_metaInput->showModal();
    updateMetaButtons(kind);
    if (m_listName[kind]->count() != 0) {
        m_listName[kind]->setCurrentRow(m_listName[kind]->count() - 1);
        m_listValue[kind]->setCurrentRow(m_listValue[kind]->count() - 1);
    }
}

void frmOptions::cmdEdit_Click(int kind)
{
    // Nothing to edit without a selected entry in both lists.
    if (m_listName[kind]->currentRow() < 0 || m_listValue[kind]->currentRow() < 0)
        return;
    m_metaInput->Index = static_cast<std::int16_t>(kind);
    m_metaInput->EditMode = true;
    m_metaInput->txtName().setText(m_listName[kind]->currentItem()->text());
    m_metaInput->txtValue().setText(m_listValue[kind]->currentItem()->text());
    m_metaInput->showModal();
}

void frmOptions::cmdDelete_Click(int kind)
{
    // Nothing to delete without a selected entry in both lists.
    if (m_listName[kind]->currentRow() < 0 || m_listValue[kind]->currentRow() < 0)
        return;
    if (m_services.messages.show("Are you sure you want to delete this item?", Buttons::YesNo, Icon::Question) ==
        Answer::Yes) {
        for (QListWidget *list : {m_listName[kind], m_listValue[kind]}) {
            delete list->takeItem(list->currentRow());
            // The lists are left without a selection.
            list->setCurrentRow(-1);
        }
    }
    updateMetaButtons(kind);
}

void frmOptions::keepInStep(int kind, bool fromNames)
{
    if (m_metaInput->EditMode)
        return;
    QListWidget *from = fromNames ? m_listName[kind] : m_listValue[kind];
    QListWidget *to = fromNames ? m_listValue[kind] : m_listName[kind];
    if (from->currentRow() < to->count())
        to->setCurrentRow(from->currentRow());
}

void frmOptions::prepareMetaMenu(int kind)
{
    const bool any = m_listValue[kind]->count() != 0;
    m_mnuEdit->setEnabled(any);
    m_mnuDelete->setEnabled(any);
    m_menuKind = static_cast<std::int16_t>(kind);
}

} // namespace quorbel
