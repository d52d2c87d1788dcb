#ifndef HOI_CORE_HOISCENE_H
#define HOI_CORE_HOISCENE_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoirecords.h"
#include "hoi_core/hoitypes.h"
#include "hoi_core/vwsyncomm.h"

class CHOIDev;
class CHOIDevMgr;

// A (row, column) position in a layout's grid.
struct T_CellPos
{
    int row = 0;
    int col = 0;
};

// One video wall of a layout: a rectangle of cells whose decoders together
// show one picture.
struct T_VideoWallInfo
{
    int mode = 0;      // 0: one encoder for the whole wall, 1: one encoder per row
    int pos_row = 0;   // top-left cell
    int pos_col = 0;
    int row_count = 0; // size of the rectangle
    int col_count = 0;
    int ow = 0;        // monitor total (outer) width and height
    int oh = 0;
    int vw = 0;        // monitor active (visible) width and height
    int vh = 0;
    int show_osd = 0;
    QString name;
    QString dev_hostname; // windowing processor driving the wall
    QString dev_name;     // its display name
    int overlay = 0;
};

// One cell of a layout's grid.
struct T_SceneCell
{
    QList<CHOIDev*> txList;          // encoders feeding the cell, in the order added
    CHOIDev* rx = nullptr;           // the decoder of the cell
    quint32 data = 0;                // copied along with the cell, never interpreted
    T_VideoWallInfo* wall = nullptr; // the wall covering the cell, if any
};

// One decoder step of a video-wall apply that waits until the layout has
// been applied cleanly.
struct T_VWDeferredRxStep
{
    int row = 0;
    int col = 0;
    CHOIDev* tx = nullptr;
    CHOIDev* rx = nullptr;
    T_VideoWallInfo* wall = nullptr;
    int flags = 0;
};

// Video-wall work kept for after a clean apply: one record per wall row.
struct T_VWDeferredSteps
{
    CHOIDev* tx = nullptr; // encoder to prepare afterwards, null when none
    T_VideoWallInfo* wall = nullptr;
    int row = 0;
    int flags = 0;
    QList<T_VWDeferredRxStep> rxSteps;
};

// One layout: a grid of cells linking encoders to decoders, its video walls,
// and how it is applied to the devices. Plain layouts, the windowing kinds,
// the manager's video walls and the editor's one-cell layouts are all this.
class CHOIScene : public QObject
{
    Q_OBJECT
public:
    // Bits of the flags of a video-wall apply.
    enum
    {
        E_VWF_LINK = 1,     // link and position commands
        E_VWF_SETUP = 2,    // picture set-up events
        E_VWF_IDENTITY = 4, // wall identity parameters
        E_VWF_ALL = 7
    };
    // Items of a device's picture set-up (SendDevSetup / ApplyDevSetup).
    enum
    {
        E_VWS_HSHIFT = 0,
        E_VWS_VSHIFT = 1,
        E_VWS_HSCALE = 2,
        E_VWS_VSCALE = 3,
        E_VWS_DELAYKICK = 4,
        E_VWS_ALL = 5
    };
    enum
    {
        E_MAX_GRID = 255,
        E_MAX_CELL_TX = 16
    };

    CHOIScene(CHOIDevMgr* pOwner, const QString& name);
    ~CHOIScene() override;

    // Group part (before the first '-') and own part (after it) of a
    // layout's stored name; a name without '-' is returned whole. Null
    // gives an empty text.
    static QString GetSceneNamePrefix(const CHOIScene* pScene);
    static QString GetSceneNameSuffix(const CHOIScene* pScene);
    static QString GetSceneNamePrefix(const QString& name);
    static QString GetSceneNameSuffix(const QString& name);
    QString GetSceneNamePrefix() const { return GetSceneNamePrefix(m_strName); }
    QString GetSceneNameSuffix() const { return GetSceneNameSuffix(m_strName); }

    CHOIDevMgr* GetOwner() const { return m_pOwner; }

