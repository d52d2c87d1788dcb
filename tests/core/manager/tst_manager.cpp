// The device manager without a network: the product configuration, the
// feature queries, the device, layout and wall lists, and the log lines.
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// The background on-line check would send discovery requests on the host's
// own network: these tests keep it unarmed.
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
    QFile file(AppFile(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray Config(const QByteArray& products, const QByteArray& rootAttrs = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<hoiprod " + rootAttrs + ">\n" + products + "\n</hoiprod>\n";
}

bool LoadConfig(CHOIDevMgr& mgr, const QByteArray& products, const QByteArray& rootAttrs = QByteArray())
{
    QFile file(AppFile("config.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(Config(products, rootAttrs));
    file.close();
    return mgr.LoadProdConfig();
}

// A device that is in no list of the manager; the test owns it.
std::unique_ptr<CHOIDev> NewDev(CHOIDevMgr& mgr, CHOIDev::DevType type, const QString& hostName)
{
    std::unique_ptr<CHOIDev> pDev(new CHOIDev(&mgr, type, QStringLiteral("gb"), false, CHOIDev::E_CT_TELNET));
    pDev->SetHostName(hostName, true);
    return pDev;
}

// A device entered in the manager's list.
CHOIDev* AddDev(CHOIDevMgr& mgr, const QString& hostName, const QString& alias = QString())
{
    mgr.AddIpcDev(alias, hostName, nullptr);
    return mgr.FindDevByHostName(hostName);
}

// An encoder of the product "Alpha" whose signals reach the manager.
CHOIDev* AddWiredAlpha(CHOIDevMgr& mgr)
{
    if (!LoadConfig(mgr, "<product id=\"TXA\" name=\"Alpha\" type=\"tx\"/>"))
        return nullptr;
    CHOIDev* pDev = AddDev(mgr, "TXA-0011223344AA");
    if (pDev)
        mgr.WireDevice(pDev);
    return pDev;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

typedef bool (CHOIDevMgr::*Query)(CHOIDev*) const;

const QMap<QString, Query>& Queries()
{
    static const QMap<QString, Query> s_queries = {
        {"IsSupportVideoWall", &CHOIDevMgr::IsSupportVideoWall},
        {"IsSupportOsd", &CHOIDevMgr::IsSupportOsd},
        {"IsSupportRxMonitor", &CHOIDevMgr::IsSupportRxMonitor},
        {"IsSupportVideoSettings", &CHOIDevMgr::IsSupportVideoSettings},
        {"IsSupportVolume", &CHOIDevMgr::IsSupportVolume},
        {"IsSupportEdidReset", &CHOIDevMgr::IsSupportEdidReset},
        {"IsSupportEdidExport", &CHOIDevMgr::IsSupportEdidExport},
        {"IsSupportAudioSource", &CHOIDevMgr::IsSupportAudioSource},
        {"IsHisiDev", &CHOIDevMgr::IsHisiDev},
        {"IsSupportJpeg", &CHOIDevMgr::IsSupportJpeg},
        {"IsSupportAnalogMute", &CHOIDevMgr::IsSupportAnalogMute},
        {"IsSupportHdmiMute", &CHOIDevMgr::IsSupportHdmiMute},
        {"IsSupportMap", &CHOIDevMgr::IsSupportMap},
        {"IsSupportOverlay", &CHOIDevMgr::IsSupportOverlay},
        {"IsSupportWindow", &CHOIDevMgr::IsSupportWindow},
        {"IsSupportViv", &CHOIDevMgr::IsSupportViv},
        {"IsSupportAudioDelay", &CHOIDevMgr::IsSupportAudioDelay},
        {"IsSupportLayout", &CHOIDevMgr::IsSupportLayout},
        {"IsSupportVoMode", &CHOIDevMgr::IsSupportVoMode},
        {"IsSupportIr", &CHOIDevMgr::IsSupportIr},
        {"IsSupportRs232", &CHOIDevMgr::IsSupportRs232},
        {"IsSupportCec", &CHOIDevMgr::IsSupportCec},
        {"IsSupportVWMultiTx", &CHOIDevMgr::IsSupportVWMultiTx},
        {"IsSupportVWAdvance", &CHOIDevMgr::IsSupportVWAdvance},
    };
    return s_queries;
}

QVariant Field(const T_ProdIdInfo& p, const QString& name)
{
    if (name == "tx_if_count")
        return p.tx_if_count;
    if (name == "gain_step")
        return p.gain_step;
    if (name == "min_gain")
        return p.min_gain;
    if (name == "max_gain")
        return p.max_gain;
    if (name == "osd_enable")
        return p.osd_enable;
    if (name == "old_api")
        return p.old_api;
    if (name == "mute_enable")
        return p.mute_enable;
    if (name == "hisi_enable")
        return p.hisi_enable;
    if (name == "map_dispaly_enable")
        return p.map_dispaly_enable;
    if (name == "edie_setting")
        return p.edie_setting;
    if (name == "vol_mic_count")
        return p.vol_port_count[E_APT_MIC];
    if (name == "tile_maxwinsnum")
        return p.tile_maxwinsnum;
    if (name == "ZK_VGA_Resolu")
        return p.ZK_VGA_Resolu;
    if (name == "param_prefix")
        return p.param_prefix;
    return QVariant();
}

const char* const kLogLine = "^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} - ";

} // namespace

class TestManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // "config.xml"
    void loadSample();
    void productAttributes_data();
    void productAttributes();
    void showAttribute_data();
    void showAttribute();
    void audioPortLists();
    void productSets();
    void duplicateIds();
    void rootWithoutAttributes();
    void wrongRootFails();
    void missingFileKeepsManager();
    void malformedXmlKeepsWhatWasRead();

    // product lookups and queries
    void hostNameMatching();
    void defaultRecord();
    void featureQueries_data();
    void featureQueries();
    void unknownProductAnswersNothing();
    void emptyProductList();
    void edidPath();
    void productTexts();
    void prodDevName();

    // devices, layouts, log
    void logLineFormat();
    void deviceRelays();
    void deviceBytesEscaped_data();
    void deviceBytesEscaped();
    void removeTxClearsShownTx();
    void removeChildDevices();
    void addIpcDev();
    void removedControllers();
    void findTxByMulticastIp();
    void sceneList();
    void sceneRelays();
    void videoWalls();
    void clearAllEmptiesEverything();
};

void TestManager::initTestCase()
{
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
}

// ---------------------------------------------------------------------------
// "config.xml"

void TestManager::loadSample()
{
    QFile::remove(AppFile("config.xml"));
    QVERIFY(QFile::copy(QStringLiteral(HOI_RESOURCES_DIR "/config.xml"), AppFile("config.xml")));
    CTestMgr mgr;
    QVERIFY(mgr.LoadProdConfig());

    QStringList ids;
    for (const T_ProdIdInfo& prod : mgr.GetProdList())
        ids << prod.id;
    QCOMPARE(ids, QStringList({"IPE1000", "IPE4000", "IPE2000", "IPD1000", "IPD2000", "IPM2000", "IPW400", "IPG100",
                               "KRT4400", "QN714"}));

    // One product of every device type, the controller among them.
    QSet<int> types;
    for (const T_ProdIdInfo& prod : mgr.GetProdList())
        types.insert(T_ProdIdInfo::TypeText2DevType(prod.type));
    QCOMPARE(types, QSet<int>({1, 2, 3, 4, 5, 6}));
    QCOMPARE(mgr.FindProdIdInfoById("QN714")->type, g_strControllerType);
    QCOMPARE(mgr.FindProdIdInfoById("IPE4000")->tx_if_count, 4);

    // Every feature some product can have is on in the sample.
    for (auto it = Queries().constBegin(); it != Queries().constEnd(); ++it)
        QVERIFY2((mgr.*it.value())(nullptr), qPrintable(it.key()));
    QVERIFY(mgr.IsLogEnable() && mgr.IsBackupEnable() && mgr.IsLanguageEnable() && mgr.IsLogoEnable());
    QVERIFY(mgr.IsWindowLayoutEnable() && mgr.IsVivLayoutEnable() && mgr.IsWPLayoutEnable());
    QCOMPARE(mgr.GetTxLdy(), QStringLiteral("gbconfig --low-delay y"));
    QCOMPARE(mgr.GetRxLdn(), QStringLiteral("gbconfig --low-delay n"));

    const T_ProdIdInfo* pRx = mgr.FindProdIdInfoById("IPD1000");
    QCOMPARE(pRx->tx_products,
             QSet<const T_ProdIdInfo*>({mgr.FindProdIdInfoById("IPE1000"), mgr.FindProdIdInfoById("IPE4000"),
                                        mgr.FindProdIdInfoById("KRT4400")}));

    QCOMPARE(mgr.GetGroupCount(), 1);
    QCOMPARE(mgr.GetGroupName(0), QStringLiteral("ungrouped"));
    QCOMPARE(mgr.GetGroupList().first()->sequence, 0u);
}

void TestManager::productAttributes_data()
{
    QTest::addColumn<QByteArray>("attrs");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("tx_if_count 0") << QByteArray("tx_if_count=\"0\"") << "tx_if_count" << QVariant(1);
    QTest::newRow("tx_if_count -3") << QByteArray("tx_if_count=\"-3\"") << "tx_if_count" << QVariant(1);
    QTest::newRow("tx_if_count absent") << QByteArray() << "tx_if_count" << QVariant(1);
    QTest::newRow("tx_if_count text") << QByteArray("tx_if_count=\"two\"") << "tx_if_count" << QVariant(1);
    QTest::newRow("tx_if_count 4") << QByteArray("tx_if_count=\"4\"") << "tx_if_count" << QVariant(4);
    QTest::newRow("gain_step 0") << QByteArray("gain_step=\"0\"") << "gain_step" << QVariant(6);
    QTest::newRow("gain_step -2") << QByteArray("gain_step=\"-2\"") << "gain_step" << QVariant(6);
    QTest::newRow("gain_step 12") << QByteArray("gain_step=\"12\"") << "gain_step" << QVariant(12);
    QTest::newRow("min_gain text") << QByteArray("min_gain=\"abc\"") << "min_gain" << QVariant(6);
    QTest::newRow("min_gain 0") << QByteArray("min_gain=\"0\"") << "min_gain" << QVariant(0);
    QTest::newRow("max_gain -5") << QByteArray("max_gain=\"-5\"") << "max_gain" << QVariant(-5);
    QTest::newRow("max_gain absent") << QByteArray() << "max_gain" << QVariant(24);
    QTest::newRow("osd_enable absent") << QByteArray() << "osd_enable" << QVariant(true);
    QTest::newRow("old_api absent") << QByteArray() << "old_api" << QVariant(false);
    QTest::newRow("old_api YES") << QByteArray("old_api=\"YES\"") << "old_api" << QVariant(true);
    QTest::newRow("mute_enable no word") << QByteArray("mute_enable=\"maybe\"") << "mute_enable" << QVariant(true);
    QTest::newRow("mute_enable n") << QByteArray("mute_enable=\"n\"") << "mute_enable" << QVariant(false);
    QTest::newRow("hisi_enable absent") << QByteArray() << "hisi_enable" << QVariant(true);
    QTest::newRow("map_dispaly_enable 0") << QByteArray("map_dispaly_enable=\"0\"") << "map_dispaly_enable"
                                          << QVariant(false);
    QTest::newRow("edie_setting y") << QByteArray("edie_setting=\"y\"") << "edie_setting" << QVariant(true);
    QTest::newRow("vol_mic_count 2") << QByteArray("vol_mic_count=\"2\"") << "vol_mic_count" << QVariant(2);
    QTest::newRow("tile_maxwinsnum text") << QByteArray("tile_maxwinsnum=\"x\"") << "tile_maxwinsnum" << QVariant(0);
    QTest::newRow("text kept untrimmed") << QByteArray("ZK_VGA_Resolu=\" 1080p \"") << "ZK_VGA_Resolu"
                                         << QVariant(QStringLiteral(" 1080p "));
    QTest::newRow("param_prefix") << QByteArray("param_prefix=\"gb\"") << "param_prefix"
                                  << QVariant(QStringLiteral("gb"));
}

void TestManager::productAttributes()
{
    QFETCH(QByteArray, attrs);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"P\" name=\"Prod\" type=\"tx\" " + attrs + "/>"));
    QCOMPARE(mgr.GetProdList().size(), 1);
    QCOMPARE(Field(mgr.GetProdList().first(), field), expected);
}

void TestManager::showAttribute_data()
{
    QTest::addColumn<QByteArray>("show");
    QTest::addColumn<bool>("kept");
    QTest::newRow("No") << QByteArray("show=\"No\"") << false;
    QTest::newRow("NO") << QByteArray("show=\"NO\"") << false;
    QTest::newRow("false") << QByteArray("show=\"false\"") << false;
    QTest::newRow("0") << QByteArray("show=\"0\"") << false;
    QTest::newRow("yes") << QByteArray("show=\"yes\"") << true;
    QTest::newRow("no word") << QByteArray("show=\"hidden\"") << true;
    QTest::newRow("absent") << QByteArray() << true;
}

void TestManager::showAttribute()
{
    QFETCH(QByteArray, show);
    QFETCH(bool, kept);
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\"/>\n<product id=\"B\" type=\"rx\" " + show
                                + "/>\n<product id=\"C\" type=\"rx\"/>"));
    QCOMPARE(mgr.FindProdIdInfoById("B") != nullptr, kept);
    QCOMPARE(mgr.GetProdList().size(), kept ? 3 : 2);
    QCOMPARE(mgr.GetProdList().last().id, QStringLiteral("C"));
}

