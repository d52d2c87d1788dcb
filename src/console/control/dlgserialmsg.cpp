#include "control/dlgserialmsg.h"
#include "ui_dlgserialmsg.h"

#include <QDebug>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/serialtext.h"

CDlgSerialMsg::CDlgSerialMsg(QWidget *parent)
    : CDlgDevCommand(E_CO_DEV, parent)
    , m_bFilteringHex(false)
{
    ui.SetUpDialog(this, [this] {
        // The format the operator chose stays as it was.
        RetranslateParity(ui->cmbParity);
    });
    SetChooser(ui->gbDevices);

    FillSerialCombos(SerialCombos());

    connect(ui->btnSendMsg, &QPushButton::clicked, this, &CDlgSerialMsg::slotSendMsg);
    connect(ui->edtMsg, &QPlainTextEdit::textChanged, this, &CDlgSerialMsg::slotTextChanged);
}

CDlgSerialMsg::~CDlgSerialMsg() = default;

void CDlgSerialMsg::DestroyDlg()
{
    if (HasSharedDlg())
        qDebug() << "Destroy Serial Dialog";
    CSharedDlg::DestroyDlg();
}

T_SerialCombos CDlgSerialMsg::SerialCombos() const
{
    return {ui->cmbBaudRate, ui->cmbDataBits, ui->cmbStopBits, ui->cmbParity};
}

// ---------------------------------------------------------------------------
// The chooser's rows: devices with a serial port only.

QTreeWidgetItem *CDlgSerialMsg::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportRs232(pDev))
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

// ---------------------------------------------------------------------------
// Sending

void CDlgSerialMsg::slotSendMsg()
{
    const QString strMsg = WithoutLineBreaks(ui->edtMsg->toPlainText());
    if (strMsg.isEmpty())
        return;
    if (!TakeCheckedDevs())
        return;

    const T_SerialFormat format = ChosenSerialFormat(SerialCombos());
    const bool bHex = ui->chkHexSend->isChecked();
    const bool bAddCRLF = ui->chkSendCrLf->isChecked();

    SendToPending([&](CHOIDev *pDev) {
        return pDev->SendSerialMsg(strMsg, bHex, bAddCRLF, format.nBaudRate, format.nDataBits, format.cParity,
                                   format.nStopBits);
    });
}

// ---------------------------------------------------------------------------
// Message editing

void CDlgSerialMsg::on_edtMsg_textChanged()
{
    ui->btnSendMsg->setEnabled(!ui->edtMsg->toPlainText().isEmpty());
}

void CDlgSerialMsg::slotTextChanged()
{
    FilterHexEntry(ui->edtMsg, ui->chkHexSend->isChecked(), m_bFilteringHex);
}

void CDlgSerialMsg::on_chkHexSend_clicked(bool checked)
{
    if (checked)
        RemoveBlockUnderCursor(ui->edtMsg);
}
