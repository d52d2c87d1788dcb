#include "upload/httpconnect.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QHttpMultiPart>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <cstring>

#include "uiservices.h"

QNetworkAccessManager *NewDeviceAccessManager(QObject *parent)
{
    QNetworkAccessManager *pManager = new QNetworkAccessManager(parent);
    pManager->setProxy(QNetworkProxy::NoProxy);
    return pManager;
}

void DropReply(QNetworkReply *&pReply, QObject *pReceiver)
{
    if (!pReply)
        return;
    // Cleared first: the manager may still report the reply as finished.
    QNetworkReply *pGone = pReply;
    pReply = nullptr;
    pGone->disconnect(pReceiver);
    pGone->abort();
    pGone->deleteLater();
}

namespace {

const char kLimitProperty[] = "hoiDownloadLimit";
const char kTooLargeProperty[] = "hoiDownloadTooLarge";

// What an upload keeps in its socket and in the kernel's send buffer (which
// the kernel doubles): enough for a full LAN, little enough that the bytes
// the kernel took are close to the bytes the device took, and that an
// upload ended early sends little more.
const qint64 kSocketQueueBytes = 16 * 1024;
const int kSendBufferBytes = 32 * 1024;
// A device's answer is a short page: one that keeps sending past this is
// no answer to an upload.
const int kMaxAnswerBytes = 1024 * 1024;

QByteArray FormDataFileName(const QString &strFileName)
{
    // As browsers send it: a quote, CR or LF in the name would end the
    // quoted value or the header early.
    QByteArray name = strFileName.toUtf8();
    name.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return name;
}

} // namespace

void LimitDownload(QNetworkReply *pReply, qint64 nMaxBytes)
{
    const bool bWatched = pReply->property(kLimitProperty).isValid();
    pReply->setProperty(kLimitProperty, nMaxBytes);
    if (bWatched)
        return;
    QObject::connect(pReply, &QNetworkReply::downloadProgress, pReply, [pReply](qint64 nReceived, qint64 nTotal) {
        const qint64 nMax = pReply->property(kLimitProperty).toLongLong();
        if (pReply->property(kTooLargeProperty).toBool() || (nReceived <= nMax && nTotal <= nMax))
            return;
        qWarning() << "download larger than" << nMax << "bytes dropped:" << pReply->url();
        // Marked first: the answer may be in whole already, and the abort
        // may report the end at once.
        pReply->setProperty(kTooLargeProperty, true);
        pReply->abort();
    });
}

bool IsReplyOk(const QNetworkReply *pReply)
{
    const QVariant code = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return pReply->error() == QNetworkReply::NoError && code.isValid() && code.toInt() == 200
           && !pReply->property(kTooLargeProperty).toBool();
}

bool HasUploadPath(const QString &url)
{
    return QUrl(url, QUrl::TolerantMode).path().size() > 1;
}

bool IsLoadableImage(const QByteArray &data)
{
    return !QImage::fromData(data).isNull();
}

bool IsImageWithin(const QByteArray &data, const QSize &maxSize)
{
    const QImage image = QImage::fromData(data);
    return !image.isNull() && image.width() <= maxSize.width() && image.height() <= maxSize.height();
}


QNetworkReply *PostFormFile(QNetworkAccessManager *pManager, const QUrl &url, const QByteArray &name,
                            const QString &strFileName, const QByteArray &partType, QIODevice *pBody,
                            bool bTakeBody)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArray("multipart/form-data; boundary=") + HttpConnect::Boundary());

    QHttpMultiPart *pMultiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    pMultiPart->setBoundary(HttpConnect::Boundary());
    QHttpPart part;
    part.setRawHeader("Content-Disposition",
                      "form-data; name=\"" + name + "\"; filename=\"" + FormDataFileName(strFileName) + '"');
    part.setRawHeader("Content-Type", partType);
    part.setBodyDevice(pBody);
    if (bTakeBody)
        pBody->setParent(pMultiPart);
    pMultiPart->append(part);

    QNetworkReply *pReply = pManager->post(request, pMultiPart);
    pMultiPart->setParent(pReply);
    return pReply;
}

HttpConnect::HttpConnect(QObject *parent)
    : QObject(parent)
{
}

HttpConnect::~HttpConnect()
{
    // The owner is going away: the upload ends unreported.
    Drop();
}

