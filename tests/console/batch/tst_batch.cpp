// The batch commands dialog and the batch group change against a small fleet
// of simulated devices in the private test LAN: which buttons the checked
// devices enable, the exact lines every operation queues on each device,
// the result line and failure details of each page, and the EDID text rule.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "batch/dlgbatch.h"
#include "batch/dlgbatchdetail.h"
#include "batch/dlgbatchgroup.h"
#include "hoi_core/edidhex.h"
#include "control/devfiltergroupbox.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/ipaddrwidget.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simhttp.h"
#include "simlan.h"
#include "uiservices.h"

#include "batchtestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod logo_enable=\"y\" txldy=\"tx_latency.sh y\" txldn=\"tx_latency.sh n\"\n"
    "         rxldy=\"rx_latency.sh y\" rxldn=\"rx_latency.sh n\">\n"
    "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           force_resolution=\"1920x1080_60,,1280x720,_30\" url=\"/upload_bg\"\n"
    "           overlay_url=\"/upload_overlay\"/>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           image_logo=\"y\" max_bitrate=\"y\" video_transport_type=\"y\" cec_enable=\"y\"/>\n"
    "  <product id=\"VRX0350\" name=\"AudioDecoder\" type=\"rx\" param_prefix=\"gb\"\n"
    "           jpeg_enable=\"n\" audio_delay=\"y\"/>\n"
    "  <product id=\"ZMRX\" name=\"Multiview\" type=\"mrx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           video_set_2=\"y\"/>\n"
    "  <product id=\"ZGW\" name=\"Gateway\" type=\"gw\" param_prefix=\"gb\"/>\n"
    "  <product id=\"ZCAM\" name=\"Camera\" type=\"tx\" param_prefix=\"gb\" ipc_flag=\"y\"/>\n"
    "  <product id=\"ZWP\" name=\"Processor\" type=\"wp\" param_prefix=\"gb\" jpeg_enable=\"n\"/>\n"
    "  <product id=\"ZVS\" name=\"WallDecoder\" type=\"rx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           video_set_2=\"y\" audio_delay=\"y\" overlay_enable=\"y\" url=\"/upload_bg\"\n"
    "           overlay_url=\"/upload_overlay\"/>\n"
    "</hoiprod>\n";

// The fleet: model and simulator type of device i.
const char *const kModels[] = {"ZRX", "ZRX", "ZRX", "ZTX", "ZTX", "VRX0350", "ZMRX", "ZGW", "ZWP", "ZVS"};
const char *const kTypes[] = {"RX", "RX", "RX", "TX", "TX", "RX", "MRX", "GW", "WP", "RX"};
const int kDevCount = 10;
enum { RX0 = 0, RX1 = 1, RX2 = 2, TX3 = 3, TX4 = 4, VRX5 = 5, MRX6 = 6, GW7 = 7, WP8 = 8, VS9 = 9 };

// Every control whose enabled state the chooser's capability signals set.
const char *const kCapabilityControls[] = {
    "pbIPAddr_apply", "pbVideo_HDCP_apply", "pbVideo_HDMI_apply", "pbVideo_Screen_apply",
    "pbVideo_Stretch_apply", "pbVideo_Rotate_apply", "pbEnablePreviewApply", "pbVideoQualityApply",
    "pbAllVideo_apply", "pbVideoMode_apply", "pbAdvanced_apply", "gbAdvance", "pushBtnSelect_bg",
    "pushBtnUpload_bg", "pbApplyOSDMethod", "pushBtnSelect_Logo", "pushBtnUpload_Logo",
    "pBOverlaySelect", "pBOverlayUpload", "pBOverlayApply", "pushBtnApply", "pushButtonOK",
    "pbSerialSet_apply", "btnSendMsg", "groupBox_13", "chbCEC", "btnOpenMsg", "btnCloseMsg",
    "pbUplaodEDIDFile", "pbEdidSet_apply", "cbEDIDSet", "gbTimeoutSet", "pbOthersCommand_apply",
    "pbHdcpSettings", "pbVideoSetApplyAll", "radioButtonJPEG", "radioButtonH", "cbVoResulotion",
    "pbForce"};

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void edidHexRule_data();
    void edidHexRule();

    void initialState();
    void capabilities_data();
    void capabilities();
    void uncheckingLastDeviceDisablesAll();
    void emptySelectionRefused();

    void ipRangeRefused_data();
    void ipRangeRefused();
    void ipAddressesWithRestart();
    void ipAddressesCarryAndSkipOffLine();

    void decoderSettings_data();
    void decoderSettings();
    void screenSettings();
    void applyAllVideo();
    void encoderAdvanced();
    void encoderAdvancedUnchecked();
    void videoMode_data();
    void videoMode();
    void hdcpDisable();
    void forcedResolution();

    void serialSetting();
    void serialMessage();
    void serialMessageRefused();
    void hexEntryFilter();
    void hexModeClearsLine();
    void displayPower_data();
    void displayPower();
    void displayPowerNeedsCommands();
    void cecTests();
    void rebootAndReset();

    void edidListAndApply();
    void edidSelectFile();
    void edidEmptyFolder();
    void edidInvalidFirstFile();
    void audioDelayByModel();
    void audioDelayRefused_data();
    void audioDelayRefused();

    void failureDetailsNameOffLineDevice();
    void deadDeviceStillOnLineDoesNotStall();
    void resultAfterEveryQueueEnds_data();
    void resultAfterEveryQueueEnds();

    void imageFileChecks();
    void logoFileChecks();
    void overlayFileChecks();
    void idleImageRound();
    void idleImageFailures();
    void logoAndOverlayRounds();
    void unansweredUploadKeepsRoundOpen();
    void stalledUploadEndsRound();
    void slowUploadNotGivenUp();
    void closingEndsUploadsForGood();
    void uploadWithoutPathRefused();
    void lateAnswerOfEarlierRoundNotCounted();
    void uploadEndKeepsWaitingPageDisabled();
    void uploadsCheckTheFileAgain_data();
    void uploadsCheckTheFileAgain();
    void overlayPosition_data();
    void overlayPosition();
    void overlayDisplayAndOsd();

    void groupChangeMovesDecoders();
    void groupChangeFilter();

    void retranslate();

private:
    CHOIDev *Dev(int i) const;
    QList<QByteArray> Lines(int i, const QList<QByteArray> &prefixes = {}) const;
    QByteArray Param(int i, const char *name, const QByteArray &value) const;
    QByteArray Save(int i) const;
    QByteArray Event(int i, const QByteArray &event) const;
    void Check(CDlgBatch &dlg, const QList<int> &devs, bool bOn = true);
    void EnsureLinks();
    bool SetOnLine(int i, bool bOn);
    // Addresses of the three plain decoders, on the device objects and the
    // simulators, so an IP test leaves the fleet as it found it.
    struct T_Addresses
    {
        QStringList dev;
        QList<QMap<QString, QString>> sim;
    };
    T_Addresses SaveAddresses() const;
    void RestoreAddresses(const T_Addresses &saved);

    template <class T>
    static T *W(QWidget &dlg, const char *name)
    {
        T *p = dlg.findChild<T *>(QLatin1String(name));
        if (!p)
            qWarning() << "no widget" << name;
        return p;
    }
    static QString Result(QWidget &dlg, const char *label) { return W<QLabel>(dlg, label)->text(); }
    static QSet<QString> EnabledControls(QWidget &dlg);
    // Opens a page's failure details and reads its rows as
    // "alias|hostname|address", the window title first.
    static QStringList DetailRows(QWidget &dlg, const char *button);

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
};

// ---------------------------------------------------------------------------
// Fixture

void TestBatch::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    RegisterProdMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");

    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write(kConfig);
    config.close();

    // The EDID folder: a valid block listed first, a damaged one, and one
    // whose ".BIN" is in capitals.
    QDir edidDir(EdidDirPath());
    for (const QString &name : edidDir.entryList(QDir::Files))
        edidDir.remove(name);
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("a_good.bin")), TestEdid(128, '\x11')));
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("b_bad.bin")), TestEdid(128, '\x22') + "x"));
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("C.BIN")), TestEdid(128, '\x33')));

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    for (int i = 0; i < kDevCount; ++i) {
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(QLatin1String(kModels[i]), i),
                                            QLatin1String(kTypes[i]));
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    QVERIFY(m_pLan->Start());

    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    for (int i = 0; i < kDevCount; ++i) {
        QVERIFY2(Dev(i), kModels[i]);
        QVERIFY(Dev(i)->m_bOnLine);
        Dev(i)->SetRetryInterval(200);
    }
    m_pMgr->AddGroup(QStringLiteral("Hall"), 1);
    m_pMgr->AddGroup(QStringLiteral("Stage"), 2);
}

void TestBatch::cleanupTestCase()
{
    delete m_pLan;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestBatch::init()
{
    if (!m_pLan)
        return;
    // A test that failed half-way may have left a device off; the next one
    // must not wait for it in vain.
    for (int i = 0; i < kDevCount; ++i) {
        m_pLan->SetDeviceOn(i, true);
        if (!Dev(i)->m_bOnLine)
            QVERIFY(SetOnLine(i, true));
    }
    EnsureLinks();
    m_pLan->ClearReceived();
}

CHOIDev *TestBatch::Dev(int i) const
{
    return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(kModels[i]), i));
}

// Reboots in earlier tests end sessions; every link is up before a test.
void TestBatch::EnsureLinks()
{
    for (int i = 0; i < kDevCount; ++i) {
        CHOIDev *pDev = Dev(i);
        if (!pDev->GetComm() || !pDev->GetComm()->IsConnected())
            pDev->EnsureConnected();
    }
    for (int i = 0; i < kDevCount; ++i)
        QTRY_VERIFY_WITH_TIMEOUT(Dev(i)->GetComm() && Dev(i)->GetComm()->IsConnected(), 10000);
    // Whatever a reconnection queued has been answered.
    QTest::qWait(100);
}

// Switches a simulated device off or on and lets a search tell the manager.
bool TestBatch::SetOnLine(int i, bool bOn)
{
    m_pLan->SetDeviceOn(i, bOn);
    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    if (!m_pMgr->StartSearch(false))
        return false;
    if (!stopSpy.wait(30000) && stopSpy.isEmpty())
        return false;
    return Dev(i)->m_bOnLine == bOn;
}

TestBatch::T_Addresses TestBatch::SaveAddresses() const
{
    T_Addresses saved;
    for (int i : {RX0, RX1, RX2}) {
        saved.dev << Dev(i)->GetIPAddr() << Dev(i)->GetNetmask() << Dev(i)->GetGateway();
        saved.sim << m_pLan->Device(i)->params();
    }
    return saved;
}

void TestBatch::RestoreAddresses(const T_Addresses &saved)
{
    for (int i : {RX0, RX1, RX2}) {
        Dev(i)->SetIPAddr(saved.dev.at(i * 3));
        Dev(i)->SetNetmask(saved.dev.at(i * 3 + 1));
        Dev(i)->SetGateway(saved.dev.at(i * 3 + 2));
        for (const char *name : {"ip_mode", "ipaddr", "netmask", "gatewayip"}) {
            const QString key = QLatin1String(name);
            if (saved.sim.at(i).contains(key))
                m_pLan->Device(i)->setParam(key, saved.sim.at(i).value(key));
            else
                m_pLan->Device(i)->removeParam(key);
        }
    }
}

QList<QByteArray> TestBatch::Lines(int i, const QList<QByteArray> &prefixes) const
{
    QList<QByteArray> out;
    for (const QByteArray &line : m_pLan->Commands(i)) {
        bool bTake = prefixes.isEmpty();
        for (const QByteArray &prefix : prefixes)
            bTake = bTake || line.startsWith(prefix);
        if (bTake)
            out << line;
    }
    return out;
}

QByteArray TestBatch::Param(int i, const char *name, const QByteArray &value) const
{
    return "gbparam s " + QByteArray::number(Dev(i)->GetHostIndex()) + QByteArray(" ") + name
           + " " + value;
}

QByteArray TestBatch::Save(int i) const
{
    return "gbparam save " + QByteArray::number(Dev(i)->GetHostIndex());
}

QByteArray TestBatch::Event(int i, const QByteArray &event) const
{
    return "e " + QByteArray::number(Dev(i)->GetHostIndex()) + " " + event;
}

void TestBatch::Check(CDlgBatch &dlg, const QList<int> &devs, bool bOn)
{
    QTreeWidget *pTree = W<QDevFilterGroupBox>(dlg, "groupBox")->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    QVERIFY(pTree);
    for (int i : devs) {
        bool bFound = false;
        for (int row = 0; row < pTree->topLevelItemCount(); ++row) {
            QTreeWidgetItem *pItem = pTree->topLevelItem(row);
            if (VariantToDev(pItem->data(0, Qt::UserRole)) == Dev(i)) {
                pItem->setCheckState(0, bOn ? Qt::Checked : Qt::Unchecked);
                bFound = true;
            }
        }
        QVERIFY2(bFound, kModels[i]);
    }
}

