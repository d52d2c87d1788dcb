// The layout model without devices on the network: grid resizing, video-wall
// records, placement rules and their messages, locations, the manager's
// wall-wide cell operations, and the apply bookkeeping that ends without any
// device answering.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Products: TX1 feeds walls of RX1/RX2 and several hosts per wall; TX2 has no
// wall; TX3 makes walls with RX1 but has one host per wall only. RX1 shows
// several encoders at once (rx_monitor), RX2 only TX1, RX3 nothing.
const char* const kConfig = R"(<?xml version="1.0"?>
<hoiprod ir_enable="true">
 <product id="TX1" name="Enc" type="tx" video_wall="RX1|RX2" vw_multi_tx="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="TX2" name="Enc2" type="tx" hisi_enable="false" jpeg_enable="false"/>
 <product id="TX3" name="Enc3" type="tx" video_wall="RX1" hisi_enable="false" jpeg_enable="false"/>
 <product id="RX1" name="Dec" type="rx" tx="TX1|TX2|TX3" video_wall="TX1|TX3" rx_monitor="true" vw_multi_tx="true" window_enable="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="RX2" name="Dec2" type="rx" tx="TX1" video_wall="TX1" vw_advance="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="RX3" name="Dec3" type="rx" hisi_enable="false" jpeg_enable="false"/>
 <product id="MRX" name="Multi" type="mrx" tx="TX1" hisi_enable="false" jpeg_enable="false"/>
</hoiprod>
)";

T_VideoWallInfo Wall(int row, int col, int rows, int cols, int mode = 0, const QString& name = "VW")
{
    T_VideoWallInfo w;
    w.pos_row = row;
    w.pos_col = col;
    w.row_count = rows;
    w.col_count = cols;
    w.mode = mode;
    w.name = name;
    return w;
}

QStringList Logs(const QSignalSpy& spy)
{
    QStringList lines;
    for (const QList<QVariant>& args : spy)
        lines.append(args.at(0).toString());
    return lines;
}

} // namespace

class TestScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void namePrefixAndSuffix_data();
    void namePrefixAndSuffix();
    void shrinkCutsWallToOneCellAndDeletesIt();
    void shrinkKeepsLargerWall();
    void growKeepsDevicesInPlace();
    void zeroOrBadSizes();
    void addVideoWallModes_data();
    void addVideoWallModes();
    void addVideoWallRefusals();
    void insertAndDeleteWalls();
    void setVideoWallMode();
    void canMakeVideoWall_data();
    void canMakeVideoWall();
    void copyCellsClampsToSmallerGrid();
    void hasDevAndFindCell();
    void locationReachesWallLayouts();
    void pairingRules_data();
    void pairingRules();
    void placementMessages_data();
    void placementMessages();
    void encoderGroupLimit();
    void placementSetsGroup();
    void setVideoWallTx();
    void moveCellDev();
    void wallSupportQueries();
    void windowingDevUsed();
    void managerWallCellOps();
    void removeDevFromAllScenesCoversWalls();
    void windowingKindChecks();
    void multicastCandidates();
    void applyEmptyLayoutFails();
    void updateCellLinkWithoutDevices();
    void completionsOutsideApplyIgnored();
    void giveUpOfEveryDeviceFailsLayout();
    void removingPendingDeviceEndsApply();

private:
    CHOIDev* Dev(CHOIDev::DevType type, const QString& host, const QString& alias);
    CHOIScene* NewScene(int rows, int cols, const QString& name = "L");

    CHOIDevMgr* m_mgr = nullptr;
    QList<CHOIDev*> m_devs;
    QList<CHOIScene*> m_scenes;
    CHOIDev* txA = nullptr; // TX1
    CHOIDev* txB = nullptr; // TX1
    CHOIDev* txC = nullptr; // TX2
    CHOIDev* txD = nullptr; // TX3
    CHOIDev* rx1 = nullptr;
    CHOIDev* rx2 = nullptr;
    CHOIDev* rx3 = nullptr;
    CHOIDev* mrx = nullptr;
};

void TestScene::initTestCase()
{
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QFile file(QCoreApplication::applicationDirPath() + "/config.xml");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(kConfig);
    file.close();
    m_mgr = new CHOIDevMgr;
    // No on-line check: this test must not put anything on the network.
    m_mgr->SetOnLineTimings(-1, 5000);
    QVERIFY(m_mgr->LoadProdConfig());
    QCOMPARE(m_mgr->GetProdList().size(), 7);
}

void TestScene::cleanupTestCase()
{
    delete m_mgr;
}

CHOIDev* TestScene::Dev(CHOIDev::DevType type, const QString& host, const QString& alias)
{
    CHOIDev* pDev = new CHOIDev(m_mgr, type, QString(), false, CHOIDev::E_CT_TELNET);
    pDev->SetHostName(host, true);
    pDev->SetName(alias);
    m_devs.append(pDev);
    return pDev;
}

CHOIScene* TestScene::NewScene(int rows, int cols, const QString& name)
{
    CHOIScene* pScene = new CHOIScene(m_mgr, name);
    pScene->SetGridSize(rows, cols);
    m_scenes.append(pScene);
    return pScene;
}

void TestScene::init()
{
    txA = Dev(CHOIDev::E_DT_TX, "TX1-000000000001", "EncA");
    txB = Dev(CHOIDev::E_DT_TX, "TX1-000000000002", "EncB");
    txC = Dev(CHOIDev::E_DT_TX, "TX2-000000000003", "EncC");
    txD = Dev(CHOIDev::E_DT_TX, "TX3-000000000004", "EncD");
    rx1 = Dev(CHOIDev::E_DT_RX, "RX1-000000000011", "Dec1");
    rx2 = Dev(CHOIDev::E_DT_RX, "RX2-000000000012", "Dec2");
    rx3 = Dev(CHOIDev::E_DT_RX, "RX3-000000000013", "Dec3");
    mrx = Dev(CHOIDev::E_DT_MRX, "MRX-000000000021", "Multi");
}

