#include "hoiwidget/gridactions.h"

#include <QDebug>

#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgserialmsg.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"

namespace {

GridDialogRunner &Runner()
{
    static GridDialogRunner runner;
    return runner;
}

} // namespace

// One line each: the dialog's ShowDlg(pScene, pDev) once it is built.
void ShowGridIrCtrl(CHOIScene *pScene, CHOIDev *pDev)
{
    CDlgIrCtrl::ShowDlg(pScene, pDev);
}

void ShowGridSerialMsg(CHOIScene *pScene, CHOIDev *pDev)
{
    CDlgSerialMsg::ShowDlg(pScene, pDev);
}

void ShowGridCECCtrl(CHOIScene *pScene, CHOIDev *pDev)
{
    CDlgCECCtrl::ShowDlg(pScene, pDev);
}

void LaunchGridDialog(E_GridDialog eDialog, CHOIScene *pScene, CHOIDev *pDev)
{
    if (Runner()) {
        Runner()(eDialog, pScene, pDev);
        return;
    }
    switch (eDialog) {
    case E_GD_IR_CTRL:
        ShowGridIrCtrl(pScene, pDev);
        break;
    case E_GD_SERIAL_MSG:
        ShowGridSerialMsg(pScene, pDev);
        break;
    case E_GD_CEC_CTRL:
        ShowGridCECCtrl(pScene, pDev);
        break;
    }
}

void SetGridDialogRunner(const GridDialogRunner &runner)
{
    Runner() = runner;
}
