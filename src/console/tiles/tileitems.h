#ifndef HOI_CONSOLE_TILEITEMS_H
#define HOI_CONSOLE_TILEITEMS_H

#include <QPointer>
#include <QTreeWidget>

// The wall and group tiles point at items of the navigation tree, which
// rebuilds its items (deleting the old ones) while the tiles may still be
// shown. A tile asks this before it touches its item.

// pItem while pTree still holds it; null once the tree or the item is gone.
// An item that was in no tree when the tile was built (pTree null from the
// start, bHadTree false) is taken as it is.
QTreeWidgetItem *LiveTreeItem(const QPointer<QTreeWidget> &pTree, bool bHadTree,
                              QTreeWidgetItem *pItem);

#endif
