// Discovery and video-wall resynchronisation in the private test LAN: the console
// at 10.88.0.1 on veth0, the simulated devices on veth1.
#include "hoi_core/devicesearcher.h"
#include "hoi_core/vwsyncomm.h"
#include "simdiscovery.h"
#include "simresync.h"

#include <QElapsedTimer>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList g_log;
QtMessageHandler g_prevHandler = nullptr;

void CaptureLog(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    g_log.append(msg);
    if (g_prevHandler)
        g_prevHandler(type, ctx, msg);
}

QStringList LogLines(const QString& prefix)
{
    QStringList lines;
    for (const QString& line : qAsConst(g_log)) {
        if (line.startsWith(prefix))
            lines.append(line);
    }
    return lines;
}

// What the console sees of one found device.
QString Found(const QList<QVariant>& args)
{
    return QString::fromLatin1(args.at(1).toByteArray() + '|' + args.at(2).toByteArray() + '|'
                               + args.at(3).toByteArray());
}

QSet<QString> FoundSet(const QSignalSpy& spy)
{
    QSet<QString> found;
    for (const QList<QVariant>& args : spy)
        found.insert(Found(args));
    return found;
}

QSet<QString> Expected(const QList<T_SimDiscoveryDev>& devs)
{
    QSet<QString> expected;
    for (const T_SimDiscoveryDev& dev : devs) {
        if (dev.on)
            expected.insert(QString::fromLatin1(dev.address.toString().toLatin1() + '|' + dev.hostName + '|' + dev.status));
    }
    return expected;
}

const QString kConsole = QStringLiteral("10.88.0.1");
const QString kDevSide = QStringLiteral("10.88.1.1");

} // namespace

class TstDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void roundsAtOneSecond();
    void onePerHostName();
    void switchedOffDevicesStaySilent();
    void newStartReportsAgain();
    void stopEndsSilently();
    void replyLayout_data();
    void replyLayout();
    void largeFleetAllFound();
    void resyncMessage_data();
    void resyncMessage();
    void resyncBatch();

private:
    bool RunSearch(QDeviceSearcher& searcher, QSignalSpy& stopSpy);

    int m_lanDevices = 0;
};

void TstDiscovery::initTestCase()
{
    // Multicast must never reach a real network.
    if (qgetenv("HOI_TESTLAN") != "1")
        QSKIP("runs only inside the private test LAN (tests/lan/testlan.sh)");
    m_lanDevices = qEnvironmentVariableIntValue("HOI_TESTLAN_DEVICES");
    QVERIFY2(m_lanDevices >= 200, "the test LAN needs at least 200 device addresses");
    // The resynchronisation lines are per-datagram diagnostics, off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("hoi.link.debug=true"));
    g_prevHandler = qInstallMessageHandler(CaptureLog);
}

void TstDiscovery::init()
{
    g_log.clear();
}

bool TstDiscovery::RunSearch(QDeviceSearcher& searcher, QSignalSpy& stopSpy)
{
    const int before = stopSpy.count();
    searcher.Start();
    return QTest::qWaitFor([&]() { return stopSpy.count() > before; }, 15000);
}

