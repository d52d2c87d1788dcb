#include "tiles/tileitems.h"

#include <QTreeWidgetItemIterator>

CLiveTreeItem::CLiveTreeItem(QTreeWidgetItem *pItem)
    : m_pItem(pItem)
    , m_pTree(pItem ? pItem->treeWidget() : nullptr)
    , m_bHadTree(!m_pTree.isNull())
{
}

QTreeWidgetItem *CLiveTreeItem::Get() const
{
    if (!m_pItem)
        return nullptr;
    if (!m_bHadTree)
        return m_pItem;
    if (!m_pTree)
        return nullptr;
    // Compare addresses only: the item may already be deleted.
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        if (*it == m_pItem)
            return m_pItem;
    }
    return nullptr;
}
