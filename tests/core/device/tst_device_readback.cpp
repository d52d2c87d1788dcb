// Reading a device's settings, the network and maintenance commands, the IP
// controller, and the identity helpers.

#include "tst_device.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "hoi_core/ircodetable.h"
#include "hoi_core/telnetcomm.h"
#include "simunansweredport.h"

namespace {

const char kNetmaskLine[] = "ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'";
const char kGatewayLine[] = "route -n | grep UG | awk '{print $2}'";

QList<QByteArray> BurstHead(bool withName)
{
    QList<QByteArray> l;
    if (withName)
        l << "gbparam g 1 name";
    l << "gbparam r 1 ethaddr"
      << "gbparam g 1 ip_mode" << kNetmaskLine << "gbparam g 1 multicast_ip"
      << "gbparam g 1 ch_select"
      << "gbparam g 1 scene"
      << "gbparam g 1 s_row_count"
      << "gbparam g 1 s_col_count"
      << "cat /etc/version"
      << "gbconfig -s -l"
      << "gbconfig --help | grep sinkpower-mode |wc -l"
      << "gbparam g 1 preview_enable"
      << "gbparam g 1 ast_video_quality_mode"
      << "gbparam g 1 s0_baudrate"
      << "gbparam g 1 soip_type2_token_timeout"
      << "gbparam g 1 fource_output_color_space" << kGatewayLine;
    return l;
}

QList<QByteArray> Reads(std::initializer_list<const char *> names)
{
    QList<QByteArray> l;
    for (const char *n : names)
        l << QByteArray("gbparam g 1 ") + n;
    return l;
}

QList<QByteArray> DecoderVideo()
{
    return QList<QByteArray>{"gbget vi",          "gbget fvo",         "gbget fvo CVBS",
                             "gbget fvo VGA",     "gbget fvo DVI-D",   "gbget fvo YPbPr"}
           + Reads({"s_row", "s_col", "hdcp_always_on", "hdcp_always_on_22", "v_output_timing_convert",
                    "v_turn_off_screen_on_pwr_save", "v_src_unavailable_timeout", "vw_stretch_type",
                    "vw_rotate"})
           + Lines({"gbconfig --show --png-overlay-pos-h", "gbconfig --show --png-overlay-pos-v"});
}

bool WriteIrDatabase(const QString &path)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("irwriter"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("create table ControlTable (CtrlID text, KeyValue text, IDCode "
                                         "integer, OperateCode integer, FrequenceCode integer, "
                                         "ExecuteCode blob);"));
        ok = ok && q.exec(QStringLiteral("insert into ControlTable values ('TV', 'POWER', 1, 2, 38000, "
                                         "x'0102');"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("irwriter"));
    return ok;
}

} // namespace

