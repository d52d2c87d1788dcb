#ifndef HOI_CONSOLE_FORMGROUPLIST_H
#define HOI_CONSOLE_FORMGROUPLIST_H

#include <QString>
#include <QWidget>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"
#include "hoiwidget/devrowindex.h"
#include "hoiwidget/formui.h"
#include "navtree/groupwidget.h"

class CHOIDev;
class CHOIScene;
class QDialog;
class QMenu;
class QTreeWidgetItem;

namespace Ui {
class CFormGroupList;
}

// The main window's navigation panel: the tree "All Groups" > groups >
// video walls and decoders, with the position numbers ("NO.") of groups,
// walls and devices, which the manager keeps. Clicks are reported upward by
// signals; the main window decides which page to show. Every group, wall
// and device lives in the manager; the tree holds raw pointers only.
class CFormGroupList : public QWidget
{
    Q_OBJECT

public:
    explicit CFormGroupList(QWidget *parent = nullptr, QWidget *pOwnerDialog = nullptr);
    ~CFormGroupList() override;

    QGroupWidget *GetTree() const;
    QTreeWidgetItem *GetRootItem() const { return m_pRootItem; }
    CHOIDev *GetCurrentDev() const { return m_pCurrentDev; }

    void SelectRootItem();
    QTreeWidgetItem *GetCurrentItem() const;
    QTreeWidgetItem *FindGroupItem(const QString &strName) const;
    QTreeWidgetItem *FindChildItem(QTreeWidgetItem *pParent, const QString &strName) const;
    int IndexOfChildByText(QTreeWidgetItem *pParent, const QString &strText) const;
    QTreeWidgetItem *FindDevItem(CHOIDev *pDev) const;
    QTreeWidgetItem *FindWallItem(QTreeWidgetItem *pGroupItem, const QString &strName) const;
    QTreeWidgetItem *FindSceneItem(CHOIScene *pScene) const;
    QTreeWidgetItem *FindSceneParentItem(CHOIScene *pScene) const;
    QTreeWidgetItem *AddGroupItem(const QString &strName);
    QTreeWidgetItem *AddVWItem(CHOIScene *pWall);
    void RemoveGroupItem(const QString &strName);
    bool AttachDevItem(QTreeWidgetItem *pItem);

    // The group and video-wall commands, shared by the tree's menu and the
    // main window's page buttons. Each asks with its dialog (parented to
    // pParent), changes the manager, then the tree, and reports through the
    // signals below; true when something changed.
    bool CreateGroup(QWidget *pParent);
    bool EditGroup(const QString &strName, QWidget *pParent);
    bool DeleteGroup(const QString &strName, QWidget *pParent);
    CHOIScene *CreateVideoWall(const QString &strGroup, QWidget *pParent);
    bool EditVideoWall(CHOIScene *pWall, QWidget *pParent);
    bool DeleteVideoWall(CHOIScene *pWall, QWidget *pParent);

    // The device type whose notifications the tree follows (7: all).
    void SetDevTypeFilter(int nDevType) { m_nDevTypeFilter = nDevType; }


signals:
    void onItemChange(CHOIDev *pCurDev);
    void onItemClickGroup(QTreeWidgetItem *pGroupItem);
    void signalGroupItem(QTreeWidgetItem *pGroupItem);
    void signalGroupItemforAliasModity(QTreeWidgetItem *pGroupItem);
    void signalVWItem();
    void onItemClickVW(QTreeWidgetItem *pVWItem);
    void onItemClickLayout(CHOIScene *pScene);
    void onItemClickAll(QTreeWidgetItem *pAllItem);
    void signalDevFrame(QTreeWidgetItem *pItem);
    void signalLayoutAdd();
    void signalLayoutEdit();
    void signalLayoutDelete();
    void signalLayoutNameChange();
    void signalGroupNameChange(QString strGroup);
    void signalGroupRemoved(const QString &strGroup);
    void signalGroupToList();
    void signalVWNameChange(QString strVW);
    void signalShowVWScene(CHOIScene *pVW);

public slots:
    void slotRefreshDeives();
    void slotUpdateSeq();
    void slotSetCurrentItem(QTreeWidgetItem *pItem);
    void on_pbExpand_clicked();
    void slotSerachDeives();
    void slotOnFoundQN714(CHOIDev *pDev);
    void slotSetDisabled();
    void slotSetEnabled();
    void slotSelectAccept();
    void slotSelectReject();
    void slotOnSearchStop(int nDevFound, bool bRestoreSceneAfterSearch);
    void slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify);
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotDevChanged(CHOIDev *pDev);
    void slotDevChangedName(CHOIDev *pDev);
    void slotDevChangeForList(CHOIDev *pDev);
    void slotOnDevChangeGroup(CHOIDev *pDev);
    void slotCurrentDev(CHOIDev *pDev);
    void soltDevFrameTo(QString strGroup);
    void slotItemDoubleClicked(QTreeWidgetItem *pItem, int nColumn);
    void slotConfigDevice();

    // Context-menu commands.
    void slotOnGroupAdd();
    void slotOnGroupEdit();
    void slotOnGroupDelete();
    void slotOnVWAdd();
    void slotOnVWEdit();
    void slotOnVWDelete();
    void slotOnLayoutAdd();
    void slotOnLayoutEdit();
    void slotOnLayoutDelete();
    void slotOnDefaultLayout();
    void slotVideoSettings();
    void slotVideoSettingsForVX7100();
    void slotSerialConfig();
    void slotVolumeSettings();
    void slotLayoutSettings();
    void slotSinkPowerSettings();
    void slotMapSettings();
    void slotLogoSettings();
    void slotImageSettings();
    void slotTurnOnOSD();
    void slotTurnOffOSD();
    void slotCECSettings();
    void slotCECSettings2();
    void slotTurnonSettings();
    void slotMuteSettings();
    void slotHDMITurnonSettings();
    void slotHDMIMuteSettings();
    void slotEDIDExport();
    void slotDeleteDevices();
    void slotUpdateDevices();
    void slotRebootDev();
    void slotResetDevDefault();
    void slotOnDevChangeGroup();

