#ifndef HOI_CONSOLE_DLGSTANDBYCTRL_H
#define HOI_CONSOLE_DLGSTANDBYCTRL_H

#include <QDialog>
#include <QList>
#include <QPointer>

#include "control/devfiltergroupbox.h"
#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgStandbyCtrl;
}

// Pushes "Standby.xml" (from the working folder) to the checked devices as
// their backup configuration and colours each row by the outcome. Encoders
// are never offered. One shared instance; it stays disabled while any
// device has not answered.
class CDlgStandbyCtrl : public QDialog, public IDevFilterCustomItem
{
    Q_OBJECT

public:
    explicit CDlgStandbyCtrl(QWidget *parent = nullptr);
    ~CDlgStandbyCtrl() override;

    // Opens the shared instance modally; scene and dev may be null.
    static int ShowDlg(CHOIScene *pScene, CHOIDev *pDev);

    bool GetHeaderLabels(QStringList &headers) override;
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override;

public slots:
    void slotOpenMsg();
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);

private slots:
    void slotOnPendingDevDestroyed(QObject *pObject);

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::CDlgStandbyCtrl *ui;
    QList<CHOIDev *> m_pendingDevs;

    // Goes with the window it was made for; the guard keeps a later opening
    // from touching a deleted instance.
    static QPointer<CDlgStandbyCtrl> s_pDlg;
};

#endif
