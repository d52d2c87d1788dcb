// The device object: connection retries and completion, the command lines of
// every sender, reply handling, the read-back burst and the identity helpers,
// against simulated devices in a private test LAN.

#include "tst_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaEnum>
#include <QtTest>

const char kTxHost[] = "HTX-0011223344AA";
const char kTxName[] = "Encoder-0011223344AA";

namespace {

const char kConfigXml[] = R"(<?xml version="1.0"?>
<hoiprod ir_enable="1" rs232_enable="1" cec_enable="1">
  <product id="HTX" name="Encoder" type="tx" param_prefix="gb" hisi_enable="0" edidpath="edid_hdmi"
           vol_line_in_count="2" vol_line_out_count="1" vol_mic_count="2"/>
  <product id="VTX" name="WallEncoder" type="tx" param_prefix="gb" hisi_enable="1"
           video_wall="HRX" force_resolution="1080p60" edidpath="monitor_info"/>
  <product id="MTX" name="MicEncoder" type="tx" param_prefix="gb" hisi_enable="0" edidpath="edid_hdmi"
           vol_mic_count="1"/>
  <product id="OTX" name="OldEncoder" type="tx" param_prefix="gb" old_api="1" hisi_enable="0"/>
  <product id="HRX" name="Decoder" type="rx" param_prefix="gb" hisi_enable="0" video_wall="VTX"
           edidpath="monitor_info"/>
  <product id="HMRX" name="Multiview" type="mrx" param_prefix="gb" hisi_enable="0"
           edidpath="monitor_info"/>
  <product id="QN714" name="Controller" type="IP Controller" old_api="1"/>
</hoiprod>
)";

const char kSinkGuard[] =
    "if [ \"`gbconfig --help | grep sinkpower | wc -l`\" != \"0\" ]; then %1; fi";

} // namespace

QStringList LogLines(const QSignalSpy &spy)
{
    QStringList lines;
    for (const QList<QVariant> &args : spy)
        lines << args.at(0).toString();
    return lines;
}

int CountEnding(const QStringList &lines, const QString &end)
{
    int n = 0;
    for (const QString &l : lines)
        n += l.endsWith(end) ? 1 : 0;
    return n;
}

QList<QByteArray> Lines(std::initializer_list<const char *> lines)
{
    QList<QByteArray> out;
    for (const char *l : lines)
        out << QByteArray(l);
    return out;
}

void TestDevice::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    qRegisterMetaType<CHOIDev *>("CHOIDev*");

    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write(kConfigXml);
    config.close();

    m_mgr = new CHOIDevMgr;
    m_mgr->SetOnLineTimings(-1, 5000);
    QVERIFY(m_mgr->LoadProdConfig());
}

void TestDevice::init()
{
    m_lan = new CSimLan;
}

void TestDevice::cleanup()
{
    qDeleteAll(m_devs);
    m_devs.clear();
    delete m_lan;
    m_lan = nullptr;
}

void TestDevice::cleanupTestCase()
{
    delete m_mgr;
}

CHOIDev *TestDevice::MakeDev(CHOIDev::DevType type, const QString &host, const QString &ip,
                             bool oldApi)
{
    const bool controller = (type == CHOIDev::E_DT_QN714);
    CHOIDev *dev = new CHOIDev(m_mgr, type, controller ? QString() : QStringLiteral("gb"),
                               controller || oldApi, CHOIDev::E_CT_TELNET);
    dev->SetHostName(host, true);
    dev->SetIPAddr(ip);
    m_devs.append(dev);
    return dev;
}

CHOIDev *TestDevice::MakeSimDev(CHOIDev::DevType type, const QString &host, const QString &simType,
                                SimDevice **ppSim, bool oldApi)
{
    SimDevice *sim = m_lan->AddDevice(host, simType);
    if (!sim)
        return nullptr;
    SimInstallDeviceCommands(*sim);
    *ppSim = sim;
    return MakeDev(type, host, sim->address().toString(), oldApi);
}

bool TestDevice::WaitDone(QSignalSpy &spy, int count, int ms)
{
    return QTest::qWaitFor([&]() { return spy.count() >= count; }, ms);
}

