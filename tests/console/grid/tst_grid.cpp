// The layout grid editor over simulated devices in a private test LAN: the
// drop rules in their order with their messages, cell exchange, combining
// and splitting walls, RX placement across the layouts of one wall, the
// context menu's enable rules, auto-apply reaching the devices, and the
// video wall properties dialog (name checks, per-screen adjustments).
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QGraphicsSceneDragDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "consoletestsupport.h"
#include "control/devfiltergroupbox.h"
#include "control/dlgirctrl.h"
#include "control/dlgserialmsg.h"
#include "dialogs/dlgvideovallprop.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/gpcellitem.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/tablegraphicsview.h"
#include "simlan.h"

namespace {

// TXP feeds RXP, RXW and RXA, also in walls; TXQ feeds nothing. RXW can
// window and be a wall within a wall; RXA takes the advanced adjustments.
const char kConfig[] = R"(<?xml version="1.0"?>
<hoiprod ir_enable="true" rs232_enable="true" cec_enable="false">
 <product id="TXP" name="Enc" type="tx" param_prefix="gb" video_wall="RXP|RXW|RXA" vw_multi_tx="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="TXQ" name="Other" type="tx" param_prefix="gb" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXP" name="Dec" type="rx" param_prefix="gb" tx="TXP" video_wall="TXP" ir_enable="true" rs232_enable="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXW" name="Win" type="rx" param_prefix="gb" tx="TXP" video_wall="TXP" window_enable="true" viv_enable="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXA" name="Adv" type="rx" param_prefix="gb" tx="TXP" video_wall="TXP" vw_advance="true" wall_set="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="MRX" name="Multi" type="mrx" param_prefix="gb"/>
 <product id="WPX" name="Proc" type="wp" param_prefix="gb"/>
</hoiprod>
)";

enum { TX1, TX2, TXQ, RX1, RX2, RX3, RX4, RXW, RXA1, RXA2, MRX1, WP1, DEV_COUNT };
const char *const kModels[DEV_COUNT] = {"TXP", "TXP", "TXQ", "RXP", "RXP", "RXP",
                                        "RXP", "RXW", "RXA", "RXA", "MRX", "WPX"};
const char *const kTypes[DEV_COUNT] = {"TX", "TX", "TX", "RX", "RX", "RX",
                                       "RX", "RX", "RX", "RX", "MRX", "WP"};

typedef QList<QByteArray> Lines;

QByteArray Event(const QString &event)
{
    return QString("e 1 %1").arg(event).toUtf8();
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void rxDropReachesEveryLayoutOfWall();
    void dropRefusals_data();
    void dropRefusals();
    void txDropInVideoWallModeDoesNothing();
    void txDropFeedsWholeWallOrRow();
    void foreignDragsRefused();
    void cellDropExchangesRx();
    void autoApplySendsToDevices();
    void combineBoundingBoxAndSplit();
    void combineRefusedAndCancelled();
    void mouseSelectionAndCellDrag();
    void changeRxMenuAndSlot();
    void changeTxOverCellsAndWall();
    void editDroppedWhenLayoutSwitchesUnderBox();
    void removeRxLeavesEveryLayout();
    void deviceDialogsOpenForFirstSelectedCell();
    void longProcessorNameWholeInTip();

    void wallDialogNameChecks();
    void wallDialogNameFilter();
    void wallDialogAdjustmentReachesDevice();
    void wallDialogOkStoresShownAdjustments();

private:
    CHOIScene *NewLayout(const QString &name, int rows, int cols);
    CHOIScene *NewWall(const QString &name, int rows, int cols);
    void Show(CHOIScene *pScene, bool bVWMode = false);
    bool Drop(int row, int col, const QString &format, const QByteArray &payload, bool bOwn = true,
              QEvent::Type type = QEvent::GraphicsSceneDrop);
    bool DropDev(int row, int col, int dev);
    void Select(const QList<QPoint> &cells);
    QString Name(int i) const { return m_dev[i]->GetDisplayName(); }
    QString Id(int i) const { return m_dev[i]->m_strHostId; }
    QAction *FindAction(QMenu *pMenu, const QString &text) const;
    T_VideoWallInfo *AddWall(CHOIScene *pScene, int row, int col, int rows, int cols,
                             const QString &name, int mode = 0);

    CSimLan m_lan;
    CHOIDevMgr *m_mgr = nullptr;
    CHOIDev *m_dev[DEV_COUNT] = {};
    CTableGraphicsView *m_view = nullptr;
    QWidget m_source;
    T_SeenBoxes m_boxes{QMessageBox::Yes};
};

void TestGrid::initTestCase()
{
    QVERIFY2(CSimLan::IsTestLan(), "run me with tests/lan/testlan.sh");
    InitConsoleResources();
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
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
    QVERIFY(stop.wait(30000));
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_dev[i] = m_mgr->FindDevByHostName(CSimLan::HostNameFor(kModels[i], i));
        QVERIFY2(m_dev[i], kModels[i]);
    }
    QCOMPARE(m_dev[MRX1]->GetDevType(), CHOIDev::E_DT_MRX);
    QCOMPARE(m_dev[WP1]->GetDevType(), CHOIDev::E_DT_WP);
    m_boxes.Install();
}

void TestGrid::cleanupTestCase()
{
    SetMessageBoxRunner(MessageBoxRunner());
    CDlgIrCtrl::DestroyDlg();
    CDlgSerialMsg::DestroyDlg();
    g_pHOIDevMgr = nullptr;
    delete m_mgr;
}

void TestGrid::init()
{
    m_boxes.Clear();
    m_lan.ClearReceived();
    m_view = new CTableGraphicsView;
    m_view->resize(900, 600);
}

void TestGrid::cleanup()
{
    delete m_view;
    m_view = nullptr;
    while (m_mgr->GetSceneCount() > 0)
        m_mgr->DeleteSceneAt(0);
    while (m_mgr->GetVideoWallCount() > 0) {
        CHOIScene *pWall = m_mgr->GetVideoWall(0);
        m_mgr->RemoveVideoWall(pWall);
    }
    for (CHOIDev *pDev : m_dev)
        pDev->SetVideoWall(nullptr);
    // Lines that a test left queued must not reach the next one.
    QTest::qWait(200);
    for (CHOIDev *pDev : m_dev) {
        if (CBaseComm *pComm = pDev->GetComm())
            pComm->ClearSendQueue();
    }
}

