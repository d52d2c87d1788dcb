// CDlgBatch: the EDID page and the Audio page.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "batch/edidhex.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"

namespace {

// The model that takes its audio delay as "delay-play".
const QLatin1String kDelayPlayModel("VRX0350");

QString EdidFileOfItem(const QString &strItem)
{
    return EdidDirPath() + QLatin1Char('/') + strItem + QStringLiteral(".bin");
}

} // namespace

// ---------------------------------------------------------------------------
// EDID page

void CDlgBatch::FillEdidList()
{
    const QStringList files =
        QDir(EdidDirPath()).entryList(QStringList() << QStringLiteral("*.bin"), QDir::Files,
                                      QDir::Name | QDir::IgnoreCase);
    // Filled quietly: the first file is loaded below, once.
    ui->cbEDIDSet->blockSignals(true);
    ui->cbEDIDSet->clear();
    for (const QString &strFile : files) {
        const int nPos = strFile.indexOf(QLatin1String(".bin"));
        const QString strItem = nPos >= 0 ? strFile.left(nPos) : strFile;
        ui->cbEDIDSet->addItem(strItem, strItem);
    }
    ui->cbEDIDSet->addItem(tr("Upload..."));
    ui->cbEDIDSet->blockSignals(false);

    if (files.isEmpty()) {
        ui->pbUplaodEDIDFile->setEnabled(true);
        ui->teEDIDInfo->clear();
        ui->pbEdidSet_apply->setEnabled(false);
        return;
    }
    ui->pbUplaodEDIDFile->setEnabled(false);
    ui->cbEDIDSet->setCurrentIndex(0);
    LoadEdidFile(EdidFileOfItem(ui->cbEDIDSet->itemText(0)), true);
}

void CDlgBatch::on_cbEDIDSet_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (index == ui->cbEDIDSet->count() - 1) {
        ui->pbUplaodEDIDFile->setEnabled(true);
        ui->teEDIDInfo->clear();
        ui->pbEdidSet_apply->setEnabled(false);
        return;
    }
    ui->pbUplaodEDIDFile->setEnabled(false);
    ui->leEDIDFileName->clear();
    LoadEdidFile(EdidFileOfItem(ui->cbEDIDSet->itemText(index)), true);
}

void CDlgBatch::LoadEdidFile(const QString &strPath, bool bFromList)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!bFromList) {
            ui->teEDIDInfo->clear();
            ui->pbEdidSet_apply->setEnabled(false);
        }
        return;
    }
    const QByteArray bytes = file.read(E_EDID_READ_MAX);
    ui->teEDIDInfo->clear();
    ui->teEDIDInfo->setPlainText(EdidRawHex(bytes));
    ShowEdidText();
    if (!bFromList)
        ui->pbEdidSet_apply->setEnabled(true);
}

void CDlgBatch::on_pbUplaodEDIDFile_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Open File"), QCoreApplication::applicationDirPath(),
                                            tr("(*.bin)"));
    ui->leEDIDFileName->setText(strPath);
    if (strPath.isEmpty()) {
        ui->teEDIDInfo->clear();
        ui->pbEdidSet_apply->setEnabled(false);
        return;
    }
    LoadEdidFile(strPath, false);
}

void CDlgBatch::ShowEdidText()
{
    const QString strText = ui->teEDIDInfo->toPlainText();
    if (!IsValidEdidHeader(strText)) {
        ShowMessageBox(QMessageBox::NoIcon, this, tr("EDID Setting"), tr("Invalid EDID !"), QMessageBox::Ok,
                       QMessageBox::NoButton);
        ui->teEDIDInfo->clear();
        return;
    }
    m_strEdid = EdidSendText(strText);
    ui->teEDIDInfo->clear();
    ui->teEDIDInfo->setPlainText(EdidDisplayText(strText));
}

void CDlgBatch::on_pbEdidSet_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_EDID, devs))
        return;
    // An empty text would blank the device's EEPROM.
    if (m_strEdid.isEmpty()) {
        RefuseBatch(tr("Invalid EDID !"));
        return;
    }
    const QByteArray line =
        tr("echo \"%1\" > /sys/devices/platform/videoip/eeprom_content").arg(m_strEdid).toUtf8();
    ApplyToDevs(E_BP_EDID, devs,
                [&](CHOIDev *pDev) { return pDev->PushSendData(line.constData(), true, false); });
    FinishBatch(E_BP_EDID, devs.size());
}

// ---------------------------------------------------------------------------
// Audio page

void CDlgBatch::on_pushButtonOK_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_AUDIO, devs))
        return;
    // The upload round of the Image page keeps its own device list, so its
    // late answers are still counted against it.
    const QString strValue = ui->lineEdit->text();
    ApplyToDevs(E_BP_AUDIO, devs, [&](CHOIDev *pDev) {
        const T_ProdIdInfo *pProd = g_pDevMgr ? g_pDevMgr->GetProdIdInfo(pDev) : nullptr;
        if (pProd && pProd->id == kDelayPlayModel)
            return pDev->ApplyDelayPlay(strValue);
        return pDev->ApplyAudioDelay(strValue);
    });
    FinishBatch(E_BP_AUDIO, devs.size());
}
