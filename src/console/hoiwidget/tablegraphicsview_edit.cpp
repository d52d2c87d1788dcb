// The edit commands of the layout grid's context menu: changing and removing
// the TX and RX of the selected cells, clearing the layout, combining cells
// into a video wall and splitting it, and the RX on-screen display.

#include "hoiwidget/tablegraphicsview.h"

#include <QAction>
#include <QDebug>
#include <QPointer>

#include "dialogs/dlgvideovallprop.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/gpcellitem.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

namespace {

// The device a menu entry names, provided the manager still holds it: the
// menu was built before the operator chose, and a device removed meanwhile
// must not be touched.
CHOIDev *ActionDev(QObject *pSender)
{
    QAction *pAction = qobject_cast<QAction *>(pSender);
    return pAction ? FindManagedDev(pAction->data().toULongLong()) : nullptr;
}

T_CellPos Pos(int row, int col)
{
    T_CellPos pos;
    pos.row = row;
    pos.col = col;
    return pos;
}

} // namespace

bool CTableGraphicsView::IsStillShown(const QPointer<CHOIScene> &pScene) const
{
    return pScene && pScene == m_pCurScene;
}

void CTableGraphicsView::slotChangeTX()
{
    CHOIDev *pTx = ActionDev(sender());
    if (!m_pCurScene || !pTx || pTx->GetDevType() != CHOIDev::E_DT_TX)
        return;
    // Positions, not cell items: a refusal's box lets a scheduled apply
    // show another layout, which replaces every item.
    const QPointer<CHOIScene> pScene = m_pCurScene;
    QList<T_CellPos> selected;
    const QList<CGpCellItem *> items = SelectedCells();
    for (CGpCellItem *pItem : items)
        selected.append(Pos(pItem->GetRow(), pItem->GetCol()));
    QList<T_CellPos> positions;
    QList<T_VideoWallInfo *> walls;
    int nWallRow = 0;
    for (const T_CellPos &pos : qAsConst(selected)) {
        T_VideoWallInfo *pWall = pScene->CellAt(pos.row, pos.col)->wall;
        if (!pWall) {
            QString strErr;
            if (!pScene->SetCellDev(pos.row, pos.col, pTx, strErr)) {
                if (!strErr.isEmpty())
                    MsgCritical(this, QString(), strErr);
                if (!IsStillShown(pScene))
                    return;
                continue;
            }
            positions.append(pos);
            RepaintRect(pos.row, pos.col, 1, 1);
        } else if (!walls.contains(pWall)) {
            if (walls.isEmpty())
                nWallRow = pos.row;
            walls.append(pWall);
        }
    }
    // A TX for several walls at once is not decided here.
    if (walls.size() == 1) {
        T_VideoWallInfo *pWall = walls.first();
        if (m_pCurScene->FindVideoWallOfDev(pTx)) {
            MsgCritical(this, QString(),
                        tr("TX device ('%1') already used in video wall of current scene.")
                            .arg(pTx->GetDisplayName()));
            return;
        }
        QString strErr;
        if (!m_pCurScene->SetVideoWallTx(pWall, nWallRow, pTx, strErr)) {
            if (!strErr.isEmpty())
                MsgCritical(this, QString(), strErr);
            return;
        }
        RepaintRect(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count);
        positions.append(Pos(pWall->pos_row, pWall->pos_col));
    }
    if (m_pCurScene->IsAutoApply() && !positions.isEmpty())
        UpdateCells(positions);
}

void CTableGraphicsView::slotChangeRX()
{
    CHOIDev *pRx = ActionDev(sender());
    const QList<CGpCellItem *> selected = SelectedCells();
    if (!m_pCurScene || !pRx || pRx->GetDevType() != CHOIDev::E_DT_RX || selected.isEmpty()
        || !g_pHOIDevMgr)
        return;
    if (m_pCurScene->HasDev(pRx))
        return;
    CGpCellItem *pItem = selected.first();
    const int row = pItem->GetRow();
    const int col = pItem->GetCol();
    CHOIDev *pPrevRx = pItem->GetCell()->rx;
    QString strErr;
    if (!m_pCurScene->SetCellDev(row, col, pRx, strErr)) {
        if (!strErr.isEmpty())
            MsgCritical(this, QString(), strErr);
        return;
    }
    CGpCellItem::PlaceRxInWall(m_pCurScene, row, col, pRx, pPrevRx);
    emit g_pHOIDevMgr->signalDevChangeForList(pRx);
    pItem->update();
    if (m_pCurScene->IsAutoApply()) {
        m_pCurScene->UpdateOneCellLink(row, col);
        if (pPrevRx && pPrevRx != pRx)
            m_pCurScene->StopRxLink(pPrevRx, true);
    }
}