void TestDevice::updateFromDevBurst_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("simType");
    QTest::addColumn<bool>("withName");
    QTest::addColumn<QList<QByteArray>>("lines");

    const QList<QByteArray> maxRes = Lines({"gbconfig --show --show --max-enc-res"});
    const QList<QByteArray> tail = Lines({"cat /var/tmpfs/monitor_info", "cat /var/tmpfs/streamip"});

    QTest::newRow("tx without video settings or wall")
        << QString::fromLatin1(kTxHost) << int(CHOIDev::E_DT_TX) << "TX" << false
        << BurstHead(false) + maxRes
               + Lines({"gbconfig --show --line-in=1", "gbconfig --show --line-in=2",
                        "gbconfig --show --line-out=1", "gbconfig --show --mic=0",
                        "gbconfig --show --mic=1", "gbconfig --show --mic=2",
                        "cat /var/tmpfs/edid_hdmi", "cat /var/tmpfs/streamip"});

    // The group query comes first even for a single microphone.
    QTest::newRow("tx with one microphone")
        << QStringLiteral("MTX-0011223344AA") << int(CHOIDev::E_DT_TX) << "TX" << false
        << BurstHead(false) + maxRes
               + Lines({"gbconfig --show --mic=0", "gbconfig --show --mic=1", "cat /var/tmpfs/edid_hdmi",
                        "cat /var/tmpfs/streamip"});

    QTest::newRow("tx with video settings and wall")
        << QStringLiteral("VTX-0011223344DD") << int(CHOIDev::E_DT_TX) << "TX" << true
        << BurstHead(true) + maxRes
               + Lines({"gbget vi", "gbget vo", "gbget fvo", "gbget fvo CVBS", "gbget fvo VGA",
                        "gbget fvo DVI-D", "gbget fvo YPbPr"})
               + Reads({"en_video_wall", "s_vw_name", "s_vw_mode", "s_vw_pos_row", "s_vw_pos_col",
                        "s_vw_row_count", "s_vw_col_count", "s_vw_row", "vw_moninfo_ha",
                        "vw_moninfo_ht", "vw_moninfo_va", "vw_moninfo_vt", "vw_v_shift"})
               + Lines({"gbconfig --show --hdcp-enable", "gbconfig --show --enc-rc-mode",
                        "gbconfig --show --cbr-avg-bitrate", "gbconfig --show --vbr-max-bitrate",
                        "gbconfig --show --vbr-min-qp", "gbconfig --show --vbr-max-qp",
                        "gbconfig --show --fixqp-iqp", "gbconfig --show --fixqp-pqp",
                        "gbconfig --show --enc-gop", "gbconfig --show --enc-fps",
                        "gbconfig --show --transport-type", "gbconfig --show --suppressor-bypass",
                        "gbconfig --show --low-delay", "gbconfig --show --png-overlay-pos-h",
                        "gbconfig --show --png-overlay-pos-v", "gbconfig --show --hw-dip-enable",
                        "gbconfig --show --output-dip"})
               + tail;

    QTest::newRow("rx with wall")
        << QStringLiteral("HRX-0011223344BB") << int(CHOIDev::E_DT_RX) << "RX" << true
        << BurstHead(true) + maxRes + DecoderVideo()
               + Reads({"s_vw_name", "vw_h_shift", "vw_v_shift", "vw_h_scale", "vw_v_scale",
                        "vw_delay_kick"})
               + tail;

    QTest::newRow("multiview decoder")
        << QStringLiteral("HMRX-0011223344CC") << int(CHOIDev::E_DT_MRX) << "MRX" << false
        << BurstHead(false) + Lines({"multiview get", "gbparam g 1 user_audio_mode"}) + maxRes
               + DecoderVideo() + tail;
}

void TestDevice::updateFromDevBurst()
{
    QFETCH(QString, host);
    QFETCH(int, type);
    QFETCH(QString, simType);
    QFETCH(bool, withName);
    QFETCH(QList<QByteArray>, lines);

    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::DevType(type), host, simType, &sim);
    QVERIFY(dev);
    if (host.endsWith(QLatin1String("-0011223344AA")))
        sim->setEdidFileName(QStringLiteral("edid_hdmi"));
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QVERIFY(dev->UpdateFromDev(withName));
    QVERIFY(WaitDone(done));
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 0);
    QCOMPARE(m_lan->Commands(0), lines);
}

