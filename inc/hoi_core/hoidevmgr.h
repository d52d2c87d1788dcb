#ifndef HOI_CORE_HOIDEVMGR_H
#define HOI_CORE_HOIDEVMGR_H

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

#include "hoi_core/basecomm.h"
#include "hoi_core/devicesearcher.h"
#include "hoi_core/hoirecords.h"
#include "hoi_core/hoitypes.h"
#include "hoi_core/prodidinfo.h"

class CHOIDev;
class CHOIScene;
class QIODevice;
class QXmlStreamAttributes;
class QXmlStreamReader;
class QXmlStreamWriter;

// Video-wall values a device reports while its settings are read back during
// a search. Kept only while the device is in the found-device map.
struct T_FoundDevInfo
{
    short s_row = 0;
    short s_col = 0;
    short s_row_count = 0;
    short s_col_count = 0;
    int s_vw_mode = 0;
    int s_vw_pos_row = 0;
    int s_vw_pos_col = 0;
    int s_vw_row_count = 0;
    int s_vw_col_count = 0;
    int vw_moninfo_ht = 0;
    int vw_moninfo_vt = 0;
    int vw_moninfo_ha = 0;
    int vw_moninfo_va = 0;
    QString s_vw_name;
    bool en_video_wall = false;
    QByteArray s_pos;
    int vw_h_shift = 0;
    int vw_v_shift = 0;
    int vw_h_scale = 0;
    int vw_v_scale = 0;
    int vw_delay_kick = 0;
};

// One entry of the help menu ("menuhelp.xml").
struct T_MenuHelpInfo
{
    QString menu_name;
    QString file_path;
};

// One group: its position in the group list (1-based once sorted) and name.
struct T_GroupInfo
{
    uint sequence = 0;
    QString name;
};

// A calendar date of a schedule; the last word is carried along, never read.
struct T_ScheduleDate
{
    quint16 year = 0;
    quint16 month = 0;
    quint16 day = 0;
    quint16 reserved = 0;
};

// Time of day of a schedule.
struct T_ScheduleTime
{
    quint8 hour = 0;
    quint8 minute = 0;
    quint8 second = 0;
};

// One schedule: applies a layout at a time of day on the days its date rule
// picks. type: 1 every day between two month-days of the current year, 2
// every day between two dates whose weekday bit is set, 3 every day, 4 the
// start date only.
struct T_ScheduleInfo
{
    int type = 0;
    T_ScheduleDate start_date;
    T_ScheduleDate end_date;
    T_ScheduleTime exec_time;
    bool activited = true;
    bool limit_date = false;   // kept for the editor and the project file only
    bool fired = false;        // has run in the current minute; never stored
    quint32 weekdays = 255;    // bit 0 Monday .. bit 6 Sunday
    CHOIScene* scene = nullptr;

    // Types 1 to 3 run again and again; 4 (and a new record) runs once.
    bool IsRecurring() const { return type >= 1 && type <= 3; }
};

// The one owner of everything the console knows about the installation:
// devices, layouts, video walls, groups, locations, schedules and product
// records. It runs the device search, the on-line check and the schedule
// check, answers product feature questions, and re-emits every device and
// layout event, so the windows listen to this one object.
class CHOIDevMgr : public QObject
{
    Q_OBJECT
public:
    // Search state.
    enum
    {
        E_SS_IDLE = 0,
        E_SS_DISCOVERY = 1,
        E_SS_READBACK = 2
    };
    // Default timings.
    enum
    {
        E_FIRST_ONLINE_DELAY = 1000,
        E_ONLINE_INTERVAL = 5000,
        E_SCHEDULE_INTERVAL = 1000,
        E_SEARCH_ROUNDS = 3,
        // Longest time one turn of the event loop spends bringing devices up
        // after a search or an on-line check (connecting, queuing read-backs).
        E_START_SLICE_MS = 20,
        // A device whose name stays unread is tried at least this often.
        E_READBACK_MAX_GAP_MS = 60000
    };

    CHOIDevMgr();
    ~CHOIDevMgr() override;

