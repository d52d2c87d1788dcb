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
class CDlgCECCtrl : public CDlgDevCommand
{
    Q_OBJECT

public:
    explicit CDlgCECCtrl(QWidget *parent = nullptr);
    ~CDlgCECCtrl() override;

    // Opens the shared instance modally; scene and dev may be null.
    static int ShowDlg(CHOIScene *pScene, CHOIDev *pDev);

    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;

public slots:
    void slotOpenMsg();
    void slotCloseMsg();

private:
    void SendPower(bool bOn);

    CFormUi<Ui::CDlgCECCtrl> ui;

    // Goes with the window it was made for; the guard keeps a later opening
    // from touching a deleted instance.
    static QPointer<CDlgCECCtrl> s_pDlg;
};

#endif