QStringList TestBatch::DetailRows(QWidget &dlg, const char *button)
{
    QStringList rows;
    CModalWatcher watcher([&](QWidget *pWidget) {
        rows << pWidget->windowTitle();
        QTreeWidget *pTree = pWidget->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
        for (int row = 0; pTree && row < pTree->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *pItem = pTree->topLevelItem(row);
            rows << QStringList({pItem->text(0), pItem->text(1), pItem->text(2)}).join(QLatin1Char('|'));
        }
        pWidget->close();
    });
    W<QPushButton>(dlg, button)->click();
    return rows;
}

QSet<QString> TestBatch::EnabledControls(QWidget &dlg)
{
    // The control's own state: a control inside a disabled group keeps its.
    QSet<QString> enabled;
    for (const char *name : kCapabilityControls) {
        QWidget *pWidget = W<QWidget>(dlg, name);
        if (pWidget && !pWidget->testAttribute(Qt::WA_ForceDisabled))
            enabled.insert(QLatin1String(name));
    }
    return enabled;
}

// ---------------------------------------------------------------------------
// EDID hex text

void TestBatch::edidHexRule_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("sendLength");

    QTest::newRow("128 bytes") << TestEdid(128, '\x01') << true << 8 << 383;
    QTest::newRow("256 bytes") << TestEdid(256, '\x01') << true << 16 << 767;
    QTest::newRow("129 bytes") << TestEdid(128, '\x01') + "x" << false << 0 << 0;
    QTest::newRow("255 bytes") << (TestEdid(256, '\x01')).left(255) << false << 0 << 0;
    // Sinks refuse an EDID whose block does not sum to 0.
    QByteArray badSum = TestEdid(128, '\x01');
    badSum[127] = char(badSum.at(127) + 1);
    QTest::newRow("bad checksum") << badSum << false << 0 << 0;
    QByteArray noHeader = TestEdid(128, '\x01');
    noHeader[0] = '\x01';
    QTest::newRow("first byte not 00") << noHeader << false << 0 << 0;
}

void TestBatch::edidHexRule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(int, lines);
    QFETCH(int, sendLength);

    const QString raw = EdidRawHex(bytes);
    QCOMPARE(raw, QString::fromLatin1(bytes.toHex()));
    QCOMPARE(IsValidEdidHeader(raw), valid);
    if (!valid)
        return;
    const QString display = EdidDisplayText(raw);
    QCOMPARE(display.split(QLatin1Char('\n')).size(), lines);
    QCOMPARE(display.split(QLatin1Char('\n')).first(), QStringLiteral("00 ff ff ff ff ff ff 00 01 01 01 01 01 01 01 01"));
    QVERIFY(!display.endsWith(QLatin1Char(' ')) && !display.endsWith(QLatin1Char('\n')));
    const QString send = EdidSendText(raw);
    QCOMPARE(send.size(), sendLength);
    QVERIFY(send.startsWith(QLatin1String("00 ff ff ff ff ff ff 00 01")));
    QVERIFY(!send.contains(QLatin1Char('\n')));
    // The header is compared as the loaders write it: lower case.
    QVERIFY(!IsValidEdidHeader(raw.toUpper()));
}

// ---------------------------------------------------------------------------
// Frame and capability enabling

void TestBatch::initialState()
{
    CDlgBatch dlg;
    QTabWidget *pTabs = W<QTabWidget>(dlg, "chkHexSend_sinkPower");
    QStringList titles;
    for (int i = 0; i < pTabs->count(); ++i)
        titles << pTabs->tabText(i);
    QCOMPARE(titles, QStringList({"IP", "Video", "Image", "Audio", "Serial", "Power", "EDID", "Others"}));
    QCOMPARE(pTabs->currentIndex(), 0);
    QCOMPARE(W<QIPAddrWidget>(dlg, "edtIPAddr_mask")->GetIPAddress(), QStringLiteral("255.255.0.0"));
    QVERIFY(W<QCheckBox>(dlg, "cBdevRestart")->isChecked());
    QVERIFY(W<QRadioButton>(dlg, "radioButtonJPEG")->isChecked());
    QCOMPARE(W<QStackedWidget>(dlg, "stackedWidget_2")->currentWidget(), W<QWidget>(dlg, "page"));

    // Nothing can be applied before a device is checked.
    QSet<QString> enabled = EnabledControls(dlg);
    enabled.remove(QStringLiteral("chbCEC")); // the check box itself; its group is off
    QCOMPARE(enabled, QSet<QString>({"radioButtonJPEG", "radioButtonH"}));
    for (const char *name : {"pbIPAddrDetails", "pbVideoSetDetails", "pbImageDetails", "pbAudioDetails",
                             "pbSerialSetDetails", "pbSinkPowerDetails", "pbEdidSetDetails", "pbOthersDetails"})
        QVERIFY2(W<QPushButton>(dlg, name)->isHidden(), name);

    // The H.264 page starts with "vbr" at 20000 and 60 frames per second.
    QCOMPARE(W<QComboBox>(dlg, "cbEncMode_2")->currentText(), QStringLiteral("vbr"));
    QCOMPARE(W<QStackedWidget>(dlg, "stackedWidget")->currentWidget(), W<QWidget>(dlg, "pgVBR"));
    QCOMPARE(W<QSpinBox>(dlg, "sbVBRMaxBitrate")->value(), 20000);
    QCOMPARE(W<QSpinBox>(dlg, "sbEncFPS")->value(), 60);
    QComboBox *pMode = W<QComboBox>(dlg, "cmbVideoMode");
    QCOMPARE(pMode->count(), 2);
    QCOMPARE(pMode->itemData(1).toString(), QStringLiteral("low delay"));
    QComboBox *pBaud = W<QComboBox>(dlg, "cmbBaudRate_sinkPower");
    QCOMPARE(pBaud->count(), 18);
    QCOMPARE(pBaud->itemText(0), QStringLiteral("50"));
    QCOMPARE(pBaud->currentText(), QStringLiteral("115200"));
    QCOMPARE(W<QComboBox>(dlg, "cmbParity_2")->itemData(2).toInt(), int(CHOIDev::PAR_EVEN));

    // Only the devices the dialog can set are offered: not a gateway's
    // virtual TX, on line with its gateway but without a link.
    m_pMgr->AddIpcDev(QStringLiteral("Cam"), QStringLiteral("ZCAM-0A5800000001"), Dev(GW7));
    CHOIDev *pCamera = m_pMgr->FindDevByHostName(QStringLiteral("ZCAM-0A5800000001"));
    QVERIFY(pCamera);
    pCamera->m_bOnLine = true;
    const auto dropCamera = qScopeGuard([this] { m_pMgr->RemoveChildDevices(Dev(GW7)); });
    CDlgBatch listed;
    QTreeWidget *pTree = W<QDevFilterGroupBox>(listed, "groupBox")->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    QCOMPARE(pTree->topLevelItemCount(), kDevCount);
    QCOMPARE(pTree->headerItem()->text(1), QStringLiteral("Alias"));
    QCOMPARE(pTree->headerItem()->text(2), QStringLiteral("Hostname"));
}

void TestBatch::capabilities_data()
{
    QTest::addColumn<QList<int>>("devs");
    QTest::addColumn<QStringList>("enabled");

    const QStringList jpegButtons = {"pbVideo_HDCP_apply", "pbVideo_HDMI_apply", "pbVideo_Screen_apply",
                                     "pbVideo_Stretch_apply", "pbVideo_Rotate_apply"};
    QTest::newRow("plain decoder")
        << QList<int>{RX0}
        << QStringList({"pbIPAddr_apply", "pbOthersCommand_apply", "btnSendMsg", "pbSerialSet_apply",
                        "pbEdidSet_apply", "cbEDIDSet", "gbTimeoutSet", "pbVideoMode_apply", "pushBtnSelect_bg",
                        "pbApplyOSDMethod", "btnOpenMsg", "btnCloseMsg", "groupBox_13", "chbCEC",
                        "cbVoResulotion", "pbForce"})
               + jpegButtons;
    QTest::newRow("gateway")
        << QList<int>{GW7}
        << QStringList({"pbIPAddr_apply", "pbOthersCommand_apply", "btnSendMsg", "pushBtnSelect_bg",
                        "pbApplyOSDMethod", "btnOpenMsg", "btnCloseMsg", "groupBox_13", "chbCEC",
                        "pbVideoMode_apply", "radioButtonJPEG", "radioButtonH"})
               + jpegButtons;
    // Their product sends CEC: the CEC tests stay on for an encoder.
    QTest::newRow("encoders")
        << QList<int>{TX3, TX4}
        << QStringList({"pbIPAddr_apply", "pbOthersCommand_apply", "btnSendMsg", "pbSerialSet_apply",
                        "pbEdidSet_apply", "cbEDIDSet", "gbTimeoutSet", "pbVideoMode_apply", "gbAdvance",
                        "pbAdvanced_apply", "pbHdcpSettings", "pbVideoSetApplyAll", "pushBtnSelect_Logo",
                        "pbEnablePreviewApply", "pbVideoQualityApply", "btnOpenMsg", "btnCloseMsg"});
    QTest::newRow("audio decoder")
        << QList<int>{VRX5}
        << QStringList({"pbIPAddr_apply", "pbOthersCommand_apply", "btnSendMsg", "pbSerialSet_apply",
                        "pbEdidSet_apply", "cbEDIDSet", "gbTimeoutSet", "pbVideoMode_apply", "pushBtnSelect_bg",
                        "pbApplyOSDMethod", "btnOpenMsg", "btnCloseMsg", "groupBox_13", "chbCEC",
                        "pushButtonOK"})
               + jpegButtons;
}

void TestBatch::capabilities()
{
    QFETCH(QList<int>, devs);
    QFETCH(QStringList, enabled);

    CDlgBatch dlg;
    Check(dlg, devs);
    const QStringList expected = enabled;
    QCOMPARE(EnabledControls(dlg), QSet<QString>(expected.begin(), expected.end()));
}

void TestBatch::uncheckingLastDeviceDisablesAll()
{
    CDlgBatch dlg;
    // Encoders: the logo and bitrate features of their product show.
    Check(dlg, {TX3});
    QCOMPARE(W<QSpinBox>(dlg, "sbVBRMaxBitrate")->maximum(), 30720);
    QCOMPARE(W<QLabel>(dlg, "label_52")->text(), QStringLiteral("64~30720"));
    QCOMPARE(W<QLabel>(dlg, "label_Size_bg")->text(), QStringLiteral("Image Resolution: 1280X720"));
    QVERIFY(!W<QComboBox>(dlg, "cbTranType")->isHidden());
    QVERIFY(W<QComboBox>(dlg, "cbMaxResolution")->isHidden());
    W<QLineEdit>(dlg, "lineEditFilePath_bg")->setText(QStringLiteral("/tmp/x.jpg"));

    Check(dlg, {TX3}, false);
    QVERIFY(EnabledControls(dlg).subtract({"radioButtonJPEG", "radioButtonH", "chbCEC"}).isEmpty());
    QVERIFY(W<QLineEdit>(dlg, "lineEditFilePath_bg")->text().isEmpty());
    QCOMPARE(W<QComboBox>(dlg, "cbEDIDSet")->currentIndex(), 0);
    QVERIFY(W<QRadioButton>(dlg, "radioBtn_HDCP_E")->isChecked());
}

void TestBatch::emptySelectionRefused()
{
    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0});
    W<QPushButton>(dlg, "pbOthersCommand_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    // The result stays when the next run finds nothing checked; the box
    // only tells why.
    Check(dlg, {RX0}, false);
    QMetaObject::invokeMethod(&dlg, "slotOthersApply");
    QCOMPARE(boxes.Texts(), QStringList({"No controlled device was selected."}));
    QCOMPARE(boxes.Boxes().first().icon, QMessageBox::Critical);
    QVERIFY(boxes.Boxes().first().title.isEmpty());
    QCOMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    QVERIFY(!W<QPushButton>(dlg, "pbOthersDetails")->isHidden());
    QVERIFY(dlg.isEnabled());
}

// ---------------------------------------------------------------------------
// IP page