void TstDiscovery::roundsAtOneSecond()
{
    CSimDiscovery sim;
    const QList<T_SimDiscoveryDev> fleet = CSimDiscovery::TestLanFleet(16);
    sim.SetDevices(fleet);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    QSignalSpy roundSpy(&searcher, &QDeviceSearcher::OnStartBroadcast);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QElapsedTimer clock;
    QList<qint64> roundTimes;
    qint64 stopTime = -1;
    connect(&searcher, &QDeviceSearcher::OnStartBroadcast, this, [&]() { roundTimes.append(clock.elapsed()); });
    connect(&searcher, &QDeviceSearcher::OnStop, this, [&]() { stopTime = clock.elapsed(); });

    clock.start();
    QVERIFY(RunSearch(searcher, stopSpy));
    QTest::qWait(300);

    QCOMPARE(stopSpy.count(), 1);
    QCOMPARE(roundSpy.count(), 3);
    for (int i = 0; i < 3; ++i) {
        const QList<QVariant> args = roundSpy.at(i);
        QCOMPARE(args.at(0).toInt(), 3);
        QCOMPARE(args.at(1).toInt(), i + 1);
        // veth1 holds all the device addresses, with one broadcast address: one request.
        QStringList addrs = args.at(2).toString().split(QLatin1Char(','));
        addrs.sort();
        QCOMPARE(addrs, QStringList({kConsole, kDevSide}));
    }
    // Loose bounds: the rounds are a second apart and the end comes a second later.
    QVERIFY2(roundTimes.at(0) < 500, qPrintable(QString::number(roundTimes.at(0))));
    QVERIFY2(roundTimes.at(1) >= 900, qPrintable(QString::number(roundTimes.at(1))));
    QVERIFY2(roundTimes.at(2) >= 1800, qPrintable(QString::number(roundTimes.at(2))));
    QVERIFY2(stopTime >= 2700 && stopTime < 10000, qPrintable(QString::number(stopTime)));

    // Every request is 8 zero bytes, one per round and source address.
    const QList<T_SimDiscoveryRequest> reqs = sim.Requests();
    QCOMPARE(reqs.size(), 6);
    QMap<QString, int> perSender;
    for (const T_SimDiscoveryRequest& req : reqs) {
        QCOMPARE(req.payload, QByteArray(8, '\0'));
        ++perSender[req.sender.toString()];
    }
    QCOMPARE(perSender.value(kConsole), 3);
    QCOMPARE(perSender.value(kDevSide), 3);

    QCOMPARE(sim.ReplyCount(), 16 * 6);
    QCOMPARE(foundSpy.count(), 16);
    for (const QList<QVariant>& args : foundSpy)
        QCOMPARE(args.at(0).toString(), QString());
    QCOMPARE(FoundSet(foundSpy), Expected(fleet));

    const QStringList oldSize = LogLines(QStringLiteral("old udpSocke size:"));
    QCOMPARE(oldSize.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^old udpSocke size: \\d+     error: 0$")).match(oldSize.first()).hasMatch(),
             qPrintable(oldSize.first()));
    const QStringList newSize = LogLines(QStringLiteral("Set new udpSocke size result:"));
    QCOMPARE(newSize.size(), 1);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Set new udpSocke size result: 0     size is: (\\d+)$")).match(newSize.first());
    QVERIFY2(m.hasMatch(), qPrintable(newSize.first()));
    QVERIFY2(m.captured(1).toLongLong() >= 1048576, qPrintable(newSize.first()));
}

void TstDiscovery::onePerHostName()
{
    // Two devices answering with one name, from two addresses: one report.
    CSimDiscovery sim;
    QList<T_SimDiscoveryDev> fleet = CSimDiscovery::TestLanFleet(8);
    fleet[5].hostName = fleet[2].hostName;
    sim.SetDevices(fleet);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(100);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QVERIFY(RunSearch(searcher, stopSpy));

    QCOMPARE(sim.ReplyCount(), 8 * 6);
    QCOMPARE(foundSpy.count(), 7);
    QStringList hosts;
    for (const QList<QVariant>& args : foundSpy)
        hosts.append(QString::fromLatin1(args.at(2).toByteArray()));
    hosts.removeDuplicates();
    QCOMPARE(hosts.size(), 7);
    QVERIFY(hosts.contains(QString::fromLatin1(fleet[2].hostName)));
}

void TstDiscovery::switchedOffDevicesStaySilent()
{
    CSimDiscovery sim;
    sim.SetDevices(CSimDiscovery::TestLanFleet(10));
    sim.SetDeviceOn(3, false);
    sim.SetDeviceOn(7, false);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(100);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QVERIFY(RunSearch(searcher, stopSpy));

    QList<T_SimDiscoveryDev> fleet = CSimDiscovery::TestLanFleet(10);
    fleet[3].on = false;
    fleet[7].on = false;
    QCOMPARE(foundSpy.count(), 8);
    QCOMPARE(FoundSet(foundSpy), Expected(fleet));
}

