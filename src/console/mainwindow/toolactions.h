#ifndef HOI_CONSOLE_TOOLACTIONS_H
#define HOI_CONSOLE_TOOLACTIONS_H

#include <QString>

#include <functional>

class MainWindow;
class QComboBox;
class QIODevice;
class QWidget;

// The tool dialogs the main window opens from its menus, tool bar and
// buttons. The window never names a dialog class: it calls the launchers
// below. toolactions.cpp keeps one line per dialog; while a dialog is not
// part of the program its line is null and the launcher only logs that it is
// not available. A dialog's builder plugs it in by replacing that null with
// the matching template below (and including the dialog's header there).

enum E_ToolDialog {
    E_TD_IR_CTRL = 0,  // CDlgIrCtrl: the shared IR remote pad, on all devices
    E_TD_SERIAL_MSG,   // CDlgSerialMsg: the shared serial message dialog
    E_TD_CEC_CTRL,     // CDlgCECCtrl: the shared CEC control dialog
    E_TD_STANDBY_CTRL, // CDlgStandbyCtrl: the shared standby dialog
    E_TD_SCHEDULE,     // CDlgSchedule: the schedule list, modal
    E_TD_BATCH,        // CDlgBatch: batch commands, modal
    E_TD_COUNT
};

// Opens the dialog of that kind; the shared ones with no layout and no device.
void RunToolDialog(E_ToolDialog eDialog, QWidget *pParent);

// Destroys the shared dialogs that live until the main window goes (the IR
// pad and the serial message dialog).
void DestroySharedToolDialogs();

// The project transfer with the IP controller: mode 0 uploads pFile to the
// controller at strIP, mode 1 downloads the project from it. Returns the
// path of the file the download wrote, empty when nothing was written.
QString RunControllerTransfer(int nMode, QIODevice *pFile, const QString &strIP, QWidget *pParent);

// The layout order dialog over the main window's layout combo box.
void RunLayoutOrder(MainWindow *pOwner, QComboBox *pLayoutCombo, QWidget *pParent);

// ---- what the table runs for a plugged-in dialog ----

// A shared dialog with static ShowDlg(CHOIScene*, CHOIDev*).
template <class TDialog>
void ShowSharedToolDialog(QWidget *)
{
    TDialog::ShowDlg(nullptr, nullptr);
}

// A dialog built on the stack with (QWidget* parent) and run modally.
template <class TDialog>
void RunModalToolDialog(QWidget *pParent)
{
    TDialog dlg(pParent);
    dlg.exec();
}

// A shared dialog with static DestroyDlg().
template <class TDialog>
void DestroySharedToolDialog()
{
    TDialog::DestroyDlg();
}

template <class TDialog>
QString RunModalControllerTransfer(int nMode, QIODevice *pFile, const QString &strIP, QWidget *pParent)
{
    TDialog dlg(nMode, pFile, strIP, pParent);
    dlg.exec();
    return dlg.GetFileName();
}

template <class TDialog>
void RunModalLayoutOrder(MainWindow *pOwner, QComboBox *pLayoutCombo, QWidget *pParent)
{
    TDialog dlg(pOwner, pLayoutCombo, pParent);
    dlg.exec();
}

// ---- tests answer in place of the dialogs; an empty function brings the
// table's entries back ----

using ToolDialogRunner = std::function<void(E_ToolDialog eDialog, QWidget *pParent)>;
void SetToolDialogRunner(const ToolDialogRunner &runner);

using ControllerTransferRunner =
    std::function<QString(int nMode, QIODevice *pFile, const QString &strIP, QWidget *pParent)>;
void SetControllerTransferRunner(const ControllerTransferRunner &runner);

using LayoutOrderRunner =
    std::function<void(MainWindow *pOwner, QComboBox *pLayoutCombo, QWidget *pParent)>;
void SetLayoutOrderRunner(const LayoutOrderRunner &runner);

#endif
