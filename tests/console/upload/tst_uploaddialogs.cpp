// The image dialogs and the controller project transfer against simulated
// devices in the private test LAN: each device serves its shell on port 24
// and its HTTP endpoints on port 80 of its own address.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "simdevice_commands.h"
#include "simhttp.h"
#include "simlan.h"
#include "upload/dlghttpmanage.h"
#include "upload/dlgimagesetting.h"
#include "upload/dlgmapsettings.h"

#include "uploadtestsupport.h"

namespace {

// Idle image with logo (1280x720), idle image only, an encoder, windowing
// image, and a JPEG product that still shows the windowing texts.
const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod logo_enable=\"y\">\n"
    "  <product id=\"ZRXL\" name=\"LogoRx\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\" image_bg=\"y\""
    " image_logo=\"y\" map_dispaly_enable=\"n\" map_type=\"jpg\" url=\"/upload_idle\" osd_display_method=\"y\"/>\n"
    "  <product id=\"ZRXB\" name=\"WinRx\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\" image_bg=\"y\""
    " image_logo=\"n\" map_dispaly_enable=\"y\" map_type=\"bmp\" url=\"/upload_wrong\" bg_url=\"/upload_win\""
    " osd_display_method=\"n\"/>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\" image_bg=\"y\""
    " image_logo=\"y\"/>\n"
    "  <product id=\"ZMIX\" name=\"MixRx\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\" map_dispaly_enable=\"y\""
    " map_type=\"jpg\" url=\"/upload_mix\" bg_url=\"/upload_wrong\"/>\n"
    "</hoiprod>\n";

enum { kLogoRx = 0, kWinRx = 1, kTx = 2, kMixRx = 3, kCtrl = 4, kDevCount = 4 };
const char *const kModels[] = {"ZRXL", "ZRXB", "ZTX", "ZMIX"};
const char *const kTypes[] = {"RX", "RX", "TX", "RX"};

template <class T>
T *Find(QWidget &dlg, const char *name)
{
    T *p = dlg.findChild<T *>(QLatin1String(name));
    if (!p)
        qFatal("no widget %s", name);
    return p;
}

QColor TextColor(QLabel *pLabel)
{
    return pLabel->palette().color(QPalette::WindowText);
}

QList<QByteArray> Starting(const QList<QByteArray> &lines, const QByteArray &prefix)
{
    QList<QByteArray> out;
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix))
            out << line;
    }
    return out;
}

} // namespace

class TestUploadDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void imageFaces_data();
    void imageFaces();
    void logoChoice_data();
    void logoChoice();
    void rejectedChoiceKeepsFirst();
    void idleChoice_data();
    void idleChoice();
    void imageUploadsBoth();
    void imageUploadFailures_data();
    void imageUploadFailures();
    void imageUploadUnreadableFile();
    void uploadRechecksFile_data();
    void uploadRechecksFile();
    void imageStalledUploadWaitsForClose();
    void imageRetranslateKeepsChosenTexts();

    void mapFaces_data();
    void mapFaces();
    void mapReplies();
    void mapChoice_data();
    void mapChoice();
    void mapUpload_data();
    void mapUpload();
    void mapUploadError_data();
    void mapUploadError();
    void mapSwitches();
    void switchLinkGivesUp_data();
    void switchLinkGivesUp();
    void mapRetranslateKeepsProductTexts();

    void projectUpload_data();
    void projectUpload();
    void projectUploadWithoutFile();
    void projectDownload();
    void projectDownloadFailures_data();
    void projectDownloadFailures();
    void projectTransferClosedWhileStalled();
    void projectProgressText_data();
    void projectProgressText();

    void transfersIgnoreEnvironmentProxy();

private:
    CHOIDev *Dev(int i) const
    {
        return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(kModels[i]), i));
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QString Written(const QString &name, const QByteArray &bytes)
    {
        const QString path = Path(name);
        return WriteBytes(path, bytes) ? path : QString();
    }
    QList<QByteArray> Commands(int i) const { return m_pLan->Commands(i); }

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    QList<CSimHttp *> m_http; // one per address, the controller's last
};

