#include "hoiwidget/tablegraphicsview.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>
#include <QToolTip>

#include <algorithm>

#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgserialmsg.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/gpcellitem.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/tablegraphicsscene.h"

CTableGraphicsView::CTableGraphicsView(QWidget *parent)
    : QGraphicsView(parent)
    , m_pCurScene(nullptr)
    , m_pRubberBand(nullptr)
    , m_bVWMode(false)
{
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this,
                &CTableGraphicsView::slotOnDeviceNotify);
}

CTableGraphicsView::~CTableGraphicsView()
{
    disconnect(m_sceneGone);
}

void CTableGraphicsView::SetCurScene(CHOIScene *pScene)
{
    disconnect(m_sceneGone);
    m_pCurScene = pScene;
    // A layout deleted while shown must not leave items pointing at it.
    if (pScene)
        m_sceneGone =
            connect(pScene, &QObject::destroyed, this, [this]() { SetCurScene(nullptr); });

    QGraphicsScene *pGraphics = scene();
    if (!pGraphics) {
        pGraphics = new CTableGraphicsScene(this);
        setScene(pGraphics);
    }
    const bool bBlocked = pGraphics->blockSignals(true);
    pGraphics->clear();
    if (pScene) {
        for (int row = 0; row < pScene->GetRowCount(); ++row) {
            for (int col = 0; col < pScene->GetColCount(); ++col) {
                CGpCellItem *pItem = new CGpCellItem(pScene, row, col, m_bVWMode);
                pItem->setFlags(QGraphicsItem::ItemIsSelectable
                                | QGraphicsItem::ItemSendsScenePositionChanges);
                pItem->setAcceptHoverEvents(true);
                pItem->setAcceptDrops(true);
                pItem->setPos(col * CGpCellItem::E_PITCH_X + CGpCellItem::E_MARGIN,
                              row * CGpCellItem::E_PITCH_Y + CGpCellItem::E_MARGIN);
                pGraphics->addItem(pItem);
            }
        }
    }
    pGraphics->blockSignals(bBlocked);
}

CGpCellItem *CTableGraphicsView::CellItem(int nRow, int nCol) const
{
    if (!scene())
        return nullptr;
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pCell = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (pCell && pCell->GetRow() == nRow && pCell->GetCol() == nCol)
            return pCell;
    }
    return nullptr;
}

QList<CGpCellItem *> CTableGraphicsView::SelectedCells() const
{
    QList<CGpCellItem *> cells;
    if (!scene())
        return cells;
    const QList<QGraphicsItem *> items = scene()->selectedItems();
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pCell = qgraphicsitem_cast<CGpCellItem *>(pItem);
        if (pCell && pCell->GetCell())
            cells.append(pCell);
    }
    // Grid order, so that "the first selected cell" means the same every time.
    std::sort(cells.begin(), cells.end(), [](const CGpCellItem *a, const CGpCellItem *b) {
        return a->GetRow() != b->GetRow() ? a->GetRow() < b->GetRow() : a->GetCol() < b->GetCol();
    });
    return cells;
}

QList<T_VideoWallInfo *> CTableGraphicsView::GetSelectedVideoWalls() const
{
    QList<T_VideoWallInfo *> walls;
    const QList<CGpCellItem *> cells = SelectedCells();
    for (CGpCellItem *pItem : cells) {
        T_VideoWallInfo *pWall = pItem->GetCell()->wall;
        if (pWall && !walls.contains(pWall))
            walls.append(pWall);
    }
    return walls;
}

CGpCellItem *CTableGraphicsView::CellItemAt(const QPoint &viewportPos) const
{
    return qgraphicsitem_cast<CGpCellItem *>(itemAt(viewportPos));
}

void CTableGraphicsView::RepaintRect(int nRow, int nCol, int nRows, int nCols)
{
    for (int r = nRow; r < nRow + nRows; ++r) {
        for (int c = nCol; c < nCol + nCols; ++c) {
            if (CGpCellItem *pItem = CellItem(r, c))
                pItem->update();
        }
    }
}

void CTableGraphicsView::RepaintAll()
{
    if (scene())
        scene()->update();
}

void CTableGraphicsView::UpdateCells(const QList<T_CellPos> &cells)
{
    if (!m_pCurScene || cells.isEmpty())
        return;
    QList<T_CellPos> copy = cells;
    QList<T_CellPos *> pointers;
    for (T_CellPos &pos : copy)
        pointers.append(&pos);
    m_pCurScene->UpdateCellLink(pointers);
}

QString CTableGraphicsView::WallName() const
{
    return CHOIScene::GetSceneNamePrefix(m_pCurScene);
}

// ---- tool tips ----

