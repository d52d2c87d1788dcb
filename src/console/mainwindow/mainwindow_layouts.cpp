// The layout page: the layout list of the current video wall, its status,
// create, edit, remove, sort, default and auto-apply, and applying a layout.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QPixmap>
#include <QTimer>

#include "dialogs/dlgranklayout.h"
#include "dialogs/dlgsceneedit.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "navtree/formgrouplist.h"
#include "navtree/groupwidget.h"
#include "tiles/formdevice.h"
#include "uiservices.h"

namespace {

const int kStatusIconSize = 16;

} // namespace

CHOIScene *MainWindow::GetCurScene() const
{
    return EntryScene(ui->cbScenes->currentIndex());
}

CHOIScene *MainWindow::EntryScene(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ui->cbScenes->count() || !g_pHOIDevMgr)
        return nullptr;
    CHOIScene *pScene = VariantToScene(ui->cbScenes->itemData(nIndex, Qt::UserRole));
    // Compared by address only: an entry may outlive its layout.
    return g_pHOIDevMgr->GetSceneList().contains(pScene) ? pScene : nullptr;
}

QComboBox *MainWindow::GetSceneComboBox() const
{
    return ui->cbScenes;
}

int MainWindow::FindSceneEntry(CHOIScene *pScene) const
{
    for (int i = 0; i < ui->cbScenes->count(); ++i) {
        if (VariantToScene(ui->cbScenes->itemData(i, Qt::UserRole)) == pScene)
            return i;
    }
    return -1;
}

// The layouts of one wall in the manager's order, sorted by their sequence
// numbers (a later layout with a strictly smaller number moves forward, so
// equal numbers keep their order) and renumbered from 1.
QList<CHOIScene *> MainWindow::CollectWallLayouts(const QString &strWall) const
{
    QList<CHOIScene *> layouts;
    if (!g_pHOIDevMgr)
        return layouts;
    for (int i = 0; i < g_pHOIDevMgr->GetSceneCount(); ++i) {
        CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
        if (CHOIScene::GetSceneNamePrefix(pScene->GetName()) == strWall)
            layouts.append(pScene);
    }
    for (int i = 0; i < layouts.size(); ++i) {
        for (int j = i + 1; j < layouts.size(); ++j) {
            if (layouts.at(j)->GetLayoutSeq() < layouts.at(i)->GetLayoutSeq())
                layouts.move(j, i);
        }
    }
    for (int i = 0; i < layouts.size(); ++i)
        layouts.at(i)->SetLayoutSeq(i + 1);
    return layouts;
}

void MainWindow::RenumberLayoutSeq()
{
    for (int i = 0; i < ui->cbScenes->count(); ++i) {
        if (CHOIScene *pScene = EntryScene(i))
            pScene->SetLayoutSeq(i + 1);
    }
}

void MainWindow::slotApplyScene()
{
    CHOIScene *pScene = GetCurScene();
    if (!pScene)
        return;
    SetBusyState(true);
    SetApplyingScene(pScene);
    if (pScene->Apply(1)) {
        ui->wgDevFrame->slotRefreshDeives();
        ui->wgDevFrame_ListRX->slotRefreshDeives();
    } else {
        SetApplyingScene(nullptr);
        // A refused apply reports its failure before it returns; should it
        // not, the window must not stay locked.
        if (m_bBusy)
            SetBusyState(false);
    }
}

void MainWindow::SetApplyingScene(CHOIScene *pScene)
{
    if (m_pApplyingScene)
        disconnect(m_pApplyingScene, &QObject::destroyed, this, &MainWindow::slotOnApplyingSceneGone);
    m_pApplyingScene = pScene;
    if (pScene)
        connect(pScene, &QObject::destroyed, this, &MainWindow::slotOnApplyingSceneGone);
}

void MainWindow::slotOnApplyingSceneGone()
{
    // Deleted before its status report: no report will end the busy state.
    const bool bWorking = IsAnyLayoutApplying();
    ui->progressBar->setVisible(bWorking);
    SetBusyState(bWorking);
}

