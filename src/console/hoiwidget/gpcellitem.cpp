#include "hoiwidget/gpcellitem.h"

#include <QDebug>
#include <QGraphicsScene>
#include <QGraphicsSceneDragDropEvent>
#include <QGraphicsSceneMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "uiservices.h"

namespace {

const QColor kOlive(122, 163, 39);
const QColor kNavy(0, 0, 122);
const int kGap = 4;
// Texts start right of the state icons and end at the cell's inner edge.
const int kTextLeft = 20;
const int kTextWidth = CGpCellItem::E_CELL_WIDTH - 2 - kTextLeft;

QString Name(CHOIDev *pDev)
{
    return pDev ? pDev->GetDisplayName() : QString();
}

// The on-line and off-line icons, loaded on the first paint and kept.
const QPixmap &StateIcon(bool bOnLine)
{
    static const QPixmap online(QStringLiteral(":/images/online.png"));
    static const QPixmap offline(QStringLiteral(":/images/offline.png"));
    return bOnLine ? online : offline;
}

// A refused drop; always false. A placement check that refuses without a
// reason has nothing to show.
bool Refuse(const QString &text)
{
    if (text.isEmpty())
        qDebug() << "drop refused without a message";
    else
        MsgCritical(nullptr, QString(), text);
    return false;
}

} // namespace

CGpCellItem::CGpCellItem(CHOIScene *pScene, int nRow, int nCol, bool bVWMode)
    : m_pScene(pScene)
    , m_nRow(nRow)
    , m_nCol(nCol)
    , m_bDropTarget(false)
    , m_bVWMode(bVWMode)
{
}

CGpCellItem::~CGpCellItem() = default;

const T_SceneCell *CGpCellItem::GetCell() const
{
    if (!m_pScene || !m_pScene->IsInGrid(m_nRow, m_nCol))
        return nullptr;
    return m_pScene->CellAt(m_nRow, m_nCol);
}

bool CGpCellItem::HasLayoutCell() const
{
    return GetCell() != nullptr;
}

QRectF CGpCellItem::boundingRect() const
{
    return QRectF(0, 0, E_CELL_WIDTH, E_CELL_HEIGHT);
}

QPainterPath CGpCellItem::shape() const
{
    QPainterPath path;
    path.addRect(2, 2, E_CELL_WIDTH - 4, E_CELL_HEIGHT - 4);
    return path;
}

QFont CGpCellItem::TextFont()
{
    return QFont(QStringLiteral("Verdana"), 8);
}

CHOIDev *CGpCellItem::WallProcessor() const
{
    const T_SceneCell *pCell = GetCell();
    if (!pCell || !pCell->wall || !m_pScene->IsWPLayout() || pCell->wall->dev_hostname.isEmpty()
        || !g_pHOIDevMgr)
        return nullptr;
    T_VideoWallInfo *pWall = pCell->wall;
    for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (pDev->GetDevType() == CHOIDev::E_DT_WP && pDev->GetHostName() == pWall->dev_hostname) {
            // The processor may have been renamed since the wall stored its
            // name.
            pWall->dev_name = pDev->GetDisplayName();
            return pDev;
        }
    }
    return nullptr;
}

QString CGpCellItem::LineText(E_TextLine eLine) const
{
    const T_SceneCell *pCell = GetCell();
    if (!pCell)
        return QString();
    switch (eLine) {
    case E_LINE_TX:
        if (m_bVWMode)
            return QString();
        if (pCell->txList.isEmpty())
            return tr("TX:");
        if (pCell->txList.size() == 1)
            return tr("TX: %1").arg(Name(pCell->txList.first()));
        return tr("TX Num: %1").arg(pCell->txList.size());
    case E_LINE_RX:
        return pCell->rx ? tr("RX: %1").arg(Name(pCell->rx)) : QString();
    case E_LINE_WP:
        if (!m_pScene->IsWPLayout() || !pCell->wall)
            return QString();
        WallProcessor();
        return tr("WP: %1").arg(pCell->wall->dev_name);
    }
    return QString();
}

QString CGpCellItem::ShownLineText(E_TextLine eLine) const
{
    return QFontMetrics(TextFont()).elidedText(LineText(eLine), Qt::ElideMiddle, kTextWidth);
}

void CGpCellItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const T_SceneCell *pCell = GetCell();
    if (!pCell)
        return;
    painter->save();
    painter->setFont(TextFont());
    PaintFrame(painter, pCell->wall);
    PaintFill(painter, FillColor(*pCell, option));
    // Icons and texts stay inside the frame.
    painter->setClipPath(shape());
    PaintStateIcons(painter, *pCell);
    PaintTexts(painter);
    painter->restore();

    if (pCell->rx)
        pCell->rx->SetGroup(m_pScene->GetGroup());
}

QColor CGpCellItem::FillColor(const T_SceneCell &cell, const QStyleOptionGraphicsItem *option) const
{
    QColor base(187, 234, 255);
    if (!cell.rx || cell.txList.isEmpty())
        base = QColor(200, 200, 200);
    if (cell.rx && g_pHOIDevMgr && g_pHOIDevMgr->IsSupportRxMonitor(cell.rx))
        base = QColor(0, 200, 0).lighter(180);
    if (m_bDropTarget)
        return QColor(255, 255, 0).lighter(90);
    if (isSelected())
        return base.darker(150);
    if (option && (option->state & QStyle::State_MouseOver))
        return base.lighter(90);
    return base;
}

void CGpCellItem::PaintFrame(QPainter *painter, const T_VideoWallInfo *pWall) const
{
    if (!pWall) {
        painter->setPen(QPen(kOlive, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawRect(boundingRect());
        return;
    }
    const int top = pWall->pos_row;
    const int left = pWall->pos_col;
    const int bottom = top + pWall->row_count - 1;
    const int right = left + pWall->col_count - 1;
    // Border lines run on across the gap where the wall goes on, so the
    // wall's outline is one continuous frame.
    const qreal xFrom = m_nCol > left ? -kGap : 0;
    const qreal xTo = m_nCol < right ? E_CELL_WIDTH + kGap : E_CELL_WIDTH;
    const qreal yFrom = m_nRow > top ? -kGap : 0;
    const qreal yTo = m_nRow < bottom ? E_CELL_HEIGHT + kGap : E_CELL_HEIGHT;
    const QPen border(kNavy, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    const QPen inner(kOlive, 2.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
    auto edge = [&](bool bBorder, const QLineF &outer, const QLineF &shortened) {
        painter->setPen(bBorder ? border : inner);
        painter->drawLine(bBorder ? outer : shortened);
    };
    edge(m_nRow == top, QLineF(xFrom, 0, xTo, 0), QLineF(kGap, 0, E_CELL_WIDTH - kGap, 0));
    edge(m_nCol == left, QLineF(0, yFrom, 0, yTo), QLineF(0, kGap, 0, E_CELL_HEIGHT - kGap));
    edge(m_nCol == right, QLineF(E_CELL_WIDTH, yFrom, E_CELL_WIDTH, yTo),
         QLineF(E_CELL_WIDTH, kGap, E_CELL_WIDTH, E_CELL_HEIGHT - kGap));
    edge(m_nRow == bottom, QLineF(xFrom, E_CELL_HEIGHT, xTo, E_CELL_HEIGHT),
         QLineF(kGap, E_CELL_HEIGHT, E_CELL_WIDTH - kGap, E_CELL_HEIGHT));
}

void CGpCellItem::PaintFill(QPainter *painter, const QColor &fill) const
{
    const QBrush oldBrush = painter->brush();
    const QPen oldPen = painter->pen();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(fill, Qt::SolidPattern));
    painter->drawPath(shape());
    painter->setBrush(oldBrush);
    painter->setPen(oldPen);
}

void CGpCellItem::PaintStateIcons(QPainter *painter, const T_SceneCell &cell) const
{
    for (CHOIDev *pTx : cell.txList) {
        if (pTx)
            painter->drawPixmap(2, 10, StateIcon(pTx->m_bOnLine));
    }
    if (cell.rx)
        painter->drawPixmap(2, 30, StateIcon(cell.rx->m_bOnLine));
    if (CHOIDev *pProcessor = WallProcessor())
        painter->drawPixmap(2, 50, StateIcon(pProcessor->m_bOnLine));
}

void CGpCellItem::PaintTexts(QPainter *painter) const
{
    painter->setPen(Qt::black);
    const int textFlags = Qt::AlignLeft | Qt::AlignTop;
    const int tops[] = {10, 30, 50};
    for (int eLine = E_LINE_TX; eLine <= E_LINE_WP; ++eLine) {
        painter->drawText(QRectF(kTextLeft, tops[eLine], 182, 98), textFlags,
                          ShownLineText(E_TextLine(eLine)));
    }
}

// ---- drop-target marks ----

void CGpCellItem::HighlightDropTarget(bool bWholeWall)
{
    if (m_bVWMode)
        return;
    const T_SceneCell *pCell = GetCell();
    const T_VideoWallInfo *pWall = pCell ? pCell->wall : nullptr;
    if (!bWholeWall || !pWall || !scene()) {
        m_bDropTarget = true;
        update();
        return;
    }
    const int lastCol = pWall->pos_col + pWall->col_count - 1;
    const int lastRow = pWall->pos_row + pWall->row_count - 1;
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pOther = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (!pOther || pOther->m_bDropTarget || pOther->m_nCol < pWall->pos_col
            || pOther->m_nCol > lastCol)
            continue;
        const bool bInWall = pWall->mode == 1
                                 ? pOther->m_nRow == m_nRow
                                 : pOther->m_nRow >= pWall->pos_row && pOther->m_nRow <= lastRow;
        if (bInWall) {
            pOther->m_bDropTarget = true;
            pOther->update();
        }
    }
}

void CGpCellItem::ClearAllHighlights()
{
    if (!scene()) {
        m_bDropTarget = false;
        update();
        return;
    }
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pOther = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (pOther && pOther->m_bDropTarget) {
            pOther->m_bDropTarget = false;
            pOther->update();
        }
    }
}

// ---- drag over a cell ----

QString CGpCellItem::TakenDragFormat(QGraphicsSceneDragDropEvent *event)
{
    if (!HasLayoutCell()) {
        m_bDropTarget = false;
        update();
        event->ignore();
        return QString();
    }
    const QString strFormat = DragFormat(event->mimeData());
    if (strFormat.isEmpty() || !IsOwnSceneDrag(event)) {
        event->ignore();
        return QString();
    }
    return strFormat;
}

void CGpCellItem::dragEnterEvent(QGraphicsSceneDragDropEvent *event)
{
    const QString strFormat = TakenDragFormat(event);
    if (strFormat.isEmpty())
        return;
    HighlightDropTarget(strFormat == g_strMimeTxItem);
    event->acceptProposedAction();
    event->accept();
}

void CGpCellItem::dragMoveEvent(QGraphicsSceneDragDropEvent *event)
{
    const QString strFormat = TakenDragFormat(event);
    if (strFormat.isEmpty())
        return;
    if (strFormat == g_strMimeTxItem)
        HighlightDropTarget(true);
    event->accept();
}

void CGpCellItem::dragLeaveEvent(QGraphicsSceneDragDropEvent *event)
{
    ClearAllHighlights();
    event->ignore();
}

// ---- drops ----

void CGpCellItem::dropEvent(QGraphicsSceneDragDropEvent *event)
{
    // Data of another format or from another program changes nothing.
    const QString strFormat = DragFormat(event->mimeData());
    if (strFormat.isEmpty() || !IsOwnSceneDrag(event)) {
        event->ignore();
        return;
    }
    m_bDropTarget = false;
    event->accept();
    if (!HasLayoutCell()) {
        update();
        return;
    }
    if (strFormat == g_strMimeCellItem) {
        DropCell(event);
        return;
    }
    CHOIDev *pDev = DroppedSceneDev(event, strFormat);
    if (!pDev) {
        // The device has left the manager since the drag began.
        ClearAllHighlights();
        return;
    }
    DropDevice(pDev);
}

// ---- the rules of a device drop ----
//
// Tried in this order; the first that refuses ends the drop with its
// message.

void CGpCellItem::DropDevice(CHOIDev *pDev)
{
    if (!g_pHOIDevMgr)
        return;
    const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
    if (m_bVWMode && bTx)
        return;
    if (!CheckRxNotPlaced(pDev) || !CheckWindowingKinds(pDev))
        return;
    T_VideoWallInfo *pWall = GetCell()->wall;
    if (pWall && bTx)
        SetVideoWallTxByDrop(pDev, pWall); // refused or not, the last step follows
    else if (!PlaceInCell(pDev))
        return;
    SendCellLinkToDevices(pDev);
}

bool CGpCellItem::RefuseClearingMarks(const QString &text)
{
    ClearAllHighlights();
    Refuse(text);
    return false;
}

bool CGpCellItem::CheckRxNotPlaced(CHOIDev *pDev)
{
    const QString strName = Name(pDev);
    if (pDev->GetDevType() == CHOIDev::E_DT_RX && m_pScene->FindDevCell(pDev, nullptr, nullptr))
        return RefuseClearingMarks(tr("RX device ('%1') exists in the current videw wall.").arg(strName));
    const QList<CHOIScene *> scenes = g_pHOIDevMgr->GetSceneList();
    for (CHOIScene *pOther : scenes) {
        for (const T_SceneCell *pCell : qAsConst(pOther->m_cells)) {
            if (pCell->rx == pDev) {
                return RefuseClearingMarks(
                    tr("RX ('%1') exists in the Video Wall ('%2'),Please remove it first.")
                        .arg(strName, CHOIScene::GetSceneNamePrefix(pOther)));
            }
        }
    }
    return true;
}

bool CGpCellItem::HasSiblingLayout(bool (CHOIScene::*pfnIsKind)() const) const
{
    const QString strWall = CHOIScene::GetSceneNamePrefix(m_pScene);
    const QList<CHOIScene *> scenes = g_pHOIDevMgr->GetSceneList();
    for (const CHOIScene *pOther : scenes) {
        if (pOther->GetName() != m_pScene->GetName()
            && CHOIScene::GetSceneNamePrefix(pOther) == strWall && (pOther->*pfnIsKind)())
            return true;
    }
    return false;
}

bool CGpCellItem::CheckWindowingKinds(CHOIDev *pDev) const
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
    const bool bRx = pDev->GetDevType() == CHOIDev::E_DT_RX;
    const bool bNoWindow = bRx && !pMgr->IsSupportWindow(pDev);
    const bool bNoViv = bRx && !pMgr->IsSupportViv(pDev);
    const QString strName = Name(pDev);
    // Every layout of the wall is looked at before this layout's own kind.
    if (bNoWindow && HasSiblingLayout(&CHOIScene::IsWindowLayout)) {
        return Refuse(tr("The current video wall is existing a PiP/Windowing Decoders,RX ('%1') "
                         "can not be windowed.")
                          .arg(strName));
    }
    if (bNoViv && HasSiblingLayout(&CHOIScene::IsVivLayout)) {
        return Refuse(tr("The current video wall is existing a Video Wall within a Wall "
                         "layout,RX ('%1') can not be windowed.")
                          .arg(strName));
    }
    if (m_pScene->IsWindowLayout()) {
        if (bNoWindow)
            return Refuse(tr("RX ('%1') can not be windowed.").arg(strName));
        if (bTx)
            return Refuse(tr("The current layout is windowe layout,TX device not allowed."));
    }
    if (m_pScene->IsVivLayout()) {
        if (bNoViv)
            return Refuse(tr("RX ('%1') can not be Video Wall within a Wall.").arg(strName));
        if (bTx) {
            return Refuse(tr("The current layout is Video Wall within a Wall,"
                             "TX device not allowed."));
        }
    }
    return true;
}

