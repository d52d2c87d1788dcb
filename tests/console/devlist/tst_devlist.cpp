// The device lists against simulated devices found by a real search in the
// private test LAN: rows, notifications, renaming, ordering, the context
// menu with every action behind it, deleting and the end-of-search message.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkInterface>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "devlist/devactions.h"
#include "devlist/framedevlist.h"
#include "dialogs/dlgdevedit.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/devrowindex.h"
#include "hoiwidget/ipaddrwidget.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"
#include "vtx/dlgdevipconfig.h"

#include "consoletestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\" serial_set=\"y\"\n"
    "           cec_enable=\"y\" edid_export=\"y\" hdmi_mute=\"y\" vol_line_out_count=\"1\" edie_setting=\"y\"/>\n"
    "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\" video_set_2=\"y\"\n"
    "           sink_rs=\"y\" idle_enable=\"y\" image_logo=\"y\" mute_enable=\"n\"/>\n"
    "  <product id=\"ZMRX\" name=\"Multiview\" type=\"mrx\" param_prefix=\"gb\" old_api=\"n\" layout_enable=\"y\"\n"
    "           map_enable=\"y\" overlay_enable=\"y\" image_bg=\"y\" mute_enable=\"n\" audio_delay=\"y\"\n"
    "           force_resolution=\"1080p60\"/>\n"
    "  <product id=\"ZWP\" name=\"Processor\" type=\"wp\" param_prefix=\"gb\" old_api=\"n\" mute_enable=\"n\"/>\n"
    "  <product id=\"ZGW\" name=\"Gateway\" type=\"gw\" param_prefix=\"gb\" old_api=\"n\" ipc_enable=\"y\"\n"
    "           mute_enable=\"n\" osd_enable=\"n\"/>\n"
    "  <product id=\"ZVTX\" name=\"Camera\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\" ipc_flag=\"y\"/>\n"
    "  <product id=\"QN714\" name=\"QN714\" type=\"IP Controller\" old_api=\"y\" osd_enable=\"n\"/>\n"
    "</hoiprod>\n";

// The simulated devices, by LAN index. The controller answers discovery at
// its address and serves its shell there on its own port.
struct T_SimSpec
{
    const char *pszKey;
    const char *pszModel;
    const char *pszSimType;
};
const T_SimSpec kSims[] = {
    {"TX0", "ZTX", "TX"},  {"TX1", "ZTX", "TX"}, {"RX2", "ZRX", "RX"},      {"MRX3", "ZMRX", "MRX"},
    {"WP", "ZWP", "WP"},   {"GW", "ZGW", "GW"},  {"CTRL", "QN714", "QN714"}, {"RX7", "ZRX", "RX"},
};
const int kSimCount = int(sizeof(kSims) / sizeof(kSims[0]));
const int kCtrlIndex = 6;

const char kVtxHost[] = "ZVTX-0A5800000101";

const QString kInvalidTip = QStringLiteral("Invaild character:\r\n{ } \" < > , ; _ - @ * & ");

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage();
}

} // namespace

class TestDevList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void listsHoldTheirDevices();
    void rowLook_data();
    void rowLook();
    void addAndRemoveFollowManager();
    void onLineStateFollowsCheck();
    void rowFoundAfterSortMoveAndRebuild();
    void rowIndexEdges_data();
    void rowIndexEdges();
    void longNameWidensItsColumn();
    void newRowNumbering();

    void renameInPlace_data();
    void renameInPlace();
    void renameToDisplayNameSendsNothing();
    void renameEmptyResetsToDefault();
    void renameVirtualTxGoesToGateway();
    void doubleClickOpensAliasOnly_data();
    void doubleClickOpensAliasOnly();

    void moveButtons();
    void moveRows();

    void contextMenu_data();
    void contextMenu();
    void contextMenuOffersOnlyDeleteForUnknownKind();
    void dialogRouting_data();
    void dialogRouting();
    void generalSettingsDialog();
    void deviceCommands_data();
    void deviceCommands();
    void singleRowCommandsNeedOneRow();
    void osdOnAndOff();
    void resetEdidOnlyTx();
    void hexTextToBytes_data();
    void hexTextToBytes();
    void edidExport_data();
    void edidExport();
    void controllerOperations();

    void searchEndWithoutDevices();
    void encoderTakenFromGatewayShownAsFound();
    void resetToFactoryDefault();
    void deleteRefused();
    void deleteGatewayAndController();
    void deleteFromDisplayList();

private:
    CHOIDev *Dev(const QString &key) const;
    int SimIndex(const QString &key) const;
    QTreeWidget *Tree(CFrameDevList *pFrame) const;
    QTreeWidgetItem *ItemOf(CFrameDevList *pFrame, const CHOIDev *pDev) const;
    CFrameDevList *FrameOf(const QString &key) const;
    void Select(const QStringList &keys);
    QPoint RowCentre(CFrameDevList *pFrame, const QString &key) const;
    QStringList MenuAt(CFrameDevList *pFrame, const QPoint &viewportPos);
    QList<QByteArray> Commands(const QString &key) const;
    bool NoCommandWithin(const QString &key, const QByteArray &prefix, int msecs);

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    SimDevice *m_pCtrlSim = nullptr;
    CFrameDevList *m_pSource = nullptr;
    CFrameDevList *m_pDisplay = nullptr;
    QTemporaryDir m_tmpDir;
};

void TestDevList::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    qRegisterMetaType<CFrameDevList::E_QN714Operate>("CFrameDevList::E_QN714Operate");
    InitConsoleResources();
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    for (int i = 0; i < kSimCount; ++i) {
        const bool bShell = i != kCtrlIndex;
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(kSims[i].pszModel, i), kSims[i].pszSimType, bShell);
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    m_pCtrlSim = new SimDevice(CSimLan::HostNameFor("QN714", kCtrlIndex), QStringLiteral("QN714"));
    SimInstallDeviceCommands(*m_pCtrlSim);
    SimSetControllerVersion(*m_pCtrlSim, "2.1", "3.4");
    QVERIFY(m_pCtrlSim->listen(m_pLan->Address(kCtrlIndex), 23000));
    QVERIFY(m_pLan->Start());

    // Set up as the main window does: both lists before any row exists.
    m_pSource = new CFrameDevList;
    m_pSource->SetListMode(true, false, true);
    m_pSource->SetQN714WaitInterval(50);
    m_pDisplay = new CFrameDevList;
    m_pDisplay->SetListMode(false, true, false);
    m_pSource->resize(600, 400);
    m_pDisplay->resize(600, 400);
    m_pSource->show();
    m_pDisplay->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pSource));
    QVERIFY(QTest::qWaitForWindowExposed(m_pDisplay));

    // A search from a list: the display list reports its end, once for both.
    CBoxRecorder boxes;
    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    m_pSource->slotSerachDeives();
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    QCOMPARE(stopSpy.at(0).at(1).toBool(), true); // the hidden "Restore" box is checked
    QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("The search is complete. 8 devices found.")}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Information);
    QCOMPARE(boxes.Boxes().at(0).title, QString());

    // The controller's line API answers with no prompt: after the search it
    // shows its version and both ports, and its IP settings window opens filled.
    QVERIFY(Dev("CTRL"));
    QTRY_COMPARE_WITH_TIMEOUT(Dev("CTRL")->GetVersion(), QStringLiteral("2.1/3.4"), 10000);
    {
        CDlgDevIPConfig dlg(Dev("CTRL"));
        QStringList shown;
        for (const char *name : {"edtIPAddr", "edtNetmask", "edtGateway", "edtIPAddr_2", "edtNetmask_2", "edtGateway_2"})
            shown << dlg.findChild<QIPAddrWidget *>(QLatin1String(name))->GetIPAddress();
        QCOMPARE(shown, QStringList({m_pLan->Address(kCtrlIndex).toString(), "255.255.0.0", "10.88.0.1",
                                     "192.168.10.5", "255.255.255.0", "192.168.10.1"}));
    }

    // A camera of the gateway, known to the gateway's list.
    T_IpcInfo *pInfo = new T_IpcInfo;
    pInfo->aliasname = QStringLiteral("Cam1");
    pInfo->hostname = QLatin1String(kVtxHost);
    Dev("GW")->AddIpcInfo(pInfo);
    m_pMgr->AddIpcDev(QStringLiteral("Cam1"), QLatin1String(kVtxHost), Dev("GW"));
    QVERIFY(Dev("VTX"));
    QVERIFY(m_tmpDir.isValid());
}