void TestUploadDialogs::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QVERIFY(m_dir.isValid());
    QVERIFY(m_home.isValid());
    // The project download lands in the Documents folder: keep it in here.
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());

    RegisterHoiMetaTypes();
    QVERIFY(WriteBytes(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"), kConfig));
    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    for (int i = 0; i < kDevCount; ++i) {
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(QLatin1String(kModels[i]), i),
                                            QLatin1String(kTypes[i]));
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    for (int i = 0; i <= kCtrl; ++i) {
        CSimHttp *pHttp = new CSimHttp;
        QVERIFY(pHttp->Listen(m_pLan->Address(i), 80));
        pHttp->AddUploadPath("/upload_idle");
        pHttp->AddUploadPath("/upload_win");
        pHttp->AddUploadPath("/upload_mix");
        m_http.append(pHttp);
    }
    m_http.at(kCtrl)->SetIpController(true);
    QVERIFY(m_pLan->Start());

    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    for (int i = 0; i < kDevCount; ++i)
        QVERIFY(Dev(i));
}

void TestUploadDialogs::cleanupTestCase()
{
    qDeleteAll(m_http);
    m_http.clear();
    delete m_pLan;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestUploadDialogs::init()
{
    if (!m_pLan)
        return;
    // A window of the test before may have left reads queued: a test starts
    // once every queue has ended.
    for (int i = 0; i < kDevCount; ++i)
        QTRY_COMPARE(Dev(i)->GetComm() ? Dev(i)->GetComm()->GetSendQueueCount() : 0, 0);
    m_pLan->ClearReceived();
    for (CSimHttp *pHttp : qAsConst(m_http)) {
        pHttp->SetFault(CSimHttp::E_HF_NONE);
        pHttp->ClearRequests();
        pHttp->ClearStored();
    }
}

// ---------------------------------------------------------------------------
// Image settings

void TestUploadDialogs::imageFaces_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<bool>("logoGroup");
    QTest::addColumn<bool>("osdGroup");
    QTest::addColumn<bool>("osdNote");
    QTest::addColumn<bool>("bottomNote");
    QTest::addColumn<QString>("resolution");

    QTest::newRow("logo product") << int(kLogoRx) << true << false << false << true
                                  << "Image Resolution: 1280X720";
    QTest::newRow("idle image only") << int(kWinRx) << false << true << true << false
                                     << "Image Resolution: 1920X1080";
    QTest::newRow("encoder") << int(kTx) << true << false << false << true << "Image Resolution: 1280X720";
}

void TestUploadDialogs::imageFaces()
{
    QFETCH(int, dev);
    QFETCH(bool, logoGroup);
    QFETCH(bool, osdGroup);
    QFETCH(bool, osdNote);
    QFETCH(bool, bottomNote);
    QFETCH(QString, resolution);

    Dev(dev)->SetOsdDisplayMethod(QStringLiteral("independence"));
    CDlgImageSetting dlg(Dev(dev), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Idle Image Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(!Find<QGroupBox>(dlg, "groupBox_Logo")->isHidden(), logoGroup);
    QCOMPARE(!Find<QGroupBox>(dlg, "groupBox_4")->isHidden(), osdGroup);
    QCOMPARE(!Find<QLabel>(dlg, "label_3")->isHidden(), osdNote);
    QCOMPARE(!Find<QLabel>(dlg, "label_4")->isHidden(), bottomNote);
    QCOMPARE(Find<QLabel>(dlg, "label_Size_bg")->text(), resolution);
    QVERIFY(!Find<QPushButton>(dlg, "pushBtnUpload_bg")->isEnabled());
    QVERIFY(!Find<QPushButton>(dlg, "pushBtnUpload_Logo")->isEnabled());
    QCOMPARE(Find<QComboBox>(dlg, "cbOSDMethod")->currentIndex(), 1);
    QCOMPARE(Find<QComboBox>(dlg, "cbOSDMethod")->itemText(1), QStringLiteral("Off/Control"));
    Dev(dev)->SetOsdDisplayMethod(QString());
}

void TestUploadDialogs::logoChoice_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<bool>("uploadEnabled");

    QTest::newRow("32 bits, 40-byte header") << MakeBmp(32, 40, 0, 0, 0, 0, 2102) << true
                                             << "Image Size:2 (KB) (<128KB)" << true;
    QTest::newRow("16 bits, 40-byte header") << MakeBmp(16, 40, 0, 0, 0, 0, 2102) << false << QString() << false;
    QTest::newRow("RGB565 with masks") << MakeBmp(16, 56, 0xF800, 0x07E0, 0x001F, 0, 1000) << true
                                       << "Image Size:0 (KB) (<128KB)" << true;
    QTest::newRow("131071 bytes") << MakeBmp(32, 40, 0, 0, 0, 0, 131071) << true << "Image Size:127 (KB) (<128KB)"
                                  << true;
    QTest::newRow("131072 bytes") << MakeBmp(32, 40, 0, 0, 0, 0, 131072) << true << "Image Size:128 (KB) (<128KB)"
                                  << false;
}

void TestUploadDialogs::logoChoice()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(QString, sizeText);
    QFETCH(bool, uploadEnabled);

    const QString path = Written(QStringLiteral("logo.bmp"), bytes);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
    QLabel *pSize = Find<QLabel>(dlg, "label_SizeTatol_Logo");
    Find<QPushButton>(dlg, "pushBtnSelect_Logo")->click();

    QCOMPARE(chooser.m_requests.size(), 1);
    QCOMPARE(chooser.m_requests.at(0).strCaption, QStringLiteral("Select Logo"));
    QCOMPARE(chooser.m_requests.at(0).strFilter, QStringLiteral("(*.bmp)"));
    QCOMPARE(chooser.m_requests.at(0).strDir, QString());
    if (!accepted) {
        QCOMPARE(boxes.m_boxes.size(), 1);
        QCOMPARE(boxes.m_boxes.at(0).title, QStringLiteral("Open logo image failed"));
        QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Open logo image failed!"));
        QCOMPARE(Find<QLineEdit>(dlg, "lineEditFilePath_Logo")->text(), QString());
        QCOMPARE(pSize->text(), QStringLiteral("Image Size: not to exceed 128KB"));
        QVERIFY(!Find<QPushButton>(dlg, "pushBtnUpload_Logo")->isEnabled());
        return;
    }
    QVERIFY(boxes.m_boxes.isEmpty());
    QCOMPARE(Find<QLineEdit>(dlg, "lineEditFilePath_Logo")->text(), path);
    QCOMPARE(pSize->text(), sizeText);
    QCOMPARE(TextColor(pSize), uploadEnabled ? QColor(Qt::black) : QColor(Qt::red));
    QCOMPARE(Find<QPushButton>(dlg, "pushBtnUpload_Logo")->isEnabled(), uploadEnabled);
}

void TestUploadDialogs::rejectedChoiceKeepsFirst()
{
    const QString good = Written(QStringLiteral("good.bmp"), MakeBmp(32, 40, 0, 0, 0, 0, 3000));
    const QString bad = Written(QStringLiteral("bad.bmp"), MakeBmp(16, 40, 0, 0, 0, 0, 3000));
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(good);
    chooser.Next(bad);
    chooser.Next(QString()); // cancelled
    CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
    for (int i = 0; i < 3; ++i)
        Find<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(boxes.m_boxes.size(), 1);
    QCOMPARE(Find<QLineEdit>(dlg, "lineEditFilePath_Logo")->text(), good);
    QCOMPARE(Find<QLabel>(dlg, "label_SizeTatol_Logo")->text(), QStringLiteral("Image Size:2 (KB) (<128KB)"));
    QVERIFY(Find<QPushButton>(dlg, "pushBtnUpload_Logo")->isEnabled());

    // The upload sends the accepted file, not the refused one.
    Find<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
    QTRY_VERIFY(m_http.at(kLogoRx)->HasStored("/upload_logo"));
    QCOMPARE(m_http.at(kLogoRx)->Requests().first().fileName, good.toUtf8());
}

void TestUploadDialogs::idleChoice_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<bool>("uploadEnabled");

    QTest::newRow("1572864 bytes") << int(kWinRx) << MakeImage("JPG", 64, 48, 1572864)
                                   << "Image Resolution:64X48 (1920X1080)" << "Image Size:1536 (KB) (<1.5MB)" << true;
    QTest::newRow("1572865 bytes") << int(kWinRx) << MakeImage("JPG", 64, 48, 1572865)
                                   << "Image Resolution:64X48 (1920X1080)" << "Image Size:1536 (KB) (<1.5MB)" << false;
    QTest::newRow("full HD on a 720p product") << int(kLogoRx) << MakeImage("JPG", 1920, 1080)
                                               << "Image Resolution:1920X1080 (1280X720)" << QString() << true;
    QTest::newRow("not a picture") << int(kWinRx) << QByteArray("plain text, no JPEG") << QString() << QString()
                                   << false;
}

