#include "batch/edidhex.h"

#include <QLatin1String>

namespace {

const QLatin1String kEdidHeader("00ffffffffffff00");

} // namespace

QString EdidRawHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

bool IsValidEdidHeader(QString text)
{
    if (text.size() != 256 && text.size() != 512)
        return false;
    return text.startsWith(kEdidHeader, Qt::CaseSensitive);
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
