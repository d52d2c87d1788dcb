#ifndef HOI_CONSOLE_GRIDACTIONS_H
#define HOI_CONSOLE_GRIDACTIONS_H

#include <functional>

class CHOIDev;
class CHOIScene;

// The device control dialogs that the layout grid opens for the RX of a
// cell. The grid calls only these; each forwards to the shared dialog's
// ShowDlg (layout and device, either may be null).

enum E_GridDialog {
    E_GD_IR_CTRL = 0,    // CDlgIrCtrl, the IR remote pad
    E_GD_SERIAL_MSG = 1, // CDlgSerialMsg
    E_GD_CEC_CTRL = 2,   // CDlgCECCtrl
};

void ShowGridIrCtrl(CHOIScene *pScene, CHOIDev *pDev);
void ShowGridSerialMsg(CHOIScene *pScene, CHOIDev *pDev);
void ShowGridCECCtrl(CHOIScene *pScene, CHOIDev *pDev);

// What the grid calls: the runner when one is set (tests), else the entry
// of the dialog above.
void LaunchGridDialog(E_GridDialog eDialog, CHOIScene *pScene, CHOIDev *pDev);

using GridDialogRunner =
    std::function<void(E_GridDialog eDialog, CHOIScene *pScene, CHOIDev *pDev)>;
// An empty runner brings back the dialogs.
void SetGridDialogRunner(const GridDialogRunner &runner);

#endif
