// What ships beside the executable, walked as an operator would: every
// product of config.xml loads and every window its device menu lists opens
// under its own title against a simulated device of that product, the
// multiview layout pictures load, the IR database lists types whose keys
// the IR pad offers, and every Help entry opens a file that is there.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include "batch/dlgbatch.h"
#include "control/devfiltergroupbox.h"
#include "control/dlgirctrl.h"
#include "devlist/framedevlist.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/ircodetable.h"
#include "hoi_core/prodidinfo.h"
#include "hoiwidget/itemdata.h"
#include "mainwindow/mainwindow.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

#include "consoletestsupport.h"

namespace {

// The device menu entries that open a window, and every window (class and
// title) that the device menus of all products together open.
const QStringList kWindowEntries = {"General Settings", "Video Settings", "Serial Settings", "Audio Settings",
                                    "Display Power Settings", "Layout Settings", "Windowing Image Settings",
                                    "Idle Image Settings", "Overlay Image Settings", "Virsual TX Settings",
                                    "EDID Export", "EDID Settings", "IP Config"};
const QStringList kAllWindows = {
    "CDlgDevEdit/General Settings", "CDlgDevIPConfig/IP Config", "CDlgEDIDSetting/EDID Settings",
    "CDlgIPCConfig/Virsual TX Settings", "CDlgIPMLayoutSettings/Layout Settings",
    "CDlgImageSetting/Idle Image Settings", "CDlgLogoSettings/Overlay Image Settings",
    "CDlgMapSettings/Idle Image Settings", "CDlgMapSettings/Windowing Image Settings",
    "CDlgSerialSetting/Serial Settings", "CDlgSinkPowerSetting/Display Power Settings",
    "CDlgVideoConfig/Video Settings", "CDlgVideoSetting/Video Settings", "CDlgVolumeConfig/Audio Settings",
    "QFileDialog/EDID Export"};

QString ShippedFile(const QString &name)
{
    return qEnvironmentVariable("HOI_BIN_DIR") + QLatin1Char('/') + name;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The row of a device in a device tree, or null.
QTreeWidgetItem *RowOf(QTreeWidget *pTree, const CHOIDev *pDev)
{
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        if (VariantToDev(pTree->topLevelItem(i)->data(0, Qt::UserRole)) == pDev)
            return pTree->topLevelItem(i);
    }
    return nullptr;
}

// A virtual TX: a camera of a gateway, never found by a search.
bool IsCamera(const T_ProdIdInfo &prod)
{
    return prod.ipc_flag && T_ProdIdInfo::TypeText2DevType(prod.type) == CHOIDev::E_DT_TX;
}

QString SimType(const T_ProdIdInfo &prod)
{
    const int type = T_ProdIdInfo::TypeText2DevType(prod.type);
    return QStringList({"", "TX", "RX", "MRX", "WP", "GW", "QN714"}).value(type);
}

// Takes the place of the desktop: records every address it is asked to open.
class CUrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestShipped : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void productsLoad();
    void layoutPictures();
    void deviceMenus_data();
    void deviceMenus();
    void everyWindowReached();
    void virtualTxHasNoMenu();
    void batchVideoPage_data();
    void batchVideoPage();
    void irPadOffersDatabaseKeys();
    void helpEntries();

private:
    CHOIDev *DevOf(const QString &id) const;
    CFrameDevList *FrameOf(CHOIDev *pDev) const;
    QStringList MenuOf(CHOIDev *pDev, int nTrigger = -1);

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    SimDevice *m_pCtrlSim = nullptr;
    CFrameDevList *m_pSource = nullptr;
    CFrameDevList *m_pDisplay = nullptr;
    QMap<QString, QString> m_hosts; // product id -> host name
    QString m_cameraId;             // the product of the virtual TX
    QSet<QString> m_reached;        // class/title of every window opened
};

