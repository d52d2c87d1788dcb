#ifndef HOI_CONSOLE_DEVROWINDEX_H
#define HOI_CONSOLE_DEVROWINDEX_H

#include <QHash>
#include <QIcon>
#include <QString>

#include <memory>

class CHOIDev;
class QTreeWidgetItem;

// The rows of one device view, found by their device at once: a thousand
// devices report their changes one by one, and walking the rows for each
// grows with the square of the fleet. Rows made here enter the index and
// leave it when they are deleted, whoever deletes them (a rebuild, a removed
// parent), so moving, sorting and regrouping them changes nothing here.
class CDevRowIndex
{
public:
    CDevRowIndex();

    // A new row standing for pDev, not yet placed in the tree.
    QTreeWidgetItem *NewRow(CHOIDev *pDev) const;
    // The row of pDev while it is in the tree; null otherwise.
    QTreeWidgetItem *Find(const CHOIDev *pDev) const;

private:
    using T_Rows = QHash<const CHOIDev *, QTreeWidgetItem *>;
    // Shared with the rows: the tree deletes its rows after its owner's
    // members are gone.
    std::shared_ptr<T_Rows> m_pRows;
};

// One icon object per image: a row whose icon is this one already is not
// set again (icons do not compare by their picture), so a report that
// changes nothing leaves the row, and the view, alone.
QIcon SharedIcon(const QString &strPath);
void SetRowIcon(QTreeWidgetItem *pItem, int nColumn, const QString &strPath);

#endif
