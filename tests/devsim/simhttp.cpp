#include "simhttp.h"
#include "simdelay.h"

#include <QDebug>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

const QByteArray kIpcListPath = QByteArrayLiteral("/upload/setipclist");
const QByteArray kScenePath = QByteArrayLiteral("/scene_upload");
// Larger requests are not what a device takes; the connection is dropped.
const qint64 kMaxBody = 64 * 1024 * 1024;
// A slow reader takes its share this often.
const int kSlowReadTickMs = 50;
// Between two pieces of an answer: a peer in this process has read the
// first long before, unless the machine is very busy.
const int kPiecePauseMs = 10;

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 411: return "Length Required";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// The value of a key=value or key="value" parameter of a header value;
// semicolons inside quotes belong to the value.
QByteArray HeaderParam(const QByteArray &value, const QByteArray &key)
{
    QList<QByteArray> items;
    QByteArray item;
    bool bQuoted = false;
    for (char c : value) {
        if (c == '"')
            bQuoted = !bQuoted;
        if (c == ';' && !bQuoted) {
            items.append(item);
            item.clear();
        } else {
            item += c;
        }
    }
    items.append(item);
    for (const QByteArray &raw : qAsConst(items)) {
        const QByteArray part = raw.trimmed();
        const int eq = part.indexOf('=');
        if (eq < 0 || part.left(eq).trimmed().toLower() != key)
            continue;
        QByteArray v = part.mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return QByteArray();
}

QList<QByteArray> Pieces(const QByteArray &bytes, CSimHttp::E_AnswerSplit eSplit)
{
    QList<QByteArray> pieces;
    int nFrom = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        const bool bCut = eSplit == CSimHttp::E_AS_BYTES || i + 1 == bytes.size()
                          || (eSplit == CSimHttp::E_AS_LINE_ENDS && (bytes[i] == '\n' || bytes[i + 1] == '\n'));
        if (bCut) {
            pieces.append(bytes.mid(nFrom, i + 1 - nFrom));
            nFrom = i + 1;
        }
    }
    return pieces;
}

} // namespace

QByteArray T_SimHttpRequest::Header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

CSimHttp::CSimHttp(QObject *parent)
    : QObject(parent)
{
    m_uploadPaths = {QByteArrayLiteral("/upload_logo"), QByteArrayLiteral("/upload_bg"), kIpcListPath};
}

CSimHttp::~CSimHttp()
{
    Close();
}

bool CSimHttp::Listen(const QHostAddress &address, quint16 port)
{
    Close();
    m_server = new QTcpServer(this);
    if (!m_server->listen(address, port)) {
        qWarning() << "simhttp: cannot listen on" << address.toString() << port << m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_address = address;
    m_port = m_server->serverPort();
    connect(m_server, &QTcpServer::newConnection, this, &CSimHttp::onNewConnection);
    return true;
}

void CSimHttp::Close()
{
    while (!m_sessions.isEmpty())
        dropSession(m_sessions.first());
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
}

QString CSimHttp::BaseUrl() const
{
    if (m_port == 80)
        return QStringLiteral("http://%1").arg(m_address.toString());
    return QStringLiteral("http://%1:%2").arg(m_address.toString()).arg(m_port);
}

void CSimHttp::SetFault(E_Fault eFault, int nValue)
{
    m_fault = eFault;
    m_faultValue = nValue;
    if (eFault == E_HF_REFUSE) {
        if (m_server)
            m_server->close();
        return;
    }
    if (m_server && !m_server->isListening() && !m_server->listen(m_address, m_port))
        qWarning() << "simhttp: cannot listen again on" << m_address.toString() << m_port;
}

void CSimHttp::ClearRequests()
{
    for (Session *s : qAsConst(m_sessions)) {
        if (s->index >= 0) {
            s->index = -1;
            s->answered = true;
        }
    }
    m_requests.clear();
}

void CSimHttp::AnswerHeld(int nStatus)
{
    const QList<Session *> sessions = m_sessions;
    for (Session *s : sessions) {
        if (s->index >= 0 && m_requests.at(s->index).complete && m_requests.at(s->index).status == 0)
            answer(s, nStatus, QByteArray("OK"));
    }
}

void CSimHttp::onNewConnection()
{
    while (QTcpSocket *pSocket = m_server->nextPendingConnection()) {
        Session *s = new Session;
        s->socket = pSocket;
        m_sessions.append(s);
        if (m_fault == E_HF_SLOW_READ) {
            // Nothing more waits in this process or in the kernel than one
            // share: the sender sees the pace in its own socket.
            s->pace = qMax(1, m_faultValue * kSlowReadTickMs / 1000);
            pSocket->setReadBufferSize(s->pace);
            pSocket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, s->pace);
            s->tick = new QTimer(this);
            connect(s->tick, &QTimer::timeout, this, [this, s]() {
                s->buffer += s->socket->read(s->pace);
                process(s);
            });
            s->tick->start(kSlowReadTickMs);
        }
        connect(pSocket, &QTcpSocket::readyRead, this, [this, s]() { onReadyRead(s); });
        connect(pSocket, &QTcpSocket::disconnected, this, [this, s]() {
            if (s->index >= 0 && !s->answered && !m_requests[s->index].complete) {
                // The client gave up in the middle of the body.
                s->answered = true;
                emit RequestDone(s->index);
            }
            dropSession(s);
        });
    }
}