void TestShipped::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QVERIFY2(!qEnvironmentVariableIsEmpty("HOI_BIN_DIR"), "run through ctest");
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    RegisterHoiMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    InitConsoleResources();
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char *name : {"config.xml", "IPMLayout.xml", "menuhelp.xml", "ZEZOControlTable.db"}) {
        QFile::remove(here.filePath(name));
        QVERIFY2(QFile::copy(ShippedFile(name), here.filePath(name)), name);
    }

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());
    QVERIFY(m_pMgr->LoadLayoutConfig());
    QVERIFY(m_pMgr->LoadMenuConfig());

    // One simulated device of every product that answers discovery; the
    // controller serves its shell on its own port.
    m_pLan = new CSimLan;
    QString gatewayId;
    for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
        if (IsCamera(prod))
            continue;
        if (prod.ipc_enable && gatewayId.isEmpty())
            gatewayId = prod.id;
        const QString host = CSimLan::HostNameFor(prod.id, m_pLan->Count());
        const bool bCtrl = SimType(prod) == QLatin1String("QN714");
        SimDevice *pSim = m_pLan->AddDevice(host, SimType(prod), !bCtrl);
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
        if (bCtrl) {
            m_pCtrlSim = new SimDevice(host, QStringLiteral("QN714"));
            SimInstallDeviceCommands(*m_pCtrlSim);
            SimSetControllerVersion(*m_pCtrlSim, "2.1", "3.4");
            QVERIFY(m_pCtrlSim->listen(m_pLan->Address(m_pLan->Count() - 1), 23000));
        }
        m_hosts.insert(prod.id, prod.tx_if_count > 1 ? host + QStringLiteral(":1") : host);
    }
    QVERIFY(m_pLan->Start());

    m_pSource = new CFrameDevList;
    m_pSource->SetListMode(true, false, true);
    m_pDisplay = new CFrameDevList;
    m_pDisplay->SetListMode(false, true, false);
    for (CFrameDevList *pFrame : {m_pSource, m_pDisplay}) {
        pFrame->resize(600, 500);
        pFrame->show();
        QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    }
    CBoxRecorder boxes; // the end of the search is reported
    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 60000);
    m_pMgr->InitMrxLayouts();
    // The controller's version rebuilds the lists once more.
    QTRY_VERIFY_WITH_TIMEOUT(!DevOf(QStringLiteral("QN714"))->GetVersion().isEmpty(), 10000);

    // The cameras of the gateway.
    CHOIDev *pGateway = DevOf(gatewayId);
    QVERIFY(pGateway);
    for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
        if (!IsCamera(prod))
            continue;
        T_IpcInfo *pInfo = new T_IpcInfo;
        pInfo->aliasname = QStringLiteral("Lobby camera");
        pInfo->hostname = prod.id + QStringLiteral("-02A7C5F10001");
        pGateway->AddIpcInfo(pInfo);
        m_pMgr->AddIpcDev(pInfo->aliasname, pInfo->hostname, pGateway);
        m_hosts.insert(prod.id, pInfo->hostname);
        m_cameraId = prod.id;
    }
    for (const QString &id : m_hosts.keys())
        QVERIFY2(DevOf(id), qPrintable(id));
}

void TestShipped::cleanupTestCase()
{
    SetFileDialogRunner(FileDialogRunner());
    CDlgIrCtrl::DestroyDlg();
    delete m_pSource;
    delete m_pDisplay;
    delete m_pLan;
    delete m_pCtrlSim;
    g_pDevMgr = nullptr;
    delete m_pMgr;
}

CHOIDev *TestShipped::DevOf(const QString &id) const
{
    return m_pMgr->FindDevByHostName(m_hosts.value(id));
}

CFrameDevList *TestShipped::FrameOf(CHOIDev *pDev) const
{
    const CHOIDev::DevType eType = pDev->GetDevType();
    return (eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX) ? m_pDisplay : m_pSource;
}

