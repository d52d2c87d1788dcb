#include "hoi_core/basecomm.h"

#include <QDebug>
#include <QTime>
#include <QTimerEvent>

Q_LOGGING_CATEGORY(lcHoiLink, "hoi.link", QtInfoMsg)

namespace {

// The Telnet option offers the devices make, each with the answer they get.
// Only a whole read that is exactly one of these is answered.
struct T_Negotiation
{
    const char *request; // lower-case hex of the whole read
    const char *answer;  // hex, empty: nothing to send
};

const T_Negotiation kNegotiations[] = {
    { "fffd18fffd20fffd23fffd27", "fffc18fffc20fffc23fffc27" },
    { "fffb03fffd01fffd1ffffb05fffd21", "fffd03fffd01fffc1ffffe05fffc21" },
    { "fffd18fffd20fffd23fffd27fffd24", "fffc18fffc20fffc23fffc27fffc24" },
    { "fffb03fffd01fffd22fffd1ffffb05fffd21", "fffd03fffd01fffc22fffc1ffffe05fffc21" },
    { "fffb01", "" },
    { "fffb01fffd06fffd00", "fffd01fffc06fffc00" },
};

} // namespace

CBaseComm::CBaseComm(const QString &paramPrefix, const QString &hostIndex, QObject *parent)
    : QObject(parent)
    , m_hostIndex(hostIndex)
    , m_paramPrefix(paramPrefix)
{
    qRegisterMetaType<E_CommResult>("E_CommResult");

    // One pass each, so a prefix holding "%2" stays as it is.
    m_readParamEcho = QString(" # %1param g %2").arg(m_paramPrefix, m_hostIndex).toUtf8();
    m_readOptionEcho = QString(" # %1get ").arg(m_paramPrefix).toUtf8();
    m_showConfigCmd = QString("%1config --show").arg(m_paramPrefix);
    m_readConfigEcho = QString(" # %1 ").arg(m_showConfigCmd).toUtf8();
    m_user = QStringLiteral("root");

    m_checkerLastInterval = m_checkerInterval;
    connect(&m_checker, &QTimer::timeout, this, &CBaseComm::slotOnCheckerTick);
    connect(this, &CBaseComm::OnConnected, this, &CBaseComm::slotOnLinkUp);
}

CBaseComm::~CBaseComm() = default;

bool CBaseComm::CloseComm()
{
    m_readyCount = 0;
    m_inNodeList = false;
    m_paramName.clear();
    // A name whose read was cut off must not take the first prompt of the
    // next session as its value.
    m_optionName.clear();
    m_configName.clear();
    m_curCmd.clear();
    m_lastLine.clear();
    m_recvBuffer.clear();
    // A reply or an option offer cut off by the close is not completed by
    // the next session's text.
    m_replyText.clear();
    m_replyCut = false;
    m_telnetState = E_TS_DATA;
    m_negotiation.clear();
    m_loginLineAnswered = false;
    m_sudoAsked = false;
    m_controllerVersion.clear();
    m_endScheduled = false;
    m_quietTimer.stop();
    StopTimeOutChecker();
    ++m_closeGeneration;
    return true;
}

bool CBaseComm::SendData(const QByteArray &data, bool bAddCRLF)
{
    qCDebug(lcHoiLink).noquote() << ">>>> SendData:" << data;

    // A write may lose the link on its way (the socket reports the loss while
    // it waits); that loss is then already reported and must not be again.
    const quint32 reportsBefore = m_linkFailureReports;
    const bool ok = WriteRaw(data, bAddCRLF);
    const bool lostMeanwhile = m_linkFailureReports != reportsBefore;

    emit OnSendData(data, ok);
    if (!ok) {
        if (lostMeanwhile) {
            qDebug("Send failed");
            CloseOnFailure();
        } else {
            slotOnSendFailed();
        }
    }
    return ok;
}

bool CBaseComm::PushSendData(const QByteArray &data, bool bAddCRLF)
{
    if (data.isEmpty() && !bAddCRLF)
        return false;
    QByteArray line = data;
    if (bAddCRLF)
        line += "\r\n";
    m_sendQueue.append(line);
    ++m_pushCount;

    if (IsConnected() && !IsTimeOutCheckerRunning()) {
        if (m_readyCount == 0) {
            // No shell yet and nothing awaited: without the checker the line
            // would wait for a prompt that may never come.
            StartTimeOutChecker(m_checkerInterval);
        } else if (m_receiveDepth > 0) {
            // A line pushed by a listener of the receive path goes out when
            // that path has finished with the current line, never in the
            // middle of it.
            m_sendDeferred = true;
        } else {
            CheckSendNext();
        }
    }
    qCDebug(lcHoiLink) << "CBaseComm::PushSendData" << "m_sendQueue=" << m_sendQueue.size();
    return true;
}

