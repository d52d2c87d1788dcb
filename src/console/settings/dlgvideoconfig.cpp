// CDlgVideoConfig: building the form, tailoring it to the device's product
// and type, loading the device's cached values and keeping the form
// consistent. Applying is in dlgvideoconfig_apply.cpp.
#include "settings/dlgvideoconfig.h"
#include "ui_dlgvideoconfig.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "hoiwidget/widgetgroup.h"
#include "settings/resolutioncombo.h"

namespace {

struct T_InputCaption
{
    const char *pszKey;
    const char *pszText;
};

// Captions of the input keys; "hdmi2" is shown as "HDMI IN2".
const T_InputCaption kInputCaptions[] = {
    {"auto", "AUTO"},     {"hdmi", "HDMI IN"}, {"vga", "VGA IN"},   {"cvbs", "CVBS IN"},
    {"linein", "LINE IN"}, {"dvi", "DVI IN"},   {"hdbt", "HDBT IN"},
};

// Encoder profiles, sent as the third field of the video input.
struct T_Profile
{
    const char *pszText;
    const char *pszValue;
};

const T_Profile kProfiles[] = {
    {QT_TRANSLATE_NOOP("CDlgVideoConfig", "H.264 High Profile"), "hp"},
    {QT_TRANSLATE_NOOP("CDlgVideoConfig", "H.264 Main Profile"), "mp"},
    {QT_TRANSLATE_NOOP("CDlgVideoConfig", "H.264 Baseline Profile"), "bp"},
};
const int kProfileCount = int(sizeof(kProfiles) / sizeof(kProfiles[0]));

const int kInputColumns = 4;
const int kMaxQP = 51;
const int kMinBitrate = 64;
const int kMaxBitrate = 40960;
const int kMaxBitrateLimited = 30720;

QString InputCaption(const QString &strEntry)
{
    for (const T_InputCaption &row : kInputCaptions) {
        const QString strKey = QLatin1String(row.pszKey);
        if (strEntry.left(strKey.size()).toLower() == strKey)
            return QLatin1String(row.pszText) + strEntry.mid(strKey.size());
    }
    return strEntry;
}

void FillTextCombo(QComboBox *pCombo, const QString &strList)
{
    const QStringList items = strList.split(QLatin1Char(','));
    for (const QString &strItem : items) {
        if (!strItem.isEmpty())
            pCombo->addItem(strItem, strItem);
    }
}

void SelectData(QComboBox *pCombo, const QString &strValue)
{
    const int nIndex = pCombo->findData(strValue);
    if (nIndex >= 0)
        pCombo->setCurrentIndex(nIndex);
}

// Colour spaces are sent in lower case and so come back that way from the
// cache, while the product lists them as written ("RGB").
void SelectColorSpace(QComboBox *pCombo, const QString &strValue)
{
    const int nIndex = pCombo->findData(strValue, Qt::UserRole, Qt::MatchFixedString);
    if (nIndex >= 0)
        pCombo->setCurrentIndex(nIndex);
}

void SelectIntData(QComboBox *pCombo, int nValue)
{
    for (int i = 0; i < pCombo->count(); ++i) {
        if (CDlgVideoConfig::EnumValue(pCombo->itemData(i)) == nValue) {
            pCombo->setCurrentIndex(i);
            return;
        }
    }
}

const T_ProdIdInfo &ProductOf(CHOIDev *pDev)
{
    static const T_ProdIdInfo empty;
    const T_ProdIdInfo *pProd = g_pHOIDevMgr ? g_pHOIDevMgr->GetProdIdInfo(pDev) : nullptr;
    return pProd ? *pProd : empty;
}

} // namespace

int CDlgVideoConfig::EnumValue(const QVariant &value)
{
    if (!value.isValid())
        return -1;
    if (value.userType() == qMetaTypeId<E_FPSMode>())
        return value.value<E_FPSMode>();
    if (value.userType() == qMetaTypeId<E_TrasportType>())
        return value.value<E_TrasportType>();
    if (value.userType() == qMetaTypeId<E_DVI_I_Mode>())
        return value.value<E_DVI_I_Mode>();
    if (value.userType() == QMetaType::QString || value.userType() == QMetaType::QByteArray) {
        bool bNumber = false;
        const int nValue = value.toString().toInt(&bNumber);
        return bNumber ? nValue : -1;
    }
    return value.toInt();
}