void TestBatch::ipRangeRefused_data()
{
    QTest::addColumn<QString>("begin");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no begin") << "0.0.0.0" << "10.1.1.1" << "255.255.0.0" << "IP Address begin is empty."
                              << "edtIPAddr_begin";
    QTest::newRow("no end") << "10.1.1.1" << "0.0.0.0" << "255.255.0.0" << "IP Address end is empty."
                            << "edtIPAddr_end";
    QTest::newRow("no mask") << "10.1.1.1" << "10.1.1.9" << "0.0.0.0" << "subnet mask is empty."
                             << "edtIPAddr_mask";
    QTest::newRow("begin 0") << "0.1.2.3" << "10.1.1.9" << "255.255.0.0"
                             << "The first IP segment may not enter 0 or 255" << "edtIPAddr_begin";
    QTest::newRow("end 255") << "10.1.2.3" << "255.1.1.9" << "255.255.0.0"
                             << "The first IP segment may not enter 0 or 255" << "edtIPAddr_end";
    QTest::newRow("second octet") << "192.168.1.1" << "192.167.1.5" << "255.255.0.0"
                                  << "The IP address end cannot be less than the IP address begin." << "";
    // The message differs where the third octet turns the range round.
    QTest::newRow("third octet") << "192.168.2.1" << "192.168.1.9" << "255.255.0.0"
                                 << "The IP address end cannot be less than the first IP address begin." << "";
    QTest::newRow("fourth octet") << "192.168.1.5" << "192.168.1.1" << "255.255.0.0"
                                  << "The IP address end cannot be less than the IP address begin." << "";
    QTest::newRow("too few") << "192.168.1.5" << "192.168.1.6" << "255.255.0.0"
                             << "the total number of IP address is less than the total number of devices." << "";
    QTest::newRow("end multicast") << "10.1.1.1" << "224.0.0.1" << "255.0.0.0"
                                   << "Invalid IP address: 224.0.0.1" << "edtIPAddr_end";
    QTest::newRow("mask not contiguous") << "10.1.1.1" << "10.1.1.9" << "255.0.255.0"
                                         << "Invalid subnet mask: 255.0.255.0" << "edtIPAddr_mask";
}

void TestBatch::ipRangeRefused()
{
    QFETCH(QString, begin);
    QFETCH(QString, end);
    QFETCH(QString, mask);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0, RX1, RX2});
    W<QIPAddrWidget>(dlg, "edtIPAddr_begin")->SetIPAddress(begin);
    W<QIPAddrWidget>(dlg, "edtIPAddr_end")->SetIPAddress(end);
    W<QIPAddrWidget>(dlg, "edtIPAddr_mask")->SetIPAddress(mask);
    W<QPushButton>(dlg, "pbIPAddr_apply")->click();
    QCOMPARE(boxes.Texts(), QStringList({message}));
    QVERIFY(dlg.isEnabled());
    // The refused address takes the focus; a range refusal names no field.
    QCOMPARE(dlg.focusWidget() ? dlg.focusWidget()->objectName() : QString(), focus);
    QVERIFY(Result(dlg, "lbResultIPAddr").isEmpty());
    QTest::qWait(200);
    for (int i : {RX0, RX1, RX2})
        QVERIFY(Lines(i, {"gbparam s "}).isEmpty());
}

void TestBatch::ipAddressesWithRestart()
{
    // The three decoders take their own addresses again, so their links
    // stay where they are.
    const T_Addresses saved = SaveAddresses();
    QList<QSharedPointer<QSignalSpy>> closed;
    for (int i : {RX0, RX1, RX2})
        closed << QSharedPointer<QSignalSpy>(new QSignalSpy(m_pLan->Device(i), &SimDevice::sessionClosed));
    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0, RX1, RX2});
    W<QIPAddrWidget>(dlg, "edtIPAddr_begin")->SetIPAddress(m_pLan->Address(RX0).toString());
    W<QIPAddrWidget>(dlg, "edtIPAddr_end")->SetIPAddress(m_pLan->Address(RX2).toString());

    // A No sends nothing.
    boxes.Answer(QMessageBox::No);
    W<QPushButton>(dlg, "pbIPAddr_apply")->click();
    QCOMPARE(boxes.Boxes().last().text, QStringLiteral("Are you sure you want to set ip address?"));
    QCOMPARE(boxes.Boxes().last().defaultButton, QMessageBox::No);
    QVERIFY(Result(dlg, "lbResultIPAddr").isEmpty());

    boxes.Answer(QMessageBox::Yes);
    W<QPushButton>(dlg, "pbIPAddr_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultIPAddr"), QStringLiteral("succeed: 3, fail: 0."));
    QVERIFY(!W<QPushButton>(dlg, "pbIPAddrDetails")->isHidden());
    for (int i : {RX0, RX1, RX2}) {
        const QByteArray addr = m_pLan->Address(i).toString().toLatin1();
        const QList<QByteArray> expected = {Param(i, "ip_mode", "static"), Param(i, "ipaddr", addr),
                                            Param(i, "netmask", "255.255.0.0"),
                                            Param(i, "gatewayip", "0.0.0.0"), Save(i),
                                            "(sleep 1; reboot) &"};
        QTRY_COMPARE(Lines(i, {"gbparam", "(sleep"}), expected);
        QCOMPARE(Dev(i)->GetIPMode(), CHOIDev::E_IM_STATIC);
    }
    // The restart ends each device's session a second later.
    for (const auto &pSpy : qAsConst(closed))
        QTRY_VERIFY_WITH_TIMEOUT(!pSpy->isEmpty(), 5000);
    RestoreAddresses(saved);
}

void TestBatch::ipAddressesCarryAndSkipOffLine()
{
    const T_Addresses saved = SaveAddresses();
    QStringList oldAddrs;
    for (int i : {RX0, RX1, RX2})
        oldAddrs << Dev(i)->GetIPAddr();

    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0, RX1, RX2});
    QVERIFY(SetOnLine(RX1, false));
    W<QIPAddrWidget>(dlg, "edtIPAddr_begin")->SetIPAddress(QStringLiteral("192.168.1.254"));
    W<QIPAddrWidget>(dlg, "edtIPAddr_end")->SetIPAddress(QStringLiteral("192.168.2.10"));
    W<QIPAddrWidget>(dlg, "edtIPAddr_mask")->SetIPAddress(QStringLiteral("255.255.255.0"));
    W<QIPAddrWidget>(dlg, "edtIPAddr_geteway")->SetIPAddress(QStringLiteral("192.168.1.1"));
    W<QCheckBox>(dlg, "cBdevRestart")->setChecked(false);
    boxes.Answer(QMessageBox::Yes);
    m_pLan->ClearReceived();
    W<QPushButton>(dlg, "pbIPAddr_apply")->click();

    QTRY_COMPARE(Result(dlg, "lbResultIPAddr"), QStringLiteral("succeed: 2, fail: 1."));
    // The off-line device uses up 192.168.1.255.
    QCOMPARE(Dev(RX0)->GetIPAddr(), QStringLiteral("192.168.1.254"));
    QCOMPARE(Dev(RX1)->GetIPAddr(), oldAddrs.at(1));
    QCOMPARE(Dev(RX2)->GetIPAddr(), QStringLiteral("192.168.2.0"));
    QTRY_COMPARE(Lines(RX2, {"gbparam"}),
                 QList<QByteArray>({Param(RX2, "ip_mode", "static"), Param(RX2, "ipaddr", "192.168.2.0"),
                                    Param(RX2, "netmask", "255.255.255.0"),
                                    Param(RX2, "gatewayip", "192.168.1.1"), Save(RX2)}));
    QTest::qWait(300);
    QVERIFY(Lines(RX1).isEmpty());
    QVERIFY(Lines(RX0, {"(sleep"}).isEmpty());

    // The details show the address the failed device still has.
    QCOMPARE(DetailRows(dlg, "pbIPAddrDetails"),
             QStringList({QStringLiteral("Failure details"),
                          Dev(RX1)->GetDisplayName() + QLatin1Char('|') + Dev(RX1)->GetDefaultName()
                              + QLatin1Char('|') + oldAddrs.at(1)}));

    RestoreAddresses(saved);
    QVERIFY(SetOnLine(RX1, true));
}

// ---------------------------------------------------------------------------
// Video page

namespace {

// "P name value" a parameter, "E event" an event, "S" the save command.
using Expand = std::function<QByteArray(const QString &code)>;

QList<QByteArray> ExpandCodes(const QStringList &codes, const Expand &expand)
{
    QList<QByteArray> lines;
    for (const QString &code : codes)
        lines << expand(code);
    return lines;
}

} // namespace

void TestBatch::decoderSettings_data()
{
    QTest::addColumn<QList<int>>("devs");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("codes");

    const QList<int> rx = {RX0, RX1};
    QTest::newRow("HDCP original") << rx << "pbVideo_HDCP_apply" << "cbHDCPHybrid" << 0
                                   << QStringList({"P hdcp_always_on n", "P hdcp_always_on_22 n", "S"});
    QTest::newRow("HDCP always 2.2") << rx << "pbVideo_HDCP_apply" << "cbHDCPHybrid" << 2
                                     << QStringList({"P hdcp_always_on n", "P hdcp_always_on_22 y", "S"});
    QTest::newRow("timing 2160p24") << rx << "pbVideo_HDMI_apply" << "cbHDMIHybrid" << 4
                                    << QStringList({"P v_output_timing_convert 8000005D", "S"});
    QTest::newRow("timing 1080p50") << rx << "pbVideo_HDMI_apply" << "cbHDMIHybrid" << 2
                                    << QStringList({"P v_output_timing_convert 8000001F", "S"});
    QTest::newRow("pass-through") << rx << "pbVideo_HDMI_apply" << "cbHDMIHybrid" << 0
                                  << QStringList({"P v_output_timing_convert 0", "S"});
    QTest::newRow("stretch out") << rx << "pbVideo_Stretch_apply" << "cbStretchType" << 0
                                 << QStringList({"E e_vw_stretch_type_1", "S"});
    QTest::newRow("fit in") << rx << "pbVideo_Stretch_apply" << "cbStretchType" << 1
                            << QStringList({"E e_vw_stretch_type_2", "S"});
    QTest::newRow("rotate 270") << rx << "pbVideo_Rotate_apply" << "cbRotate" << 2
                                << QStringList({"E e_vw_rotate_6", "S"});
    QTest::newRow("quality auto") << QList<int>{TX3} << "pbVideoQualityApply" << "cbQuality" << 0
                                  << QStringList({"P ast_video_quality_mode -1", "S"});
    QTest::newRow("quality worst") << QList<int>{TX3} << "pbVideoQualityApply" << "cbQuality" << 6
                                   << QStringList({"P ast_video_quality_mode 5", "S"});
}

void TestBatch::decoderSettings()
{
    QFETCH(QList<int>, devs);
    QFETCH(QString, button);
    QFETCH(QString, combo);
    QFETCH(int, index);
    QFETCH(QStringList, codes);

    for (int i : devs)
        Dev(i)->SetVwStretchType(7);
    CDlgBatch dlg;
    Check(dlg, devs);
    W<QComboBox>(dlg, combo.toLatin1())->setCurrentIndex(index);
    QPushButton *pButton = W<QPushButton>(dlg, button.toLatin1());
    QVERIFY(pButton->isEnabled());
    pButton->click();
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: %1, fail: 0.").arg(devs.size()));
    for (int i : devs) {
        const QList<QByteArray> expected = ExpandCodes(codes, [&](const QString &code) {
            const QStringList w = code.split(QLatin1Char(' '));
            if (w.at(0) == QLatin1String("P"))
                return Param(i, w.at(1).toLatin1().constData(), w.at(2).toLatin1());
            if (w.at(0) == QLatin1String("E"))
                return Event(i, w.at(1).toLatin1());
            return Save(i);
        });
        QTRY_COMPARE(Lines(i, {"gbparam s", "gbparam save", "e "}), expected);
    }
    // What the device object keeps.
    CHOIDev *pDev = Dev(devs.first());
    if (combo == QLatin1String("cbHDCPHybrid")) {
        QCOMPARE(pDev->GetHdcpAlwaysOn(), index == 1);
        QCOMPARE(pDev->GetHdcpAlwaysOn22(), index == 2);
    } else if (combo == QLatin1String("cbRotate")) {
        QCOMPARE(pDev->GetVwRotate(), 6);
        QCOMPARE(pDev->GetVwStretchType(), 7);
    } else if (combo == QLatin1String("cbStretchType")) {
        QCOMPARE(pDev->GetVwStretchType(), index + 1);
    } else if (combo == QLatin1String("cbQuality")) {
        QCOMPARE(pDev->GetVideoQualityMode(), index - 1);
    } else {
        QCOMPARE(pDev->GetOutputTimingConvert(), dlg.GetOutputTimingCode());
    }
}

void TestBatch::screenSettings()
{
    CDlgBatch dlg;
    Check(dlg, {RX0});
    W<QCheckBox>(dlg, "chbScreenStop")->setChecked(true);
    W<QPushButton>(dlg, "pbVideo_Screen_apply")->click();
    QTRY_COMPARE(Lines(RX0, {"gbparam s "}),
                 QList<QByteArray>({Param(RX0, "v_turn_off_screen_on_pwr_save", "y"),
                                    Param(RX0, "v_src_unavailable_timeout", "10000")}));
    QCOMPARE(Dev(RX0)->GetSrcUnavailableTimeout(), 10000);
    QVERIFY(Dev(RX0)->GetTurnOffScreenOnPwrSave());

    // Without "Detecting video lost" the time-out is -1; the screen box is
    // still read.
    m_pLan->ClearReceived();
    W<QCheckBox>(dlg, "checkBox")->click();
    QVERIFY(!W<QSpinBox>(dlg, "spinBox_ScreenTimeOut")->isEnabled());
    QVERIFY(!W<QCheckBox>(dlg, "chbScreenStop")->isEnabled());
    W<QPushButton>(dlg, "pbVideo_Screen_apply")->click();
    QTRY_COMPARE(Lines(RX0, {"gbparam s "}),
                 QList<QByteArray>({Param(RX0, "v_turn_off_screen_on_pwr_save", "y"),
                                    Param(RX0, "v_src_unavailable_timeout", "-1")}));
    QCOMPARE(Dev(RX0)->GetSrcUnavailableTimeout(), -1);
}

