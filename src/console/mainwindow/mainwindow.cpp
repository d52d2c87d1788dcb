// Construction and wiring of the main window, its busy state, the Help menu,
// the tool dialogs, the dock toggles and the device notifications.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTranslator>
#include <QUrl>

#include "batch/dlgbatch.h"
#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgserialmsg.h"
#include "control/dlgstandbyctrl.h"
#include "dialogs/about.h"
#include "dialogs/dlggroup.h"
#include "docks/devinfowidget.h"
#include "docks/logwidget.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/tablegraphicsscene.h"
#include "hoiwidget/widgetgroup.h"
#include "mainwindow/mythread.h"
#include "navtree/formgrouplist.h"
#include "schedule/dlgschedule.h"
#include "uiservices.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_pLogDock(nullptr)
    , m_pInfoDock(nullptr)
    , m_pTranslatorApp(nullptr)
    , m_pTranslatorWidgets(nullptr)
    , m_pActChinese(nullptr)
    , m_pActEnglish(nullptr)
    , m_pActAbout(nullptr)
    , m_bInfoDockShown(false)
    , m_bLogDockShown(false)
    , m_bBusy(false)
    , m_bSkipShowScene(false)
    , m_bCurPathInUse(false)
{
    ui->setupUi(this);
    HideUnusedWidgets();

    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    ui->sw_RXToGroupOrList->setCurrentIndex(pMgr && pMgr->m_nListOrTree == 1 ? 1 : 0);
    ui->wgDevFrame->SetListMode(true, false, true);
    ui->wgDevFrame_ListRX->SetListMode(false, true, false);

    m_strTitle = ApplicationTitle();
    setWindowTitle(m_strTitle);

    CreateDocks();
    ConnectPanels();
    // A right click on the frame, the tool bar or the dock area opens no menu.
    setContextMenuPolicy(Qt::CustomContextMenu);
    ConnectTools();
    InitDockMenuEntries();

    if (pMgr && pMgr->IsLanguageEnable()) {
        CreateLanguageMenu();
        slotchangeLanguage();
    }
    CreateHelpMenu();

    ConnectNavigation();
    // The tiles pages count their columns again when their room changes.
    ui->scrollArea->viewport()->installEventFilter(this);
    ui->scrollArea_2->viewport()->installEventFilter(this);

    ui->tbwScene->setScene(new CTableGraphicsScene(ui->tbwScene));
    ui->gvVW->setScene(new CTableGraphicsScene(ui->gvVW));
    ui->gvVW->SetVWMode(true);

    if (pMgr)
        ConnectManager(pMgr);
    SetDeviceFunctionsEnabled(pMgr && !pMgr->HasUnknownDevice());
    ui->wgDevFrame->slotRefreshDeives();
    ui->wgDevFrame_GroupRx->slotRefreshDeives();
    ui->wgDevFrame_ListRX->slotRefreshDeives();
    slotRefreshSceneComoboBox();
    slotRefreshQN714ComoboBox();
    if (pMgr)
        connect(pMgr, &CHOIDevMgr::OnProgressNotify, this, &MainWindow::slotOnProgressNotify);
    ui->progressBar->hide();

    if (pMgr)
        ShowConfiguredTools(pMgr);
    ConnectGroupTree();
    ApplyForcedLanguage();

    ui->actionDevInfo->trigger();
    ui->wgDevFrame_GroupRx->SelectRootItem();
    StartWelcome();
}

MainWindow::~MainWindow()
{
    // Nothing of the window may run from here on: the tiles and panels that
    // go below still report, through the manager and their own signals.
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->disconnect(this);
    SetApplyingScene(nullptr);
    const QList<QObject *> parts = findChildren<QObject *>();
    for (QObject *pPart : parts)
        pPart->disconnect(this);
    ui->scrollArea->viewport()->removeEventFilter(this);
    ui->scrollArea_2->viewport()->removeEventFilter(this);
    DeleteTilesNow();
    // The IR pad and the serial message dialog are shared and live as long
    // as the window.
    CDlgIrCtrl::DestroyDlg();
    CDlgSerialMsg::DestroyDlg();
    SaveListMode();
    delete ui;
    ui = nullptr;
    delete m_pTranslatorApp;
    delete m_pTranslatorWidgets;
}

