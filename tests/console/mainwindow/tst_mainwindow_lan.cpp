// The main window over simulated devices in a private test LAN: applying a
// layout keeps the window busy until the layout's status report arrives,
// a failed apply is reported, the window goes cleanly while a tile still
// waits, and a search from the tool bar shows its progress and ends the
// busy state with the last progress report.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTextEdit>

#include "docks/logwidget.h"
#include "mainwindow/mainwindow.h"
#include "mainwindowtestenv.h"
#include "navtree/formgrouplist.h"
#include "simlan.h"
#include "simunansweredport.h"

namespace {

const char kConfig[] = R"(<?xml version="1.0"?>
<hoiprod ir_enable="yes" rs232_enable="yes" cec_enable="yes" log_enable="yes" backup_enalbe="yes">
 <product id="ZTX" name="Encoder" type="tx" param_prefix="gb" video_wall="ZRX|HRX" ir_enable="y" rs232_enable="y" cec_enable="y" hisi_enable="false" jpeg_enable="false"/>
 <product id="ZRX" name="Decoder" type="rx" param_prefix="gb" tx="ZTX" video_wall="ZTX" hisi_enable="false" jpeg_enable="false"/>
 <product id="HRX" name="HDecoder" type="rx" param_prefix="gb" tx="ZTX" video_wall="ZTX" hisi_enable="true" jpeg_enable="false"/>
</hoiprod>
)";

// H1 and H2 are "hisi" decoders: their wall steps are kept for a second round.
enum { TX, RX1, RX2, H1, H2, DEV_COUNT };
const char *const kModels[DEV_COUNT] = {"ZTX", "ZRX", "ZRX", "HRX", "HRX"};
const char *const kTypes[DEV_COUNT] = {"TX", "RX", "RX", "RX", "RX"};
const char *const kToolActions[] = {"actionIrControl", "actionSerial", "actionCECControl", "actionViewLog",
                                    "actionStandby"};

template <class T>
T *Child(QObject *pParent, const char *pszName)
{
    return pParent->findChild<T *>(QString::fromLatin1(pszName));
}

} // namespace

class TestMainWindowLan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void applyKeepsWindowBusyUntilStatusReport();
    void failedApplyIsReportedAndReleasesWindow_data();
    void failedApplyIsReportedAndReleasesWindow();
    void busyWindowOffersNoProjectEntries();
    void tilesKeepWindowBusyUntilLastEnds_data();
    void tilesKeepWindowBusyUntilLastEnds();
    void windowGoesWhileTileWaits();
    void searchFromToolBarShowsProgressUntilDone();

private:
    CHOIScene *NewLayout();
    bool IsToolActionEnabled(MainWindow &w) const;

    CSimLan m_lan;
    CHOIDevMgr *m_pMgr = nullptr;
    CHOIDev *m_dev[DEV_COUNT] = {};
    QStringList m_boxes;
    std::function<void()> m_fnWhileBox; // runs while a box is open
};

void TestMainWindowLan::initTestCase()
{
    QVERIFY2(CSimLan::IsTestLan(), "run me with tests/lan/testlan.sh");
    InitConsoleResources();
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QVERIFY(WriteFile(QCoreApplication::applicationDirPath() + "/config.xml", kConfig));
    for (int i = 0; i < DEV_COUNT; ++i)
        QVERIFY(m_lan.AddDevice(CSimLan::HostNameFor(kModels[i], i), kTypes[i]));
    QVERIFY(m_lan.Start());

    m_pMgr = new CHOIDevMgr;
    g_pHOIDevMgr = m_pMgr;
    m_pMgr->SetOnLineTimings(-1, 5000);
    m_pMgr->SetSearchRoundInterval(100);
    QVERIFY(m_pMgr->LoadProdConfig());
    m_pMgr->m_nIsWelcome = 1;
    m_pMgr->m_nIsPrompt = 1;
    QSignalSpy stop(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QVERIFY(stop.wait(30000));
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_dev[i] = m_pMgr->FindDevByHostName(CSimLan::HostNameFor(kModels[i], i));
        QVERIFY2(m_dev[i], kModels[i]);
    }
    SetMessageBoxRunner([this](QMessageBox &box) {
        m_boxes << box.text();
        if (m_fnWhileBox)
            m_fnWhileBox();
        return int(box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::Ok);
    });
}

