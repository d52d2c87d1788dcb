#ifndef HOI_CONSOLE_DEVACTIONS_H
#define HOI_CONSOLE_DEVACTIONS_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include "hoi_core/hoidev.h"

class QWidget;

// The property of an open device dialog that holds the device it serves
// (a QObject pointer), for whoever inspects the open window.
inline const char kDevDialogDevice[] = "hoiDevice";

// Runs a settings dialog of one device modally, built with the device and a
// parent (which may be null). The dialog sends its own commands; the opener
// uses no result. A null device opens nothing.
template <class TDialog>
void ExecDevDialog(CHOIDev *pDev, QWidget *pParent)
{
    if (!pDev)
        return;
    TDialog dlg(pDev, pParent);
    dlg.setProperty(kDevDialogDevice, QVariant::fromValue<QObject *>(pDev));
    dlg.exec();
}

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
// operator chooses below the EDID folder, with a message either way. An EDID
// that is not whole is refused before a file is asked for. The folder
// offered goes to pEdidDir when given.
void ExportDevEdid(CHOIDev *pDev, QWidget *pParent, const char *pszContext, QString *pEdidDir = nullptr);

#endif
