#include "hoiwidget/devlistwidget.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/itemdata.h"

QDevListWidget::QDevListWidget(QWidget *parent)
    : QTreeWidget(parent)
    , m_ptDragStart(0, 0)
{
    // A TX may be dropped back on the tree (the drop changes nothing).
    setAcceptDrops(true);
}

void QDevListWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_ptDragStart = event->pos();
    QTreeWidget::mousePressEvent(event);
}

void QDevListWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)
        || (event->pos() - m_ptDragStart).manhattanLength() < QApplication::startDragDistance()) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    QTreeWidgetItem *pItem = itemAt(m_ptDragStart);
    if (!pItem) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }

    // End the tree's press and selection handling before the drag loop runs.
    mouseReleaseEvent(event);

    CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
    if (!pDev)
        return;
    QString strFormat;
    if (pDev->GetDevType() == CHOIDev::E_DT_TX)
        strFormat = g_strMimeTxItem;
    else if (pDev->GetDevType() == CHOIDev::E_DT_RX)
        strFormat = g_strMimeRxItem;
    else
        return;

    QDrag *pDrag = CreateDrag(this, strFormat, WriteDevPayload(pDev), pDev);
    ExecDrag(pDrag);
}

void QDevListWidget::dragEnterEvent(QDragEnterEvent *event)
{
    HandleDragOver(event);
}

void QDevListWidget::dragMoveEvent(QDragMoveEvent *event)
{
    HandleDragOver(event);
}

void QDevListWidget::dropEvent(QDropEvent *event)
{
    HandleDragOver(event);
}

void QDevListWidget::HandleDragOver(QDropEvent *event)
{
    // A TX may come back to the tree (move cursor, nothing happens); every
    // other drag, and anything from another program, is refused.
    if (IsOwnDrag(event) && event->mimeData()->hasFormat(g_strMimeTxItem)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