void TestDevice::enumsAreRegistered()
{
    const QMetaEnum baud = QMetaEnum::fromType<CHOIDev::BaudRateType>();
    QCOMPARE(baud.keyCount(), 18);
    QCOMPARE(baud.keyToValue("BAUD230400"), 230400);
    const QMetaEnum parity = QMetaEnum::fromType<CHOIDev::ParityType>();
    QCOMPARE(parity.keyToValue("PAR_EVEN"), int('e'));
    QCOMPARE(QMetaEnum::fromType<CHOIDev::DevType>().keyToValue("E_DT_QN714"), 6);
    QCOMPARE(QMetaEnum::fromType<CHOIDev::IPMode>().keyCount(), 3);
    QCOMPARE(QMetaEnum::fromType<CHOIDev::CommType>().keyToValue("E_CT_TELNET"), 0);
}

void TestDevice::connectNeverCompletes()
{
    // Nothing holds this address: the handshake never completes.
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("10.88.250.250"));
    dev->SetRetryInterval(200);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);

    QVERIFY(dev->SendCmd(QStringLiteral("echo one")));
    // A command issued while connecting neither counts an attempt nor resets.
    QVERIFY(dev->SendCmd(QStringLiteral("echo two")));
    QVERIFY(WaitDone(done));
    QTest::qWait(900);

    const QString n = QString::fromLatin1(kTxName);
    QCOMPARE(LogLines(log), QStringList({
                                QStringLiteral("[1]Device('%1') connecting...").arg(n),
                                QStringLiteral("Device('%1') operation time out.").arg(n),
                                QStringLiteral("[2]Device('%1') connecting...").arg(n),
                                QStringLiteral("Device('%1') operation time out.").arg(n),
                                QStringLiteral("[3]Device('%1') connecting...").arg(n),
                                QStringLiteral("Device('%1') operation time out.").arg(n),
                            }));
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).value<CHOIDev *>(), dev);
    QCOMPARE(done.at(0).at(1).value<E_ControlObject>(), E_CO_DEV);
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 3);
    QVERIFY(!dev->m_retryTimer.isActive());
}

void TestDevice::connectRefusedCompletesOnce()
{
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("TX"), &sim);
    QVERIFY(dev);
    sim->setRefuseConnections(true);
    dev->SetRetryInterval(200);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);

    QVERIFY(dev->SendCmd(QStringLiteral("echo one")));
    QVERIFY(WaitDone(done));
    // Long enough for a forgotten retry timer to report the same burst again.
    QTest::qWait(1000);

    QCOMPARE(done.count(), 1);
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 1);
    const QStringList lines = LogLines(log);
    QCOMPARE(CountEnding(lines, QStringLiteral("connecting...")), 3);
    QCOMPARE(CountEnding(lines, QStringLiteral("operation time out.")), 2);
    QVERIFY(lines.last().startsWith(QStringLiteral("[3]")));

    // Reported failed, so never written: the next session opens with what
    // was asked after the failure, here a line queued while connecting.
    sim->setRefuseConnections(false);
    QVERIFY(dev->SendCmd(QStringLiteral("echo two")));
    QVERIFY(dev->SendCmd(QStringLiteral("echo three")));
    QVERIFY(WaitDone(done, 2));
    QCOMPARE(m_lan->Commands(0), Lines({"echo two", "echo three"}));
}

void TestDevice::connectedThenSilentCompletesOnceWithTimeout()
{
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("TX"), &sim);
    QVERIFY(dev);
    sim->setSilent(true);
    dev->SetRetryInterval(200);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);

    QVERIFY(dev->SendCmd(QStringLiteral("echo one")));
    QVERIFY(dev->GetComm());
    dev->GetComm()->SetCheckerInterval(300);
    QVERIFY(WaitDone(done));
    QTest::qWait(1000);

    QCOMPARE(done.count(), 1);
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 4);
    const QStringList lines = LogLines(log);
    QCOMPARE(CountEnding(lines, QStringLiteral("connecting...")), 3);
    QCOMPARE(CountEnding(lines, QStringLiteral("') connected.")), 3);
    QCOMPARE(CountEnding(lines, QStringLiteral("operation time out.")), 2);
}

