#include "upload/dlgmapsettings.h"
#include "ui_dlgmapsettings.h"

#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

namespace {

const qint64 kJpgLimit = 1572864;   // 1.5 MiB
const qint64 kBmpLimit = 10485760;  // 10 MiB

enum {
    E_PAGE_OSD_SETTINGS = 0,
    E_PAGE_OSD_METHOD = 1
};

} // namespace

CDlgMapSettings::CDlgMapSettings(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgMapSettings)
    , m_dev(dev)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->pushBtnUpload->setEnabled(false);

    ui->gbMapDisplay->setVisible(g_pHOIDevMgr->IsSupportMapDisplay(m_dev));
    SetProductTexts();

    // Asked also when the display switch is hidden.
    m_dev->QueryBackgroundImageDisplay();

    connect(&m_http, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CDlgMapSettings::slotGetMapUploadStatus);
    connect(m_dev, &CHOIDev::OnGetMapSettings, this, &CDlgMapSettings::slotGetMapSettings);
    connect(&m_timer, &QTimer::timeout, this, &CDlgMapSettings::slotGrogressBar);

    if (g_pHOIDevMgr->IsSupportOsdDisplayMethod(m_dev)) {
        ui->sw_OSD->setCurrentIndex(E_PAGE_OSD_METHOD);
        m_dev->QueryOsdDisplayMethod();
    } else {
        ui->sw_OSD->setCurrentIndex(E_PAGE_OSD_SETTINGS);
        m_dev->QueryOsdDisplay();
    }
    connect(m_dev, &CHOIDev::OnGetOSDSettings, this, &CDlgMapSettings::slotGetOSDSettings);

    const QString &strMethod = m_dev->GetOsdDisplayMethod();
    if (strMethod == QLatin1String("follow"))
        ui->cbOSDMethod->setCurrentIndex(0);
    else if (strMethod == QLatin1String("independence"))
        ui->cbOSDMethod->setCurrentIndex(1);
}

CDlgMapSettings::~CDlgMapSettings()
{
    delete ui;
}

bool CDlgMapSettings::IsJpgType() const
{
    return g_pHOIDevMgr->GetMapType(m_dev) == QLatin1String("jpg");
}

void CDlgMapSettings::SetProductTexts()
{
    if (g_pHOIDevMgr->IsSupportMapDisplay(m_dev)) {
        setWindowTitle(tr("Windowing Image Settings"));
        ui->label_7->setText(tr("Image Format:*.bmp"));
        ui->groupBox->setTitle(tr("Upload Windowing Image"));
        ui->label_5->setText(tr("Image Size: not to exceed 10MB"));
        ui->label_2->setText(QString());
    } else {
        setWindowTitle(tr("Idle Image Settings"));
        ui->label_7->setText(tr("Image Format:*.jpg"));
        ui->groupBox->setTitle(tr("Upload Idle Image"));
        ui->label_5->setText(tr("Image Size: not to exceed 1.5MB"));
        ui->label_2->setText(tr("Note: Reboot the devices to make the new settings effective."));
    }
}

void CDlgMapSettings::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The form's texts are those of one kind of product only.
        SetProductTexts();
        if (!m_resolutionText.isEmpty())
            ui->label_3->setText(m_resolutionText);
        if (!m_sizeText.isEmpty())
            ui->label_5->setText(m_sizeText);
        if (m_nShown >= 0)
            ShowProgress(m_nShown);
    }
    QDialog::changeEvent(event);
}

void CDlgMapSettings::ShowProgress(int nPercent)
{
    m_nShown = nPercent;
    ui->label_4->setText(tr("Upload Progress: %1%").arg(nPercent));
}

