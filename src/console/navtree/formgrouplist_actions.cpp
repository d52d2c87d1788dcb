// The navigation tree's context menu and the commands behind it: groups,
// video walls and layouts are changed in the manager first and then
// mirrored in the tree; device entries open the settings dialogs or send
// one command to the device.
#include "navtree/formgrouplist.h"
#include "ui_formgrouplist.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QSignalBlocker>

#include "audio/dlgvolumeconfig.h"
#include "devlist/devactions.h"
#include "devlist/devmenu.h"
#include "dialogs/dlgcreategroup.h"
#include "dialogs/dlgrxchangegroup.h"
#include "dialogs/dlgvwedit.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/treerows.h"
#include "overlay/dlglogosettings.h"
#include "power/dlgsinkpowersetting.h"
#include "settings/dlgipmlayoutsettings.h"
#include "settings/dlgserialsetting.h"
#include "settings/dlgvideoconfig.h"
#include "settings/dlgvideosetting.h"
#include "uiservices.h"
#include "upload/dlgimagesetting.h"
#include "upload/dlgmapsettings.h"

namespace {

const int kColName = 0;
const int kColNumber = 2;

// The name typed in the group dialog; false when it was cancelled. The
// dialog starts on "Group", so it refuses another group's name itself.
bool AskGroupName(const QString &strOld, QWidget *pParent, QString *pName)
{
    CDlgCreateGroup dlg(strOld, pParent);
    dlg.SetType(1);
    dlg.exec();
    *pName = dlg.m_strName;
    return dlg.m_bOK;
}

// The wall dialog, preset to the group: the wall edited or made, null unless
// OK passed its checks.
CHOIScene *RunWallDialog(CHOIScene *pWall, const QString &strGroup, QWidget *pParent)
{
    CDlgVWEdit dlg(pWall, pParent);
    dlg.SetGroupName(strGroup);
    dlg.exec();
    return dlg.m_bOk ? dlg.GetEditedVideoWall() : nullptr;
}

T_ProdIdInfo ProdOf(CHOIDev *pDev)
{
    const T_ProdIdInfo *pProd = g_pHOIDevMgr ? g_pHOIDevMgr->GetProdIdInfo(pDev) : nullptr;
    return pProd ? *pProd : T_ProdIdInfo();
}

// The stored name of a wall's layout after its wall was renamed: the new
// wall name and the layout's own part; the wall name alone for a layout
// named like its wall.
QString RenamedWallScene(const QString &strScene, const QString &strNewWall)
{
    const int nDash = strScene.indexOf(QLatin1Char('-'));
    return nDash < 0 ? strNewWall : strNewWall + strScene.mid(nDash);
}

} // namespace

// ---- the menu ----

void CFormGroupList::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidget *pTree = ui->twGroupManageList;
    if (!pTree->itemAt(pTree->viewport()->mapFromGlobal(event->globalPos())))
        return;
    QMenu menu(this);
    if (!FillContextMenu(&menu))
        return;
    menu.exec(event->globalPos());
}

bool CFormGroupList::FillContextMenu(QMenu *pMenu)
{
    const QList<QTreeWidgetItem *> selected = ui->twGroupManageList->selectedItems();
    if (selected.size() == 1) {
        QTreeWidgetItem *pItem = selected.first();
        switch (GroupItemKind(pItem)) {
        case E_GTK_ROOT:
            pMenu->addAction(tr("Create Group"), this, &CFormGroupList::slotOnGroupAdd);
            return true;
        case E_GTK_GROUP:
            pMenu->addAction(tr("Create Video Wall"), this, &CFormGroupList::slotOnVWAdd);
            // "ungrouped" can be neither renamed nor deleted.
            if (pItem->text(kColName) != g_strUngrouped) {
                pMenu->addAction(tr("Edit Group"), this, &CFormGroupList::slotOnGroupEdit);
                pMenu->addAction(tr("Delete Group"), this, &CFormGroupList::slotOnGroupDelete);
            }
            return true;
        case E_GTK_VIDEOWALL:
            pMenu->addAction(tr("Edit Video Wall"), this, &CFormGroupList::slotOnVWEdit);
            pMenu->addAction(tr("Delete Video Wall"), this, &CFormGroupList::slotOnVWDelete);
            return true;
        case E_GTK_LAYOUT:
            pMenu->addAction(tr("Create Layout"), this, &CFormGroupList::slotOnLayoutAdd);
            pMenu->addAction(tr("Edit Layout"), this, &CFormGroupList::slotOnLayoutEdit);
            pMenu->addAction(tr("Delete Layout"), this, &CFormGroupList::slotOnLayoutDelete);
            pMenu->addAction(tr("Set As Default"), this, &CFormGroupList::slotOnDefaultLayout);
            return true;
        default:
            break;
        }
    }

    const QList<CHOIDev *> devs = SelectedDevs();
    if (devs.isEmpty())
        return false;
    for (CHOIDev *pDev : devs) {
        if (pDev->GetDevType() == CHOIDev::E_DT_UNKNOWN)
            return false;
    }
    FillDeviceMenu(pMenu, devs.first(), selected.size());
    return true;
}