CHOIScene *TestGrid::NewLayout(const QString &name, int rows, int cols)
{
    CHOIScene *pScene = m_mgr->CreateScene(name);
    pScene->SetGridSize(rows, cols);
    pScene->SetGroup("Hall");
    return pScene;
}

CHOIScene *TestGrid::NewWall(const QString &name, int rows, int cols)
{
    CHOIScene *pWall = m_mgr->GetOrCreateVideoWall(name);
    pWall->SetGridSize(rows, cols);
    return pWall;
}

void TestGrid::Show(CHOIScene *pScene, bool bVWMode)
{
    m_view->SetVWMode(bVWMode);
    m_view->SetCurScene(pScene);
}

bool TestGrid::Drop(int row, int col, const QString &format, const QByteArray &payload, bool bOwn,
                    QEvent::Type type)
{
    CGpCellItem *pItem = m_view->CellItem(row, col);
    if (!pItem)
        return false;
    QMimeData data;
    data.setData(format, payload);
    QGraphicsSceneDragDropEvent event(type);
    event.setMimeData(&data);
    event.setSource(bOwn ? &m_source : nullptr);
    event.setPossibleActions(Qt::CopyAction | Qt::MoveAction);
    event.setProposedAction(Qt::CopyAction);
    event.setAccepted(false);
    m_view->scene()->sendEvent(pItem, &event);
    return event.isAccepted();
}

bool TestGrid::DropDev(int row, int col, int dev)
{
    const QString format =
        m_dev[dev]->GetDevType() == CHOIDev::E_DT_TX ? g_strMimeTxItem : g_strMimeRxItem;
    return Drop(row, col, format, WriteDevPayload(m_dev[dev]));
}

void TestGrid::Select(const QList<QPoint> &cells)
{
    m_view->scene()->clearSelection();
    for (const QPoint &cell : cells)
        m_view->CellItem(cell.x(), cell.y())->setSelected(true);
}

