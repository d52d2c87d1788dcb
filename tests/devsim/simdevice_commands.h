#ifndef DEVSIM_SIMDEVICE_COMMANDS_H
#define DEVSIM_SIMDEVICE_COMMANDS_H

#include <QByteArray>
#include <QList>

#include "simdevice.h"

// What a simulated device needs beyond the built-in shell to answer every
// command of the console's device object: plausible values for every read of
// a type's read-back, the serial, OSD, standby-backup and sink-power lines
// taken apart as sh would (so a test sees what the device's tool received),
// and the IP controller's own "config" commands.

// A shell line cut into words as sh does it: blanks separate words, single
// and double quotes group, a backslash escapes (inside double quotes only
// before \ " $ ` and a line end). ok is false for an unterminated quote.
QList<QByteArray> SimShellWords(const QByteArray &line, bool *ok = nullptr);

// A shell command list cut at the ';' that stand outside quotes.
QList<QByteArray> SimShellCommands(const QByteArray &line);

// Gives the device values for every read of its type's read-back and installs
// the handlers. The type is the device's devType(): "TX", "RX", "MRX", "WP",
// "GW" or "QN714" (the IP controller, whose "config get"/"config set"
// commands are answered too).
void SimInstallDeviceCommands(SimDevice &dev);

// "cat /etc/version" with the version where the console looks for it: on the
// second line on hisi platforms, on the third line on the others.
void SimSetVersion(SimDevice &dev, const QByteArray &version, bool hisi);

// The message of every "soip2 ... -s <message>" line, as the tool got it.
QList<QByteArray> SimSerialMessages(const SimDevice &dev);
// The arguments the script got from the last "osd_on.sh <index> <text>" line,
// after the index, one by one; none after "osd_off.sh".
QList<QByteArray> SimOsdWords(const SimDevice &dev);
// The same words joined by one blank.
QByteArray SimOsdText(const SimDevice &dev);

// The IP controller's address settings as "config get ipsetting" prints them.
void SimSetControllerAddress(SimDevice &dev, int set, const QByteArray &addr,
                             const QByteArray &mask, const QByteArray &gateway);
void SimSetControllerVersion(SimDevice &dev, const QByteArray &api, const QByteArray &system);

#endif // DEVSIM_SIMDEVICE_COMMANDS_H
