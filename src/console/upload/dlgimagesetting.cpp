#include "upload/dlgimagesetting.h"
#include "ui_dlgimagesetting.h"

#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

namespace {

void SetTextColor(QLabel *pLabel, bool bOk)
{
    QPalette pal = pLabel->palette();
    pal.setColor(QPalette::WindowText, bOk ? Qt::black : Qt::red);
    pLabel->setPalette(pal);
}

bool IsStatusOk(const QVariant &code)
{
    return code.isValid() && code.toInt() == 200;
}

} // namespace

CDlgImageSetting::CDlgImageSetting(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgImageSetting)
    , m_dev(dev)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->pushBtnUpload_Logo->setEnabled(false);
    ui->pushBtnUpload_bg->setEnabled(false);

    const T_ProdIdInfo *pProd = g_pHOIDevMgr->GetProdIdInfo(m_dev);
    if (pProd->image_bg && !pProd->image_logo)
        ui->groupBox_Logo->hide();
    if (m_dev->GetDevType() == CHOIDev::E_DT_TX)
        ui->groupBox_4->hide();
    if (!g_pHOIDevMgr->IsLogoEnable())
        ui->groupBox_Logo->hide();

    connect(&m_logoHttp, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CDlgImageSetting::slotGetMapUploadStatus_Logo);
    connect(&m_bgHttp, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CDlgImageSetting::slotGetMapUploadStatus_bg);
    connect(&m_logoTimer, &QTimer::timeout, this, &CDlgImageSetting::slotGrogressBar_Logo);
    connect(&m_bgTimer, &QTimer::timeout, this, &CDlgImageSetting::slotGrogressBar_bg);

    const QString &strMethod = m_dev->GetOsdDisplayMethod();
    if (strMethod == QLatin1String("follow"))
        ui->cbOSDMethod->setCurrentIndex(0);
    else if (strMethod == QLatin1String("independence"))
        ui->cbOSDMethod->setCurrentIndex(1);

    ui->label_Size_bg->setText(ExpectedBgResolutionText());
    if (IsLogoProduct()) {
        ui->groupBox_4->hide();
        ui->label_3->hide();
    } else {
        ui->label_4->hide();
    }
}

CDlgImageSetting::~CDlgImageSetting()
{
    delete ui;
}

bool CDlgImageSetting::IsLogoProduct() const
{
    return g_pHOIDevMgr->GetProdIdInfo(m_dev)->image_logo;
}

QString CDlgImageSetting::ExpectedBgResolutionText() const
{
    return IsLogoProduct() ? tr("Image Resolution: 1280X720") : tr("Image Resolution: 1920X1080");
}

void CDlgImageSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The form's own texts would hide what was chosen and sent so far.
        ui->label_Size_bg->setText(m_bgResolutionText.isEmpty() ? ExpectedBgResolutionText() : m_bgResolutionText);
        if (!m_bgSizeText.isEmpty())
            ui->label_SizeTatol_bg->setText(m_bgSizeText);
        if (!m_logoSizeText.isEmpty())
            ui->label_SizeTatol_Logo->setText(m_logoSizeText);
        if (m_nBgShown >= 0)
            ShowBgProgress(m_nBgShown);
        if (m_nLogoShown >= 0)
            ShowLogoProgress(m_nLogoShown);
    }
    QDialog::changeEvent(event);
}

void CDlgImageSetting::ShowLogoProgress(int nPercent)
{
    m_nLogoShown = nPercent;
    ui->label__pro_Logo->setText(tr("Upload Progress: %1%").arg(nPercent));
}

void CDlgImageSetting::ShowBgProgress(int nPercent)
{
    m_nBgShown = nPercent;
    ui->label_pro_bg->setText(tr("Upload Progress: %1%").arg(nPercent));
}

void CDlgImageSetting::on_pushBtnSelect_Logo_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Logo"), QString(), QStringLiteral("(*.bmp)"));
    if (strPath.isEmpty())
        return;
    if (!m_bmpCheck.IsSupportedBmpFile(strPath)) {
        MsgInformation(this, tr("Open logo image failed"), tr("Open logo image failed!"));
        return;
    }
    ui->lineEditFilePath_Logo->setText(strPath);
    ui->labelPicture_Logo->setPixmap(QPixmap(strPath));
    m_logoPath = strPath;

    const qint64 nSize = QFileInfo(strPath).size();
    m_logoSizeText = QStringLiteral("Image Size:%1 (KB) (<128KB)").arg(nSize / 1024);
    ui->label_SizeTatol_Logo->setText(m_logoSizeText);
    ui->label_SizeTatol_Logo->adjustSize();
    const bool bOk = nSize <= kLogoImageMaxBytes;
    SetTextColor(ui->label_SizeTatol_Logo, bOk);
    ui->pushBtnUpload_Logo->setEnabled(bOk);
}

