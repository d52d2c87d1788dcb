// Search, read-back and on-line check of the device manager, end to end in
// the private test LAN: simulated devices answer discovery from their own
// addresses and serve their Telnet shells there.
#include "hoi_core/devicesearcher.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "simlan.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const int kRoundMs = 200;

QString AppFile(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// The texts of the log lines, without their time stamps.
QStringList Texts(const QSignalSpy& spy)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString().mid(22);
    return texts;
}

// The lines of the search itself, in order; the devices' own lines (connecting,
// data, values read) are left out.
QStringList SearchLines(const QSignalSpy& spy)
{
    static const QRegularExpression re(
        QStringLiteral("^(Search start\\.\\.\\.|\\[\\d\\]Start multicast on .*|\\[\\] found device: .*|"
                       "Device\\('.*'\\) (is|fails to be) updated\\.|All devices are updated\\.|"
                       "The search is complete\\.|Unkown Device type.*|Warning: .*)$"));
    QStringList lines;
    for (const QString& text : Texts(spy)) {
        if (re.match(text).hasMatch())
            lines << text;
    }
    return lines;
}

QString MulticastAddrs()
{
    QStringList addrs;
    for (const T_McastSource& src : ListMulticastSources())
        addrs << src.addr.toString();
    return addrs.join(QLatin1Char(','));
}

int CountLines(const QList<QByteArray>& lines, const QByteArray& line)
{
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

int CountPrefixed(const QList<QByteArray>& lines, const QByteArray& prefix)
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&prefix](const QByteArray& l) { return l.startsWith(prefix); }));
}

typedef QPair<int, int> Progress;

QList<Progress> Progresses(const QSignalSpy& spy)
{
    QList<Progress> list;
    for (const QList<QVariant>& args : spy)
        list << Progress(args.at(0).value<E_ProgressNotify>(), args.at(1).toInt());
    return list;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchEndToEnd();
    void nothingAnswers();
    void environmentProxyIgnored();
    void fleetOf200();
    void unreachableDevice();
    void readBackCannotBeQueued();
    void quietCheck();
    void quietCheckFindsController();
    void controllerOnlySearchEnds();
    void renamedDeviceFoundByAddress();
    void hostileHostNamesAreIgnored();
    void removeDuringReadBack();
    void betweenReadBackStarts_data();
    void betweenReadBackStarts();
    void clearAllDuringChecks();
    void saveAliasToDevices();
    void factoryResetRenamesOnReturn_data();
    void factoryResetRenamesOnReturn();
    void encoderListedByGatewayFirst_data();
    void encoderListedByGatewayFirst();
    void unreadNameReadAgain();
    void quietReadBackKeepsQueuedLines();
    void readBackUnderWayGoesOnce();

private:
    // A manager with the sample products, short discovery rounds and no
    // background check unless a test starts it.
    CHOIDevMgr* NewMgr();
    // Runs one explicit search to its end; false when it did not end in time.
    bool Search(CHOIDevMgr* pMgr, int timeoutMs, bool bRestore = true);
    // Three decoders on the LAN, listed by one search of a new manager; null
    // when that fails.
    CHOIDevMgr* ThreeDecodersFound();
    // Quiet checks whose rounds have been sent since the discovery log was
    // cleared.
    int CheckCount() const;

    std::unique_ptr<CSimLan> m_pLan;
    std::unique_ptr<CHOIDevMgr> m_pMgr;
};

void TestSearch::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QVERIFY(CSimLan::AvailableAddresses() >= 200);
    QFile::remove(AppFile("config.xml"));
    QVERIFY(QFile::copy(QStringLiteral(HOI_RESOURCES_DIR "/config.xml"), AppFile("config.xml")));
}

void TestSearch::init()
{
    QFile::remove(AppFile("hdcp.xml"));
    m_pLan.reset(new CSimLan);
}

