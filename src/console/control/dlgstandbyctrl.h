#ifndef HOI_CONSOLE_DLGSTANDBYCTRL_H
#define HOI_CONSOLE_DLGSTANDBYCTRL_H

#include <QPointer>

#include "control/dlgdevcommand.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgStandbyCtrl;
}

// Pushes "Standby.xml" (from the working folder) to the checked devices as
// their backup configuration and colours each row by the outcome. Encoders
// are never offered. One shared instance; it stays disabled while any
// device has not answered.
class CDlgStandbyCtrl : public CDlgDevCommand, public CSharedDlg<CDlgStandbyCtrl>
{
    Q_OBJECT

public:
    explicit CDlgStandbyCtrl(QWidget *parent = nullptr);
    ~CDlgStandbyCtrl() override;

    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;

public slots:
    void slotOpenMsg();

private:
    CFormUi<Ui::CDlgStandbyCtrl> ui;
};

#endif
