// CDlgBatch: the Video page, its JPEG 2000 sub-page (decoder settings) and
// its H.264 sub-page (encoder settings, video mode, HDCP, forced output).
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "settings/applywatch.h"
#include "settings/resolutioncombo.h"

namespace {

// "Stretch Out" 1, "Fit In" 2.
int StretchType(int nIndex)
{
    return nIndex + 1;
}

// "No Rotate", "180 Degree", "270 Degree".
int Rotation(int nIndex)
{
    return nIndex == 1 ? 3 : (nIndex == 2 ? 6 : 0);
}

// One line to a device; false when it was not taken into the link's queue.
using DevLine = std::function<bool(CHOIDev *pDev)>;

DevLine ParamLine(const char *pszName, const QString &strValue)
{
    return [=](CHOIDev *pDev) { return pDev->SendParamSet(QLatin1String(pszName), strValue, false); };
}

DevLine ParamIntLine(const char *pszName, int nValue)
{
    return [=](CHOIDev *pDev) { return pDev->SendParamSetInt(QLatin1String(pszName), nValue, false); };
}

DevLine EventLine(const QString &strEvent)
{
    return [=](CHOIDev *pDev) { return pDev->SendEvent(strEvent); };
}

// One setting of the Video page: its lines, in order, and the value the
// device object keeps of it.
struct T_VideoSetting
{
    QList<DevLine> lines;
    std::function<void(CHOIDev *pDev)> keep;
};

// Sends the lines of the settings; the first nDeciding lines each decide
// whether the device took them, the rest follow into the queue whatever
// they answer. Then the device saves, and the values are kept once its
// queue ends in success.
std::function<bool(CHOIDev *pDev)> SendSettings(const QList<T_VideoSetting> &settings, int nDeciding)
{
    return [=](CHOIDev *pDev) {
        return CApplyWatch::KeepOnSuccess(
            pDev,
            [&] {
                int nLine = 0;
                for (const T_VideoSetting &setting : settings) {
                    for (const DevLine &line : setting.lines) {
                        if (!line(pDev) && nLine < nDeciding)
                            return false;
                        ++nLine;
                    }
                }
                pDev->SaveParam();
                return true;
            },
            [settings](CHOIDev *pDone) {
                for (const T_VideoSetting &setting : settings)
                    setting.keep(pDone);
            });
    };
}

T_VideoSetting HdcpSetting(const Ui::CDlgBatch *ui)
{
    const int nIndex = ui->cbHDCPHybrid->currentIndex();
    const bool bOn = nIndex == 1;
    const bool bOn22 = nIndex == 2;
    return {{ParamLine("hdcp_always_on", YesNo(bOn)), ParamLine("hdcp_always_on_22", YesNo(bOn22))},
            [=](CHOIDev *pDev) {
                pDev->SetHdcpAlwaysOn(bOn);
                pDev->SetHdcpAlwaysOn22(bOn22);
            }};
}

T_VideoSetting TimingSetting(const QString &strCode)
{
    return {{ParamLine("v_output_timing_convert", strCode)},
            [=](CHOIDev *pDev) { pDev->SetOutputTimingConvert(strCode); }};
}

T_VideoSetting ScreenSetting(const Ui::CDlgBatch *ui)
{
    const bool bStop = ui->chbScreenStop->isChecked();
    const int nTimeout = ui->checkBox->isChecked() ? ui->spinBox_ScreenTimeOut->value() * 1000 : -1;
    return {{ParamLine("v_turn_off_screen_on_pwr_save", YesNo(bStop)),
             ParamIntLine("v_src_unavailable_timeout", nTimeout)},
            [=](CHOIDev *pDev) {
                pDev->SetTurnOffScreenOnPwrSave(bStop);
                pDev->SetSrcUnavailableTimeout(nTimeout);
            }};
}

T_VideoSetting StretchSetting(const Ui::CDlgBatch *ui)
{
    const int nStretch = StretchType(ui->cbStretchType->currentIndex());
    return {{EventLine(QStringLiteral("e_vw_stretch_type_%1").arg(nStretch))},
            [=](CHOIDev *pDev) { pDev->SetVwStretchType(nStretch); }};
}

T_VideoSetting RotateSetting(const Ui::CDlgBatch *ui)
{
    const int nRotate = Rotation(ui->cbRotate->currentIndex());
    return {{EventLine(QStringLiteral("e_vw_rotate_%1").arg(nRotate))},
            [=](CHOIDev *pDev) { pDev->SetVwRotate(nRotate); }};
}

T_VideoSetting PreviewSetting(const Ui::CDlgBatch *ui)
{
    const bool bPreview = ui->cbEnablePreview->isChecked();
    return {{ParamLine("preview_enable", YesNo(bPreview))},
            [=](CHOIDev *pDev) { pDev->SetPreviewEnable(bPreview); }};
}

T_VideoSetting QualitySetting(const Ui::CDlgBatch *ui)
{
    const int nQuality = ui->cbQuality->currentIndex() - 1;
    return {{ParamIntLine("ast_video_quality_mode", nQuality)},
            [=](CHOIDev *pDev) { pDev->SetVideoQualityMode(nQuality); }};
}

} // namespace