void TestManager::audioPortLists()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\" vol_gain=\"mic,,line-in,bogus\" "
                            "vol_line_in_count=\"1\" vol_line_out_count=\"x\"/>"));
    const T_ProdIdInfo& prod = mgr.GetProdList().first();
    QCOMPARE(prod.vol_gain[E_APT_LINE_IN], true);
    QCOMPARE(prod.vol_gain[E_APT_LINE_OUT], false);
    QCOMPARE(prod.vol_gain[E_APT_MIC], true);
    for (int kind = E_APT_LINE_IN; kind <= E_APT_MIC; ++kind)
        QCOMPARE(prod.vol_phantom_power[kind], false);
    QCOMPARE(prod.vol_port_count[E_APT_LINE_IN], 1);
    QCOMPARE(prod.vol_port_count[E_APT_LINE_OUT], 0);
    QCOMPARE(prod.vol_port_count[E_APT_MIC], 0);
}

void TestManager::productSets()
{
    CTestMgr mgr;
    // Ids may name later products and the product itself; unknown ids and
    // empty items are skipped.
    QVERIFY(LoadConfig(mgr, "<product id=\"RX\" type=\"rx\" tx=\"NOPE|TX|\" video_wall=\"RX|TX\"/>\n"
                            "<product id=\"TX\" type=\"tx\" video_wall=\"RX\"/>"));
    const T_ProdIdInfo* pRx = mgr.FindProdIdInfoById("RX");
    const T_ProdIdInfo* pTx = mgr.FindProdIdInfoById("TX");
    QCOMPARE(pRx->tx_products, QSet<const T_ProdIdInfo*>({pTx}));
    QCOMPARE(pRx->video_wall_products, QSet<const T_ProdIdInfo*>({pRx, pTx}));
    QCOMPARE(pTx->video_wall_products, QSet<const T_ProdIdInfo*>({pRx}));
    QVERIFY(pTx->tx_products.isEmpty());
}

