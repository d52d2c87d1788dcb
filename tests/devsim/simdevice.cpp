#include "simdevice.h"
#include "simdelay.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

const char kPrompt[] = "/ # ";

const char *const kNegotiationHex[] = {
    "",
    "fffd18fffd20fffd23fffd27",
    "fffb03fffd01fffd1ffffb05fffd21",
    "fffd18fffd20fffd23fffd27fffd24",
    "fffb03fffd01fffd22fffd1ffffb05fffd21",
    "fffb01",
    "fffb01fffd06fffd00",
};

// The delay of an answer's first write: the usual one, plus the switch's.
int Later(int msecs)
{
    return msecs + SimExtraAnswerDelay();
}

QList<SimDevice::CommandHandler> &globalHandlers()
{
    static QList<SimDevice::CommandHandler> handlers;
    return handlers;
}

} // namespace

// One Telnet connection. It owns its socket; timers use it as their context
// so that nothing fires after the session is gone.
struct SimDevice::Session : public QObject
{
    enum State { Greeting, User, Password, UserShell, SudoPassword, Shell, Closing };
    enum Iac { Data, Command, Option, Sub, SubIac };

    struct Out
    {
        QByteArray bytes;
        int delayMs = 0;
        bool close = false;
    };

    QTcpSocket *socket = nullptr;
    State state = Greeting;
    Iac iac = Data;
    QByteArray input;
    int commands = 0;
    int loginFailures = 0;
    QList<Out> out;
    bool waiting = false;
    QByteArray prompt = kPrompt; // empty: the line API's none
    int sudoFailures = 0;
};

SimDevice::SimDevice(const QString &hostName, const QString &devType, QObject *parent)
    : QObject(parent)
    , m_hostName(hostName)
    , m_devType(devType)
    , m_answerDelay(1 + int(qHash(hostName) % 10))
{
    // The switch is read now, not within the first answer a benchmark times.
    SimExtraAnswerDelay();
    resetToDefaults();
}

SimDevice::~SimDevice()
{
    const QList<Session *> sessions = m_sessions;
    m_sessions.clear();
    for (Session *s : sessions) {
        s->socket->disconnect(s);
        s->socket->abort();
        delete s;
    }
}

QString SimDevice::hostId() const
{
    const int dash = m_hostName.lastIndexOf('-');
    return dash < 0 ? m_hostName : m_hostName.mid(dash + 1);
}

