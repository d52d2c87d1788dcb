#ifndef HOI_TESTS_CONSOLERUN_H
#define HOI_TESTS_CONSOLERUN_H

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

// A console of our own for a test: the executable copied into a fresh
// folder (the program reads its configuration beside itself), with a home,
// settings and runtime folder that no other test shares. Message boxes are
// answered by the program itself and written to standard error
// (HOI_TEST_MSGBOX).
class CConsoleRun
{
public:
    CConsoleRun()
    {
        m_bValid = m_root.isValid() && QDir(m_root.path()).mkpath(QStringLiteral("app"))
                   && QDir(m_root.path()).mkpath(QStringLiteral("home/.config"))
                   && QDir(m_root.path()).mkpath(QStringLiteral("runtime"))
                   && QFile::setPermissions(RuntimeDir(), QFile::ReadOwner | QFile::WriteOwner
                                                              | QFile::ExeOwner)
                   && QFile::copy(BinDir() + QStringLiteral("/hoiconsole"), Exe());
    }

    bool IsValid() const { return m_bValid; }
    static QString BinDir() { return qEnvironmentVariable("HOI_BIN_DIR"); }
    QString AppDir() const { return m_root.filePath(QStringLiteral("app")); }
    QString HomeDir() const { return m_root.filePath(QStringLiteral("home")); }
    QString RuntimeDir() const { return m_root.filePath(QStringLiteral("runtime")); }
    QString Exe() const { return AppDir() + QStringLiteral("/hoiconsole"); }
    QString LockFile() const
    {
        return RuntimeDir() + QStringLiteral("/de_vurorad_6B22C95DFE4C465FA25B97FC32F6ED6C.lock");
    }

    // Copies the sample configuration files from beside the built console;
    // a minimal "config.xml" when the build has none.
    bool AddSampleConfig()
    {
        const QStringList files = {QStringLiteral("config.xml"), QStringLiteral("hdcp.xml"),
                                   QStringLiteral("menuhelp.xml"), QStringLiteral("IPMLayout.xml"),
                                   QStringLiteral("app.ini"), QStringLiteral("language.ini"),
                                   QStringLiteral("zh_CN.qm"), QStringLiteral("widgets_CN.qm"),
                                   QStringLiteral("en_US.qm"), QStringLiteral("widgets_US.qm")};
        for (const QString &file : files) {
            const QString source = BinDir() + QLatin1Char('/') + file;
            if (QFile::exists(source) && !QFile::copy(source, AppDir() + QLatin1Char('/') + file))
                return false;
        }
        if (QFile::exists(AppDir() + QStringLiteral("/config.xml")))
            return true;
        return WriteConfig(QByteArray("<?xml version=\"1.0\"?>\n<hoiprod></hoiprod>\n"));
    }

    bool WriteConfig(const QByteArray &content)
    {
        QFile file(AppDir() + QStringLiteral("/config.xml"));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    QProcessEnvironment Environment(const QString &platform) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), HomeDir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), HomeDir() + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), RuntimeDir());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("HOI_TEST_MSGBOX"), QStringLiteral("1"));
        return env;
    }

    // Starts the given executable (default: ours) in this environment.
    void Start(QProcess &process, const QString &platform, const QString &exe = QString()) const
    {
        process.setProcessEnvironment(Environment(platform));
        process.setWorkingDirectory(HomeDir());
        process.start(exe.isEmpty() ? Exe() : exe, QStringList());
    }

    // The message boxes a finished or running console has reported.
    static QStringList MessageBoxes(const QByteArray &stderrText)
    {
        QStringList boxes;
        const QList<QByteArray> lines = stderrText.split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith("HOI_MSGBOX\t"))
                boxes << QString::fromUtf8(line.mid(11));
        }
        return boxes;
    }

private:
    QTemporaryDir m_root;
    bool m_bValid = false;
};

#endif
