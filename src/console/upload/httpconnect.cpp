#include "upload/httpconnect.h"

#include <QDebug>
#include <QFile>
#include <QHttpMultiPart>
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
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

QByteArray HttpConnect::Boundary()
{
    return QByteArrayLiteral("---webkitFormBoundary8ESp7IbP7szByKvn");
}

bool HttpConnect::PostFile(const QString &filePath, const QString &url, const QString &devName)
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
    m_file = pFile;

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
    return true;
}

void HttpConnect::Abort()
{
    if (m_reply)
        m_reply->abort(); // finishes the reply: the failure is reported as usual
}

void HttpConnect::slotReplyFinished(QNetworkReply *reply)
{
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply == m_reply)
        m_reply = nullptr;
    reply->deleteLater();
    if (m_file) {
        m_file->close();
        delete m_file;
        m_file = nullptr;
    }
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
