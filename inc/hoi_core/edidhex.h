#ifndef HOI_CORE_EDIDHEX_H
#define HOI_CORE_EDIDHEX_H

#include <QByteArray>
#include <QString>

// The EDID hex text: an EDID block's bytes as two lower-case hexadecimal
// digits each, as the EDID dialogs show it and send it to a device's EEPROM.
// EDID files are read only up to their first 256 bytes.
enum {
    E_EDID_READ_MAX = 256,
    E_EDID_BLOCK = 128,
    E_EDID_EXTENSIONS = 126 // the byte of the first block that counts the extensions
};

// A whole EDID: one or more 128-byte blocks, the first beginning with the
// header 00 ff ff ff ff ff ff 00, followed by every extension block it
// announces, the bytes of each of these blocks summing to 0 modulo 256.
// A sink refuses anything less, so nothing less is ever sent to a device or
// written to a file.
bool IsWholeEdid(const QByteArray &bytes);

// Every byte as two lower-case digits, nothing between them.
QString EdidRawHex(const QByteArray &bytes);

// True exactly for a raw hex text of 256 or 512 characters (128 or 256
// bytes) that begins with the EDID header "00ffffffffffff00" (case counts)
// and is a whole EDID.
bool IsValidEdidHeader(QString text);

// One blank after each pair, a line feed instead after every 16th pair,
// nothing after the last: 16 pairs a line.
QString EdidDisplayText(const QString &rawHex);

// The pairs joined by one blank: the text written to the device.
QString EdidSendText(const QString &rawHex);

#endif