void TestSearch::cleanup()
{
    m_pMgr.reset();
    m_pLan.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CHOIDevMgr* TestSearch::NewMgr()
{
    m_pMgr.reset(new CHOIDevMgr);
    m_pMgr->SetOnLineTimings(-1, CHOIDevMgr::E_ONLINE_INTERVAL);
    m_pMgr->SetSearchRoundInterval(kRoundMs);
    if (!m_pMgr->LoadProdConfig())
        return nullptr;
    m_pMgr->LoadHdcpConfig();
    return m_pMgr.get();
}

bool TestSearch::Search(CHOIDevMgr* pMgr, int timeoutMs, bool bRestore)
{
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    if (!pMgr->StartSearch(bRestore))
        return false;
    // A real event loop: QTRY and qWaitFor sleep 10 ms between turns, and a
    // read-back of many lines would wait that long for every reply.
    return !stopSpy.isEmpty() || stopSpy.wait(timeoutMs);
}

int TestSearch::CheckCount() const
{
    return m_pLan->Discovery().Requests().size() / (CHOIDevMgr::E_SEARCH_ROUNDS * ListMulticastSources().size());
}

CHOIDevMgr* TestSearch::ThreeDecodersFound()
{
    for (int i = 0; i < 3; ++i) {
        if (!m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", i), "RX"))
            return nullptr;
    }
    CHOIDevMgr* pMgr = m_pLan->Start() ? NewMgr() : nullptr;
    if (!pMgr || !Search(pMgr, 30000) || pMgr->GetDevCount() != 3)
        return nullptr;
    return pMgr;
}

void TestSearch::searchEndToEnd()
{
    struct Sim
    {
        const char* model;
        const char* type;
        int entries;
    };
    const QList<Sim> sims = {{"IPE1000", "TX", 1}, {"IPD1000", "RX", 1}, {"IPM2000", "RX", 1},
                             {"IPW400", "RX", 1},  {"IPG100", "TX", 1},  {"IPE4000", "TX", 4}};
    for (int i = 0; i < sims.size(); ++i)
        QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor(sims.at(i).model, i), sims.at(i).type));
    QVERIFY(m_pLan->Start());
    // The decoder's HDCP setting is enforced once it has been read.
    QFile hdcp(AppFile("hdcp.xml"));
    QVERIFY(hdcp.open(QIODevice::WriteOnly));
    hdcp.write("<hdcp><product host_name=\"" + CSimLan::HostNameFor("IPD1000", 1).toLower().toUtf8()
               + "\" hdcp_enable=\"no\"/></hdcp>");
    hdcp.close();

    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(pMgr);
    QCOMPARE(pMgr->GetHdcpMap().size(), 1);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy progressSpy(pMgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy startSpy(pMgr, &CHOIDevMgr::OnSearchStart);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QSignalSpy notifySpy(pMgr, &CHOIDevMgr::OnDeviceNotify);

    QVERIFY(pMgr->StartSearch(false));
    QCOMPARE(startSpy.count(), 1);
    QVERIFY(!pMgr->StartSearch(true)); // refused while one runs
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    const int total = 9;
    QCOMPARE(stopSpy.at(0).at(0).toInt(), total);
    QCOMPARE(stopSpy.at(0).at(1).toBool(), false);
    QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
    QVERIFY(pMgr->GetFoundDevMap().isEmpty());

    // Progress: the rounds fill the first half, the read-backs the second.
    QList<Progress> expectedProgress = {{E_PN_SEARCH, 0}, {E_PN_SEARCH, 16}, {E_PN_SEARCH, 33}, {E_PN_SEARCH, 50}};
    for (int k = 1; k <= total; ++k)
        expectedProgress << Progress(E_PN_SEARCH, 50 + k * 50 / total);
    expectedProgress << Progress(E_PN_NONE, 100);
    QCOMPARE(Progresses(progressSpy), expectedProgress);

    // The log, in order.
    const QStringList lines = SearchLines(logSpy);
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.at(0), QStringLiteral("Search start..."));
    QCOMPARE(lines.at(1), QStringLiteral("[1]Start multicast on %1").arg(MulticastAddrs()));
    QStringList found, updated, rounds;
    int lastFound = -1, firstUpdated = -1, lastRound = -1;
    for (int i = 2; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.startsWith(QLatin1String("[] found device: "))) {
            found << line;
            lastFound = i;
        } else if (line.startsWith(QLatin1String("Device('"))) {
            updated << line;
            if (firstUpdated < 0)
                firstUpdated = i;
        } else if (line.contains(QLatin1String("Start multicast on"))) {
            rounds << line.left(3);
            lastRound = i;
        }
    }
    QCOMPARE(rounds, QStringList({"[2]", "[3]"}));
    QVERIFY(lastFound < firstUpdated);
    QVERIFY(lastRound < firstUpdated);
    QStringList expectedFound, expectedUpdated;
    for (int i = 0; i < sims.size(); ++i) {
        const QString host = CSimLan::HostNameFor(sims.at(i).model, i);
        const QString name = pMgr->GetProdDevName(host);
        expectedFound << QStringLiteral("[] found device: Hostname=%1, IP=%2, Status=online")
                             .arg(name, m_pLan->Address(i).toString());
        for (int e = 1; e <= sims.at(i).entries; ++e) {
            const QString entry = sims.at(i).entries > 1 ? name + QStringLiteral(":%1").arg(e) : name;
            expectedUpdated << QStringLiteral("Device('%1') is updated.").arg(entry);
        }
    }
    found.sort();
    expectedFound.sort();
    updated.sort();
    expectedUpdated.sort();
    QCOMPARE(found, expectedFound);
    QCOMPARE(updated, expectedUpdated);
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({"All devices are updated.", "The search is complete."}));
    QCOMPARE(lines.size(), 2 + 2 + found.size() + updated.size() + 2);

    // Every device entered the list once, on-line, with what its shell reported.
    QCOMPARE(pMgr->GetDevCount(), total);
    QCOMPARE(notifySpy.count(), total);
    for (const QList<QVariant>& args : notifySpy)
        QCOMPARE(args.at(1).value<E_DeviceNotify>(), E_DN_ADD);
    for (int i = 0; i < sims.size(); ++i) {
        const QString host = CSimLan::HostNameFor(sims.at(i).model, i);
        const QList<QByteArray> cmds = m_pLan->Commands(i);
        const QByteArray prefix = sims.at(i).model == QLatin1String("IPW400") ? "" : "1";
        if (sims.at(i).entries == 1) {
            CHOIDev* pDev = pMgr->FindDevByHostName(host);
            QVERIFY2(pDev, qPrintable(host));
            QVERIFY(pDev->m_bOnLine);
            QCOMPARE(pDev->GetIPAddr(), m_pLan->Address(i).toString());
            QCOMPARE(pDev->GetIPMode(), CHOIDev::E_IM_STATIC); // as the shell reported it
            QCOMPARE(pDev->m_strHostId, host.mid(host.indexOf('-') + 1));
            const bool bGrouped = pDev->GetDevType() == CHOIDev::E_DT_TX || pDev->GetDevType() == CHOIDev::E_DT_WP
                || pDev->GetDevType() == CHOIDev::E_DT_GW;
            QCOMPARE(pDev->GetGroup(), bGrouped ? g_strUngrouped : QString());
            // One read-back burst, with the name, and nothing read twice.
            QCOMPARE(CountLines(cmds, "gbparam g " + prefix + " name"), 1);
            QCOMPARE(CountLines(cmds, "cat /etc/version"), 1);
            QCOMPARE(CountLines(cmds, "cat /var/tmpfs/streamip"), 1);
        } else {
            // One device object per encoder input, each with its own burst.
            for (int e = 1; e <= sims.at(i).entries; ++e) {
                CHOIDev* pDev = pMgr->FindDevByHostName(host + QStringLiteral(":%1").arg(e));
                QVERIFY(pDev);
                QCOMPARE(pDev->GetHostIndex(), e);
                QCOMPARE(pDev->GetIPAddr(), m_pLan->Address(i).toString());
                QCOMPARE(CountLines(cmds, "gbparam g " + QByteArray::number(e) + " name"), 1);
            }
            QCOMPARE(CountLines(cmds, "cat /etc/version"), 4);
        }
    }
    const QList<QByteArray> rxCmds = m_pLan->Commands(1);
    QCOMPARE(CountLines(rxCmds, "gbconfig --hdcp-enable=n"), 1);
    QVERIFY(rxCmds.indexOf("gbconfig --hdcp-enable=n") > rxCmds.indexOf("cat /var/tmpfs/streamip"));
    QVERIFY(pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 1))->m_bHdcpChanged);
    QCOMPARE(CountLines(m_pLan->Commands(0), "gbconfig --hdcp-enable=n"), 0);
}

