#include "tiles/txdroptile.h"

#include <QDragEnterEvent>
#include <QMimeData>

#include "hoi_core/hoiconst.h"
#include "hoiwidget/dragpayload.h"

CTxDropTile::CTxDropTile(QWidget *parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
}

void CTxDropTile::slotIsAutoAppy(bool isAuto)
{
    m_bAutoApply = isAuto;
}

void CTxDropTile::slotOneKey(QDropEvent *event)
{
    if (event)
        HandleDrop(event);
}

void CTxDropTile::dragEnterEvent(QDragEnterEvent *event)
{
    AcceptTxDrag(event);
}

void CTxDropTile::dragMoveEvent(QDragMoveEvent *event)
{
    AcceptTxDrag(event);
}

void CTxDropTile::AcceptTxDrag(QDragMoveEvent *event)
{
    if (!IsOwnTxDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(event->proposedAction());
    event->accept();
}

void CTxDropTile::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->ignore();
}

void CTxDropTile::dropEvent(QDropEvent *event)
{
    HandleDrop(event);
}

void CTxDropTile::HandleDrop(QDropEvent *event)
{
    if (!event->mimeData() || !event->mimeData()->hasFormat(g_strMimeTxItem)) {
        event->ignore();
        return;
    }
    DropTx(event);
}
