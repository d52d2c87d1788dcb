// The main window's project commands with the file-dialog hook: new, open,
// save, save as, the exports, a damaged file that must cost nothing, the
// close questions, and the project transfer with the IP controller.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include "devlist/framedevlist.h"
#include "hoi_core/appservices.h"
#include "mainwindow/dlgchooseexpend.h"
#include "mainwindow/mainwindow.h"
#include "navtree/formgrouplist.h"
#include "mainwindowtestenv.h"
#include "simhttp.h"
#include "simlan.h"

namespace {

template <class T>
T *Child(QObject *pParent, const char *pszName)
{
    return pParent->findChild<T *>(QString::fromLatin1(pszName));
}

QString AppFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A path no file can be written to.
QString UnwritablePath()
{
    return AppFile(QStringLiteral("no-such-folder/sub/project.hoi"));
}

// While it lives, lets the first transfer dialog that opens run to its end
// ("100%" or "error!") and closes it with OK.
class CTransferCloser
{
public:
    CTransferCloser()
        : m_watcher([this](QWidget *pWidget) {
            m_strClass = QString::fromLatin1(pWidget->metaObject()->className());
            QLabel *pProgress = pWidget->findChild<QLabel *>("lbProgress");
            QPushButton *pOk = pWidget->findChild<QPushButton *>("pbOK");
            if (!pProgress || !pOk) {
                pWidget->close();
                return;
            }
            m_bEnded = QTest::qWaitFor(
                [pProgress]() { return pProgress->text() == "100%" || pProgress->text() == "error!"; }, 20000);
            pOk->click();
        })
    {
    }

    // The dialog that opened, empty when none did.
    QString Opened() const { return m_watcher.Fired() ? m_strClass : QString(); }
    bool Ended() const { return m_bEnded; }

private:
    QString m_strClass;
    bool m_bEnded = false;
    CModalWatcher m_watcher;
};

// The controller's web server at a test LAN address.
struct T_Controller
{
    explicit T_Controller(const char *pszAddress)
    {
        http.SetIpController(true);
        bListening = http.Listen(QHostAddress(QString::fromLatin1(pszAddress)), 80);
    }
    CSimHttp http;
    bool bListening = false;
};

} // namespace

class TestMainProject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void newProjectAsksThenEmpties();
    void saveAsksOnceThenWritesSamePath();
    void failedSaveKeepsPreviousPath();
    void saveAsReportsAndReturns();
    void saveAddsProjectSuffix();
    void openDamagedFileLosesNothing_data();
    void openDamagedFileLosesNothing();
    void openReportsOnceAndRefreshes();
    void openKeepsUnknownDevice();
    void productChangeWithUnknownDeviceDisablesFunctions();
    void exportSummaryLeavesProjectPath();
    void chooserExportsProjectUnlessSummaryChosen();
    void saveAliasAsksFirst();

    void closeAsksAboutSchedulesFirst();
    void closeWithoutProjectPath_data();
    void closeWithoutProjectPath();
    void closeWithProjectPathWrites();
    void closeNeverOverwritesUnopenedLastProject();
    void closeKeepsWindowWhenSaveFails();

    void uploadWritesSystemConfigAndHandsItOver();
    void uploadRefusedForLayoutWithoutRx();
    void uploadFailsWhenCopyCannotBeWritten();
    void downloadNeedsAnAddress();
    void downloadLoadsQuietlyOrReportsError();
    void contextMenuAsksFirst_data();
    void contextMenuAsksFirst();
    void controllerComboFollowsFoundController();
};

void TestMainProject::initTestCase()
{
    InitConsoleResources();
    RegisterHoiMetaTypes();
}

void TestMainProject::init()
{
    // Files a test writes beside the program; the program itself stays.
    QDir dir(QCoreApplication::applicationDirPath());
    const QStringList files = dir.entryList({"*.hoi", "*.txt", "list.xml"}, QDir::Files);
    for (const QString &file : files)
        dir.remove(file);
    QDir(dir.filePath("no-such-folder")).removeRecursively();
}

