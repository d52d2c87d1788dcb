#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include "platform/fileversioninfo.h"
#include "platform/languageflag.h"
#include "platform/openfilelimit.h"
#include "platform/singleinstance.h"
#include "uiservices.h"

namespace {

const char kMutexName[] = "de_vurorad_6B22C95DFE4C465FA25B97FC32F6ED6C";

// A program file: some bytes, then (optionally) a version block, then more.
QByteArray ProgramBytes(const QByteArray &block)
{
    QByteArray data(4096, '\x90');
    data += block;
    data += QByteArray(1024, '\0');
    return data;
}

QByteArray Block(const QByteArray &word, const QList<QPair<QByteArray, QByteArray>> &pairs,
                 bool bTerminated = true)
{
    QByteArray block = CFileVersionInfo::BlockMarker() + word + '\0';
    for (const auto &pair : pairs)
        block += pair.first + '\0' + pair.second + '\0';
    if (bTerminated)
        block += '\0';
    return block;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void versionBlock_data();
    void versionBlock();
    void versionBlockOtherTranslation();
    void versionBlockReloadClears();
    void versionBlockOfTheConsole();

    void languageFlag();

    void singleInstance();
    void singleInstanceTakesOverDeadLock();

    void openFileLimitRaised();

private:
    QString WriteFile(const QByteArray &data);
    QTemporaryDir m_dir;
    int m_nFiles = 0;
};

QString TestPlatform::WriteFile(const QByteArray &data)
{
    const QString path = m_dir.filePath(QStringLiteral("prog%1.exe").arg(++m_nFiles));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return QString();
    return path;
}

void TestPlatform::versionBlock_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<uint>("word");

    QTest::newRow("no block") << ProgramBytes(QByteArray()) << false << "" << "" << 0u;
    QTest::newRow("empty file") << QByteArray() << false << "" << "" << 0u;
    QTest::newRow("block with title")
        << ProgramBytes(Block("040904b0", {{"AppTitle", "Matrix Manager"}, {"ProductVersion", "8.0.9"}}))
        << true << "Matrix Manager" << "8.0.9" << 0x040904b0u;
    QTest::newRow("block without title")
        << ProgramBytes(Block("080404b0", {{"ProductVersion", "1.2"}})) << true << "" << "1.2"
        << 0x080404b0u;
    QTest::newRow("empty title") << ProgramBytes(Block("040904b0", {{"AppTitle", ""}})) << true
                                 << "" << "" << 0x040904b0u;
    QTest::newRow("utf-8 title")
        << ProgramBytes(Block("080404b0", {{"AppTitle", QStringLiteral("矩阵管理").toUtf8()}}))
        << true << QStringLiteral("矩阵管理") << "" << 0x080404b0u;
    QTest::newRow("block cut short")
        << Block("040904b0", {{"AppTitle", "Cut"}}, false).left(40) << false << "" << "" << 0u;
    QTest::newRow("bad translation word")
        << ProgramBytes(Block("04x904b0", {{"AppTitle", "X"}})) << false << "" << "" << 0u;
}

void TestPlatform::versionBlock()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, loaded);
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(uint, word);

    const QString path = WriteFile(content);
    QVERIFY(!path.isEmpty());
    CFileVersionInfo info;
    QCOMPARE(info.Load(path), loaded);
    QCOMPARE(info.GetAppTitle(), title);
    QCOMPARE(info.GetValue(QStringLiteral("ProductVersion")), version);
    QCOMPARE(info.GetValue(QStringLiteral("NoSuchKey")), QString());
    QCOMPARE(info.GetLangCodePage(), quint32(word));
}

void TestPlatform::versionBlockOtherTranslation()
{
    const QString path =
        WriteFile(ProgramBytes(Block("040904b0", {{"AppTitle", "Matrix Manager"}})));
    CFileVersionInfo info;
    QVERIFY(info.Load(path));
    QCOMPARE(info.GetValue(QStringLiteral("AppTitle"), 0x040904b0), QStringLiteral("Matrix Manager"));
    QCOMPARE(info.GetValue(QStringLiteral("AppTitle"), 0x080404b0), QString());
}

void TestPlatform::versionBlockReloadClears()
{
    CFileVersionInfo info;
    QVERIFY(info.Load(WriteFile(ProgramBytes(Block("040904b0", {{"AppTitle", "First"}})))));
    QCOMPARE(info.GetAppTitle(), QStringLiteral("First"));
    QVERIFY(!info.Load(WriteFile(ProgramBytes(QByteArray()))));
    QCOMPARE(info.GetAppTitle(), QString());
    QCOMPARE(info.GetLangCodePage(), quint32(0));
    QVERIFY(!info.Load(m_dir.filePath(QStringLiteral("missing.exe"))));
}