bool CTableGraphicsView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        QHelpEvent *pHelp = static_cast<QHelpEvent *>(event);
        return ShowToolTip(pHelp, viewport()->mapFrom(this, pHelp->pos()));
    }
    return QGraphicsView::event(event);
}

bool CTableGraphicsView::viewportEvent(QEvent *event)
{
    // Tips over the cells arrive at the viewport.
    if (event->type() == QEvent::ToolTip) {
        QHelpEvent *pHelp = static_cast<QHelpEvent *>(event);
        return ShowToolTip(pHelp, pHelp->pos());
    }
    return QGraphicsView::viewportEvent(event);
}

bool CTableGraphicsView::ShowToolTip(QHelpEvent *event, const QPoint &viewportPos)
{
    CGpCellItem *pItem = CellItemAt(viewportPos);
    if (!pItem || !pItem->GetCell()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), CellToolTip(pItem));
    return true;
}

QString CTableGraphicsView::CellToolTip(const CGpCellItem *pItem) const
{
    const T_SceneCell *pCell = pItem ? pItem->GetCell() : nullptr;
    if (!pCell)
        return QString();
    QString text;
    for (int i = 0; i < pCell->txList.size(); ++i) {
        if (CHOIDev *pTx = pCell->txList.at(i))
            text += QStringLiteral("TX%1:%2 ").arg(i + 1).arg(pTx->GetDisplayName())
                    + QLatin1Char('\n');
    }
    if (pCell->rx) {
        pCell->rx->SetGroup(pItem->GetLayout()->GetGroup());
        text += QStringLiteral("RX: %1").arg(pCell->rx->GetDisplayName());
    }
    // The processor's name is whole here only when the cell had to cut it.
    const QString strProcessor = pItem->LineText(CGpCellItem::E_LINE_WP);
    if (pItem->ShownLineText(CGpCellItem::E_LINE_WP) != strProcessor) {
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += strProcessor;
    }
    return text;
}

// ---- mouse and keys ----

void CTableGraphicsView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        m_ptRightPress = event->pos();
        if (!m_pRubberBand)
            m_pRubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_pRubberBand->setGeometry(QRect(m_ptRightPress, QSize()));
        m_pRubberBand->show();
        CGpCellItem *pItem = CellItemAt(event->pos());
        if (pItem && !pItem->isSelected()) {
            QGraphicsView::mousePressEvent(event);
            pItem->setSelected(true);
        } else if (pItem) {
            event->accept();
        } else {
            QGraphicsView::mousePressEvent(event);
        }
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_ptLeftPress = event->pos();
    QGraphicsView::mousePressEvent(event);
}

void CTableGraphicsView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pRubberBand && m_pRubberBand->isVisible()) {
        const QRect band = QRect(m_ptRightPress, event->pos()).normalized();
        m_pRubberBand->setGeometry(band);
        if (scene()) {
            QPainterPath area;
            area.addPolygon(mapToScene(band));
            scene()->setSelectionArea(area, Qt::ReplaceSelection, Qt::IntersectsItemShape,
                                      viewportTransform());
        }
        event->accept();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)
        || (event->pos() - m_ptLeftPress).manhattanLength() < QApplication::startDragDistance()) {
        QGraphicsView::mouseMoveEvent(event);
        return;
    }
    CGpCellItem *pItem = CellItemAt(m_ptLeftPress);
    const T_SceneCell *pCell = pItem ? pItem->GetCell() : nullptr;
    if (!pCell || !pCell->rx)
        return;
    CHOIDev *pRx = pCell->rx;
    // End the view's press handling before the drag loop runs.
    mouseReleaseEvent(event);
    QDrag *pDrag = CreateDrag(this, g_strMimeCellItem,
                              WriteCellPayload(pItem, pItem->GetRow(), pItem->GetCol()), pRx);
    ExecDrag(pDrag);
}

void CTableGraphicsView::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    if (m_pRubberBand && m_pRubberBand->isVisible())
        m_pRubberBand->hide();
    if (event->button() != Qt::RightButton || !m_pCurScene)
        return;
    CGpCellItem *pItem = CellItemAt(event->pos());
    if (!pItem)
        return;
    QMenu *pMenu = CreateContextMenu(pItem);
    if (!pMenu)
        return;
    pMenu->exec(event->globalPos());
    delete pMenu;
}

void CTableGraphicsView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QGraphicsView::mouseDoubleClickEvent(event);
    if (!m_pCurScene || !g_pHOIDevMgr)
        return;
    CGpCellItem *pItem = CellItemAt(event->pos());
    const T_SceneCell *pCell = pItem ? pItem->GetCell() : nullptr;
    if (!pCell || !pCell->rx)
        return;
    if (g_pHOIDevMgr->IsSupportIr(pCell->rx))
        slotShowRemoteControl();
    else if (g_pHOIDevMgr->IsSupportCec(pCell->rx))
        slotShowCEC();
}

