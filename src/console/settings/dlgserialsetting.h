#ifndef HOI_CONSOLE_DLGSERIALSETTING_H
#define HOI_CONSOLE_DLGSERIALSETTING_H

#include <QDialog>

#include "hoiwidget/formui.h"
#include "hoiwidget/serialformat.h"

class CHOIDev;
class QEvent;

namespace Ui {
class CDlgSerialSetting;
}

// "Serial Settings" of one device: the RS-232 format kept in the device
// parameter "s0_baudrate" ("115200-8n1") and, for an encoder, the
// serial-over-IP token time-out. Apply sends both as device parameters and
// asks the device to save them; it does not wait for the device, but says so
// when the device's link cannot be made or gives them up.
class CDlgSerialSetting : public QDialog
{
    Q_OBJECT

public:
    CDlgSerialSetting(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgSerialSetting() override;

private slots:
    void on_btnApplySerialSet_clicked();
    void on_btnApplySerialCancel_clicked();

private:
    T_SerialCombos SerialCombos() const;

    CFormUi<Ui::CDlgSerialSetting> ui;
    CHOIDev *m_pDev;
};

// Sends pDev the serial setting text ("9600-7e2") and, for an encoder, the
// token time-out, then the save. The device object keeps them once the
// device's queue ends in success. False, with nothing queued, when the link
// cannot be made.
bool ApplySerialSetting(CHOIDev *pDev, const QString &strSetting, int nTimeout);

#endif
