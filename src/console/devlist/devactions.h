#ifndef HOI_CONSOLE_DEVACTIONS_H
#define HOI_CONSOLE_DEVACTIONS_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class CHOIDev;
class QWidget;

// The settings dialogs of one device that the device lists and the
// navigation tree open from their context menus. Each is built on the stack
// with the device and a parent (which may be null), runs modally and sends
// its own commands; the opener uses no result.
//
// The menus never name a dialog class: they call RunDevDialog with the kind.
// devactions.cpp keeps one table entry per kind; an entry whose dialog is not
// built yet only logs that it is not available. A dialog's builder plugs it
// in by putting RunModalDevDialog<CDlgXxx> into its entry.
enum E_DevDialog {
    E_DD_VIDEO_CONFIG = 0,    // CDlgVideoConfig: video settings
    E_DD_VIDEO_SETTING,       // CDlgVideoSetting: video settings of the VX7100 family
    E_DD_SERIAL_SETTING,      // CDlgSerialSetting: serial port settings
    E_DD_VOLUME_CONFIG,       // CDlgVolumeConfig: audio settings
    E_DD_SINK_POWER_SETTING,  // CDlgSinkPowerSetting: display power settings
    E_DD_IPM_LAYOUT_SETTINGS, // CDlgIPMLayoutSettings: multiview layout settings
    E_DD_MAP_SETTINGS,        // CDlgMapSettings: windowing or idle image
    E_DD_IMAGE_SETTING,       // CDlgImageSetting: power-on logo and idle image
    E_DD_LOGO_SETTINGS,       // CDlgLogoSettings: overlay image
    E_DD_IPC_CONFIG,          // CDlgIPCConfig: the virtual TX list
    E_DD_EDID_SETTING,        // CDlgEDIDSetting: EDID settings
    E_DD_DEV_IP_CONFIG,       // CDlgDevIPConfig: the IP controller's addresses and reboot
    E_DD_PREVIEW_SETTINGS,    // CDlgPreviewImage: the preview image
    E_DD_COUNT
};

// Runs the dialog of that kind for the device. A null device opens nothing.
void RunDevDialog(E_DevDialog eDialog, CHOIDev *pDev, QWidget *pParent);

// What the table runs for a dialog that has been plugged in.
template <class TDialog>
void RunModalDevDialog(CHOIDev *pDev, QWidget *pParent)
{
    TDialog dlg(pDev, pParent);
    dlg.exec();
}

// Tests put a recorder in place of a kind's entry; an empty function brings
// the table's entry back.
using DevDialogRunner = std::function<void(CHOIDev *pDev, QWidget *pParent)>;
void SetDevDialogRunner(E_DevDialog eDialog, const DevDialogRunner &runner);

// The bytes of an EDID written as text of hexadecimal numbers ("00 ff ff",
// "00ff | ff00"): every run that starts with a hexadecimal digit is read as
// one number, as strtoul with base 16 reads it ("0x" prefix included), and
// its low 8 bits become the next byte; other characters are skipped. The
// text is read up to its 4096th character.
QByteArray HexTextToBytes(const QByteArray &text);

// ---- the device commands of the device menus ----
// The device lists act on every chosen device, the navigation tree on its
// one chosen device: each hands in its own choice. Texts are translated in
// pszContext, the calling panel's class name, as the panel's own.

// Turns the on-screen display of each device that has one on or off; it
// shows the device's display name.
void SendDevsOsd(const QList<CHOIDev *> &devs, bool bOn);
void UpdateDevsFromDev(const QList<CHOIDev *> &devs);
void RebootDevs(const QList<CHOIDev *> &devs);
// Factory defaults; the manager notes the host names so it can rename the
// devices when they come back, and devices of the VX7100 family drop the
// settings the console keeps for them. The operator was asked before.
void ResetDevsToDefault(const QList<CHOIDev *> &devs);
// Saves the device's EDID (the part before a '/') as a binary file the
// operator chooses below the EDID folder, with a message either way. The
// folder offered goes to pEdidDir when given.
void ExportDevEdid(CHOIDev *pDev, QWidget *pParent, const char *pszContext, QString *pEdidDir = nullptr);

#endif
