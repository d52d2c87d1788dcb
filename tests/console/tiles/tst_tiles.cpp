// The tiles of the group pages over simulated devices in a private test LAN:
// the decoder tile's drop, menu and auto-apply reaching the two devices, the
// wall tile editing the wall's default layout, "To all screens" reaching
// every tile, and the tiles' tree items.
#include <QDrag>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/elidelabel.h"
#include "simlan.h"
#include "tiles/formall.h"
#include "tiles/formdevice.h"
#include "tiles/formonekey.h"
#include "tiles/formvw.h"
#include "tiletesthelpers.h"

namespace {

// TXP feeds RXP and MRX, also in walls; TXQ feeds nothing.
const char kConfig[] = R"(<?xml version="1.0"?>
<hoiprod>
 <product id="TXP" name="Enc" type="tx" param_prefix="gb" video_wall="RXP" hisi_enable="false" jpeg_enable="false"/>
 <product id="TXQ" name="Other" type="tx" param_prefix="gb" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXP" name="Dec" type="rx" param_prefix="gb" tx="TXP" video_wall="TXP" hisi_enable="false" jpeg_enable="false"/>
 <product id="MRX" name="Multi" type="mrx" param_prefix="gb" tx="TXP" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXM" name="Mon" type="rx" param_prefix="gb" tx="TXP" rx_monitor="true" hisi_enable="false" jpeg_enable="false"/>
</hoiprod>
)";

enum { TX1, TX2, TXQ, RX1, RX2, RX3, RX4, RX5, MRX1, RXM1, DEV_COUNT };
const char *const kModels[DEV_COUNT] = {"TXP", "TXP", "TXQ", "RXP", "RXP", "RXP", "RXP", "RXP", "MRX", "RXM"};
const char *const kTypes[DEV_COUNT] = {"TX", "TX", "TX", "RX", "RX", "RX", "RX", "RX", "MRX", "RX"};

typedef QList<QByteArray> Lines;

// Waits until the layout has reported its n-th outcome, with the status
// given: applied after an apply of the whole layout, the status it kept
// after a clean re-apply of some cells.
#define WAIT_REPORTED(scene, spy, n, status)                                            \
    do {                                                                                \
        QTRY_COMPARE_WITH_TIMEOUT((spy).count(), (n), 20000);                           \
        QCOMPARE((spy).last().at(0).value<CHOIScene *>(), (scene));                     \
        QCOMPARE((spy).last().at(1).value<E_SceneStatus>(), (status));                  \
    } while (0)

QByteArray Event(const QString &event)
{
    return QString("e 1 %1").arg(event).toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(QTreeWidgetItem *)
Q_DECLARE_METATYPE(QDropEvent *)

class TestTiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void decoderTileLabels_data();
    void decoderTileLabels();
    void decoderDropLinksAndAutoApplies();
    void decoderWaitsForApplyWithoutAutoApply();
    void decoderDropRefused();
    void decoderDropReplacesEncoder();
    void decoderIgnoresOtherDrags_data();
    void decoderIgnoresOtherDrags();
    void decoderMenuChangesAndRemovesTx();
    void decoderForgetsDeletedEncoder();

    void wallTileLabel_data();
    void wallTileLabel();
    void wallDropFeedsCellsAndSingleWall();
    void wallDropLeavesWallHoldingEncoder();
    void wallDropLeavesTwoWalls();
    void wallDropRefusedForWindowingLayout();
    void wallNameCaseAndApply();

    void oneKeyReachesEveryTile();
    void treeTilesEmitTheirItem();
    void groupTileFollowsLanguage();

private:
    QString Name(int i) const { return m_dev[i]->GetDisplayName(); }
    QByteArray Id(int i) const { return m_dev[i]->m_strHostId.toUtf8(); }
    // Drops pDev in format onto pTarget, as a drag of this process (or of
    // another program); true when the drop was accepted.
    bool Drop(QWidget *pTarget, CHOIDev *pDev, const QString &format, bool bOwn = true);
    bool DropTx(QWidget *pTarget, int dev) { return Drop(pTarget, m_dev[dev], g_strMimeTxItem); }
    CHOIScene *NewLayout(const QString &name, int rows, int cols, bool bDefault);
    T_VideoWallInfo *AddWall(CHOIScene *pScene, int row, int col, int rows, int cols);
    QString LabelText(QWidget *pTile, const char *pName) const;

    CSimLan m_lan;
    CHOIDevMgr *m_mgr = nullptr;
    CHOIDev *m_dev[DEV_COUNT] = {};
    QWidget m_source;
    T_SeenBoxes m_boxes;
    QTreeWidget *m_pTree = nullptr;
};