void TestMainProject::newProjectAsksThenEmpties()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    env.AddLayout("W1-a", 1);
    env.Mgr()->m_strCurFilePath = AppFile("old.hoi");
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();

    env.Answer(QMessageBox::No);
    w.findChild<QAction *>("actionNew")->trigger();
    QCOMPARE(env.Texts(),
             QStringList({"A new project file will be established,please make sure the current work has been "
                          "saved.\r\n\r\nDo you want to continue?"}));
    QCOMPARE(env.Mgr()->GetDevCount(), 1);

    env.Answer(QMessageBox::Yes);
    w.findChild<QAction *>("actionNewMune")->trigger();
    QCOMPARE(env.Mgr()->GetDevCount(), 0);
    QCOMPARE(env.Mgr()->GetSceneCount(), 0);
    QCOMPARE(env.Mgr()->GetCurFilePath(), QString());
    QCOMPARE(Child<QComboBox>(&w, "cbScenes")->count(), 0);
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_All"));
}

void TestMainProject::saveAsksOnceThenWritesSamePath()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    MainWindow w;
    const QString path = AppFile("first.hoi");

    // Cancelled: nothing written, nothing said.
    w.findChild<QAction *>("actionSave")->trigger();
    QCOMPARE(env.FileRequests().size(), 1);
    QVERIFY(env.Boxes().isEmpty());
    QCOMPARE(env.Mgr()->GetCurFilePath(), QString());

    env.AnswerFile(path);
    w.findChild<QAction *>("menuSave")->trigger();
    QCOMPARE(env.FileRequests().size(), 2);
    const T_FileDialogRequest &request = env.FileRequests().at(1);
    QCOMPARE(request.eKind, E_FD_SAVE_FILE);
    QCOMPARE(request.strCaption, QString("Save as"));
    QCOMPARE(request.strDir, env.Mgr()->GetDefaultFilePath());
    QCOMPARE(request.strFilter, QString("Devinfo file (*.hoi)"));
    QCOMPARE(request.pParent, &w);
    QCOMPARE(env.Texts(), QStringList({"Save successfully."}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Information);
    QCOMPARE(env.Mgr()->GetCurFilePath(), path);
    QVERIFY(ReadAll(path).contains("ZTX-000000000001"));

    // The second save writes there without asking.
    QFile::remove(path);
    w.findChild<QAction *>("actionSave")->trigger();
    QCOMPARE(env.FileRequests().size(), 2);
    QVERIFY(QFile::exists(path));
}

void TestMainProject::failedSaveKeepsPreviousPath()
{
    CMainTestEnv env;
    MainWindow w;
    env.AnswerFile(UnwritablePath());
    w.slotSave();
    QCOMPARE(env.Texts(), QStringList({"Save failure."}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(env.Mgr()->GetCurFilePath(), QString());
    // The next Save asks again instead of failing on that path.
    env.AnswerFile(AppFile("second.hoi"));
    w.slotSave();
    QCOMPARE(env.FileRequests().size(), 2);
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("second.hoi"));
}

void TestMainProject::saveAsReportsAndReturns()
{
    CMainTestEnv env;
    env.Mgr()->m_strCurFilePath = AppFile("current.hoi");
    MainWindow w;
    // Save as always asks, even with a current path.
    QVERIFY(!w.slotSaveas());
    QCOMPARE(env.FileRequests().size(), 1);
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("current.hoi"));

    env.AnswerFile(AppFile("other.hoi"));
    QVERIFY(w.slotSaveas());
    QCOMPARE(env.Texts(), QStringList({"Save as successfully."}));
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("other.hoi"));

    env.ClearBoxes();
    env.AnswerFile(UnwritablePath());
    QVERIFY(!w.slotSaveas());
    QCOMPARE(env.Texts(), QStringList({"Save as failure."}));
    // A failed Save as keeps the project where it was: Save writes there.
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("other.hoi"));
    QFile::remove(AppFile("other.hoi"));
    w.slotSave();
    QCOMPARE(env.FileRequests().size(), 3);
    QVERIFY(QFile::exists(AppFile("other.hoi")));
}