CDlgVideoConfig::CDlgVideoConfig(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_bAccept(false)
    , m_nCurTab(0)
    , m_bWaiting(false)
{
    qRegisterMetaType<E_DVI_I_Mode>("E_DVI_I_Mode");
    ui->setupUi(this);
    DropHelpButton(this);
    connect(ui->buttonBox, &QDialogButtonBox::clicked, this, &CDlgVideoConfig::slotButtonClicked);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &CDlgVideoConfig::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &CDlgVideoConfig::reject);
    SetButtonTexts();
    ui->buttonBox->button(QDialogButtonBox::Ok)->hide();
    if (!m_pDev)
        return;
    // Removed from the manager, a device is closed quietly: no end of its
    // queue follows.
    connect(m_pDev, &QObject::destroyed, this, &CDlgVideoConfig::slotOnDevDestroyed);

    // A copy: the manager's record may change while the dialog is open.
    const T_ProdIdInfo prod = ProductOf(m_pDev);
    LoadInputs(prod.tx_video_input);
    LoadEncoderOutput(prod.force_resolution, prod.force_color_space);
    LoadHdcp(prod.hdcp_enable);
    const bool bDecoder = !(prod.vrx_force_resolution.isEmpty() && prod.CVBS_Resolution.isEmpty()
                            && prod.VGA_Resolution.isEmpty() && prod.DVID_Resolution.isEmpty()
                            && prod.YPbPr_Resolution.isEmpty());
    if (bDecoder)
        LoadDecoderOutputs(prod);
    else
        HideDecoderOutputs();
    LoadMultiScreenVga(prod.ZK_VGA_Resolu);
    LoadEncoderOptions();

    ui->gbAdvance->setChecked(false);
    UpdateWidgetsByDevType();
    ui->gbLowDelay->setChecked(false);
    ui->wdMaxResolution->hide();
    UpdateWidgetsByProduct();
    FitEveryTab();
}

void CDlgVideoConfig::FitEveryTab()
{
    // The layouts of pages not shown yet keep their old sizes until shown:
    // bring them up to date, inner ones first, so that the size fits every
    // tab and stays when the operator switches between them.
    const QList<QLayout *> layouts = findChildren<QLayout *>();
    for (auto it = layouts.crbegin(); it != layouts.crend(); ++it)
        (*it)->activate();
    adjustSize();
}

CDlgVideoConfig::~CDlgVideoConfig() = default;

QStringList CDlgVideoConfig::AllowedVideoInputs(const QString &strInputs, int nIndex)
{
    if (strInputs.isEmpty() || nIndex < 0)
        return QStringList();
    const QStringList segments = strInputs.split(QLatin1Char('|'));
    if (segments.size() <= nIndex)
        return QStringList();
    return segments.at(nIndex).split(QLatin1Char(','));
}

QList<QComboBox *> CDlgVideoConfig::OutputCombos() const
{
    return {ui->cbVoColorSpace2,    ui->cbVoVRXResulotion, ui->cbSelectMode,     ui->cbVoCVBSResulotion,
            ui->cbVGAResolution,    ui->cbDVI_DResolution, ui->cbYPbPrResolution};
}

void CDlgVideoConfig::LoadInputs(const QString &strInputs)
{
    const QStringList inputs = AllowedVideoInputs(strInputs, m_pDev->GetHostIndex() - 1);
    const QString strCurrent = m_pDev->GetVideoInputName().toLower();
    for (int i = 0; i < inputs.size(); ++i) {
        const QString &strEntry = inputs.at(i);
        QRadioButton *pButton = new QRadioButton(ui->gbVideoInput);
        m_inputButtons.append(pButton);
        pButton->setText(InputCaption(strEntry));
        if (strEntry == strCurrent || inputs.size() == 1) {
            pButton->setChecked(true);
            pButton->setEnabled(inputs.size() > 1);
        }
        pButton->setProperty("value", strEntry);
        ui->gridLayoutVI->addWidget(pButton, i / kInputColumns, i % kInputColumns);
    }
    ui->gbVideoInput->setVisible(!inputs.isEmpty());
}

