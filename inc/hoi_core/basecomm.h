#ifndef HOI_BASECOMM_H
#define HOI_BASECOMM_H

#include <QBasicTimer>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QLoggingCategory>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QTimer>

// The links' per-line diagnostics (each line sent and received, the reply
// checker, the values read, the resynchronisation datagrams). Off unless
// asked for (QT_LOGGING_RULES="hoi.link.debug=true"): with many devices,
// formatting them would cost more than the lines themselves.
Q_DECLARE_LOGGING_CATEGORY(lcHoiLink)

// Outcome of a command queue or of one value read. 2 is never produced.
enum E_CommResult {
    E_CR_SUCCESS = 0,         // queue drained, value read
    E_CR_FAILED = 1,          // write failed, password refused, link lost, name unknown
    E_CR_CONNECT_TIMEOUT = 3, // time-out while still connecting
    E_CR_TIMEOUT = 4          // no reply in time
};
Q_DECLARE_METATYPE(E_CommResult)

// The transport-independent half of a device's command link: queue, login and
// prompt rules, Telnet option answers, reply checker and reply recognition.
class CBaseComm : public QObject
{
    Q_OBJECT

public:
    CBaseComm(const QString &paramPrefix, const QString &hostIndex, QObject *parent = nullptr);
    ~CBaseComm() override;

    virtual bool OpenComm() = 0;
    virtual bool CloseComm();
    virtual bool IsConnecting() = 0;
    virtual void AbortConnect() = 0;
    virtual bool IsConnected() = 0;
    virtual bool WaitForConnected(int msecs) = 0;
    virtual bool SendData(const QByteArray &data, bool bAddCRLF);

    virtual bool ReadParam(const QString &name, int mode);
    virtual bool WriteParam(const QString &name, const QString &value);
    virtual bool SendCmd(const QString &text);
    virtual bool SaveParam();
    virtual bool SendEvent(const QString &event);
    virtual bool SendOsd(bool on, const QString &text);
    virtual bool GetValue(const QString &a, const QString &b);
    virtual bool GetOption(const QString &name);
    virtual bool SendCmdLatin1(const QString &text);
    virtual bool SetOption(const QString &option, const QString &value, const QString &extra);
    virtual bool ShowConfig(const QString &name);
    virtual bool SendConfig(const QString &text);
    virtual bool SetVideoInput(const QString &value);

    virtual bool PushSendData(const QByteArray &data, bool bAddCRLF);
    virtual void ClearSendQueue();
    int GetSendQueueCount() const { return m_sendQueue.size(); }
    // Lines queued, or written on a promptless link whose end is on its way.
    bool HasLinesPending() const { return !m_sendQueue.isEmpty() || m_endScheduled; }
    // Lines queued since the link was made: tells an owner whether anyone
    // queued after it.
    quint32 GetPushCount() const { return m_pushCount; }

    virtual bool ReadTmpfsFile();
    virtual bool ReadStreamIP();
    virtual bool ShowLowDelay();
    virtual bool SetMultiView(const QString &text);
    virtual bool SetMultiViewAudioSeparate(const QString &text);

    virtual void OnReceiveData(const QByteArray &data);
    virtual bool WriteRaw(const QByteArray &data, bool bAddCRLF) = 0;

    void CheckSendNext();
    void StartTimeOutChecker(int msecs);
    void RestartTimeOutChecker();
    void StopTimeOutChecker();
    bool IsTimeOutCheckerRunning() const { return m_checkerArmed; }

    // The owner names the EDID file under /var/tmpfs/ before it queues ReadTmpfsFile.
    void SetTmpfsFile(const QString &name) { m_tmpfsFile = name; }
    QString GetTmpfsFile() const { return m_tmpfsFile; }

    // A link without login and prompt (the IP controller's line API): ready
    // once connected, each line done once written, no reply awaited. Its
    // lines may end in LF alone, and its last one may not end at all: that
    // one is taken once the link has been quiet for the quiet interval.
    void SetPromptless(bool promptless) { m_promptless = promptless; }
    // Tests only: how long a promptless link waits for the end of a line.
    void SetQuietInterval(int msecs) { m_quietInterval = msecs; }