void TestBatch::applyAllVideo()
{
    {
        // A decoder takes the seven decoder settings.
        CDlgBatch dlg;
        Check(dlg, {VS9});
        W<QComboBox>(dlg, "cbHDCPHybrid")->setCurrentIndex(1);
        W<QComboBox>(dlg, "cbHDMIHybrid")->setCurrentIndex(1);
        W<QCheckBox>(dlg, "checkBox")->click();
        W<QComboBox>(dlg, "cbStretchType")->setCurrentIndex(0);
        W<QComboBox>(dlg, "cbRotate")->setCurrentIndex(1);
        W<QComboBox>(dlg, "cbQuality")->setCurrentIndex(3);
        QVERIFY(W<QPushButton>(dlg, "pbAllVideo_apply")->isEnabled());
        W<QPushButton>(dlg, "pbAllVideo_apply")->click();
        QTRY_COMPARE(Lines(VS9, {"gbparam s", "gbparam save", "e "}),
                     QList<QByteArray>({Param(VS9, "hdcp_always_on", "y"), Param(VS9, "hdcp_always_on_22", "n"),
                                        Param(VS9, "v_output_timing_convert", "80000010"),
                                        Param(VS9, "v_turn_off_screen_on_pwr_save", "n"),
                                        Param(VS9, "v_src_unavailable_timeout", "-1"),
                                        Event(VS9, "e_vw_stretch_type_1"), Event(VS9, "e_vw_rotate_3"), Save(VS9)}));
        QCOMPARE(Dev(VS9)->GetVwRotate(), 3);
        QCOMPARE(Dev(VS9)->GetOutputTimingConvert(), QStringLiteral("80000010"));
    }
    {
        // A multiview decoder is treated like an encoder: quality and preview.
        CDlgBatch dlg;
        Check(dlg, {MRX6});
        W<QComboBox>(dlg, "cbQuality")->setCurrentIndex(3);
        W<QCheckBox>(dlg, "cbEnablePreview")->setChecked(true);
        W<QPushButton>(dlg, "pbAllVideo_apply")->click();
        QTRY_COMPARE(Lines(MRX6, {"gbparam s", "gbparam save", "e "}),
                     QList<QByteArray>({Param(MRX6, "ast_video_quality_mode", "2"),
                                        Param(MRX6, "preview_enable", "y"), Save(MRX6)}));
        QCOMPARE(Dev(MRX6)->GetVideoQualityMode(), 2);
        QVERIFY(Dev(MRX6)->GetPreviewEnable());
        QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    }
}

void TestBatch::encoderAdvanced()
{
    CDlgBatch dlg;
    Check(dlg, {TX3, TX4});
    QGroupBox *pAdvance = W<QGroupBox>(dlg, "gbAdvance");
    QVERIFY(pAdvance->isEnabled());
    pAdvance->setChecked(true);
    QComboBox *pMode = W<QComboBox>(dlg, "cbEncMode_2");
    W<QSpinBox>(dlg, "sbVBRMaxBitrate")->setValue(5000);
    pMode->setCurrentIndex(1);
    QCOMPARE(W<QStackedWidget>(dlg, "stackedWidget")->currentWidget(), W<QWidget>(dlg, "pgCBR"));
    QCOMPARE(W<QSpinBox>(dlg, "sbCBRAvgBitrate")->value(), 10000);
    // Switching back resets the typed value.
    pMode->setCurrentIndex(0);
    QCOMPARE(W<QSpinBox>(dlg, "sbVBRMaxBitrate")->value(), 20000);
    pMode->setCurrentIndex(1);
    W<QComboBox>(dlg, "cbTranType")->setCurrentIndex(1);
    W<QPushButton>(dlg, "pbAdvanced_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 2, fail: 0."));
    for (int i : {TX3, TX4}) {
        QTRY_COMPARE(Lines(i, {"gbconfig"}),
                     QList<QByteArray>({"gbconfig --enc-rc-mode=cbr", "gbconfig --cbr-avg-bitrate=10000",
                                        "gbconfig --enc-fps=60", "gbconfig --transport-type=ts"}));
        QVariant value;
        QVERIFY(Dev(i)->GetOptionValue(E_EP_CBR_AVG_BITRATE, value));
        QCOMPARE(value.toInt(), 10000);
    }
}

void TestBatch::encoderAdvancedUnchecked()
{
    CDlgBatch dlg;
    Check(dlg, {TX3, TX4});
    QVERIFY(!W<QGroupBox>(dlg, "gbAdvance")->isChecked());
    W<QPushButton>(dlg, "pbAdvanced_apply")->click();
    QCOMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 2, fail: 0."));
    QTest::qWait(300);
    QVERIFY(Lines(TX3, {"gbconfig"}).isEmpty());
    QVERIFY(Lines(TX4, {"gbconfig"}).isEmpty());
}

void TestBatch::videoMode_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("encoder low delay") << int(TX3) << 1 << QByteArray("tx_latency.sh y");
    QTest::newRow("encoder high quality") << int(TX3) << 0 << QByteArray("tx_latency.sh n");
    QTest::newRow("processor low delay") << int(WP8) << 1 << QByteArray("rx_latency.sh y");
    QTest::newRow("multiview high quality") << int(MRX6) << 0 << QByteArray("rx_latency.sh n");
    QTest::newRow("gateway: an empty line") << int(GW7) << 1 << QByteArray();
}

void TestBatch::videoMode()
{
    QFETCH(int, dev);
    QFETCH(int, mode);
    QFETCH(QByteArray, line);

    CDlgBatch dlg;
    Check(dlg, {dev});
    W<QComboBox>(dlg, "cmbVideoMode")->setCurrentIndex(mode);
    QPushButton *pApply = W<QPushButton>(dlg, "pbVideoMode_apply");
    QVERIFY(pApply->isEnabled());
    pApply->click();
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Dev(dev)->GetVoMode(), T_ProdIdInfo::LatencyMode2Name(mode));
    if (line.isEmpty()) {
        QTest::qWait(300);
        QVERIFY(Lines(dev, {"tx_", "rx_"}).isEmpty());
    } else {
        QTRY_COMPARE(Lines(dev, {"tx_", "rx_"}), QList<QByteArray>({line}));
    }
}

void TestBatch::hdcpDisable()
{
    CDlgBatch dlg;
    Check(dlg, {TX3});
    QVERIFY(W<QRadioButton>(dlg, "radioBtn_HDCP_E")->isChecked());
    W<QRadioButton>(dlg, "radioBtn_HDCP_D")->setChecked(true);
    // The HDCP radios are apart from the video sub-page radios.
    QVERIFY(W<QRadioButton>(dlg, "radioButtonJPEG")->isChecked());
    Dev(TX3)->SetHdcpEnable(1);
    W<QPushButton>(dlg, "pbHdcpSettings")->click();
    QTRY_COMPARE(Lines(TX3, {"gbconfig"}), QList<QByteArray>({"gbconfig --hdcp-enable=n"}));
    QVERIFY(!Dev(TX3)->GetHdcpEnable());
}

void TestBatch::forcedResolution()
{
    Dev(RX0)->SetForceResolution(QStringLiteral("1280x720"));
    CDlgBatch dlg;
    Check(dlg, {RX0});
    QComboBox *pCombo = W<QComboBox>(dlg, "cbVoResulotion");
    QStringList texts;
    for (int i = 0; i < pCombo->count(); ++i)
        texts << pCombo->itemText(i);
    QCOMPARE(texts, QStringList({"1920x1080 (60fps)", "1280x720", "_30"}));
    QCOMPARE(pCombo->currentIndex(), 1);
    pCombo->setCurrentIndex(0);
    W<QPushButton>(dlg, "pbForce")->click();
    QTRY_COMPARE(Lines(RX0, {"gbset"}), QList<QByteArray>({"gbset -vfo  1920x1080_60"}));
    QCOMPARE(Dev(RX0)->GetForceResolution(), QStringLiteral("1920x1080_60"));

    // A product without a list leaves the group off.
    Check(dlg, {RX0}, false);
    Check(dlg, {TX3});
    QCOMPARE(pCombo->count(), 0);
    QVERIFY(!W<QPushButton>(dlg, "pbForce")->isEnabled());
}

// ---------------------------------------------------------------------------
// Serial, Power and Others pages

void TestBatch::serialSetting()
{
    {
        CDlgBatch dlg;
        Check(dlg, {TX3, TX4});
        W<QPushButton>(dlg, "pbSerialSet_apply")->click();
        QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 0."));
        for (int i : {TX3, TX4}) {
            QTRY_COMPARE(Lines(i, {"gbparam s", "gbparam save"}),
                         QList<QByteArray>({Param(i, "s0_baudrate", "115200-8n1"),
                                            Param(i, "soip_type2_token_timeout", "1"), Save(i)}));
            QCOMPARE(Dev(i)->GetS0Baudrate(), QStringLiteral("115200-8n1"));
        }
    }
    {
        // Decoders get no token time-out.
        CDlgBatch dlg;
        Check(dlg, {RX0});
        W<QComboBox>(dlg, "cmbBaudRate_2")->setCurrentText(QStringLiteral("9600"));
        W<QComboBox>(dlg, "cmbDataBits_2")->setCurrentText(QStringLiteral("7"));
        W<QComboBox>(dlg, "cmbParity_2")->setCurrentIndex(2);
        W<QComboBox>(dlg, "cmbStopBits_2")->setCurrentIndex(1);
        W<QSpinBox>(dlg, "spinBox_TimeOut")->setValue(5);
        W<QPushButton>(dlg, "pbSerialSet_apply")->click();
        QTRY_COMPARE(Lines(RX0, {"gbparam s", "gbparam save"}),
                     QList<QByteArray>({Param(RX0, "s0_baudrate", "9600-7e2"), Save(RX0)}));
        QCOMPARE(Dev(RX0)->GetS0Baudrate(), QStringLiteral("9600-7e2"));
    }
}

void TestBatch::serialMessage()
{
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1});
    W<QCheckBox>(dlg, "chkHexSend")->click();
    W<QCheckBox>(dlg, "chkSendCrLf")->setChecked(true);
    QTest::keyClicks(W<QPlainTextEdit>(dlg, "edtMsg"), QStringLiteral("0a ff"));
    W<QPushButton>(dlg, "btnSendMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 0."));
    for (int i : {RX0, RX1})
        QTRY_COMPARE(Lines(i, {"soip2"}), QList<QByteArray>({"soip2 -f /dev/ttyS0 -b 115200-8n1 -r -H -s \"0a ff\""}));

    // Plain text with both boxes clear; the tool gets the quotes as typed.
    m_pLan->ClearReceived();
    W<QCheckBox>(dlg, "chkHexSend")->click();
    W<QCheckBox>(dlg, "chkSendCrLf")->setChecked(false);
    W<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("say \"hi\"\n"));
    W<QPushButton>(dlg, "btnSendMsg")->click();
    QTRY_COMPARE(Lines(RX0, {"soip2"}).size(), 1);
    QVERIFY(Lines(RX0, {"soip2"}).first().startsWith("soip2 -f /dev/ttyS0 -b 115200-8n1  -s "));
    QCOMPARE(SimSerialMessages(*m_pLan->Device(RX0)).last(), QByteArray("say \"hi\""));
}

void TestBatch::serialMessageRefused()
{
    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0});
    QPlainTextEdit *pMsg = W<QPlainTextEdit>(dlg, "edtMsg");
    QPushButton *pSend = W<QPushButton>(dlg, "btnSendMsg");
    pMsg->setPlainText(QStringLiteral("\n\n"));
    QVERIFY(pSend->isEnabled());
    pSend->click();
    QCOMPARE(boxes.Texts(), QStringList({"Please enter the send information."}));
    QVERIFY(dlg.isEnabled());
    pMsg->clear();
    QVERIFY(!pSend->isEnabled());
    QTest::qWait(200);
    QVERIFY(Lines(RX0, {"soip2"}).isEmpty());
}

void TestBatch::hexEntryFilter()
{
    CDlgBatch dlg;
    QPlainTextEdit *pMsg = W<QPlainTextEdit>(dlg, "edtMsg");
    W<QCheckBox>(dlg, "chkHexSend")->click();

    QTest::keyClicks(pMsg, QStringLiteral("0AG"));
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("0A"));
    pMsg->moveCursor(QTextCursor::End);
    pMsg->insertPlainText(QStringLiteral("XYZ"));
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("0A"));
    // Only the end is checked.
    pMsg->moveCursor(QTextCursor::Start);
    pMsg->insertPlainText(QStringLiteral("G"));
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("G0A"));
    pMsg->setPlainText(QStringLiteral("0a ff\nzz"));
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("0a ff\n"));
    // A long paste of other characters is cut in one go.
    pMsg->setPlainText(QStringLiteral("1") + QString(200000, QLatin1Char('x')));
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("1"));

    // The power commands follow "Hex Mode" of their own page.
    QTextEdit *pPowerOn = W<QTextEdit>(dlg, "teSinkPower_msgPoweron");
    pPowerOn->setPlainText(QStringLiteral("ON!"));
    QCOMPARE(pPowerOn->toPlainText(), QStringLiteral("ON!"));
    W<QCheckBox>(dlg, "chbHex")->setChecked(true);
    pPowerOn->setPlainText(QStringLiteral("AA 0x"));
    QCOMPARE(pPowerOn->toPlainText(), QStringLiteral("AA 0"));
}