void TestMainProject::saveAddsProjectSuffix()
{
    for (const char *name : {"site", "hall"})
        QFile::remove(AppFile(name));
    CMainTestEnv env;
    MainWindow w;
    env.AnswerFile(AppFile("site"));
    w.slotSave();
    env.AnswerFile(AppFile("hall"));
    QVERIFY(w.slotSaveas());
    env.AnswerFile(AppFile("foyer.v2.hoi"));
    QVERIFY(w.slotSaveas());
    QCOMPARE(QDir(QCoreApplication::applicationDirPath()).entryList({"site*", "hall*", "foyer*"}),
             QStringList({"foyer.v2.hoi", "hall.hoi", "site.hoi"}));
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("foyer.v2.hoi"));
}

void TestMainProject::openDamagedFileLosesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("bWrite");
    QTest::newRow("cut off") << QByteArray("<?xml version=\"1.0\"?>\n<hoi ver=\"1.0\"><devices><item host_name=")
                             << true;
    QTest::newRow("foreign root") << QByteArray("<hoiprod/>") << true;
    QTest::newRow("not xml") << QByteArray("\x89PNG\r\n\x1a\n", 8) << true;
    QTest::newRow("nested too deep") << "<hoi>" + QByteArray("<item>").repeated(10) + QByteArray("</item>").repeated(10)
                                             + "</hoi>"
                                      << true;
    QTest::newRow("missing") << QByteArray() << false;
}

void TestMainProject::openDamagedFileLosesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, bWrite);
    CMainTestEnv env;
    CHOIDev *pDev = env.AddDev("ZTX-000000000001", "Cam");
    CHOIScene *pScene = env.AddLayout("W1-a", 1);
    const QString strOpen = AppFile("open.hoi");
    env.Mgr()->m_strCurFilePath = strOpen;
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();

    const QString path = AppFile("damaged.hoi");
    if (bWrite)
        QVERIFY(WriteFile(path, content));
    env.AnswerFile(path);
    w.findChild<QAction *>("actionImport")->trigger();

    const T_FileDialogRequest &request = env.FileRequests().at(0);
    QCOMPARE(request.eKind, E_FD_OPEN_FILE);
    QCOMPARE(request.strCaption, QString("Import"));
    QCOMPARE(request.strFilter, QString("DevInfo file (*.hoi)"));
    QCOMPARE(request.strDir, env.Mgr()->GetDefaultFilePath());
    QCOMPARE(env.Boxes().size(), 1);
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(env.Boxes().at(0).text,
             QString("Failed to open '%1': the file cannot be read or is not a project file.")
                 .arg(QDir::toNativeSeparators(path)));
    // Everything open before is still there and still shown.
    QCOMPARE(env.Mgr()->GetDevCount(), 1);
    QCOMPARE(env.Mgr()->GetDev(0), pDev);
    QCOMPARE(env.Mgr()->FindSceneByName("W1-a"), pScene);
    QCOMPARE(env.Mgr()->GetCurFilePath(), strOpen);
    QCOMPARE(w.GetCurScene(), pScene);
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    QCOMPARE(pList->topLevelItemCount(), 1);
}

void TestMainProject::openReportsOnceAndRefreshes()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    env.AddLayout("W1-a", 1);
    const QString path = AppFile("good.hoi");
    QVERIFY(env.Mgr()->ExportDevInfoFile(path));
    env.Mgr()->ClearAll();
    MainWindow w;
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    QCOMPARE(pList->topLevelItemCount(), 0);

    env.AnswerFile(path);
    w.findChild<QAction *>("menuOpen")->trigger();
    QCOMPARE(env.Texts(), QStringList({"Imported successfully."}));
    QCOMPARE(env.Boxes().at(0).pParent, &w);
    QCOMPARE(env.Mgr()->GetDevCount(), 1);
    QVERIFY(env.Mgr()->FindSceneByName("W1-a"));
    QCOMPARE(env.Mgr()->GetCurFilePath(), path);
    QCOMPARE(pList->topLevelItemCount(), 1);
    QVERIFY(Child<QGroupBox>(&w, "gbScene")->isEnabled());
    QVERIFY(w.findChild<QAction *>("actionIrControl")->isEnabled());
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_All"));
}