QByteArray HttpConnect::Boundary()
{
    return QByteArrayLiteral("---webkitFormBoundary8ESp7IbP7szByKvn");
}

bool HttpConnect::BeginUpload(const QString &devName, const QString &url)
{
    // A second upload would take over the file and the name of the first,
    // whose answer would then be reported under the wrong name.
    if (m_socket) {
        qWarning() << "upload to" << m_devName << "still under way; refused" << url;
        return false;
    }
    m_devName = devName;
    if (!HasUploadPath(url)) {
        qWarning() << "no upload path in" << url << "; nothing sent";
        return false;
    }
    return true;
}

bool HttpConnect::PostFile(const QString &filePath, const QString &url, const QString &devName)
{
    if (!BeginUpload(devName, url) || filePath.isEmpty())
        return false;
    QFile *pFile = new QFile(filePath);
    if (!pFile->open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << filePath << pFile->errorString();
        delete pFile;
        return false;
    }
    Post(pFile, filePath, url); // streamed as it is
    return true;
}

bool HttpConnect::ReadCheckedFile(const QString &filePath, qint64 nMaxBytes, const DataCheck &check,
                                  QByteArray &data)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << filePath << file.errorString();
        return false;
    }
    // One byte past the limit tells a file that grew beyond it.
    data = file.read(nMaxBytes < 0 ? file.size() : nMaxBytes + 1);
    const bool bReadAll = file.error() == QFileDevice::NoError;
    if (!bReadAll || (nMaxBytes >= 0 && data.size() > nMaxBytes) || (check && !check(data))) {
        qWarning() << "no longer fit to upload:" << filePath;
        return false;
    }
    return true;
}

bool HttpConnect::PostCheckedFile(const QString &filePath, const QString &url, const QString &devName,
                                  qint64 nMaxBytes, const DataCheck &check)
{
    QByteArray data;
    return !filePath.isEmpty() && ReadCheckedFile(filePath, nMaxBytes, check, data)
           && PostData(data, filePath, url, devName);
}

bool HttpConnect::PostData(const QByteArray &data, const QString &filePath, const QString &url,
                           const QString &devName)
{
    if (!BeginUpload(devName, url))
        return false;
    // The buffer shares the bytes: many uploads of them hold one copy.
    QBuffer *pBuffer = new QBuffer;
    pBuffer->setData(data);
    pBuffer->open(QIODevice::ReadOnly);
    Post(pBuffer, filePath, url);
    return true;
}

void HttpConnect::Post(QIODevice *pBody, const QString &filePath, const QString &url)
{
    const QUrl target(url, QUrl::TolerantMode);
    QByteArray path = target.path(QUrl::FullyEncoded).toLatin1(); // not empty: BeginUpload
    if (target.hasQuery())
        path += '?' + target.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = target.host(QUrl::FullyEncoded).toLatin1();
    if (target.port() >= 0)
        host += ':' + QByteArray::number(target.port());

    const QByteArray partHead = "--" + Boundary() + "\r\nContent-Disposition: form-data; name=\"bgimage\"; filename=\""
                                + FormDataFileName(filePath) + "\"\r\nContent-Type: image\r\n\r\n";
    m_tail = "\r\n--" + Boundary() + "--\r\n";
    m_nFileLeft = pBody->size();
    m_nBodyBytes = partHead.size() + m_nFileLeft + m_tail.size();
    m_head = "POST " + path + " HTTP/1.1\r\nHost: " + host
             + "\r\nContent-Type: multipart/form-data; boundary=" + Boundary()
             + "\r\nMIME-Version: 1.0\r\nContent-Length: " + QByteArray::number(m_nBodyBytes)
             + "\r\nConnection: close\r\n\r\n";
    m_nRequestHeadBytes = m_head.size();
    m_head += partHead;
    m_nWritten = 0;
    m_nReported = 0;
    m_bTailQueued = false;
    m_answer.Clear();

    m_socket = new QTcpSocket(this);
    m_socket->setProxy(QNetworkProxy::NoProxy);
    m_file = pBody;
    m_file->setParent(m_socket);
    connect(m_socket, &QTcpSocket::connected, this, &HttpConnect::OnConnected);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HttpConnect::OnBytesWritten);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpConnect::OnReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpConnect::OnClosed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &HttpConnect::OnClosed);
    if (target.scheme() != QLatin1String("http") || target.host().isEmpty()) {
        qWarning() << "no device address in" << url;
        // Reported later, as any other failure.
        QTimer::singleShot(0, m_socket, [this] { Finish(QVariant()); });
        return;
    }
    m_socket->connectToHost(target.host(), quint16(target.port(80)));
}