    // ---- devices ----
    int GetDevCount() const { return m_devList.size(); }
    CHOIDev* GetDev(int index) const { return m_devList.at(index); }
    QList<CHOIDev*> GetDevList() const { return m_devList; }
    CHOIDev* FindDevByHostName(const QString& hostName) const;
    CHOIDev* FindDevByIp(const QString& ip) const;
    bool HasUnknownDevice() const;
    void WireDevice(CHOIDev* pDev);
    bool RemoveDevice(CHOIDev* pDev);
    // Removes the parent's virtual TX devices, except those of the kept host names.
    bool RemoveChildDevices(CHOIDev* pParent, const QSet<QString>& keptHostNames = QSet<QString>());
    bool RemoveChildDevicesByName(const QString& hostName);
    void ClearAll();
    // Enters the device that stands for one entry of pOwner's virtual TX
    // list, or updates pOwner's own one of that host name. An entry naming
    // a host name that belongs to any other device, or that is no host
    // name, is left out of the device list with one log line, which
    // pLeftOut also gets; false then. Nothing happens for an empty host name
    // or one of no known product.
    bool AddIpcDev(const QString& alias, const QString& hostName, CHOIDev* pOwner, QString* pLeftOut = nullptr);
    // Whether pDev stands for an entry of pOwner's virtual TX list; never
    // for a device with an address of its own.
    bool IsIpcDevOf(const CHOIDev* pDev, const CHOIDev* pOwner) const;
    // pOwner's own virtual TX of that host name; null when it has none.
    CHOIDev* FindIpcDev(const QString& hostName, const CHOIDev* pOwner) const;
    int GetQN714Count() const { return m_qn714List.size(); }
    CHOIDev* GetQN714Dev(int index) const { return m_qn714List.at(index); }
    void AddQN714Dev(CHOIDev* pSource);
    void ClearFoundDevList();
    void AddResetDevHostName(const QString& hostName);
    // The devices reset since they were last seen on line, by host name.
    const QStringList& GetResetHostNames() const { return m_resetHostNames; }
    // The factory reset: the reset and reboot queued; once the device took
    // the reset, its host name recorded (it is renamed when seen on-line
    // again) and, with bLocalSettings for "video_set_2" products, the kept
    // settings reset. False, recording nothing, when nothing was queued.
    bool ResetDevToDefault(CHOIDev* pDev, bool bLocalSettings = true);
    void ClearDevSceneText();
    CHOIDev* FindTxByMulticastIP(const QString& ip, const CHOIDev* pExcept) const;
    CHOIDev* FindListedDevByHostName(const QString& hostName) const;
    void SaveAliasToTxRx();
    // A TX, RX, MRX, WP or GW: a unit that carries an alias and takes batch
    // settings, unlike the IP controller or a device of unknown type.
    static bool IsAvUnit(const CHOIDev* pDev);
    QString GetProdDevName(const QString& hostName) const;

    // ---- products ----
    bool LoadProdConfig();
    const T_ProdIdInfo* GetProdIdInfo(const CHOIDev* pDev) const;
    const T_ProdIdInfo* FindProdIdInfo(const QString& hostName, int* pType = nullptr) const;
    const T_ProdIdInfo* FindProdIdInfoById(const QString& id) const;
    const QList<T_ProdIdInfo>& GetProdList() const { return m_prodList; }