void CDlgImageSetting::on_pushBtnSelect_bg_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Background"), QString(), QStringLiteral("(*.jpg)"));
    if (strPath.isEmpty())
        return;
    const QImage image(strPath);
    if (image.isNull()) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    ui->labelPicture_bg->setPixmap(QPixmap::fromImage(image));
    m_bgResolutionText = IsLogoProduct()
                             ? QStringLiteral("Image Resolution:%1X%2 (1280X720)").arg(image.width()).arg(image.height())
                             : QStringLiteral("Image Resolution:%1X%2 (1920X1080)").arg(image.width()).arg(image.height());
    ui->label_Size_bg->setText(m_bgResolutionText);
    ui->lineEditFilePath_bg->setText(strPath);
    m_bgPath = strPath;

    const qint64 nSize = QFileInfo(strPath).size();
    m_bgSizeText = QStringLiteral("Image Size:%1 (KB) (<1.5MB)").arg(nSize / 1024);
    ui->label_SizeTatol_bg->setText(m_bgSizeText);
    const bool bOk = nSize <= kIdleImageMaxBytes;
    SetTextColor(ui->label_SizeTatol_bg, bOk);
    ui->pushBtnUpload_bg->setEnabled(bOk);
}

void CDlgImageSetting::on_pushBtnUpload_Logo_clicked()
{
    const QString strUrl = QStringLiteral("http://%1/upload_logo").arg(m_dev->GetIPAddr());
    const auto isBmp = [this](const QByteArray &data) { return m_bmpCheck.IsSupportedBmpData(data); };
    if (!m_logoHttp.PostCheckedFile(m_logoPath, strUrl, QString(), kLogoImageMaxBytes, isBmp)) {
        MsgCritical(this, QString(), tr("Upload failed."));
        m_logoProgress = 0;
        ShowLogoProgress(0);
        return;
    }
    m_logoProgress = 1;
    ShowLogoProgress(1);
    m_logoTimer.start(m_nProgressInterval);
    ui->groupBox_Logo->setEnabled(false);
}

void CDlgImageSetting::on_pushBtnUpload_bg_clicked()
{
    const QString strUrl = QStringLiteral("http://%1/upload_bg").arg(m_dev->GetIPAddr());
    if (!m_bgHttp.PostCheckedFile(m_bgPath, strUrl, QString(), kIdleImageMaxBytes, IsLoadableImage)) {
        MsgCritical(this, QString(), tr("Upload failed."));
        m_bgProgress = 0;
        ShowBgProgress(0);
        return;
    }
    m_bgProgress = 1;
    ShowBgProgress(1);
    m_bgTimer.start(m_nProgressInterval);
    ui->groupBox_bg->setEnabled(false);
}

void CDlgImageSetting::slotGrogressBar_Logo()
{
    // An estimate by time: it stops at 98% and waits for the device's answer.
    ++m_logoProgress;
    if (m_logoProgress >= 99) {
        m_logoTimer.stop();
        return;
    }
    ShowLogoProgress(m_logoProgress);
}

void CDlgImageSetting::slotGrogressBar_bg()
{
    ++m_bgProgress;
    if (m_bgProgress >= 99) {
        m_bgTimer.stop();
        return;
    }
    ShowBgProgress(m_bgProgress);
}

void CDlgImageSetting::slotGetMapUploadStatus_Logo(QVariant code)
{
    m_logoTimer.stop();
    if (IsStatusOk(code)) {
        m_logoProgress = 100;
        ShowLogoProgress(100);
    } else {
        MsgCritical(this, QString(), tr("Upload error."));
    }
    ui->groupBox_Logo->setEnabled(true);
}

void CDlgImageSetting::slotGetMapUploadStatus_bg(QVariant code)
{
    m_bgTimer.stop();
    if (IsStatusOk(code)) {
        m_bgProgress = 100;
        ShowBgProgress(100);
    } else {
        MsgCritical(this, QString(), tr("Upload error."));
    }
    ui->groupBox_bg->setEnabled(true);
}

void CDlgImageSetting::done(int r)
{
    // Closing ends what is still being sent.
    m_logoHttp.Drop();
    m_bgHttp.Drop();
    m_logoTimer.stop();
    m_bgTimer.stop();
    ui->groupBox_Logo->setEnabled(true);
    ui->groupBox_bg->setEnabled(true);
    QDialog::done(r);
}

void CDlgImageSetting::on_pbApplyOSDMethod_clicked()
{
    // Takes effect when the device reboots; nothing is awaited.
    const QString strMethod = ui->cbOSDMethod->currentIndex() == 0 ? QStringLiteral("follow")
                                                                   : QStringLiteral("independence");
    m_dev->ApplyOsdDisplayMethod(strMethod);
    m_dev->SetOsdDisplayMethod(strMethod);
}
