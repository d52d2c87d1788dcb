// Replies the link hands to the device, stored into its cached values.

#include "tst_device.h"

#include <QtTest>

using Getter = std::function<QString(CHOIDev *)>;
Q_DECLARE_METATYPE(Getter)

namespace {

QString Str(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

void TestDevice::readParam_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<Getter>("getter");
    QTest::addColumn<QString>("expected");

    auto row = [](const char *tag, const char *name, const char *value, Getter g, const QString &exp) {
        QTest::newRow(tag) << QByteArray(name) << QByteArray(value) << g << exp;
    };
    const Getter ipMode = [](CHOIDev *d) { return QString::number(d->GetIPMode()); };
    row("ip mode dhcp", "ip_mode", "dhcp", ipMode, "1");
    row("ip mode static", "ip_mode", "static", ipMode, "2");
    row("ip mode other", "ip_mode", "manual", ipMode, "0");
    row("ipaddr", "ipaddr", "10.1.2.3", [](CHOIDev *d) { return d->GetIPAddr(); }, "10.1.2.3");
    row("controller ip", "config get ipsetting", "10.1.2.4", [](CHOIDev *d) { return d->GetIPAddr(); },
        "10.1.2.4");
    row("controller ip2", "config get ipsetting2", "10.1.2.5",
        [](CHOIDev *d) { return d->GetIPAddr2(); }, "10.1.2.5");
    row("netmask", "netmask", "255.255.255.0", [](CHOIDev *d) { return d->GetNetmask(); },
        "255.255.255.0");
    row("gateway", "gatewayip", "10.1.0.1", [](CHOIDev *d) { return d->GetGateway(); }, "10.1.0.1");
    row("mac", "ethaddr", "00:11:22:33:44:55", [](CHOIDev *d) { return d->GetEthAddr(); },
        "00:11:22:33:44:55");
    const Getter hostId = [](CHOIDev *d) { return d->m_strHostId; };
    row("host id", "hostname_id", "AABBCCDDEEFF", hostId, "AABBCCDDEEFF");
    // Host names and ids go into other devices' shell lines: other forms are refused.
    row("host id with a command", "hostname_id", "1;reboot;#", hostId, "0011223344BB");
    row("host name with a command", "hostname", "HRX-1;reboot;#", [](CHOIDev *d) { return d->GetHostName(); },
        "HRX-0011223344BB");
    row("valid host name with text around", "hostname", "HRX-0011223344CC;reboot",
        [](CHOIDev *d) { return d->GetHostName(); }, "HRX-0011223344BB");
    row("channel", "ch_select", "0011223344AA", [](CHOIDev *d) { return d->m_strChSelect; },
        "0011223344AA");
    row("multicast", "multicast_ip", "225.0.1.2", [](CHOIDev *d) { return d->m_strMulticastIP; },
        "225.0.1.2");
    row("version", "cat /etc/version", "A7.1.0", [](CHOIDev *d) { return d->GetVersion(); }, "A7.1.0");
    row("controller version", "config get version", "1.0", [](CHOIDev *d) { return d->GetVersion(); },
        "1.0");
    row("preview off", "preview_enable", "n", [](CHOIDev *d) { return Str(d->GetPreviewEnable()); },
        "false");
    row("preview other", "preview_enable", "0", [](CHOIDev *d) { return Str(d->GetPreviewEnable()); },
        "true");
    row("quality", "ast_video_quality_mode", "3",
        [](CHOIDev *d) { return QString::number(d->GetVideoQualityMode()); }, "3");
    row("quality not a number", "ast_video_quality_mode", "x",
        [](CHOIDev *d) { return QString::number(d->GetVideoQualityMode()); }, "0");
    row("user audio", "user_audio_mode", "quad separate HTX-1",
        [](CHOIDev *d) { return d->GetUserAudioMode(); }, "quad separate HTX-1");
    row("scene decoded", "scene", "Hall%20A", [](CHOIDev *d) { return d->m_strScene; }, "Hall A");
    row("video input name", "vi", "hdmi:1:1080p60", [](CHOIDev *d) { return d->GetVideoInputName(); },
        "hdmi");
    row("video input resolution", "vi", "hdmi:1:1080p60",
        [](CHOIDev *d) { return d->GetVideoInputResolution(); }, "1080p60");
    row("video input two fields", "vi", "hdmi:1",
        [](CHOIDev *d) { return d->GetVideoInputResolution(); }, "");
    row("fvo hdmi forced", "fvo", "HDMI.1080p60", [](CHOIDev *d) { return d->GetForceResolution(); },
        "1080p60");
    row("fvo hdmi output", "fvo", "HDMI.1080p60", [](CHOIDev *d) { return d->GetHdmiResolution(); },
        "1080p60");
    row("fvo plain", "fvo", ".720p60", [](CHOIDev *d) { return d->GetForceResolution(); }, "720p60");
    row("fvo without dot", "fvo", "1080p60", [](CHOIDev *d) { return d->GetForceResolution(); },
        "prior");
    row("fvo unknown port", "fvo", "SDI.1080p60", [](CHOIDev *d) { return d->GetForceResolution(); },
        "prior");
    row("fvo vga", "fvo VGA", "VGA.1024x768", [](CHOIDev *d) { return d->GetVgaResolution(); },
        "1024x768");
    row("fvo vga multi-screen", "fvo VGA", "VGA.1024x768",
        [](CHOIDev *d) { return d->GetMultiScreenVgaResolution(); }, "1024x768");
    row("fvo cvbs", "fvo CVBS", "CVBS.PAL", [](CHOIDev *d) { return d->GetCvbsResolution(); }, "PAL");
    row("fvo dvi-d", "fvo DVI-D", "DVI-D.1080p60", [](CHOIDev *d) { return d->GetDviDResolution(); },
        "1080p60");
    row("fvo ypbpr", "fvo YPbPr", "YPbPr.1080i50", [](CHOIDev *d) { return d->GetYPbPrResolution(); },
        "1080i50");
    const Getter dip = [](CHOIDev *d) { return d->GetOutputDip(); };
    row("output dip cvbs", "--output-dip", "100", dip, "CVBS");
    row("output dip vga", "--output-dip", "010", dip, "VGA");
    row("output dip dvi-d", "--output-dip", "001", dip, "DVI-D");
    row("output dip unknown", "--output-dip", "111", dip, "prior");
    const Getter hwDip = [](CHOIDev *d) { return QString::number(d->GetHwDipEnable()); };
    row("hw dip off", "--hw-dip-enable", "n", hwDip, "0");
    row("hw dip other", "--hw-dip-enable", "x", hwDip, "1");
    const Getter edid = [](CHOIDev *d) { return d->GetEdid(); };
    row("edid starting with marker", "edid", "EDID:00 ff", edid, "EDID:00 ff");
    row("edid after marker", "edid", "head edid:00 ff", edid, "00 ff");
    const Getter voMode = [](CHOIDev *d) { return d->GetVoMode(); };
    row("low delay", "--low-delay", "y", voMode, "low delay");
    row("high quality", "--low-delay", "n", voMode, "high quality video");
    row("latency other", "--low-delay", "maybe", voMode, "");
    row("max enc res", "--show --max-enc-res", "1280x720",
        [](CHOIDev *d) { return d->GetMaxResolution(); }, "1280x720");
    row("overlay h", "--png-overlay-pos-h", "12", [](CHOIDev *d) { return d->GetOverlayPosH(); }, "12");
    row("overlay v", "--png-overlay-pos-v", "7", [](CHOIDev *d) { return d->GetOverlayPosV(); }, "7");
    row("colour space", "fource_output_color_space", "yuv444",
        [](CHOIDev *d) { return d->GetColorSpace(); }, "YUV444");
    row("hdcp on", "--hdcp-enable", "y", [](CHOIDev *d) { return Str(d->GetHdcpEnable()); }, "true");
    row("hdcp other", "--hdcp-enable", "1", [](CHOIDev *d) { return Str(d->GetHdcpEnable()); }, "false");
    row("hdcp always on", "hdcp_always_on", "y", [](CHOIDev *d) { return Str(d->GetHdcpAlwaysOn()); },
        "true");
    row("hdcp 2.2 always on", "hdcp_always_on_22", "n",
        [](CHOIDev *d) { return Str(d->GetHdcpAlwaysOn22()); }, "false");
    row("screen off", "v_turn_off_screen_on_pwr_save", "y",
        [](CHOIDev *d) { return Str(d->GetTurnOffScreenOnPwrSave()); }, "true");
    row("timing", "v_output_timing_convert", "0000ABCD",
        [](CHOIDev *d) { return d->GetOutputTimingConvert(); }, "0000ABCD");
    row("source time-out", "v_src_unavailable_timeout", "-1",
        [](CHOIDev *d) { return QString::number(d->GetSrcUnavailableTimeout()); }, "-1");
    row("serial", "s0_baudrate", "9600-8n1", [](CHOIDev *d) { return d->GetS0Baudrate(); }, "9600-8n1");
    row("token time-out", "soip_type2_token_timeout", "5",
        [](CHOIDev *d) { return QString::number(d->GetSoipType2TokenTimeout()); }, "5");
    row("stretch", "vw_stretch_type", "1",
        [](CHOIDev *d) { return QString::number(d->GetVwStretchType()); }, "1");
    row("rotate", "vw_rotate", "3", [](CHOIDev *d) { return QString::number(d->GetVwRotate()); }, "3");
    row("sink info", "sinkinfo", "SAM", [](CHOIDev *d) { return d->GetSinkInfo(); }, "SAM");
}

void TestDevice::readParam()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, value);
    QFETCH(Getter, getter);
    QFETCH(QString, expected);

    CHOIDev *dev = MakeDev(CHOIDev::E_DT_RX, QStringLiteral("HRX-0011223344BB"), QString());
    dev->SetForceResolution(QStringLiteral("prior"));
    dev->SetOutputDip(QStringLiteral("prior"));
    QSignalSpy read(dev, &CHOIDev::OnReadParam);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);

    dev->slotOnReadParam(name, value, E_CommResult(0));
    QCOMPARE(getter(dev), expected);
    QCOMPARE(read.count(), 1);
    QCOMPARE(read.at(0).at(1).toByteArray(), name);
    QCOMPARE(read.at(0).at(2).toByteArray(), value);
    QCOMPARE(int(read.at(0).at(3).value<E_CommResult>()), 0);
    QCOMPARE(LogLines(log),
             QStringList({QStringLiteral("'Decoder-0011223344BB' read param name='%1', value='%2'")
                              .arg(QString::fromUtf8(name), QString::fromUtf8(value))}));
}