void TestScene::cleanup()
{
    // Removed walls go before the devices their cells name.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qDeleteAll(m_scenes);
    m_scenes.clear();
    while (m_mgr->GetSceneCount() > 0)
        m_mgr->DeleteSceneAt(0);
    qDeleteAll(m_devs);
    m_devs.clear();
}

void TestScene::namePrefixAndSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("group and layout") << "Hall-Evening" << "Hall" << "Evening";
    QTest::newRow("only the first dash splits") << "A-b-c" << "A" << "b-c";
    QTest::newRow("no dash") << "Solo" << "Solo" << "Solo";
    QTest::newRow("leading dash") << "-x" << "" << "x";
    QTest::newRow("empty") << "" << "" << "";
}

void TestScene::namePrefixAndSuffix()
{
    QFETCH(QString, name);
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);
    CHOIScene* s = NewScene(0, 0, name);
    QCOMPARE(CHOIScene::GetSceneNamePrefix(s), prefix);
    QCOMPARE(CHOIScene::GetSceneNameSuffix(s), suffix);
    QCOMPARE(s->GetSceneNamePrefix(), prefix);
    QCOMPARE(s->GetSceneNameSuffix(), suffix);
    QVERIFY(CHOIScene::GetSceneNamePrefix(static_cast<const CHOIScene*>(nullptr)).isEmpty());
}

void TestScene::shrinkCutsWallToOneCellAndDeletesIt()
{
    CHOIScene* s = NewScene(3, 3);
    s->GetCell(1, 1)->txList << txA;
    s->GetCell(1, 1)->rx = rx1;
    T_VideoWallInfo w = Wall(1, 1, 2, 2);
    QVERIFY(s->AddVideoWall(&w));
    QCOMPARE(s->m_videoWalls.size(), 1);

    s->SetGridSize(2, 2);
    QCOMPARE(s->GetRowCount(), 2);
    QCOMPARE(s->GetColCount(), 2);
    QCOMPARE(s->m_cells.size(), 4);
    QVERIFY(s->m_videoWalls.isEmpty());
    QCOMPARE(s->CellAt(1, 1)->wall, nullptr);
    QCOMPARE(s->CellAt(1, 1)->txList, QList<CHOIDev*>() << txA);
    QCOMPARE(s->CellAt(1, 1)->rx, rx1);
}

void TestScene::shrinkKeepsLargerWall()
{
    CHOIScene* s = NewScene(3, 3);
    T_VideoWallInfo w = Wall(0, 0, 3, 3);
    w.ow = 1920;
    QVERIFY(s->AddVideoWall(&w));
    s->SetGridSize(2, 3);
    QCOMPARE(s->m_videoWalls.size(), 1);
    T_VideoWallInfo* pWall = s->m_videoWalls.first();
    QCOMPARE(pWall->row_count, 2);
    QCOMPARE(pWall->col_count, 3);
    QCOMPARE(pWall->ow, 1920);
    for (const T_SceneCell* pCell : qAsConst(s->m_cells))
        QCOMPARE(pCell->wall, pWall);
}

void TestScene::growKeepsDevicesInPlace()
{
    CHOIScene* s = NewScene(2, 2);
    s->GetCell(0, 1)->txList << txA;
    s->GetCell(1, 0)->rx = rx1;
    s->GetCell(1, 1)->data = 0x55;
    s->SetGridSize(3, 4);
    QCOMPARE(s->m_cells.size(), 12);
    QCOMPARE(s->CellAt(0, 1)->txList, QList<CHOIDev*>() << txA);
    QCOMPARE(s->CellAt(1, 0)->rx, rx1);
    QCOMPARE(s->CellAt(1, 1)->data, quint32(0x55));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (r < 2 && c < 2)
                continue;
            QVERIFY(s->CellAt(r, c)->txList.isEmpty());
            QCOMPARE(s->CellAt(r, c)->rx, nullptr);
        }
    }
    // Shrinking drops the device whose cell falls outside.
    s->SetGridSize(1, 2);
    QVERIFY(!s->HasDev(rx1));
    QVERIFY(s->HasDev(txA));
}

void TestScene::zeroOrBadSizes()
{
    CHOIScene* s = NewScene(2, 2);
    T_VideoWallInfo w = Wall(0, 0, 2, 2);
    QVERIFY(s->AddVideoWall(&w));

    s->SetGridSize(256, 2);
    s->SetGridSize(-1, 2);
    s->SetGridSize(2, -3);
    QCOMPARE(s->GetRowCount(), 2);
    QCOMPARE(s->m_cells.size(), 4);
    QCOMPARE(s->m_videoWalls.size(), 1);

    s->SetGridSize(0, 4);
    QCOMPARE(s->GetRowCount(), 0);
    QCOMPARE(s->GetColCount(), 0);
    QVERIFY(s->m_cells.isEmpty());
    QVERIFY(s->m_videoWalls.isEmpty());
}

void TestScene::addVideoWallModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("secondRowHasA");
    QTest::newRow("one encoder for the wall") << 0 << true;
    QTest::newRow("one encoder per row") << 1 << false;
}

