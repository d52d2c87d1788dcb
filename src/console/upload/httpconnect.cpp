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

bool IsLoadableImage(const QByteArray &data)
{
    return !QImage::fromData(data).isNull();
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

bool HttpConnect::PostFile(const QString &filePath, const QString &url, const QString &devName)
{
    return PostCheckedFile(filePath, url, devName, -1);
}

bool HttpConnect::PostCheckedFile(const QString &filePath, const QString &url, const QString &devName,
                                  qint64 nMaxBytes, const DataCheck &check)
{
    // A second upload would take over the file and the name of the first,
    // whose answer would then be reported under the wrong name.
    if (m_reply) {
        qWarning() << "upload to" << m_devName << "still under way; refused" << url;
        return false;
    }
    m_devName = devName;
    if (filePath.isEmpty())
        return false;

    QFile *pFile = new QFile(filePath);
    if (!pFile->open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << filePath << pFile->errorString();
        delete pFile;
        return false;
    }
    if (nMaxBytes < 0 && !check) {
        Post(pFile, filePath, url); // streamed as it is
        return true;
    }
    // One byte past the limit tells a file that grew beyond it.
    const QByteArray data = pFile->read(nMaxBytes < 0 ? pFile->size() : nMaxBytes + 1);
    const bool bReadAll = pFile->error() == QFileDevice::NoError;
    delete pFile;
    if (!bReadAll || (nMaxBytes >= 0 && data.size() > nMaxBytes) || (check && !check(data))) {
        qWarning() << "no longer fit to upload:" << filePath;
        return false;
    }
    QBuffer *pBuffer = new QBuffer;
    pBuffer->setData(data);
    pBuffer->open(QIODevice::ReadOnly);
    Post(pBuffer, filePath, url);
    return true;
}

void HttpConnect::Post(QIODevice *pBody, const QString &filePath, const QString &url)
{
    m_file = pBody;
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArray("multipart/form-data; boundary=") + Boundary());

    QHttpMultiPart *pMultiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    pMultiPart->setBoundary(Boundary());
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QVariant(QByteArray("form-data; name=\"bgimage\"; filename=\"") + filePath.toUtf8() + '"'));
    part.setHeader(QNetworkRequest::ContentTypeHeader, QVariant(QByteArray("image")));
    part.setBodyDevice(m_file);
    m_file->setParent(pMultiPart);
    pMultiPart->append(part);

    m_reply = m_manager->post(request, pMultiPart);
    pMultiPart->setParent(m_reply);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &HttpConnect::slotOnUploadProgress);
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
    DropReply(m_reply, this);
    ReleaseBody();
}

void HttpConnect::ReleaseBody()
{
    if (m_file) {
        m_file->close();
        delete m_file;
        m_file = nullptr;
    }
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