void TestDevice::updateFromDevStoresValues()
{
    SimDevice *tx = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("TX"), &tx);
    QVERIFY(dev);
    tx->setEdidFileName(QStringLiteral("edid_hdmi"));
    tx->setParam(QStringLiteral("gatewayip"), QStringLiteral("10.88.0.254"));
    tx->setParam(QStringLiteral("netmask"), QStringLiteral("255.255.255.0"));
    tx->setParam(QStringLiteral("ip_mode"), QStringLiteral("dhcp"));
    tx->setParam(QStringLiteral("s0_baudrate"), QStringLiteral("9600-8n1"));
    tx->setParam(QStringLiteral("name"), QStringLiteral("Lobby%20TX"));
    SimSetVersion(*tx, "V2.0.1", false);

    SimDevice *mrx = nullptr;
    CHOIDev *mv = MakeSimDev(CHOIDev::E_DT_MRX, QStringLiteral("HMRX-0011223344CC"),
                             QStringLiteral("MRX"), &mrx);
    QVERIFY(mv);
    SimDevice *vtx = nullptr;
    CHOIDev *wall = MakeSimDev(CHOIDev::E_DT_TX, QStringLiteral("VTX-0011223344DD"),
                               QStringLiteral("TX"), &vtx);
    QVERIFY(wall);
    SimSetVersion(*vtx, "V3.1.4", true);

    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QSignalSpy doneMv(mv, &CHOIDev::OnCmdCompleted);
    QSignalSpy doneWall(wall, &CHOIDev::OnCmdCompleted);
    QVERIFY(dev->UpdateFromDev(true));
    QVERIFY(mv->UpdateFromDev(true));
    QVERIFY(wall->UpdateFromDev(true));
    QVERIFY(WaitDone(done));
    QVERIFY(WaitDone(doneMv));
    QVERIFY(WaitDone(doneWall));

    QCOMPARE(dev->GetName(), QStringLiteral("Lobby TX"));
    QCOMPARE(dev->GetVersion(), QStringLiteral("V2.0.1"));
    QCOMPARE(wall->GetVersion(), QStringLiteral("V3.1.4"));
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.254"));
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetIPMode(), CHOIDev::E_IM_DHCP);
    QCOMPARE(dev->GetS0Baudrate(), QStringLiteral("9600-8n1"));
    QCOMPARE(dev->GetSinkInfo(), QStringLiteral("SIM"));
    QVERIFY(dev->GetEdid().startsWith(QStringLiteral("00 ff ff ff | ff ff ff 00")));
    QVERIFY(dev->GetVideoIP().startsWith(QStringLiteral("video IP address: 225.0.1.2")));
    T_VolParam v;
    QVERIFY(dev->GetVolParam(1, 0, &v));
    QCOMPARE(v.gain, 12);
    QVERIFY(dev->GetVolParam(3, -1, &v));
    QCOMPARE(v.gain, 18);
    QCOMPARE(wall->GetForceResolution(), QStringLiteral("1920x1080p60"));
    QCOMPARE(wall->GetVgaResolution(), QStringLiteral("1024x768p60"));
    QCOMPARE(wall->GetVideoInputName(), QStringLiteral("hdmi"));
    QVariant gop;
    QVERIFY(wall->GetOptionValue(9, gop));
    QCOMPARE(gop.toInt(), 30);
    QCOMPARE(mv->GetIPMMultiView(), mrx->multiView());
    QCOMPARE(mv->GetUserAudioMode(), QStringLiteral("quad window 1"));
    QCOMPARE(mv->GetCvbsResolution(), QStringLiteral("PAL"));
    QCOMPARE(mv->GetOverlayPosH(), QStringLiteral("0"));
}

void TestDevice::versionReply_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("version");

    const QByteArray full = "/ # cat /etc/version\r\nL1\r\nL2\r\nL3\r\n/ # ";
    QTest::newRow("third line") << QString::fromLatin1(kTxHost) << full << "L3";
    QTest::newRow("second line on hisi") << QStringLiteral("VTX-0011223344DD") << full << "L2";
    QTest::newRow("no echo") << QString::fromLatin1(kTxHost) << QByteArray("L1\r\nL2\r\nL3\r\n") << "prior";
    QTest::newRow("short") << QString::fromLatin1(kTxHost) << QByteArray("/ # cat /etc/version\r\nL1\r\n")
                           << "prior";
    QTest::newRow("empty line") << QString::fromLatin1(kTxHost)
                                << QByteArray("/ # cat /etc/version\r\nL1\r\nL2\r\n\r\n/ # ") << "";
}

void TestDevice::versionReply()
{
    QFETCH(QString, host);
    QFETCH(QByteArray, reply);
    QFETCH(QString, version);
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, host, QString());
    dev->m_strVersion = QStringLiteral("prior");
    dev->slotOnGetDevVersion(reply);
    QCOMPARE(dev->GetVersion(), version);
}

