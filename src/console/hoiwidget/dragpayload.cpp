#include "hoiwidget/dragpayload.h"

#include <QDataStream>
#include <QDrag>
#include <QDropEvent>
#include <QGraphicsSceneDragDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QWidget>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/devicetile.h"

namespace {

DragRunner &Runner()
{
    static DragRunner runner;
    return runner;
}

// The data of the drag that ExecDrag is running, null between drags. Drag
// events of a drag of this process carry this very object.
const QMimeData *g_pRunningDragData = nullptr;

QByteArray WritePayload(quint64 nAddr, qint32 nFirst, qint32 nSecond)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream << nAddr << nFirst << nSecond;
    return data;
}

bool ReadPayload(const QByteArray &data, quint64 *pAddr, qint32 *pFirst, qint32 *pSecond)
{
    quint64 nAddr = 0;
    qint32 nFirst = 0;
    qint32 nSecond = 0;
    QDataStream stream(data);
    stream >> nAddr >> nFirst >> nSecond;
    const bool bOk = stream.status() == QDataStream::Ok;
    *pAddr = bOk ? nAddr : 0;
    *pFirst = bOk ? nFirst : 0;
    *pSecond = bOk ? nSecond : 0;
    return bOk;
}

// Widgets and graphics scenes get drag events of two classes that tell the
// same things.
template <class TEvent>
bool IsOwnDragEvent(const TEvent *pEvent)
{
    // The toolkit names the source widget only for drags of this process.
    if (!pEvent)
        return false;
    return pEvent->source() != nullptr
           || (g_pRunningDragData && pEvent->mimeData() == g_pRunningDragData);
}

// pData is null for a foreign drag.
CHOIDev *DevOfDragData(const QMimeData *pData, const QString &strFormat)
{
    if (!pData || !pData->hasFormat(strFormat))
        return nullptr;
    T_DevDragPayload payload;
    if (!ReadDevPayload(pData->data(strFormat), &payload))
        return nullptr;
    return FindManagedDev(payload.nDevAddr);
}

bool CellOfDragData(const QMimeData *pData, int nRowCount, int nColCount, T_CellDragPayload *pPayload)
{
    *pPayload = T_CellDragPayload();
    if (!pData || !pData->hasFormat(g_strMimeCellItem))
        return false;
    T_CellDragPayload payload;
    if (!ReadCellPayload(pData->data(g_strMimeCellItem), &payload))
        return false;
    if (payload.nRow < 0 || payload.nRow >= nRowCount || payload.nColumn < 0
        || payload.nColumn >= nColCount)
        return false;
    *pPayload = payload;
    return true;
}

} // namespace

QByteArray WriteDevPayload(const CHOIDev *pDev)
{
    return WritePayload(quint64(reinterpret_cast<quintptr>(pDev)), kDragHotSpotX, kDragHotSpotY);
}

QByteArray WriteCellPayload(const void *pCellItem, int nRow, int nColumn)
{
    return WritePayload(quint64(reinterpret_cast<quintptr>(pCellItem)), nRow, nColumn);
}

bool ReadDevPayload(const QByteArray &data, T_DevDragPayload *pPayload)
{
    return ReadPayload(data, &pPayload->nDevAddr, &pPayload->nHotSpotX, &pPayload->nHotSpotY);
}

bool ReadCellPayload(const QByteArray &data, T_CellDragPayload *pPayload)
{
    return ReadPayload(data, &pPayload->nItemAddr, &pPayload->nRow, &pPayload->nColumn);
}

QString DragFormat(const QMimeData *pData)
{
    if (!pData)
        return QString();
    for (const QString *pFormat : {&g_strMimeTxItem, &g_strMimeRxItem, &g_strMimeCellItem}) {
        if (pData->hasFormat(*pFormat))
            return *pFormat;
    }
    return QString();
}

CHOIDev *FindManagedDev(quint64 nAddr)
{
    if (!g_pHOIDevMgr || nAddr == 0)
        return nullptr;
    const int nCount = g_pHOIDevMgr->GetDevCount();
    for (int i = 0; i < nCount; ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (quint64(reinterpret_cast<quintptr>(pDev)) == nAddr)
            return pDev;
    }
    return nullptr;
}

bool IsOwnDrag(const QDropEvent *pEvent)
{
    return IsOwnDragEvent(pEvent);
}

bool IsOwnTxDrag(const QDropEvent *pEvent)
{
    return IsOwnDrag(pEvent) && pEvent->mimeData()->hasFormat(g_strMimeTxItem);
}

CHOIDev *DroppedDev(const QDropEvent *pEvent, const QString &strFormat)
{
    return DevOfDragData(IsOwnDrag(pEvent) ? pEvent->mimeData() : nullptr, strFormat);
}

bool DroppedCell(const QDropEvent *pEvent, int nRowCount, int nColCount,
                 T_CellDragPayload *pPayload)
{
    return CellOfDragData(IsOwnDrag(pEvent) ? pEvent->mimeData() : nullptr, nRowCount, nColCount, pPayload);
}

bool IsOwnSceneDrag(const QGraphicsSceneDragDropEvent *pEvent)
{
    return IsOwnDragEvent(pEvent);
}

CHOIDev *DroppedSceneDev(const QGraphicsSceneDragDropEvent *pEvent, const QString &strFormat)
{
    return DevOfDragData(IsOwnSceneDrag(pEvent) ? pEvent->mimeData() : nullptr, strFormat);
}

bool DroppedSceneCell(const QGraphicsSceneDragDropEvent *pEvent, int nRowCount, int nColCount,
                      T_CellDragPayload *pPayload)
{
    return CellOfDragData(IsOwnSceneDrag(pEvent) ? pEvent->mimeData() : nullptr, nRowCount, nColCount,
                          pPayload);
}

QPixmap MakeDragPixmap(CHOIDev *pDev)
{
    QPixmap pixmap(kDragPixmapWidth, kDragPixmapHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintDeviceTile(&painter, pDev);
    // Keep every colour, scale every alpha by 180/255.
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(pixmap.rect(), QColor(0, 0, 0, 180));
    painter.end();
    return pixmap;
}

QDrag *CreateDrag(QWidget *pSource, const QString &strFormat, const QByteArray &payload,
                  CHOIDev *pPictureDev)
{
    QDrag *pDrag = new QDrag(pSource);
    QMimeData *pData = new QMimeData;
    pData->setData(strFormat, payload);
    pDrag->setMimeData(pData);
    pDrag->setHotSpot(QPoint(kDragHotSpotX, kDragHotSpotY));
    pDrag->setPixmap(MakeDragPixmap(pPictureDev));
    return pDrag;
}

Qt::DropAction ExecDrag(QDrag *pDrag)
{
    const Qt::DropActions supported = Qt::CopyAction | Qt::MoveAction;
    const QMimeData *pOuterData = g_pRunningDragData;
    g_pRunningDragData = pDrag->mimeData();
    // The drag may be deleted by the toolkit once it is over; only its data
    // pointer is kept, for comparison, while it runs.
    const Qt::DropAction action = Runner() ? Runner()(*pDrag, supported, Qt::CopyAction)
                                           : pDrag->exec(supported, Qt::CopyAction);
    g_pRunningDragData = pOuterData;
    return action;
}

void SetDragRunner(const DragRunner &runner)
{
    Runner() = runner;
}