void TestManager::duplicateIds()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"D\" name=\"First\" type=\"tx\"/>\n"
                            "<product id=\"D\" name=\"Second\" type=\"tx\"/>"));
    QCOMPARE(mgr.FindProdIdInfoById("D")->name, QStringLiteral("First"));
    QCOMPARE(mgr.FindProdIdInfo("D-001122334455")->name, QStringLiteral("First"));
}

void TestManager::rootWithoutAttributes()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"rx\" ir_enable=\"y\" rs232_enable=\"y\" cec_enable=\"y\"/>"));
    QVERIFY(mgr.IsLogEnable());
    QVERIFY(mgr.IsBackupEnable());
    QVERIFY(!mgr.IsLanguageEnable());
    QVERIFY(!mgr.IsWindowLayoutEnable());
    QVERIFY(!mgr.IsVivLayoutEnable());
    QVERIFY(!mgr.IsWPLayoutEnable());
    QVERIFY(!mgr.IsLogoEnable());
    QVERIFY(mgr.GetTxLdy().isEmpty() && mgr.GetTxLdn().isEmpty());
    QVERIFY(mgr.GetRxLdy().isEmpty() && mgr.GetRxLdn().isEmpty());
    // The IR, serial and CEC switches are on.
    QVERIFY(mgr.IsSupportIr(nullptr));
    QVERIFY(mgr.IsSupportRs232(nullptr));
    QVERIFY(mgr.IsSupportCec(nullptr));

    // A switch written false stays false; the others keep their defaults.
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"rx\" ir_enable=\"y\"/>",
                       "ir_enable=\"n\" log_enable=\"0\" language_enable=\"Yes\""));
    QVERIFY(!mgr.IsSupportIr(nullptr));
    QVERIFY(!mgr.IsLogEnable());
    QVERIFY(mgr.IsLanguageEnable());
    QVERIFY(mgr.IsBackupEnable());
}

void TestManager::wrongRootFails()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\"/>"));
    QVERIFY(AddDev(mgr, "A-001122334455"));
    QVERIFY(mgr.CreateScene("L"));
    mgr.AddGroup("G", 1);

    WriteAppFile("config.xml", "<?xml version=\"1.0\"?>\n<config><product id=\"B\" type=\"tx\"/></config>\n");
    QVERIFY(!mgr.LoadProdConfig());
    QVERIFY(mgr.GetProdList().isEmpty());
    QCOMPARE(mgr.GetDevCount(), 0);
    QCOMPARE(mgr.GetSceneCount(), 0);
    QCOMPARE(mgr.GetGroupCount(), 1);
    QCOMPARE(mgr.GetGroupName(0), g_strUngrouped);
    FlushDeletes();
}

void TestManager::missingFileKeepsManager()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\"/>"));
    QVERIFY(AddDev(mgr, "A-001122334455"));
    QVERIFY(QFile::remove(AppFile("config.xml")));
    QVERIFY(!mgr.LoadProdConfig());
    QCOMPARE(mgr.GetProdList().size(), 1);
    QCOMPARE(mgr.GetDevCount(), 1);
}

void TestManager::malformedXmlKeepsWhatWasRead()
{
    CTestMgr mgr;
    WriteAppFile("config.xml", "<hoiprod>\n<product id=\"A\" type=\"tx\"/>\n<product id=\"B\" type=rx/>\n"
                               "<product id=\"C\" type=\"tx\"/>\n</hoiprod>\n");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("config\\.xml.* line 3 .*products read so far are kept")));
    QVERIFY(mgr.LoadProdConfig());
    QCOMPARE(mgr.GetProdList().size(), 1);
    QCOMPARE(mgr.GetProdList().first().id, QStringLiteral("A"));
}

// ---------------------------------------------------------------------------
// Lookups and queries

void TestManager::hostNameMatching()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"QN714\" type=\"IP Controller\"/>\n"
                            "<product id=\"\" type=\"tx\"/>\n<product id=\"W\" type=\"wp\"/>\n"
                            "<product id=\"G\" type=\"Gw\"/>"));
    int type = -1;
    QVERIFY(mgr.FindProdIdInfo("QN714", &type));
    QCOMPARE(type, 6);
    QVERIFY(!mgr.FindProdIdInfo("QN7140"));
    QVERIFY(mgr.FindProdIdInfo("QN714-00112233AABB"));
    QVERIFY(!mgr.FindProdIdInfo("-00112233AABB"));
    QVERIFY(mgr.FindProdIdInfo("W-00112233AABB:2", &type));
    QCOMPARE(type, 4);
    // A type text is compared exactly.
    QVERIFY(!mgr.FindProdIdInfo("G-00112233AABB"));
    QCOMPARE(mgr.GetProdList().at(2).MatchHostName("W"), 4);
    QCOMPARE(mgr.GetProdList().at(2).MatchHostName("WX-1"), 0);
}