void TestUploadDialogs::idleChoice()
{
    QFETCH(int, dev);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, resolution);
    QFETCH(QString, sizeText);
    QFETCH(bool, uploadEnabled);

    const QString path = Written(QStringLiteral("idle.jpg"), bytes);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgImageSetting dlg(Dev(dev), nullptr);
    const QString before = Find<QLabel>(dlg, "label_Size_bg")->text();
    Find<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QCOMPARE(chooser.m_requests.at(0).strCaption, QStringLiteral("Select Background"));
    QCOMPARE(chooser.m_requests.at(0).strFilter, QStringLiteral("(*.jpg)"));

    if (resolution.isEmpty()) {
        QCOMPARE(boxes.m_boxes.size(), 1);
        QCOMPARE(boxes.m_boxes.at(0).title, QStringLiteral("Open image failed"));
        QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Open image failed!"));
        QCOMPARE(Find<QLabel>(dlg, "label_Size_bg")->text(), before);
        QVERIFY(!Find<QPushButton>(dlg, "pushBtnUpload_bg")->isEnabled());
        return;
    }
    QVERIFY(boxes.m_boxes.isEmpty());
    QCOMPARE(Find<QLabel>(dlg, "label_Size_bg")->text(), resolution);
    QCOMPARE(Find<QLineEdit>(dlg, "lineEditFilePath_bg")->text(), path);
    QLabel *pSize = Find<QLabel>(dlg, "label_SizeTatol_bg");
    if (!sizeText.isEmpty())
        QCOMPARE(pSize->text(), sizeText);
    QCOMPARE(TextColor(pSize), uploadEnabled ? QColor(Qt::black) : QColor(Qt::red));
    QCOMPARE(Find<QPushButton>(dlg, "pushBtnUpload_bg")->isEnabled(), uploadEnabled);
}

