#include "hoiwidget/gridactions.h"

#include <QDebug>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"

namespace {

GridDialogRunner &Runner()
{
    static GridDialogRunner runner;
    return runner;
}

void NotAvailable(const char *dialog, CHOIScene *pScene, CHOIDev *pDev)
{
    qDebug() << dialog << "not available; layout" << (pScene ? pScene->GetName() : QString())
             << "device" << (pDev ? pDev->GetHostName() : QString());
}

} // namespace

// One line each: the dialog's ShowDlg(pScene, pDev) once it is built.
void ShowGridIrCtrl(CHOIScene *pScene, CHOIDev *pDev)
{
    NotAvailable("CDlgIrCtrl", pScene, pDev);
}

void ShowGridSerialMsg(CHOIScene *pScene, CHOIDev *pDev)
{
    NotAvailable("CDlgSerialMsg", pScene, pDev);
}

void ShowGridCECCtrl(CHOIScene *pScene, CHOIDev *pDev)
{
    NotAvailable("CDlgCECCtrl", pScene, pDev);
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