void TestDevice::readParamNameChangesOnce()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QString());
    QSignalSpy named(dev, &CHOIDev::OnNameChanged);
    QSignalSpy read(dev, &CHOIDev::OnReadParam);
    dev->slotOnReadParam("name", "My%20TX", E_CommResult(0));
    QCOMPARE(dev->GetName(), QStringLiteral("My TX"));
    QCOMPARE(dev->GetDisplayName(), QStringLiteral("My TX"));
    QCOMPARE(named.count(), 1);
    dev->slotOnReadParam("name", "My%20TX", E_CommResult(0));
    QCOMPARE(named.count(), 1);
    QCOMPARE(read.count(), 2);
    // A name a shell would act on comes back as it was sent.
    dev->slotOnReadParam("name", "a%3Bb%24c%25", E_CommResult(0));
    QCOMPARE(dev->GetName(), QStringLiteral("a;b$c%"));
    QCOMPARE(named.count(), 2);
}

void TestDevice::readParamFailureResets()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_RX, QStringLiteral("HRX-0011223344BB"), QString());
    dev->SetName(QStringLiteral("Lobby"));
    dev->m_strScene = QStringLiteral("s");
    dev->m_strSinkInfo = QStringLiteral("SAM");
    dev->m_strEdid = QStringLiteral("00 ff");
    dev->SetHdcpAlwaysOn(true);
    dev->SetHdcpAlwaysOn22(true);
    dev->SetTurnOffScreenOnPwrSave(true);
    dev->SetOutputTimingConvert(QStringLiteral("0000ABCD"));
    dev->SetSrcUnavailableTimeout(-1);
    dev->SetS0Baudrate(QStringLiteral("9600-8n1"));
    dev->SetSoipType2TokenTimeout(9);
    dev->SetVwStretchType(1);
    dev->SetVwRotate(3);
    dev->SetVoMode(QStringLiteral("low delay"));
    dev->m_bNameUnread = true;
    QSignalSpy named(dev, &CHOIDev::OnNameChanged);
    QSignalSpy read(dev, &CHOIDev::OnReadParam);

    const char *const names[] = {"scene", "name", "sinkinfo", "edid", "hdcp_always_on",
                                 "hdcp_always_on_22", "v_turn_off_screen_on_pwr_save",
                                 "v_output_timing_convert", "v_src_unavailable_timeout",
                                 "s0_baudrate", "soip_type2_token_timeout", "vw_stretch_type",
                                 "vw_rotate", "--low-delay"};
    for (const char *n : names)
        dev->slotOnReadParam(n, QByteArray(), E_CommResult(1));

    QCOMPARE(read.count(), int(sizeof(names) / sizeof(names[0])));
    for (const QList<QVariant> &args : qAsConst(read))
        QCOMPARE(int(args.at(3).value<E_CommResult>()), 1);
    QCOMPARE(named.count(), 1);
    QVERIFY(dev->GetName().isEmpty());
    // The device answered that it has none: the on-line check does not
    // read it back again and again.
    QVERIFY(!dev->m_bNameUnread);
    QVERIFY(dev->m_strScene.isEmpty());
    QVERIFY(dev->GetSinkInfo().isEmpty());
    QVERIFY(dev->GetEdid().isEmpty());
    QVERIFY(!dev->GetHdcpAlwaysOn());
    QVERIFY(!dev->GetHdcpAlwaysOn22());
    QVERIFY(!dev->GetTurnOffScreenOnPwrSave());
    QCOMPARE(dev->GetOutputTimingConvert(), QStringLiteral("0"));
    QCOMPARE(dev->GetSrcUnavailableTimeout(), 10000);
    QCOMPARE(dev->GetS0Baudrate(), QStringLiteral("115200-8n1"));
    QCOMPARE(dev->GetSoipType2TokenTimeout(), 1);
    QCOMPARE(dev->GetVwStretchType(), 2);
    QCOMPARE(dev->GetVwRotate(), 0);
    // A failed read of any other name changes nothing.
    QCOMPARE(dev->GetVoMode(), QStringLiteral("low delay"));
    // An empty alias stays quiet when its read fails again.
    dev->slotOnReadParam("name", QByteArray(), E_CommResult(1));
    QCOMPARE(named.count(), 1);
}

