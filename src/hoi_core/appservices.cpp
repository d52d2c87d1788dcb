#include "hoi_core/appservices.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString AppFilePath(const char *fileName)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(fileName);
}

QString WithSlash(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace

QString ConfigXmlPath()
{
    return AppFilePath("config.xml");
}

QString HdcpXmlPath()
{
    return AppFilePath("hdcp.xml");
}

QString IPMLayoutXmlPath()
{
    return AppFilePath("IPMLayout.xml");
}

QString ListXmlPath()
{
    return AppFilePath("list.xml");
}

QString MenuHelpXmlPath()
{
    return AppFilePath("menuhelp.xml");
}

bool StrToBool(const QString &text, bool bDefault)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("y"), Qt::CaseInsensitive) == 0
        || text == QLatin1String("1"))
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0
        || text == QLatin1String("0"))
        return false;
    return bDefault;
}

QString DocumentsDirFrom(const QStringList &locations)
{
    // Some platforms list no Documents location at all; project files then
    // go to the home folder rather than to a path built from nothing.
    if (locations.isEmpty() || locations.first().isEmpty())
        return WithSlash(QDir::homePath());

    const QString dir = locations.first();
    if (!QDir().mkpath(dir))
        qWarning() << "cannot create the Documents folder" << dir;
    return WithSlash(dir);
}

QString DocumentsDir()
{
    return DocumentsDirFrom(QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation));
}

QString DefaultProjectFilePath()
{
    const QString path = DocumentsDir() + QStringLiteral("Untitled.hoi");
    if (!QFile::exists(path)) {
        const QString oldPath = QDir::homePath() + QStringLiteral("/VIVAvezaZE/Untitled.hoi");
        if (QFile::exists(oldPath) && !QFile::copy(oldPath, path))
            qWarning() << "cannot copy" << oldPath << "to" << path;
    }
    return path;
}
