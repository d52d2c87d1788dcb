// The project file: what the writer puts in it, what the reader rebuilds from
// it, that a save, load and save gives the same file, and that damaged files
// and failed saves lose nothing.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include "projecttestenv.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace projecttest;

namespace {

const char* const kTx1 = "TXP-0000000000A1";
const char* const kTx2 = "TXP-0000000000A2";
const char* const kTx3 = "TXP-0000000000A3";
const char* const kMrx1 = "MRXP-0000000000C1";
const char* const kMrx2 = "MRXQ-0000000000C2";
const char* const kWp = "WPP-0000000000D1";

QString Rx(int i)
{
    return QStringLiteral("RXP-0000000000B%1").arg(i);
}

// The lines of a project file; the device set-ups of a layout are ordered by
// device address, so each of their blocks is compared as a set.
QStringList CanonicalLines(const QByteArray& data)
{
    const QStringList lines = QString::fromUtf8(data).split('\n');
    QStringList out;
    QStringList block;
    bool bInSetup = false;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (bInSetup) {
            if (t == "</dev_setup>") {
                block.sort();
                out << block << line;
                block.clear();
                bInSetup = false;
            } else {
                block << line;
            }
            continue;
        }
        out << line;
        if (t == "<dev_setup>")
            bInSetup = true;
    }
    return out;
}

T_VideoWallInfo* WallRec(const QString& name, int row, int col, int rows, int cols)
{
    T_VideoWallInfo* p = new T_VideoWallInfo;
    p->name = name;
    p->pos_row = row;
    p->pos_col = col;
    p->row_count = rows;
    p->col_count = cols;
    return p;
}

T_ScheduleInfo* Schedule(int type, bool active, quint16 y, quint16 m, quint16 d, quint8 h, quint8 mi,
                         quint8 s, CHOIScene* pScene)
{
    T_ScheduleInfo* p = new T_ScheduleInfo;
    p->type = type;
    p->activited = active;
    p->start_date.year = y;
    p->start_date.month = m;
    p->start_date.day = d;
    p->end_date.year = quint16(y + 1);
    p->end_date.month = 12;
    p->end_date.day = 31;
    p->exec_time.hour = h;
    p->exec_time.minute = mi;
    p->exec_time.second = s;
    p->scene = pScene;
    return p;
}

CHOIScene* Layout(CHOIDevMgr* pMgr, const QString& name, const QString& group, int rows, int cols, int seq)
{
    CHOIScene* p = pMgr->CreateScene(name);
    p->SetGroup(group);
    p->SetGridSize(rows, cols);
    p->SetLayoutSeq(seq);
    return p;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyInstallation();
    void roundTrip();
    void deviceItem();
    void layoutEncodings();
    void wallProcessorEncodings();
    void multiviewEncodings();
    void scheduleEncodings();
    void layoutsWithoutRx();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void failedSaveKeepsOldFile();
    void saveToMissingFolderFails();
    void readerDeviceRules();
    void readerLeavesOutHostileHostNames();
    void readerLayoutRules();
    void readerWallRectangles_data();
    void readerWallRectangles();
    void readerMultiviewAndSchedules();
    void wallGroupStaysWithItsWall();
    void readerPlacesRxInWallLayouts();
    void unwritableCharactersAreLeftOut();

private:
    void BuildProject(CHOIDevMgr* pMgr);
    QString Load(const QByteArray& xml);
    XmlDoc Save(CHOIDevMgr* pMgr);

    QTemporaryDir m_dir;
    CHOIDevMgr* m_mgr = nullptr;
    CHOIDevMgr* m_mgr2 = nullptr;
};

void TestProjectFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(InstallConfig());
}