void TestDevList::cleanupTestCase()
{
    SetFileDialogRunner(FileDialogRunner());
    delete m_pSource;
    delete m_pDisplay;
    delete m_pLan;
    delete m_pCtrlSim;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestDevList::init()
{
    if (m_pLan)
        m_pLan->ClearReceived();
    if (m_pCtrlSim)
        m_pCtrlSim->clearReceived();
}

// ---------------------------------------------------------------------------
// Helpers

int TestDevList::SimIndex(const QString &key) const
{
    for (int i = 0; i < kSimCount; ++i) {
        if (key == QLatin1String(kSims[i].pszKey))
            return i;
    }
    return -1;
}

CHOIDev *TestDevList::Dev(const QString &key) const
{
    if (key == QLatin1String("VTX"))
        return m_pMgr->FindDevByHostName(QLatin1String(kVtxHost));
    const int i = SimIndex(key);
    return i < 0 ? nullptr : m_pMgr->FindDevByHostName(CSimLan::HostNameFor(kSims[i].pszModel, i));
}

QTreeWidget *TestDevList::Tree(CFrameDevList *pFrame) const
{
    return pFrame->findChild<QTreeWidget *>(QStringLiteral("twDevices"));
}

QTreeWidgetItem *TestDevList::ItemOf(CFrameDevList *pFrame, const CHOIDev *pDev) const
{
    QTreeWidget *pTree = Tree(pFrame);
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        if (VariantToDev(pTree->topLevelItem(i)->data(0, Qt::UserRole)) == pDev)
            return pTree->topLevelItem(i);
    }
    return nullptr;
}

CFrameDevList *TestDevList::FrameOf(const QString &key) const
{
    const CHOIDev::DevType eType = Dev(key)->GetDevType();
    return (eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX) ? m_pDisplay : m_pSource;
}

// Selects the rows in the given order; the first becomes current.
void TestDevList::Select(const QStringList &keys)
{
    CFrameDevList *pFrame = FrameOf(keys.first());
    QTreeWidget *pTree = Tree(pFrame);
    pTree->clearSelection();
    pTree->setCurrentItem(ItemOf(pFrame, Dev(keys.first())));
    for (const QString &key : keys)
        ItemOf(pFrame, Dev(key))->setSelected(true);
}

QPoint TestDevList::RowCentre(CFrameDevList *pFrame, const QString &key) const
{
    QTreeWidget *pTree = Tree(pFrame);
    QTreeWidgetItem *pItem = ItemOf(pFrame, Dev(key));
    pTree->scrollToItem(pItem);
    return pTree->visualItemRect(pItem).center();
}

// The entries of the menu a right click at that place opens ("---" for a
// separator, " [off]" after a disabled entry), or "<none>".
QStringList TestDevList::MenuAt(CFrameDevList *pFrame, const QPoint &viewportPos)
{
    QTreeWidget *pTree = Tree(pFrame);
    QStringList entries;
    bool bOpened = false;
    CModalWatcher watcher([&](QWidget *pWidget) {
        if (QMenu *pMenu = qobject_cast<QMenu *>(pWidget)) {
            bOpened = true;
            const QList<QAction *> actions = pMenu->actions();
            for (QAction *pAction : actions) {
                if (pAction->isSeparator())
                    entries << QStringLiteral("---");
                else
                    entries << pAction->text() + (pAction->isEnabled() ? QString() : QStringLiteral(" [off]"));
            }
        }
        pWidget->close();
    }, true);
    const QPoint globalPos = pTree->viewport()->mapToGlobal(viewportPos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pFrame->mapFromGlobal(globalPos), globalPos);
    QApplication::sendEvent(pFrame, &event);
    return bOpened ? entries : QStringList({QStringLiteral("<none>")});
}

QList<QByteArray> TestDevList::Commands(const QString &key) const
{
    if (key == QLatin1String("CTRL"))
        return m_pCtrlSim->receivedLines();
    return m_pLan->Commands(SimIndex(key));
}

bool TestDevList::NoCommandWithin(const QString &key, const QByteArray &prefix, int msecs)
{
    QTest::qWait(msecs);
    const QList<QByteArray> lines = Commands(key);
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Rows

void TestDevList::listsHoldTheirDevices()
{
    // Source list: the controller on top, then TX, WP, GW and the camera,
    // numbered 1..n in the manager's order.
    QTreeWidget *pSource = Tree(m_pSource);
    QCOMPARE(pSource->topLevelItemCount(), 6);
    QCOMPARE(VariantToDev(pSource->topLevelItem(0)->data(0, Qt::UserRole)), Dev("CTRL"));
    QCOMPARE(pSource->topLevelItem(0)->text(0), QString());
    QSet<CHOIDev *> numbered;
    for (int i = 1; i < pSource->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = pSource->topLevelItem(i);
        CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
        QCOMPARE(pItem->text(0), QString::number(i));
        QCOMPARE(pDev->GetSequence(), i);
        numbered.insert(pDev);
    }
    QCOMPARE(numbered, QSet<CHOIDev *>({Dev("TX0"), Dev("TX1"), Dev("WP"), Dev("GW"), Dev("VTX")}));

    // Display list: the decoders only, sortable, without numbers.
    QTreeWidget *pDisplay = Tree(m_pDisplay);
    QCOMPARE(pDisplay->topLevelItemCount(), 3);
    for (const char *key : {"RX2", "MRX3", "RX7"})
        QVERIFY2(ItemOf(m_pDisplay, Dev(QLatin1String(key))), key);
    QVERIFY(pDisplay->isColumnHidden(0));
    QVERIFY(pDisplay->isSortingEnabled());
}

void TestDevList::rowLook_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typeText");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QColor>("aliasColour");
    QTest::addColumn<bool>("controller");

    QTest::newRow("TX") << "TX0" << "TX" << ":/images/T+.png" << QColor(Qt::blue) << false;
    QTest::newRow("GW") << "GW" << "GW" << ":/images/gw+.png" << QColor(Qt::black) << false;
    QTest::newRow("RX") << "RX2" << "RX" << ":/images/R+.png" << QColor(Qt::black) << false;
    QTest::newRow("off-line camera") << "VTX" << "TX" << ":/images/T.png" << QColor(Qt::blue) << false;
    QTest::newRow("controller") << "CTRL" << "IP Controller" << ":/images/C+.png" << QColor(Qt::red) << true;
}

void TestDevList::rowLook()
{
    QFETCH(QString, key);
    QFETCH(QString, typeText);
    QFETCH(QString, icon);
    QFETCH(QColor, aliasColour);
    QFETCH(bool, controller);

    CHOIDev *pDev = Dev(key);
    QTreeWidgetItem *pItem = ItemOf(FrameOf(key), pDev);
    QVERIFY(pItem);
    const QString strHostCol = controller ? pDev->GetDisplayName() : pDev->GetDefaultName();
    QCOMPARE(pItem->text(1), pDev->GetDisplayName());
    QCOMPARE(pItem->text(2), typeText);
    QCOMPARE(pItem->text(3), strHostCol);
    QCOMPARE(pItem->text(4), pDev->GetIPAddr());
    QCOMPARE(pItem->text(5), pDev->GetVersion());
    if (key != QLatin1String("VTX")) {
        QCOMPARE(pItem->text(4), m_pLan->Address(SimIndex(key)).toString());
        QVERIFY(!pItem->text(5).isEmpty());
    }
    QCOMPARE(IconImage(pItem->icon(1)), IconImage(QIcon(icon)));
    QVERIFY(pItem->icon(0).isNull());
    QCOMPARE(pItem->foreground(1).color(), aliasColour);
    const QColor other = controller ? QColor(Qt::red) : QColor(100, 100, 100, 255);
    for (int col = 2; col <= 5; ++col)
        QCOMPARE(pItem->foreground(col).color(), other);
    QCOMPARE(pItem->toolTip(1),
             QStringLiteral("Hostname: %1\nIP Address: %2").arg(strHostCol, pDev->GetIPAddr()));
}

