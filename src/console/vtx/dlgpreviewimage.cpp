#include "vtx/dlgpreviewimage.h"
#include "ui_dlgpreviewimage.h"

#include <QEvent>
#include <QPixmap>

#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"
#include "vtx/imagepane.h"

namespace {
const QSize kMaxPreviewSize(720, 480);
const int kProgressInterval = 200;
const int kProgressRest = 99; // the line rests one below this until the answer
} // namespace

CDlgPreviewImage::CDlgPreviewImage(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgPreviewImage)
    , m_pDev(pDev)
    , m_nProgress(0)
    , m_nProgressInterval(kProgressInterval)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->pushBtnUpload->setEnabled(false);
    connect(&m_httpConnect, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CDlgPreviewImage::slotGetOverlayUploadStatus);
    connect(&m_timer, &QTimer::timeout, this, &CDlgPreviewImage::slotGrogressBar);
}

CDlgPreviewImage::~CDlgPreviewImage()
{
    delete ui;
}

void CDlgPreviewImage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form's texts come back; the lines of a chosen picture stay.
        const QString strRes = ui->label_3->text();
        const QString strSize = ui->label_5->text();
        const QString strProgress = ui->label_4->text();
        ui->retranslateUi(this);
        if (!m_strFilePath.isEmpty()) {
            ui->label_3->setText(strRes);
            ui->label_5->setText(strSize);
        }
        if (m_nProgress > 0)
            ui->label_4->setText(strProgress);
    }
    QDialog::changeEvent(event);
}

void CDlgPreviewImage::on_pushBtnSelect_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Preview Image"), QString(),
                                            tr("Preview image (*.jpg)"));
    if (strPath.isEmpty())
        return;
    const T_ImagePane pane{ui->lineEditFilePath, ui->label_3, ui->label_5, ui->labelPicture};
    const E_PaneImage eResult =
        ShowPaneImage(pane, strPath, kMaxPreviewSize, QStringLiteral("Image Resolution:%1X%2 (<720X480)"));
    if (eResult == E_PI_NOT_LOADED) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    m_strFilePath = strPath;
    ui->pushBtnUpload->setEnabled(eResult == E_PI_ACCEPTED);
    update();
}

void CDlgPreviewImage::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pDevMgr)
        return;
    const QString strUrl = g_pDevMgr->GetDevPreviewUrl(m_pDev);
    if (m_httpConnect.PostFile(m_strFilePath, strUrl, QString())) {
        setEnabled(false);
        ui->label_4->setText(tr("Upload Progress: %1%").arg(1));
        m_nProgress = 1;
        m_timer.start(m_nProgressInterval);
    } else {
        MsgCritical(this, QString(), tr("Upload failed."));
        ui->label_4->setText(tr("Upload Progress: %1%").arg(0));
    }
}

void CDlgPreviewImage::slotGrogressBar()
{
    ++m_nProgress;
    if (m_nProgress == kProgressRest && m_timer.isActive()) {
        m_timer.stop();
        return;
    }
    ui->label_4->setText(tr("Upload Progress: %1%").arg(m_nProgress));
}

void CDlgPreviewImage::slotGetOverlayUploadStatus(QVariant code)
{
    setEnabled(true);
    if (m_timer.isActive())
        m_timer.stop();
    if (code.isValid() && code.toInt() == 200)
        ui->label_4->setText(tr("Upload Progress: %1%").arg(100));
    else
        MsgCritical(this, QString(), tr("Upload error."));
}

void CDlgPreviewImage::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Read again from disk: the picture follows the file as it is now.
    ui->labelPicture->setPixmap(QPixmap(m_strFilePath));
    ui->labelPicture->show();
}