    // Plain accessors.
    const QString& GetName() const { return m_strName; }
    void SetName(const QString& name) { m_strName = name; }
    const QString& GetLocation() const { return m_strLocation; }
    void SetLocation(const QString& location);
    // Takes the layout out of its location; like SetLocation with an empty
    // text it then follows the first other layout of its wall, passing over
    // those in alsoLeaving, which leave the same location with it.
    void LeaveLocation(const QList<CHOIScene*>& alsoLeaving);
    // Takes the layout out of its location alone: unlike SetLocation with an
    // empty text it does not take the location of the wall's other layouts,
    // so the layouts of one wall can be cleared one by one.
    void ClearLocation();
    const QString& GetGroup() const { return m_strGroup; }
    void SetGroup(const QString& group) { m_strGroup = group; }
    int GetLayoutSeq() const { return m_nLayoutSeq; }
    void SetLayoutSeq(int seq) { m_nLayoutSeq = seq; }
    bool IsDefault() const { return m_bDefault; }
    void SetDefault(bool bDefault) { m_bDefault = bDefault; }
    bool IsWindowLayout() const { return m_bWindowLayout; }
    void SetWindowLayout(bool b) { m_bWindowLayout = b; }
    bool IsVivLayout() const { return m_bVivLayout; }
    void SetVivLayout(bool b) { m_bVivLayout = b; }
    bool IsWPLayout() const { return m_bWPLayout; }
    void SetWPLayout(bool b) { m_bWPLayout = b; }
    bool IsAutoApply() const { return m_bAutoApply; }
    void SetAutoApply(bool bAutoApply) { m_bAutoApply = bAutoApply; }
    T_VWDevSetup GetDevSetup(CHOIDev* pDev) const;
    void SetDevSetup(CHOIDev* pDev, const T_VWDevSetup& setup);
    // Every set-up entry of the layout, for the project file.
    const QHash<CHOIDev*, T_VWDevSetup>& GetDevSetupMap() const { return m_devSetups; }

    E_SceneStatus GetLastStatus() const { return m_eLastStatus; }
    // The interface keeps the states the layout never emits (edit, updated).
    void SetLastStatus(E_SceneStatus eStatus) { m_eLastStatus = eStatus; }
    int GetApplyMode() const { return m_nApplyMode; }
    int GetPendingTotal() const { return m_nPendingTotal; }
    int GetErrorCount() const { return m_nErrorCount; }
    // A layout is applying while devices of its last apply have not answered,
    // those whose kept wall steps are still to be sent included: between the
    // two rounds it waits for none, yet has not ended.
    bool IsApplying() const { return !m_pendingDevs.isEmpty() || m_nKeptDevs > 0; }
    bool IsPendingDev(CHOIDev* pDev) const { return m_pendingDevs.contains(pDev); }
    int GetPendingDevCount() const { return m_pendingDevs.size(); }
    // The completions counted against GetPendingTotal, as the progress reports.
    int GetCountedDevs() const { return m_nCounted; }

    // The other ordinary layouts of the manager whose name prefix is the
    // given one.
    QList<CHOIScene*> GetWallSceneList(const QString& prefix) const;

    // Grid and cells.
    int GetRowCount() const { return m_nRowCount; }
    int GetColCount() const { return m_nColCount; }
    void SetGridSize(int rows, int cols);
    // No bounds check: callers pass a cell inside the grid.
    T_SceneCell* GetCell(int row, int col);
    const T_SceneCell* CellAt(int row, int col) const;
    bool IsInGrid(int row, int col) const;
    bool HasDev(CHOIDev* pDev) const;
    bool FindDevCell(CHOIDev* pDev, int* pRow, int* pCol) const;
    T_VideoWallInfo* FindVideoWallOfDev(CHOIDev* pDev) const;
    int RemoveDev(CHOIDev* pDev);
    bool RemoveDevFromCell(int row, int col, CHOIDev* pDev);
    void RemoveAllDev();
    void RemoveAllRX();
    void RemoveAllTX();
    void CopyCellsFrom(const CHOIScene* pOther, int rows, int cols);

    // Video walls of the layout.
    bool CanMakeVideoWall(int row, int col, int rows, int cols) const;
    bool CanMakeMultiCellVideoWall(int row, int col, int rows, int cols) const;
    bool AddVideoWall(const T_VideoWallInfo* pWall);
    bool AddMultiCellVideoWall(const T_VideoWallInfo* pWall);
    bool HasVideoWall(const T_VideoWallInfo* pWall) const { return IsInWallList(pWall); }
    // Takes ownership of the record in every case; a record whose rectangle
    // does not lie inside the grid is deleted and false is returned.
    bool InsertVideoWall(T_VideoWallInfo* pWall);
    void DeleteVideoWall(T_VideoWallInfo* pWall);
    bool DeleteVideoWallsIn(int row, int col, int rows, int cols);
    bool SetVideoWallMode(T_VideoWallInfo* pWall, int mode);
    void ClearPtrList();
    T_VideoWallInfo* FindVideoWallByName(const QString& name, const T_VideoWallInfo* pExcept) const;
    void SetVideoWallDevice(QString wallName, QString devHostName, QString devDisplayName);
    bool IsWindowingDevUsed(QString wallName, QString devHostName) const;