void TestTiles::initTestCase()
{
    QVERIFY2(CSimLan::IsTestLan(), "run me with tests/lan/testlan.sh");
    InitConsoleResources();
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    qRegisterMetaType<QTreeWidgetItem *>();
    qRegisterMetaType<QDropEvent *>();
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));

    for (int i = 0; i < DEV_COUNT; ++i)
        QVERIFY(m_lan.AddDevice(CSimLan::HostNameFor(kModels[i], i), kTypes[i]));
    QVERIFY(m_lan.Start());

    m_mgr = new CHOIDevMgr;
    g_pHOIDevMgr = m_mgr;
    m_mgr->SetOnLineTimings(-1, 5000);
    m_mgr->SetSearchRoundInterval(100);
    QVERIFY(m_mgr->LoadProdConfig());
    QSignalSpy stop(m_mgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_mgr->StartSearch(false));
    QVERIFY(stop.wait(60000));
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_dev[i] = m_mgr->FindDevByHostName(CSimLan::HostNameFor(kModels[i], i));
        QVERIFY2(m_dev[i], kModels[i]);
    }
    QCOMPARE(m_dev[MRX1]->GetDevType(), CHOIDev::E_DT_MRX);
    m_boxes.Install();
}

void TestTiles::cleanupTestCase()
{
    SetMessageBoxRunner(MessageBoxRunner());
    g_pHOIDevMgr = nullptr;
    delete m_mgr;
}

void TestTiles::init()
{
    m_boxes.Clear();
    m_lan.ClearReceived();
    for (CHOIDev *pDev : m_dev)
        pDev->SetTXDev(nullptr);
    m_pTree = new QTreeWidget;
}

void TestTiles::cleanup()
{
    delete m_pTree;
    m_pTree = nullptr;
    while (m_mgr->GetSceneCount() > 0)
        m_mgr->DeleteSceneAt(0);
    // Lines that a test left queued must not reach the next one.
    QTest::qWait(200);
    for (CHOIDev *pDev : m_dev) {
        if (CBaseComm *pComm = pDev->GetComm())
            pComm->ClearSendQueue();
    }
}

bool TestTiles::Drop(QWidget *pTarget, CHOIDev *pDev, const QString &format, bool bOwn)
{
    QMimeData *pData = new QMimeData;
    pData->setData(format, WriteDevPayload(pDev));
    bool bAccepted = false;
    // The toolkit hands a drop only to the widget that took the drag's entry.
    auto send = [&](const QMimeData *pRunning) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, pRunning, Qt::LeftButton,
                              Qt::NoModifier);
        enter.setAccepted(false);
        QCoreApplication::sendEvent(pTarget, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, pRunning, Qt::LeftButton,
                        Qt::NoModifier);
        drop.setAccepted(false);
        QCoreApplication::sendEvent(pTarget, &drop);
        bAccepted = drop.isAccepted();
    };
    if (!bOwn) {
        send(pData);
        delete pData;
        return bAccepted;
    }
    QDrag *pDrag = new QDrag(&m_source);
    pDrag->setMimeData(pData);
    SetDragRunner([&](QDrag &drag, Qt::DropActions, Qt::DropAction) {
        send(drag.mimeData());
        return Qt::CopyAction;
    });
    ExecDrag(pDrag);
    SetDragRunner(DragRunner());
    delete pDrag;
    return bAccepted;
}

CHOIScene *TestTiles::NewLayout(const QString &name, int rows, int cols, bool bDefault)
{
    CHOIScene *pScene = m_mgr->CreateScene(name);
    pScene->SetGridSize(rows, cols);
    pScene->SetGroup("Hall");
    pScene->SetDefault(bDefault);
    return pScene;
}