void HttpConnect::OnConnected()
{
    // A small send buffer: the kernel takes more only as the device does.
    m_socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSendBufferBytes);
    FeedSocket();
}

void HttpConnect::FeedSocket()
{
    while (m_socket && m_socket->bytesToWrite() < kSocketQueueBytes) {
        QByteArray chunk;
        if (!m_head.isEmpty()) {
            chunk.swap(m_head);
        } else if (m_nFileLeft > 0) {
            chunk = m_file->read(qMin(m_nFileLeft, kSocketQueueBytes));
            if (chunk.isEmpty()) {
                // The announced length can no longer be kept.
                qWarning() << "upload body ended early:" << m_file->errorString();
                Finish(QVariant());
                return;
            }
            m_nFileLeft -= chunk.size();
        } else if (!m_bTailQueued) {
            chunk = m_tail;
            m_bTailQueued = true;
        } else {
            return;
        }
        m_socket->write(chunk);
    }
}

void HttpConnect::OnBytesWritten(qint64 nBytes)
{
    m_nWritten += nBytes;
    slotOnUploadProgress(qBound<qint64>(0, m_nWritten - m_nRequestHeadBytes, m_nBodyBytes), m_nBodyBytes);
    FeedSocket(); // the owner may have ended the upload meanwhile
}

void HttpConnect::slotOnUploadProgress(qlonglong bytesSent, qlonglong)
{
    if (bytesSent <= m_nReported)
        return;
    m_nReported = bytesSent;
    emit signalSendBytes(bytesSent);
}