QAction *TestGrid::FindAction(QMenu *pMenu, const QString &text) const
{
    const QList<QAction *> actions = pMenu->actions();
    for (QAction *pAction : actions) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

T_VideoWallInfo *TestGrid::AddWall(CHOIScene *pScene, int row, int col, int rows, int cols,
                                   const QString &name, int mode)
{
    T_VideoWallInfo wall;
    wall.pos_row = row;
    wall.pos_col = col;
    wall.row_count = rows;
    wall.col_count = cols;
    wall.name = name;
    wall.mode = mode;
    if (!pScene->AddVideoWall(&wall))
        return nullptr;
    return pScene->m_videoWalls.last();
}

// ---- drops ----

void TestGrid::rxDropReachesEveryLayoutOfWall()
{
    CHOIScene *pWall = NewWall("W1", 2, 2);
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 2);
    CHOIScene *pL2 = NewLayout("W1-L2", 2, 2);
    CHOIScene *pOther = NewLayout("W2-L1", 2, 2);
    pL1->GetCell(0, 1)->txList << m_dev[TX1];
    Show(pL1);
    QSignalSpy changed(m_mgr, &CHOIDevMgr::signalDevChangeForList);
    QSignalSpy current(m_mgr, &CHOIDevMgr::SignalCurrentDev);

    QVERIFY(DropDev(0, 1, RX1));
    QCOMPARE(m_boxes.texts, QStringList());
    for (CHOIScene *pScene : {pWall, pL1, pL2})
        QCOMPARE(pScene->CellAt(0, 1)->rx, m_dev[RX1]);
    QCOMPARE(pOther->CellAt(0, 1)->rx, static_cast<CHOIDev *>(nullptr));
    QCOMPARE(pL1->CellAt(0, 1)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(m_dev[RX1]->GetVideoWall(), pWall);
    QCOMPARE(m_dev[RX1]->GetGroup(), QString("Hall"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<CHOIDev *>(), m_dev[RX1]);
    QCOMPARE(current.count(), 1);
    QVERIFY(!m_view->CellItem(0, 1)->IsDropTarget());

    // A second RX replaces the first, which leaves its wall.
    QVERIFY(DropDev(0, 1, RX2));
    for (CHOIScene *pScene : {pWall, pL1, pL2})
        QCOMPARE(pScene->CellAt(0, 1)->rx, m_dev[RX2]);
    QCOMPARE(m_dev[RX1]->GetVideoWall(), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(changed.count(), 3); // the released RX1, then RX2
    QCOMPARE(changed.at(1).at(0).value<CHOIDev *>(), m_dev[RX1]);
    QCOMPARE(changed.at(2).at(0).value<CHOIDev *>(), m_dev[RX2]);
    QCOMPARE(m_lan.Commands(RX1), Lines()); // no auto-apply: nothing sent
}

void TestGrid::dropRefusals_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("dev");
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QString>("message");

    // setup 0: plain W1-L1 with RX1 at (1,1) and W2-L1 with RX2 at (0,0)
    QTest::newRow("rx already here, own cell") << 0 << int(RX1) << QPoint(1, 1)
                                               << "RX device ('%1') exists in the current videw wall.";
    QTest::newRow("rx already here") << 0 << int(RX1) << QPoint(0, 0)
                                     << "RX device ('%1') exists in the current videw wall.";
    QTest::newRow("rx of another wall") << 0 << int(RX2) << QPoint(0, 0)
                                        << "RX ('%1') exists in the Video Wall ('W2'),Please remove it first.";
    QTest::newRow("multiview decoder") << 0 << int(MRX1) << QPoint(0, 0)
                                       << "Device('%1') does not support video wall function.";
    QTest::newRow("link refused by the layout") << 0 << int(TXQ) << QPoint(1, 1)
                                                << "Device ('%1') can't make link with 'RX1'.";
    // setup 1: a windowing layout W1-L2 beside W1-L1
    QTest::newRow("sibling windowing layout") << 1 << int(RX3) << QPoint(0, 0)
        << "The current video wall is existing a PiP/Windowing Decoders,RX ('%1') can not be windowed.";
    // setup 2: a wall-within-a-wall layout W1-L2 beside W1-L1
    QTest::newRow("sibling viv layout") << 2 << int(RX3) << QPoint(0, 0)
        << "The current video wall is existing a Video Wall within a Wall layout,RX ('%1') can not be windowed.";
    // setup 3: W1-L1 itself is a windowing layout
    QTest::newRow("windowing layout, rx") << 3 << int(RX3) << QPoint(0, 0)
                                          << "RX ('%1') can not be windowed.";
    QTest::newRow("windowing layout, tx") << 3 << int(TX1) << QPoint(0, 0)
                                          << "The current layout is windowe layout,TX device not allowed.";
    // setup 4: W1-L1 itself is a wall-within-a-wall layout
    QTest::newRow("viv layout, rx") << 4 << int(RX3) << QPoint(0, 0)
                                    << "RX ('%1') can not be Video Wall within a Wall.";
    QTest::newRow("viv layout, tx") << 4 << int(TX1) << QPoint(0, 0)
                                    << "The current layout is Video Wall within a Wall,TX device not allowed.";
}

void TestGrid::dropRefusals()
{
    QFETCH(int, setup);
    QFETCH(int, dev);
    QFETCH(QPoint, target);
    QFETCH(QString, message);

    CHOIScene *pL1 = NewLayout("W1-L1", 2, 2);
    CHOIScene *pW2 = NewLayout("W2-L1", 2, 2);
    pL1->GetCell(1, 1)->rx = m_dev[RX1];
    pW2->GetCell(0, 0)->rx = m_dev[RX2];
    if (setup == 1 || setup == 2) {
        CHOIScene *pL2 = NewLayout("W1-L2", 2, 2);
        pL2->SetWindowLayout(setup == 1);
        pL2->SetVivLayout(setup == 2);
    }
    pL1->SetWindowLayout(setup == 3);
    pL1->SetVivLayout(setup == 4);
    m_dev[RX1]->SetName("RX1");
    Show(pL1);
    QSignalSpy changed(m_mgr, &CHOIDevMgr::signalDevChangeForList);
    QSignalSpy current(m_mgr, &CHOIDevMgr::SignalCurrentDev);

    QVERIFY(DropDev(target.x(), target.y(), dev));
    QCOMPARE(m_boxes.texts, QStringList() << QString(message).arg(Name(dev)));
    QCOMPARE(m_boxes.icons.first(), QMessageBox::Critical);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(nullptr));
    // Nothing changed.
    QCOMPARE(pL1->CellAt(0, 0)->rx, static_cast<CHOIDev *>(nullptr));
    QVERIFY(pL1->CellAt(0, 0)->txList.isEmpty());
    QVERIFY(pL1->CellAt(1, 1)->txList.isEmpty());
    QCOMPARE(pL1->CellAt(1, 1)->rx, m_dev[RX1]);
    QCOMPARE(pW2->CellAt(0, 0)->rx, m_dev[RX2]);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(current.count(), 0);
    m_dev[RX1]->SetName(QString());
}

void TestGrid::txDropInVideoWallModeDoesNothing()
{
    CHOIScene *pWall = NewWall("W1", 1, 2);
    Show(pWall, true);
    QSignalSpy current(m_mgr, &CHOIDevMgr::SignalCurrentDev);
    QVERIFY(DropDev(0, 0, TX1));
    QVERIFY(pWall->CellAt(0, 0)->txList.isEmpty());
    QCOMPARE(m_boxes.texts, QStringList());
    QCOMPARE(current.count(), 0);

    // An RX is placed as in a layout.
    QVERIFY(DropDev(0, 1, RX3));
    QCOMPARE(pWall->CellAt(0, 1)->rx, m_dev[RX3]);
    QCOMPARE(m_dev[RX3]->GetVideoWall(), pWall);
}

void TestGrid::txDropFeedsWholeWallOrRow()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 3);
    T_VideoWallInfo *pWhole = AddWall(pL1, 0, 0, 2, 2, "A", 0);
    T_VideoWallInfo *pRows = AddWall(pL1, 0, 2, 2, 1, "B", 1);
    QVERIFY(pWhole && pRows);
    Show(pL1);

    // Held over a wall cell, the TX marks its whole wall.
    QVERIFY(Drop(1, 1, g_strMimeTxItem, WriteDevPayload(m_dev[TX1]), true,
                 QEvent::GraphicsSceneDragEnter));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c)
            QCOMPARE(m_view->CellItem(r, c)->IsDropTarget(), c < 2);
    }

    QVERIFY(DropDev(1, 1, TX1));
    QCOMPARE(m_boxes.texts, QStringList());
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(pL1->CellAt(r, c)->txList, QList<CHOIDev *>() << m_dev[TX1]);
            QVERIFY(!m_view->CellItem(r, c)->IsDropTarget());
        }
    }
    // Mode 1: only the wall row of the target cell.
    QVERIFY(DropDev(1, 2, TX2));
    QCOMPARE(pL1->CellAt(1, 2)->txList, QList<CHOIDev *>() << m_dev[TX2]);
    QVERIFY(pL1->CellAt(0, 2)->txList.isEmpty());

    // A TX already feeding a wall of the layout is refused.
    QVERIFY(DropDev(0, 2, TX1));
    QCOMPARE(m_boxes.texts,
             QStringList() << QString("TX device ('%1') exists in the current video wall.").arg(Name(TX1)));
    QVERIFY(pL1->CellAt(0, 2)->txList.isEmpty());
}

void TestGrid::foreignDragsRefused()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    Show(pL1);
    // Another program's drag with our format, and an unknown format of ours.
    QVERIFY(!Drop(0, 0, g_strMimeRxItem, WriteDevPayload(m_dev[RX1]), false,
                  QEvent::GraphicsSceneDragEnter));
    QVERIFY(!Drop(0, 0, g_strMimeRxItem, WriteDevPayload(m_dev[RX1]), false));
    QVERIFY(!Drop(0, 0, "text/plain", "RX1"));
    QCOMPARE(pL1->CellAt(0, 0)->rx, static_cast<CHOIDev *>(nullptr));
    QVERIFY(!m_view->CellItem(0, 0)->IsDropTarget());
    // A payload naming something that is no device of the manager.
    int notADevice = 0;
    QVERIFY(Drop(0, 0, g_strMimeRxItem, WriteCellPayload(&notADevice, 98, 112)));
    QCOMPARE(pL1->CellAt(0, 0)->rx, static_cast<CHOIDev *>(nullptr));
    QCOMPARE(m_boxes.texts, QStringList());
}

