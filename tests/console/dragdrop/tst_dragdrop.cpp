#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QtTest>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/devlistwidget.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/itemdata.h"

namespace {

// Products of the devices this test finds; "config.xml" lies beside the test.
const char kConfig[] = "<?xml version=\"1.0\"?>\n"
                       "<hoiprod>\n"
                       "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\"/>\n"
                       "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\"/>\n"
                       "  <product id=\"ZMRX\" name=\"Multiview\" type=\"mrx\"/>\n"
                       "  <product id=\"ZWP\" name=\"Processor\" type=\"wp\"/>\n"
                       "  <product id=\"ZGW\" name=\"Gateway\" type=\"gw\"/>\n"
                       "</hoiprod>\n";

quint64 Addr(const void *p)
{
    return quint64(reinterpret_cast<quintptr>(p));
}

QByteArray BigEndian64(quint64 n)
{
    QByteArray bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += char((n >> shift) & 0xff);
    return bytes;
}

// What the drag runner saw of one drag.
struct T_SeenDrag
{
    int nCount = 0;
    QStringList formats;
    QByteArray payload;
    QPoint hotSpot;
    QSize pixmapSize;
    QObject *pParent = nullptr;
    Qt::DropActions supported;
    Qt::DropAction defaultAction = Qt::IgnoreAction;
    // How the device tree took the drag back while it was running.
    bool bEnterAccepted = false;
    Qt::DropAction enterAction = Qt::IgnoreAction;
    bool bDropAccepted = false;
    CHOIDev *pDropped = nullptr;
};

} // namespace

class TestDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void devPayloadBytes();
    void cellPayloadBytes();
    void payloadKeepsWideAddresses();
    void shortPayloadRefused();
    void dragFormatOrder_data();
    void dragFormatOrder();

    void droppedDevOwnDrag();
    void droppedDevForeignDragRefused();
    void droppedDevNoLongerManaged();
    void droppedCell_data();
    void droppedCell();

    void dragPixmap();

    void treeStartsDrag_data();
    void treeStartsDrag();
    void treeShortMoveStartsNothing();
    void treeRightButtonIgnored();
    void treePressOnEmptyArea();
    void treeRefusesForeignTx();

private:
    CHOIDev *Found(const QString &hostName) const;
    // Runs fn inside a drag of this process carrying data.
    void InOwnDrag(QMimeData *pData, const std::function<void(const QMimeData *)> &fn);
    QPoint RowCentre(QDevListWidget &tree, QTreeWidgetItem *pItem) const;
    void Press(QWidget *pViewport, Qt::MouseButton button, const QPoint &pos);
    void Move(QWidget *pViewport, Qt::MouseButtons buttons, const QPoint &pos);

    CHOIDevMgr *m_pDevMgr = nullptr;
    QWidget m_source;
    T_SeenDrag m_seen;
};

void TestDragDrop::initTestCase()
{
    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(kConfig);
    config.close();

    m_pDevMgr = new CHOIDevMgr;
    m_pDevMgr->SetOnLineTimings(-1, 5000); // no background discovery
    g_pHOIDevMgr = m_pDevMgr;
    QVERIFY(m_pDevMgr->LoadProdConfig());

    // Devices the manager holds (added as a gateway's virtual devices are:
    // listed, never connected).
    const char *hosts[] = {"ZTX-0000000000a1", "ZRX-0000000000b2", "ZMRX-0000000000c3",
                           "ZWP-0000000000d4", "ZGW-0000000000e5"};
    for (const char *host : hosts)
        m_pDevMgr->AddIpcDev(QStringLiteral("alias ") + QLatin1String(host), QLatin1String(host), nullptr);
    // The IP controller, as a search reply makes it (address of the private
    // test LAN).
    m_pDevMgr->slotOnFoundDevice(QStringLiteral("10.88.0.1"), QByteArray("10.88.1.6"),
                                 QByteArray("QN714-0000000000f6"), QByteArray("idle"));
    QCOMPARE(m_pDevMgr->GetDevCount(), 6);
    QCOMPARE(int(Found("ZTX-0000000000a1")->GetDevType()), int(CHOIDev::E_DT_TX));
    QCOMPARE(int(Found("ZRX-0000000000b2")->GetDevType()), int(CHOIDev::E_DT_RX));
    QCOMPARE(int(Found("QN714-0000000000f6")->GetDevType()), int(CHOIDev::E_DT_QN714));
}

