#include "vtx/imagepane.h"

#include <QBuffer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "hoiwidget/languagechange.h"
#include "uiservices.h"
#include "vtx/bmpcheck.h"

namespace {

const int kProgressInterval = 200;
const int kProgressRest = 99; // the line rests one below this until the answer

void SetTextColor(QLabel *pLabel, const QColor &color)
{
    QPalette pal = pLabel->palette();
    pal.setColor(QPalette::WindowText, color);
    pLabel->setPalette(pal);
}

} // namespace

T_ImageRule T_ImageRule::Within(const QSize &maxSize, const QString &strCaption, const QString &strFilter,
                                const QString &strResolution)
{
    T_ImageRule rule{strCaption, strFilter, strResolution};
    rule.maxSize = maxSize;
    return rule;
}

T_ImageRule T_ImageRule::UpTo(qint64 nMaxBytes, const QString &strCaption, const QString &strFilter,
                              const QString &strResolution, const QString &strSize)
{
    T_ImageRule rule{strCaption, strFilter, strResolution, strSize};
    rule.nMaxBytes = nMaxBytes;
    return rule;
}

CImagePane::CImagePane(QWidget *pOwner)
    : QObject(nullptr)
    , m_pOwner(pOwner)
    , m_nProgress(0)
    , m_nProgressInterval(kProgressInterval)
    , m_nShown(-1)
{
    connect(&m_httpConnect, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CImagePane::slotGetOverlayUploadStatus);
    connect(&m_timer, &QTimer::timeout, this, &CImagePane::slotGrogressBar);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CImagePane::slotPictureFileChanged);
}

void CImagePane::Attach(const T_ImagePane &pane, const std::function<void()> &retranslateForm)
{
    m_pane = pane;
    m_pane.pUpload->setEnabled(false);
    m_strResolutionForm = m_pane.pResolution->text();
    m_strSizeForm = m_pane.pSize->text();
    m_strProgressForm = m_pane.pProgress->text();
    m_pOwner->installEventFilter(this);
    if (retranslateForm) {
        OnLanguageChange(m_pOwner, [this, retranslateForm] {
            retranslateForm();
            m_strResolutionForm = m_pane.pResolution->text();
            m_strSizeForm = m_pane.pSize->text();
            Retranslated();
        });
    }
}

bool CImagePane::eventFilter(QObject *watched, QEvent *event)
{
    // The owner closes (a minimised window hides on its own, spontaneously).
    if (watched == m_pOwner && event->type() == QEvent::Hide && !event->spontaneous()
        && m_httpConnect.IsBusy()) {
        m_httpConnect.Drop();
        m_timer.stop();
        Busy()->setEnabled(true);
    }
    return QObject::eventFilter(watched, event);
}

void CImagePane::Choose(const T_ImageRule &rule)
{
    const QString strPath = GetOpenFileName(m_pOwner, rule.strCaption, QString(), rule.strFilter);
    if (strPath.isEmpty())
        return;
    QSize size;
    if (!IsChoosable(rule, strPath, size)) {
        if (rule.bLogoBitmap)
            MsgInformation(m_pOwner, tr("Open logo image failed"), tr("Open logo image failed!"));
        else
            MsgInformation(m_pOwner, tr("Open image failed"), tr("Open image failed!"));
        return;
    }

    bool bFits = true;
    if (!rule.strResolution.isEmpty()) {
        m_strResolutionText = rule.strResolution.arg(size.width()).arg(size.height());
        m_pane.pResolution->setText(m_strResolutionText);
    }
    if (rule.maxSize.isValid()) {
        bFits = size.width() <= rule.maxSize.width() && size.height() <= rule.maxSize.height();
        SetTextColor(m_pane.pResolution, bFits ? QColor(Qt::black) : QColor(Qt::red));
    }
    m_pane.pPath->setText(strPath);
    const qint64 nBytes = QFileInfo(strPath).size();
    m_strSizeText = rule.strSize.arg(nBytes / 1024);
    m_pane.pSize->setText(m_strSizeText);
    m_pane.pSize->adjustSize();
    if (rule.nMaxBytes >= 0) {
        const bool bSmallEnough = nBytes <= rule.nMaxBytes;
        SetTextColor(m_pane.pSize, bSmallEnough ? QColor(Qt::black) : QColor(Qt::red));
        bFits = bFits && bSmallEnough;
    }

    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_strFilePath = strPath;
    m_rule = rule;
    ShowPicture();
    m_pane.pUpload->setEnabled(bFits);
    // The progress of an earlier upload says nothing of this file.
    m_nShown = -1;
    m_pane.pProgress->setText(m_strProgressForm);
}