void TestGrid::cellDropExchangesRx()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 3);
    pL1->GetCell(0, 0)->txList << m_dev[TX1];
    pL1->GetCell(0, 0)->rx = m_dev[RX1];
    pL1->GetCell(0, 1)->txList << m_dev[TX2];
    pL1->GetCell(0, 1)->rx = m_dev[RX2];
    pL1->GetCell(0, 2)->txList << m_dev[TXQ];
    Show(pL1);
    CGpCellItem *pSource = m_view->CellItem(0, 0);

    // On itself: nothing.
    QVERIFY(Drop(0, 0, g_strMimeCellItem, WriteCellPayload(pSource, 0, 0)));
    QCOMPARE(pL1->CellAt(0, 0)->rx, m_dev[RX1]);

    QVERIFY(Drop(0, 1, g_strMimeCellItem, WriteCellPayload(pSource, 0, 0)));
    QCOMPARE(pL1->CellAt(0, 0)->rx, m_dev[RX2]);
    QCOMPARE(pL1->CellAt(0, 1)->rx, m_dev[RX1]);
    QCOMPARE(pL1->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(pL1->CellAt(0, 1)->txList, QList<CHOIDev *>() << m_dev[TX2]);

    // The layout's check refuses an RX that cannot show the target's TX.
    QVERIFY(Drop(0, 2, g_strMimeCellItem, WriteCellPayload(pSource, 0, 0)));
    QCOMPARE(m_boxes.texts.size(), 1);
    QCOMPARE(m_boxes.texts.first(),
             QString("Device ('%1') can't make link with '%2'.").arg(Name(TXQ), Name(RX2)));
    QCOMPARE(pL1->CellAt(0, 0)->rx, m_dev[RX2]);

    // A cell of another grid is no cell of this one.
    CTableGraphicsView other;
    other.SetCurScene(pL1);
    QVERIFY(Drop(0, 1, g_strMimeCellItem, WriteCellPayload(other.CellItem(0, 0), 0, 0)));
    QCOMPARE(pL1->CellAt(0, 0)->rx, m_dev[RX2]);
    QCOMPARE(pL1->CellAt(0, 1)->rx, m_dev[RX1]);
}

void TestGrid::autoApplySendsToDevices()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    pL1->GetCell(0, 0)->txList << m_dev[TX1];
    pL1->GetCell(0, 0)->rx = m_dev[RX1];
    pL1->GetCell(0, 1)->txList << m_dev[TX2];
    pL1->SetAutoApply(true);
    Show(pL1);
    QSignalSpy status(m_mgr, &CHOIDevMgr::OnSceneStatusChange);

    // RX3 takes RX1's place: RX1 stops, RX3 gets the link of the cell.
    QVERIFY(DropDev(0, 0, RX3));
    QCOMPARE(pL1->CellAt(0, 0)->rx, m_dev[RX3]);
    QTRY_VERIFY_WITH_TIMEOUT(m_lan.Commands(RX1).contains(Event("e_stop_link")), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_EDIT);
    const Lines rx3 = m_lan.Commands(RX3);
    QVERIFY2(rx3.contains("gbset -vi  1 " + Id(TX1).toUtf8()), rx3.join('|').constData());
    QVERIFY(rx3.contains("gbparam s 1 ch_select " + Id(TX1).toUtf8()));
    QVERIFY(m_lan.Commands(TX1).contains("gbparam s 1 multicast_on y"));

    // A cell exchange sends both cells: RX3 now shows TX2.
    m_lan.ClearReceived();
    QVERIFY(Drop(0, 1, g_strMimeCellItem, WriteCellPayload(m_view->CellItem(0, 0), 0, 0)));
    QCOMPARE(pL1->CellAt(0, 1)->rx, m_dev[RX3]);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(m_lan.Commands(RX3).contains("gbparam s 1 ch_select " + Id(TX2).toUtf8()),
                             20000);
}

// ---- combining and splitting ----

void TestGrid::combineBoundingBoxAndSplit()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 4);
    pL1->GetCell(0, 0)->txList << m_dev[TX1];
    pL1->GetCell(0, 0)->rx = m_dev[RX1];
    pL1->GetCell(1, 2)->rx = m_dev[RX2];
    Show(pL1);
    Select({QPoint(0, 0), QPoint(1, 2)});
    QVERIFY(m_view->DoCombineCell(true));

    OnModal<CDlgVideoVallProp>([](CDlgVideoVallProp *pDlg) {
        // A new wall: no adjustments yet.
        QTabWidget *pTabs = pDlg->findChild<QTabWidget *>("tabWidget");
        QVERIFY(!pTabs->isTabEnabled(1));
        QCOMPARE(pDlg->findChild<QLineEdit *>("edtName")->text(), QString());
        pDlg->findChild<QLineEdit *>("edtName")->setText("Front");
        pDlg->findChild<QSpinBox *>("sbOW")->setValue(1920);
        pDlg->findChild<QPushButton *>("btnOk")->click();
    });
    QVERIFY(m_view->DoCombineCell(false));
    QCOMPARE(pL1->m_videoWalls.size(), 1);
    const T_VideoWallInfo *pWall = pL1->m_videoWalls.first();
    QCOMPARE(pWall->name, QString("Front"));
    QCOMPARE(QList<int>() << pWall->pos_row << pWall->pos_col << pWall->row_count << pWall->col_count
                          << pWall->mode << pWall->ow,
             QList<int>() << 0 << 0 << 2 << 3 << 0 << 1920);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(pL1->CellAt(r, c)->wall, c < 3 ? pWall : nullptr);
            // One TX for the whole wall.
            QCOMPARE(pL1->CellAt(r, c)->txList.value(0), c < 3 ? m_dev[TX1] : nullptr);
        }
    }

    // A second wall, then a split over cells of both removes both.
    Select({QPoint(0, 3), QPoint(1, 3)});
    OnModal<CDlgVideoVallProp>([](CDlgVideoVallProp *pDlg) {
        pDlg->findChild<QLineEdit *>("edtName")->setText("Side");
        pDlg->accept();
    });
    QVERIFY(m_view->DoCombineCell(false));
    QCOMPARE(pL1->m_videoWalls.size(), 2);
    Select({QPoint(1, 1), QPoint(0, 3)});
    QVERIFY(m_view->DoUncombineCell(true));
    QVERIFY(m_view->DoUncombineCell(false));
    QVERIFY(pL1->m_videoWalls.isEmpty());
    for (const T_SceneCell *pCell : qAsConst(pL1->m_cells))
        QCOMPARE(pCell->wall, static_cast<T_VideoWallInfo *>(nullptr));
    QCOMPARE(pL1->CellAt(1, 2)->rx, m_dev[RX2]);
    Select({QPoint(0, 0)});
    QVERIFY(!m_view->DoUncombineCell(true));
    QCOMPARE(m_boxes.texts, QStringList());
    QCOMPARE(m_lan.Commands(RX1), Lines()); // no auto-apply
}