void TestDevList::addAndRemoveFollowManager()
{
    QTreeWidget *pSource = Tree(m_pSource);
    const int nRows = pSource->topLevelItemCount();
    const int nDisplayRows = Tree(m_pDisplay)->topLevelItemCount();
    const QString host = QStringLiteral("ZVTX-0A5800000102");
    m_pMgr->AddIpcDev(QStringLiteral("Cam2"), host, Dev("GW"));
    CHOIDev *pCam = m_pMgr->FindDevByHostName(host);
    QVERIFY(pCam);
    QCOMPARE(pSource->topLevelItemCount(), nRows + 1);
    QTreeWidgetItem *pLast = pSource->topLevelItem(nRows);
    QCOMPARE(VariantToDev(pLast->data(0, Qt::UserRole)), pCam);
    QCOMPARE(pLast->text(0), QString::number(nRows)); // the controller row has no number
    QCOMPARE(pCam->GetSequence(), nRows);
    QCOMPARE(pLast->text(1), QStringLiteral("Cam2"));
    QCOMPARE(Tree(m_pDisplay)->topLevelItemCount(), nDisplayRows);

    QVERIFY(m_pMgr->RemoveDevice(pCam));
    QCOMPARE(pSource->topLevelItemCount(), nRows);
    QVERIFY(!ItemOf(m_pSource, pCam));
}

void TestDevList::onLineStateFollowsCheck()
{
    // TX1 goes quiet; the background check takes it off line (and it stays so).
    CHOIDev *pDev = Dev("TX1");
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pDev);
    QCOMPARE(IconImage(pItem->icon(1)), IconImage(QIcon(QStringLiteral(":/images/T+.png"))));
    m_pLan->SetDeviceOn(SimIndex("TX1"), false);
    m_pMgr->SetOnLineTimings(0, 3600000);
    QTRY_VERIFY_WITH_TIMEOUT(!pDev->m_bOnLine, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(IconImage(pItem->icon(1)), IconImage(QIcon(QStringLiteral(":/images/T.png"))), 2000);
    m_pMgr->SetOnLineTimings(-1, 3600000);
    QVERIFY(Dev("TX0")->m_bOnLine);
}

void TestDevList::rowFoundAfterSortMoveAndRebuild()
{
    // A report reaches the device's own row wherever sorting, a move or a
    // rebuild has put it, and no other row.
    QTreeWidget *pDisplay = Tree(m_pDisplay);
    CHOIDev *pRx = Dev("RX7");
    const QString strAlias = pRx->GetName();
    const QString strOther = ItemOf(m_pDisplay, Dev("RX2"))->text(1);
    pDisplay->sortItems(1, Qt::DescendingOrder);
    for (const QString &name : {QStringLiteral("0 last"), QStringLiteral("~ first")}) {
        pRx->SetName(name);
        emit m_pMgr->OnDeviceNotify(pRx, E_DN_STATUS);
        QTreeWidgetItem *pItem = ItemOf(m_pDisplay, pRx);
        QCOMPARE(pItem->text(1), name);
        QCOMPARE(pDisplay->indexOfTopLevelItem(pItem), name.startsWith(QLatin1Char('0')) ? 2 : 0);
        QCOMPARE(ItemOf(m_pDisplay, Dev("RX2"))->text(1), strOther);
    }
    pRx->SetName(strAlias);
    emit m_pMgr->OnDeviceNotify(pRx, E_DN_STATUS);
    pDisplay->sortItems(0, Qt::AscendingOrder);

    QTreeWidget *pSource = Tree(m_pSource);
    CHOIDev *pTx = VariantToDev(pSource->topLevelItem(1)->data(0, Qt::UserRole));
    const QString strAddr = pTx->GetIPAddr();
    QTest::mouseClick(pSource->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pSource->visualItemRect(pSource->topLevelItem(1)).center());
    QTest::mouseClick(m_pSource->findChild<QPushButton *>(QStringLiteral("pbDownItem")), Qt::LeftButton);
    QCOMPARE(pSource->indexOfTopLevelItem(ItemOf(m_pSource, pTx)), 2);
    for (int round = 0; round < 2; ++round) {
        // The second round after a rebuild: the rows are new.
        if (round == 1)
            m_pSource->slotRefreshDeives();
        const QString strNew = QStringLiteral("10.88.9.%1").arg(round + 1);
        pTx->SetIPAddr(strNew);
        emit m_pMgr->OnDevCmdCompleted(pTx, E_CO_DEV, E_CR_SUCCESS);
        QCOMPARE(ItemOf(m_pSource, pTx)->text(4), strNew);
        QCOMPARE(pSource->topLevelItem(1)->text(4),
                 VariantToDev(pSource->topLevelItem(1)->data(0, Qt::UserRole))->GetIPAddr());
    }
    pTx->SetIPAddr(strAddr);
    emit m_pMgr->OnDevCmdCompleted(pTx, E_CO_DEV, E_CR_SUCCESS);
    QTest::mouseClick(pSource->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pSource->visualItemRect(ItemOf(m_pSource, pTx)).center());
    QTest::mouseClick(m_pSource->findChild<QPushButton *>(QStringLiteral("pbUpItem")), Qt::LeftButton);
    QCOMPARE(pSource->indexOfTopLevelItem(ItemOf(m_pSource, pTx)), 1);
}

void TestDevList::rowIndexEdges_data()
{
    QTest::addColumn<bool>("takeOut"); // the row is taken out of its tree
    QTest::addColumn<bool>("replace"); // a newer row of the device comes first
    QTest::addColumn<bool>("remove");  // the (older) row is deleted
    QTest::addColumn<bool>("found");   // the device's row is found: the newer one, if any

    QTest::newRow("row out of its tree") << true << false << false << false;
    QTest::newRow("older row deleted") << false << true << true << true;
    QTest::newRow("row deleted") << false << false << true << false;
}

void TestDevList::rowIndexEdges()
{
    QFETCH(bool, takeOut);
    QFETCH(bool, replace);
    QFETCH(bool, remove);
    QFETCH(bool, found);
    CDevRowIndex rows;
    QTreeWidget tree;
    CHOIDev *pDev = Dev("RX2");
    QTreeWidgetItem *pRow = rows.NewRow(pDev);
    tree.addTopLevelItem(pRow);
    std::unique_ptr<QTreeWidgetItem> pTaken(takeOut ? tree.takeTopLevelItem(0) : nullptr);
    QTreeWidgetItem *pNewer = replace ? rows.NewRow(pDev) : nullptr;
    if (pNewer)
        tree.addTopLevelItem(pNewer);
    if (remove) {
        delete pRow;
        pRow = pNewer;
        // Another device's row may take the freed memory.
        tree.addTopLevelItem(rows.NewRow(Dev("RX7")));
    }
    QCOMPARE(rows.Find(pDev), found ? pRow : nullptr);
}

void TestDevList::longNameWidensItsColumn()
{
    // One renamed row is measured by itself, and its column follows it. A
    // fit of every row still due from earlier work would hide that.
    QTreeWidget *pSource = Tree(m_pSource);
    QCoreApplication::processEvents();
    CHOIDev *pTx = Dev("TX0");
    const QString strAlias = pTx->GetName();
    const int nWidth = pSource->columnWidth(1);
    pTx->SetName(QStringLiteral("Encoder of the main lecture hall, left lectern, second input"));
    emit m_pMgr->OnDeviceNotify(pTx, E_DN_STATUS);
    const QModelIndex cell = pSource->model()->index(pSource->indexOfTopLevelItem(ItemOf(m_pSource, pTx)), 1);
    const int nWanted = pSource->sizeHintForIndex(cell).width();
    QVERIFY(pSource->columnWidth(1) < nWanted);
    QTRY_VERIFY(pSource->columnWidth(1) >= nWanted);
    pTx->SetName(strAlias);
    emit m_pMgr->OnDeviceNotify(pTx, E_DN_STATUS);
    // The later tests click the columns where they were.
    pSource->setColumnWidth(1, nWidth);
}