T_VideoWallInfo *TestTiles::AddWall(CHOIScene *pScene, int row, int col, int rows, int cols)
{
    T_VideoWallInfo wall;
    wall.pos_row = row;
    wall.pos_col = col;
    wall.row_count = rows;
    wall.col_count = cols;
    wall.name = QString("VW%1%2").arg(row).arg(col);
    if (!pScene->AddVideoWall(&wall))
        return nullptr;
    return pScene->m_videoWalls.last();
}

QString TestTiles::LabelText(QWidget *pTile, const char *pName) const
{
    // The whole text: a tile that is never shown cuts names to a default width.
    if (QElideLabel *pElided = pTile->findChild<QElideLabel *>(pName))
        return pElided->GetFullText();
    QLabel *pLabel = pTile->findChild<QLabel *>(pName);
    return pLabel ? pLabel->text() : QString("<no %1>").arg(pName);
}

// ---- decoder tile ----

void TestTiles::decoderTileLabels_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<int>("tx");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("rx without tx") << int(RX1) << -1 << "RX:";
    QTest::newRow("rx showing tx") << int(RX1) << int(TX2) << "RX:";
    QTest::newRow("multiview") << int(MRX1) << int(TX1) << "MRX:";
    QTest::newRow("other type keeps form text") << int(TX1) << -1 << "";
}

void TestTiles::decoderTileLabels()
{
    QFETCH(int, dev);
    QFETCH(int, tx);
    QFETCH(QString, prefix);
    if (tx >= 0)
        m_dev[dev]->SetTXDev(m_dev[tx]);
    CFormDevice tile(m_dev[dev]);
    QCOMPARE(LabelText(&tile, "label_Name"), prefix.isEmpty() ? QString("RX:") : prefix + Name(dev));
    QCOMPARE(LabelText(&tile, "label_TX"), tx >= 0 ? "TX:" + Name(tx) : QString("TX:N/A"));
    QCOMPARE(tile.toolTip(), Name(dev));

    // The private layout holds the decoder and its encoder in its one cell.
    CHOIScene *pScene = tile.GetScene();
    QCOMPARE(pScene->GetRowCount() * 10 + pScene->GetColCount(), 11);
    QVERIFY(m_mgr->GetSceneList().isEmpty());
    if (!prefix.isEmpty()) {
        QCOMPARE(pScene->CellAt(0, 0)->rx, m_dev[dev]);
        QCOMPARE(pScene->CellAt(0, 0)->txList,
                 tx >= 0 ? QList<CHOIDev *>() << m_dev[tx] : QList<CHOIDev *>());
    }
}

void TestTiles::decoderDropLinksAndAutoApplies()
{
    CFormDevice tile(m_dev[RX1]);
    tile.slotIsAutoAppy(true);
    QSignalSpy status(tile.GetScene(), &CHOIScene::OnStatusChange);
    QSignalSpy log(m_mgr, &CHOIDevMgr::OnProgressLog);

    QVERIFY(DropTx(&tile, TX1));
    QCOMPARE(m_dev[RX1]->GetTXDev(), m_dev[TX1]);
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + Name(TX1));
    QVERIFY(m_boxes.texts.isEmpty());

    // Only these two devices are re-linked, at once.
    WAIT_REPORTED(tile.GetScene(), status, 1, E_SS_EDIT);
    const Lines rx = m_lan.Commands(RX1);
    QVERIFY2(rx.contains("gbset -vi  1 " + Id(TX1)), rx.join('|').constData());
    QVERIFY(rx.contains("gbparam s 1 ch_select " + Id(TX1)));
    QVERIFY(m_lan.Commands(TX1).contains("gbparam s 1 multicast_on y"));
    for (int other : {TX2, TXQ, RX2, RX3, MRX1})
        QVERIFY(m_lan.Commands(other).isEmpty());
    // The private layout reports to the log like the manager's layouts.
    bool bLogged = false;
    for (const QList<QVariant> &line : qAsConst(log))
        bLogged = bLogged || line.at(0).toString().endsWith(" - Update Cell link ...");
    QVERIFY(bLogged);
}