// The panels to the Information dock, and the Log dock's check marks.
void MainWindow::ConnectPanels()
{
    connect(ui->wgDevFrame, &CFrameDevList::onItemChange, m_pInfoDock, &CDevinfoWidget::slotShowDevDetail);
    connect(ui->wgDevFrame_ListRX, &CFrameDevList::onItemChange, m_pInfoDock,
            &CDevinfoWidget::slotShowDevDetail);
    connect(ui->wgDevFrame_GroupRx, &CFormGroupList::onItemChange, m_pInfoDock,
            &CDevinfoWidget::slotShowDevDetail);
    connect(ui->wgDevFrame_GroupRx, &CFormGroupList::onItemChange, this, &MainWindow::slotOnDevClickGroupRx);
    connect(m_pLogDock, &QDockWidget::visibilityChanged, ui->actionViewLog, &QAction::setChecked);
    connect(m_pLogDock, &QDockWidget::visibilityChanged, ui->menuLog_Window, &QAction::setChecked);
}

// The tool bar's and the menus' actions, each to the slot it runs.
void MainWindow::ConnectTools()
{
    using WindowSlot = void (MainWindow::*)();
    const QPair<QAction *, WindowSlot> actions[] = {
        {ui->actionImport, &MainWindow::slotImport},
        {ui->actionExport, &MainWindow::slotExportSummaryFile},
        {ui->actionIrControl, &MainWindow::slotRemoteControl},
        {ui->actionSerial, &MainWindow::slotSendSerialMsg},
        {ui->actionCECControl, &MainWindow::slotCECControl},
        {ui->actionStandby, &MainWindow::slotStandbyControl},
        {ui->actionSchedule, &MainWindow::slotOnSchedule},
        {ui->actionDevInfo, &MainWindow::slotViewDevInfo},
        {ui->actionViewLog, &MainWindow::slotViewLog},
        {ui->actionHelp, &MainWindow::slotHelp},
        {ui->actionBatch_Commands, &MainWindow::slotBatchCommands},
        {ui->actionSave_alais, &MainWindow::slotSaveSlaistoTxRX},
        {ui->actionSearch, &MainWindow::slotSearchTxRxOnline},
        {ui->actionSave, &MainWindow::slotSave},
        {ui->actionNew, &MainWindow::slotNew},
        {ui->actionNewMune, &MainWindow::slotNew},
        {ui->menuOpen, &MainWindow::slotImport},
        {ui->menuSave, &MainWindow::slotSave},
        {ui->menuExport_summary_file, &MainWindow::slotExportSummaryFile},
        {ui->menuSearch_Tx_Rx_online, &MainWindow::slotSearchTxRxOnline},
        {ui->menuSave_alais_to_Tx_Rx, &MainWindow::slotSaveSlaistoTxRX},
        {ui->menuBatch_commands, &MainWindow::slotBatchCommands},
        {ui->menuInfo_Window, &MainWindow::slotViewDevInfoMenu},
    };
    for (const auto &action : actions)
        connect(action.first, &QAction::triggered, this, action.second);
    connect(ui->menuSave_as, &QAction::triggered, this, &MainWindow::slotSaveas);
    connect(ui->menuExit, &QAction::triggered, this, &MainWindow::close);
}