void TestDevList::newRowNumbering()
{
    // Devices the manager announces with and without a position number.
    QTreeWidget *pSource = Tree(m_pSource);
    const int nRows = pSource->topLevelItemCount();
    int nRowOf3 = -1;
    for (int i = 0; i < nRows; ++i) {
        if (pSource->topLevelItem(i)->text(0) == QLatin1String("3"))
            nRowOf3 = i;
    }
    QVERIFY(nRowOf3 > 0);

    CHOIDev devNew(m_pMgr, CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::E_CT_TELNET);
    devNew.SetHostName(QStringLiteral("ZTX-0A58000001A0"), true);
    emit m_pMgr->OnDeviceNotify(&devNew, E_DN_ADD);
    QCOMPARE(pSource->topLevelItemCount(), nRows + 1);
    QCOMPARE(ItemOf(m_pSource, &devNew), pSource->topLevelItem(nRows));
    QCOMPARE(devNew.GetSequence(), nRows); // rows that are not controllers, itself included
    QCOMPARE(pSource->topLevelItem(nRows)->text(0), QString::number(nRows));

    CHOIDev devSecond(m_pMgr, CHOIDev::E_DT_WP, QStringLiteral("gb"), false, CHOIDev::E_CT_TELNET);
    devSecond.SetHostName(QStringLiteral("ZWP-0A58000001A1"), true);
    devSecond.SetSequence(2);
    emit m_pMgr->OnDeviceNotify(&devSecond, E_DN_ADD);
    QCOMPARE(pSource->indexOfTopLevelItem(ItemOf(m_pSource, &devSecond)), nRowOf3);
    QCOMPARE(pSource->topLevelItem(nRowOf3 + 1)->text(0), QStringLiteral("3"));
    QVERIFY(!ItemOf(m_pDisplay, &devNew));

    emit m_pMgr->OnDeviceNotify(&devNew, E_DN_REMOVE);
    emit m_pMgr->OnDeviceNotify(&devSecond, E_DN_REMOVE);
    QCOMPARE(pSource->topLevelItemCount(), nRows);
    m_pSource->slotRefreshDeives();
    for (int i = 1; i < nRows; ++i)
        QCOMPARE(pSource->topLevelItem(i)->text(0), QString::number(i));
}

// ---------------------------------------------------------------------------
// Renaming

void TestDevList::renameInPlace_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<bool>("rebuildWhileBox"); // the list is rebuilt under each message
    QTest::addColumn<bool>("refused");         // the device refuses the login

    QTest::newRow("trailing underscore") << "Hall1_" << QStringList() << "Hall1" << false << false;
    QTest::newRow("trailing blank and at") << "Hall2@ " << QStringList() << "Hall2" << false << false;
    QTest::newRow("ampersand and asterisk") << "Ha&ll*2b" << QStringList({"Character '&' error.", "Character '*' error."})
                                           << "Hall2b" << false << false;
    QTest::newRow("quote and braces") << "H\"a{l}l4"
                                     << QStringList({"Character '{' error.", "Character '}' error.",
                                                     "Character '\"' error."})
                                     << "Hall4" << false << false;
    QTest::newRow("list rebuilt under the messages")
        << "Ha&l*l5_" << QStringList({"Character '&' error.", "Character '*' error."}) << "Hall5" << true << false;
    // Shown until the device's failure puts the alias before back.
    QTest::newRow("login refused") << "Inline" << QStringList() << "Inline" << false << true;
}

void TestDevList::renameInPlace()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QString, alias);
    QFETCH(bool, rebuildWhileBox);
    QFETCH(bool, refused);

    CHOIDev *pDev = Dev("TX0");
    SimDevice *pSim = m_pLan->Device(SimIndex("TX0"));
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pDev);
    const QString strBefore = pDev->GetDisplayName();
    const QString strSimBefore = pSim->param(QStringLiteral("name"));
    const int nRetryMs = pDev->GetRetryInterval();
    const auto restore = qScopeGuard([&] {
        pSim->setPassword(QString());
        pSim->setLoginRetryDelay(300);
        pDev->SetRetryInterval(nRetryMs);
    });
    if (refused) {
        pDev->CloseComm();
        pDev->SetRetryInterval(100);
        pSim->setPassword(QStringLiteral("not the console's"));
        pSim->setLoginRetryDelay(0);
    }
    QSignalSpy ends(pDev, &CHOIDev::OnCmdCompleted);
    QSignalSpy nameSpy(m_pSource, &CFrameDevList::signalListToGroupDevName);
    CBoxRecorder boxes;
    if (rebuildWhileBox)
        boxes.WhileOpen([this]() { emit m_pMgr->signalFoundQN714(Dev("CTRL")); });
    pItem->setText(1, typed);
    pItem = ItemOf(m_pSource, pDev);

    QCOMPARE(boxes.Texts(), messages);
    for (const T_SeenBox &box : boxes.Boxes()) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QString());
    }
    QCOMPARE(pItem->text(1), alias);
    QCOMPARE(pDev->GetName(), alias);
    QCOMPARE(nameSpy.count(), 1);
    QCOMPARE(nameSpy.at(0).at(0).value<CHOIDev *>(), pDev);
    if (messages.isEmpty() && typed != alias) {
        QCOMPARE(pItem->toolTip(1), kInvalidTip);
        QVERIFY(pItem->flags() & Qt::ItemIsEditable);
    }
    // Kept once the device took it; refused, the alias before is back.
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 10000);
    const QString strKept = refused ? strBefore : alias;
    QCOMPARE(pDev->GetDisplayName(), strKept);
    QCOMPARE(ItemOf(m_pSource, pDev)->text(1), strKept);
    QCOMPARE(pSim->param(QStringLiteral("name")), refused ? strSimBefore : alias);
}

void TestDevList::renameToDisplayNameSendsNothing()
{
    CHOIDev *pDev = Dev("TX0");
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pDev);
    // The device took a new alias elsewhere; the row still shows the old one.
    pDev->SetName(QStringLiteral("Elsewhere"));
    QSignalSpy changed(pDev, &CHOIDev::OnNameChanged);
    QSignalSpy nameSpy(m_pSource, &CFrameDevList::signalListToGroupDevName);
    CBoxRecorder boxes;
    pItem->setText(1, QStringLiteral("Elsewhere"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(nameSpy.count(), 0);
    QVERIFY(boxes.Boxes().isEmpty());
    QVERIFY(NoCommandWithin("TX0", "gbparam s", 300));
}

void TestDevList::renameEmptyResetsToDefault()
{
    CHOIDev *pDev = Dev("TX0");
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pDev);
    QSignalSpy nameSpy(m_pSource, &CFrameDevList::signalListToGroupDevName);
    pItem->setText(1, QString());
    const QString strDefault = pDev->GetDefaultName();
    QCOMPARE(strDefault, QStringLiteral("Encoder-0A5800000000"));
    QCOMPARE(pDev->GetName(), strDefault);
    QCOMPARE(pItem->text(1), strDefault);
    QCOMPARE(nameSpy.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_pLan->Device(SimIndex("TX0"))->param(QStringLiteral("name")), strDefault, 5000);
}

void TestDevList::renameVirtualTxGoesToGateway()
{
    CHOIDev *pCam = Dev("VTX");
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pCam);
    QSignalSpy nameSpy(m_pSource, &CFrameDevList::signalListToGroupDevName);
    pItem->setText(1, QStringLiteral("Door"));
    QCOMPARE(pCam->GetName(), QStringLiteral("Door"));
    QCOMPARE(Dev("GW")->GetIpcList().at(0)->aliasname, QStringLiteral("Door"));
    QCOMPARE(nameSpy.count(), 0);
    QVERIFY(NoCommandWithin("GW", "gbparam s", 300));
}

void TestDevList::doubleClickOpensAliasOnly_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("editor");

    QTest::newRow("alias of an on-line TX") << "TX0" << 1 << true;
    QTest::newRow("type column") << "TX0" << 2 << false;
    QTest::newRow("address column") << "TX0" << 4 << false;
    QTest::newRow("alias of an off-line TX") << "TX1" << 1 << false;
    QTest::newRow("alias of the controller") << "CTRL" << 1 << false;
}

