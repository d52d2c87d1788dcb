// Recognition of what the device shell prints: the prompts that end a reply
// or ask for the login, whole-buffer recognisers for replies the owner parses
// itself, and the line handler for values, exit codes, EDID manufacturer and
// node lists.
#include "hoi_core/basecomm.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace {

const char kEdidTrigger[] = "00 ff ff ff | ff ff ff 00 |";
const char kShellPrompt[] = "/ # ";

bool EndsWithNoCase(const QByteArray &text, const char *tail)
{
    const int n = int(qstrlen(tail));
    return text.size() >= n && qstrnicmp(text.constData() + text.size() - n, tail, uint(n)) == 0;
}

// Whether the text ends with the tail once its trailing white space is cut
// off, as trimmed().endsWith() would say, without copying it.
bool EndsWithTrimmed(const QByteArray &text, const char *tail)
{
    int end = text.size();
    while (end > 0 && (text.at(end - 1) == ' ' || (text.at(end - 1) >= '\t' && text.at(end - 1) <= '\r')))
        --end;
    const int n = int(qstrlen(tail));
    return end >= n && qstrncmp(text.constData() + end - n, tail, uint(n)) == 0;
}

bool IsFvoName(const QByteArray &name)
{
    return name == "fvo" || name == "fvo CVBS" || name == "fvo VGA" || name == "fvo DVI-D" || name == "fvo YPbPr";
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value on a prompt line: what stands before the prompt, or the line
// before it when the prompt stands alone. An empty value prints no line at
// all, so when that line is the read's own echo the value is empty.
QByteArray ValueBeforePrompt(const QByteArray &line, const QByteArray &lastLine, const QByteArray &echo)
{
    if (line.size() > 4)
        return line.left(line.size() - 4);
    return lastLine.contains(echo) ? QByteArray() : lastLine;
}

// Whether value starts with "\"<name>\" not defined", the shell's answer to
// an unknown parameter; asked at every value read, so compared in place.
bool IsNotDefinedReply(const QByteArray &value, const QByteArray &name)
{
    static const char kTail[] = "\" not defined";
    const int tail = int(sizeof(kTail) - 1);
    return value.size() >= name.size() + 1 + tail && value.at(0) == '"'
        && std::memcmp(value.constData() + 1, name.constData(), size_t(name.size())) == 0
        && std::memcmp(value.constData() + 1 + name.size(), kTail, size_t(tail)) == 0;
}

} // namespace

bool CBaseComm::AnswerLoginPrompt(const QByteArray &rest)
{
    QByteArray answer;
    if (EndsWithNoCase(rest, "login: "))
        answer = m_user.toUtf8();
    else if (EndsWithNoCase(rest, "Password: ") || rest == "[sudo] password for ubuntu: ")
        answer = m_password.toUtf8();
    else if (rest.startsWith("ubuntu@")) {
        if (m_sudoAsked)
            return true;
        m_sudoAsked = true;
        answer = "sudo su";
    } else {
        return false;
    }
    // The same unfinished line, grown by a later read, is answered already.
    if (m_loginLineAnswered)
        return true;
    m_loginLineAnswered = true;
    RestartTimeOutChecker();
    m_inNodeList = false;
    SendData(answer, true);
    return true;
}

void CBaseComm::DueReceiveRest()
{
    const quint32 generation = m_closeGeneration;
    const QByteArray rest = m_recvBuffer;
    const bool prompt = EndsWithNoCase(rest, "# ");
    if (prompt) {
        StopTimeOutChecker();
    } else if (IsRebootCmd()) {
        CompleteReboot();
        return;
    }
    if (AnswerLoginPrompt(rest))
        return;
    if (rest.contains("incorrect password")) {
        // A session that refused the login gives no prompt any more: closed,
        // so that the next use logs in afresh instead of waiting on it.
        FailAndClose(E_CR_FAILED);
        return;
    }

    // Any other unfinished text is taken when its line end or a prompt comes:
    // taken now, a line that arrives in pieces would be taken piece by piece.
    if (!prompt || !EndReply())
        return;
    DueReceiveLine(rest);
    if (IsClosedSince(generation))
        return;
    DropHeadIfCurrent();
    CheckSendNext();
}

