#ifndef HOI_CONSOLE_DLGCECCTRL_H
#define HOI_CONSOLE_DLGCECCTRL_H

#include <QPointer>

#include "control/dlgdevcommand.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgCECCtrl;
}

// Wakes ("One touch play") or puts to standby the displays behind every
// checked device by HDMI-CEC and colours each row by the outcome. One shared
// instance; it stays disabled while any device has not answered.
class CDlgCECCtrl : public CDlgDevCommand, public CSharedDlg<CDlgCECCtrl>
{
    Q_OBJECT

public:
    explicit CDlgCECCtrl(QWidget *parent = nullptr);
    ~CDlgCECCtrl() override;

    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;

public slots:
    void slotOpenMsg();
    void slotCloseMsg();

private:
    void SendPower(bool bOn);

    CFormUi<Ui::CDlgCECCtrl> ui;
};

#endif