    // Tests only: the reply time-out started after every write.
    void SetCheckerInterval(int msecs) { m_checkerInterval = msecs; }
    int GetCheckerInterval() const { return m_checkerInterval; }

    static const int kDefaultCheckerInterval = 15000;
    static const int kDefaultQuietInterval = 300;
    static const int kMaxLineLength = 1024;
    static const int kMaxReplyLength = 65536;

signals:
    void OnConnected();
    void OnDisconnected();
    void OnSendQueueReturn(E_CommResult eResult);
    void OnNodelistEnd();
    void OnSendData(QByteArray strData, bool bSucceed);
    void OnRecvData(QByteArray strData);
    void OnListDevice(QByteArray strIpAddr, QByteArray strHostName, QByteArray strStatus);
    void OnReadParam(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult);
    void OnReadOption(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult);
    void OnReadConfig(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult);
    void OnExecResult(QByteArray strCmd, QByteArray strResult);
    void OnGetMuteStatus(QByteArray strCmd);
    void OnGetDevVersion(QByteArray strCmd);
    void OnGetDueGeteway(QByteArray strCmd);
    void OnGetDueMasknet(QByteArray strCmd);
    void OnGetIPMMultiView(QByteArray strCmd);
    void OnGetStreamIP(QByteArray strCmd);
    void OnGetQN714IP(QByteArray strCmd);
    void OnGetQN714IP2(QByteArray strCmd);
    void OnGetQN714Version(QByteArray strCmd);
    void OnGetSinkPower(QByteArray strCmd);

public slots:
    void slotOnCheckerTimeOut();
    void slotOnSendFailed();

private slots:
    void slotOnCheckerTick();
    void slotOnLinkUp();

protected:
    void timerEvent(QTimerEvent *event) override;
    void DueReceiveLine(const QByteArray &line);
    bool CheckIsParamOrReadyRead(const QByteArray &line);
    bool CheckIsOptionOrReadyRead(const QByteArray &line);
    bool CheckIsConfigOrReadyRead(const QByteArray &line);
    // A prompt counts the shell as ready and stops the reply checker; true
    // when it also ends the read of the name given.
    bool EndsNamedRead(const QByteArray &line, const char *prompt, const QByteArray &name);

    // Connection-loss reports of the transport go through here, so that a
    // failed write that already lost the link is not reported a second time.
    void ReportLinkFailure(E_CommResult eResult);
    // The transport calls it when the peer closes, before the close clears
    // what was received.
    void TakeRestBeforeClose();
    // The link's own failures (reply time-out, failed write, refused login)
    // close it and report once themselves; the disconnection that the close
    // causes is no news to the owner.
    void CloseOnFailure();
    void FailAndClose(E_CommResult eResult);

    QString m_hostIndex;
    QString m_paramPrefix;
    // The echoes are looked for in every line: kept as bytes, converted once.
    QByteArray m_readParamEcho;  // " # %1param g %2"
    QByteArray m_readOptionEcho; // " # %1get "
    QString m_showConfigCmd;     // "%1config --show"
    QByteArray m_readConfigEcho; // " # %1 " with the config-show command
    QString m_user;
    QString m_password;
    QByteArray m_recvBuffer;
    QByteArray m_lastLine;
    QByteArray m_curCmd;
    quint32 m_readyCount = 0;
    QByteArray m_paramName;
    QByteArray m_optionName;
    QByteArray m_configName;
    QList<QByteArray> m_sendQueue;
    quint32 m_pushCount = 0;
    bool m_inNodeList = false;
    // The reply checker is started at every write and stopped at every
    // prompt. Restarting a timer costs in proportion to the number of timers
    // (one per device), so m_checker keeps running: a write only moves the
    // deadline and a prompt only disarms it; when it fires before the
    // deadline it is set again for the rest, and when disarmed it stops.
    QTimer m_checker;
    QDeadlineTimer m_checkerDeadline;
    QDeadlineTimer m_checkerFiresAt;
    int m_checkerLastInterval = 0;
    bool m_checkerArmed = false;
    QString m_tmpfsFile;
    // The text of the reply under way: from the prompt before its echo to
    // the prompt that ends it, however many reads it took. The replies the
    // owner parses whole are recognised in it once that prompt has come.
    QByteArray m_replyText;
    bool m_replyCut = false; // grew past kMaxReplyLength: not recognised

