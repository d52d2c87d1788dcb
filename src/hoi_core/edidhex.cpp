#include "hoi_core/edidhex.h"

#include <QLatin1String>

namespace {

const QLatin1String kEdidHeader("00ffffffffffff00");
const char kEdidHeaderBytes[] = {0, char(0xff), char(0xff), char(0xff), char(0xff), char(0xff), char(0xff), 0};

} // namespace

bool IsWholeEdid(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.size() % E_EDID_BLOCK != 0
        || !bytes.startsWith(QByteArray::fromRawData(kEdidHeaderBytes, sizeof(kEdidHeaderBytes))))
        return false;
    // Byte 126 counts the extension blocks, which must all be there: a sink
    // given fewer announces blocks it does not have. What a file holds past
    // them (an EEPROM dump's blank fill) is no part of the EDID and goes as
    // it is.
    const int nBlocks = 1 + uchar(bytes.at(E_EDID_EXTENSIONS));
    if (nBlocks * E_EDID_BLOCK > bytes.size())
        return false;
    for (int nBlock = 0; nBlock < nBlocks * E_EDID_BLOCK; nBlock += E_EDID_BLOCK) {
        uchar nSum = 0;
        for (int i = nBlock; i < nBlock + E_EDID_BLOCK; ++i)
            nSum = uchar(nSum + uchar(bytes.at(i)));
        if (nSum != 0)
            return false;
    }
    return true;
}

QString EdidRawHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

bool IsValidEdidHeader(QString text)
{
    if (text.size() != 256 && text.size() != 512)
        return false;
    return text.startsWith(kEdidHeader, Qt::CaseSensitive) && IsWholeEdid(QByteArray::fromHex(text.toLatin1()));
}

QString EdidDisplayText(const QString &rawHex)
{
    QString out;
    out.reserve(rawHex.size() * 3 / 2);
    const int nPairs = rawHex.size() / 2;
    for (int i = 0; i < nPairs; ++i) {
        out += rawHex.midRef(i * 2, 2);
        if (i == nPairs - 1)
            break;
        out += ((i + 1) % 16 == 0) ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return out;
}

QString EdidSendText(const QString &rawHex)
{
    QString out;
    out.reserve(rawHex.size() * 3 / 2);
    const int nPairs = rawHex.size() / 2;
    for (int i = 0; i < nPairs; ++i) {
        if (i > 0)
            out += QLatin1Char(' ');
        out += rawHex.midRef(i * 2, 2);
    }
    return out;
}