void TestTiles::decoderWaitsForApplyWithoutAutoApply()
{
    CFormDevice tile(m_dev[RX2]);
    QSignalSpy status(tile.GetScene(), &CHOIScene::OnStatusChange);
    QVERIFY(DropTx(&tile, TX2));
    QCOMPARE(m_dev[RX2]->GetTXDev(), m_dev[TX2]);
    QTest::qWait(300);
    QVERIFY(m_lan.Commands(RX2).isEmpty());
    QVERIFY(m_lan.Commands(TX2).isEmpty());
    QCOMPARE(status.count(), 0);

    // The page's apply-to-all reaches the tile.
    tile.Apply();
    WAIT_REPORTED(tile.GetScene(), status, 1, E_SS_APPLIED);
    QVERIFY(m_lan.Commands(RX2).contains("gbparam s 1 ch_select " + Id(TX2)));
    QVERIFY(m_lan.Commands(TX2).contains("gbparam s 1 multicast_on y"));
}

void TestTiles::decoderDropRefused()
{
    m_dev[RX3]->SetTXDev(m_dev[TX1]);
    CFormDevice tile(m_dev[RX3]);
    tile.slotIsAutoAppy(true);
    QVERIFY(!DropTx(&tile, TXQ));
    QCOMPARE(m_boxes.texts,
             QStringList() << QString("Device ('%1') can't make link with '%2'.").arg(Name(TXQ), Name(RX3)));
    QCOMPARE(m_boxes.icons.first(), QMessageBox::Critical);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(nullptr));
    // Nothing changed, nothing sent.
    QCOMPARE(m_dev[RX3]->GetTXDev(), m_dev[TX1]);
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + Name(TX1));
    QTest::qWait(300);
    QVERIFY(m_lan.Commands(RX3).isEmpty());
}

// A decoder that could show several encoders is told one: a second one
// dropped replaces the first, on the tile and on the device alike.
void TestTiles::decoderDropReplacesEncoder()
{
    m_dev[RXM1]->SetTXDev(m_dev[TX1]);
    CFormDevice tile(m_dev[RXM1]);
    tile.slotIsAutoAppy(true);
    QSignalSpy status(tile.GetScene(), &CHOIScene::OnStatusChange);
    QVERIFY(DropTx(&tile, TX2));
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX2]);
    QCOMPARE(m_dev[RXM1]->GetTXDev(), m_dev[TX2]);
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + Name(TX2));
    WAIT_REPORTED(tile.GetScene(), status, 1, E_SS_EDIT);
    const Lines rx = m_lan.Commands(RXM1);
    QVERIFY2(rx.contains("gbset -vi  1 " + Id(TX2)), rx.join('|').constData());
    QVERIFY(rx.contains("gbparam s 1 ch_select " + Id(TX2)));
}

void TestTiles::decoderIgnoresOtherDrags_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("own");
    QTest::newRow("rx format") << int(RX2) << g_strMimeRxItem << true;
    QTest::newRow("cell format") << int(TX1) << g_strMimeCellItem << true;
    QTest::newRow("another program") << int(TX1) << g_strMimeTxItem << false;
    // A device in the encoder format must not take the decoder's place.
    QTest::newRow("decoder as encoder") << int(RX2) << g_strMimeTxItem << true;
}

void TestTiles::decoderIgnoresOtherDrags()
{
    QFETCH(int, dev);
    QFETCH(QString, format);
    QFETCH(bool, own);
    CFormDevice tile(m_dev[RX4]);
    QVERIFY(!Drop(&tile, m_dev[dev], format, own));
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->rx, m_dev[RX4]);
    QVERIFY(tile.GetScene()->CellAt(0, 0)->txList.isEmpty());
    QCOMPARE(m_dev[RX4]->GetTXDev(), static_cast<CHOIDev *>(nullptr));
    QVERIFY(m_boxes.texts.isEmpty());

    // Drag enter takes only our own encoder drags.
    QMimeData data;
    data.setData(format, WriteDevPayload(m_dev[dev]));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(&tile, &enter);
    QVERIFY(!enter.isAccepted());
}

