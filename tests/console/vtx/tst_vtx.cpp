// The device dialogs of the virtual TX list, preview and overlay images, EDID
// and the IP controller's networks, against simulated devices (Telnet shell
// and HTTP endpoints) in the private test LAN.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "devlist/devactions.h"
#include "edid/dlgedidsetting.h"
#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/ipaddrwidget.h"
#include "overlay/dlglogosettings.h"
#include "simdevice_commands.h"
#include "simhttp.h"
#include "simlan.h"
#include "uiservices.h"
#include "vtx/dlgdevipconfig.h"
#include "vtx/dlgipcconfig.h"
#include "vtx/dlgipcedit.h"
#include "vtx/dlgpreviewimage.h"

#include "consoletestsupport.h"
#include "vtxtestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"GWY\" name=\"Gateway\" type=\"gw\" param_prefix=\"gb\" old_api=\"n\""
    " preview_url=\"/upload_preview\"/>\n"
    "  <product id=\"OTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\" overlay_enable=\"y\""
    " overlay_url=\"/upload_overlay\" preview_url=\"/upload_preview\"/>\n"
    "  <product id=\"ORX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\"/>\n"
    "  <product id=\"QN714\" name=\"QN714\" type=\"IP Controller\" old_api=\"y\"/>\n"
    "  <product id=\"KRT4400\" name=\"Camera\" type=\"tx\"/>\n"
    "</hoiprod>\n";

const int kGw = 0;
const int kTx = 1;
const int kRx = 2;
const int kCtrl = 3;
const char *const kModels[] = {"GWY", "OTX", "ORX", "QN714"};
const char *const kTypes[] = {"GW", "TX", "RX", "QN714"};

const QByteArray kBoundary = "---webkitFormBoundary8ESp7IbP7szByKvn";
const QByteArray kListPath = "/upload/setipclist";

const QByteArray kGatewayList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ipgwconfig ver=\"1.0\" custom_multicast_ip=\"0\">\n"
    " <ipc>\n"
    "  <item aliasname=\"Lobby\" hostname=\"KRT4400-02A7C5F10001\" sn=\"S1\" url=\"rtsp://10.9.0.1/a\""
    " user=\"u\" passwd=\"p\" width=\"1280\" height=\"720\" fps=\"25\" transporttype=\"TCP\" enable=\"yes\""
    " outstreamtype=\"ts\" remark=\"r1\"/>\n"
    "  <item aliasname=\"Yard\" url=\"rtsp://10.9.0.2/b\" width=\"1920\" height=\"1080\" fps=\"30\""
    " enable=\"no\"/>\n"
    " </ipc>\n"
    "</ipgwconfig>\n";

template <typename T>
T *Child(QWidget &w, const char *name)
{
    T *p = w.findChild<T *>(QLatin1String(name));
    if (!p)
        qWarning() << "no" << name << "in" << w.metaObject()->className();
    return p;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList RowTexts(QTreeWidgetItem *pItem)
{
    QStringList texts;
    for (int i = 1; i < pItem->columnCount(); ++i)
        texts << pItem->text(i);
    return texts;
}

QColor TextColor(QLabel *pLabel)
{
    return pLabel->palette().color(QPalette::WindowText);
}

QByteArray EdidLine(const QByteArray &bytes)
{
    QByteArray pairs;
    const QByteArray hex = bytes.left(256).toHex();
    for (int i = 0; i < hex.size(); i += 2) {
        if (i)
            pairs += ' ';
        pairs += hex.mid(i, 2);
    }
    return "echo \"" + pairs + "\" > /sys/devices/platform/videoip/eeprom_content";
}

QList<QByteArray> Filtered(const QList<QByteArray> &lines, const QByteArray &needle)
{
    QList<QByteArray> out;
    for (const QByteArray &line : lines) {
        if (line.contains(needle) && !line.contains("--show"))
            out << line;
    }
    return out;
}

} // namespace

class TestVtx : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void launchers_data();
    void launchers();

    void ipcReadEditSaveUpload();
    void ipcBadReadKeepsList_data();
    void ipcBadReadKeepsList();
    void ipcReadDuringEdit_data();
    void ipcReadDuringEdit();
    void ipcListNamingAnEncoder();
    void ipcSameHostNameKeepsBoth();
    void ipcNewHostName_data();
    void ipcNewHostName();
    void ipcSaveFailures();
    void ipcPlaceholderOnly();

    void previewLimits_data();
    void previewLimits();
    void previewUpload();
    void previewFailures();
    void previewRecheckedAndDroppedOnClose();

    void overlayOpens();
    void overlayPosition();
    void overlayPositionChecks_data();
    void overlayPositionChecks();
    void overlayDisplay();
    void overlayUpload();

    void edidFolderList();
    void edidEmptyFolder();
    void edidSelect_data();
    void edidSelect();
    void edidInvalidFileLeavesNothing();

    void ipConfigRefusesDeadAddress_data();
    void ipConfigRefusesDeadAddress();
    void ipConfigApply();
    void ipConfigUnreachable();

private:
    CHOIDev *Dev(int i) const
    {
        return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(kModels[i]), i));
    }
    void ClearGatewayList();
    QString ListFile() const { return DocumentsDir() + Dev(kGw)->GetMacId() + QStringLiteral(".xml"); }
    void DoubleClick(QTreeWidget *pTree, QTreeWidgetItem *pItem);
    int EditRow(QTreeWidget *pTree, QTreeWidgetItem *pItem, const std::function<void(QWidget *)> &fn);
    void Click(QTreeWidget *pTree, QTreeWidgetItem *pItem);
    void ClearEdidFolder();

    QTemporaryDir m_home;
    QTemporaryDir m_files;
    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    SimDevice *m_pCtrlSim = nullptr;
    CSimHttp *m_pGwHttp = nullptr;
    CSimHttp *m_pTxHttp = nullptr;
};