void TestManager::defaultRecord()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\" osd_enable=\"y\"/>"));
    const T_ProdIdInfo* pDefault = mgr.GetProdIdInfo(nullptr);
    QVERIFY(pDefault);
    QCOMPARE(mgr.GetProdIdInfo(nullptr), pDefault);
    QVERIFY(pDefault->old_api);
    QVERIFY(!pDefault->osd_enable);
    QVERIFY(pDefault->id.isEmpty());

    auto unknown = NewDev(mgr, CHOIDev::E_DT_TX, "Z-001122334455");
    QCOMPARE(mgr.GetProdIdInfo(unknown.get()), pDefault);
    auto known = NewDev(mgr, CHOIDev::E_DT_TX, "A-001122334455");
    QCOMPARE(mgr.GetProdIdInfo(known.get()), mgr.FindProdIdInfoById("A"));
}

void TestManager::featureQueries_data()
{
    QTest::addColumn<QByteArray>("products");
    QTest::addColumn<QByteArray>("root");
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("devType"); // -1: ask with a null device
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<bool>("expected");

    const QByteArray wall = "<product id=\"RV\" type=\"rx\" video_wall=\"RV\"/>";
    QTest::newRow("wall: rx of an rx product") << wall << QByteArray() << "IsSupportVideoWall" << 2 << "RV-1" << true;
    QTest::newRow("wall: tx named like an rx product") << wall << QByteArray() << "IsSupportVideoWall" << 1 << "RV-1"
                                                       << false;
    QTest::newRow("wall: null") << wall << QByteArray() << "IsSupportVideoWall" << -1 << "" << true;
    QTest::newRow("wall: empty set") << QByteArray("<product id=\"R\" type=\"rx\" video_wall=\"NOPE\"/>")
                                     << QByteArray() << "IsSupportVideoWall" << 2 << "R-1" << false;

    const QByteArray osd = "<product id=\"O\" type=\"rx\" osd_enable=\"y\" rx_monitor=\"y\"/>";
    QTest::newRow("osd: rx") << osd << QByteArray() << "IsSupportOsd" << 2 << "O-1" << true;
    QTest::newRow("osd: mrx") << osd << QByteArray() << "IsSupportOsd" << 3 << "O-1" << true;
    QTest::newRow("osd: wp") << osd << QByteArray() << "IsSupportOsd" << 4 << "O-1" << true;
    QTest::newRow("osd: tx") << osd << QByteArray() << "IsSupportOsd" << 1 << "O-1" << false;
    QTest::newRow("osd: null") << osd << QByteArray() << "IsSupportOsd" << -1 << "" << true;
    QTest::newRow("osd: off") << QByteArray("<product id=\"O\" type=\"rx\" osd_enable=\"n\"/>") << QByteArray()
                              << "IsSupportOsd" << 2 << "O-1" << false;
    QTest::newRow("rx monitor: rx") << osd << QByteArray() << "IsSupportRxMonitor" << 2 << "O-1" << true;
    QTest::newRow("rx monitor: mrx") << osd << QByteArray() << "IsSupportRxMonitor" << 3 << "O-1" << false;

    QTest::newRow("video settings: multi-screen VGA only")
        << QByteArray("<product id=\"V\" type=\"rx\" ZK_VGA_Resolu=\"1080p\"/>") << QByteArray()
        << "IsSupportVideoSettings" << 2 << "V-1" << false;
    QTest::newRow("video settings: null, multi-screen VGA only")
        << QByteArray("<product id=\"V\" type=\"rx\" ZK_VGA_Resolu=\"1080p\"/>") << QByteArray()
        << "IsSupportVideoSettings" << -1 << "" << false;
    QTest::newRow("video settings: hdcp") << QByteArray("<product id=\"V\" type=\"tx\" hdcp_enable=\"y\"/>")
                                          << QByteArray() << "IsSupportVideoSettings" << 1 << "V-1" << true;
    QTest::newRow("video settings: colour space")
        << QByteArray("<product id=\"V\" type=\"rx\" force_color_space=\"RGB\"/>") << QByteArray()
        << "IsSupportVideoSettings" << 2 << "V-1" << true;
    QTest::newRow("volume: one mic") << QByteArray("<product id=\"V\" type=\"tx\" vol_mic_count=\"1\"/>")
                                     << QByteArray() << "IsSupportVolume" << 1 << "V-1" << true;
    QTest::newRow("volume: none") << QByteArray("<product id=\"V\" type=\"tx\" vol_mic_count=\"0\"/>")
                                  << QByteArray() << "IsSupportVolume" << 1 << "V-1" << false;

    const QByteArray ir = "<product id=\"I\" type=\"rx\" ir_enable=\"y\" rs232_enable=\"y\" cec_enable=\"y\"/>";
    QTest::newRow("ir: switch on") << ir << QByteArray() << "IsSupportIr" << 2 << "I-1" << true;
    QTest::newRow("ir: switch off") << ir << QByteArray("ir_enable=\"false\"") << "IsSupportIr" << 2 << "I-1"
                                    << false;
    QTest::newRow("ir: switch off, null") << ir << QByteArray("ir_enable=\"false\"") << "IsSupportIr" << -1 << ""
                                          << false;
    QTest::newRow("rs232: switch off") << ir << QByteArray("rs232_enable=\"0\"") << "IsSupportRs232" << 2 << "I-1"
                                       << false;
    QTest::newRow("cec: switch off, null") << ir << QByteArray("cec_enable=\"no\"") << "IsSupportCec" << -1 << ""
                                           << false;
    QTest::newRow("cec: product off") << QByteArray("<product id=\"I\" type=\"rx\"/>") << QByteArray()
                                      << "IsSupportCec" << 2 << "I-1" << false;

    const QByteArray bare = "<product id=\"B\" type=\"tx\"/>";
    QTest::newRow("default: edid reset") << bare << QByteArray() << "IsSupportEdidReset" << 1 << "B-1" << true;
    QTest::newRow("default: hisi") << bare << QByteArray() << "IsHisiDev" << 1 << "B-1" << true;
    QTest::newRow("default: jpeg") << bare << QByteArray() << "IsSupportJpeg" << 1 << "B-1" << true;
    QTest::newRow("default: analog mute") << bare << QByteArray() << "IsSupportAnalogMute" << 1 << "B-1" << true;
    QTest::newRow("default: map") << bare << QByteArray() << "IsSupportMap" << 1 << "B-1" << false;
    QTest::newRow("default: window") << bare << QByteArray() << "IsSupportWindow" << 1 << "B-1" << false;

    // The null-device walk looks at every product, whatever its type.
    const QByteArray two = "<product id=\"A\" type=\"tx\"/>\n<product id=\"B\" type=\"oddball\" window_enable=\"y\" "
                           "vw_multi_tx=\"1\" viv_enable=\"y\"/>";
    QTest::newRow("null walk: second product") << two << QByteArray() << "IsSupportWindow" << -1 << "" << true;
    QTest::newRow("null walk: vw multi tx") << two << QByteArray() << "IsSupportVWMultiTx" << -1 << "" << true;
    QTest::newRow("null walk: none") << two << QByteArray() << "IsSupportVWAdvance" << -1 << "" << false;
    QTest::newRow("product of unknown type") << two << QByteArray() << "IsSupportViv" << 1 << "B-1" << false;
}

