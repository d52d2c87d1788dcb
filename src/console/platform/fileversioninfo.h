#ifndef HOI_CONSOLE_FILEVERSIONINFO_H
#define HOI_CONSOLE_FILEVERSIONINFO_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reads the version block of a program file: a set of named texts under one
// language/code-page word. Our build puts the block into the executable
// itself (fileversioninfo.cpp); the window title comes from its "AppTitle".
class CFileVersionInfo
{
public:
    CFileVersionInfo();
    ~CFileVersionInfo();

    // False, with nothing kept, when the file has no readable block.
    bool Load(const QString &strFilePath);
    // The value of a key under the given language/code-page word (0: the
    // block's own); empty when nothing is loaded or the key is missing.
    QString GetValue(const QString &strKey, quint32 nLangCodePage = 0) const;
    QString GetAppTitle() const;

    quint32 GetLangCodePage() const { return m_nLangCodePage; }

    // The block as the build writes it: starts with the marker, then the
    // language/code-page word as 8 hexadecimal digits, then key and value
    // texts, each ended by a zero byte, and an empty key at the end.
    static QByteArray BlockMarker();

private:
    Q_DISABLE_COPY(CFileVersionInfo)

    void Release();

    QByteArray m_buffer;      // the block, from its first key on
    quint32 m_nLangCodePage;  // language in the high 16 bits, code page in the low
};

#endif