void TestUploadDialogs::imageUploadsBoth()
{
    const QByteArray logo = MakeBmp(16, 56, 0xF800, 0x07E0, 0x001F, 0, 40000);
    const QByteArray idle = MakeImage("JPG", 1280, 720, 700000);
    const QString logoPath = Written(QStringLiteral("logo.bmp"), logo);
    const QString idlePath = Written(QStringLiteral("idle.jpg"), idle);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(logoPath);
    chooser.Next(idlePath);
    CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    Find<QPushButton>(dlg, "pushBtnSelect_bg")->click();

    // Both at once: the groups are independent.
    Find<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
    QCOMPARE(Find<QLabel>(dlg, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 1%"));
    QVERIFY(!Find<QGroupBox>(dlg, "groupBox_Logo")->isEnabled());
    QVERIFY(Find<QGroupBox>(dlg, "groupBox_bg")->isEnabled());
    Find<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QVERIFY(!Find<QGroupBox>(dlg, "groupBox_bg")->isEnabled());

    QTRY_COMPARE(Find<QLabel>(dlg, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 100%"));
    QTRY_COMPARE(Find<QLabel>(dlg, "label_pro_bg")->text(), QStringLiteral("Upload Progress: 100%"));
    QVERIFY(Find<QGroupBox>(dlg, "groupBox_Logo")->isEnabled());
    QVERIFY(Find<QGroupBox>(dlg, "groupBox_bg")->isEnabled());
    QVERIFY(boxes.m_boxes.isEmpty());

    CSimHttp *pHttp = m_http.at(kLogoRx);
    QVERIFY(pHttp->Stored("/upload_logo") == logo);
    QVERIFY(pHttp->Stored("/upload_bg") == idle);
    QCOMPARE(pHttp->RequestCount(), 2);
    for (const T_SimHttpRequest &req : pHttp->Requests()) {
        QCOMPARE(req.partName, QByteArray("bgimage"));
        QCOMPARE(req.partType, QByteArray("image"));
        QCOMPARE(req.fileName, (req.path == "/upload_logo" ? logoPath : idlePath).toUtf8());
    }
}

void TestUploadDialogs::imageUploadFailures_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("value");
    QTest::newRow("refused") << int(CSimHttp::E_HF_REFUSE) << 0;
    QTest::newRow("404") << int(CSimHttp::E_HF_STATUS) << 404;
    QTest::newRow("dropped") << int(CSimHttp::E_HF_DROP_BODY) << 100;
}

void TestUploadDialogs::imageUploadFailures()
{
    QFETCH(int, fault);
    QFETCH(int, value);
    const QString path = Written(QStringLiteral("idle.jpg"), MakeImage("JPG", 320, 200, 200000));
    m_http.at(kWinRx)->SetFault(CSimHttp::E_Fault(fault), value);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgImageSetting dlg(Dev(kWinRx), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    Find<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.m_boxes.size(), 1, 20000);
    QCOMPARE(boxes.m_boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(boxes.m_boxes.at(0).title, QString());
    QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Upload error."));
    QVERIFY(Find<QGroupBox>(dlg, "groupBox_bg")->isEnabled());
    QVERIFY(Find<QLabel>(dlg, "label_pro_bg")->text() != QStringLiteral("Upload Progress: 100%"));
    QVERIFY(!m_http.at(kWinRx)->HasStored("/upload_bg"));
}

void TestUploadDialogs::imageUploadUnreadableFile()
{
    const QString path = Written(QStringLiteral("gone.bmp"), MakeBmp(32, 40, 0, 0, 0, 0, 500));
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QVERIFY(QFile::remove(path));
    Find<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
    QCOMPARE(boxes.m_boxes.size(), 1);
    QCOMPARE(boxes.m_boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Upload failed."));
    QCOMPARE(Find<QLabel>(dlg, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 0%"));
    QVERIFY(Find<QGroupBox>(dlg, "groupBox_Logo")->isEnabled());
    QTest::qWait(200);
    QCOMPARE(m_http.at(kLogoRx)->RequestCount(), 0);
}

void TestUploadDialogs::uploadRechecksFile_data()
{
    QTest::addColumn<QString>("button"); // the group's choice; "pushBtnSelect": the windowing image
    QTest::addColumn<int>("dev");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("sent"); // what the file holds at upload time
    const QByteArray logo = MakeBmp(32, 40, 0, 0, 0, 0, 5000);
    QTest::newRow("logo grew to 128 KiB") << "pushBtnSelect_Logo" << int(kLogoRx) << logo
                                          << MakeBmp(32, 40, 0, 0, 0, 0, 131072);
    QTest::newRow("logo turned 24-bit") << "pushBtnSelect_Logo" << int(kLogoRx) << logo
                                        << MakeBmp(24, 40, 0, 0, 0, 0, 5000);
    QTest::newRow("idle image grew past 1.5 MiB") << "pushBtnSelect_bg" << int(kLogoRx)
                                                  << MakeImage("JPG", 64, 64, 1000)
                                                  << MakeImage("JPG", 64, 64, 1572865);
    QTest::newRow("windowing image grew past 10 MiB") << "pushBtnSelect" << int(kWinRx) << MakeImage("BMP", 64, 64)
                                                      << MakeImage("BMP", 64, 64, 10485761);
}

void TestUploadDialogs::uploadRechecksFile()
{
    QFETCH(QString, button);
    QFETCH(int, dev);
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, sent);
    const QString path = Written(QStringLiteral("changing"), chosen);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    QScopedPointer<QDialog> dlg;
    if (button == QLatin1String("pushBtnSelect"))
        dlg.reset(new CDlgMapSettings(Dev(dev), nullptr));
    else
        dlg.reset(new CDlgImageSetting(Dev(dev), nullptr));
    Find<QPushButton>(*dlg, qPrintable(button))->click();
    QVERIFY(boxes.m_boxes.isEmpty());

    // The file changes on disk between the choice and the upload.
    QVERIFY(WriteBytes(path, sent));
    const QString upload = QString(button).replace(QStringLiteral("Select"), QStringLiteral("Upload"));
    Find<QPushButton>(*dlg, qPrintable(upload))->click();
    QCOMPARE(boxes.m_boxes.size(), 1);
    QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Upload failed."));
    QTest::qWait(200);
    QCOMPARE(m_http.at(dev)->RequestCount(), 0);
}

void TestUploadDialogs::imageStalledUploadWaitsForClose()
{
    const QString path = Written(QStringLiteral("logo.bmp"), MakeBmp(32, 40, 0, 0, 0, 0, 5000));
    m_http.at(kLogoRx)->SetFault(CSimHttp::E_HF_STALL);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    {
        CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
        dlg.SetProgressInterval(5);
        dlg.show();
        Find<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
        Find<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
        QTRY_COMPARE(m_http.at(kLogoRx)->RequestCount(), 1);
        // The estimate runs up to 98% and waits there.
        QTRY_COMPARE(Find<QLabel>(dlg, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 98%"));
        QTest::qWait(100);
        QCOMPARE(Find<QLabel>(dlg, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 98%"));
        QVERIFY(!Find<QGroupBox>(dlg, "groupBox_Logo")->isEnabled());
        QVERIFY(dlg.isEnabled());
        // The operator's way out: closing the dialog drops the upload.
        QVERIFY(dlg.close());
        QTRY_COMPARE(m_http.at(kLogoRx)->OpenConnections(), 0);
        QVERIFY(Find<QGroupBox>(dlg, "groupBox_Logo")->isEnabled());
    }
    QTest::qWait(100);
    QVERIFY(boxes.m_boxes.isEmpty());
}

void TestUploadDialogs::imageRetranslateKeepsChosenTexts()
{
    if (qEnvironmentVariableIsEmpty("HOI_BIN_DIR"))
        QSKIP("run by ctest: the Chinese catalogue lies beside the program");
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("HOI_BIN_DIR") + QStringLiteral("/zh_CN.qm")));

    const QString path = Written(QStringLiteral("idle.jpg"), MakeImage("JPG", 800, 600));
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgImageSetting dlg(Dev(kLogoRx), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    Find<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE(Find<QLabel>(dlg, "label_pro_bg")->text(), QStringLiteral("Upload Progress: 100%"));

    QCoreApplication::installTranslator(&translator);
    QTRY_VERIFY(dlg.windowTitle() != QStringLiteral("Idle Image Settings")); // the change is posted
    const QString progress = Find<QLabel>(dlg, "label_pro_bg")->text();
    const QString resolution = Find<QLabel>(dlg, "label_Size_bg")->text();
    const QString title = dlg.windowTitle();
    const QString logoSize = Find<QLabel>(dlg, "label_SizeTatol_Logo")->text();
    QCoreApplication::removeTranslator(&translator);
    QTRY_COMPARE(dlg.windowTitle(), QStringLiteral("Idle Image Settings"));

    QCOMPARE(title, QStringLiteral("\u5f85\u673a\u56fe\u7247\u8bbe\u7f6e"));
    QCOMPARE(progress, QStringLiteral("\u4e0a\u4f20\u8fdb\u5ea6\uff1a100%"));
    // What the operator chose stays; the untouched logo group follows the language.
    QCOMPARE(resolution, QStringLiteral("Image Resolution:800X600 (1280X720)"));
    QCOMPARE(logoSize, QStringLiteral("\u56fe\u7247\u5927\u5c0f\uff1a\u4e0d\u8d85\u8fc7 128KB"));
    // And back.
    QCOMPARE(Find<QLabel>(dlg, "label_pro_bg")->text(), QStringLiteral("Upload Progress: 100%"));
}

// ---------------------------------------------------------------------------
// Windowing and idle image

void TestUploadDialogs::mapFaces_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("displayGroup");
    QTest::addColumn<int>("osdPage");
    QTest::addColumn<QByteArray>("osdQuery");

    QTest::newRow("idle image") << int(kLogoRx) << "Idle Image Settings" << "Image Format:*.jpg"
                                << "Image Size: not to exceed 1.5MB"
                                << "Note: Reboot the devices to make the new settings effective." << false << 1
                                << QByteArray("gbconfig --show --osd-display-method");
    QTest::newRow("windowing image") << int(kWinRx) << "Windowing Image Settings" << "Image Format:*.bmp"
                                     << "Image Size: not to exceed 10MB" << QString() << true << 0
                                     << QByteArray("gbconfig --show --osd-display");
}

void TestUploadDialogs::mapFaces()
{
    QFETCH(int, dev);
    QFETCH(QString, title);
    QFETCH(QString, format);
    QFETCH(QString, limit);
    QFETCH(QString, note);
    QFETCH(bool, displayGroup);
    QFETCH(int, osdPage);
    QFETCH(QByteArray, osdQuery);

    CDlgMapSettings dlg(Dev(dev), nullptr);
    QCOMPARE(dlg.windowTitle(), title);
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(Find<QLabel>(dlg, "label_7")->text(), format);
    QCOMPARE(Find<QGroupBox>(dlg, "groupBox")->title(),
             displayGroup ? QStringLiteral("Upload Windowing Image") : QStringLiteral("Upload Idle Image"));
    QCOMPARE(Find<QLabel>(dlg, "label_5")->text(), limit);
    QCOMPARE(Find<QLabel>(dlg, "label_2")->text(), note);
    QCOMPARE(Find<QLabel>(dlg, "label_3")->text(), QStringLiteral("Image Resolution: 1920X1080"));
    QCOMPARE(!Find<QGroupBox>(dlg, "gbMapDisplay")->isHidden(), displayGroup);
    QCOMPARE(Find<QStackedWidget>(dlg, "sw_OSD")->currentIndex(), osdPage);
    QVERIFY(!Find<QPushButton>(dlg, "pushBtnUpload")->isEnabled());
    // The display query goes out also when its switch is hidden.
    QTRY_COMPARE(Starting(Commands(dev), "gbconfig"),
                 QList<QByteArray>({"gbconfig --show --background-image-display", osdQuery}));
}

void TestUploadDialogs::mapReplies()
{
    SimDevice *pSim = m_pLan->Device(kLogoRx);
    pSim->setConfig(QStringLiteral("--background-image-display"), QStringLiteral("y"));
    pSim->setConfig(QStringLiteral("--osd-display-method"), QStringLiteral("independence"));
    {
        CDlgMapSettings dlg(Dev(kLogoRx), nullptr);
        QTRY_VERIFY(Find<QCheckBox>(dlg, "checkBoxDisplay")->isChecked());
        QTRY_COMPARE(Find<QComboBox>(dlg, "cbOSDMethod")->currentIndex(), 1);
    }
    SimDevice *pWin = m_pLan->Device(kWinRx);
    pWin->setConfig(QStringLiteral("--background-image-display"), QStringLiteral("n"));
    pWin->setConfig(QStringLiteral("--osd-display"), QStringLiteral("y"));
    CDlgMapSettings dlg(Dev(kWinRx), nullptr);
    Find<QCheckBox>(dlg, "checkBoxDisplay")->setChecked(true);
    QTRY_VERIFY(Find<QCheckBox>(dlg, "cbxOSDDisplay")->isChecked());
    QTRY_VERIFY(!Find<QCheckBox>(dlg, "checkBoxDisplay")->isChecked());
}

void TestUploadDialogs::mapChoice_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<bool>("uploadEnabled");

    QTest::newRow("windowing 10485760 bytes") << int(kWinRx) << MakeImage("BMP", 40, 30, 10485760)
                                              << "Background image (*.bmp)" << "Image Size:10240 (KB) (<10MB)" << true;
    QTest::newRow("windowing 10485761 bytes") << int(kWinRx) << MakeImage("BMP", 40, 30, 10485761)
                                              << "Background image (*.bmp)" << "Image Size:10240 (KB) (<10MB)"
                                              << false;
    // A JPEG product with the windowing texts still takes the JPEG limit.
    QTest::newRow("jpg under windowing texts") << int(kMixRx) << MakeImage("JPG", 40, 30, 1572865)
                                               << "Background image (*.jpg)" << "Image Size:1536 (KB) (<1.5MB)"
                                               << false;
}

void TestUploadDialogs::mapChoice()
{
    QFETCH(int, dev);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, filter);
    QFETCH(QString, sizeText);
    QFETCH(bool, uploadEnabled);

    const QString path = Written(QStringLiteral("picture"), bytes);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(path);
    CDlgMapSettings dlg(Dev(dev), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect")->click();
    QCOMPARE(chooser.m_requests.at(0).strCaption, QStringLiteral("Select Background Image"));
    QCOMPARE(chooser.m_requests.at(0).strFilter, filter);
    QVERIFY(boxes.m_boxes.isEmpty());
    QCOMPARE(Find<QLabel>(dlg, "label_3")->text(), QStringLiteral("Image Resolution:40X30 (1920X1080)"));
    QCOMPARE(Find<QLineEdit>(dlg, "lineEditFilePath")->text(), path);
    QCOMPARE(Find<QLabel>(dlg, "label_5")->text(), sizeText);
    QCOMPARE(TextColor(Find<QLabel>(dlg, "label_5")), uploadEnabled ? QColor(Qt::black) : QColor(Qt::red));
    QCOMPARE(Find<QPushButton>(dlg, "pushBtnUpload")->isEnabled(), uploadEnabled);
}

void TestUploadDialogs::mapUpload_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("windowing image to bg_url") << int(kWinRx) << MakeImage("BMP", 64, 64) << QByteArray("/upload_win");
    QTest::newRow("idle image to url") << int(kLogoRx) << MakeImage("JPG", 64, 64, 90000)
                                       << QByteArray("/upload_idle");
    QTest::newRow("jpg under windowing texts") << int(kMixRx) << MakeImage("JPG", 64, 64)
                                               << QByteArray("/upload_mix");
}

void TestUploadDialogs::mapUpload()
{
    QFETCH(int, dev);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, path);

    const QString file = Written(QStringLiteral("picture"), bytes);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(file);
    CDlgMapSettings dlg(Dev(dev), nullptr);
    Find<QPushButton>(dlg, "pushBtnSelect")->click();
    Find<QPushButton>(dlg, "pushBtnUpload")->click();
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(Find<QLabel>(dlg, "label_4")->text(), QStringLiteral("Upload Progress: 1%"));
    QTRY_COMPARE(Find<QLabel>(dlg, "label_4")->text(), QStringLiteral("Upload Progress: 100%"));
    QVERIFY(dlg.isEnabled());
    QVERIFY(boxes.m_boxes.isEmpty());
    CSimHttp *pHttp = m_http.at(dev);
    QCOMPARE(pHttp->RequestCount(), 1);
    QCOMPARE(pHttp->Requests().first().path, path);
    QCOMPARE(pHttp->Requests().first().partName, QByteArray("bgimage"));
    QVERIFY(pHttp->Stored(path) == bytes);
}

void TestUploadDialogs::mapUploadError_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("value");
    QTest::newRow("500") << int(CSimHttp::E_HF_STATUS) << 500;
    QTest::newRow("stalled") << int(CSimHttp::E_HF_STALL) << 0;
}

void TestUploadDialogs::mapUploadError()
{
    QFETCH(int, fault);
    QFETCH(int, value);
    const QString file = Written(QStringLiteral("picture.bmp"), MakeImage("BMP", 64, 64));
    m_http.at(kWinRx)->SetFault(CSimHttp::E_Fault(fault), value);
    CBoxLog boxes;
    CFileChooser chooser;
    chooser.Next(file);
    QScopedPointer<CDlgMapSettings> dlg(new CDlgMapSettings(Dev(kWinRx), nullptr));
    dlg->SetProgressInterval(5);
    dlg->show();
    Find<QPushButton>(*dlg, "pushBtnSelect")->click();
    Find<QPushButton>(*dlg, "pushBtnUpload")->click();
    if (fault == CSimHttp::E_HF_STALL) {
        QTRY_COMPARE(m_http.at(kWinRx)->RequestCount(), 1);
        QTRY_COMPARE(Find<QLabel>(*dlg, "label_4")->text(), QStringLiteral("Upload Progress: 98%"));
        QVERIFY(!dlg->isEnabled());
        // Closing is the way out: it drops the upload, silently.
        QVERIFY(dlg->close());
        QTRY_COMPARE(m_http.at(kWinRx)->OpenConnections(), 0);
        QTest::qWait(100);
        QVERIFY(boxes.m_boxes.isEmpty());
        return;
    }
    QTRY_COMPARE(boxes.m_boxes.size(), 1);
    QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Upload error."));
    QCOMPARE(boxes.m_boxes.at(0).title, QString());
    QVERIFY(dlg->isEnabled());
    QVERIFY(Find<QLabel>(*dlg, "label_4")->text() != QStringLiteral("Upload Progress: 100%"));
}

void TestUploadDialogs::mapSwitches()
{
    // The window's own read is done once both switches are shown.
    QSignalSpy mapRead(Dev(kWinRx), &CHOIDev::OnGetMapSettings);
    QSignalSpy osdRead(Dev(kWinRx), &CHOIDev::OnGetOSDSettings);
    CDlgMapSettings dlg(Dev(kWinRx), nullptr);
    QTRY_COMPARE(mapRead.count(), 1);
    QTRY_COMPARE(osdRead.count(), 1);
    QCOMPARE(Starting(Commands(kWinRx), "gbconfig").size(), 2);
    m_pLan->ClearReceived();
    QSignalSpy done(Dev(kWinRx), &CHOIDev::OnCmdCompleted);
    Find<QCheckBox>(dlg, "checkBoxDisplay")->setChecked(true);
    Find<QPushButton>(dlg, "pushBtnApply")->click();
    Find<QCheckBox>(dlg, "cbxOSDDisplay")->setChecked(false);
    Find<QPushButton>(dlg, "pushBtnOSDApply")->click();
    Find<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(1);
    Find<QPushButton>(dlg, "pbApplyOSDMethod")->click();
    Find<QCheckBox>(dlg, "checkBoxDisplay")->setChecked(false);
    Find<QPushButton>(dlg, "pushBtnApply")->click();
    // The four lines are queued at once: one end of the device's queue.
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(Starting(Commands(kWinRx), "gbconfig"),
             QList<QByteArray>({"gbconfig --background-image-display=y", "gbconfig --osd-display=n",
                                "gbconfig --osd-display-method=independence",
                                "gbconfig --background-image-display=n"}));
    QCOMPARE(Dev(kWinRx)->GetOsdDisplayMethod(), QStringLiteral("independence"));
    Dev(kWinRx)->SetOsdDisplayMethod(QString());
}

void TestUploadDialogs::switchLinkGivesUp_data()
{
    QTest::addColumn<bool>("mapDialog");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("linked");
    QTest::newRow("image display") << true << QByteArray("pushBtnApply") << true;
    QTest::newRow("OSD display") << true << QByteArray("pushBtnOSDApply") << true;
    QTest::newRow("OSD method") << true << QByteArray("pbApplyOSDMethod") << true;
    QTest::newRow("image settings, OSD method") << false << QByteArray("pbApplyOSDMethod") << true;
    // No link can be made: refused at once.
    QTest::newRow("image settings, OSD method, no link") << false << QByteArray("pbApplyOSDMethod") << false;
}

void TestUploadDialogs::switchLinkGivesUp()
{
    QFETCH(bool, mapDialog);
    QFETCH(QByteArray, button);
    QFETCH(bool, linked);
    // Off line: the line is taken at once, given up after the attempts.
    CHOIDev linkless(m_pMgr, CHOIDev::E_DT_RX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    linkless.SetHostName(CSimLan::HostNameFor(QLatin1String(kModels[kWinRx]), 9), true);
    CHOIDev *pDev = linked ? Dev(kWinRx) : &linkless;
    const auto restore = qScopeGuard([&] {
        m_pLan->SetDeviceOn(kWinRx, true);
        pDev->SetRetryInterval(3000);
        pDev->SetOsdDisplayMethod(QString());
    });
    m_pLan->SetDeviceOn(kWinRx, !linked);
    QTRY_VERIFY(!linked || !pDev->GetComm()->IsConnected());
    pDev->SetRetryInterval(50);
    pDev->SetOsdDisplayMethod(QStringLiteral("independence"));
    QScopedPointer<QDialog> dlg(mapDialog ? static_cast<QDialog *>(new CDlgMapSettings(pDev, nullptr))
                                          : new CDlgImageSetting(pDev, nullptr));
    Find<QComboBox>(*dlg, "cbOSDMethod")->setCurrentIndex(0);
    CBoxLog boxes;
    Find<QPushButton>(*dlg, button.constData())->click();
    QCOMPARE(boxes.m_boxes.size(), linked ? 0 : 1);
    QTRY_COMPARE(boxes.m_boxes.size(), 1);
    QCOMPARE(boxes.m_boxes.at(0).text, QStringLiteral("Failed to apply settings to devices."));
    // A method given up is not the one shown at the next opening.
    CDlgImageSetting again(pDev, nullptr);
    QCOMPARE(Find<QComboBox>(again, "cbOSDMethod")->currentIndex(), 1);
}

void TestUploadDialogs::mapRetranslateKeepsProductTexts()
{
    CDlgMapSettings dlg(Dev(kLogoRx), nullptr);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dlg, &change);
    // The form's own texts are the windowing ones; this product is idle image.
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Idle Image Settings"));
    QCOMPARE(Find<QLabel>(dlg, "label_2")->text(),
             QStringLiteral("Note: Reboot the devices to make the new settings effective."));
    QCOMPARE(Find<QGroupBox>(dlg, "groupBox")->title(), QStringLiteral("Upload Idle Image"));
}

// ---------------------------------------------------------------------------
// Controller project transfer

void TestUploadDialogs::projectUpload_data()
{
    QTest::addColumn<QByteArray>("project");
    QTest::addColumn<int>("status"); // the controller's answer
    QByteArray big;
    for (int i = 0; i < 20000; ++i)
        big += "<device host=\"ZRX-" + QByteArray::number(i) + "\"/>\r\n";
    QTest::newRow("project") << big << 200;
    QTest::newRow("0 bytes") << QByteArray() << 200;
    QTest::newRow("answered 302") << QByteArray("<hoi ver=\"1.0\"/>") << 302;
}

void TestUploadDialogs::projectUpload()
{
    QFETCH(QByteArray, project);
    QFETCH(int, status);
    const QString path = Written(QStringLiteral("SystemConfig.hoi"), project);
    CSimHttp *pCtrl = m_http.at(kCtrl);
    if (status != 200)
        pCtrl->SetFault(CSimHttp::E_HF_STATUS, status);
    QFile file(path);
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_UPLOAD, &file, m_pLan->Address(kCtrl).toString(), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Progress"));
    QCOMPARE(Find<QStackedWidget>(dlg, "swHttpType")->currentIndex(), 0);
    QPushButton *pOk = Find<QPushButton>(dlg, "pbOK");
    QLabel *pProgress = Find<QLabel>(dlg, "lbProgress");
    QCOMPARE(Find<QLabel>(dlg, "lbUploading")->text(), QStringLiteral("Uploading..."));
    QTRY_VERIFY_WITH_TIMEOUT(pOk->isEnabled(), 20000);
    QCOMPARE(pProgress->text(), status == 200 ? QStringLiteral("100%") : QStringLiteral("error!"));
    // The page says the transfer is over.
    QCOMPARE(Find<QLabel>(dlg, "lbUploading")->text(),
             status == 200 ? QStringLiteral("Upload complete.") : QStringLiteral("Upload failed."));
    QCOMPARE(dlg.GetFileName(), path);

    QCOMPARE(pCtrl->RequestCount(), 1);
    const T_SimHttpRequest req = pCtrl->Requests().first();
    QCOMPARE(req.method, QByteArray("POST"));
    QCOMPARE(req.path, QByteArray("/scene_upload"));
    QCOMPARE(req.Header("Content-Type"),
             QByteArray("multipart/form-data; boundary=---webkitFormBoundary8ESp7IbP7szByKvn"));
    QCOMPARE(req.partCount, 1);
    QCOMPARE(req.partHeaders.size(), 2);
    QCOMPARE(req.partHeaders.at(0).first, QByteArray("Content-Disposition"));
    QCOMPARE(req.partHeaders.at(0).second, "form-data; name=\"upload\"; filename=\"" + path.toUtf8() + '"');
    QCOMPARE(req.partHeaders.at(1).first, QByteArray("Content-Type"));
    QCOMPARE(req.partHeaders.at(1).second, QByteArray("application/octet-stream"));
    QCOMPARE(req.partData, project);

    QSignalSpy accepted(&dlg, &QDialog::accepted);
    pOk->click();
    QCOMPARE(accepted.count(), 1);
}

void TestUploadDialogs::projectUploadWithoutFile()
{
    QFile missing(Path(QStringLiteral("missing.hoi")));
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_UPLOAD, &missing, m_pLan->Address(kCtrl).toString(), nullptr);
    // Nothing to send: said at once, and OK closes the dialog.
    QCOMPARE(Find<QLabel>(dlg, "lbProgress")->text(), QStringLiteral("error!"));
    QVERIFY(Find<QPushButton>(dlg, "pbOK")->isEnabled());
    CDlgHttpManage none(CDlgHttpManage::E_HM_UPLOAD, nullptr, m_pLan->Address(kCtrl).toString(), nullptr);
    QCOMPARE(Find<QLabel>(none, "lbProgress")->text(), QStringLiteral("error!"));
    QCOMPARE(none.GetFileName(), QString());
    QTest::qWait(200);
    QCOMPARE(m_http.at(kCtrl)->RequestCount(), 0);
}

void TestUploadDialogs::projectDownload()
{
    const QString target = DocumentsDir() + QStringLiteral("SystemConfig.hoi");
    QVERIFY(target.startsWith(m_home.path()));
    // An older, longer copy must leave no trace.
    QVERIFY(WriteBytes(target, QByteArray(100000, 'x')));

    QByteArray project;
    for (int i = 0; i < 256; ++i)
        project += char(i);
    project = project.repeated(40);
    const QString path = Written(QStringLiteral("upload.hoi"), project);
    const QString ip = m_pLan->Address(kCtrl).toString();
    {
        QFile file(path);
        CDlgHttpManage up(CDlgHttpManage::E_HM_UPLOAD, &file, ip, nullptr);
        QTRY_COMPARE(Find<QLabel>(up, "lbProgress")->text(), QStringLiteral("100%"));
    }
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, ip, nullptr);
    QCOMPARE(Find<QStackedWidget>(dlg, "swHttpType")->currentIndex(), 1);
    QTRY_COMPARE(Find<QLabel>(dlg, "lbProgress")->text(), QStringLiteral("100%"));
    QVERIFY(Find<QPushButton>(dlg, "pbOK")->isEnabled());
    QCOMPARE(Find<QLabel>(dlg, "lbDownloading")->text(), QStringLiteral("Download complete."));
    QCOMPARE(dlg.GetFileName(), target);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == project); // byte for byte, the way it went up
    const T_SimHttpRequest req = m_http.at(kCtrl)->Requests().last();
    QCOMPARE(req.method, QByteArray("GET"));
    QCOMPARE(req.path, QByteArray("/scene_download"));
}

void TestUploadDialogs::projectDownloadFailures_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("stored"); // on the controller, empty: none
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("fileSizeLimit"); // of the console's files, as on a full disk; -1: none
    QTest::newRow("nothing uploaded: 404") << int(CSimHttp::E_HF_NONE) << 0 << QByteArray() << qint64(-1) << -1;
    QTest::newRow("500") << int(CSimHttp::E_HF_STATUS) << 500 << QByteArray("new") << qint64(-1) << -1;
    QTest::newRow("204") << int(CSimHttp::E_HF_STATUS) << 204 << QByteArray("new") << qint64(-1) << -1;
    QTest::newRow("refused") << int(CSimHttp::E_HF_REFUSE) << 0 << QByteArray("new") << qint64(-1) << -1;
    QTest::newRow("beyond the size limit") << int(CSimHttp::E_HF_NONE) << 0 << QByteArray(300000, 'n')
                                           << qint64(100000) << -1;
    QTest::newRow("disk full") << int(CSimHttp::E_HF_NONE) << 0 << QByteArray(5000, 'n') << qint64(-1) << 100;
}

