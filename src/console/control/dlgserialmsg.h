#ifndef HOI_CONSOLE_DLGSERIALMSG_H
#define HOI_CONSOLE_DLGSERIALMSG_H

#include <QPointer>

#include "control/dlgdevcommand.h"
#include "hoiwidget/formui.h"
#include "hoiwidget/serialformat.h"

class CHOIDev;
class CHOIScene;

namespace Ui {
class CDlgSerialMsg;
}

// Sends one text or hex message out of the RS-232 port of every checked
// device ("soip2" on the device) and colours each row by the outcome. One
// shared instance; it stays disabled while any device has not answered.
class CDlgSerialMsg : public CDlgDevCommand, public CSharedDlg<CDlgSerialMsg>
{
    Q_OBJECT

public:
    explicit CDlgSerialMsg(QWidget *parent = nullptr);
    ~CDlgSerialMsg() override;

    // The shared one's, with a trace line when there is one to destroy.
    static void DestroyDlg();

    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;

public slots:
    void slotSendMsg();
    void on_edtMsg_textChanged();
    void slotTextChanged();
    void on_chkHexSend_clicked(bool checked);

private:
    T_SerialCombos SerialCombos() const;

    CFormUi<Ui::CDlgSerialMsg> ui;
    bool m_bFilteringHex;
};

#endif
