#ifndef HOI_CONSOLE_GROUPWIDGET_H
#define HOI_CONSOLE_GROUPWIDGET_H

#include "hoiwidget/devdragtree.h"

class CHOIDev;
class CHOIScene;

// What a row of the navigation tree stands for; kept in column 1 under
// Qt::UserRole. Decoder rows keep their CHOIDev, wall and layout rows their
// CHOIScene in column 0 under Qt::UserRole (full-width, itemdata.h).
enum GroupTreeItemKind {
    E_GTK_ROOT = 0,
    E_GTK_DEVICE = 1,
    E_GTK_GROUP = 2,
    E_GTK_VIDEOWALL = 3,
    E_GTK_LAYOUT = 4,
};

// Readers of the navigation tree's item data; null items give kind -1 and
// null pointers.
int GroupItemKind(const QTreeWidgetItem *pItem);
CHOIDev *GroupItemDev(const QTreeWidgetItem *pItem);
CHOIScene *GroupItemScene(const QTreeWidgetItem *pItem);

// The tree of the navigation panel as a drag source: a decoder row dragged
// far enough becomes an RX drag.
class QGroupWidget : public CDevDragTree
{
public:
    explicit QGroupWidget(QWidget *parent = nullptr);

protected:
    // Every row but the root's: groups, walls and layouts end the press but
    // drag nothing.
    bool IsDragRow(const QTreeWidgetItem *pItem) const override;
    CHOIDev *DragDev(const QTreeWidgetItem *pItem, QString &strFormat) const override;
};

#endif
