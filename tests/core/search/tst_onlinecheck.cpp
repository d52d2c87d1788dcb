// The device manager's quiet on-line checks, end to end in the private test
// LAN: what they refresh, and the read-back of devices whose name is unread.
#include "searchtestsupport.h"

#include <QRandomGenerator>
#include <QScopeGuard>

class TestOnLineCheck : public CSearchFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { InitTestCase(); }
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void quietCheck();
    void quietCheckFindsController();
    void clearAllDuringChecks();
    void factoryResetRenamesOnReturn_data();
    void factoryResetRenamesOnReturn();
    void unreadNameReadAgain();
    void quietReadBackKeepsQueuedLines();
    void readBackUnderWayGoesOnce_data();
    void readBackUnderWayGoesOnce();
    void operatorLinesBesideQuietTry_data();
    void operatorLinesBesideQuietTry();

private:
    // One device that stores name, found while its shell refused
    // connections: its name is unread. Null when the search failed or
    // missed it.
    CHOIDevMgr* FoundUnread(const char* model, const char* type, const char* name);
    // "hdcp.xml" asking HDCP off for the first encoder of the LAN.
    bool WriteHdcpList();
};

bool TestOnLineCheck::WriteHdcpList()
{
    QFile hdcp(AppFile("hdcp.xml"));
    return hdcp.open(QIODevice::WriteOnly)
           && hdcp.write("<hdcp><product host_name=\"" + CSimLan::HostNameFor("IPE1000", 0).toLower().toUtf8()
                         + "\" hdcp_enable=\"no\"/></hdcp>") > 0;
}

CHOIDevMgr* TestOnLineCheck::FoundUnread(const char* model, const char* type, const char* name)
{
    if (!m_pLan->AddDevice(CSimLan::HostNameFor(model, 0), type) || !m_pLan->Start())
        return nullptr;
    m_pLan->Device(0)->setParam(QStringLiteral("name"), QString::fromLatin1(name));
    m_pLan->Device(0)->setRefuseConnections(true);
    CHOIDevMgr* pMgr = NewMgr();
    return Search(pMgr, 40000) && pMgr->GetDevCount() == 1 ? pMgr : nullptr;
}

void TestOnLineCheck::quietCheck()
{
    CHOIDevMgr* pMgr = ThreeDecodersFound();
    QVERIFY(pMgr);
    CHOIDev* pDev1 = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD1000", 1));
    QVERIFY(pDev1 && pDev1->m_bOnLine);

    // A new encoder appears; the background checks run.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 3), "TX"));
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    QSignalSpy progressSpy(pMgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy notifySpy(pMgr, &CHOIDevMgr::OnDeviceNotify);
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    m_pLan->ClearReceived();
    m_pLan->Discovery().ClearLog();
    pMgr->SetOnLineTimings(0, kCheckMs);
    WaitChecks(3);
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
    WaitChecks(3);
    QCOMPARE(notifySpy.count(), 1);

    // Back on: on-line again, and its settings are read again (without its name).
    m_pLan->ClearReceived();
    QSignalSpy readDone(pDev1, &CHOIDev::OnCmdCompleted);
    m_pLan->SetDeviceOn(1, true);
    QTRY_VERIFY_WITH_TIMEOUT(pDev1->m_bOnLine, 2000);
    QCOMPARE(notifySpy.count(), 2);
    // The read's end, however long the device takes to answer it.
    QTRY_COMPARE_WITH_TIMEOUT(readDone.count(), 1, 30000);
    QCOMPARE(CountLines(m_pLan->Commands(1), "cat /var/tmpfs/streamip"), 1);
    QCOMPARE(CountLines(m_pLan->Commands(1), "gbparam g 1 name"), 0);
    QCOMPARE(pMgr->GetDevCount(), 3);
}

void TestOnLineCheck::quietCheckFindsController()
{
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", 0), "RX"));
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("QN714", 1), "QN714", false));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QSignalSpy foundSpy(pMgr, &CHOIDevMgr::signalFoundQN714);
    pMgr->SetOnLineTimings(0, kCheckMs);
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
    WaitChecks(3);
    QCOMPARE(foundSpy.count(), 1);

    // A controller the operator deleted is not found again until the list is cleared.
    pMgr->AddQN714Dev(pCtrl);
    QVERIFY(pMgr->RemoveDevice(pCtrl));
    WaitChecks(3);
    QCOMPARE(foundSpy.count(), 1);
    QCOMPARE(pMgr->GetDevCount(), 0);
    pMgr->ClearFoundDevList();
    QTRY_COMPARE_WITH_TIMEOUT(foundSpy.count(), 2, 3000);
}

