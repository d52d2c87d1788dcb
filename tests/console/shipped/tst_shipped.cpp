// What ships beside the executable, walked as an operator would: every
// product of config.xml loads and every window its device menu lists opens
// under its own title against a simulated device of that product, the
// multiview layout pictures load, the IR database lists types whose keys
// the IR pad offers, and every Help entry opens a file that is there.
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
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
#include "hoi_core/ircodetable.h"
#include "mainwindow/mainwindow.h"

#include "shippedwalk.h"

namespace {

// Every window (class and title) that the device menus of all products
// together open.
const QStringList kAllWindows = {
    "CDlgDevEdit/General Settings", "CDlgDevIPConfig/IP Config", "CDlgEDIDSetting/EDID Settings",
    "CDlgIPCConfig/Virsual TX Settings", "CDlgIPMLayoutSettings/Layout Settings",
    "CDlgImageSetting/Idle Image Settings", "CDlgLogoSettings/Overlay Image Settings",
    "CDlgMapSettings/Idle Image Settings", "CDlgMapSettings/Windowing Image Settings",
    "CDlgSerialSetting/Serial Settings", "CDlgSinkPowerSetting/Display Power Settings",
    "CDlgVideoConfig/Video Settings", "CDlgVideoSetting/Video Settings", "CDlgVolumeConfig/Audio Settings",
    "QFileDialog/EDID Export"};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void batchPages_data();
    void batchPages();
    void irPadOffersDatabaseKeys();
    void helpEntries();

private:
    CHOIDev *DevOf(const QString &id) const { return m_walk.DevOf(id); }
    QStringList MenuOf(CHOIDev *pDev, int nTrigger = -1) { return m_walk.MenuOf(pDev, nTrigger); }

    CShippedWalk m_walk;
    CHOIDevMgr *m_pMgr = nullptr;
    QSet<QString> m_reached; // class/title of every window opened
};

void TestShipped::initTestCase()
{
    m_walk.Start();
    m_pMgr = m_walk.m_pMgr;
}

void TestShipped::cleanupTestCase()
{
    SetFileDialogRunner(FileDialogRunner());
    CDlgIrCtrl::DestroyDlg();
}

// ---------------------------------------------------------------------------

void TestShipped::productsLoad()
{
    QFile file(CShippedWalk::ShippedFile("config.xml"));
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
        if (!CShippedWalk::IsCamera(prod))
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
        if (!CShippedWalk::WindowEntries().contains(entries.at(i)))
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
    QVERIFY(!m_walk.m_cameraId.isEmpty());
    QCOMPARE(MenuOf(DevOf(m_walk.m_cameraId)), QStringList({"<none>"}));
}

void TestShipped::batchPages_data()
{
    QTest::addColumn<QString>("id");
    for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
        const int type = T_ProdIdInfo::TypeText2DevType(prod.type);
        if (!CShippedWalk::IsCamera(prod) && type >= CHOIDev::E_DT_TX && type <= CHOIDev::E_DT_GW)
            QTest::newRow(qPrintable(prod.id)) << prod.id;
    }
}

// The batch "Video" page shows a device the settings of its codec family:
// the JPEG 2000 page to the products with those settings, the H.264 page to
// every other one. The "EDID" page takes the products whose device menu has
// "EDID Settings", and an encoder that switches its display over RS-232
// finds that on the "Power" page. A product with an idle image of its own
// has the "Image" page's upload path (the page refuses one without).
void TestShipped::batchPages()
{
    QFETCH(QString, id);
    CHOIDev *pDev = DevOf(id);
    CDlgBatch dlg;
    QTreeWidget *pTree = dlg.findChild<QDevFilterGroupBox *>(QStringLiteral("groupBox"))
                             ->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    CShippedWalk::RowOf(pTree, pDev)->setCheckState(0, Qt::Checked);
    const bool bJpeg2000 = m_pMgr->GetProdIdInfo(pDev)->video_set_2;
    const QString shown = dlg.findChild<QStackedWidget *>(QStringLiteral("stackedWidget_2"))->currentWidget()->objectName();
    QCOMPARE(shown, bJpeg2000 ? QStringLiteral("page") : QStringLiteral("page_2"));
    const char *pszApply = !bJpeg2000 ? "pbVideoMode_apply"
        : pDev->GetDevType() == CHOIDev::E_DT_RX ? "pbVideo_HDCP_apply" : "pbEnablePreviewApply";
    QVERIFY(dlg.findChild<QPushButton *>(QLatin1String(pszApply))->isEnabled());
    const T_ProdIdInfo *pProd = m_pMgr->GetProdIdInfo(pDev);
    QCOMPARE(dlg.findChild<QComboBox *>(QStringLiteral("cbEDIDSet"))->isEnabled(), pProd->edie_setting);
    if (pProd->sink_tx_rs)
        QVERIFY(dlg.findChild<QWidget *>(QStringLiteral("chbRS232"))->isEnabled());
    const QString idleUrl = m_pMgr->GetDevUrl(pDev);
    if (dlg.findChild<QPushButton *>(QStringLiteral("pushBtnSelect_bg"))->isEnabled()
        && (pProd->image_bg || pProd->idle_enable))
        QVERIFY2(QUrl(idleUrl).path().size() > 1, qPrintable(idleUrl));
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
        QTreeWidgetItem *pRow = CShippedWalk::RowOf(pPad->findChild<QTreeWidget *>(QStringLiteral("treeWidget")), pDev);
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
        QVERIFY2(QFile::copy(CShippedWalk::ShippedFile(entry.file_path), target), qPrintable(entry.file_path));
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