// The layout page and the navigation panels.
void MainWindow::ConnectNavigation()
{
    CFormGroupList *pTree = ui->wgDevFrame_GroupRx;
    connect(ui->pBAddLayout, &QPushButton::clicked, this, &MainWindow::slotAddScene);
    connect(ui->btnModifyScene, &QPushButton::clicked, this, &MainWindow::slotModifyScene);
    connect(pTree, &CFormGroupList::signalLayoutAdd, this, &MainWindow::slotAddScene);
    connect(pTree, &CFormGroupList::signalLayoutEdit, this, &MainWindow::slotModifyScene);
    connect(ui->btnRemoveScene, &QPushButton::clicked, this, &MainWindow::slotDeleteScene);
    connect(pTree, &CFormGroupList::signalLayoutDelete, this, &MainWindow::slotDeleteScene);
    connect(ui->btnApplyScene, &QPushButton::clicked, this, &MainWindow::slotApplyScene);
    connect(ui->cbScenes, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MainWindow::slotShowCurrentScene);
    connect(ui->cbAutoApply, &QCheckBox::clicked, this, &MainWindow::slotOnAutoApplyCheckChanged);
    connect(pTree, &CFormGroupList::signalGroupToList, this, &MainWindow::on_pbChangeRXGroupOrList);
    connect(ui->wgDevFrame_ListRX, &CFrameDevList::signalListToGroup, this,
            &MainWindow::on_pbChangeRXGroupOrList);
    connect(ui->wgDevFrame, &CFrameDevList::signalListToGroupDevName, this, &MainWindow::slotTXDevChangedName);
    connect(ui->wgDevFrame_ListRX, &CFrameDevList::signalListToGroupDevName, pTree,
            &CFormGroupList::slotDevChangedName);
    connect(ui->wgDevFrame, &CFrameDevList::signalListToGroupTXDev, this, &MainWindow::slotListToGroupTXDev);
    connect(ui->wgDevFrame_ListRX, &CFrameDevList::signalDevFrameTo, pTree, &CFormGroupList::soltDevFrameTo);
    connect(pTree, &CFormGroupList::signalDevFrame, this, &MainWindow::slotDevFrame);
}

// The parts of the form the program does not use.
void MainWindow::HideUnusedWidgets()
{
    SetWidgetsVisible({ui->groupBox, ui->widget, ui->label, ui->lbSceneStatus, ui->lbSceneStatusIcon,
                       ui->checkBDefLayout},
                      false);
    ui->actionSchedule->setVisible(false);
    ClearGroupTiles();
}

void MainWindow::CreateDocks()
{
    m_pLogDock = new CLogWidget(this);
    m_pLogDock->hide();
    m_pInfoDock = new CDevinfoWidget(this);
    m_pInfoDock->hide();
    addDockWidget(Qt::BottomDockWidgetArea, m_pInfoDock, Qt::Horizontal);
    connect(m_pInfoDock, &QDockWidget::visibilityChanged, ui->actionDevInfo, &QAction::setChecked);
    connect(m_pInfoDock, &QDockWidget::visibilityChanged, ui->menuInfo_Window, &QAction::setChecked);
    addDockWidget(Qt::BottomDockWidgetArea, m_pLogDock, Qt::Horizontal);
}

// The View menu's dock entries: Information on, Log off.
void MainWindow::InitDockMenuEntries()
{
    ui->menuInfo_Window->setCheckable(true);
    ui->menuInfo_Window->setChecked(true);
    m_bInfoDockShown = true;
    connect(ui->menuLog_Window, &QAction::triggered, this, &MainWindow::slotViewLogMenu);
    ui->menuLog_Window->setCheckable(true);
    ui->menuLog_Window->setChecked(false);
    m_bLogDockShown = false;
}