void TestSearch::environmentProxyIgnored()
{
    for (int i = 0; i < 2; ++i)
        QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", i), "RX"));
    QVERIFY(m_pLan->Start());
    // A proxy of the environment on the console's own address: devices are
    // on the installation network and must be reached directly.
    QTcpServer proxy;
    QVERIFY(proxy.listen(QHostAddress(qEnvironmentVariable("HOI_TESTLAN_CONSOLE"))));
    const QByteArray url = "http://" + proxy.serverAddress().toString().toLatin1() + ':'
                           + QByteArray::number(proxy.serverPort());
    qputenv("http_proxy", url);
    qputenv("all_proxy", url);
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(pMgr);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    const bool bEnded = Search(pMgr, 30000);
    qunsetenv("http_proxy");
    qunsetenv("all_proxy");
    QVERIFY(bEnded);
    QCOMPARE(Texts(logSpy).filter(QRegularExpression("^Device\\('.*'\\) is updated\\.$")).size(), 2);
    QVERIFY(!proxy.hasPendingConnections());
}

void TestSearch::nothingAnswers()
{
    // One reply of a model nobody knows, nothing else.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("ZZZ9", 0), "TX", false));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy progressSpy(pMgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(Search(pMgr, 20000));
    QCOMPARE(stopSpy.at(0).at(0).toInt(), 0);
    QCOMPARE(stopSpy.at(0).at(1).toBool(), true);
    const QString host = CSimLan::HostNameFor("ZZZ9", 0);
    const QString multicast = MulticastAddrs();
    QCOMPARE(SearchLines(logSpy),
             QStringList({"Search start...", "[1]Start multicast on " + multicast,
                          "[] found device: Hostname=" + host + ", IP=10.88.1.1, Status=online",
                          "Unkown Device type, device host name is '" + host + "'.",
                          "[2]Start multicast on " + multicast, "[3]Start multicast on " + multicast,
                          "The search is complete."}));
    QCOMPARE(Progresses(progressSpy), QList<Progress>({{E_PN_SEARCH, 0}, {E_PN_SEARCH, 16}, {E_PN_SEARCH, 33},
                                                       {E_PN_SEARCH, 50}, {E_PN_NONE, 100}}));
    QCOMPARE(pMgr->GetDevCount(), 0);
}

void TestSearch::fleetOf200()
{
    const int count = 200;
    QStringList hosts;
    for (int i = 0; i < count; ++i) {
        const bool bTx = i % 2 == 0;
        hosts << CSimLan::HostNameFor(bTx ? "IPE1000" : "IPD1000", i);
        QVERIFY(m_pLan->AddDevice(hosts.last(), bTx ? "TX" : "RX"));
    }
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(stopSpy.at(0).at(0).toInt(), count);
    QCOMPARE(pMgr->GetDevCount(), count);
    QStringList listed;
    for (int i = 0; i < pMgr->GetDevCount(); ++i) {
        listed << pMgr->GetDev(i)->GetHostName();
        QVERIFY(pMgr->GetDev(i)->m_bOnLine);
    }
    listed.sort();
    hosts.sort();
    QCOMPARE(listed, hosts);
    QCOMPARE(Texts(logSpy).filter(QRegularExpression("^Device\\('.*'\\) is updated\\.$")).size(), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(CountLines(m_pLan->Commands(i), "cat /etc/version"), 1);
}

void TestSearch::unreachableDevice()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 1), "RX", false));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    // Three connection attempts 3000 ms apart before it gives up.
    QVERIFY(Search(pMgr, 40000));
    QCOMPARE(stopSpy.at(0).at(0).toInt(), 2);
    const QString deadName = pMgr->GetProdDevName(CSimLan::HostNameFor("IPD1000", 1));
    const QStringList texts = Texts(logSpy);
    QCOMPARE(texts.count(QStringLiteral("Device('%1') fails to be updated.").arg(deadName)), 1);
    QCOMPARE(SearchLines(logSpy).mid(SearchLines(logSpy).size() - 2),
             QStringList({"All devices are updated.", "The search is complete."}));
    // It still enters the list, as any device whose read-back ended.
    QCOMPARE(pMgr->GetDevCount(), 2);
    QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
}

