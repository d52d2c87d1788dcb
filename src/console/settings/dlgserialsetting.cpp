#include "settings/dlgserialsetting.h"
#include "ui_dlgserialsetting.h"

#include "hoi_core/hoidev.h"
#include "settings/applywatch.h"

namespace {

const int kDefaultTokenTimeout = 1;
const uint kMaxTokenTimeout = 10;

} // namespace

CDlgSerialSetting::CDlgSerialSetting(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
{
    ui.SetUpDialog(this, [this] { RetranslateParity(ui->cmbParity); });
    FillSerialCombos(SerialCombos());

    if (!m_pDev)
        return;

    // "<baud>-<data bits><parity letter><stop bits>"
    const QString strSetting = m_pDev->GetS0Baudrate();
    const int nDash = strSetting.indexOf(QLatin1Char('-'));
    const QString strBaud = strSetting.left(nDash);
    const QString strDataBits = strSetting.mid(nDash + 1, 1);
    const QString strParity = strSetting.mid(nDash + 2, 1);
    const QString strStopBits = strSetting.mid(nDash + 3, 1);

    auto selectText = [](QComboBox *pCombo, const QString &strText) {
        const int nIndex = pCombo->findText(strText);
        if (nIndex >= 0)
            pCombo->setCurrentIndex(nIndex);
    };
    selectText(ui->cmbBaudRate, strBaud);
    selectText(ui->cmbDataBits, strDataBits);
    // Any other letter reads as no parity, the entry chosen already.
    if (strParity == QLatin1String("o") || strParity == QLatin1String("e"))
        ui->cmbParity->setCurrentIndex(ui->cmbParity->findData(int(strParity.at(0).toLatin1())));
    selectText(ui->cmbStopBits, strStopBits);

    if (m_pDev->GetDevType() == CHOIDev::E_DT_TX) {
        const int nTimeout = m_pDev->GetSoipType2TokenTimeout();
        ui->spinBox_TimeOut->setValue(uint(nTimeout) <= kMaxTokenTimeout ? nTimeout
                                                                        : kDefaultTokenTimeout);
    } else {
        ui->gbTimeoutSet->hide();
    }
}

CDlgSerialSetting::~CDlgSerialSetting() = default;

T_SerialCombos CDlgSerialSetting::SerialCombos() const
{
    return {ui->cmbBaudRate, ui->cmbDataBits, ui->cmbStopBits, ui->cmbParity};
}

void CDlgSerialSetting::on_btnApplySerialSet_clicked()
{
    if (!m_pDev)
        return;
    const T_SerialFormat format = ChosenSerialFormat(SerialCombos());
    const QString strValue = QStringLiteral("%1-%2%3%4")
                                 .arg(format.nBaudRate)
                                 .arg(format.nDataBits)
                                 .arg(QLatin1Char(format.cParity))
                                 .arg(format.nStopBits);
    CApplyWatch::WatchQueued(this, m_pDev, ApplySerialSetting(m_pDev, strValue, ui->spinBox_TimeOut->value()));
}

void CDlgSerialSetting::on_btnApplySerialCancel_clicked()
{
    reject();
}

bool ApplySerialSetting(CHOIDev *pDev, const QString &strSetting, int nTimeout)
{
    const bool bEncoder = pDev->GetDevType() == CHOIDev::E_DT_TX;
    // Nothing is queued for a device whose link cannot be made.
    if (!pDev->EnsureConnected())
        return false;
    return CApplyWatch::KeepOnSuccess(
        pDev,
        [&] {
            bool bQueued = pDev->SendParamSet(QStringLiteral("s0_baudrate"), strSetting, false);
            if (bEncoder)
                bQueued &= pDev->SendParamSetInt(QStringLiteral("soip_type2_token_timeout"), nTimeout, false);
            return pDev->SaveParam() && bQueued;
        },
        [strSetting, nTimeout, bEncoder](CHOIDev *pDone) {
            pDone->SetS0Baudrate(strSetting);
            if (bEncoder)
                pDone->SetSoipType2TokenTimeout(nTimeout);
        });
}