void CDlgMapSettings::on_pushBtnSelect_clicked()
{
    const bool bJpg = IsJpgType();
    const QString strPath = GetOpenFileName(this, tr("Select Background Image"), QString(),
                                            bJpg ? tr("Background image (*.jpg)") : tr("Background image (*.bmp)"));
    if (strPath.isEmpty())
        return;
    const QImage image(strPath);
    if (image.isNull()) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    ui->labelPicture->setPixmap(QPixmap::fromImage(image));
    m_resolutionText = QStringLiteral("Image Resolution:%1X%2 (1920X1080)").arg(image.width()).arg(image.height());
    ui->label_3->setText(m_resolutionText);
    ui->lineEditFilePath->setText(strPath);
    m_imagePath = strPath;

    const qint64 nSize = QFileInfo(strPath).size();
    m_sizeText = bJpg ? QStringLiteral("Image Size:%1 (KB) (<1.5MB)").arg(nSize / 1024)
                      : QStringLiteral("Image Size:%1 (KB) (<10MB)").arg(nSize / 1024);
    ui->label_5->setText(m_sizeText);
    const bool bOk = nSize <= (bJpg ? kJpgLimit : kBmpLimit);
    QPalette pal = ui->label_5->palette();
    pal.setColor(QPalette::WindowText, bOk ? Qt::black : Qt::red);
    ui->label_5->setPalette(pal);
    ui->pushBtnUpload->setEnabled(bOk);
}

void CDlgMapSettings::on_pushBtnUpload_clicked()
{
    const QString strUrl = IsJpgType() ? g_pHOIDevMgr->GetDevUrl(m_dev) : g_pHOIDevMgr->GetDevBgUrl(m_dev);
    if (!m_http.PostCheckedFile(m_imagePath, strUrl, QString(), IsJpgType() ? kJpgLimit : kBmpLimit,
                                IsLoadableImage)) {
        MsgCritical(this, QString(), tr("Upload failed."));
        ShowProgress(0);
        return;
    }
    setEnabled(false);
    m_progress = 1;
    ShowProgress(1);
    m_timer.start(m_nProgressInterval);
}

void CDlgMapSettings::slotGrogressBar()
{
    // An estimate by time: it stops at 98% and waits for the device's answer.
    ++m_progress;
    if (m_progress >= 99) {
        m_timer.stop();
        return;
    }
    ShowProgress(m_progress);
}

void CDlgMapSettings::slotGetMapUploadStatus(QVariant code)
{
    setEnabled(true);
    m_timer.stop();
    if (code.isValid() && code.toInt() == 200)
        ShowProgress(100);
    else
        MsgCritical(this, QString(), tr("Upload error."));
}

void CDlgMapSettings::done(int r)
{
    // Closing ends what is still being sent.
    m_http.Drop();
    m_timer.stop();
    setEnabled(true);
    QDialog::done(r);
}

void CDlgMapSettings::on_pushBtnApply_clicked()
{
    m_dev->ApplyBackgroundImageDisplay(ui->checkBoxDisplay->isChecked());
}

void CDlgMapSettings::on_pushBtnOSDApply_clicked()
{
    m_dev->ApplyOsdDisplay(ui->cbxOSDDisplay->isChecked());
}

void CDlgMapSettings::on_pbApplyOSDMethod_clicked()
{
    const QString strMethod = ui->cbOSDMethod->currentIndex() == 0 ? QStringLiteral("follow")
                                                                   : QStringLiteral("independence");
    m_dev->ApplyOsdDisplayMethod(strMethod);
    m_dev->SetOsdDisplayMethod(strMethod);
}

void CDlgMapSettings::slotGetMapSettings(QString strStatus)
{
    if (strStatus == QLatin1String("y"))
        ui->checkBoxDisplay->setChecked(true);
    else if (strStatus == QLatin1String("n"))
        ui->checkBoxDisplay->setChecked(false);
}

void CDlgMapSettings::slotGetOSDSettings(QString strStatus)
{
    if (strStatus == QLatin1String("y"))
        ui->cbxOSDDisplay->setChecked(true);
    else if (strStatus == QLatin1String("n"))
        ui->cbxOSDDisplay->setChecked(false);
    else if (strStatus == QLatin1String("follow"))
        ui->cbOSDMethod->setCurrentIndex(0);
    else if (strStatus == QLatin1String("independence"))
        ui->cbOSDMethod->setCurrentIndex(1);
}