    // ---- product feature queries (a null device asks about the installation) ----
    bool IsSupportVideoWall(CHOIDev* pDev) const;
    bool IsSupportOsd(CHOIDev* pDev) const;
    bool IsSupportRxMonitor(CHOIDev* pDev) const;
    bool IsSupportVideoSettings(CHOIDev* pDev) const;
    bool IsSupportVolume(CHOIDev* pDev) const;
    bool IsSupportEdidReset(CHOIDev* pDev) const;
    bool IsSupportEdidExport(CHOIDev* pDev) const;
    bool IsSupportAudioSource(CHOIDev* pDev) const;
    bool IsHisiDev(CHOIDev* pDev) const;
    bool IsSupportJpeg(CHOIDev* pDev) const;
    bool IsSupportAnalogMute(CHOIDev* pDev) const;
    bool IsSupportHdmiMute(CHOIDev* pDev) const;
    bool IsSupportMap(CHOIDev* pDev) const;
    bool IsSupportOverlay(CHOIDev* pDev) const;
    bool IsSupportWindow(CHOIDev* pDev) const;
    bool IsSupportViv(CHOIDev* pDev) const;
    bool IsSupportAudioDelay(CHOIDev* pDev) const;
    bool IsSupportLayout(CHOIDev* pDev) const;
    QString GetEdidPath(CHOIDev* pDev) const;
    bool IsSupportVoMode(CHOIDev* pDev) const;
    bool IsSupportIr(CHOIDev* pDev) const;
    bool IsSupportRs232(CHOIDev* pDev) const;
    bool IsSupportCec(CHOIDev* pDev) const;
    bool IsSupportVWMultiTx(CHOIDev* pDev) const;
    bool IsSupportVWAdvance(CHOIDev* pDev) const;

    // ---- product texts of a device ----
    QString GetDevUrl(CHOIDev* pDev) const;
    QString GetDevBgUrl(CHOIDev* pDev) const;
    QString GetDevOverlayUrl(CHOIDev* pDev) const;
    QString GetDevPreviewUrl(CHOIDev* pDev) const;
    QString GetMapType(CHOIDev* pDev) const;
    QString GetModeTile(CHOIDev* pDev) const;
    QString GetModeOverlay(CHOIDev* pDev) const;
    bool IsSupportOsdDisplayMethod(CHOIDev* pDev) const;
    bool IsSupportMapDisplay(CHOIDev* pDev) const;

    // ---- "config.xml" root switches and command lines ----
    bool IsLogEnable(const QObject* pUnused = nullptr) const { Q_UNUSED(pUnused) return m_bLogEnable; }
    bool IsBackupEnable(const QObject* pUnused = nullptr) const { Q_UNUSED(pUnused) return m_bBackupEnable; }
    bool IsWindowLayoutEnable() const { return m_bWindowLayoutEnable; }
    bool IsVivLayoutEnable() const { return m_bVivLayoutEnable; }
    bool IsWPLayoutEnable() const { return m_bWPLayoutEnable; }
    bool IsLanguageEnable() const { return m_bLanguageEnable; }
    bool IsLogoEnable() const { return m_bLogoEnable; }
    QString GetTxLdy() const { return m_strTxLdy; }
    QString GetTxLdn() const { return m_strTxLdn; }
    QString GetRxLdy() const { return m_strRxLdy; }
    QString GetRxLdn() const { return m_strRxLdn; }