void TestOnLineCheck::clearAllDuringChecks()
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

void TestOnLineCheck::factoryResetRenamesOnReturn_data()
{
    QTest::addColumn<bool>("bQueued");
    QTest::addColumn<bool>("bTaken");
    QTest::addColumn<int>("nResetLines"); // how often the device received the reset line
    QTest::newRow("reset taken") << true << true << 1;
    // Queued, but its login refused: the device never got the reset.
    QTest::newRow("reset refused") << true << false << 0;
    // Received at each of the three tries and never answered, so never run:
    // the retries' logins are no answer to it.
    QTest::newRow("reset stalled") << true << false << 3;
    // A device never told to reset keeps the alias the operator gave it.
    QTest::newRow("reset not queued") << false << false << 0;
}

void TestOnLineCheck::factoryResetRenamesOnReturn()
{
    QFETCH(bool, bQueued);
    QFETCH(bool, bTaken);
    QFETCH(int, nResetLines);
    const QString host = CSimLan::HostNameFor("IPE2000", 0);
    QVERIFY(m_pLan->AddDevice(host, "TX"));
    SimDevice* pSim = m_pLan->Device(0);
    pSim->setParam(QStringLiteral("name"), QStringLiteral("Hall"));
    QVERIFY(m_pLan->Start());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 30000));
    CHOIDev* pDev = pMgr->FindDevByHostName(host);
    QVERIFY(pDev);
    QCOMPARE(pDev->GetName(), QStringLiteral("Hall"));
    // A kept setting of its own, which a reset the device took puts back.
    pDev->SetVwRotate(180);
    QStringList names;
    connect(pDev, &CHOIDev::OnNameChanged, this, [&names](CHOIDev* p) { names << p->GetName(); });

    // Reset as the device list does; the device restarts and is found again.
    if (!bQueued) {
        // No link to queue on, and none to be opened.
        pDev->CloseComm();
        pDev->m_eCommType = CHOIDev::CommType(CHOIDev::E_CT_TELNET + 1);
    } else if (nResetLines > 1) {
        pSim->addCommandHandler([](SimDevice&, SimCommand& cmd) {
            if (cmd.line != CHOIDev::kResetLine)
                return false;
            cmd.prompt = false; // echoed, never answered
            return true;
        });
        pDev->GetComm()->SetCheckerInterval(300);
        pDev->SetRetryInterval(100);
    } else if (!bTaken) {
        pDev->CloseComm();
        pDev->SetRetryInterval(100);
        pSim->setPassword(QStringLiteral("not the console's"));
        pSim->setLoginRetryDelay(0);
    }
    QSignalSpy resetDone(pDev, &CHOIDev::OnCmdCompleted);
    QCOMPARE(pMgr->ResetDevToDefault(pDev), bQueued);
    pDev->m_eCommType = CHOIDev::E_CT_TELNET;
    if (bQueued)
        QTRY_COMPARE_WITH_TIMEOUT(resetDone.count(), 1, 30000);
    QCOMPARE(CountLines(m_pLan->Commands(0), "reset_to_default.sh"), nResetLines);
    QCOMPARE(pDev->GetVwRotate(), bTaken ? 0 : 180);
    pSim->setPassword(QString());
    pMgr->SetOnLineTimings(0, kCheckMs);
    m_pLan->SetDeviceOn(0, false);
    QTRY_VERIFY_WITH_TIMEOUT(!pDev->m_bOnLine, 5000);
    m_pLan->ClearReceived();
    QSignalSpy readDone(pDev, &CHOIDev::OnCmdCompleted);
    m_pLan->SetDeviceOn(0, true);

    // Back on line: a reset device takes its host name as alias and its name
    // is asked again; one never reset keeps its alias.
    QTRY_VERIFY_WITH_TIMEOUT(pDev->m_bOnLine, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(readDone.count(), 1, 30000);
    QCOMPARE(CountLines(m_pLan->Commands(0), "cat /var/tmpfs/streamip"), 1);
    QCOMPARE(names, bTaken ? QStringList({host, QString()}) : QStringList());
    QCOMPARE(CountLines(m_pLan->Commands(0), "gbparam g 1 name"), bTaken ? 1 : 0);
}