void CTableGraphicsView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        slotSelectAll();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void CTableGraphicsView::slotSelectAll()
{
    if (!scene())
        return;
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *pItem : items)
        pItem->setSelected(true);
}

// ---- context menu ----

bool CTableGraphicsView::IsRxOffered(CHOIDev *pRx) const
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const QString strWall = WallName();
    const QList<CHOIScene *> scenes = pMgr->GetSceneList();
    for (CHOIScene *pOther : scenes) {
        if (pOther->GetName() == m_pCurScene->GetName()
            || CHOIScene::GetSceneNamePrefix(pOther) != strWall)
            continue;
        if (pOther->IsWindowLayout() && !pMgr->IsSupportWindow(pRx))
            return false;
        if (pOther->IsVivLayout() && !pMgr->IsSupportViv(pRx))
            return false;
    }
    if (m_pCurScene->IsWindowLayout() && !pMgr->IsSupportWindow(pRx))
        return false;
    if (m_pCurScene->IsVivLayout() && !pMgr->IsSupportViv(pRx))
        return false;
    return true;
}

QMenu *CTableGraphicsView::CreateContextMenu(CGpCellItem *pItem)
{
    const T_SceneCell *pCell = pItem ? pItem->GetCell() : nullptr;
    if (!m_pCurScene || !pCell || !g_pHOIDevMgr)
        return nullptr;

    const bool bWindowing = m_pCurScene->IsWindowLayout() || m_pCurScene->IsVivLayout();
    const QList<T_VideoWallInfo *> walls = GetSelectedVideoWalls();
    QMenu *pMenu = new QMenu(this);
    AddChangeDevEntries(pMenu, walls, bWindowing);
    pMenu->addSeparator();
    AddRemoveDevEntries(pMenu, pCell);
    pMenu->addSeparator();
    AddEditEntries(pMenu, walls, bWindowing);
    pMenu->addSeparator();
    AddOsdEntries(pMenu);
    pMenu->addSeparator();
    AddControlEntries(pMenu);
    return pMenu;
}

// "Change TX" and "Change RX": every TX of the manager, and every RX the
// layout may take.
void CTableGraphicsView::AddChangeDevEntries(QMenu *pMenu, const QList<T_VideoWallInfo *> &walls, bool bWindowing)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const int nSelected = SelectedCells().size();
    QMenu *pChangeTx = pMenu->addMenu(tr("Change TX"));
    QMenu *pChangeRx = pMenu->addMenu(tr("Change RX"));
    for (int i = 0; i < pMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = pMgr->GetDev(i);
        if (pDev->GetDevType() == CHOIDev::E_DT_TX) {
            QAction *pAction = pChangeTx->addAction(pDev->GetDisplayName());
            pAction->setData(DevToVariant(pDev));
            bool bEnabled = walls.isEmpty();
            if (walls.size() == 1)
                bEnabled = !m_pCurScene->FindVideoWallOfDev(pDev);
            pAction->setEnabled(bEnabled);
            connect(pAction, &QAction::triggered, this, &CTableGraphicsView::slotChangeTX);
        } else if (pDev->GetDevType() == CHOIDev::E_DT_RX && IsRxOffered(pDev)) {
            QAction *pAction = pChangeRx->addAction(pDev->GetDisplayName());
            pAction->setData(DevToVariant(pDev));
            pAction->setEnabled(nSelected == 1 && !pMgr->IsRxInAnyVideoWall(pDev));
            connect(pAction, &QAction::triggered, this, &CTableGraphicsView::slotChangeRX);
        }
    }
    pChangeTx->setEnabled(!m_bVWMode && !bWindowing);
}

// "Remove TX" and "Remove RX": the devices of the clicked cell.
void CTableGraphicsView::AddRemoveDevEntries(QMenu *pMenu, const T_SceneCell *pCell)
{
    QMenu *pRemoveTx = pMenu->addMenu(tr("Remove TX"));
    bool bAnyTx = false;
    for (CHOIDev *pTx : pCell->txList) {
        if (!pTx)
            continue;
        bAnyTx = true;
        QAction *pAction = pRemoveTx->addAction(pTx->GetDisplayName());
        pAction->setData(DevToVariant(pTx));
        connect(pAction, &QAction::triggered, this, &CTableGraphicsView::slotRemoveTX);
    }
    pRemoveTx->setEnabled(bAnyTx);
    QMenu *pRemoveRx = pMenu->addMenu(tr("Remove RX"));
    if (pCell->rx) {
        QAction *pAction = pRemoveRx->addAction(pCell->rx->GetDisplayName());
        pAction->setData(DevToVariant(pCell->rx));
        connect(pAction, &QAction::triggered, this, &CTableGraphicsView::slotRemoveRX);
    }
    pRemoveRx->setEnabled(pCell->rx != nullptr);
}