    // ---- layouts and video walls ----
    int GetSceneCount() const { return m_sceneList.size(); }
    CHOIScene* GetScene(int index) const { return m_sceneList.at(index); }
    QList<CHOIScene*> GetSceneList() const { return m_sceneList; }
    CHOIScene* FindSceneByName(const QString& name) const;
    CHOIScene* CreateScene(const QString& name);
    void DeleteSceneAt(int index);
    void DeleteScene(CHOIScene* pScene);
    bool DeleteSceneByName(const QString& name);
    int GetVideoWallCount() const { return m_videoWallList.size(); }
    CHOIScene* GetVideoWall(int index) const { return m_videoWallList.at(index); }
    CHOIScene* FindVideoWallByName(const QString& name) const;
    CHOIScene* GetOrCreateVideoWall(const QString& name);
    CHOIScene* GetOrCreateVideoWallOfScene(CHOIScene* pScene, int layoutSeq);
    // Unlists the wall of that name, takes it off every device and deletes it
    // later (the manager owns it: kept, it would leak); views drop it before
    // control returns to the event loop.
    void RemoveVideoWall(CHOIScene* pWall);
    void RemoveAllRXOfVideoWall(const QString& name);
    void RemoveDevFromSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName);
    void SetDevToSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName);
    int RemoveDevFromAllScenes(CHOIDev* pDev);
    bool IsRxInAnyVideoWall(CHOIDev* pDev) const;
    bool IsAnyRxWithoutWindow(CHOIScene* pScene) const;
    bool IsAnyRxWithoutViv(CHOIScene* pScene) const;
    bool IsAnyGridRxWithoutWindow(CHOIScene* pScene) const;
    bool IsAnyGridRxWithoutViv(CHOIScene* pScene) const;
    bool IsLinkPartner(CHOIDev* pDevA, CHOIDev* pDevB) const;
    bool IsLinkGroupOk(const QList<CHOIDev*>& txList, CHOIDev* pRx) const;
    bool IsMutualPartner(CHOIDev* pDevA, CHOIDev* pDevB) const;

    // ---- groups and locations ----
    bool AddGroup(QString name, uint sequence);
    int IndexOfGroup(QString name) const;
    int GetGroupCount() const { return m_groupList.size(); }
    QString GetGroupName(int index) const;
    bool RemoveGroup(const QString& name);
    bool RenameGroup(const QString& oldName, const QString& newName);
    void SetGroupSequence(const QString& name, uint sequence);
    void SortGroupList();
    const QList<T_GroupInfo*>& GetGroupList() const { return m_groupList; }
    bool AddLocation(QString name);
    int IndexOfLocation(QString name) const;
    int GetLocationCount() const { return m_locationList.size(); }
    QString GetLocationName(int index) const;
    bool RemoveLocation(const QString& name);
    bool RenameLocation(const QString& oldName, const QString& newName);

    // ---- schedules ----
    int AddSchedule(const T_ScheduleInfo* pInfo);
    void ClearSchedules();

    // ---- application settings files ----
    bool LoadListConfig();
    bool SaveListConfig();
    bool LoadHdcpConfig();
    bool LoadLayoutConfig();
    bool LoadMenuConfig();
    bool InitMrxLayouts();
    bool InitDefaultProjectFile();
    QString GetDefaultFilePath() const { return m_strDefaultFilePath; }
    QString GetCurFilePath() const { return m_strCurFilePath; }
    const QMap<QString, bool>& GetHdcpMap() const { return m_mapHdcp; }
    const QList<T_IpmLayoutInfo>& GetIpmLayoutList() const { return m_ipmLayoutList; }
    const QList<T_MenuHelpInfo>& GetMenuHelpList() const { return m_menuHelpList; }

    // ---- search ----
    bool StartSearch(bool bRestoreSceneAfterSearch);
    int GetSearchState() const { return m_nSearchState; }
    bool IsQuietSearch() const { return m_bQuiet; }
    int GetReadCompletedCount() const { return m_nReadCompletedCount; }
    const QMap<CHOIDev*, T_FoundDevInfo>& GetFoundDevMap() const { return m_mapFoundDev; }
    const QList<CHOIDev*>& GetFoundQN714List() const { return m_foundQN714List; }

    // Only tests change these; the defaults are the specified ones. A negative
    // first delay leaves the on-line check unarmed.
    void SetOnLineTimings(int firstDelayMs, int intervalMs);
    void SetScheduleInterval(int intervalMs);
    void SetScheduleClock(std::function<QDateTime()> clock);
    void SetSearchRoundInterval(int intervalMs) { m_searcher.SetRoundInterval(intervalMs); }
    // 0 brings up one device a turn.
    void SetStartSliceMs(int ms) { m_nStartSliceMs = ms; }

