#include "power/dlgsinkpowersetting.h"
#include "ui_dlgsinkpowersetting.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "hoiwidget/serialtext.h"
#include "settings/applywatch.h"
#include "uiservices.h"

CDlgSinkPowerSetting::CDlgSinkPowerSetting(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(dev)
{
    ui.SetUpDialog(this, [this] { RetranslateParity(ui->cmbParity_sinkPower); });

    connect(ui->chbCEC, &QCheckBox::clicked, this, &CDlgSinkPowerSetting::slotSinkPowerChBClickRight);
    connect(ui->chbRS232, &QCheckBox::clicked, this, &CDlgSinkPowerSetting::slotSinkPowerChBClickRight);

    // Such a product switches its display by RS-232 only.
    if (g_pHOIDevMgr && g_pHOIDevMgr->GetProdIdInfo(m_pDev)->sink_tx_rs)
        ui->chbCEC->setEnabled(false);

    InitSerialCombos();
}

CDlgSinkPowerSetting::~CDlgSinkPowerSetting() = default;

void CDlgSinkPowerSetting::InitSerialCombos()
{
    FillSerialCombos(SerialCombos());
}

T_SerialCombos CDlgSinkPowerSetting::SerialCombos() const
{
    return {ui->cmbBaudRate_sinkPower, ui->cmbDataBits_sinkPower, ui->cmbStopBits_sinkPower,
            ui->cmbParity_sinkPower};
}

void CDlgSinkPowerSetting::slotSinkPowerChBClickRight()
{
    ui->pbSinkPower_apply->setEnabled(ui->chbCEC->isChecked() || ui->chbRS232->isChecked());
    ui->gbRS232Setting->setEnabled(ui->chbRS232->isChecked());
}

void CDlgSinkPowerSetting::on_pbSinkPower_apply_clicked()
{
    setEnabled(false);
    const bool bRs232 = ui->chbRS232->isChecked();
    QString strPowerOn;
    QString strStandby;
    if (bRs232) {
        strPowerOn = WithoutLineBreaks(ui->teSinkPower_msgPoweron->toPlainText());
        if (strPowerOn.isEmpty()) {
            // Usable again before the box opens, so the box is too.
            setEnabled(true);
            MsgCritical(this, QString(), tr("Please enter the power on information."));
            return;
        }
        strStandby = WithoutLineBreaks(ui->teSinkPower_msgStandby->toPlainText());
        if (strStandby.isEmpty()) {
            setEnabled(true);
            MsgCritical(this, QString(), tr("Please enter the standby information."));
            return;
        }
    }
    const T_SerialFormat format = ChosenSerialFormat(SerialCombos());

    const bool bSent = m_pDev
                       && m_pDev->ApplySinkPower(strPowerOn, strStandby, ui->chbCEC->isChecked(), bRs232,
                                                 ui->chbHex->isChecked(), format.nBaudRate, format.nDataBits,
                                                 format.cParity, format.nStopBits);
    setEnabled(true);
    if (bSent)
        CApplyWatch::Watch(this, m_pDev);
    else
        MsgCritical(this, QString(), tr("Failed to Display Power settings to devices."));
}
