#ifndef HOI_CONSOLE_SERIALFORMAT_H
#define HOI_CONSOLE_SERIALFORMAT_H

#include <QtGlobal>

class QComboBox;

// The four combos of a serial format in the RS-232 windows.
struct T_SerialCombos
{
    QComboBox *pBaudRate;
    QComboBox *pDataBits;
    QComboBox *pStopBits;
    QComboBox *pParity;
};

// A serial format as the devices take it ("115200-8n1").
struct T_SerialFormat
{
    uint nBaudRate;
    uint nDataBits;
    uint nStopBits;
    char cParity; // the letter: 'n', 'o' or 'e' (CHOIDev::ParityType)
};

// Fills the combos with what every serial form offers: the baud rates of
// CHOIDev::BaudRateType in its order, data bits 5 to 8, stop bits 1 and 2,
// the parities None, Odd and Even (item data: CHOIDev::ParityType); 115200,
// 8, 1 and None are chosen.
void FillSerialCombos(const T_SerialCombos &combos);
// Puts the parity names in the current language; the choice stays.
void RetranslateParity(QComboBox *pParity);
T_SerialFormat ChosenSerialFormat(const T_SerialCombos &combos);

#endif
