#include <QCoreApplication>
#include <QtTest>

#include "consolerun.h"

// The real console started as a separate process: the single-instance
// guard, the configuration read at start and the exit codes.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void missingConfigExitsMinusOne();
    void foreignConfigExitsMinusOne();
    void onlyConfigStarts();
    void secondInstanceRefused();
    void killedInstanceDoesNotBlock();

private:
    // Waits until a started console has passed its configuration read: it
    // holds the lock and has made the Documents folder for the default
    // project.
    bool WaitStarted(const CConsoleRun &run, QProcess &process);
};

bool TestStartup::WaitStarted(const CConsoleRun &run, QProcess &process)
{
    const QString documents = run.HomeDir() + QStringLiteral("/Documents");
    QElapsedTimer timer;
    timer.start();
    if (!process.waitForStarted(30000))
        return false;
    while (timer.elapsed() < 30000) {
        if (process.state() != QProcess::Running)
            return false;
        if (QFile::exists(run.LockFile()) && QFileInfo(documents).isDir())
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestStartup::missingConfigExitsMinusOne()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QProcess console;
    run.Start(console, QStringLiteral("offscreen"));
    QVERIFY(console.waitForFinished(30000));

    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 255); // -1 as the system reports it
    QCOMPARE(CConsoleRun::MessageBoxes(console.readAllStandardError()),
             QStringList{QStringLiteral("3\t\tProgram configure error!\tOK")});
    // Nothing after "config.xml" was read: no default project folder.
    QVERIFY(!QFileInfo::exists(run.HomeDir() + QStringLiteral("/Documents")));
    QVERIFY(!QFile::exists(run.LockFile()));
}

void TestStartup::foreignConfigExitsMinusOne()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.WriteConfig("<?xml version=\"1.0\"?>\n<hoi ver=\"1.0\"></hoi>\n"));
    QProcess console;
    run.Start(console, QStringLiteral("offscreen"));
    QVERIFY(console.waitForFinished(30000));
    QCOMPARE(console.exitCode(), 255);
    QCOMPARE(CConsoleRun::MessageBoxes(console.readAllStandardError()),
             QStringList{QStringLiteral("3\t\tProgram configure error!\tOK")});
}

void TestStartup::onlyConfigStarts()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.WriteConfig("<?xml version=\"1.0\"?>\n<hoiprod></hoiprod>\n"));
    QProcess console;
    run.Start(console, QStringLiteral("offscreen"));
    QVERIFY(WaitStarted(run, console));
    // Missing list, hdcp, menu and layout files stop nothing.
    QTest::qWait(1500);
    QCOMPARE(console.state(), QProcess::Running);
    QCOMPARE(CConsoleRun::MessageBoxes(console.readAllStandardError()), QStringList());
    console.kill();
    QVERIFY(console.waitForFinished(10000));
}

// A second start shows the message and ends with -1 before it reads any
// configuration (its own folder has none, yet it never complains of it); the
// first one goes on.
void TestStartup::secondInstanceRefused()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.AddSampleConfig());
    QProcess first;
    run.Start(first, QStringLiteral("offscreen"));
    QVERIFY(WaitStarted(run, first));

    QTemporaryDir otherApp;
    QVERIFY(QFile::copy(run.Exe(), otherApp.filePath(QStringLiteral("hoiconsole"))));
    QProcess second;
    run.Start(second, QStringLiteral("offscreen"), otherApp.filePath(QStringLiteral("hoiconsole")));
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(CConsoleRun::MessageBoxes(second.readAllStandardError()),
             QStringList{QStringLiteral("3\t\tAn instance of this application has been run!\tOK")});

    QTest::qWait(500);
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(QFile::exists(run.LockFile()));
    QCOMPARE(CConsoleRun::MessageBoxes(first.readAllStandardError()), QStringList());
    first.kill();
    QVERIFY(first.waitForFinished(10000));
}

// A console that was killed leaves its lock behind; the next start runs.
void TestStartup::killedInstanceDoesNotBlock()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.AddSampleConfig());
    QProcess first;
    run.Start(first, QStringLiteral("offscreen"));
    QVERIFY(WaitStarted(run, first));
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QVERIFY(QFile::exists(run.LockFile()));

    QProcess next;
    run.Start(next, QStringLiteral("offscreen"));
    QVERIFY(next.waitForStarted());
    QTest::qWait(2000);
    QCOMPARE(next.state(), QProcess::Running);
    QCOMPARE(CConsoleRun::MessageBoxes(next.readAllStandardError()), QStringList());
    next.kill();
    QVERIFY(next.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
