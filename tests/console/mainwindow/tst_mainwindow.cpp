// The main window without devices on the network: what construction shows
// and hides, the layout list (sorting, status, create, remove, default),
// the busy state, the group and wall pages with their tiles, the Help menu,
// the docks, the tool launchers, the language switch and the welcome flow.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTreeWidget>

#include "batch/dlgbatchgroup.h"
#include "dialogs/dlgcreategroup.h"
#include "dialogs/dlgprompt.h"
#include "dialogs/dlgrxchangegroup.h"
#include "dialogs/dlgsceneedit.h"
#include "dialogs/dlgvwedit.h"
#include "dialogs/dlgwelcome.h"
#include "docks/devinfowidget.h"
#include "docks/logwidget.h"
#include "hoi_core/hoiconst.h"
#include "hoiwidget/tablegraphicsview.h"
#include "uiservices.h"
#include "mainwindow/dlgchooseexpend.h"
#include "mainwindow/mainwindow.h"
#include "mainwindowtestenv.h"
#include "navtree/formgrouplist.h"
#include "platform/languageflag.h"
#include "tiles/formall.h"
#include "tiles/formdevice.h"
#include "tiles/formonekey.h"
#include "tiles/formvw.h"

namespace {

template <class T>
T *Child(QObject *pParent, const char *pszName)
{
    return pParent->findChild<T *>(QString::fromLatin1(pszName));
}

QAction *Action(MainWindow &w, const char *pszName)
{
    return Child<QAction>(&w, pszName);
}

QStringList ComboTexts(QComboBox *pCombo)
{
    QStringList texts;
    for (int i = 0; i < pCombo->count(); ++i)
        texts << pCombo->itemText(i);
    return texts;
}

QStringList MenuTexts(QMenu *pMenu)
{
    QStringList texts;
    const QList<QAction *> actions = pMenu->actions();
    for (QAction *pAction : actions)
        texts << (pAction->isSeparator() ? QStringLiteral("|") : pAction->text());
    return texts;
}

const char *const kToolActions[] = {"actionIrControl", "actionSerial", "actionCECControl", "actionViewLog",
                                    "actionStandby"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void listModeChoosesLeftPage_data();
    void listModeChoosesLeftPage();
    void constructionShowsAndHides();
    void toolBarFollowsConfiguration_data();
    void toolBarFollowsConfiguration();
    void unknownDeviceDisablesFunctions();

    void layoutListSortedAndRenumbered();
    void refreshKeepsCurrentLayout();
    void statusReportShowsTextAndIcon_data();
    void statusReportShowsTextAndIcon();
    void failedApplyFromInterfaceShowsMessage();
    void progressKeepsWindowBusy();
    void addLayoutFromDialog();
    void removeLastLayoutAsksTwiceAndReturnsCells();
    void defaultAndAutoApplyChecks();
    void sortAndScheduledApplySelectEntries();

    void groupPageTilesLaidOut();
    void allGroupsPageTiles();
    void wallEditRenamesLayoutsAndMovesGroup();
    void deleteWallKeepsDevicesDeletesLayouts();
    void deleteGroupNeedsSelection();
    void groupCommandsRefuseTakenName_data();
    void groupCommandsRefuseTakenName();
    void groupChangesRefreshGroupPage();
    void wallClickShowsLayout_data();
    void wallClickShowsLayout();

    void helpMenu();
    void helpMenuWithoutRecords();
    void dockToggles();
    void toolLaunchers();

    void languageSwitch();
    void languageAtStart_data();
    void languageAtStart();
    void welcomeNewProjectAndTip();
    void welcomeOpensChosenFileQuietly();
    void noWelcomeWhenFlagSet();
};

void TestMainWindow::initTestCase()
{
    InitConsoleResources();
    RegisterHoiMetaTypes();
    // The catalogues the language switch loads lie beside the program.
    const QString strBin = qEnvironmentVariable("HOI_BIN_DIR");
    for (const char *pszFile : {"zh_CN.qm", "widgets_CN.qm", "en_US.qm", "widgets_US.qm"}) {
        const QString strTarget = QCoreApplication::applicationDirPath() + QLatin1Char('/') + pszFile;
        QFile::remove(strTarget);
        QVERIFY2(QFile::copy(strBin + QLatin1Char('/') + pszFile, strTarget), pszFile);
    }
}

void TestMainWindow::cleanup()
{
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/language.ini"));
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/menuhelp.xml"));
    WriteLanguageFlag(false);
}

// ---- construction ----

void TestMainWindow::listModeChoosesLeftPage_data()
{
    QTest::addColumn<int>("nFlag");
    QTest::addColumn<int>("nPage");
    QTest::newRow("tree") << 0 << 0;
    QTest::newRow("list") << 1 << 1;
    QTest::newRow("other value") << 2 << 0;
}

void TestMainWindow::listModeChoosesLeftPage()
{
    QFETCH(int, nFlag);
    QFETCH(int, nPage);
    CMainTestEnv env;
    env.Mgr()->m_nListOrTree = nFlag;
    {
        MainWindow w;
        QStackedWidget *pStack = Child<QStackedWidget>(&w, "sw_RXToGroupOrList");
        QCOMPARE(pStack->currentIndex(), nPage);
        // The page shown last is what "list.xml" keeps.
        w.on_pbChangeRXGroupOrList();
        QCOMPARE(pStack->currentIndex(), 1 - nPage);
    }
    env.Mgr()->m_nListOrTree = -1;
    QVERIFY(env.Mgr()->LoadListConfig());
    QCOMPARE(env.Mgr()->m_nListOrTree, 1 - nPage);
}

void TestMainWindow::constructionShowsAndHides()
{
    CMainTestEnv env;
    QVERIFY(env.IsLoaded());
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QCOMPARE(w.windowTitle(), ApplicationTitle());
    QVERIFY(!Child<QGroupBox>(&w, "groupBox")->isVisible());
    QVERIFY(!Child<QWidget>(&w, "widget")->isVisible());
    QVERIFY(!Child<QCheckBox>(&w, "checkBDefLayout")->isVisible());
    QVERIFY(!Child<QProgressBar>(&w, "progressBar")->isVisible());
    QVERIFY(!Action(w, "actionSchedule")->isVisible());

    // The Information dock shows, the Log dock does not; the menu agrees.
    QTRY_VERIFY(w.findChild<CDevinfoWidget *>()->isVisible());
    QVERIFY(Action(w, "menuInfo_Window")->isCheckable());
    QVERIFY(Action(w, "menuInfo_Window")->isChecked());
    QVERIFY(Action(w, "actionDevInfo")->isChecked());
    QVERIFY(!w.findChild<CLogWidget *>()->isVisible());
    QVERIFY(Action(w, "menuLog_Window")->isCheckable());
    QVERIFY(!Action(w, "menuLog_Window")->isChecked());
    QCOMPARE(w.dockWidgetArea(w.findChild<CDevinfoWidget *>()), Qt::BottomDockWidgetArea);

    // The root of the tree is current: the all-groups page is shown.
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_All"));

    // Eleven tool bar buttons in their order, the schedule one hidden.
    QStringList names;
    const QList<QAction *> actions = Child<QToolBar>(&w, "mainToolBar")->actions();
    for (QAction *pAction : actions)
        names << (pAction->isSeparator() ? QStringLiteral("|") : pAction->objectName());
    QCOMPARE(names, QStringList({"actionNew", "actionImport", "actionSave", "|", "actionSearch",
                                 "actionSave_alais", "actionBatch_Commands", "actionIrControl", "actionSerial",
                                 "actionCECControl", "actionStandby", "actionSchedule"}));
    QCOMPARE(MenuTexts(Child<QMenu>(&w, "menuProject")),
             QStringList({"New", "Open", "Save", "Save as", "Export to summary.txt file", "|", "Exit"}));
    QCOMPARE(MenuTexts(Child<QMenu>(&w, "menuTools")),
             QStringList({"Search TX/RX online", "Save alias to TX/RX", "Batch commands"}));
}

void TestMainWindow::toolBarFollowsConfiguration_data()
{
    QTest::addColumn<bool>("bSwitches");
    QTest::addColumn<QStringList>("visible");
    const QStringList plain = {"actionNew", "actionImport", "actionSave", "actionSearch", "actionSave_alais",
                               "actionBatch_Commands"};
    QTest::newRow("every switch on") << true
                                     << plain + QStringList({"actionIrControl", "actionSerial",
                                                             "actionCECControl", "actionStandby"});
    QTest::newRow("every switch off") << false << plain;
}

void TestMainWindow::toolBarFollowsConfiguration()
{
    QFETCH(bool, bSwitches);
    QFETCH(QStringList, visible);
    CMainTestEnv env(MainTestConfig(bSwitches));
    MainWindow w;
    QCOMPARE(VisibleToolBarActions(Child<QToolBar>(&w, "mainToolBar")), visible);
    QCOMPARE(Action(w, "actionViewLog")->isVisible(), bSwitches);
    // The language items exist only with the switch on.
    QCOMPARE(MenuTexts(Child<QMenu>(&w, "menuOption")),
             bSwitches ? QStringList({"Info Window", "Log Window", "|", QStringLiteral("中文"), "English"})
                       : QStringList({"Info Window", "Log Window", "|"}));
}

void TestMainWindow::unknownDeviceDisablesFunctions()
{
    CMainTestEnv env;
    CHOIDev *pDev = env.AddDev("ZTX-000000000001", "Cam");
    QVERIFY(pDev);
    pDev->m_eDevType = CHOIDev::E_DT_UNKNOWN;
    MainWindow w;
    for (const char *pszName : kToolActions)
        QVERIFY2(!Action(w, pszName)->isEnabled(), pszName);
    QVERIFY(!Child<QGroupBox>(&w, "gbScene")->isEnabled());
    QVERIFY(Action(w, "actionNew")->isEnabled());
    // The end of a search or an apply leaves them off.
    emit env.Mgr()->OnProgressNotify(E_PN_SEARCH, 10);
    emit env.Mgr()->OnProgressNotify(E_PN_NONE, 100);
    QVERIFY(!w.IsBusy());
    for (const char *pszName : kToolActions)
        QVERIFY2(!Action(w, pszName)->isEnabled(), pszName);

    // Any notification brings them back once no unknown device is left.
    pDev->m_eDevType = CHOIDev::E_DT_TX;
    emit env.Mgr()->OnDeviceNotify(pDev, E_DN_STATUS);
    for (const char *pszName : kToolActions)
        QVERIFY2(Action(w, pszName)->isEnabled(), pszName);
    QVERIFY(Child<QGroupBox>(&w, "gbScene")->isEnabled());
}

// ---- layouts ----

void TestMainWindow::layoutListSortedAndRenumbered()
{
    CMainTestEnv env;
    CHOIScene *pA = env.AddLayout("W1-a", 3);
    CHOIScene *pB = env.AddLayout("W1-b", 1);
    CHOIScene *pC = env.AddLayout("W1-c", 3);
    CHOIScene *pD = env.AddLayout("W1-d-2", 2);
    CHOIScene *pOther = env.AddLayout("W2-x", 1);
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();

    QComboBox *pCombo = Child<QComboBox>(&w, "cbScenes");
    // Equal numbers keep the manager's order; the names lose their wall part.
    QCOMPARE(ComboTexts(pCombo), QStringList({"b", "d-2", "a", "c"}));
    QCOMPARE(pB->GetLayoutSeq(), 1);
    QCOMPARE(pD->GetLayoutSeq(), 2);
    QCOMPARE(pA->GetLayoutSeq(), 3);
    QCOMPARE(pC->GetLayoutSeq(), 4);
    QCOMPARE(pOther->GetLayoutSeq(), 1);
    QCOMPARE(pCombo->currentIndex(), 0);
    QCOMPARE(w.GetCurScene(), pB);
    // A refresh does not redraw the grid, nor change the default layout.
    QCOMPARE(Child<CTableGraphicsView>(&w, "tbwScene")->GetCurScene(), static_cast<CHOIScene *>(nullptr));
    QVERIFY(!pB->IsDefault());
    QCOMPARE(Child<QGroupBox>(&w, "gbScene")->title(), QString("W1"));
}

void TestMainWindow::refreshKeepsCurrentLayout()
{
    CMainTestEnv env;
    env.AddLayout("W1-a", 1);
    CHOIScene *pB = env.AddLayout("W1-b", 2);
    CHOIScene *pC = env.AddLayout("W1-c", 3);
    pB->SetDefault(true);
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QComboBox *pCombo = Child<QComboBox>(&w, "cbScenes");

    // Choosing an entry shows it and makes it the wall's only default.
    pCombo->setCurrentIndex(2);
    QCOMPARE(Child<CTableGraphicsView>(&w, "tbwScene")->GetCurScene(), pC);
    QVERIFY(pC->IsDefault());
    QVERIFY(!pB->IsDefault());

    pC->SetLastStatus(E_SS_APPLIED);
    w.slotRefreshSceneComoboBox();
    QCOMPARE(w.GetCurScene(), pC);
    QCOMPARE(pCombo->toolTip(), QString("Applied successfully"));
    // Another layout chosen: its own status, not the one shown before.
    pCombo->setCurrentIndex(0);
    QCOMPARE(pCombo->toolTip(), QString("Edit"));
    pCombo->setCurrentIndex(2);

    // Gone from the list: the first entry is current.
    env.Mgr()->DeleteScene(pC);
    w.slotRefreshSceneComoboBox();
    QCOMPARE(ComboTexts(pCombo), QStringList({"a", "b"}));
    QCOMPARE(pCombo->currentIndex(), 0);
}

void TestMainWindow::statusReportShowsTextAndIcon_data()
{
    QTest::addColumn<int>("nKind");
    QTest::addColumn<int>("nStatus");
    QTest::addColumn<QString>("strText");
    QTest::newRow("plain applied") << 0 << int(E_SS_APPLIED) << "Applied successfully";
    QTest::newRow("plain failed") << 0 << int(E_SS_FAILED) << "Failed to apply";
    QTest::newRow("windowing applied") << 1 << int(E_SS_APPLIED) << "Updated";
    QTest::newRow("wall in wall applied") << 2 << int(E_SS_APPLIED) << "Video Wall within a Wall";
    QTest::newRow("processor failed") << 3 << int(E_SS_FAILED) << "WP Layout";
}

void TestMainWindow::statusReportShowsTextAndIcon()
{
    QFETCH(int, nKind);
    QFETCH(int, nStatus);
    QFETCH(QString, strText);
    CMainTestEnv env;
    CHOIScene *pScene = env.AddLayout("W1-a", 1);
    CHOIScene *pOther = env.AddLayout("W2-b", 1);
    pScene->SetWindowLayout(nKind == 1);
    pScene->SetVivLayout(nKind == 2);
    pScene->SetWPLayout(nKind == 3);
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QLabel *pText = Child<QLabel>(&w, "lbSceneStatus");
    QLabel *pIcon = Child<QLabel>(&w, "lbSceneStatusIcon");

    // A report about a layout that is not current changes nothing.
    w.SetBusyState(true);
    emit env.Mgr()->OnSceneStatusChange(pOther, E_SS_APPLIED);
    QVERIFY(w.IsBusy());
    QVERIFY(!Child<QWidget>(&w, "centralWidget")->isEnabled());

    emit env.Mgr()->OnSceneStatusChange(pScene, E_SceneStatus(nStatus));
    QCOMPARE(pText->text(), strText);
    const QPixmap shown = pIcon->pixmap(Qt::ReturnByValue);
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.size(), QSize(16, 16));
    QVERIFY(!Child<QComboBox>(&w, "cbScenes")->itemIcon(0).isNull());
    QVERIFY(!w.IsBusy());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(Action(w, "actionSearch")->isEnabled());
    // Not started from the interface: no box.
    QVERIFY(env.Boxes().isEmpty());
}

