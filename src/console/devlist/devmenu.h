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

// One entry, its text translated in the panel's context. lupdate cannot
// follow TPanel::tr, so every entry's text is listed below for both panels.
template <class TPanel>
QAction *AddDevEntry(QMenu *pMenu, TPanel *pPanel, const char *pszText, void (TPanel::*slot)())
{
    return pMenu->addAction(TPanel::tr(pszText), pPanel, slot);
}

[[maybe_unused]] inline const char *const kDevMenuTexts[] = {
    QT_TRANSLATE_NOOP("CFrameDevList", "General Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Video Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Serial Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Audio Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Display Power Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Layout Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Windowing Image Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Idle Image Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Overlay Image Settings"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Turn On OSD"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Turn Off OSD"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Turn On IP/MAC Display"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Turn Off IP/MAC Display"),
    QT_TRANSLATE_NOOP("CFrameDevList", "CEC One Touch Play"),
    QT_TRANSLATE_NOOP("CFrameDevList", "CEC Standby"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Analog Audio Unmute"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Analog Audio Mute"),
    QT_TRANSLATE_NOOP("CFrameDevList", "HDMI Audio Unmute"),
    QT_TRANSLATE_NOOP("CFrameDevList", "HDMI Audio Mute"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Delete"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Update Device Data"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Reboot"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Reset to Factory Default"),
    QT_TRANSLATE_NOOP("CFormGroupList", "General Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Video Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Serial Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Audio Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Display Power Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Layout Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Windowing Image Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Idle Image Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Overlay Image Settings"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Turn On OSD"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Turn Off OSD"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Turn On IP/MAC Display"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Turn Off IP/MAC Display"),
    QT_TRANSLATE_NOOP("CFormGroupList", "CEC One Touch Play"),
    QT_TRANSLATE_NOOP("CFormGroupList", "CEC Standby"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Analog Audio Unmute"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Analog Audio Mute"),
    QT_TRANSLATE_NOOP("CFormGroupList", "HDMI Audio Unmute"),
    QT_TRANSLATE_NOOP("CFormGroupList", "HDMI Audio Mute"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Delete"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Update Device Data"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Reboot"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Reset to Factory Default"),
};

// From "General Settings" down to the audio controls, each group of entries
// closed by a separator.
template <class TPanel>
void AddDevSettingEntries(QMenu *pMenu, TPanel *pPanel, const T_DevMenuFacts &facts)
{
    const T_ProdIdInfo &prod = facts.prod;
    const bool bSingle = facts.bSingle;
    auto has = [&facts](DevFeatureQuery query) { return DevMenuHas(facts, query); };
    auto add = [pMenu, pPanel](const char *pszText, void (TPanel::*slot)()) {
        return AddDevEntry(pMenu, pPanel, pszText, slot);
    };

    add("General Settings", &TPanel::slotConfigDevice)->setEnabled(bSingle);
    const bool bVx7100 = !facts.bVx7100RxOnly || (facts.pDev && facts.pDev->GetDevType() == CHOIDev::E_DT_RX);
    if (bSingle && prod.video_set_2 && bVx7100)
        add("Video Settings", &TPanel::slotVideoSettingsForVX7100);
    else if (bSingle && has(&CHOIDevMgr::IsSupportVideoSettings))
        add("Video Settings", &TPanel::slotVideoSettings);
    if (prod.serial_set && (bSingle || facts.bSerialGreyed))
        add("Serial Settings", &TPanel::slotSerialConfig)->setEnabled(bSingle);
    if (bSingle
        && ((facts.bTxVolume && has(&CHOIDevMgr::IsSupportVolume)) || has(&CHOIDevMgr::IsSupportAudioDelay)))
        add("Audio Settings", &TPanel::slotVolumeSettings);
    if (bSingle && prod.sink_rs)
        add("Display Power Settings", &TPanel::slotSinkPowerSettings);
    pMenu->addSeparator();

    if (bSingle && has(&CHOIDevMgr::IsSupportLayout)) {
        add("Layout Settings", &TPanel::slotLayoutSettings);
        pMenu->addSeparator();
    }

    bool bImageEntries = false;
    if (bSingle && has(&CHOIDevMgr::IsSupportMap)) {
        add("Windowing Image Settings", &TPanel::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && prod.idle_enable) {
        add("Idle Image Settings", &TPanel::slotMapSettings);
        bImageEntries = true;
    }
    if (bSingle && (prod.image_bg || prod.image_logo)) {
        add("Idle Image Settings", &TPanel::slotImageSettings);
        bImageEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportOverlay)) {
        add("Overlay Image Settings", &TPanel::slotLogoSettings);
        bImageEntries = true;
    }
    if (bSingle && facts.pDev && facts.pDev->IsSupportOsd()) {
        if (prod.image_logo) {
            add("Turn On OSD", &TPanel::slotTurnOnOSD);
            add("Turn Off OSD", &TPanel::slotTurnOffOSD);
        } else {
            add("Turn On IP/MAC Display", &TPanel::slotTurnOnOSD);
            add("Turn Off IP/MAC Display", &TPanel::slotTurnOffOSD);
        }
        bImageEntries = true;
    }
    if (bImageEntries)
        pMenu->addSeparator();

    bool bControlEntries = false;
    if (bSingle && prod.cec_enable) {
        add("CEC One Touch Play", &TPanel::slotCECSettings);
        add("CEC Standby", &TPanel::slotCECSettings2);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportAnalogMute)) {
        add("Analog Audio Unmute", &TPanel::slotTurnonSettings);
        add("Analog Audio Mute", &TPanel::slotMuteSettings);
        bControlEntries = true;
    }
    if (bSingle && has(&CHOIDevMgr::IsSupportHdmiMute)) {
        add("HDMI Audio Unmute", &TPanel::slotHDMITurnonSettings);
        add("HDMI Audio Mute", &TPanel::slotHDMIMuteSettings);
        bControlEntries = true;
    }
    if (bControlEntries)
        pMenu->addSeparator();
}

// The closing entries: delete, update, reboot, factory defaults.
template <class TPanel>
void AddDevCommandEntries(QMenu *pMenu, TPanel *pPanel)
{
    AddDevEntry(pMenu, pPanel, "Delete", &TPanel::slotDeleteDevices);
    AddDevEntry(pMenu, pPanel, "Update Device Data", &TPanel::slotUpdateDevices);
    AddDevEntry(pMenu, pPanel, "Reboot", &TPanel::slotRebootDev);
    AddDevEntry(pMenu, pPanel, "Reset to Factory Default", &TPanel::slotResetDevDefault);
}

#endif