void TestDevList::doubleClickOpensAliasOnly()
{
    QFETCH(QString, key);
    QFETCH(int, column);
    QFETCH(bool, editor);

    CFrameDevList *pFrame = FrameOf(key);
    QTreeWidget *pTree = Tree(pFrame);
    QTreeWidgetItem *pItem = ItemOf(pFrame, Dev(key));
    // Editable from an earlier double-click on the alias.
    pItem->setFlags(pItem->flags() | Qt::ItemIsEditable);
    pTree->scrollToItem(pItem);
    const QPoint pos = pTree->visualRect(pTree->model()->index(pTree->indexOfTopLevelItem(pItem), column)).center();
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseDClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    QLineEdit *pEditor = nullptr;
    const QList<QLineEdit *> editors = pTree->viewport()->findChildren<QLineEdit *>();
    for (QLineEdit *pEdit : editors) {
        if (pEdit->isVisible())
            pEditor = pEdit;
    }
    const bool bOpen = pEditor != nullptr;
    QCOMPARE(bOpen, editor);
    if (bOpen)
        QTest::keyClick(pEditor, Qt::Key_Escape);
    QCOMPARE(bool(pItem->flags() & Qt::ItemIsEditable), editor);
}

// ---------------------------------------------------------------------------
// Moving

void TestDevList::moveButtons()
{
    QTreeWidget *pTree = Tree(m_pSource);
    QPushButton *pUp = m_pSource->findChild<QPushButton *>(QStringLiteral("pbUpItem"));
    QPushButton *pDown = m_pSource->findChild<QPushButton *>(QStringLiteral("pbDownItem"));
    auto click = [&](int row, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QTreeWidgetItem *pItem = pTree->topLevelItem(row);
        QTest::mouseClick(pTree->viewport(), Qt::LeftButton, mod, pTree->visualItemRect(pItem).center());
    };

    QSignalSpy changeSpy(m_pSource, &CFrameDevList::onItemChange);
    click(1); // the first row below the controller
    QVERIFY(!pUp->isEnabled());
    QVERIFY(pDown->isEnabled());
    QCOMPARE(changeSpy.count(), 1);
    QCOMPARE(changeSpy.at(0).at(0).value<CHOIDev *>(), VariantToDev(pTree->topLevelItem(1)->data(0, Qt::UserRole)));

    click(0); // the controller
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());

    click(2);
    QVERIFY(pUp->isEnabled());
    QVERIFY(pDown->isEnabled());
    click(3, Qt::ControlModifier);
    QCOMPARE(pTree->selectedItems().size(), 2);
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());

    click(pTree->topLevelItemCount() - 1);
    QVERIFY(pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());
}

void TestDevList::moveRows()
{
    QTreeWidget *pTree = Tree(m_pSource);
    QPushButton *pUp = m_pSource->findChild<QPushButton *>(QStringLiteral("pbUpItem"));
    QPushButton *pDown = m_pSource->findChild<QPushButton *>(QStringLiteral("pbDownItem"));
    auto devAt = [&](int row) { return VariantToDev(pTree->topLevelItem(row)->data(0, Qt::UserRole)); };
    CHOIDev *pFirst = devAt(1);
    CHOIDev *pSecond = devAt(2);
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pTree->visualItemRect(pTree->topLevelItem(1)).center());

    QTest::mouseClick(pDown, Qt::LeftButton);
    QCOMPARE(devAt(1), pSecond);
    QCOMPARE(devAt(2), pFirst);
    QCOMPARE(pFirst->GetSequence(), 2);
    QCOMPARE(pSecond->GetSequence(), 1);
    QCOMPARE(pTree->topLevelItem(1)->text(0), QStringLiteral("1"));
    QCOMPARE(pTree->topLevelItem(2)->text(0), QStringLiteral("2"));
    QCOMPARE(pTree->currentItem(), pTree->topLevelItem(2));
    QVERIFY(pUp->isEnabled());

    QTest::mouseClick(pUp, Qt::LeftButton);
    QCOMPARE(devAt(1), pFirst);
    QCOMPARE(devAt(2), pSecond);
    QCOMPARE(pFirst->GetSequence(), 1);
    QCOMPARE(pSecond->GetSequence(), 2);
    QCOMPARE(pTree->currentItem(), pTree->topLevelItem(1));
    // Nothing moves above the controller.
    QVERIFY(!pUp->isEnabled());
    QCOMPARE(devAt(0), Dev("CTRL"));
}

// ---------------------------------------------------------------------------
// Context menu

void TestDevList::contextMenu_data()
{
    QTest::addColumn<QStringList>("selection");
    QTest::addColumn<bool>("onEmptyArea");
    QTest::addColumn<QStringList>("entries");

    const QStringList tail = {"Delete", "Update Device Data", "Reboot", "Reset to Factory Default"};
    QTest::newRow("single TX") << QStringList({"TX0"}) << false
                               << QStringList({"General Settings", "Serial Settings", "Audio Settings", "---",
                                               "CEC One Touch Play", "CEC Standby", "Analog Audio Unmute",
                                               "Analog Audio Mute", "HDMI Audio Unmute", "HDMI Audio Mute", "---",
                                               "EDID Export", "Reset EDID", "EDID Settings", "---"})
            + tail;
    QTest::newRow("single RX") << QStringList({"RX2"}) << false
                               << QStringList({"General Settings", "Video Settings", "Display Power Settings", "---",
                                               "Idle Image Settings", "Idle Image Settings", "Turn On OSD",
                                               "Turn Off OSD", "---"})
            + tail;
    QTest::newRow("single MRX") << QStringList({"MRX3"}) << false
                                << QStringList({"General Settings", "Video Settings", "Audio Settings", "---",
                                                "Layout Settings", "---", "Windowing Image Settings",
                                                "Idle Image Settings", "Overlay Image Settings",
                                                "Turn On IP/MAC Display", "Turn Off IP/MAC Display", "---"})
            + tail;
    QTest::newRow("single WP") << QStringList({"WP"}) << false
                               << QStringList({"General Settings", "---", "Turn On IP/MAC Display",
                                               "Turn Off IP/MAC Display", "---"})
            + tail;
    QTest::newRow("single GW") << QStringList({"GW"}) << false
                               << QStringList({"General Settings", "---", "Virsual TX Settings", "---"}) + tail;
    QTest::newRow("two devices") << QStringList({"TX0", "WP"}) << false
                                 << QStringList({"General Settings [off]", "Serial Settings [off]", "---"}) + tail;
    QTest::newRow("controller") << QStringList({"CTRL"}) << false
                                << QStringList({"Upload", "Download", "IP Config", "Delete", "Update Device Data",
                                                "Reboot"});
    QTest::newRow("controller and TX") << QStringList({"CTRL", "TX0"}) << false
                                       << QStringList({"General Settings [off]", "---"}) + tail;
    QTest::newRow("camera") << QStringList({"VTX"}) << false << QStringList({"<none>"});
    QTest::newRow("TX then camera") << QStringList({"TX0", "VTX"}) << false << QStringList({"<none>"});
    QTest::newRow("TX, OSD device, then camera")
        << QStringList({"TX0", "WP", "VTX"}) << false
        << QStringList({"General Settings [off]", "Serial Settings [off]", "---"}) + tail;
    QTest::newRow("empty area with a selection") << QStringList({"TX0"}) << true << QStringList({"<none>"});
}

void TestDevList::contextMenu()
{
    QFETCH(QStringList, selection);
    QFETCH(bool, onEmptyArea);
    QFETCH(QStringList, entries);

    CFrameDevList *pFrame = FrameOf(selection.first());
    Select(selection);
    QPoint pos = RowCentre(pFrame, selection.first());
    if (onEmptyArea) {
        QWidget *pViewport = Tree(pFrame)->viewport();
        pos = QPoint(10, pViewport->height() - 5);
        QVERIFY(!Tree(pFrame)->itemAt(pos));
    }
    QCOMPARE(MenuAt(pFrame, pos), entries);
}

