#include "control/dlgcecctrl.h"
#include "ui_dlgcecctrl.h"

#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

CDlgCECCtrl::CDlgCECCtrl(QWidget *parent)
    : CDlgDevCommand(E_CO_DEV, parent)
{
    ui.SetUpDialog(this);
    SetChooser(ui->gbDevices);
    connect(ui->btnOpenMsg, &QPushButton::clicked, this, &CDlgCECCtrl::slotOpenMsg);
    connect(ui->btnCloseMsg, &QPushButton::clicked, this, &CDlgCECCtrl::slotCloseMsg);
}

CDlgCECCtrl::~CDlgCECCtrl() = default;

// ---------------------------------------------------------------------------
// The chooser's rows: devices with CEC only.

QTreeWidgetItem *CDlgCECCtrl::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportCec(pDev))
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

// ---------------------------------------------------------------------------
// Sending

void CDlgCECCtrl::slotOpenMsg()
{
    SendPower(true);
}

void CDlgCECCtrl::slotCloseMsg()
{
    SendPower(false);
}

void CDlgCECCtrl::SendPower(bool bOn)
{
    if (!TakeCheckedDevs())
        return;
    SendToPending([bOn](CHOIDev *pDev) { return pDev->SendCecPower(bOn); });
    // The button last used stays marked.
    ui->btnOpenMsg->setCheckable(bOn);
    ui->btnCloseMsg->setCheckable(!bOn);
}