void TestDragDrop::cleanupTestCase()
{
    SetDragRunner(DragRunner());
    g_pHOIDevMgr = nullptr;
    delete m_pDevMgr;
}

void TestDragDrop::init()
{
    m_seen = T_SeenDrag();
    SetDragRunner(DragRunner());
}

CHOIDev *TestDragDrop::Found(const QString &hostName) const
{
    return m_pDevMgr->FindDevByHostName(hostName);
}

void TestDragDrop::InOwnDrag(QMimeData *pData, const std::function<void(const QMimeData *)> &fn)
{
    QDrag *pDrag = new QDrag(&m_source);
    pDrag->setMimeData(pData);
    bool bRan = false;
    SetDragRunner([&](QDrag &drag, Qt::DropActions, Qt::DropAction) {
        bRan = true;
        fn(drag.mimeData());
        return Qt::CopyAction;
    });
    ExecDrag(pDrag);
    SetDragRunner(DragRunner());
    delete pDrag;
    QVERIFY(bRan);
}

void TestDragDrop::devPayloadBytes()
{
    CHOIDev *pTx = Found("ZTX-0000000000a1");
    const QByteArray payload = WriteDevPayload(pTx);
    QCOMPARE(payload.size(), 16);
    QCOMPARE(payload.left(8), BigEndian64(Addr(pTx)));
    QCOMPARE(payload.mid(8), QByteArray::fromHex("0000006200000070"));
}

void TestDragDrop::cellPayloadBytes()
{
    int cellItem = 0;
    const QByteArray payload = WriteCellPayload(&cellItem, 2, 3);
    QCOMPARE(payload.size(), 16);
    QCOMPARE(payload.left(8), BigEndian64(Addr(&cellItem)));
    QVERIFY(payload.endsWith(QByteArray::fromHex("0000000200000003")));

    T_CellDragPayload read;
    QVERIFY(ReadCellPayload(payload, &read));
    QCOMPARE(read.nItemAddr, Addr(&cellItem));
    QCOMPARE(read.nRow, 2);
    QCOMPARE(read.nColumn, 3);
}

// Heap addresses above 4 GiB survive the trip whole.
void TestDragDrop::payloadKeepsWideAddresses()
{
    const void *pWide = reinterpret_cast<const void *>(quintptr(0x00007f12345678a0ULL));
    T_CellDragPayload cell;
    QVERIFY(ReadCellPayload(WriteCellPayload(pWide, 7, 255), &cell));
    QCOMPARE(cell.nItemAddr, quint64(0x00007f12345678a0ULL));
    QCOMPARE(cell.nRow, 7);
    QCOMPARE(cell.nColumn, 255);

    CHOIDev *pRx = Found("ZRX-0000000000b2");
    QVERIFY(Addr(pRx) > 0xffffffffULL); // a 32-bit field would have cut it
    T_DevDragPayload dev;
    QVERIFY(ReadDevPayload(WriteDevPayload(pRx), &dev));
    QCOMPARE(dev.nDevAddr, Addr(pRx));
    QCOMPARE(dev.nHotSpotX, 98);
    QCOMPARE(dev.nHotSpotY, 112);
    QCOMPARE(FindManagedDev(dev.nDevAddr), pRx);
}