void TestScene::addVideoWallModes()
{
    QFETCH(int, mode);
    QFETCH(bool, secondRowHasA);
    CHOIScene* s = NewScene(2, 2);
    s->GetCell(0, 1)->txList << txA;
    s->GetCell(1, 0)->rx = rx1;
    T_VideoWallInfo w = Wall(0, 0, 2, 2, mode);
    QVERIFY(s->AddVideoWall(&w));
    QCOMPARE(s->m_videoWalls.size(), 1);
    T_VideoWallInfo* pCopy = s->m_videoWalls.first();
    QVERIFY(pCopy != &w);
    const QList<CHOIDev*> justA = QList<CHOIDev*>() << txA;
    QCOMPARE(s->CellAt(0, 0)->txList, justA);
    QCOMPARE(s->CellAt(0, 1)->txList, justA);
    QCOMPARE(s->CellAt(1, 0)->txList, secondRowHasA ? justA : QList<CHOIDev*>());
    QCOMPARE(s->CellAt(1, 1)->txList, secondRowHasA ? justA : QList<CHOIDev*>());
    QCOMPARE(s->CellAt(1, 0)->rx, rx1);
    for (const T_SceneCell* pCell : qAsConst(s->m_cells))
        QCOMPARE(pCell->wall, pCopy);
    QCOMPARE(s->FindVideoWallOfDev(txA), pCopy);
    QCOMPARE(s->FindVideoWallOfDev(rx1), pCopy);
}

void TestScene::addVideoWallRefusals()
{
    CHOIScene* s = NewScene(2, 4);
    s->GetCell(0, 0)->txList << txA;
    T_VideoWallInfo w1 = Wall(0, 0, 2, 2);
    QVERIFY(s->AddVideoWall(&w1));

    // A second wall whose first encoder already feeds a wall of the layout.
    s->GetCell(0, 2)->txList << txA;
    T_VideoWallInfo w2 = Wall(0, 2, 2, 2);
    QVERIFY(!s->AddVideoWall(&w2));
    QCOMPARE(s->m_videoWalls.size(), 1);
    QCOMPARE(s->CellAt(0, 2)->wall, nullptr);
    QCOMPARE(s->CellAt(1, 3)->txList, QList<CHOIDev*>());

    // Rectangles past the grid or over another wall change nothing.
    T_VideoWallInfo past = Wall(1, 3, 2, 1);
    QVERIFY(!s->AddVideoWall(&past));
    T_VideoWallInfo negative = Wall(-1, 0, 1, 1);
    QVERIFY(!s->AddVideoWall(&negative));
    T_VideoWallInfo overlap = Wall(1, 1, 1, 2);
    QVERIFY(!s->AddVideoWall(&overlap));
    QCOMPARE(s->m_videoWalls.size(), 1);
    QCOMPARE(s->CellAt(1, 2)->wall, nullptr);

    // The multi-cell variant refuses one cell.
    T_VideoWallInfo one = Wall(1, 3, 1, 1);
    QVERIFY(!s->AddMultiCellVideoWall(&one));
    QVERIFY(s->AddVideoWall(&one));
}

void TestScene::insertAndDeleteWalls()
{
    CHOIScene* s = NewScene(3, 3);
    T_VideoWallInfo w = Wall(0, 0, 2, 2);
    QVERIFY(s->AddVideoWall(&w));

    T_VideoWallInfo* pLoaded = new T_VideoWallInfo(Wall(1, 1, 2, 2, 0, "Loaded"));
    QVERIFY(s->InsertVideoWall(pLoaded));
    // The overlapping wall went first; the record itself is used.
    QCOMPARE(s->m_videoWalls.size(), 1);
    QCOMPARE(s->m_videoWalls.first(), pLoaded);
    QVERIFY(s->HasVideoWall(pLoaded));
    QVERIFY(!s->HasVideoWall(&w));
    QCOMPARE(s->CellAt(0, 0)->wall, nullptr);
    QCOMPARE(s->CellAt(2, 2)->wall, pLoaded);

    // A record reaching past the grid is refused (and released by the layout).
    QVERIFY(!s->InsertVideoWall(new T_VideoWallInfo(Wall(2, 2, 2, 1))));
    QCOMPARE(s->m_videoWalls.size(), 1);

    QVERIFY(!s->DeleteVideoWallsIn(3, 0, 1, 1));
    QVERIFY(!s->DeleteVideoWallsIn(0, 0, 4, 1));
    QCOMPARE(s->m_videoWalls.size(), 1);
    // The rectangle may reach past the grid; only cells inside are looked at.
    QVERIFY(s->DeleteVideoWallsIn(2, 2, 3, 3));
    QVERIFY(s->m_videoWalls.isEmpty());
    for (const T_SceneCell* pCell : qAsConst(s->m_cells))
        QCOMPARE(pCell->wall, nullptr);
}

void TestScene::setVideoWallMode()
{
    CHOIScene* s = NewScene(2, 2);
    s->GetCell(0, 0)->txList << txA;
    T_VideoWallInfo w = Wall(0, 0, 2, 2, 0);
    QVERIFY(s->AddVideoWall(&w));
    T_VideoWallInfo* pWall = s->m_videoWalls.first();

    QVERIFY(!s->SetVideoWallMode(pWall, 0));
    QCOMPARE(s->CellAt(1, 1)->txList, QList<CHOIDev*>() << txA);
    QVERIFY(!s->SetVideoWallMode(&w, 1)); // not a record of the layout

    QVERIFY(s->SetVideoWallMode(pWall, 1));
    QCOMPARE(pWall->mode, 1);
    QCOMPARE(s->CellAt(0, 1)->txList, QList<CHOIDev*>() << txA);
    QVERIFY(s->CellAt(1, 0)->txList.isEmpty());
    QVERIFY(s->CellAt(1, 1)->txList.isEmpty());

    QVERIFY(s->SetVideoWallMode(pWall, 0));
    QCOMPARE(s->CellAt(1, 1)->txList, QList<CHOIDev*>() << txA);
}