void TestGrid::combineRefusedAndCancelled()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 2);
    Show(pL1);
    Select({QPoint(1, 1)});
    QVERIFY(!m_view->DoCombineCell(true));
    QVERIFY(!m_view->DoCombineCell(false));
    QCOMPARE(m_boxes.texts, QStringList() << "The video wall fails to be created.");
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(m_view));

    // Cancelling the dialog leaves the layout as it was.
    m_boxes.Clear();
    Select({QPoint(0, 0), QPoint(0, 1)});
    OnModal<CDlgVideoVallProp>([](CDlgVideoVallProp *pDlg) {
        pDlg->findChild<QLineEdit *>("edtName")->setText("X");
        pDlg->findChild<QPushButton *>("btnClose")->click();
    });
    QVERIFY(!m_view->DoCombineCell(false));
    QVERIFY(pL1->m_videoWalls.isEmpty());
    QCOMPARE(pL1->CellAt(0, 0)->wall, static_cast<T_VideoWallInfo *>(nullptr));

    // A windowing processor may drive a single screen.
    CHOIScene *pWP = NewLayout("W1-P", 2, 2);
    pWP->SetWPLayout(true);
    Show(pWP);
    Select({QPoint(1, 1)});
    QVERIFY(m_view->DoCombineCell(true));
    OnModal<CDlgVideoVallProp>([](CDlgVideoVallProp *pDlg) {
        pDlg->findChild<QLineEdit *>("edtName")->setText("One");
        pDlg->accept();
    });
    QVERIFY(m_view->DoCombineCell(false));
    QCOMPARE(pWP->m_videoWalls.size(), 1);
    QCOMPARE(pWP->CellAt(1, 1)->wall, pWP->m_videoWalls.first());
    QCOMPARE(m_boxes.texts, QStringList());
}

// ---- mouse and keys ----

void TestGrid::mouseSelectionAndCellDrag()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 3);
    pL1->GetCell(0, 1)->txList << m_dev[TX1];
    pL1->GetCell(1, 2)->rx = m_dev[RX1];
    Show(pL1);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QCOMPARE(m_view->CellItem(1, 2)->pos(), QPointF(404, 120));
    QWidget *pViewport = m_view->viewport();
    auto centre = [this](int row, int col) {
        return m_view->mapFromScene(m_view->CellItem(row, col)->sceneBoundingRect().center());
    };
    auto selected = [this]() {
        QList<QPoint> cells;
        for (CGpCellItem *pItem : m_view->SelectedCells())
            cells << QPoint(pItem->GetRow(), pItem->GetCol());
        return cells;
    };

    // Right press outside the selection: that cell alone; inside: kept.
    Select({QPoint(0, 0), QPoint(0, 1)});
    QTest::mousePress(pViewport, Qt::RightButton, Qt::NoModifier, centre(1, 2));
    QCOMPARE(selected(), QList<QPoint>() << QPoint(1, 2));
    Select({QPoint(0, 0), QPoint(0, 1)});
    QTest::mousePress(pViewport, Qt::RightButton, Qt::NoModifier, centre(0, 1));
    QCOMPARE(selected(), QList<QPoint>() << QPoint(0, 0) << QPoint(0, 1));
    // Moving with the band up selects what it touches.
    QMouseEvent move(QEvent::MouseMove, centre(1, 0), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(pViewport, &move);
    QCOMPARE(selected(), QList<QPoint>() << QPoint(0, 0) << QPoint(0, 1) << QPoint(1, 0)
                                         << QPoint(1, 1));
    QMouseEvent release(QEvent::MouseButtonRelease, centre(1, 0), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(pViewport, &release); // hides the band, opens no menu

    Select({});
    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(selected().isEmpty());
    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selected().size(), 6);

    // Only the RX of a cell is dragged.
    QList<QByteArray> payloads;
    SetDragRunner([&payloads](QDrag &drag, Qt::DropActions, Qt::DropAction) {
        payloads << drag.mimeData()->data(g_strMimeCellItem);
        return Qt::IgnoreAction;
    });
    auto drag = [&](int row, int col) {
        QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, centre(row, col));
        QMouseEvent far(QEvent::MouseMove, centre(row, col) + QPoint(30, 0), Qt::NoButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pViewport, &far);
        QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, centre(row, col));
    };
    drag(0, 1); // TX only
    drag(1, 2);
    SetDragRunner(DragRunner());
    QCOMPARE(payloads.size(), 1);
    T_CellDragPayload cell;
    QVERIFY(ReadCellPayload(payloads.first(), &cell));
    QCOMPARE(cell.nItemAddr, quint64(reinterpret_cast<quintptr>(m_view->CellItem(1, 2))));
    QCOMPARE(QPoint(cell.nRow, cell.nColumn), QPoint(1, 2));
}

// ---- context menu ----

void TestGrid::changeRxMenuAndSlot()
{
    CHOIScene *pWall = NewWall("W1", 1, 3);
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 3);
    CHOIScene *pL2 = NewLayout("W1-L2", 1, 3);
    pL2->SetWindowLayout(true);
    pL1->GetCell(0, 0)->txList << m_dev[TX1];
    Show(pL1);

    Select({QPoint(0, 0), QPoint(0, 1)});
    QScopedPointer<QMenu> menu(m_view->CreateContextMenu(m_view->CellItem(0, 0)));
    QVERIFY(menu);
    QMenu *pChangeRx = FindAction(menu.data(), "Change RX")->menu();
    QStringList offered;
    const QList<QAction *> entries = pChangeRx->actions();
    for (QAction *pAction : entries) {
        offered << pAction->text();
        QVERIFY(!pAction->isEnabled()); // two cells selected
    }
    // The sibling windowing layout keeps out every RX that cannot window.
    QCOMPARE(offered, QStringList() << Name(RXW));
    QVERIFY(FindAction(menu.data(), "Combine")->isEnabled());
    QVERIFY(!FindAction(menu.data(), "Split")->isEnabled());
    QVERIFY(!FindAction(menu.data(), "Logic Screen Properties")->isEnabled());
    QVERIFY(FindAction(menu.data(), "Remove All TX"));
    QVERIFY(FindAction(menu.data(), "Remote Control"));
    QVERIFY(FindAction(menu.data(), "Serial"));
    QVERIFY(!FindAction(menu.data(), "CEC Control"));

    Select({QPoint(0, 0)});
    menu.reset(m_view->CreateContextMenu(m_view->CellItem(0, 0)));
    QAction *pRxw = FindAction(FindAction(menu.data(), "Change RX")->menu(), Name(RXW));
    QVERIFY(pRxw && pRxw->isEnabled());
    QSignalSpy changed(m_mgr, &CHOIDevMgr::signalDevChangeForList);
    pRxw->trigger();
    for (CHOIScene *pScene : {pWall, pL1, pL2})
        QCOMPARE(pScene->CellAt(0, 0)->rx, m_dev[RXW]);
    QCOMPARE(changed.count(), 1);

    // In video-wall mode neither TX nor walls are edited.
    Show(pWall, true);
    Select({QPoint(0, 1), QPoint(0, 2)});
    menu.reset(m_view->CreateContextMenu(m_view->CellItem(0, 1)));
    QVERIFY(!FindAction(menu.data(), "Change TX")->isEnabled());
    QVERIFY(!FindAction(menu.data(), "Combine")->isEnabled());
    QVERIFY(FindAction(menu.data(), "Remove All RX"));
    QVERIFY(!FindAction(menu.data(), "Remove All TX"));
}