// The old 12-byte form (32-bit pointer) and other short data read as nothing.
void TestDragDrop::shortPayloadRefused()
{
    T_DevDragPayload dev;
    dev.nDevAddr = 1;
    QVERIFY(!ReadDevPayload(QByteArray::fromHex("123456780000006200000070"), &dev));
    QCOMPARE(dev.nDevAddr, quint64(0));
    QCOMPARE(dev.nHotSpotX, 0);
    T_CellDragPayload cell;
    QVERIFY(!ReadCellPayload(QByteArray(), &cell));
    QCOMPARE(cell.nRow, 0);
}

void TestDragDrop::dragFormatOrder_data()
{
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QString>("handled");

    QTest::newRow("tx") << QStringList{g_strMimeTxItem} << g_strMimeTxItem;
    QTest::newRow("rx") << QStringList{g_strMimeRxItem} << g_strMimeRxItem;
    QTest::newRow("cell") << QStringList{g_strMimeCellItem} << g_strMimeCellItem;
    QTest::newRow("cell and rx: rx first") << QStringList{g_strMimeCellItem, g_strMimeRxItem}
                                           << g_strMimeRxItem;
    QTest::newRow("all: tx first") << QStringList{g_strMimeCellItem, g_strMimeRxItem, g_strMimeTxItem}
                                   << g_strMimeTxItem;
    QTest::newRow("text") << QStringList{QStringLiteral("text/plain")} << QString();
}

void TestDragDrop::dragFormatOrder()
{
    QFETCH(QStringList, formats);
    QFETCH(QString, handled);
    QMimeData data;
    for (const QString &format : formats)
        data.setData(format, QByteArray(16, '\0'));
    QCOMPARE(DragFormat(&data), handled);
    QCOMPARE(DragFormat(nullptr), QString());
}

void TestDragDrop::droppedDevOwnDrag()
{
    CHOIDev *pTx = Found("ZTX-0000000000a1");
    QMimeData *pData = new QMimeData;
    pData->setData(g_strMimeTxItem, WriteDevPayload(pTx));
    InOwnDrag(pData, [&](const QMimeData *pRunning) {
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, pRunning, Qt::LeftButton,
                        Qt::NoModifier);
        QVERIFY(IsOwnDrag(&drop));
        QCOMPARE(DroppedDev(&drop, g_strMimeTxItem), pTx);
        // Asked for the other format, the drag has nothing.
        QCOMPARE(DroppedDev(&drop, g_strMimeRxItem), static_cast<CHOIDev *>(nullptr));
    });
}

// The same bytes from another program name nothing of ours.
void TestDragDrop::droppedDevForeignDragRefused()
{
    CHOIDev *pTx = Found("ZTX-0000000000a1");
    QMimeData foreign;
    foreign.setData(g_strMimeTxItem, WriteDevPayload(pTx));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(!IsOwnDrag(&drop));
    QCOMPARE(DroppedDev(&drop, g_strMimeTxItem), static_cast<CHOIDev *>(nullptr));

    // Nor does data that merely arrives while one of our drags runs.
    QMimeData *pOurs = new QMimeData;
    pOurs->setData(g_strMimeTxItem, WriteDevPayload(pTx));
    InOwnDrag(pOurs, [&](const QMimeData *) {
        QVERIFY(!IsOwnDrag(&drop));
        QCOMPARE(DroppedDev(&drop, g_strMimeTxItem), static_cast<CHOIDev *>(nullptr));
    });
    QVERIFY(!IsOwnDrag(nullptr));
}

void TestDragDrop::droppedDevNoLongerManaged()
{
    CHOIDev stray(m_pDevMgr, CHOIDev::E_DT_TX, QString(), false, CHOIDev::E_CT_TELNET);
    QMimeData *pData = new QMimeData;
    pData->setData(g_strMimeTxItem, WriteDevPayload(&stray));
    InOwnDrag(pData, [&](const QMimeData *pRunning) {
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, pRunning, Qt::LeftButton, Qt::NoModifier);
        QVERIFY(IsOwnDrag(&drop));
        QCOMPARE(DroppedDev(&drop, g_strMimeTxItem), static_cast<CHOIDev *>(nullptr));
    });
    QCOMPARE(FindManagedDev(0), static_cast<CHOIDev *>(nullptr));
}