void TestManager::featureQueries()
{
    QFETCH(QByteArray, products);
    QFETCH(QByteArray, root);
    QFETCH(QString, query);
    QFETCH(int, devType);
    QFETCH(QString, hostName);
    QFETCH(bool, expected);

    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, products, root));
    QVERIFY(Queries().contains(query));
    std::unique_ptr<CHOIDev> pDev;
    if (devType >= 0)
        pDev = NewDev(mgr, static_cast<CHOIDev::DevType>(devType), hostName);
    QCOMPARE((mgr.*Queries().value(query))(pDev.get()), expected);
}

void TestManager::unknownProductAnswersNothing()
{
    CTestMgr mgr;
    QFile::remove(AppFile("config.xml"));
    QVERIFY(QFile::copy(QStringLiteral(HOI_RESOURCES_DIR "/config.xml"), AppFile("config.xml")));
    QVERIFY(mgr.LoadProdConfig());
    for (int type = CHOIDev::E_DT_TX; type <= CHOIDev::E_DT_QN714; ++type) {
        auto pDev = NewDev(mgr, static_cast<CHOIDev::DevType>(type), "NOSUCH-001122334455");
        for (auto it = Queries().constBegin(); it != Queries().constEnd(); ++it)
            QVERIFY2(!(mgr.*it.value())(pDev.get()), qPrintable(it.key()));
        QCOMPARE(mgr.GetEdidPath(pDev.get()), QString());
    }
}

void TestManager::emptyProductList()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, QByteArray()));
    QVERIFY(mgr.GetProdList().isEmpty());
    for (auto it = Queries().constBegin(); it != Queries().constEnd(); ++it)
        QVERIFY2(!(mgr.*it.value())(nullptr), qPrintable(it.key()));
    QCOMPARE(mgr.GetEdidPath(nullptr), QString());
}

void TestManager::edidPath()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\" edidpath=\"edid_a\"/>\n<product id=\"B\" type=\"rx\"/>"));
    QCOMPARE(mgr.GetEdidPath(nullptr), QStringLiteral("monitor_info"));
    auto pA = NewDev(mgr, CHOIDev::E_DT_TX, "A-001122334455");
    auto pB = NewDev(mgr, CHOIDev::E_DT_RX, "B-001122334455");
    QCOMPARE(mgr.GetEdidPath(pA.get()), QStringLiteral("edid_a"));
    QCOMPARE(mgr.GetEdidPath(pB.get()), QString());

    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"tx\" edidpath=\"edid_a\"/>"));
    QCOMPARE(mgr.GetEdidPath(nullptr), QString());
}

void TestManager::productTexts()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"A\" type=\"rx\" url=\"/index.html\" bg_url=\"/upload_bg\" "
                            "overlay_url=\"/upload_logo\" preview_url=\"/p.jpg\" map_type=\"logo\" mode_tile=\"t\" "
                            "mode_overlay=\"o\" osd_display_method=\"n\" map_dispaly_enable=\"n\"/>"));
    auto pDev = NewDev(mgr, CHOIDev::E_DT_RX, "A-001122334455");
    pDev->SetIPAddr("10.1.2.3");
    QCOMPARE(mgr.GetDevUrl(pDev.get()), QStringLiteral("http://10.1.2.3/index.html"));
    QCOMPARE(mgr.GetDevBgUrl(pDev.get()), QStringLiteral("http://10.1.2.3/upload_bg"));
    QCOMPARE(mgr.GetDevOverlayUrl(pDev.get()), QStringLiteral("http://10.1.2.3/upload_logo"));
    QCOMPARE(mgr.GetDevPreviewUrl(pDev.get()), QStringLiteral("http://10.1.2.3/p.jpg"));
    QCOMPARE(mgr.GetMapType(pDev.get()), QStringLiteral("logo"));
    QCOMPARE(mgr.GetModeTile(pDev.get()), QStringLiteral("t"));
    QCOMPARE(mgr.GetModeOverlay(pDev.get()), QStringLiteral("o"));
    QVERIFY(!mgr.IsSupportOsdDisplayMethod(pDev.get()));
    QVERIFY(!mgr.IsSupportMapDisplay(pDev.get()));

    auto pUnknown = NewDev(mgr, CHOIDev::E_DT_RX, "Z-001122334455");
    QCOMPARE(mgr.GetDevUrl(nullptr), QString());
    QCOMPARE(mgr.GetDevUrl(pUnknown.get()), QString());
    QCOMPARE(mgr.GetMapType(pUnknown.get()), QString());
    QVERIFY(mgr.IsSupportOsdDisplayMethod(nullptr));
    QVERIFY(mgr.IsSupportOsdDisplayMethod(pUnknown.get()));
    QVERIFY(mgr.IsSupportMapDisplay(nullptr));
}

void TestManager::prodDevName()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"TXA\" name=\"Alpha\" type=\"tx\"/>"));
    QCOMPARE(mgr.GetProdDevName("TXA-0011223344AA"), QStringLiteral("Alpha-0011223344AA"));
    QCOMPARE(mgr.GetProdDevName("TXA-0011223344AA:3"), QStringLiteral("Alpha-0011223344AA:3"));
    QCOMPARE(mgr.GetProdDevName("TXA"), QStringLiteral("TXA"));
    QCOMPARE(mgr.GetProdDevName("TXB-0011223344AA"), QStringLiteral("TXB-0011223344AA"));
}

// ---------------------------------------------------------------------------
// Devices, layouts, log