void TestTiles::decoderMenuChangesAndRemovesTx()
{
    CFormDevice tile(m_dev[RX5]);
    tile.slotIsAutoAppy(true);
    QSignalSpy status(tile.GetScene(), &CHOIScene::OnStatusChange);

    QScopedPointer<QMenu> menu(tile.CreateContextMenu());
    QAction *pChange = FindAction(menu.data(), "Change TX");
    QVERIFY(pChange && pChange->menu());
    QStringList offered;
    const QList<QAction *> entries = pChange->menu()->actions();
    for (QAction *pAction : entries)
        offered << pAction->text();
    // Every encoder of the manager, in its order.
    QStringList encoders;
    for (CHOIDev *pDev : m_mgr->GetDevList()) {
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            encoders << pDev->GetDisplayName();
    }
    QCOMPARE(offered, encoders);
    QCOMPARE(offered.size(), 3);
    QVERIFY(!FindAction(menu.data(), "Remove TX")->isEnabled());

    // A refused encoder: the message is parented to the tile.
    FindAction(pChange->menu(), Name(TXQ))->trigger();
    QCOMPARE(m_boxes.parents, QList<QWidget *>() << &tile);
    QCOMPARE(m_dev[RX5]->GetTXDev(), static_cast<CHOIDev *>(nullptr));

    FindAction(pChange->menu(), Name(TX2))->trigger();
    QCOMPARE(m_dev[RX5]->GetTXDev(), m_dev[TX2]);
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + Name(TX2));
    WAIT_REPORTED(tile.GetScene(), status, 1, E_SS_EDIT);
    QVERIFY(m_lan.Commands(RX5).contains("gbparam s 1 ch_select " + Id(TX2)));

    m_lan.ClearReceived();
    menu.reset(tile.CreateContextMenu());
    QAction *pRemove = FindAction(menu.data(), "Remove TX");
    QVERIFY(pRemove->isEnabled());
    pRemove->trigger();
    QCOMPARE(m_dev[RX5]->GetTXDev(), static_cast<CHOIDev *>(nullptr));
    QVERIFY(tile.GetScene()->CellAt(0, 0)->txList.isEmpty());
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->rx, m_dev[RX5]);
    QCOMPARE(LabelText(&tile, "label_TX"), QString("TX:N/A"));
    // The decoder stops showing anything.
    WAIT_REPORTED(tile.GetScene(), status, 2, E_SS_EDIT);
    QVERIFY(m_lan.Commands(RX5).contains(Event("e_stop_link")));
    QVERIFY(m_lan.Commands(TX2).isEmpty());
}

void TestTiles::decoderForgetsDeletedEncoder()
{
    // A listed encoder that the manager later deletes.
    const QString host = CSimLan::HostNameFor("TXP", 200);
    m_mgr->AddIpcDev("Cam", host, nullptr);
    CHOIDev *pGone = m_mgr->FindDevByHostName(host);
    QVERIFY(pGone);
    CFormDevice tile(m_dev[RX4]);
    QVERIFY(DropTx(&tile, TX1));
    // Applied at once: the private layout waits for the encoder, which never
    // answers, when it is deleted.
    tile.slotIsAutoAppy(true);
    QSignalSpy status(tile.GetScene(), &CHOIScene::OnStatusChange);
    QSignalSpy log(m_mgr, &CHOIDevMgr::OnProgressLog);
    QVERIFY(Drop(&tile, pGone, g_strMimeTxItem));
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->txList, QList<CHOIDev *>() << pGone);
    QVERIFY(tile.GetScene()->IsPendingDev(pGone));

    QVERIFY(m_mgr->RemoveDevice(pGone));
    QTRY_VERIFY(tile.GetScene()->CellAt(0, 0)->txList.isEmpty());
    QCOMPARE(m_dev[RX4]->GetTXDev(), static_cast<CHOIDev *>(nullptr));
    QCOMPARE(LabelText(&tile, "label_TX"), QString("TX:N/A"));
    QCOMPARE(tile.GetScene()->CellAt(0, 0)->rx, m_dev[RX4]);

    // The apply still ends, as failed, and nothing of the deleted encoder
    // is read for the log.
    QTRY_VERIFY_WITH_TIMEOUT(!tile.GetScene()->IsApplying(), 20000);
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.last().at(1).value<E_SceneStatus>(), E_SS_FAILED);
    for (const QList<QVariant> &line : qAsConst(log))
        QVERIFY2(!line.at(0).toString().contains("') fails to be applied."), qPrintable(line.at(0).toString()));
}

// ---- wall tile ----