void SimDevice::resetToDefaults()
{
    const QString id = hostId();
    QString mac;
    for (int i = 0; i + 1 < id.size() && i < 12; i += 2)
        mac += (mac.isEmpty() ? QString() : QStringLiteral(":")) + id.mid(i, 2);

    m_params = {
        { "name", QString() },
        { "hostname", m_hostName },
        { "hostname_id", id },
        { "ethaddr", mac },
        { "ip_mode", "static" },
        { "ipaddr", m_address.isNull() ? QStringLiteral("127.0.0.1") : m_address.toString() },
        { "netmask", "255.255.0.0" },
        { "gatewayip", "0.0.0.0" },
        { "multicast_ip", "225.0.0.1" },
        { "ch_select", "0" },
        { "scene", QString() },
        { "s_row_count", "1" },
        { "s_col_count", "1" },
        { "preview_enable", "y" },
        { "ast_video_quality_mode", "0" },
        { "s0_baudrate", "115200-8n1" },
        { "soip_type2_token_timeout", "1" },
        { "fource_output_color_space", "auto" },
        { "hdcp_always_on", "n" },
        { "hdcp_always_on_22", "n" },
        { "v_output_timing_convert", "0" },
        { "v_turn_off_screen_on_pwr_save", "n" },
        { "v_src_unavailable_timeout", "10000" },
        { "vw_stretch_type", "2" },
        { "vw_rotate", "0" },
        { "user_audio_mode", "0" },
    };
    m_options = {
        { "vi", "hdmi:1:1920x1080p60" },
        { "vo", "hdmi" },
        { "fvo", "1920x1080p60" },
        { "fvo CVBS", "PAL" },
        { "fvo VGA", "1024x768p60" },
        { "fvo DVI-D", "1920x1080p60" },
        { "fvo YPbPr", "1080p60" },
    };
    m_configs = {
        { "--max-enc-res", "1920x1080" },
        { "--low-delay", "n" },
        { "--png-overlay-pos-h", "0" },
        { "--png-overlay-pos-v", "0" },
        { "--hdcp-enable", "y" },
        { "--hw-dip-enable", "y" },
        { "--output-dip", "000" },
    };
    m_files.clear();
    m_files.insert("streamip", "video IP address: 225.0.0.1\r\naudio IP address: 225.0.0.1");
    m_version = "Linux 4.9.37 (simulated)\r\nBuild 20240101\r\nA7.1.0";
    m_multiView.clear();
    m_multiViewAudio.clear();

    // A 128-byte EDID with the header, manufacturer "SIM" and a valid checksum.
    QByteArray edid(128, '\0');
    const char head[] = { 0, char(0xff), char(0xff), char(0xff), char(0xff), char(0xff), char(0xff), 0,
                          0x4d, 0x2d, 0x01, 0x00 };
    for (int i = 0; i < int(sizeof(head)); ++i)
        edid[i] = head[i];
    int sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += uchar(edid.at(i));
    edid[127] = char((256 - sum % 256) % 256);
    setEdid(edid);
}

void SimDevice::setEdid(const QByteArray &bytes)
{
    m_edid = bytes;
    // The shape the devices print: "EDID=", then 16 bytes a line in groups of 4.
    QByteArray dump = "EDID=\r\n";
    for (int row = 0; row < bytes.size(); row += 16) {
        QList<QByteArray> groups;
        for (int g = row; g < row + 16 && g < bytes.size(); g += 4)
            groups.append(bytes.mid(g, 4).toHex(' '));
        dump += groups.join(" | ");
        if (row + 16 < bytes.size())
            dump += "\r\n";
    }
    m_files.insert(m_edidFileName, dump);
}

void SimDevice::setEdidFileName(const QString &name)
{
    m_files.remove(m_edidFileName);
    m_edidFileName = name;
    setEdid(m_edid);
}

QByteArray SimDevice::negotiationBytes(int pattern)
{
    if (pattern < 1 || pattern > 6)
        return QByteArray();
    return QByteArray::fromHex(kNegotiationHex[pattern]);
}

bool SimDevice::listen(const QHostAddress &address, quint16 port)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &SimDevice::onNewConnection);
    }
    if (m_server->isListening())
        m_server->close();
    if (!m_server->listen(address, port))
        return false;
    m_address = address;
    m_port = m_server->serverPort();
    m_params.insert("ipaddr", address.toString());
    return true;
}

void SimDevice::stopListening()
{
    if (m_server)
        m_server->close();
}

bool SimDevice::isListening() const
{
    return m_server && m_server->isListening();
}

int SimDevice::sessionCount() const
{
    return m_sessions.size();
}

void SimDevice::setRefuseConnections(bool refuse)
{
    if (refuse)
        stopListening();
    else if (!isListening() && m_port != 0)
        listen(m_address, m_port);
}

void SimDevice::setReplyChunking(int pieceBytes, int delayMs)
{
    m_chunkBytes = qMax(0, pieceBytes);
    m_chunkDelay = qMax(0, delayMs);
}

void SimDevice::dropConnections()
{
    const QList<Session *> sessions = m_sessions;
    for (Session *s : sessions)
        closeSession(s);
}

void SimDevice::sendRaw(const QByteArray &bytes)
{
    for (Session *s : qAsConst(m_sessions))
        queueWrite(s, bytes);
}

void SimDevice::clearReceived()
{
    m_lines.clear();
    m_negotiationReceived.clear();
}