bool CGpCellItem::PlaceInCell(CHOIDev *pDev)
{
    if (pDev->GetDevType() == CHOIDev::E_DT_MRX)
        return Refuse(tr("Device('%1') does not support video wall function.").arg(Name(pDev)));
    const bool bRx = pDev->GetDevType() == CHOIDev::E_DT_RX;
    CHOIDev *pPrevRx = GetCell()->rx;
    QString strErr;
    if (!m_pScene->SetCellDev(m_nRow, m_nCol, pDev, strErr))
        return RefuseClearingMarks(strErr);
    if (bRx)
        PlaceRxInWall(m_pScene, m_nRow, m_nCol, pDev, pPrevRx);
    if (m_pScene->IsAutoApply() && pPrevRx && bRx)
        m_pScene->StopRxLink(pPrevRx, true);
    update();
    return true;
}

void CGpCellItem::SendCellLinkToDevices(CHOIDev *pDev)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (m_pScene->IsAutoApply())
        m_pScene->UpdateOneCellLink(m_nRow, m_nCol);
    emit pMgr->signalDevChangeForList(pDev);
    emit pMgr->SignalCurrentDev(pDev);
}

void CGpCellItem::PlaceRxInWall(CHOIScene *pScene, int nRow, int nCol, CHOIDev *pRx,
                                CHOIDev *pPrevRx)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr || !pScene || !pRx)
        return;
    const QString strWall = CHOIScene::GetSceneNamePrefix(pScene);
    pMgr->SetDevToSceneCell(nRow, nCol, pRx, strWall);
    pRx->SetVideoWall(pMgr->FindVideoWallByName(strWall));
    pRx->SetGroup(pScene->GetGroup());
    if (pPrevRx) {
        pPrevRx->SetVideoWall(nullptr);
        emit pMgr->signalDevChangeForList(pPrevRx);
    }
}

