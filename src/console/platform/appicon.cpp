#include "platform/appicon.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QFileInfo>

QIcon ExecutableIcon()
{
#ifdef Q_OS_WIN
    // The icon compiled into the executable's resources.
    return QFileIconProvider().icon(QFileInfo(QCoreApplication::applicationFilePath()));
#else
    // Executables carry no icon here; the file icon provider would give the
    // desktop's generic one, so the program shows its own picture.
    return QIcon(QStringLiteral(":/images/app.png"));
#endif
}