void TestDragDrop::droppedCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("accepted");

    // The receiving grid has 3 rows and 4 columns.
    QTest::newRow("first cell") << 0 << 0 << true;
    QTest::newRow("last cell") << 2 << 3 << true;
    QTest::newRow("row past the grid") << 3 << 0 << false;
    QTest::newRow("column past the grid") << 0 << 4 << false;
    QTest::newRow("negative row") << -1 << 0 << false;
    QTest::newRow("negative column") << 1 << -5 << false;
}

void TestDragDrop::droppedCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, accepted);

    int cellItem = 0;
    QMimeData *pData = new QMimeData;
    pData->setData(g_strMimeCellItem, WriteCellPayload(&cellItem, row, column));
    InOwnDrag(pData, [&](const QMimeData *pRunning) {
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, pRunning, Qt::LeftButton, Qt::NoModifier);
        T_CellDragPayload cell;
        cell.nRow = 99;
        QCOMPARE(DroppedCell(&drop, 3, 4, &cell), accepted);
        QCOMPARE(cell.nItemAddr, accepted ? Addr(&cellItem) : quint64(0));
        QCOMPARE(cell.nRow, accepted ? row : 0);
        QCOMPARE(cell.nColumn, accepted ? column : 0);
    });

    // The same cell from another program is refused whatever its position.
    QMimeData foreign;
    foreign.setData(g_strMimeCellItem, WriteCellPayload(&cellItem, 0, 0));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    T_CellDragPayload cell;
    QVERIFY(!DroppedCell(&drop, 3, 4, &cell));
}

static void CompareColour(const QColor &seen, const QColor &expected)
{
    // Premultiplied storage rounds each channel by one at most.
    QVERIFY2(qAbs(seen.red() - expected.red()) <= 2 && qAbs(seen.green() - expected.green()) <= 2
                 && qAbs(seen.blue() - expected.blue()) <= 2 && qAbs(seen.alpha() - expected.alpha()) <= 1,
             qPrintable(QStringLiteral("%1 vs %2").arg(seen.name(QColor::HexArgb), expected.name(QColor::HexArgb))));
}

void TestDragDrop::dragPixmap()
{
    const QImage image = MakeDragPixmap(Found("ZTX-0000000000a1")).toImage();
    QCOMPARE(image.size(), QSize(196, 112));
    // The 2-pixel olive frame and the light blue inside, both at alpha 180.
    CompareColour(image.pixelColor(0, 0), QColor(122, 163, 39, 180));
    CompareColour(image.pixelColor(1, 111), QColor(122, 163, 39, 180));
    CompareColour(image.pixelColor(195, 56), QColor(122, 163, 39, 180));
    CompareColour(image.pixelColor(2, 2), QColor(187, 234, 255, 180));
    CompareColour(image.pixelColor(190, 105), QColor(187, 234, 255, 180));
    // The name is drawn across the middle: some pixel there is not the fill.
    bool bText = false;
    for (int x = 20; x < 176 && !bText; ++x)
        bText = image.pixelColor(x, 56).rgb() != QColor(187, 234, 255).rgb()
                && qAbs(image.pixelColor(x, 56).blue() - 255) > 8;
    QVERIFY(bText);
    // No device: the empty tile.
    CompareColour(MakeDragPixmap(nullptr).toImage().pixelColor(98, 56), QColor(187, 234, 255, 180));
}

QPoint TestDragDrop::RowCentre(QDevListWidget &tree, QTreeWidgetItem *pItem) const
{
    return tree.visualItemRect(pItem).center();
}

