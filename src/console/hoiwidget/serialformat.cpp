#include "hoiwidget/serialformat.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMetaEnum>

#include "hoi_core/hoidev.h"

namespace {

// The names belong to the general context: every serial form shares them.
const struct {
    CHOIDev::ParityType eParity;
    const char *pszName;
} kParities[] = {
    {CHOIDev::PAR_NONE, QT_TRANSLATE_NOOP("QObject", "None")},
    {CHOIDev::PAR_ODD, QT_TRANSLATE_NOOP("QObject", "Odd")},
    {CHOIDev::PAR_EVEN, QT_TRANSLATE_NOOP("QObject", "Even")},
};

void Refill(QComboBox *pCombo, const QStringList &items, const QString &strChosen)
{
    pCombo->clear();
    pCombo->addItems(items);
    pCombo->setCurrentText(strChosen);
}

} // namespace

void FillSerialCombos(const T_SerialCombos &combos)
{
    const QMetaEnum rates = QMetaEnum::fromType<CHOIDev::BaudRateType>();
    QStringList baudRates;
    for (int i = 0; i < rates.keyCount(); ++i)
        baudRates << QString::number(rates.value(i));
    Refill(combos.pBaudRate, baudRates, QString::number(CHOIDev::BAUD115200));
    Refill(combos.pDataBits, {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")},
           QStringLiteral("8"));
    Refill(combos.pStopBits, {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("1"));
    combos.pParity->clear();
    RetranslateParity(combos.pParity);
}

void RetranslateParity(QComboBox *pParity)
{
    const int nCurrent = pParity->currentIndex();
    pParity->clear();
    for (const auto &parity : kParities)
        pParity->addItem(QCoreApplication::translate("QObject", parity.pszName), int(parity.eParity));
    pParity->setCurrentIndex(qMax(0, nCurrent));
}

T_SerialFormat ChosenSerialFormat(const T_SerialCombos &combos)
{
    T_SerialFormat format;
    format.nBaudRate = combos.pBaudRate->currentText().toUInt();
    format.nDataBits = combos.pDataBits->currentText().toUInt();
    format.nStopBits = combos.pStopBits->currentText().toUInt();
    format.cParity = char(combos.pParity->currentData().toInt());
    return format;
}
