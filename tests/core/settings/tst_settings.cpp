// The small settings files beside the executable, read and written by the
// device manager.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

#include "projecttestenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// No background discovery on the host's network from these tests.
class CTestMgr : public CHOIDevMgr
{
public:
    CTestMgr() { SetOnLineTimings(-1, E_ONLINE_INTERVAL); }
};

QString AppFile(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

void WriteAppFile(const char* name, const QByteArray& text)
{
    QFile::remove(AppFile(name));
    QFile file(AppFile(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadAppFile(const char* name)
{
    QFile file(AppFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void CopyResource(const char* name)
{
    QFile::remove(AppFile(name));
    QVERIFY(QFile::copy(QStringLiteral(HOI_RESOURCES_DIR "/") + QLatin1String(name), AppFile(name)));
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void listWrittenExactly();
    void listRoundTrip();
    void listPartialKeepsOtherValues();
    void listWrongRootOrMissing_data();
    void listWrongRootOrMissing();
    void listWriteFailure();
    void hdcpMap();
    void hdcpWrongRootStopsEarly();
    void layoutTable();
    void menuTable();
    void sampleFiles();
    void mrxLayouts();
};

void TestSettings::cleanup()
{
    for (const char* name : {"list.xml", "hdcp.xml", "IPMLayout.xml", "menuhelp.xml", "config.xml"}) {
        QDir dir(AppFile(name));
        if (dir.exists())
            dir.removeRecursively();
        QFile::remove(AppFile(name));
    }
}

void TestSettings::listWrittenExactly()
{
    CTestMgr mgr;
    mgr.m_nListOrTree = 1;
    mgr.m_nIsPrompt = 0;
    mgr.m_nIsWelcome = 1;
    mgr.m_strCurFilePath = QStringLiteral("C:/Users/op/Documents/Hall & Lobby.hoi");
    QVERIFY(mgr.SaveListConfig());
    QCOMPARE(ReadAppFile("list.xml"), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                  "<hoi ver=\"1.0\">\n"
                                                  "    <list>\n"
                                                  "        <product listortree=\"1\"/>\n"
                                                  "    </list>\n"
                                                  "    <prompt>\n"
                                                  "        <product isprompt=\"0\"/>\n"
                                                  "    </prompt>\n"
                                                  "    <welcome>\n"
                                                  "        <product iwelcome=\"1\"/>\n"
                                                  "    </welcome>\n"
                                                  "    <propath>\n"
                                                  "        <product filepath=\"C:/Users/op/Documents/Hall &amp; "
                                                  "Lobby.hoi\"/>\n"
                                                  "    </propath>\n"
                                                  "</hoi>\n"));
}

void TestSettings::listRoundTrip()
{
    {
        CTestMgr mgr;
        mgr.m_nListOrTree = 1;
        mgr.m_nIsPrompt = 7;
        mgr.m_nIsWelcome = -2;
        mgr.m_strCurFilePath = QString::fromUtf8("/home/op/Übersicht \"neu\".hoi");
        QVERIFY(mgr.SaveListConfig());
    }
    CTestMgr mgr;
    QVERIFY(mgr.LoadListConfig());
    QCOMPARE(mgr.m_nListOrTree, 1);
    QCOMPARE(mgr.m_nIsPrompt, 7);
    QCOMPARE(mgr.m_nIsWelcome, -2);
    QCOMPARE(mgr.m_strCurFilePath, QString::fromUtf8("/home/op/Übersicht \"neu\".hoi"));
    QCOMPARE(mgr.GetCurFilePath(), mgr.m_strCurFilePath);
}

void TestSettings::listPartialKeepsOtherValues()
{
    WriteAppFile("list.xml", "<?xml version=\"1.0\"?>\n<hoi><propath><product filepath=\"/p/a.hoi\"/></propath>"
                             "<product listortree=\"1\"/><list><Product listortree=\"1\"/></list>"
                             "<prompt><product/></prompt></hoi>\n");
    CTestMgr mgr;
    mgr.m_nListOrTree = 5;
    mgr.m_nIsPrompt = 6;
    mgr.m_nIsWelcome = 7;
    QVERIFY(mgr.LoadListConfig());
    QCOMPARE(mgr.m_strCurFilePath, QStringLiteral("/p/a.hoi"));
    // Elements off the exact paths are passed over; a missing attribute reads as 0.
    QCOMPARE(mgr.m_nListOrTree, 5);
    QCOMPARE(mgr.m_nIsPrompt, 0);
    QCOMPARE(mgr.m_nIsWelcome, 7);
}

void TestSettings::listWrongRootOrMissing_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("wrong root") << QByteArray("<list><list><product listortree=\"1\"/></list></list>");
}

void TestSettings::listWrongRootOrMissing()
{
    QFETCH(QByteArray, content);
    if (!content.isEmpty())
        WriteAppFile("list.xml", content);
    CTestMgr mgr;
    mgr.m_nListOrTree = 3;
    mgr.m_strCurFilePath = "/keep.hoi";
    if (!content.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("list\\.xml.*has the root \"/list\""));
    QVERIFY(!mgr.LoadListConfig());
    QCOMPARE(mgr.m_nListOrTree, 3);
    QCOMPARE(mgr.m_strCurFilePath, QStringLiteral("/keep.hoi"));
}

void TestSettings::listWriteFailure()
{
    // A full disk fails the final write: the call says so and the old file stays whole.
    CTestMgr mgr;
    mgr.m_strCurFilePath = QStringLiteral("/home/op/first.hoi");
    QVERIFY(mgr.SaveListConfig());
    const QByteArray before = ReadAppFile("list.xml");
    mgr.m_strCurFilePath = QStringLiteral("/home/op/second.hoi");
    QCOMPARE(projecttest::RunWithFileSizeLimit(100, [&]() { return mgr.SaveListConfig() ? 1 : 0; }), 0);
    QCOMPARE(ReadAppFile("list.xml"), before);

    // A folder where the file should be: nothing can be written, and the call says so.
    QFile::remove(AppFile("list.xml"));
    QVERIFY(QDir().mkpath(AppFile("list.xml")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write .*list\\.xml"));
    QVERIFY(!mgr.SaveListConfig());
    QVERIFY(QDir(AppFile("list.xml")).exists());
}

void TestSettings::hdcpMap()
{
    WriteAppFile("hdcp.xml", "<?xml version=\"1.0\"?>\n<hdcp>\n"
                             "<product host_name=\"ipe1000-00aabbccddee\" hdcp_enable=\"Yes\"/>\n"
                             "<product host_name=\"IPE1000-000000000001\" hdcp_enable=\"n\"/>\n"
                             "<product host_name=\"IPE1000-000000000002\"/>\n"
                             "<product host_name=\"IPE1000-000000000003\" hdcp_enable=\"maybe\"/>\n"
                             "<product host_name=\"IPE1000-000000000001\" hdcp_enable=\"1\"/>\n"
                             "<other><product host_name=\"IPE1000-000000000009\" hdcp_enable=\"y\"/></other>\n"
                             "</hdcp>\n");
    CTestMgr mgr;
    QVERIFY(mgr.LoadHdcpConfig());
    QMap<QString, bool> expected;
    expected.insert("IPE1000-00AABBCCDDEE", true);
    expected.insert("IPE1000-000000000001", true); // the later entry wins
    expected.insert("IPE1000-000000000002", false);
    expected.insert("IPE1000-000000000003", false);
    QCOMPARE(mgr.GetHdcpMap(), expected);

    // Read again: the map is emptied first.
    WriteAppFile("hdcp.xml", "<hdcp><product host_name=\"x-1\" hdcp_enable=\"y\"/></hdcp>");
    QVERIFY(mgr.LoadHdcpConfig());
    QCOMPARE(mgr.GetHdcpMap().keys(), QStringList({"X-1"}));

    QFile::remove(AppFile("hdcp.xml"));
    QVERIFY(!mgr.LoadHdcpConfig());
    QVERIFY(mgr.GetHdcpMap().isEmpty());
}

void TestSettings::hdcpWrongRootStopsEarly()
{
    WriteAppFile("hdcp.xml", "<hoi><product host_name=\"a-1\" hdcp_enable=\"y\"/></hoi>");
    CTestMgr mgr;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("hdcp\\.xml.*has the root \"/hoi\" instead of \"/hdcp\""));
    QVERIFY(!mgr.LoadHdcpConfig());
    QVERIFY(mgr.GetHdcpMap().isEmpty());
}

void TestSettings::layoutTable()
{
    WriteAppFile("IPMLayout.xml",
                 "<layout>\n"
                 "<product layout_name=\"Dual\" position_and_size_of_each_window=\"0,0,960,1080;960,0,960,1080\" "
                 "image_path=\"d.png\" icon_path=\"di.png\"/>\n"
                 "<group><product layout_name=\"Nested\"/></group>\n"
                 "<product layout_name=\"Single\" position_and_size_of_each_window=\"0,0,1920,1080\"/>\n"
                 "</layout>\n");
    CTestMgr mgr;
    QVERIFY(mgr.LoadLayoutConfig());
    const QList<T_IpmLayoutInfo>& table = mgr.GetIpmLayoutList();
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.at(0).id, 0);
    QCOMPARE(table.at(0).layout_name, QStringLiteral("Dual"));
    QCOMPARE(table.at(0).position_and_size_of_each_window, QStringLiteral("0,0,960,1080;960,0,960,1080"));
    QCOMPARE(table.at(0).image_path, QStringLiteral("d.png"));
    QCOMPARE(table.at(0).icon_path, QStringLiteral("di.png"));
    QCOMPARE(table.at(1).layout_name, QStringLiteral("Single"));
    QVERIFY(table.at(1).image_path.isEmpty());

    QVERIFY(mgr.LoadLayoutConfig());
    QCOMPARE(mgr.GetIpmLayoutList().size(), 2);
}

void TestSettings::menuTable()
{
    WriteAppFile("menuhelp.xml", "<menu><product menu_name=\"Manual\" file_path=\"doc/m.pdf\"/>"
                                 "<product menu_name=\"FAQ\" file_path=\"doc/faq.pdf\"/></menu>");
    CTestMgr mgr;
    QVERIFY(mgr.LoadMenuConfig());
    QCOMPARE(mgr.GetMenuHelpList().size(), 2);
    QCOMPARE(mgr.GetMenuHelpList().at(0).menu_name, QStringLiteral("Manual"));
    QCOMPARE(mgr.GetMenuHelpList().at(0).file_path, QStringLiteral("doc/m.pdf"));
    QCOMPARE(mgr.GetMenuHelpList().at(1).menu_name, QStringLiteral("FAQ"));

    WriteAppFile("menuhelp.xml", "<help><product menu_name=\"X\"/></help>");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("menuhelp\\.xml.*has the root"));
    QVERIFY(!mgr.LoadMenuConfig());
    QVERIFY(mgr.GetMenuHelpList().isEmpty());
}

void TestSettings::sampleFiles()
{
    CopyResource("hdcp.xml");
    CopyResource("menuhelp.xml");
    CopyResource("IPMLayout.xml");
    CTestMgr mgr;
    QVERIFY(mgr.LoadHdcpConfig());
    QVERIFY(mgr.LoadMenuConfig());
    QVERIFY(mgr.LoadLayoutConfig());
    QCOMPARE(mgr.GetHdcpMap().size(), 1);
    QCOMPARE(mgr.GetMenuHelpList().size(), 4);
    QCOMPARE(mgr.GetIpmLayoutList().size(), 4);
    QCOMPARE(mgr.GetIpmLayoutList().at(2).position_and_size_of_each_window.split(';').size(), 4);
}

void TestSettings::mrxLayouts()
{
    WriteAppFile("config.xml", "<hoiprod><product id=\"M\" type=\"mrx\"/><product id=\"T\" type=\"tx\"/></hoiprod>");
    WriteAppFile("IPMLayout.xml", "<layout><product layout_name=\"Single\" icon_path=\"s\"/>"
                                  "<product layout_name=\"Dual\"/><product layout_name=\"Quad\" icon_path=\"q\"/>"
                                  "<product layout_name=\"Quad\" icon_path=\"second\"/></layout>");
    CTestMgr mgr;
    QVERIFY(mgr.LoadProdConfig());
    QVERIFY(mgr.LoadLayoutConfig());
    mgr.AddIpcDev(QString(), "M-000000000001", nullptr);
    mgr.AddIpcDev(QString(), "M-000000000002", nullptr);
    mgr.AddIpcDev(QString(), "M-000000000003", nullptr);
    mgr.AddIpcDev(QString(), "T-000000000004", nullptr);
    CHOIDev* pMrx = mgr.FindDevByHostName("M-000000000001");
    CHOIDev* pUnknownNames = mgr.FindDevByHostName("M-000000000002");
    CHOIDev* pFilled = mgr.FindDevByHostName("M-000000000003");
    CHOIDev* pTx = mgr.FindDevByHostName("T-000000000004");
    pMrx->AddIPMLayout("Quad", 2);
    pMrx->AddIPMLayout("Missing", 1);
    pMrx->AddIPMLayout("Single", 0);
    pUnknownNames->AddIPMLayout("Nine", 0);
    T_IpmLayoutInfo own;
    own.layout_name = "Own";
    pFilled->SetIPMLayoutList({own});
    pFilled->AddIPMLayout("Dual", 0);
    pTx->AddIPMLayout("Dual", 0);

    QVERIFY(mgr.InitMrxLayouts());
    QCOMPARE(pMrx->m_listIPMLayout.size(), 2);
    QCOMPARE(pMrx->m_listIPMLayout.at(0).layout_name, QStringLiteral("Single"));
    QCOMPARE(pMrx->m_listIPMLayout.at(1).layout_name, QStringLiteral("Quad"));
    QCOMPARE(pMrx->m_listIPMLayout.at(1).icon_path, QStringLiteral("q")); // the first record of the name
    QVERIFY(pUnknownNames->m_listIPMLayout.isEmpty());
    QCOMPARE(pFilled->m_listIPMLayout.size(), 1);
    QCOMPARE(pFilled->m_listIPMLayout.at(0).layout_name, QStringLiteral("Own"));
    QVERIFY(pTx->m_listIPMLayout.isEmpty());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
