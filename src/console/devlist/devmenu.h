#ifndef HOI_CONSOLE_DEVMENU_H
#define HOI_CONSOLE_DEVMENU_H

#include <QAction>
#include <QMenu>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"

// The device entries the device lists and the navigation tree both put in
// their context menus. TPanel is the panel: it has the slots named below,
// and the entries' texts are translated in its context.

// What decides the shared entries. The panels fill in where they differ.
struct T_DevMenuFacts
{
    CHOIDev *pDev = nullptr;    // the first chosen device; may be null
    T_ProdIdInfo prod;          // its product
    bool bSingle = false;       // exactly one row chosen
    bool bVx7100RxOnly = false; // the VX7100 video dialog only for a display
    bool bSerialGreyed = false; // with several rows "Serial Settings" stays, greyed
    bool bTxVolume = false;     // a TX with volume control gets "Audio Settings" too
};

using DevFeatureQuery = bool (CHOIDevMgr::*)(CHOIDev *) const;

// Whether the manager grants the first chosen device that feature.
inline bool DevMenuHas(const T_DevMenuFacts &facts, DevFeatureQuery query)
{
    // A null device would ask about every product.
    return facts.pDev && g_pHOIDevMgr && (g_pHOIDevMgr->*query)(facts.pDev);
}

// From "General Settings" down to the audio controls, each group of entries
// closed by a separator.
template <class TPanel>
void AddDevSettingEntries(QMenu *pMenu, TPanel *pPanel, const T_DevMenuFacts &facts)
{
    const T_ProdIdInfo &prod = facts.prod;
    const bool bSingle = facts.bSingle;
    auto has = [&facts](DevFeatureQuery query) { return DevMenuHas(facts, query); };
    auto add = [pMenu, pPanel](const QString &strText, void (TPanel::*slot)()) {
        return pMenu->addAction(strText, pPanel, slot);
    };

    add(TPanel::tr("General Settings"), &TPanel::slotConfigDevice)->setEnabled(bSingle);
    const bool bVx7100 = !facts.bVx7100RxOnly || (facts.pDev && facts.pDev->GetDevType() == CHOIDev::E_DT_RX);
    if (bSingle && prod.video_set_2 && bVx7100)
        add(TPanel::tr("Video Settings"), &TPanel::slotVideoSettingsForVX7100);
    else if (bSingle && has(&CHOIDevMgr::IsSupportVideoSettings))
        add(TPanel::tr("Video Settings"), &TPanel::slotVideoSettings);
    if (prod.serial_set && (bSingle || facts.bSerialGreyed))
        add(TPanel::tr("Serial Settings"), &TPanel::slotSerialConfig)->setEnabled(bSingle);
    if (bSingle
        && ((facts.bTxVolume && has(&CHOIDevMgr::IsSupportVolume)) || has(&CHOIDevMgr::IsSupportAudioDelay)))
        add(TPanel::tr("Audio Settings"), &TPanel::slotVolumeSettings);
    if (bSingle && prod.sink_rs)
        add(TPanel::tr("Display Power Settings"), &TPanel::slotSinkPowerSettings);
    pMenu->addSeparator();

    if (bSingle && has(&CHOIDevMgr::IsSupportLayout)) {
        add(TPanel::tr("Layout Settings"), &TPanel::slotLayoutSettings);
        pMenu->addSeparator();
    }

    bool bImageEntries = false;
    if (bSingle && has(&CHOIDevMgr::IsSupportMap)) {
        add(TPanel::tr("Windowing Image Settings"), &TPanel::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && prod.idle_enable) {
        add(TPanel::tr("Idle Image Settings"), &TPanel::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && (prod.image_bg || prod.image_logo)) {
        add(TPanel::tr("Idle Image Settings"), &TPanel::slotImageSettings);
        bImageEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportOverlay)) {
        add(TPanel::tr("Overlay Image Settings"), &TPanel::slotLogoSettings);
        bImageEntries = true;
    }
    if (bSingle && facts.pDev && facts.pDev->IsSupportOsd()) {
        if (prod.image_logo) {
            add(TPanel::tr("Turn On OSD"), &TPanel::slotTurnOnOSD);
            add(TPanel::tr("Turn Off OSD"), &TPanel::slotTurnOffOSD);
        } else {
            add(TPanel::tr("Turn On IP/MAC Display"), &TPanel::slotTurnOnOSD);
            add(TPanel::tr("Turn Off IP/MAC Display"), &TPanel::slotTurnOffOSD);
        }
        bImageEntries = true;
    }
    if (bImageEntries)
        pMenu->addSeparator();

    bool bControlEntries = false;
    if (bSingle && prod.cec_enable) {
        add(TPanel::tr("CEC One Touch Play"), &TPanel::slotCECSettings);
        add(TPanel::tr("CEC Standby"), &TPanel::slotCECSettings2);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportAnalogMute)) {
        add(TPanel::tr("Analog Audio Unmute"), &TPanel::slotTurnonSettings);
        add(TPanel::tr("Analog Audio Mute"), &TPanel::slotMuteSettings);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportHdmiMute)) {
        add(TPanel::tr("HDMI Audio Unmute"), &TPanel::slotHDMITurnonSettings);
        add(TPanel::tr("HDMI Audio Mute"), &TPanel::slotHDMIMuteSettings);
        bControlEntries = true;
    }
    if (bControlEntries)
        pMenu->addSeparator();
}

// The closing entries: delete, update, reboot, factory defaults.
template <class TPanel>
void AddDevCommandEntries(QMenu *pMenu, TPanel *pPanel)
{
    pMenu->addAction(TPanel::tr("Delete"), pPanel, &TPanel::slotDeleteDevices);
    pMenu->addAction(TPanel::tr("Update Device Data"), pPanel, &TPanel::slotUpdateDevices);
    pMenu->addAction(TPanel::tr("Reboot"), pPanel, &TPanel::slotRebootDev);
    pMenu->addAction(TPanel::tr("Reset to Factory Default"), pPanel, &TPanel::slotResetDevDefault);
}

#endif