// The entries of the device's menu ("<none>" when it opens none); with
// nTrigger, that entry is chosen.
QStringList TestShipped::MenuOf(CHOIDev *pDev, int nTrigger)
{
    CFrameDevList *pFrame = FrameOf(pDev);
    QTreeWidget *pTree = pFrame->findChild<QTreeWidget *>(QStringLiteral("twDevices"));
    QTreeWidgetItem *pRow = RowOf(pTree, pDev);
    if (!pRow)
        return {QStringLiteral("<no row>")};
    pTree->clearSelection();
    pTree->setCurrentItem(pRow);
    pRow->setSelected(true);
    pTree->scrollToItem(pRow);

    QStringList entries;
    CModalWatcher watcher([&](QWidget *pWidget) {
        QMenu *pMenu = qobject_cast<QMenu *>(pWidget);
        QList<QAction *> actions;
        for (QAction *pAction : pMenu ? pMenu->actions() : QList<QAction *>()) {
            if (!pAction->isSeparator()) {
                actions << pAction;
                entries << pAction->text();
            }
        }
        if (nTrigger >= 0 && nTrigger < actions.size())
            actions.at(nTrigger)->trigger();
        pWidget->close();
    }, true);
    const QPoint globalPos = pTree->viewport()->mapToGlobal(pTree->visualItemRect(pRow).center());
    QContextMenuEvent event(QContextMenuEvent::Mouse, pFrame->mapFromGlobal(globalPos), globalPos);
    QApplication::sendEvent(pFrame, &event);
    return watcher.Fired() ? entries : QStringList({QStringLiteral("<none>")});
}

// ---------------------------------------------------------------------------

void TestShipped::productsLoad()
{
    QFile file(ShippedFile("config.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList ids;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("product")
            && StrToBool(xml.attributes().value(QLatin1String("show")).toString(), true))
            ids << xml.attributes().value(QLatin1String("id")).toString();
    }
    QVERIFY(!xml.hasError());
    QSet<int> types;
    for (const QString &id : ids) {
        const T_ProdIdInfo *pProd = m_pMgr->FindProdIdInfoById(id);
        QVERIFY2(pProd, qPrintable(id));
        const int type = T_ProdIdInfo::TypeText2DevType(pProd->type);
        QVERIFY2(type >= CHOIDev::E_DT_TX && type <= CHOIDev::E_DT_QN714, qPrintable(id));
        types.insert(type);
        // Every product named as a partner is one of the file.
        QCOMPARE(pProd->tx_products.size(), pProd->tx.split('|', Qt::SkipEmptyParts).size());
        QCOMPARE(pProd->video_wall_products.size(), pProd->video_wall.split('|', Qt::SkipEmptyParts).size());
    }
    QCOMPARE(m_pMgr->GetProdList().size(), ids.size());
    QCOMPARE(types.size(), 6);
}

void TestShipped::layoutPictures()
{
    const QList<T_IpmLayoutInfo> &layouts = m_pMgr->GetIpmLayoutList();
    QVERIFY(!layouts.isEmpty());
    for (const T_IpmLayoutInfo &layout : layouts) {
        QVERIFY2(!QImage(layout.image_path).isNull(), qPrintable(layout.image_path));
        QVERIFY2(!QImage(layout.icon_path).isNull(), qPrintable(layout.icon_path));
    }
}

void TestShipped::deviceMenus_data()
{
    QTest::addColumn<QString>("id");
    for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
        if (!IsCamera(prod))
            QTest::newRow(qPrintable(prod.id)) << prod.id;
    }
}