// A device whose model the product table lacks is listed, turns the
// device functions off with a notice, and is saved again.
void TestMainProject::openKeepsUnknownDevice()
{
    CMainTestEnv env;
    const QString path = AppFile("unknown.hoi");
    QVERIFY(WriteFile(path, R"(<hoi><devices>
 <item hostname="ZTX-000000000001" name="Cam"/>
 <item hostname="ZRX-000000000002" name="Screen"><group><item name="Lobby" sequence="1"/></group></item>
 <item hostname="NEW-000000000003" name="Wall screen" ipaddr="127.0.0.5"><group><item name="Lobby" sequence="1"/></group></item>
</devices><scenes>
 <item name="W1-a" row_count="1" col_count="2"><devices>
  <item pos_row="0" pos_col="0" rx="NEW-000000000003" tx="ZTX-000000000001|"/>
  <item pos_row="0" pos_col="1" rx="ZRX-000000000002"/>
 </devices><group><item name="Lobby" sequence="1"/></group></item>
</scenes></hoi>)"));
    MainWindow w;
    w.show();
    env.AnswerFile(path);
    w.findChild<QAction *>("actionImport")->trigger();
    QCOMPARE(env.Texts(), QStringList({"Contains unknown device type,opration disabled."}));
    QCOMPARE(env.Boxes().at(0).pParent, static_cast<QWidget *>(nullptr));
    for (const char *pszName : {"actionIrControl", "actionSerial", "actionCECControl", "actionViewLog",
                                "actionStandby"})
        QVERIFY2(!w.findChild<QAction *>(pszName)->isEnabled(), pszName);
    QVERIFY(!Child<QGroupBox>(&w, "gbScene")->isEnabled());

    // Listed as "Unknown" beside the sources; the pages and the grid show it.
    CHOIDev *pDev = env.Mgr()->FindDevByHostName("NEW-000000000003");
    QVERIFY(pDev);
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    QCOMPARE(pList->topLevelItemCount(), 2);
    QCOMPARE(pList->topLevelItem(1)->text(1), QString("Wall screen"));
    QCOMPARE(pList->topLevelItem(1)->text(2), QString("Unknown"));
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    w.slotOnAllItemClick(pTree->GetRootItem());
    w.slotOnGroupItemClick(pTree->FindGroupItem("Lobby"));
    w.slotOnDevClick(pDev);
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QCOMPARE(w.GetCurScene(), env.Mgr()->FindSceneByName("W1-a"));
    QCoreApplication::processEvents();

    w.findChild<QAction *>("actionSave")->trigger();
    QCOMPARE(env.Texts().last(), QString("Save successfully."));
    const QByteArray saved = ReadAll(path);
    QVERIFY(saved.contains(R"(name="Wall screen")"));
    QVERIFY(saved.contains(R"(ipaddr="127.0.0.5")"));
    QVERIFY(saved.contains(R"(rx="NEW-000000000003" tx="ZTX-000000000001|")"));

    // Opened without the success box, it still gets the notice.
    env.ClearBoxes();
    QVERIFY(w.OpenProject(path, true));
    QCOMPARE(env.Texts(), QStringList({"Contains unknown device type,opration disabled."}));
}

// The notice where the product data change.
void TestMainProject::productChangeWithUnknownDeviceDisablesFunctions()
{
    CMainTestEnv env;
    CHOIDev *pDev = env.AddDev("ZTX-000000000001", "Cam");
    MainWindow w;
    QVERIFY(Child<QGroupBox>(&w, "gbScene")->isEnabled());
    pDev->m_eDevType = CHOIDev::E_DT_UNKNOWN;
    w.slotOnProductChanged();
    QCOMPARE(env.Texts(), QStringList({"Contains unknown device type,opration disabled."}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Information);
    QCOMPARE(env.Boxes().at(0).pParent, static_cast<QWidget *>(nullptr));
    for (const char *pszName : {"actionIrControl", "actionSerial", "actionCECControl", "actionViewLog",
                                "actionStandby"})
        QVERIFY2(!w.findChild<QAction *>(pszName)->isEnabled(), pszName);
    QVERIFY(!Child<QGroupBox>(&w, "gbScene")->isEnabled());

    pDev->m_eDevType = CHOIDev::E_DT_TX;
    env.ClearBoxes();
    w.slotOnProductChanged();
    QVERIFY(env.Boxes().isEmpty());
    QVERIFY(Child<QGroupBox>(&w, "gbScene")->isEnabled());
    QVERIFY(w.findChild<QAction *>("actionIrControl")->isEnabled());
}

void TestMainProject::exportSummaryLeavesProjectPath()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    env.Mgr()->m_strCurFilePath = AppFile("open.hoi");
    MainWindow w;
    const QString path = AppFile("summary.txt");
    env.AnswerFile(path);
    w.findChild<QAction *>("actionExport")->trigger();
    const T_FileDialogRequest &request = env.FileRequests().at(0);
    QCOMPARE(request.strCaption, QString("Export to summary.txt file"));
    QCOMPARE(request.strDir, QString("summary.txt"));
    QCOMPARE(request.strFilter, QString("Sceneinfo file (*.txt)"));
    QCOMPARE(env.Texts(), QStringList({"Exported successfully."}));
    QVERIFY(ReadAll(path).contains("\tCam\t"));
    QCOMPARE(env.Mgr()->GetCurFilePath(), AppFile("open.hoi"));

    env.ClearBoxes();
    env.AnswerFile(AppFile("no-such-folder/summary.txt"));
    w.findChild<QAction *>("menuExport_summary_file")->trigger();
    QCOMPARE(env.Texts(), QStringList({"Failed to export."}));
}

void TestMainProject::chooserExportsProjectUnlessSummaryChosen()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    MainWindow w;
    // Accepted untouched: the project file.
    OnModal<CDlgChooseExpend>([](CDlgChooseExpend *pDlg) {
        QVERIFY(pDlg->findChild<QRadioButton *>("radioSetting")->isChecked());
        pDlg->findChild<QPushButton *>("btnNext")->click();
    });
    env.AnswerFile(AppFile("export.hoi"));
    w.slotExport();
    QCOMPARE(env.FileRequests().at(0).strCaption, QString("Export"));
    QCOMPARE(env.FileRequests().at(0).strFilter, QString("Devinfo file (*.hoi)"));
    QVERIFY(ReadAll(AppFile("export.hoi")).startsWith("<?xml"));
    QCOMPARE(env.Texts(), QStringList({"Exported successfully."}));
    QCOMPARE(env.Mgr()->GetCurFilePath(), QString());

    OnModal<CDlgChooseExpend>([](CDlgChooseExpend *pDlg) {
        pDlg->findChild<QRadioButton *>("radioSummary")->click();
        pDlg->findChild<QPushButton *>("btnNext")->click();
    });
    env.AnswerFile(AppFile("export.txt"));
    w.slotExport();
    QCOMPARE(env.FileRequests().at(1).strDir, QString("summary.txt"));
    QCOMPARE(env.FileRequests().at(1).strFilter, QString("Sceneinfo file (*.txt)"));
    QVERIFY(QFile::exists(AppFile("export.txt")));

    // Closed without Next: nothing is asked.
    OnModal<CDlgChooseExpend>([](CDlgChooseExpend *pDlg) { pDlg->reject(); });
    w.slotExport();
    QCOMPARE(env.FileRequests().size(), 2);
}

