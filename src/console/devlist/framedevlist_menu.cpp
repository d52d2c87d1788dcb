// The context menu of the device lists and every action behind it.
#include "devlist/framedevlist.h"
#include "ui_framedevlist.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QThread>

#include "devlist/devactions.h"
#include "dialogs/dlgdevedit.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"

namespace {

using FeatureQuery = bool (CHOIDevMgr::*)(CHOIDev *) const;

} // namespace

QList<CHOIDev *> CFrameDevList::SelectedDevs() const
{
    QList<CHOIDev *> devs;
    const QList<QTreeWidgetItem *> selected = ui->twDevices->selectedItems();
    for (QTreeWidgetItem *pItem : selected) {
        if (CHOIDev *pDev = ItemDev(pItem))
            devs.append(pDev);
    }
    return devs;
}

CHOIDev *CFrameDevList::SingleDev() const
{
    const QList<QTreeWidgetItem *> selected = ui->twDevices->selectedItems();
    return selected.size() == 1 ? ItemDev(selected.first()) : nullptr;
}

CHOIDev *CFrameDevList::CurrentDev() const
{
    return ItemDev(ui->twDevices->currentItem());
}

void CFrameDevList::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidget *pTree = ui->twDevices;
    if (!g_pHOIDevMgr || !pTree->itemAt(pTree->viewport()->mapFromGlobal(event->globalPos())))
        return;

    const QList<QTreeWidgetItem *> selected = pTree->selectedItems();
    QMenu menu(this);
    auto addEntry = [&](const QString &strText, void (CFrameDevList::*slot)()) {
        QAction *pAction = menu.addAction(strText);
        connect(pAction, &QAction::triggered, this, slot);
        return pAction;
    };

    const CHOIDev *pOnly = selected.size() == 1 ? ItemDev(selected.first()) : nullptr;
    if (pOnly && IsQN714Row(pOnly)) {
        addEntry(tr("Upload"), &CFrameDevList::slotQN714Upload);
        addEntry(tr("Download"), &CFrameDevList::slotQN714Download);
        addEntry(tr("IP Config"), &CFrameDevList::slotQN714IPConfig);
        addEntry(tr("Delete"), &CFrameDevList::slotDeleteDevices);
        addEntry(tr("Update Device Data"), &CFrameDevList::slotUpdateQN714Devices);
        addEntry(tr("Reboot"), &CFrameDevList::slotQN714Reboot);
        menu.exec(event->globalPos());
        return;
    }

    // What the selection holds; a virtual TX or a device of unknown kind
    // refuses the menu, unless a TX and an OSD device were met before it.
    const bool bSingle = selected.size() == 1;
    CHOIDev *pFirst = nullptr;
    bool bAnyTx = false;
    bool bAnyOsd = false;
    for (QTreeWidgetItem *pItem : selected) {
        CHOIDev *pDev = ItemDev(pItem);
        if (!pDev)
            continue;
        if (!pFirst)
            pFirst = pDev;
        if (pDev->GetDevType() == CHOIDev::E_DT_UNKNOWN || g_pHOIDevMgr->GetProdIdInfo(pDev)->ipc_flag)
            return;
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            bAnyTx = true;
        if (pDev->IsSupportOsd())
            bAnyOsd = true;
        if (bAnyTx && bAnyOsd)
            break;
    }
    const T_ProdIdInfo prod = *g_pHOIDevMgr->GetProdIdInfo(pFirst);
    // A null device would ask about every product: only the first one counts.
    auto has = [&](FeatureQuery query) { return pFirst && (g_pHOIDevMgr->*query)(pFirst); };

    addEntry(tr("General Settings"), &CFrameDevList::slotConfigDevice)->setEnabled(bSingle);
    if (bSingle && prod.video_set_2)
        addEntry(tr("Video Settings"), &CFrameDevList::slotVideoSettingsForVX7100);
    else if (bSingle && has(&CHOIDevMgr::IsSupportVideoSettings))
        addEntry(tr("Video Settings"), &CFrameDevList::slotVideoSettings);
    if (prod.serial_set)
        addEntry(tr("Serial Settings"), &CFrameDevList::slotSerialConfig)->setEnabled(bSingle);
    if (bSingle && ((bAnyTx && has(&CHOIDevMgr::IsSupportVolume)) || has(&CHOIDevMgr::IsSupportAudioDelay)))
        addEntry(tr("Audio Settings"), &CFrameDevList::slotVolumeSettings);
    if (bSingle && prod.sink_rs)
        addEntry(tr("Display Power Settings"), &CFrameDevList::slotSinkPowerSettings);
    menu.addSeparator();

    if (bSingle && has(&CHOIDevMgr::IsSupportLayout)) {
        addEntry(tr("Layout Settings"), &CFrameDevList::slotLayoutSettings);
        menu.addSeparator();
    }

    bool bImageEntries = false;
    if (bSingle && has(&CHOIDevMgr::IsSupportMap)) {
        addEntry(tr("Windowing Image Settings"), &CFrameDevList::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && prod.idle_enable) {
        addEntry(tr("Idle Image Settings"), &CFrameDevList::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && (prod.image_bg || prod.image_logo)) {
        addEntry(tr("Idle Image Settings"), &CFrameDevList::slotImageSettings);
        bImageEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportOverlay)) {
        addEntry(tr("Overlay Image Settings"), &CFrameDevList::slotLogoSettings);
        bImageEntries = true;
    }
    if (bSingle && bAnyOsd) {
        if (prod.image_logo) {
            addEntry(tr("Turn On OSD"), &CFrameDevList::slotTurnOnOSD);
            addEntry(tr("Turn Off OSD"), &CFrameDevList::slotTurnOffOSD);
        } else {
            addEntry(tr("Turn On IP/MAC Display"), &CFrameDevList::slotTurnOnOSD);
            addEntry(tr("Turn Off IP/MAC Display"), &CFrameDevList::slotTurnOffOSD);
        }
        bImageEntries = true;
    }
    if (bImageEntries)
        menu.addSeparator();

    bool bControlEntries = false;
    if (bSingle && prod.cec_enable) {
        addEntry(tr("CEC One Touch Play"), &CFrameDevList::slotCECSettings);
        addEntry(tr("CEC Standby"), &CFrameDevList::slotCECSettings2);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportAnalogMute)) {
        addEntry(tr("Analog Audio Unmute"), &CFrameDevList::slotTurnonSettings);
        addEntry(tr("Analog Audio Mute"), &CFrameDevList::slotMuteSettings);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportHdmiMute)) {
        addEntry(tr("HDMI Audio Unmute"), &CFrameDevList::slotHDMITurnonSettings);
        addEntry(tr("HDMI Audio Mute"), &CFrameDevList::slotHDMIMuteSettings);
        bControlEntries = true;
    }
    if (bControlEntries)
        menu.addSeparator();

    if (bSingle && prod.ipc_enable) {
        addEntry(tr("Virsual TX Settings"), &CFrameDevList::slotIPCConfig);
        menu.addSeparator();
    }

    bool bEdidEntries = false;
    if (bSingle && has(&CHOIDevMgr::IsSupportEdidExport)) {
        addEntry(tr("EDID Export"), &CFrameDevList::slotEDIDExport);
        bEdidEntries = true;
    }
    if (bSingle && bAnyTx && has(&CHOIDevMgr::IsSupportEdidReset)) {
        addEntry(tr("Reset EDID"), &CFrameDevList::slotResetDevEdid);
        bEdidEntries = true;
    }
    if (bSingle && prod.edie_setting) {
        addEntry(tr("EDID Settings"), &CFrameDevList::slotEDIDSettings);
        bEdidEntries = true;
    }
    if (bEdidEntries)
        menu.addSeparator();

    addEntry(tr("Delete"), &CFrameDevList::slotDeleteDevices);
    addEntry(tr("Update Device Data"), &CFrameDevList::slotUpdateDevices);
    addEntry(tr("Reboot"), &CFrameDevList::slotRebootDev);
    addEntry(tr("Reset to Factory Default"), &CFrameDevList::slotResetDevDefault);
    menu.exec(event->globalPos());
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
    RunDevDialog(E_DD_VIDEO_SETTING, SingleDev(), nullptr);
}

