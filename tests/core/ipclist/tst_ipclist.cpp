// The virtual TX list file of a gateway: its exact form, reading it back into
// one gateway or into every gateway at start, and that bad files and failed
// saves lose nothing.
#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

#include "projecttestenv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace projecttest;

namespace {

const char* const kGateway = "GWP-00000000EE01";
const char* const kCam1 = "IPCAM-000000000C01";
const char* const kCam2 = "IPCAM-000000000C02";

T_IpcInfo* Record(const QString& alias, const QString& host, const QString& passwd = "secret")
{
    T_IpcInfo* p = new T_IpcInfo;
    p->aliasname = alias;
    p->hostname = host;
    p->url = "rtsp://127.0.0.1/" + alias;
    p->sn = "SN" + alias;
    p->user = "admin";
    p->passwd = passwd;
    p->width = "1920";
    p->height = "1080";
    p->fps = "30";
    p->transporttype = "tcp";
    p->enable = "1";
    p->outstreamtype = "h264";
    p->remark = QString();
    return p;
}

QStringList Fields(const T_IpcInfo* p)
{
    return QStringList() << p->aliasname << p->hostname << p->url << p->sn << p->user << p->passwd << p->width
                         << p->height << p->fps << p->transporttype << p->enable << p->outstreamtype << p->remark;
}

} // namespace

class TestIpcList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileForm();
    void emptyList();
    void escapedPasswordRoundTrip();
    void loadFileTwiceKeepsOneCopy();
    void loadAtStartAppends();
    void badFilesLeaveListUntouched_data();
    void badFilesLeaveListUntouched();
    void failedSaveKeepsOldFile();
    void unwritableCharactersAreLeftOut();
    void unknownProductStaysInList();
    void hostileHostNamesAreLeftOut();
    void listsLeaveOtherDevicesAlone_data();
    void listsLeaveOtherDevicesAlone();
    void loadFileUpdatesDevicesInPlace();
    void projectCameraWithoutItsGateway();

private:
    int CamDevCount() const;

    QTemporaryDir m_home;
    CHOIDevMgr* m_mgr = nullptr;
    CHOIDev* m_gw = nullptr;
};

void TestIpcList::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The lists live in the Documents folder: a private one for this run.
    qputenv("HOME", m_home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QVERIFY(DocumentsDir().startsWith(m_home.path()));
    QVERIFY(InstallConfig());
}

void TestIpcList::init()
{
    m_mgr = NewManager();
    QVERIFY(m_mgr);
    m_gw = AddDev(m_mgr, kGateway, "Gateway");
    QVERIFY(m_gw);
    QCOMPARE(m_gw->GetDevType(), CHOIDev::E_DT_GW);
}

void TestIpcList::cleanup()
{
    QFile::remove(DocumentsDir() + "00000000EE01.xml");
    delete m_mgr;
    m_mgr = nullptr;
    m_gw = nullptr;
}

int TestIpcList::CamDevCount() const
{
    int n = 0;
    for (int i = 0; i < m_mgr->GetDevCount(); ++i)
        n += m_mgr->GetDev(i)->GetParentDev() == m_gw ? 1 : 0;
    return n;
}

void TestIpcList::fileForm()
{
    m_gw->m_listIpcInfo << Record("c1", kCam1);
    const QString path = m_home.filePath("form.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QCOMPARE(ReadFile(path),
             QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<ipgwconfig ver=\"1.0\" custom_multicast_ip=\"0\">\n"
                        "    <ipc>\n"
                        "        <item aliasname=\"c1\" hostname=\"IPCAM-000000000C01\" sn=\"SNc1\" "
                        "url=\"rtsp://127.0.0.1/c1\" user=\"admin\" passwd=\"secret\" width=\"1920\" "
                        "height=\"1080\" fps=\"30\" transporttype=\"tcp\" enable=\"1\" outstreamtype=\"h264\" "
                        "remark=\"\"/>\n"
                        "    </ipc>\n"
                        "</ipgwconfig>\n"));
}