void TestDevice::setOnLineEdges()
{
    SimDevice *sim = nullptr;
    CHOIDev *dev = MakeSimDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("TX"), &sim);
    QVERIFY(dev);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    dev->SetOnLine(true);
    QVERIFY(dev->m_bOnLine);
    QVERIFY(WaitDone(done));
    const QList<QByteArray> first = m_lan->Commands(0);
    QVERIFY(!first.isEmpty());
    QVERIFY(!first.contains("gbparam g 1 name")); // the edge does not read the name

    dev->SetOnLine(true);
    QTest::qWait(300);
    QCOMPARE(m_lan->Commands(0), first);
    QCOMPARE(done.count(), 1);

    QVERIFY(dev->GetComm()->IsConnected());
    dev->SetOnLine(false);
    QVERIFY(!dev->m_bOnLine);
    QVERIFY(!dev->GetComm()->IsConnected());

    // The IP controller does not read its settings on its on-line edge.
    CHOIDev *ctl = MakeDev(CHOIDev::E_DT_QN714, QStringLiteral("QN714-001122334455"),
                           QStringLiteral("10.88.250.250"));
    ctl->SetOnLine(true);
    QVERIFY(ctl->m_bOnLine);
    QVERIFY(!ctl->GetComm());
}

void TestDevice::quietReadBackBacksOff()
{
    // A device whose name is unread and whose address nobody holds: each
    // try the checks make is one connection attempt, given up at its retry.
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QStringLiteral("10.88.250.250"));
    dev->m_bNameUnread = true;
    dev->SetRetryInterval(1);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);
    QSignalSpy ends(dev, &CHOIDev::OnQuietReadBackEnd);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QList<int> tries;
    for (int check = 1; check <= 45; ++check) {
        if (!dev->IsQuietReadBackDue(12))
            continue;
        tries << check;
        QVERIFY(dev->ReadBackWhole(true));
        if (tries.size() == 3) {
            // This try's lines vanish without an end: it counts as failed
            // when the next check finds the link idle.
            dev->GetComm()->ClearSendQueue();
            dev->m_retryTimer.stop();
            dev->GetComm()->AbortConnect();
            continue;
        }
        QTRY_COMPARE(ends.count(), tries.size() - (tries.size() > 3 ? 1 : 0));
    }
    // The gap doubles up to 12 checks and stays there, counted from each try.
    QCOMPARE(tries, QList<int>({1, 2, 4, 8, 16, 28, 40}));
    QCOMPARE(CountEnding(LogLines(log), QStringLiteral("connecting...")), 0);
    QCOMPARE(done.count(), 0);
}

void TestDevice::networkLines_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("oldApi");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QList<QByteArray>>("lines");

    const QString tx = QString::fromLatin1(kTxHost);
    const QString ip = SimTestLanAddress(0).toString();
    auto row = [&tx](const char *name, Action a, QList<QByteArray> lines) {
        QTest::newRow(name) << tx << false << a << lines;
    };

    row("apply to device",
        [ip](CHOIDev *d) {
            d->SetName(QStringLiteral("Main Hall"));
            return d->ApplyToDev(CHOIDev::E_IM_STATIC, ip, "255.255.255.0", "10.88.0.254");
        },
        {"gbparam s 1 name Main%20Hall", "gbparam s 1 ip_mode static",
         "gbparam s 1 ipaddr " + ip.toUtf8(), "gbparam s 1 netmask 255.255.255.0",
         "gbparam s 1 gatewayip 10.88.0.254", "gbparam save 1"});
    row("apply ip",
        [ip](CHOIDev *d) { return d->ApplyIPToDev(CHOIDev::E_IM_DHCP, ip, "255.255.0.0", "0.0.0.0"); },
        {"gbparam s 1 ip_mode dhcp", "gbparam s 1 ipaddr " + ip.toUtf8(),
         "gbparam s 1 netmask 255.255.0.0", "gbparam s 1 gatewayip 0.0.0.0", "gbparam save 1"});
    row("colour space", [](CHOIDev *d) { return d->ApplyColorSpace("YUV444"); },
        Lines({"gbparam s 1 fource_output_color_space YUV444", "gbparam save 1"}));
    row("preview",
        [](CHOIDev *d) {
            if (!d->EnsureConnected())
                return false;
            d->ApplyPreviewSetting();
            return true;
        },
        Lines({"gbparam s 1 preview_enable y", "gbparam s 1 ast_video_quality_mode -1",
               "gbparam save 1"}));
    row("video output",
        [](CHOIDev *d) {
            d->ApplyVideoOutputSetting();
            return true;
        },
        Lines({"gbparam s 1 hdcp_always_on n", "gbparam s 1 hdcp_always_on_22 n",
               "gbparam s 1 v_output_timing_convert 0", "gbparam s 1 v_turn_off_screen_on_pwr_save n",
               "gbparam s 1 v_src_unavailable_timeout 10000", "e 1 e_vw_stretch_type_2",
               "e 1 e_vw_rotate_0", "gbparam save 1"}));
    row("video input", [](CHOIDev *d) { return d->ApplyVideoInput("hdmi", "1", "2", true); },
        Lines({"gbset -vi  1 0011223344AA:hdmi:1:2"}));
    row("output dip vga", [](CHOIDev *d) { return d->ApplyOutputDip("vga", true); },
        Lines({"gbconfig --output-dip=010"}));
    row("output dip unknown", [](CHOIDev *d) { return d->ApplyOutputDip("sdi", true); },
        Lines({"gbconfig --output-dip=01"}));
    row("hdcp enable", [](CHOIDev *d) { return d->ApplyHdcpEnable(true, 1); },
        Lines({"gbconfig --hdcp-enable=y"}));
    row("reset edid", [](CHOIDev *d) { return d->ResetEdid(); },
        Lines({"cat /sys/devices/platform/display/default_edid_hdmi > "
               "/sys/devices/platform/videoip/eeprom_content"}));
    row("reboot", [](CHOIDev *d) { return d->Reboot(); }, Lines({"(sleep 1; reboot) &"}));
    row("reset default", [](CHOIDev *d) { return d->ResetDefault(); },
        Lines({"reset_to_default.sh", "reboot"}));
    QTest::newRow("video input old command set")
        << QStringLiteral("OTX-0011223344AA") << true
        << Action([](CHOIDev *d) { return d->ApplyVideoInput("hdmi", "1", "2", true); })
        << Lines({"gbset -vi  hdmi:1:2"});
}

