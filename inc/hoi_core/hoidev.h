#ifndef HOI_CORE_HOIDEV_H
#define HOI_CORE_HOIDEV_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <functional>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoirecords.h"
#include "hoi_core/hoitypes.h"
#include "hoi_core/prodidinfo.h"

class CHOIDevMgr;
class CHOIScene;
class CBaseComm;
class CIrCodeTable;

// One device of the installation: identity, addresses, cached parameters and
// its command link. Every device function becomes shell lines queued on the
// link; the end of each queue is reported once by OnCmdCompleted.
//
// The manager creates and owns every device; everyone else holds raw
// pointers. The data members are public because the manager, the project
// reader and writer and the windows read and fill them directly.
class CHOIDev : public QObject
{
    Q_OBJECT

public:
    enum DevType {
        E_DT_UNKNOWN = 0,
        E_DT_TX = 1,
        E_DT_RX = 2,
        E_DT_MRX = 3,
        E_DT_WP = 4,
        E_DT_GW = 5,
        E_DT_QN714 = 6, // the IP controller
        E_DT_ALL = 7,
    };
    Q_ENUM(DevType)

    enum CommType {
        E_CT_TELNET = 0,
    };
    Q_ENUM(CommType)

    enum IPMode {
        E_IM_AUTOIP = 0,
        E_IM_DHCP = 1,
        E_IM_STATIC = 2,
    };
    Q_ENUM(IPMode)

    enum BaudRateType {
        BAUD50 = 50,
        BAUD75 = 75,
        BAUD110 = 110,
        BAUD134 = 134,
        BAUD150 = 150,
        BAUD200 = 200,
        BAUD300 = 300,
        BAUD600 = 600,
        BAUD1200 = 1200,
        BAUD1800 = 1800,
        BAUD2400 = 2400,
        BAUD4800 = 4800,
        BAUD9600 = 9600,
        BAUD19200 = 19200,
        BAUD38400 = 38400,
        BAUD57600 = 57600,
        BAUD115200 = 115200,
        BAUD230400 = 230400,
    };
    Q_ENUM(BaudRateType)

    // The character codes of the letters used in "115200-8n1".
    enum ParityType {
        PAR_NONE = 110, // 'n'
        PAR_ODD = 111,  // 'o'
        PAR_EVEN = 101, // 'e'
    };
    Q_ENUM(ParityType)

    CHOIDev(CHOIDevMgr *pOwner, DevType eType, const QString &strParamPrefix, bool bOldApi,
            CommType eCommType, QObject *parent = nullptr);
    ~CHOIDev() override;

    // ---- connection and completion ----
    // One connection attempt; creates the link when there is none.
    bool ConnectComm();
    // The rule every sender applies before queuing: true means go ahead.
    bool EnsureConnected();
    // False for a gateway's virtual TX, which has no address of its own: it
    // never connects and is given no lines.
    bool HasOwnLink() const;
    bool OpenCommAltPort();
    QString GetDisplayName() const;
    // Closes the link quietly (no completion arrives for it; the queue is
    // kept); always true.
    bool CloseComm();
    // Drops the lines queued on the link, and those a promptless link wrote
    // whose end is still on its way, with the connection attempt and the
    // retries that would bring them up. Whoever waits on them learns at
    // once that they failed: the end of the queue, with E_CR_FAILED, and
    // nothing after it. False when nothing was pending.
    bool ClearSendQueue();
    // fnQueue queues lines; fnEnd is told how the queue's next end came out,
    // whatever ended it (answer, time-out, drop), at most once. Listens from
    // before the lines go: a link that gives up at once ends inside fnQueue.
    // Returns what fnQueue returned; after false nothing more is told.
    bool WatchQueueEnd(const std::function<bool()> &fnQueue,
                       const std::function<void(CHOIDev *, E_CommResult)> &fnEnd);
    // Only tests shorten it; the default is 3000 ms.
    void SetRetryInterval(int msecs) { m_nRetryInterval = msecs; }
    int GetRetryInterval() const { return m_nRetryInterval; }
    CBaseComm *GetComm() const { return m_pComm; }

