// The right-hand pages chosen from the navigation tree: the layouts of a
// video wall, the tiles of a group and of all groups, the grid of a wall and
// one device; and the group, wall and device buttons of those pages.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDropEvent>

#include "dialogs/dlgdevedit.h"
#include "docks/devinfowidget.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/gpcellitem.h"
#include "navtree/formgrouplist.h"
#include "navtree/groupwidget.h"
#include "tiles/formall.h"
#include "tiles/formdevice.h"
#include "tiles/formonekey.h"
#include "tiles/formvw.h"
#include "uiservices.h"

namespace {

// Width of one tile column on the tiles pages.
const int kTileColumnWidth = 150;
// The tree row a tile stands for, counted among its parent's children.
const char kTilePosition[] = "hoiTilePosition";

} // namespace

// ---- tiles ----

int MainWindow::TileColumns(const QScrollArea *pArea, const QGridLayout *pGrid) const
{
    // The box around the area is wider than the room the tiles get; counted
    // from the box, the last column would lie partly out of sight.
    const QMargins margins = pArea->widget()->layout()->contentsMargins();
    const int nSpacing = qMax(0, pGrid->horizontalSpacing());
    const int nRoom = pArea->viewport()->width() - margins.left() - margins.right();
    return qMax(0, (nRoom + nSpacing) / (kTileColumnWidth + nSpacing));
}

void MainWindow::PlaceTile(QGridLayout *pGrid, QWidget *pTile, int nPosition, int nCols)
{
    pTile->setProperty(kTilePosition, nPosition);
    pGrid->addWidget(pTile, nCols > 0 ? nPosition / nCols : 0, nCols > 0 ? nPosition % nCols : 0);
}

void MainWindow::PlaceTiles(const QScrollArea *pArea, QGridLayout *pGrid, const QList<QWidget *> &tiles)
{
    const int nCols = TileColumns(pArea, pGrid);
    for (QWidget *pTile : tiles) {
        const int nIndex = pGrid->indexOf(pTile);
        if (nIndex < 0)
            continue;
        int nRow = 0;
        int nCol = 0;
        int nRowSpan = 0;
        int nColSpan = 0;
        pGrid->getItemPosition(nIndex, &nRow, &nCol, &nRowSpan, &nColSpan);
        const int nPosition = pTile->property(kTilePosition).toInt();
        if (nCols > 0 && nRow == nPosition / nCols && nCol == nPosition % nCols)
            continue;
        pGrid->removeWidget(pTile);
        PlaceTile(pGrid, pTile, nPosition, nCols);
    }
}

bool MainWindow::eventFilter(QObject *pWatched, QEvent *event)
{
    if (event->type() == QEvent::Resize && ui) {
        if (pWatched == ui->scrollArea->viewport())
            PlaceTiles(ui->scrollArea, ui->gridLayout_9, m_groupTiles);
        else if (pWatched == ui->scrollArea_2->viewport())
            PlaceTiles(ui->scrollArea_2, ui->gridLayout_All, m_allTiles);
    }
    return QMainWindow::eventFilter(pWatched, event);
}

void MainWindow::RemoveTile(QWidget *pTile)
{
    // Deferred: a tile may be the sender of the signal that rebuilds its page.
    disconnect(this, nullptr, pTile, nullptr);
    disconnect(ui->checkBox_Auto, nullptr, pTile, nullptr);
    pTile->hide();
    ui->gridLayout_9->removeWidget(pTile);
    ui->gridLayout_OneKey->removeWidget(pTile);
    ui->gridLayout_All->removeWidget(pTile);
    ui->gridLayout_Dev->removeWidget(pTile);
    pTile->deleteLater();
}

void MainWindow::ClearGroupTiles()
{
    for (QWidget *pTile : qAsConst(m_groupTiles))
        RemoveTile(pTile);
    m_groupTiles.clear();
    ui->gridLayout_9->update();
    ui->page_Group->update();
}

void MainWindow::ClearAllTiles()
{
    for (QWidget *pTile : qAsConst(m_allTiles))
        RemoveTile(pTile);
    m_allTiles.clear();
}