void TestScene::canMakeVideoWall_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("single");
    QTest::addColumn<bool>("multi");
    // setup 0: empty grid; 1: two TX in (0,0); 2: wall over (1,1); 3: RX3
    // (no wall support) in (0,1); 4: wall devices in every cell.
    QTest::newRow("single cell") << 0 << 0 << 0 << 1 << 1 << true << false;
    QTest::newRow("2x2") << 0 << 0 << 0 << 2 << 2 << true << true;
    QTest::newRow("past the grid") << 0 << 1 << 1 << 2 << 2 << false << false;
    QTest::newRow("negative") << 0 << -1 << 0 << 1 << 1 << false << false;
    QTest::newRow("two TX in a cell") << 1 << 0 << 0 << 1 << 2 << false << false;
    QTest::newRow("cell already in a wall") << 2 << 1 << 0 << 1 << 2 << false << false;
    QTest::newRow("device without wall support") << 3 << 0 << 0 << 1 << 2 << false << false;
    QTest::newRow("wall devices") << 4 << 0 << 0 << 2 << 2 << true << true;
}

void TestScene::canMakeVideoWall()
{
    QFETCH(int, setup);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, single);
    QFETCH(bool, multi);
    CHOIScene* s = NewScene(2, 2);
    if (setup == 1)
        s->GetCell(0, 0)->txList << txA << txB;
    if (setup == 2) {
        T_VideoWallInfo w = Wall(1, 1, 1, 1);
        QVERIFY(s->AddVideoWall(&w));
    }
    if (setup == 3)
        s->GetCell(0, 1)->rx = rx3;
    if (setup == 4) {
        s->GetCell(0, 0)->txList << txA;
        s->GetCell(0, 0)->rx = rx1;
        s->GetCell(1, 1)->rx = rx2;
    }
    QCOMPARE(s->CanMakeVideoWall(row, col, rows, cols), single);
    QCOMPARE(s->CanMakeMultiCellVideoWall(row, col, rows, cols), multi);
}

void TestScene::copyCellsClampsToSmallerGrid()
{
    CHOIScene* big = NewScene(3, 3);
    big->GetCell(0, 0)->rx = rx1;
    big->GetCell(2, 2)->rx = rx2;
    CHOIScene* small = NewScene(1, 2);
    small->GetCell(0, 0)->txList << txA;
    small->CopyCellsFrom(big, 3, 3);
    QCOMPARE(small->CellAt(0, 0)->rx, rx1);
    QCOMPARE(small->CellAt(0, 0)->txList, QList<CHOIDev*>() << txA);
    QCOMPARE(small->CellAt(0, 1)->rx, nullptr);
    big->CopyCellsFrom(small, 3, 3);
    QCOMPARE(big->CellAt(0, 0)->rx, rx1);
    QCOMPARE(big->CellAt(0, 1)->rx, nullptr);
    QCOMPARE(big->CellAt(2, 2)->rx, rx2);
    big->CopyCellsFrom(nullptr, 1, 1);
}

void TestScene::hasDevAndFindCell()
{
    CHOIScene* s = NewScene(2, 3);
    s->GetCell(0, 2)->txList << txA;
    s->GetCell(1, 0)->txList << txA;
    s->GetCell(1, 1)->rx = mrx;
    s->GetCell(1, 2)->rx = rx1;
    QVERIFY(s->HasDev(txA));
    QVERIFY(s->HasDev(rx1));
    QVERIFY(!s->HasDev(mrx));
    QVERIFY(!s->HasDev(txB));

    int row = 0, col = 0;
    QVERIFY(s->FindDevCell(txA, &row, &col));
    QCOMPARE(row, 0);
    QCOMPARE(col, 2);
    col = 3; // the search starts at the given cell
    QVERIFY(s->FindDevCell(txA, &row, &col));
    QCOMPARE(row, 1);
    QCOMPARE(col, 0);
    row = 1;
    col = 1;
    QVERIFY(!s->FindDevCell(txA, &row, &col));
    row = 0;
    col = 0;
    QVERIFY(s->FindDevCell(rx1, &row, &col));
    QCOMPARE(row, 1);
    QCOMPARE(col, 2);
    row = 0;
    col = 0;
    QVERIFY(s->FindDevCell(mrx, &row, &col)); // any decoder standing as a cell's RX
    QCOMPARE(row, 1);
    QCOMPARE(col, 1);
    row = -1;
    QVERIFY(!s->FindDevCell(rx1, &row, &col));
    QCOMPARE(s->RemoveDev(txA), 2);
    QCOMPARE(s->RemoveDev(txA), 0);
    QVERIFY(s->RemoveDevFromCell(1, 2, rx1));
    QVERIFY(!s->HasDev(rx1));
    QVERIFY(!s->RemoveDevFromCell(2, 0, rx1));
}

void TestScene::locationReachesWallLayouts()
{
    CHOIScene* w1 = m_mgr->CreateScene("W-1");
    CHOIScene* w2 = m_mgr->CreateScene("W-2");
    CHOIScene* other = m_mgr->CreateScene("Other");
    QVERIFY(w1 && w2 && other);
    w1->SetGridSize(1, 2);
    w1->GetCell(0, 0)->txList << txA;
    w1->GetCell(0, 0)->rx = rx1;
    w1->GetCell(0, 1)->rx = rx2;
    txA->SetLocation("Office");

    w1->SetLocation("Hall");
    QCOMPARE(w1->GetLocation(), QString("Hall"));
    QCOMPARE(w2->GetLocation(), QString("Hall"));
    QCOMPARE(rx1->GetLocation(), QString("Hall"));
    QCOMPARE(rx2->GetLocation(), QString("Hall"));
    QCOMPARE(txA->GetLocation(), QString("Office"));
    QVERIFY(other->GetLocation().isEmpty());

    w1->SetLocation(QString());
    QCOMPARE(w1->GetLocation(), QString("Hall"));
    other->SetLocation("Yard");
    other->SetLocation(QString());
    QVERIFY(other->GetLocation().isEmpty());
}

