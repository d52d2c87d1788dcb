#ifndef HOI_CONSOLE_FORMALL_H
#define HOI_CONSOLE_FORMALL_H

#include <QWidget>

#include "hoiwidget/formui.h"
#include "tiles/tileitems.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CFormAll;
}

// The tile of one group on the all-groups page; a double click opens the
// group (the page connects signalDoubleClick to its group slots).
class CFormAll : public QWidget
{
    Q_OBJECT

public:
    // pGroupItem: the group's row of the navigation tree (column 0: its name).
    explicit CFormAll(QTreeWidgetItem *pGroupItem, QWidget *parent = nullptr);
    ~CFormAll() override;

    // The tree row, or null once the tree has dropped it.
    QTreeWidgetItem *GetItem() const;

signals:
    void signalDoubleClick(QTreeWidgetItem *pVWItem);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    CFormUi<Ui::CFormAll> ui;
    CLiveTreeItem m_item;
    QString m_strGroup; // the stored name; shown through GroupDisplayName
};

#endif
