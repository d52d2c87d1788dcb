#ifndef HOI_CONSOLE_DLGSINKPOWERSETTING_H
#define HOI_CONSOLE_DLGSINKPOWERSETTING_H

#include <QDialog>

#include "hoiwidget/formui.h"
#include "hoiwidget/serialformat.h"

namespace Ui {
class CDlgSinkPowerSetting;
}

class CHOIDev;

// "Display Power Settings": how one device switches its display on and off,
// by CEC, by RS-232 command strings through its serial port, or both. It
// always opens on the defaults; it never reads the device's settings.
class CDlgSinkPowerSetting : public QDialog
{
    Q_OBJECT

public:
    CDlgSinkPowerSetting(CHOIDev *dev, QWidget *parent = nullptr);
    ~CDlgSinkPowerSetting() override;

    void InitSerialCombos();

private slots:
    void slotSinkPowerChBClickRight();
    void on_pbSinkPower_apply_clicked();

private:
    T_SerialCombos SerialCombos() const;

    CFormUi<Ui::CDlgSinkPowerSetting> ui;
    CHOIDev *m_pDev; // not owned
};

#endif
