#pragma once

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace quorbel::host {

class AddInHost;

// The Add-In Manager: every registered add-in with a "Loaded" check box.
// Checking connects the add-in (connect mode 0), unchecking disconnects it;
// a connection that fails leaves the box unchecked.
class AddInManager : public QDialog {
public:
    AddInManager(AddInHost &addIns, QWidget *parent = nullptr);

    // One row per add-in: its name, and the "Loaded" check box in column 1.
    QTreeWidget &list() const { return *m_list; }

private:
    void fill();
    void changed(QTreeWidgetItem *item, int column);

    AddInHost &m_addIns;
    QTreeWidget *m_list;
};

} // namespace quorbel::host
