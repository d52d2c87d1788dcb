#ifndef HOI_CONSOLE_MAINWINDOW_H
#define HOI_CONSOLE_MAINWINDOW_H

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QString>

#include "devlist/framedevlist.h"
#include "hoi_core/basecomm.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"
#include "hoi_core/hoitypes.h"

class CDevinfoWidget;
class CLogWidget;
class QAction;
class QComboBox;
class QGridLayout;
class QScrollArea;
class QTranslator;
class QTreeWidgetItem;

namespace Ui {
class MainWindow;
}

// The console's one top-level window: menus, tool bar, the Log and
// Information docks, the device panels and the right-hand pages. Its slots
// carry the commands for layouts (mainwindow_layouts.cpp), project files
// (mainwindow_project.cpp), the pages and tiles (mainwindow_pages.cpp), the
// IP controller (mainwindow_qn714.cpp), language, welcome and closing
// (mainwindow_language.cpp). Devices, layouts and groups live in the
// manager; the window holds raw pointers only and never deletes them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The layout of the current layout combo entry; null when none is current.
    CHOIScene *GetCurScene() const;
    // Busy: the tool actions and the central widget are off while a layout
    // applies or a search runs.
    void SetBusyState(bool bBusy);
    bool IsBusy() const { return m_bBusy; }
    void RenumberLayoutSeq();
    // IR, serial, CEC, Log and Standby by the product configuration, and the
    // layout page; everything off with false.
    void SetDeviceFunctionsEnabled(bool bEnable);
    // Loads a project file in place of the one open. A file that cannot be
    // loaded is reported and leaves the open project as it was.
    bool OpenProject(const QString &path, bool bQuiet);
    // The current project path when this run opened or saved it, else empty.
    QString SaveTargetPath() const;
    // The file dialog that asks where to write the project.
    QString AskProjectPath(const QString &strCaption);
    void ClearGroupTiles();
    void ClearAllTiles();
    void CreateLanguageMenu();
    void CreateHelpMenu();
    void SaveListMode();
    // The IP address of the current row of the source device list; empty
    // without one.
    QString GetCurDevIPAddr() const;

    // For the layout order dialog: the layout combo box, and the one-shot
    // flag that makes the next change of its current entry show nothing.
    QComboBox *GetSceneComboBox() const;
    void SetSkipShowScene(bool bSkip) { m_bSkipShowScene = bSkip; }

signals:
    void signalAutoApply(bool isAuto);
    void signalApplyToAllSceen();

public slots:
    // Layouts.
    void slotApplyScene();
    void slotOnSceneStatusChange(CHOIScene *pScene, E_SceneStatus eStatus);
    void slotShowScene(CHOIScene *pHoiScene);
    void slotShowCurrentScene();
    void slotRefreshSceneComoboBox();
    void slotAddScene();
    void slotModifyScene();
    void slotDeleteScene();
    void slotOnAutoApplyCheckChanged();
    void slotOnRestoreScene();
    void slotOnScheduleExec(CHOIScene *pScene);
    void slotOnProgressNotify(E_ProgressNotify eNotify, int nProgress);

    // Project files.
    void slotNew();
    void slotImport();
    void slotSave();
    bool slotSaveas();
    void slotExportSummaryFile();
    void slotExport();
    void slotSaveSlaistoTxRX();

    // Navigation and tiles pages.
    void slotOnLayoutItemClick(QTreeWidgetItem *pVWItem);
    void slotOnLayoutItemClick(CHOIScene *pScene);
    void slotOnDevClickGroupRx(CHOIDev *pDev);
    void slotOnDevClick(CHOIDev *pDev);
    void slotOnGroupItemClick(QTreeWidgetItem *pGroupItem);
    void slotDevFrame(QTreeWidgetItem *pItem);
    void slotOnAllItemClick(QTreeWidgetItem *pAllItem);
    void slotOnVWItemClick(QTreeWidgetItem *pVWItem);
    void slotShowVWScene(CHOIScene *pVW);
    void slotOnDeleteVWItemClick();
    void slotVWNameChange(QString strVWName);
    void slotGroupNameChange(QString strGroupName);
    void slotGroupRemoved(const QString &strGroupName);
    void slotListToGroupTXDev();
    void slotTXDevChangedName(CHOIDev *pCurDev);
    void slotOnGroupItemClickforAliasModify(QTreeWidgetItem *pGroupItem);
    void slotOnDevNameChanged(CHOIDev *pCurDev);
    void on_pbChangeRXGroupOrList();
    void on_pbGreateVW_clicked();

    // IP controller.
    void slotRefreshQN714ComoboBox();
    void slotOnFoundQN714(CHOIDev *pQN714);
    void slotQN714Operate(CFrameDevList::E_QN714Operate oper);

    // Help, tool dialogs, docks, device notifications.
    void slotMenuHelp();
    void slotHelp();
    void slotBatchCommands();
    void slotOnSchedule();
    void slotOnManageGroup();
    void slotRemoteControl();
    void slotSendSerialMsg();
    void slotCECControl();
    void slotStandbyControl();
    void slotSearchTxRxOnline();
    void slotViewLog();
    void slotViewDevInfo();
    void slotViewLogMenu();
    void slotViewDevInfoMenu();
    void slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify);
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnProductChanged();

    // Language and welcome.
    void slotchangeLanguage();
    void slotChangeChinese();
    void slotChangeEnglish();
    void slotWelcome();