void MainWindow::ConnectManager(CHOIDevMgr *pMgr)
{
    connect(pMgr, &CHOIDevMgr::OnRestoreScene, this, &MainWindow::slotOnRestoreScene);
    // The manager announces the end of a search only with OnSearchStop; a
    // search asked to restore the layouts lists them again here.
    connect(pMgr, &CHOIDevMgr::OnSearchStop, this, [this](int nDevFound, bool bRestoreSceneAfterSearch) {
        Q_UNUSED(nDevFound)
        if (bRestoreSceneAfterSearch)
            slotOnRestoreScene();
    });
    connect(pMgr, &CHOIDevMgr::OnSceneStatusChange, this, &MainWindow::slotOnSceneStatusChange);
    connect(pMgr, &CHOIDevMgr::OnDevNameChanged, this, &MainWindow::slotOnDevNameChanged);
    connect(pMgr, &CHOIDevMgr::OnDeviceNotify, this, &MainWindow::slotOnDeviceNotify);
    connect(pMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &MainWindow::slotOnDevCmdCompleted);
    connect(pMgr, &CHOIDevMgr::OnScheduleExec, this, &MainWindow::slotOnScheduleExec);
    connect(pMgr, &CHOIDevMgr::signalFoundQN714, this, &MainWindow::slotOnFoundQN714);
}

// The tool actions the product configuration offers at all.
void MainWindow::ShowConfiguredTools(CHOIDevMgr *pMgr)
{
    ui->actionIrControl->setVisible(pMgr->IsSupportIr(nullptr));
    ui->actionSerial->setVisible(pMgr->IsSupportRs232(nullptr));
    ui->actionCECControl->setVisible(pMgr->IsSupportCec(nullptr));
    ui->actionViewLog->setVisible(pMgr->IsLogEnable(nullptr));
    ui->actionStandby->setVisible(pMgr->IsBackupEnable(nullptr));
}

// The group tree's commands and notifications, and the page buttons that
// run through it.
void MainWindow::ConnectGroupTree()
{
    connect(ui->wgDevFrame, &CFrameDevList::signalQN714Operate, this, &MainWindow::slotQN714Operate);
    CFormGroupList *pTree = ui->wgDevFrame_GroupRx;
    connect(pTree, &CFormGroupList::onItemClickGroup, this, &MainWindow::slotOnGroupItemClick);
    connect(pTree, &CFormGroupList::onItemClickGroup, m_pInfoDock, &CDevinfoWidget::slotShowEmptyDetail);
    connect(pTree, &CFormGroupList::signalGroupItem, this, &MainWindow::slotOnGroupItemClick);
    connect(pTree, &CFormGroupList::signalGroupItemforAliasModity, this,
            &MainWindow::slotOnGroupItemClickforAliasModify);
    connect(pTree, &CFormGroupList::signalVWItem, this, &MainWindow::slotOnDeleteVWItemClick);
    connect(pTree, &CFormGroupList::onItemClickVW, this,
            qOverload<QTreeWidgetItem *>(&MainWindow::slotOnLayoutItemClick));
    connect(pTree, &CFormGroupList::onItemClickVW, m_pInfoDock, &CDevinfoWidget::slotShowEmptyDetail);
    connect(pTree, &CFormGroupList::onItemClickAll, this, &MainWindow::slotOnAllItemClick);
    connect(pTree, &CFormGroupList::onItemClickAll, m_pInfoDock, &CDevinfoWidget::slotShowEmptyDetail);
    connect(ui->pbGreateVW_2, &QPushButton::clicked, this, &MainWindow::on_pbGreateVW_clicked);
    connect(ui->pbDeleteDev, &QPushButton::clicked, pTree, &CFormGroupList::slotDeleteDevices);
    connect(pTree, &CFormGroupList::signalLayoutNameChange, this, &MainWindow::slotRefreshSceneComoboBox);
    connect(pTree, &CFormGroupList::signalGroupNameChange, this, &MainWindow::slotGroupNameChange);
    connect(pTree, &CFormGroupList::signalGroupRemoved, this, &MainWindow::slotGroupRemoved);
    connect(pTree, &CFormGroupList::signalVWNameChange, this, &MainWindow::slotVWNameChange);
    connect(pTree, &CFormGroupList::signalShowVWScene, this, &MainWindow::slotShowVWScene);
}

