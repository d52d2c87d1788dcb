// Search and read-back of the device manager, end to end in the private
// test LAN: simulated devices answer discovery from their own addresses and
// serve their Telnet shells there.
#include "searchtestsupport.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

class TestSearch : public CSearchFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { InitTestCase(); }
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void searchEndToEnd();
    void environmentProxyIgnored();
    void nothingAnswers();
    void fleetOf200();
    void unreachableDevice();
    void readBackCannotBeQueued();
    void controllerOnlySearchEnds();
    void renamedDeviceFoundByAddress();
    void searchDropsQueuedLines();
    void hostileHostNamesAreIgnored();
    void removeDuringReadBack();
    void betweenReadBackStarts_data();
    void betweenReadBackStarts();
    void saveAliasToDevices();
    void encoderListedByGatewayFirst_data();
    void encoderListedByGatewayFirst();
};

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

void TestSearch::searchDropsQueuedLines()
{
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);
    CHOIDev* pDev = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 0));
    // A line the device never answers is under way when the search comes.
    m_pLan->Device(0)->setStallReplies(true);
    pDev->GetComm()->SetCheckerInterval(300);
    QSignalSpy doneSpy(pDev, &CHOIDev::OnCmdCompleted);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    m_pLan->ClearReceived();
    QVERIFY(pDev->SendEvent(QStringLiteral("before_search")));
    QTRY_COMPARE(CountLines(m_pLan->Commands(0), "e 1 before_search"), 1);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(pMgr->StartSearch(false));
    QTRY_VERIFY(!doneSpy.isEmpty());
    m_pLan->Device(0)->setStallReplies(false);
    QVERIFY(stopSpy.wait(20000));

    // Cleared with its warning, and its waiter told: the read-back went
    // without it.
    QCOMPARE(Texts(logSpy).count("Warning: device cmmmand queue is not empty when update."), 1);
    QCOMPARE(doneSpy.first().at(2).value<E_CommResult>(), E_CR_FAILED);
    QCOMPARE(CountLines(m_pLan->Commands(0), "e 1 before_search"), 1);
    QCOMPARE(CountLines(m_pLan->Commands(0), "cat /var/tmpfs/streamip"), 1);
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
    // The two others' read-backs end, however long their devices take.
    QTRY_COMPARE_WITH_TIMEOUT(pMgr->GetReadCompletedCount(), 2, 30000);
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

void TestSearch::saveAliasToDevices()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 1), "RX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 2), "TX"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    CHOIDev* pHall = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 0));
    CHOIDev* pLobby = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 1));
    CHOIDev* pNameless = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPE1000", 2));
    QVERIFY2(pHall && pLobby && pNameless, "the search missed a device");
    pHall->SetName(QStringLiteral("Hall TX"));
    pLobby->SetName(QStringLiteral("Lobby"));
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
        pMgr->SetOnLineTimings(0, kCheckMs);
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
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetComm()->GetSendQueueCount(), 0, 30000);
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

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