bool CTableGraphicsView::DoRemoveTX(CHOIDev *pTx, bool bCheckOnly)
{
    const QList<CGpCellItem *> selected = SelectedCells();
    if (!m_pCurScene || selected.isEmpty())
        return false;
    QList<T_CellPos> positions;
    for (CGpCellItem *pItem : selected) {
        const T_SceneCell *pCell = pItem->GetCell();
        if (pCell->txList.isEmpty())
            continue;
        if (bCheckOnly)
            return true;
        const int row = pItem->GetRow();
        positions.append(Pos(row, pItem->GetCol()));
        const T_VideoWallInfo *pWall = pCell->wall;
        if (!pWall) {
            m_pCurScene->RemoveDevFromCell(row, pItem->GetCol(), pTx);
            continue;
        }
        const int firstRow = pWall->mode == 1 ? row : pWall->pos_row;
        const int rows = pWall->mode == 1 ? 1 : pWall->row_count;
        for (int r = firstRow; r < firstRow + rows; ++r) {
            for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c)
                m_pCurScene->RemoveDevFromCell(r, c, pTx);
        }
    }
    if (positions.isEmpty())
        return false;
    if (m_pCurScene->IsAutoApply())
        UpdateCells(positions);
    RepaintAll();
    return true;
}

bool CTableGraphicsView::DoRemoveRX(bool bCheckOnly)
{
    const QList<CGpCellItem *> selected = SelectedCells();
    if (!m_pCurScene || selected.isEmpty() || !g_pHOIDevMgr)
        return false;
    const QString strWall = WallName();
    QList<CHOIDev *> removed;
    for (CGpCellItem *pItem : selected) {
        CHOIDev *pRx = pItem->GetCell()->rx;
        if (!pRx)
            continue;
        if (bCheckOnly)
            return true;
        removed.append(pRx);
        m_pCurScene->RemoveDevFromCell(pItem->GetRow(), pItem->GetCol(), pRx);
        g_pHOIDevMgr->RemoveDevFromSceneCell(pItem->GetRow(), pItem->GetCol(), pRx, strWall);
        pRx->SetVideoWall(nullptr);
        emit g_pHOIDevMgr->signalDevChangeForList(pRx);
    }
    if (removed.isEmpty())
        return false;
    if (m_pCurScene->IsAutoApply())
        m_pCurScene->StopLink(removed);
    RepaintAll();
    return true;
}

void CTableGraphicsView::slotRemoveTX()
{
    if (CHOIDev *pTx = ActionDev(sender()))
        DoRemoveTX(pTx, false);
}

void CTableGraphicsView::slotRemoveRX()
{
    DoRemoveRX(false);
}

// Asks before a layout is cleared: false when the operator says no or the
// layout was replaced while the question was open.
bool CTableGraphicsView::ConfirmClear(const QString &strQuestion)
{
    const QPointer<CHOIScene> pScene = m_pCurScene;
    return MsgQuestion(this, QString(), strQuestion) == QMessageBox::Yes && IsStillShown(pScene);
}

void CTableGraphicsView::slotRemoveAllRX()
{
    if (!m_pCurScene || !g_pHOIDevMgr
        || !ConfirmClear(tr("Are you sure you want to remove the all devices in current video wall?")))
        return;
    m_pCurScene->RemoveAllRX();
    g_pHOIDevMgr->RemoveAllRXOfVideoWall(WallName());
    RepaintAll();
}

void CTableGraphicsView::slotRemoveAllTX()
{
    if (!m_pCurScene || !ConfirmClear(tr("Are you sure you want to remove the all devices in current layout?")))
        return;
    m_pCurScene->RemoveAllTX();
    RepaintAll();
    if (m_pCurScene->IsAutoApply()) {
        QList<T_CellPos> positions;
        for (int r = 0; r < m_pCurScene->GetRowCount(); ++r) {
            for (int c = 0; c < m_pCurScene->GetColCount(); ++c)
                positions.append(Pos(r, c));
        }
        UpdateCells(positions);
    }
}

// ---- video walls ----