void MainWindow::DeleteTilesNow()
{
    // Those of earlier pages, still waiting for the event loop, go too: a
    // decoder tile reports the end of its apply as it goes.
    m_groupTiles.clear();
    m_allTiles.clear();
    qDeleteAll(findChildren<CTxDropTile *>());
    qDeleteAll(findChildren<CFormAll *>());
}

void MainWindow::slotOnGroupItemClick(QTreeWidgetItem *pGroupItem)
{
    if (!pGroupItem)
        return;
    ui->sw_rigthFace->setCurrentWidget(ui->page_Group);
    slotDevFrame(pGroupItem);
}

void MainWindow::slotDevFrame(QTreeWidgetItem *pItem)
{
    if (!pItem)
        return;
    ClearGroupTiles();
    m_strCurGroup = pItem->text(0);
    m_strGroupTitle = m_strCurGroup;
    ui->groupBox_2->setTitle(GroupDisplayName(m_strCurGroup));

    const bool bUngrouped = m_strCurGroup == g_strUngrouped;
    ui->pbDeleteGroup->setEnabled(!bUngrouped);
    ui->pbEditGroup->setEnabled(!bUngrouped);

    CFormOneKey *pOneKey = new CFormOneKey(pItem, nullptr);
    ui->gridLayout_OneKey->addWidget(pOneKey, 0, 0);

    const bool bAuto = ui->checkBox_Auto->isChecked();
    const int nCols = TileColumns(ui->scrollArea, ui->gridLayout_9);
    for (int i = 0; i < pItem->childCount(); ++i) {
        QTreeWidgetItem *pChild = pItem->child(i);
        QWidget *pTile = nullptr;
        switch (GroupItemKind(pChild)) {
        case E_GTK_DEVICE: {
            CFormDevice *pDevTile = new CFormDevice(GroupItemDev(pChild), ui->scrollAreaWidgetContents);
            pDevTile->slotIsAutoAppy(bAuto);
            connect(pOneKey, &CFormOneKey::signalDropEventForOneKey, pDevTile, &CFormDevice::slotOneKey);
            connect(ui->checkBox_Auto, &QCheckBox::toggled, pDevTile, &CFormDevice::slotIsAutoAppy);
            connect(this, &MainWindow::signalApplyToAllSceen, pDevTile, &CFormDevice::Apply);
            pTile = pDevTile;
            break;
        }
        case E_GTK_VIDEOWALL: {
            CFormVW *pWallTile = new CFormVW(pChild, ui->scrollAreaWidgetContents);
            pWallTile->slotIsAutoAppy(bAuto);
            connect(pOneKey, &CFormOneKey::signalDropEventForOneKey, pWallTile, &CFormVW::slotOneKey);
            connect(ui->checkBox_Auto, &QCheckBox::toggled, pWallTile, &CFormVW::slotIsAutoAppy);
            connect(this, &MainWindow::signalApplyToAllSceen, pWallTile, &CFormVW::Apply);
            connect(pWallTile, &CFormVW::signalDoubleClick, this, &MainWindow::slotOnVWItemClick);
            connect(pWallTile, &CFormVW::signalDoubleClick, ui->wgDevFrame_GroupRx,
                    &CFormGroupList::slotSetCurrentItem);
            pTile = pWallTile;
            break;
        }
        default:
            break; // its position stays empty
        }
        if (!pTile)
            continue;
        PlaceTile(ui->gridLayout_9, pTile, i, nCols);
        m_groupTiles.append(pTile);
    }
    // Last: runs once every tile has taken the drop.
    connect(pOneKey, &CFormOneKey::signalDropEventForOneKey, this, &MainWindow::slotOnOneKeyDropped);
    m_groupTiles.append(pOneKey);
}

void MainWindow::slotOnAllItemClick(QTreeWidgetItem *pAllItem)
{
    if (!pAllItem)
        return;
    ClearAllTiles();
    ui->sw_rigthFace->setCurrentWidget(ui->page_All);
    const int nCols = TileColumns(ui->scrollArea_2, ui->gridLayout_All);
    for (int i = 0; i < pAllItem->childCount(); ++i) {
        CFormAll *pTile = new CFormAll(pAllItem->child(i), ui->scrollAreaWidgetContents_2);
        connect(pTile, &CFormAll::signalDoubleClick, this, &MainWindow::slotOnGroupItemClick);
        connect(pTile, &CFormAll::signalDoubleClick, ui->wgDevFrame_GroupRx, &CFormGroupList::slotSetCurrentItem);
        PlaceTile(ui->gridLayout_All, pTile, i, nCols);
        m_allTiles.append(pTile);
    }
}

