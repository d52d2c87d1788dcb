#include "hoiwidget/treerows.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

QList<CHOIDev *> SelectedRowDevs(const QTreeWidget *pTree, RowDevReader devOf)
{
    QList<CHOIDev *> devs;
    const QList<QTreeWidgetItem *> selected = pTree->selectedItems();
    for (QTreeWidgetItem *pItem : selected) {
        if (CHOIDev *pDev = devOf(pItem))
            devs.append(pDev);
    }
    return devs;
}

CHOIDev *SingleSelectedRowDev(const QTreeWidget *pTree, RowDevReader devOf)
{
    const QList<QTreeWidgetItem *> selected = pTree->selectedItems();
    return selected.size() == 1 ? devOf(selected.first()) : nullptr;
}

QTreeWidgetItem *MoveTopLevelRow(QTreeWidget *pTree, int nFrom, int nTo)
{
    const int nCount = pTree->topLevelItemCount();
    if (nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount)
        return nullptr;
    QTreeWidgetItem *pItem = pTree->takeTopLevelItem(nFrom);
    pTree->insertTopLevelItem(nTo, pItem);
    return pItem;
}

QTreeWidgetItem *MoveCurrentTopLevelRow(QTreeWidget *pTree, int nStep)
{
    QTreeWidgetItem *pItem = pTree->currentItem();
    if (!pItem)
        return nullptr;
    const int nIndex = pTree->indexOfTopLevelItem(pItem);
    if (nIndex < 0)
        return nullptr;
    return MoveTopLevelRow(pTree, nIndex, nIndex + nStep);
}
