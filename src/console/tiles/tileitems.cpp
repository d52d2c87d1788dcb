#include "tiles/tileitems.h"

#include <QTreeWidgetItemIterator>

QTreeWidgetItem *LiveTreeItem(const QPointer<QTreeWidget> &pTree, bool bHadTree,
                              QTreeWidgetItem *pItem)
{
    if (!pItem)
        return nullptr;
    if (!bHadTree)
        return pItem;
    if (!pTree)
        return nullptr;
    // Compare addresses only: the item may already be deleted.
    for (QTreeWidgetItemIterator it(pTree); *it; ++it) {
        if (*it == pItem)
            return pItem;
    }
    return nullptr;
}