void CGpCellItem::SetVideoWallTxByDrop(CHOIDev *pTx, T_VideoWallInfo *pWall)
{
    if (m_bVWMode || !m_pScene || !pTx || !pWall)
        return;
    if (m_pScene->FindVideoWallOfDev(pTx)) {
        RefuseClearingMarks(tr("TX device ('%1') exists in the current video wall.").arg(Name(pTx)));
        return;
    }
    QString strErr;
    if (!m_pScene->SetVideoWallTx(pWall, m_nRow, pTx, strErr)) {
        RefuseClearingMarks(strErr);
        return;
    }
    if (!scene())
        return;
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pOther = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (pOther && pOther->m_nRow >= pWall->pos_row
            && pOther->m_nRow < pWall->pos_row + pWall->row_count
            && pOther->m_nCol >= pWall->pos_col
            && pOther->m_nCol < pWall->pos_col + pWall->col_count) {
            pOther->m_bDropTarget = false;
            pOther->update();
        }
    }
}

CGpCellItem *CGpCellItem::FindItem(quint64 nAddr) const
{
    if (!scene())
        return nullptr;
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pCellItem = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (pCellItem && quint64(reinterpret_cast<quintptr>(pCellItem)) == nAddr)
            return pCellItem;
    }
    return nullptr;
}