void TestDevList::contextMenuOffersOnlyDeleteForUnknownKind()
{
    CHOIDev *pWp = Dev("WP");
    Select({"WP"});
    const QPoint pos = RowCentre(m_pSource, "WP");
    pWp->m_eDevType = CHOIDev::E_DT_UNKNOWN;
    const QStringList entries = MenuAt(m_pSource, pos);
    pWp->m_eDevType = CHOIDev::E_DT_WP;
    // Deleting is all it offers: nothing else would ever remove it.
    QCOMPARE(entries, QStringList({"Delete"}));
    QVERIFY(MenuAt(m_pSource, pos).contains(QStringLiteral("Turn On IP/MAC Display")));
}

// ---------------------------------------------------------------------------
// Settings dialogs

void TestDevList::dialogRouting_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QStringList>("selection");
    QTest::addColumn<QString>("dialog"); // empty: none opens
    QTest::addColumn<bool>("frameParent");

    QTest::newRow("video") << "slotVideoSettings" << QStringList({"MRX3"}) << "CDlgVideoConfig" << true;
    QTest::newRow("video VX7100") << "slotVideoSettingsForVX7100" << QStringList({"RX2"})
                                  << "CDlgVideoSetting" << false;
    QTest::newRow("serial") << "slotSerialConfig" << QStringList({"TX0"}) << "CDlgSerialSetting" << false;
    QTest::newRow("audio") << "slotVolumeSettings" << QStringList({"TX0"}) << "CDlgVolumeConfig" << true;
    QTest::newRow("display power") << "slotSinkPowerSettings" << QStringList({"RX2"})
                                   << "CDlgSinkPowerSetting" << true;
    QTest::newRow("layout") << "slotLayoutSettings" << QStringList({"MRX3"}) << "CDlgIPMLayoutSettings"
                            << false;
    QTest::newRow("map") << "slotMapSettings" << QStringList({"MRX3"}) << "CDlgMapSettings" << true;
    QTest::newRow("image") << "slotImageSettings" << QStringList({"RX2"}) << "CDlgImageSetting" << true;
    QTest::newRow("overlay") << "slotLogoSettings" << QStringList({"MRX3"}) << "CDlgLogoSettings" << true;
    QTest::newRow("preview") << "slotPreviewSettings" << QStringList({"TX0"}) << "CDlgPreviewImage"
                             << true;
    QTest::newRow("virtual TX") << "slotIPCConfig" << QStringList({"GW"}) << "CDlgIPCConfig" << true;
    QTest::newRow("EDID") << "slotEDIDSettings" << QStringList({"TX0"}) << "CDlgEDIDSetting" << false;
    QTest::newRow("controller IP") << "slotQN714IPConfig" << QStringList({"CTRL"}) << "CDlgDevIPConfig"
                                   << true;
    QTest::newRow("video with two rows") << "slotVideoSettings" << QStringList({"MRX3", "RX2"}) << QString() << true;
}

void TestDevList::dialogRouting()
{
    QFETCH(QString, slot);
    QFETCH(QStringList, selection);
    QFETCH(QString, dialog);
    QFETCH(bool, frameParent);

    struct T_Run
    {
        QString strDialog;
        CHOIDev *pDev;
        QWidget *pParent;
    };
    QList<T_Run> runs;
    CModalWatcher watcher(
        [&runs](QWidget *pWidget) {
            QObject *pDev = pWidget->property(kDevDialogDevice).value<QObject *>();
            runs.append({QString::fromLatin1(pWidget->metaObject()->className()), qobject_cast<CHOIDev *>(pDev),
                         pWidget->parentWidget()});
            pWidget->close();
        },
        false, true);

    CFrameDevList *pFrame = FrameOf(selection.first());
    Select(selection);
    QVERIFY(QMetaObject::invokeMethod(pFrame, slot.toLatin1().constData()));
    if (dialog.isEmpty()) {
        QVERIFY(runs.isEmpty());
        return;
    }
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.at(0).strDialog, dialog);
    QCOMPARE(runs.at(0).pDev, Dev(selection.first()));
    QCOMPARE(runs.at(0).pParent, frameParent ? static_cast<QWidget *>(pFrame) : nullptr);
}

void TestDevList::generalSettingsDialog()
{
    CHOIDev *pDev = Dev("WP");
    Select({"WP"});
    QSignalSpy nameSpy(m_pSource, &CFrameDevList::signalListToGroupDevName);
    QString shownAlias;
    bool bWasDevEdit = false;
    CModalWatcher watcher([&](QWidget *pWidget) {
        CDlgDevEdit *pDlg = qobject_cast<CDlgDevEdit *>(pWidget);
        bWasDevEdit = pDlg != nullptr;
        if (pDlg) {
            shownAlias = pDlg->findChild<QLineEdit *>(QStringLiteral("edtName"))->text();
            // What the dialog reports reaches the row.
            pDev->SetName(QStringLiteral("Stage"));
            emit pDlg->onDevChanged(pDev);
        }
        pWidget->close();
    }, true);
    m_pSource->slotConfigDevice();
    QVERIFY(bWasDevEdit);
    QCOMPARE(shownAlias, pDev->GetDefaultName());
    QCOMPARE(ItemOf(m_pSource, pDev)->text(1), QStringLiteral("Stage"));
    QCOMPARE(nameSpy.count(), 1);
    QCOMPARE(nameSpy.at(0).at(0).value<CHOIDev *>(), pDev);
}

// ---------------------------------------------------------------------------
// Device commands

void TestDevList::deviceCommands_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("CEC one touch play") << "slotCECSettings" << "TX0" << QByteArray("e e_cec_one_touch_play");
    QTest::newRow("CEC standby") << "slotCECSettings2" << "TX0" << QByteArray("e e_cec_system_standby");
    QTest::newRow("analog unmute") << "slotTurnonSettings" << "TX0" << QByteArray("gbconfig --line-out=1 --mute=n");
    QTest::newRow("analog mute") << "slotMuteSettings" << "TX0" << QByteArray("gbconfig --line-out=1 --mute=y");
    QTest::newRow("HDMI unmute") << "slotHDMITurnonSettings" << "TX0"
                                 << QByteArray("gbconfig --hdmi-out-audio --mute=n");
    QTest::newRow("HDMI mute") << "slotHDMIMuteSettings" << "TX0"
                               << QByteArray("gbconfig --hdmi-out-audio --mute=y");
    QTest::newRow("update") << "slotUpdateDevices" << "MRX3" << QByteArray("cat /etc/version");
    QTest::newRow("reboot") << "slotRebootDev" << "RX7" << QByteArray("(sleep 1; reboot) &");
}

void TestDevList::deviceCommands()
{
    QFETCH(QString, slot);
    QFETCH(QString, key);
    QFETCH(QByteArray, line);

    Select({key});
    CBoxRecorder boxes;
    QVERIFY(QMetaObject::invokeMethod(FrameOf(key), slot.toLatin1().constData()));
    QTRY_VERIFY_WITH_TIMEOUT(Commands(key).contains(line), 5000);
    QVERIFY(boxes.Boxes().isEmpty()); // no confirmation for these
}