    // ---- command senders ----
    bool SendParamSet(const QString &strName, const QString &strValue, bool bConnect = true);
    bool SendParamSetInt(const QString &strName, int nValue, bool bConnect = true);
    bool SendParamSetEncoded(const QString &strName, const QString &strValue, bool bConnect = true);
    // Queues "<prefix>set -<option> <extra> <value>".
    bool SendSetCmd(const QString &strOption, const QString &strValue, QString strExtra,
                    bool bConnect = true);
    bool ApplyMultiView(const QString &strWindows, bool bConnect = true);
    bool ApplyMultiViewAudioSeparate(const QString &strText, bool bConnect = true);
    // Queues gbparam s user_audio_mode "<layout> <mode> <display>".
    bool ApplyUserAudioMode(const QString &strLayout, const QString &strMode, const QString &strDisplay);
    bool SendCmd(const QString &strCmd);
    // Operator text placed inside double quotes on a root shell line: the
    // device program must receive exactly what was typed, and nothing may
    // run.
    static QString QuoteForShell(const QString &strText);
    bool SendConfigCmd(const QString &strOption, bool bConnect = true);
    bool PushSendData(const char *data, bool bAddCRLF, bool bConnect = true);
    bool SendOsdOnOff(bool bOn, const QString &strText);
    bool SendSerialMsg(const QString &strMsg, bool bHex, bool bAddCRLF, uint nBaudRate,
                       uint nDataBits, char cParity, uint nStopBits);
    bool SendCecPower(bool bOn);
    bool ApplyEncBackupInfo(const QString &strInfo);
    bool ApplyDelayPlay(const QString &strValue);
    bool QueryDelayPlay();
    bool ApplyMaxEncRes(const QString &strValue);
    bool ApplyAudioDelay(const QString &strValue);
    bool QueryAudioDelay();
    bool ApplyLineOutMute(bool bMute);
    bool ApplyHdmiOutAudioMute(bool bMute);
    bool QueryLineOutMute();
    bool QueryBackgroundImageDisplay();
    bool QueryPngOverlayEnable();
    bool ApplyBackgroundImageDisplay(bool bOn);
    bool ApplyPngOverlayEnable(bool bOn);
    bool QueryOsdDisplay();
    bool QueryOsdDisplayMethod();
    bool ApplyOsdDisplay(bool bOn);
    bool ApplyOsdDisplayMethod(const QString &strMethod);
    bool ApplySourceSelect(const QString &strValue);
    bool ApplySinkPower(const QString &strPowerOnCmd, const QString &strStandbyCmd, bool bCec,
                        bool bRs232, bool bHex, uint nBaudRate, uint nDataBits, char cParity,
                        uint nStopBits);
    bool ApplyName();
    // The senders below store what they send as they queue it; with bKeep
    // false they only queue, and the caller keeps the value (Keep...) once
    // the device took it.
    bool SetOptionValue(int nOptionId, const QVariant &value, bool bConnect = true,
                        bool bKeep = true);
    bool KeepOptionValue(int nOptionId, const QVariant &value);
    bool SetVolParam(int nPortType, int nPortIndex, const T_VolParam &volParam,
                     bool bConnect = true, bool bKeep = true);
    bool SetVolParam(int nPortType, int nPortIndex, const T_VolParam *pVolParam,
                     bool bConnect = true, bool bKeep = true);
    bool KeepVolParam(int nPortType, int nPortIndex, const T_VolParam &volParam);