QString CDlgBatch::GetOutputTimingCode()
{
    // CEA-861 video identification codes of 1080p60, 1080p50, 2160p30 and
    // 2160p24, marked as forced by the top bit.
    static const int kVic[] = {0, 16, 31, 95, 93};
    const int nIndex = ui->cbHDMIHybrid->currentIndex();
    if (nIndex <= 0 || nIndex >= int(sizeof(kVic) / sizeof(kVic[0])))
        return QStringLiteral("0");
    return QStringLiteral("%1").arg(0x80000000u | quint32(kVic[nIndex]), 8, 16, QLatin1Char('0')).toUpper();
}

void CDlgBatch::on_radioButtonJPEG_toggled(bool checked)
{
    if (checked)
        ui->stackedWidget_2->setCurrentWidget(ui->page);
}

void CDlgBatch::on_radioButtonH_toggled(bool checked)
{
    if (checked)
        ui->stackedWidget_2->setCurrentWidget(ui->page_2);
}

void CDlgBatch::on_checkBox_clicked(bool checked)
{
    ui->spinBox_ScreenTimeOut->setEnabled(checked);
    ui->chbScreenStop->setEnabled(checked);
}

// ---------------------------------------------------------------------------
// JPEG 2000 sub-page

void CDlgBatch::on_pbVideo_HDCP_apply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({HdcpSetting(ui)}, 1));
}

void CDlgBatch::on_pbVideo_HDMI_apply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({TimingSetting(GetOutputTimingCode())}, 1));
}

void CDlgBatch::on_pbVideo_Screen_apply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({ScreenSetting(ui)}, 1));
}

void CDlgBatch::on_pbVideo_Stretch_apply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({StretchSetting(ui)}, 1));
}

void CDlgBatch::on_pbVideo_Rotate_apply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({RotateSetting(ui)}, 1));
}

void CDlgBatch::on_pbEnablePreviewApply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({PreviewSetting(ui)}, 1));
}

void CDlgBatch::on_pbVideoQualityApply_clicked()
{
    RunBatch(E_BP_VIDEO, SendSettings({QualitySetting(ui)}, 1));
}

void CDlgBatch::on_pbAllVideo_apply_clicked()
{
    // A decoder's first line decides for all seven; an encoder's two lines
    // each decide.
    const auto toDecoder = SendSettings({HdcpSetting(ui), TimingSetting(GetOutputTimingCode()),
                                         ScreenSetting(ui), StretchSetting(ui), RotateSetting(ui)},
                                        1);
    const auto toEncoder = SendSettings({QualitySetting(ui), PreviewSetting(ui)}, 2);
    RunBatch(E_BP_VIDEO, [&](CHOIDev *pDev) {
        return pDev->GetDevType() == CHOIDev::E_DT_RX ? toDecoder(pDev) : toEncoder(pDev);
    });
}

// ---------------------------------------------------------------------------
// H.264 sub-page

void CDlgBatch::InitEncoderCombos()
{
    ui->gbAdvance->setChecked(false);
    ui->cbEncMode_2->addItem(T_ProdIdInfo::FPSMode2Name(E_FPSM_VBR), QVariant::fromValue(E_FPSM_VBR));
    ui->cbEncMode_2->addItem(T_ProdIdInfo::FPSMode2Name(E_FPSM_CBR), QVariant::fromValue(E_FPSM_CBR));
    ui->cbTranType->addItem(T_ProdIdInfo::TrasportType2Name(E_TT_RAW), QVariant::fromValue(E_TT_RAW));
    ui->cbTranType->addItem(T_ProdIdInfo::TrasportType2Name(E_TT_TS), QVariant::fromValue(E_TT_TS));
    ui->sbVBRMaxBitrate->setValue(20000);
    ui->sbEncFPS->setValue(60);
}

void CDlgBatch::on_cbEncMode_2_currentIndexChanged(int index)
{
    const QVariant data = ui->cbEncMode_2->itemData(index);
    if (!data.isValid())
        return;
    // A switch resets the bitrate of the page it shows.
    if (data.value<E_FPSMode>() == E_FPSM_VBR) {
        ui->stackedWidget->setCurrentWidget(ui->pgVBR);
        ui->sbVBRMaxBitrate->setValue(20000);
    } else if (data.value<E_FPSMode>() == E_FPSM_CBR) {
        ui->stackedWidget->setCurrentWidget(ui->pgCBR);
        ui->sbCBRAvgBitrate->setValue(10000);
    }
}