// Selection, clearing, combining and splitting, and the wall's properties.
void CTableGraphicsView::AddEditEntries(QMenu *pMenu, const QList<T_VideoWallInfo *> &walls, bool bWindowing)
{
    pMenu->addAction(tr("Select All"), this, &CTableGraphicsView::slotSelectAll);
    if (m_bVWMode)
        pMenu->addAction(tr("Remove All RX"), this, &CTableGraphicsView::slotRemoveAllRX);
    else
        pMenu->addAction(tr("Remove All TX"), this, &CTableGraphicsView::slotRemoveAllTX);
    pMenu->addSeparator();

    QAction *pCombine = pMenu->addAction(tr("Combine"), this, &CTableGraphicsView::slotCombineCell);
    pCombine->setEnabled(!m_bVWMode && DoCombineCell(true) && !bWindowing);
    QAction *pSplit = pMenu->addAction(tr("Split"), this, &CTableGraphicsView::slotUncombineCell);
    pSplit->setEnabled(!m_bVWMode && DoUncombineCell(true));
    pMenu->addSeparator();

    QAction *pProps = pMenu->addAction(tr("Logic Screen Properties"), this,
                                       &CTableGraphicsView::slotShowVwProperties);
    if (!walls.isEmpty())
        pProps->setData(PtrToVariant(walls.first()));
    pProps->setEnabled(!walls.isEmpty());
}

// The on-screen display of the selected RX, named as the products call it.
void CTableGraphicsView::AddOsdEntries(QMenu *pMenu)
{
    const bool bLogo = g_pHOIDevMgr->IsLogoEnable();
    const bool bOsd = DoRxOsd(true, true);
    QAction *pOsdOn = pMenu->addAction(bLogo ? tr("Turn On IP/MAC Display") : tr("Turn On OSD"),
                                       this, &CTableGraphicsView::slotTurnRxOsdOn);
    pOsdOn->setEnabled(bOsd);
    QAction *pOsdOff = pMenu->addAction(bLogo ? tr("Turn Off IP/MAC Display") : tr("Turn Off OSD"),
                                        this, &CTableGraphicsView::slotTurnRxOsdOff);
    pOsdOff->setEnabled(bOsd);
}

// The control dialogs the program offers at all.
void CTableGraphicsView::AddControlEntries(QMenu *pMenu)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (pMgr->IsSupportIr(nullptr))
        pMenu->addAction(tr("Remote Control"), this, &CTableGraphicsView::slotShowRemoteControl);
    if (pMgr->IsSupportRs232(nullptr))
        pMenu->addAction(tr("Serial"), this, &CTableGraphicsView::slotShowSerial);
    if (pMgr->IsSupportCec(nullptr))
        pMenu->addAction(tr("CEC Control"), this, &CTableGraphicsView::slotShowCEC);
}

// ---- device dialogs ----

template <typename TResult>
void CTableGraphicsView::ShowDeviceDialog(TResult (*pfnShowDlg)(CHOIScene *, CHOIDev *))
{
    if (!m_pCurScene)
        return;
    const QList<CGpCellItem *> selected = SelectedCells();
    if (selected.isEmpty())
        return;
    pfnShowDlg(m_pCurScene, selected.first()->GetCell()->rx);
}

void CTableGraphicsView::slotShowRemoteControl()
{
    ShowDeviceDialog(&CDlgIrCtrl::ShowDlg);
}

void CTableGraphicsView::slotShowSerial()
{
    ShowDeviceDialog(&CDlgSerialMsg::ShowDlg);
}

void CTableGraphicsView::slotShowCEC()
{
    ShowDeviceDialog(&CDlgCECCtrl::ShowDlg);
}

// ---- device notifications ----

void CTableGraphicsView::slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify)
{
    if (eNotify != E_DN_STATUS || !m_pCurScene || !scene() || !m_pCurScene->HasDev(pDev))
        return;
    const QList<QGraphicsItem *> items = scene()->items(Qt::DescendingOrder);
    for (QGraphicsItem *pItem : items) {
        CGpCellItem *pCellItem = qgraphicsitem_cast<CGpCellItem *>(pItem);
        const T_SceneCell *pCell = pCellItem ? pCellItem->GetCell() : nullptr;
        if (!pCell)
            continue;
        if (pCell->rx == pDev)
            pCellItem->update();
        if (pCell->txList.contains(pDev)) {
            pCellItem->update();
            break;
        }
    }
}