void TestTiles::wallTileLabel_data()
{
    QTest::addColumn<QList<int>>("sources"); // first TX of each of 3 cells, -1 none
    QTest::addColumn<bool>("bDefault");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same encoder everywhere") << (QList<int>() << TX1 << TX1 << TX1) << true << "TX1";
    QTest::newRow("one cell without") << (QList<int>() << TX1 << -1 << TX1) << true << "N/A";
    QTest::newRow("two encoders") << (QList<int>() << TX1 << TX2 << TX1) << true << "N/A";
    QTest::newRow("not the default") << (QList<int>() << TX1 << TX1 << TX1) << false << "N/A";
}

void TestTiles::wallTileLabel()
{
    QFETCH(QList<int>, sources);
    QFETCH(bool, bDefault);
    QFETCH(QString, expected);
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 3, bDefault);
    for (int c = 0; c < 3; ++c) {
        if (sources.at(c) >= 0)
            pLayout->GetCell(0, c)->txList << m_dev[sources.at(c)];
    }
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "W1");
    CFormVW tile(pItem);
    QCOMPARE(LabelText(&tile, "label_Name"), QString("W1"));
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + (expected == "TX1" ? Name(TX1) : expected));
}

void TestTiles::wallDropFeedsCellsAndSingleWall()
{
    // RX1 alone in (0, 0); RX2 and RX3 form the wall at (0, 1)-(0, 2).
    NewLayout("W1-L0", 1, 3, false);
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 3, true);
    T_VideoWallInfo *pWall = AddWall(pLayout, 0, 1, 1, 2);
    QVERIFY(pWall);
    pLayout->GetCell(0, 0)->rx = m_dev[RX1];
    pLayout->GetCell(0, 1)->rx = m_dev[RX2];
    pLayout->GetCell(0, 2)->rx = m_dev[RX3];
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "W1");
    CFormVW tile(pItem);
    tile.slotIsAutoAppy(true);
    QSignalSpy status(pLayout, &CHOIScene::OnStatusChange);

    QVERIFY(!DropTx(&tile, TX1)); // the drop is not accepted
    QCOMPARE(LabelText(&tile, "label_TX"), "TX:" + Name(TX1));
    for (int c = 0; c < 3; ++c)
        QCOMPARE(pLayout->CellAt(0, c)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QVERIFY(m_mgr->GetScene(0)->CellAt(0, 0)->txList.isEmpty());
    QVERIFY(m_boxes.texts.isEmpty());

    // Auto-apply re-links the changed cell and the wall.
    WAIT_REPORTED(pLayout, status, 1, E_SS_EDIT);
    QVERIFY(m_lan.Commands(RX1).contains("gbparam s 1 ch_select " + Id(TX1)));
    QVERIFY(!m_lan.Commands(RX2).isEmpty());
    QVERIFY(!m_lan.Commands(RX3).isEmpty());
}

void TestTiles::wallDropLeavesWallHoldingEncoder()
{
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 3, true);
    QVERIFY(AddWall(pLayout, 0, 1, 1, 2));
    pLayout->GetCell(0, 0)->rx = m_dev[RX1];
    pLayout->GetCell(0, 1)->rx = m_dev[RX2];
    pLayout->GetCell(0, 2)->rx = m_dev[RX3];
    pLayout->GetCell(0, 1)->txList << m_dev[TX1];
    pLayout->GetCell(0, 2)->txList << m_dev[TX1];
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "W1");
    CFormVW tile(pItem);
    tile.slotIsAutoAppy(true);
    QSignalSpy status(pLayout, &CHOIScene::OnStatusChange);

    DropTx(&tile, TX1);
    QCOMPARE(pLayout->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    // Only the cell outside the wall is re-applied; the wall is not touched.
    WAIT_REPORTED(pLayout, status, 1, E_SS_EDIT);
    QVERIFY(m_lan.Commands(RX1).contains("gbparam s 1 ch_select " + Id(TX1)));
    QVERIFY(m_lan.Commands(RX2).isEmpty());
    QVERIFY(m_lan.Commands(RX3).isEmpty());
}