void TestSearch::readBackCannotBeQueued()
{
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);
    // No link to queue on, and none to be opened.
    CHOIDev* pDev = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 0));
    pDev->CloseComm();
    pDev->m_eCommType = CHOIDev::CommType(CHOIDev::E_CT_TELNET + 1);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    // Dropped from the search, which ends with the others; it stays listed.
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(SearchLines(logSpy).filter("updated.").size(), 3);
    QCOMPARE(Texts(logSpy).filter(pDev->GetDisplayName() + "') "), QStringList());
    QCOMPARE(pMgr->GetDevCount(), 3);
}

void TestSearch::quietCheck()
{
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);
    CHOIDev* pDev1 = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 1));
    QVERIFY(pDev1 && pDev1->m_bOnLine);

    // A new encoder appears; the background check runs every second (its
    // rounds take 600 ms here).
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 3), "TX"));
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy progressSpy(pMgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy notifySpy(pMgr, &CHOIDevMgr::OnDeviceNotify);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    m_pLan->ClearReceived();
    pMgr->SetOnLineTimings(0, 1000);
    QTest::qWait(2500);
    QVERIFY(pMgr->IsQuietSearch());
    QCOMPARE(pMgr->GetDevCount(), 3);
    QVERIFY(!pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 3)));
    QVERIFY(m_pLan->Commands(3).isEmpty());
    QVERIFY(logSpy.isEmpty());
    QVERIFY(progressSpy.isEmpty());
    QVERIFY(notifySpy.isEmpty());
    QVERIFY(stopSpy.isEmpty());

    // Switched off: off-line within one check, announced once.
    m_pLan->SetDeviceOn(1, false);
    QTRY_VERIFY_WITH_TIMEOUT(!pDev1->m_bOnLine, 2000);
    QCOMPARE(notifySpy.count(), 1);
    QCOMPARE(notifySpy.at(0).at(0).value<CHOIDev*>(), pDev1);
    QCOMPARE(notifySpy.at(0).at(1).value<E_DeviceNotify>(), E_DN_STATUS);
    QTest::qWait(2200);
    QCOMPARE(notifySpy.count(), 1);

    // Back on: on-line again, and its settings are read again (without its name).
    m_pLan->ClearReceived();
    m_pLan->SetDeviceOn(1, true);
    QTRY_VERIFY_WITH_TIMEOUT(pDev1->m_bOnLine, 2000);
    QCOMPARE(notifySpy.count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(1), "cat /var/tmpfs/streamip"), 1, 5000);
    QCOMPARE(CountLines(m_pLan->Commands(1), "gbparam g 1 name"), 0);
    QCOMPARE(pMgr->GetDevCount(), 3);
}

void TestSearch::quietCheckFindsController()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 0), "RX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("QN714", 1), "QN714", false));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy foundSpy(pMgr, &CHOIDevMgr::signalFoundQN714);
    pMgr->SetOnLineTimings(0, 1000);
    QTRY_COMPARE_WITH_TIMEOUT(foundSpy.count(), 1, 3000);
    CHOIDev* pCtrl = foundSpy.at(0).at(0).value<CHOIDev*>();
    QVERIFY(pCtrl);
    QCOMPARE(pMgr->GetDevCount(), 1); // the decoder is not created by the check
    QCOMPARE(pMgr->GetDev(0), pCtrl);
    QCOMPARE(pCtrl->GetDevType(), CHOIDev::E_DT_QN714);
    QCOMPARE(pCtrl->GetHostName(), CSimLan::HostNameFor("QN714", 1));
    QCOMPARE(pCtrl->GetName(), CSimLan::HostNameFor("QN714", 1));
    QCOMPARE(pCtrl->GetTypeName(), g_strControllerType);
    QCOMPARE(pCtrl->GetIPAddr(), m_pLan->Address(1).toString());
    QCOMPARE(pMgr->GetFoundQN714List(), QList<CHOIDev*>({pCtrl}));
    QTRY_VERIFY_WITH_TIMEOUT(pCtrl->m_bOnLine, 2000);
    QTest::qWait(2200);
    QCOMPARE(foundSpy.count(), 1);

    // A controller the operator deleted is not found again until the list is cleared.
    pMgr->AddQN714Dev(pCtrl);
    QVERIFY(pMgr->RemoveDevice(pCtrl));
    QTest::qWait(2500);
    QCOMPARE(foundSpy.count(), 1);
    QCOMPARE(pMgr->GetDevCount(), 0);
    pMgr->ClearFoundDevList();
    QTRY_COMPARE_WITH_TIMEOUT(foundSpy.count(), 2, 3000);
}

void TestSearch::controllerOnlySearchEnds()
{
    // A controller has nothing to read back: counted at once, it alone must
    // still end the search.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("QN714", 0), "QN714", false));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy foundSpy(pMgr, &CHOIDevMgr::signalFoundQN714);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(Search(pMgr, 20000));
    QCOMPARE(stopSpy.count(), 1);
    QCOMPARE(stopSpy.at(0).at(0).toInt(), 1);
    QCOMPARE(foundSpy.count(), 1);
    QCOMPARE(pMgr->GetDevCount(), 1);
    QVERIFY(pMgr->GetDev(0)->m_bOnLine);
    QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
    const QStringList lines = SearchLines(logSpy);
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({"All devices are updated.", "The search is complete."}));
}