bool CImagePane::IsChoosable(const T_ImageRule &rule, const QString &strPath, QSize &size) const
{
    if (rule.bLogoBitmap)
        return CBmpCheck().IsSupportedBmpFile(strPath);
    // Judged by the bytes alone: a PNG named ".jpg" is no JPEG.
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (!rule.format.isEmpty() && ContentFormat(data) != rule.format)
        return false;
    const QImage image = QImage::fromData(data);
    if (image.isNull())
        return false;
    size = image.size();
    return true;
}

QByteArray CImagePane::ContentFormat(const QByteArray &data)
{
    // A buffer has no name, so the reader goes by the content only.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer);
}

bool CImagePane::IsSendable(const QByteArray &data) const
{
    if (m_rule.bLogoBitmap)
        return CBmpCheck().IsSupportedBmpData(data);
    if (!m_rule.format.isEmpty() && ContentFormat(data) != m_rule.format)
        return false;
    if (m_rule.maxSize.isValid())
        return IsImageWithin(data, m_rule.maxSize);
    return IsLoadableImage(data);
}

void CImagePane::Upload(const QString &strUrl)
{
    const auto sendable = [this](const QByteArray &data) { return IsSendable(data); };
    if (m_httpConnect.PostCheckedFile(m_strFilePath, strUrl, QString(), m_rule.nMaxBytes, sendable)) {
        Busy()->setEnabled(false);
        ShowProgress(1);
        m_nProgress = 1;
        m_timer.start(m_nProgressInterval);
    } else {
        // The lines describe the file as chosen, which is not what is there now.
        ClearChosenLines();
        MsgCritical(m_pOwner, QString(), tr("Upload failed."));
        ShowProgress(0);
    }
}

void CImagePane::ClearChosenLines()
{
    m_strResolutionText.clear();
    m_strSizeText.clear();
    m_pane.pResolution->setText(m_strResolutionForm);
    SetTextColor(m_pane.pResolution, QColor(Qt::black));
    m_pane.pSize->setText(m_strSizeForm);
    SetTextColor(m_pane.pSize, QColor(Qt::black));
    m_pane.pPicture->clear();
}

void CImagePane::ShowProgress(int nPercent)
{
    m_nShown = nPercent;
    m_pane.pProgress->setText(tr("Upload Progress: %1%").arg(nPercent));
}

void CImagePane::slotGrogressBar()
{
    // An estimate by time: it waits at 98 % for the device's answer.
    ++m_nProgress;
    if (m_nProgress == kProgressRest && m_timer.isActive()) {
        m_timer.stop();
        return;
    }
    ShowProgress(m_nProgress);
}

void CImagePane::slotGetOverlayUploadStatus(QVariant code)
{
    Busy()->setEnabled(true);
    if (m_timer.isActive())
        m_timer.stop();
    if (code.isValid() && code.toInt() == 200)
        ShowProgress(100);
    else
        MsgCritical(m_pOwner, QString(), tr("Upload error."));
}

void CImagePane::Retranslated()
{
    // The owner's retranslateUi has just put the form's text there.
    m_strProgressForm = m_pane.pProgress->text();
    if (!m_strResolutionText.isEmpty())
        m_pane.pResolution->setText(m_strResolutionText);
    if (!m_strSizeText.isEmpty())
        m_pane.pSize->setText(m_strSizeText);
    if (m_nShown >= 0)
        ShowProgress(m_nShown);
}

void CImagePane::ShowPicture()
{
    m_pane.pPicture->setPixmap(QPixmap(m_strFilePath));
    m_pane.pPicture->show();
    // A file saved by renaming a new one over it drops out of the watch.
    if (QFileInfo::exists(m_strFilePath) && !m_watcher.files().contains(m_strFilePath))
        m_watcher.addPath(m_strFilePath);
}

void CImagePane::slotPictureFileChanged()
{
    ShowPicture();
}