void TestDevList::singleRowCommandsNeedOneRow()
{
    Select({"TX0", "WP"});
    m_pSource->slotCECSettings();
    m_pSource->slotMuteSettings();
    m_pSource->slotHDMIMuteSettings();
    QVERIFY(NoCommandWithin("TX0", "e e_cec", 0));
    QVERIFY(NoCommandWithin("TX0", "gbconfig --", 300));

    // "Each" commands take every selected row.
    m_pSource->slotUpdateDevices();
    QTRY_VERIFY_WITH_TIMEOUT(Commands("TX0").contains("cat /etc/version"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(Commands("WP").contains("cat /etc/version"), 5000);
}

void TestDevList::osdOnAndOff()
{
    // The WP shows OSD; a TX does not and gets nothing.
    CHOIDev *pWp = Dev("WP");
    SimDevice *pSim = m_pLan->Device(SimIndex("WP"));
    Select({"WP", "TX0"});
    m_pSource->slotTurnOnOSD();
    QTRY_COMPARE_WITH_TIMEOUT(SimOsdText(*pSim), pWp->GetDisplayName().toUtf8(), 5000);
    m_pSource->slotTurnOffOSD();
    QTRY_VERIFY_WITH_TIMEOUT(SimOsdText(*pSim).isEmpty(), 5000);
    QVERIFY(NoCommandWithin("TX0", "osd_", 200));
}

void TestDevList::resetEdidOnlyTx()
{
    const QByteArray resetLine("cat /sys/devices/platform/display/default_edid_hdmi > "
                               "/sys/devices/platform/videoip/eeprom_content");
    Select({"TX0", "WP"});
    {
        CBoxRecorder boxes;
        boxes.Answer(QMessageBox::No);
        m_pSource->slotResetDevEdid();
        QCOMPARE(boxes.Texts(),
                 QStringList({QStringLiteral("Are you sure you want to restore default EDID for TX devices?")}));
        QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Question);
        QCOMPARE(boxes.Boxes().at(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(boxes.Boxes().at(0).defaultButton, QMessageBox::No);
        QVERIFY(NoCommandWithin("TX0", "cat /sys/devices/platform/display", 300));
    }
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    m_pSource->slotResetDevEdid();
    QTRY_VERIFY_WITH_TIMEOUT(Commands("TX0").contains(resetLine), 5000);
    QVERIFY(NoCommandWithin("WP", "cat /sys/devices/platform/display", 200));
}

void TestDevList::hexTextToBytes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("blank-separated pairs") << QByteArray("00 ff ff") << QByteArray::fromHex("00ffff");
    QTest::newRow("device dump") << QByteArray("00 ff ff ff | ff ff ff 00\r\n4c 2d")
                                 << QByteArray::fromHex("00ffffffffffff004c2d");
    QTest::newRow("longest run, low 8 bits") << QByteArray("00ff|1234") << QByteArray::fromHex("ff34");
    QTest::newRow("0x prefix") << QByteArray("0x1F,0X2a") << QByteArray::fromHex("1f2a");
    QTest::newRow("0 before x without digit") << QByteArray("0xg") << QByteArray::fromHex("00");
    QTest::newRow("letters beyond f are skipped") << QByteArray("zz 9g") << QByteArray::fromHex("09");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("4096 characters at most") << QByteArray("1 ").repeated(3000) << QByteArray(2048, '\x01');
}

void TestDevList::hexTextToBytes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexTextToBytes(text), bytes);
}

void TestDevList::edidExport_data()
{
    QTest::addColumn<QString>("edid");
    QTest::addColumn<QString>("answer"); // the file chosen: "ok", "cancel", "bad"
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QByteArray>("bytes");

    const QString whole = QString::fromLatin1(TestEdid(128, '\0').toHex(' '));
    QTest::newRow("pairs") << whole << "ok" << QStringList({"Exported successfully."}) << true << TestEdid(128, '\0');
    QTest::newRow("cut at slash") << whole + "/12 34" << "ok" << QStringList({"Exported successfully."}) << true
                                  << TestEdid(128, '\0');
    // A cut EDID is refused before a file is asked for.
    QTest::newRow("not whole") << "00 ff ff ff ff ff ff 00" << "ok" << QStringList({"Exported failed."}) << false
                               << QByteArray();
    QByteArray badSecond = TestEdid(256, '\0');
    badSecond[128 + 10] = 1; // the announced second block's sum is no longer 0
    QTest::newRow("second block's sum wrong") << QString::fromLatin1(badSecond.toHex(' ')) << "ok"
                                              << QStringList({"Exported failed."}) << false << QByteArray();
    QTest::newRow("empty EDID") << "" << "ok" << QStringList({"the EDID is empty."}) << false << QByteArray();
    QTest::newRow("cancelled") << whole << "cancel" << QStringList() << true << QByteArray();
    QTest::newRow("cannot be written") << whole << "bad" << QStringList({"Exported failed."}) << true
                                       << QByteArray();
}

void TestDevList::edidExport()
{
    QFETCH(QString, edid);
    QFETCH(QString, answer);
    QFETCH(QStringList, messages);
    QFETCH(bool, asked);
    QFETCH(QByteArray, bytes);

    CHOIDev *pDev = Dev("TX0");
    pDev->m_strEdid = edid;
    const QString path = m_tmpDir.filePath(QStringLiteral("edid.bin"));
    QFile::remove(path);
    QList<T_FileDialogRequest> requests;
    SetFileDialogRunner([&](const T_FileDialogRequest &request) {
        requests.append(request);
        if (answer == QLatin1String("cancel"))
            return QString();
        if (answer == QLatin1String("bad"))
            return m_tmpDir.filePath(QStringLiteral("missing/edid.bin"));
        return path;
    });
    Select({"TX0"});
    CBoxRecorder boxes;
    m_pSource->slotEDIDExport();
    SetFileDialogRunner(FileDialogRunner());

    QCOMPARE(boxes.Texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(boxes.Boxes().at(0).icon, edid.isEmpty() ? QMessageBox::Critical : QMessageBox::Information);
    QCOMPARE(requests.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(requests.at(0).eKind, E_FD_SAVE_FILE);
        QCOMPARE(requests.at(0).strCaption, QStringLiteral("EDID Export"));
        QCOMPARE(requests.at(0).strDir, EdidDirPath());
        QCOMPARE(requests.at(0).strFilter, QStringLiteral("Sceneinfo file (*.bin)"));
    }
    QFile file(path);
    if (bytes.isEmpty()) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
}

void TestDevList::controllerOperations()
{
    QSignalSpy operSpy(m_pSource, &CFrameDevList::signalQN714Operate);
    Select({"CTRL"});
    m_pSource->slotQN714Upload();
    m_pSource->slotQN714Download();
    QCOMPARE(operSpy.count(), 2);
    QCOMPARE(operSpy.at(0).at(0).value<CFrameDevList::E_QN714Operate>(), CFrameDevList::E_QO_UPLOAD);
    QCOMPARE(operSpy.at(1).at(0).value<CFrameDevList::E_QN714Operate>(), CFrameDevList::E_QO_DOWNLOAD);

    m_pSource->slotUpdateQN714Devices();
    QTRY_VERIFY_WITH_TIMEOUT(m_pCtrlSim->receivedLines().contains("config get version"), 5000);
    QVERIFY(m_pCtrlSim->receivedLines().contains("config get ipsetting"));
    QVERIFY(m_pCtrlSim->receivedLines().contains("config get ipsetting2"));

    // On the manager's request too.
    m_pCtrlSim->clearReceived();
    emit m_pMgr->signalGetIPandVersionQN714(Dev("CTRL"));
    QTRY_VERIFY_WITH_TIMEOUT(m_pCtrlSim->receivedLines().contains("config get ipsetting2"), 5000);

    // The controller's answer rebuilds the lists, which drops the selection;
    // the link closes once the answer is read.
    QTRY_VERIFY_WITH_TIMEOUT(!Dev("CTRL")->GetComm()->IsConnected(), 5000);
    QVERIFY(!Tree(m_pSource)->currentItem());
    Select({"CTRL"});
    m_pSource->slotQN714Reboot();
    QTRY_VERIFY_WITH_TIMEOUT(m_pCtrlSim->receivedLines().contains("config set reboot"), 5000);
}

// ---------------------------------------------------------------------------
// End of a search

void TestDevList::searchEndWithoutDevices()
{
    // An interface switched on whose cable end is off is not running.
    QProcess::execute(QStringLiteral("ip"), {"link", "add", "hoiup0", "type", "veth", "peer", "name", "hoiup1"});
    QProcess::execute(QStringLiteral("ip"), {"addr", "add", "10.77.0.1/24", "dev", "hoiup0"});
    QProcess::execute(QStringLiteral("ip"), {"link", "set", "hoiup0", "up"});
    const QNetworkInterface idle = QNetworkInterface::interfaceFromName(QStringLiteral("hoiup0"));
    QVERIFY(idle.isValid());
    QCOMPARE(idle.addressEntries().size(), 1);
    QVERIFY(!(idle.flags() & QNetworkInterface::IsRunning));

    // The console's end and the devices' end of the test LAN, in interface order.
    QStringList veth0 = {QStringLiteral("10.88.0.1/255.255.0.0")};
    QStringList veth1;
    for (int i = 0; i < CSimLan::AvailableAddresses(); ++i)
        veth1 << m_pLan->Address(i).toString() + QStringLiteral("/255.255.0.0");
    const bool bVeth0First = QNetworkInterface::interfaceIndexFromName(QStringLiteral("veth0"))
        < QNetworkInterface::interfaceIndexFromName(QStringLiteral("veth1"));
    const QString addrs = (bVeth0First ? veth0 + veth1 : veth1 + veth0).join(QLatin1Char('\n'));

    CBoxRecorder boxes;
    m_pSource->slotOnSearchStop(0, true);
    QVERIFY(boxes.Boxes().isEmpty());
    m_pDisplay->slotOnSearchStop(0, true);
    m_pDisplay->slotOnSearchStop(3, false);
    QProcess::execute(QStringLiteral("ip"), {"link", "del", "hoiup0"});

    QCOMPARE(boxes.Texts(),
             QStringList({QStringLiteral("The search is complete. 0 devices found.\n\nPlease check the IP address "
                                         "settings\n(Current PC IP address/subnet mask:\n%1),\nand make sure that "
                                         "this software is not blocked by the firewall.")
                              .arg(addrs),
                          QStringLiteral("The search is complete. 3 devices found.")}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Information);
}

// ---------------------------------------------------------------------------
// Changes that end devices; kept last.

void TestDevList::encoderTakenFromGatewayShownAsFound()
{
    // The gateway's list names an encoder that is off: it stands as the
    // gateway's camera, under the record's alias and on line with it.
    const int iSim = SimIndex("TX1");
    const QString host = Dev("TX1")->GetHostName();
    QVERIFY(m_pMgr->RemoveDevice(Dev("TX1")));
    m_pMgr->AddIpcDev(QStringLiteral("Cam9"), host, Dev("GW"));
    CHOIDev *pEnc = Dev("TX1");
    pEnc->m_bOnLine = true;
    QCOMPARE(ItemOf(m_pSource, pEnc)->text(1), QStringLiteral("Cam9"));

    // It answers the on-line check at its own address: it is named and
    // shown as a device found.
    m_pLan->Device(iSim)->setParam(QStringLiteral("name"), QStringLiteral("Studio"));
    m_pLan->SetDeviceOn(iSim, true);
    m_pMgr->SetOnLineTimings(0, 3600000);
    QTRY_VERIFY_WITH_TIMEOUT(!pEnc->GetVersion().isEmpty(), 10000);
    QTreeWidgetItem *pItem = ItemOf(m_pSource, pEnc);
    QTRY_COMPARE(QStringList({pItem->text(1), pItem->text(4), pItem->text(5)}),
                 QStringList({QStringLiteral("Studio"), m_pLan->Address(iSim).toString(), pEnc->GetVersion()}));
    m_pMgr->SetOnLineTimings(-1, 3600000);
}

void TestDevList::resetToFactoryDefault()
{
    CHOIDev *pRx = Dev("RX2");
    CHOIDev *pMrx = Dev("MRX3");
    QCOMPARE(pRx->GetIPMode(), CHOIDev::E_IM_STATIC);
    QCOMPARE(pMrx->GetIPMode(), CHOIDev::E_IM_STATIC);
    Select({"RX2", "MRX3"});
    {
        CBoxRecorder boxes;
        m_pDisplay->slotResetDevDefault(); // the default answer is No
        QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("Are you sure you want to restore default settings?")}));
        QCOMPARE(boxes.Boxes().at(0).defaultButton, QMessageBox::No);
        QVERIFY(NoCommandWithin("RX2", "reset_to_default.sh", 300));
    }
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    m_pDisplay->slotResetDevDefault();
    for (const char *key : {"RX2", "MRX3"}) {
        QTRY_VERIFY_WITH_TIMEOUT(Commands(QLatin1String(key)).contains("reboot"), 5000);
        const QList<QByteArray> lines = Commands(QLatin1String(key));
        QCOMPARE(lines.indexOf("reset_to_default.sh") + 1, lines.indexOf("reboot"));
    }
    // The decoder of the VX7100 kind forgets what the program kept of it.
    QCOMPARE(pRx->GetIPMode(), CHOIDev::E_IM_AUTOIP);
    QCOMPARE(pMrx->GetIPMode(), CHOIDev::E_IM_STATIC);
}