void TestDevice::failedQueueIsResentAfterReconnect()
{
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("TX"), &sim);
    QVERIFY(dev);
    // The first session ends when the command arrives; the next one answers.
    sim->setDropAfterCommands(0);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QObject::connect(sim, &SimDevice::sessionClosed, sim, [sim]() { sim->setDropAfterCommands(-1); });

    QVERIFY(dev->SendCmd(QStringLiteral("echo again")));
    QVERIFY(WaitDone(done));
    QTest::qWait(300);
    QCOMPARE(done.count(), 1);
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 0);
    QCOMPARE(m_lan->Commands(0), Lines({"echo again", "echo again"}));
    QCOMPARE(CountEnding(LogLines(log), QStringLiteral("connecting...")), 2);
}

void TestDevice::deviceWithoutTelnetNeverConnects()
{
    CHOIDev dev(m_mgr, CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    dev.SetHostName(kTxHost, true);
    dev.SetIPAddr(QStringLiteral("10.88.250.250"));
    QSignalSpy log(&dev, &CHOIDev::OnProgressLog);
    QVERIFY(!dev.EnsureConnected());
    QVERIFY(!dev.SendCmd(QStringLiteral("echo x")));
    QVERIFY(!dev.GetComm());
    QVERIFY(!dev.m_retryTimer.isActive());
    QCOMPARE(log.count(), 0);
}

// ---------------------------------------------------------------------------
// Senders

void TestDevice::senderLines_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("oldApi");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QList<QByteArray>>("lines");

    const QString tx = QString::fromLatin1(kTxHost);
    auto row = [&tx](const char *name, Action a, QList<QByteArray> lines) {
        QTest::newRow(name) << tx << false << a << lines;
    };

    row("param set", [](CHOIDev *d) { return d->SendParamSet("name", "x", true); },
        Lines({"gbparam s 1 name x"}));
    row("param set int", [](CHOIDev *d) { return d->SendParamSetInt("v_src_unavailable_timeout", -1, true); },
        Lines({"gbparam s 1 v_src_unavailable_timeout -1"}));
    row("param set encoded", [](CHOIDev *d) { return d->SendParamSetEncoded("s_vw_name", "Wall A;b", true); },
        Lines({"gbparam s 1 s_vw_name Wall%20A%3Bb"}));
    row("set cmd", [](CHOIDev *d) { return d->SendSetCmd("vfo", "1024x768p60", "VGA", false); },
        Lines({"gbset -vfo VGA 1024x768p60"}));
    row("multiview", [](CHOIDev *d) { return d->ApplyMultiView("4 1:a 2:b", true); },
        Lines({"multiview set 4 1:a 2:b"}));
    row("multiview audio", [](CHOIDev *d) { return d->ApplyMultiViewAudioSeparate("HTX-1", true); },
        Lines({"multiview set audio separate HTX-1"}));
    row("user audio mode",
        [](CHOIDev *d) { return d->ApplyUserAudioMode("Hall \"A\" $1", "window", "2"); },
        Lines({"gbparam s user_audio_mode \"Hall \\\"A\\\" \\$1 window 2\""}));
    row("cmd", [](CHOIDev *d) { return d->SendCmd("echo hi"); }, Lines({"echo hi"}));
    row("config", [](CHOIDev *d) { return d->SendConfigCmd("--low-delay y", true); },
        Lines({"gbconfig --low-delay y"}));
    row("raw", [](CHOIDev *d) { return d->PushSendData("raw line", true, true); }, Lines({"raw line"}));
    row("osd on", [](CHOIDev *d) { return d->SendOsdOnOff(true, "Room 1"); },
        Lines({"osd_on.sh 1 Room 1"}));
    row("osd outside latin-1", [](CHOIDev *d) { return d->SendOsdOnOff(true, QString::fromUtf8("会 1")); },
        Lines({"osd_on.sh 1 \\? 1"}));
    row("osd off", [](CHOIDev *d) { return d->SendOsdOnOff(false, "ignored"); },
        Lines({"osd_off.sh 1 0"}));
    row("serial both flags",
        [](CHOIDev *d) { return d->SendSerialMsg("hello", true, true, 9600, 8, 'n', 1); },
        Lines({"soip2 -f /dev/ttyS0 -b 9600-8n1 -r -H -s \"hello\""}));
    row("serial no flags",
        [](CHOIDev *d) { return d->SendSerialMsg("hello", false, false, 9600, 8, 'n', 1); },
        Lines({"soip2 -f /dev/ttyS0 -b 9600-8n1  -s \"hello\""}));
    row("serial even parity",
        [](CHOIDev *d) { return d->SendSerialMsg("x", false, true, 115200, 7, char(CHOIDev::PAR_EVEN), 2); },
        Lines({"soip2 -f /dev/ttyS0 -b 115200-7e2 -r  -s \"x\""}));
    row("serial quote and dollar",
        [](CHOIDev *d) { return d->SendSerialMsg("say \"hi\" $HOME", false, false, 9600, 8, 'n', 1); },
        Lines({"soip2 -f /dev/ttyS0 -b 9600-8n1  -s \"say \\\"hi\\\" \\$HOME\""}));
    row("cec on", [](CHOIDev *d) { return d->SendCecPower(true); }, Lines({"e e_cec_one_touch_play"}));
    row("cec off", [](CHOIDev *d) { return d->SendCecPower(false); }, Lines({"e e_cec_system_standby"}));
    row("backup info", [](CHOIDev *d) { return d->ApplyEncBackupInfo("<a b=\"1\"/>"); },
        Lines({"gbconfig --enc-backup-info=\"<a b=\\\"1\\\"/>\""}));
    row("delay play", [](CHOIDev *d) { return d->ApplyDelayPlay("100"); },
        Lines({"gbconfig --delay-play 100"}));
    row("query delay play", [](CHOIDev *d) { return d->QueryDelayPlay(); },
        Lines({"gbconfig --show --delay-play"}));
    row("max enc res", [](CHOIDev *d) { return d->ApplyMaxEncRes("1280x720"); },
        Lines({"gbconfig --max-enc-res=1280x720"}));
    row("audio delay", [](CHOIDev *d) { return d->ApplyAudioDelay("20"); },
        Lines({"gbconfig --audio-delay 20"}));
    row("query audio delay", [](CHOIDev *d) { return d->QueryAudioDelay(); },
        Lines({"gbconfig --show --audio-delay"}));
    row("line out mute", [](CHOIDev *d) { return d->ApplyLineOutMute(true); },
        Lines({"gbconfig --line-out=1 --mute=y"}));
    row("hdmi out unmute", [](CHOIDev *d) { return d->ApplyHdmiOutAudioMute(false); },
        Lines({"gbconfig --hdmi-out-audio --mute=n"}));
    row("query line out mute", [](CHOIDev *d) { return d->QueryLineOutMute(); },
        Lines({"gbconfig --show --line-out=1 --mute"}));
    row("query background", [](CHOIDev *d) { return d->QueryBackgroundImageDisplay(); },
        Lines({"gbconfig --show --background-image-display"}));
    row("query overlay", [](CHOIDev *d) { return d->QueryPngOverlayEnable(); },
        Lines({"gbconfig --show --png-overlay-enable"}));
    row("background on", [](CHOIDev *d) { return d->ApplyBackgroundImageDisplay(true); },
        Lines({"gbconfig --background-image-display=y"}));
    row("overlay off", [](CHOIDev *d) { return d->ApplyPngOverlayEnable(false); },
        Lines({"gbconfig --png-overlay-enable=n"}));
    row("query osd", [](CHOIDev *d) { return d->QueryOsdDisplay(); },
        Lines({"gbconfig --show --osd-display"}));
    row("query osd method", [](CHOIDev *d) { return d->QueryOsdDisplayMethod(); },
        Lines({"gbconfig --show --osd-display-method"}));
    row("osd display", [](CHOIDev *d) { return d->ApplyOsdDisplay(true); },
        Lines({"gbconfig --osd-display=y"}));
    row("osd method", [](CHOIDev *d) { return d->ApplyOsdDisplayMethod("independence"); },
        Lines({"gbconfig --osd-display-method=independence"}));
    row("source select", [](CHOIDev *d) { return d->ApplySourceSelect("HTX-1"); },
        Lines({"gbconfig --source-select HTX-1"}));
    row("sink power cec",
        [](CHOIDev *d) { return d->ApplySinkPower("on", "off", true, false, false, 9600, 8, 'n', 1); },
        {QString::fromLatin1(kSinkGuard).arg("gbconfig --sinkpower-mode cec").toUtf8()});
    row("sink power both",
        [](CHOIDev *d) { return d->ApplySinkPower("PWR ON", "PWR OFF", true, true, true, 19200, 8, 'o', 1); },
        {QString::fromLatin1(kSinkGuard)
             .arg("gbconfig --sinkpower-mode both;gbconfig --rs232-param 19200-8o1;"
                  "gbconfig --rs232-hex-cmd-enable y;gbparam s rs232_poweron_cmd \"PWR ON\";"
                  "gbparam s rs232_standby_cmd \"PWR OFF\"")
             .toUtf8()});
    row("sink power rs232",
        [](CHOIDev *d) { return d->ApplySinkPower("A", "B", false, true, false, 9600, 8, 'n', 1); },
        {QString::fromLatin1(kSinkGuard)
             .arg("gbconfig --sinkpower-mode rs232;gbconfig --rs232-param 9600-8n1;"
                  "gbconfig --rs232-hex-cmd-enable n;gbparam s rs232_poweron_cmd \"A\";"
                  "gbparam s rs232_standby_cmd \"B\"")
             .toUtf8()});
    row("name", [](CHOIDev *d) { d->SetName("My TX"); return d->ApplyName(); },
        Lines({"gbparam s 1 name My%20TX"}));
    row("name non-ascii", [](CHOIDev *d) { d->SetName(QString::fromUtf8("Café")); return d->ApplyName(); },
        Lines({"gbparam s 1 name Caf%C3%A9"}));
    // Parsed as a URL this name would lose its case and keep a bare '%'.
    row("name like a url", [](CHOIDev *d) { d->SetName("Hall:A ~100%"); return d->ApplyName(); },
        Lines({"gbparam s 1 name Hall:A%20%7E100%25"}));
    row("option low delay", [](CHOIDev *d) { return d->SetOptionValue(15, true, true); },
        Lines({"gbconfig --low-delay y"}));
    row("option hdcp off", [](CHOIDev *d) { return d->SetOptionValue(1, false, true); },
        Lines({"gbconfig --hdcp-enable=n"}));
    row("option rc mode",
        [](CHOIDev *d) { return d->SetOptionValue(2, QVariant::fromValue(E_FPSM_FIXQP), true); },
        Lines({"gbconfig --enc-rc-mode=fixqp"}));
    row("option bitrate", [](CHOIDev *d) { return d->SetOptionValue(3, 8000, true); },
        Lines({"gbconfig --cbr-avg-bitrate=8000"}));
    row("option transport",
        [](CHOIDev *d) { return d->SetOptionValue(11, QVariant::fromValue(E_TT_RAW), true); },
        Lines({"gbconfig --transport-type=raw"}));
    row("option reset", [](CHOIDev *d) { return d->SetOptionValue(14, true, true); },
        Lines({"gbconfig --suppressor-reset"}));
    row("option overlay pos", [](CHOIDev *d) { return d->SetOptionValue(16, 5, true); },
        Lines({"gbconfig --png-overlay-pos-h 5"}));
    row("option dip", [](CHOIDev *d) { return d->SetOptionValue(18, QStringLiteral("n"), true); },
        Lines({"gbconfig --hw-dip-enable=n"}));
    row("volume",
        [](CHOIDev *d) {
            T_VolParam v;
            v.mask = T_VolParam::MASK_GAIN | T_VolParam::MASK_MUTE;
            v.gain = 12;
            v.mute = true;
            return d->SetVolParam(1, 0, v, true);
        },
        Lines({"gbconfig --line-in=1 --gain=12 --mute=y"}));
    row("save", [](CHOIDev *d) { return d->SaveParam(); },
        Lines({"gbparam save 1"}));
    row("event", [](CHOIDev *d) { return d->SendEvent("e_stop_link"); },
        Lines({"e 1 e_stop_link"}));

    QTest::newRow("second unit")
        << QStringLiteral("HTX-0011223344AA:2") << false
        << Action([](CHOIDev *d) { return d->SendParamSet("name", "x", true); })
        << Lines({"gbparam s 2 name x"});
    QTest::newRow("old command set")
        << QStringLiteral("OTX-0011223344AA") << true
        << Action([](CHOIDev *d) { return d->SendParamSet("name", "x", true); })
        << Lines({"gbparam s  name x"});
}