bool CTableGraphicsView::DoCombineCell(bool bCheckOnly)
{
    const QList<CGpCellItem *> selected = SelectedCells();
    if (!m_pCurScene || selected.isEmpty())
        return false;
    int minRow = selected.first()->GetRow();
    int maxRow = minRow;
    int minCol = selected.first()->GetCol();
    int maxCol = minCol;
    for (CGpCellItem *pItem : selected) {
        minRow = qMin(minRow, pItem->GetRow());
        maxRow = qMax(maxRow, pItem->GetRow());
        minCol = qMin(minCol, pItem->GetCol());
        maxCol = qMax(maxCol, pItem->GetCol());
    }
    const int rows = maxRow - minRow + 1;
    const int cols = maxCol - minCol + 1;
    // A windowing processor may drive a single screen; other walls need two.
    const bool bWP = m_pCurScene->IsWPLayout();
    const bool bCan = bWP ? m_pCurScene->CanMakeVideoWall(minRow, minCol, rows, cols)
                          : m_pCurScene->CanMakeMultiCellVideoWall(minRow, minCol, rows, cols);
    if (bCheckOnly)
        return bCan;
    if (!bCan) {
        MsgCritical(this, QString(), tr("The video wall fails to be created."));
        return false;
    }

    T_VideoWallInfo wall;
    wall.mode = 0;
    wall.pos_row = minRow;
    wall.pos_col = minCol;
    wall.row_count = rows;
    wall.col_count = cols;
    const QPointer<CHOIScene> pScene = m_pCurScene;
    // The wall is made for the layout the cells were chosen in.
    if (!CDlgVideoVallProp::ShowDlg(pScene, &wall) || !IsStillShown(pScene))
        return false;
    const bool bAdded = bWP ? m_pCurScene->AddVideoWall(&wall)
                            : m_pCurScene->AddMultiCellVideoWall(&wall);
    if (!bAdded) {
        MsgCritical(this, QString(), tr("The video wall fails to be created."));
        return false;
    }
    RepaintRect(minRow, minCol, rows, cols);
    if (m_pCurScene->IsAutoApply())
        m_pCurScene->UpdateOneCellLink(minRow, minCol);
    return true;
}

bool CTableGraphicsView::DoUncombineCell(bool bCheckOnly)
{
    const QList<CGpCellItem *> selected = SelectedCells();
    if (!m_pCurScene || selected.isEmpty())
        return false;
    if (bCheckOnly) {
        for (CGpCellItem *pItem : selected) {
            if (pItem->GetCell()->wall)
                return true;
        }
        return false;
    }
    const QList<T_VideoWallInfo *> walls = GetSelectedVideoWalls();
    if (walls.isEmpty())
        return false;
    QList<CHOIDev *> devs;
    for (T_VideoWallInfo *pWall : walls) {
        const int row = pWall->pos_row;
        const int col = pWall->pos_col;
        const int rows = pWall->row_count;
        const int cols = pWall->col_count;
        m_pCurScene->DeleteVideoWall(pWall);
        for (int r = row; r < row + rows; ++r) {
            for (int c = col; c < col + cols; ++c) {
                if (!m_pCurScene->IsInGrid(r, c))
                    continue;
                if (CGpCellItem *pItem = CellItem(r, c)) {
                    pItem->update();
                    qDebug() << "update item: " << r << c;
                }
                const T_SceneCell *pCell = m_pCurScene->CellAt(r, c);
                for (CHOIDev *pTx : pCell->txList) {
                    if (pTx && !devs.contains(pTx))
                        devs.append(pTx);
                }
                if (pCell->rx && !devs.contains(pCell->rx))
                    devs.append(pCell->rx);
            }
        }
    }
    if (m_pCurScene->IsAutoApply() && !devs.isEmpty())
        m_pCurScene->ApplyVideoWallTo1x1(devs);
    return true;
}

void CTableGraphicsView::slotCombineCell()
{
    DoCombineCell(false);
}

void CTableGraphicsView::slotUncombineCell()
{
    DoUncombineCell(false);
}

void CTableGraphicsView::slotShowVwProperties()
{
    QAction *pAction = qobject_cast<QAction *>(sender());
    T_VideoWallInfo *pWall = pAction ? VariantToPtr<T_VideoWallInfo>(pAction->data()) : nullptr;
    // Only a wall the shown layout still holds: a split or another layout
    // since the menu was built would leave the entry's record deleted.
    if (!pWall || !m_pCurScene || !m_pCurScene->HasVideoWall(pWall))
        return;
    CDlgVideoVallProp dlg(pWall, nullptr);
    dlg.exec();
    // OK may have renamed the wall or made it single-host again.
    RepaintAll();
}

// ---- on-screen display ----

bool CTableGraphicsView::DoRxOsd(bool bOn, bool bCheckOnly)
{
    bool bAny = false;
    const QList<CGpCellItem *> selected = SelectedCells();
    for (CGpCellItem *pItem : selected) {
        CHOIDev *pRx = pItem->GetCell()->rx;
        if (!pRx || !pRx->IsSupportOsd())
            continue;
        if (bCheckOnly)
            return true;
        bAny = true;
        pRx->SendOsdOnOff(bOn, pRx->GetDisplayName());
    }
    return bAny;
}

void CTableGraphicsView::slotTurnRxOsdOn()
{
    DoRxOsd(true, false);
}

void CTableGraphicsView::slotTurnRxOsdOff()
{
    DoRxOsd(false, false);
}