void TestGrid::changeTxOverCellsAndWall()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 4);
    QVERIFY(AddWall(pL1, 0, 2, 1, 2, "Right"));
    Show(pL1);
    auto changeTx = [this](int dev, bool bEnabled) {
        QScopedPointer<QMenu> menu(m_view->CreateContextMenu(m_view->SelectedCells().first()));
        QAction *pEntry = FindAction(FindAction(menu.data(), "Change TX")->menu(), Name(dev));
        QVERIFY(pEntry);
        QCOMPARE(pEntry->isEnabled(), bEnabled);
        pEntry->trigger();
    };

    Select({QPoint(0, 0), QPoint(0, 3)});
    changeTx(TX1, true);
    QCOMPARE(m_boxes.texts, QStringList());
    for (int c : {0, 2, 3})
        QCOMPARE(pL1->CellAt(0, c)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QVERIFY(pL1->CellAt(0, 1)->txList.isEmpty());

    // TX1 already feeds the wall: its entry is disabled, and the command
    // itself refuses it for the wall while the plain cell takes it.
    Select({QPoint(0, 1), QPoint(0, 2)});
    changeTx(TX1, false);
    QCOMPARE(m_boxes.texts, QStringList() << QString("TX device ('%1') already used in video wall of "
                                                     "current scene.").arg(Name(TX1)));
    QCOMPARE(pL1->CellAt(0, 1)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(m_view));

    // An entry whose device the manager no longer holds (removed while the
    // menu was open) places nothing: the layout would keep a deleted device.
    m_boxes.Clear();
    CHOIDev stray(m_mgr, CHOIDev::E_DT_TX, QString(), false, CHOIDev::E_CT_TELNET);
    Select({QPoint(0, 0)});
    QScopedPointer<QMenu> menu(m_view->CreateContextMenu(m_view->CellItem(0, 0)));
    QAction *pEntry = FindAction(FindAction(menu.data(), "Change TX")->menu(), Name(TX2));
    QVERIFY(pEntry);
    pEntry->setData(QVariant(qulonglong(reinterpret_cast<quintptr>(&stray))));
    pEntry->trigger();
    QCOMPARE(pL1->CellAt(0, 0)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QVERIFY(!pL1->HasDev(&stray));
    QCOMPARE(m_boxes.texts, QStringList());
}

// A scheduled apply may show another layout while a box or dialog of an
// edit is open; the edit must not land on that layout, nor use the cell
// items the switch replaced.
void TestGrid::editDroppedWhenLayoutSwitchesUnderBox()
{
    CHOIScene *pA = NewLayout("W1-A", 1, 3);
    CHOIScene *pB = NewLayout("W1-B", 1, 3);
    pA->GetCell(0, 0)->rx = m_dev[RX1];
    pB->GetCell(0, 2)->txList << m_dev[TX2];
    auto switchOnBox = [this, pB](int nAnswer) {
        SetMessageBoxRunner([this, pB, nAnswer](QMessageBox &box) {
            m_boxes.texts.append(box.text());
            Show(pB);
            return nAnswer;
        });
    };

    // Change TX: the first cell refuses TXQ; the second is never reached.
    Show(pA);
    Select({QPoint(0, 0), QPoint(0, 1)});
    QScopedPointer<QMenu> menu(m_view->CreateContextMenu(m_view->CellItem(0, 0)));
    switchOnBox(QMessageBox::Ok);
    FindAction(FindAction(menu.data(), "Change TX")->menu(), Name(TXQ))->trigger();
    QCOMPARE(m_boxes.texts.size(), 1);
    for (int c = 0; c < 2; ++c) {
        QVERIFY(pA->CellAt(0, c)->txList.isEmpty());
        QVERIFY(pB->CellAt(0, c)->txList.isEmpty());
    }

    // Remove All TX, answered Yes after the switch.
    Show(pA);
    pA->GetCell(0, 2)->txList << m_dev[TX1];
    switchOnBox(QMessageBox::Yes);
    m_view->slotRemoveAllTX();
    QCOMPARE(pA->CellAt(0, 2)->txList, QList<CHOIDev *>() << m_dev[TX1]);
    QCOMPARE(pB->CellAt(0, 2)->txList, QList<CHOIDev *>() << m_dev[TX2]);

    // Combine, confirmed after the switch.
    m_boxes.Install();
    Show(pA);
    Select({QPoint(0, 1), QPoint(0, 2)});
    OnModal<CDlgVideoVallProp>([this, pB](CDlgVideoVallProp *pDlg) {
        Show(pB);
        pDlg->findChild<QLineEdit *>("edtName")->setText("Late");
        pDlg->accept();
    });
    QVERIFY(!m_view->DoCombineCell(false));
    QVERIFY(pA->m_videoWalls.isEmpty());
    QVERIFY(pB->m_videoWalls.isEmpty());
}

void TestGrid::removeRxLeavesEveryLayout()
{
    CHOIScene *pWall = NewWall("W1", 1, 2);
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    CHOIScene *pL2 = NewLayout("W1-L2", 1, 2);
    Show(pL1);
    QVERIFY(DropDev(0, 1, RX4));
    QCOMPARE(pL2->CellAt(0, 1)->rx, m_dev[RX4]);

    Select({QPoint(0, 0), QPoint(0, 1)});
    QVERIFY(m_view->DoRemoveRX(true));
    QSignalSpy changed(m_mgr, &CHOIDevMgr::signalDevChangeForList);
    QVERIFY(m_view->DoRemoveRX(false));
    for (CHOIScene *pScene : {pWall, pL1, pL2})
        QCOMPARE(pScene->CellAt(0, 1)->rx, static_cast<CHOIDev *>(nullptr));
    QCOMPARE(m_dev[RX4]->GetVideoWall(), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_view->DoRemoveRX(true));

    // Clearing asks first; "No" keeps everything.
    pL1->GetCell(0, 0)->txList << m_dev[TX1];
    m_boxes.nAnswer = QMessageBox::No;
    m_view->slotRemoveAllTX();
    QCOMPARE(m_boxes.texts,
             QStringList() << "Are you sure you want to remove the all devices in current layout?");
    QCOMPARE(m_boxes.icons.first(), QMessageBox::Question);
    QCOMPARE(pL1->CellAt(0, 0)->txList.size(), 1);
    m_boxes.nAnswer = QMessageBox::Yes;
    m_view->slotRemoveAllTX();
    QVERIFY(pL1->CellAt(0, 0)->txList.isEmpty());
}

void TestGrid::deviceDialogsOpenForFirstSelectedCell()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    pL1->GetCell(0, 1)->rx = m_dev[RX1];
    Show(pL1);
    // Each dialog as it opened: its class, the layout its chooser shows and
    // the devices checked there.
    QStringList classes;
    QList<CHOIScene *> scenes;
    QList<QList<CHOIDev *>> checked;
    auto look = [&](QWidget *pWidget) {
        classes << QString::fromLatin1(pWidget->metaObject()->className());
        QDevFilterGroupBox *pChooser = pWidget->findChild<QDevFilterGroupBox *>();
        QComboBox *pScenes = pWidget->findChild<QComboBox *>("cmbScenes");
        const bool bAll = pWidget->findChild<QCheckBox *>("chkAllDevices")->isChecked();
        scenes << (bAll ? nullptr : VariantToScene(pScenes->currentData()));
        checked << pChooser->GetCheckedDevList();
        qobject_cast<QDialog *>(pWidget)->reject();
    };
    // Nothing selected: nothing opens.
    {
        CModalWatcher watcher(look);
        m_view->slotShowSerial();
        QVERIFY(!watcher.Fired());
    }
    Select({QPoint(0, 1), QPoint(0, 0)});
    for (void (CTableGraphicsView::*slot)() : {&CTableGraphicsView::slotShowRemoteControl,
                                               &CTableGraphicsView::slotShowSerial, &CTableGraphicsView::slotShowCEC}) {
        CModalWatcher watcher(look);
        (m_view->*slot)();
        QVERIFY(watcher.Fired());
    }
    QCOMPARE(classes, QStringList({"CDlgIrCtrl", "CDlgSerialMsg", "CDlgCECCtrl"}));
    QCOMPARE(scenes, QList<CHOIScene *>({pL1, pL1, pL1}));
    // The first selected cell in grid order has no RX.
    QCOMPARE(checked, QList<QList<CHOIDev *>>({{}, {}, {}}));
}

