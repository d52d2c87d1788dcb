#include "platform/fileversioninfo.h"

#include <QDebug>
#include <QFile>

// The program's own version block. It sits in the executable's read-only
// data where Load finds it by its marker, as the version resource of a
// Windows program would be found. The build sets the title; without
// HOI_APP_TITLE the program carries no block at all.
#ifdef HOI_APP_TITLE
#ifndef HOI_APP_VERSION
#define HOI_APP_VERSION "8.0.9"
#endif
extern const char g_hoiVersionBlock[];
const char g_hoiVersionBlock[] = "HOI-VERSION-BLOCK\x01"
                                 "040904b0\0"
                                 "AppTitle\0" HOI_APP_TITLE "\0"
                                 "ProductVersion\0" HOI_APP_VERSION "\0"
                                 "\0";
#endif

namespace {

// A block larger than this is not one the build wrote.
const int kMaxBlockSize = 64 * 1024;

} // namespace

CFileVersionInfo::CFileVersionInfo()
    : m_nLangCodePage(0)
{
}

CFileVersionInfo::~CFileVersionInfo()
{
    Release();
}

QByteArray CFileVersionInfo::BlockMarker()
{
    // Put together at run time so that this search text itself is not a
    // block in the program file.
    QByteArray marker("HOI");
    marker += "-VERSION-BLOCK";
    marker += '\x01';
    return marker;
}

void CFileVersionInfo::Release()
{
    m_buffer.clear();
    m_nLangCodePage = 0;
}

bool CFileVersionInfo::Load(const QString &strFilePath)
{
    Release();

    QFile file(strFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The program file is mapped rather than read: it is several megabytes.
    QByteArray content;
    const qint64 size = file.size();
    uchar *pData = (size > 0 && size < INT_MAX) ? file.map(0, size) : nullptr;
    if (pData)
        content = QByteArray::fromRawData(reinterpret_cast<const char *>(pData), int(size));
    else
        content = file.read(INT_MAX / 2);

    const QByteArray marker = BlockMarker();
    const int start = content.indexOf(marker);
    if (start < 0)
        return false;

    int pos = start + marker.size();
    // Language/code-page word: 8 hexadecimal digits and a zero byte.
    if (pos + 9 > content.size() || content.at(pos + 8) != '\0')
        return false;
    bool ok = false;
    const quint32 word = content.mid(pos, 8).toUInt(&ok, 16);
    if (!ok)
        return false;
    pos += 9;

    // Key/value texts up to the empty key; a block cut short is no block.
    const int blockStart = pos;
    const int limit = qMin(content.size(), blockStart + kMaxBlockSize);
    for (;;) {
        const int keyEnd = content.indexOf('\0', pos);
        if (keyEnd < 0 || keyEnd >= limit)
            return false;
        if (keyEnd == pos) {
            m_buffer = QByteArray(content.constData() + blockStart, keyEnd + 1 - blockStart);
            m_nLangCodePage = word;
            return true;
        }
        const int valueEnd = content.indexOf('\0', keyEnd + 1);
        if (valueEnd < 0 || valueEnd >= limit)
            return false;
        pos = valueEnd + 1;
    }
}

QString CFileVersionInfo::GetValue(const QString &strKey, quint32 nLangCodePage) const
{
    if (m_buffer.isEmpty())
        return QString();
    const quint32 word = nLangCodePage ? nLangCodePage : m_nLangCodePage;
    // The block holds the texts of one translation only.
    if (word != m_nLangCodePage)
        return QString();

    const QByteArray key = strKey.toUtf8();
    int pos = 0;
    while (pos < m_buffer.size()) {
        const int keyEnd = m_buffer.indexOf('\0', pos);
        if (keyEnd <= pos)
            break;
        const int valueEnd = m_buffer.indexOf('\0', keyEnd + 1);
        if (valueEnd < 0)
            break;
        if (m_buffer.mid(pos, keyEnd - pos) == key)
            return QString::fromUtf8(m_buffer.constData() + keyEnd + 1, valueEnd - keyEnd - 1);
        pos = valueEnd + 1;
    }
    return QString();
}

QString CFileVersionInfo::GetAppTitle() const
{
    return GetValue(QStringLiteral("AppTitle"));
}