void TestScene::pairingRules_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("link");
    QTest::addColumn<bool>("mutual");
    QTest::newRow("TX1 to RX1") << "txA" << "rx1" << true << true;
    QTest::newRow("RX1 to TX1") << "rx1" << "txA" << true << true;
    QTest::newRow("TX2 to RX1") << "txC" << "rx1" << true << false;
    QTest::newRow("TX2 to RX2") << "txC" << "rx2" << false << false;
    QTest::newRow("TX3 to RX2") << "txD" << "rx2" << false << false;
    QTest::newRow("TX3 to RX1") << "txD" << "rx1" << true << true;
    QTest::newRow("two TX") << "txA" << "txB" << false << false;
    QTest::newRow("same device") << "txA" << "txA" << false << false;
    QTest::newRow("RX and MRX") << "rx1" << "mrx" << false << false;
    QTest::newRow("TX1 to MRX") << "txA" << "mrx" << true << false;
    QTest::newRow("RX3") << "txA" << "rx3" << false << false;
}

void TestScene::pairingRules()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, link);
    QFETCH(bool, mutual);
    const QMap<QString, CHOIDev*> devs{{"txA", txA}, {"txB", txB}, {"txC", txC}, {"txD", txD},
                                       {"rx1", rx1}, {"rx2", rx2}, {"rx3", rx3}, {"mrx", mrx}};
    QCOMPARE(m_mgr->IsLinkPartner(devs[a], devs[b]), link);
    QCOMPARE(m_mgr->IsMutualPartner(devs[a], devs[b]), mutual);
    QVERIFY(!m_mgr->IsLinkPartner(devs[a], nullptr));
    QVERIFY(!m_mgr->IsMutualPartner(nullptr, devs[b]));
}

void TestScene::placementMessages_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("drop");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("err");
    // setup 0: cell holds EncC; 1: 1x1 wall cell; 2: cell holds EncA and EncC;
    // 3: mode-1 wall cell; 4: wall cell fed by EncC; 5: cell holds Dec3;
    // 6: wall cell holding Dec3; 7: cell holds Dec1 and EncA; 8: cell holds EncA.
    QTest::newRow("decoder not a link partner") << 0 << "rx2" << false
                                                << "Device ('Dec2') can't make link with 'EncC'.";
    QTest::newRow("decoder without wall support") << 1 << "rx3" << false
                                                  << "Device('Dec3') does not support video wall function.";
    QTest::newRow("decoder without multichannel") << 2 << "rx2" << false
                                                  << "Device('Dec2') does not support mulchannel video.";
    QTest::newRow("decoder in a multi-host wall")
        << 3 << "rx2" << false << "Device ('Dec2') does not support video wall with multi host mode.";
    QTest::newRow("decoder not a wall partner") << 4 << "rx1" << false
                                                << "Device ('Dec1') can't make video wall with 'EncC'.";
    QTest::newRow("encoder not a link partner") << 5 << "txA" << false
                                                << "Device ('EncA') can't make link with 'Dec3'.";
    QTest::newRow("encoder not a wall partner") << 6 << "txA" << false
                                                << "Device ('EncA') can't make video wall with 'Dec3'.";
    QTest::newRow("encoder in a multi-host wall")
        << 3 << "txD" << false << "Device ('EncD') does not support video wall with multi host mode.";
    QTest::newRow("encoder without wall support") << 1 << "txC" << false
                                                  << "Device('EncC') does not support video wall function.";
    QTest::newRow("decoder with multichannel") << 2 << "rx1" << true << "";
    QTest::newRow("decoder on its encoder") << 8 << "rx2" << true << "";
    QTest::newRow("second encoder joins") << 7 << "txC" << true << "";
    QTest::newRow("multiview decoder") << 8 << "mrx" << true << "";
    QTest::newRow("wrong device type") << 8 << "gw" << false << "";
}

void TestScene::placementMessages()
{
    QFETCH(int, setup);
    QFETCH(QString, drop);
    QFETCH(bool, ok);
    QFETCH(QString, err);
    CHOIDev* gw = Dev(CHOIDev::E_DT_GW, "GW-000000000031", "Gate");
    const QMap<QString, CHOIDev*> devs{{"txA", txA}, {"txC", txC}, {"txD", txD}, {"rx1", rx1},
                                       {"rx2", rx2}, {"rx3", rx3}, {"mrx", mrx}, {"gw", gw}};
    CHOIScene* s = NewScene(1, 1);
    T_SceneCell* pCell = s->GetCell(0, 0);
    T_VideoWallInfo w = Wall(0, 0, 1, 1, setup == 3 ? 1 : 0);
    switch (setup) {
    case 0: pCell->txList << txC; break;
    case 1: QVERIFY(s->AddVideoWall(&w)); break;
    case 2: pCell->txList << txA << txC; break;
    case 3: QVERIFY(s->AddVideoWall(&w)); break;
    case 4: pCell->txList << txC; QVERIFY(s->AddVideoWall(&w)); break;
    case 5: pCell->rx = rx3; break;
    case 6: QVERIFY(s->AddVideoWall(&w)); pCell->rx = rx3; break;
    case 7: pCell->rx = rx1; pCell->txList << txA; break;
    case 8: pCell->txList << txA; break;
    }
    const QList<CHOIDev*> txBefore = pCell->txList;
    CHOIDev* rxBefore = pCell->rx;

    QString message;
    QCOMPARE(s->SetCellDev(0, 0, devs[drop], message), ok);
    QCOMPARE(message, err);
    CHOIDev* pDrop = devs[drop];
    if (!ok) {
        QCOMPARE(pCell->txList, txBefore);
        QCOMPARE(pCell->rx, rxBefore);
    } else if (pDrop->GetDevType() == CHOIDev::E_DT_TX) {
        QCOMPARE(pCell->txList, txBefore + (QList<CHOIDev*>() << pDrop));
    } else {
        QCOMPARE(pCell->rx, pDrop);
    }
    QVERIFY(!s->SetCellDev(1, 0, txA, message));
    QVERIFY(!s->SetCellDev(0, 0, nullptr, message));
}