// ---- walls and their layouts ----

// Lists the layouts of a wall on the layout page, sorted and renumbered;
// the first one appended becomes current (consuming the skip flag).
void MainWindow::ShowWallLayouts(const QString &strWall)
{
    m_strCurVWName = strWall;
    ui->sw_rigthFace->setCurrentWidget(ui->page_Scene);
    m_strSceneTitle = strWall;
    ui->gbScene->setTitle(strWall);
    ui->cbScenes->clear();
    ui->tbwScene->SetVWMode(false);
    ui->tbwScene->SetCurScene(nullptr);
    m_bSkipShowScene = true;
    const QList<CHOIScene *> layouts = CollectWallLayouts(strWall);
    for (CHOIScene *pScene : layouts)
        AddLayoutEntry(ui->cbScenes, pScene);
    // Nothing consumed the flag; it must not swallow a later change.
    if (layouts.isEmpty())
        m_bSkipShowScene = false;
}

void MainWindow::ShowWallInGrid(const QString &strWall)
{
    CHOIScene *pWall = g_pHOIDevMgr ? g_pHOIDevMgr->FindVideoWallByName(strWall) : nullptr;
    ui->tbwScene->SetVWMode(true);
    ui->tbwScene->SetCurScene(pWall);
}

void MainWindow::slotOnLayoutItemClick(QTreeWidgetItem *pVWItem)
{
    if (!pVWItem)
        return;
    ShowWallLayouts(pVWItem->text(0));
    if (ui->cbScenes->count() == 0) {
        ShowWallInGrid(m_strCurVWName);
        return;
    }
    for (int i = 0; i < ui->cbScenes->count(); ++i) {
        CHOIScene *pScene = EntryScene(i);
        if (pScene && pScene->IsDefault()) {
            slotShowScene(pScene);
            ui->cbScenes->setCurrentIndex(i);
            return;
        }
    }
    if (CHOIScene *pFirst = EntryScene(0)) {
        slotShowScene(pFirst);
        pFirst->SetDefault(true);
    }
}

void MainWindow::slotOnLayoutItemClick(CHOIScene *pScene)
{
    if (!pScene)
        return;
    ui->sw_rigthFace->setCurrentWidget(ui->page_Scene);
    const int nEntry = ui->cbScenes->findText(pScene->GetName());
    if (nEntry >= 0)
        ui->cbScenes->setCurrentIndex(nEntry);
    slotShowScene(pScene);
    m_strSceneTitle = pScene->GetName();
    ui->gbScene->setTitle(m_strSceneTitle);
    m_strCurVWName = CHOIScene::GetSceneNamePrefix(pScene->GetName());
    m_pCurVW = g_pHOIDevMgr ? g_pHOIDevMgr->FindVideoWallByName(m_strCurVWName) : nullptr;
    m_strCurGroup = pScene->GetGroup();
}

void MainWindow::slotOnDevClickGroupRx(CHOIDev *pDev)
{
    m_pCurDev = pDev;
    if (!pDev || pDev->GetGroup().isEmpty() || !pDev->GetVideoWall())
        return;
    ShowWallLayouts(CHOIScene::GetSceneNamePrefix(pDev->GetVideoWall()->GetName()));
    if (ui->cbScenes->count() == 0) {
        ShowWallInGrid(m_strCurVWName);
        return;
    }
    bool bDefaultFound = false;
    for (int i = 0; i < ui->cbScenes->count(); ++i) {
        CHOIScene *pScene = EntryScene(i);
        if (pScene && pScene->IsDefault()) {
            slotShowScene(pScene);
            ui->cbScenes->setCurrentIndex(i);
            bDefaultFound = true;
        }
    }
    if (!bDefaultFound) {
        if (CHOIScene *pFirst = EntryScene(0)) {
            slotShowScene(pFirst);
            pFirst->SetDefault(true);
        }
    }
}