    // ---- network and maintenance ----
    // The field of an IPv4 address set that no device may be given.
    enum E_AddrField {
        E_AF_NONE = 0,
        E_AF_IPADDR,
        E_AF_NETMASK,
        E_AF_GATEWAY,
    };
    // "autoip", "dhcp" or "static", as the device's "ip_mode" and the summary
    // write it; empty for any other value.
    static QString IPModeWord(IPMode eMode);
    // Every address set the network commands send passes here: a host
    // address (not 0.0.0.0, multicast or broadcast), a contiguous mask other
    // than 0.0.0.0 (with bEmptyMask also none at all) and a gateway that is
    // empty, 0.0.0.0 or a host address, all in dotted decimal.
    static E_AddrField CheckIPv4Settings(const QString &strIPAddr, const QString &strNetmask,
                                         const QString &strGateway, bool bEmptyMask = false);
    // ApplyToDev, ApplyIPToDev and ApplyVideoInput, too, store what they
    // send as they queue it, unless bKeep is false.
    bool ApplyIPToDev(IPMode emNewIPMode, const QString &strNewIPAddr,
                      const QString &strNewNetmask, const QString &strNGatway, bool bKeep = true);
    void KeepIPSettings(IPMode eMode, const QString &strIPAddr, const QString &strNetmask,
                        const QString &strGateway);
    // True when every line was queued. Without arguments they send the
    // device's own values; with them, those, storing nothing.
    bool ApplyPreviewSetting();
    bool ApplyPreviewSetting(bool bEnable, int nQualityMode);
    bool ApplyVideoOutputSetting();
    bool ApplyVideoOutputSetting(const T_VideoOutputSetting &setting);
    T_VideoOutputSetting GetVideoOutputSetting() const;
    void SetVideoOutputSetting(const T_VideoOutputSetting &setting);
    bool ApplyVideoInput(const QString &strInput, QString strSecond, const QString &strThird,
                         bool bConnect = true, bool bKeep = true);
    void KeepVideoInput(const QString &strInput, const QString &strSecond, const QString &strThird);
    bool ApplyOutputDip(const QString &strInputName, bool bConnect = true);
    // Sets the HDCP-changed flag as it queues, whatever bKeep says: the
    // search's HDCP list must not undo what the operator sent.
    bool ApplyHdcpEnable(bool bOn, int nConnect = 1, bool bKeep = true);
    // The option and the HDCP flag, once the device took ApplyHdcpEnable.
    void KeepHdcpEnable(bool bOn);
    bool SaveParam();
    bool SendEvent(const QString &strEvent);
    void GetIPandVersionQN714();
    // The factory reset's shell line and the reboot ResetDefault queues
    // right behind it.
    static const char kResetLine[];
    static const char kRebootLine[];

    // ---- replies and cached values ----
    bool GetVolParam(int nPortType, int nPortIndex, T_VolParam *pVolParam) const;
    bool GetOptionValue(int nOptionId, QVariant &value) const;
    bool AddIpcInfo(T_IpcInfo *pInfo);
    bool RemoveIpcInfo(T_IpcInfo *pInfo);
    bool ReplaceIpcInfo(T_IpcInfo *pInfo);
    bool SetIpcAliasName(const QString &strHostName, const QString &strAlias);
    void ClearIpcInfo();
    const QList<T_IpcInfo *> &GetIpcList() const { return m_listIpcInfo; }
    // The virtual TX list file of a gateway.
    bool SaveIpcConfig(const QString &strPath);
    // Replaces the list and its virtual TX devices with the file's; false,
    // changing nothing, for a file that cannot be read, is damaged or holds
    // no list. pLeftOut gets a line for each entry left out of the device
    // list.
    bool LoadIpcConfigFile(const QString &strPath, QStringList *pLeftOut = nullptr);
    // Whether data is a whole virtual TX list, as LoadIpcConfigFile takes it.
    static bool IsIpcConfigData(const QByteArray &data);
    void SetIPMLayoutWindows(const QString &strLayout, const QString &strWindows);
    void SetIPMLayoutAudio(const QString &strLayout, const QString &strMode,
                           const QString &strSource);
    void SetIPMLayoutAudio(const QString &strLayout, T_IpmAudioInfo info);
    void AddIPMLayout(const QString &strLayout, int nSequence);
    void SortIPMLayoutList();
    QList<T_IpmLayoutSeq> GetSortedLayoutList();
    void SetIPMLayoutList(QList<T_IpmLayoutInfo> list) { m_listIPMLayout = list; }
    const QMap<QString, QString> &GetIPMLayoutWindowsMap() const { return m_mapIPMLayoutWindows; }
    QMap<QString, QString> &GetIPMLayoutWindowsMap() { return m_mapIPMLayoutWindows; }
    const QMap<QString, T_IpmAudioInfo> &GetIPMLayoutAudioMap() const { return m_mapIPMLayoutAudio; }
    QMap<QString, T_IpmAudioInfo> &GetIPMLayoutAudioMap() { return m_mapIPMLayoutAudio; }

    // ---- on-line edge ----
    void SetOnLine(bool bOnLine);

    // ---- the read-back of a device whose name is unread ----
    // The one rule for when the on-line check tries it: the name unread, the
    // link idle (no line queued, not connecting, no retry armed) and, after
    // failed tries, a gap of checks that doubles up to nMaxGap. Called once
    // per check that finds the device.
    bool IsQuietReadBackDue(int nMaxGap);
    // UpdateFromDev(true); false when it cannot be queued. The quiet
    // check's try (bQuiet) counts for the gap and goes only onto an empty
    // queue (else it is left for a later check, and true); a search's starts
    // the gap afresh.
    bool ReadBackWhole(bool bQuiet);
    // Only the quiet try's lines are queued: nobody waits on them, so their
    // end and their log lines go to the manager alone. Asked for every line
    // sent and received: the usual answer costs one test.
    bool IsQuietQueue() const { return m_bQuietReadBack && QuietLinesAlone(); }
    int GetQuietFailures() const { return m_nQuietFailures; }