// The block the build puts into the console executable.
void TestPlatform::versionBlockOfTheConsole()
{
    const QString exe = qEnvironmentVariable("HOI_BIN_DIR") + QStringLiteral("/hoiconsole");
    QVERIFY(QFile::exists(exe));
    CFileVersionInfo info;
#ifdef HOI_NO_VERSION_BLOCK
    QVERIFY(!info.Load(exe));
#else
    QVERIFY(info.Load(exe));
    QCOMPARE(info.GetAppTitle(), QStringLiteral(HOI_APP_TITLE));
    QCOMPARE(info.GetValue(QStringLiteral("ProductVersion")), QStringLiteral("8.0.9"));
    QCOMPARE(info.GetLangCodePage(), quint32(0x040904b0));
#endif
}

void TestPlatform::languageFlag()
{
    const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/de_vurorad.conf");
    QFile::remove(file);
    QCOMPARE(ReadLanguageFlag(), false);

    WriteLanguageFlag(true);
    QCOMPARE(ReadLanguageFlag(), true);
    QVERIFY(QFile::exists(file));
    QSettings stored(file, QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("registered")).toBool(), true);

    WriteLanguageFlag(false);
    QCOMPARE(ReadLanguageFlag(), false);
}

void TestPlatform::singleInstance()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString lockPath = runtimeDir + QLatin1Char('/') + QLatin1String(kMutexName) + ".lock";
    {
        CSingleInstanceGuard first(QString::fromLatin1(kMutexName));
        QCOMPARE(first.GetLockFilePath(), lockPath);
        QCOMPARE(first.Create(), CSingleInstanceGuard::E_SI_CREATED);
        QVERIFY(QFile::exists(lockPath));

        CSingleInstanceGuard second(QString::fromLatin1(kMutexName));
        QCOMPARE(second.Create(), CSingleInstanceGuard::E_SI_ALREADY_EXISTS);
        // Another name is another guard.
        CSingleInstanceGuard other(QStringLiteral("other_instance"));
        QCOMPARE(other.Create(), CSingleInstanceGuard::E_SI_CREATED);
        // Asking again keeps what is held.
        QCOMPARE(first.Create(), CSingleInstanceGuard::E_SI_CREATED);
    }
    QVERIFY(!QFile::exists(lockPath));
    CSingleInstanceGuard again(QString::fromLatin1(kMutexName));
    QCOMPARE(again.Create(), CSingleInstanceGuard::E_SI_CREATED);
}

// A console that was killed leaves its lock file behind; the next start must
// not take it for a running one.
void TestPlatform::singleInstanceTakesOverDeadLock()
{
    const QString lockPath = CSingleInstanceGuard(QString::fromLatin1(kMutexName)).GetLockFilePath();
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-lock")});
    QVERIFY(holder.waitForStarted());
    // "locked" once the lock is held.
    QByteArray said;
    QTRY_VERIFY2_WITH_TIMEOUT((said += holder.readAllStandardOutput()).contains("locked"),
                              qPrintable(holder.readAllStandardError()), 10000);
    QVERIFY(QFile::exists(lockPath));

    CSingleInstanceGuard whileHeld(QString::fromLatin1(kMutexName));
    QCOMPARE(whileHeld.Create(), CSingleInstanceGuard::E_SI_ALREADY_EXISTS);

    holder.kill();
    QVERIFY(holder.waitForFinished());
    QVERIFY(QFile::exists(lockPath)); // left behind by the killed holder

    CSingleInstanceGuard afterDeath(QString::fromLatin1(kMutexName));
    QCOMPARE(afterDeath.Create(), CSingleInstanceGuard::E_SI_CREATED);
}

void TestPlatform::openFileLimitRaised()
{
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max <= 64)
        QSKIP("the hard limit is too low to lower the soft one");
    rlimit low = saved;
    low.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
    const bool bRaised = RaiseOpenFileLimit();
    rlimit now{};
    getrlimit(RLIMIT_NOFILE, &now);
    setrlimit(RLIMIT_NOFILE, &saved);
    QVERIFY(bRaised);
    QCOMPARE(now.rlim_cur, saved.rlim_max);
}

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--hold-lock") == 0) {
        // Child of singleInstanceTakesOverDeadLock: hold the lock until killed.
        QCoreApplication app(argc, argv);
        CSingleInstanceGuard guard(QString::fromLatin1(kMutexName));
        if (guard.Create() != CSingleInstanceGuard::E_SI_CREATED)
            return 2;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        return app.exec();
    }

    // Settings and runtime folders of our own, inherited by the child.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    QDir(home.path()).mkpath(QStringLiteral(".config"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toUtf8());
    QApplication app(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