// A language forced by "language.ini" goes last, over the saved one.
void MainWindow::ApplyForcedLanguage()
{
    QSettings languageIni(QCoreApplication::applicationDirPath() + QStringLiteral("/language.ini"),
                          QSettings::IniFormat);
    if (languageIni.value(QStringLiteral("change"), 0).toUInt() != 1)
        return;
    const uint nLanguage = languageIni.value(QStringLiteral("language"), 2).toUInt();
    if (nLanguage == 0)
        slotChangeEnglish();
    else if (nLanguage == 1)
        slotChangeChinese();
}

// The welcome dialog opens from a thread's signal, once the window is up.
void MainWindow::StartWelcome()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr || pMgr->m_nIsWelcome != 0)
        return;
    CMyThread *pThread = new CMyThread;
    connect(pThread, &CMyThread::OnMyThreadSignal, this, &MainWindow::slotWelcome);
    // Its run returns at once; nothing waits for it.
    connect(pThread, &QThread::finished, pThread, &QObject::deleteLater);
    pThread->start(QThread::InheritPriority);
}

void MainWindow::SetFeatureActions(bool bAllowed)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const bool bOn = bAllowed && !m_bBusy && pMgr;
    ui->actionIrControl->setEnabled(bOn && pMgr->IsSupportIr(nullptr));
    ui->actionSerial->setEnabled(bOn && pMgr->IsSupportRs232(nullptr));
    ui->actionCECControl->setEnabled(bOn && pMgr->IsSupportCec(nullptr));
    ui->actionViewLog->setEnabled(bOn && pMgr->IsLogEnable(nullptr));
    ui->actionStandby->setEnabled(bOn && pMgr->IsBackupEnable(nullptr));
}

void MainWindow::SetDeviceFunctionsEnabled(bool bEnable)
{
    // While busy the tool actions stay off whatever the devices report; the
    // end of the busy state sets them again.
    SetFeatureActions(bEnable);
    ui->gbScene->setEnabled(bEnable);
}

void MainWindow::SetBusyState(bool bBusy)
{
    m_bBusy = bBusy;
    if (!bBusy)
        m_applyShares.clear();
    // The menu's entries too: a project replaced under a running apply
    // would leave nothing to end it.
    QAction *const plain[] = {ui->actionExport, ui->actionImport, ui->actionBatch_Commands,
                              ui->actionSave_alais, ui->actionSearch, ui->actionSave, ui->actionNew,
                              ui->actionNewMune, ui->menuOpen, ui->menuSave, ui->menuSave_as,
                              ui->menuExport_summary_file, ui->menuSearch_Tx_Rx_online,
                              ui->menuSave_alais_to_Tx_Rx, ui->menuBatch_commands};
    for (QAction *pAction : plain)
        pAction->setEnabled(!bBusy);
    // A device of unknown type keeps the device functions off after the
    // busy time too (a search may just have found one).
    SetFeatureActions(g_pHOIDevMgr && !g_pHOIDevMgr->HasUnknownDevice());
    ui->centralWidget->setEnabled(!bBusy);
    ui->actionSchedule->setVisible(false);
    // The disabled state shows before the work starts.
    repaint();
}

// ---- Help menu ----

void MainWindow::CreateHelpMenu()
{
    m_helpPaths.clear();
    if (g_pHOIDevMgr) {
        const QList<T_MenuHelpInfo> &entries = g_pHOIDevMgr->GetMenuHelpList();
        for (const T_MenuHelpInfo &entry : entries) {
            QAction *pAction = ui->menuHelp->addAction(entry.menu_name);
            connect(pAction, &QAction::triggered, this, &MainWindow::slotMenuHelp);
            m_helpPaths.insert(pAction, entry.file_path);
        }
    }
    ui->menuHelp->addSeparator();
    m_pActAbout = ui->menuHelp->addAction(tr("About"));
    connect(m_pActAbout, &QAction::triggered, this, &MainWindow::slotHelp);
}

