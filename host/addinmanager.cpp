#include "host/addinmanager.h"

#include "host/addinhost.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorbel::host {

namespace {

constexpr int kProgIdRole = Qt::UserRole;

} // namespace

AddInManager::AddInManager(AddInHost &addIns, QWidget *parent)
    : QDialog(parent), m_addIns(addIns), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Add-In Manager"));
    auto *layout = new QVBoxLayout(this);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Available Add-Ins"), tr("Load Behavior")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item, int column) { changed(item, column); });
    resize(420, 260);
    fill();
}

void AddInManager::fill()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const AddInEntry &entry : m_addIns.registered()) {
        const QString name = QString::fromStdString(entry.displayName.empty() ? entry.progId : entry.displayName);
        auto *item = new QTreeWidgetItem(m_list, {name, tr("Loaded")});
        item->setData(0, kProgIdRole, QString::fromStdString(entry.progId));
        item->setToolTip(0, QString::fromStdString(entry.progId + "\n" + entry.libraryPath));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(1, m_addIns.isConnected(entry.progId) ? Qt::Checked : Qt::Unchecked);
    }
}

void AddInManager::changed(QTreeWidgetItem *item, int column)
{
    if (column != 1)
        return;
    const std::string progId = item->data(0, kProgIdRole).toString().toStdString();
    if (item->checkState(1) == Qt::Checked) {
        for (const AddInEntry &entry : m_addIns.registered()) {
            if (entry.progId == progId && m_addIns.connect(entry, vbe::ConnectAfterStartup))
                return;
        }
        const QSignalBlocker blocker(m_list);
        item->setCheckState(1, Qt::Unchecked);
    } else {
        m_addIns.disconnect(progId, 0);
    }
}

} // namespace quorbel::host
