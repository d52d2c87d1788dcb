#include "settings/dlgserialsetting.h"
#include "ui_dlgserialsetting.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaEnum>

#include "hoi_core/hoidev.h"

namespace {

// One parity entry: its ParityType value (the character code of its letter)
// and its name.
struct T_ParityName
{
    int nParity;
    const char *pszName;
};

const int kDefaultBaud = 115200;
const int kDefaultTokenTimeout = 1;
const uint kMaxTokenTimeout = 10;

// The baud rates in declaration order, read once per process.
const QMetaEnum &BaudRateEnum()
{
    static const QMetaEnum baudEnum = QMetaEnum::fromType<CHOIDev::BaudRateType>();
    return baudEnum;
}

} // namespace

CDlgSerialSetting::CDlgSerialSetting(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgSerialSetting)
    , m_pDev(pDev)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    ui->cmbBaudRate->clear();
    const QMetaEnum &baudEnum = BaudRateEnum();
    for (int i = 0; i < baudEnum.keyCount(); ++i)
        ui->cmbBaudRate->addItem(QString::number(baudEnum.value(i)));
    ui->cmbBaudRate->setCurrentIndex(ui->cmbBaudRate->findText(QString::number(kDefaultBaud)));

    FillParity();

    if (!m_pDev)
        return;

    // "<baud>-<data bits><parity letter><stop bits>"
    const QString strSetting = m_pDev->GetS0Baudrate();
    const int nDash = strSetting.indexOf(QLatin1Char('-'));
    const QString strBaud = strSetting.left(nDash);
    const QString strDataBits = strSetting.mid(nDash + 1, 1);
    const QString strParity = strSetting.mid(nDash + 2, 1);
    const QString strStopBits = strSetting.mid(nDash + 3, 1);

    const char *pszParity = QT_TRANSLATE_NOOP("QObject", "None");
    if (strParity == QLatin1String("o"))
        pszParity = QT_TRANSLATE_NOOP("QObject", "Odd");
    else if (strParity == QLatin1String("e"))
        pszParity = QT_TRANSLATE_NOOP("QObject", "Even");

    auto selectText = [](QComboBox *pCombo, const QString &strText) {
        const int nIndex = pCombo->findText(strText);
        if (nIndex >= 0)
            pCombo->setCurrentIndex(nIndex);
    };
    selectText(ui->cmbBaudRate, strBaud);
    selectText(ui->cmbDataBits, strDataBits);
    selectText(ui->cmbParity, QCoreApplication::translate("QObject", pszParity));
    selectText(ui->cmbStopBits, strStopBits);

    if (m_pDev->GetDevType() == CHOIDev::E_DT_TX) {
        const int nTimeout = m_pDev->GetSoipType2TokenTimeout();
        ui->spinBox_TimeOut->setValue(uint(nTimeout) <= kMaxTokenTimeout ? nTimeout
                                                                        : kDefaultTokenTimeout);
    } else {
        ui->gbTimeoutSet->hide();
    }
}

CDlgSerialSetting::~CDlgSerialSetting()
{
    delete ui;
}

void CDlgSerialSetting::FillParity()
{
    // The names belong to the general context: every serial form shares them.
    const T_ParityName parityNames[] = {
        {CHOIDev::PAR_NONE, QT_TRANSLATE_NOOP("QObject", "None")},
        {CHOIDev::PAR_ODD, QT_TRANSLATE_NOOP("QObject", "Odd")},
        {CHOIDev::PAR_EVEN, QT_TRANSLATE_NOOP("QObject", "Even")},
    };
    const int nCurrent = ui->cmbParity->currentIndex();
    ui->cmbParity->clear();
    for (const T_ParityName &row : parityNames)
        ui->cmbParity->addItem(QCoreApplication::translate("QObject", row.pszName), row.nParity);
    ui->cmbParity->setCurrentIndex(nCurrent < 0 ? 0 : nCurrent);
}

void CDlgSerialSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        FillParity();
    }
    QDialog::changeEvent(event);
}

void CDlgSerialSetting::on_btnApplySerialSet_clicked()
{
    if (!m_pDev || !m_pDev->EnsureConnected())
        return;

    const uint nBaud = ui->cmbBaudRate->currentText().toUInt();
    const uint nDataBits = ui->cmbDataBits->currentText().toUInt();
    const uint nStopBits = ui->cmbStopBits->currentText().toUInt();
    const int nParity = ui->cmbParity->currentData().toInt();

    const QString strValue = QStringLiteral("%1-%2%3%4")
                                 .arg(nBaud)
                                 .arg(nDataBits)
                                 .arg(QChar(nParity))
                                 .arg(nStopBits);
    m_pDev->SendParamSet(QStringLiteral("s0_baudrate"), strValue, false);
    m_pDev->SetS0Baudrate(strValue);

    if (m_pDev->GetDevType() == CHOIDev::E_DT_TX) {
        const int nTimeout = ui->spinBox_TimeOut->value();
        m_pDev->SendParamSetInt(QStringLiteral("soip_type2_token_timeout"), nTimeout, false);
        m_pDev->SetSoipType2TokenTimeout(nTimeout);
    }
    m_pDev->SaveParam();
}

void CDlgSerialSetting::on_btnApplySerialCancel_clicked()
{
    reject();
}