void TestVtx::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QVERIFY(m_home.isValid());
    // The local virtual TX lists go to a Documents folder of this run.
    qputenv("HOME", m_home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QVERIFY(DocumentsDir().startsWith(m_home.path()));

    RegisterHoiMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QVERIFY(WriteAll(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"), kConfig));

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    for (int i = 0; i < 4; ++i) {
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(QLatin1String(kModels[i]), i),
                                            QLatin1String(kTypes[i]), i != kCtrl);
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    // The controller's shell answers on its own port.
    m_pCtrlSim = new SimDevice(CSimLan::HostNameFor(QStringLiteral("QN714"), kCtrl), QStringLiteral("QN714"));
    SimInstallDeviceCommands(*m_pCtrlSim);
    QVERIFY(m_pCtrlSim->listen(m_pLan->Address(kCtrl), 23000));
    QVERIFY(m_pLan->Start());

    m_pGwHttp = new CSimHttp;
    m_pGwHttp->AddUploadPath("/upload_preview");
    QVERIFY(m_pGwHttp->Listen(m_pLan->Address(kGw), 80));
    m_pTxHttp = new CSimHttp;
    m_pTxHttp->AddUploadPath("/upload_overlay");
    m_pTxHttp->AddUploadPath("/upload_preview");
    QVERIFY(m_pTxHttp->Listen(m_pLan->Address(kTx), 80));

    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    QCOMPARE(m_pMgr->GetDevCount(), 4);
    for (int i = 0; i < 4; ++i)
        QVERIFY(Dev(i));
    QCOMPARE(Dev(kGw)->GetDevType(), CHOIDev::E_DT_GW);
    QCOMPARE(Dev(kGw)->GetIPAddr(), m_pLan->Address(kGw).toString());
}

void TestVtx::cleanupTestCase()
{
    delete m_pGwHttp;
    delete m_pTxHttp;
    delete m_pLan;
    delete m_pCtrlSim;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestVtx::init()
{
    if (!m_pLan)
        return;
    m_pLan->ClearReceived();
    m_pCtrlSim->clearReceived();
    m_pGwHttp->ClearRequests();
    m_pTxHttp->ClearRequests();
}

void TestVtx::cleanup()
{
    if (!m_pLan)
        return;
    m_pGwHttp->SetFault(CSimHttp::E_HF_NONE);
    m_pTxHttp->SetFault(CSimHttp::E_HF_NONE);
}

void TestVtx::ClearGatewayList()
{
    CHOIDev *pGw = Dev(kGw);
    pGw->ClearIpcInfo();
    m_pMgr->RemoveChildDevices(pGw);
    QFile::remove(ListFile());
    m_pGwHttp->ClearStored();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestVtx::DoubleClick(QTreeWidget *pTree, QTreeWidgetItem *pItem)
{
    // As a mouse does it: a click, then the press that makes it double.
    const QPoint at = pTree->visualItemRect(pItem).center();
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Double-clicks the row; fn fills and closes the record editor that opens.
// Returns how many editors opened.
int TestVtx::EditRow(QTreeWidget *pTree, QTreeWidgetItem *pItem, const std::function<void(QWidget *)> &fn)
{
    CModalWatcher handler;
    handler.Always(fn);
    DoubleClick(pTree, pItem);
    return handler.Count();
}

void TestVtx::Click(QTreeWidget *pTree, QTreeWidgetItem *pItem)
{
    QRect rect = pTree->visualItemRect(pItem);
    rect.setLeft(pTree->header()->sectionViewportPosition(3)); // the alias, away from the boxes
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.topLeft() + QPoint(5, 4));
}

void TestVtx::ClearEdidFolder()
{
    QDir dir(EdidDirPath());
    for (const QString &name : dir.entryList(QDir::Files))
        QVERIFY(dir.remove(name));
}

// ---------------------------------------------------------------------------
// The device list's openers

void TestVtx::launchers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("dev");
    QTest::addColumn<QString>("className");

    QTest::newRow("virtual TX") << 0 << kGw << "CDlgIPCConfig";
    QTest::newRow("overlay") << 1 << kTx << "CDlgLogoSettings";
    QTest::newRow("EDID") << 2 << kRx << "CDlgEDIDSetting";
    QTest::newRow("controller") << 3 << kCtrl << "CDlgDevIPConfig";
}

void TestVtx::launchers()
{
    QFETCH(int, kind);
    QFETCH(int, dev);
    QFETCH(QString, className);

    CBoxLog boxes;
    QString opened;
    CModalWatcher handler;
    handler.Always([&](QWidget *pWidget) {
        opened = QLatin1String(pWidget->metaObject()->className());
        pWidget->close();
    });
    using Opener = void (*)(CHOIDev *, QWidget *);
    const Opener openers[] = {&ExecDevDialog<CDlgIPCConfig>, &ExecDevDialog<CDlgLogoSettings>,
                              &ExecDevDialog<CDlgEDIDSetting>, &ExecDevDialog<CDlgDevIPConfig>};
    openers[kind](Dev(dev), nullptr);
    QCOMPARE(opened, className);
}

// ---------------------------------------------------------------------------
// Virtual TX list

void TestVtx::ipcReadEditSaveUpload()
{
    ClearGatewayList();
    CHOIDev *pGw = Dev(kGw);
    m_pGwHttp->SetStored(kListPath, kGatewayList);

    CBoxLog boxes;
    CDlgIPCConfig dlg(pGw, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget *pTree = Child<QTreeWidget>(dlg, "treeWidgetConfig");
    QPushButton *pRead = Child<QPushButton>(dlg, "pBReadDev");
    QPushButton *pSave = Child<QPushButton>(dlg, "pBSave");
    QPushButton *pSaveDev = Child<QPushButton>(dlg, "pBSaveDev");
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Virsual TX Settings"));
    QVERIFY(Child<QPushButton>(dlg, "pBModify")->isHidden());
    QCOMPARE(pTree->columnCount(), 13);
    QCOMPARE(pTree->topLevelItemCount(), 1); // the placeholder row
    QCOMPARE(pTree->topLevelItem(0)->text(5), QStringLiteral("Double clicked,add a new item"));
    QCOMPARE(pTree->topLevelItem(0)->foreground(5).color(), QColor(198, 72, 75));
    QCOMPARE(pTree->topLevelItem(0)->background(12).color(), QColor(202, 219, 211));

    // Read: the buttons rest until the answer, so a save cannot take over
    // its reply; the list and the local file are the gateway's.
    pRead->click();
    QVERIFY(!pRead->isEnabled());
    QVERIFY(!pSave->isEnabled());
    QVERIFY(!pSaveDev->isEnabled());
    pSaveDev->click();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 1, 10000);
    QCOMPARE(boxes.Last().title, QStringLiteral("Read from device"));
    QCOMPARE(boxes.Last().text, QStringLiteral("Read from device successful."));
    QVERIFY(pRead->isEnabled());
    QVERIFY(pSave->isEnabled());
    QVERIFY(pSaveDev->isEnabled());
    QTest::qWait(200);
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(m_pGwHttp->RequestCount(), 1);
    const T_SimHttpRequest get = m_pGwHttp->Requests().value(0);
    QCOMPARE(get.method, QByteArray("GET"));
    QCOMPARE(get.path + "?" + get.query, QByteArray("/action?cmdtype=devconfig&cmdstr=getipclist"));
    QCOMPARE(ReadAll(ListFile()), kGatewayList);

    QCOMPARE(pTree->topLevelItemCount(), 3);
    QCOMPARE(RowTexts(pTree->topLevelItem(0)),
             QStringList({"1", "", "Lobby", "KRT4400-02A7C5F10001", "rtsp://10.9.0.1/a", "1280X720", "25", "u",
                          "p", "TCP", "S1", "r1"}));
    QCOMPARE(pTree->topLevelItem(0)->checkState(2), Qt::Checked);
    QCOMPARE(pTree->topLevelItem(1)->checkState(2), Qt::Unchecked);
    QCOMPARE(pTree->topLevelItem(1)->text(4), QString()); // no hostname attribute
    QCOMPARE(pGw->GetIpcList().size(), 2);
    CHOIDev *pCam = m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10001"));
    QVERIFY(pCam);
    QCOMPARE(pCam->GetName(), QStringLiteral("Lobby"));
    QCOMPARE(pCam->GetParentDev(), pGw);

    // Add a camera through the placeholder row: the next free MAC id.
    QString offered;
    QCOMPARE(EditRow(pTree, pTree->topLevelItem(2),
                     [&](QWidget *pWidget) {
                         offered = Child<QLineEdit>(*pWidget, "lEHostName")->text();
                         Child<QLineEdit>(*pWidget, "lEAlias")->setText(QStringLiteral("Gate"));
                         Child<QLineEdit>(*pWidget, "lEUrl")->setText(QStringLiteral("rtsp://10.9.0.3/c"));
                         Child<QPushButton>(*pWidget, "pBOK")->click();
                     }),
             1);
    QCOMPARE(offered, QStringLiteral("KRT4400-02A7C5F10002"));
    QCOMPARE(pTree->topLevelItemCount(), 4);
    QCOMPARE(RowTexts(pTree->topLevelItem(2)),
             QStringList({"3", "", "Gate", "KRT4400-02A7C5F10002", "rtsp://10.9.0.3/c", "1920X1080", "60", "", "",
                          "UDP", "", ""}));
    QCOMPARE(pTree->topLevelItem(2)->checkState(2), Qt::Checked);
    pCam = m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10002"));
    QVERIFY(pCam);
    QCOMPARE(pCam->GetName(), QStringLiteral("Gate"));
    QCOMPARE(pCam->GetParentDev(), pGw);

    // Edit an existing row: its device takes the new alias.
    QCOMPARE(EditRow(pTree, pTree->topLevelItem(0),
                     [&](QWidget *pWidget) {
                         Child<QLineEdit>(*pWidget, "lEAlias")->setText(QStringLiteral("Hall"));
                         Child<QPushButton>(*pWidget, "pBOK")->click();
                     }),
             1);
    QCOMPARE(pTree->topLevelItem(0)->text(3), QStringLiteral("Hall"));
    QCOMPARE(m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10001"))->GetName(), QStringLiteral("Hall"));

    // Untick Enable of the first row, click any row: the record says "no".
    pTree->topLevelItem(0)->setCheckState(2, Qt::Unchecked);
    Click(pTree, pTree->topLevelItem(2));
    QCOMPARE(pGw->GetIpcList().at(0)->enable, QStringLiteral("no"));

    // Delete the row without host name; the rest are numbered again.
    pTree->topLevelItem(1)->setCheckState(0, Qt::Checked);
    Child<QPushButton>(dlg, "pBDelete")->click();
    QCOMPARE(pTree->topLevelItemCount(), 3);
    QCOMPARE(pTree->topLevelItem(1)->text(1), QStringLiteral("2"));
    QCOMPARE(pTree->topLevelItem(1)->text(3), QStringLiteral("Gate"));
    QCOMPARE(pGw->GetIpcList().size(), 2);

    // Sorting by alias keeps the placeholder last and renumbers.
    QHeaderView *pHeader = pTree->header();
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(pHeader->sectionViewportPosition(3) + 10, pHeader->height() / 2));
    const bool bAscending = pHeader->sortIndicatorOrder() == Qt::AscendingOrder;
    QCOMPARE(pTree->topLevelItem(0)->text(3), bAscending ? QStringLiteral("Gate") : QStringLiteral("Hall"));
    QCOMPARE(pTree->topLevelItem(0)->text(1), QStringLiteral("1"));
    QCOMPARE(pTree->topLevelItem(1)->text(1), QStringLiteral("2"));
    QCOMPARE(pTree->topLevelItem(2)->text(5), QStringLiteral("Double clicked,add a new item"));

    // Save writes the local file.
    boxes.Clear();
    Child<QPushButton>(dlg, "pBSave")->click();
    QCOMPARE(boxes.Count(), 0);
    const QByteArray saved = ReadAll(ListFile());
    QVERIFY(saved.contains("aliasname=\"Hall\" hostname=\"KRT4400-02A7C5F10001\""));
    QVERIFY(saved.contains("enable=\"no\""));
    QVERIFY(saved.contains("aliasname=\"Gate\" hostname=\"KRT4400-02A7C5F10002\""));
    QVERIFY(!saved.contains("Yard"));

    // Save to device: the file goes up unchanged as the one part.
    m_pGwHttp->ClearStored();
    m_pGwHttp->ClearRequests();
    pSaveDev->click();
    QVERIFY(!pRead->isEnabled());
    QVERIFY(!pSaveDev->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 1, 10000);
    QCOMPARE(boxes.Last().title, QStringLiteral("Save to device"));
    QCOMPARE(boxes.Last().text, QStringLiteral("Save to device successful."));
    QVERIFY(pRead->isEnabled());
    QCOMPARE(m_pGwHttp->RequestCount(), 1);
    const T_SimHttpRequest post = m_pGwHttp->Requests().at(0);
    QCOMPARE(post.method, QByteArray("POST"));
    QCOMPARE(post.path, kListPath);
    QCOMPARE(post.Header("Content-Type"), "multipart/form-data; boundary=" + kBoundary);
    QVERIFY(post.body.startsWith("--" + kBoundary + "\r\n"));
    QCOMPARE(post.partCount, 1);
    QCOMPARE(post.partName, QByteArray("upload"));
    QCOMPARE(post.fileName, dlg.IpcListFilePath().toUtf8());
    QVERIFY(post.fileName.contains("//"));
    QCOMPARE(post.partType, QByteArray("application/octet-stream"));
    QCOMPARE(post.partHeaders.value(0).first.toLower(), QByteArray("content-disposition"));
    QCOMPARE(post.partHeaders.value(1).first.toLower(), QByteArray("content-type"));
    QCOMPARE(post.partData, saved);
    QCOMPARE(m_pGwHttp->Stored(kListPath), saved);

    // Deleting every camera removes its device too.
    for (int i = 0; i < pTree->topLevelItemCount() - 1; ++i)
        pTree->topLevelItem(i)->setCheckState(0, Qt::Checked);
    Child<QPushButton>(dlg, "pBDelete")->click();
    QCOMPARE(pTree->topLevelItemCount(), 1);
    QVERIFY(pGw->GetIpcList().isEmpty());
    QVERIFY(!m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10001")));
    QVERIFY(!m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10002")));
}

void TestVtx::ipcBadReadKeepsList_data()
{
    QTest::addColumn<int>("status"); // not 0: the list as saved, under this status
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("limit"); // not 0: the list as saved, past this many bytes

    QTest::newRow("404") << 404 << QByteArray() << 0;
    QTest::newRow("a whole list under 302") << 302 << QByteArray() << 0;
    QTest::newRow("not a list") << 0 << QByteArray("<html>busy</html>") << 0;
    QTest::newRow("empty") << 0 << QByteArray() << 0;
    QTest::newRow("too large") << 0 << QByteArray() << 64;
}

void TestVtx::ipcBadReadKeepsList()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, limit);

    ClearGatewayList();
    CHOIDev *pGw = Dev(kGw);
    T_IpcInfo *pKept = new T_IpcInfo;
    pKept->aliasname = QStringLiteral("Kept");
    pKept->hostname = QStringLiteral("KRT4400-02A7C5F10007");
    pGw->AddIpcInfo(pKept);
    QVERIFY(pGw->SaveIpcConfig(ListFile()));
    const QByteArray before = ReadAll(ListFile());
    m_pGwHttp->SetStored(kListPath, limit || status ? before : body);
    if (status)
        m_pGwHttp->SetFault(CSimHttp::E_HF_STATUS, status);

    CBoxLog boxes;
    CDlgIPCConfig dlg(pGw, nullptr);
    if (limit)
        dlg.SetDownloadLimit(limit);
    Child<QPushButton>(dlg, "pBReadDev")->click();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 1, 10000);
    QCOMPARE(boxes.Last().title, QString());
    QCOMPARE(boxes.Last().text, QStringLiteral("Error."));
    QVERIFY(Child<QPushButton>(dlg, "pBReadDev")->isEnabled());
    QVERIFY(Child<QPushButton>(dlg, "pBSave")->isEnabled());
    QCOMPARE(pGw->GetIpcList().size(), 1);
    QCOMPARE(pGw->GetIpcList().at(0), pKept);
    QCOMPARE(Child<QTreeWidget>(dlg, "treeWidgetConfig")->topLevelItem(0)->text(3), QStringLiteral("Kept"));
    QCOMPARE(ReadAll(ListFile()), before);
}

void TestVtx::ipcReadDuringEdit_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("aliases"); // of the list afterwards
    QTest::addColumn<bool>("told");
    // A camera the list read lacks stays as edited; a new one whose name a
    // camera of the list read took is not kept, and the operator hears it.
    QTest::newRow("existing row") << 0 << QStringList({"Lobby", "Yard", "Late"}) << false;
    QTest::newRow("placeholder row") << 1 << QStringList({"Lobby", "Yard"}) << true;
}

void TestVtx::ipcReadDuringEdit()
{
    QFETCH(int, row);
    QFETCH(QStringList, aliases);
    QFETCH(bool, told);

    ClearGatewayList();
    CHOIDev *pGw = Dev(kGw);
    T_IpcInfo *pOld = new T_IpcInfo;
    pOld->aliasname = QStringLiteral("Old");
    pOld->hostname = QStringLiteral("KRT4400-02A7C5F10007");
    pOld->url = QStringLiteral("rtsp://10.9.0.7/o");
    pGw->AddIpcInfo(pOld);
    m_pMgr->AddIpcDev(pOld->aliasname, pOld->hostname, pGw);
    m_pGwHttp->SetStored(kListPath, kGatewayList);

    CBoxLog boxes;
    CDlgIPCConfig dlg(pGw, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget *pTree = Child<QTreeWidget>(dlg, "treeWidgetConfig");
    // The list read from the gateway arrives while the editor is open: the
    // record being edited is gone, and the edit must not land on whatever
    // took its place.
    Child<QPushButton>(dlg, "pBReadDev")->click();
    QCOMPARE(EditRow(pTree, pTree->topLevelItem(row),
                     [&](QWidget *pWidget) {
                         QVERIFY(QTest::qWaitFor([&]() { return boxes.Count() == 1; }, 10000));
                         Child<QLineEdit>(*pWidget, "lEAlias")->setText(QStringLiteral("Late"));
                         Child<QPushButton>(*pWidget, "pBOK")->click();
                     }),
             1);
    QCOMPARE(boxes.At(0).text, QStringLiteral("Read from device successful."));
    QCOMPARE(boxes.Count(), told ? 2 : 1);
    if (told)
        QCOMPARE(boxes.Last().text, QStringLiteral("The list read from the device took the name "
                                                   "KRT4400-02A7C5F10001 meanwhile; the edit of 'Late' is not kept."));

    QStringList listed;
    for (const T_IpcInfo *pInfo : pGw->GetIpcList())
        listed << pInfo->aliasname;
    QCOMPARE(listed, aliases);
    QCOMPARE(pTree->topLevelItemCount(), aliases.size() + 1);
    QCOMPARE(pTree->topLevelItem(0)->text(3), QStringLiteral("Lobby"));
    QCOMPARE(m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10001"))->GetName(), QStringLiteral("Lobby"));
    CHOIDev *pKept = m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-02A7C5F10007"));
    QCOMPARE(pKept ? pKept->GetName() : QString(), told ? QString() : QStringLiteral("Late"));
}

// A list naming an encoder on line leaves it alone and says so.
void TestVtx::ipcListNamingAnEncoder()
{
    ClearGatewayList();
    CHOIDev *pGw = Dev(kGw);
    CHOIDev *pEnc = Dev(kTx);
    const QString strName = pEnc->GetName();
    const QString strHost = pEnc->GetHostName();
    m_pGwHttp->SetStored(kListPath, QByteArray(kGatewayList).replace("KRT4400-02A7C5F10001", strHost.toUtf8()));

    CBoxLog boxes;
    CDlgIPCConfig dlg(pGw, nullptr);
    Child<QPushButton>(dlg, "pBReadDev")->click();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 1, 10000);
    QCOMPARE(boxes.Last().text, QStringLiteral("Read from device successful.\nVirtual TX('Lobby') is left out of "
                                               "the device list: %1 belongs to another device.")
                                    .arg(strHost));
    QCOMPARE(pEnc->GetName(), strName);
    QCOMPARE(pEnc->GetParentDev(), static_cast<CHOIDev *>(nullptr));
    // Deleting the row takes the record, never the encoder.
    Child<QTreeWidget>(dlg, "treeWidgetConfig")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    Child<QPushButton>(dlg, "pBDelete")->click();
    QCOMPARE(pGw->GetIpcList().size(), 1);
    QCOMPARE(m_pMgr->FindDevByHostName(strHost), pEnc);
}

void TestVtx::ipcSameHostNameKeepsBoth()
{
    // A gateway's list may name one host twice; changing the second row
    // must not push the first record out of the list.
    ClearGatewayList();
    CHOIDev *pGw = Dev(kGw);
    T_IpcInfo *pFirst = new T_IpcInfo;
    T_IpcInfo *pSecond = new T_IpcInfo;
    for (T_IpcInfo *pInfo : {pFirst, pSecond}) {
        pInfo->hostname = QStringLiteral("KRT4400-02A7C5F10005");
        pInfo->enable = QStringLiteral("yes");
        pGw->AddIpcInfo(pInfo);
    }
    CDlgIPCConfig dlg(pGw, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget *pTree = Child<QTreeWidget>(dlg, "treeWidgetConfig");
    pTree->topLevelItem(1)->setCheckState(2, Qt::Unchecked);
    Click(pTree, pTree->topLevelItem(0));
    QCOMPARE(pGw->GetIpcList(), QList<T_IpcInfo *>({pFirst, pSecond}));
    QCOMPARE(pFirst->enable, QStringLiteral("yes"));
    QCOMPARE(pSecond->enable, QStringLiteral("no"));
}

void TestVtx::ipcNewHostName_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("offered");

    QTest::newRow("none") << QStringList() << "KRT4400-02A7C5F10001";
    QStringList nine;
    for (int n = 1; n <= 9; ++n)
        nine << QStringLiteral("02A7C5F1000%1").arg(n);
    QTest::newRow("lower-case a") << nine << "KRT4400-02A7C5F1000a";
    QTest::newRow("upper-case blocks nothing") << (nine << "02A7C5F1000A") << "KRT4400-02A7C5F1000a";
    QTest::newRow("gap") << QStringList({"02A7C5F10001", "02A7C5F10003"}) << "KRT4400-02A7C5F10002";
}

void TestVtx::ipcNewHostName()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, offered);

    ClearGatewayList();
    QList<CHOIDev *> added;
    for (const QString &mac : taken) {
        m_pMgr->AddIpcDev(QStringLiteral("x"), QStringLiteral("KRT4400-") + mac, nullptr);
        added << m_pMgr->FindDevByHostName(QStringLiteral("KRT4400-") + mac);
        QVERIFY(added.last());
    }

    CBoxLog boxes;
    QStringList seen;
    const auto cancel = [&](QWidget *pWidget) {
        seen << Child<QLineEdit>(*pWidget, "lEHostName")->text() + "|" + Child<QLineEdit>(*pWidget, "lEAlias")->text();
        Child<QPushButton>(*pWidget, "pBCancel")->click();
    };
    CDlgIPCConfig dlg(Dev(kGw), nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget *pTree = Child<QTreeWidget>(dlg, "treeWidgetConfig");
    // Cancelled twice: the placeholder keeps its generated name.
    QCOMPARE(EditRow(pTree, pTree->topLevelItem(0), cancel), 1);
    QCOMPARE(EditRow(pTree, pTree->topLevelItem(0), cancel), 1);
    QCOMPARE(seen, QStringList({offered + "|" + offered, offered + "|" + offered}));
    QCOMPARE(pTree->topLevelItemCount(), 1);
    QVERIFY(Dev(kGw)->GetIpcList().isEmpty());
    QCOMPARE(boxes.Count(), 0);

    for (CHOIDev *pDev : added)
        QVERIFY(m_pMgr->RemoveDevice(pDev));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestVtx::ipcSaveFailures()
{
    ClearGatewayList();
    // A folder where the list file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(ListFile()));
    CBoxLog boxes;
    CDlgIPCConfig dlg(Dev(kGw), nullptr);

    Child<QPushButton>(dlg, "pBSave")->click();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().icon, QMessageBox::NoIcon);
    QCOMPARE(boxes.Last().title, QString());
    QCOMPARE(boxes.Last().text, QStringLiteral("Save Failed."));

    Child<QPushButton>(dlg, "pBSaveDev")->click();
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(boxes.Last().title, QStringLiteral("Upload"));
    QCOMPARE(boxes.Last().text, QStringLiteral("Upload Failed."));
    QVERIFY(Child<QPushButton>(dlg, "pBReadDev")->isEnabled());
    QVERIFY(Child<QPushButton>(dlg, "pBSave")->isEnabled());
    QTest::qWait(200);
    QCOMPARE(m_pGwHttp->RequestCount(), 0);

    // A list read that cannot be stored is no success, and changes nothing.
    m_pGwHttp->SetStored(kListPath, kGatewayList);
    Child<QPushButton>(dlg, "pBReadDev")->click();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 3, 10000);
    QCOMPARE(boxes.Last().title, QStringLiteral("Read from device"));
    QCOMPARE(boxes.Last().text, QStringLiteral("Save Failed."));
    QVERIFY(Dev(kGw)->GetIpcList().isEmpty());
    QVERIFY(QDir().rmdir(ListFile()));
}