void CFormGroupList::FillDeviceMenu(QMenu *pMenu, CHOIDev *pDev, int nSelected)
{
    T_DevMenuFacts facts;
    facts.pDev = pDev;
    facts.prod = ProdOf(pDev);
    facts.bSingle = nSelected == 1;
    facts.bVx7100RxOnly = true;
    AddDevSettingEntries(pMenu, this, facts);

    if (facts.bSingle && DevMenuHas(facts, &CHOIDevMgr::IsSupportEdidExport)) {
        pMenu->addAction(tr("EDID Export"), this, &CFormGroupList::slotEDIDExport);
        pMenu->addSeparator();
    }

    AddDevCommandEntries(pMenu, this);
    pMenu->addSeparator();
    QAction *pChange = pMenu->addAction(tr("Change Group"), this,
                                        qOverload<>(&CFormGroupList::slotOnDevChangeGroup));
    QTreeWidgetItem *pCurrent = ui->twGroupManageList->currentItem();
    pChange->setEnabled(pCurrent && GroupItemKind(pCurrent->parent()) != E_GTK_VIDEOWALL);
}

CHOIDev *CFormGroupList::SelectedDev() const
{
    return SingleSelectedRowDev(ui->twGroupManageList, &GroupItemDev);
}

QList<CHOIDev *> CFormGroupList::SelectedDevs() const
{
    return SelectedRowDevs(ui->twGroupManageList, &GroupItemDev);
}

// ---- groups ----
// The tree's menu acts on its current row, the main window's page buttons on
// the group or wall the page shows; both run the one routine below.

bool CFormGroupList::RefuseTakenGroupName(const QString &strName, const QString &strOwn, QWidget *pParent)
{
    // Two groups of one name could no longer be told apart: their members
    // would merge for good.
    if (strName == strOwn || g_pHOIDevMgr->IndexOfGroup(strName) < 0)
        return false;
    MsgCritical(pParent, QString(), tr("Name already exists!"));
    return true;
}

bool CFormGroupList::CreateGroup(QWidget *pParent)
{
    if (!g_pHOIDevMgr)
        return false;
    QString strName;
    if (!AskGroupName(QString(), pParent, &strName) || RefuseTakenGroupName(strName, QString(), pParent)
        || !g_pHOIDevMgr->AddGroup(strName, uint(g_pHOIDevMgr->GetGroupCount() + 1)))
        return false;
    AddGroupItem(strName);
    return true;
}

bool CFormGroupList::EditGroup(const QString &strOld, QWidget *pParent)
{
    // "ungrouped" keeps its name: devices of unknown groups go there.
    if (!g_pHOIDevMgr || strOld.isEmpty() || strOld == g_strUngrouped)
        return false;
    QString strName;
    if (!AskGroupName(strOld, pParent, &strName) || RefuseTakenGroupName(strName, strOld, pParent))
        return false;
    QTreeWidgetItem *pItem = FindGroupItem(strOld);
    if (!g_pHOIDevMgr->RenameGroup(strOld, strName))
        return false;
    if (pItem)
        pItem->setText(kColName, strName);
    emit signalGroupNameChange(strName);
    return true;
}

bool CFormGroupList::DeleteGroup(const QString &strName, QWidget *pParent)
{
    if (strName.isEmpty()) {
        MsgCritical(pParent, QString(), tr("Select the node please."));
        return false;
    }
    if (strName == g_strUngrouped
        || MsgQuestion(pParent, tr("Delete Group"), tr("Do you want to delete this group?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
               != QMessageBox::Yes)
        return false;
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->RemoveGroup(strName);
    RemoveGroupItem(strName);
    emit signalGroupRemoved(strName);
    return true;
}

void CFormGroupList::slotOnGroupAdd()
{
    CreateGroup(this);
}

void CFormGroupList::slotOnGroupEdit()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    if (GroupItemKind(pItem) == E_GTK_GROUP)
        EditGroup(pItem->text(kColName), this);
}

void CFormGroupList::slotOnGroupDelete()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    DeleteGroup(pItem ? pItem->text(kColName) : QString(), this);
}