void TestProjectFile::init()
{
    m_mgr = NewManager();
    m_mgr2 = NewManager();
    QVERIFY(m_mgr && m_mgr2);
    // The second manager holds only what files bring.
    m_mgr2->ClearAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestProjectFile::cleanup()
{
    delete m_mgr;
    delete m_mgr2;
    m_mgr = m_mgr2 = nullptr;
}

// A whole installation: devices of every kind with settings, every layout
// kind, walls, wall-processor walls with composite screens, multiview
// layouts and schedules. Wall layouts share their receivers, as the model
// keeps them.
void TestProjectFile::BuildProject(CHOIDevMgr* pMgr)
{
    for (const char* group : {"Lobby", "Spare", "Win", "Viv", "Wall", "Hall"})
        pMgr->AddGroup(group, uint(pMgr->GetGroupCount()));

    CHOIDev* tx1 = AddDev(pMgr, kTx1, "Camera 1");
    CHOIDev* tx2 = AddDev(pMgr, kTx2);
    CHOIDev* tx3 = AddDev(pMgr, kTx3, "Camera 3");
    QList<CHOIDev*> rx;
    for (int i = 1; i <= 8; ++i)
        rx << AddDev(pMgr, Rx(i), QStringLiteral("Screen %1").arg(i));
    CHOIDev* mrx1 = AddDev(pMgr, kMrx1, "Mosaic");
    CHOIDev* mrx2 = AddDev(pMgr, kMrx2, "Mosaic 2");
    CHOIDev* wp = AddDev(pMgr, kWp, "Processor");
    QVERIFY(tx1 && tx2 && tx3 && mrx1 && mrx2 && wp && !rx.contains(nullptr));

    tx1->SetGroup("Lobby");
    tx3->SetGroup("Lobby");
    for (int i = 0; i < 3; ++i)
        rx[i]->SetGroup("Lobby");
    rx[3]->SetGroup("Win");
    rx[4]->SetGroup("Viv");
    for (int i = 5; i < 8; ++i)
        rx[i]->SetGroup("Wall");
    mrx1->SetGroup("Hall");
    mrx2->SetGroup("Hall");
    wp->SetGroup("Wall");

    // Every stored field of one device away from its default.
    tx1->m_strIrDev = "tv-1";
    tx1->m_eIPMode = CHOIDev::E_IM_STATIC;
    tx1->m_strEthAddr = "00:00:00:00:00:a1";
    tx1->SetIPAddr("127.0.10.1");
    tx1->SetNetmask("255.255.255.0");
    tx1->SetGateway("127.0.10.254");
    tx1->SetIPAddr2("127.0.11.1");
    tx1->SetNetmask2("255.255.0.0");
    tx1->SetGateway2("127.0.11.254");
    tx1->m_strSerial = "SN-1";
    tx1->m_strMulticastIP = "225.0.1.1";
    tx1->m_strChSelect = "0001";
    tx1->m_strScene = "s1";
    tx1->m_strSinkInfo = "sink";
    tx1->m_strVideoInput = "hdmi:1:1080p";
    tx1->m_strAudioInput = "hdmi";
    tx1->m_strVideoOutput = "auto";
    tx1->m_strForceResolution = "1080p60";
    tx1->m_strColorSpace = "rgb";
    tx1->m_strOverlayPosH = "10";
    tx1->m_strOverlayPosV = "20";
    tx1->m_strOsdDisplayMethod = "follow";
    tx1->m_nHwDipEnable = 0;
    tx1->m_strOutputDip = "VGA";
    tx1->m_strHdmiResolution = "1";
    tx1->m_strCvbsResolution = "2";
    tx1->m_strDviDResolution = "3";
    tx1->m_strVgaResolution = "4";
    tx1->m_strYPbPrResolution = "5";
    tx1->m_strMultiScreenVgaResolution = "6";
    tx1->m_strEdid = "00ff";
    tx1->m_strVideoIP = "225.1.1.1";
    tx1->m_strAudioIP = "225.1.1.2";
    tx1->m_strVoMode = "low delay";
    tx1->m_strMaxResolution = "4k";
    tx1->m_nSequence = 12;
    tx1->m_strVersion = "v1.2";
    tx1->m_bHdcpAlwaysOn = true;
    tx1->m_bHdcpAlwaysOn22 = true;
    tx1->m_strOutputTimingConvert = "1";
    tx1->m_bTurnOffScreenOnPwrSave = true;
    tx1->m_nSrcUnavailableTimeout = 500;
    tx1->m_strS0Baudrate = "9600-8e1";
    tx1->m_nSoipType2TokenTimeout = 7;
    tx1->m_nVwStretchType = 1;
    tx1->m_nVwRotate = 90;
    tx1->m_bHdcpEnable = true;
    tx1->m_bPreviewEnable = false;
    tx1->m_nVideoQualityMode = 3;
    tx1->m_mapOptions.insert("--enc-gop", T_ProdIdInfo::ParseParamLine("--enc-gop", "30"));
    tx1->m_mapOptions.insert("--transport-type", T_ProdIdInfo::ParseParamLine("--transport-type", "raw"));
    tx1->m_mapOptions.insert("--hdcp-enable", T_ProdIdInfo::ParseParamLine("--hdcp-enable", "y"));
    tx1->m_mapOptions.insert("--line-in=1", T_ProdIdInfo::ParseParamLine("--line-in=1", "5 y 3 n"));
    tx1->m_mapOptions.insert("--low-delay", T_ProdIdInfo::ParseParamLine("--low-delay", "1"));

    // Plain layouts of group Lobby: the same receivers in the same cells.
    CHOIScene* morning = Layout(pMgr, "Lobby-Morning", "Lobby", 2, 2, 1);
    morning->SetDefault(true);
    morning->SetAutoApply(true);
    morning->GetCell(0, 0)->rx = rx[0];
    morning->GetCell(0, 0)->txList << tx1;
    morning->GetCell(0, 1)->rx = rx[1];
    morning->GetCell(0, 1)->txList << tx1;
    morning->GetCell(1, 0)->txList << tx2 << tx3;
    morning->GetCell(1, 1)->rx = rx[2];
    morning->GetCell(1, 1)->txList << tx3;
    T_VideoWallInfo* vw = WallRec("VW1", 0, 0, 1, 2);
    vw->show_osd = 1;
    vw->ow = 1920;
    vw->oh = 1080;
    vw->vw = 1900;
    vw->vh = 1060;
    QVERIFY(morning->InsertVideoWall(vw));
    morning->SetDevSetup(rx[0], T_VWDevSetup{1, 2, 3, 4, 5});
    morning->SetDevSetup(rx[1], T_VWDevSetup{-1, 0, 0, 0, 7});
    pMgr->GetOrCreateVideoWallOfScene(morning, 3);

    CHOIScene* evening = Layout(pMgr, "Lobby-Evening", "Lobby", 2, 2, 2);
    evening->GetCell(0, 0)->rx = rx[0];
    evening->GetCell(0, 0)->txList << tx2;
    evening->GetCell(0, 1)->rx = rx[1];
    evening->GetCell(1, 1)->rx = rx[2];
    evening->GetCell(1, 1)->txList << tx1;

    CHOIScene* spare = Layout(pMgr, "Empty-Spare", "Spare", 1, 1, 3);
    pMgr->GetOrCreateVideoWallOfScene(spare, 4);

    // The two windowing kinds of decoders.
    CHOIScene* win = Layout(pMgr, "Win-One", "Win", 1, 2, 1);
    win->SetWindowLayout(true);
    win->GetCell(0, 0)->rx = rx[3];
    win->GetCell(0, 0)->txList << tx1;
    win->m_visualScreens << T_VisualScreenInfo{"w1", 1, 0, 0, 960, 540, kTx1}
                         << T_VisualScreenInfo{"w2", 2, 960, 0, 960, 540, kTx2};
    pMgr->GetOrCreateVideoWallOfScene(win, 5);

    CHOIScene* viv = Layout(pMgr, "Viv-One", "Viv", 1, 1, 1);
    viv->SetVivLayout(true);
    viv->GetCell(0, 0)->rx = rx[4];
    viv->GetCell(0, 0)->txList << tx3;
    viv->m_visualScreens << T_VisualScreenInfo{"v1", 1, 0, 0, 1920, 1080, kTx3};
    pMgr->GetOrCreateVideoWallOfScene(viv, 6);

    // A wall processor's wall with two layouts of composite screens.
    CHOIScene* wall = pMgr->GetOrCreateVideoWall("Wall");
    wall->SetGridSize(2, 2);
    wall->SetLayoutSeq(7);
    wall->SetGroup("Wall");
    wall->GetCell(0, 0)->rx = rx[5];
    wall->GetCell(0, 1)->rx = rx[6];
    wall->GetCell(1, 0)->rx = rx[7];
    CHOIScene* day = Layout(pMgr, "Wall-Day", QString(), 2, 2, 1);
    day->SetWPLayout(true);
    day->SetDefault(true);
    day->CopyCellsFrom(wall, 2, 2);
    day->GetCell(0, 0)->txList << tx1;
    T_VideoWallInfo* s1 = WallRec("S1", 0, 0, 1, 2);
    s1->overlay = 1;
    s1->mode = 1;
    s1->show_osd = 1;
    s1->ow = 10;
    s1->oh = 11;
    s1->vw = 12;
    s1->vh = 13;
    QVERIFY(day->InsertVideoWall(s1));
    day->SetVideoWallDevice("S1", kWp, "Processor");
    QVERIFY(day->InsertVideoWall(WallRec("S2", 1, 0, 1, 1)));
    CHOIScene* night = Layout(pMgr, "Wall-Night", QString(), 2, 2, 2);
    night->SetWPLayout(true);
    night->SetAutoApply(true);
    night->CopyCellsFrom(wall, 2, 2);
    night->GetCell(1, 1)->txList << tx2;
    QVERIFY(night->InsertVideoWall(WallRec("S3", 0, 0, 2, 2)));

    // A second processor wall without any receiver.
    CHOIScene* bare = pMgr->GetOrCreateVideoWall("Bare");
    bare->SetGridSize(1, 1);
    bare->SetLayoutSeq(8);
    CHOIScene* bareLayout = Layout(pMgr, "Bare-Only", QString(), 1, 1, 1);
    bareLayout->SetWPLayout(true);
    bareLayout->GetCell(0, 0)->txList << tx3;

    // Multiview: stored windows of host-name sources, one layout's audio.
    mrx1->SetIPMLayoutWindows("1x1", QStringLiteral("%1:1:0_0_1920_1080:full ").arg(kTx1));
    mrx1->SetIPMLayoutWindows("2x1", QStringLiteral("%1:1:0_0_960_1080:fit %2:1:960_0_960_1080: ").arg(kTx1, kTx2));
    mrx1->SetIPMLayoutAudio("2x1", "separate", kTx2);

    pMgr->m_scheduleList << Schedule(2, true, 2017, 3, 5, 8, 0, 0, morning)
                         << Schedule(3, false, 2020, 1, 1, 23, 59, 59, nullptr)
                         << Schedule(4, true, 2021, 12, 24, 18, 30, 5, day);
    pMgr->m_scheduleList.at(0)->limit_date = true;
    pMgr->m_scheduleList.at(0)->weekdays = 31;
}

// Loads the text into the second manager; returns the path it was saved at.
QString TestProjectFile::Load(const QByteArray& xml)
{
    const QString path = m_dir.filePath("in.hoi");
    if (!WriteFile(path, xml) || !m_mgr2->ImportDevInfoFile(path))
        return QString();
    return path;
}

XmlDoc TestProjectFile::Save(CHOIDevMgr* pMgr)
{
    const QString path = m_dir.filePath("out.hoi");
    XmlDoc doc;
    if (pMgr->ExportDevInfoFile(path))
        doc.Load(ReadFile(path));
    return doc;
}

void TestProjectFile::emptyInstallation()
{
    const QString path = m_dir.filePath("empty.hoi");
    QVERIFY(m_mgr2->ExportDevInfoFile(path));
    QCOMPARE(ReadFile(path),
             QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<hoi ver=\"1.0\" custom_multicast_ip=\"0\">\n"
                        "    <devices/>\n"
                        "    <scenes/>\n"
                        "    <wscenes/>\n"
                        "    <wscene2s/>\n"
                        "    <mscenes/>\n"
                        "    <videowalls/>\n"
                        "    <schedules/>\n"
                        "</hoi>\n"));

    m_mgr2->m_bCustomMulticastIP = true;
    QVERIFY(m_mgr2->ExportDevInfoFile(path));
    XmlDoc doc;
    QVERIFY(doc.Load(ReadFile(path)));
    QCOMPARE(doc.At(0).Value("custom_multicast_ip"), QString("1"));
    // Reading does not take the switch back.
    m_mgr->m_bCustomMulticastIP = false;
    QVERIFY(m_mgr->ImportDevInfoFile(path));
    QVERIFY(!m_mgr->m_bCustomMulticastIP);
}