void TestVtx::ipcPlaceholderOnly()
{
    ClearGatewayList();
    CDlgIPCConfig dlg(Dev(kGw), nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget *pTree = Child<QTreeWidget>(dlg, "treeWidgetConfig");
    QCheckBox *pAll = Child<QCheckBox>(dlg, "cBAll");
    QVERIFY(!pAll->isChecked());
    // Zero ticked of zero rows: "All" is ticked.
    Click(pTree, pTree->topLevelItem(0));
    QVERIFY(pAll->isChecked());
    // No box ticked: Delete only numbers again.
    Child<QPushButton>(dlg, "pBDelete")->click();
    QCOMPARE(pTree->topLevelItemCount(), 1);
}

// ---------------------------------------------------------------------------
// Preview image

void TestVtx::previewLimits_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("720x480") << 720 << 480 << true;
    QTest::newRow("64x48") << 64 << 48 << true;
    QTest::newRow("721x480") << 721 << 480 << false;
    QTest::newRow("720x481") << 720 << 481 << false;
}

void TestVtx::previewLimits()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, accepted);

    const QString path = m_files.filePath(QStringLiteral("p%1x%2.jpg").arg(w).arg(h));
    QVERIFY(WriteImage(path, w, h, "JPG"));
    CFileAnswer answer(path);
    CBoxLog boxes;
    CDlgPreviewImage dlg(Dev(kGw), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Preview Image"));
    QPushButton *pUpload = Child<QPushButton>(dlg, "pushBtnUpload");
    QVERIFY(!pUpload->isEnabled());
    Child<QPushButton>(dlg, "pushBtnSelect")->click();

    QCOMPARE(answer.Last().strCaption, QStringLiteral("Select Preview Image"));
    QCOMPARE(answer.Last().strFilter, QStringLiteral("Preview image (*.jpg)"));
    QCOMPARE(answer.Last().strDir, QString());
    QCOMPARE(boxes.Count(), 0);
    QLabel *pRes = Child<QLabel>(dlg, "label_3");
    QCOMPARE(pRes->text(), QStringLiteral("Image Resolution:%1X%2 (<720X480)").arg(w).arg(h));
    QCOMPARE(TextColor(pRes), accepted ? QColor(Qt::black) : QColor(Qt::red));
    QCOMPARE(pUpload->isEnabled(), accepted);
    QCOMPARE(Child<QLineEdit>(dlg, "lineEditFilePath")->text(), path);
    QCOMPARE(Child<QLabel>(dlg, "label_5")->text(),
             QStringLiteral("Image Size:%1 (KB)").arg(QFileInfo(path).size() / 1024));
    QCOMPARE(Child<QLabel>(dlg, "labelPicture")->pixmap()->size(), QSize(w, h));
}