void CSimHttp::onReadyRead(Session *s)
{
    if (s->pace > 0)
        return; // the session's tick takes it
    s->buffer += s->socket->readAll();
    process(s);
}

void CSimHttp::process(Session *s)
{
    if (s->answered)
        return;
    if (!s->headerDone) {
        const int end = s->buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            if (s->buffer.size() > 65536)
                dropSession(s);
            return;
        }
        const QList<QByteArray> lines = s->buffer.left(end).split('\n');
        s->buffer.remove(0, end + 4);
        s->headerDone = true;

        T_SimHttpRequest req;
        const QList<QByteArray> words = lines.value(0).trimmed().split(' ');
        req.method = words.value(0);
        const QByteArray target = words.value(1);
        const int q = target.indexOf('?');
        req.path = q < 0 ? target : target.left(q);
        req.query = q < 0 ? QByteArray() : target.mid(q + 1);
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                req.headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
        }
        bool ok = true;
        const QByteArray length = req.Header("Content-Length");
        s->contentLength = length.isEmpty() ? 0 : length.toLongLong(&ok);
        if (!ok || s->contentLength < 0 || s->contentLength > kMaxBody) {
            m_requests.append(req);
            s->index = m_requests.size() - 1;
            answer(s, 400, QByteArray());
            return;
        }
        m_requests.append(req);
        s->index = m_requests.size() - 1;
        if (m_fault == E_HF_CONTINUE)
            send(s, "HTTP/1.1 100 Continue\r\n\r\n", false);
    }

    T_SimHttpRequest &req = m_requests[s->index];
    if (m_fault == E_HF_DROP_BODY && s->contentLength > qMax(0, m_faultValue)) {
        const qint64 nWant = qMax(0, m_faultValue);
        req.body += s->buffer.left(int(qMin<qint64>(nWant - req.body.size(), s->buffer.size())));
        s->buffer.clear();
        if (req.body.size() >= nWant) {
            s->answered = true;
            const int index = s->index;
            s->socket->abort(); // a reset, not an orderly end
            dropSession(s);
            emit RequestDone(index);
        }
        return;
    }
    const qint64 nNeed = s->contentLength - req.body.size();
    req.body += s->buffer.left(int(qMin<qint64>(nNeed, s->buffer.size())));
    s->buffer.clear();
    if (req.body.size() < s->contentLength)
        return;
    req.complete = true;
    finishRequest(s);
}

