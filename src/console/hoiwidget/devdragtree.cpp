#include "hoiwidget/devdragtree.h"

#include <QApplication>
#include <QDropEvent>
#include <QMouseEvent>

#include "hoiwidget/dragpayload.h"

CDevDragTree::CDevDragTree(QWidget *parent)
    : QTreeWidget(parent)
    , m_ptDragStart(0, 0)
{
    setAcceptDrops(true);
}

bool CDevDragTree::IsDragRow(const QTreeWidgetItem *pItem) const
{
    return pItem != nullptr;
}

void CDevDragTree::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_ptDragStart = event->pos();
    QTreeWidget::mousePressEvent(event);
}

void CDevDragTree::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)
        || (event->pos() - m_ptDragStart).manhattanLength() < QApplication::startDragDistance()) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    QTreeWidgetItem *pItem = itemAt(m_ptDragStart);
    if (!IsDragRow(pItem)) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }

    // End the tree's press and selection handling before the drag loop runs.
    mouseReleaseEvent(event);
    QString strFormat;
    if (CHOIDev *pDev = DragDev(pItem, strFormat))
        ExecDrag(CreateDrag(this, strFormat, WriteDevPayload(pDev), pDev));
}

void CDevDragTree::dragEnterEvent(QDragEnterEvent *event)
{
    HandleDragOver(event);
}

void CDevDragTree::dragMoveEvent(QDragMoveEvent *event)
{
    HandleDragOver(event);
}

void CDevDragTree::dropEvent(QDropEvent *event)
{
    HandleDragOver(event);
}

void CDevDragTree::HandleDragOver(QDropEvent *event)
{
    // A TX may come back to the tree (move cursor, nothing happens).
    if (IsOwnTxDrag(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