void TestVtx::previewUpload()
{
    const QString path = m_files.filePath(QStringLiteral("cam.jpg"));
    QVERIFY(WriteImage(path, 320, 240, "JPG"));
    CFileAnswer answer(path);
    CBoxLog boxes;
    CDlgPreviewImage dlg(Dev(kGw), nullptr);
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QLabel *pProgress = Child<QLabel>(dlg, "label_4");

    // A device that does not answer: the line climbs to 98 % and rests there.
    dlg.SetProgressInterval(2);
    m_pGwHttp->SetFault(CSimHttp::E_HF_STALL);
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QVERIFY(!dlg.isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(pProgress->text(), QStringLiteral("Upload Progress: 98%"), 10000);
    QTest::qWait(50);
    QCOMPARE(pProgress->text(), QStringLiteral("Upload Progress: 98%"));
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(boxes.Count(), 0);
    // The connection breaks: an error, the line keeps its value.
    m_pGwHttp->Close();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(boxes.Texts(), QStringList({"Upload error."}));
    QCOMPARE(boxes.Last().icon, QMessageBox::Critical);
    QCOMPARE(pProgress->text(), QStringLiteral("Upload Progress: 98%"));
    m_pGwHttp->SetFault(CSimHttp::E_HF_NONE);
    QVERIFY(m_pGwHttp->Listen(m_pLan->Address(kGw), 80));

    // A device that answers 200: 100 %, the file arrived unchanged.
    boxes.Clear();
    m_pGwHttp->ClearRequests();
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(pProgress->text(), QStringLiteral("Upload Progress: 100%"));
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(m_pGwHttp->RequestCount(), 1);
    const T_SimHttpRequest req = m_pGwHttp->Requests().at(0);
    QCOMPARE(req.path, QByteArray("/upload_preview"));
    QCOMPARE(req.partName, QByteArray("bgimage"));
    QCOMPARE(req.partData, ReadAll(path));

    // That 100 % says nothing of the next file chosen.
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(pProgress->text(), QStringLiteral("Upload Progress:"));
}

void TestVtx::previewFailures()
{
    const QString path = m_files.filePath(QStringLiteral("gone.jpg"));
    const QString bad = m_files.filePath(QStringLiteral("bad.jpg"));
    QVERIFY(WriteImage(path, 320, 240, "JPG"));
    QVERIFY(WriteAll(bad, QByteArray(1535, 'x')));
    CFileAnswer answer(path);
    CBoxLog boxes;
    CDlgPreviewImage dlg(Dev(kGw), nullptr);
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QLabel *pProgress = Child<QLabel>(dlg, "label_4");
    const QString res = Child<QLabel>(dlg, "label_3")->text();

    // Neither a file that is no picture nor a cancelled choice changes a thing.
    answer.Set(bad);
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);
    QCOMPARE(boxes.Last().title, QStringLiteral("Open image failed"));
    QCOMPARE(boxes.Last().text, QStringLiteral("Open image failed!"));
    // A PNG named ".jpg" is no JPEG.
    const QString png = m_files.filePath(QStringLiteral("png.jpg"));
    QVERIFY(WriteImage(png, 64, 48, "PNG"));
    answer.Set(png);
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Open image failed!", "Open image failed!"}));
    answer.Set(QString());
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(Child<QLineEdit>(dlg, "lineEditFilePath")->text(), path);
    QCOMPARE(Child<QLabel>(dlg, "label_3")->text(), res);

    boxes.Clear();
    m_pGwHttp->SetFault(CSimHttp::E_HF_STATUS, 500);
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(boxes.Texts(), QStringList({"Upload error."}));
    QVERIFY(pProgress->text() != QStringLiteral("Upload Progress: 100%"));

    // The file went away after it was chosen: the upload cannot start.
    boxes.Clear();
    QVERIFY(QFile::remove(path));
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Upload failed."}));
    QCOMPARE(boxes.Last().title, QString());
    QCOMPARE(pProgress->text(), QStringLiteral("Upload Progress: 0%"));
    QVERIFY(dlg.isEnabled());
    // Its lines no longer describe a file that is there.
    QCOMPARE(Child<QLabel>(dlg, "label_3")->text(), QStringLiteral("Image Resolution: 720X480 or lower"));
    QCOMPARE(Child<QLabel>(dlg, "label_5")->text(), QStringLiteral("Image Size: N/A"));
}