// Every window the menu lists opens under the entry's own text, with no
// message; layout pictures and upload addresses are there.
void TestShipped::deviceMenus()
{
    QFETCH(QString, id);
    CHOIDev *pDev = DevOf(id);
    const QStringList entries = MenuOf(pDev);
    QVERIFY2(entries.size() > 1, qPrintable(entries.join(',')));
    QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());

    CBoxRecorder boxes;
    QStringList fileCaptions;
    SetFileDialogRunner([&fileCaptions](const T_FileDialogRequest &request) {
        fileCaptions << request.strCaption;
        return QString();
    });
    for (int i = 0; i < entries.size(); ++i) {
        if (!kWindowEntries.contains(entries.at(i)))
            continue;
        QString window;
        QStringList noPicture;
        CModalWatcher watcher([&](QWidget *pWidget) {
            window = QString::fromLatin1(pWidget->metaObject()->className()) + '/' + pWidget->windowTitle();
            if (QComboBox *pLayouts = pWidget->findChild<QComboBox *>(QStringLiteral("cmbLayout"))) {
                QLabel *pPicture = pWidget->findChild<QLabel *>(QStringLiteral("labelPicture_Logo_7"));
                for (int k = 1; k < pLayouts->count(); ++k) {
                    pLayouts->setCurrentIndex(k);
                    if (pPicture->pixmap(Qt::ReturnByValue).isNull())
                        noPicture << pLayouts->currentText();
                }
            }
            pWidget->close();
        });
        fileCaptions.clear();
        MenuOf(pDev, i);
        if (!fileCaptions.isEmpty())
            window = QStringLiteral("QFileDialog/") + fileCaptions.first();
        QCOMPARE(window.section('/', 1), entries.at(i));
        QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join('|')));
        QVERIFY2(noPicture.isEmpty(), qPrintable(noPicture.join(',')));
        m_reached.insert(window);

        // What the window uploads goes to a path of the device.
        QString url;
        if (window.startsWith(QLatin1String("CDlgMapSettings/")))
            url = m_pMgr->GetMapType(pDev) == QLatin1String("jpg") ? m_pMgr->GetDevUrl(pDev) : m_pMgr->GetDevBgUrl(pDev);
        else if (window.startsWith(QLatin1String("CDlgLogoSettings/")))
            url = m_pMgr->GetDevOverlayUrl(pDev);
        else if (window.startsWith(QLatin1String("CDlgIPCConfig/")))
            url = m_pMgr->GetDevPreviewUrl(pDev);
        if (!url.isEmpty())
            QVERIFY2(QUrl(url).path().size() > 1, qPrintable(url));
    }
    SetFileDialogRunner(FileDialogRunner());
}

void TestShipped::everyWindowReached()
{
    QStringList reached = m_reached.values();
    reached.sort();
    QCOMPARE(reached, kAllWindows);
}

void TestShipped::virtualTxHasNoMenu()
{
    QVERIFY(!m_cameraId.isEmpty());
    QCOMPARE(MenuOf(DevOf(m_cameraId)), QStringList({"<none>"}));
}

void TestShipped::batchVideoPage_data()
{
    QTest::addColumn<QString>("id");
    for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
        const int type = T_ProdIdInfo::TypeText2DevType(prod.type);
        if (!IsCamera(prod) && type >= CHOIDev::E_DT_TX && type <= CHOIDev::E_DT_WP)
            QTest::newRow(qPrintable(prod.id)) << prod.id;
    }
}

// The batch "Video" page shows a device the settings of its codec family:
// the JPEG 2000 page to the products with those settings, the H.264 page to
// every other one.
void TestShipped::batchVideoPage()
{
    QFETCH(QString, id);
    CHOIDev *pDev = DevOf(id);
    CDlgBatch dlg;
    QTreeWidget *pTree = dlg.findChild<QDevFilterGroupBox *>(QStringLiteral("groupBox"))
                             ->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    RowOf(pTree, pDev)->setCheckState(0, Qt::Checked);
    const bool bJpeg2000 = m_pMgr->GetProdIdInfo(pDev)->video_set_2;
    const QString shown = dlg.findChild<QStackedWidget *>(QStringLiteral("stackedWidget_2"))->currentWidget()->objectName();
    QCOMPARE(shown, bJpeg2000 ? QStringLiteral("page") : QStringLiteral("page_2"));
    const char *pszApply = !bJpeg2000 ? "pbVideoMode_apply"
        : pDev->GetDevType() == CHOIDev::E_DT_RX ? "pbVideo_HDCP_apply" : "pbEnablePreviewApply";
    QVERIFY(dlg.findChild<QPushButton *>(QLatin1String(pszApply))->isEnabled());
}

