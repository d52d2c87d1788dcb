#ifndef HOI_CONSOLE_DLGSERIALMSG_H
#define HOI_CONSOLE_DLGSERIALMSG_H

#include <QDialog>
#include <QList>
#include <QPointer>

#include "control/devfiltergroupbox.h"
#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgSerialMsg;
}

// Sends one text or hex message out of the RS-232 port of every checked
// device ("soip2" on the device) and colours each row by the outcome. One
// shared instance; it stays disabled while any device has not answered.
class CDlgSerialMsg : public QDialog, public IDevFilterCustomItem
{
    Q_OBJECT

public:
    explicit CDlgSerialMsg(QWidget *parent = nullptr);
    ~CDlgSerialMsg() override;

    // Opens the shared instance modally; scene and dev may be null (dev is
    // checked in the chooser).
    static int ShowDlg(CHOIScene *pScene, CHOIDev *pDev);
    static void DestroyDlg();

    bool GetHeaderLabels(QStringList &headers) override;
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override;

public slots:
    void slotSendMsg();
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void on_edtMsg_textChanged();
    void slotTextChanged();
    void on_chkHexSend_clicked(bool checked);

private slots:
    void slotOnPendingDevDestroyed(QObject *pObject);

protected:
    void changeEvent(QEvent *event) override;

private:
    void FillCombos();

    Ui::CDlgSerialMsg *ui;
    QList<CHOIDev *> m_pendingDevs;
    bool m_bFilteringHex;

    static QPointer<CDlgSerialMsg> s_pDlg;
};

#endif