void TestVtx::previewRecheckedAndDroppedOnClose()
{
    const QString path = m_files.filePath(QStringLiteral("again.jpg"));
    QVERIFY(WriteImage(path, 320, 240, "JPG"));
    CFileAnswer answer(path);
    CBoxLog boxes;
    m_pGwHttp->ClearRequests();
    CDlgPreviewImage dlg(Dev(kGw), nullptr);
    dlg.show();
    Child<QPushButton>(dlg, "pushBtnSelect")->click();

    // Grown past 720 x 480, or turned into a PNG, after it was chosen: not sent.
    QVERIFY(WriteImage(path, 721, 480, "JPG"));
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QVERIFY(WriteImage(path, 320, 240, "PNG"));
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Upload failed.", "Upload failed."}));
    QVERIFY(dlg.isEnabled());

    // Closing the window ends an upload the device never answers.
    QVERIFY(WriteImage(path, 320, 240, "JPG"));
    m_pGwHttp->SetFault(CSimHttp::E_HF_STALL);
    Child<QPushButton>(dlg, "pushBtnUpload")->click();
    QTRY_COMPARE(m_pGwHttp->RequestCount(), 1);
    QCOMPARE(m_pGwHttp->OpenConnections(), 1);
    QVERIFY(dlg.close());
    QTRY_COMPARE(m_pGwHttp->OpenConnections(), 0);
    QVERIFY(dlg.isEnabled());
    QTest::qWait(100);
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(m_pGwHttp->RequestCount(), 1);
    m_pGwHttp->SetFault(CSimHttp::E_HF_NONE);
}