void TestProjectFile::roundTrip()
{
    // What the rich project lacks: a device of a model the product table
    // does not know, an IP controller, a gateway with a virtual TX, a shown
    // TX, locations, and multiview windows of "x,y,w,h" layouts.
    QVERIFY(!Load("<hoi><devices><item name=\"Odd\" hostname=\"ODD-000000000E01\"/></devices></hoi>").isEmpty());
    QVERIFY(m_mgr->ImportDevInfoFile(m_dir.filePath("in.hoi")));
    BuildProject(m_mgr);
    QVERIFY(AddDev(m_mgr, "QN714-000000000F01", "Ctrl"));
    CHOIDev* gw = AddDev(m_mgr, "GWP-00000000EE01", "Gate");
    QVERIFY(m_mgr->AddIpcDev("Cam", "IPCAM-000000000C01", gw));
    m_mgr->FindDevByHostName(Rx(1))->SetTXDev(m_mgr->FindDevByHostName(kTx3));
    m_mgr->AddLocation("Floor 1");
    m_mgr->FindDevByHostName(kTx2)->SetLocation("Floor 1");
    m_mgr->FindSceneByName("Lobby-Evening")->SetLocation("Floor 1");
    CHOIDev* mrx1 = m_mgr->FindDevByHostName(kMrx1);
    mrx1->SetIPMLayoutWindows("Dual", QStringLiteral("%1:1:0,0,960,1080:fit NULL:1:960,0,960,1080:stretch ").arg(kTx3));
    mrx1->SetIPMLayoutAudio("Quad", "window", "2");
    // A layout whose wall is gone: the reader makes it one again.
    Layout(m_mgr, "Solo-Only", QString(), 1, 1, 9);
    // A name never read: its default name is no alias to keep.
    m_mgr->FindDevByHostName(kTx2)->m_bNameUnread = true;

    const QString first = m_dir.filePath("first.hoi");
    const QString second = m_dir.filePath("second.hoi");
    QVERIFY(m_mgr->ExportDevInfoFile(first));

    QVERIFY(m_mgr2->ImportDevInfoFile(first));
    m_mgr2->InitMrxLayouts();
    QCOMPARE(m_mgr2->GetDevCount(), m_mgr->GetDevCount());
    QCOMPARE(m_mgr2->GetSceneCount(), m_mgr->GetSceneCount());
    QCOMPARE(m_mgr2->m_scheduleList.size(), 3);
    QVERIFY(m_mgr2->ExportDevInfoFile(second));

    const QStringList a = CanonicalLines(ReadFile(first));
    const QStringList b = CanonicalLines(ReadFile(second));
    for (int i = 0; i < qMin(a.size(), b.size()); ++i)
        QCOMPARE(b.at(i), a.at(i));
    QCOMPARE(b.size(), a.size());

    // A few objects behind the text.
    CHOIDev* tx1 = m_mgr2->FindDevByHostName(kTx1);
    QVERIFY(tx1);
    QCOMPARE(tx1->GetName(), QString("Camera 1"));
    QCOMPARE(tx1->GetOverlayPosH(), QString("10"));
    QCOMPARE(tx1->GetOverlayPosV(), QString("20"));
    QCOMPARE(tx1->GetMacId(), QString("0000000000A1"));
    QCOMPARE(tx1->m_mapOptions.value("--enc-gop").toInt(), 30);
    QCOMPARE(tx1->m_mapOptions.value("--hdcp-enable").toBool(), true);
    QVERIFY(m_mgr2->FindDevByHostName(kTx2)->m_bNameUnread);
    CHOIDev* rx1 = m_mgr2->FindDevByHostName(Rx(1));
    QCOMPARE(rx1->m_strEdidPath, QString("/dev/edid0"));
    QCOMPARE(rx1->m_strParamPrefix, QString("pp"));
    QVERIFY(rx1->m_bOldApi);
    CHOIScene* day = m_mgr2->FindSceneByName("Wall-Day");
    QVERIFY(day && day->IsWPLayout() && day->IsDefault());
    QCOMPARE(day->m_videoWalls.size(), 2);
    QCOMPARE(day->m_videoWalls.at(0)->dev_hostname, QString(kWp));
    QCOMPARE(day->m_videoWalls.at(0)->dev_name, QString("Processor"));
    QCOMPARE(day->CellAt(0, 1)->rx, m_mgr2->FindDevByHostName(Rx(7)));
    QCOMPARE(m_mgr2->m_scheduleList.at(2)->scene, day);
    QCOMPARE(m_mgr2->FindVideoWallByName("Wall")->GetGroup(), QString("Wall"));
    QCOMPARE(m_mgr2->FindDevByHostName("ODD-000000000E01")->GetDevType(), CHOIDev::E_DT_UNKNOWN);
    QCOMPARE(m_mgr2->FindDevByHostName("IPCAM-000000000C01")->GetParentDev(),
             m_mgr2->FindDevByHostName("GWP-00000000EE01"));
    QCOMPARE(m_mgr2->FindSceneByName("Lobby-Evening")->GetLocation(), QString("Floor 1"));
    QCOMPARE(m_mgr2->FindDevByHostName(Rx(1))->GetTXDev(), m_mgr2->FindDevByHostName(kTx3));
    QCOMPARE(m_mgr2->FindDevByHostName(kMrx1)->GetIPMLayoutWindowsMap().value("Dual"),
             mrx1->GetIPMLayoutWindowsMap().value("Dual"));
}

void TestProjectFile::deviceItem()
{
    BuildProject(m_mgr);
    CHOIDev* rx1 = m_mgr->FindDevByHostName(Rx(1));
    CHOIDev* tx1 = m_mgr->FindDevByHostName(kTx1);
    CHOIDev* tx2 = m_mgr->FindDevByHostName(kTx2);
    rx1->SetTXDev(tx1);
    tx1->m_pTXDev = tx2; // a TX never names one, even when set
    m_mgr->AddLocation("Floor 1");
    tx2->SetLocation("Floor 1");
    const XmlDoc doc = Save(m_mgr);
    QVERIFY(doc.Count() > 0);

    const int item = doc.Find("/hoi/devices/item", "hostname", kTx1);
    QVERIFY(item >= 0);
    QCOMPARE(doc.At(item).Names(),
             QString("name ir_dev comm_type ip_mode ethaddr hostname_id hostname ipaddr netmask gatway "
                     "ipaddr2 netmask2 gatway2 serial multicast_ip ch_select scene sinkinfo vi ai vo fvo "
                     "colorspace coorx coory macosd dip DVI-I vrxhdmi CVBS DRe vrxvga ypbpr zkvga edid "
                     "videoip audioip vo_mode max_resolution sequence TX parentdevice version hdcp_always_on "
                     "hdcp_always_on_22 output_timing_convert turn_off_screen_on_pwr_save "
                     "src_unavailable_timeout s0_baudrate soip_type2_token_timeout nStretch nRotate hdcpset "
                     "bpreview iquality")
                 .split(' '));
    const XmlElem& e = doc.At(item);
    QCOMPARE(e.Value("comm_type"), QString("E_CT_TELNET"));
    QCOMPARE(e.Value("ip_mode"), QString("E_IM_STATIC"));
    QCOMPARE(e.Value("hostname_id"), QString("0000000000A1"));
    QCOMPARE(e.Value("gatway"), QString("127.0.10.254"));
    QCOMPARE(e.Value("coorx"), QString("10"));
    QCOMPARE(e.Value("coory"), QString("20"));
    QCOMPARE(e.Value("dip"), QString("0"));
    QCOMPARE(e.Value("hdcp_always_on"), QString("y"));
    QCOMPARE(e.Value("bpreview"), QString("n"));
    QCOMPARE(e.Value("hdcpset"), QString("1"));
    QCOMPARE(e.Value("TX"), QString());
    QCOMPARE(doc.ChildNames(item), QString("param param param param param group").split(' '));
    const QList<int> params = doc.Children(item, "param");
    QCOMPARE(doc.At(params.at(0)).Value("name"), QString("--enc-gop"));
    QCOMPARE(doc.At(params.at(0)).Value("value"), QString("30"));
    QCOMPARE(doc.At(params.at(1)).Value("name"), QString("--hdcp-enable"));
    QCOMPARE(doc.At(params.at(1)).Value("value"), QString("true"));
    QCOMPARE(doc.At(params.at(2)).Value("value"), QString("5 y 3 n"));
    QCOMPARE(doc.At(params.at(4)).Value("name"), QString("--transport-type"));
    QCOMPARE(doc.At(params.at(4)).Value("value"), QString("raw"));
    const int group = doc.Children(doc.Children(item, "group").first(), "item").first();
    QCOMPARE(doc.At(group).Value("name"), QString("Lobby"));
    QCOMPARE(doc.At(group).Value("sequence"), QString("1"));

    // An RX names the display name of the TX it shows.
    QCOMPARE(doc.At(doc.Find("/hoi/devices/item", "hostname", Rx(1))).Value("TX"), QString("Camera 1"));

    // No group: the pseudo-group, with its sequence from the group list; no
    // alias: the default name.
    const int tx2Item = doc.Find("/hoi/devices/item", "hostname", kTx2);
    QCOMPARE(doc.At(tx2Item).Value("name"), QString("Encoder-0000000000A2"));
    const int tx2Group = doc.Children(doc.Children(tx2Item, "group").first(), "item").first();
    QCOMPARE(doc.At(tx2Group).Names(), QStringList() << "name" << "sequence");
    QCOMPARE(doc.At(tx2Group).Value("name"), QString("ungrouped"));
    QCOMPARE(doc.At(tx2Group).Value("sequence"), QString("0"));
    const QList<int> tx2Location = doc.Children(tx2Item, "location");
    QCOMPARE(tx2Location.size(), 1);
    QCOMPARE(doc.At(doc.Children(tx2Location.first(), "item").first()).Value("name"), QString("Floor 1"));
    m_mgr->RemoveGroup("ungrouped");
    const XmlDoc doc2 = Save(m_mgr);
    const int tx2Item2 = doc2.Find("/hoi/devices/item", "hostname", kTx2);
    const int tx2Group2 = doc2.Children(doc2.Children(tx2Item2, "group").first(), "item").first();
    QCOMPARE(doc2.At(tx2Group2).Names(), QStringList() << "name");
}

