#ifndef HOI_CONSOLE_DLGDEVEDIT_H
#define HOI_CONSOLE_DLGDEVEDIT_H

#include <QDialog>
#include <QString>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoitypes.h"
#include "hoiwidget/formui.h"

class QAbstractButton;

namespace Ui {
class CDlgDevEdit;
}

// "General Settings" of one device: its alias and its IP mode and static
// addresses. Apply writes the alias into the device at once, sends the
// settings over the device's link (with a reboot when the network settings
// changed) and keeps the dialog disabled until the device reports the end of
// its command queue; the device object keeps the addresses only then, and a
// failure puts the old name back, also once the window is closed. The
// selector switches to any other device of the manager without closing.
class CDlgDevEdit : public QDialog
{
    Q_OBJECT

public:
    // The device may be null; the alias and address fields are then disabled.
    explicit CDlgDevEdit(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgDevEdit() override;

    // Applies; the dialog closes when the device has reported back.
    void accept() override;

signals:
    void onDevChanged(CHOIDev *pCurDev);

public slots:
    void slotDevComboboxChanged();
    void slotRefreshData();
    void slotUpdateIPAddrEnable();
    void slotButtonClicked(QAbstractButton *pButton);
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnDevNameChanged(CHOIDev *pDev);

private slots:
    void on_edtName_textChanged(QString arg1);

private:
    bool Apply();
    void SetTexts();
    // Fills the alias box, and the selector's current item when it holds
    // the device, with the device's display name.
    void ShowName(CHOIDev *pDev);
    // True when the selector's current item holds the device: its text is
    // then the device's display name.
    bool ShowSelectorName(CHOIDev *pDev);
    // The device ended the wait: the window is usable again, and closes
    // when accept() started it.
    void EndWait(bool bSuccess);
    void DropDev(CHOIDev *pGone);

    CFormUi<Ui::CDlgDevEdit> ui;
    CHOIDev *m_pCurDev;
    bool m_bCloseOnDone;
    // What the alias box was filled with: left so, it gives no name.
    QString m_strFilledName;
    QString m_strIPAddr;
    QString m_strNetmask;
    QString m_strGateway;
    CHOIDev::IPMode m_ipMode;
    // The last Apply sent other addresses: the lists show them once kept.
    bool m_bNetSent = false;
    // The completion slot is connected and the device has not reported yet.
    bool m_bWaiting = false;
};

#endif