QList<const CHOIScene *> MainWindow::ApplyingLayouts() const
{
    // Several layouts apply at once from the tiles of a page (and a schedule
    // may start one beside them): the manager's, the walls' and the tiles'.
    QList<const CHOIScene *> layouts;
    auto take = [&layouts](const CHOIScene *pScene) {
        if (pScene && pScene->IsApplying())
            layouts.append(pScene);
    };
    if (const CHOIDevMgr *pMgr = g_pHOIDevMgr) {
        for (int i = 0; i < pMgr->GetSceneCount(); ++i)
            take(pMgr->GetScene(i));
        for (int i = 0; i < pMgr->GetVideoWallCount(); ++i)
            take(pMgr->GetVideoWall(i));
    }
    const QList<CFormDevice *> tiles = findChildren<CFormDevice *>();
    for (const CFormDevice *pTile : tiles)
        take(pTile->GetScene());
    return layouts;
}

bool MainWindow::IsAnyLayoutApplying(const CHOIScene *pExcept) const
{
    // The first to end must not free the window.
    const QList<const CHOIScene *> layouts = ApplyingLayouts();
    for (const CHOIScene *pScene : layouts) {
        if (pScene != pExcept)
            return true;
    }
    return false;
}

int MainWindow::LayoutsProgress()
{
    // Every layout applying in this busy time keeps its share of the bar:
    // what it has counted against its total, as its own report (the devices
    // of its kept wall steps are in the total before they are waited for);
    // one that has ended counts whole, so the bar neither reads 100 % while
    // the others still wait nor falls back when one ends. The layouts are
    // known by address only; an ended one may be gone.
    for (auto it = m_applyShares.begin(); it != m_applyShares.end(); ++it)
        it->first = it->second;
    const QList<const CHOIScene *> applying = ApplyingLayouts();
    for (const CHOIScene *pScene : applying) {
        const int nCounted = pScene->GetCountedDevs();
        // While a step still queues, the total is not fixed yet.
        const int nTotal = qMax(pScene->GetPendingTotal(), nCounted + pScene->GetPendingDevCount());
        m_applyShares.insert(pScene, qMakePair(nCounted, nTotal));
    }
    int nDone = 0;
    int nTotal = 0;
    for (const QPair<int, int> &share : qAsConst(m_applyShares)) {
        nDone += share.first;
        nTotal += share.second;
    }
    return nTotal > 0 ? nDone * 100 / nTotal : -1;
}

void MainWindow::slotOnOneKeyDropped()
{
    if (IsAnyLayoutApplying())
        SetBusyState(true);
}

void MainWindow::slotOnSceneStatusChange(CHOIScene *pScene, E_SceneStatus eStatus)
{
    if (pScene && pScene == m_pApplyingScene && int(eStatus) != 4)
        SetApplyingScene(nullptr);
    if (!pScene || pScene != GetCurScene())
        return;
    if (int(eStatus) == 4) {
        slotShowScene(pScene);
        return;
    }
    // From the event loop: a failed layout aborts right after this report,
    // and a box open inside it would let the apply run on meanwhile. The
    // mode is read now, as the abort clears it.
    if (eStatus == E_SS_FAILED && pScene->GetApplyMode() == 1)
        QTimer::singleShot(0, this, [] { MsgCritical(nullptr, QString(), tr("Failed to apply.")); });

    QString strText;
    const QIcon icon = LayoutStatusInfo(pScene, eStatus, strText);
    ui->lbSceneStatus->setText(strText);
    ui->lbSceneStatusIcon->setPixmap(icon.pixmap(kStatusIconSize, kStatusIconSize));
    const int nEntry = FindSceneEntry(pScene);
    if (nEntry >= 0)
        ui->cbScenes->setItemIcon(nEntry, icon);
    ShowSceneToolTip();

    // The reporting layout has ended; others may not have.
    SetBusyState(m_pApplyingScene || IsAnyLayoutApplying(pScene));
}

void MainWindow::slotShowScene(CHOIScene *pHoiScene)
{
    ShowSceneToolTip();
    ui->tbwScene->SetVWMode(false);
    ui->tbwScene->SetCurScene(pHoiScene);
    if (!pHoiScene)
        return;
    QString strText;
    const QIcon icon = SceneStatusInfo(pHoiScene->GetLastStatus(), strText);
    ui->lbSceneStatus->setText(strText);
    ui->lbSceneStatusIcon->setPixmap(icon.pixmap(kStatusIconSize, kStatusIconSize));
    const QSignalBlocker blocker(ui->cbAutoApply);
    ui->cbAutoApply->setChecked(pHoiScene->IsAutoApply());
}