void TstDiscovery::newStartReportsAgain()
{
    CSimDiscovery sim;
    const QList<T_SimDiscoveryDev> fleet = CSimDiscovery::TestLanFleet(12);
    sim.SetDevices(fleet);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(100);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QVERIFY(RunSearch(searcher, stopSpy));
    QCOMPARE(foundSpy.count(), 12);

    // A device that goes away between searches is simply not reported again.
    sim.SetDeviceOn(0, false);
    foundSpy.clear();
    QVERIFY(RunSearch(searcher, stopSpy));
    QCOMPARE(stopSpy.count(), 2);
    QCOMPARE(foundSpy.count(), 11);
    QVERIFY(!FoundSet(foundSpy).contains(Expected({fleet[0]}).values().first()));
}

void TstDiscovery::stopEndsSilently()
{
    CSimDiscovery sim;
    sim.SetDevices(CSimDiscovery::TestLanFleet(4));
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(100);
    QSignalSpy roundSpy(&searcher, &QDeviceSearcher::OnStartBroadcast);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    searcher.Start();
    searcher.Stop();
    // The replies to the first round find the listening socket closed.
    QTest::qWait(600);
    QCOMPARE(roundSpy.count(), 1);
    QCOMPARE(stopSpy.count(), 0);
    QCOMPARE(foundSpy.count(), 0);

    // Stop then Start, as the manager does: a full search follows.
    QVERIFY(RunSearch(searcher, stopSpy));
    QCOMPARE(roundSpy.count(), 4);
    QCOMPARE(foundSpy.count(), 4);
}

void TstDiscovery::replyLayout_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("hostName");
    QTest::addColumn<QByteArray>("status");

    QTest::newRow("full layout") << CSimDiscovery::BuildReply("online", "IPE-TX-0001") << QByteArray("IPE-TX-0001")
                                 << QByteArray("online");

    QByteArray texts(120, 'x');
    texts.replace(8, 8, QByteArray("on\0junk\0", 8));
    texts.replace(40, 10, QByteArray("RX-7\0trail", 10));
    QTest::newRow("texts end at NUL") << texts << QByteArray("RX-7") << QByteArray("on");

    QByteArray short40(40, '\0');
    short40.replace(8, 5, "alive");
    QTest::newRow("40 bytes: no host name") << short40 << QByteArray() << QByteArray("alive");
    QTest::newRow("8 bytes") << QByteArray(8, '\0') << QByteArray() << QByteArray();
    QTest::newRow("3 bytes") << QByteArray("abc") << QByteArray() << QByteArray();

    QByteArray exact41(41, '\0');
    exact41[40] = 'Z';
    QTest::newRow("41 bytes") << exact41 << QByteArray("Z") << QByteArray();

    // No NUL anywhere: both texts run to the end of the 296 bytes read.
    QByteArray longReply(400, 'H');
    longReply.replace(0, 40, QByteArray(8, '\0') + QByteArray("ok") + QByteArray(30, '\0'));
    QTest::newRow("cut to 296") << longReply << QByteArray(256, 'H') << QByteArray("ok");
}

void TstDiscovery::replyLayout()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, hostName);
    QFETCH(QByteArray, status);

    CSimDiscovery sim;
    T_SimDiscoveryDev dev;
    dev.address = SimTestLanAddress(9);
    dev.rawReply = reply;
    sim.AddDevice(dev);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(100);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QVERIFY(RunSearch(searcher, stopSpy));

    // Answered every request, reported once.
    QCOMPARE(sim.ReplyCount(), 6);
    QCOMPARE(foundSpy.count(), 1);
    const QList<QVariant> args = foundSpy.first();
    QCOMPARE(args.at(0).toString(), QString());
    QCOMPARE(args.at(1).toByteArray(), SimTestLanAddress(9).toString().toLatin1());
    QCOMPARE(args.at(2).toByteArray(), hostName);
    QCOMPARE(args.at(3).toByteArray(), status);
}

