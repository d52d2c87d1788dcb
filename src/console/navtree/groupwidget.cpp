#include "navtree/groupwidget.h"

#include <QStyledItemDelegate>

#include "hoi_core/hoiconst.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

namespace {

// A group row holds the group's stored name, by which the panel and the main
// window find it; the pseudo-group's is shown translated.
class CGroupNameDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == 0 && index.siblingAtColumn(1).data(Qt::UserRole).toInt() == E_GTK_GROUP)
            option->text = GroupDisplayName(option->text);
    }
};

} // namespace

int GroupItemKind(const QTreeWidgetItem *pItem)
{
    if (!pItem)
        return -1;
    bool ok = false;
    const int nKind = pItem->data(1, Qt::UserRole).toInt(&ok);
    return ok ? nKind : -1;
}

CHOIDev *GroupItemDev(const QTreeWidgetItem *pItem)
{
    if (GroupItemKind(pItem) != E_GTK_DEVICE)
        return nullptr;
    return VariantToDev(pItem->data(0, Qt::UserRole));
}

CHOIScene *GroupItemScene(const QTreeWidgetItem *pItem)
{
    const int nKind = GroupItemKind(pItem);
    if (nKind != E_GTK_VIDEOWALL && nKind != E_GTK_LAYOUT)
        return nullptr;
    return VariantToScene(pItem->data(0, Qt::UserRole));
}

QGroupWidget::QGroupWidget(QWidget *parent)
    : CDevDragTree(parent)
{
    setItemDelegate(new CGroupNameDelegate(this));
}

bool QGroupWidget::IsDragRow(const QTreeWidgetItem *pItem) const
{
    return pItem && GroupItemKind(pItem) != E_GTK_ROOT;
}

CHOIDev *QGroupWidget::DragDev(const QTreeWidgetItem *pItem, QString &strFormat) const
{
    CHOIDev *pDev = GroupItemDev(pItem);
    if (pDev)
        strFormat = g_strMimeRxItem;
    return pDev;
}