void TestProjectFile::layoutEncodings()
{
    BuildProject(m_mgr);
    const XmlDoc doc = Save(m_mgr);
    QCOMPARE(doc.ChildNames(0),
             QString("devices scenes wscenes wscene2s mscenes videowalls schedules").split(' '));

    const int morning = doc.Find("/hoi/scenes/item", "name", "Lobby-Morning");
    const int evening = doc.Find("/hoi/scenes/item", "name", "Lobby-Evening");
    QVERIFY(morning >= 0 && evening >= 0);
    QCOMPARE(doc.At(morning).Names(),
             QString("name auto_apply row_count col_count isDefault sequence layoutseq").split(' '));
    QCOMPARE(doc.At(morning).Value("isDefault"), QString("0"));
    QCOMPARE(doc.At(evening).Value("isDefault"), QString("1"));
    QCOMPARE(doc.At(morning).Value("auto_apply"), QString("1"));
    QCOMPARE(doc.At(evening).Value("auto_apply"), QString("0"));
    QCOMPARE(doc.At(morning).Value("sequence"), QString("3"));
    QCOMPARE(doc.ChildNames(morning), QString("devices video_walls dev_setup group").split(' '));

    // Cells row by row; a TX-only cell has no "rx", an RX-only cell no "tx".
    const QList<int> cells = doc.Children(doc.Children(morning, "devices").first());
    QCOMPARE(cells.size(), 4);
    const XmlElem& txOnly = doc.At(cells.at(2));
    QCOMPARE(txOnly.Names(), QStringList() << "pos_row" << "pos_col" << "tx");
    QCOMPARE(txOnly.Value("tx"), QStringLiteral("%1|%2|").arg(kTx2, kTx3));
    QCOMPARE(doc.At(doc.Children(doc.Children(evening, "devices").first()).at(1)).Names(),
             QStringList() << "pos_row" << "pos_col" << "rx");

    const int vw = doc.Children(doc.Children(morning, "video_walls").first()).first();
    QCOMPARE(doc.At(vw).Names(),
             QString("name mode show_osd pos_row pos_col row_count col_count ow oh vw vh").split(' '));
    QCOMPARE(doc.At(vw).Value("show_osd"), QString("1"));
    QCOMPARE(doc.At(vw).Value("vw"), QString("1900"));

    const QList<int> setups = doc.Children(doc.Children(morning, "dev_setup").first());
    QCOMPARE(setups.size(), 2);
    const int setup1 = doc.Find("/hoi/scenes/item/dev_setup/item", "dev_hostname", Rx(1));
    QCOMPARE(doc.At(setup1).Names(),
             QString("dev_hostname hshift vshift hscale vscale delay_kick").split(' '));
    QCOMPARE(doc.At(setup1).Value("delay_kick"), QString("5"));
    {
        // Every entry of the map is written, an all-zero one too, in the
        // order of the device pointers; one of a device outside the device
        // list is not.
        CHOIScene* pMorning = m_mgr->FindSceneByName("Lobby-Morning");
        CHOIDev stray(m_mgr, CHOIDev::E_DT_RX, QString(), false, CHOIDev::E_CT_TELNET, nullptr);
        stray.SetHostName(Rx(9));
        pMorning->SetDevSetup(m_mgr->FindDevByHostName(Rx(3)), T_VWDevSetup());
        pMorning->SetDevSetup(&stray, T_VWDevSetup{9, 9, 9, 9, 9});
        const XmlDoc doc3 = Save(m_mgr);
        const int morning3 = doc3.Find("/hoi/scenes/item", "name", "Lobby-Morning");
        const QList<int> setups3 = doc3.Children(doc3.Children(morning3, "dev_setup").first());
        QMap<CHOIDev*, QString> byPointer;
        for (int i = 1; i <= 3; ++i)
            byPointer.insert(m_mgr->FindDevByHostName(Rx(i)), Rx(i));
        QStringList written;
        for (int i : setups3)
            written << doc3.At(i).Value("dev_hostname");
        QCOMPARE(written, byPointer.values());
        const int zero = doc3.Find("/hoi/scenes/item/dev_setup/item", "dev_hostname", Rx(3));
        QCOMPARE(doc3.At(zero).Value("hshift"), QString("0"));
        QCOMPARE(doc3.At(zero).Value("delay_kick"), QString("0"));
        pMorning->RemoveDev(&stray);
    }

    // A layout's empty group is an empty element.
    const int win = doc.Find("/hoi/wscenes/item", "name", "Win-One");
    QCOMPARE(doc.At(win).Names(),
             QString("name auto_apply row_count col_count isDefault sequence layoutseq hsize vsize").split(' '));
    QCOMPARE(doc.At(win).Value("hsize"), QString("1920"));
    QCOMPARE(doc.At(win).Value("vsize"), QString("1080"));
    QCOMPARE(doc.ChildNames(win), QString("devices visualscreens group").split(' '));
    const QList<int> screens = doc.Children(doc.Children(win, "visualscreens").first());
    QCOMPARE(screens.size(), 2);
    QCOMPARE(doc.At(screens.at(1)).Names(), QString("name layerseq hstart vstart hsize vsize tx").split(' '));
    QCOMPARE(doc.At(screens.at(1)).Value("tx"), QString(kTx2));
    QVERIFY(doc.Find("/hoi/wscene2s/item", "name", "Viv-One") >= 0);

    m_mgr->FindSceneByName("Win-One")->SetGroup(QString());
    m_mgr->FindSceneByName("Win-One")->SetVivLayout(true);
    const XmlDoc doc2 = Save(m_mgr);
    const int win2 = doc2.Find("/hoi/wscenes/item", "name", "Win-One");
    QVERIFY(doc2.Children(doc2.Children(win2, "group").first()).isEmpty());
    // Both windowing flags: written in both sections.
    QVERIFY(doc2.Find("/hoi/wscene2s/item", "name", "Win-One") >= 0);
}

void TestProjectFile::wallProcessorEncodings()
{
    BuildProject(m_mgr);
    const XmlDoc doc = Save(m_mgr);
    const QList<int> walls = doc.All("/hoi/videowalls/item");
    QCOMPARE(walls.size(), 2);
    const XmlElem& wall = doc.At(walls.at(0));
    QCOMPARE(wall.Names(), QString("name row_count col_count sequence hsize vsize").split(' '));
    QCOMPARE(wall.Value("name"), QString("Wall"));
    QCOMPARE(wall.Value("sequence"), QString("7"));
    QCOMPARE(doc.ChildNames(walls.at(0)), QString("devices layouts group").split(' '));
    const QList<int> wallCells = doc.Children(doc.Children(walls.at(0), "devices").first());
    QCOMPARE(wallCells.size(), 3);
    for (int c : wallCells)
        QVERIFY(!doc.At(c).Has("tx"));

    const QList<int> layouts = doc.Children(doc.Children(walls.at(0), "layouts").first());
    QCOMPARE(layouts.size(), 2);
    const XmlElem& day = doc.At(layouts.at(0));
    QCOMPARE(day.Names(), QString("name layoutseq auto_apply isDefault").split(' '));
    QCOMPARE(day.Value("name"), QString("Day"));
    QCOMPARE(day.Value("isDefault"), QString("0"));
    QCOMPARE(doc.ChildNames(layouts.at(0)), QString("devices compositescreens").split(' '));

    const QList<int> screens = doc.Children(doc.Children(layouts.at(0), "compositescreens").first());
    QCOMPARE(screens.size(), 2);
    const XmlElem& s1 = doc.At(screens.at(0));
    QCOMPARE(s1.Names(), QString("name screenseq pos_row pos_col row_count col_count overlay mode show_osd "
                                 "ow oh vw vh tx maxwindownum")
                             .split(' '));
    QCOMPARE(s1.Value("screenseq"), QString("1"));
    QCOMPARE(s1.Value("overlay"), QString("1"));
    QCOMPARE(s1.Value("tx"), QString(kTx1));
    QCOMPARE(s1.Value("maxwindownum"), QString("6"));
    const QList<int> vp = doc.Children(doc.Children(screens.at(0), "vpdevices").first());
    QCOMPARE(vp.size(), 1);
    QCOMPARE(doc.At(vp.first()).Value("name"), QString(kWp));
    QCOMPARE(doc.At(vp.first()).Value("sequence"), QString("1"));

    // No TX in the screen's top-left cell, no overlay: empty "tx", no processor.
    const XmlElem& s2 = doc.At(screens.at(1));
    QCOMPARE(s2.Value("screenseq"), QString("2"));
    QCOMPARE(s2.Value("tx"), QString());
    QCOMPARE(s2.Value("overlay"), QString("0"));
    QCOMPARE(s2.Value("maxwindownum"), QString("6"));
    QVERIFY(doc.Children(screens.at(1)).isEmpty());

    // The wall's group follows its layouts; a wall without group has an
    // empty one.
    QCOMPARE(doc.At(doc.Children(doc.Children(walls.at(0), "group").first()).first()).Value("name"),
             QString("Wall"));
    QVERIFY(doc.Children(doc.Children(walls.at(1), "group").first()).isEmpty());

    // A processor layout whose wall does not exist is written nowhere.
    CHOIScene* orphan = m_mgr->CreateScene("Nowhere-X");
    orphan->SetWPLayout(true);
    const XmlDoc doc2 = Save(m_mgr);
    QCOMPARE(doc2.All("/hoi/videowalls/item").size(), 2);
    QCOMPARE(doc2.Find("/hoi/scenes/item", "name", "Nowhere-X"), -1);
}