void TestDevice::networkLines()
{
    senderLines();
}

void TestDevice::applyToDevOnController()
{
    const QString host = QStringLiteral("QN714-001122334455");
    SimDevice sim(host, QStringLiteral("QN714"));
    QVERIFY(sim.listen(SimTestLanAddress(7), 23000));
    SimInstallDeviceCommands(sim);

    CHOIDev *dev = MakeDev(CHOIDev::E_DT_QN714, host, SimTestLanAddress(7).toString());
    dev->SetName(QStringLiteral("Ctl A"));
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QVERIFY(dev->ApplyToDev(CHOIDev::E_IM_STATIC, QStringLiteral("10.88.1.9"),
                            QStringLiteral("255.255.255.0"), QStringLiteral("10.88.0.2")));
    // The new address set is kept although the controller gets only its name.
    QCOMPARE(dev->GetIPMode(), CHOIDev::E_IM_STATIC);
    QCOMPARE(dev->GetIPAddr(), QStringLiteral("10.88.1.9"));
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.2"));
    QVERIFY(WaitDone(done));
    QCOMPARE(done.first().at(2).value<E_CommResult>(), E_CR_SUCCESS);

    // Its line API logs in to nothing and answers with no prompt: the line
    // is done once written.
    QTRY_COMPARE(sim.receivedLines(), Lines({"param s  name Ctl%20A"}));
    QCOMPARE(sim.param(QStringLiteral("name")), QStringLiteral("Ctl%20A"));
    QCOMPARE(sim.saveCount(), 0);
}

void TestDevice::controllerAddressAndVersion_data()
{
    QTest::addColumn<quint16>("port");
    QTest::addColumn<bool>("lfUnended");
    QTest::newRow("line API, no prompt") << quint16(23000) << false;
    QTest::newRow("line API, LF alone, last line unended") << quint16(23000) << true;
    QTest::newRow("user shell, then sudo") << quint16(23) << false;
}

