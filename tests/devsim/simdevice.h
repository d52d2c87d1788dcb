#ifndef DEVSIM_SIMDEVICE_H
#define DEVSIM_SIMDEVICE_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTcpServer;

// One shell command as the simulated device runs it. A handler fills the
// output (each line ending in CR LF, print() does that) and the exit status.
struct SimCommand
{
    QByteArray line;          // as received, without its line end
    QByteArray output;        // what the shell prints before the next prompt
    int status = 0;           // what a following "echo $?" prints
    bool prompt = true;       // a new prompt follows the output
    bool dropConnection = false; // the command ends every session (reboot)
    int dropDelayMs = 50;     // how long after the output the sessions end

    void print(const QByteArray &text) { output += text + "\r\n"; }
    void print(const QString &text) { print(text.toUtf8()); }
    // The command split at blanks, empty words kept ("a  b" gives a, "", b).
    QList<QByteArray> words() const { return line.split(' '); }
};

struct SimNode
{
    QByteArray ipAddr;
    QByteArray hostName;
    QByteArray status;
};

// A simulated device: a Telnet shell on its own address and port that logs
// in by prompt, echoes each command, prints its reply and a new prompt, and
// keeps enough state that a set followed by a get returns the new value.
class SimDevice : public QObject
{
    Q_OBJECT

public:
    using CommandHandler = std::function<bool(SimDevice &device, SimCommand &cmd)>;

    explicit SimDevice(const QString &hostName, const QString &devType = QStringLiteral("TX"),
                       QObject *parent = nullptr);
    ~SimDevice() override;

    // Serving. Port 0 picks a free port; port() then tells which.
    bool listen(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost), quint16 port = 0);
    void stopListening();
    bool isListening() const;
    QHostAddress address() const { return m_address; }
    quint16 port() const { return m_port; }
    int sessionCount() const;

    // Identity and state.
    QString hostName() const { return m_hostName; }
    QString devType() const { return m_devType; }
    QString hostId() const;
    QString paramPrefix() const { return m_paramPrefix; }
    void setParamPrefix(const QString &prefix) { m_paramPrefix = prefix; }
    void setPassword(const QString &password) { m_password = password; }

    bool hasParam(const QString &name) const { return m_params.contains(name); }
    QString param(const QString &name) const { return m_params.value(name); }
    void setParam(const QString &name, const QString &value) { m_params.insert(name, value); }
    void removeParam(const QString &name) { m_params.remove(name); }
    QMap<QString, QString> params() const { return m_params; }

    bool hasOption(const QString &name) const { return m_options.contains(name); }
    QString option(const QString &name) const { return m_options.value(name); }
    void setOption(const QString &name, const QString &value) { m_options.insert(name, value); }
    void removeOption(const QString &name) { m_options.remove(name); }

    bool hasConfig(const QString &name) const { return m_configs.contains(name); }
    QString config(const QString &name) const { return m_configs.value(name); }
    void setConfig(const QString &name, const QString &value) { m_configs.insert(name, value); }
    void removeConfig(const QString &name) { m_configs.remove(name); }

    // Files under /var/tmpfs/, by name.
    QByteArray file(const QString &name) const { return m_files.value(name); }
    void setFile(const QString &name, const QByteArray &content) { m_files.insert(name, content); }

    QByteArray version() const { return m_version; }
    void setVersion(const QByteArray &lines) { m_version = lines; } // printed by "cat /etc/version"
    QByteArray edid() const { return m_edid; }
    void setEdid(const QByteArray &bytes); // also rewrites the EDID file as a hex dump
    QString edidFileName() const { return m_edidFileName; }
    void setEdidFileName(const QString &name);

    QList<SimNode> nodeList() const { return m_nodes; }
    void setNodeList(const QList<SimNode> &nodes) { m_nodes = nodes; }
    QString multiView() const { return m_multiView; }
    void setMultiView(const QString &text) { m_multiView = text; }
    QString multiViewAudio() const { return m_multiViewAudio; }
    void setMultiViewAudio(const QString &text) { m_multiViewAudio = text; }
    QList<QByteArray> events() const { return m_events; }
    void addEvent(const QByteArray &event) { m_events.append(event); }
    int saveCount() const { return m_saveCount; }
    void countSave() { ++m_saveCount; }
    void resetToDefaults();

    // How the shell greets and answers. Root: "login: ", then the "/ # "
    // prompt. LineApi: no greeting, no echo, no prompt, each output line in
    // its own write (the IP controller on port 23000). UserThenSudo: the
    // option offers, then the prompt "ubuntu@<host>:~$ " until "sudo su" and
    // the password give "root@<host>:/home/ubuntu# " (the IP controller on
    // port 23). Unless set, a device of type "QN714" takes LineApi on 23000
    // and UserThenSudo on 23, every other device Root.
    enum class ShellStyle { Root, LineApi, UserThenSudo };
    void setShellStyle(ShellStyle style) { m_shellStyle = int(style); }
    ShellStyle shellStyle() const;
    // The line API ends its lines in CR LF unless set: in LF alone, and the
    // last line of each answer left unended.
    void setLineApiLax(bool lax) { m_lineApiLax = lax; }

    // Greeting on accept: the option offers (pattern numbers 1 to 6 of the
    // link's table; none when empty), then "login: ".
    void setNegotiation(const QList<int> &patterns) { m_negotiation = patterns; }
    void setNegotiationInOneWrite(bool oneWrite) { m_negotiationInOneWrite = oneWrite; }
    void setLoginWithNegotiation(bool together) { m_loginWithNegotiation = together; }
    void setGreetingDelay(int msecs) { m_greetingDelay = msecs; }
    static QByteArray negotiationBytes(int pattern);

    // Faults.
    void setRefuseConnections(bool refuse); // stops or resumes listening on the same port
    void setCloseOnAccept(bool close) { m_closeOnAccept = close; }
    void setSilent(bool silent) { m_silent = silent; } // accepts and never sends anything
    void dropConnections();                           // every session, now
    void setDropAfterCommands(int count) { m_dropAfter = count; } // -1: never
    void setStallReplies(bool stall) { m_stall = stall; } // commands recorded, never answered
    void setReplyChunking(int pieceBytes, int delayMs);   // delayMs 0: as below
    // By default a device answers as embedded shells do: the echo of each
    // line (and of the login name) at once, the answer 1-10 ms later (the
    // delay fixed per host name) and then the prompt. One write puts echo,
    // answer and prompt together at once. HOI_DEVSIM_ANSWER_DELAY_MS adds
    // its delay to every answer, whatever is set here (simdelay.h).
    void setAnswerDelay(int msecs) { m_answerDelay = qMax(0, msecs); }
    int answerDelay() const { return m_answerDelay; }
    void setOneWriteReplies(bool oneWrite) { m_oneWrite = oneWrite; }
    // Apart (the default): the output, then the prompt in a write of its
    // own. Together: the output and the prompt in the second write.
    void setPromptApart(bool apart) { m_promptApart = apart; }
    void setLoginRetryDelay(int msecs) { m_loginRetryDelay = msecs; }
    // After the third refused password the session stays open, silent.
    void setKeepRefusedSession(bool keep) { m_keepRefused = keep; }
    void setRebootDowntime(int msecs) { m_rebootDowntime = msecs; }
    void sendRaw(const QByteArray &bytes); // to every session, now

    // What the device received: every line (login answers included, no line
    // end) and every Telnet command sequence, in order.
    QList<QByteArray> receivedLines() const { return m_lines; }
    QByteArray receivedNegotiation() const { return m_negotiationReceived; }
    void clearReceived();

    // Commands. A device's own handlers are tried first (newest first), then
    // the global ones, then the built-in shell; a handler returns true when it
    // took the command. handleCommand may also be overridden.
    void addCommandHandler(const CommandHandler &handler) { m_handlers.prepend(handler); }
    static void addGlobalCommandHandler(const CommandHandler &handler);
    static void clearGlobalCommandHandlers();
    virtual void handleCommand(SimCommand &cmd);