void TestManager::logLineFormat()
{
    CTestMgr mgr;
    QSignalSpy spy(&mgr, &CHOIDevMgr::OnProgressLog);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    mgr.EmitProgressLog("Scene('%1') is applied.");
    QCOMPARE(spy.count(), 1);
    const QString line = spy.at(0).at(0).toString();
    QVERIFY2(QRegularExpression(QLatin1String(kLogLine) + "Scene\\('%1'\\) is applied\\.$").match(line).hasMatch(),
             qPrintable(line));
    const QDateTime stamp = QDateTime::fromString(line.left(19), "yyyy-MM-dd hh:mm:ss");
    QVERIFY(stamp >= before.addSecs(-1) && stamp <= QDateTime::currentDateTime());
    // Lines of a later second carry that second.
    QTest::qWait(1100);
    mgr.EmitProgressLog("later");
    QVERIFY(QDateTime::fromString(spy.at(1).at(0).toString().left(19), "yyyy-MM-dd hh:mm:ss") > stamp);
}

void TestManager::deviceRelays()
{
    CTestMgr mgr;
    CHOIDev* pDev = AddWiredAlpha(mgr);
    QVERIFY(pDev);
    QSignalSpy logSpy(&mgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy nameSpy(&mgr, &CHOIDevMgr::OnDevNameChanged);
    QSignalSpy doneSpy(&mgr, &CHOIDevMgr::OnDevCmdCompleted);

    emit pDev->OnRecvData(pDev, "hostname=TXA-0011223344AA TXA TXA-\r\n/ # ");
    emit pDev->OnSendData(pDev, "gbparam g 1 name", true);
    emit pDev->OnSendData(pDev, "gbparam save 1", false);
    emit pDev->OnProgressLog("[1]Device('x') connecting...");
    QCOMPARE(logSpy.count(), 4);
    const QStringList expected = {
        "Device('Alpha-0011223344AA') recv data [hostname=Alpha-0011223344AA TXA Alpha-\r\n/ # ]",
        "Device('Alpha-0011223344AA') send data gbparam g 1 name [succeed]",
        "Device('Alpha-0011223344AA') send data gbparam save 1 [failed]",
        "[1]Device('x') connecting...",
    };
    for (int i = 0; i < expected.size(); ++i) {
        const QString line = logSpy.at(i).at(0).toString();
        QVERIFY2(QRegularExpression(QLatin1String(kLogLine)).match(line).hasMatch(), qPrintable(line));
        QCOMPARE(line.mid(22), expected.at(i));
    }

    pDev->SetName("Lobby");
    QCOMPARE(nameSpy.count(), 1);
    QCOMPARE(nameSpy.at(0).at(0).value<CHOIDev*>(), pDev);
    emit pDev->OnCmdCompleted(pDev, E_CO_IR, E_CR_TIMEOUT);
    QCOMPARE(doneSpy.count(), 1);
    QCOMPARE(doneSpy.at(0).at(1).value<E_ControlObject>(), E_CO_IR);
    QCOMPARE(doneSpy.at(0).at(2).value<E_CommResult>(), E_CR_TIMEOUT);
}

void TestManager::deviceBytesEscaped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("option offer and login") << QByteArray("\xff\xfd\x18\xff\xfd\x20login: ")
                                            << "\\xff\\xfd\\x18\\xff\\xfd login: ";
    QTest::newRow("option answer") << QByteArray("\xff\xfc\x18") << "\\xff\\xfc\\x18";
    QTest::newRow("UTF-8 text and line ends")
        << QByteArray("name=Lobby \xe5\xa4\xa7\xe5\x8e\x85\tok\r\n/ # ") << QString::fromUtf8("name=Lobby 大厅\tok\r\n/ # ");
    QTest::newRow("control bytes") << QByteArray("a\x1b[0mb\x7f\x01") << "a\\x1b[0mb\\x7f\\x01";
    QTest::newRow("cut and overlong sequences") << QByteArray("\xc0\xafx\xe5\xa4") << "\\xc0\\xafx\\xe5\\xa4";
}

void TestManager::deviceBytesEscaped()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    CTestMgr mgr;
    CHOIDev* pDev = AddWiredAlpha(mgr);
    QVERIFY(pDev);
    QSignalSpy logSpy(&mgr, &CHOIDevMgr::OnProgressLog);
    emit pDev->OnRecvData(pDev, bytes);
    emit pDev->OnSendData(pDev, bytes, true);
    QCOMPARE(logSpy.count(), 2);
    QCOMPARE(logSpy.at(0).at(0).toString().mid(22), QString("Device('Alpha-0011223344AA') recv data [%1]").arg(shown));
    QCOMPARE(logSpy.at(1).at(0).toString().mid(22),
             QString("Device('Alpha-0011223344AA') send data %1 [succeed]").arg(shown));
}

void TestManager::removeTxClearsShownTx()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"T\" type=\"tx\"/>\n<product id=\"R\" type=\"rx\"/>"));
    CHOIDev* pTx = AddDev(mgr, "T-000000000001");
    CHOIDev* pRx1 = AddDev(mgr, "R-000000000002");
    CHOIDev* pRx2 = AddDev(mgr, "R-000000000003");
    CHOIDev* pOtherTx = AddDev(mgr, "T-000000000004");
    QVERIFY(pTx && pRx1 && pRx2 && pOtherTx);
    pRx1->SetTXDev(pTx);
    pRx2->SetTXDev(pOtherTx);
    CHOIScene* pScene = mgr.CreateScene("G-L");
    pScene->SetGridSize(1, 2);
    pScene->GetCell(0, 0)->txList = {pTx};
    pScene->GetCell(0, 0)->rx = pRx1;
    pScene->GetCell(0, 1)->txList = {pTx};
    pScene->GetCell(0, 1)->rx = pRx2;
    QPointer<CHOIDev> watch(pTx);

    QSignalSpy spy(&mgr, &CHOIDevMgr::OnDeviceNotify);
    QVERIFY(mgr.RemoveDevice(pTx));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<CHOIDev*>(), pTx);
    QCOMPARE(spy.at(0).at(1).value<E_DeviceNotify>(), E_DN_REMOVE);
    QCOMPARE(pRx1->GetTXDev(), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(pRx2->GetTXDev(), pOtherTx);
    // The decoders stay in their cells; the encoder has left both.
    QVERIFY(pScene->CellAt(0, 0)->txList.isEmpty() && pScene->CellAt(0, 1)->txList.isEmpty());
    QCOMPARE(pScene->CellAt(0, 0)->rx, pRx1);
    QCOMPARE(pScene->CellAt(0, 1)->rx, pRx2);
    QCOMPARE(mgr.GetDevCount(), 3);
    QVERIFY(!mgr.FindDevByHostName("T-000000000001"));

    // Deleted on the next turn of the event loop, not at once.
    QVERIFY(!watch.isNull());
    QVERIFY(!mgr.RemoveDevice(pTx));
    QCOMPARE(spy.count(), 1);
    FlushDeletes();
    QVERIFY(watch.isNull());
}

