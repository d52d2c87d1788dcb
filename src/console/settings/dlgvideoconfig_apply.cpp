// CDlgVideoConfig: Apply, OK and the device's completion report. Each step
// queues its command through the device object and learns at once whether
// it was accepted; the device's own verdict on the whole batch arrives later
// as OnCmdCompleted, and only a success lets the device object keep what the
// steps sent.
#include "settings/dlgvideoconfig.h"
#include "ui_dlgvideoconfig.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QTimer>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "settings/applywatch.h"
#include "uiservices.h"

namespace {

// What the software output selection sends for each output type.
struct T_OutputRow
{
    const char *pszType;
    const char *pszTypeRefusal;
    const char *pszPort;
    const char *pszResolutionRefusal;
    void (CHOIDev::*pfnSetResolution)(const QString &);
};

const T_OutputRow kOutputRows[] = {
    {"HDMI", QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to HDMI settings to devices."), "",
     QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to HDMI settings to devices."), &CHOIDev::SetHdmiResolution},
    {"CVBS", QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to CVBS settings to devices."), "CVBS",
     QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to CVBS settings to devices."), &CHOIDev::SetCvbsResolution},
    {"VGA", QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to DVI-I settings to devices."), "VGA",
     QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to VGA settings to devices."), &CHOIDev::SetVgaResolution},
    {"DVI-D", QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to DVI-I settings to devices."), "DVI-D",
     QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to DVI-D settings to devices."), &CHOIDev::SetDviDResolution},
    {"YPbPr", QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to DVI-I settings to devices."), "YPbPr",
     QT_TRANSLATE_NOOP("CDlgVideoConfig", "Failed to YPbPr settings to devices."), &CHOIDev::SetYPbPrResolution},
};

const char kVfo[] = "vfo";

} // namespace

bool CDlgVideoConfig::IsShown(const QWidget *pWidget) const
{
    // Hidden by the tailoring, inside a hidden group or on a page that is not
    // current.
    return pWidget->isVisibleTo(this);
}

bool CDlgVideoConfig::ApplySettings()
{
    if (!m_pDev)
        return false;
    return m_nCurTab == 1 ? ApplyAdvanced() : ApplyBasic();
}

bool CDlgVideoConfig::FailBasic(const QString &strMessage)
{
    setEnabled(true);
    MsgCritical(this, QString(), strMessage);
    return false;
}

bool CDlgVideoConfig::FailAdvanced()
{
    setEnabled(true);
    MsgCritical(this, QString(), tr("Failed to apply settings to devices."));
    ui->tabWidget->setCurrentWidget(ui->tabAdvanced);
    return false;
}

bool CDlgVideoConfig::FinishApply(bool bSent)
{
    // Nothing queued means no completion will come: waiting would leave the
    // dialog disabled for good.
    if (!bSent) {
        setEnabled(true);
        return true;
    }
    connect(m_pDev, &CHOIDev::OnCmdCompleted, this, &CDlgVideoConfig::slotOnDevCmdCompleted,
            Qt::UniqueConnection);
    m_bWaiting = true;
    return true;
}

bool CDlgVideoConfig::ApplyColorSpace(QComboBox *pCombo)
{
    const QString strValue = pCombo->currentData().toString().toLower();
    return CApplyWatch::KeepOnSuccess(
        m_pDev, [&] { return m_pDev->ApplyColorSpace(strValue); },
        [strValue](CHOIDev *pDone) { pDone->SetColorSpace(strValue); });
}

bool CDlgVideoConfig::ApplyForcedOutput(const QString &strValue, const QString &strPort,
                                        void (CHOIDev::*pfnKeep)(const QString &))
{
    return CApplyWatch::KeepOnSuccess(
        m_pDev, [&] { return m_pDev->SendSetCmd(QLatin1String(kVfo), strValue, strPort, false); },
        [strValue, pfnKeep](CHOIDev *pDone) { (pDone->*pfnKeep)(strValue); });
}

bool CDlgVideoConfig::ChosenInput(QString &strInput)
{
    for (QRadioButton *pButton : qAsConst(m_inputButtons)) {
        if (pButton->isChecked()) {
            strInput = pButton->property("value").toString();
            return true;
        }
    }
    if (m_inputButtons.isEmpty())
        return true;
    MsgCritical(this, QString(), tr("Select an video input to apply!"));
    ui->tabWidget->setCurrentWidget(ui->tabBasic);
    return false;
}

bool CDlgVideoConfig::ApplyBasic()
{
    QString strInput;
    if (!ChosenInput(strInput))
        return false;

    setEnabled(false);
    // Some steps queue without connecting; a closed link would keep their
    // lines, and the dialog, waiting.
    m_pDev->EnsureConnected();
    bool bSent = false;

    if (!m_inputButtons.isEmpty()) {
        const QString strProfile = ui->gbAdvance->isChecked() ? ui->cbProfile->currentData().toString()
                                                              : QStringLiteral("-");
        const QString strSecond = QStringLiteral("-");
        if (!CApplyWatch::KeepOnSuccess(
                m_pDev, [&] { return m_pDev->ApplyVideoInput(strInput, strSecond, strProfile, true, false); },
                [=](CHOIDev *pDone) { pDone->KeepVideoInput(strInput, strSecond, strProfile); }))
            return FailBasic(tr("Failed to Input settings to devices."));
        bSent = true;
    }
    if (!ApplyEncoderOutput(bSent) || !ApplyDecoderOutput(bSent) || !ApplyMultiScreenVga(bSent))
        return false;
    return FinishApply(bSent);
}

bool CDlgVideoConfig::ApplyEncoderOutput(bool &bSent)
{
    if (ui->cbVoColorSpace->currentIndex() >= 0) {
        if (!ApplyColorSpace(ui->cbVoColorSpace))
            return FailBasic(tr("Failed to color space settings to devices."));
        bSent = true;
    }

    if (IsShown(ui->GruopBHDCP)) {
        const bool bOn = ui->radioBtn_HDCP_E->isChecked();
        if (!CApplyWatch::KeepOnSuccess(m_pDev, [&] { return m_pDev->ApplyHdcpEnable(bOn, 1, false); },
                                        [bOn](CHOIDev *pDone) { pDone->KeepHdcpEnable(bOn); }))
            return FailBasic(tr("Failed to HDCP settings to devices."));
        bSent = true;
    }

    if (ui->cbVoResulotion->currentIndex() >= 0) {
        const QString strValue = ui->cbVoResulotion->currentData().toString();
        if (!ApplyForcedOutput(strValue, QString(), &CHOIDev::SetForceResolution))
            return FailBasic(tr("Failed to HDMI settings to devices."));
        bSent = true;
    }
    return true;
}

bool CDlgVideoConfig::ApplyDecoderOutput(bool &bSent)
{
    const bool bSoftware = ui->radioBtn_Disable->isChecked();
    // With the hardware switch, it picks the output; nothing else is sent.
    if (!bSoftware && !ui->radioBtn_Enable->isChecked())
        return true;
    const QString strDip = bSoftware ? QStringLiteral("n") : QStringLiteral("y");
    if (!CApplyWatch::KeepOnSuccess(
            m_pDev, [&] { return m_pDev->SetOptionValue(E_EP_HW_DIP_ENABLE, strDip, false, false); },
            [bSoftware, strDip](CHOIDev *pDone) {
                pDone->SetHwDipEnable(bSoftware ? 0 : 1);
                pDone->KeepOptionValue(E_EP_HW_DIP_ENABLE, strDip);
            }))
        return FailBasic(tr("Failed to DIP settings to devices."));
    bSent = true;
    return !bSoftware || ApplyOutputSelection();
}

bool CDlgVideoConfig::ApplyOutputSelection()
{
    const int nMode = ui->cbSelectMode->currentIndex() >= 0 ? EnumValue(ui->cbSelectMode->currentData()) : -1;
    if (nMode < E_DIM_HDMI || nMode > E_DIM_YPBPR)
        return true;
    const T_OutputRow &row = kOutputRows[nMode];
    QComboBox *const combos[] = {ui->cbVoVRXResulotion, ui->cbVoCVBSResulotion, ui->cbVGAResolution,
                                 ui->cbDVI_DResolution, ui->cbYPbPrResolution};
    const QString strType = QLatin1String(row.pszType);
    if (!CApplyWatch::KeepOnSuccess(m_pDev, [&] { return m_pDev->ApplyOutputDip(strType, false); },
                                    [strType](CHOIDev *pDone) { pDone->SetOutputDip(strType); }))
        return FailBasic(tr(row.pszTypeRefusal));
    QComboBox *pCombo = combos[nMode];
    const QString strValue = pCombo->currentIndex() >= 0 ? pCombo->currentData().toString() : QString();
    if (!ApplyForcedOutput(strValue, QLatin1String(row.pszPort), row.pfnSetResolution))
        return FailBasic(tr(row.pszResolutionRefusal));
    if (nMode == E_DIM_HDMI && ui->cbVoColorSpace2->currentIndex() >= 0 && !ApplyColorSpace(ui->cbVoColorSpace2))
        return FailBasic(tr("Failed to color space settings to devices."));
    return true;
}

bool CDlgVideoConfig::ApplyMultiScreenVga(bool &bSent)
{
    if (ui->cbVoVGAResulotion->currentIndex() < 0)
        return true;
    const QString strValue = ui->cbVoVGAResulotion->currentData().toString();
    if (!ApplyForcedOutput(strValue, QStringLiteral("VGA"), &CHOIDev::SetMultiScreenVgaResolution))
        return FailBasic(tr("Failed to apply settings to devices."));
    bSent = true;
    return true;
}

QList<QPair<QSpinBox *, int>> CDlgVideoConfig::EncoderSpins(int nMode) const
{
    QList<QPair<QSpinBox *, int>> spins;
    switch (nMode) {
    case E_FPSM_VBR:
        spins << qMakePair(ui->sbVBRMaxBitrate, int(E_EP_VBR_MAX_BITRATE))
              << qMakePair(ui->sbVBRMinQP, int(E_EP_VBR_MIN_QP))
              << qMakePair(ui->sbVBRMaxQP, int(E_EP_VBR_MAX_QP));
        break;
    case E_FPSM_CBR:
        spins << qMakePair(ui->sbCBRAvgBitrate, int(E_EP_CBR_AVG_BITRATE));
        break;
    case E_FPSM_FIXQP:
        spins << qMakePair(ui->sbFixqpIQP, int(E_EP_FIXQP_IQP)) << qMakePair(ui->sbFixqpPQP, int(E_EP_FIXQP_PQP));
        break;
    default:
        break;
    }
    spins << qMakePair(ui->sbEncGOP, int(E_EP_ENC_GOP)) << qMakePair(ui->sbEncFPS, int(E_EP_ENC_FPS));
    return spins;
}

bool CDlgVideoConfig::ApplyAdvanced()
{
    bool bSent = false;
    if (!ApplyEncoderOptions(bSent) || !ApplyLatencyMode(bSent))
        return false;
    return FinishApply(bSent);
}

bool CDlgVideoConfig::ApplyEncoderOptions(bool &bSent)
{
    if (!ui->gbAdvance->isChecked())
        return true;
    // The options queue without connecting; see ApplyBasic.
    m_pDev->EnsureConnected();
    const QVariant modeData = ui->cbEncMode->currentData();
    const int nMode = ui->cbEncMode->currentIndex() >= 0 ? EnumValue(modeData) : -1;
    if (IsShown(ui->cbEncMode)) {
        if (!CApplyWatch::SetOptionValue(m_pDev, E_EP_ENC_RC_MODE, modeData, false))
            return FailAdvanced();
        bSent = true;
    }

    const QList<QPair<QSpinBox *, int>> spins = EncoderSpins(nMode);
    for (const auto &spin : spins) {
        if (!IsShown(spin.first))
            continue;
        if (!CApplyWatch::SetOptionValue(m_pDev, spin.second, spin.first->value(), false))
            return FailAdvanced();
        bSent = true;
    }

    if (IsShown(ui->cbTranType)) {
        if (!CApplyWatch::SetOptionValue(m_pDev, E_EP_TRANSPORT_TYPE, ui->cbTranType->currentData(), false))
            return FailAdvanced();
        bSent = true;
    }

    if (IsShown(ui->cbMaxResolution)) {
        const QString strValue = ui->cbMaxResolution->currentText();
        if (!CApplyWatch::KeepOnSuccess(m_pDev, [&] { return m_pDev->ApplyMaxEncRes(strValue); },
                                        [strValue](CHOIDev *pDone) { pDone->SetMaxResolution(strValue); }))
            return FailAdvanced();
        bSent = true;
    }
    return true;
}

bool CDlgVideoConfig::ApplyLatencyMode(bool &bSent)
{
    if (!ui->gbLowDelay->isChecked() || ui->cbLowDelay->currentIndex() < 0)
        return true;
    const QString strName = ui->cbLowDelay->currentData().toString();
    const int nLatency = T_ProdIdInfo::LatencyName2Mode(strName);
    const CHOIDev::DevType eType = m_pDev->GetDevType();
    QString strLine;
    if (g_pHOIDevMgr && (eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX || eType == CHOIDev::E_DT_WP))
        strLine = nLatency == E_LM_LOW_DELAY ? g_pHOIDevMgr->GetRxLdy() : g_pHOIDevMgr->GetRxLdn();
    if (!CApplyWatch::KeepOnSuccess(m_pDev, [&] { return m_pDev->SendCmd(strLine); },
                                    [strName](CHOIDev *pDone) { pDone->SetVoMode(strName); })) {
        // Unlike the encoder options, the tab stays as it is.
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to apply settings to devices."));
        return false;
    }
    bSent = true;
    return true;
}

void CDlgVideoConfig::slotButtonClicked(QAbstractButton *pButton)
{
    if (ui->buttonBox->standardButton(pButton) != QDialogButtonBox::Apply)
        return;
    ApplySettings();
    m_bAccept = false;
}

void CDlgVideoConfig::accept()
{
    m_bAccept = ApplySettings();
    if (m_bAccept && !m_bWaiting)
        QDialog::accept();
}

void CDlgVideoConfig::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (pDev != m_pDev || emCtrlObj != E_CO_DEV)
        return;
    disconnect(m_pDev, &CHOIDev::OnCmdCompleted, this, &CDlgVideoConfig::slotOnDevCmdCompleted);
    EndWait(eResult == E_CR_SUCCESS);
}

void CDlgVideoConfig::slotOnDevDestroyed()
{
    m_pDev = nullptr;
    if (m_bWaiting)
        EndWait(false);
}

void CDlgVideoConfig::EndWait(bool bSuccess)
{
    m_bWaiting = false;
    // From the event loop: the end may be a drop, reported from inside a
    // layout's abort or a search's walk, which a modal box must not enter.
    QTimer::singleShot(0, this, [this, bSuccess] {
        if (!bSuccess)
            MsgCritical(this, QString(), tr("apply to device failed."));
        setEnabled(true);
        if (m_bAccept)
            QDialog::accept();
    });
}
