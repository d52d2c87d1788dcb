// Diagnostics category and the escaping of device bytes for the log.
#include "hoi_core/hoilog.h"

Q_LOGGING_CATEGORY(lcHoiLines, "hoi.lines", QtInfoMsg)

namespace {

bool IsShownAsIs(uchar c)
{
    return c >= 0x20 ? c != 0x7f : (c == '\t' || c == '\n' || c == '\r');
}

// Length of the well-formed UTF-8 sequence of two or more bytes at p (avail
// bytes left); 0 when there is none.
int Utf8SequenceLength(const uchar *p, int avail)
{
    int len;
    uint code;
    if (p[0] >= 0xc2 && p[0] <= 0xdf) {
        len = 2;
        code = p[0] & 0x1f;
    } else if (p[0] >= 0xe0 && p[0] <= 0xef) {
        len = 3;
        code = p[0] & 0x0f;
    } else if (p[0] >= 0xf0 && p[0] <= 0xf4) {
        len = 4;
        code = p[0] & 0x07;
    } else {
        return 0;
    }
    if (avail < len)
        return 0;
    for (int k = 1; k < len; ++k) {
        if ((p[k] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (p[k] & 0x3f);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
    if ((len == 3 && code < 0x800) || (len == 4 && (code < 0x10000 || code > 0x10ffff))
        || (code >= 0xd800 && code <= 0xdfff))
        return 0;
    return len;
}

} // namespace

QString EscapeLogBytes(const QByteArray &bytes)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData());
    const int n = bytes.size();
    QString text;
    int runStart = 0; // first byte not yet converted
    int i = 0;
    while (i < n) {
        const int len = p[i] < 0x80 ? (IsShownAsIs(p[i]) ? 1 : 0) : Utf8SequenceLength(p + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + runStart, i - runStart);
        text += QStringLiteral("\\x%1").arg(p[i], 2, 16, QLatin1Char('0'));
        runStart = ++i;
    }
    if (runStart == 0)
        return QString::fromUtf8(bytes);
    text += QString::fromUtf8(bytes.constData() + runStart, n - runStart);
    return text;
}