private slots:
    void on_pbUpItem_clicked();
    void on_pbDownItem_clicked();
    void on_pbFold_clicked();
    void on_pbGroupToList_clicked();
    void on_pbBatchGroup_clicked();
    void on_twGroupManageList_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);

protected:
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The root's text and the type column follow the interface language.
    void RetranslateItems();
    QTreeWidgetItem *NewGroupItem(const QString &strName, int nNumber);
    QTreeWidgetItem *NewVWItem(CHOIScene *pWall, int nNumber);
    QTreeWidgetItem *AddDevItem(CHOIDev *pDev);
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev);
    void UpdateDevItem(QTreeWidgetItem *pItem, CHOIDev *pDev);
    QTreeWidgetItem *UngroupedItem();
    void UpdateMoveButtons(QTreeWidgetItem *pItem);
    void MoveCurrentItem(int nStep);
    void StoreItemSequence(QTreeWidgetItem *pItem);
    void SortChildrenByNumber(QTreeWidgetItem *pParent, int nFirst, int nCount);
    void SortWallChildren(QTreeWidgetItem *pWallItem);
    void MoveChild(QTreeWidgetItem *pParent, int nFrom, int nTo);
    // Takes a device row out and attaches it again where its device now
    // belongs, without reporting a click; false when it could not be placed
    // (the row is then deleted).
    bool ReattachItem(QTreeWidgetItem *pItem);
    // After a device's group changed: its row goes where the device now
    // belongs, the numbers close up behind it, and a group page showing the
    // group it left or joined is rebuilt. Returns the row's former parent.
    QTreeWidgetItem *RegroupDevItem(QTreeWidgetItem *pItem);
    void RunDevEdit(CHOIDev *pDev);
    // The device of the one selected item, or null when not exactly one
    // item carrying a device is selected.
    CHOIDev *SelectedDev() const;
    QList<CHOIDev *> SelectedDevs() const;
    bool FillContextMenu(QMenu *pMenu);
    // True, after telling the operator, when strName is another group's.
    bool RefuseTakenGroupName(const QString &strName, const QString &strOwn, QWidget *pParent);
    bool IsManagedWall(CHOIScene *pWall) const;
    // The steps of EditVideoWall after its dialog: a new name reaches the
    // wall's layouts and rows; a new group its decoders, layouts and row.
    void RenameWallRows(CHOIScene *pWall, QTreeWidgetItem *pWallItem, const QString &strOldName);
    void MoveWallRows(CHOIScene *pWall, QTreeWidgetItem *pWallItem, QTreeWidgetItem *pGroupItem);
    void FillDeviceMenu(QMenu *pMenu, CHOIDev *pDev, int nSelected);

    CFormUi<Ui::CFormGroupList> ui;
    CDevRowIndex m_rows;
    QTreeWidgetItem *m_pRootItem;
    CHOIDev *m_pCurrentDev;
    int m_nDevTypeFilter;
    QString m_strEdidDir;
    QDialog *m_pOwnerDialog;
};

#endif
