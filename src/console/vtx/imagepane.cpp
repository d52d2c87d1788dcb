#include "vtx/imagepane.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "uiservices.h"

namespace {

const int kProgressInterval = 200;
const int kProgressRest = 99; // the line rests one below this until the answer

// Tr translates in the owner's context, which lupdate cannot follow: every
// text of Tr is listed here for each owner.
[[maybe_unused]] const char *const kOwnerTexts[] = {
    QT_TRANSLATE_NOOP("CDlgIPCConfig", "Open image failed"),
    QT_TRANSLATE_NOOP("CDlgIPCConfig", "Open image failed!"),
    QT_TRANSLATE_NOOP("CDlgIPCConfig", "Upload Progress: %1%"),
    QT_TRANSLATE_NOOP("CDlgIPCConfig", "Upload failed."),
    QT_TRANSLATE_NOOP("CDlgIPCConfig", "Upload error."),
    QT_TRANSLATE_NOOP("CDlgLogoSettings", "Open image failed"),
    QT_TRANSLATE_NOOP("CDlgLogoSettings", "Open image failed!"),
    QT_TRANSLATE_NOOP("CDlgLogoSettings", "Upload Progress: %1%"),
    QT_TRANSLATE_NOOP("CDlgLogoSettings", "Upload failed."),
    QT_TRANSLATE_NOOP("CDlgLogoSettings", "Upload error."),
    QT_TRANSLATE_NOOP("CDlgPreviewImage", "Open image failed"),
    QT_TRANSLATE_NOOP("CDlgPreviewImage", "Open image failed!"),
    QT_TRANSLATE_NOOP("CDlgPreviewImage", "Upload Progress: %1%"),
    QT_TRANSLATE_NOOP("CDlgPreviewImage", "Upload failed."),
    QT_TRANSLATE_NOOP("CDlgPreviewImage", "Upload error."),
};

void SetTextColor(QLabel *pLabel, const QColor &color)
{
    QPalette pal = pLabel->palette();
    pal.setColor(QPalette::WindowText, color);
    pLabel->setPalette(pal);
}

} // namespace

CImagePane::CImagePane(QWidget *pOwner, const char *pszContext)
    : QObject(nullptr)
    , m_pOwner(pOwner)
    , m_pszContext(pszContext)
    , m_nProgress(0)
    , m_nProgressInterval(kProgressInterval)
{
    connect(&m_httpConnect, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CImagePane::slotGetOverlayUploadStatus);
    connect(&m_timer, &QTimer::timeout, this, &CImagePane::slotGrogressBar);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CImagePane::slotPictureFileChanged);
}

void CImagePane::Attach(const T_ImagePane &pane)
{
    m_pane = pane;
    m_pane.pUpload->setEnabled(false);
    m_pOwner->installEventFilter(this);
}

bool CImagePane::eventFilter(QObject *watched, QEvent *event)
{
    // The owner closes (a minimised window hides on its own, spontaneously).
    if (watched == m_pOwner && event->type() == QEvent::Hide && !event->spontaneous()
        && m_httpConnect.IsBusy()) {
        m_httpConnect.Drop();
        m_timer.stop();
        m_pOwner->setEnabled(true);
    }
    return QObject::eventFilter(watched, event);
}

QString CImagePane::Tr(const char *pszText) const
{
    return QCoreApplication::translate(m_pszContext, pszText);
}

void CImagePane::Choose(const QString &strCaption, const QString &strFilter, const QSize &maxSize,
                        const QString &strResolution)
{
    const QString strPath = GetOpenFileName(m_pOwner, strCaption, QString(), strFilter);
    if (strPath.isEmpty())
        return;
    QImage image;
    if (!image.load(strPath)) {
        MsgInformation(m_pOwner, Tr("Open image failed"), Tr("Open image failed!"));
        return;
    }

    m_pane.pResolution->setText(strResolution.arg(image.width()).arg(image.height()));
    m_pane.pPath->setText(strPath);
    m_pane.pSize->setText(QStringLiteral("Image Size:%1 (KB)").arg(QFileInfo(strPath).size() / 1024));

    const bool bFits = image.width() <= maxSize.width() && image.height() <= maxSize.height();
    SetTextColor(m_pane.pResolution, bFits ? QColor(Qt::black) : QColor(Qt::red));
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_strFilePath = strPath;
    m_maxSize = maxSize;
    ShowPicture();
    m_pane.pUpload->setEnabled(bFits);
}

void CImagePane::Upload(const QString &strUrl)
{
    const auto fits = [this](const QByteArray &data) { return IsImageWithin(data, m_maxSize); };
    if (m_httpConnect.PostCheckedFile(m_strFilePath, strUrl, QString(), -1, fits)) {
        m_pOwner->setEnabled(false);
        m_pane.pProgress->setText(Tr("Upload Progress: %1%").arg(1));
        m_nProgress = 1;
        m_timer.start(m_nProgressInterval);
    } else {
        MsgCritical(m_pOwner, QString(), Tr("Upload failed."));
        m_pane.pProgress->setText(Tr("Upload Progress: %1%").arg(0));
    }
}

void CImagePane::slotGrogressBar()
{
    ++m_nProgress;
    if (m_nProgress == kProgressRest && m_timer.isActive()) {
        m_timer.stop();
        return;
    }
    m_pane.pProgress->setText(Tr("Upload Progress: %1%").arg(m_nProgress));
}

void CImagePane::slotGetOverlayUploadStatus(QVariant code)
{
    m_pOwner->setEnabled(true);
    if (m_timer.isActive())
        m_timer.stop();
    if (code.isValid() && code.toInt() == 200)
        m_pane.pProgress->setText(Tr("Upload Progress: %1%").arg(100));
    else
        MsgCritical(m_pOwner, QString(), Tr("Upload error."));
}

void CImagePane::Retranslate(const std::function<void()> &retranslateUi)
{
    const QString strRes = m_pane.pResolution->text();
    const QString strSize = m_pane.pSize->text();
    const QString strProgress = m_pane.pProgress->text();
    retranslateUi();
    if (!m_strFilePath.isEmpty()) {
        m_pane.pResolution->setText(strRes);
        m_pane.pSize->setText(strSize);
    }
    if (m_nProgress > 0)
        m_pane.pProgress->setText(strProgress);
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