void TestSearch::renamedDeviceFoundByAddress()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE4000", 1), "TX"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(pMgr->GetDevCount(), 5);
    CHOIDev* pDev = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 0));
    QList<CHOIDev*> inputs;
    for (int e = 1; e <= 4; ++e)
        inputs << pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE4000", 1) + QStringLiteral(":%1").arg(e));
    QVERIFY(pDev && !inputs.contains(nullptr));

    const QString newName = CSimLan::HostNameFor("IPE1000", 77);
    const QString newEncoder = CSimLan::HostNameFor("IPE4000", 78);
    m_pLan->Discovery().Device(0).hostName = newName.toUtf8();
    m_pLan->Discovery().Device(1).hostName = newEncoder.toUtf8();
    QSignalSpy notifySpy(pMgr, &CHOIDevMgr::OnDeviceNotify);
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(pMgr->GetDevCount(), 5);
    QCOMPARE(pDev->GetHostName(), newName);
    QCOMPARE(pDev->m_strHostId, newName.mid(newName.indexOf('-') + 1));
    // Each input keeps its own object and index under the new name.
    for (int e = 1; e <= 4; ++e) {
        QCOMPARE(inputs.at(e - 1)->GetHostName(), newEncoder + QStringLiteral(":%1").arg(e));
        QCOMPARE(inputs.at(e - 1)->GetHostIndex(), e);
    }
    QCOMPARE(notifySpy.count(), 0);
}

void TestSearch::hostileHostNamesAreIgnored()
{
    // A host name goes into other devices' shell lines: a reply of another
    // form is left out with one log line; the rest of the fleet loads.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 0), "RX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 1), "TX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 2), "TX"));
    QVERIFY(m_pLan->Start());
    m_pLan->Discovery().Device(1).hostName = "IPE1000-1;reboot;#";
    // A whole valid name inside: refused all the same.
    m_pLan->Discovery().Device(2).hostName = "IPE1000-0A5800000001;reboot";
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(pMgr->GetDevCount(), 1);
    QVERIFY(pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 0)));
    QStringList refused = Texts(logSpy).filter("host name");
    refused.sort();
    QCOMPARE(refused, QStringList({"Invalid device host name \"IPE1000-0A5800000001;reboot\" (IP="
                                       + m_pLan->Address(2).toString() + "), the reply is ignored.",
                                   "Invalid device host name \"IPE1000-1;reboot;#\" (IP="
                                       + m_pLan->Address(1).toString() + "), the reply is ignored."}));
    QVERIFY(m_pLan->Commands(1).isEmpty());
    QVERIFY(m_pLan->Commands(2).isEmpty());
}

void TestSearch::removeDuringReadBack()
{
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);

    // Device 2 stops answering: its read-back would wait for the reply time-out.
    m_pLan->Device(2)->setStallReplies(true);
    CHOIDev* pDev2 = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 2));
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(pMgr->StartSearch(true));
    QTRY_COMPARE_WITH_TIMEOUT(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_READBACK), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(pMgr->GetReadCompletedCount(), 2, 5000);
    QCOMPARE(stopSpy.count(), 0);
    QVERIFY(pMgr->RemoveDevice(pDev2));
    QCOMPARE(stopSpy.count(), 1);
    QCOMPARE(stopSpy.at(0).at(0).toInt(), 2);
    QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
    QCOMPARE(pMgr->GetDevCount(), 2);
    QVERIFY(pMgr->StartSearch(true));
}

void TestSearch::betweenReadBackStarts_data()
{
    QTest::addColumn<bool>("bClearAll");
    QTest::newRow("device removed") << false;
    QTest::newRow("all cleared") << true;
}

void TestSearch::betweenReadBackStarts()
{
    QFETCH(bool, bClearAll);
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);

    // Read-backs start one device a turn; the test steps in when the search
    // turns to them, before the first has started.
    pMgr->SetStartSliceMs(0);
    m_pLan->ClearReceived();
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(pMgr->StartSearch(true));
    QElapsedTimer waited;
    waited.start();
    while (pMgr->GetSearchState() != CHOIDevMgr::E_SS_READBACK && !waited.hasExpired(10000))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_READBACK));
    CHOIDev* pFirst = pMgr->GetFoundDevMap().firstKey();
    int removed = 0;
    while (removed < 3 && m_pLan->Address(removed).toString() != pFirst->GetIPAddr())
        ++removed;
    QVERIFY(removed < 3);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    if (bClearAll)
        pMgr->ClearAll();
    else
        QVERIFY(pMgr->RemoveDevice(pFirst));

    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 10000);
    QCOMPARE(stopSpy.at(0).at(0).toInt(), bClearAll ? 0 : 2);
    QCOMPARE(pMgr->GetDevCount(), bClearAll ? 0 : 2);
    // What was taken away is never connected or read back; the rest is read
    // back once.
    for (int i = 0; i < 3; ++i) {
        const bool bTaken = bClearAll || i == removed;
        const QString name = pMgr->GetProdDevName(CSimLan::HostNameFor("IPD1000", i));
        if (bTaken)
            QCOMPARE(Texts(logSpy).filter("Device('" + name + "') connecting"), QStringList());
        QCOMPARE(CountLines(m_pLan->Commands(i), "cat /etc/version"), bTaken ? 0 : 1);
    }
}

