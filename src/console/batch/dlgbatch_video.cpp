// CDlgBatch: the Video page, its JPEG 2000 sub-page (decoder settings) and
// its H.264 sub-page (encoder settings, video mode, HDCP, forced output).
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"

namespace {

QString YesNo(bool b)
{
    return b ? QStringLiteral("y") : QStringLiteral("n");
}

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

// The decoder settings of the JPEG 2000 sub-page, read once per operation.
struct T_DecoderValues
{
    bool bHdcpOn = false;
    bool bHdcpOn22 = false;
    QString strTiming;
    bool bScreenStop = false;
    int nTimeout = -1;
    int nStretch = 2;
    int nRotate = 0;
};

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
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const int nIndex = ui->cbHDCPHybrid->currentIndex();
    const bool bOn = nIndex == 1;
    const bool bOn22 = nIndex == 2;
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSet(QStringLiteral("hdcp_always_on"), YesNo(bOn), false))
            return false;
        pDev->SendParamSet(QStringLiteral("hdcp_always_on_22"), YesNo(bOn22), false);
        pDev->SetHdcpAlwaysOn(bOn);
        pDev->SetHdcpAlwaysOn22(bOn22);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbVideo_HDMI_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const QString strCode = GetOutputTimingCode();
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSet(QStringLiteral("v_output_timing_convert"), strCode, false))
            return false;
        pDev->SetOutputTimingConvert(strCode);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbVideo_Screen_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const bool bStop = ui->chbScreenStop->isChecked();
    const int nTimeout = ui->checkBox->isChecked() ? ui->spinBox_ScreenTimeOut->value() * 1000 : -1;
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSet(QStringLiteral("v_turn_off_screen_on_pwr_save"), YesNo(bStop), false))
            return false;
        pDev->SendParamSetInt(QStringLiteral("v_src_unavailable_timeout"), nTimeout, false);
        pDev->SetTurnOffScreenOnPwrSave(bStop);
        pDev->SetSrcUnavailableTimeout(nTimeout);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbVideo_Stretch_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const int nStretch = StretchType(ui->cbStretchType->currentIndex());
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendEvent(QStringLiteral("e_vw_stretch_type_%1").arg(nStretch)))
            return false;
        pDev->SetVwStretchType(nStretch);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbVideo_Rotate_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const int nRotate = Rotation(ui->cbRotate->currentIndex());
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendEvent(QStringLiteral("e_vw_rotate_%1").arg(nRotate)))
            return false;
        pDev->SetVwRotate(nRotate);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbEnablePreviewApply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const bool bPreview = ui->cbEnablePreview->isChecked();
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSet(QStringLiteral("preview_enable"), YesNo(bPreview), false))
            return false;
        pDev->SetPreviewEnable(bPreview);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbVideoQualityApply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const int nQuality = ui->cbQuality->currentIndex() - 1;
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSetInt(QStringLiteral("ast_video_quality_mode"), nQuality, false))
            return false;
        pDev->SetVideoQualityMode(nQuality);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbAllVideo_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (pDev->GetDevType() == CHOIDev::E_DT_RX) {
            T_DecoderValues v;
            const int nHdcp = ui->cbHDCPHybrid->currentIndex();
            v.bHdcpOn = nHdcp == 1;
            v.bHdcpOn22 = nHdcp == 2;
            v.strTiming = GetOutputTimingCode();
            v.bScreenStop = ui->chbScreenStop->isChecked();
            v.nTimeout = ui->checkBox->isChecked() ? ui->spinBox_ScreenTimeOut->value() * 1000 : -1;
            v.nStretch = StretchType(ui->cbStretchType->currentIndex());
            v.nRotate = Rotation(ui->cbRotate->currentIndex());
            // Only the first line decides; the rest follow it into the queue.
            if (!pDev->SendParamSet(QStringLiteral("hdcp_always_on"), YesNo(v.bHdcpOn), false))
                return false;
            pDev->SendParamSet(QStringLiteral("hdcp_always_on_22"), YesNo(v.bHdcpOn22), false);
            pDev->SendParamSet(QStringLiteral("v_output_timing_convert"), v.strTiming, false);
            pDev->SendParamSet(QStringLiteral("v_turn_off_screen_on_pwr_save"), YesNo(v.bScreenStop), false);
            pDev->SendParamSetInt(QStringLiteral("v_src_unavailable_timeout"), v.nTimeout, false);
            pDev->SendEvent(QStringLiteral("e_vw_stretch_type_%1").arg(v.nStretch));
            pDev->SendEvent(QStringLiteral("e_vw_rotate_%1").arg(v.nRotate));
            pDev->SetHdcpAlwaysOn(v.bHdcpOn);
            pDev->SetHdcpAlwaysOn22(v.bHdcpOn22);
            pDev->SetOutputTimingConvert(v.strTiming);
            pDev->SetTurnOffScreenOnPwrSave(v.bScreenStop);
            pDev->SetSrcUnavailableTimeout(v.nTimeout);
            pDev->SetVwStretchType(v.nStretch);
            pDev->SetVwRotate(v.nRotate);
            pDev->SaveParam();
            return true;
        }
        const int nQuality = ui->cbQuality->currentIndex() - 1;
        const bool bPreview = ui->cbEnablePreview->isChecked();
        if (!pDev->SendParamSetInt(QStringLiteral("ast_video_quality_mode"), nQuality, false))
            return false;
        if (!pDev->SendParamSet(QStringLiteral("preview_enable"), YesNo(bPreview), false))
            return false;
        pDev->SetVideoQualityMode(nQuality);
        pDev->SetPreviewEnable(bPreview);
        pDev->SaveParam();
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
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
        if (!pDev->SetOptionValue(E_EP_ENC_RC_MODE, mode, false))
            return false;
        if (mode.value<E_FPSMode>() == E_FPSM_VBR) {
            if (!pDev->SetOptionValue(E_EP_VBR_MAX_BITRATE, ui->sbVBRMaxBitrate->value(), false))
                return false;
        } else if (mode.value<E_FPSMode>() == E_FPSM_CBR) {
            if (!pDev->SetOptionValue(E_EP_CBR_AVG_BITRATE, ui->sbCBRAvgBitrate->value(), false))
                return false;
        }
        if (!pDev->SetOptionValue(E_EP_ENC_FPS, ui->sbEncFPS->value(), false))
            return false;
        // The rows the checked devices' products lack are hidden.
        if (ui->cbTranType->isVisibleTo(ui->page_2)
            && !pDev->SetOptionValue(E_EP_TRANSPORT_TYPE, ui->cbTranType->currentData(), false))
            return false;
        if (ui->cbMaxResolution->isVisibleTo(ui->page_2)) {
            const QString strRes = ui->cbMaxResolution->currentText();
            if (!pDev->ApplyMaxEncRes(strRes))
                return false;
            pDev->SetMaxResolution(strRes);
        }
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::slotVedioModeApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const QString strLatency = ui->cmbVideoMode->currentData().toString();
    const bool bLowDelay = T_ProdIdInfo::LatencyName2Mode(strLatency) == E_LM_LOW_DELAY;
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
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
        if (!pDev->SendCmd(strLine))
            return false;
        pDev->SetVoMode(strLatency);
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::on_pbHdcpSettings_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const bool bEnable = ui->radioBtn_HDCP_E->isChecked();
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->ApplyHdcpEnable(bEnable, 0))
            return false;
        pDev->SetHdcpEnable(bEnable);
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}