void TestDevice::senderLines()
{
    QFETCH(QString, host);
    QFETCH(bool, oldApi);
    QFETCH(Action, action);
    QFETCH(QList<QByteArray>, lines);

    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, host, QStringLiteral("TX"), &sim, oldApi);
    QVERIFY(dev);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QVERIFY(action(dev));
    QVERIFY(WaitDone(done));
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 0);
    QCOMPARE(m_lan->Commands(0), lines);
}

void TestDevice::senderRefusals_data()
{
    QTest::addColumn<Action>("action");

    QTest::newRow("empty backup text") << Action([](CHOIDev *d) { return d->ApplyEncBackupInfo(""); });
    QTest::newRow("backup text with line end")
        << Action([](CHOIDev *d) { return d->ApplyEncBackupInfo("a\r\nb"); });
    QTest::newRow("serial message with line feed")
        << Action([](CHOIDev *d) { return d->SendSerialMsg("a\nreboot", false, false, 9600, 8, 'n', 1); });
    QTest::newRow("osd text with carriage return")
        << Action([](CHOIDev *d) { return d->SendOsdOnOff(true, "a\rb"); });
    QTest::newRow("sink power with neither")
        << Action([](CHOIDev *d) { return d->ApplySinkPower("a", "b", false, false, false, 9600, 8, 'n', 1); });
    QTest::newRow("sink power text with line feed")
        << Action([](CHOIDev *d) { return d->ApplySinkPower("a\n", "b", false, true, false, 9600, 8, 'n', 1); });
    QTest::newRow("option without name") << Action([](CHOIDev *d) { return d->SetOptionValue(20, 1, true); });
    QTest::newRow("option null value")
        << Action([](CHOIDev *d) { return d->SetOptionValue(1, QVariant(), true); });
    QTest::newRow("output dip is not sent")
        << Action([](CHOIDev *d) { return d->SetOptionValue(19, QStringLiteral("010"), true); });
    QTest::newRow("volume without field")
        << Action([](CHOIDev *d) { return d->SetVolParam(1, 0, T_VolParam(), true); });
    QTest::newRow("volume of unknown port")
        << Action([](CHOIDev *d) {
               T_VolParam v;
               v.mask = T_VolParam::MASK_GAIN;
               return d->SetVolParam(7, 0, v, true);
           });
    QTest::newRow("param value with line feed")
        << Action([](CHOIDev *d) { return d->SendParamSet("s_vw_name", "a\nreboot", true); });
    QTest::newRow("command with carriage return")
        << Action([](CHOIDev *d) { return d->SendCmd("echo a\rreboot"); });
    QTest::newRow("config option with line feed")
        << Action([](CHOIDev *d) { return d->SendConfigCmd("--low-delay y\nreboot", true); });
    QTest::newRow("address with shell text")
        << Action([](CHOIDev *d) {
               return d->ApplyToDev(CHOIDev::E_IM_STATIC, "10.88.1.1;reboot", "255.255.0.0", "0.0.0.0");
           });
    QTest::newRow("controller address with line end")
        << Action([](CHOIDev *d) {
               return d->ApplyToQN714IP1("10.88.1.1", "255.255.0.0\r\nconfig set reboot", "0.0.0.0");
           });
    // Address sets that would take a device off the network.
    QTest::newRow("controller port 2 all zero")
        << Action([](CHOIDev *d) { return d->ApplyToQN714IP2("0.0.0.0", "0.0.0.0", "0.0.0.0"); });
    QTest::newRow("static without mask")
        << Action([](CHOIDev *d) { return d->ApplyToDev(CHOIDev::E_IM_STATIC, "10.88.1.1", "", "0.0.0.0"); });
    QTest::newRow("static mask with a gap")
        << Action([](CHOIDev *d) { return d->ApplyIPToDev(CHOIDev::E_IM_STATIC, "10.88.1.1", "255.0.255.0", ""); });
    QTest::newRow("octal-looking address")
        << Action([](CHOIDev *d) { return d->ApplyIPToDev(CHOIDev::E_IM_STATIC, "010.88.1.1", "255.0.0.0", ""); });
    QTest::newRow("dhcp with zero address")
        << Action([](CHOIDev *d) { return d->ApplyToDev(CHOIDev::E_IM_DHCP, "0.0.0.0", "", ""); });
    QTest::newRow("when-asked sender without link")
        << Action([](CHOIDev *d) { return d->SendParamSet("name", "x", false); });
    // An empty name would erase the one the device keeps.
    QTest::newRow("empty name") << Action([](CHOIDev *d) { return d->ApplyName(); });
    QTest::newRow("empty name line") << Action([](CHOIDev *d) { return d->SendParamSetEncoded("name", "", true); });
    QTest::newRow("address set with empty name")
        << Action([](CHOIDev *d) { return d->ApplyToDev(CHOIDev::E_IM_DHCP, "10.88.1.1", "", ""); });
}