void TestMainWindow::failedApplyFromInterfaceShowsMessage()
{
    CMainTestEnv env;
    MainWindow w;
    // Nothing listed: Apply does nothing.
    Child<QPushButton>(&w, "btnApplyScene")->click();
    QVERIFY(!w.IsBusy());
    QVERIFY(env.Boxes().isEmpty());

    // A layout without devices fails its checks before anything is sent.
    env.AddLayout("W1-a", 1, 2, 2);
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    Child<QPushButton>(&w, "btnApplyScene")->click();
    QTRY_COMPARE(env.Boxes().size(), 1);
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(env.Boxes().at(0).text, QString("Failed to apply."));
    QCOMPARE(env.Boxes().at(0).title, QString());
    QCOMPARE(env.Boxes().at(0).pParent, static_cast<QWidget *>(nullptr));
    QCOMPARE(Child<QLabel>(&w, "lbSceneStatus")->text(), QString("Failed to apply"));
    QVERIFY(!w.IsBusy());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    QVERIFY(Action(w, "actionIrControl")->isEnabled());
}

void TestMainWindow::progressKeepsWindowBusy()
{
    CMainTestEnv env;
    CHOIDev *pDev = env.AddDev("ZTX-000000000001", "Cam");
    MainWindow w;
    w.show();
    QProgressBar *pBar = Child<QProgressBar>(&w, "progressBar");

    emit env.Mgr()->OnProgressNotify(E_PN_SEARCH, 10);
    QVERIFY(pBar->isVisible());
    QCOMPARE(pBar->value(), 10);
    QVERIFY(w.IsBusy());
    QVERIFY(!Child<QWidget>(&w, "centralWidget")->isEnabled());
    for (const char *pszName : {"actionExport", "actionImport", "actionBatch_Commands", "actionSave_alais",
                                "actionSearch", "actionSave", "actionNew"})
        QVERIFY2(!Action(w, pszName)->isEnabled(), pszName);
    // A device report while busy does not bring the tool actions back.
    emit env.Mgr()->OnDeviceNotify(pDev, E_DN_STATUS);
    for (const char *pszName : kToolActions)
        QVERIFY2(!Action(w, pszName)->isEnabled(), pszName);

    emit env.Mgr()->OnProgressNotify(E_PN_NONE, 100);
    QVERIFY(!pBar->isVisible());
    QCOMPARE(pBar->value(), 100);
    QVERIFY(!w.IsBusy());
    QVERIFY(Child<QWidget>(&w, "centralWidget")->isEnabled());
    for (const char *pszName : kToolActions)
        QVERIFY2(Action(w, pszName)->isEnabled(), pszName);
    QVERIFY(!Action(w, "actionSchedule")->isVisible());
}