void CBaseComm::ClearSendQueue()
{
    qDebug() << "CBaseComm::ClearSendQueue";
    // Whoever drops the lines reports their end; a promptless link's written
    // lines end with them.
    m_endScheduled = false;
    if (m_sendQueue.isEmpty())
        return;
    m_sendQueue.clear();
    // The line under way is nobody's now: its prompt must not take a line
    // queued later, of the same text, as answered.
    m_curCmd.clear();
}

void CBaseComm::CheckSendNext()
{
    qCDebug(lcHoiLink) << "CBaseComm::CheckSendNext" << "m_sendQueue=" << m_sendQueue.size();
    if (!m_sendQueue.isEmpty()) {
        m_curCmd = m_sendQueue.first();
        if (SendData(m_curCmd, false) && m_promptless) {
            // No prompt will end it: written, the line is done. The queue's
            // end is reported from the event loop, after what the device
            // printed meanwhile.
            DropHeadIfCurrent();
            if (!m_endScheduled) {
                m_endScheduled = true;
                const quint32 generation = m_closeGeneration;
                QTimer::singleShot(0, this, [this, generation] { CompleteWrittenLines(generation); });
            }
        }
    } else {
        qCDebug(lcHoiLink, "SendQueueReturn");
        emit OnSendQueueReturn(E_CR_SUCCESS);
    }
}

void CBaseComm::slotOnLinkUp()
{
    if (!m_promptless)
        return;
    // Nothing greets on a line API: the link is ready as it stands.
    ++m_readyCount;
    if (!m_sendQueue.isEmpty())
        CheckSendNext();
}

void CBaseComm::CompleteWrittenLines(quint32 generation)
{
    if (IsClosedSince(generation) || !m_endScheduled)
        return;
    m_endScheduled = false;
    CheckSendNext();
}

void CBaseComm::StartTimeOutChecker(int msecs)
{
    // No prompt would ever stop it: the lines a line API takes past the queue
    // (the controller's own settings) would time out and bring a reconnect.
    if (m_promptless)
        return;
    qCDebug(lcHoiLink).noquote() << QTime::currentTime().toString("hh:mm:ss.zzz") << "StartChecker: " << msecs;
    m_checkerLastInterval = msecs;
    m_checkerDeadline.setRemainingTime(msecs);
    m_checkerArmed = true;
    // Only a deadline earlier than the timer's next shot needs the timer set.
    if (!m_checker.isActive() || m_checkerDeadline < m_checkerFiresAt) {
        m_checker.start(msecs);
        m_checkerFiresAt = m_checkerDeadline;
    }
}

void CBaseComm::RestartTimeOutChecker()
{
    StartTimeOutChecker(m_checkerLastInterval > 0 ? m_checkerLastInterval : m_checkerInterval);
}

void CBaseComm::StopTimeOutChecker()
{
    m_checkerArmed = false;
}

void CBaseComm::slotOnCheckerTick()
{
    if (!m_checkerArmed) {
        m_checker.stop();
        return;
    }
    const qint64 rest = m_checkerDeadline.remainingTime();
    if (rest > 0) {
        m_checker.start(int(rest));
        m_checkerFiresAt = m_checkerDeadline;
        return;
    }
    slotOnCheckerTimeOut();
}

void CBaseComm::slotOnCheckerTimeOut()
{
    qDebug("slotOnCheckerTimeOut");
    m_checker.stop();
    // Closing aborts the socket, so ask first whether it was still connecting.
    FailAndClose(IsConnecting() ? E_CR_CONNECT_TIMEOUT : E_CR_TIMEOUT);
}

void CBaseComm::slotOnSendFailed()
{
    qDebug("Send failed");
    FailAndClose(E_CR_FAILED);
}

void CBaseComm::CloseOnFailure()
{
    StopTimeOutChecker();
    m_closingOnFailure = true;
    CloseComm();
    m_closingOnFailure = false;
}

void CBaseComm::FailAndClose(E_CommResult eResult)
{
    CloseOnFailure();
    ReportLinkFailure(eResult);
}

void CBaseComm::ReportLinkFailure(E_CommResult eResult)
{
    ++m_linkFailureReports;
    emit OnSendQueueReturn(eResult);
}