void TestDevice::controllerAddressAndVersion()
{
    QFETCH(quint16, port);
    QFETCH(bool, lfUnended);
    const QString host = QStringLiteral("QN714-001122334455");
    SimDevice sim(host, QStringLiteral("QN714"));
    sim.setLineApiLax(lfUnended);
    QVERIFY(sim.listen(SimTestLanAddress(7), port));
    SimInstallDeviceCommands(sim);
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_QN714, host, SimTestLanAddress(7).toString());
    QSignalSpy found(m_mgr, &CHOIDevMgr::signalFoundQN714);

    // Asked at once after the connection, as the search does.
    QVERIFY(dev->OpenCommAltPort());
    dev->GetIPandVersionQN714();
    QTRY_COMPARE(dev->GetVersion(), QStringLiteral("1.0.7/2.3.1"));
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.0.0"));
    QCOMPARE(dev->GetGateway(), QStringLiteral("10.88.0.1"));
    QCOMPARE(dev->GetIPAddr2(), QStringLiteral("192.168.10.5"));
    QCOMPARE(dev->GetNetmask2(), QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetGateway2(), QStringLiteral("192.168.10.1"));
    QCOMPARE(found.count(), 1);
    // Read once, the controller's connection is dropped.
    QTRY_VERIFY(!dev->GetComm()->IsConnected());
    // However often the user shell's prompt came back, "sudo su" went once at most.
    QVERIFY(sim.receivedLines().count("sudo su") <= 1);

    QVERIFY(dev->ApplyToQN714IP2(QStringLiteral("192.168.20.5"), QStringLiteral("255.255.0.0"),
                                 QStringLiteral("192.168.20.1")));
    QTRY_COMPARE(sim.param(QStringLiteral("qn714_2_addr")), QStringLiteral("192.168.20.5"));
    QCOMPARE(sim.param(QStringLiteral("qn714_2_gw")), QStringLiteral("192.168.20.1"));
    QVERIFY(dev->QN714Reboot());
    QTRY_VERIFY(sim.receivedLines().contains("config set reboot"));
}

void TestDevice::controllerFallsBackToPort23_data()
{
    QTest::addColumn<bool>("unanswered");
    QTest::newRow("23000 refused") << false;
    QTest::newRow("23000 unanswered") << true;
}

void TestDevice::controllerFallsBackToPort23()
{
    QFETCH(bool, unanswered);
    const QString host = QStringLiteral("QN714-001122334455");
    SimDevice sim(host, QStringLiteral("QN714"));
    QVERIFY(sim.listen(SimTestLanAddress(7), 23));
    SimUnansweredPort hole;
    if (unanswered)
        QVERIFY(hole.open(SimTestLanAddress(7), 23000));
    SimInstallDeviceCommands(sim);
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_QN714, host, SimTestLanAddress(7).toString());
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);

    // Both ports are tried within the one blocking attempt.
    QVERIFY(dev->EnsureConnected());
    QVERIFY(dev->GetComm()->IsConnected());
    QCOMPARE(static_cast<CTelnetComm *>(dev->GetComm())->GetPort(), quint16(23));
    // The attempt blocks, so its connection is reported before the attempt's line.
    QCOMPARE(LogLines(log), QStringList({QStringLiteral("Device('Controller-001122334455') connected."),
                                         QStringLiteral("[1]Device('Controller-001122334455') connecting...")}));
    QVERIFY(!dev->m_retryTimer.isActive());
    // The user shell is no line API: a queued line waits for the root prompt.
    // Its answer ends it, though the version read closes the link before
    // the prompt: one session, and the line never sent again.
    QVERIFY(dev->GetComm()->SendCmd(QStringLiteral("config get version")));
    QTRY_COMPARE(dev->GetComm()->GetSendQueueCount(), 0);
    QTRY_VERIFY(!dev->GetComm()->IsConnected());
    QCOMPARE(dev->GetVersion(), QStringLiteral("1.0.7/2.3.1"));
    QCOMPARE(sim.receivedLines(), Lines({"sudo su", "", "config get version"}));

    // Its link lost with a line queued, and nothing answers on either port
    // any more: the reconnect fails at once and ends the queue; no retry is
    // armed for the controller.
    QVERIFY(dev->EnsureConnected());
    sim.setStallReplies(true);
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QVERIFY(dev->SendCmd(QStringLiteral("config get version")));
    QTRY_VERIFY(sim.receivedLines().endsWith("config get version"));
    hole.close();
    sim.stopListening();
    sim.dropConnections();
    QTRY_COMPARE(done.count(), 1);
    QCoreApplication::processEvents(); // a second end would be on its way
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(2).value<E_CommResult>(), E_CR_CONNECT_TIMEOUT);
    QVERIFY(!dev->m_retryTimer.isActive());
    dev->CloseComm();
    QVERIFY(!dev->EnsureConnected());
    QVERIFY(!dev->m_retryTimer.isActive());
}

