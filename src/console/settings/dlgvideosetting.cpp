#include "settings/dlgvideosetting.h"
#include "ui_dlgvideosetting.h"

#include "hoi_core/hoidev.h"
#include "settings/applywatch.h"

namespace {

// Output timing codes by list index: "800000" and the CEA-861 video code of
// the format; "0" passes the source timing through.
const char *const kTimingCodes[] = {"0", "80000010", "8000001F", "8000005F", "8000005D"};
const int kTimingCount = int(sizeof(kTimingCodes) / sizeof(kTimingCodes[0]));

const int kDefaultTimeoutSeconds = 10;
const int kMinTimeoutSeconds = 1;
const int kMaxTimeoutSeconds = 60;
const int kNoDetection = -1;

// Video-wall values behind the stretch and rotation lists.
const int kStretchOut = 1;
const int kFitIn = 2;
const int kRotate180 = 3;
const int kRotate270 = 6;

} // namespace

CDlgVideoSetting::CDlgVideoSetting(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
{
    ui.SetUpDialog(this);
    if (!m_pDev)
        return;

    if (m_pDev->GetHdcpAlwaysOn22())
        ui->cbHDCPHybrid->setCurrentIndex(2);
    else if (m_pDev->GetHdcpAlwaysOn())
        ui->cbHDCPHybrid->setCurrentIndex(1);
    else
        ui->cbHDCPHybrid->setCurrentIndex(0);

    const QString strTiming = m_pDev->GetOutputTimingConvert();
    int nTiming = 0;
    for (int i = 0; i < kTimingCount; ++i) {
        if (strTiming == QLatin1String(kTimingCodes[i])) {
            nTiming = i;
            break;
        }
    }
    ui->cbHDMIHybrid->setCurrentIndex(nTiming);

    ui->chbScreenStop->setChecked(m_pDev->GetTurnOffScreenOnPwrSave());
    int nTimeout = m_pDev->GetSrcUnavailableTimeout();
    if (nTimeout != kNoDetection)
        nTimeout /= 1000;
    if (nTimeout >= kMinTimeoutSeconds && nTimeout <= kMaxTimeoutSeconds) {
        ui->cBDetecting->setChecked(true);
        ui->spinBox_ScreenTimeOut->setValue(nTimeout);
    } else if (nTimeout == kNoDetection) {
        ui->cBDetecting->setChecked(false);
    } else {
        ui->cBDetecting->setChecked(true);
        ui->spinBox_ScreenTimeOut->setValue(kDefaultTimeoutSeconds);
    }
    const bool bDetecting = ui->cBDetecting->isChecked();
    ui->spinBox_ScreenTimeOut->setEnabled(bDetecting);
    ui->chbScreenStop->setEnabled(bDetecting);

    const int nStretch = m_pDev->GetVwStretchType();
    ui->cbStretchType->setCurrentIndex(nStretch == kStretchOut || nStretch == kFitIn ? nStretch - 1 : -1);

    const int nRotate = m_pDev->GetVwRotate();
    ui->cbRotate->setCurrentIndex(nRotate == kRotate180 ? 1 : nRotate == kRotate270 ? 2 : 0);

    UpdateWidgetsByDevType();
}

CDlgVideoSetting::~CDlgVideoSetting() = default;

void CDlgVideoSetting::UpdateWidgetsByDevType()
{
    if (!m_pDev)
        return;
    const bool bDecoder = m_pDev->GetDevType() == CHOIDev::E_DT_RX;
    ui->groupBox->setVisible(bDecoder);
    ui->groupBox_2->setVisible(bDecoder);
    ui->groupBox_3->setVisible(bDecoder);
    ui->gbStretchType_2->setVisible(bDecoder);
    ui->gbRotate_2->setVisible(bDecoder);
    ui->gbPreview->setVisible(!bDecoder);
    ui->gbVideoQuality->setVisible(!bDecoder);
    if (bDecoder)
        return;
    ui->cbEnablePreview->setChecked(m_pDev->GetPreviewEnable());
    const int nQuality = m_pDev->GetVideoQualityMode() + 1;
    ui->cbQuality->setCurrentIndex(nQuality >= 0 && nQuality < ui->cbQuality->count() ? nQuality : -1);
}

void CDlgVideoSetting::on_cBDetecting_clicked(bool checked)
{
    ui->spinBox_ScreenTimeOut->setEnabled(checked);
    ui->chbScreenStop->setEnabled(checked);
}

void CDlgVideoSetting::on_btnApplyVideoSet_clicked()
{
    if (!m_pDev)
        return;

    if (m_pDev->GetDevType() != CHOIDev::E_DT_RX) {
        const bool bPreview = ui->cbEnablePreview->isChecked();
        // Without a choice the quality stays automatic rather than turning
        // into a mode the device does not know.
        const int nIndex = ui->cbQuality->currentIndex();
        const int nQuality = nIndex < 0 ? -1 : nIndex - 1;
        CApplyWatch::WatchQueued(this, m_pDev,
                                 CApplyWatch::KeepOnSuccess(
                                     m_pDev, [&] { return m_pDev->ApplyPreviewSetting(bPreview, nQuality); },
                                     [bPreview, nQuality](CHOIDev *pDone) {
                                         pDone->SetPreviewEnable(bPreview);
                                         pDone->SetVideoQualityMode(nQuality);
                                     }));
        return;
    }

    T_VideoOutputSetting setting = m_pDev->GetVideoOutputSetting();
    const int nHdcp = ui->cbHDCPHybrid->currentIndex();
    setting.bHdcpAlwaysOn = nHdcp == 1;
    setting.bHdcpAlwaysOn22 = nHdcp == 2;

    const int nTiming = ui->cbHDMIHybrid->currentIndex();
    setting.strTimingConvert =
        QLatin1String(nTiming >= 1 && nTiming < kTimingCount ? kTimingCodes[nTiming] : kTimingCodes[0]);

    setting.bTurnOffScreen = ui->chbScreenStop->isChecked();
    if (!ui->cBDetecting->isChecked()) {
        setting.nSrcUnavailableTimeout = kNoDetection;
    } else {
        const int nSeconds = ui->spinBox_ScreenTimeOut->value();
        if (nSeconds >= kMinTimeoutSeconds && nSeconds <= kMaxTimeoutSeconds)
            setting.nSrcUnavailableTimeout = nSeconds * 1000;
    }

    setting.nStretchType = ui->cbStretchType->currentIndex() == 0 ? kStretchOut : kFitIn;
    const int nRotate = ui->cbRotate->currentIndex();
    setting.nRotate = nRotate == 1 ? kRotate180 : nRotate == 2 ? kRotate270 : 0;

    CApplyWatch::WatchQueued(this, m_pDev,
                             CApplyWatch::KeepOnSuccess(
                                 m_pDev, [&] { return m_pDev->ApplyVideoOutputSetting(setting); },
                                 [setting](CHOIDev *pDone) { pDone->SetVideoOutputSetting(setting); }));
}

void CDlgVideoSetting::on_btnApplyVideoOK_clicked()
{
    on_btnApplyVideoSet_clicked();
    accept();
}

void CDlgVideoSetting::on_btnApplyVideoCancel_clicked()
{
    reject();
}