void TestMainWindow::addLayoutFromDialog()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    CHOIScene *pWall = env.AddWall("W1", "Hall", 2, 2);
    CHOIDev *pRx = env.AddDev("ZRX-000000000002", "Screen", "Hall");
    pWall->GetCell(0, 1)->rx = pRx;
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pWallItem = pTree->FindWallItem(pTree->FindGroupItem("Hall"), "W1");
    QVERIFY(pWallItem);
    pTree->slotSetCurrentItem(pWallItem);

    // A wall without layouts shows its own grid.
    CTableGraphicsView *pView = Child<CTableGraphicsView>(&w, "tbwScene");
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_Scene"));
    QVERIFY(pView->IsVWMode());
    QCOMPARE(pView->GetCurScene(), pWall);

    // Cancelled: nothing changes.
    OnModal<CDlgSceneEdit>([](CDlgSceneEdit *pDlg) { pDlg->reject(); });
    Child<QPushButton>(&w, "pBAddLayout")->click();
    QCOMPARE(env.Mgr()->GetSceneCount(), 0);

    for (const QString &strName : {QStringLiteral("L1"), QStringLiteral("L2")}) {
        OnModal<CDlgSceneEdit>([strName](CDlgSceneEdit *pDlg) {
            pDlg->findChild<QLineEdit *>("edtLayout")->setText(strName);
            pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        Child<QPushButton>(&w, "pBAddLayout")->click();
    }
    CHOIScene *pL1 = env.Mgr()->FindSceneByName("W1-L1");
    CHOIScene *pL2 = env.Mgr()->FindSceneByName("W1-L2");
    QVERIFY(pL1 && pL2);
    QCOMPARE(ComboTexts(Child<QComboBox>(&w, "cbScenes")), QStringList({"L1", "L2"}));
    QCOMPARE(w.GetCurScene(), pL2);
    QCOMPARE(pL1->GetLayoutSeq(), 1);
    QCOMPARE(pL2->GetLayoutSeq(), 2);
    // The newest is the default; both took the wall's screens.
    QVERIFY(pL2->IsDefault());
    QVERIFY(!pL1->IsDefault());
    QCOMPARE(pL1->CellAt(0, 1)->rx, pRx);
    QCOMPARE(pL2->CellAt(0, 1)->rx, pRx);
    QVERIFY(!pView->IsVWMode());
    QCOMPARE(pView->GetCurScene(), pL2);

    // Editing renames the current entry.
    OnModal<CDlgSceneEdit>([](CDlgSceneEdit *pDlg) {
        pDlg->findChild<QLineEdit *>("edtLayout")->setText("L3");
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    Child<QPushButton>(&w, "btnModifyScene")->click();
    QCOMPARE(pL2->GetName(), QString("W1-L3"));
    QCOMPARE(ComboTexts(Child<QComboBox>(&w, "cbScenes")), QStringList({"L1", "L3"}));
    QCOMPARE(w.GetCurScene(), pL2);

    // A scheduled apply chooses L1 while the dialog is open: L3 is renamed.
    OnModal<CDlgSceneEdit>([&](CDlgSceneEdit *pDlg) {
        emit env.Mgr()->OnScheduleExec(pL1);
        pDlg->findChild<QLineEdit *>("edtLayout")->setText("L4");
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    Child<QPushButton>(&w, "btnModifyScene")->click();
    QCOMPARE(ComboTexts(Child<QComboBox>(&w, "cbScenes")), QStringList({"L1", "L4"}));
}

void TestMainWindow::removeLastLayoutAsksTwiceAndReturnsCells()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    CHOIScene *pWall = env.AddWall("W1", "Hall", 1, 2);
    CHOIDev *pRx = env.AddDev("ZRX-000000000002", "Screen", "Hall");
    pRx->SetVideoWall(pWall);
    CHOIScene *pLayout = env.AddLayout("W1-L1", 1, 1, 2);
    pLayout->SetGroup("Hall");
    pLayout->GetCell(0, 0)->rx = pRx;
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    QCOMPARE(w.GetCurScene(), pLayout);

    // No to the second question: nothing is removed.
    env.Answer(QMessageBox::Yes);
    env.Answer(QMessageBox::No);
    Child<QPushButton>(&w, "btnRemoveScene")->click();
    QCOMPARE(env.Texts(), QStringList({"Are you sure you want to delete 'W1-L1'?",
                                       "The layout is the last one,are you sure you want to delete 'W1-L1'?"}));
    QCOMPARE(env.Mgr()->FindSceneByName("W1-L1"), pLayout);

    env.ClearBoxes();
    env.Answer(QMessageBox::Yes);
    env.Answer(QMessageBox::Yes);
    Child<QPushButton>(&w, "btnRemoveScene")->click();
    QCOMPARE(env.Boxes().size(), 2);
    QVERIFY(!env.Mgr()->FindSceneByName("W1-L1"));
    QCOMPARE(Child<QComboBox>(&w, "cbScenes")->count(), 0);
    // The wall keeps what its last layout showed, and is shown.
    QCOMPARE(pWall->CellAt(0, 0)->rx, pRx);
    CTableGraphicsView *pView = Child<CTableGraphicsView>(&w, "tbwScene");
    QVERIFY(pView->IsVWMode());
    QCOMPARE(pView->GetCurScene(), pWall);
}

void TestMainWindow::defaultAndAutoApplyChecks()
{
    CMainTestEnv env;
    MainWindow w;
    // Without layouts the checks change nothing (and do not fail).
    Child<QCheckBox>(&w, "checkBDefLayout")->click();
    Child<QCheckBox>(&w, "cbAutoApply")->click();

    CHOIScene *pA = env.AddLayout("W1-a", 1);
    CHOIScene *pB = env.AddLayout("W1-b", 2);
    CHOIScene *pC = env.AddLayout("W1-c", 3);
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();
    Child<QComboBox>(&w, "cbScenes")->setCurrentIndex(2);
    QCheckBox *pDefault = Child<QCheckBox>(&w, "checkBDefLayout");
    pDefault->setChecked(false);

    pDefault->click(); // checked
    QVERIFY(pC->IsDefault());
    QVERIFY(!pA->IsDefault());
    QVERIFY(!pB->IsDefault());
    pDefault->click(); // unchecked: the first entry takes over
    QVERIFY(!pC->IsDefault());
    QVERIFY(pA->IsDefault());

    QCheckBox *pAuto = Child<QCheckBox>(&w, "cbAutoApply");
    QVERIFY(!pC->IsAutoApply());
    pAuto->click();
    QVERIFY(pC->IsAutoApply());
    QVERIFY(!pA->IsAutoApply());
    // Showing a layout shows its own flag.
    Child<QComboBox>(&w, "cbScenes")->setCurrentIndex(0);
    QVERIFY(!pAuto->isChecked());
}

void TestMainWindow::sortAndScheduledApplySelectEntries()
{
    CMainTestEnv env;
    CHOIScene *pA = env.AddLayout("W1-a", 1);
    CHOIScene *pB = env.AddLayout("W1-b", 2);
    MainWindow w;
    w.slotVWNameChange("W1");
    w.slotRefreshSceneComoboBox();

    // The order dialog lists the window's layouts; OK puts the window's list
    // in the new order.
    QComboBox *pScenes = Child<QComboBox>(&w, "cbScenes");
    QStringList listed;
    QWidget *pOrderParent = &w;
    CModalWatcher watcher([&](QWidget *pWidget) {
        pOrderParent = pWidget->parentWidget();
        QTreeWidget *pRows = pWidget->findChild<QTreeWidget *>("treeWidget");
        for (int i = 0; i < pRows->topLevelItemCount(); ++i)
            listed << pRows->topLevelItem(i)->text(1);
        pRows->setCurrentItem(pRows->topLevelItem(1));
        Child<QPushButton>(pWidget, "pbUp")->click();
        Child<QPushButton>(pWidget, "pushButton_2")->click();
    });
    Child<QPushButton>(&w, "pbRankLayout")->click();
    QVERIFY(watcher.Fired());
    QCOMPARE(listed, QStringList({"a", "b"}));
    QCOMPARE(pOrderParent, static_cast<QWidget *>(nullptr));
    QCOMPARE(ComboTexts(pScenes), QStringList({"b", "a"}));
    QCOMPARE(pB->GetLayoutSeq(), 1);
    // The window's own refill: the list's new current entry is not shown.
    QCOMPARE(w.GetCurScene(), pB);
    QVERIFY(!pB->IsDefault());
    QCOMPARE(Child<CTableGraphicsView>(&w, "tbwScene")->GetCurScene(), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(w.GetSceneComboBox(), Child<QComboBox>(&w, "cbScenes"));

    emit env.Mgr()->OnScheduleExec(pA);
    QCOMPARE(w.GetCurScene(), pA);
    // A layout that is not listed changes nothing.
    CHOIScene *pOther = env.AddLayout("W2-x", 1);
    emit env.Mgr()->OnScheduleExec(pOther);
    QCOMPARE(w.GetCurScene(), pA);
}

// ---- pages and tiles ----

void TestMainWindow::groupPageTilesLaidOut()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    env.AddWall("W1", "Hall", 1, 2);
    CHOIDev *pRx[3];
    for (int i = 0; i < 3; ++i)
        pRx[i] = env.AddDev(QString("ZRX-00000000000%1").arg(i + 1), QString("Screen %1").arg(i + 1), "Hall");
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pGroupItem = pTree->FindGroupItem("Hall");
    QVERIFY(pGroupItem);
    QCOMPARE(pGroupItem->childCount(), 4);

    // Two columns of 150 in a box 400 wide, once the page is laid out.
    w.show();
    QGroupBox *pBox = Child<QGroupBox>(&w, "groupBox_2");
    pBox->setFixedWidth(400);
    w.slotOnGroupItemClick(pGroupItem);
    QTRY_COMPARE(pBox->width(), 400);
    w.slotOnGroupItemClick(pGroupItem);
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_Group"));
    QCOMPARE(pBox->title(), QString("Hall"));
    QVERIFY(Child<QPushButton>(&w, "pbEditGroup")->isEnabled());
    QVERIFY(Child<QPushButton>(&w, "pbDeleteGroup")->isEnabled());

    QGridLayout *pGrid = Child<QGridLayout>(&w, "gridLayout_9");
    QList<QPointer<QWidget>> tiles;
    for (int i = 0; i < pGroupItem->childCount(); ++i) {
        QTreeWidgetItem *pChild = pGroupItem->child(i);
        QLayoutItem *pCell = pGrid->itemAtPosition(i / 2, i % 2);
        QVERIFY2(pCell && pCell->widget(), qPrintable(pChild->text(0)));
        tiles << pCell->widget();
        if (GroupItemKind(pChild) == E_GTK_DEVICE) {
            CFormDevice *pTile = qobject_cast<CFormDevice *>(pCell->widget());
            QVERIFY(pTile);
            QCOMPARE(pTile->GetDev(), GroupItemDev(pChild));
        } else {
            CFormVW *pTile = qobject_cast<CFormVW *>(pCell->widget());
            QVERIFY(pTile);
            QCOMPARE(pTile->GetItem(), pChild);
        }
    }
    QLayoutItem *pOneKey = Child<QGridLayout>(&w, "gridLayout_OneKey")->itemAtPosition(0, 0);
    QVERIFY(pOneKey && qobject_cast<CFormOneKey *>(pOneKey->widget()));

    // The page's switch reaches every tile.
    Child<QCheckBox>(&w, "checkBox_Auto")->setChecked(true);
    for (const QPointer<QWidget> &pTile : tiles) {
        if (CFormDevice *pDevTile = qobject_cast<CFormDevice *>(pTile))
            QVERIFY(pDevTile->IsAutoApply());
        if (CFormVW *pWallTile = qobject_cast<CFormVW *>(pTile))
            QVERIFY(pWallTile->IsAutoApply());
    }

    // A rebuild replaces the tiles; "ungrouped" cannot be edited or deleted.
    w.slotOnGroupItemClick(pTree->FindGroupItem(g_strUngrouped));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QWidget> &pTile : tiles)
        QVERIFY(!pTile);
    QVERIFY(!Child<QPushButton>(&w, "pbEditGroup")->isEnabled());
    QVERIFY(!Child<QPushButton>(&w, "pbDeleteGroup")->isEnabled());
}

void TestMainWindow::allGroupsPageTiles()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    QVERIFY(env.Mgr()->AddGroup("Lobby", 2));
    QVERIFY(env.Mgr()->AddGroup("Bar", 3));
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pRoot = pTree->GetRootItem();
    QVERIFY(pRoot->childCount() >= 3);
    w.show();
    // Two columns of tiles need the room of two tiles: 320 pixels gave a
    // second column partly out of sight.
    QGroupBox *pBox = Child<QGroupBox>(&w, "gb_All");
    pBox->setFixedWidth(400);
    QTRY_COMPARE(pBox->width(), 400);
    w.slotOnAllItemClick(pRoot);
    QGridLayout *pGrid = Child<QGridLayout>(&w, "gridLayout_All");
    for (int i = 0; i < pRoot->childCount(); ++i) {
        QLayoutItem *pCell = pGrid->itemAtPosition(i / 2, i % 2);
        QVERIFY(pCell);
        CFormAll *pTile = qobject_cast<CFormAll *>(pCell->widget());
        QVERIFY(pTile);
        QCOMPARE(pTile->GetItem(), pRoot->child(i));
    }
    // A double click on a group tile opens that group.
    CFormAll *pLobby = qobject_cast<CFormAll *>(pGrid->itemAtPosition(0, 1)->widget());
    emit pLobby->signalDoubleClick(pRoot->child(1));
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_Group"));
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_2")->title(), pRoot->child(1)->text(0));
    QCOMPARE(pTree->GetCurrentItem(), pRoot->child(1));
}

void TestMainWindow::wallEditRenamesLayoutsAndMovesGroup()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    QVERIFY(env.Mgr()->AddGroup("Lobby", 2));
    CHOIScene *pWall = env.AddWall("A", "Hall", 1, 1);
    CHOIScene *pX = env.AddLayout("A-x", 1);
    CHOIScene *pY = env.AddLayout("A-y-z", 2);
    CHOIScene *pKeep = env.AddLayout("AB-q", 1);
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pWallItem = pTree->FindWallItem(pTree->FindGroupItem("Hall"), "A");
    QVERIFY(pWallItem);
    w.slotOnVWItemClick(pWallItem);
    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_VW"));
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_3")->title(), QString("A"));
    QCOMPARE(Child<CTableGraphicsView>(&w, "gvVW")->GetCurScene(), pWall);

    QString strPreset;
    OnModal<CDlgVWEdit>([&strPreset](CDlgVWEdit *pDlg) {
        QComboBox *pGroup = pDlg->findChild<QComboBox *>("cbGroup");
        strPreset = pGroup->currentData().toString();
        pDlg->findChild<QLineEdit *>("leName")->setText("B");
        pGroup->setCurrentIndex(pGroup->findData("Lobby"));
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    Child<QPushButton>(&w, "pbEditVW")->click();
    QCOMPARE(strPreset, QString("Hall"));
    QCOMPARE(pX->GetName(), QString("B-x"));
    QCOMPARE(pY->GetName(), QString("B-y-z"));
    QCOMPARE(pKeep->GetName(), QString("AB-q"));
    QCOMPARE(pX->GetGroup(), QString("Lobby"));
    QCOMPARE(pWallItem->text(0), QString("B"));
    QCOMPARE(pWallItem->parent(), pTree->FindGroupItem("Lobby"));
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_3")->title(), QString("B"));
}

void TestMainWindow::deleteWallKeepsDevicesDeletesLayouts()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    CHOIScene *pWall = env.AddWall("A", "Hall", 1, 1);
    CHOIDev *pRx = env.AddDev("ZRX-000000000001", "Screen", "Hall");
    pRx->SetVideoWall(pWall);
    env.AddLayout("A-x", 1)->SetGroup("Hall");
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pWallItem = pTree->FindWallItem(pTree->FindGroupItem("Hall"), "A");
    QVERIFY(pWallItem);
    w.slotOnVWItemClick(pWallItem);

    env.Answer(QMessageBox::No);
    Child<QPushButton>(&w, "pbDeleteVW")->click();
    QVERIFY(env.Mgr()->FindSceneByName("A-x"));

    env.ClearBoxes();
    env.Answer(QMessageBox::Yes);
    Child<QPushButton>(&w, "pbDeleteVW")->click();
    QCOMPARE(env.Boxes().size(), 1);
    QCOMPARE(env.Boxes().at(0).title, QString("Delete Video Wall"));
    QCOMPARE(env.Boxes().at(0).text, QString("Do you want to delete this Video Wall?"));
    QVERIFY(!env.Mgr()->FindSceneByName("A-x"));
    QVERIFY(!env.Mgr()->FindVideoWallByName("A"));
    QCOMPARE(pRx->GetVideoWall(), static_cast<CHOIScene *>(nullptr));
    QTreeWidgetItem *pDevItem = pTree->FindDevItem(pRx);
    QVERIFY(pDevItem);
    QCOMPARE(pDevItem->parent(), pTree->FindGroupItem("Hall"));
    QVERIFY(!pTree->FindWallItem(pTree->FindGroupItem("Hall"), "A"));

    // The page still names the deleted wall; a new wall of that name and its
    // layouts are not taken by a second click.
    CHOIScene *pNewWall = env.AddWall("A", "Hall", 1, 1);
    QVERIFY(pNewWall != pWall);
    env.AddLayout("A-y", 1)->SetGroup("Hall");
    env.ClearBoxes();
    env.Answer(QMessageBox::Yes);
    Child<QPushButton>(&w, "pbDeleteVW")->click();
    QVERIFY(env.Boxes().isEmpty());
    QCOMPARE(env.Mgr()->FindVideoWallByName("A"), pNewWall);
    QVERIFY(env.Mgr()->FindSceneByName("A-y"));
    delete pWall; // taken out of the manager, not deleted by it
}

void TestMainWindow::deleteGroupNeedsSelection()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    MainWindow w;
    Child<QPushButton>(&w, "pbDeleteGroup")->click();
    QCOMPARE(env.Texts(), QStringList({"Select the node please."}));
    QCOMPARE(env.Boxes().at(0).icon, QMessageBox::Critical);

    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    w.slotOnGroupItemClick(pTree->FindGroupItem("Hall"));
    env.ClearBoxes();
    env.Answer(QMessageBox::Yes);
    Child<QPushButton>(&w, "pbDeleteGroup")->click();
    QCOMPARE(env.Boxes().at(0).title, QString("Delete Group"));
    QCOMPARE(env.Boxes().at(0).text, QString("Do you want to delete this group?"));
    QCOMPARE(env.Mgr()->IndexOfGroup("Hall"), -1);
    QVERIFY(!pTree->FindGroupItem("Hall"));
    // The page moves to where the members went, not on the group that is gone.
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_2")->title(), GroupDisplayName(g_strUngrouped));
    QVERIFY(!Child<QPushButton>(&w, "pbDeleteGroup")->isEnabled());
}

void TestMainWindow::groupCommandsRefuseTakenName_data()
{
    QTest::addColumn<int>("nPath");
    QTest::newRow("page Edit Group") << 0;
    QTest::newRow("page Create Group") << 1;
    QTest::newRow("tree Edit Group") << 2;
    QTest::newRow("tree Create Group") << 3;
}

// The page buttons and the tree's menu run one routine per command: the
// group dialog starts on "Group" and refuses another group's name.
void TestMainWindow::groupCommandsRefuseTakenName()
{
    QFETCH(int, nPath);
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    QVERIFY(env.Mgr()->AddGroup("Lobby", 2));
    CHOIDev *pRx = env.AddDev("ZRX-000000000001", "Screen", "Hall");
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pHall = pTree->FindGroupItem("Hall");
    const int nGroups = env.Mgr()->GetGroupCount();
    int nStartType = -1;
    bool bOpenAfterOk = false;
    OnModal<CDlgCreateGroup>([&](CDlgCreateGroup *pDlg) {
        nStartType = pDlg->findChild<QComboBox *>("cbLocationOrGroup")->currentIndex();
        pDlg->findChild<QLineEdit *>("leName")->setText("Lobby");
        pDlg->findChild<QPushButton *>("pbOK")->click();
        bOpenAfterOk = pDlg->isVisible();
        pDlg->findChild<QPushButton *>("pbCancel")->click();
    });
    switch (nPath) {
    case 0:
        w.slotOnGroupItemClick(pHall);
        Child<QPushButton>(&w, "pbEditGroup")->click();
        break;
    case 1:
        Child<QPushButton>(&w, "pbCreateGroup")->click();
        break;
    case 2:
        pTree->GetTree()->setCurrentItem(pHall);
        pTree->slotOnGroupEdit();
        break;
    default:
        pTree->slotOnGroupAdd();
        break;
    }
    QCOMPARE(nStartType, 1);
    QCOMPARE(env.Texts(), QStringList({"Name already exists!"}));
    QVERIFY(bOpenAfterOk);
    QCOMPARE(env.Mgr()->GetGroupCount(), nGroups);
    QCOMPARE(pHall->text(0), QString("Hall"));
    QCOMPARE(pRx->GetGroup(), QString("Hall"));
}

// "Batch Group Change" and "Change Group" move decoders between groups: the
// group page follows as the tree does, and the numbers close up.
void TestMainWindow::groupChangesRefreshGroupPage()
{
    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    QVERIFY(env.Mgr()->AddGroup("Lobby", 2));
    QList<CHOIDev *> rx;
    for (int i = 1; i <= 3; ++i)
        rx << env.AddDev(QString("ZRX-00000000000%1").arg(i), QString("Screen %1").arg(i), "Hall");
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    QTreeWidgetItem *pHall = pTree->FindGroupItem("Hall");
    w.slotOnGroupItemClick(pHall);
    auto tileDevs = [&w]() {
        QList<CHOIDev *> devs;
        QGridLayout *pGrid = Child<QGridLayout>(&w, "gridLayout_9");
        for (int i = 0; i < pGrid->count(); ++i) {
            if (CFormDevice *pTile = qobject_cast<CFormDevice *>(pGrid->itemAt(i)->widget()))
                devs << pTile->GetDev();
        }
        return devs;
    };
    QCOMPARE(tileDevs(), rx);

    OnModal<CDlgBatchGroup>([&rx](CDlgBatchGroup *pDlg) {
        QTreeWidget *pDevices = pDlg->findChild<QTreeWidget *>("twDevice");
        QComboBox *pTarget = pDlg->findChild<QComboBox *>("cbSelectGroup");
        pTarget->setCurrentIndex(pTarget->findData("Lobby"));
        pDevices->findItems(rx.at(0)->GetDisplayName(), Qt::MatchExactly).first()->setSelected(true);
        pDlg->findChild<QPushButton *>("pbApply")->click();
        pDlg->reject();
    });
    QTest::mouseClick(pTree->findChild<QPushButton *>("pbBatchGroup"), Qt::LeftButton);
    QCOMPARE(rx.at(0)->GetGroup(), QString("Lobby"));
    QCOMPARE(tileDevs(), rx.mid(1));

    OnModal<CDlgRxChangeGroup>([](CDlgRxChangeGroup *pDlg) {
        QComboBox *pGroup = pDlg->findChild<QComboBox *>("cbGroup");
        pGroup->setCurrentIndex(pGroup->findData("Lobby"));
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    pTree->GetTree()->setCurrentItem(pTree->FindDevItem(rx.at(1)));
    pTree->slotOnDevChangeGroup();
    QCOMPARE(tileDevs(), rx.mid(2));
    QCOMPARE(pHall->child(0)->text(2), QString("1"));
    QCOMPARE(rx.at(2)->GetSequence(), 1);
}

void TestMainWindow::wallClickShowsLayout_data()
{
    QTest::addColumn<bool>("bFromDevice");
    QTest::addColumn<QStringList>("layouts");
    QTest::addColumn<int>("nDefault");
    QTest::addColumn<int>("nShown");

    for (const bool bFromDevice : {false, true}) {
        const char *pszVia = bFromDevice ? "device of the wall: " : "wall: ";
        QTest::newRow(qPrintable(QString(pszVia) + "no layout"))
            << bFromDevice << QStringList() << -1 << -1;
        QTest::newRow(qPrintable(QString(pszVia) + "none default"))
            << bFromDevice << QStringList({"W1-a", "W1-b"}) << -1 << 0;
        QTest::newRow(qPrintable(QString(pszVia) + "second default"))
            << bFromDevice << QStringList({"W1-a", "W1-b", "W1-c"}) << 1 << 1;
    }
}

// A click on a wall in the tree, or on an RX of the wall, lists the wall's
// layouts and shows the default one (the first, made default, when none is);
// a wall without layouts shows its own grid.
void TestMainWindow::wallClickShowsLayout()
{
    QFETCH(bool, bFromDevice);
    QFETCH(QStringList, layouts);
    QFETCH(int, nDefault);
    QFETCH(int, nShown);

    CMainTestEnv env;
    QVERIFY(env.Mgr()->AddGroup("Hall", 1));
    CHOIScene *pWall = env.AddWall("W1", "Hall", 1, 2);
    CHOIDev *pRx = env.AddDev("ZRX-000000000001", "Screen", "Hall");
    pRx->SetVideoWall(pWall);
    QList<CHOIScene *> scenes;
    for (int i = 0; i < layouts.size(); ++i) {
        scenes << env.AddLayout(layouts.at(i), i + 1);
        scenes.last()->SetDefault(i == nDefault);
    }
    env.AddLayout("W2-other", 1)->SetDefault(true);
    MainWindow w;
    CFormGroupList *pTree = w.findChild<CFormGroupList *>();
    if (bFromDevice) {
        w.slotOnDevClickGroupRx(pRx);
    } else {
        QTreeWidgetItem *pWallItem = pTree->FindWallItem(pTree->FindGroupItem("Hall"), "W1");
        QVERIFY(pWallItem);
        w.slotOnLayoutItemClick(pWallItem);
    }

    QCOMPARE(Child<QStackedWidget>(&w, "sw_rigthFace")->currentWidget()->objectName(), QString("page_Scene"));
    QCOMPARE(Child<QGroupBox>(&w, "gbScene")->title(), QString("W1"));
    CTableGraphicsView *pView = Child<CTableGraphicsView>(&w, "tbwScene");
    QComboBox *pCombo = Child<QComboBox>(&w, "cbScenes");
    QCOMPARE(pCombo->count(), layouts.size());
    if (nShown < 0) {
        QVERIFY(pView->IsVWMode());
        QCOMPARE(pView->GetCurScene(), pWall);
        return;
    }
    QVERIFY(!pView->IsVWMode());
    QCOMPARE(pView->GetCurScene(), scenes.at(nShown));
    QCOMPARE(pCombo->currentIndex(), nShown);
    QCOMPARE(w.GetCurScene(), scenes.at(nShown));
    for (int i = 0; i < scenes.size(); ++i)
        QCOMPARE(scenes.at(i)->IsDefault(), i == nShown);
    // The skip flag was used up: choosing another entry shows it.
    const int nOther = nShown == 0 ? 1 : 0;
    pCombo->setCurrentIndex(nOther);
    QCOMPARE(pView->GetCurScene(), scenes.at(nOther));
}

// ---- help, docks, launchers ----

void TestMainWindow::helpMenu()
{
    const QString strDoc = QCoreApplication::applicationDirPath() + QStringLiteral("/manual.pdf");
    QVERIFY(WriteFile(strDoc, "%PDF"));
    QVERIFY(WriteFile(QCoreApplication::applicationDirPath() + QStringLiteral("/menuhelp.xml"),
                      "<?xml version=\"1.0\"?>\n<menu>\n"
                      " <product menu_name=\"User Manual\" file_path=\""
                          + strDoc.toUtf8()
                          + "\"/>\n"
                            " <product menu_name=\"Empty\" file_path=\"\"/>\n"
                            " <product menu_name=\"Missing\" file_path=\"no/such.html\"/>\n</menu>\n"));
    CMainTestEnv env;
    QVERIFY(env.Mgr()->LoadMenuConfig());
    MainWindow w;
    QMenu *pHelp = Child<QMenu>(&w, "menuHelp");
    QCOMPARE(MenuTexts(pHelp), QStringList({"User Manual", "Empty", "Missing", "|", "About"}));

    // The desktop has no viewer on this platform: the file is there, the open fails.
    for (int i = 0; i < 3; ++i)
        pHelp->actions().at(i)->trigger();
    QCOMPARE(env.Texts(), QStringList({"No viewer was found on this computer for \"" + strDoc + "\".",
                                       "The file path is empty.",
                                       "Open file failed,check the configuration file \"file_path\" fill in,\n"
                                       "It is consistent with the path of the file."}));
    QCOMPARE(env.Boxes().at(0).pParent, &w);

    // An entry the window did not make is not in its table.
    env.ClearBoxes();
    QAction foreign(QStringLiteral("Foreign"), nullptr);
    connect(&foreign, &QAction::triggered, &w, &MainWindow::slotMenuHelp);
    foreign.trigger();
    QCOMPARE(env.Texts(), QStringList({"Could not find menu.check the configuration file please"}));
}

void TestMainWindow::helpMenuWithoutRecords()
{
    CMainTestEnv env;
    MainWindow w;
    QCOMPARE(MenuTexts(Child<QMenu>(&w, "menuHelp")), QStringList({"|", "About"}));
}

void TestMainWindow::dockToggles()
{
    CMainTestEnv env;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    CLogWidget *pLog = w.findChild<CLogWidget *>();
    CDevinfoWidget *pInfo = w.findChild<CDevinfoWidget *>();

    Action(w, "actionViewLog")->trigger();
    QTRY_VERIFY(pLog->isVisible());
    QVERIFY(Action(w, "menuLog_Window")->isChecked());
    Action(w, "actionViewLog")->trigger();
    QTRY_VERIFY(!pLog->isVisible());
    QVERIFY(!Action(w, "menuLog_Window")->isChecked());

    // From the menu; the tool bar's mark follows through the dock.
    Action(w, "menuInfo_Window")->trigger();
    QTRY_VERIFY(!pInfo->isVisible());
    QTRY_VERIFY(!Action(w, "actionDevInfo")->isChecked());
    Action(w, "menuLog_Window")->trigger();
    QTRY_VERIFY(pLog->isVisible());
    QVERIFY(Action(w, "actionViewLog")->isChecked());
    // Closing a dock by its title bar clears the marks.
    pLog->close();
    QTRY_VERIFY(!Action(w, "menuLog_Window")->isChecked());
    QVERIFY(!Action(w, "actionViewLog")->isChecked());
}

void TestMainWindow::toolLaunchers()
{
    CMainTestEnv env;
    QStringList opened;
    QList<QWidget *> parents;
    {
        MainWindow w;
        for (const char *pszName : {"actionIrControl", "actionSerial", "actionCECControl", "actionStandby",
                                    "actionBatch_Commands", "menuBatch_commands", "actionSchedule"}) {
            CModalWatcher watcher([&](QWidget *pWidget) {
                opened << QString::fromLatin1(pWidget->metaObject()->className());
                parents << pWidget->parentWidget();
                pWidget->close();
            });
            Action(w, pszName)->trigger();
            QVERIFY2(watcher.Fired(), pszName);
        }
        QCOMPARE(opened, QStringList({"CDlgIrCtrl", "CDlgSerialMsg", "CDlgCECCtrl", "CDlgStandbyCtrl", "CDlgBatch",
                                      "CDlgBatch", "CDlgSchedule"}));
        // The shared control dialogs have no owner window; the others are the
        // main window's.
        for (QWidget *pParent : parents.mid(4))
            QCOMPARE(pParent, &w);
    }
    // The IR pad and the serial message dialog go with the window.
    for (QWidget *pWidget : QApplication::topLevelWidgets()) {
        const QString strClass = QString::fromLatin1(pWidget->metaObject()->className());
        QVERIFY2(strClass != "CDlgIrCtrl" && strClass != "CDlgSerialMsg", qPrintable(strClass));
    }
}

// ---- language ----

void TestMainWindow::languageSwitch()
{
    CMainTestEnv env;
    MainWindow w;
    CDlgChooseExpend other(nullptr);
    QGroupBox *pOtherBox = other.findChild<QGroupBox *>("groupBox");
    // The modeless tip may be open beside the window.
    QPointer<CDlgPrompt> pTip = new CDlgPrompt(nullptr);
    pTip->show();
    w.slotVWNameChange("W1");
    w.slotGroupNameChange(g_strUngrouped);
    QMenu *pOption = Child<QMenu>(&w, "menuOption");
    QAction *pChinese = pOption->actions().at(3);
    QAction *pEnglish = pOption->actions().at(4);
    QVERIFY(pEnglish->isChecked());

    pChinese->trigger();
    QCOMPARE(Child<QMenu>(&w, "menuProject")->title(), QStringLiteral("工程(&P)"));
    QCOMPARE(Action(w, "actionNew")->text(), QStringLiteral("新建"));
    QCOMPARE(MenuTexts(Child<QMenu>(&w, "menuHelp")).last(), QStringLiteral("关于"));
    QVERIFY(pChinese->isChecked());
    QVERIFY(!pEnglish->isChecked());
    QVERIFY(ReadLanguageFlag());
    // Other windows follow through the language-change event.
    QTRY_COMPARE(pOtherBox->title(), QStringLiteral("选择导出的文件"));
    QTRY_COMPARE(pTip->windowTitle(), QStringLiteral("提示"));
    // Texts the window set itself stay.
    QCOMPARE(Child<QGroupBox>(&w, "gbScene")->title(), QString("W1"));
    QCOMPARE(w.windowTitle(), ApplicationTitle());
    // but the pseudo-group is named in the interface language.
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_2")->title(), QStringLiteral("未分组"));

    pEnglish->trigger();
    QCOMPARE(Child<QMenu>(&w, "menuProject")->title(), QString("Project(&P)"));
    QCOMPARE(Action(w, "actionNew")->text(), QString("New"));
    QVERIFY(!ReadLanguageFlag());
    QTRY_COMPARE(pOtherBox->title(), QString("Select File Exported"));
    QTRY_COMPARE(pTip->windowTitle(), QString("Tip"));
    QCOMPARE(Child<QGroupBox>(&w, "groupBox_2")->title(), g_strUngrouped);
    pTip->close();
    QCOMPARE(QCoreApplication::translate("MainWindow", "Tools(&T)"), QString("Tools(&T)"));
}

void TestMainWindow::languageAtStart_data()
{
    QTest::addColumn<bool>("bRegistered");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("bChinese");
    QTest::newRow("registry Chinese") << true << QByteArray() << true;
    QTest::newRow("registry English") << false << QByteArray() << false;
    QTest::newRow("forced English") << true << QByteArray("change=1\nlanguage=0\n") << false;
    QTest::newRow("forced Chinese") << false << QByteArray("change=1\nlanguage=1\n") << true;
    QTest::newRow("override off") << true << QByteArray("change=0\nlanguage=0\n") << true;
    QTest::newRow("unknown language") << false << QByteArray("change=1\nlanguage=7\n") << false;
}

void TestMainWindow::languageAtStart()
{
    QFETCH(bool, bRegistered);
    QFETCH(QByteArray, ini);
    QFETCH(bool, bChinese);
    WriteLanguageFlag(bRegistered);
    if (!ini.isEmpty())
        QVERIFY(WriteFile(QCoreApplication::applicationDirPath() + QStringLiteral("/language.ini"), ini));
    CMainTestEnv env;
    MainWindow w;
    QCOMPARE(Child<QMenu>(&w, "menuProject")->title(),
             bChinese ? QStringLiteral("工程(&P)") : QString("Project(&P)"));
    const QList<QAction *> options = Child<QMenu>(&w, "menuOption")->actions();
    QCOMPARE(options.at(3)->isChecked(), bChinese);
    QCOMPARE(options.at(4)->isChecked(), !bChinese);
    // A forced language is written back as the saved one.
    QCOMPARE(ReadLanguageFlag(), ini.startsWith("change=1") ? bChinese : bRegistered);
}

// ---- welcome ----

void TestMainWindow::welcomeNewProjectAndTip()
{
    CMainTestEnv env;
    env.Mgr()->m_nIsWelcome = 0;
    env.Mgr()->m_nIsPrompt = 0;
    env.Mgr()->m_strCurFilePath = QStringLiteral("/nowhere/last.hoi");
    bool bWelcomed = false;
    OnModal<CDlgWelcome>([&bWelcomed](CDlgWelcome *pDlg) {
        bWelcomed = true;
        pDlg->findChild<QRadioButton *>("rBNew")->click();
        pDlg->findChild<QPushButton *>("pbOK")->click();
    });
    MainWindow w;
    // The welcome runs once the event loop runs, not during construction.
    QVERIFY(!bWelcomed);
    QTRY_VERIFY(bWelcomed);
    QTRY_COMPARE(env.Mgr()->GetCurFilePath(), QString());
    CDlgPrompt *pPrompt = nullptr;
    QTRY_VERIFY([&pPrompt]() {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *pWindow : windows) {
            if ((pPrompt = qobject_cast<CDlgPrompt *>(pWindow)) && pPrompt->isVisible())
                return true;
        }
        return false;
    }());
    QVERIFY(!pPrompt->isModal());
    pPrompt->close();
    QVERIFY(env.Boxes().isEmpty());
}

void TestMainWindow::welcomeOpensChosenFileQuietly()
{
    CMainTestEnv env;
    env.AddDev("ZTX-000000000001", "Cam");
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("welcome.hoi");
    QVERIFY(env.Mgr()->ExportDevInfoFile(path));
    env.Mgr()->ClearAll();
    QCOMPARE(env.Mgr()->GetDevCount(), 0);
    env.Mgr()->m_nIsWelcome = 0;
    env.Mgr()->m_strCurFilePath = path;
    bool bWelcomed = false;
    OnModal<CDlgWelcome>([&bWelcomed](CDlgWelcome *pDlg) {
        bWelcomed = true;
        pDlg->findChild<QListWidget *>("listWOpen")->setCurrentRow(1);
        pDlg->findChild<QPushButton *>("pbOK")->click();
    });
    MainWindow w;
    QTRY_VERIFY(bWelcomed);
    QTRY_COMPARE(env.Mgr()->GetDevCount(), 1);
    QCOMPARE(env.Mgr()->GetCurFilePath(), path);
    // Opened without the file dialog and without "Imported successfully.".
    QVERIFY(env.FileRequests().isEmpty());
    QVERIFY(env.Boxes().isEmpty());
}

void TestMainWindow::noWelcomeWhenFlagSet()
{
    CMainTestEnv env;
    env.Mgr()->m_nIsPrompt = 0;
    MainWindow w;
    QTest::qWait(300);
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *pWindow : windows) {
        QVERIFY(!qobject_cast<CDlgWelcome *>(pWindow));
        QVERIFY(!qobject_cast<CDlgPrompt *>(pWindow));
    }
}

HOI_MAINWINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