void TestSearch::clearAllDuringChecks()
{
    for (int i = 0; i < 2; ++i)
        QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", i), "TX"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    pMgr->SetSearchRoundInterval(40);
    pMgr->SetOnLineTimings(0, 90);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QSignalSpy progressSpy(pMgr, &CHOIDevMgr::OnProgressNotify);

    // Empty the manager at random moments of the background checks.
    QRandomGenerator rng(4711);
    for (int k = 0; k < 25; ++k) {
        QTest::qWait(static_cast<int>(rng.bounded(150)));
        pMgr->ClearAll();
        QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
        QVERIFY(pMgr->GetFoundDevMap().isEmpty());
    }
    // The quiet checks never ended a search or touched the status bar.
    QCOMPARE(stopSpy.count(), 0);
    QCOMPARE(progressSpy.count(), 0);

    // A search is still accepted and runs to its end.
    QVERIFY(Search(pMgr, 30000));
    QCOMPARE(stopSpy.last().at(0).toInt(), 2);
    QCOMPARE(pMgr->GetDevCount(), 2);

    // Emptied in the middle of the rounds and of the read-back: the search
    // ends at once and the window leaves its busy state.
    for (int state : {int(CHOIDevMgr::E_SS_DISCOVERY), int(CHOIDevMgr::E_SS_READBACK)}) {
        pMgr->ClearAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        stopSpy.clear();
        progressSpy.clear();
        // Two read-backs can end between two looks at the state: one device
        // holds its read-back open until the manager is emptied.
        m_pLan->Device(0)->setStallReplies(state == int(CHOIDevMgr::E_SS_READBACK));
        QVERIFY(pMgr->StartSearch(true));
        QTRY_COMPARE_WITH_TIMEOUT(pMgr->GetSearchState(), state, 5000);
        pMgr->ClearAll();
        m_pLan->Device(0)->setStallReplies(false);
        QCOMPARE(stopSpy.count(), 1);
        QCOMPARE(stopSpy.at(0).at(0).toInt(), 0);
        QCOMPARE(stopSpy.at(0).at(1).toBool(), true);
        QCOMPARE(Progresses(progressSpy).last(), Progress(E_PN_NONE, 100));
        QCOMPARE(pMgr->GetSearchState(), int(CHOIDevMgr::E_SS_IDLE));
        QCOMPARE(pMgr->GetDevCount(), 0);
        QTest::qWait(300);
        QCOMPARE(stopSpy.count(), 1);
        QVERIFY(Search(pMgr, 30000));
        QCOMPARE(stopSpy.last().at(0).toInt(), 2);
    }
    QTest::qWait(300);
}

void TestSearch::saveAliasToDevices()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 1), "RX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 2), "TX"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 0))->SetName(QStringLiteral("Hall TX"));
    pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 1))->SetName(QStringLiteral("Lobby"));
    CHOIDev* pNameless = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 2));
    QCOMPARE(pNameless->GetName(), QString());
    m_pLan->ClearReceived();
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    pMgr->SaveAliasToTxRx();
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbparam s 1 name Hall%20TX"), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(1), "gbparam s 1 name Lobby"), 1, 5000);
    // No alias: the device keeps its name, no empty one is sent (a name
    // line would come before the save queued next).
    QVERIFY(pNameless->SaveParam());
    QTRY_VERIFY_WITH_TIMEOUT(m_pLan->Commands(2).contains("gbparam save 1"), 5000);
    QCOMPARE(m_pLan->Commands(2), QList<QByteArray>({"gbparam save 1"}));
    QCOMPARE(Texts(logSpy).filter("stored name"),
             QStringList("Device('" + pNameless->GetDisplayName()
                         + "') keeps its stored name: it has no alias to save."));
}

void TestSearch::factoryResetRenamesOnReturn_data()
{
    QTest::addColumn<bool>("bQueued");
    QTest::newRow("reset queued") << true;
    // A device never told to reset keeps the alias the operator gave it.
    QTest::newRow("reset not queued") << false;
}