// Each type of the database enables on the pad exactly the keys it has; the
// database is only read.
void TestShipped::irPadOffersDatabaseKeys()
{
    const QString dbPath = QCoreApplication::applicationDirPath() + QStringLiteral("/ZEZOControlTable.db");
    const QByteArray dbBefore = ReadAll(dbPath);
    CIrCodeTable table;
    QStringList types;
    QVERIFY(table.GetCtrlIDs(&types) > 0);
    CHOIDev *pDev = nullptr;
    for (CHOIDev *pCandidate : m_pMgr->GetDevList())
        pDev = (!pDev && m_pMgr->IsSupportIr(pCandidate)) ? pCandidate : pDev;
    QVERIFY(pDev);

    QStringList mismatches;
    OnModal<CDlgIrCtrl>([&](CDlgIrCtrl *pPad) {
        QTreeWidgetItem *pRow = RowOf(pPad->findChild<QTreeWidget *>(QStringLiteral("treeWidget")), pDev);
        for (const QString &type : qAsConst(types)) {
            QStringList keys;
            table.GetKeyValues(type, &keys);
            pDev->SetIrDev(type);
            pRow->setCheckState(0, Qt::Unchecked);
            pRow->setCheckState(0, Qt::Checked);
            int nEnabled = 0;
            for (QPushButton *pKey : pPad->findChildren<QPushButton *>(QRegularExpression("^btnKey_")))
                nEnabled += pKey->isEnabled() ? 1 : 0;
            if (keys.isEmpty() || nEnabled != keys.size())
                mismatches << QStringLiteral("%1: %2 of %3").arg(type).arg(nEnabled).arg(keys.size());
        }
        pPad->close();
    });
    CDlgIrCtrl::ShowDlg(nullptr, nullptr);
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(", ")));
    pDev->SetIrDev(QString());
    QCOMPARE(ReadAll(dbPath), dbBefore);
}

// Each entry opens its page beside the program, from whatever folder the
// console was started in.
void TestShipped::helpEntries()
{
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QVERIFY(QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/help")));
    for (const T_MenuHelpInfo &entry : m_pMgr->GetMenuHelpList()) {
        const QString target = QCoreApplication::applicationDirPath() + QLatin1Char('/') + entry.file_path;
        QFile::remove(target);
        QVERIFY2(QFile::copy(ShippedFile(entry.file_path), target), qPrintable(entry.file_path));
    }
    CUrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    CBoxRecorder boxes;
    m_pMgr->m_nIsWelcome = 1;
    m_pMgr->m_nIsPrompt = 1;
    MainWindow w;
    QMenu *pHelp = w.findChild<QMenu *>(QStringLiteral("menuHelp"));
    const QList<QAction *> actions = pHelp->actions();
    for (int i = 0; i < m_pMgr->GetMenuHelpList().size(); ++i)
        actions.at(i)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join('|')));
    QCOMPARE(desktop.urls.size(), 4); // a guide and a quick start in each language
    for (const QUrl &url : qAsConst(desktop.urls)) {
        const QString path = url.toLocalFile();
        QVERIFY2(path.startsWith(QCoreApplication::applicationDirPath() + QStringLiteral("/help/"))
                     && QFileInfo(path).isFile(),
                 qPrintable(path));
    }
}

QTEST_MAIN(TestShipped)
#include "tst_shipped.moc"
