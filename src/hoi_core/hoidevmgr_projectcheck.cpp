// The check a window runs before it empties the manager to load a project.
#include "hoi_core/hoidevmgr.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>

bool CHOIDevMgr::CheckDevInfoFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot read" << path << file.errorString();
        return false;
    }
    // The whole document is read, as the loader reads it: a file damaged at
    // its end is refused as well as one with a foreign root.
    QXmlStreamReader xml(&file);
    bool bRootSeen = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || bRootSeen)
            continue;
        bRootSeen = true;
        if (xml.name() != QLatin1String("hoi")) {
            qWarning() << path << "is no project file: its root is" << xml.name();
            return false;
        }
    }
    if (xml.hasError() || file.error() != QFileDevice::NoError) {
        qWarning() << path << "is damaged:" << xml.errorString() << "at line" << xml.lineNumber();
        return false;
    }
    if (!bRootSeen) {
        qWarning() << path << "holds no document";
        return false;
    }
    return true;
}
