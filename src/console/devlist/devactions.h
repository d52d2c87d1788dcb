#ifndef HOI_CONSOLE_DEVACTIONS_H
#define HOI_CONSOLE_DEVACTIONS_H

#include <QByteArray>

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

#endif
