// The context menu of the device lists and every action behind it.
#include "devlist/framedevlist.h"
#include "ui_framedevlist.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QThread>

#include "audio/dlgvolumeconfig.h"
#include "devlist/devactions.h"
#include "devlist/devmenu.h"
#include "dialogs/dlgdevedit.h"
#include "edid/dlgedidsetting.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
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
#include "vtx/dlgdevipconfig.h"
#include "vtx/dlgipcconfig.h"
#include "vtx/dlgpreviewimage.h"

QList<CHOIDev *> CFrameDevList::SelectedDevs() const
{
    return SelectedRowDevs(ui->twDevices, &ItemDev);
}

CHOIDev *CFrameDevList::SingleDev() const
{
    return SingleSelectedRowDev(ui->twDevices, &ItemDev);
}

CHOIDev *CFrameDevList::CurrentDev() const
{
    return ItemDev(ui->twDevices->currentItem());
}

namespace {

// What the chosen rows hold, as far as the menu needs it.
struct T_MenuSelection
{
    CHOIDev *pFirst = nullptr;
    bool bAnyTx = false;
    bool bAnyOsd = false;
    bool bUnknown = false;
};

// False when the selection refuses the menu: a virtual TX does, unless a TX
// and an OSD device were met before it. A device of unknown kind can still
// be deleted (with no virtual TX chosen beside it): nothing else removes it,
// and while it is listed the layout functions stay off.
bool ScanSelection(const QList<CHOIDev *> &devs, T_MenuSelection *pSel)
{
    for (CHOIDev *pDev : devs) {
        if (!pSel->pFirst)
            pSel->pFirst = pDev;
        if (g_pHOIDevMgr->GetProdIdInfo(pDev)->ipc_flag)
            return false;
        pSel->bUnknown = pSel->bUnknown || pDev->GetDevType() == CHOIDev::E_DT_UNKNOWN;
        if (pSel->bUnknown)
            continue;
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            pSel->bAnyTx = true;
        if (pDev->IsSupportOsd())
            pSel->bAnyOsd = true;
        if (pSel->bAnyTx && pSel->bAnyOsd)
            break;
    }
    return true;
}

} // namespace

void CFrameDevList::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidget *pTree = ui->twDevices;
    if (!g_pHOIDevMgr || !pTree->itemAt(pTree->viewport()->mapFromGlobal(event->globalPos())))
        return;
    QMenu menu(this);
    if (!FillContextMenu(&menu))
        return;
    menu.exec(event->globalPos());
}

bool CFrameDevList::FillContextMenu(QMenu *pMenu)
{
    const QList<QTreeWidgetItem *> selected = ui->twDevices->selectedItems();
    const bool bSingle = selected.size() == 1;
    const CHOIDev *pOnly = bSingle ? ItemDev(selected.first()) : nullptr;
    if (pOnly && IsQN714Row(pOnly)) {
        FillQN714Menu(pMenu);
        return true;
    }
    T_MenuSelection sel;
    if (!ScanSelection(SelectedDevs(), &sel))
        return false;
    if (sel.bUnknown) {
        pMenu->addAction(tr("Delete"), this, &CFrameDevList::slotDeleteDevices);
        return true;
    }
    FillDeviceMenu(pMenu, sel.pFirst, bSingle, sel.bAnyTx);
    return true;
}

void CFrameDevList::FillQN714Menu(QMenu *pMenu)
{
    pMenu->addAction(tr("Upload"), this, &CFrameDevList::slotQN714Upload);
    pMenu->addAction(tr("Download"), this, &CFrameDevList::slotQN714Download);
    pMenu->addAction(tr("IP Config"), this, &CFrameDevList::slotQN714IPConfig);
    pMenu->addAction(tr("Delete"), this, &CFrameDevList::slotDeleteDevices);
    pMenu->addAction(tr("Update Device Data"), this, &CFrameDevList::slotUpdateQN714Devices);
    pMenu->addAction(tr("Reboot"), this, &CFrameDevList::slotQN714Reboot);
}

void CFrameDevList::FillDeviceMenu(QMenu *pMenu, CHOIDev *pFirst, bool bSingle, bool bAnyTx)
{
    T_DevMenuFacts facts;
    facts.pDev = pFirst;
    facts.prod = *g_pHOIDevMgr->GetProdIdInfo(pFirst);
    facts.bSingle = bSingle;
    facts.bSerialGreyed = true;
    facts.bTxVolume = bAnyTx;
    AddDevSettingEntries(pMenu, this, facts);

    if (bSingle && facts.prod.ipc_enable) {
        pMenu->addAction(tr("Virsual TX Settings"), this, &CFrameDevList::slotIPCConfig);
        pMenu->addSeparator();
    }
    if (AddEdidEntries(pMenu, facts, bAnyTx))
        pMenu->addSeparator();
    AddDevCommandEntries(pMenu, this);
}

bool CFrameDevList::AddEdidEntries(QMenu *pMenu, const T_DevMenuFacts &facts, bool bAnyTx)
{
    if (!facts.bSingle)
        return false;
    bool bAdded = false;
    if (DevMenuHas(facts, &CHOIDevMgr::IsSupportEdidExport)) {
        pMenu->addAction(tr("EDID Export"), this, &CFrameDevList::slotEDIDExport);
        bAdded = true;
    }
    if (bAnyTx && DevMenuHas(facts, &CHOIDevMgr::IsSupportEdidReset)) {
        pMenu->addAction(tr("Reset EDID"), this, &CFrameDevList::slotResetDevEdid);
        bAdded = true;
    }
    if (facts.prod.edie_setting) {
        pMenu->addAction(tr("EDID Settings"), this, &CFrameDevList::slotEDIDSettings);
        bAdded = true;
    }
    return bAdded;
}