void CFrameDevList::slotVideoSettings()
{
    RunDevDialog(E_DD_VIDEO_CONFIG, SingleDev(), this);
}

void CFrameDevList::slotSerialConfig()
{
    CHOIDev *pDev = CurrentDev();
    if (!pDev)
        return;
    m_pCurDev = pDev;
    RunDevDialog(E_DD_SERIAL_SETTING, pDev, nullptr);
}

void CFrameDevList::slotVolumeSettings()
{
    RunDevDialog(E_DD_VOLUME_CONFIG, SingleDev(), this);
}

void CFrameDevList::slotSinkPowerSettings()
{
    RunDevDialog(E_DD_SINK_POWER_SETTING, SingleDev(), this);
}

void CFrameDevList::slotLayoutSettings()
{
    RunDevDialog(E_DD_IPM_LAYOUT_SETTINGS, CurrentDev(), nullptr);
}

void CFrameDevList::slotMapSettings()
{
    RunDevDialog(E_DD_MAP_SETTINGS, SingleDev(), this);
}

void CFrameDevList::slotImageSettings()
{
    RunDevDialog(E_DD_IMAGE_SETTING, SingleDev(), this);
}

void CFrameDevList::slotLogoSettings()
{
    RunDevDialog(E_DD_LOGO_SETTINGS, SingleDev(), this);
}

