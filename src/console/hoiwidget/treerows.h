#ifndef HOI_CONSOLE_TREEROWS_H
#define HOI_CONSOLE_TREEROWS_H

class QTreeWidget;
class QTreeWidgetItem;

// Moves the top-level row at nFrom to nTo and returns it; null, and
// nothing moved, when either index is not a row. The current item and the
// selection are left to the caller.
QTreeWidgetItem *MoveTopLevelRow(QTreeWidget *pTree, int nFrom, int nTo);

// Moves the current top-level row by nStep rows; null when there is no
// current top-level row or the target is not a row.
QTreeWidgetItem *MoveCurrentTopLevelRow(QTreeWidget *pTree, int nStep);

#endif