void TestDevice::audioPortOptionIsCached()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QString());
    QSignalSpy mute(dev, &CHOIDev::OnGetMuteSettings);
    QSignalSpy map(dev, &CHOIDev::OnGetMapSettings);
    QSignalSpy overlay(dev, &CHOIDev::OnGetOverlaySettings);
    QSignalSpy osd(dev, &CHOIDev::OnGetOSDSettings);
    QSignalSpy delay(dev, &CHOIDev::OnGetAudioDelaySettings);

    dev->slotOnReadParam("--line-in=1", " 12 n - y ", E_CommResult(0));
    T_VolParam v;
    QVERIFY(dev->GetVolParam(1, 0, &v));
    QCOMPARE(v.mask, quint32(T_VolParam::MASK_GAIN | T_VolParam::MASK_PHANTOM_POWER | T_VolParam::MASK_MUTE));
    QCOMPARE(v.gain, 12);
    QVERIFY(v.mute);
    QVERIFY(!dev->GetVolParam(1, 1, &v));
    QCOMPARE(v.mask, quint32(0));

    // Setting one field merges it into what was read.
    T_VolParam gain;
    gain.mask = T_VolParam::MASK_LEVEL_CONTROL;
    gain.level_control = 4;
    QVERIFY(!dev->SetVolParam(1, 0, gain, false)); // no link: nothing queued
    QVERIFY(dev->GetVolParam(1, 0, &v));
    QCOMPARE(v.gain, 12);
    QCOMPARE(v.level_control, 4);
    QVERIFY(v.mask & T_VolParam::MASK_LEVEL_CONTROL);

    dev->slotOnReadParam("--enc-gop", "30", E_CommResult(0));
    QVariant value;
    QVERIFY(dev->GetOptionValue(9, value));
    QCOMPARE(value.toInt(), 30);
    QVERIFY(!dev->GetOptionValue(10, value));
    QVERIFY(!value.isValid());
    QVERIFY(!dev->SetOptionValue(19, QStringLiteral("010"), false));
    QVERIFY(dev->GetOptionValue(19, value));
    QCOMPARE(value.toString(), QStringLiteral("010"));

    dev->slotOnReadParam("--line-out=1 --mute", "y", E_CommResult(0));
    dev->slotOnReadParam("--background-image-display", "n", E_CommResult(0));
    dev->slotOnReadParam("--png-overlay-enable", "y", E_CommResult(0));
    dev->slotOnReadParam("--osd-display", "y", E_CommResult(0));
    dev->slotOnReadParam("--osd-display-method", "follow", E_CommResult(0));
    dev->slotOnReadParam("--delay-play", "100", E_CommResult(0));
    dev->slotOnReadParam("--audio-delay", "20", E_CommResult(0));
    QCOMPARE(mute.count(), 1);
    QCOMPARE(mute.at(0).at(0).toString(), QStringLiteral("y"));
    QCOMPARE(map.count(), 1);
    QCOMPARE(overlay.count(), 1);
    QCOMPARE(osd.count(), 2);
    QCOMPARE(osd.at(1).at(0).toString(), QStringLiteral("follow"));
    QCOMPARE(delay.count(), 2);
    QCOMPARE(delay.at(1).at(0).toString(), QStringLiteral("20"));
}