void TestDevice::senderRefusals()
{
    QFETCH(Action, action);
    // Refused before any connection attempt: no link is made, nothing sent.
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("10.88.250.250"));
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QVERIFY(!action(dev));
    QVERIFY(!dev->GetComm());
    QCOMPARE(log.count(), 0);
}

void TestDevice::connectRulesOfSenders()
{
    // The controller is never retried by timer, so its EnsureConnected fails
    // at once when nothing listens: the three connect rules then differ.
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_QN714, QStringLiteral("QN714-001122334455"),
                           SimTestLanAddress(6).toString());
    QVERIFY(!dev->SendParamSet(QStringLiteral("name"), QStringLiteral("x"), true)); // when asked
    QVERIFY(dev->GetComm());
    QVERIFY(!dev->SendCmd(QStringLiteral("echo x")));                                // required
    QVERIFY(!dev->SendSetCmd(QStringLiteral("vi"), QString(), QString(), true));     // tried, asked
    QCOMPARE(dev->GetComm()->GetSendQueueCount(), 0);
    QVERIFY(dev->SendSetCmd(QStringLiteral("vi"), QString(), QString(), false));     // tried
    QVERIFY(dev->ApplyMultiView(QStringLiteral("4"), false));
    // Not asked to connect, but a line never waits on a closed link: it tries
    // to bring it up, and here that fails.
    QVERIFY(!dev->SendParamSet(QStringLiteral("name"), QStringLiteral("x"), false));
    QCOMPARE(dev->GetComm()->GetSendQueueCount(), 2);
}