void TestBatch::hexModeClearsLine()
{
    CDlgBatch dlg;
    QPlainTextEdit *pMsg = W<QPlainTextEdit>(dlg, "edtMsg");
    QCheckBox *pHex = W<QCheckBox>(dlg, "chkHexSend");
    pMsg->setPlainText(QStringLiteral("hello"));
    pHex->click();
    QVERIFY(pMsg->toPlainText().isEmpty());

    pHex->click();
    pMsg->setPlainText(QStringLiteral("11\n22"));
    pMsg->moveCursor(QTextCursor::End);
    pHex->click();
    QCOMPARE(pMsg->toPlainText(), QStringLiteral("11"));

    QTextEdit *pOn = W<QTextEdit>(dlg, "teSinkPower_msgPoweron");
    QTextEdit *pStandby = W<QTextEdit>(dlg, "teSinkPower_msgStandby");
    pOn->setPlainText(QStringLiteral("on"));
    pStandby->setPlainText(QStringLiteral("off"));
    Check(dlg, {RX0});
    W<QCheckBox>(dlg, "chbRS232")->click();
    W<QCheckBox>(dlg, "chbHex")->click();
    QVERIFY(pOn->toPlainText().isEmpty());
    QVERIFY(pStandby->toPlainText().isEmpty());
}

void TestBatch::displayPower_data()
{
    QTest::addColumn<bool>("cec");
    QTest::addColumn<bool>("rs232");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("powerOn");
    QTest::addColumn<QString>("standby");
    QTest::addColumn<QByteArray>("commands");

    QTest::newRow("CEC only") << true << false << false << "" << "" << QByteArray("gbconfig --sinkpower-mode cec");
    QTest::newRow("RS232") << false << true << false << "PWR ON" << "PWR OFF"
                           << QByteArray("gbconfig --sinkpower-mode rs232;gbconfig --rs232-param 115200-8n1;"
                                         "gbconfig --rs232-hex-cmd-enable n;gbparam s rs232_poweron_cmd \"PWR ON\";"
                                         "gbparam s rs232_standby_cmd \"PWR OFF\"");
    QTest::newRow("both, hex") << true << true << true << "AA 01" << "AA 00"
                               << QByteArray("gbconfig --sinkpower-mode both;gbconfig --rs232-param 115200-8n1;"
                                             "gbconfig --rs232-hex-cmd-enable y;gbparam s rs232_poweron_cmd \"AA 01\";"
                                             "gbparam s rs232_standby_cmd \"AA 00\"");
}

void TestBatch::displayPower()
{
    QFETCH(bool, cec);
    QFETCH(bool, rs232);
    QFETCH(bool, hex);
    QFETCH(QString, powerOn);
    QFETCH(QString, standby);
    QFETCH(QByteArray, commands);

    CDlgBatch dlg;
    Check(dlg, {RX0});
    QPushButton *pApply = W<QPushButton>(dlg, "pbSinkPower_apply");
    QVERIFY(!pApply->isEnabled());
    if (cec)
        W<QCheckBox>(dlg, "chbCEC")->click();
    if (rs232)
        W<QCheckBox>(dlg, "chbRS232")->click();
    QVERIFY(pApply->isEnabled());
    QCOMPARE(W<QGroupBox>(dlg, "gbRS232Setting")->isEnabledTo(&dlg), rs232);
    if (hex)
        W<QCheckBox>(dlg, "chbHex")->click();
    W<QTextEdit>(dlg, "teSinkPower_msgPoweron")->setPlainText(powerOn);
    W<QTextEdit>(dlg, "teSinkPower_msgStandby")->setPlainText(standby);
    pApply->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 0."));
    QTRY_COMPARE(Lines(RX0, {"if "}),
                 QList<QByteArray>({"if [ \"`gbconfig --help | grep sinkpower | wc -l`\" != \"0\" ]; then " + commands
                                    + "; fi"}));
}

void TestBatch::displayPowerNeedsCommands()
{
    CDlgBatch dlg;
    CBoxRecorder boxes;
    Check(dlg, {RX0});
    W<QCheckBox>(dlg, "chbRS232")->click();
    W<QPushButton>(dlg, "pbSinkPower_apply")->click();
    W<QTextEdit>(dlg, "teSinkPower_msgPoweron")->setPlainText(QStringLiteral("\n"));
    W<QPushButton>(dlg, "pbSinkPower_apply")->click();
    W<QTextEdit>(dlg, "teSinkPower_msgPoweron")->setPlainText(QStringLiteral("on"));
    W<QPushButton>(dlg, "pbSinkPower_apply")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Please enter the power on information.",
                                         "Please enter the power on information.",
                                         "Please enter the standby information."}));
    QVERIFY(Result(dlg, "lbResultSinkPower").isEmpty());
    QTest::qWait(200);
    QVERIFY(Lines(RX0, {"if "}).isEmpty());
}

void TestBatch::cecTests()
{
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1});
    W<QPushButton>(dlg, "btnOpenMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 0."));
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    for (int i : {RX0, RX1})
        QTRY_COMPARE(Lines(i, {"e e_cec"}), QList<QByteArray>({"e e_cec_one_touch_play", "e e_cec_system_standby"}));
}