    int m_checkerInterval = kDefaultCheckerInterval;
    bool m_closingOnFailure = false; // set while CloseOnFailure runs

private:
    // The steps of one receive, in order; a listener may close the link
    // under any of them.
    void ReceiveBody(const QByteArray &data);
    QByteArray TakeTelnet(const QByteArray &data); // the text, option bytes and NULs taken out
    void EndNegotiation(bool bWholeRead);          // the option offers gathered: answered or dropped
    bool TakeText(const QByteArray &text);         // the text announced; false: closed meanwhile
    bool TakeLines();         // each whole line handled; false: closed meanwhile
    bool TakeLine(const QByteArray &line); // one whole line; false: closed meanwhile
    bool IsLastLineOfAnswer(const QByteArray &rest) const;
    void TakeUnendedLine();   // the promptless link's rest, after a quiet while
    void SendDeferred();      // a line pushed under a receive, once that has ended
    bool DropOverlongRest();  // true: the unfinished rest was too long and is dropped
    void DueReceiveRest();    // the rest after the last line: prompt, login or partial reply
    bool AnswerLoginPrompt(const QByteArray &rest);
    struct T_NamedRead;
    bool CheckIsNamedReadOrReadyRead(const QByteArray &line, const T_NamedRead &read);
    bool IsClosedSince(quint32 generation) const { return generation != m_closeGeneration; }
    bool EndReply(); // the finished reply recognised; false: closed meanwhile
    void RunReplyRecognisers(const QByteArray &reply);
    bool TakeControllerReply(const QByteArray &line); // false: closed meanwhile
    void EndAnsweredLine(const char *cmd); // the current line, when it is cmd, answered
    bool IsRebootCmd() const;
    void CompleteReboot();
    void DropHeadIfCurrent();
    void CompleteWrittenLines(quint32 generation);
    bool QueueLine(const QByteArray &line);

    // Telnet commands are taken out of the stream wherever they stand, also
    // split over reads. The offers of one run are answered only when the run
    // is a whole read (or reads ending inside it) and one of the known offers.
    enum E_TelnetState { E_TS_DATA, E_TS_COMMAND, E_TS_OPTION, E_TS_SUB, E_TS_SUB_COMMAND };
    E_TelnetState m_telnetState = E_TS_DATA;
    QByteArray m_negotiation;        // the run of commands under way
    bool m_negotiationAlone = false; // no text came before it in its read
    // The unfinished line was answered as a login prompt: more of it arriving
    // later is not answered again.
    bool m_loginLineAnswered = false;
    // The user shell's prompt returns after every line until "sudo su" has
    // taken effect; a second "sudo su" would be typed into sudo's password.
    bool m_sudoAsked = false;
    bool m_promptless = false;
    bool m_endScheduled = false; // a promptless queue's end is on its way
    // The IP controller's version reply, from its "API version:" line until
    // the "System version:" line has ended: its line API gives no prompt.
    QByteArray m_controllerVersion;

    // Bumped by CloseComm, so the receive path notices when a listener closed
    // the link under its feet and stops working on a cleared buffer.
    quint32 m_closeGeneration = 0;
    int m_receiveDepth = 0;
    bool m_sendDeferred = false;
    // Counts ReportLinkFailure calls, so that a write can tell whether the
    // link was lost and reported while it waited (nested writes included).
    quint32 m_linkFailureReports = 0;
    // Promptless only: restarted by each read that leaves an unended line.
    QBasicTimer m_quietTimer;
    int m_quietInterval = kDefaultQuietInterval;
};

#endif // HOI_BASECOMM_H