void TestIpcList::emptyList()
{
    const QString path = m_home.filePath("empty.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(ReadFile(path).contains("<ipc/>"));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QVERIFY(m_gw->GetIpcList().isEmpty());
    QCOMPARE(CamDevCount(), 0);
}

void TestIpcList::escapedPasswordRoundTrip()
{
    m_gw->m_listIpcInfo << Record("c1", kCam1, "a&b\"c<d>e'f") << Record("c2", kCam2);
    const QString path = m_home.filePath("pw.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    const QByteArray data = ReadFile(path);
    QVERIFY(data.contains("passwd=\"a&amp;b&quot;c&lt;d&gt;e'f\""));

    QList<QStringList> before;
    for (const T_IpcInfo* p : m_gw->GetIpcList())
        before << Fields(p);
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QList<QStringList> after;
    for (const T_IpcInfo* p : m_gw->GetIpcList())
        after << Fields(p);
    QCOMPARE(after, before);
    QCOMPARE(m_gw->GetIpcList().first()->passwd, QString("a&b\"c<d>e'f"));
    QCOMPARE(m_gw->GetIpcList().first()->remark, QString());

    // Each record stands as a virtual TX of the gateway.
    CHOIDev* cam = m_mgr->FindDevByHostName(kCam1);
    QVERIFY(cam);
    QCOMPARE(cam->GetName(), QString("c1"));
    QCOMPARE(cam->GetParentDev(), m_gw);
    QCOMPARE(cam->GetParentHostName(), QString(kGateway));
    QCOMPARE(CamDevCount(), 2);
}

void TestIpcList::loadFileTwiceKeepsOneCopy()
{
    m_gw->m_listIpcInfo << Record("c1", kCam1) << Record("c2", kCam2);
    const QString path = m_home.filePath("twice.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QCOMPARE(m_gw->GetIpcList().size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(CamDevCount(), 2);
}

void TestIpcList::loadAtStartAppends()
{
    m_gw->m_listIpcInfo << Record("c1", kCam1) << Record("c2", kCam2);
    QVERIFY(m_gw->SaveIpcConfig(DocumentsDir() + m_gw->GetMacId() + ".xml"));
    m_gw->ClearIpcInfo();

    QSignalSpy added(m_mgr, &CHOIDevMgr::OnDeviceNotify);
    QVERIFY(m_mgr->LoadIpcConfig());
    QCOMPARE(m_gw->GetIpcList().size(), 2);
    QCOMPARE(added.count(), 2);
    // Not emptied first: the records twice, the devices updated in place.
    QVERIFY(m_mgr->LoadIpcConfig());
    QCOMPARE(m_gw->GetIpcList().size(), 4);
    QCOMPARE(added.count(), 2);
    QCOMPARE(CamDevCount(), 2);

    // A gateway without a file, and a file with another root, add nothing.
    CHOIDev* gw2 = AddDev(m_mgr, "GWP-00000000EE02");
    QVERIFY(WriteFile(DocumentsDir() + "00000000EE02.xml",
                      QByteArray("<config><ipc><item hostname=\"IPCAM-000000000C09\"/></ipc></config>")));
    QVERIFY(m_mgr->LoadIpcConfig());
    QVERIFY(gw2->GetIpcList().isEmpty());
    QVERIFY(!m_mgr->FindDevByHostName("IPCAM-000000000C09"));
    QFile::remove(DocumentsDir() + "00000000EE02.xml");
}

void TestIpcList::badFilesLeaveListUntouched_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("other root") << QByteArray("<config><ipc><item hostname=\"IPCAM-000000000C09\"/></ipc></config>")
                                << false;
    QTest::newRow("truncated") << QByteArray("<ipgwconfig><ipc><item hostname=\"IPCAM-000000000C09\"/><it") << true;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("not xml") << QByteArray("not a list") << true;
}

void TestIpcList::badFilesLeaveListUntouched()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, damaged);
    m_gw->m_listIpcInfo << Record("c1", kCam1);
    m_mgr->AddIpcDev("c1", kCam1, m_gw);
    const QString path = DocumentsDir() + m_gw->GetMacId() + ".xml";
    QVERIFY(WriteFile(path, content));

    QVERIFY(!m_gw->LoadIpcConfigFile(path));
    QVERIFY(!m_gw->LoadIpcConfigFile(m_home.filePath("no-such-file.xml")));
    QCOMPARE(m_gw->GetIpcList().size(), 1);
    QCOMPARE(m_gw->GetIpcList().first()->aliasname, QString("c1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(CamDevCount(), 1);

    // Read at start, a damaged file gives what stands before the damage and
    // is kept aside, as a save will replace it.
    QFile::remove(path + ".bak");
    QVERIFY(m_mgr->LoadIpcConfig());
    QCOMPARE(m_mgr->FindDevByHostName("IPCAM-000000000C09") != nullptr, damaged && content.contains("C09"));
    QCOMPARE(ReadFile(path + ".bak"), damaged ? content : QByteArray());
}

void TestIpcList::failedSaveKeepsOldFile()
{
    m_gw->m_listIpcInfo << Record("c1", kCam1);
    const QString path = m_home.filePath("keep.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    const QByteArray before = ReadFile(path);
    for (int i = 0; i < 50; ++i)
        m_gw->m_listIpcInfo << Record(QStringLiteral("cam%1").arg(i), kCam2);
    const int result = RunWithFileSizeLimit(2048, [&]() { return m_gw->SaveIpcConfig(path) ? 1 : 0; });
    QCOMPARE(result, 0);
    QCOMPARE(ReadFile(path), before);
    QVERIFY(!m_gw->SaveIpcConfig(m_home.filePath("missing/dir/x.xml")));
}

void TestIpcList::unwritableCharactersAreLeftOut()
{
    // One escape character in an alias must not make every later save fail.
    m_gw->m_listIpcInfo << Record(QStringLiteral("Gate\x1b"), kCam1);
    const QString path = m_home.filePath("ctrl.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(ReadFile(path).contains("aliasname=\"Gate\""));
}

void TestIpcList::unknownProductStaysInList()
{
    const QString path = m_home.filePath("unknown.xml");
    QVERIFY(WriteFile(path, QByteArray("<ipgwconfig><item hostname=\"IPCAM-000000000C07\"/><ipc>"
                                       "<item aliasname=\"x\" hostname=\"NOPE-000000000001\" extra=\"1\"/>"
                                       "<other/></ipc></ipgwconfig>")));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QCOMPARE(m_gw->GetIpcList().size(), 1);
    QCOMPARE(m_gw->GetIpcList().first()->hostname, QString("NOPE-000000000001"));
    QCOMPARE(m_gw->GetIpcList().first()->passwd, QString());
    QCOMPARE(CamDevCount(), 0);
    QVERIFY(!m_mgr->FindDevByHostName("IPCAM-000000000C07"));
}

void TestIpcList::hostileHostNamesAreLeftOut()
{
    // A host name goes into other devices' shell lines: a record of another
    // form gets no device, and the operator hears which; the list keeps it,
    // so a save writes back all that was read.
    const QString path = DocumentsDir() + m_gw->GetMacId() + ".xml";
    QVERIFY(WriteFile(path, "<ipgwconfig><ipc><item aliasname=\"a\" hostname=\"IPCAM-1;reboot;#\"/>"
                            "<item aliasname=\"b\"/><item aliasname=\"c\" hostname=\"IPCAM-000000000C01\"/>"
                            "</ipc></ipgwconfig>"));
    for (bool bAtStart : {false, true}) {
        m_gw->ClearIpcInfo();
        QSignalSpy log(m_mgr, &CHOIDevMgr::OnProgressLog);
        QVERIFY(bAtStart ? m_mgr->LoadIpcConfig() : m_gw->LoadIpcConfigFile(path));
        QCOMPARE(m_gw->GetIpcList().size(), 3);
        QCOMPARE(m_mgr->GetDevCount(), 2);
        QCOMPARE(log.count(), 1);
        QVERIFY(log.at(0).at(0).toString().endsWith(
            "Virtual TX('a') is left out of the device list: 'IPCAM-1;reboot;#' is no host name."));
    }
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(ReadFile(path).contains("hostname=\"IPCAM-1;reboot;#\""));
}

void TestIpcList::listsLeaveOtherDevicesAlone_data()
{
    QTest::addColumn<bool>("otherGateway");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("taken");
    QTest::newRow("an encoder") << false << "127.0.0.5" << true;
    QTest::newRow("a camera of another gateway") << true << "" << true;
    // A project of an earlier version kept it without gateway or address.
    QTest::newRow("a camera without gateway") << false << "" << false;
}

void TestIpcList::listsLeaveOtherDevicesAlone()
{
    QFETCH(bool, otherGateway);
    QFETCH(QString, ip);
    QFETCH(bool, taken);
    CHOIDev* owner = otherGateway ? AddDev(m_mgr, "GWP-00000000EE02") : nullptr;
    m_mgr->AddIpcDev("theirs", kCam1, owner);
    CHOIDev* pDev = m_mgr->FindDevByHostName(kCam1);
    pDev->SetIPAddr(ip);

    const QString path = DocumentsDir() + m_gw->GetMacId() + ".xml";
    m_gw->m_listIpcInfo << Record("mine", kCam1) << Record("c2", kCam2);
    QVERIFY(m_gw->SaveIpcConfig(path));
    QSignalSpy log(m_mgr, &CHOIDevMgr::OnProgressLog);
    QStringList leftOut;
    QVERIFY(m_gw->LoadIpcConfigFile(path, &leftOut));
    QCOMPARE(leftOut, taken ? QStringList("Virtual TX('mine') is left out of the device list: " + QString(kCam1)
                                          + " belongs to another device.")
                            : QStringList());
    QCOMPARE(log.count(), leftOut.size());
    QCOMPARE(pDev->GetName(), QString(taken ? "theirs" : "mine"));
    QCOMPARE(pDev->GetParentDev(), taken ? owner : m_gw);

    // The gateway's on-line refresh reaches its own cameras only.
    m_gw->m_bOnLine = true;
    m_mgr->slotOnFoundDevice(QString(), "127.0.0.3", kGateway, "online");
    m_mgr->slotOnSearchStop();
    QTRY_VERIFY(m_mgr->FindDevByHostName(kCam2)->m_bOnLine);
    QCOMPARE(pDev->m_bOnLine, !taken);

    // The gateway's next list without the name removes only its own device.
    delete m_gw->m_listIpcInfo.takeFirst();
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QCOMPARE(m_mgr->FindDevByHostName(kCam1) == pDev, taken);
}

void TestIpcList::loadFileUpdatesDevicesInPlace()
{
    // A decoder showing a virtual TX keeps its source when the list is read
    // again: a device that comes back is the same object.
    m_gw->m_listIpcInfo << Record("c1", kCam1) << Record("c2", kCam2);
    const QString path = m_home.filePath("again.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    CHOIDev* cam1 = m_mgr->FindDevByHostName(kCam1);
    CHOIDev* rx = AddDev(m_mgr, "RXP-000000000012");
    rx->SetTXDev(cam1);
    m_gw->GetIpcList().at(0)->aliasname = "renamed";
    delete m_gw->m_listIpcInfo.takeLast();
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_mgr->FindDevByHostName(kCam1), cam1);
    QCOMPARE(cam1->GetName(), QString("renamed"));
    QCOMPARE(rx->GetTXDev(), cam1);
    QVERIFY(!m_mgr->FindDevByHostName(kCam2));
}

void TestIpcList::projectCameraWithoutItsGateway()
{
    // A project saved without the gateway names it by host name only; the
    // gateway's list, read later without the camera, still takes it away.
    QVERIFY(m_mgr->RemoveDevice(m_gw));
    const QString project = m_home.filePath("cam.hoi");
    QVERIFY(WriteFile(project, QByteArray("<hoi><devices><item hostname=\"") + kCam1 + "\" parentdevice=\""
                                   + kGateway + "\"/></devices></hoi>"));
    QVERIFY(m_mgr->ImportDevInfoFile(project));
    QVERIFY(m_mgr->FindDevByHostName(kCam1));
    m_gw = AddDev(m_mgr, kGateway);
    m_gw->m_listIpcInfo << Record("c2", kCam2);
    const QString path = m_home.filePath("list.xml");
    QVERIFY(m_gw->SaveIpcConfig(path));
    QVERIFY(m_gw->LoadIpcConfigFile(path));
    QVERIFY(!m_mgr->FindDevByHostName(kCam1));
}

QTEST_GUILESS_MAIN(TestIpcList)
#include "tst_ipclist.moc"