void CFrameDevList::slotPreviewSettings()
{
    RunDevDialog(E_DD_PREVIEW_SETTINGS, SingleDev(), this);
}

void CFrameDevList::slotIPCConfig()
{
    RunDevDialog(E_DD_IPC_CONFIG, SingleDev(), this);
}

void CFrameDevList::slotEDIDSettings()
{
    RunDevDialog(E_DD_EDID_SETTING, m_pCurDev.data(), nullptr);
}

// ---------------------------------------------------------------------------
// Device commands

void CFrameDevList::SetSendOsd(bool bOn)
{
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs) {
        if (pDev->IsSupportOsd())
            pDev->SendOsdOnOff(bOn, pDev->GetDisplayName());
    }
}

void CFrameDevList::slotTurnOnOSD()
{
    SetSendOsd(true);
}

void CFrameDevList::slotTurnOffOSD()
{
    SetSendOsd(false);
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
    CHOIDev *pDev = SingleDev();
    if (!pDev)
        return;
    QString strEdid = pDev->GetEdid();
    if (strEdid.isEmpty()) {
        MsgCritical(this, QString(), tr("the EDID is empty."));
        return;
    }
    const int nSlash = strEdid.indexOf(QLatin1Char('/'));
    if (nSlash >= 0)
        strEdid = strEdid.left(nSlash);

    const QString strPath =
        GetSaveFileName(this, tr("EDID Export"), EdidDirPath(), tr("Sceneinfo file (*.bin)"));
    if (strPath.isEmpty())
        return;
    const QByteArray bytes = HexTextToBytes(strEdid.toLocal8Bit());
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MsgInformation(this, QString(), tr("Exported failed."));
        return;
    }
    // A full disk must not be reported as a success.
    const bool bWritten = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    MsgInformation(this, QString(), bWritten ? tr("Exported successfully.") : tr("Exported failed."));
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
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs)
        pDev->UpdateFromDev(true);
}

void CFrameDevList::slotRebootDev()
{
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs)
        pDev->Reboot();
}

void CFrameDevList::slotResetDevDefault()
{
    if (MsgQuestion(this, QString(), tr("Are you sure you want to restore default settings?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const QList<CHOIDev *> devs = SelectedDevs();
    for (CHOIDev *pDev : devs) {
        pDev->ResetDefault();
        if (g_pHOIDevMgr) {
            g_pHOIDevMgr->AddResetDevHostName(pDev->GetHostName());
            if (g_pHOIDevMgr->GetProdIdInfo(pDev)->video_set_2)
                pDev->ResetLocalSettings();
        }
    }
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
    RunDevDialog(E_DD_DEV_IP_CONFIG, CurrentDev(), this);
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