void TestMainProject::saveAliasAsksFirst()
{
    CMainTestEnv env;
    MainWindow w;
    env.Answer(QMessageBox::No);
    w.findChild<QAction *>("actionSave_alais")->trigger();
    QCOMPARE(env.Texts(), QStringList({"Are you sure you want to save alias to devices?"}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Question);
}

// ---- closing ----

void TestMainProject::closeAsksAboutSchedulesFirst()
{
    CMainTestEnv env;
    CHOIScene *pScene = env.AddLayout("W1-a", 1);
    T_ScheduleInfo info;
    info.type = 3;
    info.scene = pScene;
    env.Mgr()->AddSchedule(&info);
    MainWindow w;
    w.show();
    env.Answer(QMessageBox::No);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(env.Texts(), QStringList({"The schedule will not execute when program exit, sure to exit?"}));

    // Yes goes on to the save question.
    env.ClearBoxes();
    env.Answer(QMessageBox::Yes);
    env.Answer(QMessageBox::No);
    QVERIFY(w.close());
    QCOMPARE(env.Texts().size(), 2);
    QCOMPARE(env.Texts().at(1), QString("Do you want to save the changes to a project file?"));
}

void TestMainProject::closeWithoutProjectPath_data()
{
    QTest::addColumn<int>("nAnswer");
    QTest::addColumn<QString>("strFile");
    QTest::addColumn<bool>("bClosed");
    QTest::newRow("yes, save as cancelled") << int(QMessageBox::Yes) << QString() << false;
    QTest::newRow("yes, saved") << int(QMessageBox::Yes) << QString("closed.hoi") << true;
    QTest::newRow("no") << int(QMessageBox::No) << QString() << true;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString() << false;
}

void TestMainProject::closeWithoutProjectPath()
{
    QFETCH(int, nAnswer);
    QFETCH(QString, strFile);
    QFETCH(bool, bClosed);
    CMainTestEnv env;
    MainWindow w;
    w.show();
    env.Answer(QMessageBox::StandardButton(nAnswer));
    if (!strFile.isEmpty())
        env.AnswerFile(AppFile(strFile));
    QCOMPARE(w.close(), bClosed);
    QCOMPARE(env.Boxes().at(0).text, QString("Do you want to save the changes to a project file?"));
    QCOMPARE(env.FileRequests().size(), nAnswer == QMessageBox::Yes ? 1 : 0);
    if (!strFile.isEmpty())
        QVERIFY(QFile::exists(AppFile(strFile)));
    // Nothing but what was chosen is written.
    QCOMPARE(QDir(QCoreApplication::applicationDirPath()).entryList({"*.hoi"}).size(), strFile.isEmpty() ? 0 : 1);
}

void TestMainProject::closeWithProjectPathWrites()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    const QString path = AppFile("current.hoi");
    {
        MainWindow w;
        w.show();
        env.AnswerFile(path);
        w.slotSave();
        QFile::remove(path);
        env.ClearBoxes();
        w.on_pbChangeRXGroupOrList();
        QVERIFY(w.close());
        QCOMPARE(env.Texts(), QStringList({"Do you want to save?"}));
        QVERIFY(ReadAll(path).contains("ZTX-000000000001"));
    }
    // The window's end writes "list.xml" with the page shown last.
    const QByteArray list = ReadAll(ListXmlPath());
    QVERIFY2(list.contains("listortree=\"1\""), list.constData());
    QVERIFY(list.contains(path.toUtf8()));
}

