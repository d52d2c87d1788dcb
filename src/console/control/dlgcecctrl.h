#ifndef HOI_CONSOLE_DLGCECCTRL_H
#define HOI_CONSOLE_DLGCECCTRL_H

#include <QDialog>
#include <QList>
#include <QPointer>

#include "control/devfiltergroupbox.h"
#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgCECCtrl;
}

// Wakes ("One touch play") or puts to standby the displays behind every
// checked device by HDMI-CEC and colours each row by the outcome. One shared
// instance; it stays disabled while any device has not answered.
class CDlgCECCtrl : public QDialog, public IDevFilterCustomItem
{
    Q_OBJECT

public:
    explicit CDlgCECCtrl(QWidget *parent = nullptr);
    ~CDlgCECCtrl() override;

    // Opens the shared instance modally; scene and dev may be null.
    static int ShowDlg(CHOIScene *pScene, CHOIDev *pDev);

    bool GetHeaderLabels(QStringList &headers) override;
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override;

public slots:
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOpenMsg();
    void slotCloseMsg();

private slots:
    void slotOnPendingDevDestroyed(QObject *pObject);

protected:
    void changeEvent(QEvent *event) override;

private:
    void SendPower(bool bOn);

    Ui::CDlgCECCtrl *ui;
    QList<CHOIDev *> m_pendingDevs;

    // Goes with the window it was made for; the guard keeps a later opening
    // from touching a deleted instance.
    static QPointer<CDlgCECCtrl> s_pDlg;
};

#endif