void TestDevice::shellReplies()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_MRX, QStringLiteral("HMRX-0011223344CC"), QString());
    QSignalSpy mute(dev, &CHOIDev::OnGetMuteSettings);

    const QByteArray route = "/ # route -n | grep UG | awk '{print $2}'\r\n";
    dev->slotOnGetDueGeteway(route + "10.88.0.254\r\n/ # ");
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.254"));
    dev->slotOnGetDueGeteway(route + "/ # ");            // no default route
    dev->slotOnGetDueGeteway(route + "10.88.0.9");       // prompt not there yet
    dev->slotOnGetDueGeteway(route + "10.0.0.1\r\n10.0.0.2\r\n/ # "); // two routes joined
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.254"));

    const QByteArray mask = "/ # ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'\r\n";
    dev->slotOnGetDueMasknet(mask + "255.255.255.0\r\n/ # ");
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.255.0"));
    dev->slotOnGetDueMasknet(mask + "\r\n/ # ");
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.255.0"));

    dev->slotOnGetIPMMultiView("/ # multiview get\r\nmultiview 4 1:a 2:b \r\n/ # ");
    QCOMPARE(dev->GetIPMMultiView(), QStringLiteral("4 1:a 2:b"));
    dev->slotOnGetIPMMultiView("/ # multiview get\r\nmultiview 9 1:x");
    QCOMPARE(dev->GetIPMMultiView(), QStringLiteral("4 1:a 2:b"));
    dev->slotOnGetIPMMultiView("/ # multiview set 1\r\n");
    QCOMPARE(dev->GetIPMMultiView(), QStringLiteral("4 1:a 2:b"));

    const QByteArray stream = "/ # cat /var/tmpfs/streamip\r\n";
    dev->slotOnGetStreamIP(stream + "video IP address: 225.0.1.2\r\naudio IP address: 225.0.1.3\r\n/ # ");
    QCOMPARE(dev->GetVideoIP(), QStringLiteral("video IP address: 225.0.1.2\r\naudio IP address: 225.0.1.3"));
    QCOMPARE(dev->m_strAudioIP, dev->GetVideoIP());
    dev->slotOnGetStreamIP("/ # cat /etc/version\r\nx\r\n/ # ");
    QVERIFY(!dev->GetVideoIP().isEmpty());
    dev->slotOnGetStreamIP(stream + "cat: can't open\r\n/ # ");
    QVERIFY(dev->GetVideoIP().isEmpty());

    dev->slotOnGetSinkPower("/ # x\r\n 1 \r\n");
    QCOMPARE(dev->m_nSinkPowerMode, 1);
    dev->slotOnGetSinkPower("\r\n \r\n");
    dev->slotOnGetSinkPower("abc");
    QCOMPARE(dev->m_nSinkPowerMode, 1);

    dev->slotOnGetMuteStatus("mute=y");
    QCOMPARE(mute.count(), 1);
    QCOMPARE(mute.at(0).at(0).toString(), QStringLiteral("mute=y"));
}