void CDlgBatch::slotForceResolution(CHOIDev *pCurDev)
{
    ui->cbVoResulotion->clear();
    const T_ProdIdInfo *pProd = (g_pHOIDevMgr && pCurDev) ? g_pHOIDevMgr->GetProdIdInfo(pCurDev) : nullptr;
    if (pProd) {
        const QStringList entries = pProd->force_resolution.split(QLatin1Char(','));
        for (const QString &strEntry : entries) {
            if (strEntry.isEmpty())
                continue;
            const int nPos = strEntry.indexOf(QLatin1Char('_'));
            const QString strText = nPos > 0 ? QStringLiteral("%1 (%2fps)").arg(strEntry.left(nPos), strEntry.mid(nPos + 1))
                                             : strEntry;
            ui->cbVoResulotion->addItem(strText, strEntry);
            if (strEntry == pCurDev->GetForceResolution())
                ui->cbVoResulotion->setCurrentIndex(ui->cbVoResulotion->count() - 1);
        }
    }
    const bool bAny = ui->cbVoResulotion->count() > 0;
    ui->cbVoResulotion->setEnabled(bAny);
    ui->pbForce->setEnabled(bAny);
}

void CDlgBatch::on_pbForce_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_VIDEO, devs))
        return;
    const QString strEntry = ui->cbVoResulotion->currentData().toString();
    ApplyToDevs(E_BP_VIDEO, devs, [&](CHOIDev *pDev) {
        if (!pDev->SendSetCmd(QStringLiteral("vfo"), strEntry, QString(), false))
            return false;
        pDev->SetForceResolution(strEntry);
        return true;
    });
    FinishBatch(E_BP_VIDEO, devs.size());
}
