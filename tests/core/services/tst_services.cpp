#include "hoi_core/appservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Runs with HOME and XDG_CONFIG_HOME pointed at a fresh folder (see main), so
// the Documents folder is <home>/Documents and does not exist at first.
class TestServices : public QObject
{
    Q_OBJECT

public:
    explicit TestServices(const QString &home) : m_home(home) {}

private slots:
    void initTestCase();
    void strToBool_data();
    void strToBool();
    void configPaths_data();
    void configPaths();
    void documentsDirIsCreated();
    void documentsDirFallsBackToHome();
    void documentsDirFromFirstLocation();
    void defaultProjectWithoutAnyFile();
    void defaultProjectCopiesOldFile();
    void defaultProjectKeepsExistingFile();
    void defaultProjectWhenCopyFails();

private:
    QString documents() const { return m_home + "/Documents"; }
    QString oldProject() const { return m_home + "/VIVAvezaZE/Untitled.hoi"; }
    void removeProjects();

    QString m_home;
};

void TestServices::initTestCase()
{
    QCOMPARE(QDir::homePath(), m_home);
    QVERIFY(!QFileInfo::exists(documents()));
}

void TestServices::removeProjects()
{
    QDir(documents()).removeRecursively();
    QDir(m_home + "/VIVAvezaZE").removeRecursively();
}

void TestServices::strToBool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("withFalseDefault");
    QTest::addColumn<int>("withTrueDefault");

    const QStringList yes {"true", "TRUE", "True", "yes", "YeS", "y", "Y", "1"};
    const QStringList no {"false", "FALSE", "no", "No", "n", "N", "0"};
    const QStringList other {"", " 1", "true ", " yes", "2", "01", "on", "off", "t", "ja", "nein"};
    for (const QString &text : yes)
        QTest::newRow(qPrintable("yes '" + text + "'")) << text << 1 << 1;
    for (const QString &text : no)
        QTest::newRow(qPrintable("no '" + text + "'")) << text << 0 << 0;
    for (const QString &text : other)
        QTest::newRow(qPrintable("other '" + text + "'")) << text << 0 << 1;
}

void TestServices::strToBool()
{
    QFETCH(QString, text);
    QFETCH(int, withFalseDefault);
    QFETCH(int, withTrueDefault);
    QCOMPARE(StrToBool(text, false), bool(withFalseDefault));
    QCOMPARE(StrToBool(text, true), bool(withTrueDefault));
}

void TestServices::configPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("config") << ConfigXmlPath() << "config.xml";
    QTest::newRow("hdcp") << HdcpXmlPath() << "hdcp.xml";
    QTest::newRow("layout") << IPMLayoutXmlPath() << "IPMLayout.xml";
    QTest::newRow("list") << ListXmlPath() << "list.xml";
    QTest::newRow("menu help") << MenuHelpXmlPath() << "menuhelp.xml";
}

void TestServices::configPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, fileName);
    QCOMPARE(path, QCoreApplication::applicationDirPath() + "/" + fileName);
}

void TestServices::documentsDirIsCreated()
{
    removeProjects();
    QCOMPARE(DocumentsDir(), documents() + "/");
    QVERIFY(QFileInfo(documents()).isDir());
    // A second call finds it in place.
    QCOMPARE(DocumentsDir(), documents() + "/");
}

void TestServices::documentsDirFallsBackToHome()
{
    QCOMPARE(DocumentsDirFrom(QStringList()), m_home + "/");
    QCOMPARE(DocumentsDirFrom(QStringList {QString()}), m_home + "/");
}

void TestServices::documentsDirFromFirstLocation()
{
    const QString first = m_home + "/first/docs";
    const QString second = m_home + "/second";
    QCOMPARE(DocumentsDirFrom({first, second}), first + "/");
    QVERIFY(QFileInfo(first).isDir());
    QVERIFY(!QFileInfo::exists(second));
}

void TestServices::defaultProjectWithoutAnyFile()
{
    removeProjects();
    const QString path = DefaultProjectFilePath();
    QCOMPARE(path, documents() + "/Untitled.hoi");
    QVERIFY(!QFileInfo::exists(path));
}

void TestServices::defaultProjectCopiesOldFile()
{
    removeProjects();
    const QByteArray content("<hoi ver=\"1.0\"/>\n");
    QVERIFY(WriteFile(oldProject(), content));

    const QString path = DefaultProjectFilePath();
    QCOMPARE(path, documents() + "/Untitled.hoi");
    QCOMPARE(ReadFile(path), content);
    // The old file stays where it was.
    QCOMPARE(ReadFile(oldProject()), content);
}

void TestServices::defaultProjectKeepsExistingFile()
{
    removeProjects();
    QVERIFY(WriteFile(oldProject(), "old"));
    QVERIFY(WriteFile(documents() + "/Untitled.hoi", "current"));

    QCOMPARE(DefaultProjectFilePath(), documents() + "/Untitled.hoi");
    QCOMPARE(ReadFile(documents() + "/Untitled.hoi"), QByteArray("current"));
}

void TestServices::defaultProjectWhenCopyFails()
{
    removeProjects();
    // An old "Untitled.hoi" that cannot be copied (a folder): the path still
    // comes back and nothing is made in its place.
    QVERIFY(QDir().mkpath(oldProject()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot copy"));
    QCOMPARE(DefaultProjectFilePath(), documents() + "/Untitled.hoi");
    QVERIFY(!QFileInfo::exists(documents() + "/Untitled.hoi"));
}

int main(int argc, char *argv[])
{
    // The home and XDG folders must be in place before Qt reads them.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const QString homePath = QDir(home.path()).canonicalPath();
    qputenv("HOME", QFile::encodeName(homePath));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(homePath + "/.config"));
    qunsetenv("XDG_DOCUMENTS_DIR");

    QCoreApplication app(argc, argv);
    TestServices test(homePath);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_services.moc"
