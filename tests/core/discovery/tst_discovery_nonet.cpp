// Discovery and resynchronisation with no usable interface: run in a bare network
// namespace ("unshare -n"), where lo is down and nothing can be sent.
#include "hoi_core/devicesearcher.h"
#include "hoi_core/vwsyncomm.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
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

bool HasUsableInterface()
{
    const QList<QNetworkInterface> ifaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : ifaces) {
        if (!(iface.flags() & QNetworkInterface::IsRunning))
            continue;
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                return true;
        }
    }
    return false;
}

} // namespace

class TstDiscoveryNoNet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void endsAfterShortDelay();
    void stopCancelsTheEnd();
    void restartWithinTheDelay();
    void resyncSendsNothing();
};

void TstDiscoveryNoNet::initTestCase()
{
    // Elsewhere these calls would send real multicast requests.
    if (HasUsableInterface())
        QSKIP("needs a network namespace without interfaces (unshare -n)");
    // The resynchronisation lines are per-datagram diagnostics, off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("hoi.link.debug=true"));
    g_prevHandler = qInstallMessageHandler(CaptureLog);
}

void TstDiscoveryNoNet::init()
{
    g_log.clear();
}

void TstDiscoveryNoNet::endsAfterShortDelay()
{
    QDeviceSearcher searcher(3);
    QSignalSpy roundSpy(&searcher, &QDeviceSearcher::OnStartBroadcast);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    QElapsedTimer clock;
    clock.start();
    searcher.Start();

    QCOMPARE(roundSpy.count(), 1);
    QCOMPARE(roundSpy.first(), QList<QVariant>({3, 1, QString()}));
    QCOMPARE(stopSpy.count(), 0);
    QTRY_COMPARE(stopSpy.count(), 1);
    QVERIFY2(clock.elapsed() >= 80, qPrintable(QString::number(clock.elapsed())));

    // No further rounds: the search has ended.
    QTest::qWait(1300);
    QCOMPARE(roundSpy.count(), 1);
    QCOMPARE(stopSpy.count(), 1);
}

void TstDiscoveryNoNet::stopCancelsTheEnd()
{
    QDeviceSearcher searcher(3);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    searcher.Start();
    searcher.Stop();
    QTest::qWait(400);
    QCOMPARE(stopSpy.count(), 0);
}

void TstDiscoveryNoNet::restartWithinTheDelay()
{
    // Stop then Start before the first search's end is due: one end, for the new search.
    QDeviceSearcher searcher(3);
    QSignalSpy roundSpy(&searcher, &QDeviceSearcher::OnStartBroadcast);
    QSignalSpy stopSpy(&searcher, &QDeviceSearcher::OnStop);
    searcher.Start();
    QTest::qWait(50);
    searcher.Stop();
    QElapsedTimer clock;
    clock.start();
    searcher.Start();
    QTRY_COMPARE(stopSpy.count(), 1);
    QVERIFY2(clock.elapsed() >= 80, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(400);
    QCOMPARE(stopSpy.count(), 1);
    QCOMPARE(roundSpy.count(), 2);
}

void TstDiscoveryNoNet::resyncSendsNothing()
{
    CVWSynComm sync;
    sync.StartVWSync(QStringLiteral("IPE-RX-1"));
    for (const QString& line : qAsConst(g_log))
        QVERIFY2(!line.startsWith(QStringLiteral("MulticastSwitch:")), qPrintable(line));
}

QTEST_GUILESS_MAIN(TstDiscoveryNoNet)
#include "tst_discovery_nonet.moc"