void TestOnLineCheck::unreadNameReadAgain()
{
    // Found while its password is refused: its read-back fails, its name unread.
    QVERIFY(m_pLan->AddDevice(CSimLan::HostNameFor("IPE1000", 0), "TX"));
    QVERIFY(m_pLan->Start());
    SimDevice* pSim = m_pLan->Device(0);
    pSim->setParam(QStringLiteral("name"), QStringLiteral("Enc%20Own"));
    pSim->setPassword(QStringLiteral("not the console's"));
    pSim->setLoginRetryDelay(0);
    QVERIFY(WriteHdcpList());
    CHOIDevMgr* pMgr = NewMgr();
    QVERIFY(Search(pMgr, 40000));
    QCOMPARE(pMgr->GetDevCount(), 1);
    CHOIDev* pEnc = pMgr->GetDev(0);

    // The checks try it again, less and less often (the 1st, 2nd and 4th
    // check: one refused login each), quietly: no completion for the
    // windows, and no log line, the search's failure having been the one.
    // Its HDCP line, refused with the search, logs in no more on its own.
    QSignalSpy sessionSpy(pSim, &SimDevice::sessionOpened);
    QSignalSpy doneSpy(pMgr, &CHOIDevMgr::OnDevCmdCompleted);
    QSignalSpy logSpy(pMgr, &CHOIDevMgr::OnProgressLog);
    m_pLan->Discovery().ClearLog();
    pMgr->SetOnLineTimings(0, kCheckMs);
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() > 7, 20000);
    QVERIFY2(sessionSpy.count() <= 3, qPrintable(QString::number(sessionSpy.count())));
    QCOMPARE(doneSpy.count(), 0);
    QCOMPARE(Texts(logSpy).filter(pEnc->GetDisplayName()), QStringList());

    // It answers again: a later try reads its name. The HDCP line follows
    // on that session; held unanswered over checks, it is queued no second
    // time (the session's drop sends it once more), and its end is the
    // only one the windows hear.
    const QMetaObject::Connection holder = connect(pSim, &SimDevice::lineReceived, this, [pSim](const QByteArray& line) {
        if (line.startsWith("gbconfig --hdcp-enable"))
            pSim->setStallReplies(true);
    });
    pSim->setPassword(QString());
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetName(), QStringLiteral("Enc Own"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbconfig --hdcp-enable=n"), 1, 10000);
    const int seen = CheckCount();
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() >= seen + 3, 5000);
    disconnect(holder);
    pSim->setStallReplies(false);
    pSim->dropConnections();
    QTRY_VERIFY_WITH_TIMEOUT(pEnc->m_bHdcpChanged, 10000);
    QCOMPARE(doneSpy.count(), 1);
    QCOMPARE(CountLines(m_pLan->Commands(0), "gbconfig --hdcp-enable=n"), 2);
}

void TestOnLineCheck::quietReadBackKeepsQueuedLines()
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
        QVERIFY(encs.last());
        m_pLan->SetDeviceOn(i, false);
    }
    CHOIDev* pDec = pMgr->FindDevByHostName(CSimLan::HostNameFor("IPD2000", 2));
    QVERIFY(pDec);
    pMgr->SetOnLineTimings(0, kCheckMs);
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

void TestOnLineCheck::readBackUnderWayGoesOnce_data()
{
    QTest::addColumn<bool>("bHdcpAtSearch");
    QTest::newRow("HDCP due from the next checks") << false;
    // Its line went with the search's refused read-back: not taken.
    QTest::newRow("HDCP refused at the search") << true;
}

