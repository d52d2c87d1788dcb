// The text summary: its exact lines, tabs and CR LF endings.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include "projecttestenv.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace projecttest;

class TestSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void padIPAddress_data();
    void padIPAddress();
    void emptyInstallation();
    void deviceTable();
    void layoutBlocks();
    void cannotOpen();
    void writeErrorIsReported();

private:
    QStringList Export();

    QTemporaryDir m_dir;
    CHOIDevMgr* m_mgr = nullptr;
};

void TestSummary::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(InstallConfig());
}

void TestSummary::init()
{
    m_mgr = NewManager();
    QVERIFY(m_mgr);
}

void TestSummary::cleanup()
{
    delete m_mgr;
    m_mgr = nullptr;
}

// The lines of the exported file, without the date line's value checked;
// fails the test when a line does not end in CR LF.
QStringList TestSummary::Export()
{
    const QString path = m_dir.filePath("summary.txt");
    if (!m_mgr->ExportSceneInfoFile(path))
        return QStringList() << "export failed";
    const QByteArray data = ReadFile(path);
    if (!data.endsWith("\r\n") || data.count('\n') != data.count("\r\n"))
        return QStringList() << "bad line ends";
    QStringList lines = QString::fromUtf8(data).split("\r\n");
    lines.removeLast();
    return lines;
}

void TestSummary::padIPAddress_data()
{
    QTest::addColumn<QString>("addr");
    QTest::addColumn<QString>("padded");
    QTest::newRow("short parts") << "10.0.1.20" << " 10.  0.  1. 20";
    QTest::newRow("full parts") << "192.168.100.254" << "192.168.100.254";
    QTest::newRow("empty") << "" << "";
}

void TestSummary::padIPAddress()
{
    QFETCH(QString, addr);
    QFETCH(QString, padded);
    QCOMPARE(CHOIDevMgr::PadIPAddress(addr), padded);
}

void TestSummary::emptyInstallation()
{
    m_mgr->ClearAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList lines = Export();
    QCOMPARE(lines.size(), 7);
    QVERIFY2(QRegularExpression("^Date/Time:\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$").match(lines.at(0)).hasMatch(),
             qPrintable(lines.at(0)));
    QCOMPARE(lines.mid(1), QStringList() << "Devices information:"
                                         << "\tNO.\tAlias\t\t\tHostName\t\t\tType\t\t\tIPAddress\t\t\tVersion"
                                         << ""
                                         << "scene settings:"
                                         << "\tNO.\tName\t\t\t\tRX-Total\t\t\tTX-Total"
                                         << "");
}

void TestSummary::deviceTable()
{
    CHOIDev* tx = AddDev(m_mgr, "TXP-0000000000A1", "Camera");
    tx->SetIPAddr("127.0.1.20");
    tx->m_strVersion = "v2";
    CHOIDev* rx = AddDev(m_mgr, "RXP-0000000000B1");
    CHOIDev* ctrl = AddDev(m_mgr, "QN714-0000000000F1", "Main");
    ctrl->m_strTypeName = "IP Controller";
    AddDev(m_mgr, "CTRL-0000000000F2");
    QVERIFY(tx && rx && ctrl);

    const QStringList lines = Export();
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.at(3), QString("\t#1\tCamera\t\tEncoder-0000000000A1\t\tTX\t\t127.  0.  1. 20\t\tv2"));
    // No alias: the default name in both name columns.
    QCOMPARE(lines.at(4), QString("\t#2\tDecoder-0000000000B1\t\tDecoder-0000000000B1\t\tRX\t\t\t\t"));
    // The controller model shows its type text and its display name twice.
    QCOMPARE(lines.at(5), QString("\t#3\tMain\t\tMain\t\tIP Controller\t\t\t\t"));
    QCOMPARE(lines.at(6), QString("\t#4\tOtherCtrl-0000000000F2\t\tOtherCtrl-0000000000F2\t\tUnkown\t\t\t\t"));
    QCOMPARE(lines.at(7), QString());
}