void TestBatch::rebootAndReset()
{
    QSignalSpy closed(m_pLan->Device(RX2), &SimDevice::sessionClosed);
    CDlgBatch dlg;
    Check(dlg, {RX2});
    W<QPushButton>(dlg, "pbOthersCommand_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    QTRY_COMPARE(Lines(RX2, {"(sleep", "reset", "reboot"}), QList<QByteArray>({"(sleep 1; reboot) &"}));
    QTRY_VERIFY_WITH_TIMEOUT(!closed.isEmpty(), 5000);

    EnsureLinks();
    m_pLan->ClearReceived();
    closed.clear();
    W<QComboBox>(dlg, "cmbOthersCommand")->setCurrentIndex(1);
    W<QPushButton>(dlg, "pbOthersCommand_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    QTRY_COMPARE(Lines(RX2, {"(sleep", "reset", "reboot"}), QList<QByteArray>({"reset_to_default.sh", "reboot"}));
    QTRY_VERIFY_WITH_TIMEOUT(!closed.isEmpty(), 5000);
}

// ---------------------------------------------------------------------------
// EDID and Audio pages

void TestBatch::edidListAndApply()
{
    CBoxRecorder boxes;
    CDlgBatch dlg;
    QComboBox *pList = W<QComboBox>(dlg, "cbEDIDSet");
    QStringList items;
    for (int i = 0; i < pList->count(); ++i)
        items << pList->itemText(i);
    QCOMPARE(items, QStringList({"a_good", "b_bad", "C.BIN", "Upload..."}));
    QVERIFY(!W<QPushButton>(dlg, "pbUplaodEDIDFile")->isEnabled());
    QTextEdit *pInfo = W<QTextEdit>(dlg, "teEDIDInfo");
    const QString good = EdidRawHex(TestEdid(128, '\x11'));
    QCOMPARE(pInfo->toPlainText(), EdidDisplayText(good));
    QVERIFY(boxes.Texts().isEmpty());

    Check(dlg, {RX0});
    QVERIFY(W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    W<QPushButton>(dlg, "pbEdidSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultEdidSet"), QStringLiteral("succeed: 1, fail: 0."));
    const QByteArray line =
        "echo \"" + EdidSendText(good).toLatin1() + "\" > /sys/devices/platform/videoip/eeprom_content";
    QTRY_COMPARE(Lines(RX0, {"echo"}), QList<QByteArray>({line}));

    // A damaged file: the box, an empty text, and nothing left to apply, not
    // even once another checked device turns the page's buttons on.
    pList->setCurrentIndex(1);
    QCOMPARE(boxes.Texts(), QStringList({"Invalid EDID !"}));
    QCOMPARE(boxes.Boxes().first().title, QStringLiteral("EDID Setting"));
    QVERIFY(pInfo->toPlainText().isEmpty());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    Check(dlg, {RX1});
    QVERIFY(W<QComboBox>(dlg, "cbEDIDSet")->isEnabled());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    Check(dlg, {RX1}, false);
    // "C.BIN" loads the file of that name and turns Apply on again.
    pList->setCurrentIndex(2);
    const QString upper = EdidRawHex(TestEdid(128, '\x33'));
    QCOMPARE(pInfo->toPlainText(), EdidDisplayText(upper));
    QCOMPARE(boxes.Texts().size(), 1);
    m_pLan->ClearReceived();
    W<QPushButton>(dlg, "pbEdidSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultEdidSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX0, {"echo"}),
                 QList<QByteArray>({"echo \"" + EdidSendText(upper).toLatin1()
                                    + "\" > /sys/devices/platform/videoip/eeprom_content"}));

    pList->setCurrentIndex(3);
    QVERIFY(W<QPushButton>(dlg, "pbUplaodEDIDFile")->isEnabled());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
}

void TestBatch::edidSelectFile()
{
    // A longer file counts as its first 256 bytes.
    const QString path = QDir::temp().filePath(QStringLiteral("tst_batch_edid.bin"));
    const QByteArray bytes = TestEdid(256, '\x44') + QByteArray(44, '\x66');
    QVERIFY(WriteFile(path, bytes));

    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX1});
    W<QComboBox>(dlg, "cbEDIDSet")->setCurrentIndex(3);
    files.Answer(path);
    W<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QCOMPARE(files.Requests().size(), 1);
    QCOMPARE(files.Requests().first().strCaption, QStringLiteral("Open File"));
    QCOMPARE(files.Requests().first().strFilter, QStringLiteral("(*.bin)"));
    QCOMPARE(W<QLineEdit>(dlg, "leEDIDFileName")->text(), path);
    const QString raw = EdidRawHex(bytes.left(256));
    QCOMPARE(W<QTextEdit>(dlg, "teEDIDInfo")->toPlainText(), EdidDisplayText(raw));
    QVERIFY(W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    W<QPushButton>(dlg, "pbEdidSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultEdidSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX1, {"echo"}),
                 QList<QByteArray>({"echo \"" + EdidSendText(raw).toLatin1()
                                    + "\" > /sys/devices/platform/videoip/eeprom_content"}));

    QVERIFY(boxes.Texts().isEmpty());

    // A file that is no EDID leaves nothing to apply; a valid one again
    // does, and a cancelled choice again nothing.
    const QString bad = QDir::temp().filePath(QStringLiteral("tst_batch_bad.bin"));
    QVERIFY(WriteFile(bad, TestEdid(128, '\x44').left(100)));
    files.Answer(bad);
    W<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Invalid EDID !"}));
    QVERIFY(W<QTextEdit>(dlg, "teEDIDInfo")->toPlainText().isEmpty());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    files.Answer(path);
    W<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QVERIFY(W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    W<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QVERIFY(W<QTextEdit>(dlg, "teEDIDInfo")->toPlainText().isEmpty());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    QFile::remove(path);
    QFile::remove(bad);
}

namespace {

// Puts the files of the EDID folder aside, and back at the end.
class CEdidFolderAside
{
public:
    CEdidFolderAside()
        : m_dir(EdidDirPath())
    {
        for (const QString &name : m_dir.entryList(QDir::Files)) {
            QFile file(m_dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                m_files.insert(name, file.readAll());
            file.close();
            m_dir.remove(name);
        }
    }
    ~CEdidFolderAside()
    {
        for (const QString &name : m_dir.entryList(QDir::Files))
            m_dir.remove(name);
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
            WriteFile(m_dir.filePath(it.key()), it.value());
    }

private:
    QDir m_dir;
    QMap<QString, QByteArray> m_files;
};

} // namespace

void TestBatch::edidEmptyFolder()
{
    // A fresh install: nothing in the folder, the file is chosen anywhere,
    // also after a change of the checked devices has turned the page off.
    CEdidFolderAside aside;
    const QString path = QDir::temp().filePath(QStringLiteral("tst_batch_fresh.bin"));
    QVERIFY(WriteFile(path, TestEdid(128, '\x55')));
    CBatchFileAnswers files;
    CDlgBatch dlg;
    QCOMPARE(W<QComboBox>(dlg, "cbEDIDSet")->count(), 1);
    Check(dlg, {RX0});
    Check(dlg, {RX0}, false);
    Check(dlg, {RX0});
    QPushButton *pSelect = W<QPushButton>(dlg, "pbUplaodEDIDFile");
    QVERIFY(pSelect->isEnabled());
    QVERIFY(!W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    files.Answer(path);
    pSelect->click();
    QVERIFY(W<QPushButton>(dlg, "pbEdidSet_apply")->isEnabled());
    QFile::remove(path);
}

void TestBatch::edidInvalidFirstFile()
{
    // The first file is loaded while the dialog is built; its refusal waits
    // for the dialog to be up, in front of it.
    CEdidFolderAside aside;
    QVERIFY(WriteFile(QDir(EdidDirPath()).filePath(QStringLiteral("bad.bin")), TestEdid(128, '\x22') + "x"));
    CBoxRecorder boxes;
    CDlgBatch dlg;
    QVERIFY(boxes.Texts().isEmpty());
    bool bUp = false;
    boxes.WhileOpen([&] { bUp = dlg.isVisible(); });
    dlg.show();
    QTRY_COMPARE(boxes.Texts(), QStringList({"Invalid EDID !"}));
    QVERIFY(bUp);
}

void TestBatch::audioDelayByModel()
{
    for (int dev : {int(VRX5), int(VS9)}) {
        CDlgBatch dlg;
        Check(dlg, {dev});
        QLineEdit *pDelay = W<QLineEdit>(dlg, "lineEdit");
        QTest::keyClicks(pDelay, QStringLiteral("1205"));
        QCOMPARE(pDelay->text(), QStringLiteral("120"));
        W<QPushButton>(dlg, "pushButtonOK")->click();
        QTRY_COMPARE(Result(dlg, "lbResultAudio"), QStringLiteral("succeed: 1, fail: 0."));
        const QByteArray line = dev == VRX5 ? "gbconfig --delay-play 120" : "gbconfig --audio-delay 120";
        QTRY_COMPARE(Lines(dev, {"gbconfig"}), QList<QByteArray>({line}));
    }
}

void TestBatch::audioDelayRefused_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("501") << QStringLiteral("501");
    QTest::newRow("600") << QStringLiteral("600");
}

void TestBatch::audioDelayRefused()
{
    QFETCH(QString, value);
    CBoxRecorder boxes;
    CDlgBatch dlg;
    Check(dlg, {VS9});
    W<QLineEdit>(dlg, "lineEdit")->setText(value);
    W<QPushButton>(dlg, "pushButtonOK")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Please enter a delay from 0 to 500 ms."}));
    QVERIFY(dlg.isEnabled());
    QVERIFY(Result(dlg, "lbResultAudio").isEmpty());
    QVERIFY(W<QPushButton>(dlg, "pbAudioDetails")->isHidden());
    QTest::qWait(200);
    QVERIFY(Lines(VS9, {"gbconfig --audio-delay"}).isEmpty());
}

// ---------------------------------------------------------------------------
// A dead device

void TestBatch::failureDetailsNameOffLineDevice()
{
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    QVERIFY(SetOnLine(RX2, false));
    m_pLan->ClearReceived();

    W<QPushButton>(dlg, "pbSerialSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 1."));
    QVERIFY(dlg.isEnabled());
    // The others were not held up by the dead one.
    for (int i : {RX0, RX1})
        QTRY_COMPARE(Lines(i, {"gbparam s "}), QList<QByteArray>({Param(i, "s0_baudrate", "115200-8n1")}));
    QVERIFY(Lines(RX2).isEmpty());

    const QString deadRow = Dev(RX2)->GetDisplayName() + QLatin1Char('|') + Dev(RX2)->GetDefaultName()
                            + QLatin1Char('|') + Dev(RX2)->GetIPAddr();
    const QStringList onlyDead = {QStringLiteral("Failure details"), deadRow};
    QCOMPARE(DetailRows(dlg, "pbSerialSetDetails"), onlyDead);

    // Every page counts the dead device on its own.
    W<QPushButton>(dlg, "btnOpenMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 1."));
    QCOMPARE(DetailRows(dlg, "pbSinkPowerDetails"), onlyDead);

    // The next run of a page replaces its list.
    Check(dlg, {RX2}, false);
    W<QPushButton>(dlg, "pbSerialSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 0."));
    QCOMPARE(DetailRows(dlg, "pbSerialSetDetails"), QStringList({"Failure details"}));
    QCOMPARE(DetailRows(dlg, "pbSinkPowerDetails"), onlyDead);

    QVERIFY(SetOnLine(RX2, true));
}

void TestBatch::deadDeviceStillOnLineDoesNotStall()
{
    // Switched off between two on-line checks: the manager still counts it
    // on line, so its line is queued and its link tried again; the others
    // have theirs, and the page ends once that link gives up.
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    m_pLan->SetDeviceOn(RX1, false);
    const auto restore = qScopeGuard([this] { QVERIFY(SetOnLine(RX1, true)); });
    QTRY_VERIFY(!Dev(RX1)->GetComm()->IsConnected());
    QVERIFY(Dev(RX1)->m_bOnLine);
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 1."));
    QVERIFY(dlg.isEnabled());
    for (int i : {RX0, RX2})
        QTRY_COMPARE(Lines(i, {"e e_cec"}), QList<QByteArray>({"e e_cec_system_standby"}));
    QVERIFY(Lines(RX1).isEmpty());
}

void TestBatch::resultAfterEveryQueueEnds_data()
{
    // The page names its result label "lbResult<page>" and its Details
    // button "pb<page>Details".
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("live"); // -1: none
    QTest::addColumn<int>("dead");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArrayList>("lines"); // what the live device receives
    QTest::addColumn<bool>("stalls"); // the dead device's link stays up and it never answers

    const QByteArray addr = m_pLan->Address(RX0).toString().toLatin1();
    QTest::newRow("IP") << QByteArray("pbIPAddr_apply") << QByteArray("IPAddr") << int(RX0) << int(RX1)
                        << QByteArray("gbparam s")
                        << QByteArrayList({Param(RX0, "ip_mode", "static"), Param(RX0, "ipaddr", addr),
                                           Param(RX0, "netmask", "255.255.0.0"),
                                           Param(RX0, "gatewayip", "0.0.0.0"), Save(RX0)}) << false;
    QTest::newRow("Video") << QByteArray("pbVideo_HDMI_apply") << QByteArray("VideoSet") << int(RX0) << int(RX1)
                           << QByteArray("gbparam s")
                           << QByteArrayList({Param(RX0, "v_output_timing_convert", "0"), Save(RX0)}) << false;
    QTest::newRow("Image") << QByteArray("pbApplyOSDMethod") << QByteArray("Image") << int(RX0) << int(RX1)
                           << QByteArray("gbconfig") << QByteArrayList({"gbconfig --osd-display-method=follow"})
                           << false;
    QTest::newRow("Audio") << QByteArray("pushButtonOK") << QByteArray("Audio") << -1 << int(VS9) << QByteArray()
                           << QByteArrayList() << false;
    QTest::newRow("Serial") << QByteArray("pbSerialSet_apply") << QByteArray("SerialSet") << int(RX0) << int(RX1)
                            << QByteArray("gbparam s")
                            << QByteArrayList({Param(RX0, "s0_baudrate", "115200-8n1"), Save(RX0)}) << false;
    QTest::newRow("Serial, never answered") << QByteArray("pbSerialSet_apply") << QByteArray("SerialSet") << int(RX0)
                                            << int(RX1) << QByteArray("gbparam s")
                                            << QByteArrayList({Param(RX0, "s0_baudrate", "115200-8n1"), Save(RX0)})
                                            << true;
    QTest::newRow("Power") << QByteArray("btnCloseMsg") << QByteArray("SinkPower") << int(RX0) << int(RX1)
                           << QByteArray("e e_cec") << QByteArrayList({"e e_cec_system_standby"}) << false;
    QTest::newRow("EDID") << QByteArray("pbEdidSet_apply") << QByteArray("EdidSet") << int(RX0) << int(RX1)
                          << QByteArray("echo")
                          << QByteArrayList({"echo \"" + EdidSendText(EdidRawHex(TestEdid(128, '\x11'))).toLatin1()
                                             + "\" > /sys/devices/platform/videoip/eeprom_content"}) << false;
    QTest::newRow("Others") << QByteArray("pbOthersCommand_apply") << QByteArray("Others") << int(RX0) << int(RX1)
                            << QByteArray("(sleep") << QByteArrayList({"(sleep 1; reboot) &"}) << false;
}

void TestBatch::resultAfterEveryQueueEnds()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, page);
    QFETCH(int, live);
    QFETCH(int, dead);
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, stalls);

    // Links closed, as after a reboot once the retries are spent: the lines
    // bring them up, and a device whose shell refuses counts as failed. A
    // device that never answers counts as failed once its link gives up.
    const T_Addresses saved = SaveAddresses();
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    CDlgBatch dlg;
    const QList<int> devs = live < 0 ? QList<int>({dead}) : QList<int>({live, dead});
    Check(dlg, devs);
    // The IP page gives the two decoders their own addresses.
    W<QIPAddrWidget>(dlg, "edtIPAddr_begin")->SetIPAddress(m_pLan->Address(RX0).toString());
    W<QIPAddrWidget>(dlg, "edtIPAddr_end")->SetIPAddress(m_pLan->Address(RX1).toString());
    W<QCheckBox>(dlg, "cBdevRestart")->setChecked(false);
    W<QLineEdit>(dlg, "lineEdit")->setText(QStringLiteral("120"));
    for (int i : stalls ? QList<int>() : devs)
        Dev(i)->CloseComm();
    m_pLan->Device(dead)->setRefuseConnections(!stalls);
    m_pLan->Device(dead)->setStallReplies(stalls);
    Dev(dead)->GetComm()->SetCheckerInterval(300);
    const auto restore = qScopeGuard([&] {
        m_pLan->Device(dead)->setRefuseConnections(false);
        m_pLan->Device(dead)->setStallReplies(false);
        Dev(dead)->GetComm()->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
        RestoreAddresses(saved);
    });
    W<QPushButton>(dlg, button.constData())->click();
    QVERIFY(Result(dlg, ("lbResult" + page).constData()).startsWith(QLatin1String("is setting ")));
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, ("lbResult" + page).constData()),
                              QStringLiteral("succeed: %1, fail: 1.").arg(devs.size() - 1), 10000);
    QVERIFY(dlg.isEnabled());
    if (live >= 0)
        QCOMPARE(Lines(live, {prefix}), lines);
    const QString deadRow = Dev(dead)->GetDisplayName() + QLatin1Char('|') + Dev(dead)->GetDefaultName()
                            + QLatin1Char('|') + Dev(dead)->GetIPAddr();
    QCOMPARE(DetailRows(dlg, ("pb" + page + "Details").constData()),
             QStringList({QStringLiteral("Failure details"), deadRow}));
    // The restart ends the session a second later.
    if (page == "Others")
        QTRY_VERIFY_WITH_TIMEOUT(!Dev(live)->GetComm()->IsConnected(), 5000);
}

// ---------------------------------------------------------------------------
// Image page

namespace {

QString TempPath(const QString &name)
{
    return QDir::temp().filePath(QStringLiteral("tst_batch_") + name);
}

// A JPEG padded with bytes after its end to the given size.
QString MakeJpeg(const QString &name, qint64 nSize)
{
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString path = TempPath(name);
    image.save(path, "JPG");
    QFile file(path);
    file.open(QIODevice::Append);
    file.write(QByteArray(int(nSize - file.size()), '\0'));
    return path;
}

QString MakePng(const QString &name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString path = TempPath(name);
    image.save(path, "PNG");
    return path;
}

// A bitmap header of the given depth followed by zeros up to the size.
QString MakeBmp(const QString &name, int nBits, qint64 nSize)
{
    QByteArray bytes(int(nSize), '\0');
    auto put16 = [&](int pos, quint16 v) { qToLittleEndian(v, bytes.data() + pos); };
    auto put32 = [&](int pos, quint32 v) { qToLittleEndian(v, bytes.data() + pos); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(nSize));
    put32(10, 54);
    put32(14, 40);
    put32(18, 16);
    put32(22, 16);
    put16(26, 1);
    put16(28, quint16(nBits));
    const QString path = TempPath(name);
    WriteFile(path, bytes);
    return path;
}

bool IsRed(QLabel *pLabel)
{
    return pLabel->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

// The HTTP side of some simulated devices, on port 80 of their addresses.
class CHttpFleet
{
public:
    CHttpFleet(CSimLan *pLan, const QList<int> &devs)
    {
        for (int i : devs) {
            CSimHttp *pHttp = new CSimHttp;
            pHttp->AddUploadPath("/upload_overlay");
            if (!pHttp->Listen(pLan->Address(i), 80))
                qWarning() << "HTTP of device" << i << "not listening";
            m_http.insert(i, pHttp);
        }
    }
    ~CHttpFleet() { qDeleteAll(m_http); }
    CSimHttp *operator[](int i) const { return m_http.value(i); }

private:
    QMap<int, CSimHttp *> m_http;
};

} // namespace

void TestBatch::imageFileChecks()
{
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0});
    QPushButton *pUpload = W<QPushButton>(dlg, "pushBtnUpload_bg");
    QLabel *pSize = W<QLabel>(dlg, "label_SizeTatol_bg");

    const QString atLimit = MakeJpeg(QStringLiteral("limit.jpg"), 1572864);
    files.Answer(atLimit);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QCOMPARE(files.Requests().last().strCaption, QStringLiteral("Select idle image"));
    QCOMPARE(files.Requests().last().strFilter, QStringLiteral("(*.jpg)"));
    QCOMPARE(W<QLineEdit>(dlg, "lineEditFilePath_bg")->text(), atLimit);
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:1536 (KB) (<1.5MB)"));
    QCOMPARE(W<QLabel>(dlg, "label_Size_bg")->text(), QStringLiteral("Image Resolution:32X16"));
    QVERIFY(!IsRed(pSize));
    QVERIFY(pUpload->isEnabled());
    QVERIFY(!W<QLabel>(dlg, "labelPicture_bg")->pixmap(Qt::ReturnByValue).isNull());

    files.Answer(MakeJpeg(QStringLiteral("over.jpg"), 1572865));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QVERIFY(IsRed(pSize));
    QVERIFY(!pUpload->isEnabled());

    // Not an image, whatever its name: the choice before stays.
    const QString notImage = TempPath(QStringLiteral("text.jpg"));
    QVERIFY(WriteFile(notImage, "hello"));
    const QString before = W<QLineEdit>(dlg, "lineEditFilePath_bg")->text();
    files.Answer(notImage);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Open image failed!"}));
    QCOMPARE(boxes.Boxes().last().title, QStringLiteral("Open image failed"));
    QCOMPARE(boxes.Boxes().last().icon, QMessageBox::Information);
    QCOMPARE(W<QLineEdit>(dlg, "lineEditFilePath_bg")->text(), before);
}