void TestProjectFile::multiviewEncodings()
{
    BuildProject(m_mgr);
    CHOIDev* mrx2 = m_mgr->FindDevByHostName(kMrx2);
    // Stored but empty: no "windows" element for that layout.
    mrx2->SetIPMLayoutWindows("2x1", QString());
    const XmlDoc doc = Save(m_mgr);

    const int m1 = doc.Find("/hoi/mscenes/item", "hostname", kMrx1);
    QCOMPARE(doc.At(m1).Names(), QString("name hostname sequence hsize vsize").split(' '));
    QCOMPARE(doc.At(m1).Value("name"), QString("Mosaic"));
    QCOMPARE(doc.ChildNames(m1), QString("layouts group userdefine").split(' '));
    const QList<int> layouts = doc.Children(doc.Children(m1, "layouts").first());
    QCOMPARE(layouts.size(), 4);
    QCOMPARE(doc.At(layouts.at(1)).Value("name"), QString("2x1"));
    QCOMPARE(doc.At(layouts.at(1)).Value("layoutseq"), QString("2"));
    const QList<int> windows = doc.Children(doc.Children(layouts.at(1), "windows").first());
    QCOMPARE(windows.size(), 2);
    QCOMPARE(doc.At(windows.at(1)).Names(),
             QString("name layerseq hstart vstart hsize vsize tx mode").split(' '));
    QCOMPARE(doc.At(windows.at(1)).Value("name"), QString("2"));
    QCOMPARE(doc.At(windows.at(1)).Value("hstart"), QString("960"));
    QCOMPARE(doc.At(windows.at(1)).Value("tx"), QString(kTx2));
    QCOMPARE(doc.At(windows.at(1)).Value("mode"), QString("fit"));
    const int audio = doc.Children(layouts.at(1), "audio").first();
    QCOMPARE(doc.At(audio).Value("mode"), QString("separate"));
    QCOMPARE(doc.At(audio).Value("source"), QString(kTx2));
    const int audio1 = doc.Children(layouts.at(0), "audio").first();
    QCOMPARE(doc.At(audio1).Value("mode"), QString("follow"));
    QCOMPARE(doc.At(audio1).Value("source"), QString());

    const QList<int> user = doc.Children(doc.Children(m1, "userdefine").first());
    QCOMPARE(user.size(), 2);
    QCOMPARE(doc.At(user.at(0)).Value("mode"), QString("tile"));
    QCOMPARE(doc.At(user.at(0)).Value("maxwinsnum"), QString("9"));
    QCOMPARE(doc.At(user.at(1)).Value("mode"), QString("overlay"));
    QCOMPARE(doc.At(user.at(1)).Value("maxwinsnum"), QString("4"));

    // Product without overlay mode: one userdefine item. No stored text:
    // the layout's own geometry, no source, "fit".
    const int m2 = doc.Find("/hoi/mscenes/item", "hostname", kMrx2);
    QCOMPARE(doc.Children(doc.Children(m2, "userdefine").first()).size(), 1);
    const QList<int> layouts2 = doc.Children(doc.Children(m2, "layouts").first());
    const QList<int> w1 = doc.Children(doc.Children(layouts2.at(0), "windows").first());
    QCOMPARE(w1.size(), 1);
    QCOMPARE(doc.At(w1.first()).Value("hsize"), QString("1920"));
    QCOMPARE(doc.At(w1.first()).Value("tx"), QString());
    QCOMPARE(doc.At(w1.first()).Value("mode"), QString("fit"));
    QCOMPARE(doc.ChildNames(layouts2.at(1)), QStringList() << "audio");

    // Stored windows whose geometries match no layout: "windows" is empty.
    // Windows with fields missing are written with those parts empty.
    mrx2->SetIPMLayoutWindows("1x1", QStringLiteral("%1:1:1_2_3_4:fit ").arg(kTx1));
    mrx2->SetIPMLayoutWindows("2x1", QStringLiteral("%1:1:0_0_1920_1080 %2:1:5_6 NULL").arg(kTx1, kTx2));
    const XmlDoc doc2 = Save(m_mgr);
    const int m2b = doc2.Find("/hoi/mscenes/item", "hostname", kMrx2);
    const QList<int> layouts2b = doc2.Children(doc2.Children(m2b, "layouts").first());
    QVERIFY(doc2.Children(doc2.Children(layouts2b.at(0), "windows").first()).isEmpty());
    const QList<int> shortWin = doc2.Children(doc2.Children(layouts2b.at(1), "windows").first());
    QCOMPARE(shortWin.size(), 3);
    QCOMPARE(doc2.At(shortWin.at(0)).Value("hsize"), QString("1920"));
    QCOMPARE(doc2.At(shortWin.at(0)).Value("mode"), QString("fit"));
    QCOMPARE(doc2.At(shortWin.at(1)).Value("hstart"), QString("5"));
    QCOMPARE(doc2.At(shortWin.at(1)).Value("vstart"), QString("6"));
    QCOMPARE(doc2.At(shortWin.at(1)).Value("hsize"), QString());
    QCOMPARE(doc2.At(shortWin.at(1)).Value("vsize"), QString());
    QCOMPARE(doc2.At(shortWin.at(2)).Value("tx"), QString("NULL"));
    QCOMPARE(doc2.At(shortWin.at(2)).Value("hstart"), QString());
}

void TestProjectFile::scheduleEncodings()
{
    BuildProject(m_mgr);
    const XmlDoc doc = Save(m_mgr);
    const QList<int> items = doc.All("/hoi/schedules/item");
    QCOMPARE(items.size(), 3);
    const XmlElem& s = doc.At(items.at(0));
    QCOMPARE(s.Names(),
             QString("type activited limit_date weekdays start_date end_date exec_time scene").split(' '));
    QCOMPARE(s.Value("type"), QString("2"));
    QCOMPARE(s.Value("activited"), QString("1"));
    QCOMPARE(s.Value("limit_date"), QString("1"));
    QCOMPARE(s.Value("weekdays"), QString("31"));
    QCOMPARE(s.Value("start_date"), QString("2017-3-5"));
    QCOMPARE(s.Value("end_date"), QString("2018-12-31"));
    QCOMPARE(s.Value("exec_time"), QString("8:0:0"));
    QCOMPARE(s.Value("scene"), QString("Lobby-Morning"));
    QCOMPARE(doc.At(items.at(1)).Value("activited"), QString("0"));
    QVERIFY(!doc.At(items.at(1)).Has("scene"));
    QCOMPARE(doc.At(items.at(1)).Value("exec_time"), QString("23:59:59"));
}

void TestProjectFile::layoutsWithoutRx()
{
    BuildProject(m_mgr);
    const QString path = m_dir.filePath("norx.hoi");
    QVERIFY(m_mgr->ExportDevInfoFile(path));
    // The empty plain layout, and the processor wall without receivers even
    // though the wall before it has some.
    QMap<QString, QString> expected;
    expected.insert("Empty", "Spare");
    expected.insert("Bare", QString());
    QCOMPARE(m_mgr->m_mapLayoutWithoutRx, expected);

    // A second save adds to what the first left.
    m_mgr->FindSceneByName("Lobby-Evening")->RemoveAllRX();
    CHOIScene* lone = m_mgr->CreateScene("Lone-One");
    lone->SetGroup("Lone");
    QVERIFY(m_mgr->ExportDevInfoFile(path));
    expected.insert("Lobby", "Lobby");
    expected.insert("Lone", "Lone");
    QCOMPARE(m_mgr->m_mapLayoutWithoutRx, expected);
}

