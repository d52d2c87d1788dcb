#ifndef HOI_CONSOLE_DISPLAYREPLIES_H
#define HOI_CONSOLE_DISPLAYREPLIES_H

#include <QString>

class CHOIDev;
class QAbstractButton;
class QComboBox;

// The display switches of the picture windows (idle, windowing, overlay
// image), as the devices word them.

// A switch's reply: "y" checks pBox, "n" unchecks it; false, with the box
// left as it is, for any other text.
bool ShowYesNoReply(QAbstractButton *pBox, const QString &strReply);
// The MAC-address OSD method: "follow" is entry 0 of pCombo, "independence"
// entry 1; false, with the combo left as it is, for any other text.
bool ShowOsdMethod(QComboBox *pCombo, const QString &strMethod);
// Sends pDev the method chosen in pCombo; the device's cache takes it once
// the device's queue ends in success. False when the line could not be
// queued. It takes effect when the device reboots.
bool ApplyOsdMethod(CHOIDev *pDev, const QComboBox *pCombo);
// Sends pDev the overlay position (0-based texts, connecting first); the
// device's cache takes it once the device's queue ends in success. False
// when a line could not be queued; with bBoth the vertical one is tried
// even then.
bool ApplyOverlayPosition(CHOIDev *pDev, const QString &strH, const QString &strV, bool bBoth);

#endif
