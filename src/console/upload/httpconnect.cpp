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

bool IsLoadableImage(const QByteArray &data)
{
    return !QImage::fromData(data).isNull();
}

bool IsImageWithin(const QByteArray &data, const QSize &maxSize)
{
    const QImage image = QImage::fromData(data);
    return !image.isNull() && image.width() <= maxSize.width() && image.height() <= maxSize.height();
}

HttpConnect::HttpConnect(QObject *parent)
    : QObject(parent)
    , m_manager(NewDeviceAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &HttpConnect::slotReplyFinished);
}

HttpConnect::~HttpConnect()
{
    // The owner is going away: drop the upload without reporting it. The
    // reply owns the body and the file, the manager owns the reply.
    disconnect(m_manager, nullptr, this, nullptr);
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
    if (m_reply) {
        qWarning() << "upload to" << m_devName << "still under way; refused" << url;
        return false;
    }
    m_devName = devName;
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
    m_file = pBody;
    m_reply = PostFormFile(m_manager, QUrl(url, QUrl::TolerantMode), "bgimage", filePath, "image", m_file);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &HttpConnect::slotOnUploadProgress);
}

namespace {

QByteArray FormDataFileName(const QString &strFileName)
{
    // As browsers send it: a quote, CR or LF in the name would end the
    // quoted value or the header early.
    QByteArray name = strFileName.toUtf8();
    name.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return name;
}

} // namespace

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

void HttpConnect::Abort()
{
    if (m_reply)
        m_reply->abort(); // finishes the reply: the failure is reported as usual
}

void HttpConnect::Drop()
{
    if (!m_reply)
        return;
    ReleaseBody();
    DropReply(m_reply, this);
}

void HttpConnect::ReleaseBody()
{
    // The body belongs to the request's multipart, which goes with the reply:
    // after an abort the network layer may still read it until then.
    m_file = nullptr;
}

void HttpConnect::slotReplyFinished(QNetworkReply *reply)
{
    // A dropped upload may still finish inside the network layer.
    if (reply != m_reply) {
        reply->deleteLater();
        return;
    }
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_reply = nullptr;
    reply->deleteLater();
    ReleaseBody();
    // Reported last: an owner may start its next upload from these signals.
    emit OnGetMapUploadStatus(code);
    emit OnGetMapUploadStatus(m_devName, code);
}

void HttpConnect::slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal)
{
    // The network layer closes a finished upload with a (0, 0) report; the
    // body always has its framing, so that one says nothing about bytes sent.
    if (bytesSent == 0 && bytesTotal == 0)
        return;
    emit signalSendBytes(bytesSent);
}