void CDlgVideoConfig::LoadEncoderOutput(const QString &strResolutions, const QString &strColorSpaces)
{
    FillResolutionCombo(ui->cbVoResulotion, strResolutions);
    SelectData(ui->cbVoResulotion, m_pDev->GetForceResolution());
    FillTextCombo(ui->cbVoColorSpace, strColorSpaces);
    SelectColorSpace(ui->cbVoColorSpace, m_pDev->GetColorSpace());

    const bool bResolution = ui->cbVoResulotion->count() > 0;
    const bool bColorSpace = ui->cbVoColorSpace->count() > 0;
    ui->cbVoResulotion->setEnabled(bResolution);
    ui->cbVoResulotion->setVisible(bResolution);
    ui->label_4->setVisible(bResolution);
    ui->label_7->setVisible(bColorSpace);
    ui->cbVoColorSpace->setVisible(bColorSpace);
    ui->gbVideoOutput->setVisible(bResolution || bColorSpace);
}

void CDlgVideoConfig::LoadHdcp(bool bHdcp)
{
    ui->GruopBHDCP->setVisible(bHdcp);
    if (!bHdcp)
        return;
    if (m_pDev->GetHdcpEnable())
        ui->radioBtn_HDCP_E->setChecked(true);
    else
        ui->radioBtn_HDCP_D->setChecked(true);
}

void CDlgVideoConfig::LoadDecoderOutputs(const T_ProdIdInfo &prod)
{
    LoadOutputSelection(prod.force_color_space);
    const struct
    {
        QComboBox *pCombo;
        QString strList;
        QString strCurrent;
    } outputs[] = {
        {ui->cbVoVRXResulotion, prod.vrx_force_resolution, m_pDev->GetHdmiResolution()},
        {ui->cbVoCVBSResulotion, prod.CVBS_Resolution, m_pDev->GetCvbsResolution()},
        {ui->cbVGAResolution, prod.VGA_Resolution, m_pDev->GetVgaResolution()},
        {ui->cbDVI_DResolution, prod.DVID_Resolution, m_pDev->GetDviDResolution()},
        {ui->cbYPbPrResolution, prod.YPbPr_Resolution, m_pDev->GetYPbPrResolution()},
    };
    for (const auto &output : outputs) {
        FillResolutionCombo(output.pCombo, output.strList);
        SelectData(output.pCombo, output.strCurrent);
    }
    // The hardware DIP switch, when it decides, disables them again.
    for (QComboBox *pCombo : OutputCombos())
        pCombo->setEnabled(true);
    if (m_pDev->GetHwDipEnable() == 1)
        ui->radioBtn_Enable->setChecked(true);
    else
        ui->radioBtn_Disable->setChecked(true);
}

void CDlgVideoConfig::HideDecoderOutputs()
{
    ui->gbVideoOutput_3->hide();
    for (QComboBox *pCombo : OutputCombos()) {
        pCombo->setEnabled(false);
        pCombo->hide();
    }
    for (QRadioButton *pButton : {ui->radioBtn_Enable, ui->radioBtn_Disable}) {
        pButton->setEnabled(false);
        pButton->hide();
    }
}

void CDlgVideoConfig::LoadMultiScreenVga(const QString &strResolutions)
{
    FillResolutionCombo(ui->cbVoVGAResulotion, strResolutions);
    SelectData(ui->cbVoVGAResulotion, m_pDev->GetMultiScreenVgaResolution());
    const bool bVga = ui->cbVoVGAResulotion->count() > 0;
    ui->cbVoVGAResulotion->setVisible(bVga);
    ui->gbVideoOutput_4->setVisible(bVga);
    ui->label_34->setVisible(bVga);
}

void CDlgVideoConfig::LoadOutputSelection(const QString &strColorSpaces)
{
    for (int i = E_DIM_HDMI; i <= E_DIM_YPBPR; ++i)
        ui->cbSelectMode->addItem(T_ProdIdInfo::VideoInput2Name(i), QVariant::fromValue(E_DVI_I_Mode(i)));
    const int nMode = ui->cbSelectMode->findText(m_pDev->GetOutputDip());
    if (nMode >= 0)
        ui->cbSelectMode->setCurrentIndex(nMode);
    ui->cbSelectMode->setEnabled(true);
    on_cbSelectMode_currentIndexChanged(ui->cbSelectMode->currentIndex());

    FillTextCombo(ui->cbVoColorSpace2, strColorSpaces);
    SelectColorSpace(ui->cbVoColorSpace2, m_pDev->GetColorSpace());
    const bool bColorSpace = ui->cbVoColorSpace2->count() > 0;
    ui->cbVoColorSpace2->setVisible(bColorSpace);
    ui->label_40->setVisible(bColorSpace);

    // A decoder sets its colour space with its output; the encoder's colour
    // step must not run as well.
    ui->gbVideoOutput->hide();
    ui->label_7->hide();
    ui->cbVoColorSpace->hide();
    ui->cbVoColorSpace->clear();
}