void TestDevice::identityHelpers()
{
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_TX, kTxHost, QString());
    QCOMPARE(dev->GetDefaultName(), QString::fromLatin1(kTxName));
    QCOMPARE(dev->GetDisplayName(), QString::fromLatin1(kTxName));
    dev->SetName(QString::fromLatin1(kTxHost));
    QCOMPARE(dev->GetDisplayName(), QString::fromLatin1(kTxName));
    QSignalSpy named(dev, &CHOIDev::OnNameChanged);
    dev->SetName(QStringLiteral("Lobby"));
    dev->SetName(QStringLiteral("Lobby"));
    QCOMPARE(named.count(), 1);
    QCOMPARE(dev->GetDisplayName(), QStringLiteral("Lobby"));

    CHOIDev *unknown = MakeDev(CHOIDev::E_DT_TX, QStringLiteral("ZZZ-0011223344AA"), QString());
    QCOMPARE(unknown->GetDefaultName(), QStringLiteral("ZZZ-0011223344AA"));

    dev->SetIPAddr(QStringLiteral("10.1.2.3"));
    dev->SetIPAddr(QStringLiteral("300.1.1.1"));
    QCOMPARE(dev->GetIPAddr(), QStringLiteral("10.1.2.3"));
    dev->SetIPAddr(QString());
    QCOMPARE(dev->GetIPAddr(), QStringLiteral("10.1.2.3"));
    dev->SetGateway2(QStringLiteral("gateway"));
    QCOMPARE(dev->GetGateway2(), QStringLiteral("0.0.0.0"));
    dev->SetNetmask2(QStringLiteral("255.255.255.0"));
    QCOMPARE(dev->GetNetmask2(), QStringLiteral("255.255.255.0"));

    CHOIDev *noId = MakeDev(CHOIDev::E_DT_RX, QString(), QString());
    noId->SetHostName(QStringLiteral("HRX-AABBCCDDEEFF"));
    QVERIFY(noId->m_strHostId.isEmpty());
    noId->m_strEthAddr = QStringLiteral("00:11:22:33:44:55");
    QCOMPARE(noId->GetMacId(), QStringLiteral("001122334455"));
    QCOMPARE(noId->m_strHostId, QStringLiteral("001122334455"));
    noId->SetHostName(QStringLiteral("HRX-AABBCCDDEEFF:3"), true);
    QCOMPARE(noId->GetMacId(), QStringLiteral("AABBCCDDEEFF"));
    QCOMPARE(noId->GetHostIndex(), 3);
    QCOMPARE(noId->GetHostNamePrefix(), QStringLiteral("HRX"));
    noId->SetHostName(QStringLiteral("HRX-AABBCCDDEEFF:0"));
    QCOMPARE(noId->GetHostIndex(), 1);
    noId->SetHostName(QStringLiteral(":5"));
    QCOMPARE(noId->GetHostIndex(), 1);
    QCOMPARE(noId->GetHostNamePrefix(), QString());
    QCOMPARE(dev->GetHostIndex(), 1);

    // An encoder shows no other encoder.
    dev->SetTXDev(unknown);
    QVERIFY(!dev->GetTXDev());
    noId->SetTXDev(dev);
    QCOMPARE(noId->GetTXDev(), dev);

    dev->SetVwRotate(3);
    dev->SetS0Baudrate(QStringLiteral("9600-8n1"));
    dev->SetVideoQualityMode(2);
    dev->SetPreviewEnable(false);
    dev->ResetLocalSettings();
    QCOMPARE(dev->GetVwRotate(), 0);
    QCOMPARE(dev->GetS0Baudrate(), QStringLiteral("115200-8n1"));
    QCOMPARE(dev->GetVideoQualityMode(), -1);
    QVERIFY(dev->GetPreviewEnable());
    QCOMPARE(dev->GetNetmask(), QStringLiteral("255.255.0.0"));

    dev->AddIPMLayout(QStringLiteral("c"), 3);
    dev->AddIPMLayout(QStringLiteral("a"), 1);
    dev->AddIPMLayout(QStringLiteral("b"), 2);
    dev->AddIPMLayout(QStringLiteral("a2"), 1);
    QStringList order;
    for (const T_IpmLayoutSeq &s : dev->GetSortedLayoutList())
        order << s.layout_name;
    QCOMPARE(order, QStringList({"a", "a2", "b", "c"}));

    dev->SetIPMLayoutAudio(QStringLiteral("quad"), QStringLiteral("separate"), QStringLiteral("HTX-1"));
    QCOMPARE(dev->GetIPMLayoutAudioMap().value(QStringLiteral("quad")).source, QStringLiteral("HTX-1"));
    QVERIFY(dev->CloseComm());
}

