// The batch commands dialog and the batch group change against a small fleet
// of simulated devices in the private test LAN: which buttons the checked
// devices enable, the exact lines every operation queues on each device,
// the result line and failure details of each page, and the EDID text rule.
// The Image page has tests of its own (tst_batch_image.cpp).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
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
#include "simlan.h"
#include "uiservices.h"

#include "batchtestsupport.h"

namespace {

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

class TestBatch : public CBatchTest
{
    Q_OBJECT

private slots:
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


    void groupChangeMovesDecoders();
    void groupChangeFilter();

    void retranslate();

private:
    static QSet<QString> EnabledControls(QWidget &dlg);
};

// ---------------------------------------------------------------------------
// Helpers

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
    // An EEPROM dump: one block announcing no extension, then blank fill.
    QTest::newRow("padded past its blocks") << TestEdid(128, '\x01') + QByteArray(128, '\xff') << true << 16 << 767;
    // A sink given it would announce a block it does not have.
    QByteArray missing = TestEdid(128, '\x01');
    missing[126] = 1;
    missing[127] = char(missing.at(127) - 1);
    QTest::newRow("announced extension missing") << missing << false << 0 << 0;
    QByteArray badExtension = TestEdid(256, '\x01');
    badExtension[128 + 10] = 2;
    QTest::newRow("announced extension's checksum") << badExtension << false << 0 << 0;
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
        QCOMPARE(Lines(i, {"gbparam", "(sleep"}), expected);
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
    QCOMPARE(Lines(RX2, {"gbparam"}),
             QList<QByteArray>({Param(RX2, "ip_mode", "static"), Param(RX2, "ipaddr", "192.168.2.0"),
                                Param(RX2, "netmask", "255.255.255.0"), Param(RX2, "gatewayip", "192.168.1.1"),
                                Save(RX2)}));
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
        QCOMPARE(Lines(i, {"gbparam s", "gbparam save", "e "}), expected);
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
    // The round ends once the device answered; until then the dialog takes no click.
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX0, {"gbparam s "}),
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
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX0, {"gbparam s "}),
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
        QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
        QCOMPARE(Lines(VS9, {"gbparam s", "gbparam save", "e "}),
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
        QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
        QCOMPARE(Lines(MRX6, {"gbparam s", "gbparam save", "e "}),
                 QList<QByteArray>({Param(MRX6, "ast_video_quality_mode", "2"), Param(MRX6, "preview_enable", "y"),
                                    Save(MRX6)}));
        QCOMPARE(Dev(MRX6)->GetVideoQualityMode(), 2);
        QVERIFY(Dev(MRX6)->GetPreviewEnable());
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
        QCOMPARE(Lines(i, {"gbconfig"}),
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
        QCOMPARE(Lines(dev, {"tx_", "rx_"}), QList<QByteArray>({line}));
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
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(TX3, {"gbconfig"}), QList<QByteArray>({"gbconfig --hdcp-enable=n"}));
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
    QTRY_COMPARE(Result(dlg, "lbResultVideoSet"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX0, {"gbset"}), QList<QByteArray>({"gbset -vfo  1920x1080_60"}));
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
            QCOMPARE(Lines(i, {"gbparam s", "gbparam save"}),
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
        // The device keeps the format once it took it: at the round's end.
        QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 1, fail: 0."));
        QCOMPARE(Lines(RX0, {"gbparam s", "gbparam save"}),
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
        QCOMPARE(Lines(i, {"soip2"}), QList<QByteArray>({"soip2 -f /dev/ttyS0 -b 115200-8n1 -r -H -s \"0a ff\""}));

    // Plain text with both boxes clear; the tool gets the quotes as typed.
    m_pLan->ClearReceived();
    W<QCheckBox>(dlg, "chkHexSend")->click();
    W<QCheckBox>(dlg, "chkSendCrLf")->setChecked(false);
    W<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("say \"hi\"\n"));
    W<QPushButton>(dlg, "btnSendMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 0."));
    QCOMPARE(Lines(RX0, {"soip2"}).size(), 1);
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
    QCOMPARE(Lines(RX0, {"if "}),
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
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 0."));
    for (int i : {RX0, RX1})
        QCOMPARE(Lines(i, {"e e_cec"}), QList<QByteArray>({"e e_cec_one_touch_play", "e e_cec_system_standby"}));
}

void TestBatch::rebootAndReset()
{
    QSignalSpy closed(m_pLan->Device(RX2), &SimDevice::sessionClosed);
    CDlgBatch dlg;
    Check(dlg, {RX2});
    W<QPushButton>(dlg, "pbOthersCommand_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX2, {"(sleep", "reset", "reboot"}), QList<QByteArray>({"(sleep 1; reboot) &"}));
    QTRY_VERIFY_WITH_TIMEOUT(!closed.isEmpty(), 5000);

    EnsureLinks();
    m_pLan->ClearReceived();
    closed.clear();
    W<QComboBox>(dlg, "cmbOthersCommand")->setCurrentIndex(1);
    W<QPushButton>(dlg, "pbOthersCommand_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultOthers"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(RX2, {"(sleep", "reset", "reboot"}), QList<QByteArray>({"reset_to_default.sh", "reboot"}));
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
    QCOMPARE(Lines(RX0, {"echo"}), QList<QByteArray>({line}));

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
    const QString path = TempPath(QStringLiteral("edid.bin"));
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
    const QString bad = TempPath(QStringLiteral("bad.bin"));
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
    const QString path = TempPath(QStringLiteral("fresh.bin"));
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
        QCOMPARE(Lines(dev, {"gbconfig"}), QList<QByteArray>({line}));
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