void TestUploadDialogs::projectDownloadFailures()
{
    QFETCH(int, fault);
    QFETCH(int, value);
    QFETCH(QByteArray, stored);
    QFETCH(qint64, limit);
    QFETCH(int, fileSizeLimit);
    const QString target = DocumentsDir() + QStringLiteral("SystemConfig.hoi");
    QVERIFY(WriteBytes(target, "<hoi ver=\"1.0\"/>"));
    m_http.at(kCtrl)->SetStored("/scene_upload", stored);
    if (stored.isEmpty())
        m_http.at(kCtrl)->ClearStored();
    m_http.at(kCtrl)->SetFault(CSimHttp::E_Fault(fault), value);

    CFileSizeLimit fileLimit(fileSizeLimit);
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, m_pLan->Address(kCtrl).toString(), nullptr);
    if (limit >= 0)
        dlg.SetDownloadLimit(limit);
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(dlg, "lbProgress")->text(), QStringLiteral("error!"), 20000);
    QCOMPARE(Find<QLabel>(dlg, "lbDownloading")->text(), QStringLiteral("Download failed."));
    QVERIFY(Find<QPushButton>(dlg, "pbOK")->isEnabled());
    QCOMPARE(dlg.GetFileName(), QString());
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("<hoi ver=\"1.0\"/>"));
}