void TestTiles::wallDropLeavesTwoWalls()
{
    CHOIScene *pLayout = NewLayout("W1-L1", 2, 3, true);
    QVERIFY(AddWall(pLayout, 0, 1, 1, 2));
    QVERIFY(AddWall(pLayout, 1, 1, 1, 2));
    for (int r = 0; r < 2; ++r) {
        for (int c = 1; c < 3; ++c)
            pLayout->GetCell(r, c)->txList << m_dev[TX2];
    }
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "W1");
    CFormVW tile(pItem);
    DropTx(&tile, TX1);
    for (int r = 0; r < 2; ++r) {
        QCOMPARE(pLayout->CellAt(r, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
        for (int c = 1; c < 3; ++c)
            QCOMPARE(pLayout->CellAt(r, c)->txList, QList<CHOIDev *>() << m_dev[TX2]);
    }
    // Without auto-apply nothing reaches the devices.
    QTest::qWait(300);
    QVERIFY(m_lan.Commands(TX1).isEmpty());
}

void TestTiles::wallDropRefusedForWindowingLayout()
{
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 2, true);
    pLayout->SetWindowLayout(true);
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "W1");
    CFormVW tile(pItem);
    tile.slotIsAutoAppy(true);
    DropTx(&tile, TX1);
    QCOMPARE(m_boxes.texts, QStringList() << "The default layout is not a Standard Video Wall");
    QCOMPARE(m_boxes.icons.first(), QMessageBox::Information);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(&tile));
    QCOMPARE(LabelText(&tile, "label_TX"), QString("TX:N/A"));
    QVERIFY(pLayout->CellAt(0, 0)->txList.isEmpty());

    // A wall without any default layout says the same.
    m_boxes.Clear();
    pLayout->SetDefault(false);
    DropTx(&tile, TX1);
    QCOMPARE(m_boxes.texts, QStringList() << "The default layout is not a Standard Video Wall");
}

void TestTiles::wallNameCaseAndApply()
{
    // The tile's label matches the wall name exactly, its drop and apply do not.
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 1, true);
    pLayout->GetCell(0, 0)->txList << m_dev[TX1];
    pLayout->GetCell(0, 0)->rx = m_dev[RX1];
    QTreeWidgetItem *pItem = new QTreeWidgetItem(m_pTree, QStringList() << "w1");
    CFormVW tile(pItem);
    QCOMPARE(LabelText(&tile, "label_TX"), QString("TX:N/A"));

    DropTx(&tile, TX2);
    QCOMPARE(pLayout->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX2]);
    QVERIFY(m_boxes.texts.isEmpty());

    QSignalSpy status(m_mgr, &CHOIDevMgr::OnSceneStatusChange);
    QSignalSpy log(m_mgr, &CHOIDevMgr::OnProgressLog);
    tile.Apply();
    WAIT_REPORTED(pLayout, status, 1, E_SS_APPLIED);
    // The whole layout, not single cells.
    QVERIFY(log.first().first().toString().endsWith(" - Apply scene ..."));
    QVERIFY(m_lan.Commands(RX1).contains("gbparam s 1 ch_select " + Id(TX2)));
}

// ---- all screens, tree items ----