// ---------------------------------------------------------------------------
// Overlay image

void TestVtx::overlayOpens()
{
    CHOIDev *pDev = Dev(kTx);
    QVERIFY(m_pMgr->IsSupportOverlay(pDev));
    pDev->SetOverlayPosH(QStringLiteral("0"));
    pDev->SetOverlayPosV(QString());
    m_pLan->Device(kTx)->setConfig(QStringLiteral("--png-overlay-enable"), QStringLiteral("y"));

    CDlgLogoSettings dlg(pDev, nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Overlay Image Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(Child<QLineEdit>(dlg, "lECoorX")->text(), QStringLiteral("1"));
    QCOMPARE(Child<QLineEdit>(dlg, "lECoorY")->text(), QStringLiteral("1"));
    QVERIFY(!Child<QPushButton>(dlg, "pushBtnUpload")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(Child<QCheckBox>(dlg, "checkBoxDisplay")->isChecked(), 10000);
    QVERIFY(m_pLan->Commands(kTx).contains("gbconfig --show --png-overlay-enable"));
}

void TestVtx::overlayPosition()
{
    CHOIDev *pDev = Dev(kTx);
    CBoxLog boxes;
    CDlgLogoSettings dlg(pDev, nullptr);
    m_pLan->ClearReceived();
    Child<QLineEdit>(dlg, "lECoorX")->setText(QStringLiteral("1920"));
    Child<QLineEdit>(dlg, "lECoorY")->setText(QStringLiteral("1080"));
    Child<QPushButton>(dlg, "pBOverlayApply")->click();
    QVERIFY(dlg.isEnabled());
    QCOMPARE(boxes.Count(), 0);
    // Kept once the device took it.
    QTRY_COMPARE_WITH_TIMEOUT(pDev->GetOverlayPosV(), QStringLiteral("1079"), 10000);
    QCOMPARE(pDev->GetOverlayPosH(), QStringLiteral("1919"));
    QCOMPARE(Filtered(m_pLan->Commands(kTx), "overlay"),
             QList<QByteArray>({"gbconfig --png-overlay-pos-h 1919", "gbconfig --png-overlay-pos-v 1079",
                                "e e_png_overlay"}));

    // Shown again from 1.
    CDlgLogoSettings again(pDev, nullptr);
    QCOMPARE(Child<QLineEdit>(again, "lECoorX")->text(), QStringLiteral("1920"));
    QCOMPARE(Child<QLineEdit>(again, "lECoorY")->text(), QStringLiteral("1080"));
}

void TestVtx::overlayPositionChecks_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("X empty") << "" << "5" << "Please enter the X coordinate." << "lECoorX";
    QTest::newRow("X 0") << "0" << "5" << "Value out of range." << "lECoorX";
    QTest::newRow("X 1921") << "1921" << "5" << "Value out of range." << "lECoorX";
    QTest::newRow("X abc") << "abc" << "5" << "Value out of range." << "lECoorX";
    QTest::newRow("Y empty") << "5" << "" << "Please enter the Y coordinate." << "lECoorY";
    QTest::newRow("Y 1081") << "5" << "1081" << "Value out of range." << "lECoorY";
    QTest::newRow("Y -3") << "5" << "-3" << "Value out of range." << "lECoorY";
}

void TestVtx::overlayPositionChecks()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    CHOIDev *pDev = Dev(kTx);
    pDev->SetOverlayPosH(QStringLiteral("9"));
    pDev->SetOverlayPosV(QStringLiteral("9"));
    CBoxLog boxes;
    CDlgLogoSettings dlg(pDev, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    Child<QLineEdit>(dlg, "lECoorX")->setText(x);
    Child<QLineEdit>(dlg, "lECoorY")->setText(y);
    m_pLan->ClearReceived();
    Child<QPushButton>(dlg, "pBOverlayApply")->click();
    QCOMPARE(boxes.Texts(), QStringList({message}));
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);
    QCOMPARE(boxes.Last().title, QString());
    QVERIFY(dlg.isEnabled());
    QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget *>(focus));
    QCOMPARE(pDev->GetOverlayPosH(), QStringLiteral("9"));
    QTest::qWait(100);
    QVERIFY(Filtered(m_pLan->Commands(kTx), "overlay").isEmpty());
}