void TestBatch::logoFileChecks()
{
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {TX3});
    QPushButton *pUpload = W<QPushButton>(dlg, "pushBtnUpload_Logo");
    QLabel *pSize = W<QLabel>(dlg, "label_SizeTatol_Logo");

    files.Answer(MakeBmp(QStringLiteral("logo_ok.bmp"), 32, 131071));
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(files.Requests().last().strFilter, QStringLiteral("(*.bmp)"));
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:127 (KB) (<128KB)"));
    QVERIFY(!IsRed(pSize));
    QVERIFY(pUpload->isEnabled());

    files.Answer(MakeBmp(QStringLiteral("logo_limit.bmp"), 32, 131072));
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:128 (KB) (<128KB)"));
    QVERIFY(IsRed(pSize));
    QVERIFY(!pUpload->isEnabled());

    // A 24-bit bitmap is refused and the choice before stays.
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::red);
    const QString rgb24 = TempPath(QStringLiteral("logo24.bmp"));
    QVERIFY(image.save(rgb24, "BMP"));
    boxes.Clear();
    files.Answer(rgb24);
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Open logo image failed!"}));
    QVERIFY(W<QLineEdit>(dlg, "lineEditFilePath_Logo")->text().endsWith(QLatin1String("logo_limit.bmp")));
}

void TestBatch::overlayFileChecks()
{
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {VS9});
    QPushButton *pUpload = W<QPushButton>(dlg, "pBOverlayUpload");
    QLabel *pRes = W<QLabel>(dlg, "label_42");
    files.Answer(MakePng(QStringLiteral("full.png"), 1920, 1080));
    W<QPushButton>(dlg, "pBOverlaySelect")->click();
    QCOMPARE(pRes->text(), QStringLiteral("Image Resolution:1920X1080 (<= 1920X1080)"));
    QVERIFY(!IsRed(pRes));
    QVERIFY(pUpload->isEnabled());
    for (const QSize &size : {QSize(1921, 1080), QSize(1920, 1081)}) {
        files.Answer(MakePng(QStringLiteral("big.png"), size.width(), size.height()));
        W<QPushButton>(dlg, "pBOverlaySelect")->click();
        QVERIFY(IsRed(pRes));
        QVERIFY(!pUpload->isEnabled());
    }
}

void TestBatch::idleImageRound()
{
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    QVERIFY(SetOnLine(RX1, false));

    const QString path = MakeJpeg(QStringLiteral("idle.jpg"), 200000);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    files.Answer(path);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QLabel *pProgress = W<QLabel>(dlg, "label_pro");
    QStringList progress;
    const auto sample = [&] {
        if (progress.last() != pProgress->text())
            progress << pProgress->text();
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, sample);

    // The round starts at 0 % before any event is handled; a sample taken
    // later may already see the first progress.
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    progress << pProgress->text();
    sampler.start(1);
    QVERIFY(dlg.isEnabled());
    // Nothing is counted before the answers are in.
    QVERIFY(W<QPushButton>(dlg, "pbImageDetails")->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 1."), 10000);
    QCOMPARE(pProgress->text(), QStringLiteral("Progress: 100%"));
    sampler.stop();
    // The end may come between two samples.
    sample();
    QCOMPARE(progress.first(), QStringLiteral("Progress: 0%"));
    QCOMPARE(progress.count(QStringLiteral("Progress: 100%")), 1);
    QCOMPARE(progress.last(), QStringLiteral("Progress: 100%"));
    for (int i : {RX0, RX2}) {
        QCOMPARE(http[i]->RequestCount(), 1);
        const T_SimHttpRequest request = http[i]->Requests().first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/upload_bg"));
        QCOMPARE(request.partName, QByteArray("bgimage"));
        QCOMPARE(request.partData, bytes);
    }
    QCOMPARE(http[RX1]->RequestCount(), 0);

    const QStringList rows = DetailRows(dlg, "pbImageDetails");
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows.last().startsWith(Dev(RX1)->GetDisplayName() + QLatin1Char('|') + Dev(RX1)->GetDefaultName()));

    // Another set of devices: that result speaks of others.
    Check(dlg, {RX0, RX2}, false);
    QVERIFY(Result(dlg, "lbResultImage").isEmpty());
    QVERIFY(pProgress->text().isEmpty());
    // A round in which no upload starts ends at once, at 100 %.
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
    QCOMPARE(pProgress->text(), QStringLiteral("Progress: 100%"));
    QVERIFY(SetOnLine(RX1, true));
}

void TestBatch::idleImageFailures()
{
    // Two devices of one name are each counted once.
    const QString alias = Dev(RX0)->GetName();
    Dev(RX0)->SetName(QStringLiteral("Twin"));
    Dev(RX1)->SetName(QStringLiteral("Twin"));
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    http[RX1]->SetFault(CSimHttp::E_HF_STATUS, 500);
    http[RX2]->SetFault(CSimHttp::E_HF_REFUSE);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle2.jpg"), 50000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 2."), 10000);
    QTest::qWait(300);
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 2."));
    Dev(RX0)->SetName(alias);
    Dev(RX1)->SetName(alias);
}

void TestBatch::logoAndOverlayRounds()
{
    {
        CHttpFleet http(m_pLan, {TX3, TX4});
        CBatchFileAnswers files;
        CDlgBatch dlg;
        Check(dlg, {TX3, TX4});
        files.Answer(MakeBmp(QStringLiteral("logo.bmp"), 32, 4096));
        W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
        W<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."), 10000);
        for (int i : {TX3, TX4}) {
            QCOMPARE(http[i]->Requests().first().path, QByteArray("/upload_logo"));
            QCOMPARE(http[i]->Stored("/upload_logo").size(), 4096);
        }
    }
    {
        CHttpFleet http(m_pLan, {VS9});
        http[VS9]->SetFault(CSimHttp::E_HF_STALL);
        CBatchFileAnswers files;
        CDlgBatch dlg;
        Check(dlg, {VS9});
        files.Answer(MakePng(QStringLiteral("overlay.png"), 64, 32));
        W<QPushButton>(dlg, "pBOverlaySelect")->click();
        W<QPushButton>(dlg, "pBOverlayUpload")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!http[VS9]->Requests().isEmpty() && http[VS9]->Requests().first().complete, 10000);
        QCOMPARE(http[VS9]->Requests().first().path, QByteArray("/upload_overlay"));
        // No count before the device has answered.
        QVERIFY(Result(dlg, "lbResultImage").startsWith(QLatin1String("is setting ")));
        QVERIFY(W<QPushButton>(dlg, "pbImageDetails")->isHidden());
        QVERIFY(W<QLabel>(dlg, "label_pro")->text() != QLatin1String("Progress: 100%"));
        http[VS9]->AnswerHeld(200);
        QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 10000);
        QCOMPARE(W<QLabel>(dlg, "label_pro")->text(), QStringLiteral("Progress: 100%"));
    }
}

void TestBatch::unansweredUploadKeepsRoundOpen()
{
    CHttpFleet http(m_pLan, {RX0, RX2});
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    {
        CDlgBatch dlg;
        Check(dlg, {RX0, RX2});
        files.Answer(MakeJpeg(QStringLiteral("idle3.jpg"), 30000));
        W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
        W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
        QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->RequestCount(), 1, 10000);
        QTest::qWait(500);
        // The dialog is free meanwhile; the round stays open.
        QVERIFY(dlg.isEnabled());
        QVERIFY(Result(dlg, "lbResultImage").startsWith(QLatin1String("is setting ")));
        QVERIFY(W<QLabel>(dlg, "label_pro")->text() != QLatin1String("Progress: 100%"));
        QCOMPARE(http[RX2]->OpenConnections(), 1);

        // Another operation of the page starts afresh.
        W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(0);
        W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
        QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."));
        QCOMPARE(http[RX2]->OpenConnections(), 1);
        // Closing the dialog ends the upload still under way.
        dlg.reject();
        QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->OpenConnections(), 0, 5000);
    }
}

void TestBatch::stalledUploadEndsRound()
{
    // A device that takes the picture and never answers fails once its
    // upload has made no progress for the stall time: the round ends.
    CHttpFleet http(m_pLan, {RX0, RX2});
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    dlg.SetUploadStallTimeout(2000);
    Check(dlg, {RX0, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle6.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 1."), 15000);
    QCOMPARE(W<QLabel>(dlg, "label_pro")->text(), QStringLiteral("Progress: 100%"));
    QTRY_COMPARE(http[RX2]->OpenConnections(), 0);

    // The next round goes through once the device answers again.
    http[RX2]->SetFault(CSimHttp::E_HF_NONE);
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."), 10000);
}

void TestBatch::slowUploadNotGivenUp()
{
    // A device on a slow link takes the picture for longer than the limit,
    // but never stops taking it that long: it is not given up.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_SLOW_READ, 200000);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    dlg.SetUploadStallTimeout(2500);
    Check(dlg, {RX0});
    files.Answer(MakeJpeg(QStringLiteral("slow.jpg"), 1000000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 30000);
    QCOMPARE(http[RX0]->Requests().first().status, 200);
}

void TestBatch::closingEndsUploadsForGood()
{
    // Closing the dialog mid-upload ends the upload: the device gets little
    // more than was on its way, not the rest of the picture, which would
    // hold up its link. The next dialog's round counts its own answer.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_SLOW_READ, 200000);
    CBatchFileAnswers files;
    const QString path = MakeJpeg(QStringLiteral("closed.jpg"), 1000000);
    const auto taken = [&http]() {
        const QList<T_SimHttpRequest> requests = http[RX0]->Requests();
        return requests.isEmpty() ? 0 : requests.first().body.size();
    };
    int nAtClose = 0;
    {
        CDlgBatch dlg;
        Check(dlg, {RX0});
        files.Answer(path);
        W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
        W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
        QTRY_VERIFY_WITH_TIMEOUT(taken() > 500000, 10000);
        nAtClose = taken();
        dlg.reject();
    }
    CDlgBatch dlg;
    Check(dlg, {RX0});
    files.Answer(path);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->OpenConnections(), 0, 10000);
    const QList<T_SimHttpRequest> requests = http[RX0]->Requests();
    QCOMPARE(requests.size(), 2);
    const int nAfterClose = requests.first().body.size() - nAtClose;
    QVERIFY2(nAfterClose < 150000, qPrintable(QString::number(nAfterClose)));
    QCOMPARE(requests.last().status, 200);
}

void TestBatch::uploadWithoutPathRefused()
{
    // Sent to the device's web root, the picture would be taken for set: a
    // product without an upload path is refused, by name.
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {GW7});
    files.Answer(MakeJpeg(QStringLiteral("nopath.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QCOMPARE(boxes.Texts(), QStringList({"The image cannot be uploaded to Gateway: its product has no upload path "
                                         "(\"url\") in config.xml."}));
    QVERIFY(dlg.isEnabled());
    QVERIFY(Result(dlg, "lbResultImage").isEmpty());
}

void TestBatch::lateAnswerOfEarlierRoundNotCounted()
{
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    const auto held = [&http](int i) {
        int n = 0;
        for (const T_SimHttpRequest &request : http[i]->Requests())
            n += request.complete && request.status == 0 ? 1 : 0;
        return n;
    };
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle7.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(held(RX2), 1, 10000);

    // A second round over three devices, one of which stalls to the end.
    http[RX1]->SetFault(CSimHttp::E_HF_STALL);
    Check(dlg, {RX1});
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(held(RX2), 2, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(held(RX1), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 2, 10000);
    // RX2 answers both rounds: the first round's answer comes late and
    // must not close the second round, which still waits for RX1.
    http[RX2]->AnswerHeld(200);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->OpenConnections(), 0, 10000);
    http[RX1]->Close();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 1."), 10000);
}

void TestBatch::uploadsCheckTheFileAgain_data()
{
    QTest::addColumn<QByteArray>("select");
    QTest::addColumn<int>("dev");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("changed"); // what the file is at the upload

    QTest::newRow("idle image past 1.5 MB") << QByteArray("pushBtnSelect_bg") << int(RX0)
                                             << MakeJpeg(QStringLiteral("re_ok.jpg"), 30000)
                                             << MakeJpeg(QStringLiteral("re_big.jpg"), 1572865);
    QTest::newRow("logo of 24 bits") << QByteArray("pushBtnSelect_Logo") << int(TX3)
                                      << MakeBmp(QStringLiteral("re_ok.bmp"), 32, 4096)
                                      << MakeBmp(QStringLiteral("re_24.bmp"), 24, 4096);
    QTest::newRow("overlay too wide") << QByteArray("pBOverlaySelect") << int(VS9)
                                       << MakePng(QStringLiteral("re_ok.png"), 64, 32)
                                       << MakePng(QStringLiteral("re_wide.png"), 1921, 1080);
}

void TestBatch::uploadsCheckTheFileAgain()
{
    QFETCH(QByteArray, select);
    QFETCH(int, dev);
    QFETCH(QString, chosen);
    QFETCH(QString, changed);

    // The file changes on disk between its choice and the upload.
    const QString path = TempPath(QStringLiteral("re_chosen.") + QFileInfo(chosen).suffix());
    QFile::remove(path);
    QVERIFY(QFile::copy(chosen, path));
    CHttpFleet http(m_pLan, {dev});
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {dev});
    files.Answer(path);
    W<QPushButton>(dlg, select.constData())->click();
    QPushButton *pUpload = W<QPushButton>(dlg, select.replace("Select", "Upload").constData());
    QVERIFY(pUpload->isEnabled());
    QFile::remove(path);
    QVERIFY(QFile::copy(changed, path));
    pUpload->click();
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
    QTest::qWait(300);
    QCOMPARE(http[dev]->RequestCount(), 0);
}