void TestUploadDialogs::projectTransferClosedWhileStalled()
{
    const QString path = Written(QStringLiteral("stall.hoi"), QByteArray(5000, 'p'));
    CSimHttp *pCtrl = m_http.at(kCtrl);
    pCtrl->SetFault(CSimHttp::E_HF_STALL);
    for (int mode : {int(CDlgHttpManage::E_HM_UPLOAD), int(CDlgHttpManage::E_HM_DOWNLOAD)}) {
        pCtrl->ClearRequests();
        QFile file(path);
        CDlgHttpManage *pDlg = new CDlgHttpManage(mode, mode == 0 ? &file : nullptr,
                                                  m_pLan->Address(kCtrl).toString(), nullptr);
        pDlg->show();
        QTRY_COMPARE(pCtrl->RequestCount(), 1);
        QTRY_VERIFY(pCtrl->Requests().first().complete);
        QTest::qWait(200);
        QVERIFY(!Find<QPushButton>(*pDlg, "pbOK")->isEnabled());
        QVERIFY(Find<QLabel>(*pDlg, "lbProgress")->text() != QStringLiteral("100%"));
        QSignalSpy rejected(pDlg, &QDialog::rejected);
        pDlg->reject(); // the close button
        QCOMPARE(rejected.count(), 1);
        QTRY_COMPARE(pCtrl->OpenConnections(), 0); // closing ends the transfer
        QCOMPARE(pDlg->GetFileName(), mode == 0 ? path : QString());
        delete pDlg;
        QVERIFY(!file.isOpen()); // handed back closed
    }
}