void TestDragDrop::Press(QWidget *pViewport, Qt::MouseButton button, const QPoint &pos)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, pViewport->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(pViewport, &press);
}

void TestDragDrop::Move(QWidget *pViewport, Qt::MouseButtons buttons, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, pViewport->mapToGlobal(pos), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(pViewport, &move);
}

void TestDragDrop::treeStartsDrag_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("format"); // empty: no drag

    QTest::newRow("tx") << "ZTX-0000000000a1" << g_strMimeTxItem;
    QTest::newRow("rx") << "ZRX-0000000000b2" << g_strMimeRxItem;
    QTest::newRow("multiview rx") << "ZMRX-0000000000c3" << QString();
    QTest::newRow("wall processor") << "ZWP-0000000000d4" << QString();
    QTest::newRow("gateway") << "ZGW-0000000000e5" << QString();
    QTest::newRow("ip controller") << "QN714-0000000000f6" << QString();
}

void TestDragDrop::treeStartsDrag()
{
    QFETCH(QString, host);
    QFETCH(QString, format);

    QDevListWidget tree;
    tree.resize(400, 300);
    QTreeWidgetItem *pOther = new QTreeWidgetItem(&tree, {QStringLiteral("first row")});
    pOther->setData(0, Qt::UserRole, DevToVariant(Found("ZRX-0000000000b2")));
    CHOIDev *pDev = Found(host);
    QTreeWidgetItem *pItem = new QTreeWidgetItem(&tree, {pDev->GetDisplayName()});
    pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));

    SetDragRunner([&](QDrag &drag, Qt::DropActions supported, Qt::DropAction defaultAction) {
        ++m_seen.nCount;
        m_seen.formats = drag.mimeData()->formats();
        m_seen.payload = drag.mimeData()->data(m_seen.formats.value(0));
        m_seen.hotSpot = drag.hotSpot();
        m_seen.pixmapSize = drag.pixmap().size();
        m_seen.pParent = drag.parent();
        m_seen.supported = supported;
        m_seen.defaultAction = defaultAction;
        // Carried back over the tree while the drag runs.
        const QPoint over = RowCentre(tree, pOther);
        QDragEnterEvent enter(over, supported, drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &enter);
        m_seen.bEnterAccepted = enter.isAccepted();
        m_seen.enterAction = enter.dropAction();
        QDropEvent drop(over, supported, drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &drop);
        m_seen.bDropAccepted = drop.isAccepted();
        m_seen.pDropped = DroppedDev(&drop, m_seen.formats.value(0));
        return Qt::CopyAction;
    });

    const QPoint start = RowCentre(tree, pItem);
    Press(tree.viewport(), Qt::LeftButton, start);
    QCOMPARE(tree.GetDragStartPos(), start);
    Move(tree.viewport(), Qt::LeftButton, start + QPoint(QApplication::startDragDistance(), 0));

    if (format.isEmpty()) {
        QCOMPARE(m_seen.nCount, 0);
        return;
    }
    QCOMPARE(m_seen.nCount, 1);
    QCOMPARE(m_seen.formats, QStringList{format});
    T_DevDragPayload payload;
    QVERIFY(ReadDevPayload(m_seen.payload, &payload));
    QCOMPARE(payload.nDevAddr, Addr(pDev));
    QCOMPARE(payload.nHotSpotX, 98);
    QCOMPARE(payload.nHotSpotY, 112);
    QCOMPARE(m_seen.hotSpot, QPoint(98, 112));
    QCOMPARE(m_seen.pixmapSize, QSize(196, 112));
    QCOMPARE(m_seen.pParent, static_cast<QObject *>(&tree));
    QCOMPARE(int(m_seen.supported), int(Qt::CopyAction | Qt::MoveAction));
    QCOMPARE(m_seen.defaultAction, Qt::CopyAction);
    QCOMPARE(m_seen.pDropped, pDev);

    // Only a TX is welcome back on the tree, as a move that changes nothing.
    const bool bTx = format == g_strMimeTxItem;
    QCOMPARE(m_seen.bEnterAccepted, bTx);
    QCOMPARE(m_seen.bDropAccepted, bTx);
    if (bTx)
        QCOMPARE(m_seen.enterAction, Qt::MoveAction);
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(VariantToDev(tree.topLevelItem(1)->data(0, Qt::UserRole)), pDev);
}

