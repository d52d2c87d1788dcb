#include "mainwindow/toolactions.h"

#include <QDebug>

#include "batch/dlgbatch.h"
#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgserialmsg.h"
#include "control/dlgstandbyctrl.h"
#include "dialogs/dlgranklayout.h"
#include "upload/dlghttpmanage.h"
#include "schedule/dlgschedule.h"

namespace {

using ToolDialogFn = void (*)(QWidget *pParent);
using DestroyFn = void (*)();
using ControllerTransferFn = QString (*)(int nMode, QIODevice *pFile, const QString &strIP,
                                         QWidget *pParent);
using LayoutOrderFn = void (*)(MainWindow *pOwner, QComboBox *pLayoutCombo, QWidget *pParent);

struct T_ToolDialogEntry
{
    E_ToolDialog eDialog;
    const char *pszClass;
    ToolDialogFn pfnRun; // null: the dialog is not built yet
};

struct T_SharedDialogEntry
{
    const char *pszClass;
    DestroyFn pfnDestroy; // null: the dialog is not built yet
};

// One line per dialog, in the order of E_ToolDialog. To plug a dialog in,
// include its header and put the template in place of nullptr:
// &ShowSharedToolDialog<CDlgIrCtrl> for the shared ones,
// &RunModalToolDialog<CDlgSchedule> for the modal ones.
const T_ToolDialogEntry kToolDialogs[E_TD_COUNT] = {
    {E_TD_IR_CTRL, "CDlgIrCtrl", &ShowSharedToolDialog<CDlgIrCtrl>},
    {E_TD_SERIAL_MSG, "CDlgSerialMsg", &ShowSharedToolDialog<CDlgSerialMsg>},
    {E_TD_CEC_CTRL, "CDlgCECCtrl", &ShowSharedToolDialog<CDlgCECCtrl>},
    {E_TD_STANDBY_CTRL, "CDlgStandbyCtrl", &ShowSharedToolDialog<CDlgStandbyCtrl>},
    {E_TD_SCHEDULE, "CDlgSchedule", &RunModalToolDialog<CDlgSchedule>},
    {E_TD_BATCH, "CDlgBatch", &RunModalToolDialog<CDlgBatch>},
};

// Shared dialogs destroyed with the main window: &DestroySharedToolDialog<CDlgIrCtrl>.
const T_SharedDialogEntry kSharedDialogs[] = {
    {"CDlgIrCtrl", &DestroySharedToolDialog<CDlgIrCtrl>},
    {"CDlgSerialMsg", &DestroySharedToolDialog<CDlgSerialMsg>},
};

struct T_ControllerTransferEntry
{
    const char *pszClass;
    ControllerTransferFn pfnRun; // null: the dialog is not built yet
};

struct T_LayoutOrderEntry
{
    const char *pszClass;
    LayoutOrderFn pfnRun; // null: the dialog is not built yet
};

// &RunModalControllerTransfer<CDlgHttpManage>
const T_ControllerTransferEntry kControllerTransfer = {"CDlgHttpManage",
                                                       &RunModalControllerTransfer<CDlgHttpManage>};

// &RunModalLayoutOrder<CDlgRankLayout>
const T_LayoutOrderEntry kLayoutOrder = {"CDlgRankLayout", &RunModalLayoutOrder<CDlgRankLayout>};

ToolDialogRunner &DialogRunner()
{
    static ToolDialogRunner runner;
    return runner;
}

ControllerTransferRunner &TransferRunner()
{
    static ControllerTransferRunner runner;
    return runner;
}

LayoutOrderRunner &OrderRunner()
{
    static LayoutOrderRunner runner;
    return runner;
}

void NotAvailable(const char *pszClass)
{
    qInfo() << pszClass << "not available; nothing opened";
}

} // namespace

void RunToolDialog(E_ToolDialog eDialog, QWidget *pParent)
{
    if (eDialog < 0 || eDialog >= E_TD_COUNT) {
        qWarning() << "no tool dialog of kind" << int(eDialog);
        return;
    }
    if (DialogRunner()) {
        DialogRunner()(eDialog, pParent);
        return;
    }
    const T_ToolDialogEntry &entry = kToolDialogs[eDialog];
    if (!entry.pfnRun) {
        NotAvailable(entry.pszClass);
        return;
    }
    entry.pfnRun(pParent);
}

void DestroySharedToolDialogs()
{
    for (const T_SharedDialogEntry &entry : kSharedDialogs) {
        if (entry.pfnDestroy)
            entry.pfnDestroy();
    }
}

QString RunControllerTransfer(int nMode, QIODevice *pFile, const QString &strIP, QWidget *pParent)
{
    if (TransferRunner())
        return TransferRunner()(nMode, pFile, strIP, pParent);
    const T_ControllerTransferEntry &entry = kControllerTransfer;
    if (!entry.pfnRun) {
        NotAvailable(entry.pszClass);
        return QString();
    }
    return entry.pfnRun(nMode, pFile, strIP, pParent);
}

void RunLayoutOrder(MainWindow *pOwner, QComboBox *pLayoutCombo, QWidget *pParent)
{
    if (OrderRunner()) {
        OrderRunner()(pOwner, pLayoutCombo, pParent);
        return;
    }
    const T_LayoutOrderEntry &entry = kLayoutOrder;
    if (!entry.pfnRun) {
        NotAvailable(entry.pszClass);
        return;
    }
    entry.pfnRun(pOwner, pLayoutCombo, pParent);
}

void SetToolDialogRunner(const ToolDialogRunner &runner)
{
    DialogRunner() = runner;
}

void SetControllerTransferRunner(const ControllerTransferRunner &runner)
{
    TransferRunner() = runner;
}

void SetLayoutOrderRunner(const LayoutOrderRunner &runner)
{
    OrderRunner() = runner;
}