void TestDevList::deleteRefused()
{
    const int nDevs = m_pMgr->GetDevCount();
    const int nRows = Tree(m_pSource)->topLevelItemCount();
    Select({"WP"});
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::No);
    m_pSource->slotDeleteDevices();
    QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("Are you sure you want to delete the selected devices?")}));
    QCOMPARE(boxes.Boxes().at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(boxes.Boxes().at(0).defaultButton, QMessageBox::No);
    QCOMPARE(m_pMgr->GetDevCount(), nDevs);
    QCOMPARE(Tree(m_pSource)->topLevelItemCount(), nRows);

    // Nothing selected: not even a question.
    Tree(m_pSource)->clearSelection();
    m_pSource->slotDeleteDevices();
    QCOMPARE(boxes.Boxes().size(), 1);
}

void TestDevList::deleteGatewayAndController()
{
    CHOIDev *pGw = Dev("GW");
    CHOIDev *pCtrl = Dev("CTRL");
    const QString ctrlHost = pCtrl->GetHostName();
    const QString gwGroup = pGw->GetGroup();
    QCOMPARE(gwGroup, g_strUngrouped);
    QTreeWidget *pTree = Tree(m_pSource);
    const int nRows = pTree->topLevelItemCount();
    const int nDevs = m_pMgr->GetDevCount();

    QStringList events;
    connect(m_pSource, &CFrameDevList::signalListToGroupTXDev, this, [&]() { events << QStringLiteral("TXDev"); });
    connect(m_pSource, &CFrameDevList::signalDevFrameTo, this,
            [&](const QString &group) { events << QStringLiteral("to:") + group; });
    Select({"GW", "CTRL"});
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    // The controller answers while the question is open: its rebuild of the
    // list waits, and the rows confirmed go.
    boxes.WhileOpen([this]() { emit m_pMgr->signalFoundQN714(Dev("CTRL")); });
    m_pSource->slotDeleteDevices();
    disconnect(m_pSource, nullptr, this, nullptr);

    QCOMPARE(events, QStringList({"TXDev", "to:" + gwGroup, "TXDev", "to:"}));
    // The gateway's camera went with it.
    QCOMPARE(pTree->topLevelItemCount(), nRows - 3);
    QCOMPARE(m_pMgr->GetDevCount(), nDevs - 3);
    QVERIFY(!m_pMgr->FindDevByHostName(QLatin1String(kVtxHost)));
    QVERIFY(!Dev("GW"));
    QVERIFY(!Dev("CTRL"));
    // A fresh record of the controller is kept, so a search ignores it.
    QVERIFY(m_pMgr->FindListedDevByHostName(ctrlHost));
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        QCOMPARE(pTree->topLevelItem(i)->text(0), QString::number(i + 1));
    QCOMPARE(Tree(m_pDisplay)->topLevelItemCount(), 3);
    // The rebuild put off comes afterwards and finds the same rows.
    const int kMarkRole = Qt::UserRole + 1;
    pTree->topLevelItem(0)->setData(0, kMarkRole, true);
    QTRY_VERIFY(!pTree->topLevelItem(0)->data(0, kMarkRole).isValid());
    QCOMPARE(pTree->topLevelItemCount(), nRows - 3);
}

void TestDevList::deleteFromDisplayList()
{
    CHOIDev *pRx = Dev("RX7");
    Select({"RX7"});
    QSignalSpy toSpy(m_pDisplay, &CFrameDevList::signalDevFrameTo);
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    m_pDisplay->slotDeleteDevices();
    QCOMPARE(toSpy.count(), 1);
    QVERIFY(!ItemOf(m_pDisplay, pRx));
    QCOMPARE(Tree(m_pDisplay)->topLevelItemCount(), 2);
    QVERIFY(!Dev("RX7"));
    // A later notice for another device still reaches the list.
    QVERIFY(m_pMgr->RemoveDevice(Dev("MRX3")));
    QCOMPARE(Tree(m_pDisplay)->topLevelItemCount(), 1);
}

QTEST_MAIN(TestDevList)
#include "tst_devlist.moc"