    // ---- identity ----
    // A host name is a model id (letters, digits, '_' and '.'), '-' and 12
    // hexadecimal digits (the host id), optionally ':' and an input number.
    // Host names and ids end up unquoted in other devices' shell lines, so
    // every way a host name comes in refuses any other form.
    static bool IsValidHostName(const QString &strHostName);
    static bool IsValidHostId(const QString &strHostId);
    QString GetDefaultName() const;
    int GetHostIndex() const;
    bool IsSupportOsd();
    bool SendIrCode(CIrCodeTable *pTable, const QString &strCtrlId, const QString &strKeyValue);
    void ResetLocalSettings();

    DevType GetDevType() const { return m_eDevType; }
    const QString &GetName() const { return m_strName; }
    void SetName(const QString &strName);
    // Called before a new alias is set and its line queued: puts the alias
    // (and whether it was unread) back when the device's next queue ends in
    // a failure, also once the window that set it is closed. A rename before
    // that end joins the one waiting, whose end speaks for its line too:
    // null is returned then. Deleting the watch returned keeps the alias.
    QObject *RollBackNameOnFailure();
    const QString &GetHostName() const { return m_strHostName; }
    void SetHostName(const QString &strHostName, bool bSetHostId = false);
    QString GetHostNamePrefix() const;
    const QString &GetMacId();
    const QString &GetTypeName() const { return m_strTypeName; }
    const QString &GetIrDevName() const { return m_strIrDev; }
    void SetIrDevName(const QString &strName);
    const QString &GetIrDev() const { return m_strIrDev; }
    void SetIrDev(const QString &strId) { m_strIrDev = strId; }
    const QString &GetSinkInfo() const { return m_strSinkInfo; }
    const QString &GetEdid() const { return m_strEdid; }
    int GetSequence() const { return m_nSequence; }
    void SetSequence(const int &nSequence);
    IPMode GetIPMode() const { return m_eIPMode; }
    const QString &GetIPAddr() const { return m_strIPAddr; }
    const QString &GetNetmask() const { return m_strNetmask; }
    const QString &GetGateway() const { return m_strGateway; }
    const QString &GetIPAddr2() const { return m_strIPAddr2; }
    const QString &GetNetmask2() const { return m_strNetmask2; }
    const QString &GetGateway2() const { return m_strGateway2; }
    void SetIPAddr(const QString &strAddr);
    void SetNetmask(const QString &strAddr);
    void SetGateway(const QString &strAddr);
    void SetIPAddr2(const QString &strAddr);
    void SetNetmask2(const QString &strAddr);
    void SetGateway2(const QString &strAddr);
    const QString &GetEthAddr() const { return m_strEthAddr; }
    const QString &GetVersion() const { return m_strVersion; }
    const QString &GetVideoIP() const { return m_strVideoIP; }
    const QString &GetIPMMultiView() const { return m_strIPMMultiView; }
    void SetIPMMultiView(const QString &strValue);
    const QString &GetUserAudioMode() const { return m_strUserAudioMode; }
    void SetUserAudioMode(const QString &strValue);