void TestManager::removeChildDevices()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"G\" type=\"gw\"/>\n<product id=\"T\" type=\"tx\"/>"));
    CHOIDev* pGw = AddDev(mgr, "G-000000000001");
    CHOIDev* pGw2 = AddDev(mgr, "G-000000000002");
    mgr.AddIpcDev("cam1", "T-000000000011", pGw);
    mgr.AddIpcDev("cam2", "T-000000000012", pGw);
    mgr.AddIpcDev("cam3", "T-000000000013", pGw2);
    QCOMPARE(mgr.GetDevCount(), 5);
    QCOMPARE(mgr.FindDevByHostName("T-000000000011")->GetParentHostName(), QStringLiteral("G-000000000001"));

    QVERIFY(mgr.RemoveChildDevicesByName("G-000000000001"));
    QCOMPARE(mgr.GetDevCount(), 3);
    QVERIFY(!mgr.FindDevByHostName("T-000000000011") && !mgr.FindDevByHostName("T-000000000012"));
    QVERIFY(mgr.FindDevByHostName("T-000000000013"));

    QVERIFY(mgr.RemoveChildDevices(pGw2));
    QCOMPARE(mgr.GetDevCount(), 2);
    QVERIFY(mgr.FindDevByHostName("G-000000000001") && mgr.FindDevByHostName("G-000000000002"));
    // Devices without a parent are never children of an empty name.
    QVERIFY(mgr.RemoveChildDevicesByName(QString()));
    QCOMPARE(mgr.GetDevCount(), 2);

    // A removed gateway leaves its virtual TX its host name, no pointer.
    mgr.AddIpcDev("cam4", "T-000000000014", pGw);
    CHOIDev* pCam = mgr.FindDevByHostName("T-000000000014");
    QVERIFY(mgr.RemoveDevice(pGw));
    QCOMPARE(pCam->GetParentDev(), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(pCam->GetParentHostName(), QStringLiteral("G-000000000001"));
    FlushDeletes();
}

void TestManager::addIpcDev()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"T\" type=\"tx\" param_prefix=\"gb\" old_api=\"y\"/>"));
    QSignalSpy spy(&mgr, &CHOIDevMgr::OnDeviceNotify);
    mgr.AddIpcDev("Camera", "NOPROD-000000000001", nullptr);
    QCOMPARE(mgr.GetDevCount(), 0);
    QCOMPARE(spy.count(), 0);

    mgr.AddIpcDev("Camera", "T-0000000000AB", nullptr);
    QCOMPARE(mgr.GetDevCount(), 1);
    CHOIDev* pDev = mgr.GetDev(0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).value<E_DeviceNotify>(), E_DN_ADD);
    QCOMPARE(pDev->GetDevType(), CHOIDev::E_DT_TX);
    QCOMPARE(pDev->GetName(), QStringLiteral("Camera"));
    QCOMPARE(pDev->m_strHostId, QStringLiteral("0000000000AB"));
    QVERIFY(pDev->m_bOldApi);
    QVERIFY(!pDev->m_bOnLine);

    // Known again: renamed in place, not added twice.
    mgr.AddIpcDev("Door", "T-0000000000AB", nullptr);
    QCOMPARE(mgr.GetDevCount(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(pDev->GetName(), QStringLiteral("Door"));
}

void TestManager::removedControllers()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"QN714\" type=\"IP Controller\"/>"));
    auto pSource = NewDev(mgr, CHOIDev::E_DT_QN714, "QN714-00AABBCCDDEE");
    pSource->SetIPAddr("10.88.1.7");
    pSource->m_strStatus = "online";
    QVERIFY(!mgr.FindListedDevByHostName("QN714-00AABBCCDDEE"));
    mgr.AddQN714Dev(pSource.get());
    CHOIDev* pCopy = mgr.FindListedDevByHostName("QN714-00AABBCCDDEE");
    QVERIFY(pCopy && pCopy != pSource.get());
    QCOMPARE(pCopy->GetDevType(), CHOIDev::E_DT_QN714);
    QCOMPARE(pCopy->GetIPAddr(), QStringLiteral("10.88.1.7"));
    QCOMPARE(pCopy->m_strHostId, QStringLiteral("00AABBCCDDEE"));
    QCOMPARE(pCopy->m_strStatus, QStringLiteral("online"));
    QCOMPARE(mgr.GetDevCount(), 0);
    QVERIFY(!mgr.FindListedDevByHostName(QString()));
    mgr.ClearFoundDevList();
    QVERIFY(!mgr.FindListedDevByHostName("QN714-00AABBCCDDEE"));
}