void TestDragDrop::treeShortMoveStartsNothing()
{
    QDevListWidget tree;
    tree.resize(400, 300);
    QTreeWidgetItem *pItem = new QTreeWidgetItem(&tree, {QStringLiteral("tx")});
    pItem->setData(0, Qt::UserRole, DevToVariant(Found("ZTX-0000000000a1")));
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    SetDragRunner([&](QDrag &, Qt::DropActions, Qt::DropAction) {
        ++m_seen.nCount;
        return Qt::IgnoreAction;
    });

    const QPoint start = RowCentre(tree, pItem);
    Press(tree.viewport(), Qt::LeftButton, start);
    Move(tree.viewport(), Qt::LeftButton,
         start + QPoint(QApplication::startDragDistance() - 1, 0));
    QCOMPARE(m_seen.nCount, 0);
    // The press selected the row as in a plain tree.
    QCOMPARE(tree.currentItem(), pItem);
}

void TestDragDrop::treeRightButtonIgnored()
{
    QDevListWidget tree;
    tree.resize(400, 300);
    QTreeWidgetItem *pFirst = new QTreeWidgetItem(&tree, {QStringLiteral("tx")});
    pFirst->setData(0, Qt::UserRole, DevToVariant(Found("ZTX-0000000000a1")));
    QTreeWidgetItem *pSecond = new QTreeWidgetItem(&tree, {QStringLiteral("rx")});
    pSecond->setData(0, Qt::UserRole, DevToVariant(Found("ZRX-0000000000b2")));
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    SetDragRunner([&](QDrag &, Qt::DropActions, Qt::DropAction) {
        ++m_seen.nCount;
        return Qt::IgnoreAction;
    });

    const QPoint first = RowCentre(tree, pFirst);
    Press(tree.viewport(), Qt::LeftButton, first);
    QCOMPARE(tree.GetDragStartPos(), first);
    const QPoint second = RowCentre(tree, pSecond);
    Press(tree.viewport(), Qt::RightButton, second);
    QCOMPARE(tree.GetDragStartPos(), first);
    Move(tree.viewport(), Qt::RightButton, second + QPoint(0, 40));
    QCOMPARE(m_seen.nCount, 0);
}

void TestDragDrop::treePressOnEmptyArea()
{
    QDevListWidget tree;
    tree.resize(400, 300);
    QTreeWidgetItem *pItem = new QTreeWidgetItem(&tree, {QStringLiteral("tx")});
    pItem->setData(0, Qt::UserRole, DevToVariant(Found("ZTX-0000000000a1")));
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    SetDragRunner([&](QDrag &, Qt::DropActions, Qt::DropAction) {
        ++m_seen.nCount;
        return Qt::IgnoreAction;
    });

    const QPoint below(20, tree.viewport()->height() - 10);
    QCOMPARE(tree.itemAt(below), static_cast<QTreeWidgetItem *>(nullptr));
    Press(tree.viewport(), Qt::LeftButton, below);
    Move(tree.viewport(), Qt::LeftButton, below - QPoint(0, 50));
    QCOMPARE(m_seen.nCount, 0);
}

void TestDragDrop::treeRefusesForeignTx()
{
    QDevListWidget tree;
    tree.resize(400, 300);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(tree.acceptDrops());

    QMimeData foreign;
    foreign.setData(g_strMimeTxItem, WriteDevPayload(Found("ZTX-0000000000a1")));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &foreign, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &foreign, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &drop);
    QVERIFY(!drop.isAccepted());
}

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
