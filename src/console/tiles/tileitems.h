#ifndef HOI_CONSOLE_TILEITEMS_H
#define HOI_CONSOLE_TILEITEMS_H

#include <QPointer>
#include <QTreeWidget>

// The wall and group tiles point at items of the navigation tree, which
// rebuilds its items (deleting the old ones) while the tiles may still be
// shown. A tile asks this before it touches its item.
class CLiveTreeItem
{
public:
    explicit CLiveTreeItem(QTreeWidgetItem *pItem);

    // The item while its tree still holds it; null once the tree or the item
    // is gone. An item that was in no tree when it was taken is given as it
    // is.
    QTreeWidgetItem *Get() const;

private:
    QTreeWidgetItem *m_pItem;
    QPointer<QTreeWidget> m_pTree;
    bool m_bHadTree;
};

#endif
