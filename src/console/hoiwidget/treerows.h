#ifndef HOI_CONSOLE_TREEROWS_H
#define HOI_CONSOLE_TREEROWS_H

#include <QList>

class CHOIDev;
class QTreeWidget;
class QTreeWidgetItem;

// Reads the device of a row; null when the row stands for none.
using RowDevReader = CHOIDev *(*)(const QTreeWidgetItem *pItem);

// The devices of the selected rows in selection order; rows without one
// are skipped.
QList<CHOIDev *> SelectedRowDevs(const QTreeWidget *pTree, RowDevReader devOf);
// The device of the one selected row; null unless exactly one is selected.
CHOIDev *SingleSelectedRowDev(const QTreeWidget *pTree, RowDevReader devOf);

// Moves the top-level row at nFrom to nTo and returns it; null, and
// nothing moved, when either index is not a row. The current item and the
// selection are left to the caller.
QTreeWidgetItem *MoveTopLevelRow(QTreeWidget *pTree, int nFrom, int nTo);

// Moves the current top-level row by nStep rows; null when there is no
// current top-level row or the target is not a row.
QTreeWidgetItem *MoveCurrentTopLevelRow(QTreeWidget *pTree, int nStep);

#endif