bool CBaseComm::EndReply()
{
    const quint32 generation = m_closeGeneration;
    const QByteArray reply = m_replyText;
    const bool bCut = m_replyCut;
    // The prompt that ends this reply begins the next one.
    m_replyText = m_recvBuffer;
    m_replyCut = false;
    // A version reply that a prompt ends before its system version came is
    // taken as it stands.
    if (!m_controllerVersion.isEmpty()) {
        EndAnsweredLine("config get version");
        emit OnGetQN714Version(m_controllerVersion);
        m_controllerVersion.clear();
        if (IsClosedSince(generation))
            return false;
    }
    if (!bCut)
        RunReplyRecognisers(reply);
    return !IsClosedSince(generation);
}

void CBaseComm::RunReplyRecognisers(const QByteArray &reply)
{
    const quint32 generation = m_closeGeneration;

    if (reply.contains(kEdidTrigger)) {
        QByteArray value = reply;
        const QByteArray fileEcho = "/ # cat /var/tmpfs/monitor_info";
        int at = reply.indexOf(fileEcho);
        if (at >= 0)
            value = reply.mid(at + fileEcho.size());
        const QByteArray marker = "EDID=\r\n";
        at = reply.indexOf(marker);
        if (at >= 0)
            value = reply.mid(at + marker.size());
        emit OnReadParam("edid", value, E_CR_SUCCESS);
        if (IsClosedSince(generation))
            return;
    }

    // Each tested on its own; the owner finds its value in the whole reply.
    const struct
    {
        const char *trigger;
        void (CBaseComm::*signal)(QByteArray);
    } wholeReplies[] = {
        { "/ # cat /etc/version", &CBaseComm::OnGetDevVersion },
        { "/ # multiview get", &CBaseComm::OnGetIPMMultiView },
        { "/ # cat /var/tmpfs/streamip", &CBaseComm::OnGetStreamIP },
        { "gbconfig -s -l", nullptr }, // handed on as a value read
        { "ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'", &CBaseComm::OnGetDueMasknet },
        { "route -n | grep UG | awk '{print $2}'", &CBaseComm::OnGetDueGeteway },
    };
    for (const auto &t : wholeReplies) {
        if (!reply.contains(t.trigger))
            continue;
        if (t.signal)
            (this->*t.signal)(reply);
        else
            emit OnReadParam(t.trigger, reply, E_CR_SUCCESS);
        if (IsClosedSince(generation))
            return;
    }
}

void CBaseComm::EndAnsweredLine(const char *cmd)
{
    // The owner may close the link on the answer (the version read does),
    // before the prompt would end the line: still queued, it would be sent
    // again after the reconnect. A line API's lines are done once written.
    if (m_promptless || (m_curCmd != cmd && m_curCmd != QByteArray(cmd) + "\r\n"))
        return;
    DropHeadIfCurrent();
    // The prompt that follows ends no line a second time.
    m_curCmd.clear();
}

