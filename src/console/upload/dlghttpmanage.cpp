#include "upload/dlghttpmanage.h"
#include "ui_dlghttpmanage.h"

#include <QDebug>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

#include "hoi_core/appservices.h"
#include "upload/httpconnect.h"

CDlgHttpManage::CDlgHttpManage(int mode, QIODevice *file, QString ip, QWidget *parent)
    : QDialog(parent)
    , m_file(file)
    , m_ip(ip)
    , m_mode(mode)
    , m_nDownloadLimit(kDownloadLimit)
{
    ui.SetUpDialog(this, [this] { ShowState(); });
    ui->swHttpType->setCurrentIndex(mode == E_HM_DOWNLOAD ? E_HM_DOWNLOAD : E_HM_UPLOAD);
    m_progressText = ui->lbProgress->text();

    m_manager = NewDeviceAccessManager(this);
    connect(m_manager, &QNetworkAccessManager::finished, this, &CDlgHttpManage::slotReplyFinished);
    if (mode == E_HM_DOWNLOAD)
        StartDownload();
    else
        StartUpload();
}

CDlgHttpManage::~CDlgHttpManage()
{
    disconnect(m_manager, nullptr, this, nullptr);
    DropReply(m_reply, this);
    // The request body reads the caller's file: it goes before the file does.
    delete m_manager;
    m_manager = nullptr;
    if (m_bOpenedFile)
        m_file->close();
}

void CDlgHttpManage::done(int r)
{
    // Closed before the answer: the transfer ends here and nothing is
    // reported; a download hands back no file.
    DropReply(m_reply, this);
    QDialog::done(r);
}

QString CDlgHttpManage::GetFileName() const
{
    const QFileDevice *pFile = qobject_cast<const QFileDevice *>(m_file);
    return pFile ? pFile->fileName() : QString();
}

void CDlgHttpManage::StartUpload()
{
    if (m_file && !m_file->isOpen())
        m_bOpenedFile = m_file->open(QIODevice::ReadOnly);
    const bool bReadable = m_file && m_file->isReadable();
    if (!bReadable) {
        // Nothing can be sent: say so at once rather than sit at 0%.
        qWarning() << "project file not readable:" << GetFileName();
        ShowEnd(false);
        return;
    }

    const QUrl url(QStringLiteral("http://") + m_ip + QStringLiteral("/scene_upload"), QUrl::TolerantMode);
    // The file stays the caller's.
    m_reply = PostFormFile(m_manager, url, "upload", GetFileName(), "application/octet-stream", m_file, false);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &CDlgHttpManage::slotOnUploadProgress);
}

void CDlgHttpManage::StartDownload()
{
    QNetworkRequest request(QUrl(QStringLiteral("http://") + m_ip + QStringLiteral("/scene_download"), QUrl::TolerantMode));
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &CDlgHttpManage::slotOnUploadProgress);
    LimitDownload(m_reply, m_nDownloadLimit);
}

void CDlgHttpManage::SetDownloadLimit(qint64 nBytes)
{
    m_nDownloadLimit = nBytes;
    if (m_reply && m_mode == E_HM_DOWNLOAD)
        LimitDownload(m_reply, nBytes);
}

void CDlgHttpManage::slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal)
{
    // 100% is kept for the controller's answer.
    float fValue = 99.0f;
    if (bytesTotal != 0)
        fValue = qMin(99.0f, float(bytesSent) / float(bytesTotal) * 100.0f);
    m_progressText = QString::number(fValue, 'g', 6) + QLatin1Char('%');
    ui->lbProgress->setText(m_progressText);
}

void CDlgHttpManage::slotReplyFinished(QNetworkReply *reply)
{
    if (reply != m_reply)
        return;
    bool bOk = IsReplyOk(reply);

    if (m_mode == E_HM_DOWNLOAD && bOk) {
        // Written whole or not at all: a failed write keeps the previous copy
        // and hands back no name, so nothing stale is imported. Flushed
        // first: commit() takes no notice of a write that fails on closing.
        const QString strPath = DocumentsDir() + QStringLiteral("SystemConfig.hoi");
        QSaveFile file(strPath);
        const QByteArray body = reply->readAll();
        if (file.open(QIODevice::WriteOnly) && file.write(body) == body.size() && file.flush() && file.commit()) {
            m_file = new QFile(strPath, this);
        } else {
            qWarning() << "cannot write" << strPath << file.errorString();
            bOk = false;
        }
    }
    ShowEnd(bOk);
}

void CDlgHttpManage::ShowEnd(bool bOk)
{
    m_eEnd = bOk ? E_END_OK : E_END_FAILED;
    m_progressText = QStringLiteral("100%");
    ShowState();
    ui->pbOK->setEnabled(true);
}

void CDlgHttpManage::ShowState()
{
    ui->lbProgress->setText(m_eEnd == E_END_FAILED ? tr("error!") : m_progressText);
    // Once the transfer is over the page no longer says it is under way.
    if (m_eEnd == E_END_NONE)
        return;
    const bool bOk = m_eEnd == E_END_OK;
    if (m_mode == E_HM_DOWNLOAD)
        ui->lbDownloading->setText(bOk ? tr("Download complete.") : tr("Download failed."));
    else
        ui->lbUploading->setText(bOk ? tr("Upload complete.") : tr("Upload failed."));
}

void CDlgHttpManage::on_pbOK_clicked()
{
    accept();
}