void CDlgVideoConfig::LoadEncoderOptions()
{
    // The cache holds the enum; a name text, as a project may hold it, is
    // matched by the shown name.
    auto selectCached = [this](QComboBox *pCombo, int nOption) {
        QVariant cached;
        if (!m_pDev->GetOptionValue(nOption, cached))
            return;
        const int nByName = cached.userType() == QMetaType::QString ? pCombo->findText(cached.toString()) : -1;
        if (nByName >= 0)
            pCombo->setCurrentIndex(nByName);
        else
            SelectIntData(pCombo, EnumValue(cached));
    };

    ui->cbEncMode->clear();
    for (int i = E_FPSM_VBR; i <= E_FPSM_FIXQP; ++i)
        ui->cbEncMode->addItem(T_ProdIdInfo::FPSMode2Name(i), QVariant::fromValue(E_FPSMode(i)));
    selectCached(ui->cbEncMode, E_EP_ENC_RC_MODE);
    on_cbEncMode_currentIndexChanged(ui->cbEncMode->currentIndex());

    ui->cbProfile->clear();
    for (const T_Profile &profile : kProfiles)
        ui->cbProfile->addItem(tr(profile.pszText), QLatin1String(profile.pszValue));
    SelectData(ui->cbProfile, m_pDev->GetVideoInputResolution());

    ui->cbTranType->clear();
    for (int i = E_TT_RAW; i <= E_TT_TS; ++i)
        ui->cbTranType->addItem(T_ProdIdInfo::TrasportType2Name(i), QVariant::fromValue(E_TrasportType(i)));
    selectCached(ui->cbTranType, E_EP_TRANSPORT_TYPE);

    LoadEncoderSpins();

    ui->cbLowDelay->clear();
    for (int i = E_LM_HIGH_QUALITY; i <= E_LM_LOW_DELAY; ++i) {
        const QString strName = T_ProdIdInfo::LatencyMode2Name(i);
        ui->cbLowDelay->addItem(strName, strName);
    }
    SelectData(ui->cbLowDelay, m_pDev->GetVoMode());

    if (!m_pDev->GetMaxResolution().isEmpty()) {
        const int nIndex = ui->cbMaxResolution->findText(m_pDev->GetMaxResolution());
        if (nIndex >= 0)
            ui->cbMaxResolution->setCurrentIndex(nIndex);
    }
}

void CDlgVideoConfig::LoadEncoderSpins()
{
    QVariant value;
    const struct
    {
        QSpinBox *pSpin;
        int nOption;
    } spins[] = {
        {ui->sbVBRMaxBitrate, E_EP_VBR_MAX_BITRATE}, {ui->sbVBRMinQP, E_EP_VBR_MIN_QP},
        {ui->sbVBRMaxQP, E_EP_VBR_MAX_QP},           {ui->sbCBRAvgBitrate, E_EP_CBR_AVG_BITRATE},
        {ui->sbFixqpIQP, E_EP_FIXQP_IQP},            {ui->sbFixqpPQP, E_EP_FIXQP_PQP},
        {ui->sbEncGOP, E_EP_ENC_GOP},                {ui->sbEncFPS, E_EP_ENC_FPS},
    };
    for (const auto &spin : spins) {
        if (m_pDev->GetOptionValue(spin.nOption, value))
            spin.pSpin->setValue(value.toInt());
    }
}

void CDlgVideoConfig::UpdateWidgetsByDevType()
{
    if (!m_pDev)
        return;
    const CHOIDev::DevType eType = m_pDev->GetDevType();
    const QList<QWidget *> encoderWidgets = {
        ui->gbAdvance, ui->label_2,  ui->label_3,   ui->label_13,      ui->label_14, ui->label_15,   ui->label_20,
        ui->label_21,  ui->cbProfile, ui->cbEncMode, ui->stackedWidget, ui->sbEncGOP, ui->sbEncFPS, ui->cbTranType,
    };
    if (eType != CHOIDev::E_DT_TX)
        SetWidgetsVisible(encoderWidgets, false);
    // Wall processors encode as well.
    if (eType == CHOIDev::E_DT_WP)
        SetWidgetsVisible(encoderWidgets, true);
    if (!g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportVoMode(m_pDev))
        SetWidgetsVisible({ui->gbLowDelay, ui->cbLowDelay, ui->label_36, ui->label_37}, false);
    if (eType == CHOIDev::E_DT_TX)
        ui->gbLowDelay->hide();
}

