#ifndef HOI_CONSOLE_SINGLEINSTANCE_H
#define HOI_CONSOLE_SINGLEINSTANCE_H

#include <QString>
#include <memory>

class QLockFile;

// The named mutex that keeps a second console from starting: a lock file
// named after the mutex in the user's runtime folder. The lock is held for
// the life of the object; a lock left by a process that died is taken over.
class CSingleInstanceGuard
{
public:
    enum E_Result {
        E_SI_CREATED = 0,        // this process holds the guard
        E_SI_ALREADY_EXISTS = 1, // another running process holds it
        E_SI_FAILED = 2,         // no guard could be made; start-up goes on without
    };

    explicit CSingleInstanceGuard(const QString &strName);
    ~CSingleInstanceGuard();

    E_Result Create();
    // The lock file's path (tests look at it).
    QString GetLockFilePath() const { return m_strLockFilePath; }

    // Folder of the lock files: the runtime folder, else the temp folder.
    static QString LockDir();

private:
    Q_DISABLE_COPY(CSingleInstanceGuard)

    QString m_strLockFilePath;
    std::unique_ptr<QLockFile> m_pLock;
};

#endif