void MainWindow::slotMenuHelp()
{
    QAction *pAction = qobject_cast<QAction *>(sender());
    if (!pAction)
        return;
    if (!m_helpPaths.contains(pAction)) {
        MsgCritical(this, QString(), tr("Could not find menu.check the configuration file please"));
        return;
    }
    const QString strPath = m_helpPaths.value(pAction);
    if (strPath.isEmpty()) {
        MsgCritical(this, QString(), tr("The file path is empty."));
        return;
    }
    // A relative path names a file beside the program, like the configuration
    // files, whatever folder the program was started from.
    const QString strFile = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(strPath);
    if (!QFileInfo(strFile).isFile()) {
        MsgCritical(this, QString(),
                    tr("Open file failed,check the configuration file \"file_path\" fill in,\n"
                       "It is consistent with the path of the file."));
        return;
    }
    // The file is there: what failed is the computer's viewer for it.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strFile)))
        MsgCritical(this, QString(), tr("No viewer was found on this computer for \"%1\".").arg(strFile));
}

// ---- tool dialogs ----

void MainWindow::slotHelp()
{
    About dlg(this);
    dlg.exec();
}

void MainWindow::slotBatchCommands()
{
    CDlgBatch dlg(this);
    dlg.exec();
}

void MainWindow::slotOnSchedule()
{
    CDlgSchedule dlg(this);
    dlg.exec();
}

void MainWindow::slotOnManageGroup()
{
    DlgGroup dlg(this);
    dlg.exec();
}

void MainWindow::slotRemoteControl()
{
    CDlgIrCtrl::ShowDlg(nullptr, nullptr);
}

void MainWindow::slotSendSerialMsg()
{
    CDlgSerialMsg::ShowDlg(nullptr, nullptr);
}

void MainWindow::slotCECControl()
{
    CDlgCECCtrl::ShowDlg(nullptr, nullptr);
}

void MainWindow::slotStandbyControl()
{
    CDlgStandbyCtrl::ShowDlg(nullptr, nullptr);
}

void MainWindow::slotSearchTxRxOnline()
{
    if (!g_pHOIDevMgr)
        return;
    g_pHOIDevMgr->ClearFoundDevList();
    ui->wgDevFrame_GroupRx->on_pbExpand_clicked();
    // The layouts are shown again once the search has ended (OnRestoreScene).
    g_pHOIDevMgr->StartSearch(true);
}

// ---- docks ----

void MainWindow::slotViewLog()
{
    m_pLogDock->setVisible(ui->actionViewLog->isChecked());
    ui->menuLog_Window->setChecked(ui->actionViewLog->isChecked());
}

void MainWindow::slotViewDevInfo()
{
    m_pInfoDock->setVisible(ui->actionDevInfo->isChecked());
    ui->menuInfo_Window->setChecked(ui->actionDevInfo->isChecked());
}

void MainWindow::slotViewLogMenu()
{
    m_pLogDock->setVisible(ui->menuLog_Window->isChecked());
    m_bLogDockShown = !m_bLogDockShown;
}

void MainWindow::slotViewDevInfoMenu()
{
    m_pInfoDock->setVisible(ui->menuInfo_Window->isChecked());
    m_bInfoDockShown = !m_bInfoDockShown;
}

// ---- device notifications ----

void MainWindow::slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify)
{
    Q_UNUSED(pDev)
    Q_UNUSED(eNotify)
    SetDeviceFunctionsEnabled(g_pHOIDevMgr && !g_pHOIDevMgr->HasUnknownDevice());
}

void MainWindow::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    Q_UNUSED(emCtrlObj)
    Q_UNUSED(eResult)
    if (pDev && m_pInfoDock->GetCurDev() == pDev)
        m_pInfoDock->slotShowDevDetail(pDev);
}

void MainWindow::slotOnProductChanged()
{
    slotRefreshSceneComoboBox();
    slotRefreshQN714ComoboBox();
    const bool bKnown = g_pHOIDevMgr && !g_pHOIDevMgr->HasUnknownDevice();
    SetDeviceFunctionsEnabled(bKnown);
    if (!bKnown)
        MsgInformation(nullptr, QString(), tr("Contains unknown device type,opration disabled."));
}