void CDlgVideoConfig::UpdateWidgetsByProduct()
{
    if (!m_pDev)
        return;
    const T_ProdIdInfo prod = ProductOf(m_pDev);

    ui->wdProfile->setVisible(prod.video_profile);
    ui->label_MinQP->setVisible(prod.video_minQP);
    ui->sbVBRMinQP->setVisible(prod.video_minQP);
    ui->lbVBRMinQPTip->setVisible(prod.video_minQP);
    ui->label_MaxQP->setVisible(prod.video_maxQP);
    ui->sbVBRMaxQP->setVisible(prod.video_maxQP);
    ui->lbVBRMaxQPTip->setVisible(prod.video_maxQP);
    ui->wdGOP->setVisible(prod.video_GOP);
    if (!prod.video_rate_control_fix && ui->cbEncMode->count() > E_FPSM_FIXQP)
        ui->cbEncMode->removeItem(E_FPSM_FIXQP);
    // The flag says the transport type is fixed by the product.
    ui->wdTransportType->setVisible(!prod.video_transport_type);
    if (prod.max_resolution)
        ui->wdMaxResolution->show();

    const int nMaxBitrate = prod.max_bitrate ? kMaxBitrateLimited : kMaxBitrate;
    ui->sbVBRMaxBitrate->setRange(kMinBitrate, nMaxBitrate);
    ui->sbCBRAvgBitrate->setRange(kMinBitrate, nMaxBitrate);
    const QString strBitrate = QStringLiteral("%1~%2").arg(kMinBitrate).arg(nMaxBitrate);
    ui->label_8->setText(strBitrate);
    ui->label_6->setText(strBitrate);

    ui->wdRateControlTip->adjustSize();
    ui->stackedWidget->adjustSize();
}

void CDlgVideoConfig::SetButtonTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    ui->buttonBox->button(QDialogButtonBox::Apply)->setText(tr("Apply"));
}

void CDlgVideoConfig::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        for (int i = 0; i < ui->cbProfile->count() && i < kProfileCount; ++i)
            ui->cbProfile->setItemText(i, tr(kProfiles[i].pszText));
        // The button box renames its buttons when the event reaches it.
        QTimer::singleShot(0, this, &CDlgVideoConfig::SetButtonTexts);
    }
    QDialog::changeEvent(event);
}

void CDlgVideoConfig::on_cbEncMode_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    switch (EnumValue(ui->cbEncMode->itemData(index))) {
    case E_FPSM_VBR:
        ui->stackedWidget->setCurrentWidget(ui->pgVBR);
        break;
    case E_FPSM_CBR:
        ui->stackedWidget->setCurrentWidget(ui->pgCBR);
        break;
    case E_FPSM_FIXQP:
        ui->stackedWidget->setCurrentWidget(ui->pgFixqp);
        break;
    default:
        break;
    }
}

void CDlgVideoConfig::on_sbVBRMinQP_valueChanged(int arg1)
{
    ui->sbVBRMaxQP->setRange(arg1, kMaxQP);
    ui->lbVBRMaxQPTip->setText(QStringLiteral("%1~%2").arg(arg1).arg(kMaxQP));
}

void CDlgVideoConfig::on_cbSelectMode_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    QWidget *const pages[] = {ui->pgHDMI, ui->pgCVBS, ui->pgVGA, ui->pgDVI_D, ui->pgYPbPr};
    const int nMode = EnumValue(ui->cbSelectMode->itemData(index));
    if (nMode >= E_DIM_HDMI && nMode <= E_DIM_YPBPR)
        ui->stackedWidgetResolution->setCurrentWidget(pages[nMode]);
}

void CDlgVideoConfig::on_radioBtn_Enable_toggled(bool checked)
{
    if (!checked)
        return;
    for (QComboBox *pCombo : OutputCombos())
        pCombo->setEnabled(false);
}

void CDlgVideoConfig::on_radioBtn_Disable_toggled(bool checked)
{
    if (!checked)
        return;
    for (QComboBox *pCombo : OutputCombos())
        pCombo->setEnabled(true);
}

void CDlgVideoConfig::on_tabWidget_currentChanged(int index)
{
    m_nCurTab = index;
}