void TestMainWindowLan::cleanupTestCase()
{
    SetMessageBoxRunner(MessageBoxRunner());
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestMainWindowLan::init()
{
    m_boxes.clear();
    m_fnWhileBox = nullptr;
    m_lan.ClearReceived();
}

void TestMainWindowLan::cleanup()
{
    while (m_pMgr->GetSceneCount() > 0)
        m_pMgr->DeleteSceneAt(0);
    while (m_pMgr->GetVideoWallCount() > 0)
        m_pMgr->RemoveVideoWall(m_pMgr->GetVideoWall(0));
    m_pMgr->RemoveGroup("Hall");
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_lan.SetDeviceOn(i, true);
        m_lan.Device(i)->setStallReplies(false);
        m_dev[i]->SetGroup(QString());
        m_dev[i]->SetTXDev(nullptr);
    }
    QTest::qWait(200);
    for (CHOIDev *pDev : m_dev) {
        if (CBaseComm *pComm = pDev->GetComm()) {
            pComm->ClearSendQueue();
            pComm->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
        }
    }
}

CHOIScene *TestMainWindowLan::NewLayout()
{
    CHOIScene *pScene = m_pMgr->CreateScene("W1-L1");
    pScene->SetGridSize(1, 2);
    pScene->GetCell(0, 0)->txList << m_dev[TX];
    pScene->GetCell(0, 0)->rx = m_dev[RX1];
    pScene->GetCell(0, 1)->txList << m_dev[TX];
    pScene->GetCell(0, 1)->rx = m_dev[RX2];
    return pScene;
}

bool TestMainWindowLan::IsToolActionEnabled(MainWindow &w) const
{
    for (const char *pszName : kToolActions) {
        if (w.findChild<QAction *>(pszName)->isEnabled())
            return true;
    }
    return false;
}

