#ifndef HOI_CONSOLE_COLUMNFIT_H
#define HOI_CONSOLE_COLUMNFIT_H

class QTreeView;

// Device names, host names and addresses must be readable in the lists and
// trees. Once installed, every visible column of pView is kept at least as
// wide as its header and the rows shown in it, after each change of the rows
// (coalesced to one fit per turn of the event loop). Widths only grow: a
// width the window sets stays the least its column gets, and the operator
// can still drag a column wider.
void KeepColumnsFitted(QTreeView *pView);

// The same fit, at once.
void FitColumnsToContents(QTreeView *pView);

// The width all visible columns of pView need to show what they hold.
int ContentsWidth(QTreeView *pView);

#endif