void TestProjectFile::damagedFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not xml") << QByteArray("PK\x03\x04 this is a zip, not a project");
    QTest::newRow("text") << QByteArray("hello world\n");
    QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?><project><devices/></project>");
    QTest::newRow("two roots") << QByteArray("<hoi/><hoi/>");
    QTest::newRow("bad entity") << QByteArray("<hoi><devices><item name=\"&nope;\"/></devices></hoi>");
}

void TestProjectFile::damagedFilesAreRefused()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath("bad.hoi");
    QVERIFY(WriteFile(path, content));
    QVERIFY(!m_mgr2->ImportDevInfoFile(path));
    QCOMPARE(m_mgr2->GetDevCount(), 0);
    QCOMPARE(m_mgr2->GetSceneCount(), 0);
    QCOMPARE(m_mgr2->GetVideoWallCount(), 0);
    QCOMPARE(m_mgr2->GetGroupCount(), 0);
}

void TestProjectFile::failedSaveKeepsOldFile()
{
    BuildProject(m_mgr);
    const QString path = m_dir.filePath("keep.hoi");
    QVERIFY(m_mgr->ExportDevInfoFile(path));
    const QByteArray before = ReadFile(path);
    QVERIFY(before.size() > 8192);

    // A truncated copy is refused as a whole.
    const QString cut = m_dir.filePath("cut.hoi");
    QVERIFY(WriteFile(cut, before.left(before.size() / 2)));
    QVERIFY(!m_mgr2->ImportDevInfoFile(cut));
    QCOMPARE(m_mgr2->GetDevCount(), 0);
    QCOMPARE(m_mgr2->GetSceneCount(), 0);
    QCOMPARE(m_mgr2->m_scheduleList.size(), 0);

    // The disk fills up halfway through the save.
    m_mgr->m_mapLayoutWithoutRx.clear();
    m_mgr->FindDevByHostName(kTx1)->SetName("Renamed");
    const int result = RunWithFileSizeLimit(4096, [&]() {
        const bool ok = m_mgr->ExportDevInfoFile(path);
        return (ok ? 1 : 0) | (m_mgr->m_mapLayoutWithoutRx.isEmpty() ? 0 : 2);
    });
    QCOMPARE(result, 0);
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(QDir(m_dir.path()).entryList(QStringList() << "keep.hoi*", QDir::Files | QDir::Hidden),
             QStringList() << "keep.hoi");
}