bool CBaseComm::IsRebootCmd() const
{
    // Asked for every reply: compared in place, not on a copy.
    return m_curCmd == "reboot" || m_curCmd == "reboot\r\n";
}

void CBaseComm::DropHeadIfCurrent()
{
    if (!m_sendQueue.isEmpty() && m_sendQueue.first() == m_curCmd)
        m_sendQueue.removeFirst();
    // A finished reboot must not be finished again by later prompt-less output.
    if (IsRebootCmd())
        m_curCmd.clear();
}

void CBaseComm::CompleteReboot()
{
    // A rebooting device sends no prompt: its first output ends the command.
    StopTimeOutChecker();
    DropHeadIfCurrent();
    CheckSendNext();
}

inline void CBaseComm::SendDeferred()
{
    m_sendDeferred = false;
    if (!m_sendQueue.isEmpty() && IsConnected() && m_readyCount > 0 && !IsTimeOutCheckerRunning())
        CheckSendNext();
}

void CBaseComm::OnReceiveData(const QByteArray &data)
{
    if (data.isEmpty())
        return;
    ++m_receiveDepth;
    ReceiveBody(data);
    --m_receiveDepth;
    if (m_receiveDepth == 0 && m_sendDeferred)
        SendDeferred();
}

void CBaseComm::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_quietTimer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    m_quietTimer.stop();
    TakeUnendedLine();
}

bool CBaseComm::IsLastLineOfAnswer(const QByteArray &rest) const
{
    // Only the version's answer ends in a line of its own kind ("System
    // version: ..."); a quiet while inside any other line is a pause (a
    // segment resent), and the line goes on after it.
    static const QByteArray kSystem = QByteArrayLiteral("System version:");
    const int at = rest.indexOf(kSystem);
    return at >= 0 && (!m_controllerVersion.isEmpty() || rest.lastIndexOf("API version:", at) >= 0);
}

void CBaseComm::TakeUnendedLine()
{
    // The line API may leave its last line unended: nothing more has come
    // for a while, so the rest is that line. Under a receive (a listener's
    // nested event loop) the buffer is that receive's: asked again later.
    if (m_recvBuffer.isEmpty() || !IsLastLineOfAnswer(m_recvBuffer))
        return;
    if (m_receiveDepth > 0) {
        m_quietTimer.start(m_quietInterval, this);
        return;
    }
    // Moved out first: a listener's nested loop may read more meanwhile,
    // and that is a line of its own.
    QByteArray line;
    line.swap(m_recvBuffer);
    if (line.endsWith('\r'))
        line.chop(1);
    ++m_receiveDepth;
    m_loginLineAnswered = false;
    TakeLine(line);
    --m_receiveDepth;
    if (m_receiveDepth == 0 && m_sendDeferred)
        SendDeferred();
}

void CBaseComm::TakeRestBeforeClose()
{
    // The peer's close may follow its unended last line at once, before the
    // quiet while is over.
    if (!m_promptless || m_receiveDepth > 0)
        return;
    m_quietTimer.stop();
    TakeUnendedLine();
}

void CBaseComm::ReceiveBody(const QByteArray &data)
{
    const quint32 generation = m_closeGeneration;

    const QByteArray text = TakeTelnet(data);
    // A read of option bytes alone is no news: the rest already seen (a
    // prompt above all) must not be taken a second time.
    if (IsClosedSince(generation) || text.isEmpty())
        return;
    if (!TakeText(text) || !TakeLines())
        return;
    if (m_recvBuffer.isEmpty()) {
        // The echo of "reboot" may come as a whole line with nothing after it.
        if (IsRebootCmd())
            CompleteReboot();
        return;
    }
    if (DropOverlongRest())
        return;
    if (m_promptless)
        m_quietTimer.start(m_quietInterval, this);
    DueReceiveRest();
}