void TestUploadDialogs::projectProgressText_data()
{
    QTest::addColumn<qlonglong>("sent");
    QTest::addColumn<qlonglong>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 50LL << 100LL << "50%";
    QTest::newRow("a third") << 1LL << 3LL << "33.3333%";
    QTest::newRow("no total") << 7LL << 0LL << "99%";
    QTest::newRow("all sent") << 8LL << 8LL << "99%";
}

void TestUploadDialogs::projectProgressText()
{
    QFETCH(qlonglong, sent);
    QFETCH(qlonglong, total);
    QFETCH(QString, text);
    m_http.at(kCtrl)->SetFault(CSimHttp::E_HF_STALL);
    CDlgHttpManage dlg(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, m_pLan->Address(kCtrl).toString(), nullptr);
    // In before the dialog goes: no request of this test arrives in a later one.
    QTRY_COMPARE(m_http.at(kCtrl)->RequestCount(), 1);
    QCOMPARE(Find<QLabel>(dlg, "lbProgress")->text(), QStringLiteral("0%"));
    QVERIFY(QMetaObject::invokeMethod(&dlg, "slotOnUploadProgress", Q_ARG(qlonglong, sent), Q_ARG(qlonglong, total)));
    QCOMPARE(Find<QLabel>(dlg, "lbProgress")->text(), text);
}