void SimDevice::addGlobalCommandHandler(const CommandHandler &handler)
{
    globalHandlers().prepend(handler);
}

void SimDevice::clearGlobalCommandHandlers()
{
    globalHandlers().clear();
}

void SimDevice::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto *s = new Session;
        s->socket = socket;
        // The answer follows its echo within milliseconds: held back by Nagle
        // until the console's delayed acknowledgement, every line would take 40 ms.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setParent(s);
        m_sessions.append(s);
        connect(socket, &QTcpSocket::readyRead, s, [this, s] { onReadyRead(s); });
        connect(socket, &QTcpSocket::disconnected, s, [this, s] { closeSession(s); });
        emit sessionOpened();

        if (m_closeOnAccept) {
            queueClose(s, 0);
            continue;
        }
        if (m_silent)
            continue;

        const ShellStyle style = shellStyle();
        if (style == ShellStyle::LineApi) {
            s->state = Session::Shell;
            s->prompt.clear();
            continue;
        }
        s->state = style == ShellStyle::UserThenSudo ? Session::UserShell : Session::User;
        QList<QByteArray> greeting;
        for (int p : qAsConst(m_negotiation))
            greeting.append(negotiationBytes(p));
        if (m_negotiationInOneWrite && !greeting.isEmpty())
            greeting = { greeting.join() };
        const QByteArray ask = style == ShellStyle::UserThenSudo ? userPrompt() : QByteArray("login: ");
        if (m_loginWithNegotiation && !greeting.isEmpty())
            greeting.last() += ask;
        else
            greeting.append(ask);
        for (int i = 0; i < greeting.size(); ++i)
            queueWrite(s, greeting.at(i), i == 0 ? 0 : m_greetingDelay);
    }
}

void SimDevice::onReadyRead(Session *s)
{
    const QByteArray data = s->socket->readAll();
    for (char c : data) {
        const uchar b = uchar(c);
        switch (s->iac) {
        case Session::Data:
            if (b == 0xFF) {
                s->iac = Session::Command;
                m_negotiationReceived += c;
            } else if (c == '\n') {
                QByteArray line = s->input;
                s->input.clear();
                if (line.endsWith('\r'))
                    line.chop(1);
                onLine(s, line);
                if (!m_sessions.contains(s))
                    return;
            } else if (c != '\0') {
                s->input += c;
            }
            break;
        case Session::Command:
            if (b == 0xFF) { // an escaped data byte
                m_negotiationReceived.chop(1);
                s->input += c;
                s->iac = Session::Data;
                break;
            }
            m_negotiationReceived += c;
            s->iac = b == 0xFA ? Session::Sub : (b >= 0xFB ? Session::Option : Session::Data);
            break;
        case Session::Option:
            m_negotiationReceived += c;
            s->iac = Session::Data;
            break;
        case Session::Sub:
            m_negotiationReceived += c;
            if (b == 0xFF)
                s->iac = Session::SubIac;
            break;
        case Session::SubIac:
            m_negotiationReceived += c;
            s->iac = b == 0xF0 ? Session::Data : Session::Sub;
            break;
        }
    }
}