void TestScene::encoderGroupLimit()
{
    CHOIScene* s = NewScene(1, 1);
    s->GetCell(0, 0)->rx = rx1;
    QString err;
    for (int i = 0; i < 16; ++i) {
        CHOIDev* pTx = Dev(CHOIDev::E_DT_TX, QString("TX2-0000000001%1").arg(i, 2, 10, QChar('0')),
                           QString("T%1").arg(i));
        QVERIFY2(s->SetCellDev(0, 0, pTx, err), qPrintable(err));
    }
    QCOMPARE(s->CellAt(0, 0)->txList.size(), 16);
    // Dropping one already there changes nothing and is accepted.
    QVERIFY(s->SetCellDev(0, 0, s->CellAt(0, 0)->txList.at(3), err));
    CHOIDev* pSeventeenth = Dev(CHOIDev::E_DT_TX, "TX2-000000000199", "T16");
    QVERIFY(!s->SetCellDev(0, 0, pSeventeenth, err));
    QVERIFY(err.isEmpty());
    QCOMPARE(s->CellAt(0, 0)->txList.size(), 16);

    // A decoder that shows one encoder only: the new encoder replaces the old.
    CHOIScene* s2 = NewScene(1, 1);
    s2->GetCell(0, 0)->rx = rx2;
    QVERIFY(s2->SetCellDev(0, 0, txA, err));
    QVERIFY(s2->SetCellDev(0, 0, txB, err));
    QCOMPARE(s2->CellAt(0, 0)->txList, QList<CHOIDev*>() << txB);
}

void TestScene::placementSetsGroup()
{
    CHOIScene* s = NewScene(1, 2);
    QString err;
    rx1->SetGroup("old");
    QVERIFY(s->SetCellDev(0, 0, rx1, err));
    QCOMPARE(rx1->GetGroup(), QString("old"));
    s->SetGroup("Lobby");
    QVERIFY(s->SetCellDev(0, 1, rx2, err));
    QCOMPARE(rx2->GetGroup(), QString("Lobby"));
}

void TestScene::setVideoWallTx()
{
    CHOIScene* s = NewScene(2, 2);
    s->GetCell(0, 0)->rx = rx1;
    s->GetCell(1, 1)->rx = rx2;
    T_VideoWallInfo w = Wall(0, 0, 2, 2, 0, "Big");
    QVERIFY(s->AddVideoWall(&w));
    T_VideoWallInfo* pWall = s->m_videoWalls.first();
    QString err;

    QVERIFY(!s->SetVideoWallTx(pWall, 2, txA, err));
    QVERIFY(!s->SetVideoWallTx(nullptr, 0, txA, err));
    QVERIFY(err.isEmpty());
    QVERIFY(!s->SetVideoWallTx(pWall, 0, txC, err));
    QCOMPARE(err, QString("Device('EncC') does not support video wall function."));
    QVERIFY(!s->SetVideoWallTx(pWall, 0, txD, err));
    QCOMPARE(err, QString("Device ('EncD') can't make video wall with 'Dec2'."));
    QVERIFY(s->SetVideoWallTx(pWall, 1, txA, err));
    for (const T_SceneCell* pCell : qAsConst(s->m_cells))
        QCOMPARE(pCell->txList, QList<CHOIDev*>() << txA);

    // One encoder per row: only that row changes.
    QVERIFY(s->SetVideoWallMode(pWall, 1));
    QVERIFY(!s->SetVideoWallTx(pWall, 1, txD, err));
    QCOMPARE(err, QString("Device ('EncD') does not support video wall with multi host mode."));
    QVERIFY(s->SetVideoWallTx(pWall, 1, txB, err));
    QCOMPARE(s->CellAt(0, 0)->txList, QList<CHOIDev*>() << txA);
    QCOMPARE(s->CellAt(1, 0)->txList, QList<CHOIDev*>() << txB);
    QCOMPARE(s->CellAt(1, 1)->txList, QList<CHOIDev*>() << txB);
}

void TestScene::moveCellDev()
{
    CHOIScene* s = NewScene(1, 3);
    s->GetCell(0, 0)->txList << txA;
    s->GetCell(0, 0)->rx = rx1;
    s->GetCell(0, 1)->txList << txA;
    s->GetCell(0, 1)->rx = rx2;
    s->GetCell(0, 2)->txList << txC;
    s->GetCell(0, 2)->rx = rx1;
    QString err;
    QVERIFY(s->CanMoveCellDev(0, 0, 0, 1, err));
    QCOMPARE(s->CellAt(0, 0)->rx, rx2);
    QCOMPARE(s->CellAt(0, 1)->rx, rx1);
    QCOMPARE(s->CellAt(0, 0)->txList, QList<CHOIDev*>() << txA);

    // Dec2 cannot show EncC: nothing moves.
    QVERIFY(!s->CanMoveCellDev(0, 0, 0, 2, err));
    QCOMPARE(err, QString("Device ('EncC') can't make link with 'Dec2'."));
    QCOMPARE(s->CellAt(0, 0)->rx, rx2);
    QCOMPARE(s->CellAt(0, 2)->rx, rx1);
    QVERIFY(!s->CanMoveCellDev(0, 0, 1, 0, err));
}

