// CDlgBatch: construction, the capability enabling, the frame every batch
// operation runs in, the IP page and the failure details.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QEvent>
#include <QIntValidator>
#include <QTreeWidgetItem>

#include "batch/dlgbatchdetail.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "hoiwidget/ipaddrwidget.h"
#include "hoiwidget/widgetgroup.h"
#include "settings/applywatch.h"
#include "uiservices.h"

namespace {

// The per-device progress prefix; the same in every language.
const QString &IsSettingPrefix()
{
    static const QString s_strPrefix = QStringLiteral("is setting ");
    return s_strPrefix;
}

// An IPv4 text as a 32-bit number, first octet most significant.
quint32 IPv4ToNumber(const QString &strAddr)
{
    const QStringList parts = strAddr.split(QLatin1Char('.'));
    quint32 nValue = 0;
    for (int i = 0; i < 4; ++i)
        nValue = (nValue << 8) | (parts.value(i).toUInt() & 0xFF);
    return nValue;
}

QString NumberToIPv4(quint32 nValue)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((nValue >> 24) & 0xFF)
        .arg((nValue >> 16) & 0xFF)
        .arg((nValue >> 8) & 0xFF)
        .arg(nValue & 0xFF);
}

// Devices still answering named on a page's label; beyond, how many.
const int kMaxNamedWaits = 3;

quint32 PushCount(const CHOIDev *pDev)
{
    return pDev->GetComm() ? pDev->GetComm()->GetPushCount() : 0;
}

} // namespace

CDlgBatch::CDlgBatch(QWidget *parent)
    : QDialog(parent)
    , m_nFinishedCount(0)
    , m_nTotalBytes(0)
    , m_nSentBytes(0)
    , m_edidPane(this, staticMetaObject.className())
    , m_nUploadRound(0)
    , m_bFiltering(false)
{
    ui->setupUi(this);
    m_edidPane.Attach({ui->cbEDIDSet, ui->leEDIDFileName, ui->pbUplaodEDIDFile, ui->teEDIDInfo,
                       ui->pbEdidSet_apply});
    DropHelpButton(this);
    ui->chkHexSend_sinkPower->setCurrentIndex(E_BP_IP);
    ui->groupBox->Init(this, nullptr, nullptr);
    InitSerialCombos();
    for (int nMode = 0; nMode <= 1; ++nMode) {
        const QString strName = T_ProdIdInfo::LatencyMode2Name(nMode);
        ui->cmbVideoMode->addItem(strName, strName);
    }

    for (int nPage = 0; nPage < E_BP_COUNT; ++nPage)
        DetailsButton(E_BatchPage(nPage))->hide();
    ui->pBOverlayUpload->setEnabled(false);
    ui->lineEdit->setValidator(new QIntValidator(0, 500, ui->lineEdit));

    ConnectButtons();
    ui->cBdevRestart->setChecked(true);
    slotAllTabEnable(false);
    ConnectChooser();
    connect(ui->edtMsg, &QPlainTextEdit::textChanged, this, &CDlgBatch::slotTextChanged);
    connect(ui->teSinkPower_msgStandby, &QTextEdit::textChanged, this, &CDlgBatch::slotTextChangedStandby);
    connect(ui->teSinkPower_msgPoweron, &QTextEdit::textChanged, this, &CDlgBatch::slotTextChangedPoweron);
    ui->btnSendMsg->setEnabled(false);

    ui->edtIPAddr_mask->SetIPAddress(QStringLiteral("255.255.0.0"));
    m_edidPane.FillList();
    ui->radioButtonJPEG->setChecked(true);
    ui->pbVideoSetApplyAll->hide();
    m_edidPane.SetApplyAllowed(false);
    ui->cbMaxResolution->hide();
    InitEncoderCombos();

    if (g_pHOIDevMgr && !g_pHOIDevMgr->IsLogoEnable()) {
        SetWidgetsVisible({ui->groupBox_Logo, ui->groupBox_9, ui->groupBox_13}, false);
    }

    ui->cbStretchType->setCurrentIndex(1);
    ui->checkBox->setChecked(true);
    ui->spinBox_ScreenTimeOut->setEnabled(ui->checkBox->isChecked());
    ui->chbScreenStop->setEnabled(ui->checkBox->isChecked());
}