// ---------------------------------------------------------------------------
// Proxy

void TestUploadDialogs::transfersIgnoreEnvironmentProxy()
{
    // A proxy of the environment listens on the console's own address.
    QTcpServer proxy;
    QVERIFY(proxy.listen(QHostAddress(qEnvironmentVariable("HOI_TESTLAN_CONSOLE"))));
    const QByteArray url = "http://" + proxy.serverAddress().toString().toLatin1() + ':'
                           + QByteArray::number(proxy.serverPort());
    qputenv("http_proxy", url);
    qputenv("all_proxy", url);
    const QString path = Written(QStringLiteral("proxy.bmp"), MakeBmp(32, 40, 0, 0, 0, 0, 3000));
    {
        CBoxLog boxes;
        CFileChooser chooser;
        chooser.Next(path);
        CDlgImageSetting image(Dev(kLogoRx), nullptr);
        Find<QPushButton>(image, "pushBtnSelect_Logo")->click();
        Find<QPushButton>(image, "pushBtnUpload_Logo")->click();
        QFile file(path);
        CDlgHttpManage up(CDlgHttpManage::E_HM_UPLOAD, &file, m_pLan->Address(kCtrl).toString(), nullptr);
        QTRY_COMPARE(Find<QLabel>(image, "label__pro_Logo")->text(), QStringLiteral("Upload Progress: 100%"));
        QTRY_COMPARE(Find<QLabel>(up, "lbProgress")->text(), QStringLiteral("100%"));
        CDlgHttpManage down(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, m_pLan->Address(kCtrl).toString(), nullptr);
        QTRY_COMPARE(Find<QLabel>(down, "lbProgress")->text(), QStringLiteral("100%"));
    }
    qunsetenv("http_proxy");
    qunsetenv("all_proxy");
    QCOMPARE(m_http.at(kLogoRx)->RequestCount(), 1);
    QCOMPARE(m_http.at(kCtrl)->RequestCount(), 2);
    QVERIFY(!proxy.hasPendingConnections());
}

QTEST_MAIN(TestUploadDialogs)
#include "tst_uploaddialogs.moc"
