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
    m_answer.clear();

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

// Where the head that starts at nFrom ends, past the empty line that ends
// it; -1 while that line is not in. HTTP lets a line end in a bare LF, as
// small servers pass on a CGI script's own header lines.
int HeadEnd(const QByteArray &bytes, int nFrom = 0)
{
    for (int nLf = bytes.indexOf('\n', nFrom); nLf >= 0; nLf = bytes.indexOf('\n', nLf + 1)) {
        if (bytes.mid(nLf + 1, 1) == "\n")
            return nLf + 2;
        if (bytes.mid(nLf + 1, 2) == "\r\n")
            return nLf + 3;
    }
    return -1;
}

// The value of header name among the lines of a head, empty when missing.
QByteArray HeaderValue(const QList<QByteArray> &lines, const QByteArray &name)
{
    for (const QByteArray &line : lines) {
        const int nColon = line.indexOf(':');
        if (nColon > 0 && line.left(nColon).trimmed().toLower() == name)
            return line.mid(nColon + 1).trimmed();
    }
    return QByteArray();
}

// Whether a chunked body is in up to its last chunk and the end of its
// trailer; bBad when a chunk size cannot be read.
bool IsWholeChunked(const QByteArray &body, bool &bBad)
{
    bBad = false;
    int nPos = 0;
    for (;;) {
        const int nLf = body.indexOf('\n', nPos);
        if (nLf < 0)
            return false;
        bool bHex = false;
        const qint64 nSize = body.mid(nPos, nLf - nPos).split(';').first().trimmed().toLongLong(&bHex, 16);
        if (!bHex || nSize < 0) {
            bBad = true;
            return true;
        }
        if (nSize == 0)
            return HeadEnd(body, nLf) >= 0; // the trailer ends as a head does
        // The chunk's data, then its line end.
        if (nLf + 1 + nSize >= body.size())
            return false;
        const int nDataEnd = body.indexOf('\n', int(nLf + 1 + nSize));
        if (nDataEnd < 0)
            return false;
        nPos = nDataEnd + 1;
    }
}

// Whether answer holds the whole answer to the request (interim 1xx answers
// skipped), its status in nStatus (0 when it is no HTTP answer). Once the
// connection has closed, an answer is whole as far as its head came.
bool IsWholeAnswer(QByteArray answer, bool bClosed, int &nStatus)
{
    for (;;) {
        nStatus = 0;
        const int nHeadEnd = HeadEnd(answer);
        if (nHeadEnd < 0)
            return bClosed;
        const QList<QByteArray> lines = answer.left(nHeadEnd).split('\n');
        const QList<QByteArray> words = lines.first().simplified().split(' ');
        bool bNumber = false;
        const int nCode = words.size() >= 2 && words.first().startsWith("HTTP/") ? words.at(1).toInt(&bNumber) : 0;
        if (!bNumber)
            return true;
        nStatus = nCode;
        answer.remove(0, nHeadEnd);
        if (nStatus >= 100 && nStatus < 200)
            continue;
        if (bClosed || nStatus == 204 || nStatus == 304)
            return true;
        if (HeaderValue(lines, "transfer-encoding").toLower().endsWith("chunked")) {
            bool bBad = false;
            const bool bWhole = IsWholeChunked(answer, bBad);
            if (bBad)
                nStatus = 0; // framing broken: no answer to trust
            return bWhole;
        }
        const QByteArray length = HeaderValue(lines, "content-length");
        if (!length.isEmpty())
            return answer.size() >= length.toLongLong();
        // Without a length the answer ends with the connection.
        return false;
    }
}

} // namespace

void HttpConnect::OnReadyRead()
{
    m_answer += m_socket->readAll();
    if (m_answer.size() > kMaxAnswerBytes) {
        qWarning() << "answer of" << m_devName << "longer than" << kMaxAnswerBytes << "bytes; taken as failure";
        Finish(QVariant());
        return;
    }
    int nStatus = 0;
    if (IsWholeAnswer(m_answer, false, nStatus))
        Finish(nStatus > 0 ? QVariant(nStatus) : QVariant());
}

void HttpConnect::OnClosed()
{
    if (!m_socket)
        return;
    m_answer += m_socket->readAll();
    int nStatus = 0;
    IsWholeAnswer(m_answer, true, nStatus);
    Finish(nStatus > 0 ? QVariant(nStatus) : QVariant());
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