void MainWindow::slotOnDevClick(CHOIDev *pDev)
{
    m_pCurDev = pDev;
    if (!pDev)
        return;
    CHOIScene *pWall = pDev->GetVideoWall();
    if (!pWall) {
        if (pDev->GetGroup().isEmpty())
            return;
        ClearGroupTiles();
        ui->sw_rigthFace->setCurrentWidget(ui->page_Dev);
        CFormDevice *pTile = new CFormDevice(pDev, ui->groupBox_4);
        pTile->slotIsAutoAppy(ui->checkBox_Auto->isChecked());
        connect(ui->checkBox_Auto, &QCheckBox::toggled, pTile, &CFormDevice::slotIsAutoAppy);
        connect(this, &MainWindow::signalApplyToAllSceen, pTile, &CFormDevice::Apply);
        ui->gridLayout_Dev->addWidget(pTile, 0, 0);
        m_groupTiles.append(pTile);
        return;
    }
    ShowWallLayouts(CHOIScene::GetSceneNamePrefix(pWall->GetName()));
    if (CHOIScene *pFirst = EntryScene(0)) {
        ui->cbScenes->setCurrentIndex(0);
        slotShowScene(pFirst);
    }
    // Only the first default layout of the list stays default.
    bool bDefaultSeen = false;
    for (int i = 0; i < ui->cbScenes->count(); ++i) {
        CHOIScene *pScene = EntryScene(i);
        if (!pScene || !pScene->IsDefault())
            continue;
        if (bDefaultSeen)
            pScene->SetDefault(false);
        bDefaultSeen = true;
    }
}

void MainWindow::slotOnVWItemClick(QTreeWidgetItem *pVWItem)
{
    if (!pVWItem)
        return;
    ui->sw_rigthFace->setCurrentWidget(ui->page_VW);
    m_strVWTitle = pVWItem->text(0);
    ui->groupBox_3->setTitle(m_strVWTitle);
    CHOIScene *pWall = g_pHOIDevMgr ? g_pHOIDevMgr->FindVideoWallByName(pVWItem->text(0)) : nullptr;
    if (!pWall)
        return;
    ui->gvVW->SetCurScene(pWall);
    m_pCurVW = pWall;
    m_strCurGroup = pWall->GetGroup();
}

void MainWindow::slotShowVWScene(CHOIScene *pVW)
{
    if (!pVW)
        return;
    ui->tbwScene->SetVWMode(true);
    ui->tbwScene->SetCurScene(pVW);
}

void MainWindow::slotOnDeleteVWItemClick()
{
    ui->cbScenes->clear();
    ui->tbwScene->SetVWMode(false);
    ui->tbwScene->SetCurScene(nullptr);
}

void MainWindow::slotVWNameChange(QString strVWName)
{
    m_strCurVWName = strVWName;
    m_strSceneTitle = strVWName;
    ui->gbScene->setTitle(strVWName);
}

void MainWindow::slotGroupNameChange(QString strGroupName)
{
    m_strCurGroup = strGroupName;
    m_strGroupTitle = strGroupName;
    ui->groupBox_2->setTitle(GroupDisplayName(strGroupName));
}

void MainWindow::slotGroupRemoved(const QString &strGroupName)
{
    // The page would keep offering the commands of a group that is gone;
    // it shows "ungrouped", where the group's members went.
    if (ui->sw_rigthFace->currentWidget() != ui->page_Group || strGroupName != m_strCurGroup)
        return;
    if (QTreeWidgetItem *pItem = ui->wgDevFrame_GroupRx->FindGroupItem(g_strUngrouped))
        slotDevFrame(pItem);
}

// ---- refreshing the group page ----

void MainWindow::slotListToGroupTXDev()
{
    if (ui->sw_rigthFace->currentWidget() != ui->page_Group)
        return;
    if (QTreeWidgetItem *pItem = ui->wgDevFrame_GroupRx->FindGroupItem(m_strCurGroup))
        slotDevFrame(pItem);
}

void MainWindow::slotOnGroupItemClickforAliasModify(QTreeWidgetItem *pGroupItem)
{
    if (ui->sw_rigthFace->currentWidget() == ui->page_Group && pGroupItem
        && pGroupItem->text(0) == m_strCurGroup)
        slotDevFrame(pGroupItem);
}