bool CBaseComm::TakeControllerReply(const QByteArray &line)
{
    // The IP controller's line API answers without a prompt, and its shell's
    // user prompt is no "# ": its replies are taken as soon as they are whole.
    const quint32 generation = m_closeGeneration;
    static const QByteArray kApi = QByteArrayLiteral("API version:");
    static const QByteArray kSystem = QByteArrayLiteral("System version:");
    if (!m_controllerVersion.isEmpty()) {
        m_controllerVersion += "\r\n" + line;
        if (line.contains(kSystem)) {
            const QByteArray reply = m_controllerVersion;
            m_controllerVersion.clear();
            EndAnsweredLine("config get version");
            emit OnGetQN714Version(reply);
        } else if (m_controllerVersion.size() > kMaxReplyLength) {
            qWarning("Version reply length(%d) too long, not recognised.", m_controllerVersion.size());
            m_controllerVersion.clear();
        }
        return !IsClosedSince(generation);
    }
    if (line.contains("is:ip4addr")) {
        if (line.contains("ipsetting is:ip4addr")) {
            EndAnsweredLine("config get ipsetting");
            emit OnGetQN714IP(line);
        }
        if (!IsClosedSince(generation) && line.contains("ipsetting2 is:ip4addr")) {
            EndAnsweredLine("config get ipsetting2");
            emit OnGetQN714IP2(line);
        }
    }
    if (IsClosedSince(generation) || !line.contains(kApi))
        return !IsClosedSince(generation);
    if (line.indexOf(kSystem, line.indexOf(kApi)) >= 0) {
        EndAnsweredLine("config get version");
        emit OnGetQN714Version(line);
    } else {
        m_controllerVersion = line;
    }
    return !IsClosedSince(generation);
}

void CBaseComm::DueReceiveLine(const QByteArray &line)
{
    const quint32 generation = m_closeGeneration;

    // EDID manufacturer id: bytes 8 and 9 of the dump, three 5-bit letters.
    if (line.contains(kEdidTrigger)) {
        const QList<QByteArray> fields = line.split('|');
        QByteArray hex;
        if (fields.size() >= 4) {
            for (char c : fields.at(2)) {
                if (c != ' ')
                    hex += c;
            }
        }
        const bool wellFormed = hex.size() == 8 && std::all_of(hex.cbegin(), hex.cend(), IsHexDigit);
        if (wellFormed) {
            const QByteArray b = QByteArray::fromHex(hex);
            const uchar b0 = uchar(b.at(0));
            const uchar b1 = uchar(b.at(1));
            QByteArray letters;
            letters += char((b0 >> 2) + 0x40);
            letters += char((((b0 & 3) << 3) | (b1 >> 5)) + 0x40);
            letters += char((b1 & 0x1F) + 0x40);
            qCDebug(lcHoiLink) << "sizeof(SinkInfo):" << 2;
            qCDebug(lcHoiLink) << "get SinkInfo ch:" << int(uchar(letters.at(0))) << int(uchar(letters.at(1)))
                     << int(uchar(letters.at(2)));
            qCDebug(lcHoiLink) << "get SinkInfo:" << letters;
            emit OnReadParam("sinkinfo", letters, E_CR_SUCCESS);
        } else {
            qCDebug(lcHoiLink, "get SinkInfo failed.");
            emit OnReadParam("sinkinfo", QByteArray(), E_CR_FAILED);
        }
        if (IsClosedSince(generation))
            return;
    }

    // Exit status: the line right after the echo of a command ending in "echo $?".
    if (EndsWithTrimmed(m_curCmd, "echo $?") && EndsWithTrimmed(m_lastLine, "echo $?")) {
        m_lastLine.clear();
        qCDebug(lcHoiLink) << "OnExecResult:" << m_curCmd << "=" << line;
        emit OnExecResult(m_curCmd, line);
        if (IsClosedSince(generation))
            return;
    }

    if (CheckIsParamOrReadyRead(line) || CheckIsOptionOrReadyRead(line) || CheckIsConfigOrReadyRead(line)) {
        m_inNodeList = false;
        return;
    }
    if (IsClosedSince(generation))
        return;

    if (line.startsWith(">>>>>")) {
        m_inNodeList = true;
        return;
    }
    if (!m_inNodeList)
        return;
    if (line.startsWith("<<<<<")) {
        m_inNodeList = false;
        emit OnNodelistEnd();
        qCDebug(lcHoiLink, "list device end.");
        return;
    }
    if (line.size() > 8) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3)
            emit OnListDevice(fields.at(0), fields.at(1), fields.at(2));
    }
}