void CDlgBatch::on_gbAdvance_clicked(bool)
{
    ui->pbAdvanced_apply->setEnabled(true);
}

void CDlgBatch::on_pbAdvanced_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    if (!ui->gbAdvance->isChecked()) {
        FinishBatch(E_BP_VIDEO, devs.size());
        return;
    }
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        const QVariant mode = ui->cbEncMode_2->currentData();
        if (!CApplyWatch::SetOptionValue(pDev, E_EP_ENC_RC_MODE, mode, false))
            return false;
        if (mode.value<E_FPSMode>() == E_FPSM_VBR) {
            if (!CApplyWatch::SetOptionValue(pDev, E_EP_VBR_MAX_BITRATE, ui->sbVBRMaxBitrate->value(), false))
                return false;
        } else if (mode.value<E_FPSMode>() == E_FPSM_CBR) {
            if (!CApplyWatch::SetOptionValue(pDev, E_EP_CBR_AVG_BITRATE, ui->sbCBRAvgBitrate->value(), false))
                return false;
        }
        if (!CApplyWatch::SetOptionValue(pDev, E_EP_ENC_FPS, ui->sbEncFPS->value(), false))
            return false;
        // The rows the checked devices' products lack are hidden.
        if (ui->cbTranType->isVisibleTo(ui->page_2)
            && !CApplyWatch::SetOptionValue(pDev, E_EP_TRANSPORT_TYPE, ui->cbTranType->currentData(), false))
            return false;
        if (ui->cbMaxResolution->isVisibleTo(ui->page_2)) {
            const QString strRes = ui->cbMaxResolution->currentText();
            return CApplyWatch::KeepOnSuccess(pDev, [&] { return pDev->ApplyMaxEncRes(strRes); },
                                              [strRes](CHOIDev *pDone) { pDone->SetMaxResolution(strRes); });
        }
        return true;
    });
}

void CDlgBatch::slotVedioModeApply()
{
    const QString strLatency = ui->cmbVideoMode->currentData().toString();
    const bool bLowDelay = T_ProdIdInfo::LatencyName2Mode(strLatency) == E_LM_LOW_DELAY;
    RunBatch(E_BP_VIDEO, [&](CHOIDev *pDev) {
        QString strLine;
        switch (pDev->GetDevType()) {
        case CHOIDev::E_DT_TX:
            strLine = bLowDelay ? g_pHOIDevMgr->GetTxLdy() : g_pHOIDevMgr->GetTxLdn();
            break;
        case CHOIDev::E_DT_RX:
        case CHOIDev::E_DT_MRX:
        case CHOIDev::E_DT_WP:
            strLine = bLowDelay ? g_pHOIDevMgr->GetRxLdy() : g_pHOIDevMgr->GetRxLdn();
            break;
        default:
            break;
        }
        return CApplyWatch::KeepOnSuccess(pDev, [&] { return pDev->SendCmd(strLine); },
                                          [strLatency](CHOIDev *pDone) { pDone->SetVoMode(strLatency); });
    });
}

void CDlgBatch::on_pbHdcpSettings_clicked()
{
    const bool bEnable = ui->radioBtn_HDCP_E->isChecked();
    RunBatch(E_BP_VIDEO, [&](CHOIDev *pDev) {
        return CApplyWatch::KeepOnSuccess(pDev, [&] { return pDev->ApplyHdcpEnable(bEnable, 0, false); },
                                          [bEnable](CHOIDev *pDone) { pDone->KeepHdcpEnable(bEnable); });
    });
}

void CDlgBatch::slotForceResolution(CHOIDev *pCurDev)
{
    ui->cbVoResulotion->clear();
    const T_ProdIdInfo *pProd = (g_pHOIDevMgr && pCurDev) ? g_pHOIDevMgr->GetProdIdInfo(pCurDev) : nullptr;
    if (pProd) {
        FillResolutionCombo(ui->cbVoResulotion, pProd->force_resolution);
        const int nCurrent = ui->cbVoResulotion->findData(pCurDev->GetForceResolution());
        if (nCurrent >= 0)
            ui->cbVoResulotion->setCurrentIndex(nCurrent);
    }
    const bool bAny = ui->cbVoResulotion->count() > 0;
    ui->cbVoResulotion->setEnabled(bAny);
    ui->pbForce->setEnabled(bAny);
}

void CDlgBatch::on_pbForce_clicked()
{
    const QString strEntry = ui->cbVoResulotion->currentData().toString();
    RunBatch(E_BP_VIDEO, [&](CHOIDev *pDev) {
        return CApplyWatch::KeepOnSuccess(
            pDev, [&] { return pDev->SendSetCmd(QStringLiteral("vfo"), strEntry, QString(), false); },
            [strEntry](CHOIDev *pDone) { pDone->SetForceResolution(strEntry); });
    });
}
