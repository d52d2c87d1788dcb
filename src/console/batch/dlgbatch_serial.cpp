// CDlgBatch: the Serial, Power and Others pages.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/serialformat.h"
#include "hoiwidget/serialtext.h"
#include "settings/dlgserialsetting.h"

// ---------------------------------------------------------------------------
// Port controls

void CDlgBatch::InitSerialCombos()
{
    FillSerialCombos({ui->cmbBaudRate_2, ui->cmbDataBits_2, ui->cmbStopBits_2, ui->cmbParity_2});
    FillSerialCombos({ui->cmbBaudRate_sinkPower, ui->cmbDataBits_sinkPower, ui->cmbStopBits_sinkPower,
                      ui->cmbParity_sinkPower});
}

void CDlgBatch::ReadPortControls(bool bPowerPage, uint &nBaud, uint &nDataBits, char &cParity,
                                 uint &nStopBits) const
{
    const QComboBox *pBaud = bPowerPage ? ui->cmbBaudRate_sinkPower : ui->cmbBaudRate_2;
    const QComboBox *pData = bPowerPage ? ui->cmbDataBits_sinkPower : ui->cmbDataBits_2;
    const QComboBox *pParity = bPowerPage ? ui->cmbParity_sinkPower : ui->cmbParity_2;
    const QComboBox *pStop = bPowerPage ? ui->cmbStopBits_sinkPower : ui->cmbStopBits_2;
    nBaud = pBaud->currentText().toUInt(nullptr, 10);
    nDataBits = pData->currentText().toUInt(nullptr, 10);
    nStopBits = pStop->currentText().toUInt(nullptr, 10);
    cParity = char(pParity->currentData(Qt::UserRole).toInt());
}

QString CDlgBatch::PortSettingText(uint nBaud, uint nDataBits, char cParity, uint nStopBits)
{
    return QStringLiteral("%1-%2%3%4")
        .arg(nBaud)
        .arg(nDataBits)
        .arg(QChar::fromLatin1(cParity))
        .arg(nStopBits);
}

// ---------------------------------------------------------------------------
// Hex entry

void CDlgBatch::slotTextChanged()
{
    FilterHexEntry(ui->edtMsg, ui->chkHexSend->isChecked(), m_bFiltering);
}

void CDlgBatch::slotTextChangedPoweron()
{
    FilterHexEntry(ui->teSinkPower_msgPoweron, ui->chbHex->isChecked(), m_bFiltering);
}

void CDlgBatch::slotTextChangedStandby()
{
    FilterHexEntry(ui->teSinkPower_msgStandby, ui->chbHex->isChecked(), m_bFiltering);
}

void CDlgBatch::on_chkHexSend_clicked(bool checked)
{
    if (checked)
        RemoveBlockUnderCursor(ui->edtMsg);
}

void CDlgBatch::on_chbHex_clicked(bool checked)
{
    if (!checked)
        return;
    RemoveBlockUnderCursor(ui->teSinkPower_msgPoweron);
    RemoveBlockUnderCursor(ui->teSinkPower_msgStandby);
}

void CDlgBatch::on_edtMsg_textChanged()
{
    ui->btnSendMsg->setEnabled(!ui->edtMsg->toPlainText().isEmpty());
}

// ---------------------------------------------------------------------------
// Serial page

bool CDlgBatch::ReadMessage(const QString &strText, const QString &strMissing, QString &strMsg)
{
    strMsg = WithoutLineBreaks(strText);
    return !strMsg.isEmpty() || RefuseBatch(strMissing);
}

void CDlgBatch::on_pbSerialSet_apply_clicked()
{
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(false, nBaud, nDataBits, cParity, nStopBits);
    const QString strSetting = PortSettingText(nBaud, nDataBits, cParity, nStopBits);
    const int nTimeout = ui->spinBox_TimeOut->value();
    // As the device's own Serial Settings: kept once the device took it.
    RunBatch(E_BP_SERIAL, [&](CHOIDev *pDev) { return ApplySerialSetting(pDev, strSetting, nTimeout); });
}

void CDlgBatch::slotSerialSendMsg()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_SERIAL, devs))
        return;
    QString strMsg;
    if (!ReadMessage(ui->edtMsg->toPlainText(), tr("Please enter the send information."), strMsg))
        return;
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(false, nBaud, nDataBits, cParity, nStopBits);
    const bool bHex = ui->chkHexSend->isChecked();
    const bool bCrLf = ui->chkSendCrLf->isChecked();
    ApplyToDevs(E_BP_SERIAL, devs, [&](CHOIDev *pDev) {
        return pDev->SendSerialMsg(strMsg, bHex, bCrLf, nBaud, nDataBits, cParity, nStopBits);
    });
}

// ---------------------------------------------------------------------------
// Power page

void CDlgBatch::slotSinkPowerApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_POWER, devs))
        return;
    const bool bCec = ui->chbCEC->isChecked();
    const bool bRs232 = ui->chbRS232->isChecked();
    QString strPowerOn;
    QString strStandby;
    if (bRs232
        && (!ReadMessage(ui->teSinkPower_msgPoweron->toPlainText(), tr("Please enter the power on information."),
                         strPowerOn)
            || !ReadMessage(ui->teSinkPower_msgStandby->toPlainText(),
                            tr("Please enter the standby information."), strStandby)))
        return;
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(true, nBaud, nDataBits, cParity, nStopBits);
    const bool bHex = ui->chbHex->isChecked();
    ApplyToDevs(E_BP_POWER, devs, [&](CHOIDev *pDev) {
        return pDev->ApplySinkPower(strPowerOn, strStandby, bCec, bRs232, bHex, nBaud, nDataBits,
                                    cParity, nStopBits);
    });
}

void CDlgBatch::slotOpenMsg_touchPlay()
{
    RunBatch(E_BP_POWER, [](CHOIDev *pDev) { return pDev->SendCecPower(true); });
}

void CDlgBatch::slotCloseMsg_standby()
{
    RunBatch(E_BP_POWER, [](CHOIDev *pDev) { return pDev->SendCecPower(false); });
}

// ---------------------------------------------------------------------------
// Others page

void CDlgBatch::slotOthersApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_OTHERS, devs))
        return;
    const int nCommand = ui->cmbOthersCommand->currentIndex();
    if (nCommand < 0) {
        RefuseBatch(tr("Select the command please ."));
        return;
    }
    ApplyToDevs(E_BP_OTHERS, devs, [&](CHOIDev *pDev) {
        if (nCommand == 0)
            return pDev->Reboot();
        // The host name is recorded once the device took the reset.
        return g_pHOIDevMgr ? g_pHOIDevMgr->ResetDevToDefault(pDev, false) : pDev->ResetDefault();
    });
}