bool CBaseComm::EndsNamedRead(const QByteArray &line, const char *prompt, const QByteArray &name)
{
    if (!EndsWithNoCase(line, prompt))
        return false;
    StopTimeOutChecker();
    ++m_readyCount;
    return !name.isEmpty();
}

bool CBaseComm::CheckIsParamOrReadyRead(const QByteArray &line)
{
    const QByteArray &echo = m_readParamEcho;
    const int i = line.indexOf(echo);
    if (i >= 0) {
        if (line.size() > i + echo.size() + 1) {
            m_paramName = line.mid(i + echo.size() + 1).trimmed();
            qCDebug(lcHoiLink, "GetReadParamName: %s", m_paramName.constData());
        }
        return true;
    }
    if (!EndsNamedRead(line, kShellPrompt, m_paramName))
        return false;

    QByteArray value = ValueBeforePrompt(line, m_lastLine, echo);
    E_CommResult result = E_CR_SUCCESS;
    if (IsNotDefinedReply(value, m_paramName)) {
        result = E_CR_FAILED;
        value.clear();
    }
    const QByteArray name = m_paramName;
    m_paramName.clear();
    qCDebug(lcHoiLink) << "Read param:" << name << "=" << value;
    emit OnReadParam(name, value, result);
    return true;
}

// What sets the option read and the config read apart; the rest of the two
// is one routine.
struct CBaseComm::T_NamedRead
{
    const QByteArray &echo;
    QByteArray &name;         // given by the echo, kept until the prompt ends its read
    bool bareEchoForgetsName; // an echo with no name after it clears the one before
    bool outputPortPrefix;    // the value of an output port's option gets "<port>."
    const char *echoLog;
    const char *valueLog;
    void (CBaseComm::*signal)(QByteArray, QByteArray, E_CommResult);
};

bool CBaseComm::CheckIsNamedReadOrReadyRead(const QByteArray &line, const T_NamedRead &read)
{
    const int i = line.indexOf(read.echo);
    if (i >= 0) {
        if (line.size() > i + read.echo.size()) {
            read.name = line.mid(i + read.echo.size()).trimmed();
            qCDebug(lcHoiLink, "%s: %s", read.echoLog, read.name.constData());
        } else if (read.bareEchoForgetsName) {
            read.name.clear();
        }
        return true;
    }
    if (!EndsNamedRead(line, "# ", read.name))
        return false;

    QByteArray value = ValueBeforePrompt(line, m_lastLine, read.echo);
    E_CommResult result = E_CR_SUCCESS;
    if (value.endsWith("not defined") || value.endsWith(": not found")) {
        result = E_CR_FAILED;
        value.clear();
    }
    const QByteArray name = read.name;
    read.name.clear();
    qCDebug(lcHoiLink) << read.valueLog << name << "=" << value;
    // The output ports share one option; the owner tells them apart by "<port>.".
    if (read.outputPortPrefix && IsFvoName(name) && result == E_CR_SUCCESS)
        value = name.mid(3).trimmed() + '.' + value;
    emit (this->*read.signal)(name, value, result);
    return true;
}

bool CBaseComm::CheckIsOptionOrReadyRead(const QByteArray &line)
{
    const T_NamedRead option = { m_readOptionEcho, m_optionName, false, true,
                                 "GetReadOption", "Read option:", &CBaseComm::OnReadOption };
    return CheckIsNamedReadOrReadyRead(line, option);
}

bool CBaseComm::CheckIsConfigOrReadyRead(const QByteArray &line)
{
    const T_NamedRead config = { m_readConfigEcho, m_configName, true, false,
                                 "GetReadConfig", "Read Config:", &CBaseComm::OnReadConfig };
    return CheckIsNamedReadOrReadyRead(line, config);
}