namespace {

bool IsBlank(char c)
{
    // LF too: a folded field's value spans lines.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Narrows [p, e) to its bytes without the blanks around them.
void Trim(const char *&p, const char *&e)
{
    while (p < e && IsBlank(*p))
        ++p;
    while (e > p && IsBlank(e[-1]))
        --e;
}

// Whether [p, e) is word, ignoring case.
bool IsWord(const char *p, const char *e, const char *word)
{
    const int nSize = int(qstrlen(word));
    return e - p == nSize && qstrnicmp(p, word, uint(nSize)) == 0;
}

// The status of a status line [p, e) such as "HTTP/1.1 200 OK"; 0 when the
// line is none.
int StatusCode(const char *p, const char *e)
{
    Trim(p, e);
    if (e - p < 5 || qstrncmp(p, "HTTP/", 5) != 0)
        return 0;
    while (p < e && !IsBlank(*p))
        ++p;
    while (p < e && IsBlank(*p))
        ++p;
    int nCode = 0;
    const char *pDigits = p;
    for (; p < e && p - pDigits < 9 && *p >= '0' && *p <= '9'; ++p)
        nCode = nCode * 10 + (*p - '0');
    return p > pDigits && (p == e || IsBlank(*p)) ? nCode : 0;
}

// The LF that ends the line at p of a head ending at e, with the lines
// folded onto it (those that start with a blank).
const char *FieldEnd(const char *p, const char *e)
{
    const char *pLf = static_cast<const char *>(memchr(p, '\n', size_t(e - p)));
    while (pLf + 1 < e && (pLf[1] == ' ' || pLf[1] == '\t'))
        pLf = static_cast<const char *>(memchr(pLf + 1, '\n', size_t(e - pLf - 1)));
    return pLf;
}

// Narrows the list [p, e) to its last member, trimmed; empty members are
// none ("chunked," names chunked last). False when it names none.
bool LastMember(const char *&p, const char *&e)
{
    for (const char *pEnd = e;;) {
        const char *pStart = pEnd;
        while (pStart > p && pStart[-1] != ',')
            --pStart;
        const char *pMember = pStart;
        const char *pMemberEnd = pEnd;
        Trim(pMember, pMemberEnd);
        if (pMember < pMemberEnd) {
            p = pMember;
            e = pMemberEnd;
            return true;
        }
        if (pStart == p)
            return false;
        pEnd = pStart - 1; // before its comma
    }
}

// Splits a header line [p, e) at its colon into a trimmed name [p, e) and
// value [pValue, e); false when it has no name.
bool SplitField(const char *&p, const char *&e, const char *&pValue, const char *&pValueEnd)
{
    const char *pColon = static_cast<const char *>(memchr(p, ':', size_t(e - p)));
    if (!pColon || pColon == p)
        return false;
    pValue = pColon + 1;
    pValueEnd = e;
    Trim(pValue, pValueEnd);
    e = pColon;
    Trim(p, e);
    return true;
}

// A Content-Length value; what passes the cap counts as just past it.
int ContentLength(const char *p, const char *e)
{
    int nLength = 0;
    for (; p < e; ++p) {
        if (*p < '0' || *p > '9')
            return 0;
        nLength = qMin(nLength * 10 + (*p - '0'), kMaxAnswerBytes + 1);
    }
    return nLength;
}

QVariant CodeOf(int nStatus)
{
    return nStatus > 0 ? QVariant(nStatus) : QVariant();
}

} // namespace

void HttpConnect::AnswerReader::Clear()
{
    *this = AnswerReader();
}

bool HttpConnect::AnswerReader::Append(const QByteArray &bytes)
{
    m_bytes += bytes;
    return m_bytes.size() <= kMaxAnswerBytes;
}

bool HttpConnect::AnswerReader::IsWhole()
{
    for (;;) {
        switch (m_phase) {
        case E_AR_HEAD:
            if (!ReadHead())
                return false;
            break;
        case E_AR_LENGTH:
            if (m_bytes.size() < m_nEnd)
                return false;
            m_phase = E_AR_WHOLE;
            break;
        case E_AR_CHUNK_SIZE:
            if (!ReadChunkSize())
                return false;
            break;
        case E_AR_CHUNK_END: {
            // Anything up to the LF after the data ends its line.
            const int nLf = NextLf();
            if (nLf < 0)
                return false;
            m_nPos = m_nScan = nLf + 1;
            m_phase = E_AR_CHUNK_SIZE;
            break;
        }
        case E_AR_TRAILER:
            // The trailer ends as a head does.
            if (HeadEnd() < 0)
                return false;
            m_phase = E_AR_WHOLE;
            break;
        case E_AR_TO_CLOSE:
            return false;
        case E_AR_WHOLE:
        case E_AR_BROKEN:
            return true;
        }
    }
}

bool HttpConnect::AnswerReader::ReadHead()
{
    // Empty lines before a status line are passed over, as Qt's access
    // manager does.
    const char *pBytes = m_bytes.constData();
    while (m_nPos < m_bytes.size() && (pBytes[m_nPos] == '\r' || pBytes[m_nPos] == '\n'))
        ++m_nPos;
    m_nScan = qMax(m_nScan, m_nPos);
    const int nHeadEnd = HeadEnd();
    if (nHeadEnd < 0)
        return false;
    const char *pLine = pBytes + m_nPos;
    const char *pHeadEnd = pBytes + nHeadEnd;
    const char *pLf = static_cast<const char *>(memchr(pLine, '\n', size_t(pHeadEnd - pLine)));
    const int nCode = StatusCode(pLine, pLf);
    m_nPos = m_nScan = nHeadEnd;
    if (nCode <= 0) {
        m_phase = E_AR_BROKEN;
        return true;
    }
    if (nCode >= 100 && nCode < 200)
        return true; // interim: the next head follows
    m_nStatus = nCode;
    if (nCode == 204 || nCode == 304) {
        m_phase = E_AR_WHOLE;
        return true;
    }

    // A field may come in several lines; the last coding named decides.
    bool bChunked = false;
    int nLength = -1;
    for (pLine = pLf + 1; pLine < pHeadEnd; pLine = pLf + 1) {
        pLf = FieldEnd(pLine, pHeadEnd);
        const char *pName = pLine;
        const char *pNameEnd = pLf;
        const char *pValue = nullptr;
        const char *pValueEnd = nullptr;
        if (!SplitField(pName, pNameEnd, pValue, pValueEnd))
            continue;
        if (IsWord(pName, pNameEnd, "transfer-encoding")) {
            if (LastMember(pValue, pValueEnd))
                bChunked = IsWord(pValue, pValueEnd, "chunked");
        } else if (IsWord(pName, pNameEnd, "content-length") && nLength < 0 && pValue < pValueEnd) {
            nLength = ContentLength(pValue, pValueEnd);
        }
    }
    if (bChunked) {
        m_phase = E_AR_CHUNK_SIZE;
    } else if (nLength > kMaxAnswerBytes - nHeadEnd) {
        m_phase = E_AR_BROKEN; // as a chunk size past the cap
    } else if (nLength >= 0) {
        m_nEnd = nHeadEnd + nLength;
        m_phase = E_AR_LENGTH;
    } else {
        m_phase = E_AR_TO_CLOSE;
    }
    return true;
}

bool HttpConnect::AnswerReader::ReadChunkSize()
{
    const int nLf = NextLf();
    if (nLf < 0)
        return false;
    const char *p = m_bytes.constData() + m_nPos;
    const char *e = m_bytes.constData() + nLf;
    if (const void *pSemicolon = memchr(p, ';', size_t(e - p)))
        e = static_cast<const char *>(pSemicolon);
    Trim(p, e);
    // A size that cannot fit in what is left of the cap is no size a
    // device sends: the framing is broken.
    const int nLeft = kMaxAnswerBytes - (nLf + 1);
    int nSize = 0;
    bool bRead = p < e;
    for (; bRead && p < e; ++p) {
        const int nDigit = HexDigit(*p);
        nSize = nSize * 16 + nDigit;
        bRead = nDigit >= 0 && nSize <= nLeft;
    }
    if (!bRead) {
        m_phase = E_AR_BROKEN;
    } else if (nSize == 0) {
        m_nScan = nLf; // its LF may start the trailer's empty line
        m_phase = E_AR_TRAILER;
    } else {
        m_nEnd = m_nScan = nLf + 1 + nSize;
        m_phase = E_AR_CHUNK_END;
    }
    return true;
}

int HttpConnect::AnswerReader::HeadEnd()
{
    // HTTP lets a line end in a bare LF, as small servers pass on a CGI
    // script's own lines: any LF followed by LF or CR LF ends the head.
    const char *pBytes = m_bytes.constData();
    const int nSize = m_bytes.size();
    for (int nLf = m_bytes.indexOf('\n', m_nScan); nLf >= 0; nLf = m_bytes.indexOf('\n', nLf + 1)) {
        if (nLf + 1 < nSize && pBytes[nLf + 1] == '\n')
            return nLf + 2;
        if (nLf + 2 < nSize && pBytes[nLf + 1] == '\r' && pBytes[nLf + 2] == '\n')
            return nLf + 3;
        if (nLf + 2 >= nSize) {
            m_nScan = nLf; // the bytes after it are not all in
            return -1;
        }
    }
    m_nScan = nSize;
    return -1;
}

int HttpConnect::AnswerReader::NextLf()
{
    const int nLf = m_bytes.indexOf('\n', m_nScan);
    if (nLf < 0)
        m_nScan = qMax(m_nScan, m_bytes.size());
    return nLf;
}

void HttpConnect::OnReadyRead()
{
    if (!m_answer.Append(m_socket->readAll())) {
        qWarning() << "answer of" << m_devName << "longer than" << kMaxAnswerBytes << "bytes; taken as failure";
        Finish(QVariant());
        return;
    }
    if (m_answer.IsWhole())
        Finish(CodeOf(m_answer.Status()));
}

void HttpConnect::OnClosed()
{
    if (!m_socket)
        return;
    m_answer.Append(m_socket->readAll());
    m_answer.IsWhole();
    Finish(CodeOf(m_answer.Status()));
}

void HttpConnect::Abort()
{
    if (m_socket)
        Finish(QVariant());
}

void HttpConnect::Drop()
{
    if (m_socket)
        ReleaseSocket();
}

void HttpConnect::ReleaseSocket()
{
    // Deleted later: this may run inside one of its signals. The body goes
    // with it.
    QTcpSocket *pSocket = m_socket;
    m_socket = nullptr;
    m_file = nullptr;
    m_head.clear();
    pSocket->disconnect(this);
    pSocket->abort();
    pSocket->deleteLater();
}

void HttpConnect::Finish(const QVariant &code)
{
    if (!m_socket)
        return;
    ReleaseSocket();
    // Reported last: an owner may start its next upload from these signals.
    emit OnGetMapUploadStatus(code);
    emit OnGetMapUploadStatus(m_devName, code);
}