signals:
    void OnDeviceNotify(CHOIDev* pDev, E_DeviceNotify eNotify);
    void signalRefreshGroupList();
    void signalDevChangeForList(CHOIDev* pDev);
    void SignalCurrentDev(CHOIDev* pDev);
    void OnSearchStart();
    void OnSearchStop(int nDevFound, bool bRestoreSceneAfterSearch);
    void OnDevNameChanged(CHOIDev* pCurDev);
    void OnSceneStatusChange(CHOIScene* pScene, E_SceneStatus eStatus);
    void OnDevCmdCompleted(CHOIDev* pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void OnProgressNotify(E_ProgressNotify eNotify, int nProgress);
    void OnProgressLog(QString strLog);
    void OnRestoreScene();
    void OnScheduleExec(CHOIScene* pScene);
    void signalFoundQN714(CHOIDev* pQN714);
    void signalGetIPandVersionQN714(CHOIDev* pQN714);

public slots:
    void EmitProgressLog(const QString& strLog);
    void slotOnDevSendData(CHOIDev* pDev, QByteArray strData, bool bSucceed);
    void slotOnDevRecvData(CHOIDev* pDev, QByteArray strData);
    void slotOnDevCmdCompleted(CHOIDev* pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnStartBroadcast(int nTotal, int iCurrent, QString addr);
    void slotOnSearchStop();
    void slotOnFoundDevice(QString strBroadcastAddr, QByteArray strIpAddr, QByteArray strHostName,
                           QByteArray strStatus);
    void slotOnDevReadParam(CHOIDev* pDev, QByteArray strParamName, QByteArray strParamValue,
                            E_CommResult eResult);
    void slotOnSceneDestroy(QObject* pObject);
    void slotOnCheckOnLine();
    void slotOnCheckSchedule();

public:
    // Read and written directly by the windows and the project files.
    QList<T_ScheduleInfo*> m_scheduleList;                 // owned
    int m_nListOrTree = 0;                                 // "listortree" of "list.xml"
    int m_nIsPrompt = 0;                                   // "isprompt"
    int m_nIsWelcome = 0;                                  // "iwelcome"
    QString m_strCurFilePath;                              // "filepath": current project
    bool m_bCustomMulticastIP = false;                     // "custom_multicast_ip"
    QMap<QString, QString> m_mapLayoutWithoutRx;

private:
    // Product lookups and the null-device walk of the feature queries.
    typedef bool (*ProdTest)(const T_ProdIdInfo&);
    bool QueryFeature(CHOIDev* pDev, ProdTest test) const;
    // Steps of LoadProdConfig: the console's switches on the root element,
    // and the "tx" and "video_wall" ids of each product to its records.
    void ReadProdConfigFlags(const QXmlStreamAttributes& attrs);
    void ResolveProdSets();
    // Moves every device, layout and video wall of group from to group to.
    void ReplaceGroupName(const QString& from, const QString& to);
    void ConnectScene(CHOIScene* pScene);
    void DeleteDevs(QList<CHOIDev*>& list, bool bNow);
    void ClearAllImpl(bool bNow);

    // Search helpers.
    void ClearFoundDevMap(bool bDeleteNow = false);
    void DropFoundDev(CHOIDev* pDev);
    void FinishEmptySearch();
    void CheckReadBackEnd();
    void QueueStartStep(std::function<void()> step);
    void QueueStartStep(CHOIDev* pDev, std::function<void(CHOIDev*)> step);
    void RunStartSteps();
    void CancelStartSteps();
    // With bReadBackFollows a device coming on-line only takes the flag.
    void RefreshOnLine(CHOIDev* pDev, bool bReadBackFollows = false);
    void RefreshControllers();
    // In checks: how seldom a device whose name stays unread is tried.
    int ReadBackMaxGap() const;
    // A quiet read-back's end, or a try that could not be queued.
    void NoteQuietReadBackEnd(CHOIDev* pDev);
    void EndOnLineRefresh(bool bExplicit);
    void StartReadBack(CHOIDev* pDev);
    // The read-back of a found device; false when it cannot be connected.
    // The quiet check's (bQuiet) is nobody else's news.
    bool ReadBackFoundDev(CHOIDev* pDev, bool bQuiet);
    // What a device found for the first time is given before its read-back.
    void AdoptFoundDev(CHOIDev* pDev);
    void ApplyHdcpMap(CHOIDev* pDev, bool bConnect);
    void SetIpcDevsOnLine(CHOIDev* pGateway);
    // Makes a gateway's virtual TX that answered discovery at its own
    // address a device of its own; its record stays in the gateway's list.
    void DetachIpcDev(CHOIDev* pDev);
    void HandleFoundQN714(const QString& hostName, const QByteArray& ip, const QByteArray& status,
                          const T_ProdIdInfo* pProd);
    void RenameResetDev(CHOIDev* pDev);
    bool IsScheduleDue(const T_ScheduleInfo* pInfo, const QDateTime& now) const;
    bool IsListed(const CHOIDev* pDev) const { return m_devList.contains(const_cast<CHOIDev*>(pDev)); }
    const QString& LogStamp();

    QMap<CHOIDev*, T_FoundDevInfo> m_mapFoundDev;
    QMap<QString, bool> m_mapHdcp;
    QList<T_IpmLayoutInfo> m_ipmLayoutList;
    QList<T_MenuHelpInfo> m_menuHelpList;
    QList<T_ProdIdInfo> m_prodList;

    bool m_bIrEnable = false;
    bool m_bRs232Enable = false;
    bool m_bCecEnable = false;
    bool m_bLogEnable = false;
    bool m_bBackupEnable = false;
    bool m_bWindowLayoutEnable = false;
    bool m_bVivLayoutEnable = false;
    bool m_bWPLayoutEnable = false;
    bool m_bLanguageEnable = false;
    bool m_bLogoEnable = false;

    int m_nSearchState = E_SS_IDLE;
    bool m_bQuiet = false;
    int m_nReadCompletedCount = 0;
    // Devices of the found-device map whose read-back has been counted, so
    // that a second completion of one device cannot end a search early.
    QSet<CHOIDev*> m_readDoneSet;
    QString m_strDefaultFilePath;
    QDeviceSearcher m_searcher;
    bool m_bRestoreSceneAfterSearch = true;
    bool m_bQN714Found = false;
    QList<CHOIDev*> m_devList;                 // owned
    mutable QHash<QString, CHOIDev*> m_hostNameIndex; // of m_devList, see FindDevByHostName
    QList<CHOIScene*> m_sceneList;             // owned
    QTimer m_onLineTimer;
    QTimer m_firstOnLineTimer;
    QTimer m_scheduleTimer;
    QStringList m_locationList;
    QList<T_GroupInfo*> m_groupList;           // owned
    QList<CHOIScene*> m_videoWallList;         // owned
    QList<CHOIDev*> m_qn714List;               // owned
    QList<CHOIDev*> m_foundQN714List;          // the same objects as in m_devList
    QList<CHOIDev*> m_removedQN714List;        // owned copies of deleted controllers
    QStringList m_resetHostNames;

    QString m_strTxLdy;
    QString m_strTxLdn;
    QString m_strRxLdy;
    QString m_strRxLdn;
    QString m_strConfigFilePath;

    int m_nOnLineInterval = E_ONLINE_INTERVAL;
    // What the end of a search does per device, a slice of it per turn of
    // the event loop; dropped whenever the found-device map is emptied.
    std::deque<std::function<void()>> m_startSteps;
    QTimer m_startStepTimer;
    int m_nStartSliceMs = E_START_SLICE_MS;
    // The time stamp of the log lines, formatted once per second.
    qint64 m_nLogStampSecs = -1;
    QString m_strLogStamp;
    std::function<QDateTime()> m_scheduleClock;

    // Project files, summary, virtual TX lists
public:
    // Saves the whole installation; the previous file stays whole when
    // writing fails. Fills m_mapLayoutWithoutRx on success.
    bool ExportDevInfoFile(const QString& path);
    // Adds what the project file holds; false for a file that cannot be
    // read, is damaged or is no project, and then nothing is added.
    bool ImportDevInfoFile(const QString& path);
    // Whether ImportDevInfoFile would accept the file (readable, well-formed,
    // root "hoi", nested no deeper than the format), without touching the
    // manager. Callers check before they empty the manager, so a bad file
    // costs nothing that is open.
    static bool CheckDevInfoFile(const QString& path);
    // The text summary for people to read (tab-separated, CR LF lines).
    bool ExportSceneInfoFile(const QString& path);
    // Reads the virtual TX list file of every gateway; always true.
    bool LoadIpcConfig();
    // "10.0.1.20" gives " 10.  0.  1. 20".
    static QString PadIPAddress(const QString& addr);

private:
    // The check of CheckDevInfoFile and ImportDevInfoFile: reads the whole
    // document without acting on it; false (with a warning naming path) for
    // a damaged one or a root other than "hoi".
    static bool CheckProjectStream(QIODevice* pData, const QString& path);
    // Nesting of the format's deepest element; a document nested deeper
    // is damaged.
    static int ProjectFormatDepth();

    void WriteDevItem(CHOIDev* pDev, QXmlStreamWriter& xml);
    bool WriteSceneItem(CHOIScene* pScene, QXmlStreamWriter& xml);
    bool WriteWSceneItem(CHOIScene* pScene, QXmlStreamWriter& xml);
    bool WriteVWLayoutItem(CHOIScene* pScene, QXmlStreamWriter& xml);
    bool WriteMSceneItem(CHOIDev* pDev, QXmlStreamWriter& xml);
    void WriteVideoWallsSection(QXmlStreamWriter& xml, QMap<QString, QString>& layoutsWithoutRx);
    static void WriteScheduleItem(QXmlStreamWriter& xml, const T_ScheduleInfo* pInfo);
    void WriteGroupItem(const QString& group, bool bDevForm, QXmlStreamWriter& xml) const;
    void WriteLayoutAttributes(CHOIScene* pScene, QXmlStreamWriter& xml) const;
    void WriteMSceneWindows(CHOIDev* pDev, const T_IpmLayoutInfo& layout, QXmlStreamWriter& xml) const;

    // The reader's steps: indexes up, one reader per section of the file,
    // indexes down.
    struct T_ProjectReadState;
    void BeginProjectLoad();
    bool ReadProjectElements(QXmlStreamReader& xml);
    void ReadDevicesElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state);
    void ReadLayoutsElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state);
    void ReadMultiviewElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state);
    void ReadVideoWallsElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state);
    // The links between devices that a device item names by name.
    void ResolveDevLinks(const T_ProjectReadState& state);
    void EndProjectLoad();

    CHOIDev* ReadDevItem(QXmlStreamReader& reader);
    void ReadDevParamItem(QXmlStreamReader& reader, CHOIDev* pDev);
    CHOIScene* ReadSceneItem(QXmlStreamReader& reader);
    CHOIScene* ReadWindowSceneItem(QXmlStreamReader& reader);
    CHOIScene* ReadVivSceneItem(QXmlStreamReader& reader);
    CHOIScene* ReadLayoutItem(QXmlStreamReader& reader, int kind);
    void ReadSceneGroupItem(QXmlStreamReader& reader, CHOIScene* pScene);
    CHOIDev* ReadMSceneItem(QXmlStreamReader& reader);
    CHOIScene* ReadVideoWallItem(QXmlStreamReader& reader);
    CHOIScene* ReadWPLayoutItem(QXmlStreamReader& reader, CHOIScene* pWall);
    T_ScheduleInfo* ReadScheduleItem(QXmlStreamReader& reader);
    void ReadCellLink(QXmlStreamReader& reader, CHOIScene* pScene, bool bWithTx, CHOIScene* pWallOfCell);
    void SetWallGroup(CHOIScene* pWall, const QString& group);
    CHOIDev* FindLoadedDev(const QString& hostName) const;
    CHOIScene* FindLoadedWall(const QString& name) const;
    void NoteLoadedWall(CHOIScene* pWall);
    void NoteLoadedScene(CHOIScene* pScene);
    void SetLoadedDevToSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName);

    // While a project is read: host name to device, wall name to wall and
    // name prefix to layouts (in layout list order), so that loading stays
    // linear in the size of the file.
    QHash<QString, CHOIDev*> m_loadDevIndex;
    QHash<QString, CHOIScene*> m_loadWallIndex;
    QHash<QString, QList<CHOIScene*>> m_loadSceneIndex;
    // While a project is written: the devices of the device list.
    QSet<CHOIDev*> m_saveDevSet;
};

// The one manager of the run; set by the entry routine before anything else.
extern CHOIDevMgr* g_pHOIDevMgr;

#endif