// ---- video wall properties ----

void TestGrid::longProcessorNameWholeInTip()
{
    // Wider than the cell: cut in the middle there, whole in the tool tip,
    // which otherwise names only the sources and the screen.
    CHOIScene *pWP = NewLayout("W1-P", 1, 2);
    pWP->SetWPLayout(true);
    AddWall(pWP, 0, 0, 1, 1, "One")->dev_hostname = m_dev[WP1]->GetHostName();
    AddWall(pWP, 0, 1, 1, 1, "Two")->dev_hostname = m_dev[WP1]->GetHostName();
    m_dev[WP1]->SetName("Processor-North-Hall-Stage-Left-Side");
    Show(pWP);
    const QString whole = "WP: Processor-North-Hall-Stage-Left-Side";
    const QString shown = m_view->CellItem(0, 0)->ShownLineText(CGpCellItem::E_LINE_WP);
    QCOMPARE(m_view->CellItem(0, 0)->LineText(CGpCellItem::E_LINE_WP), whole);
    QVERIFY2(shown.startsWith("WP: Proc") && shown.contains(QChar(0x2026)) && shown.endsWith("Side"),
             qPrintable(shown));
    QCOMPARE(m_view->CellToolTip(m_view->CellItem(0, 0)), whole);
    m_dev[WP1]->SetName(QString());
    QCOMPARE(m_view->CellToolTip(m_view->CellItem(0, 1)), QString());
}

void TestGrid::wallDialogNameChecks()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 2, 2);
    T_VideoWallInfo *pA = AddWall(pL1, 0, 0, 1, 2, "A", 1);
    T_VideoWallInfo *pB = AddWall(pL1, 1, 0, 1, 2, "B");
    QVERIFY(pA && pB);
    pL1->GetCell(0, 0)->txList = QList<CHOIDev *>() << m_dev[TX1];
    pL1->GetCell(0, 1)->txList.clear();

    // A new wall starts without a name; OK without one stays open.
    T_VideoWallInfo fresh;
    {
        CDlgVideoVallProp dlg(pL1, &fresh);
        QCOMPARE(dlg.findChild<QLineEdit *>("edtName")->text(), QString());
        QCOMPARE(dlg.findChild<QTabWidget *>("tabWidget")->tabText(0), QString("Layout/Scene Name: L1"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_boxes.texts, QStringList() << "Enter a video wall name.");
        QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(&dlg));
    }

    // Another wall's name is refused; the wall's own is not.
    m_boxes.Clear();
    {
        CDlgVideoVallProp dlg(pA, nullptr);
        QLineEdit *pName = dlg.findChild<QLineEdit *>("edtName");
        QCOMPARE(pName->text(), QString("A"));
        pName->setText("B");
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_boxes.texts, QStringList() << "Name 'B' exists. Use another name.");
        QCOMPARE(pName->selectedText(), QString("B"));
        QCOMPARE(pA->name, QString("A"));

        pName->setText("A");
        dlg.findChild<QSpinBox *>("sbVH")->setValue(1080);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
    QCOMPARE(m_boxes.texts.size(), 1);
    QCOMPARE(pA->vh, 1080);
    // OK makes a multi-host wall single-host: every cell takes the top-left TX.
    QCOMPARE(pA->mode, 0);
    QCOMPARE(pL1->CellAt(0, 1)->txList, QList<CHOIDev *>() << m_dev[TX1]);

    // Case matters.
    {
        CDlgVideoVallProp dlg(pB, nullptr);
        dlg.findChild<QLineEdit *>("edtName")->setText("a");
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
    QCOMPARE(pB->name, QString("a"));

    // A wall that no layout holds: OK does nothing.
    T_VideoWallInfo stray;
    stray.name = "Stray";
    CDlgVideoVallProp dlg(&stray, nullptr);
    QVERIFY(!dlg.findChild<QTabWidget *>("tabWidget")->isEnabled());
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(m_boxes.texts.size(), 1);
}