void SimDevice::onLine(Session *s, const QByteArray &line)
{
    m_lines.append(line);
    emit lineReceived(line);

    switch (s->state) {
    case Session::Greeting:
    case Session::Closing:
        return;
    case Session::User:
        if (m_password.isEmpty()) {
            s->state = Session::Shell;
            queueWrite(s, line + "\r\n");
            queueWrite(s, kPrompt, Later(m_oneWrite ? 0 : m_answerDelay));
        } else {
            s->state = Session::Password;
            queueWrite(s, line + "\r\nPassword: ", Later(0));
        }
        return;
    case Session::Password:
        if (line == m_password.toUtf8()) {
            s->state = Session::Shell;
            queueWrite(s, QByteArray("\r\n") + kPrompt, Later(0));
            return;
        }
        // Refused: the text stays unfinished until the next login prompt.
        queueWrite(s, "\r\nincorrect password", Later(0));
        if (++s->loginFailures >= 3) {
            s->state = Session::Closing;
            if (!m_keepRefused)
                queueClose(s, m_loginRetryDelay);
        } else {
            s->state = Session::User;
            queueWrite(s, "\r\nlogin: ", m_loginRetryDelay);
        }
        return;
    case Session::UserShell:
        if (line.trimmed() == "sudo su") {
            s->state = Session::SudoPassword;
            queueWrite(s, line + "\r\n");
            queueWrite(s, "[sudo] password for ubuntu: ", Later(m_oneWrite ? 0 : m_answerDelay));
            return;
        }
        runCommandLine(s, line);
        return;
    case Session::SudoPassword:
        onSudoPassword(s, line);
        return;
    case Session::Shell:
        runCommandLine(s, line);
        return;
    }
}

void SimDevice::onSudoPassword(Session *s, const QByteArray &line)
{
    if (line == m_password.toUtf8()) {
        s->state = Session::Shell;
        s->prompt = "root@" + m_hostName.toUtf8() + ":/home/ubuntu# ";
        queueWrite(s, "\r\n" + s->prompt, Later(0));
        return;
    }
    // As sudo does: three tries, then the session is given up.
    if (++s->sudoFailures >= 3) {
        s->state = Session::Closing;
        queueWrite(s, "\r\nsudo: 3 incorrect password attempts\r\n", Later(0));
        queueClose(s, m_loginRetryDelay);
        return;
    }
    queueWrite(s, "\r\nSorry, try again.\r\n[sudo] password for ubuntu: ", Later(0));
}

SimDevice::ShellStyle SimDevice::shellStyle() const
{
    if (m_shellStyle >= 0)
        return ShellStyle(m_shellStyle);
    if (m_devType == QLatin1String("QN714"))
        return m_port == 23 ? ShellStyle::UserThenSudo : ShellStyle::LineApi;
    return ShellStyle::Root;
}

void SimDevice::runCommandLine(Session *s, const QByteArray &line)
{
    ++s->commands;
    if (m_dropAfter >= 0 && s->commands > m_dropAfter) {
        closeSession(s);
        return;
    }
    if (m_stall)
        return;

    SimCommand cmd;
    cmd.line = line;
    handleCommand(cmd);

    if (s->prompt.isEmpty()) {
        // The line API: no echo, no prompt, a write per output line.
        QList<QByteArray> lines = cmd.output.split('\n');
        lines.removeAll(QByteArray());
        for (int i = 0; i < lines.size(); ++i) {
            QByteArray out = lines.at(i);
            if (m_lineApiLax && out.endsWith('\r'))
                out.chop(1);
            if (!m_lineApiLax || i + 1 < lines.size())
                out += '\n';
            const int usual = m_oneWrite ? 0 : m_answerDelay;
            queueWrite(s, out, i == 0 ? Later(usual) : usual);
        }
        if (cmd.dropConnection)
            reboot(cmd.dropDelayMs);
        return;
    }
    const QByteArray echo = line + "\r\n";
    const QByteArray prompt = !cmd.prompt ? QByteArray() : s->state == Session::UserShell ? userPrompt() : s->prompt;
    const QByteArray rest = cmd.output + prompt;

    if (m_chunkDelay > 0) {
        queueWrite(s, echo);
        const int piece = m_chunkBytes > 0 ? m_chunkBytes : qMax(1, rest.size());
        for (int at = 0; at < rest.size(); at += piece)
            queueWrite(s, rest.mid(at, piece), at == 0 ? Later(m_chunkDelay) : m_chunkDelay);
    } else if (m_oneWrite) {
        queueWrite(s, echo + rest, Later(0));
    } else {
        queueWrite(s, echo);
        if (!m_promptApart) {
            queueWrite(s, rest, Later(m_answerDelay));
        } else {
            // The shell prints the prompt once the command has ended: a write of its own.
            if (!cmd.output.isEmpty())
                queueWrite(s, cmd.output, Later(m_answerDelay));
            if (!prompt.isEmpty())
                queueWrite(s, prompt, cmd.output.isEmpty() ? Later(m_answerDelay) : 1);
        }
    }

    if (cmd.dropConnection)
        reboot(cmd.dropDelayMs);
}

