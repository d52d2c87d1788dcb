#include "platform/singleinstance.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

CSingleInstanceGuard::CSingleInstanceGuard(const QString &strName)
    : m_strLockFilePath(LockDir() + QLatin1Char('/') + strName + QStringLiteral(".lock"))
{
}

CSingleInstanceGuard::~CSingleInstanceGuard() = default;

QString CSingleInstanceGuard::LockDir()
{
    // One lock per user session, as a named mutex of the session namespace.
    const QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir() && QFileInfo(runtimeDir).isWritable())
        return runtimeDir;
    return QDir::tempPath();
}

CSingleInstanceGuard::E_Result CSingleInstanceGuard::Create()
{
    if (m_pLock && m_pLock->isLocked())
        return E_SI_CREATED;

    m_pLock.reset(new QLockFile(m_strLockFilePath));
    // A lock is stale only when its process is gone, never because of its
    // age: the first console may run for weeks.
    m_pLock->setStaleLockTime(0);
    if (m_pLock->tryLock(0))
        return E_SI_CREATED;

    switch (m_pLock->error()) {
    case QLockFile::LockFailedError:
        return E_SI_ALREADY_EXISTS;
    default:
        qWarning() << "cannot create the instance lock" << m_strLockFilePath << m_pLock->error();
        return E_SI_FAILED;
    }
}
