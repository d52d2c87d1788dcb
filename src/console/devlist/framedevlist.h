#ifndef HOI_CONSOLE_FRAMEDEVLIST_H
#define HOI_CONSOLE_FRAMEDEVLIST_H

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoitypes.h"
#include "hoiwidget/devrowindex.h"
#include "hoiwidget/formui.h"

class QDialog;
class QMenu;
class QTreeWidgetItem;
struct T_DevMenuFacts;

namespace Ui {
class CFrameDevList;
}

// A list of the devices the manager knows, one row per device: the source
// list (TX, WP, GW and IP controllers, numbered in the operator's order) or
// the display list (RX and MRX, sortable). Rows follow the manager's
// notifications; the operator renames devices in place, reorders and deletes
// them, and opens every per-device action from the context menu. Rows keep
// their device in column 0 under Qt::UserRole (itemdata.h) and never own it.
class CFrameDevList : public QWidget
{
    Q_OBJECT

public:
    enum E_QN714Operate {
        E_QO_UPLOAD = 0,   // the project goes up to the IP controller
        E_QO_DOWNLOAD = 1, // the project comes down from it
    };
    Q_ENUM(E_QN714Operate)

    enum {
        E_QN714_WAIT_MS = 2000 // pause before the IP controller is tried again
    };

    // The owner dialog is accepted or rejected by slotSelectAccept and
    // slotSelectReject; in the main window there is none.
    explicit CFrameDevList(QWidget *parent = nullptr, QDialog *pOwnerDlg = nullptr);
    ~CFrameDevList() override;

    // Source list: (true, false, true); display list: (false, true, false).
    void SetListMode(bool bShowTx, bool bShowRx, bool bShowQN714);
    QTreeWidgetItem *GetCurrentItem() const;

    // Only tests shorten it; the GUI thread sleeps this long per controller.
    void SetQN714WaitInterval(int msecs) { m_nQN714WaitMs = msecs; }

signals:
    void onItemChange(CHOIDev *pCurDev);
    void signalQN714Operate(CFrameDevList::E_QN714Operate oper);
    void signalListToGroup();
    void signalListToGroupDevName(CHOIDev *pCurDev);
    void signalDevFrameTo(QString strGroup);
    void signalListToGroupTXDev();

public slots:
    void slotRefreshDeives();
    void slotSetEnabled();
    void slotSetDisabled();
    void slotSelectAccept();
    void slotSelectReject();
    void slotDevChanged(CHOIDev *pDev);

    void slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify);
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnFoundQN714(CHOIDev *pDev);
    void slotGetIPandVersionQN714(CHOIDev *pDev);

    // Search from the list and its end.
    void slotSerachDeives();
    void slotOnSearchStop(int nDevFound, bool bRestoreSceneAfterSearch);

    void slotOnClickItem(QTreeWidgetItem *item, int column);
    void slotItemDoubleClicked(QTreeWidgetItem *item, int column);
    void slotItemMessageChange(QTreeWidgetItem *item, int column);
    void slotDeleteDevices();

    // Context menu: settings dialogs.
    void slotConfigDevice();
    void slotVideoSettingsForVX7100();
    void slotVideoSettings();
    void slotSerialConfig();
    void slotVolumeSettings();
    void slotSinkPowerSettings();
    void slotLayoutSettings();
    void slotMapSettings();
    void slotImageSettings();
    void slotLogoSettings();
    // Not on the menu; kept for callers that offer the preview image.
    void slotPreviewSettings();
    void slotIPCConfig();
    void slotEDIDSettings();

    // Context menu: device commands.
    void slotTurnOnOSD();
    void slotTurnOffOSD();
    void slotCECSettings();
    void slotCECSettings2();
    void slotTurnonSettings();
    void slotMuteSettings();
    void slotHDMITurnonSettings();
    void slotHDMIMuteSettings();
    void slotEDIDExport();
    void slotResetDevEdid();
    void slotUpdateDevices();
    void slotRebootDev();
    void slotResetDevDefault();

    // Context menu of an IP controller.
    void slotQN714Upload();
    void slotQN714Download();
    void slotQN714IPConfig();
    void slotUpdateQN714Devices();
    void slotQN714Reboot();

private slots:
    void on_twDevices_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void on_pbUpItem_clicked();
    void on_pbDownItem_clicked();
    void on_pbListToGroup_clicked();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The steps of the context menu: false when the selection refuses it.
    bool FillContextMenu(QMenu *pMenu);
    void FillQN714Menu(QMenu *pMenu);
    void FillDeviceMenu(QMenu *pMenu, CHOIDev *pFirst, bool bSingle, bool bAnyTx);
    // True when an entry was added.
    bool AddEdidEntries(QMenu *pMenu, const T_DevMenuFacts &facts, bool bAnyTx);

    static bool IsQN714Row(const CHOIDev *pDev);
    static CHOIDev *ItemDev(const QTreeWidgetItem *pItem);

    bool PassesTypeFilter(const CHOIDev *pDev) const;
    QTreeWidgetItem *FindDevItem(const CHOIDev *pDev) const;
    void FillDevItem(QTreeWidgetItem *pItem, CHOIDev *pDev);
    void FillQN714Item(QTreeWidgetItem *pItem, CHOIDev *pDev);
    void AddQN714Item(CHOIDev *pDev);
    void AddDevItem(CHOIDev *pDev);
    void RemoveDevItem(QTreeWidgetItem *pItem);
    void RenumberItems();
    void UpdateMoveButtons();
    void MoveCurrentItem(bool bUp);

    // The selection in selection order, rows without a device left out.
    QList<CHOIDev *> SelectedDevs() const;
    // The device of the only selected row; null unless exactly one is selected.
    CHOIDev *SingleDev() const;
    // The device of the tree's current row, when there is one.
    CHOIDev *CurrentDev() const;

    // Held while a handler waits on the operator (a message box runs the
    // event loop): a rebuild asked for meanwhile, as a controller's answer
    // does, would free the rows the handler still works on, so it is put off
    // until the last hold is let go.
    struct T_RebuildHold
    {
        explicit T_RebuildHold(CFrameDevList *pFrame);
        ~T_RebuildHold();
        CFrameDevList *m_pFrame;
    };

    CFormUi<Ui::CFrameDevList> ui;
    CDevRowIndex m_rows;
    QDialog *m_pOwnerDlg;
    CHOIDev::DevType m_devTypeFilter;
    // Guarded: a device the manager deletes must not be used later.
    QPointer<CHOIDev> m_pCurDev;
    bool m_bShowTx;
    bool m_bShowRx;
    bool m_bShowQN714;
    QStringList m_removedGwHostNames;
    int m_nQN714WaitMs;
    int m_nRebuildHolds;
    bool m_bRebuildPending;
};

#endif