void TestVtx::overlayDisplay()
{
    CBoxLog boxes;
    CDlgLogoSettings dlg(Dev(kTx), nullptr);
    QCheckBox *pDisplay = Child<QCheckBox>(dlg, "checkBoxDisplay");
    // Wait for the state the dialog asked for, so it does not override ours.
    QTRY_VERIFY_WITH_TIMEOUT(m_pLan->Commands(kTx).contains("gbconfig --show --png-overlay-enable"), 10000);
    QTest::qWait(200);
    m_pLan->ClearReceived();
    pDisplay->setChecked(false);
    Child<QPushButton>(dlg, "pushBtnApply")->click();
    pDisplay->setChecked(true);
    Child<QPushButton>(dlg, "pushBtnApply")->click();
    QVERIFY(dlg.isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(Filtered(m_pLan->Commands(kTx), "overlay").size(), 4, 10000);
    QCOMPARE(Filtered(m_pLan->Commands(kTx), "overlay"),
             QList<QByteArray>({"gbconfig --png-overlay-enable=n", "e e_png_overlay", "gbconfig --png-overlay-enable=y",
                                "e e_png_overlay"}));
    QCOMPARE(boxes.Count(), 0);
}

void TestVtx::overlayUpload()
{
    const QString big = m_files.filePath(QStringLiteral("big.png"));
    const QString full = m_files.filePath(QStringLiteral("full.png"));
    QVERIFY(WriteImage(big, 1921, 1080, "PNG"));
    QVERIFY(WriteImage(full, 1920, 1080, "PNG"));
    CFileAnswer answer(big);
    CBoxLog boxes;
    CDlgLogoSettings dlg(Dev(kTx), nullptr);
    QPushButton *pUpload = Child<QPushButton>(dlg, "pushBtnUpload");
    QLabel *pRes = Child<QLabel>(dlg, "label_3");

    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(answer.Last().strFilter, QStringLiteral("Overlay image (*.png)"));
    QCOMPARE(pRes->text(), QStringLiteral("Image Resolution:1921X1080 (<1920X1080)"));
    QCOMPARE(TextColor(pRes), QColor(Qt::red));
    QVERIFY(!pUpload->isEnabled());

    // 1920 x 1080 itself passes; it goes to the product's overlay path.
    answer.Set(full);
    Child<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(TextColor(pRes), QColor(Qt::black));
    pUpload->click();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(Child<QLabel>(dlg, "label_4")->text(), QStringLiteral("Upload Progress: 100%"));
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(m_pTxHttp->Requests().value(0).path, QByteArray("/upload_overlay"));
    QCOMPARE(m_pTxHttp->Requests().value(0).partData, ReadAll(full));
}

// ---------------------------------------------------------------------------
// EDID

void TestVtx::edidFolderList()
{
    ClearEdidFolder();
    const QString dir = EdidDirPath() + QLatin1Char('/');
    const QByteArray good = TestEdid(128);
    QVERIFY(WriteAll(dir + "b_bad.bin", TestEdid(129)));
    QVERIFY(WriteAll(dir + "a_good.bin", good));
    QVERIFY(WriteAll(dir + "C_UP.BIN", TestEdid(256)));
    QVERIFY(WriteAll(dir + "notes.txt", "x"));

    CHOIDev *pDev = Dev(kRx);
    QVERIFY(pDev->EnsureConnected());
    CBoxLog boxes;
    CDlgEDIDSetting dlg(pDev, nullptr);
    QComboBox *pList = Child<QComboBox>(dlg, "cbEDIDSet");
    QPushButton *pApply = Child<QPushButton>(dlg, "pbApply");
    QPushButton *pSelect = Child<QPushButton>(dlg, "pbUplaodEDIDFile");
    QTextEdit *pText = Child<QTextEdit>(dlg, "teEDIDInfo");
    QCOMPARE(dlg.windowTitle(), QStringLiteral("EDID Settings"));
    QStringList items;
    for (int i = 0; i < pList->count(); ++i)
        items << pList->itemText(i);
    // An upper-case ".BIN" is listed with its whole name.
    QCOMPARE(items, QStringList({"a_good", "b_bad", "C_UP.BIN", "Upload..."}));
    QCOMPARE(pList->currentIndex(), 0);
    QVERIFY(pApply->isEnabled());
    QVERIFY(!pSelect->isEnabled());
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(pText->toPlainText().count('\n'), 7);
    QCOMPARE(pText->toPlainText().section('\n', 0, 0),
             QStringLiteral("00 ff ff ff ff ff ff 00 5a 5a 5a 5a 5a 5a 5a 5a"));

    m_pLan->ClearReceived();
    pApply->click();
    QTRY_VERIFY_WITH_TIMEOUT(!Filtered(m_pLan->Commands(kRx), "eeprom_content").isEmpty(), 10000);
    QCOMPARE(Filtered(m_pLan->Commands(kRx), "eeprom_content"), QList<QByteArray>({EdidLine(good)}));
    QVERIFY(dlg.isEnabled());
    QCOMPARE(boxes.Count(), 0);

    // The file listed with its whole name is the one loaded.
    pList->setCurrentIndex(2);
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(pText->toPlainText().count('\n'), 15);
    QVERIFY(pApply->isEnabled());

    // "Upload..." waits for a file.
    pList->setCurrentIndex(3);
    QVERIFY(pSelect->isEnabled());
    QVERIFY(!pApply->isEnabled());
    QVERIFY(pText->toPlainText().isEmpty());
    ClearEdidFolder();
}

void TestVtx::edidEmptyFolder()
{
    ClearEdidFolder();
    CDlgEDIDSetting dlg(Dev(kRx), nullptr);
    QComboBox *pList = Child<QComboBox>(dlg, "cbEDIDSet");
    QCOMPARE(pList->count(), 1);
    QCOMPARE(pList->itemText(0), QStringLiteral("Upload..."));
    QVERIFY(Child<QPushButton>(dlg, "pbUplaodEDIDFile")->isEnabled());
    QVERIFY(!Child<QPushButton>(dlg, "pbApply")->isEnabled());
}

void TestVtx::edidSelect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("lines");

    QTest::newRow("128") << TestEdid(128) << true << 8;
    QTest::newRow("300") << TestEdid(300) << true << 16;
    QTest::newRow("129") << TestEdid(129) << false << 0;
    QTest::newRow("no header") << TestEdid(128, '\x5a', false) << false << 0;
}

void TestVtx::edidSelect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(int, lines);

    ClearEdidFolder();
    const QString path = m_files.filePath(QStringLiteral("monitor.bin"));
    QVERIFY(WriteAll(path, bytes));
    CHOIDev *pDev = Dev(kRx);
    QVERIFY(pDev->EnsureConnected());
    CFileAnswer answer(path);
    CBoxLog boxes;
    CDlgEDIDSetting dlg(pDev, nullptr);
    QPushButton *pApply = Child<QPushButton>(dlg, "pbApply");
    Child<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QCOMPARE(answer.Last().strCaption, QStringLiteral("Open File"));
    QCOMPARE(answer.Last().strDir, EdidDirPath());
    QCOMPARE(answer.Last().strFilter, QStringLiteral("(*.bin)"));
    QCOMPARE(Child<QLineEdit>(dlg, "leEDIDFileName")->text(), path);
    QCOMPARE(pApply->isEnabled(), valid);

    const QString text = Child<QTextEdit>(dlg, "teEDIDInfo")->toPlainText();
    m_pLan->ClearReceived();
    pApply->click();
    if (valid) {
        QCOMPARE(boxes.Count(), 0);
        QCOMPARE(text.split('\n').size(), lines);
        QTRY_VERIFY_WITH_TIMEOUT(!Filtered(m_pLan->Commands(kRx), "eeprom_content").isEmpty(), 10000);
        const QList<QByteArray> sent = Filtered(m_pLan->Commands(kRx), "eeprom_content");
        QCOMPARE(sent, QList<QByteArray>({EdidLine(bytes)}));
        // 383 or 767 characters between the quotes.
        QCOMPARE(sent.at(0).indexOf("\" >") - 6, lines == 8 ? 383 : 767);
    } else {
        QCOMPARE(boxes.Count(), 1);
        QCOMPARE(boxes.At(0).title, QStringLiteral("EDID Setting"));
        QCOMPARE(boxes.At(0).text, QStringLiteral("Invalid EDID !"));
        QVERIFY(text.isEmpty());
        // Nothing valid was loaded: nothing is written to the EEPROM.
        QTest::qWait(200);
        QVERIFY(Filtered(m_pLan->Commands(kRx), "eeprom_content").isEmpty());
    }

    // A cancelled Select clears the text and disables Apply.
    answer.Set(QString());
    Child<QPushButton>(dlg, "pbUplaodEDIDFile")->click();
    QVERIFY(Child<QTextEdit>(dlg, "teEDIDInfo")->toPlainText().isEmpty());
    QVERIFY(!pApply->isEnabled());
    QVERIFY(Child<QLineEdit>(dlg, "leEDIDFileName")->text().isEmpty());
}

