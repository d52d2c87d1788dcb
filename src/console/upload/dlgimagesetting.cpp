#include "upload/dlgimagesetting.h"
#include "ui_dlgimagesetting.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "settings/applywatch.h"
#include "upload/displayreplies.h"

CDlgImageSetting::CDlgImageSetting(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , m_dev(dev)
    , m_logoPane(this)
    , m_bgPane(this)
{
    ui.SetUpDialog(this, [this] {
        // The form's own texts would hide what was chosen and sent so far.
        ui->label_Size_bg->setText(ExpectedBgResolutionText());
        m_bgPane.Retranslated();
        m_logoPane.Retranslated();
    });
    // The two groups upload independently.
    m_logoPane.Attach({ui->lineEditFilePath_Logo, ui->label_Size_Logo, ui->label_SizeTatol_Logo,
                       ui->labelPicture_Logo, ui->label__pro_Logo, ui->pushBtnUpload_Logo, ui->groupBox_Logo});
    m_bgPane.Attach({ui->lineEditFilePath_bg, ui->label_Size_bg, ui->label_SizeTatol_bg, ui->labelPicture_bg,
                     ui->label_pro_bg, ui->pushBtnUpload_bg, ui->groupBox_bg});

    const T_ProdIdInfo *pProd = g_pHOIDevMgr->GetProdIdInfo(m_dev);
    if (pProd->image_bg && !pProd->image_logo)
        ui->groupBox_Logo->hide();
    if (m_dev->GetDevType() == CHOIDev::E_DT_TX)
        ui->groupBox_4->hide();
    if (!g_pHOIDevMgr->IsLogoEnable())
        ui->groupBox_Logo->hide();

    ShowOsdMethod(ui->cbOSDMethod, m_dev->GetOsdDisplayMethod());

    ui->label_Size_bg->setText(ExpectedBgResolutionText());
    if (IsLogoProduct()) {
        ui->groupBox_4->hide();
        ui->label_3->hide();
    } else {
        ui->label_4->hide();
    }
}

CDlgImageSetting::~CDlgImageSetting() = default;

void CDlgImageSetting::SetProgressInterval(int msecs)
{
    m_logoPane.SetProgressInterval(msecs);
    m_bgPane.SetProgressInterval(msecs);
}

bool CDlgImageSetting::IsLogoProduct() const
{
    return g_pHOIDevMgr->GetProdIdInfo(m_dev)->image_logo;
}

QString CDlgImageSetting::ExpectedBgResolutionText() const
{
    return IsLogoProduct() ? tr("Image Resolution: 1280X720") : tr("Image Resolution: 1920X1080");
}

void CDlgImageSetting::on_pushBtnSelect_Logo_clicked()
{
    T_ImageRule rule = T_ImageRule::UpTo(kLogoImageMaxBytes, tr("Select Logo"), QStringLiteral("(*.bmp)"), QString(),
                                         QStringLiteral("Image Size:%1 (KB) (<128KB)"));
    rule.bLogoBitmap = true;
    m_logoPane.Choose(rule);
}

void CDlgImageSetting::on_pushBtnSelect_bg_clicked()
{
    // The expected resolution is shown beside the picture's, not enforced.
    const QString strResolution = IsLogoProduct() ? QStringLiteral("Image Resolution:%1X%2 (1280X720)")
                                                  : QStringLiteral("Image Resolution:%1X%2 (1920X1080)");
    m_bgPane.Choose(T_ImageRule::UpTo(kIdleImageMaxBytes, tr("Select Background"), QStringLiteral("(*.jpg)"),
                                      strResolution, QStringLiteral("Image Size:%1 (KB) (<1.5MB)")));
}

void CDlgImageSetting::on_pushBtnUpload_Logo_clicked()
{
    m_logoPane.Upload(QStringLiteral("http://%1/upload_logo").arg(m_dev->GetIPAddr()));
}

void CDlgImageSetting::on_pushBtnUpload_bg_clicked()
{
    m_bgPane.Upload(QStringLiteral("http://%1/upload_bg").arg(m_dev->GetIPAddr()));
}

void CDlgImageSetting::on_pbApplyOSDMethod_clicked()
{
    CApplyWatch::WatchQueued(this, m_dev, ApplyOsdMethod(m_dev, ui->cbOSDMethod));
}