void TestMainProject::closeNeverOverwritesUnopenedLastProject()
{
    // "list.xml" names the last project, but this run never opened it: a
    // Yes must not replace that project with what this run holds.
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    const QString path = AppFile("last.hoi");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<hoi ver=\"1.0\"/>");
    }
    env.Mgr()->m_strCurFilePath = path;
    {
        MainWindow w;
        w.show();
        env.Answer(QMessageBox::Yes);
        QVERIFY(!w.close()); // the save dialog is cancelled
        QCOMPARE(env.Texts(), QStringList({"Do you want to save the changes to a project file?"}));
        QCOMPARE(env.FileRequests().size(), 1);
        QCOMPARE(ReadAll(path), QByteArray("<hoi ver=\"1.0\"/>"));
        env.Answer(QMessageBox::No);
        QVERIFY(w.close());
    }
    // The next start still offers it.
    QVERIFY(ReadAll(ListXmlPath()).contains(path.toUtf8()));
}

void TestMainProject::closeKeepsWindowWhenSaveFails()
{
    CMainTestEnv env;
    MainWindow w;
    w.show();
    // The project's folder goes after it was saved there.
    QDir here(QCoreApplication::applicationDirPath());
    QVERIFY(here.mkpath("gone"));
    env.AnswerFile(here.filePath("gone/project.hoi"));
    w.slotSave();
    QVERIFY(QDir(here.filePath("gone")).removeRecursively());
    env.ClearBoxes();
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(env.Texts(), QStringList({"Do you want to save?", "Save failure."}));
    // The operator can still leave without saving.
    env.Answer(QMessageBox::No);
    QVERIFY(w.close());
}

// ---- IP controller ----