void TestBatch::uploadEndKeepsWaitingPageDisabled()
{
    // An upload that ends while another operation waits for a link leaves
    // the dialog disabled until that operation has its result.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0});
    files.Answer(MakeJpeg(QStringLiteral("idle5.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 1, 10000);

    // A shell that takes the connection and never speaks holds the other
    // operation.
    Check(dlg, {RX1});
    Dev(RX1)->CloseComm();
    m_pLan->Device(RX1)->setSilent(true);
    const auto restore = qScopeGuard([this] {
        m_pLan->Device(RX1)->setSilent(false);
        Dev(RX1)->GetComm()->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
    });
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QTRY_VERIFY_WITH_TIMEOUT(Dev(RX1)->GetComm()->IsConnected(), 10000);
    http[RX0]->Close();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."), 5000);
    QVERIFY(!dlg.isEnabled());
    // Only now may the link give up: after its reply time-outs, short here.
    Dev(RX1)->GetComm()->SetCheckerInterval(500);
    m_pLan->Device(RX1)->dropConnections();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 1."), 10000);
    QVERIFY(dlg.isEnabled());
}

void TestBatch::overlayPosition_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("h");
    QTest::addColumn<QByteArray>("v");

    QTest::newRow("no X") << "" << "5" << "Please enter the X coordinate." << QByteArray() << QByteArray();
    QTest::newRow("X 0") << "0" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("X 1921") << "1921" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("X not a number") << "abc" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("no Y") << "5" << "" << "Please enter the Y coordinate." << QByteArray() << QByteArray();
    QTest::newRow("Y 1081") << "5" << "1081" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("top left") << "1" << "1" << "" << QByteArray("0") << QByteArray("0");
    QTest::newRow("bottom right") << "1920" << "1080" << "" << QByteArray("1919") << QByteArray("1079");
}

void TestBatch::overlayPosition()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, message);
    QFETCH(QByteArray, h);
    QFETCH(QByteArray, v);

    CBoxRecorder boxes;
    CDlgBatch dlg;
    Check(dlg, {VS9});
    W<QLineEdit>(dlg, "lECoorX")->setText(x);
    W<QLineEdit>(dlg, "lECoorY")->setText(y);
    W<QPushButton>(dlg, "pBOverlayApply")->click();
    if (!message.isEmpty()) {
        QVERIFY(dlg.isEnabled());
        QCOMPARE(boxes.Texts(), QStringList({message}));
        QCOMPARE(boxes.Boxes().first().icon, QMessageBox::Information);
        QTest::qWait(200);
        QVERIFY(Lines(VS9, {"gbconfig", "e e_png"}).isEmpty());
        return;
    }
    QVERIFY(boxes.Texts().isEmpty());
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QTRY_COMPARE(Lines(VS9, {"gbconfig", "e e_png"}),
                 QList<QByteArray>({"gbconfig --png-overlay-pos-h " + h, "gbconfig --png-overlay-pos-v " + v,
                                    "e e_png_overlay"}));
    QCOMPARE(Dev(VS9)->GetOverlayPosH(), QString::fromLatin1(h));
    QCOMPARE(Dev(VS9)->GetOverlayPosV(), QString::fromLatin1(v));
}

void TestBatch::overlayDisplayAndOsd()
{
    CDlgBatch dlg;
    Check(dlg, {VS9});
    W<QCheckBox>(dlg, "checkBoxDisplay")->setChecked(true);
    W<QPushButton>(dlg, "pushBtnApply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(VS9, {"gbconfig", "e e_png"}),
                 QList<QByteArray>({"gbconfig --png-overlay-enable=y", "e e_png_overlay"}));

    m_pLan->ClearReceived();
    W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(1);
    W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QTRY_COMPARE(Lines(VS9, {"gbconfig"}), QList<QByteArray>({"gbconfig --osd-display-method=independence"}));
    QTRY_COMPARE(Dev(VS9)->GetOsdDisplayMethod(), QStringLiteral("independence"));

    // A method the device never took is not the one kept.
    m_pLan->SetDeviceOn(VS9, false);
    QTRY_VERIFY(!Dev(VS9)->GetComm()->IsConnected());
    QSignalSpy done(Dev(VS9), &CHOIDev::OnCmdCompleted);
    W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(0);
    W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
    QTRY_VERIFY(!done.isEmpty());
    QCOMPARE(Dev(VS9)->GetOsdDisplayMethod(), QStringLiteral("independence"));
}

// ---------------------------------------------------------------------------
// Batch group change

void TestBatch::groupChangeMovesDecoders()
{
    for (int i = 0; i < kDevCount; ++i)
        Dev(i)->SetGroup(g_strUngrouped);
    CHOIScene *pWall = m_pMgr->GetOrCreateVideoWall(QStringLiteral("Wall"));
    Dev(VS9)->SetVideoWall(pWall);
    Dev(RX0)->SetGroup(QStringLiteral("Hall"));

    CDlgBatchGroup dlg;
    QSignalSpy changed(&dlg, &CDlgBatchGroup::signalDevChangeGroup);
    QComboBox *pFilter = W<QComboBox>(dlg, "cbFilter");
    QComboBox *pTarget = W<QComboBox>(dlg, "cbSelectGroup");
    QTreeWidget *pDevices = W<QTreeWidget>(dlg, "twDevice");
    QTreeWidget *pGroup = W<QTreeWidget>(dlg, "twGroupDev");
    // The manager's groups, "ungrouped" first; "All" only as a filter.
    QStringList filters;
    for (int i = 0; i < pFilter->count(); ++i)
        filters << pFilter->itemText(i);
    QCOMPARE(filters, QStringList({"All", g_strUngrouped, "Hall", "Stage"}));
    QCOMPARE(pTarget->count(), 3);
    QCOMPARE(pTarget->currentText(), g_strUngrouped);
    QCOMPARE(pGroup->topLevelItemCount(), 4);
    pTarget->setCurrentText(QStringLiteral("Hall"));

    auto rowDevs = [](QTreeWidget *pTree) {
        QSet<CHOIDev *> devs;
        for (int row = 0; row < pTree->topLevelItemCount(); ++row)
            devs.insert(VariantToDev(pTree->topLevelItem(row)->data(0, Qt::UserRole)));
        return devs;
    };
    // Decoders outside walls only; encoders, gateways and processors never.
    QCOMPARE(rowDevs(pDevices), QSet<CHOIDev *>({Dev(RX0), Dev(RX1), Dev(RX2), Dev(VRX5), Dev(MRX6)}));
    QCOMPARE(rowDevs(pGroup), QSet<CHOIDev *>({Dev(RX0)}));

    for (int row = 0; row < pDevices->topLevelItemCount(); ++row) {
        QTreeWidgetItem *pItem = pDevices->topLevelItem(row);
        CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
        QCOMPARE(pItem->text(0), pDev->GetDisplayName());
        pItem->setSelected(pDev == Dev(RX0) || pDev == Dev(RX1) || pDev == Dev(MRX6));
    }
    W<QPushButton>(dlg, "pbApply")->click();
    // The one already there is left alone.
    QCOMPARE(changed.count(), 2);
    const QSet<CHOIDev *> signalled = {changed.at(0).at(0).value<CHOIDev *>(), changed.at(1).at(0).value<CHOIDev *>()};
    QCOMPARE(signalled, QSet<CHOIDev *>({Dev(RX1), Dev(MRX6)}));
    QCOMPARE(Dev(RX1)->GetGroup(), QStringLiteral("Hall"));
    QCOMPARE(Dev(MRX6)->GetGroup(), QStringLiteral("Hall"));
    QCOMPARE(Dev(RX2)->GetGroup(), g_strUngrouped);
    QCOMPARE(rowDevs(pGroup), QSet<CHOIDev *>({Dev(RX0), Dev(RX1), Dev(MRX6)}));
    QVERIFY(dlg.isEnabled());

    // Nothing went to the devices.
    QTest::qWait(200);
    for (int i : {RX0, RX1, MRX6})
        QVERIFY(Lines(i).isEmpty());

    for (int i = 0; i < kDevCount; ++i)
        Dev(i)->SetGroup(g_strUngrouped);
    Dev(VS9)->SetVideoWall(nullptr);
}

void TestBatch::groupChangeFilter()
{
    for (int i = 0; i < kDevCount; ++i)
        Dev(i)->SetGroup(g_strUngrouped);
    Dev(RX1)->SetGroup(QStringLiteral("Stage"));
    Dev(VRX5)->SetGroup(QStringLiteral("Stage"));
    CDlgBatchGroup dlg;
    QComboBox *pFilter = W<QComboBox>(dlg, "cbFilter");
    QTreeWidget *pDevices = W<QTreeWidget>(dlg, "twDevice");
    pFilter->setCurrentText(QStringLiteral("Stage"));
    QCOMPARE(pDevices->topLevelItemCount(), 2);
    W<QComboBox>(dlg, "cbSelectGroup")->setCurrentText(QStringLiteral("Stage"));
    QCOMPARE(W<QTreeWidget>(dlg, "twGroupDev")->topLevelItemCount(), 2);

    // Moved out of the filtered group, a decoder leaves the left list.
    W<QComboBox>(dlg, "cbSelectGroup")->setCurrentText(QStringLiteral("Hall"));
    pDevices->selectAll();
    W<QPushButton>(dlg, "pbApply")->click();
    QCOMPARE(pDevices->topLevelItemCount(), 0);
    QCOMPARE(W<QTreeWidget>(dlg, "twGroupDev")->topLevelItemCount(), 2);
    QCOMPARE(Dev(VRX5)->GetGroup(), QStringLiteral("Hall"));

    for (int i = 0; i < kDevCount; ++i)
        Dev(i)->SetGroup(g_strUngrouped);
}

// ---------------------------------------------------------------------------
// Language

void TestBatch::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");
    CDlgBatch dlg;
    CDlgBatchGroup group;
    Check(dlg, {RX0});
    W<QPushButton>(dlg, "btnOpenMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 0."));
    QApplication::installTranslator(&translator);
    QTRY_COMPARE(dlg.windowTitle(), QStringLiteral("批量命令"));
    QCOMPARE(W<QTabWidget>(dlg, "chkHexSend_sinkPower")->tabText(1), QStringLiteral("视频"));
    // What the operations wrote stays; the list's last item follows.
    QCOMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 0."));
    QComboBox *pEdid = W<QComboBox>(dlg, "cbEDIDSet");
    QCOMPARE(pEdid->itemText(pEdid->count() - 1), QStringLiteral("上传..."));
    QCOMPARE(W<QComboBox>(dlg, "cmbDataBits_2")->currentText(), QStringLiteral("8"));
    QCOMPARE(W<QComboBox>(group, "cbFilter")->itemText(0), QStringLiteral("全部"));
    QApplication::removeTranslator(&translator);
    QTRY_COMPARE(W<QComboBox>(group, "cbFilter")->itemText(0), QStringLiteral("All"));
}

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