void TestScene::wallSupportQueries()
{
    CHOIScene* s = NewScene(1, 2);
    T_VideoWallInfo w = Wall(0, 0, 1, 2);
    QVERIFY(s->AddVideoWall(&w));
    T_VideoWallInfo* pWall = s->m_videoWalls.first();
    // No device: whether any product could have it.
    QVERIFY(s->IsVideoWallSupportMultiTx(pWall));
    QVERIFY(!s->IsVideoWallSupportAdvance(pWall));
    s->GetCell(0, 0)->txList << txA;
    s->GetCell(0, 0)->rx = rx1;
    QVERIFY(s->IsVideoWallSupportMultiTx(pWall));
    QVERIFY(!s->IsVideoWallSupportAdvance(pWall));
    s->GetCell(0, 1)->rx = rx2;
    QVERIFY(!s->IsVideoWallSupportMultiTx(pWall));
    QVERIFY(s->IsVideoWallSupportAdvance(pWall));
    QVERIFY(!s->IsVideoWallSupportMultiTx(nullptr));
}

void TestScene::windowingDevUsed()
{
    CHOIScene* s = NewScene(1, 2);
    T_VideoWallInfo a = Wall(0, 0, 1, 1, 0, "A");
    T_VideoWallInfo b = Wall(0, 1, 1, 1, 0, "B");
    QVERIFY(s->AddVideoWall(&a));
    QVERIFY(s->AddVideoWall(&b));
    s->SetVideoWallDevice("B", "WP-1", "Proc 1");
    s->SetVideoWallDevice("none", "WP-9", "Proc 9");
    QCOMPARE(s->m_videoWalls.at(1)->dev_hostname, QString("WP-1"));
    QCOMPARE(s->m_videoWalls.at(1)->dev_name, QString("Proc 1"));
    QVERIFY(s->IsWindowingDevUsed(QString(), "WP-1"));
    QVERIFY(!s->IsWindowingDevUsed(QString(), "WP-2"));
    QVERIFY(!s->IsWindowingDevUsed("A", "WP-1"));
    QCOMPARE(s->FindVideoWallByName("B", nullptr), s->m_videoWalls.at(1));
    QCOMPARE(s->FindVideoWallByName("B", s->m_videoWalls.at(1)), nullptr);
}

void TestScene::managerWallCellOps()
{
    CHOIScene* pWall = m_mgr->GetOrCreateVideoWall("W");
    QVERIFY(pWall);
    pWall->SetGridSize(1, 2);
    CHOIScene* w1 = m_mgr->CreateScene("W-1");
    CHOIScene* w2 = m_mgr->CreateScene("W-2");
    CHOIScene* other = m_mgr->CreateScene("WX-1");
    for (CHOIScene* s : {w1, w2, other})
        s->SetGridSize(1, 2);

    m_mgr->SetDevToSceneCell(0, 1, rx1, "W");
    m_mgr->SetDevToSceneCell(0, 0, txA, "W");
    m_mgr->SetDevToSceneCell(0, 1, nullptr, "W");
    for (CHOIScene* s : {pWall, w1, w2}) {
        QCOMPARE(s->CellAt(0, 1)->rx, rx1);
        QCOMPARE(s->CellAt(0, 0)->txList, QList<CHOIDev*>() << txA);
    }
    QCOMPARE(other->CellAt(0, 1)->rx, nullptr);

    m_mgr->RemoveDevFromSceneCell(0, 0, txA, "W");
    for (CHOIScene* s : {pWall, w1, w2})
        QVERIFY(s->CellAt(0, 0)->txList.isEmpty());

    rx1->SetVideoWall(pWall);
    other->GetCell(0, 1)->rx = rx2;
    QSignalSpy spy(m_mgr, &CHOIDevMgr::signalDevChangeForList);
    m_mgr->RemoveAllRXOfVideoWall("W");
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0).at(0).value<CHOIDev*>(), rx1);
    QCOMPARE(rx1->GetVideoWall(), nullptr);
    for (CHOIScene* s : {pWall, w1, w2})
        QCOMPARE(s->CellAt(0, 1)->rx, nullptr);
    QCOMPARE(other->CellAt(0, 1)->rx, rx2);

    m_mgr->RemoveVideoWall(pWall);
}

void TestScene::removeDevFromAllScenesCoversWalls()
{
    CHOIScene* pWall = m_mgr->GetOrCreateVideoWall("V");
    pWall->SetGridSize(1, 1);
    CHOIScene* a = m_mgr->CreateScene("V-1");
    CHOIScene* b = m_mgr->CreateScene("Plain");
    CHOIScene* c = m_mgr->CreateScene("Empty");
    for (CHOIScene* s : {a, b, c})
        s->SetGridSize(1, 1);
    pWall->GetCell(0, 0)->rx = rx1;
    a->GetCell(0, 0)->rx = rx1;
    b->GetCell(0, 0)->rx = rx1;
    b->GetCell(0, 0)->txList << txA;
    QCOMPARE(m_mgr->RemoveDevFromAllScenes(rx1), 2);
    QCOMPARE(pWall->CellAt(0, 0)->rx, nullptr);
    QCOMPARE(b->CellAt(0, 0)->txList, QList<CHOIDev*>() << txA);
    QCOMPARE(m_mgr->RemoveDevFromAllScenes(nullptr), 0);
    m_mgr->RemoveVideoWall(pWall);
}

void TestScene::windowingKindChecks()
{
    CHOIScene* s = NewScene(1, 2);
    QVERIFY(!m_mgr->IsAnyRxWithoutWindow(nullptr));
    QVERIFY(!m_mgr->IsAnyRxWithoutWindow(s));
    s->GetCell(0, 0)->rx = rx1;
    QVERIFY(!m_mgr->IsAnyRxWithoutWindow(s));
    QVERIFY(!m_mgr->IsAnyGridRxWithoutWindow(s));
    QVERIFY(m_mgr->IsAnyRxWithoutViv(s));
    QVERIFY(m_mgr->IsAnyGridRxWithoutViv(s));
    CHOIDev* pUnknown = Dev(CHOIDev::E_DT_RX, "ZZZ-000000000001", "Unknown");
    s->GetCell(0, 1)->rx = pUnknown;
    QVERIFY(m_mgr->IsAnyRxWithoutWindow(s));
    QVERIFY(m_mgr->IsAnyGridRxWithoutWindow(s));
}