void TestMainProject::uploadWritesSystemConfigAndHandsItOver()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    CMainTestEnv env;
    CHOIDev *pTx = env.AddDev("ZTX-000000000001", "Cam");
    pTx->SetIPAddr("10.88.1.9");
    CHOIDev *pRx = env.AddDev("ZRX-000000000002", "Screen");
    CHOIScene *pScene = env.AddLayout("W1-a", 1);
    pScene->GetCell(0, 0)->rx = pRx;
    env.Mgr()->m_mapLayoutWithoutRx.insert("stale", "entry");
    MainWindow w;
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    pList->setCurrentItem(pList->topLevelItem(0));
    QCOMPARE(w.GetCurDevIPAddr(), QString("10.88.1.9"));

    T_Controller controller("10.88.1.9");
    QVERIFY(controller.bListening);
    CTransferCloser closer;
    Child<QPushButton>(&w, "pbQN714Upload")->click();
    QCOMPARE(closer.Opened(), QString("CDlgHttpManage"));
    QVERIFY(closer.Ended());
    // The copy in the Documents folder went up to the current device's address.
    QCOMPARE(controller.http.RequestCount(), 1);
    const T_SimHttpRequest request = controller.http.Requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QByteArray("/scene_upload"));
    QCOMPARE(QString::fromUtf8(request.fileName), DocumentsDir() + QStringLiteral("SystemConfig.hoi"));
    QVERIFY(controller.http.Stored("/scene_upload").contains("ZRX-000000000002"));
    QVERIFY(env.Boxes().isEmpty());
    QVERIFY(env.Mgr()->m_mapLayoutWithoutRx.isEmpty());
}

void TestMainProject::uploadRefusedForLayoutWithoutRx()
{
    CMainTestEnv env;
    env.AddLayout("W1-a", 1)->SetGroup("Hall");
    env.AddLayout("W0-b", 2)->SetGroup("Lobby");
    MainWindow w;
    CTransferCloser closer;
    Child<QPushButton>(&w, "pbQN714Upload")->click();
    QCOMPARE(closer.Opened(), QString());
    QCOMPARE(env.Texts(), QStringList({"(Lobby_W0; Hall_W1; ) does not exist rx."}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(env.Boxes().at(0).pParent, static_cast<QWidget *>(nullptr));
}

void TestMainProject::uploadFailsWhenCopyCannotBeWritten()
{
    CMainTestEnv env;
    MainWindow w;
    // A folder where the copy should go makes the write fail.
    const QString path = DocumentsDir() + QStringLiteral("SystemConfig.hoi");
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path));
    CTransferCloser closer;
    Child<QPushButton>(&w, "pbQN714Upload")->click();
    QVERIFY(QDir().rmdir(path));
    QCOMPARE(closer.Opened(), QString());
    QCOMPARE(env.Boxes().size(), 1);
    QCOMPARE(env.Boxes().at(0).title, QString("Upload"));
    QCOMPARE(env.Boxes().at(0).text, QString("Upload Failed."));
}

void TestMainProject::downloadNeedsAnAddress()
{
    CMainTestEnv env;
    MainWindow w;
    CTransferCloser closer;
    Child<QPushButton>(&w, "pbQN714Download")->click();
    QCOMPARE(closer.Opened(), QString());
    QCOMPARE(env.Boxes().at(0).title, QString("Download"));
    QCOMPARE(env.Boxes().at(0).text, QString("Current QN714 Address is not found"));
}