void TestVtx::edidInvalidFileLeavesNothing()
{
    ClearEdidFolder();
    const QString dir = EdidDirPath() + QLatin1Char('/');
    QByteArray first = TestEdid(256);
    first[100] = '\x11';
    first[101] = '\xa3'; // the block's sum stays
    QVERIFY(WriteAll(dir + "first.bin", first));
    QVERIFY(WriteAll(dir + "second.bin", TestEdid(128, '\x5a', false)));
    CHOIDev *pDev = Dev(kRx);
    QVERIFY(pDev->EnsureConnected());
    CBoxLog boxes;
    CDlgEDIDSetting dlg(pDev, nullptr);
    QComboBox *pList = Child<QComboBox>(dlg, "cbEDIDSet");
    QPushButton *pApply = Child<QPushButton>(dlg, "pbApply");

    // An invalid file from the list leaves nothing to apply: the EDID loaded
    // before is not sent in its place.
    QVERIFY(pApply->isEnabled());
    pList->setCurrentIndex(1);
    QCOMPARE(boxes.Texts(), QStringList({"Invalid EDID !"}));
    QVERIFY(!pApply->isEnabled());
    m_pLan->ClearReceived();
    pApply->click();
    QTest::qWait(200);
    QVERIFY(Filtered(m_pLan->Commands(kRx), "eeprom_content").isEmpty());
    // Back to the valid one: Apply again.
    pList->setCurrentIndex(0);
    QVERIFY(pApply->isEnabled());
    ClearEdidFolder();
}

// ---------------------------------------------------------------------------
// IP controller

void TestVtx::ipConfigRefusesDeadAddress_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    const QString port1 = QStringLiteral("IP 1 (AV) [TX and RX communication]\n");
    const QString port2 = QStringLiteral("IP 2 (C) [Telnet client and browser communication]\n");
    QTest::newRow("port 2 all zero") << "edtIPAddr_2" << "0.0.0.0" << port2 + "Invalid IP address: 0.0.0.0";
    QTest::newRow("port 1 mask zero") << "edtNetmask" << "0.0.0.0" << port1 + "Invalid subnet mask: 0.0.0.0";
    QTest::newRow("port 2 mask with a gap") << "edtNetmask_2" << "255.255.0.255"
                                           << port2 + "Invalid subnet mask: 255.255.0.255";
}

void TestVtx::ipConfigRefusesDeadAddress()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    m_pCtrlSim->clearReceived();
    CBoxLog boxes;
    CDlgDevIPConfig dlg(Dev(kCtrl), nullptr);
    Child<QIPAddrWidget>(dlg, "edtNetmask")->SetIPAddress(QStringLiteral("255.255.0.0"));
    Child<QIPAddrWidget>(dlg, "edtIPAddr_2")->SetIPAddress(QStringLiteral("192.168.7.20"));
    Child<QIPAddrWidget>(dlg, "edtNetmask_2")->SetIPAddress(QStringLiteral("255.255.255.0"));
    Child<QIPAddrWidget>(dlg, "edtGateway_2")->SetIPAddress(QStringLiteral("0.0.0.0"));
    if (field == QLatin1String("edtIPAddr_2"))
        Child<QIPAddrWidget>(dlg, "edtNetmask_2")->SetIPAddress(value);
    Child<QIPAddrWidget>(dlg, qPrintable(field))->SetIPAddress(value);
    Child<QPushButton>(dlg, "pushBApply_2")->click();
    QCOMPARE(boxes.Texts(), QStringList{message});
    QCOMPARE(boxes.Last().icon, QMessageBox::Critical);
    QVERIFY(dlg.isEnabled());
    QTest::qWait(300);
    QVERIFY(Filtered(m_pCtrlSim->receivedLines(), "config set").isEmpty());
}

void TestVtx::ipConfigApply()
{
    CHOIDev *pCtrl = Dev(kCtrl);
    CBoxLog boxes;
    CDlgDevIPConfig dlg(pCtrl, nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("IP Config"));
    QIPAddrWidget *pAddr = Child<QIPAddrWidget>(dlg, "edtIPAddr");
    QIPAddrWidget *pAddr2 = Child<QIPAddrWidget>(dlg, "edtIPAddr_2");
    QCOMPARE(pAddr->GetIPAddress(), pCtrl->GetIPAddr());
    QCOMPARE(Child<QIPAddrWidget>(dlg, "edtNetmask")->GetIPAddress(), pCtrl->GetNetmask());
    QCOMPARE(Child<QIPAddrWidget>(dlg, "edtGateway")->GetIPAddress(), pCtrl->GetGateway());
    QCOMPARE(Child<QIPAddrWidget>(dlg, "edtNetmask_2")->GetIPAddress(), pCtrl->GetNetmask2());
    QCOMPARE(Child<QIPAddrWidget>(dlg, "edtGateway_2")->GetIPAddress(), pCtrl->GetGateway2());

    const QString addr1 = pCtrl->GetIPAddr();
    Child<QIPAddrWidget>(dlg, "edtGateway")->SetIPAddress(QStringLiteral("10.88.0.254"));
    pAddr2->SetIPAddress(QStringLiteral("192.168.7.20"));
    Child<QIPAddrWidget>(dlg, "edtNetmask_2")->SetIPAddress(QStringLiteral("255.255.255.0"));
    Child<QIPAddrWidget>(dlg, "edtGateway_2")->SetIPAddress(QStringLiteral("192.168.7.1"));
    const QString mask1 = Child<QIPAddrWidget>(dlg, "edtNetmask")->GetIPAddress();
    Child<QPushButton>(dlg, "pushBApply_2")->click();
    QVERIFY(dlg.isEnabled());
    QCOMPARE(boxes.Count(), 0);

    const QList<QByteArray> expected = {
        "config set ip4addr " + addr1.toLatin1() + " netmask " + mask1.toLatin1() + " gateway 10.88.0.254",
        "config set ip4addr2 192.168.7.20 netmask 255.255.255.0 gateway 192.168.7.1", "config set reboot"};
    QTRY_COMPARE_WITH_TIMEOUT(Filtered(m_pCtrlSim->receivedLines(), "config set"), expected, 10000);
    QCOMPARE(m_pCtrlSim->param(QStringLiteral("qn714_2_addr")), QStringLiteral("192.168.7.20"));
    // The controller restarts and drops the link.
    QTRY_COMPARE_WITH_TIMEOUT(m_pCtrlSim->sessionCount(), 0, 10000);
}

void TestVtx::ipConfigUnreachable()
{
    CHOIDev *pCtrl = Dev(kCtrl);
    m_pCtrlSim->setRefuseConnections(true);
    m_pCtrlSim->dropConnections();
    QTRY_VERIFY_WITH_TIMEOUT(!pCtrl->GetComm() || !pCtrl->GetComm()->IsConnected(), 10000);
    m_pCtrlSim->clearReceived();

    CBoxLog boxes;
    CDlgDevIPConfig dlg(pCtrl, nullptr);
    dlg.SetReconnectWait(50);
    Child<QIPAddrWidget>(dlg, "edtIPAddr_2")->SetIPAddress(QStringLiteral("192.168.7.20"));
    Child<QPushButton>(dlg, "pushBApply_2")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Failed to apply settings to devices."}));
    QCOMPARE(boxes.Last().icon, QMessageBox::Critical);
    QCOMPARE(boxes.Last().title, QString());
    QVERIFY(dlg.isEnabled());
    QTest::qWait(200);
    QVERIFY(Filtered(m_pCtrlSim->receivedLines(), "config set").isEmpty());
    m_pCtrlSim->setRefuseConnections(false);
}

QTEST_MAIN(TestVtx)
#include "tst_vtx.moc"