void TestProjectFile::saveToMissingFolderFails()
{
    BuildProject(m_mgr);
    const QString path = m_dir.filePath("no/such/folder/x.hoi");
    QVERIFY(!m_mgr->ExportDevInfoFile(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_mgr->m_mapLayoutWithoutRx.isEmpty());
    QVERIFY(!m_mgr2->ImportDevInfoFile(path));
}

void TestProjectFile::readerDeviceRules()
{
    const QByteArray xml = R"(<hoi>
 <devices>
  <item hostname="NOPE-000000000001" name="ghost" ipaddr="127.0.0.7"><param name="--enc-gop" value="3"/><group><item name="Ghosts"/></group></item>
  <item hostname="TXP-000000000011" name="first" s0_baudrate="" ipaddr="abc" ip_mode="E_IM_BOGUS" comm_type="E_CT_OTHER" coorx="5" coory="6" sourceinfo="src" parentdevice="RXP-000000000012">
   <param name="--enc-gop" value="  42 "/>
   <param name="" value="1"/>
   <param name="plain" value=""/>
   <location><item name="Hall A"/></location>
   <group><item name="ungrouped" sequence="4"/></group>
  </item>
  <item hostname="TXP-000000000011" name="second"><location><item name="Hall B"/></location></item>
  <item hostname="RXP-000000000012" ip_mode="E_IM_DHCP" ipaddr="127.0.0.9" bpreview="y" hdcpset="2" hostname_id="ffffffffffff" TX="first" parentdevice="TXP-000000000011"/>
 </devices>
</hoi>)";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("TXP-000000000011.* listed more than once"));
    QVERIFY(!Load(xml).isEmpty());
    // The model missing from the product table is kept, of unknown type;
    // the host name listed twice gives one device, the first.
    QCOMPARE(m_mgr2->GetDevCount(), 3);
    CHOIDev* ghost = m_mgr2->GetDev(0);
    QCOMPARE(ghost->GetHostName(), QString("NOPE-000000000001"));
    QCOMPARE(ghost->GetDevType(), CHOIDev::E_DT_UNKNOWN);
    QCOMPARE(ghost->GetName(), QString("ghost"));
    QCOMPARE(ghost->GetIPAddr(), QString("127.0.0.7"));
    QCOMPARE(ghost->GetGroup(), QString("Ghosts"));
    QCOMPARE(ghost->m_mapOptions.value("--enc-gop").toInt(), 3);
    QVERIFY(m_mgr2->HasUnknownDevice());
    CHOIDev* first = m_mgr2->GetDev(1);
    QCOMPARE(m_mgr2->FindDevByHostName("TXP-000000000011"), first);
    QCOMPARE(first->GetName(), QString("first"));
    QCOMPARE(first->GetDevType(), CHOIDev::E_DT_TX);
    QCOMPARE(first->GetS0Baudrate(), QString());
    QVERIFY(!first->GetPreviewEnable());
    QCOMPARE(first->GetIPMode(), CHOIDev::E_IM_AUTOIP);
    QCOMPARE(first->m_eCommType, CHOIDev::E_CT_TELNET);
    QCOMPARE(first->GetIPAddr(), QString());
    QCOMPARE(first->GetNetmask(), QString("255.255.0.0"));
    QCOMPARE(first->GetOverlayPosH(), QString("5"));
    QCOMPARE(first->GetOverlayPosV(), QString("6"));
    QCOMPARE(first->m_strSourceInfo, QString("src"));
    QCOMPARE(first->m_mapOptions.keys(), QStringList() << "--enc-gop");
    QCOMPARE(first->m_mapOptions.value("--enc-gop").toInt(), 42);
    QCOMPARE(first->GetLocation(), QString("Hall A"));
    QCOMPARE(m_mgr2->GetLocationCount(), 1);
    QCOMPARE(first->GetGroup(), QString("ungrouped"));
    QCOMPARE(m_mgr2->IndexOfGroup("Ghosts"), 0);
    QCOMPARE(m_mgr2->IndexOfGroup("ungrouped"), 1);

    CHOIDev* rx = m_mgr2->GetDev(2);
    QCOMPARE(rx->GetIPMode(), CHOIDev::E_IM_DHCP);
    QCOMPARE(rx->GetIPAddr(), QString("127.0.0.9"));
    QVERIFY(rx->GetPreviewEnable());
    QVERIFY(rx->GetHdcpEnable());
    QCOMPARE(rx->GetMacId(), QString("000000000012"));
    // The shown TX comes back by its display name; a parent that is no
    // gateway is kept as a name only, and a device with an address of its
    // own has none.
    QCOMPARE(rx->GetTXDev(), first);
    QCOMPARE(first->GetParentDev(), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(first->GetParentHostName(), QString("RXP-000000000012"));
    QCOMPARE(rx->GetParentHostName(), QString());

    // A device name change after loading reaches the manager: it is wired.
    QSignalSpy spy(m_mgr2, &CHOIDevMgr::OnDevNameChanged);
    rx->SetName("renamed");
    QCOMPARE(spy.count(), 1);
}

void TestProjectFile::readerLeavesOutHostileHostNames()
{
    // A host name goes into other devices' shell lines: an item of another
    // form is left out; the layout naming it loads without it.
    QVERIFY(!Load(R"(<hoi><devices><item hostname="TXP-1;reboot;#"/><item hostname="RXP-0000000000B1"/></devices>
 <scenes><item name="G-One" row_count="1" col_count="1">
  <devices><item pos_row="0" pos_col="0" rx="RXP-0000000000B1" tx="TXP-1;reboot;#"/></devices>
 </item></scenes></hoi>)").isEmpty());
    QCOMPARE(m_mgr2->GetDevCount(), 1);
    QCOMPARE(m_mgr2->FindSceneByName("G-One")->CellAt(0, 0)->rx, m_mgr2->GetDev(0));
    QVERIFY(m_mgr2->FindSceneByName("G-One")->CellAt(0, 0)->txList.isEmpty());
}

void TestProjectFile::readerLayoutRules()
{
    const QByteArray xml = R"(<hoi>
 <devices>
  <item hostname="TXP-0000000000A1"/><item hostname="TXP-0000000000A2"/><item hostname="RXP-0000000000B1"/>
 </devices>
 <scenes>
  <item name="G-One" row_count="2" col_count="3" layoutseq="4" sequence="9" auto_apply="1">
   <devices>
    <item pos_row="1" pos_col="3" rx="RXP-0000000000B1"/>
    <item pos_row="2" pos_col="0" rx="RXP-0000000000B1"/>
    <item pos_row="-1" pos_col="0" rx="RXP-0000000000B1"/>
    <item pos_row="1" pos_col="2" tx="TXP-0000000000A1||TXP-0000000000A2|NOPE-1|"/>
    <item pos_row="0" pos_col="0" rx="RXP-0000000000B1"/>
   </devices>
   <dev_setup><item dev_hostname="RXP-0000000000B1" hshift="-3" delay_kick="9"/><item dev_hostname="NOPE" hshift="1"/></dev_setup>
   <location><item name="Floor 2"/></location>
   <group><item name="G" sequence="3"/></group>
  </item>
  <item name="G-One" row_count="1" col_count="1" isDefault="1"><group><item name="Other"/></group></item>
  <item name="G-Two" row_count="2" col_count="3" isDefault="1"/>
  <item name="" row_count="1" col_count="1"/>
 </scenes>
 <wscenes><item name="W-Both" row_count="1" col_count="1" isDefault="1"><visualscreens><item name="a" layerseq="2" hstart="1" vstart="2" hsize="3" vsize="4" tx="x"/></visualscreens></item></wscenes>
 <wscene2s><item name="W-Both" row_count="1" col_count="1"/></wscene2s>
 <videowalls><item name="G" row_count="3" col_count="3" sequence="11"/></videowalls>
</hoi>)";
    QVERIFY(!Load(xml).isEmpty());
    QCOMPARE(m_mgr2->GetSceneCount(), 3);
    CHOIScene* one = m_mgr2->FindSceneByName("G-One");
    QVERIFY(one);
    QVERIFY(one->IsDefault()); // no "isDefault" at all
    QVERIFY(one->IsAutoApply());
    QCOMPARE(one->GetLayoutSeq(), 4);
    QCOMPARE(one->GetRowCount(), 2);
    QCOMPARE(one->GetColCount(), 3);
    QCOMPARE(one->GetGroup(), QString("G"));
    QCOMPARE(one->GetLocation(), QString("Floor 2"));
    CHOIDev* rx = m_mgr2->FindDevByHostName("RXP-0000000000B1");
    int rxCells = 0;
    for (const T_SceneCell* pCell : one->m_cells)
        rxCells += pCell->rx ? 1 : 0;
    QCOMPARE(rxCells, 1);
    QCOMPARE(one->CellAt(0, 0)->rx, rx);
    QCOMPARE(one->CellAt(1, 2)->txList,
             QList<CHOIDev*>() << m_mgr2->FindDevByHostName("TXP-0000000000A1")
                               << m_mgr2->FindDevByHostName("TXP-0000000000A2"));
    QCOMPARE(one->GetDevSetup(rx).hshift, -3);
    QCOMPARE(one->GetDevSetup(rx).delay_kick, 9);
    // The second item of the same name is skipped with its group.
    QCOMPARE(m_mgr2->IndexOfGroup("Other"), -1);
    QVERIFY(!m_mgr2->FindSceneByName("G-Two")->IsDefault());

    // The wall of the layouts' prefix: created by the first layout, then
    // resized and renumbered by the wall item.
    QCOMPARE(m_mgr2->GetVideoWallCount(), 2);
    CHOIScene* wall = m_mgr2->FindVideoWallByName("G");
    QCOMPARE(wall->GetRowCount(), 3);
    QCOMPARE(wall->GetLayoutSeq(), 11);
    QCOMPARE(wall->CellAt(0, 0)->rx, rx);
    QCOMPARE(rx->GetVideoWall(), wall);
    QCOMPARE(rx->GetGroup(), QString("G"));

    // Written in both windowing sections: created from the first only.
    CHOIScene* both = m_mgr2->FindSceneByName("W-Both");
    QVERIFY(both->IsWindowLayout());
    QVERIFY(!both->IsVivLayout());
    QCOMPARE(both->m_visualScreens.size(), 1);
    QCOMPARE(both->m_visualScreens.first().layerseq, 2);
    QCOMPARE(both->m_visualScreens.first().vsize, 4);
    QCOMPARE(both->m_visualScreens.first().tx, QString("x"));
}

void TestProjectFile::readerWallRectangles_data()
{
    QTest::addColumn<QString>("rect");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("inside") << "pos_row=\"1\" pos_col=\"1\" row_count=\"2\" col_count=\"2\"" << true;
    QTest::newRow("whole grid") << "pos_row=\"0\" pos_col=\"0\" row_count=\"3\" col_count=\"3\"" << true;
    QTest::newRow("no rows") << "pos_row=\"0\" pos_col=\"0\" row_count=\"0\" col_count=\"2\"" << false;
    QTest::newRow("outside") << "pos_row=\"3\" pos_col=\"0\" row_count=\"1\" col_count=\"1\"" << false;
    QTest::newRow("negative") << "pos_row=\"-1\" pos_col=\"0\" row_count=\"1\" col_count=\"1\"" << false;
    QTest::newRow("past right edge") << "pos_row=\"0\" pos_col=\"2\" row_count=\"1\" col_count=\"2\"" << false;
    QTest::newRow("past bottom edge") << "pos_row=\"1\" pos_col=\"0\" row_count=\"3\" col_count=\"1\"" << false;
    QTest::newRow("huge") << "pos_row=\"1\" pos_col=\"1\" row_count=\"2147483647\" col_count=\"2147483647\""
                          << false;
}

void TestProjectFile::readerWallRectangles()
{
    QFETCH(QString, rect);
    QFETCH(bool, accepted);
    const QString xml = QStringLiteral(R"(<hoi><scenes><item name="A-1" row_count="3" col_count="3">
 <video_walls><item name="V" mode="1" show_osd="1" ow="5" %1/></video_walls></item></scenes>
 <videowalls><item name="P" row_count="3" col_count="3"><layouts><item name="L">
  <compositescreens><item name="C" overlay="1" %1><vpdevices><item name="WPP-000000000001"/></vpdevices></item></compositescreens>
 </item></layouts></item></videowalls></hoi>)")
                            .arg(rect);
    if (!accepted) {
        QTest::ignoreMessage(QtDebugMsg, "video_wall info error.");
        QTest::ignoreMessage(QtDebugMsg, "video_wall info error.");
    }
    QVERIFY(!Load(xml.toUtf8()).isEmpty());
    CHOIScene* plain = m_mgr2->FindSceneByName("A-1");
    CHOIScene* wp = m_mgr2->FindSceneByName("P-L");
    QVERIFY(plain && wp && wp->IsWPLayout());
    QCOMPARE(plain->m_videoWalls.size(), accepted ? 1 : 0);
    QCOMPARE(wp->m_videoWalls.size(), accepted ? 1 : 0);
    int walled = 0;
    for (const T_SceneCell* pCell : plain->m_cells)
        walled += pCell->wall ? 1 : 0;
    QCOMPARE(walled, accepted ? plain->m_videoWalls.first()->row_count * plain->m_videoWalls.first()->col_count : 0);
    if (accepted) {
        QCOMPARE(plain->m_videoWalls.first()->mode, 1);
        QCOMPARE(plain->m_videoWalls.first()->show_osd, 1);
        QCOMPARE(plain->m_videoWalls.first()->ow, 5);
        QCOMPARE(wp->m_videoWalls.first()->overlay, 1);
    }
}

void TestProjectFile::readerMultiviewAndSchedules()
{
    const QByteArray xml = R"(<hoi>
 <devices><item hostname="MRXP-0000000000C1"/></devices>
 <scenes><item name="S-1" row_count="1" col_count="1"/></scenes>
 <mscenes>
  <item hostname="MRXP-0000000000C1">
   <layouts>
    <item name="2x1" layoutseq="2">
     <windows>
      <item name="1" layerseq="1" hstart="0" vstart="0" hsize="960" vsize="540" tx="T1" mode=""/>
      <item name="2" layerseq="2" hstart="960" vstart="0" hsize="960" vsize="540" tx="T2" mode="full"/>
     </windows>
     <audio mode="separate" source="T2"/>
    </item>
    <item name="1x1" layoutseq="1"><windows><item tx="T3" hstart="0"/></windows></item>
    <item name="Dual" layoutseq="3"><windows><item tx="T1" hstart="0,0,960,1080"/><item hstart="960,0,960,1080"/></windows></item>
    <item name="Quad" layoutseq="4"><windows><item hstart="0" vstart="0" hsize="960" vsize="540"/></windows></item>
   </layouts>
   <group><item name="Ignored"/></group>
   <userdefine><item mode="tile" maxwinsnum="9"/></userdefine>
  </item>
  <item hostname="MRXP-NOTTHERE"><layouts><item name="x" layoutseq="1"/></layouts></item>
 </mscenes>
 <schedules>
  <item type="2" activited="1" limit_date="0" weekdays="65" start_date="2017-5-22" end_date="2018-x-1" exec_time="8:30" scene="S-1"/>
  <item type="5" scene="S-1"/>
  <item type="1" scene="Nope" exec_time="99:300:7"/>
 </schedules>
</hoi>)";
    QVERIFY(!Load(xml).isEmpty());
    CHOIDev* mrx = m_mgr2->FindDevByHostName("MRXP-0000000000C1");
    QCOMPARE(mrx->GetIPMLayoutWindowsMap().value("2x1"), QString("T1:1:0_0_960_540:fit T2:1:960_0_960_540:full "));
    QCOMPARE(mrx->GetIPMLayoutWindowsMap().value("1x1"), QString("T3:1:0___:fit "));
    // Geometries in the form of the layout's own record, also from files
    // that held a whole "x,y,w,h" in "hstart".
    QCOMPARE(mrx->GetIPMLayoutWindowsMap().value("Dual"), QString("T1:1:0,0,960,1080:fit :1:960,0,960,1080:fit "));
    QCOMPARE(mrx->GetIPMLayoutWindowsMap().value("Quad"), QString(":1:0,0,960,540:fit "));
    QCOMPARE(mrx->GetIPMLayoutAudioMap().value("2x1").mode, QString("separate"));
    QCOMPARE(mrx->GetIPMLayoutAudioMap().value("2x1").source, QString("T2"));
    QCOMPARE(mrx->GetIPMLayoutAudioMap().size(), 1);
    const QList<T_IpmLayoutSeq> seqs = mrx->GetSortedLayoutList();
    QCOMPARE(seqs.size(), 4);
    QCOMPARE(seqs.at(0).layout_name, QString("1x1"));
    QCOMPARE(m_mgr2->IndexOfGroup("Ignored"), -1);
    QCOMPARE(mrx->GetGroup(), QString());

    QCOMPARE(m_mgr2->m_scheduleList.size(), 2);
    const T_ScheduleInfo* s = m_mgr2->m_scheduleList.at(0);
    QCOMPARE(s->type, 2);
    QVERIFY(s->activited && !s->limit_date && !s->fired);
    QCOMPARE(s->weekdays, quint32(65));
    QCOMPARE(s->start_date.year, quint16(2017));
    QCOMPARE(s->start_date.month, quint16(5));
    QCOMPARE(s->start_date.day, quint16(22));
    QCOMPARE(s->end_date.year, quint16(2018));
    QCOMPARE(s->end_date.month, quint16(0));
    QCOMPARE(s->end_date.day, quint16(1));
    QCOMPARE(s->exec_time.hour, quint8(8));
    QCOMPARE(s->exec_time.minute, quint8(30));
    QCOMPARE(s->exec_time.second, quint8(0));
    QCOMPARE(s->scene, m_mgr2->FindSceneByName("S-1"));
    const T_ScheduleInfo* s2 = m_mgr2->m_scheduleList.at(1);
    QCOMPARE(s2->scene, static_cast<CHOIScene*>(nullptr));
    QVERIFY(!s2->activited);
    QCOMPARE(s2->weekdays, quint32(0));
    QCOMPARE(s2->exec_time.hour, quint8(99));
    QCOMPARE(s2->exec_time.minute, quint8(0));
    QCOMPARE(s2->exec_time.second, quint8(7));
}