// ---- video walls ----

CHOIScene *CFormGroupList::CreateVideoWall(const QString &strGroup, QWidget *pParent)
{
    if (!g_pHOIDevMgr)
        return nullptr;
    CHOIScene *pMade = RunWallDialog(nullptr, strGroup, pParent);
    if (!pMade)
        return nullptr;
    CHOIScene *pWall = g_pHOIDevMgr->FindVideoWallByName(pMade->GetName());
    if (!pWall || !AddVWItem(pWall))
        return nullptr;
    slotUpdateSeq();
    emit signalShowVWScene(pWall);
    return pWall;
}

bool CFormGroupList::IsManagedWall(CHOIScene *pWall) const
{
    // A wall deleted before is no longer the manager's; acting on it again
    // would take a newer wall of that name, and its layouts, with it.
    return g_pHOIDevMgr && pWall && g_pHOIDevMgr->FindVideoWallByName(pWall->GetName()) == pWall;
}

bool CFormGroupList::EditVideoWall(CHOIScene *pWall, QWidget *pParent)
{
    // Without a wall the dialog would create one.
    if (!IsManagedWall(pWall))
        return false;
    const QPointer<CHOIScene> pGuard(pWall);
    const QString strOldName = pWall->GetName();
    const QString strOldGroup = pWall->GetGroup();
    if (!RunWallDialog(pWall, strOldGroup, pParent) || !pGuard)
        return false;
    QTreeWidgetItem *pGroupItem = FindGroupItem(strOldGroup);
    QTreeWidgetItem *pWallItem = FindWallItem(pGroupItem, strOldName);
    const QString strNewName = pWall->GetName();
    if (strNewName != strOldName && !strNewName.isEmpty() && !strOldName.isEmpty())
        RenameWallRows(pWall, pWallItem, strOldName);
    if (pWall->GetGroup() != strOldGroup)
        MoveWallRows(pWall, pWallItem, pGroupItem);
    slotUpdateSeq();
    return true;
}

void CFormGroupList::RenameWallRows(CHOIScene *pWall, QTreeWidgetItem *pWallItem, const QString &strOldName)
{
    const QString strNewName = pWall->GetName();
    // Every layout of the wall follows: "<old>-x" becomes "<new>-x".
    const QList<CHOIScene *> scenes = g_pHOIDevMgr->GetSceneList();
    for (CHOIScene *pScene : scenes) {
        if (CHOIScene::GetSceneNamePrefix(pScene->GetName()) == strOldName)
            pScene->SetName(RenamedWallScene(pScene->GetName(), strNewName));
    }
    if (pWallItem) {
        pWallItem->setText(kColName, strNewName);
        for (int i = 0; i < pWallItem->childCount(); ++i) {
            QTreeWidgetItem *pChild = pWallItem->child(i);
            if (CHOIDev *pDev = GroupItemDev(pChild))
                pDev->SetVideoWall(pWall);
            else if (CHOIScene *pScene = GroupItemScene(pChild))
                pChild->setText(kColName, pScene->GetName());
        }
    }
    emit signalVWNameChange(strNewName);
    emit signalLayoutNameChange();
}

void CFormGroupList::MoveWallRows(CHOIScene *pWall, QTreeWidgetItem *pWallItem, QTreeWidgetItem *pGroupItem)
{
    QTreeWidgetItem *pNewGroupItem = FindGroupItem(pWall->GetGroup());
    if (!pNewGroupItem) {
        pWall->SetGroup(g_strUngrouped);
        pNewGroupItem = UngroupedItem();
    }
    const QString strNewGroup = pWall->GetGroup();
    for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (pDev->GetVideoWall() == pWall)
            pDev->SetGroup(strNewGroup);
    }
    const QList<CHOIScene *> scenes = g_pHOIDevMgr->GetSceneList();
    for (CHOIScene *pScene : scenes) {
        if (CHOIScene::GetSceneNamePrefix(pScene->GetName()) == pWall->GetName())
            pScene->SetGroup(strNewGroup);
    }
    if (!pWallItem || !pNewGroupItem || pNewGroupItem == pGroupItem)
        return;
    QTreeWidget *pTree = ui->twGroupManageList;
    const QSignalBlocker blocker(pTree);
    const bool bExpanded = pWallItem->isExpanded();
    if (pGroupItem)
        pGroupItem->removeChild(pWallItem);
    const int nSequence = pNewGroupItem->childCount() + 1;
    pWall->SetLayoutSeq(nSequence);
    pWallItem->setText(kColNumber, QString::number(nSequence));
    pNewGroupItem->addChild(pWallItem);
    pWallItem->setExpanded(bExpanded);
    pTree->setCurrentItem(pWallItem);
}

