#include "hoi_core/xmlpath.h"

namespace {

bool IsXmlChar(ushort u)
{
    return u >= 0x20 ? (u < 0xFFFE) : (u == 0x09 || u == 0x0A || u == 0x0D);
}

} // namespace

QString XmlText(const QString& text)
{
    const int n = text.size();
    const QChar* p = text.constData();
    const auto validAt = [p, n](int i, int* pLen) {
        const QChar c = p[i];
        *pLen = 1;
        if (c.isHighSurrogate()) {
            *pLen = 2;
            return i + 1 < n && p[i + 1].isLowSurrogate();
        }
        return !c.isLowSurrogate() && IsXmlChar(c.unicode());
    };
    int i = 0;
    int len = 1;
    while (i < n && validAt(i, &len))
        i += len;
    if (i == n)
        return text;
    QString clean = text.left(i);
    while (i < n) {
        if (validAt(i, &len))
            clean.append(p + i, len);
        else
            len = 1;
        i += len;
    }
    return clean;
}
