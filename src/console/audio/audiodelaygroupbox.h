#ifndef HOI_CONSOLE_AUDIODELAYGROUPBOX_H
#define HOI_CONSOLE_AUDIODELAYGROUPBOX_H

#include <QGroupBox>
#include <QString>

#include "hoiwidget/formui.h"

namespace Ui {
class CAudioDelayGroupBox;
}

class CHOIDev;

// How long one device delays its audio, 0 to 500 ms. Asks the device for the
// current delay when built, shows every answer, and sends the typed value on
// Apply. "VRX0350" decoders name the setting "--delay-play", all other
// products "--audio-delay".
class CAudioDelayGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    CAudioDelayGroupBox(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CAudioDelayGroupBox() override;

    // Whether a typed delay may be sent: a whole number of 0 to 500 ms.
    static bool IsValidDelay(const QString &strValue);
    // The refusal of any other value.
    static QString InvalidDelayText();

private slots:
    void on_pushButtonOK_clicked();
    void slotOnGetAutioDelay(QString strStatus);

private:
    bool IsDelayPlayProduct() const;

    CFormUi<Ui::CAudioDelayGroupBox> ui;
    CHOIDev *m_pDev; // not owned; may be null
};

#endif
