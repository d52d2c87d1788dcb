#include "navtree/groupwidget.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "hoi_core/hoiconst.h"
#include "hoiwidget/dragpayload.h"
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
    : QTreeWidget(parent)
    , m_dragStartPos(0, 0)
{
    setAcceptDrops(true);
    setItemDelegate(new CGroupNameDelegate(this));
}

void QGroupWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragStartPos = event->pos();
    QTreeWidget::mousePressEvent(event);
}

void QGroupWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)
        || (event->pos() - m_dragStartPos).manhattanLength() < QApplication::startDragDistance()) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    QTreeWidgetItem *pItem = itemAt(m_dragStartPos);
    const int nKind = GroupItemKind(pItem);
    if (!pItem || nKind == E_GTK_ROOT) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }

    // End the view's press state before anything is dragged; groups, walls
    // and layouts stop here.
    mouseReleaseEvent(event);
    if (nKind != E_GTK_DEVICE)
        return;
    CHOIDev *pDev = GroupItemDev(pItem);
    if (!pDev)
        return;
    ExecDrag(CreateDrag(this, g_strMimeRxItem, WriteDevPayload(pDev), pDev));
}

void QGroupWidget::dragEnterEvent(QDragEnterEvent *event)
{
    HandleDragOver(event);
}

void QGroupWidget::dragMoveEvent(QDragMoveEvent *event)
{
    HandleDragOver(event);
}

void QGroupWidget::dropEvent(QDropEvent *event)
{
    HandleDragOver(event);
}

void QGroupWidget::HandleDragOver(QDropEvent *event)
{
    // Only our own TX drags are shown as welcome, and their drop does
    // nothing here.
    if (IsOwnDrag(event) && event->mimeData()->hasFormat(g_strMimeTxItem)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