signals:
    void lineReceived(const QByteArray &line);
    void sessionOpened();
    void sessionClosed();

private:
    struct Session;

    bool runBuiltinCommand(SimCommand &cmd);
    bool runShellLine(SimCommand &cmd);
    void onNewConnection();
    void onReadyRead(Session *s);
    void onLine(Session *s, const QByteArray &line);
    void runCommandLine(Session *s, const QByteArray &line);
    void onSudoPassword(Session *s, const QByteArray &line);
    QByteArray userPrompt() const { return "ubuntu@" + m_hostName.toUtf8() + ":~$ "; }
    void queueWrite(Session *s, const QByteArray &bytes, int delayMs = 0);
    void queueClose(Session *s, int delayMs);
    void pump(Session *s);
    void closeSession(Session *s);
    void reboot(int delayMs);

    QString m_hostName;
    QString m_devType;
    QString m_paramPrefix = QStringLiteral("gb");
    QString m_password;
    QTcpServer *m_server = nullptr;
    QHostAddress m_address;
    quint16 m_port = 0;
    QList<Session *> m_sessions;

    QMap<QString, QString> m_params;
    QMap<QString, QString> m_options;
    QMap<QString, QString> m_configs;
    QMap<QString, QByteArray> m_files;
    QByteArray m_version;
    QByteArray m_edid;
    QString m_edidFileName = QStringLiteral("monitor_info");
    QList<SimNode> m_nodes;
    QString m_multiView;
    QString m_multiViewAudio;
    QList<QByteArray> m_events;
    int m_saveCount = 0;

    QList<int> m_negotiation { 1 };
    bool m_negotiationInOneWrite = false;
    bool m_loginWithNegotiation = false;
    int m_greetingDelay = 30;

    bool m_closeOnAccept = false;
    bool m_silent = false;
    int m_dropAfter = -1;
    bool m_stall = false;
    int m_chunkBytes = 0;
    int m_chunkDelay = 0;
    int m_answerDelay = 1;
    int m_shellStyle = -1; // -1: by type and port
    bool m_lineApiLax = false;
    bool m_oneWrite = false;
    bool m_promptApart = true;
    int m_loginRetryDelay = 300;
    bool m_keepRefused = false;
    int m_rebootDowntime = 0;

    QList<QByteArray> m_lines;
    QByteArray m_negotiationReceived;
    QList<CommandHandler> m_handlers;
};

#endif // DEVSIM_SIMDEVICE_H