bool CFormGroupList::DeleteVideoWall(CHOIScene *pWall, QWidget *pParent)
{
    if (!IsManagedWall(pWall))
        return false;
    const QPointer<CHOIScene> pGuard(pWall);
    if (MsgQuestion(pParent, tr("Delete Video Wall"), tr("Do you want to delete this Video Wall?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
            != QMessageBox::Yes
        || !IsManagedWall(pGuard))
        return false;

    const QString strWall = pWall->GetName();
    QTreeWidgetItem *pGroupItem = FindGroupItem(pWall->GetGroup());
    QTreeWidgetItem *pWallItem = FindWallItem(pGroupItem, strWall);
    QTreeWidget *pTree = ui->twGroupManageList;
    {
        const QSignalBlocker blocker(pTree);
        if (pWallItem) {
            pGroupItem->removeChild(pWallItem);
            while (pWallItem->childCount() > 0) {
                QTreeWidgetItem *pChild = pWallItem->takeChild(0);
                CHOIDev *pDev = GroupItemDev(pChild);
                if (!pDev) {
                    delete pChild;
                    continue;
                }
                pDev->SetVideoWall(nullptr);
                if (!AttachDevItem(pChild))
                    delete pChild;
            }
        }
        // Devices of the wall shown elsewhere leave it too.
        for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
            if (g_pHOIDevMgr->GetDev(i)->GetVideoWall() == pWall)
                g_pHOIDevMgr->GetDev(i)->SetVideoWall(nullptr);
        }
    }

    for (int i = 0; i < g_pHOIDevMgr->GetSceneCount();) {
        CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
        if (CHOIScene::GetSceneNamePrefix(pScene->GetName()) == strWall)
            g_pHOIDevMgr->DeleteSceneAt(i);
        else
            ++i;
    }

    emit signalVWItem();
    g_pHOIDevMgr->RemoveVideoWall(pWall);
    delete pWallItem;
    slotUpdateSeq();
    if (pGroupItem) {
        pTree->setCurrentItem(pGroupItem);
        pGroupItem->setSelected(true);
        emit signalGroupItem(pGroupItem);
    }
    return true;
}

void CFormGroupList::slotOnVWAdd()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    CreateVideoWall(pItem ? pItem->text(kColName) : QString(), this);
}

void CFormGroupList::slotOnVWEdit()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    if (GroupItemKind(pItem) == E_GTK_VIDEOWALL)
        EditVideoWall(GroupItemScene(pItem), this);
}

void CFormGroupList::slotOnVWDelete()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    if (GroupItemKind(pItem) == E_GTK_VIDEOWALL)
        DeleteVideoWall(GroupItemScene(pItem), this);
}

// ---- layouts ----

void CFormGroupList::slotOnLayoutAdd()
{
    emit signalLayoutAdd();
}

void CFormGroupList::slotOnLayoutEdit()
{
    emit signalLayoutEdit();
}

void CFormGroupList::slotOnLayoutDelete()
{
    emit signalLayoutDelete();
}

void CFormGroupList::slotOnDefaultLayout()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    CHOIScene *pScene = GroupItemScene(pItem);
    if (!pScene || GroupItemKind(pItem) != E_GTK_LAYOUT || !pItem->parent())
        return;
    QTreeWidgetItem *pParent = pItem->parent();
    for (int i = 0; i < pParent->childCount(); ++i) {
        QTreeWidgetItem *pSibling = pParent->child(i);
        if (pSibling == pItem || GroupItemKind(pSibling) == E_GTK_DEVICE)
            continue;
        if (CHOIScene *pOther = GroupItemScene(pSibling))
            pOther->SetDefault(false);
        pSibling->setIcon(kColName, QIcon(QStringLiteral(":/images/L.png")));
    }
    pScene->SetDefault(true);
    pItem->setIcon(kColName, QIcon(QStringLiteral(":/images/LD.png")));
}

// ---- device commands ----

void CFormGroupList::slotVideoSettings()
{
    CHOIDev *pDev = SelectedDev();
    if (!pDev)
        return;
    if (ProdOf(pDev).video_set_2)
        ExecDevDialog<CDlgVideoSetting>(pDev, this);
    else
        ExecDevDialog<CDlgVideoConfig>(pDev, this);
}