void TestMainWindowLan::applyKeepsWindowBusyUntilStatusReport()
{
    CHOIScene *pScene = NewLayout();
    MainWindow *pWindow = nullptr;
    // Connected before the window: sees the window as the report reaches it.
    QList<bool> busyAtReport;
    QList<bool> centralAtReport;
    const QMetaObject::Connection watch = connect(
        m_pMgr, &CHOIDevMgr::OnSceneStatusChange, this, [&](CHOIScene *pReported, E_SceneStatus) {
            if (pReported == pScene && pWindow) {
                busyAtReport << pWindow->IsBusy();
                centralAtReport << Child<QWidget>(pWindow, "centralWidget")->isEnabled();
            }
        });
    MainWindow w;
    pWindow = &w;
    w.show();
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QCOMPARE(w.GetCurScene(), pScene);
    QVERIFY(IsToolActionEnabled(w));
    QSignalSpy status(m_pMgr, &CHOIDevMgr::OnSceneStatusChange);

    Child<QPushButton>(&w, "btnApplyScene")->click();
    QVERIFY(w.IsBusy());
    QVERIFY(!Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(!w.findChild<QAction *>("actionSearch")->isEnabled());
    QVERIFY(!w.findChild<QAction *>("actionNew")->isEnabled());
    QVERIFY(!IsToolActionEnabled(w));
    QVERIFY(Child<QProgressBar>(&w, "progressBar")->isVisible());
    // A device report meanwhile does not bring the tool actions back.
    emit m_pMgr->OnDeviceNotify(m_dev[TX], E_DN_STATUS);
    QVERIFY(!IsToolActionEnabled(w));
    // Nor does the end of other work (a scheduled apply of another wall).
    emit m_pMgr->OnProgressNotify(E_PN_NONE, 100);
    QVERIFY(w.IsBusy());
    QVERIFY(!Child<QWidget>(&w, "centralWidget")->isEnabled());

    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 30000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QCOMPARE(busyAtReport, QList<bool>({true}));
    QCOMPARE(centralAtReport, QList<bool>({false}));
    QTRY_VERIFY(!w.IsBusy());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(IsToolActionEnabled(w));
    QVERIFY(!Child<QProgressBar>(&w, "progressBar")->isVisible());
    QCOMPARE(Child<QLabel>(&w, "lbSceneStatus")->text(), QString("Applied successfully"));
    QVERIFY(m_boxes.isEmpty());
    const QByteArray select = "gbparam s 1 ch_select " + m_dev[TX]->m_strHostId.toUtf8();
    QVERIFY(m_lan.Commands(RX1).contains(select));
    QVERIFY(m_lan.Commands(RX2).contains(select));
    disconnect(watch);
}

void TestMainWindowLan::failedApplyIsReportedAndReleasesWindow_data()
{
    QTest::addColumn<bool>("bRefusedAtOnce");
    // One screen is switched off: its connection fails.
    QTest::newRow("screen off") << false;
    // The second decoder cannot be connected at all while the first is still
    // connecting, and the operator reads the box for a while.
    QTest::newRow("decoder without a link, box read slowly") << true;
}

void TestMainWindowLan::failedApplyIsReportedAndReleasesWindow()
{
    QFETCH(bool, bRefusedAtOnce);
    NewLayout();
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QSignalSpy status(m_pMgr, &CHOIDevMgr::OnSceneStatusChange);
    QSignalSpy log(m_pMgr, &CHOIDevMgr::OnProgressLog);
    SimUnansweredPort hole;
    const int nRetryMs = m_dev[RX1]->GetRetryInterval();
    const auto restore = qScopeGuard([&] {
        m_dev[RX2]->m_eCommType = CHOIDev::E_CT_TELNET;
        m_dev[RX1]->SetRetryInterval(nRetryMs);
        hole.close();
        m_lan.Device(RX1)->setRefuseConnections(false);
    });
    // What the layout logged of itself.
    const auto sceneLog = [&log] {
        QStringList lines;
        for (const QList<QVariant> &args : log)
            lines << args.at(0).toString().section(QStringLiteral(" - "), 1);
        return lines.filter(QStringLiteral("Scene('W1-L1')"));
    };
    const QStringList failed({QStringLiteral("Scene('W1-L1') fails to be applied.")});
    QSignalSpy txEnds(m_dev[TX], &CHOIDev::OnCmdCompleted);
    QSignalSpy rxEnds(m_dev[RX1], &CHOIDev::OnCmdCompleted);
    if (bRefusedAtOnce) {
        m_dev[RX2]->m_eCommType = CHOIDev::CommType(CHOIDev::E_CT_TELNET + 1); // no link to queue on
        m_dev[RX1]->CloseComm();
        m_dev[RX1]->SetRetryInterval(200);
        m_lan.Device(RX1)->setRefuseConnections(true);
        QVERIFY(hole.open(m_lan.Address(RX1), CSimLan::E_TELNET_PORT));
        // The box comes once the layout has given up: nothing of it is left
        // to run on while the operator reads.
        m_fnWhileBox = [&] {
            QCOMPARE(sceneLog(), failed);
            QVERIFY(!m_dev[RX1]->m_retryTimer.isActive() && !m_dev[RX1]->GetComm()->IsConnecting());
            QTest::qWait(2000);
        };
    } else {
        m_lan.SetDeviceOn(RX2, false);
        if (CBaseComm *pComm = m_dev[RX2]->GetComm())
            pComm->CloseComm();
    }

    Child<QPushButton>(&w, "btnApplyScene")->click();
    QCOMPARE(w.IsBusy(), !bRefusedAtOnce);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 30000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QTRY_COMPARE(m_boxes, QStringList({"Failed to apply."}));
    QTRY_VERIFY(!w.IsBusy());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    QCOMPARE(Child<QLabel>(&w, "lbSceneStatus")->text(), QString("Failed to apply"));
    if (!bRefusedAtOnce)
        return;
    // One end for each device that had lines, nothing after the abort.
    QCOMPARE(status.count(), 1);
    QCOMPARE(txEnds.count(), 1);
    QCOMPARE(rxEnds.count(), 1);
    QCOMPARE(sceneLog(), failed);
}

// New, Open and the other entries that start or replace work are off in the
// menus as on the tool bar; a layout deleted while it applies, which never
// reports, still frees the window.
void TestMainWindowLan::busyWindowOffersNoProjectEntries()
{
    CHOIScene *pScene = NewLayout();
    m_lan.Device(RX2)->setStallReplies(true);
    MainWindow w;
    w.show();
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    const char *const entries[] = {"actionNewMune", "menuOpen", "menuSave", "menuSave_as",
                                   "menuExport_summary_file", "menuSearch_Tx_Rx_online",
                                   "menuSave_alais_to_Tx_Rx", "menuBatch_commands"};

    Child<QPushButton>(&w, "btnApplyScene")->click();
    QVERIFY(w.IsBusy());
    for (const char *pszName : entries)
        QVERIFY2(!w.findChild<QAction *>(pszName)->isEnabled(), pszName);
    QVERIFY(w.findChild<QAction *>("menuExit")->isEnabled());

    m_pMgr->DeleteScene(pScene);
    QVERIFY(!w.IsBusy());
    QVERIFY(!Child<QProgressBar>(&w, "progressBar")->isVisible());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    for (const char *pszName : entries)
        QVERIFY2(w.findChild<QAction *>(pszName)->isEnabled(), pszName);
}

void TestMainWindowLan::tilesKeepWindowBusyUntilLastEnds_data()
{
    QTest::addColumn<bool>("bHisiWall");
    QTest::addColumn<int>("nBeforeLast");
    // A wall's layout and a decoder tile's own layout apply side by side; the
    // tile's decoder answers last, with a time-out: the layout, ended, counts
    // whole (2 of 2) beside the tile's encoder (1 of 2).
    QTest::newRow("wall and decoder tiles") << false << 75;
    // One layout whose two decoders get their wall lines in a second round:
    // between the rounds it waits for no device, yet has 3 of 5 counted.
    QTest::newRow("hisi wall") << true << 80;
}

void TestMainWindowLan::tilesKeepWindowBusyUntilLastEnds()
{
    QFETCH(bool, bHisiWall);
    QFETCH(int, nBeforeLast);
    // The group page's Apply.
    QVERIFY(m_pMgr->AddGroup("Hall", 1));
    CHOIScene *pWall = m_pMgr->GetOrCreateVideoWall("W1");
    pWall->SetGroup("Hall");
    CHOIScene *pLayout = m_pMgr->CreateScene("W1-L1");
    pLayout->SetDefault(true);
    if (bHisiWall) {
        pWall->SetGridSize(1, 2);
        pLayout->SetGridSize(1, 2);
        pLayout->GetCell(0, 0)->txList << m_dev[TX];
        pLayout->GetCell(0, 0)->rx = m_dev[H1];
        pLayout->GetCell(0, 1)->rx = m_dev[H2];
        const T_VideoWallInfo wall{0, 0, 0, 1, 2};
        QVERIFY(pLayout->AddVideoWall(&wall));
    } else {
        pWall->SetGridSize(1, 1);
        pLayout->SetGridSize(1, 1);
        pLayout->GetCell(0, 0)->txList << m_dev[TX];
        pLayout->GetCell(0, 0)->rx = m_dev[RX1];
        m_dev[RX2]->SetGroup("Hall");
        m_dev[RX2]->SetTXDev(m_dev[TX]);
        m_lan.Device(RX2)->setStallReplies(true);
        m_dev[RX2]->GetComm()->SetCheckerInterval(500);
    }
    const int nEnds = bHisiWall ? 1 : 2;
    {
        MainWindow w;
        w.show();
        w.slotOnGroupItemClick(w.findChild<CFormGroupList *>()->FindGroupItem("Hall"));
        QProgressBar *pBar = Child<QProgressBar>(&w, "progressBar");
        // Connected after the window: sees it as each report has left it.
        QList<int> bar;
        QList<bool> busyAfterEnd;
        QList<int> barAfterEnd;
        connect(m_pMgr, &CHOIDevMgr::OnProgressNotify, &w, [&](E_ProgressNotify eNotify, int) {
            if (eNotify == E_PN_APPLY) {
                bar << pBar->value();
                return;
            }
            busyAfterEnd << w.IsBusy();
            barAfterEnd << (pBar->isVisible() ? pBar->value() : -1);
        });

        Child<QPushButton>(&w, "pb_Apply")->click();
        QVERIFY(w.IsBusy());
        QTRY_COMPARE_WITH_TIMEOUT(busyAfterEnd.size(), nEnds, 20000);
        // Every end but the last left the window busy, its bar short of the
        // end; the last one freed it. The bar never fell back and read 100
        // only at the last report.
        QCOMPARE(busyAfterEnd.count(true), nEnds - 1);
        QVERIFY(!busyAfterEnd.last());
        QCOMPARE(barAfterEnd.last(), -1);
        for (int i = 0; i + 1 < nEnds; ++i)
            QVERIFY2(barAfterEnd.at(i) >= 0 && barAfterEnd.at(i) < 100, qPrintable(QString::number(i)));
        QString strBar;
        for (int nValue : qAsConst(bar))
            strBar += QString::number(nValue) + QLatin1Char(' ');
        QVERIFY2(bar.size() >= 2 && bar.first() == 0 && bar.last() == 100, qPrintable(strBar));
        QVERIFY2(bar.at(bar.size() - 2) == nBeforeLast, qPrintable(strBar));
        for (int i = 1; i < bar.size(); ++i)
            QVERIFY2(bar.at(i - 1) <= bar.at(i) && bar.at(i - 1) < 100, qPrintable(strBar));

        // The next busy time starts from nothing, whatever the last one held.
        bar.clear();
        busyAfterEnd.clear();
        QVERIFY(pLayout->Apply(2));
        QCOMPARE(bar, QList<int>({0}));
        QTRY_COMPARE_WITH_TIMEOUT(busyAfterEnd, QList<bool>({false}), 20000);
    }
}

// The window goes while a decoder tile waits for a decoder that never
// answers: the tile's end still reaches the manager's listeners, and none
// of them is the window any more. The tile goes first, while the window is
// whole: its end finds the window as it was, shown and busy.
void TestMainWindowLan::windowGoesWhileTileWaits()
{
    QVERIFY(m_pMgr->AddGroup("Hall", 1));
    m_dev[RX2]->SetGroup("Hall");
    m_dev[RX2]->SetTXDev(m_dev[TX]);
    m_lan.Device(RX2)->setStallReplies(true);
    MainWindow *pWindow = new MainWindow;
    pWindow->show();
    pWindow->slotOnGroupItemClick(pWindow->findChild<CFormGroupList *>()->FindGroupItem("Hall"));
    Child<QPushButton>(pWindow, "pb_Apply")->click();
    QVERIFY(pWindow->IsBusy());
    QTRY_VERIFY(!m_lan.Commands(RX2).isEmpty());

    QSignalSpy progress(m_pMgr, &CHOIDevMgr::OnProgressNotify);
    // Shown: the window's own end has not begun to take it apart.
    QList<bool> busyAtEnd;
    const QMetaObject::Connection watch = connect(m_pMgr, &CHOIDevMgr::OnProgressNotify, this, [&]() {
        busyAtEnd << (pWindow->isVisible() && pWindow->IsBusy());
    });
    delete pWindow;
    disconnect(watch);
    QCOMPARE(progress.count(), 1);
    QCOMPARE(progress.at(0).at(0).value<E_ProgressNotify>(), E_PN_NONE);
    QCOMPARE(busyAtEnd, QList<bool>({true}));
    // Its line is still unanswered; the next test starts on a new link.
    m_dev[RX2]->GetComm()->CloseComm();
}

void TestMainWindowLan::searchFromToolBarShowsProgressUntilDone()
{
    CHOIScene *pScene = NewLayout();
    MainWindow w;
    w.show();
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    pScene->SetLayoutSeq(7);
    QSignalSpy progress(m_pMgr, &CHOIDevMgr::OnProgressNotify);
    QSignalSpy stop(m_pMgr, &CHOIDevMgr::OnSearchStop);

    w.findChild<QAction *>("actionSearch")->trigger();
    QVERIFY(Child<QProgressBar>(&w, "progressBar")->isVisible());
    QVERIFY(w.IsBusy());
    QVERIFY(!Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(!w.findChild<QAction *>("actionSearch")->isEnabled());

    QTRY_COMPARE_WITH_TIMEOUT(stop.count(), 1, 30000);
    QCOMPARE(stop.at(0).at(1).toBool(), true);
    // Busy while any report but the last one; the last one ends it.
    QVERIFY(progress.count() >= 2);
    for (int i = 0; i + 1 < progress.count(); ++i)
        QVERIFY(progress.at(i).at(0).value<E_ProgressNotify>() != E_PN_NONE);
    QCOMPARE(progress.last().at(0).value<E_ProgressNotify>(), E_PN_NONE);
    QCOMPARE(progress.last().at(1).toInt(), 100);
    QVERIFY(!w.IsBusy());
    QVERIFY(!Child<QProgressBar>(&w, "progressBar")->isVisible());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(w.findChild<QAction *>("actionSearch")->isEnabled());
    // The layouts were listed again (and renumbered) and the current one stayed.
    QCOMPARE(pScene->GetLayoutSeq(), 1);
    QCOMPARE(w.GetCurScene(), pScene);
    QVERIFY(w.findChild<CLogWidget *>()->GetLogEdit()->toPlainText().contains("Search start..."));
}

HOI_MAINWINDOW_TEST_MAIN(TestMainWindowLan)
#include "tst_mainwindow_lan.moc"