void MainWindow::ShowSceneToolTip()
{
    // The status of the layout the list shows, never that of another one.
    QString strText;
    if (CHOIScene *pScene = GetCurScene())
        LayoutStatusInfo(pScene, pScene->GetLastStatus(), strText);
    ui->cbScenes->setToolTip(strText);
}

void MainWindow::slotShowCurrentScene()
{
    ShowSceneToolTip();
    if (ui->cbScenes->currentIndex() < 0)
        return;
    if (m_bSkipShowScene) {
        m_bSkipShowScene = false;
        return;
    }
    CHOIScene *pScene = GetCurScene();
    if (!pScene)
        return;
    if (!pScene->IsDefault())
        pScene->SetDefault(true);
    slotShowScene(pScene);
    if (!g_pHOIDevMgr)
        return;
    for (int i = 0; i < g_pHOIDevMgr->GetSceneCount(); ++i) {
        CHOIScene *pOther = g_pHOIDevMgr->GetScene(i);
        if (pOther != pScene && CHOIScene::GetSceneNamePrefix(pOther->GetName()) == m_strCurVWName)
            pOther->SetDefault(false);
    }
}

void MainWindow::slotRefreshSceneComoboBox()
{
    CHOIScene *pCurrent = GetCurScene();
    bool bCurrentFound = false;
    {
        const QSignalBlocker blocker(ui->cbScenes);
        ui->cbScenes->clear();
        m_bSkipShowScene = true;
        const QList<CHOIScene *> layouts = CollectWallLayouts(m_strCurVWName);
        for (CHOIScene *pScene : layouts) {
            AddLayoutEntry(ui->cbScenes, pScene);
            if (pScene == pCurrent) {
                ui->cbScenes->setCurrentIndex(ui->cbScenes->count() - 1);
                bCurrentFound = true;
            }
        }
        if (!bCurrentFound && ui->cbScenes->count() > 0)
            ui->cbScenes->setCurrentIndex(0);
    }
    slotShowCurrentScene();
    // An empty list consumes nothing; the flag must not swallow a later change.
    if (ui->cbScenes->count() == 0)
        m_bSkipShowScene = false;
}

void MainWindow::slotAddScene()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    CHOIScene *pWall = nullptr;
    if (QTreeWidgetItem *pItem = ui->wgDevFrame_GroupRx->GetCurrentItem()) {
        pWall = pMgr->FindVideoWallByName(pItem->text(0));
        if (pWall)
            m_strCurVWName = pItem->text(0);
    }
    if (!pWall)
        pWall = pMgr->FindVideoWallByName(m_strCurVWName);
    if (!pWall)
        return;

    CHOIScene *pRelated = nullptr;
    for (int i = 0; i < pMgr->GetSceneCount(); ++i) {
        CHOIScene *pScene = pMgr->GetScene(i);
        if (CHOIScene::GetSceneNamePrefix(pScene->GetName()) != pWall->GetName())
            continue;
        pScene->SetDefault(false);
        pRelated = pScene;
    }

    CHOIScene *pNew = nullptr;
    {
        CDlgSceneEdit dlg(nullptr, pRelated, nullptr);
        dlg.SetVideoWall(pWall);
        if (dlg.exec() != QDialog::Accepted || !dlg.GetScene()) {
            slotShowCurrentScene();
            return;
        }
        pNew = dlg.GetScene();
    }

    pNew->SetLayoutSeq(ui->cbScenes->count() + 1);
    {
        const QSignalBlocker blocker(ui->cbScenes);
        m_bSkipShowScene = true;
        AddLayoutEntry(ui->cbScenes, pNew);
        ui->cbScenes->setCurrentIndex(ui->cbScenes->count() - 1);
    }
    pNew->CopyCellsFrom(pRelated ? pRelated : pWall, pWall->GetRowCount(), pWall->GetColCount());
    pNew->SetDefault(true);
    slotShowScene(pNew);
    m_bSkipShowScene = false;
}