QByteArray CBaseComm::TakeTelnet(const QByteArray &data)
{
    // Most reads are plain text.
    if (m_telnetState == E_TS_DATA && m_negotiation.isEmpty() && !data.contains('\xff') && !data.contains('\0'))
        return data;
    QByteArray text;
    text.reserve(data.size());
    for (const char c : data) {
        const uchar b = uchar(c);
        switch (m_telnetState) {
        case E_TS_DATA:
            if (b == 0xFF) {
                if (m_negotiation.isEmpty())
                    m_negotiationAlone = text.isEmpty();
                m_negotiation += c;
                m_telnetState = E_TS_COMMAND;
                break;
            }
            if (!m_negotiation.isEmpty())
                EndNegotiation(false);
            if (c != '\0')
                text += c;
            break;
        case E_TS_COMMAND:
            if (b == 0xFF) { // an escaped data byte
                m_negotiation.chop(1);
                if (!m_negotiation.isEmpty())
                    EndNegotiation(false);
                text += c;
                m_telnetState = E_TS_DATA;
                break;
            }
            m_negotiation += c;
            m_telnetState = b == 0xFA ? E_TS_SUB : (b >= 0xFB ? E_TS_OPTION : E_TS_DATA);
            break;
        case E_TS_OPTION:
            m_negotiation += c;
            m_telnetState = E_TS_DATA;
            break;
        case E_TS_SUB:
            m_negotiation += c;
            if (b == 0xFF) {
                m_telnetState = E_TS_SUB_COMMAND;
            } else if (m_negotiation.size() >= kMaxLineLength) {
                // No device sends such a subnegotiation: taken as ended.
                m_negotiation.clear();
                m_telnetState = E_TS_DATA;
            }
            break;
        case E_TS_SUB_COMMAND:
            m_negotiation += c;
            m_telnetState = b == 0xF0 ? E_TS_DATA : E_TS_SUB;
            break;
        }
    }
    // A read that ends inside a command, or inside the start of a known
    // offer, leaves the run open for the next read.
    if (!m_negotiation.isEmpty() && m_telnetState == E_TS_DATA)
        EndNegotiation(true);
    return text;
}

void CBaseComm::EndNegotiation(bool bWholeRead)
{
    const QByteArray hex = m_negotiation.toHex();
    qCDebug(lcHoiLink, "<<<< OnReceiveDataHex: %s", hex.constData());
    const bool bAlone = bWholeRead && m_negotiationAlone;
    if (bAlone) {
        for (const T_Negotiation &n : kNegotiations) {
            if (hex == n.request) {
                m_negotiation.clear();
                if (*n.answer)
                    SendData(QByteArray::fromHex(n.answer), false);
                return;
            }
        }
        // The start of a known offer, cut off by the end of the read: the
        // next read may complete it.
        for (const T_Negotiation &n : kNegotiations) {
            if (qstrncmp(n.request, hex.constData(), uint(hex.size())) == 0)
                return;
        }
    }
    m_negotiation.clear();
}

bool CBaseComm::TakeText(const QByteArray &text)
{
    const quint32 generation = m_closeGeneration;
    m_recvBuffer.append(text);
    if (!m_replyCut) {
        m_replyText.append(text);
        if (m_replyText.size() > kMaxReplyLength) {
            qWarning("Reply length(%d) too long, not recognised.", m_replyText.size());
            m_replyText.clear();
            m_replyCut = true;
        }
    }
    qCDebug(lcHoiLink, "<<<< OnReceiveData(m_recvBuffer): %s", m_recvBuffer.constData());
    emit OnRecvData(m_recvBuffer);
    return !IsClosedSince(generation);
}

inline bool CBaseComm::TakeLine(const QByteArray &line)
{
    const quint32 generation = m_closeGeneration;
    if (!TakeControllerReply(line))
        return false;
    DueReceiveLine(line);
    if (IsClosedSince(generation))
        return false;
    m_lastLine = line;
    return true;
}

bool CBaseComm::TakeLines()
{
    // The line API may end its lines in LF alone; the shells end them in CR LF.
    const bool lfEnds = m_promptless;
    int pos = 0;
    for (;;) {
        int end;
        int next;
        if (lfEnds) {
            end = m_recvBuffer.indexOf('\n', pos);
            next = end + 1;
            if (end > pos && m_recvBuffer.at(end - 1) == '\r')
                --end;
        } else {
            end = m_recvBuffer.indexOf("\r\n", pos);
            next = end + 2;
        }
        if (end < 0)
            break;
        const QByteArray line = m_recvBuffer.mid(pos, end - pos);
        pos = next;
        if (!line.isEmpty() && !TakeLine(line))
            return false;
    }
    if (pos > 0)
        m_loginLineAnswered = false;
    m_recvBuffer.remove(0, pos);
    return true;
}

bool CBaseComm::DropOverlongRest()
{
    if (m_recvBuffer.size() < kMaxLineLength)
        return false;
    qWarning("Recv line length(%d) too long. \n", m_recvBuffer.size());
    qDebug("%s", m_recvBuffer.toHex().constData());
    m_recvBuffer.clear();
    return true;
}