    const QString &GetForceResolution() const { return m_strForceResolution; }
    void SetForceResolution(const QString &strValue);
    const QString &GetCvbsResolution() const { return m_strCvbsResolution; }
    void SetCvbsResolution(const QString &strValue);
    const QString &GetHdmiResolution() const { return m_strHdmiResolution; }
    void SetHdmiResolution(const QString &strValue);
    const QString &GetDviDResolution() const { return m_strDviDResolution; }
    void SetDviDResolution(const QString &strValue);
    const QString &GetVgaResolution() const { return m_strVgaResolution; }
    void SetVgaResolution(const QString &strValue);
    const QString &GetYPbPrResolution() const { return m_strYPbPrResolution; }
    void SetYPbPrResolution(const QString &strValue);
    const QString &GetMultiScreenVgaResolution() const { return m_strMultiScreenVgaResolution; }
    void SetMultiScreenVgaResolution(const QString &strValue);
    const QString &GetMaxResolution() const { return m_strMaxResolution; }
    void SetMaxResolution(const QString &strValue);
    const QString &GetVoMode() const { return m_strVoMode; }
    void SetVoMode(const QString &strValue);
    const QString &GetColorSpace() const { return m_strColorSpace; }
    void SetColorSpace(const QString &strValue);
    const QString &GetOverlayPosH() const { return m_strOverlayPosH; }
    void SetOverlayPosH(const QString &strValue);
    const QString &GetOverlayPosV() const { return m_strOverlayPosV; }
    void SetOverlayPosV(const QString &strValue);
    const QString &GetOsdDisplayMethod() const { return m_strOsdDisplayMethod; }
    void SetOsdDisplayMethod(const QString &strValue);
    const QString &GetLocation() const { return m_strLocation; }
    void SetLocation(const QString &strValue);
    const QString &GetGroup() const { return m_strGroup; }
    void SetGroup(const QString &strValue) { m_strGroup = strValue; }
    const QString &GetOutputDip() const { return m_strOutputDip; }
    void SetOutputDip(const QString &strValue);
    int GetHwDipEnable() const { return m_nHwDipEnable; }
    void SetHwDipEnable(int nValue);
    bool GetHdcpEnable() const { return m_bHdcpEnable; }
    void SetHdcpEnable(int nValue) { m_bHdcpEnable = (nValue != 0); }

    bool GetHdcpAlwaysOn() const { return m_bHdcpAlwaysOn; }
    void SetHdcpAlwaysOn(bool bValue) { m_bHdcpAlwaysOn = bValue; }
    bool GetHdcpAlwaysOn22() const { return m_bHdcpAlwaysOn22; }
    void SetHdcpAlwaysOn22(bool bValue) { m_bHdcpAlwaysOn22 = bValue; }
    bool GetPreviewEnable() const { return m_bPreviewEnable; }
    void SetPreviewEnable(bool bValue) { m_bPreviewEnable = bValue; }
    bool GetTurnOffScreenOnPwrSave() const { return m_bTurnOffScreenOnPwrSave; }
    void SetTurnOffScreenOnPwrSave(bool bValue) { m_bTurnOffScreenOnPwrSave = bValue; }
    int GetVideoQualityMode() const { return m_nVideoQualityMode; }
    void SetVideoQualityMode(int nValue) { m_nVideoQualityMode = nValue; }
    int GetSrcUnavailableTimeout() const { return m_nSrcUnavailableTimeout; }
    void SetSrcUnavailableTimeout(int nValue) { m_nSrcUnavailableTimeout = nValue; }
    int GetSoipType2TokenTimeout() const { return m_nSoipType2TokenTimeout; }
    void SetSoipType2TokenTimeout(int nValue) { m_nSoipType2TokenTimeout = nValue; }
    int GetVwStretchType() const { return m_nVwStretchType; }
    void SetVwStretchType(int nValue) { m_nVwStretchType = nValue; }
    int GetVwRotate() const { return m_nVwRotate; }
    void SetVwRotate(int nValue) { m_nVwRotate = nValue; }
    QString GetOutputTimingConvert() const { return m_strOutputTimingConvert; }
    void SetOutputTimingConvert(QString strValue) { m_strOutputTimingConvert = strValue; }
    QString GetS0Baudrate() const { return m_strS0Baudrate; }
    void SetS0Baudrate(QString strValue) { m_strS0Baudrate = strValue; }

    CHOIDev *GetTXDev() const;
    void SetTXDev(CHOIDev *pTx);
    CHOIDev *GetParentDev() const { return m_pParentDev; }
    QString GetParentHostName() const { return m_strParentHostName; }
    CHOIScene *GetVideoWall() const { return m_pVideoWall; }
    void SetVideoWall(CHOIScene *pWall) { m_pVideoWall = pWall; }