void CFormGroupList::slotVideoSettingsForVX7100()
{
    ExecDevDialog<CDlgVideoSetting>(SelectedDev(), this);
}

void CFormGroupList::slotSerialConfig()
{
    ExecDevDialog<CDlgSerialSetting>(GroupItemDev(ui->twGroupManageList->currentItem()), nullptr);
}

void CFormGroupList::slotVolumeSettings()
{
    ExecDevDialog<CDlgVolumeConfig>(SelectedDev(), this);
}

void CFormGroupList::slotLayoutSettings()
{
    ExecDevDialog<CDlgIPMLayoutSettings>(SelectedDev(), this);
}

void CFormGroupList::slotSinkPowerSettings()
{
    ExecDevDialog<CDlgSinkPowerSetting>(SelectedDev(), this);
}

void CFormGroupList::slotMapSettings()
{
    ExecDevDialog<CDlgMapSettings>(SelectedDev(), this);
}

void CFormGroupList::slotLogoSettings()
{
    ExecDevDialog<CDlgLogoSettings>(SelectedDev(), this);
}

void CFormGroupList::slotImageSettings()
{
    ExecDevDialog<CDlgImageSetting>(SelectedDev(), this);
}

void CFormGroupList::slotTurnOnOSD()
{
    if (CHOIDev *pDev = SelectedDev())
        SendDevsOsd({pDev}, true);
}

void CFormGroupList::slotTurnOffOSD()
{
    if (CHOIDev *pDev = SelectedDev())
        SendDevsOsd({pDev}, false);
}

void CFormGroupList::slotCECSettings()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->SendCecPower(true);
}

void CFormGroupList::slotCECSettings2()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->SendCecPower(false);
}

void CFormGroupList::slotTurnonSettings()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->ApplyLineOutMute(false);
}

void CFormGroupList::slotMuteSettings()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->ApplyLineOutMute(true);
}

void CFormGroupList::slotHDMITurnonSettings()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->ApplyHdmiOutAudioMute(false);
}

void CFormGroupList::slotHDMIMuteSettings()
{
    if (CHOIDev *pDev = SelectedDev())
        pDev->ApplyHdmiOutAudioMute(true);
}

void CFormGroupList::slotRebootDev()
{
    if (CHOIDev *pDev = SelectedDev())
        RebootDevs({pDev});
}

void CFormGroupList::slotUpdateDevices()
{
    UpdateDevsFromDev(SelectedDevs());
}

void CFormGroupList::slotResetDevDefault()
{
    const QList<CHOIDev *> devs = SelectedDevs();
    if (devs.isEmpty())
        return;
    if (MsgQuestion(this, QString(), tr("Are you sure you want to restore default settings?"))
        != QMessageBox::Yes)
        return;
    ResetDevsToDefault(devs);
}

void CFormGroupList::slotEDIDExport()
{
    ExportDevEdid(SelectedDev(), this, staticMetaObject.className(), &m_strEdidDir);
}

void CFormGroupList::slotDeleteDevices()
{
    if (!g_pHOIDevMgr)
        return;
    if (MsgQuestion(this, QString(), tr("Are you sure you want to delete the selected devices?"))
        != QMessageBox::Yes)
        return;
    // The rows go here, one by one; the manager's removal notice must not
    // delete them a second time.
    disconnect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFormGroupList::slotOnDeviceNotify);
    const QList<QTreeWidgetItem *> selected = ui->twGroupManageList->selectedItems();
    for (QTreeWidgetItem *pItem : selected) {
        CHOIDev *pDev = GroupItemDev(pItem);
        if (!pDev)
            continue;
        QTreeWidgetItem *pGroupItem = FindGroupItem(pDev->GetGroup());
        if (m_pCurrentDev == pDev)
            m_pCurrentDev = nullptr;
        g_pHOIDevMgr->RemoveDevice(pDev);
        delete pItem;
        emit signalDevFrame(pGroupItem);
    }
    connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFormGroupList::slotOnDeviceNotify);
}

void CFormGroupList::slotOnDevChangeGroup()
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    CHOIDev *pDev = GroupItemDev(pItem);
    if (!pDev)
        return;
    const QPointer<CHOIDev> pGuard(pDev);
    CDlgRxChangeGroup dlg(pDev, nullptr);
    if (dlg.exec() != QDialog::Accepted || !pGuard)
        return;
    const QString strGroup = dlg.m_strGroup;
    // The row may have gone while the dialog ran.
    pItem = FindDevItem(pDev);
    if (!pItem)
        return;
    pDev->SetGroup(strGroup);
    emit onItemClickGroup(RegroupDevItem(pItem));
}