// ---------------------------------------------------------------------------
// Settings dialogs

void CFrameDevList::slotConfigDevice()
{
    CHOIDev *pDev = CurrentDev();
    if (!pDev)
        return;
    CDlgDevEdit dlg(pDev, this);
    connect(&dlg, &CDlgDevEdit::onDevChanged, this, &CFrameDevList::slotDevChanged);
    dlg.exec();
    emit signalListToGroupDevName(pDev);
}

void CFrameDevList::slotVideoSettingsForVX7100()
{
    ExecDevDialog<CDlgVideoSetting>(SingleDev(), nullptr);
}

void CFrameDevList::slotVideoSettings()
{
    ExecDevDialog<CDlgVideoConfig>(SingleDev(), this);
}

void CFrameDevList::slotSerialConfig()
{
    CHOIDev *pDev = CurrentDev();
    if (!pDev)
        return;
    m_pCurDev = pDev;
    ExecDevDialog<CDlgSerialSetting>(pDev, nullptr);
}

void CFrameDevList::slotVolumeSettings()
{
    ExecDevDialog<CDlgVolumeConfig>(SingleDev(), this);
}

void CFrameDevList::slotSinkPowerSettings()
{
    ExecDevDialog<CDlgSinkPowerSetting>(SingleDev(), this);
}

void CFrameDevList::slotLayoutSettings()
{
    ExecDevDialog<CDlgIPMLayoutSettings>(CurrentDev(), nullptr);
}

void CFrameDevList::slotMapSettings()
{
    ExecDevDialog<CDlgMapSettings>(SingleDev(), this);
}

void CFrameDevList::slotImageSettings()
{
    ExecDevDialog<CDlgImageSetting>(SingleDev(), this);
}

void CFrameDevList::slotLogoSettings()
{
    ExecDevDialog<CDlgLogoSettings>(SingleDev(), this);
}

void CFrameDevList::slotPreviewSettings()
{
    ExecDevDialog<CDlgPreviewImage>(SingleDev(), this);
}

void CFrameDevList::slotIPCConfig()
{
    ExecDevDialog<CDlgIPCConfig>(SingleDev(), this);
}

void CFrameDevList::slotEDIDSettings()
{
    ExecDevDialog<CDlgEDIDSetting>(m_pCurDev.data(), nullptr);
}

// ---------------------------------------------------------------------------
// Device commands

void CFrameDevList::slotTurnOnOSD()
{
    SendDevsOsd(SelectedDevs(), true);
}

void CFrameDevList::slotTurnOffOSD()
{
    SendDevsOsd(SelectedDevs(), false);
}

void CFrameDevList::slotCECSettings()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->SendCecPower(true);
}

void CFrameDevList::slotCECSettings2()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->SendCecPower(false);
}

void CFrameDevList::slotTurnonSettings()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->ApplyLineOutMute(false);
}

void CFrameDevList::slotMuteSettings()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->ApplyLineOutMute(true);
}

void CFrameDevList::slotHDMITurnonSettings()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->ApplyHdmiOutAudioMute(false);
}

void CFrameDevList::slotHDMIMuteSettings()
{
    if (CHOIDev *pDev = SingleDev())
        pDev->ApplyHdmiOutAudioMute(true);
}

void CFrameDevList::slotEDIDExport()
{
    ExportDevEdid(SingleDev(), this, staticMetaObject.className());
}

void CFrameDevList::slotResetDevEdid()
{
    if (MsgQuestion(this, QString(), tr("Are you sure you want to restore default EDID for TX devices?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs) {
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            pDev->ResetEdid();
    }
}

void CFrameDevList::slotUpdateDevices()
{
    UpdateDevsFromDev(SelectedDevs());
}

void CFrameDevList::slotRebootDev()
{
    RebootDevs(SelectedDevs());
}

void CFrameDevList::slotResetDevDefault()
{
    if (MsgQuestion(this, QString(), tr("Are you sure you want to restore default settings?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    ResetDevsToDefault(SelectedDevs());
}

// ---------------------------------------------------------------------------
// IP controller

void CFrameDevList::slotQN714Upload()
{
    emit signalQN714Operate(E_QO_UPLOAD);
}

void CFrameDevList::slotQN714Download()
{
    emit signalQN714Operate(E_QO_DOWNLOAD);
}

void CFrameDevList::slotQN714IPConfig()
{
    ExecDevDialog<CDlgDevIPConfig>(CurrentDev(), this);
}

void CFrameDevList::slotUpdateQN714Devices()
{
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs) {
        if (!pDev->OpenCommAltPort()) {
            QThread::msleep(ulong(qMax(0, m_nQN714WaitMs)));
            pDev->OpenCommAltPort();
        }
        pDev->GetIPandVersionQN714();
    }
}

void CFrameDevList::slotQN714Reboot()
{
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs) {
        pDev->OpenCommAltPort();
        QThread::msleep(ulong(qMax(0, m_nQN714WaitMs)));
        pDev->QN714Reboot();
    }
}