void MainWindow::slotTXDevChangedName(CHOIDev *pCurDev)
{
    if (ui->sw_rigthFace->currentWidget() != ui->page_Group || !pCurDev
        || pCurDev->GetDevType() != CHOIDev::E_DT_TX)
        return;
    QTreeWidgetItem *pGroupItem = ui->wgDevFrame_GroupRx->FindGroupItem(m_strCurGroup);
    if (!pGroupItem)
        return;
    bool bFound = false;
    for (int i = 0; i < pGroupItem->childCount(); ++i) {
        CHOIDev *pRx = GroupItemDev(pGroupItem->child(i));
        if (pRx && pRx->GetTXDev() == pCurDev) {
            pRx->SetTXDev(pCurDev);
            bFound = true;
        }
    }
    if (bFound)
        slotDevFrame(pGroupItem);
}

void MainWindow::slotOnDevNameChanged(CHOIDev *pCurDev)
{
    CHOIScene *pShown = ui->tbwScene->GetCurScene();
    if (pCurDev && GetCurScene() && pShown) {
        const QSignalBlocker blocker(ui->tbwScene->scene());
        const CHOIDev::DevType eType = pCurDev->GetDevType();
        for (int nRow = 0; nRow < pShown->GetRowCount(); ++nRow) {
            for (int nCol = 0; nCol < pShown->GetColCount(); ++nCol) {
                const T_SceneCell *pCell = pShown->CellAt(nRow, nCol);
                if (!pCell)
                    continue;
                bool bShows = false;
                if (eType == CHOIDev::E_DT_TX)
                    bShows = pCell->txList.contains(pCurDev);
                else if (eType == CHOIDev::E_DT_RX)
                    bShows = pCell->rx == pCurDev;
                else if (eType == CHOIDev::E_DT_WP)
                    bShows = pCell->wall && pCell->wall->dev_hostname == pCurDev->GetHostName();
                if (!bShows)
                    continue;
                if (CGpCellItem *pItem = ui->tbwScene->CellItem(nRow, nCol))
                    pItem->update();
            }
        }
    }
    if (pCurDev && m_pInfoDock->GetCurDev() == pCurDev)
        m_pInfoDock->slotShowDevDetail(pCurDev);
}

void MainWindow::on_pbChangeRXGroupOrList()
{
    ui->sw_RXToGroupOrList->setCurrentIndex(ui->sw_RXToGroupOrList->currentIndex() == 0 ? 1 : 0);
}

void MainWindow::on_pbEditDev_clicked()
{
    CDlgDevEdit dlg(m_pCurDev.data(), this);
    connect(&dlg, &CDlgDevEdit::onDevChanged, ui->wgDevFrame_GroupRx, &CFormGroupList::slotDevChanged);
    dlg.exec();
}

void MainWindow::on_pbDeleteDev_clicked()
{
    // The deletion runs through the navigation tree's own slot.
}

// ---- group and video wall buttons ----
// The navigation tree carries out each command, as for its own menu.

void MainWindow::on_pbCreateGroup_clicked()
{
    ui->wgDevFrame_GroupRx->CreateGroup(nullptr);
}

void MainWindow::on_pbEditGroup_clicked()
{
    // The page follows the new name through signalGroupNameChange.
    ui->wgDevFrame_GroupRx->EditGroup(m_strCurGroup, nullptr);
}

void MainWindow::on_pbDeleteGroup_clicked()
{
    ui->wgDevFrame_GroupRx->DeleteGroup(m_strCurGroup, this);
}

void MainWindow::on_pbGreateVW_clicked()
{
    ui->wgDevFrame_GroupRx->CreateVideoWall(m_strCurGroup, nullptr);
}

void MainWindow::on_pbEditVW_clicked()
{
    CHOIScene *pWall = m_pCurVW.data();
    if (!ui->wgDevFrame_GroupRx->EditVideoWall(pWall, nullptr) || !m_pCurVW)
        return;
    m_strCurGroup = pWall->GetGroup();
    m_strVWTitle = pWall->GetName();
    ui->groupBox_3->setTitle(m_strVWTitle);
}

void MainWindow::on_pbDeleteVW_clicked()
{
    CHOIScene *pWall = m_pCurVW.data();
    if (!ui->wgDevFrame_GroupRx->DeleteVideoWall(pWall, this))
        return;
    // Taken out of the manager, the wall must not stay on the wall page.
    ui->gvVW->SetCurScene(nullptr);
}