// A wall whose layouts were all refused keeps its group to itself.
void TestProjectFile::wallGroupStaysWithItsWall()
{
    const QByteArray xml = R"(<hoi>
 <devices><item hostname="RXP-0000000000B1"/><item hostname="RXP-0000000000B2"/></devices>
 <scenes><item name="B-Taken" row_count="1" col_count="1"/></scenes>
 <videowalls>
  <item name="A" row_count="1" col_count="1"><devices><item pos_row="0" pos_col="0" rx="RXP-0000000000B1"/></devices>
   <layouts><item name="One"/></layouts><group><item name="GA"/></group></item>
  <item name="B" row_count="1" col_count="1"><devices><item pos_row="0" pos_col="0" rx="RXP-0000000000B2"/></devices>
   <layouts><item name="Taken"/></layouts><group><item name="GB"/></group></item>
 </videowalls>
</hoi>)";
    QVERIFY(!Load(xml).isEmpty());
    QCOMPARE(m_mgr2->FindVideoWallByName("A")->GetGroup(), QString("GA"));
    QCOMPARE(m_mgr2->FindSceneByName("A-One")->GetGroup(), QString("GA"));
    QCOMPARE(m_mgr2->FindDevByHostName("RXP-0000000000B1")->GetGroup(), QString("GA"));
    QCOMPARE(m_mgr2->FindVideoWallByName("B")->GetGroup(), QString("GB"));
    QCOMPARE(m_mgr2->FindDevByHostName("RXP-0000000000B2")->GetGroup(), QString("GB"));
    // The plain layout that took the name is no layout of wall B.
    QVERIFY(!m_mgr2->FindSceneByName("B-Taken")->IsWPLayout());
    QCOMPARE(m_mgr2->FindSceneByName("B-Taken")->GetGroup(), QString());
}

// A receiver read into a layout also goes into the same cell of the wall of
// the layout's name prefix and of every layout of that prefix read so far
// (or held before), and nowhere else.
void TestProjectFile::readerPlacesRxInWallLayouts()
{
    CHOIScene* old = m_mgr2->CreateScene("G-Old");
    old->SetGridSize(2, 1);
    const QByteArray xml = R"(<hoi>
 <devices><item hostname="RXP-0000000000B1"/><item hostname="RXP-0000000000B2"/></devices>
 <scenes>
  <item name="G-A" row_count="2" col_count="1"><devices><item pos_row="0" pos_col="0" rx="RXP-0000000000B1"/></devices></item>
  <item name="H-C" row_count="2" col_count="1"/>
  <item name="G-B" row_count="2" col_count="1"><devices><item pos_row="1" pos_col="0" rx="RXP-0000000000B2"/></devices></item>
 </scenes>
 <videowalls>
  <item name="" row_count="1" col_count="1"><layouts><item name="Y"/></layouts></item>
 </videowalls>
</hoi>)";
    QVERIFY(!Load(xml).isEmpty());
    CHOIDev* b1 = m_mgr2->FindDevByHostName("RXP-0000000000B1");
    CHOIDev* b2 = m_mgr2->FindDevByHostName("RXP-0000000000B2");
    CHOIScene* a = m_mgr2->FindSceneByName("G-A");
    CHOIScene* b = m_mgr2->FindSceneByName("G-B");
    CHOIScene* c = m_mgr2->FindSceneByName("H-C");
    CHOIScene* wall = m_mgr2->FindVideoWallByName("G");
    QVERIFY(a && b && c && wall);
    QCOMPARE(old->CellAt(0, 0)->rx, b1);
    QCOMPARE(old->CellAt(1, 0)->rx, b2);
    QCOMPARE(a->CellAt(0, 0)->rx, b1);
    QCOMPARE(a->CellAt(1, 0)->rx, b2);
    QCOMPARE(b->CellAt(0, 0)->rx, static_cast<CHOIDev*>(nullptr));
    QCOMPARE(b->CellAt(1, 0)->rx, b2);
    QCOMPARE(wall->CellAt(0, 0)->rx, b1);
    QCOMPARE(wall->CellAt(1, 0)->rx, b2);
    QCOMPARE(c->CellAt(0, 0)->rx, static_cast<CHOIDev*>(nullptr));
    QCOMPARE(c->CellAt(1, 0)->rx, static_cast<CHOIDev*>(nullptr));
    QCOMPARE(b2->GetVideoWall(), wall);

    // A wall without name is a wall like any other: its layouts are kept.
    CHOIScene* y = m_mgr2->FindSceneByName("-Y");
    QVERIFY(y && y->IsWPLayout());
    QVERIFY(m_mgr2->FindVideoWallByName(QString()));
}

// Characters XML cannot carry (a stray escape from a device's reply) are
// left out, so the project can still be saved and read back.
void TestProjectFile::unwritableCharactersAreLeftOut()
{
    CHOIDev* tx = AddDev(m_mgr, kTx1, QStringLiteral("Cam \U0001F4F7 ") + QChar(0xD800) + "1");
    tx->m_strVersion = QStringLiteral("v1\x1b[0m\x01\t") + QChar(0xFFFF);
    const QString path = m_dir.filePath("ctrl.hoi");
    QVERIFY(m_mgr->ExportDevInfoFile(path));
    QVERIFY(m_mgr2->ImportDevInfoFile(path));
    CHOIDev* loaded = m_mgr2->FindDevByHostName(kTx1);
    QVERIFY(loaded);
    QCOMPARE(loaded->GetVersion(), QStringLiteral("v1[0m\t"));
    QCOMPARE(loaded->GetName(), QStringLiteral("Cam \U0001F4F7 1"));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