void TestSearch::factoryResetRenamesOnReturn()
{
    QFETCH(bool, bQueued);
    const QString host = CSimLan::HostNameFor("IPE1000", 0);
    QVERIFY(m_pLan->AddDevice(host, "TX"));
    m_pLan->Device(0)->setParam(QStringLiteral("name"), QStringLiteral("Hall"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    CHOIDev* pDev = pMgr->FindDevByHostName(host);
    QVERIFY(pDev);
    QCOMPARE(pDev->GetName(), QStringLiteral("Hall"));
    QStringList names;
    connect(pDev, &CHOIDev::OnNameChanged, this, [&names](CHOIDev* p) { names << p->GetName(); });

    // Reset as the device list does; the device restarts and is found again.
    if (!bQueued) {
        // No link to queue on, and none to be opened.
        pDev->CloseComm();
        pDev->m_eCommType = CHOIDev::CommType(CHOIDev::E_CT_TELNET + 1);
    }
    QCOMPARE(pMgr->ResetDevToDefault(pDev), bQueued);
    pDev->m_eCommType = CHOIDev::E_CT_TELNET;
    if (bQueued) {
        QTRY_VERIFY_WITH_TIMEOUT(m_pLan->Commands(0).endsWith("reboot"), 5000);
        QCOMPARE(CountLines(m_pLan->Commands(0), "reset_to_default.sh"), 1);
    }
    pMgr->SetOnLineTimings(0, 1000);
    m_pLan->SetDeviceOn(0, false);
    QTRY_VERIFY_WITH_TIMEOUT(!pDev->m_bOnLine, 5000);
    m_pLan->ClearReceived();
    m_pLan->SetDeviceOn(0, true);

    // Back on line: a reset device takes its host name as alias and its name
    // is asked again; one never reset keeps its alias.
    QTRY_VERIFY_WITH_TIMEOUT(pDev->m_bOnLine, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "cat /var/tmpfs/streamip"), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(names, bQueued ? QStringList({host, QString()}) : QStringList(), 5000);
    QCOMPARE(CountLines(m_pLan->Commands(0), "gbparam g 1 name"), bQueued ? 1 : 0);
}

void TestSearch::encoderListedByGatewayFirst_data()
{
    QTest::addColumn<bool>("bQuiet");
    QTest::newRow("search") << false;
    QTest::newRow("on-line check") << true;
}

void TestSearch::encoderListedByGatewayFirst()
{
    QFETCH(bool, bQuiet);
    const QString gwHost = CSimLan::HostNameFor("IPG100", 0);
    const QString encHost = CSimLan::HostNameFor("IPE1000", 1);
    QVERIFY(m_pLan->AddDevice(gwHost, "TX"));
    QVERIFY(m_pLan->AddDevice(encHost, "TX"));
    QVERIFY(m_pLan->Start());
    m_pLan->SetDeviceOn(1, false);
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    CHOIDev* pGw = pMgr->FindDevByHostName(gwHost);
    QVERIFY(pGw);

    // The gateway's stored list names the encoder before it was ever found:
    // it stands as a camera, goes into a layout and a group.
    QTemporaryDir dir;
    const QString path = dir.filePath("list.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<ipgwconfig><ipc><item aliasname=\"cam\" hostname=\"" + encHost.toUtf8()
               + "\"/></ipc></ipgwconfig>");
    file.close();
    QVERIFY(pGw->LoadIpcConfigFile(path));
    CHOIDev* pEnc = pMgr->FindDevByHostName(encHost);
    QVERIFY(pEnc && pEnc->GetParentDev() == pGw);
    CHOIScene* pScene = pMgr->CreateScene("G-L");
    pScene->SetGridSize(1, 1);
    pScene->GetCell(0, 0)->txList << pEnc;
    pEnc->SetGroup(QStringLiteral("Hall"));

    // It answers discovery at its own address: a device of its own.
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QString nameAtDetach = "?"; // its name until the read-back: none, not the camera's alias
    connect(pMgr, &CHOIDevMgr::OnProgressLog, pEnc, [&nameAtDetach, pEnc](const QString& s) {
        if (s.contains("Virtual TX"))
            nameAtDetach = pEnc->GetName();
    });
    m_pLan->SetDeviceOn(1, true);
    if (bQuiet)
        pMgr->SetOnLineTimings(0, 1000);
    else
        QVERIFY(Search(pMgr, 30000));
    QTRY_VERIFY_WITH_TIMEOUT(pEnc->m_bOnLine, 5000);
    QCOMPARE(pEnc->GetParentDev(), static_cast<CHOIDev*>(nullptr));
    QCOMPARE(pEnc->GetParentHostName(), QString());
    QCOMPARE(Texts(logSpy).filter("Virtual TX"),
             QStringList("Virtual TX('cam') is left out of the device list: " + encHost
                         + " belongs to another device."));
    QCOMPARE(nameAtDetach, QString());
    QCOMPARE(pEnc->GetGroup(), QStringLiteral("Hall"));

    // Its read-back, name and all, goes out once, nothing queued in its way.
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(1), "gbparam g 1 name"), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetComm()->GetSendQueueCount(), 0, 5000);
    QCOMPARE(CountLines(m_pLan->Commands(1), "cat /etc/version"), 1);
    QCOMPARE(CountLines(m_pLan->Commands(1), "gbparam g 1 name"), 1);
    QCOMPARE(Texts(logSpy).filter("Warning:"), QStringList());

    // Wired and retried as a found device: switched off once its read-back
    // is over, its idle link gives up after its retries, and the manager
    // tells the windows.
    QSignalSpy doneSpy(pMgr, &CHOIDevMgr::OnDevCmdCompleted);
    m_pLan->SetDeviceOn(1, false);
    QTRY_VERIFY_WITH_TIMEOUT(!pEnc->GetComm()->IsConnected(), 5000);
    pEnc->SetRetryInterval(100);
    QVERIFY(pEnc->EnsureConnected());
    const auto gaveUp = [&doneSpy, pEnc]() {
        for (const QList<QVariant>& args : qAsConst(doneSpy)) {
            if (args.at(0).value<CHOIDev*>() == pEnc && args.at(2).value<E_CommResult>() == E_CR_CONNECT_TIMEOUT)
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(gaveUp(), 5000);
    QVERIFY(!Texts(logSpy).filter("') operation time out.").isEmpty());

    // The gateway's list drops it: the encoder stays, in its layout.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<ipgwconfig><ipc/></ipgwconfig>");
    file.close();
    QVERIFY(pGw->LoadIpcConfigFile(path));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(pMgr->FindDevByHostName(encHost), pEnc);
    QVERIFY(pScene->HasDev(pEnc));
}

void TestSearch::unreadNameReadAgain()
{
    // Found while its password is refused: its read-back fails, its name unread.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->Start());
    SimDevice* pSim = m_pLan->Device(0);
    pSim->setParam(QStringLiteral("name"), QStringLiteral("Enc%20Own"));
    pSim->setPassword(QStringLiteral("not the console's"));
    pSim->setLoginRetryDelay(0);
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 40000));
    CHOIDev* pEnc = pMgr->GetDev(0);
    QVERIFY(pEnc->m_bNameUnread);

    // The checks try it again, less and less often (the 1st, 2nd, 4th and
    // 8th check: three refused logins each), quietly: no completion for
    // the windows, at most one log line.
    QSignalSpy sessionSpy(pSim, &SimDevice::sessionOpened);
    QSignalSpy doneSpy(pMgr, &CHOIDevMgr::OnDevCmdCompleted);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    m_pLan->Discovery().ClearLog();
    pMgr->SetSearchRoundInterval(30);
    pMgr->SetOnLineTimings(0, 150);
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() > 10, 20000);
    QVERIFY2(sessionSpy.count() <= 4 * 3, qPrintable(QString::number(sessionSpy.count())));
    QCOMPARE(doneSpy.count(), 0);
    QVERIFY(Texts(logSpy).filter(pEnc->GetDisplayName()).size() <= 1);

    // It answers again: a later try reads its name.
    pSim->setPassword(QString());
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetName(), QStringLiteral("Enc Own"), 20000);
    QVERIFY(!pEnc->m_bNameUnread);
    QCOMPARE(doneSpy.count(), 0);
}