void CSimHttp::finishRequest(Session *s)
{
    T_SimHttpRequest &req = m_requests[s->index];
    ParseMultipart(req.Header("Content-Type"), req.body, req);

    if (m_fault == E_HF_STALL) {
        s->answered = true;
        emit RequestDone(s->index);
        return;
    }
    if (m_fault == E_HF_ENDLESS_ANSWER) {
        s->answered = true;
        m_requests[s->index].status = 200;
        send(s, "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(qMax(0, m_faultValue), 'x'), false);
        emit RequestDone(s->index);
        return;
    }

    int status = 404;
    QByteArray body;
    QByteArray type;
    if (req.method == "POST") {
        const bool bUpload = m_uploadPaths.contains(req.path) || (m_bController && req.path == kScenePath);
        if (bUpload)
            status = req.partCount < 1 ? 400 : 200;
        if (status == 200 && m_fault != E_HF_STATUS)
            m_stored.insert(req.path, req.partData);
        body = status == 200 ? QByteArray("OK") : QByteArray();
    } else if (req.method == "GET") {
        if (req.path == "/action" && req.query == "cmdtype=devconfig&cmdstr=getipclist") {
            status = 200;
            body = m_stored.value(kIpcListPath);
            type = "text/xml";
        } else if (m_bController && req.path == "/scene_download" && m_stored.contains(kScenePath)) {
            status = 200;
            body = m_stored.value(kScenePath);
            type = "application/octet-stream";
        }
    }
    if (m_fault == E_HF_STATUS) {
        // Another status on what would have been the answer: an error page
        // for 4xx and 5xx, no body where HTTP allows none (204, 304).
        status = m_faultValue;
        if (status >= 400)
            body = "error\n";
        else if (status == 204 || status == 304)
            body.clear();
    }
    answer(s, status, body, type);
}

void CSimHttp::answer(Session *s, int status, const QByteArray &body, const QByteArray &type)
{
    s->answered = true;
    const int index = s->index;
    if (index >= 0)
        m_requests[index].status = status;
    const QByteArray statusLine = QByteArray::number(status) + ' ' + ReasonPhrase(status);
    const bool bLength = status != 204 && status != 304;
    if (m_fault == E_HF_LF_HEAD) {
        // A small server passing on the lines of its script as they are.
        send(s, "HTTP/1.0 " + statusLine + "\r\nContent-type: text/plain\n\n" + body, true);
    } else if (m_fault == E_HF_LF_ONLY) {
        QByteArray head = "HTTP/1.1 " + statusLine + '\n';
        if (bLength)
            head += "Content-Length: " + QByteArray::number(body.size()) + '\n';
        send(s, head + '\n' + body, false);
    } else if (m_fault == E_HF_RAW_ANSWER) {
        send(s, m_rawAnswer, false);
    } else if (m_fault == E_HF_CHUNKED) {
        QByteArray chunks;
        if (!body.isEmpty())
            chunks = QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n";
        send(s, "HTTP/1.1 " + statusLine + "\r\nTransfer-Encoding: chunked\r\n\r\n" + chunks + "0\r\n\r\n", false);
    } else {
        QByteArray head = "HTTP/1.1 " + statusLine + "\r\n";
        if (!type.isEmpty())
            head += "Content-Type: " + type + "\r\n";
        if (bLength)
            head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        send(s, head + body, true);
    }
    if (index >= 0)
        emit RequestDone(index);
}

void CSimHttp::send(Session *s, const QByteArray &bytes, bool bClose)
{
    if (m_split == E_AS_WHOLE)
        s->pieces.append(bytes);
    else
        s->pieces += Pieces(bytes, m_split);
    s->closeAfter = s->closeAfter || bClose;
    if (s->pause && s->pause->isActive())
        return;
    if (!s->started && SimExtraAnswerDelay() > 0) {
        s->started = true;
        pauseBeforePiece(s, SimExtraAnswerDelay());
        return;
    }
    s->started = true;
    sendPiece(s);
}

void CSimHttp::pauseBeforePiece(Session *s, int msecs)
{
    if (!s->pause) {
        s->pause = new QTimer(this);
        s->pause->setSingleShot(true);
        connect(s->pause, &QTimer::timeout, this, [this, s]() { sendPiece(s); });
    }
    s->pause->start(msecs);
}

void CSimHttp::sendPiece(Session *s)
{
    if (!s->pieces.isEmpty()) {
        s->socket->write(s->pieces.takeFirst());
        s->socket->flush(); // on its way now, alone
    }
    if (!s->pieces.isEmpty()) {
        pauseBeforePiece(s, kPiecePauseMs);
    } else if (s->closeAfter) {
        s->socket->disconnectFromHost(); // after the bytes are out
    }
}

void CSimHttp::dropSession(Session *s)
{
    if (!m_sessions.removeOne(s))
        return;
    // Either timer may be the one running now.
    for (QTimer *pTimer : {s->tick, s->pause}) {
        if (pTimer) {
            pTimer->stop();
            pTimer->deleteLater();
        }
    }
    s->socket->disconnect(this);
    s->socket->abort();
    s->socket->deleteLater();
    delete s;
}

bool CSimHttp::ParseMultipart(const QByteArray &contentType, const QByteArray &body, T_SimHttpRequest &req)
{
    req.partCount = 0;
    if (!contentType.trimmed().toLower().startsWith("multipart/"))
        return false;
    const QByteArray boundary = HeaderParam(contentType, "boundary");
    if (boundary.isEmpty())
        return false;
    const QByteArray delimiter = "--" + boundary;
    if (!body.startsWith(delimiter + "\r\n"))
        return false;
    int pos = delimiter.size() + 2;
    QList<T_SimHttpRequest> parts;
    for (;;) {
        const int headEnd = body.indexOf("\r\n\r\n", pos);
        // An empty header block ends at once with the blank line.
        const bool bNoHeaders = body.mid(pos, 2) == "\r\n";
        if (headEnd < 0 && !bNoHeaders)
            return false;
        const int dataStart = bNoHeaders ? pos + 2 : headEnd + 4;
        const int next = body.indexOf("\r\n" + delimiter, dataStart);
        if (next < 0)
            return false;
        T_SimHttpRequest part;
        const QList<QByteArray> lines = bNoHeaders ? QList<QByteArray>() : body.mid(pos, headEnd - pos).split('\n');
        for (const QByteArray &raw : lines) {
            const QByteArray line = raw.trimmed();
            const int colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            part.partHeaders.append(qMakePair(name, value));
            if (name.compare("Content-Disposition", Qt::CaseInsensitive) == 0) {
                part.partName = HeaderParam(value, "name");
                part.fileName = HeaderParam(value, "filename");
            } else if (name.compare("Content-Type", Qt::CaseInsensitive) == 0) {
                part.partType = value;
            }
        }
        part.partData = body.mid(dataStart, next - dataStart);
        parts.append(part);
        pos = next + 2 + delimiter.size();
        if (body.mid(pos, 4) == "--\r\n" || (body.mid(pos, 2) == "--" && pos + 2 == body.size()))
            break;
        if (body.mid(pos, 2) != "\r\n")
            return false;
        pos += 2;
    }
    const T_SimHttpRequest &first = parts.first();
    req.partCount = parts.size();
    req.partName = first.partName;
    req.fileName = first.fileName;
    req.partType = first.partType;
    req.partData = first.partData;
    req.partHeaders = first.partHeaders;
    return true;
}