void TestDevice::controllerReplies()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_QN714, QStringLiteral("QN714-001122334455"),
                           QStringLiteral("10.88.1.9"));
    QSignalSpy found(m_mgr, &CHOIDevMgr::signalFoundQN714);

    dev->slotOnGetQN714IP("config get ipsetting\r\nipsetting is:ip4addr 10.88.1.10 netmask "
                          "255.255.255.0 gateway 10.88.0.1\r\n/ # ");
    QCOMPARE(dev->GetIPAddr(), QStringLiteral("10.88.1.9"));
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.1"));

    dev->slotOnGetQN714IP2("ipsetting is:ip4addr 10.88.1.10 netmask 255.255.0.0 gateway 10.88.0.1\r\n"
                           "ipsetting2 is:ip4addr 192.168.10.5 netmask 255.255.255.0 gateway "
                           "192.168.10.1\r\nAPI version: 1.0.7\r\n");
    QCOMPARE(dev->GetIPAddr2(), QStringLiteral("192.168.10.5"));
    QCOMPARE(dev->GetNetmask2(), QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetGateway2(), QStringLiteral("192.168.10.1"));
    // A cut reply leaves the rest as it was.
    dev->slotOnGetQN714IP2("ipsetting2 is:ip4addr 192.168.10.7 netm");
    QCOMPARE(dev->GetIPAddr2(), QStringLiteral("192.168.10.7"));
    QCOMPARE(dev->GetNetmask2(), QStringLiteral("255.255.255.0"));

    dev->slotOnGetQN714Version("config get version\r\nAPI version: 1.0.7\r\nSystem version: 2.3.1\r\n/ # ");
    QCOMPARE(dev->GetVersion(), QStringLiteral("1.0.7/2.3.1"));
    QCOMPARE(found.count(), 1);
    QCOMPARE(found.at(0).at(0).value<CHOIDev *>(), dev);

    // A system version of several words ends with its line, not at the prompt.
    dev->slotOnGetQN714Version("API version: 1.0.8\r\nSystem version: 2.4 build 7\r\n/ # ");
    QCOMPARE(dev->GetVersion(), QStringLiteral("1.0.8/2.4 build 7"));
    QCOMPARE(found.count(), 2);

    dev->slotOnGetQN714Version("API version: \r\nSystem version: \r\n");
    QVERIFY(dev->GetVersion().isEmpty());
    QCOMPARE(found.count(), 2);
}