    // Placement checks; on refusal err holds the operator's message.
    bool SetCellDev(int row, int col, CHOIDev* pDev, QString& err);
    bool SetVideoWallTx(T_VideoWallInfo* pWall, int row, CHOIDev* pTx, QString& err);
    bool CanMoveCellDev(int row1, int col1, int row2, int col2, QString& err);
    bool IsVideoWallSupportMultiTx(const T_VideoWallInfo* pWall) const;
    bool IsVideoWallSupportAdvance(const T_VideoWallInfo* pWall) const;

    // Applying the layout to its devices. Each returns at once; the outcome
    // follows through OnStatusChange. Only Apply sets the applied status; a
    // clean end of the other roads reports the status the layout kept.
    bool Apply(int nMode);
    bool UpdateCellLink(const QList<T_CellPos*>& cells);
    bool UpdateOneCellLink(int row, int col);
    bool StopLink(QList<CHOIDev*>& devs);
    bool StopRxLink(CHOIDev* pDev, bool bClearScene);
    void AbortApply();
    void AddPendingDev(CHOIDev* pDev);
    bool ApplyTx(CHOIDev* pTx);
    bool ApplyRx(T_SceneCell* pCell, CHOIDev* pRx);
    // False when a kept wall step could not be queued; what follows it is
    // then not sent.
    bool ResyncAppliedRx();
    bool SendSceneParams(CHOIDev* pDev, bool bSave);

    // Video-wall picture set-up and apply steps.
    bool ApplyDevSetup(CHOIDev* pDev, int item);
    void SendDevSetup(CHOIDev* pDev, int item);
    bool ApplyVideoWallTo1x1(QList<CHOIDev*>& devs);
    // False ends the apply; the caller aborts it, once.
    bool ApplyVideoWall(T_VideoWallInfo* pWall, int flags);
    bool ApplyVideoWallDev(T_VideoWallInfo* pWall, CHOIDev* pDev, int row, int flags);
    bool ApplyVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row, int col, int flags);
    bool PrepareVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row, int col, int flags);
    // Queues the decoder's kept wall lines after a clean apply; the apply
    // waits for them like for every other line.
    bool FinishVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row, int col, int flags);
    bool ApplyDeferredWallSteps();

    // The multicast address the custom multicast switch gives an encoder
    // that has none of its own: the first free one of "225.0.%1.%2", empty
    // when none is left. usedAddrs holds the addresses of the other encoders.
    static QString FirstFreeMulticastIP(const QSet<QString>& usedAddrs);

signals:
    void OnStatusChange(CHOIScene* pScene, E_SceneStatus eStatus);
    void OnProgressNotify(E_ProgressNotify eNotify, int nProgress);
    void OnProgressLog(QString strLog);

public slots:
    void slotOnDevCmdCompleted(CHOIDev* pDev, E_ControlObject emCtrlObj, E_CommResult eResult);

public:
    // Read directly by the layout editor and the project file.
    int m_nRowCount = 0;
    int m_nColCount = 0;
    QList<T_SceneCell*> m_cells;            // row-major, owned
    QList<T_VideoWallInfo*> m_videoWalls;   // owned, in the order added
    QList<T_VisualScreenInfo> m_visualScreens;