void TestSummary::layoutBlocks()
{
    CHOIDev* tx1 = AddDev(m_mgr, "TXP-0000000000A1", "Cam1");
    CHOIDev* tx2 = AddDev(m_mgr, "TXP-0000000000A2", "Cam2");
    CHOIDev* rx1 = AddDev(m_mgr, "RXP-0000000000B1", "Scr1");
    CHOIDev* rx2 = AddDev(m_mgr, "RXP-0000000000B2", "Scr2");
    rx1->SetIPAddr("127.0.0.5");
    rx1->SetNetmask("255.255.255.0");
    rx1->m_eIPMode = CHOIDev::E_IM_STATIC;
    tx1->m_eIPMode = CHOIDev::E_IM_DHCP;

    CHOIScene* one = m_mgr->CreateScene("G-One");
    one->SetGridSize(2, 2);
    one->GetCell(0, 0)->rx = rx1;
    one->GetCell(0, 0)->txList << tx1 << tx2;
    one->GetCell(1, 1)->txList << tx2;
    T_VideoWallInfo* pWall = new T_VideoWallInfo;
    pWall->name = "VW";
    pWall->pos_row = 0;
    pWall->pos_col = 0;
    pWall->row_count = 1;
    pWall->col_count = 2;
    QVERIFY(one->InsertVideoWall(pWall));
    one->GetCell(0, 1)->rx = rx2;
    CHOIScene* two = m_mgr->CreateScene("G-Two");

    const QStringList lines = Export();
    const QStringList expected = QStringList()
        << "scene settings:"
        << "\tNO.\tName\t\t\t\tRX-Total\t\t\tTX-Total"
        << "\t#1\tG-One\t\t\t\t2\t\t\t\t3"
        << "\t#2\tG-Two\t\t\t\t0\t\t\t\t0"
        << ""
        << ""
        << "G-One Info:"
        << "\tdevice settings:"
        << "\tNO.\tHostname\t\t\tType\tAlias\t\t\tIP-Mode\t\tIP-Address\t\tNetmask\t\tGateway"
        << "\t#1\tDecoder-0000000000B1\t\tRX\tScr1\tstatic\t\t127.  0.  0.  5\t\t255.255.255.  0"
        << "\t#2\tEncoder-0000000000A1\t\tTX\tCam1\tdhcp\t\t\t\t255.255.  0.  0"
        << "\t#3\tEncoder-0000000000A2\t\tTX\tCam2\tautoip\t\t\t\t255.255.  0.  0"
        << "\t#4\tDecoder-0000000000B2\t\tRX\tScr2\tautoip\t\t\t\t255.255.  0.  0"
        << "\t#5\tEncoder-0000000000A2\t\tTX\tCam2\tautoip\t\t\t\t255.255.  0.  0"
        << ""
        << "\tvideowall settings:"
        << "\tNO.\tName\t\tSource(TX-Hostname)(Alias)\t\t\tSize\tPosition\tRX-Hostname(Alias)"
        << "\t#1\tVW\t\tEncoder-0000000000A1(Cam1)\t\tEncoder-0000000000A2(Cam2)\t\t1x2\t(0,0)\t\t"
           "Decoder-0000000000B1(Scr1)"
        << "\t  \tVW\t\t1x2\t(0,1)\t\tDecoder-0000000000B2(Scr2)"
        << ""
        << "\tmatrix info:"
        << "\tNO.\tRX-Hostname(Alias)\t\t\t\t\tTX-Hostname(Alias)"
        << "\t#1\tDecoder-0000000000B1(Scr1)\t\t\tEncoder-0000000000A1(Cam1)|Encoder-0000000000A2(Cam2)|"
        << "\t#2\tDecoder-0000000000B2(Scr2)\t\t\t"
        << "\t#3\t\t\t\t\t\t\t\tEncoder-0000000000A2(Cam2)|"
        << ""
        << "G-Two Info:"
        << "\tdevice settings:"
        << "\tNO.\tHostname\t\t\tType\tAlias\t\t\tIP-Mode\t\tIP-Address\t\tNetmask\t\tGateway"
        << ""
        << "\tvideowall settings:"
        << "\tNO.\tName\t\tSource(TX-Hostname)(Alias)\t\t\tSize\tPosition\tRX-Hostname(Alias)"
        << ""
        << "\tmatrix info:"
        << "\tNO.\tRX-Hostname(Alias)\t\t\t\t\tTX-Hostname(Alias)";
    const int start = lines.indexOf("scene settings:");
    QVERIFY(start > 0);
    const QStringList got = lines.mid(start);
    QCOMPARE(got.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(got.at(i), expected.at(i));
    Q_UNUSED(two)
}

void TestSummary::cannotOpen()
{
    QTest::ignoreMessage(QtDebugMsg, "Can't open the file!");
    QVERIFY(!m_mgr->ExportSceneInfoFile(m_dir.filePath("missing/summary.txt")));
}

void TestSummary::writeErrorIsReported()
{
    for (int i = 0; i < 40; ++i)
        AddDev(m_mgr, QStringLiteral("TXP-0000000001%1").arg(i, 2, 10, QChar('0')), "A rather long alias");
    const QString path = m_dir.filePath("full.txt");
    const int result = RunWithFileSizeLimit(1024, [&]() { return m_mgr->ExportSceneInfoFile(path) ? 1 : 0; });
    QCOMPARE(result, 0);
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