void TestOnLineCheck::readBackUnderWayGoesOnce()
{
    QFETCH(bool, bHdcpAtSearch);
    if (bHdcpAtSearch)
        QVERIFY(WriteHdcpList());
    // Found while its shell refused; back, it hangs on the first line of the
    // read-back of the next check.
    CHOIDevMgr* pMgr = FoundUnread("IPE1000", "TX", "Enc%20Own");
    QVERIFY(pMgr);
    SimDevice* pSim = m_pLan->Device(0);
    CHOIDev* pEnc = pMgr->GetDev(0);
    QVariant hdcpKept;
    QVERIFY(!pEnc->m_bHdcpChanged && !pEnc->GetOptionValue(E_EP_HDCP_ENABLE, hdcpKept));
    if (!bHdcpAtSearch) {
        // Its HDCP setting is due from the next checks on.
        QVERIFY(WriteHdcpList());
        pMgr->LoadHdcpConfig();
    }
    pSim->setRefuseConnections(false);
    pSim->setStallReplies(true);
    m_pLan->ClearReceived();
    m_pLan->Discovery().ClearLog();
    pMgr->SetOnLineTimings(0, kCheckMs);
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbparam g 1 name"), 1, 10000);
    const quint32 pushes = pEnc->GetComm()->GetPushCount();
    const int seen = CheckCount();
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() >= seen + 3, 5000);

    // The checks that passed queued nothing more, nor the HDCP line behind
    // the try: sent again on a new session, the read-back goes out once, and
    // the HDCP line after it.
    QCOMPARE(pEnc->GetComm()->GetPushCount(), pushes);
    QSignalSpy quietEnds(pEnc, &CHOIDev::OnQuietReadBackEnd);
    pSim->setStallReplies(false);
    pSim->dropConnections();
    QTRY_COMPARE_WITH_TIMEOUT(pEnc->GetName(), QStringLiteral("Enc Own"), 10000);
    QVERIFY(!quietEnds.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbconfig --hdcp-enable=n"), 1, 10000);
    QCOMPARE(CountLines(m_pLan->Commands(0), "cat /etc/version"), 1);
}

void TestOnLineCheck::operatorLinesBesideQuietTry_data()
{
    QTest::addColumn<bool>("bAhead");
    QTest::newRow("joining the try") << false;
    QTest::newRow("queued ahead of it") << true;
}

void TestOnLineCheck::operatorLinesBesideQuietTry()
{
    QFETCH(bool, bAhead);
    // A decoder found while its shell refused: its name is unread.
    CHOIDevMgr* pMgr = FoundUnread("IPD1000", "RX", "Dec%20Own");
    QVERIFY(pMgr);
    SimDevice* pSim = m_pLan->Device(0);
    CHOIDev* pDec = pMgr->GetDev(0);
    CHOIScene* pScene = pMgr->CreateScene("G-L");
    pScene->SetGridSize(1, 1);
    pScene->GetCell(0, 0)->rx = pDec;
    QSignalSpy statusSpy(pScene, &CHOIScene::OnStatusChange);
    QSignalSpy doneSpy(pMgr, &CHOIDevMgr::OnDevCmdCompleted);
    bool bApplied = false;
    QMetaObject::Connection listener;
    const auto unlisten = qScopeGuard([&] { disconnect(listener); });
    if (bAhead) {
        // Back on line, a listener of that notice applies the layout before
        // the check's try would go.
        m_pLan->SetDeviceOn(0, false);
        pMgr->SetOnLineTimings(0, kCheckMs);
        QTRY_VERIFY_WITH_TIMEOUT(!pDec->m_bOnLine, 5000);
        listener = connect(pMgr, &CHOIDevMgr::OnDeviceNotify, pScene, [&](CHOIDev* pDev, E_DeviceNotify eNotify) {
            if (bApplied || pDev != pDec || eNotify != E_DN_STATUS || !pDev->m_bOnLine)
                return;
            bApplied = true;
            QVERIFY(pScene->Apply(1));
        });
        m_pLan->SetDeviceOn(0, true);
    } else {
        // The check's try hangs on its first line; the layout joins it.
        pSim->setRefuseConnections(false);
        pSim->setStallReplies(true);
        pMgr->SetOnLineTimings(0, kCheckMs);
        QTRY_COMPARE_WITH_TIMEOUT(CountLines(m_pLan->Commands(0), "gbparam g 1 name"), 1, 10000);
        QVERIFY(pScene->Apply(1));
        pSim->setStallReplies(false);
        pSim->dropConnections();
    }
    // The layout's lines end once, in public, and it reports its status.
    QTRY_COMPARE_WITH_TIMEOUT(statusSpy.count(), 1, 10000);
    QCOMPARE(statusSpy.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QTRY_COMPARE_WITH_TIMEOUT(pDec->GetName(), QStringLiteral("Dec Own"), 10000);
    QCOMPARE(doneSpy.count(), 1);
}

QTEST_GUILESS_MAIN(TestOnLineCheck)
#include "tst_onlinecheck.moc"