void TestTiles::oneKeyReachesEveryTile()
{
    // The group page as the main window builds it.
    CHOIScene *pLayout = NewLayout("W1-L1", 1, 2, true);
    pLayout->GetCell(0, 0)->rx = m_dev[RX1];
    pLayout->GetCell(0, 1)->rx = m_dev[RX3];
    QTreeWidgetItem *pGroup = new QTreeWidgetItem(m_pTree, QStringList() << "Hall");
    QTreeWidgetItem *pWallItem = new QTreeWidgetItem(pGroup, QStringList() << "W1");
    CFormOneKey oneKey(pGroup);
    CFormDevice rx2(m_dev[RX2]);
    CFormDevice mrx(m_dev[MRX1]);
    CFormVW wall(pWallItem);
    for (CFormDevice *pTile : {&rx2, &mrx})
        connect(&oneKey, &CFormOneKey::signalDropEventForOneKey, pTile, &CFormDevice::slotOneKey);
    connect(&oneKey, &CFormOneKey::signalDropEventForOneKey, &wall, &CFormVW::slotOneKey);
    QCOMPARE(LabelText(&oneKey, "label"), QString("To all screens"));
    QVERIFY(oneKey.acceptDrops());

    QSignalSpy forwarded(&oneKey, &CFormOneKey::signalDropEventForOneKey);
    DropTx(&oneKey, TX1);
    QCOMPARE(forwarded.count(), 1);
    QCOMPARE(m_dev[RX2]->GetTXDev(), m_dev[TX1]);
    QCOMPARE(m_dev[MRX1]->GetTXDev(), m_dev[TX1]);
    for (int c = 0; c < 2; ++c)
        QCOMPARE(pLayout->CellAt(0, c)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(LabelText(&wall, "label_TX"), "TX:" + Name(TX1));

    // Each refusing decoder tile says so once; the wall refuses silently.
    DropTx(&oneKey, TXQ);
    QCOMPARE(m_boxes.texts, QStringList()
                                << QString("Device ('%1') can't make link with '%2'.").arg(Name(TXQ), Name(RX2))
                                << QString("Device ('%1') can't make link with '%2'.").arg(Name(TXQ), Name(MRX1)));
    QCOMPARE(m_dev[RX2]->GetTXDev(), m_dev[TX1]);
    QCOMPARE(pLayout->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    // Every cell refused it: the wall tile still names the encoder they took.
    QCOMPARE(LabelText(&wall, "label_TX"), "TX:" + Name(TX1));

    // Other formats are not forwarded.
    Drop(&oneKey, m_dev[RX3], g_strMimeRxItem);
    QCOMPARE(forwarded.count(), 2);
}

void TestTiles::treeTilesEmitTheirItem()
{
    QTreeWidgetItem *pGroup = new QTreeWidgetItem(m_pTree, QStringList() << "Hall");
    QTreeWidgetItem *pWallItem = new QTreeWidgetItem(pGroup, QStringList() << "W1");
    CFormAll groupTile(pGroup);
    CFormVW wallTile(pWallItem);
    CFormDevice devTile(m_dev[RX1]);
    QCOMPARE(LabelText(&groupTile, "label_Name"), QString("Hall"));

    QSignalSpy groupClicks(&groupTile, &CFormAll::signalDoubleClick);
    QSignalSpy wallClicks(&wallTile, &CFormVW::signalDoubleClick);
    QSignalSpy devClicks(&devTile, &CFormDevice::signalDoubleClick);
    QTest::mouseDClick(&groupTile, Qt::LeftButton);
    QTest::mouseDClick(&wallTile, Qt::LeftButton);
    QTest::mouseDClick(&devTile, Qt::LeftButton);
    QCOMPARE(groupClicks.count(), 1);
    QCOMPARE(groupClicks.first().first().value<QTreeWidgetItem *>(), pGroup);
    QCOMPARE(wallClicks.count(), 1);
    QCOMPARE(wallClicks.first().first().value<QTreeWidgetItem *>(), pWallItem);
    QCOMPARE(devClicks.count(), 1);
    QCOMPARE(devClicks.first().first().value<CHOIDev *>(), m_dev[RX1]);

    // The tree rebuilt its items: the tiles no longer hand out the old ones.
    m_pTree->clear();
    QCOMPARE(groupTile.GetItem(), static_cast<QTreeWidgetItem *>(nullptr));
    QCOMPARE(wallTile.GetItem(), static_cast<QTreeWidgetItem *>(nullptr));
    QTest::mouseDClick(&groupTile, Qt::LeftButton);
    QTest::mouseDClick(&wallTile, Qt::LeftButton);
    QCOMPARE(groupClicks.count(), 1);
    QCOMPARE(wallClicks.count(), 1);
    DropTx(&wallTile, TX1);
    wallTile.Apply();
    QVERIFY(m_boxes.texts.isEmpty());
}

// The pseudo-group's tile reads in the interface language, also after a
// switch; its tree row keeps the stored name.
void TestTiles::groupTileFollowsLanguage()
{
    QTreeWidgetItem *pGroup = new QTreeWidgetItem(m_pTree, QStringList() << g_strUngrouped);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("zh_CN.qm"), qEnvironmentVariable("HOI_BIN_DIR")));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    CFormAll groupTile(pGroup);
    QCOMPARE(LabelText(&groupTile, "label_Name"), QStringLiteral("未分组"));
    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(LabelText(&groupTile, "label_Name"), g_strUngrouped);
    QCOMPARE(pGroup->text(0), g_strUngrouped);
}

QTEST_MAIN(TestTiles)
#include "tst_tiles.moc"