private:
    void BeginApplyState();
    void ClearResyncState();
    void BeginQueuing();
    int EndQueuing();
    void FinishIfDone();
    // The end of a device operation's queuing: with something queued it runs
    // on until the devices answer; with nothing it has failed at once.
    bool FinishQueuedOrFail(bool bQueued);
    void RemovePendingDev(CHOIDev* pDev);
    void ClearPendingDevs();
    void CountCompletion(CHOIDev* pDev, int nResult, bool bAlive = true);
    void UnlinkPendingDev(CHOIDev* pDev);
    void FinishApply();
    // The clean end of the devices' first answers: the resynchronisation and
    // the walls' kept steps. False when the apply has ended meanwhile.
    bool RunKeptSteps();
    void FailKeptSteps();
    // Decoders the kept wall steps will wait for, counted in the total
    // before they run so that the progress never goes back.
    int CountKeptDevs() const;
    bool HasKeptStep(CHOIDev* pDev) const;
    void EmitLog(const QString& text);
    void LogDev(const char* text, CHOIDev* pDev);
    // Connects a device a step is about to send to; a failure is logged as
    // the interruption of the operation.
    bool ConnectForApply(CHOIDev* pDev);
    bool IsInWallList(const T_VideoWallInfo* pWall) const;
    bool IsRectInGrid(int row, int col, int rows, int cols) const;
    void ForgetWall(const T_VideoWallInfo* pWall);
    void ForgetDevInDeferred(CHOIDev* pDev);
    bool AssignMulticastIP(CHOIDev* pTx);
    bool ApplyCell(T_SceneCell* pCell);
    void SetCellRx(T_SceneCell* pCell, CHOIDev* pDev);
    bool CanTakeRx(T_SceneCell* pCell, CHOIDev* pRx, QString& err) const;
    // Steps of ApplyVideoWall, one wall row at a time; false stops the apply.
    bool ApplyVideoWallRow(T_VideoWallInfo* pWall, int r, int flags, int& count);
    bool StopVideoWallRow(T_VideoWallInfo* pWall, int r, int& count);
    bool ApplyVideoWallRowTx(T_VideoWallInfo* pWall, CHOIDev* pTx, int r, int flags, T_VWDeferredSteps& rec);
    bool ApplyVideoWallRowRx(T_VideoWallInfo* pWall, CHOIDev* pTx, int r, int flags, T_VWDeferredSteps& rec,
                             int& count);
    bool PrepareVideoWallTx(T_VideoWallInfo* pWall, CHOIDev* pTx, int row, int flags);
    // A wall decoder's link lines come in two parts: its source (the stream,
    // its sound and its tile of the picture) and its wall settings (membership,
    // channel, position). A decoder with kept steps gets the source first and
    // the settings once every device has answered; any other gets both at once.
    enum
    {
        E_WRX_SOURCE = 1,
        E_WRX_PLACE = 2
    };
    void QueueWallRxLink(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row, int col, int parts);
    // The identity, link and set-up lines the flags ask for, then a save.
    void QueueWallRxSteps(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row, int col, int flags,
                          int linkParts);
    void QueueAudioSelect(CHOIDev* pRx, CHOIDev* pTx);
    // A decoder whose source line was refused counts as failed at once.
    bool RefuseRx(CHOIDev* pRx);

    CHOIDevMgr* m_pOwner;
    int m_nPendingTotal = 0;
    int m_nErrorCount = 0;
    E_SceneStatus m_eLastStatus = E_SS_EDIT;
    int m_nApplyMode = 0;
    // Whether the running road is Apply: only its clean end makes the
    // layout applied.
    bool m_bWholeLayout = false;
    QString m_strName;
    bool m_bAutoApply = false;
    // Devices the running apply waits for, with their completion and
    // destruction connections (a device deleted while pending must neither
    // hang the apply nor be touched again).
    struct T_PendingLinks
    {
        QMetaObject::Connection done;
        QMetaObject::Connection gone;
    };
    QHash<CHOIDev*, T_PendingLinks> m_pendingDevs;
    QHash<CHOIDev*, T_VWDevSetup> m_devSetups;
    CVWSynComm m_vwSync;
    QString m_strWallRx;
    QStringList m_wallRxList;
    // The growing cell RX text after each decoder, kept as its lengths: the
    // texts themselves would grow with the square of the decoder count.
    QList<int> m_cellRxPrefixes;
    QString m_strCellRx;
    QString m_strSplitRx;
    QString m_strStoppedRx;
    QString m_strExtraRx;
    QList<T_VWDeferredSteps> m_deferredWallSteps;
    QString m_strLocation;
    QString m_strGroup;
    int m_nLayoutSeq = 0;
    bool m_bDefault = false;
    bool m_bWindowLayout = false;
    bool m_bVivLayout = false;
    bool m_bWPLayout = false;

    // Set while an apply step queues commands: a completion that arrives
    // synchronously is counted but cannot end the apply before the step has
    // fixed its total.
    bool m_bQueuing = false;
    // The kept wall steps' decoders counted in the total but not yet queued,
    // and whether the clean end's steps have run for this apply.
    int m_nKeptDevs = 0;
    bool m_bKeptStepsRun = false;
    // Completions counted so far, the progress's numerator.
    int m_nCounted = 0;
};

#endif