void CDlgBatch::ConnectButtons()
{
    connect(ui->chbCEC, &QCheckBox::clicked, this, &CDlgBatch::slotSinkPowerChBClick);
    connect(ui->chbRS232, &QCheckBox::clicked, this, &CDlgBatch::slotSinkPowerChBClick);
    connect(ui->pbIPAddr_apply, &QPushButton::clicked, this, &CDlgBatch::slotIPAddrApply);
    connect(ui->btnOpenMsg, &QPushButton::clicked, this, &CDlgBatch::slotOpenMsg_touchPlay);
    connect(ui->btnCloseMsg, &QPushButton::clicked, this, &CDlgBatch::slotCloseMsg_standby);
    connect(ui->btnSendMsg, &QPushButton::clicked, this, &CDlgBatch::slotSerialSendMsg);
    connect(ui->pbVideoMode_apply, &QPushButton::clicked, this, &CDlgBatch::slotVedioModeApply);
    connect(ui->pbSinkPower_apply, &QPushButton::clicked, this, &CDlgBatch::slotSinkPowerApply);
    connect(ui->pbOthersCommand_apply, &QPushButton::clicked, this, &CDlgBatch::slotOthersApply);
    connect(ui->pbIPAddrDetails, &QPushButton::clicked, this, &CDlgBatch::slotShowIPAddrDetail);
    connect(ui->pbSinkPowerDetails, &QPushButton::clicked, this, &CDlgBatch::slotShowSinkPowerDetail);
    connect(ui->pbOthersDetails, &QPushButton::clicked, this, &CDlgBatch::slotShowOthersDetail);
}

void CDlgBatch::ConnectChooser()
{
    QDevFilterGroupBox *pChooser = ui->groupBox;
    connect(pChooser, &QDevFilterGroupBox::signalIsSupportLogo, this, &CDlgBatch::slotLogoInit);
    connect(pChooser, &QDevFilterGroupBox::signalIsVideoBitrate, this, &CDlgBatch::slotVideoBitrate);
    connect(pChooser, &QDevFilterGroupBox::signalIsTransport, this, &CDlgBatch::slotIsTransport);
    connect(pChooser, &QDevFilterGroupBox::signalMaxResolution, this, &CDlgBatch::slotIsMaxRelution);
    connect(pChooser, &QDevFilterGroupBox::signalAllTabEnable, this, &CDlgBatch::slotAllTabEnable);
    connect(pChooser, &QDevFilterGroupBox::signalAllDevApply, this, &CDlgBatch::slotAllDevApply);
    connect(pChooser, &QDevFilterGroupBox::signalIsHisiDev, this, &CDlgBatch::slotIsHisiDev);
    connect(pChooser, &QDevFilterGroupBox::signalIsTX, this, &CDlgBatch::slotIsTX);
    connect(pChooser, &QDevFilterGroupBox::signalIsWp, this, &CDlgBatch::slotIsWp);
    connect(pChooser, &QDevFilterGroupBox::signalIsAudioDelay, this, &CDlgBatch::soltIsAudioDelay);
    connect(pChooser, &QDevFilterGroupBox::signalAudioDelay, this, &CDlgBatch::slotAudioDelay);
    connect(pChooser, &QDevFilterGroupBox::signalIsOverlayImage, this, &CDlgBatch::soltIsOverlayImage);
    connect(pChooser, &QDevFilterGroupBox::signalIsIdleImage, this, &CDlgBatch::soltIsIdleImage);
    connect(pChooser, &QDevFilterGroupBox::signalIsBatchCEC, this, &CDlgBatch::soltIsBatchCEC);
    connect(pChooser, &QDevFilterGroupBox::signalIsSinkPowerRS, this, &CDlgBatch::soltIsSinkPowerRS);
    connect(pChooser, &QDevFilterGroupBox::signalIsGW, this, &CDlgBatch::soltIsGW);
    // The second receiver of signalIsTX must run after slotIsTX.
    connect(pChooser, &QDevFilterGroupBox::signalIsTX, this, &CDlgBatch::slotVX7100IsTX);
    connect(pChooser, &QDevFilterGroupBox::signalForceResolution, this, &CDlgBatch::slotForceResolution);
}

