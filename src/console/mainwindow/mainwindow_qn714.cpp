// The IP controller: its combo box, and moving the project to and from it.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QMessageBox>

#include "hoi_core/appservices.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "navtree/formgrouplist.h"
#include "upload/dlghttpmanage.h"
#include "uiservices.h"

QString MainWindow::GetCurDevIPAddr() const
{
    QTreeWidgetItem *pItem = ui->wgDevFrame->GetCurrentItem();
    if (!pItem || !g_pHOIDevMgr)
        return QString();
    CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
    if (!pDev)
        return QString();
    // The row's device is used only while the manager still lists it.
    const bool bListed = g_pHOIDevMgr->GetDevList().contains(pDev);
    bool bController = false;
    for (int i = 0; !bListed && i < g_pHOIDevMgr->GetQN714Count(); ++i)
        bController = g_pHOIDevMgr->GetQN714Dev(i) == pDev;
    return bListed || bController ? pDev->GetIPAddr() : QString();
}

void MainWindow::slotRefreshQN714ComoboBox()
{
    const QString strCurrent = ui->cbCurrQN714->currentText();
    ui->cbCurrQN714->clear();
    if (g_pHOIDevMgr) {
        for (int i = 0; i < g_pHOIDevMgr->GetQN714Count(); ++i)
            ui->cbCurrQN714->addItem(g_pHOIDevMgr->GetQN714Dev(i)->GetDisplayName());
    }
    ui->cbCurrQN714->setCurrentIndex(ui->cbCurrQN714->findText(strCurrent));
}

void MainWindow::slotOnFoundQN714(CHOIDev *pQN714)
{
    ui->cbCurrQN714->clear();
    if (pQN714)
        ui->cbCurrQN714->addItem(pQN714->GetHostName());
}

void MainWindow::on_pbQN714Upload_clicked()
{
    UploadToQN714();
}

void MainWindow::on_pbQN714Download_clicked()
{
    DownloadFromQN714();
}

void MainWindow::UploadToQN714()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    pMgr->m_mapLayoutWithoutRx.clear();
    ui->wgDevFrame_GroupRx->slotUpdateSeq();
    const QString path = DocumentsDir() + QStringLiteral("SystemConfig.hoi");
    QFile file(path);
    if (!pMgr->ExportDevInfoFile(path)) {
        ShowMessageBox(QMessageBox::Information, this, tr("Upload"), tr("Upload Failed."), QMessageBox::Ok,
                       QMessageBox::NoButton);
        return;
    }
    if (!pMgr->m_mapLayoutWithoutRx.isEmpty()) {
        QString strLayouts;
        for (auto it = pMgr->m_mapLayoutWithoutRx.constBegin(); it != pMgr->m_mapLayoutWithoutRx.constEnd(); ++it)
            strLayouts += it.value() + QLatin1Char('_') + it.key() + QStringLiteral("; ");
        MsgCritical(nullptr, QString(), QObject::tr("(%1) does not exist rx.").arg(strLayouts));
        return;
    }
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_UPLOAD, &file, GetCurDevIPAddr(), nullptr);
    dlg.exec();
}

void MainWindow::DownloadFromQN714()
{
    const QString strIP = GetCurDevIPAddr();
    if (strIP.isEmpty()) {
        ShowMessageBox(QMessageBox::Information, this, tr("Download"), tr("Current QN714 Address is not found"),
                       QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    QString strFile;
    {
        // Closed and gone before the downloaded project opens.
        CDlgHttpManage dlg(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, strIP, nullptr);
        dlg.exec();
        strFile = dlg.GetFileName();
    }
    if (strFile.isEmpty()) {
        ShowMessageBox(QMessageBox::Information, this, tr("Download"), tr("Download error."), QMessageBox::Ok,
                       QMessageBox::NoButton);
        return;
    }
    OpenProject(strFile, true);
}

void MainWindow::slotQN714Operate(CFrameDevList::E_QN714Operate oper)
{
    QString strText;
    if (oper == CFrameDevList::E_QO_UPLOAD)
        strText = tr("Uploading this file will overwrite the existing file. Are you sure you wish to continue?");
    else if (oper == CFrameDevList::E_QO_DOWNLOAD)
        strText = tr("Downloaded file will overwrite this project file, Are you sure you wish to continue?");
    else
        return;
    if (MsgWarning(this, tr("warning"), strText, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;
    if (oper == CFrameDevList::E_QO_UPLOAD)
        UploadToQN714();
    else
        DownloadFromQN714();
}
