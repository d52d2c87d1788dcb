// Project files: new, open, save, save as, the exports and the aliases.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDir>

#include "hoi_core/hoidevmgr.h"
#include "mainwindow/dlgchooseexpend.h"
#include "navtree/formgrouplist.h"
#include "uiservices.h"

void MainWindow::RenumberTree()
{
    // The stored sequence numbers follow the tree before anything is written.
    ui->wgDevFrame_GroupRx->slotUpdateSeq();
}

void MainWindow::RefreshPanels()
{
    ui->wgDevFrame->slotRefreshDeives();
    ui->wgDevFrame_ListRX->slotRefreshDeives();
    ui->wgDevFrame_GroupRx->slotRefreshDeives();
    {
        const QSignalBlocker blocker(ui->cbScenes);
        ui->cbScenes->clear();
    }
    ShowSceneToolTip();
    ui->tbwScene->SetVWMode(false);
    ui->tbwScene->SetCurScene(nullptr);
    slotRefreshQN714ComoboBox();
}

// Empties the views and the manager (with its found-device table).
void MainWindow::ResetProjectViews()
{
    ui->gvVW->SetCurScene(nullptr);
    ClearGroupTiles();
    ClearAllTiles();
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->ClearAll();
    RefreshPanels();
}

void MainWindow::slotNew()
{
    if (MsgQuestion(this, QString(),
                    tr("A new project file will be established,please make sure the current work has "
                       "been saved.\r\n\r\nDo you want to continue?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    ResetProjectViews();
    ui->wgDevFrame_GroupRx->SelectRootItem();
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->m_strCurFilePath.clear();
}

void MainWindow::slotImport()
{
    if (!g_pHOIDevMgr)
        return;
    const QString path = GetOpenFileName(this, tr("Import"), g_pHOIDevMgr->GetDefaultFilePath(),
                                         tr("DevInfo file (*.hoi)"));
    if (path.isEmpty())
        return;
    OpenProject(path, false);
}

QString MainWindow::SaveTargetPath() const
{
    return (g_pHOIDevMgr && m_bCurPathInUse) ? g_pHOIDevMgr->GetCurFilePath() : QString();
}

QString MainWindow::AskProjectPath(const QString &strCaption)
{
    return GetSaveFileName(this, strCaption, g_pHOIDevMgr->GetDefaultFilePath(), tr("Devinfo file (*.hoi)"));
}

bool MainWindow::OpenProject(const QString &path, bool bQuiet)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return false;
    const QString strFailure =
        tr("Failed to open '%1': the file cannot be read or is not a project file.")
            .arg(QDir::toNativeSeparators(path));
    // Checked before anything is emptied: a damaged file costs the operator
    // nothing of the project now open.
    if (!CHOIDevMgr::CheckDevInfoFile(path)) {
        MsgCritical(this, QString(), strFailure);
        return false;
    }

    ResetProjectViews();
    pMgr->m_strCurFilePath = path;
    const bool bLoaded = pMgr->ImportDevInfoFile(path);
    // A file that still failed to load is not written over without asking:
    // the (now empty) project would replace it.
    m_bCurPathInUse = bLoaded;
    if (bLoaded) {
        RefreshPanels();
        const bool bKnown = !pMgr->HasUnknownDevice();
        if (!bKnown)
            MsgInformation(nullptr, QString(), tr("Contains unknown device type,opration disabled."));
        else if (!bQuiet)
            MsgInformation(this, QString(), tr("Imported successfully."));
        SetFeatureActions(bKnown);
        ui->gbScene->setEnabled(bKnown);
        pMgr->InitMrxLayouts();
        pMgr->LoadIpcConfig();
    } else {
        MsgCritical(this, QString(), strFailure);
    }
    ui->wgDevFrame_GroupRx->SelectRootItem();
    return bLoaded;
}

void MainWindow::slotSave()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    RenumberTree();
    QString path = SaveTargetPath();
    if (path.isEmpty()) {
        path = AskProjectPath(tr("Save as"));
        if (path.isEmpty())
            return;
    }
    if (SaveProjectTo(path))
        MsgInformation(this, QString(), tr("Save successfully."));
    else
        MsgCritical(this, QString(), tr("Save failure."));
}

bool MainWindow::SaveProjectTo(const QString &path)
{
    if (!g_pHOIDevMgr->ExportDevInfoFile(path))
        return false;
    // Only a written file becomes the project's path: a path that cannot be
    // written would fail every later Save without asking, and be offered at
    // the next start.
    g_pHOIDevMgr->m_strCurFilePath = path;
    m_bCurPathInUse = true;
    return true;
}

bool MainWindow::slotSaveas()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return false;
    RenumberTree();
    const QString path = AskProjectPath(tr("Save as"));
    if (path.isEmpty())
        return false;
    const bool bSaved = SaveProjectTo(path);
    if (bSaved)
        MsgInformation(this, QString(), tr("Save as successfully."));
    else
        MsgCritical(this, QString(), tr("Save as failure."));
    return bSaved;
}

void MainWindow::slotExportSummaryFile()
{
    if (!g_pHOIDevMgr)
        return;
    RenumberTree();
    const QString path = GetSaveFileName(this, tr("Export to summary.txt file"), QStringLiteral("summary.txt"),
                                         tr("Sceneinfo file (*.txt)"));
    if (path.isEmpty())
        return;
    TellExported(g_pHOIDevMgr->ExportSceneInfoFile(path));
}

void MainWindow::slotExport()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    RenumberTree();
    bool bSummary = false;
    {
        CDlgChooseExpend dlg(nullptr);
        if (dlg.exec() != QDialog::Accepted)
            return;
        bSummary = dlg.IsSummaryFile();
    }
    bool bExported = false;
    if (bSummary) {
        const QString path =
            GetSaveFileName(this, tr("Export"), QStringLiteral("summary.txt"), tr("Sceneinfo file (*.txt)"));
        if (path.isEmpty())
            return;
        bExported = pMgr->ExportSceneInfoFile(path);
    } else {
        const QString path = AskProjectPath(tr("Export"));
        if (path.isEmpty())
            return;
        bExported = pMgr->ExportDevInfoFile(path);
    }
    TellExported(bExported);
}

void MainWindow::TellExported(bool bExported)
{
    if (bExported)
        MsgInformation(this, QString(), tr("Exported successfully."));
    else
        MsgCritical(this, QString(), tr("Failed to export."));
}

void MainWindow::slotSaveSlaistoTxRX()
{
    if (!g_pHOIDevMgr)
        return;
    if (MsgQuestion(this, QString(), tr("Are you sure you want to save alias to devices?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes)
        g_pHOIDevMgr->SaveAliasToTxRx();
}