void TestManager::findTxByMulticastIp()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"T\" type=\"tx\"/>\n<product id=\"R\" type=\"rx\"/>"));
    CHOIDev* pTx1 = AddDev(mgr, "T-000000000001");
    CHOIDev* pTx2 = AddDev(mgr, "T-000000000002");
    CHOIDev* pRx = AddDev(mgr, "R-000000000003");
    pTx1->m_strMulticastIP = "225.0.100.1";
    pTx2->m_strMulticastIP = "225.0.100.2";
    pRx->m_strMulticastIP = "225.0.100.3";
    QCOMPARE(mgr.FindTxByMulticastIP("225.0.100.2", pTx1), pTx2);
    QCOMPARE(mgr.FindTxByMulticastIP("225.0.100.2", pTx2), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(mgr.FindTxByMulticastIP("225.0.100.3", nullptr), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(mgr.FindDevByIp(QString()), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(mgr.FindDevByHostName(QString()), static_cast<CHOIDev*>(nullptr));
    QVERIFY(!mgr.HasUnknownDevice());

    // Found by the name it bears now, never by one it bore or once removed.
    QCOMPARE(mgr.FindDevByHostName("T-000000000001"), pTx1);
    pTx1->SetHostName("T-000000000009", true);
    QVERIFY(!mgr.FindDevByHostName("T-000000000001"));
    QCOMPARE(mgr.FindDevByHostName("T-000000000009"), pTx1);
    pTx2->SetHostName("T-000000000001", true);
    QCOMPARE(mgr.FindDevByHostName("T-000000000001"), pTx2);
    QVERIFY(mgr.RemoveDevice(pTx2));
    QVERIFY(!mgr.FindDevByHostName("T-000000000001"));
}

void TestManager::sceneList()
{
    CTestMgr mgr;
    QVERIFY(!mgr.CreateScene(QString()));
    for (const char* name : {"A", "B", "C", "D"})
        QVERIFY(mgr.CreateScene(name));
    QVERIFY(!mgr.CreateScene("B"));
    QCOMPARE(mgr.GetSceneCount(), 4);

    auto names = [&mgr] {
        QStringList list;
        for (CHOIScene* pScene : mgr.GetSceneList())
            list << pScene->GetName();
        return list;
    };
    QVERIFY(!mgr.DeleteSceneByName("Z"));
    QCOMPARE(names(), QStringList({"A", "B", "C", "D"}));
    QPointer<CHOIScene> third(mgr.FindSceneByName("C"));
    QVERIFY(mgr.DeleteSceneByName("C"));
    QVERIFY(third.isNull());
    QCOMPARE(names(), QStringList({"A", "B", "D"}));
    mgr.DeleteSceneAt(0);
    QCOMPARE(names(), QStringList({"B", "D"}));
    mgr.DeleteSceneAt(7);
    mgr.DeleteScene(mgr.FindSceneByName("D"));
    QCOMPARE(names(), QStringList({"B"}));
    QCOMPARE(mgr.FindSceneByName("B"), mgr.GetScene(0));
    QVERIFY(!mgr.FindSceneByName("b"));
}

void TestManager::sceneRelays()
{
    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("G-L");
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("G");
    QSignalSpy statusSpy(&mgr, &CHOIDevMgr::OnSceneStatusChange);
    QSignalSpy progressSpy(&mgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy logSpy(&mgr, &CHOIDevMgr::OnProgressLog);

    emit pScene->OnStatusChange(pScene, E_SS_APPLIED);
    emit pWall->OnProgressNotify(E_PN_APPLY, 40);
    emit pWall->OnProgressLog("Scene('G') is applied.");
    QCOMPARE(statusSpy.count(), 1);
    QCOMPARE(statusSpy.at(0).at(0).value<CHOIScene*>(), pScene);
    QCOMPARE(statusSpy.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QCOMPARE(progressSpy.count(), 1);
    QCOMPARE(progressSpy.at(0).at(0).value<E_ProgressNotify>(), E_PN_APPLY);
    QCOMPARE(progressSpy.at(0).at(1).toInt(), 40);
    QCOMPARE(logSpy.count(), 1);
    QVERIFY(logSpy.at(0).at(0).toString().endsWith(" - Scene('G') is applied."));
}

void TestManager::videoWalls()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"R\" type=\"rx\"/>"));
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("W");
    QCOMPARE(mgr.GetOrCreateVideoWall("W"), pWall);
    QCOMPARE(mgr.GetVideoWallCount(), 1);
    QCOMPARE(mgr.FindVideoWallByName("W"), pWall);
    QVERIFY(!mgr.FindVideoWallByName("W-1"));
    QCOMPARE(mgr.GetSceneCount(), 0);

    CHOIScene* pLayout = mgr.CreateScene("W2-Evening");
    pLayout->SetGridSize(2, 3);
    pLayout->SetGroup("Hall");
    QVERIFY(!mgr.GetOrCreateVideoWallOfScene(nullptr, 1));
    CHOIScene* pWall2 = mgr.GetOrCreateVideoWallOfScene(pLayout, 7);
    QVERIFY(pWall2);
    QCOMPARE(pWall2->GetName(), QStringLiteral("W2"));
    QCOMPARE(pWall2->GetRowCount(), 2);
    QCOMPARE(pWall2->GetColCount(), 3);
    QCOMPARE(pWall2->GetGroup(), QStringLiteral("Hall"));
    QCOMPARE(pWall2->GetLayoutSeq(), 7);
    QCOMPARE(mgr.GetOrCreateVideoWallOfScene(pLayout, 9), pWall2);
    QCOMPARE(mgr.GetVideoWallCount(), 2);

    CHOIDev* pRx = AddDev(mgr, "R-000000000001");
    QVERIFY(!mgr.IsRxInAnyVideoWall(pRx));
    pLayout->GetCell(1, 2)->rx = pRx; // layouts do not count
    QVERIFY(!mgr.IsRxInAnyVideoWall(pRx));
    pWall2->GetCell(1, 2)->rx = pRx;
    QVERIFY(mgr.IsRxInAnyVideoWall(pRx));
    QVERIFY(!mgr.IsRxInAnyVideoWall(nullptr));

    // Taken out of the list at once, freed when the event loop runs again;
    // no device names it any more, one of another wall keeps that one.
    QPointer<CHOIScene> watch(pWall);
    CHOIDev* pOther = AddDev(mgr, "R-000000000002");
    pRx->SetVideoWall(pWall);
    pOther->SetVideoWall(pWall2);
    mgr.RemoveVideoWall(pWall);
    QCOMPARE(pRx->GetVideoWall(), nullptr);
    QCOMPARE(pOther->GetVideoWall(), pWall2);
    QCOMPARE(mgr.GetVideoWallCount(), 1);
    QCOMPARE(mgr.GetVideoWall(0), pWall2);
    QVERIFY(!watch.isNull());
    FlushDeletes();
    QVERIFY(watch.isNull());
}

void TestManager::clearAllEmptiesEverything()
{
    CTestMgr mgr;
    QVERIFY(LoadConfig(mgr, "<product id=\"T\" type=\"tx\"/>\n<product id=\"R\" type=\"rx\"/>"));
    QPointer<CHOIDev> pTx(AddDev(mgr, "T-000000000001"));
    QPointer<CHOIDev> pRx(AddDev(mgr, "R-000000000002"));
    QPointer<CHOIScene> pScene(mgr.CreateScene("G-L"));
    QPointer<CHOIScene> pWall(mgr.GetOrCreateVideoWall("G"));
    pScene->SetGridSize(1, 1);
    pScene->GetCell(0, 0)->txList = {pTx.data()};
    pScene->GetCell(0, 0)->rx = pRx.data();
    T_ScheduleInfo info;
    info.type = 3;
    info.scene = pScene.data();
    QCOMPARE(mgr.AddSchedule(&info), 0);
    mgr.AddLocation("Hall");
    mgr.AddResetDevHostName("R-000000000002");

    mgr.ClearAll();
    QCOMPARE(mgr.GetDevCount(), 0);
    QCOMPARE(mgr.GetSceneCount(), 0);
    QCOMPARE(mgr.GetVideoWallCount(), 0);
    QVERIFY(mgr.m_scheduleList.isEmpty());
    QCOMPARE(mgr.GetGroupCount(), 0);
    QCOMPARE(mgr.IndexOfGroup("ungrouped"), -1);
    // Kept: locations and products.
    QCOMPARE(mgr.GetLocationCount(), 1);
    QCOMPARE(mgr.GetProdList().size(), 2);
    QCOMPARE(mgr.GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));

    QVERIFY(!pTx.isNull() && !pScene.isNull());
    FlushDeletes();
    QVERIFY(pTx.isNull() && pRx.isNull() && pScene.isNull() && pWall.isNull());
}

QTEST_GUILESS_MAIN(TestManager)
#include "tst_manager.moc"