void MainWindow::slotModifyScene()
{
    CHOIScene *pScene = GetCurScene();
    if (!pScene)
        return;
    QTreeWidgetItem *pItem = ui->wgDevFrame_GroupRx->FindSceneItem(pScene);
    CDlgSceneEdit dlg(pScene, nullptr, nullptr);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // A scheduled apply may have chosen another entry while the dialog was
    // open: the name goes to the layout edited, wherever it is listed.
    const int nEntry = FindSceneEntry(pScene);
    if (nEntry >= 0)
        ui->cbScenes->setItemText(nEntry, CHOIScene::GetSceneNameSuffix(pScene->GetName()));
    slotShowCurrentScene();
    if (pItem)
        pItem->setText(0, pScene->GetName());
}

void MainWindow::slotDeleteScene()
{
    CHOIScene *pScene = GetCurScene();
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pScene || !pMgr)
        return;
    if (MsgQuestion(this, QString(), tr("Are you sure you want to delete '%1'?").arg(pScene->GetName()),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;

    if (ui->cbScenes->count() == 1) {
        if (QTreeWidgetItem *pParent = ui->wgDevFrame_GroupRx->FindSceneParentItem(pScene)) {
            if (pParent->childCount() > 0
                && MsgQuestion(this, QString(),
                               tr("The layout is the last one,are you sure you want to delete '%1'?")
                                   .arg(pScene->GetName()),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                       != QMessageBox::Yes)
                return;
            ui->tbwScene->SetVWMode(false);
            ui->tbwScene->SetCurScene(nullptr);
            m_bSkipShowScene = false;
            // The wall keeps what its last layout showed.
            if (CHOIScene *pWall = GroupItemScene(pParent)) {
                pWall->CopyCellsFrom(pScene, pWall->GetRowCount(), pWall->GetColCount());
                slotShowVWScene(pWall);
            }
        }
    }

    const int nEntry = FindSceneEntry(pScene);
    pMgr->DeleteScene(pScene);
    if (nEntry >= 0)
        ui->cbScenes->removeItem(nEntry);
    ui->wgDevFrame_GroupRx->slotUpdateSeq();
    RenumberLayoutSeq();
}

void MainWindow::slotOnAutoApplyCheckChanged()
{
    if (CHOIScene *pScene = GetCurScene())
        pScene->SetAutoApply(ui->cbAutoApply->isChecked());
}

void MainWindow::on_checkBDefLayout_clicked(bool checked)
{
    CHOIScene *pScene = GetCurScene();
    if (!pScene)
        return;
    pScene->SetDefault(checked);
    if (checked) {
        for (int i = 0; i < ui->cbScenes->count(); ++i) {
            CHOIScene *pOther = EntryScene(i);
            if (pOther && pOther != pScene)
                pOther->SetDefault(false);
        }
    } else if (CHOIScene *pFirst = EntryScene(0)) {
        pFirst->SetDefault(true);
    }
}

void MainWindow::on_pbRankLayout_clicked()
{
    CDlgRankLayout dlg(this, ui->cbScenes, nullptr);
    dlg.exec();
}

void MainWindow::on_checkBox_Auto_toggled(bool checked)
{
    emit signalAutoApply(checked);
}

void MainWindow::on_pb_Apply_clicked()
{
    emit signalApplyToAllSceen();
}

void MainWindow::slotOnRestoreScene()
{
    slotRefreshSceneComoboBox();
}

void MainWindow::slotOnScheduleExec(CHOIScene *pScene)
{
    const int nEntry = FindSceneEntry(pScene);
    if (pScene && nEntry >= 0)
        ui->cbScenes->setCurrentIndex(nEntry);
}

void MainWindow::slotOnProgressNotify(E_ProgressNotify eNotify, int nProgress)
{
    // The end of one layout's work is not the end while another still runs.
    // A search reports each device read back: the window is drawn again
    // only when it becomes busy or free, not for every step.
    const bool bWorking = eNotify != E_PN_NONE || IsAnyLayoutApplying();
    const bool bBusy = bWorking || m_pApplyingScene;
    if (bBusy != m_bBusy)
        SetBusyState(bBusy);
    ui->progressBar->setVisible(bWorking);
    // A search shows its own steps; the layouts' reports, the bar of them all.
    const int nLayouts = eNotify == E_PN_SEARCH || !bWorking ? -1 : LayoutsProgress();
    ui->progressBar->setValue(nLayouts >= 0 ? nLayouts : nProgress);
}