void TestMainProject::downloadLoadsQuietlyOrReportsError()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    CMainTestEnv env;
    CHOIDev *pTx = env.AddDev("ZTX-000000000001", "Cam");
    pTx->SetIPAddr("10.88.1.3");
    env.AddDev("ZRX-000000000002", "Screen");
    const QString path = AppFile("downloaded.hoi");
    QVERIFY(env.Mgr()->ExportDevInfoFile(path));
    env.Mgr()->RemoveDevice(env.Mgr()->FindDevByHostName("ZRX-000000000002"));
    MainWindow w;
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    pList->setCurrentItem(pList->topLevelItem(0));

    T_Controller controller("10.88.1.3");
    QVERIFY(controller.bListening);
    // Nothing uploaded yet: the controller has no project to give.
    {
        CTransferCloser closer;
        Child<QPushButton>(&w, "pbQN714Download")->click();
        QCOMPARE(closer.Opened(), QString("CDlgHttpManage"));
        QVERIFY(closer.Ended());
    }
    QCOMPARE(env.Texts(), QStringList({"Download error."}));

    env.ClearBoxes();
    controller.http.SetStored("/scene_upload", ReadAll(path));
    {
        CTransferCloser closer;
        Child<QPushButton>(&w, "pbQN714Download")->click();
        QVERIFY(closer.Ended());
    }
    // Both times a download from the current device's address.
    QCOMPARE(controller.http.RequestCount(), 2);
    for (const T_SimHttpRequest &request : controller.http.Requests()) {
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.path, QByteArray("/scene_download"));
    }
    // Loaded as the current project, without "Imported successfully.".
    QVERIFY(env.Boxes().isEmpty());
    QVERIFY(env.Mgr()->FindDevByHostName("ZRX-000000000002"));
    QCOMPARE(env.Mgr()->GetCurFilePath(), DocumentsDir() + QStringLiteral("SystemConfig.hoi"));
}

void TestMainProject::contextMenuAsksFirst_data()
{
    QTest::addColumn<int>("nOper");
    QTest::addColumn<int>("nAnswer");
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nTransfers");
    const QString up = "Uploading this file will overwrite the existing file. Are you sure you wish to continue?";
    const QString down = "Downloaded file will overwrite this project file, Are you sure you wish to continue?";
    QTest::newRow("upload yes") << 0 << int(QMessageBox::Yes) << up << 1;
    QTest::newRow("upload no") << 0 << int(QMessageBox::No) << up << 0;
    QTest::newRow("download yes") << 1 << int(QMessageBox::Yes) << down << 1;
    QTest::newRow("download no") << 1 << int(QMessageBox::No) << down << 0;
}

void TestMainProject::contextMenuAsksFirst()
{
    QFETCH(int, nOper);
    QFETCH(int, nAnswer);
    QFETCH(QString, strText);
    QFETCH(int, nTransfers);
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    CMainTestEnv env;
    CHOIDev *pRx = env.AddDev("ZRX-000000000002", "Screen");
    pRx->SetIPAddr("10.88.1.4");
    env.AddLayout("W1-a", 1)->GetCell(0, 0)->rx = pRx;
    CHOIDev *pTx = env.AddDev("ZTX-000000000001", "Cam");
    pTx->SetIPAddr("10.88.1.3");
    MainWindow w;
    QTreeWidget *pList = Child<CFrameDevList>(&w, "wgDevFrame")->findChild<QTreeWidget *>("twDevices");
    pList->setCurrentItem(pList->topLevelItem(0));
    CTransferCloser closer;
    env.Answer(QMessageBox::StandardButton(nAnswer));
    emit Child<CFrameDevList>(&w, "wgDevFrame")->signalQN714Operate(CFrameDevList::E_QN714Operate(nOper));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Warning);
    QCOMPARE(env.Boxes().at(0).title, QString("warning"));
    QCOMPARE(env.Boxes().at(0).text, strText);
    QCOMPARE(closer.Opened(), nTransfers == 1 ? QString("CDlgHttpManage") : QString());
}

void TestMainProject::controllerComboFollowsFoundController()
{
    CMainTestEnv env;
    MainWindow w;
    QComboBox *pCombo = Child<QComboBox>(&w, "cbCurrQN714");
    QCOMPARE(pCombo->count(), 0);
    CHOIDev found(env.Mgr(), CHOIDev::E_DT_QN714, QStringLiteral("gb"), false, CHOIDev::E_CT_TELNET);
    found.SetHostName(QStringLiteral("QN714-00000000000A"), true);
    emit env.Mgr()->signalFoundQN714(&found);
    QCOMPARE(pCombo->count(), 1);
    QCOMPARE(pCombo->itemText(0), QString("QN714-00000000000A"));
    // A refresh lists the manager's controllers only (none here).
    w.slotRefreshQN714ComoboBox();
    QCOMPARE(pCombo->count(), env.Mgr()->GetQN714Count());
}

HOI_MAINWINDOW_TEST_MAIN(TestMainProject)
#include "tst_mainproject.moc"