void TestSearch::quietReadBackKeepsQueuedLines()
{
    // Two encoders whose names are unread (their shells refused the
    // search) and a decoder, of a family whose apply waits for encoders
    // too; the encoders switched off, then back on.
    for (int i = 0; i < 2; ++i) {
        QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE2000", i), "TX"));
        m_pLan->Device(i)->setParam(QStringLiteral("name"), QStringLiteral("Enc%20Own"));
        m_pLan->Device(i)->setRefuseConnections(true);
    }
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD2000", 2), "RX"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 40000));
    QList<CHOIDev*> encs;
    for (int i = 0; i < 2; ++i) {
        encs << pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE2000", i));
        QVERIFY(encs.last() && encs.last()->m_bNameUnread);
        m_pLan->SetDeviceOn(i, false);
    }
    CHOIDev* pDec = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD2000", 2));
    pMgr->SetSearchRoundInterval(30);
    pMgr->SetOnLineTimings(0, 150);
    QTRY_VERIFY_WITH_TIMEOUT(!encs[0]->m_bOnLine && !encs[1]->m_bOnLine, 5000);

    // One device brought up a turn: the first encoder back applies a layout
    // of the other before that one's step comes.
    CHOIScene* pScene = pMgr->CreateScene("G-L");
    pScene->SetGridSize(1, 1);
    pScene->GetCell(0, 0)->rx = pDec;
    QSignalSpy statusSpy(pScene, &CHOIScene::OnStatusChange);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    CHOIDev* pVictim = nullptr;
    pMgr->SetStartSliceMs(0);
    connect(pMgr, &CHOIDevMgr::OnDeviceNotify, pScene, [&](CHOIDev* pDev, E_DeviceNotify eNotify) {
        if (pVictim || eNotify != E_DN_STATUS || !encs.contains(pDev) || !pDev->m_bOnLine)
            return;
        pVictim = encs.at(1 - encs.indexOf(pDev));
        pScene->GetCell(0, 0)->txList << pVictim;
        QVERIFY(pScene->Apply(1));
    });
    m_pLan->ClearReceived();
    m_pLan->SetDeviceOn(0, true);
    m_pLan->SetDeviceOn(1, true);

    // It took the layout's lines, without its default name, and the apply
    // waited for them.
    QTRY_COMPARE_WITH_TIMEOUT(statusSpy.count(), 1, 10000);
    QCOMPARE(statusSpy.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    const int victim = encs.indexOf(pVictim);
    QVERIFY(m_pLan->Commands(victim).contains("gbparam s 1 scene G-L"));
    QCOMPARE(CountPrefixed(m_pLan->Commands(victim), "gbparam s 1 name"), 0);
    QCOMPARE(Texts(logSpy).filter("Warning:"), QStringList());
    // Its name is read by a later check, and is still its own.
    QTRY_COMPARE_WITH_TIMEOUT(pVictim->GetName(), QStringLiteral("Enc Own"), 10000);
    QCOMPARE(m_pLan->Device(victim)->param(QStringLiteral("name")), QStringLiteral("Enc%20Own"));
}

void TestSearch::readBackUnderWayGoesOnce()
{
    // Found while its shell refused; back, it hangs on the first line of the
    // read-back of the next check.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->Start());
    SimDevice* pSim = m_pLan->Device(0);
    pSim->setParam(QStringLiteral("name"), QStringLiteral("Enc%20Own"));
    pSim->setRefuseConnections(true);
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 40000));
    CHOIDev* pEnc = pMgr->GetDev(0);
    pSim->setRefuseConnections(false);
    pSim->setStallReplies(true);
    m_pLan->ClearReceived();
    m_pLan->Discovery().ClearLog();
    pMgr->SetSearchRoundInterval(30);
    pMgr->SetOnLineTimings(0, 150);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbparam g 1 name"), 1, 10000);
    const int seen = CheckCount();
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() >= seen + 3, 5000);

    // The checks that passed queued nothing more: sent again on a new
    // session, the read-back goes out once.
    pSim->setStallReplies(false);
    pSim->dropConnections();
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetName(), QStringLiteral("Enc Own"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetComm()->GetSendQueueCount(), 0, 10000);
    QCOMPARE(CountLines(m_pLan->Commands(0), "cat /etc/version"), 1);
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