void SimDevice::reboot(int delayMs)
{
    // Every session ends; the device comes back after its downtime.
    for (Session *s : qAsConst(m_sessions)) {
        s->state = Session::Closing;
        queueClose(s, delayMs);
    }
    if (m_rebootDowntime > 0 && isListening()) {
        QTimer::singleShot(Later(delayMs), this, [this] {
            stopListening();
            QTimer::singleShot(m_rebootDowntime, this, [this] { setRefuseConnections(false); });
        });
    }
}

void SimDevice::handleCommand(SimCommand &cmd)
{
    // "<command>; echo $?" runs the command, then prints its exit status.
    const QByteArray trimmed = cmd.line.trimmed();
    if (trimmed.endsWith("echo $?")) {
        QByteArray inner = trimmed.left(trimmed.size() - 7).trimmed();
        if (inner.endsWith("&&"))
            inner.chop(2);
        else if (inner.endsWith(';'))
            inner.chop(1);
        SimCommand sub;
        sub.line = inner.trimmed();
        if (!sub.line.isEmpty())
            runShellLine(sub);
        // "> /dev/null 2>&1" before the status silences the command itself.
        const bool silenced = inner.contains(">/dev/null") || inner.contains("> /dev/null");
        if (!silenced)
            cmd.output += sub.output;
        cmd.print(QByteArray::number(sub.status));
        cmd.prompt = sub.prompt;
        cmd.dropConnection = sub.dropConnection;
        cmd.dropDelayMs = sub.dropDelayMs;
        return;
    }
    runShellLine(cmd);
}

bool SimDevice::runShellLine(SimCommand &cmd)
{
    for (const CommandHandler &h : qAsConst(m_handlers)) {
        if (h(*this, cmd))
            return true;
    }
    const QList<CommandHandler> global = globalHandlers();
    for (const CommandHandler &h : global) {
        if (h(*this, cmd))
            return true;
    }
    if (runBuiltinCommand(cmd))
        return true;
    const QByteArray word = cmd.line.trimmed().split(' ').value(0);
    cmd.print("sh: " + word + ": not found");
    cmd.status = 127;
    return false;
}

void SimDevice::queueWrite(Session *s, const QByteArray &bytes, int delayMs)
{
    Session::Out o;
    o.bytes = bytes;
    o.delayMs = delayMs;
    s->out.append(o);
    pump(s);
}

void SimDevice::queueClose(Session *s, int delayMs)
{
    Session::Out o;
    o.delayMs = delayMs;
    o.close = true;
    s->out.append(o);
    pump(s);
}

void SimDevice::pump(Session *s)
{
    while (!s->waiting && !s->out.isEmpty()) {
        Session::Out &next = s->out.first();
        if (next.delayMs > 0) {
            s->waiting = true;
            const int delay = next.delayMs;
            next.delayMs = 0;
            QTimer::singleShot(delay, s, [this, s] {
                s->waiting = false;
                pump(s);
            });
            return;
        }
        const Session::Out o = s->out.takeFirst();
        if (o.close) {
            closeSession(s);
            return;
        }
        s->socket->write(o.bytes);
        s->socket->flush();
    }
}

void SimDevice::closeSession(Session *s)
{
    if (!m_sessions.removeOne(s))
        return;
    s->socket->disconnect(s);
    s->out.clear();
    s->socket->flush();
    s->socket->disconnectFromHost();
    s->deleteLater();
    emit sessionClosed();
}