private slots:
    void slotOnApplyingSceneGone();
    // After "To all screens" has reached every tile: the cells it re-applies
    // keep the window busy too.
    void slotOnOneKeyDropped();
    // Connected by object name when the form is built.
    void on_checkBDefLayout_clicked(bool checked);
    void on_pbRankLayout_clicked();
    void on_checkBox_Auto_toggled(bool checked);
    void on_pb_Apply_clicked();
    void on_pbEditDev_clicked();
    void on_pbDeleteDev_clicked();
    void on_pbCreateGroup_clicked();
    void on_pbEditGroup_clicked();
    void on_pbDeleteGroup_clicked();
    void on_pbEditVW_clicked();
    void on_pbDeleteVW_clicked();
    void on_pbQN714Upload_clicked();
    void on_pbQN714Download_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *pWatched, QEvent *event) override;

private:
    // The steps of construction, in their order.
    void HideUnusedWidgets();
    void CreateDocks();
    void ConnectPanels();
    void ConnectTools();
    void InitDockMenuEntries();
    void ConnectNavigation();
    void ConnectManager(CHOIDevMgr *pMgr);
    void ShowConfiguredTools(CHOIDevMgr *pMgr);
    void ConnectGroupTree();
    void ApplyForcedLanguage();
    void StartWelcome();
    // The IR, serial, CEC, Log and Standby actions: on by the product
    // configuration when bAllowed and the window is not busy.
    void SetFeatureActions(bool bAllowed);
    // retranslateUi plus the texts the window sets at run time.
    void RetranslateUi();
    void SwitchLanguage(bool bChinese);

    // The layout whose status report ends the busy state; its deletion
    // ends it too.
    void SetApplyingScene(CHOIScene *pScene);
    // The layouts that still wait for their devices: the manager's, the
    // walls' and the tiles' own.
    QList<const CHOIScene *> ApplyingLayouts() const;
    // Whether any layout other than pExcept still waits for its devices.
    bool IsAnyLayoutApplying(const CHOIScene *pExcept = nullptr) const;
    // How far the layouts of this busy time have got together, in percent;
    // -1 when none has applied in it.
    int LayoutsProgress();

    // Layout list helpers.
    QList<CHOIScene *> CollectWallLayouts(const QString &strWall) const;
    // The layout of a list entry; null when the manager no longer has it.
    CHOIScene *EntryScene(int nIndex) const;
    int FindSceneEntry(CHOIScene *pScene) const;
    // The layout list's tool tip: the status of its current layout.
    void ShowSceneToolTip();
    void ShowWallLayouts(const QString &strWall);
    void ShowWallInGrid(const QString &strWall);

    // Project helpers.
    void ResetProjectViews();
    void RefreshPanels();
    void RenumberTree();
    // Writes the project; only on success does path become its path.
    bool SaveProjectTo(const QString &path);
    // Tells the operator how an export of either kind went.
    void TellExported(bool bExported);

    // Tile helpers. A tile keeps the position of its tree row (rows that
    // make no tile still use theirs up); the columns are the 150-pixel
    // tiles that fit side by side in the page's scroll area, counted again
    // whenever that area changes width.
    int TileColumns(const QScrollArea *pArea, const QGridLayout *pGrid) const;
    void PlaceTile(QGridLayout *pGrid, QWidget *pTile, int nPosition, int nCols);
    void PlaceTiles(const QScrollArea *pArea, QGridLayout *pGrid, const QList<QWidget *> &tiles);
    void RemoveTile(QWidget *pTile);
    // Every tile, at once: for the window's end, while its form is there.
    void DeleteTilesNow();

    void UploadToQN714();
    void DownloadFromQN714();

    Ui::MainWindow *ui;
    CLogWidget *m_pLogDock;
    CDevinfoWidget *m_pInfoDock;
    QTranslator *m_pTranslatorApp;
    QTranslator *m_pTranslatorWidgets;
    QAction *m_pActChinese;
    QAction *m_pActEnglish;
    QAction *m_pActAbout;
    bool m_bInfoDockShown;
    bool m_bLogDockShown;
    bool m_bBusy;

    // Layouts and pages. Guarded: the manager may delete a wall or device
    // the window still names.
    QPointer<CHOIScene> m_pCurVW;
    QPointer<CHOIDev> m_pCurDev;
    QString m_strCurGroup;
    QString m_strCurVWName;
    bool m_bSkipShowScene;
    // The layout applied from the window until its status report: the end
    // of some other work (a scheduled apply of another wall) must not
    // release the window meanwhile.
    QPointer<CHOIScene> m_pApplyingScene;
    // Per layout applied in this busy time: its devices answered and all of
    // them. Emptied when the window is free again.
    QHash<const CHOIScene *, QPair<int, int>> m_applyShares;
    // The last project of "list.xml" names the current path at start even
    // when it was not opened; saving over it would replace that project
    // with whatever this run holds. Only a path opened or saved in this run
    // is written without asking.
    bool m_bCurPathInUse;
    // The titles the pages got at run time; kept over a language change.
    QString m_strSceneTitle;
    QString m_strGroupTitle;
    QString m_strVWTitle;
    QString m_strTitle;

    // Tiles of the group page (the one-key tile last) and of the all-groups
    // page. The tiles check their tree items themselves before use.
    QList<QWidget *> m_groupTiles;
    QList<QWidget *> m_allTiles;

    // Help menu: each entry's document path.
    QMap<QAction *, QString> m_helpPaths;
};

#endif