void CGpCellItem::DropCell(QGraphicsSceneDragDropEvent *event)
{
    T_CellDragPayload payload;
    CGpCellItem *pSource = nullptr;
    if (DroppedSceneCell(event, m_pScene->GetRowCount(), m_pScene->GetColCount(), &payload))
        pSource = FindItem(payload.nItemAddr);
    // Only a cell of this very grid can be exchanged: the positions of a
    // cell from another grid mean another layout.
    if (!pSource || pSource->m_pScene != m_pScene || pSource->m_nRow != payload.nRow
        || pSource->m_nCol != payload.nColumn) {
        ClearAllHighlights();
        return;
    }
    if (payload.nRow == m_nRow && payload.nColumn == m_nCol) {
        update();
        return;
    }
    QString strErr;
    if (!m_pScene->CanMoveCellDev(payload.nRow, payload.nColumn, m_nRow, m_nCol, strErr)) {
        RefuseClearingMarks(strErr);
        return;
    }
    pSource->update();
    update();
    if (m_pScene->IsAutoApply()) {
        T_CellPos from;
        from.row = payload.nRow;
        from.col = payload.nColumn;
        T_CellPos to;
        to.row = m_nRow;
        to.col = m_nCol;
        QList<T_CellPos *> cells;
        cells << &from << &to;
        m_pScene->UpdateCellLink(cells);
    }
}

// ---- mouse ----

void CGpCellItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // Shift-moves would drag the selection around; the grid is fixed.
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    QGraphicsItem::mouseMoveEvent(event);
}

void CGpCellItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    event->ignore();
    QGraphicsItem::mouseReleaseEvent(event);
}

QVariant CGpCellItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsItem::itemChange(change, value);
}