void TstDiscovery::largeFleetAllFound()
{
    // Every device answers each request at once; the raised receive buffer must
    // hold the whole burst.
    CSimDiscovery sim;
    const QList<T_SimDiscoveryDev> fleet = CSimDiscovery::TestLanFleet(m_lanDevices, "IPE-RX-", "ready");
    sim.SetDevices(fleet);
    QVERIFY(sim.Start());

    QDeviceSearcher searcher(3);
    searcher.SetRoundInterval(200);
    QSignalSpy foundSpy(&searcher, &QDeviceSearcher::OnFoundDevice);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QVERIFY(RunSearch(searcher, stopSpy));

    QCOMPARE(sim.ReplyCount(), m_lanDevices * 6);
    QCOMPARE(foundSpy.count(), m_lanDevices);
    QCOMPARE(FoundSet(foundSpy), Expected(fleet));
}

void TstDiscovery::resyncMessage_data()
{
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<QByteArray>("payload");

    QTest::newRow("host name") << QStringLiteral("IPE-RX-00A1B2") << QByteArray("msg_b_reconnect IPE-RX-00A1B2");
    QTest::newRow("empty") << QString() << QByteArray("msg_b_reconnect ");
    QTest::newRow("latin-1") << QStringLiteral("d\u00e9codeur") << QByteArray("msg_b_reconnect d\xe9" "codeur");
}

void TstDiscovery::resyncMessage()
{
    QFETCH(QString, hostName);
    QFETCH(QByteArray, payload);

    CSimResync listener;
    QVERIFY(listener.Start(SimTestLanAddress(0)));
    QSignalSpy msgSpy(&listener, &CSimResync::MessageReceived);

    CVWSynComm sync;
    sync.StartVWSync(hostName);
    // One datagram from each source address: the console's and veth1's.
    QTRY_COMPARE(msgSpy.count(), 2);
    QTest::qWait(200);
    QCOMPARE(msgSpy.count(), 2);

    QStringList senders;
    const QList<T_SimResyncMsg> msgs = listener.Messages();
    for (const T_SimResyncMsg& msg : msgs) {
        QCOMPARE(msg.payload, payload);
        QVERIFY(!msg.payload.contains('\0'));
        senders.append(msg.sender.toString());
    }
    senders.sort();
    QCOMPARE(senders, QStringList({kConsole, kDevSide}));

    const QStringList lines = LogLines(QStringLiteral("MulticastSwitch:"));
    QCOMPARE(lines.size(), 2);
    for (const QString& line : lines) {
        QVERIFY2(line.startsWith(QStringLiteral("MulticastSwitch: \"msg_b_reconnect ")), qPrintable(line));
        QVERIFY2(line.endsWith(QStringLiteral("\" Size: %1").arg(payload.size())), qPrintable(line));
    }

    // A second message from the same object goes out the same way.
    sync.StartVWSync(hostName);
    QTRY_COMPARE(msgSpy.count(), 4);
}

void TstDiscovery::resyncBatch()
{
    // As an apply sends them: each message from each source, in order.
    CSimResync listener;
    QVERIFY(listener.Start(SimTestLanAddress(0)));
    QSignalSpy msgSpy(&listener, &CSimResync::MessageReceived);
    const QStringList texts{QStringLiteral("RX-1 "), QStringLiteral("RX-1 RX-2 "), QStringLiteral("RX-1 RX-2 RX-3 ")};
    QList<QByteArray> payloads;
    for (const QString& text : texts)
        payloads.append("msg_b_reconnect " + text.toLatin1());

    CVWSynComm sync;
    sync.BeginBatch();
    for (const QString& text : texts)
        sync.StartVWSync(text);
    sync.EndBatch();
    QTRY_COMPARE(msgSpy.count(), 6);

    QMap<QString, QList<QByteArray>> bySender;
    const QList<T_SimResyncMsg> msgs = listener.Messages();
    for (const T_SimResyncMsg& msg : msgs)
        bySender[msg.sender.toString()].append(msg.payload);
    QCOMPARE(bySender.keys(), QStringList({kConsole, kDevSide}));
    QCOMPARE(bySender.value(kConsole), payloads);
    QCOMPARE(bySender.value(kDevSide), payloads);
}

QTEST_GUILESS_MAIN(TstDiscovery)
#include "tst_discovery.moc"