    QString GetVideoInputName() const;
    QString GetVideoInputResolution() const;

signals:
    void OnCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    // The end of a queue that held only the quiet read-back's lines.
    void OnQuietReadBackEnd(CHOIDev *pDev);
    void OnReadParam(CHOIDev *pDev, QByteArray strParamName, QByteArray strParamValue,
                     E_CommResult eResult);
    void OnSendData(CHOIDev *pDev, QByteArray strData, bool bSucceed);
    void OnRecvData(CHOIDev *pDev, QByteArray strData);
    void OnProgressLog(QString strLog);
    void OnNameChanged(CHOIDev *pDev);
    void OnGetMuteSettings(QString strCmd);
    void OnGetAudioDelaySettings(QString strCmd);
    void OnGetMapSettings(QString strCmd);
    void OnGetOverlaySettings(QString strCmd);
    void OnGetOSDSettings(QString strCmd);

public slots:
    bool ResetDefault();
    bool ResetEdid();
    bool Reboot();
    bool QN714Reboot();
    bool UpdateFromDev(bool isGetName);
    bool UpdateFromDev();
    bool ApplyToDev(IPMode emNewIPMode, QString strNewIPAddr, QString strNewNetmask,
                    QString strNGatway, bool bKeep = true);
    bool ApplyToQN714IP1(QString strNewIPAddr, QString strNewNetmask, QString strNGatway);
    bool ApplyToQN714IP2(QString strNewIPAddr, QString strNewNetmask, QString strNGatway);
    void slotOnGetMuteStatus(QByteArray strCmd);
    void slotOnGetDevVersion(QByteArray strCmd);
    void slotOnGetDueGeteway(QByteArray strCmd);
    void slotOnGetDueMasknet(QByteArray strCmd);
    void slotOnGetIPMMultiView(QByteArray strCmd);
    void slotOnGetStreamIP(QByteArray strCmd);
    void slotOnGetQN714IP(QByteArray strCmd);
    void slotOnGetQN714IP2(QByteArray strCmd);
    void slotOnGetQN714Version(QByteArray strCmd);
    void slotOnGetSinkPower(QByteArray strCmd);
    bool ApplyColorSpace(QString strValue);
    void slotConnectToDev();
    void slotOnDevDisconnect();
    void slotOnDevConnect();
    void slotOnSendQueueReturn(E_CommResult eResult);
    void slotOnIrSendQueueReturn(E_CommResult eResult);
    void slotOnReadParam(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult);

public:
    // ---- data, in the order the device model lists them ----
    CHOIDevMgr *m_pOwner;
    QString m_strParamPrefix; // the product's "param_prefix"
    bool m_bOldApi;           // the product's "old_api"
    DevType m_eDevType;
    QString m_strName; // alias; device parameter "name"
    // The console holds no name of this device's own (one found first, or
    // detached from a gateway, whose name has not been read yet): no line
    // writes its default name over the one it stores, and the on-line check
    // reads it back. Cleared by the device's answer or a name given to it.
    bool m_bNameUnread = false;
    QString m_strIrDev;
    QString m_strScene;
    CommType m_eCommType;
    QString m_strEthAddr;
    QString m_strSerial;
    QString m_strHostName;
    QString m_strHostId; // the 12 hexadecimal digits of the host name
    QString m_strStatus; // status text of the last discovery reply
    IPMode m_eIPMode;
    QString m_strIPAddr;
    QString m_strNetmask;
    QString m_strGateway;
    QString m_strIPAddr2;
    QString m_strNetmask2;
    QString m_strGateway2;
    QString m_strMulticastIP;
    QString m_strChSelect;
    QString m_strSourceInfo;
    QString m_strSinkInfo;
    QString m_strEdid;
    QString m_strVideoIP;
    QString m_strAudioIP;
    QString m_strVideoInput; // "vi": input:second:resolution
    QString m_strAudioInput; // "ai"
    QString m_strVideoOutput; // "vo"
    QString m_strForceResolution; // "fvo"
    QString m_strHdmiResolution;
    QString m_strCvbsResolution;
    QString m_strOutputDip; // DVI-I output type
    QString m_strDviDResolution;
    QString m_strVgaResolution;
    QString m_strYPbPrResolution;
    QString m_strMultiScreenVgaResolution;
    int m_nHwDipEnable;
    QString m_strVoMode; // "low delay" or "high quality video"
    QString m_strMaxResolution;
    QString m_strOverlayPosH;
    QString m_strOverlayPosV;
    QString m_strColorSpace;
    bool m_bHdcpEnable;
    bool m_bHdcpAlwaysOn;
    bool m_bHdcpAlwaysOn22;
    QString m_strOutputTimingConvert;
    bool m_bTurnOffScreenOnPwrSave;
    int m_nSrcUnavailableTimeout;
    QString m_strS0Baudrate;
    int m_nSoipType2TokenTimeout;
    int m_nVwStretchType;
    int m_nVwRotate;
    bool m_bPreviewEnable;
    int m_nVideoQualityMode;
    int m_nMaxRetryCount;
    int m_nRetryCount;
    QTimer m_retryTimer; // runs slotConnectToDev (not connected for the IP controller)
    CBaseComm *m_pComm;  // owned
    bool m_bOnLine;
    bool m_bHdcpChanged;
    // The search's HDCP list: its line queued and not ended yet; its last
    // try failed (the on-line check then opens no link for it again).
    bool m_bHdcpListQueued = false;
    bool m_bHdcpListFailed = false;
    int m_nSinkPowerMode;
    QMap<QString, QVariant> m_mapOptions; // "--name" (or an audio port key) to value
    QString m_strEdidPath;
    QString m_strLocation;
    QString m_strGroup;
    int m_nSequence;
    CHOIScene *m_pVideoWall;
    CHOIDev *m_pTXDev;
    CHOIDev *m_pParentDev;
    QString m_strParentHostName;
    QString m_strVersion;
    QString m_strTypeName;
    QString m_strIPMMultiView;
    QString m_strUserAudioMode;
    QMap<QString, QString> m_mapIPMLayoutWindows;
    QMap<QString, T_IpmAudioInfo> m_mapIPMLayoutAudio;
    QList<T_IpmLayoutInfo> m_listIPMLayout;
    QList<T_IpmLayoutSeq> m_listIPMLayoutSeq;
    QString m_strOsdDisplayMethod;
    QList<T_IpcInfo *> m_listIpcInfo; // owned

private:
    QString CommandPrefix() const;
    // The link a sender queues on, or null when it may not queue.
    CBaseComm *QueueLink(bool bConnect);
    // Always tries to connect; with bConnect a failed try gives null.
    CBaseComm *TryLink(bool bConnect);
    // Connected, or brought up now; null when it cannot be.
    CBaseComm *LiveLink();
    bool QueueGbconfig(const QString &strArgs);
    bool ParamSet(const QString &strName, const QString &strValue, bool bConnect);
    // False for an empty name, which would erase the one the device keeps,
    // and for any name while its own is unread.
    bool CanWriteName(const QString &strName) const;
    // Connection attempts a queue gets before it is given up.
    int AttemptLimit() const;
    // Every queue end: to the manager alone when only the quiet read-back
    // was queued, else to everyone.
    void EndQueue(E_CommResult eResult);
    // The queue dropped and its end reported failed.
    void DropQueue();
    // A log line of the link's, left out while the queue is quiet.
    void LinkLog(const QString &strLine);
    bool QuietLinesAlone() const;
    bool QueueLine(const QString &strLine, bool bConnect);
    void ConnectToDev(bool bFromTimer);
    // slotOnReadParam's steps: each stores the replies of its kind and says
    // whether the name was one of them.
    void ForgetParam(const QByteArray &name);
    bool StoreFieldParam(const QByteArray &name, const QString &value);
    bool StoreIdentityParam(const QByteArray &name, const QByteArray &rawValue);
    bool StoreVideoParam(const QByteArray &name, const QString &value);
    bool EmitSettingsParam(const QByteArray &name, const QString &value);
    void StoreResolution(const QString &value);
    void SetAddrField(QString &field, const QString &strAddr);
    // ApplyToDev and ApplyIPToDev: checks, then with bName the name line and
    // with bAddr the saved address parameters; with bKeep the new values are
    // kept.
    bool WriteIPSettings(IPMode eMode, const QString &strIPAddr, const QString &strNetmask,
                         const QString &strGateway, bool bName, bool bAddr, bool bKeep);
    // ApplyToQN714IP1/2: strKey names the port's address setting.
    bool SendQN714Addr(const QString &strKey, const QString &strIPAddr, const QString &strNetmask,
                       const QString &strGateway);

    int m_nRetryInterval;
    bool m_bInAttempt = false; // ConnectToDev's connection attempt under way
    bool m_bQuietReadBack = false; // the on-line check's try is queued
    bool m_bQuietQueuing = false;  // its lines are being queued
    quint32 m_nQuietMark = 0;      // the link's push count after them
    int m_nQuietFailures = 0;      // tries in a row that left the name unread
    int m_nQuietChecks = 0;        // checks since the last try
};

#endif