CDlgBatch::~CDlgBatch()
{
    // Pending uploads end with the dialog; their replies would have nobody
    // to count them.
    DropUploads();
}

void CDlgBatch::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form's text pass also blanks what the operations wrote.
        QList<QLabel *> kept = {ui->lbResultIPAddr, ui->lbResultVideoSet, ui->lbResultImage,
                                ui->lbResultAudio, ui->lbResultSerialSet, ui->lbResultSinkPower,
                                ui->lbResultEdidSet, ui->lbResultOthers, ui->label_pro,
                                ui->label_Size_bg, ui->label_SizeTatol_bg, ui->label_SizeTatol_Logo,
                                ui->label_41, ui->label_42, ui->label_51, ui->label_52};
        QStringList texts;
        for (QLabel *pLabel : qAsConst(kept))
            texts << pLabel->text();
        ui->retranslateUi(this);
        for (int i = 0; i < kept.size(); ++i)
            kept[i]->setText(texts.at(i));
        m_edidPane.Retranslate();
    }
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// The chooser's owner interface

bool CDlgBatch::GetHeaderLabels(QStringList &headers)
{
    headers << QString() << tr("Alias") << tr("Hostname");
    return true;
}

QTreeWidgetItem *CDlgBatch::CreateDevItem(CHOIDev *pDev)
{
    // A gateway's virtual TX takes no lines: every operation would fail on it.
    if (!pDev || !CHOIDevMgr::IsAvUnit(pDev) || !pDev->HasOwnLink())
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

void CDlgBatch::OnDevItemAdded(QTreeWidget *, CHOIDev *, QTreeWidgetItem *)
{
}

void CDlgBatch::OnCurrentDevItemChanged(QTreeWidgetItem *)
{
}

void CDlgBatch::OnDevItemCheckChanged(QTreeWidgetItem *)
{
    // The Image page's last result speaks of other devices now; a round
    // still under way shows its own when it ends.
    if (!IsUploadRoundOpen())
        ClearImageResult();
}

// ---------------------------------------------------------------------------
// Capability of the checked devices

void CDlgBatch::slotLogoInit(bool bIsLogo)
{
    ui->pushBtnSelect_Logo->setEnabled(bIsLogo);
    ui->label_Size_bg->setText(bIsLogo ? tr("Image Resolution: 1280X720")
                                       : tr("Image Resolution: 1920X1080"));
}

void CDlgBatch::slotVideoBitrate(bool bFlag)
{
    const int nMax = bFlag ? 30720 : 40960;
    const QString strRange = bFlag ? QStringLiteral("64~30720") : QStringLiteral("64~40960");
    ui->sbVBRMaxBitrate->setRange(64, nMax);
    ui->sbCBRAvgBitrate->setRange(64, nMax);
    ui->label_51->setText(strRange);
    ui->label_52->setText(strRange);
}

void CDlgBatch::slotIsTransport(bool bFlag)
{
    SetWidgetsVisible({ui->label_57, ui->cbTranType, ui->wdTransportType}, bFlag);
}

void CDlgBatch::slotIsMaxRelution(bool bFlag)
{
    SetWidgetsVisible({ui->label_59, ui->cbMaxResolution, ui->wdMaxResolution}, bFlag);
}

void CDlgBatch::slotAllTabEnable(bool bFlag)
{
    SetWidgetsEnabled({ui->pbIPAddr_apply,     ui->pbVideo_HDCP_apply,    ui->pbVideo_HDMI_apply,
                       ui->pbVideo_Screen_apply, ui->pbVideo_Stretch_apply, ui->pbVideo_Rotate_apply,
                       ui->pbEnablePreviewApply, ui->pbVideoQualityApply, ui->pbAllVideo_apply,
                       ui->pbVideoMode_apply,  ui->pbAdvanced_apply,      ui->pushBtnSelect_bg,
                       ui->pushBtnUpload_bg,   ui->pbApplyOSDMethod,      ui->pushBtnSelect_Logo,
                       ui->pushBtnUpload_Logo, ui->pBOverlaySelect,       ui->pBOverlayUpload,
                       ui->pBOverlayApply,     ui->pushBtnApply,          ui->pushButtonOK,
                       ui->pbSerialSet_apply,  ui->btnSendMsg,            ui->groupBox_13,
                       ui->btnOpenMsg,         ui->btnCloseMsg,           ui->pbUplaodEDIDFile,
                       ui->cbEDIDSet,          ui->pbOthersCommand_apply, ui->pbHdcpSettings,
                       ui->pbVideoSetApplyAll},
                      bFlag);
    m_edidPane.SetApplyAllowed(bFlag);

    ui->lineEditFilePath_bg->clear();
    ui->lineEditFilePath_Logo->clear();
    ui->lineEditFilePath->clear();
    ui->labelPicture_bg->clear();
    ui->labelPicture_Logo->clear();
    ui->labelPicture->clear();
    ui->radioBtn_HDCP_E->setChecked(true);
    ui->radioButtonJPEG->setEnabled(true);
    ui->radioButtonH->setEnabled(true);
    ui->gbAdvance->setChecked(bFlag);
    ui->gbAdvance->setEnabled(bFlag);
    ui->leEDIDFileName->clear();
    ui->cbEDIDSet->setCurrentIndex(0);
    SetWidgetsEnabled({ui->gbTimeoutSet, ui->cbVoResulotion, ui->pbForce}, bFlag);
}

void CDlgBatch::slotAllDevApply(bool bFlag)
{
    SetWidgetsEnabled({ui->pbIPAddr_apply, ui->pbOthersCommand_apply, ui->btnSendMsg}, bFlag);
}

void CDlgBatch::slotIsHisiDev(bool bFlag, bool bVideoSet)
{
    ui->radioButtonJPEG->setEnabled(false);
    ui->radioButtonJPEG->setChecked(!bFlag);
    ui->radioButtonH->setEnabled(false);
    ui->radioButtonH->setChecked(bFlag);
    SetWidgetsEnabled({ui->pbVideo_HDCP_apply, ui->pbVideo_HDMI_apply, ui->pbVideo_Screen_apply,
                       ui->pbVideo_Stretch_apply, ui->pbVideo_Rotate_apply, ui->pbAllVideo_apply,
                       ui->pbEnablePreviewApply, ui->pbVideoQualityApply},
                      bVideoSet);
    ui->pbSerialSet_apply->setEnabled(!bFlag);
    if (!bFlag) {
        if (bVideoSet) {
            ui->pbApplyOSDMethod->setEnabled(false);
        } else {
            EnableEdidPage();
            ui->gbTimeoutSet->setEnabled(true);
        }
    }
    // Products of either family whose device menu has "EDID Settings" take
    // the same EDID here.
    if (ui->groupBox->IsAllSupportEdidSetting())
        EnableEdidPage();
}

void CDlgBatch::EnableEdidPage()
{
    m_edidPane.SetApplyAllowed(true);
    m_edidPane.EnableChoice();
}

void CDlgBatch::EnableEncoderControls(bool bOn)
{
    SetWidgetsEnabled({ui->gbAdvance, ui->pbAdvanced_apply, ui->pbVideoSetApplyAll}, bOn);
}

void CDlgBatch::EnableDecoderControls(bool bOn)
{
    SetWidgetsEnabled({ui->pushBtnSelect_bg, ui->pbApplyOSDMethod, ui->btnOpenMsg, ui->btnCloseMsg,
                       ui->groupBox_13, ui->chbCEC},
                      bOn);
}

void CDlgBatch::slotIsTX(bool bFlag)
{
    EnableEncoderControls(bFlag);
    EnableDecoderControls(!bFlag);
    ui->pbHdcpSettings->setEnabled(bFlag);
    ui->pbVideoMode_apply->setEnabled(true);
    if (bFlag) {
        // This runs again after the CEC and RS-232 display power signals:
        // an encoder whose product has them keeps them.
        if (ui->groupBox->IsAllSupportCec())
            soltIsBatchCEC(true);
        if (ui->groupBox->IsAllSupportSinkTxRS())
            soltIsSinkPowerRS(true);
    }
}

void CDlgBatch::slotIsWp(bool bFlag)
{
    // A wall processor encodes and decodes.
    EnableEncoderControls(bFlag);
    EnableDecoderControls(bFlag);
    ui->pbHdcpSettings->setEnabled(!bFlag);
    ui->pbVideoMode_apply->setEnabled(bFlag);
}

void CDlgBatch::soltIsAudioDelay(bool bFlag)
{
    ui->pushButtonOK->setEnabled(bFlag);
    SetWidgetsEnabled({ui->btnOpenMsg, ui->btnCloseMsg, ui->pbVideoMode_apply}, !bFlag);
    ui->groupBox_13->setEnabled(bFlag);
    SetWidgetsEnabled({ui->pushBtnSelect_bg, ui->pbApplyOSDMethod}, !bFlag);
}

void CDlgBatch::slotAudioDelay(bool bFlag)
{
    ui->pushButtonOK->setEnabled(bFlag);
}

void CDlgBatch::soltIsOverlayImage(bool bFlag)
{
    SetWidgetsEnabled({ui->pBOverlaySelect, ui->pBOverlayApply, ui->pushBtnApply}, bFlag);
}

void CDlgBatch::soltIsIdleImage(bool bIsLogo)
{
    ui->pushBtnSelect_bg->setEnabled(bIsLogo);
}

void CDlgBatch::soltIsBatchCEC(bool bFlag)
{
    SetWidgetsEnabled({ui->btnOpenMsg, ui->btnCloseMsg}, bFlag);
}

void CDlgBatch::soltIsSinkPowerRS(bool bFlag)
{
    ui->groupBox_13->setEnabled(bFlag);
    ui->chbCEC->setEnabled(!bFlag);
}

void CDlgBatch::soltIsGW(bool)
{
    slotAllTabEnable(false);
}

void CDlgBatch::slotVX7100IsTX(bool bFlag)
{
    SetWidgetsEnabled({ui->pbVideo_HDCP_apply, ui->pbVideo_HDMI_apply, ui->pbVideo_Screen_apply,
                       ui->pbVideo_Stretch_apply, ui->pbVideo_Rotate_apply},
                      !bFlag);
    SetWidgetsEnabled({ui->pbEnablePreviewApply, ui->pbVideoQualityApply}, bFlag);
}

void CDlgBatch::on_chkHexSend_sinkPower_currentChanged(int)
{
}

void CDlgBatch::slotSinkPowerChBClick()
{
    ui->pbSinkPower_apply->setEnabled(ui->chbCEC->isChecked() || ui->chbRS232->isChecked());
    ui->gbRS232Setting->setEnabled(ui->chbRS232->isChecked());
}

// ---------------------------------------------------------------------------
// The batch frame

QList<CHOIDev *> &CDlgBatch::FailList(E_BatchPage ePage)
{
    switch (ePage) {
    case E_BP_IP:
        return m_listIPFail;
    case E_BP_VIDEO:
        return m_listVideoFail;
    case E_BP_IMAGE:
        return m_listImageFail;
    case E_BP_AUDIO:
        return m_listAudioFail;
    case E_BP_SERIAL:
        return m_listSerialFail;
    case E_BP_POWER:
        return m_listPowerFail;
    case E_BP_EDID:
        return m_listEdidFail;
    case E_BP_OTHERS:
    default:
        return m_listOthersFail;
    }
}

QLabel *CDlgBatch::ResultLabel(E_BatchPage ePage) const
{
    QLabel *const labels[E_BP_COUNT] = {
        ui->lbResultIPAddr, ui->lbResultVideoSet,  ui->lbResultImage,   ui->lbResultAudio,
        ui->lbResultSerialSet, ui->lbResultSinkPower, ui->lbResultEdidSet, ui->lbResultOthers,
    };
    return labels[ePage];
}

QPushButton *CDlgBatch::DetailsButton(E_BatchPage ePage) const
{
    QPushButton *const buttons[E_BP_COUNT] = {
        ui->pbIPAddrDetails,    ui->pbVideoSetDetails,  ui->pbImageDetails,   ui->pbAudioDetails,
        ui->pbSerialSetDetails, ui->pbSinkPowerDetails, ui->pbEdidSetDetails, ui->pbOthersDetails,
    };
    return buttons[ePage];
}

bool CDlgBatch::TakeCheckedDevs(QList<CHOIDev *> &devs)
{
    devs = ui->groupBox->GetCheckedDevList();
    if (devs.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        setDisabled(false);
        return false;
    }
    return true;
}

bool CDlgBatch::StartBatch(E_BatchPage ePage, QList<CHOIDev *> &devs)
{
    setDisabled(true);
    if (ePage != E_BP_IMAGE) {
        FailList(ePage).clear();
        return TakeCheckedDevs(devs);
    }
    // An Image setting ends the count of an upload round still under way.
    ClearImageResult();
    BeginImageOperation();
    const bool bAny = TakeCheckedDevs(devs);
    m_listCurDev = devs;
    return bAny;
}

void CDlgBatch::RunBatch(E_BatchPage ePage, const DevCall &call)
{
    QList<CHOIDev *> devs;
    if (StartBatch(ePage, devs))
        ApplyToDevs(ePage, devs, call);
}

bool CDlgBatch::RefuseBatch(const QString &strText, QWidget *pFocus)
{
    MsgCritical(this, QString(), strText);
    // A widget of a disabled dialog refuses the focus: enable first.
    setDisabled(false);
    if (pFocus)
        pFocus->setFocus(Qt::OtherFocusReason);
    return false;
}

void CDlgBatch::ShowDevProgress(E_BatchPage ePage, CHOIDev *pDev)
{
    ResultLabel(ePage)->setText(IsSettingPrefix() + pDev->GetDisplayName());
}

void CDlgBatch::ApplyToDevs(E_BatchPage ePage, const QList<CHOIDev *> &devs, const DevCall &call)
{
    // Every device counts once its queue has ended: drained, given up after
    // the link's own retries, or dropped. Waiting for all of them from the
    // start, the round cannot end before its last device has been called.
    m_eWaitPage = ePage;
    m_nWaitDevCount = devs.size();
    m_linkWaits = devs;
    m_bCalling = true;
    for (CHOIDev *pDev : devs) {
        if (pDev)
            ShowDevProgress(ePage, pDev);
        if (!pDev || !pDev->m_bOnLine) {
            LinkAnswered(pDev, false);
            continue;
        }
        // Told by what the call pushed, not by what is queued: the queue may
        // hold someone else's lines, whose end says nothing of this call.
        const quint32 nPushed = PushCount(pDev);
        // Listened to before the call: a queue given up at once ends inside it.
        connect(pDev, &CHOIDev::OnCmdCompleted, this,
                [this, nPushed](CHOIDev *pFrom, E_ControlObject eObj, E_CommResult eResult) {
                    if (eObj == E_CO_DEV && PushCount(pFrom) != nPushed)
                        LinkAnswered(pFrom, eResult == E_CR_SUCCESS);
                });
        connect(pDev, &QObject::destroyed, this, [this, pDev]() { LinkAnswered(pDev, false); });
        const bool bOk = call(pDev);
        // A call that queued nothing has no queue end to wait for.
        if (!bOk || PushCount(pDev) == nPushed)
            LinkAnswered(pDev, bOk);
    }
    m_bCalling = false;
    ShowLinkWaits();
}

void CDlgBatch::LinkAnswered(CHOIDev *pDev, bool bOk)
{
    if (!m_linkWaits.removeOne(pDev))
        return;
    if (pDev)
        pDev->disconnect(this);
    if (!bOk)
        FailList(m_eWaitPage).append(pDev);
    if (m_linkWaits.isEmpty())
        FinishBatch(m_eWaitPage, m_nWaitDevCount);
    else if (!m_bCalling)
        ShowLinkWaits();
}

void CDlgBatch::ShowLinkWaits()
{
    if (m_linkWaits.isEmpty())
        return;
    // The last device called may have answered long ago. Names only for a
    // few: a large round counts down at every answer.
    QString strWaits;
    if (m_linkWaits.size() > kMaxNamedWaits) {
        strWaits = tr("%1 devices").arg(m_linkWaits.size());
    } else {
        QStringList names;
        for (CHOIDev *pDev : qAsConst(m_linkWaits))
            names << pDev->GetDisplayName();
        strWaits = names.join(QStringLiteral(", "));
    }
    ResultLabel(m_eWaitPage)->setText(IsSettingPrefix() + strWaits);
}

QString CDlgBatch::ResultText(int nDevCount, int nFailCount) const
{
    return tr("succeed: %1, fail: %2.").arg(nDevCount - nFailCount).arg(nFailCount);
}

void CDlgBatch::FinishBatch(E_BatchPage ePage, int nDevCount)
{
    ResultLabel(ePage)->setText(ResultText(nDevCount, FailList(ePage).size()));
    DetailsButton(ePage)->show();
    setDisabled(false);
}

// ---------------------------------------------------------------------------
// IP page

bool CDlgBatch::CheckIPRange(const QString &strBegin, const QString &strEnd, const QString &strMask,
                             int nDevCount)
{
    if (strBegin == QLatin1String("0.0.0.0"))
        return RefuseBatch(tr("IP Address begin is empty."), ui->edtIPAddr_begin);
    if (strEnd == QLatin1String("0.0.0.0"))
        return RefuseBatch(tr("IP Address end is empty."), ui->edtIPAddr_end);
    if (strMask == QLatin1String("0.0.0.0"))
        return RefuseBatch(tr("subnet mask is empty."), ui->edtIPAddr_mask);
    const quint32 nBegin = IPv4ToNumber(strBegin);
    const quint32 nEnd = IPv4ToNumber(strEnd);
    const quint32 nBegin1 = nBegin >> 24;
    const quint32 nEnd1 = nEnd >> 24;
    if (nBegin1 == 0 || nBegin1 == 255)
        return RefuseBatch(tr("The first IP segment may not enter 0 or 255"), ui->edtIPAddr_begin);
    if (nEnd1 == 0 || nEnd1 == 255)
        return RefuseBatch(tr("The first IP segment may not enter 0 or 255"), ui->edtIPAddr_end);
    if (nEnd < nBegin) {
        // The message names the octet where the range turns round.
        const bool bThird = (nEnd >> 16) == (nBegin >> 16)
                            && ((nEnd >> 8) & 0xFF) < ((nBegin >> 8) & 0xFF);
        return RefuseBatch(bThird ? tr("The IP address end cannot be less than the first IP address begin.")
                                  : tr("The IP address end cannot be less than the IP address begin."));
    }
    if (quint64(nEnd) - nBegin + 1 < quint64(nDevCount))
        return RefuseBatch(tr("the total number of IP address is less than the total number of devices."));
    // The address set every device would refuse, as General Settings checks
    // it; both ends of the range, since every address between them is alike.
    // A refused field takes the focus, so the dialog is enabled first.
    setDisabled(false);
    if (!QIPAddrWidget::CheckAddressSet(this, QString(), ui->edtIPAddr_begin, ui->edtIPAddr_mask,
                                        ui->edtIPAddr_geteway)
        || !QIPAddrWidget::CheckAddressSet(this, QString(), ui->edtIPAddr_end, ui->edtIPAddr_mask,
                                           ui->edtIPAddr_geteway))
        return false;
    setDisabled(true);
    return true;
}

void CDlgBatch::slotIPAddrApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_IP, devs))
        return;
    const QString strBegin = ui->edtIPAddr_begin->GetIPAddress();
    const QString strMask = ui->edtIPAddr_mask->GetIPAddress();
    const QString strGateway = ui->edtIPAddr_geteway->GetIPAddress();
    if (!CheckIPRange(strBegin, ui->edtIPAddr_end->GetIPAddress(), strMask, devs.size()))
        return;
    if (MsgQuestion(this, QString(), tr("Are you sure you want to set ip address?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes) {
        setDisabled(false);
        return;
    }

    const quint32 nBegin = IPv4ToNumber(strBegin);
    const bool bRestart = ui->cBdevRestart->isChecked();
    ApplyToDevs(E_BP_IP, devs, [&](CHOIDev *pDev) {
        // A failed device still uses up its address.
        const QString strAddr = NumberToIPv4(nBegin + quint32(devs.indexOf(pDev)));
        return CApplyWatch::KeepOnSuccess(
            pDev,
            [&] {
                if (!pDev->ApplyIPToDev(CHOIDev::E_IM_STATIC, strAddr, strMask, strGateway, false))
                    return false;
                if (bRestart)
                    pDev->Reboot();
                return true;
            },
            [=](CHOIDev *pDone) { pDone->KeepIPSettings(CHOIDev::E_IM_STATIC, strAddr, strMask, strGateway); });
    });
}

// ---------------------------------------------------------------------------
// Failure details

void CDlgBatch::ShowDetails(const QList<CHOIDev *> &devs)
{
    // A device the manager has dropped since the operation is not shown.
    const QList<CHOIDev *> known = g_pHOIDevMgr ? g_pHOIDevMgr->GetDevList() : QList<CHOIDev *>();
    QList<CHOIDev *> listed;
    for (CHOIDev *pDev : devs) {
        if (known.contains(pDev))
            listed.append(pDev);
    }
    CDlgBatchDetail dlg(listed, nullptr);
    dlg.exec();
}

void CDlgBatch::slotShowIPAddrDetail()
{
    ShowDetails(m_listIPFail);
}

void CDlgBatch::on_pbVideoSetDetails_clicked()
{
    ShowDetails(m_listVideoFail);
}

void CDlgBatch::on_pbImageDetails_clicked()
{
    ShowDetails(m_listImageFail);
}

void CDlgBatch::on_pbAudioDetails_clicked()
{
    ShowDetails(m_listAudioFail);
}

void CDlgBatch::on_pbSerialSetDetails_clicked()
{
    ShowDetails(m_listSerialFail);
}

void CDlgBatch::slotShowSinkPowerDetail()
{
    ShowDetails(m_listPowerFail);
}

void CDlgBatch::on_pbEdidSetDetails_clicked()
{
    ShowDetails(m_listEdidFail);
}

void CDlgBatch::slotShowOthersDetail()
{
    ShowDetails(m_listOthersFail);
}
