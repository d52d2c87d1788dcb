// The check a window runs before it empties the manager to load a project,
// and the loader's own check of the same document.
#include "hoi_core/hoidevmgr.h"

#include "hoidevmgr_p.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>

bool CHOIDevMgr::CheckProjectStream(QIODevice* pData, const QString& path)
{
    // A document without a root element is damaged too: the reader reports
    // its premature end.
    QXmlStreamReader xml(pData);
    bool bRootSeen = false;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        // Nothing of the format lies deeper; a document that does is damaged
        // and would only cost the reader time.
        if (++depth > ProjectFormatDepth()) {
            qWarning() << path << "is damaged: nested deeper than" << ProjectFormatDepth() << "elements at line"
                       << xml.lineNumber();
            return false;
        }
        if (bRootSeen)
            continue;
        bRootSeen = true;
        if (xml.name() != QLatin1String("hoi")) {
            qWarning() << path << "is no project file: its root is" << xml.name();
            return false;
        }
    }
    if (xml.hasError()) {
        qWarning() << path << "is damaged:" << xml.errorString() << "at line" << xml.lineNumber()
                   << "column" << xml.columnNumber();
        return false;
    }
    return true;
}

bool OpenToRead(QFile& file, const QString& path)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    qWarning() << "cannot read" << path << file.errorString();
    return false;
}

bool CHOIDevMgr::CheckDevInfoFile(const QString& path)
{
    QFile file(path);
    if (!OpenToRead(file, path))
        return false;
    // The whole document is read, as the loader reads it: a file damaged at
    // its end is refused as well as one with a foreign root.
    if (!CheckProjectStream(&file, path))
        return false;
    if (file.error() != QFileDevice::NoError) {
        qWarning() << "cannot read" << path << file.errorString();
        return false;
    }
    return true;
}