void TestScene::multicastCandidates()
{
    QCOMPARE(CHOIScene::FirstFreeMulticastIP({}), QString("225.0.100.1"));
    QCOMPARE(CHOIScene::FirstFreeMulticastIP({"225.0.100.1"}), QString("225.0.100.2"));
    QSet<QString> used;
    for (int i = 1; i <= 254; ++i)
        used.insert(QString("225.0.100.%1").arg(i));
    // After x.x.100.254 the counting wraps to x.x.101.0.
    QCOMPARE(CHOIScene::FirstFreeMulticastIP(used), QString("225.0.101.0"));
    used.clear();
    for (int i = 1; i <= 65533; ++i)
        used.insert(QString("225.0.%1.%2").arg(i / 255 + 100).arg(i % 255));
    QVERIFY(CHOIScene::FirstFreeMulticastIP(used).isEmpty());
}

void TestScene::applyEmptyLayoutFails()
{
    CHOIScene* s = NewScene(2, 2, "Empty");
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy progress(s, &CHOIScene::OnProgressNotify);
    QVERIFY(!s->Apply(1));
    QCOMPARE(Logs(log), QStringList() << "Apply scene ..." << "Scene('Empty') fails to be applied.");
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QCOMPARE(progress.count(), 0);
    QCOMPARE(s->GetApplyMode(), 0);
    QVERIFY(!s->IsApplying());

    // A wall without devices: its own line, then the layout's, once.
    T_VideoWallInfo w;
    w.row_count = w.col_count = 2;
    QVERIFY(s->AddVideoWall(&w));
    log.clear();
    QVERIFY(!s->Apply(1));
    QCOMPARE(Logs(log).count("Scene('Empty') fails to be applied."), 1);
}

void TestScene::updateCellLinkWithoutDevices()
{
    CHOIScene* s = NewScene(2, 2);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(!s->UpdateCellLink(QList<T_CellPos*>()));
    QCOMPARE(log.count(), 0);
    T_CellPos a{0, 1};
    T_CellPos outside{5, 5};
    QVERIFY(s->UpdateCellLink(QList<T_CellPos*>() << &a << &outside));
    QCOMPARE(Logs(log), QStringList() << "Update Cell link ...");
    QCOMPARE(s->GetPendingTotal(), 0);
    QCOMPARE(status.count(), 0);
    QVERIFY(s->UpdateOneCellLink(1, 1));
}

void TestScene::completionsOutsideApplyIgnored()
{
    CHOIScene* s = NewScene(1, 1);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    s->slotOnDevCmdCompleted(rx1, E_CO_DEV, E_CR_SUCCESS);
    s->slotOnDevCmdCompleted(rx1, E_CO_IR, E_CR_SUCCESS);
    QCOMPARE(log.count(), 0);
    QCOMPARE(status.count(), 0);
}

void TestScene::giveUpOfEveryDeviceFailsLayout()
{
    // Devices without an address never reach the network; each gives up
    // after its connection attempts and reports a connect time-out.
    for (CHOIDev* pDev : {txA, rx1, rx2})
        pDev->SetRetryInterval(20);
    CHOIScene* s = NewScene(1, 2, "Lost");
    s->GetCell(0, 0)->txList << txA;
    s->GetCell(0, 0)->rx = rx1;
    s->GetCell(0, 1)->txList << txA;
    s->GetCell(0, 1)->rx = rx2;
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy progress(s, &CHOIScene::OnProgressNotify);
    // The window tells a scheduled apply from the operator's by the mode it
    // reads while the final status is reported.
    QList<int> modeAtStatus;
    connect(s, &CHOIScene::OnStatusChange, this, [&]() { modeAtStatus << s->GetApplyMode(); });
    QVERIFY(s->Apply(2));
    QCOMPARE(s->GetPendingTotal(), 3);
    QCOMPARE(s->GetApplyMode(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 10000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    const QStringList lines = Logs(log);
    QCOMPARE(lines.count("Device('EncA') fails to be connected."), 1);
    QCOMPARE(lines.count("Device('Dec1') fails to be connected."), 1);
    QCOMPARE(lines.count("Device('Dec2') fails to be connected."), 1);
    QCOMPARE(lines.last(), QString("Scene('Lost') fails to be applied."));
    QCOMPARE(s->GetLastStatus(), E_SS_FAILED);
    QCOMPARE(modeAtStatus, QList<int>() << 2);
    QCOMPARE(s->GetApplyMode(), 0);
    QVERIFY(!s->IsApplying());
    QList<int> values;
    for (const QList<QVariant>& args : qAsConst(progress))
        values << args.at(1).toInt();
    QCOMPARE(values, QList<int>() << 1 << 33 << 66 << 100 << 100);
    QCOMPARE(progress.last().at(0).value<E_ProgressNotify>(), E_PN_NONE);
}

void TestScene::removingPendingDeviceEndsApply()
{
    for (CHOIDev* pDev : {txA, rx1})
        pDev->SetRetryInterval(600000);
    CHOIScene* s = NewScene(1, 1, "Gone");
    s->GetCell(0, 0)->txList << txA;
    s->GetCell(0, 0)->rx = rx1;
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(s->GetPendingDevCount(), 2);
    QCOMPARE(s->RemoveDev(rx1), 1);
    QCOMPARE(status.count(), 0);
    QVERIFY(s->RemoveDevFromCell(0, 0, txA));
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    const QStringList lines = Logs(log);
    QCOMPARE(lines.mid(lines.size() - 3),
             QStringList() << "Device('Dec1') fails to be applied."
                           << "Device('EncA') fails to be applied."
                           << "Scene('Gone') fails to be applied.");
    QVERIFY(!s->IsApplying());
}

QTEST_MAIN(TestScene)
#include "tst_scene.moc"
