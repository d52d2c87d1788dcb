#include "power/dlgsinkpowersetting.h"
#include "ui_dlgsinkpowersetting.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaEnum>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"

namespace {

struct T_ParityName
{
    int nParity; // CHOIDev::ParityType
    const char *pszName;
};

const int kParityCount = 3;
const int kDefaultBaudRate = 115200;

// The parity names are shared with the other serial forms: general context.
QString ParityText(const char *pszName)
{
    return QCoreApplication::translate("QObject", pszName);
}

// Line breaks would end the shell line early; the device takes the text as one string.
QString WithoutLineBreaks(QString strText)
{
    strText.remove(QLatin1Char('\r'));
    strText.remove(QLatin1Char('\n'));
    return strText;
}

} // namespace

CDlgSinkPowerSetting::CDlgSinkPowerSetting(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgSinkPowerSetting)
    , m_pDev(dev)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    connect(ui->chbCEC, &QCheckBox::clicked, this, &CDlgSinkPowerSetting::slotSinkPowerChBClickRight);
    connect(ui->chbRS232, &QCheckBox::clicked, this, &CDlgSinkPowerSetting::slotSinkPowerChBClickRight);

    // Such a product switches its display by RS-232 only.
    if (g_pHOIDevMgr && g_pHOIDevMgr->GetProdIdInfo(m_pDev)->sink_tx_rs)
        ui->chbCEC->setEnabled(false);

    InitSerialCombos();
}

CDlgSinkPowerSetting::~CDlgSinkPowerSetting()
{
    delete ui;
}

void CDlgSinkPowerSetting::InitSerialCombos()
{
    static const QMetaEnum s_baudEnum = QMetaEnum::fromType<CHOIDev::BaudRateType>();

    ui->cmbBaudRate_sinkPower->clear();
    for (int i = 0; i < s_baudEnum.keyCount(); ++i) {
        const int nRate = s_baudEnum.value(i);
        ui->cmbBaudRate_sinkPower->addItem(QString::number(nRate));
        if (nRate == kDefaultBaudRate)
            ui->cmbBaudRate_sinkPower->setCurrentIndex(i);
    }

    const T_ParityName parities[kParityCount] = {
        {CHOIDev::PAR_NONE, QT_TRANSLATE_NOOP("QObject", "None")},
        {CHOIDev::PAR_ODD, QT_TRANSLATE_NOOP("QObject", "Odd")},
        {CHOIDev::PAR_EVEN, QT_TRANSLATE_NOOP("QObject", "Even")},
    };
    ui->cmbParity_sinkPower->clear();
    for (const T_ParityName &parity : parities)
        ui->cmbParity_sinkPower->addItem(ParityText(parity.pszName), parity.nParity);
}

void CDlgSinkPowerSetting::SetParityTexts()
{
    static const char *const names[kParityCount] = {
        QT_TRANSLATE_NOOP("QObject", "None"),
        QT_TRANSLATE_NOOP("QObject", "Odd"),
        QT_TRANSLATE_NOOP("QObject", "Even"),
    };
    for (int i = 0; i < kParityCount && i < ui->cmbParity_sinkPower->count(); ++i)
        ui->cmbParity_sinkPower->setItemText(i, ParityText(names[i]));
}

void CDlgSinkPowerSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        SetParityTexts();
    }
    QDialog::changeEvent(event);
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
    const uint nBaudRate = ui->cmbBaudRate_sinkPower->currentText().toUInt();
    const uint nDataBits = ui->cmbDataBits_sinkPower->currentText().toUInt();
    const uint nStopBits = ui->cmbStopBits_sinkPower->currentText().toUInt();
    const int nParity = ui->cmbParity_sinkPower->currentData().toInt();

    const bool bSent = m_pDev
                       && m_pDev->ApplySinkPower(strPowerOn, strStandby, ui->chbCEC->isChecked(), bRs232,
                                                 ui->chbHex->isChecked(), nBaudRate, nDataBits,
                                                 char(nParity), nStopBits);
    setEnabled(true);
    if (!bSent)
        MsgCritical(this, QString(), tr("Failed to Display Power settings to devices."));
}