void TestDevice::operatorTextArrivesUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("Hall A - screen 2");
    QTest::newRow("quotes") << QStringLiteral("say \"hi\" and 'bye'");
    QTest::newRow("dollar and backquote") << QStringLiteral("$HOME `reboot` $(reboot)");
    QTest::newRow("backslashes") << QStringLiteral("a\\b\\\\c\\");
    QTest::newRow("separators") << QStringLiteral("x; reboot & y | z > /tmp/f");
}

void TestDevice::operatorTextArrivesUnchanged()
{
    QFETCH(QString, text);
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_RX, QStringLiteral("HRX-0011223344BB"),
                              QStringLiteral("RX"), &sim);
    QVERIFY(dev);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);

    QVERIFY(dev->SendSerialMsg(text, false, true, 9600, 8, 'n', 1));
    QVERIFY(dev->SendOsdOnOff(true, text));
    QVERIFY(dev->ApplyEncBackupInfo(text));
    QVERIFY(WaitDone(done));
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 0);

    QCOMPARE(SimSerialMessages(*sim), QList<QByteArray>({text.toUtf8()}));
    // The blank separates the OSD script's words; nothing else does.
    QCOMPARE(SimOsdWords(*sim), text.toUtf8().split(' '));
    QCOMPARE(sim->config(QStringLiteral("--enc-backup-info")), text);
    // Three lines, nothing else ran.
    QCOMPARE(m_lan->Commands(0).size(), 3);
}

void TestDevice::sinkPowerTextsArriveUnchanged()
{
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_RX, QStringLiteral("HRX-0011223344BB"),
                              QStringLiteral("RX"), &sim);
    QVERIFY(dev);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    const QString on = QStringLiteral("PWR \"ON\"; $x");
    const QString off = QStringLiteral("`off` \\ end");
    QVERIFY(dev->ApplySinkPower(on, off, true, true, false, 9600, 8, 'n', 1));
    QVERIFY(WaitDone(done));
    QCOMPARE(sim->config(QStringLiteral("--sinkpower-mode")), QStringLiteral("both"));
    QCOMPARE(sim->config(QStringLiteral("--rs232-param")), QStringLiteral("9600-8n1"));
    QCOMPARE(sim->param(QStringLiteral("rs232_poweron_cmd")), on);
    QCOMPARE(sim->param(QStringLiteral("rs232_standby_cmd")), off);
}

QTEST_GUILESS_MAIN(TestDevice)