void TestDevice::virtualTxList()
{
    CHOIDev *gw = MakeDev(CHOIDev::E_DT_GW, QStringLiteral("HGW-0011223344EE"), QString());
    T_IpcInfo *a = new T_IpcInfo;
    a->hostname = QStringLiteral("IPC-000000000001");
    T_IpcInfo *b = new T_IpcInfo;
    b->hostname = QStringLiteral("IPC-000000000002");
    QVERIFY(gw->AddIpcInfo(a));
    QVERIFY(gw->AddIpcInfo(b));

    T_IpcInfo other;
    other.hostname = QStringLiteral("IPC-0000000000FF");
    QVERIFY(!gw->ReplaceIpcInfo(&other)); // no match: the caller keeps it
    T_IpcInfo unnamed;
    QVERIFY(!gw->ReplaceIpcInfo(&unnamed));
    QCOMPARE(gw->GetIpcList(), QList<T_IpcInfo *>({a, b}));

    T_IpcInfo *b2 = new T_IpcInfo(*b);
    b2->aliasname = QStringLiteral("Cam 2");
    QVERIFY(gw->ReplaceIpcInfo(b2));
    QCOMPARE(gw->GetIpcList(), QList<T_IpcInfo *>({a, b2}));
    delete b; // replaced, no longer the list's

    QVERIFY(gw->SetIpcAliasName(QStringLiteral("IPC-000000000001"), QStringLiteral("Cam 1")));
    QCOMPARE(a->aliasname, QStringLiteral("Cam 1"));
    QVERIFY(!gw->SetIpcAliasName(QString(), QStringLiteral("x")));
    QVERIFY(!gw->SetIpcAliasName(QStringLiteral("IPC-0000000000FF"), QStringLiteral("x")));

    QVERIFY(!gw->RemoveIpcInfo(&other));
    QVERIFY(gw->RemoveIpcInfo(a));
    QCOMPARE(gw->GetIpcList(), QList<T_IpcInfo *>({b2}));
}

void TestDevice::irCodeReportsFailureLater()
{
    const QString path = m_tmp.filePath(QStringLiteral("ir.db"));
    if (!QFile::exists(path))
        QVERIFY(WriteIrDatabase(path));
    CIrCodeTable table(path);
    CHOIDev *dev = MakeDev(CHOIDev::E_DT_RX, QStringLiteral("HRX-0011223344BB"), QString());
    QSignalSpy done(dev, &CHOIDev::OnCmdCompleted);
    QSignalSpy log(dev, &CHOIDev::OnProgressLog);

    QVERIFY(!dev->SendIrCode(nullptr, QStringLiteral("TV"), QStringLiteral("POWER")));
    QVERIFY(!dev->SendIrCode(&table, QStringLiteral("TV"), QStringLiteral("MUTE")));
    QVERIFY(!dev->SendIrCode(&table, QString(), QStringLiteral("POWER")));
    QVERIFY(dev->SendIrCode(&table, QStringLiteral("TV"), QStringLiteral("POWER")));
    QCOMPARE(done.count(), 0); // reported from the event loop, not from inside the call
    QTRY_COMPARE(done.count(), 1);
    QTest::qWait(100);
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(1).value<E_ControlObject>(), E_CO_IR);
    QCOMPARE(int(done.at(0).at(2).value<E_CommResult>()), 1);
    QCOMPARE(LogLines(log),
             QStringList({QStringLiteral("Device('Decoder-0011223344BB') fails to send ir code.")}));
}