void TestGrid::wallDialogNameFilter()
{
    T_VideoWallInfo fresh;
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    CDlgVideoVallProp dlg(pL1, &fresh);
    QLineEdit *pName = dlg.findChild<QLineEdit *>("edtName");

    // Typed last: dropped silently.
    pName->setText("Wall_");
    QCOMPARE(pName->text(), QString("Wall"));
    QCOMPARE(m_boxes.texts, QStringList());
    QCOMPARE(pName->toolTip(), QString("Invaild character:\r\n{ } \" < > , ; _ - @ * & "));

    // Inside the text: reported one character at a time, in the fixed order.
    pName->setText("a*b&c*d&e");
    QCOMPARE(pName->text(), QString("abcde"));
    QCOMPARE(m_boxes.texts, QStringList() << "Character '&' error." << "Character '*' error.");
    m_boxes.Clear();
    pName->setText("x y\"z");
    QCOMPARE(pName->text(), QString("xyz"));
    QCOMPARE(m_boxes.texts, QStringList() << "Character ' ' error." << "Character '\"' error.");
}

void TestGrid::wallDialogAdjustmentReachesDevice()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 3);
    T_VideoWallInfo *pWall = AddWall(pL1, 0, 0, 1, 3, "Adv");
    pL1->GetCell(0, 0)->rx = m_dev[RXA1];
    pL1->GetCell(0, 1)->rx = m_dev[RX1];
    pL1->GetCell(0, 2)->rx = m_dev[RXA1];
    T_VWDevSetup stored;
    stored.vshift = 7;
    stored.hscale = 2;
    pL1->SetDevSetup(m_dev[RXA1], stored);

    CDlgVideoVallProp dlg(pWall, nullptr);
    QComboBox *pDevs = dlg.findChild<QComboBox *>("cbDevList");
    QTabWidget *pTabs = dlg.findChild<QTabWidget *>("tabWidget");
    QVERIFY(pTabs->indexOf(dlg.findChild<QWidget *>("tabAdvanced")) >= 0);
    // Listed once although it fills two cells; RX1 takes no adjustments.
    QCOMPARE(pDevs->count(), 1);
    QCOMPARE(pDevs->itemText(0), QString("[RX] %1").arg(Name(RXA1)));
    QCOMPARE(pDevs->currentIndex(), -1);
    QVERIFY(!dlg.findChild<QWidget *>("gbHShift")->isEnabled());
    // RX1 lacks "wall_set": no compensation box.
    QVERIFY(dlg.findChild<QWidget *>("groupBox")->isHidden());

    pDevs->setCurrentIndex(0);
    QVERIFY(dlg.findChild<QWidget *>("gbHShift")->isEnabled());
    QCOMPARE(dlg.findChild<QSpinBox *>("sbVShift")->value(), 7);
    QVERIFY(dlg.findChild<QRadioButton *>("rbVShiftDown")->isChecked());
    dlg.findChild<QRadioButton *>("rbHShiftleft")->setChecked(true);
    dlg.findChild<QSpinBox *>("sbHShift")->setValue(3);
    dlg.findChild<QSpinBox *>("sbHScale")->setValue(9); // shown, not applied

    // The device has the line before its answer ends the adjustment: the
    // dialog takes the next click only once it is enabled again.
    QSignalSpy progress(m_mgr, &CHOIDevMgr::OnProgressNotify);
    auto apply = [&](const char *button, const QString &event) {
        m_lan.ClearReceived();
        QPushButton *pApply = dlg.findChild<QPushButton *>(button);
        QVERIFY(pApply->isEnabled() && dlg.isEnabled());
        pApply->click();
        QVERIFY(!dlg.isEnabled()); // while the adjustment is on its way
        QTRY_COMPARE_WITH_TIMEOUT(m_lan.Commands(RXA1), Lines() << Event(event), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 20000);
        QCOMPARE(progress.last().at(1).toInt(), 100);
    };
    apply("btnApplyHShift", "e_vw_h_shift_l_3");
    const T_VWDevSetup now = pL1->GetDevSetup(m_dev[RXA1]);
    QCOMPARE(QList<int>() << now.hshift << now.vshift << now.hscale << now.vscale << now.delay_kick,
             QList<int>() << -3 << 7 << 2 << 0 << 0);

    dlg.findChild<QRadioButton *>("rbVShiftUp")->setChecked(true);
    apply("btnApplyVShift", "e_vw_v_shift_u_7");
    dlg.findChild<QSpinBox *>("sbTearingDelay")->setValue(250);
    apply("btnApplyTearingDelay", "e_vw_delay_kick_250");
    QCOMPARE(pL1->GetDevSetup(m_dev[RXA1]).hscale, 2);
    QCOMPARE(m_lan.Commands(RX1), Lines());
}

void TestGrid::wallDialogOkStoresShownAdjustments()
{
    CHOIScene *pL1 = NewLayout("W1-L1", 1, 2);
    T_VideoWallInfo *pWall = AddWall(pL1, 0, 0, 1, 2, "Adv");
    pL1->GetCell(0, 0)->rx = m_dev[RXA1];
    pL1->GetCell(0, 1)->rx = m_dev[RXA2];
    CDlgVideoVallProp dlg(pWall, nullptr);
    // Every RX has "wall_set": the compensation can be entered.
    QVERIFY(!dlg.findChild<QWidget *>("groupBox")->isHidden());
    QComboBox *pDevs = dlg.findChild<QComboBox *>("cbDevList");
    QCOMPARE(pDevs->count(), 2);
    pDevs->setCurrentIndex(1);
    dlg.findChild<QRadioButton *>("rbHShiftleft")->setChecked(true);
    dlg.findChild<QSpinBox *>("sbHShift")->setValue(4);
    dlg.findChild<QSpinBox *>("sbVScale")->setValue(6);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const T_VWDevSetup stored = pL1->GetDevSetup(m_dev[RXA2]);
    QCOMPARE(QList<int>() << stored.hshift << stored.vshift << stored.hscale << stored.vscale
                          << stored.delay_kick,
             QList<int>() << -4 << 0 << 0 << 6 << 0);
    QCOMPARE(pL1->GetDevSetup(m_dev[RXA1]).hshift, 0);
    // OK stores only; nothing is sent.
    QTest::qWait(300);
    QCOMPARE(m_lan.Commands(RXA2), Lines());
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
