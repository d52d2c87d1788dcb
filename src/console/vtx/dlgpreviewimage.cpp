#include "vtx/dlgpreviewimage.h"
#include "ui_dlgpreviewimage.h"

#include "hoi_core/hoidevmgr.h"

namespace {
const QSize kMaxPreviewSize(720, 480);
} // namespace

CDlgPreviewImage::CDlgPreviewImage(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_imagePane(this)
{
    ui->setupUi(this);
    DropHelpButton(this);
    // The form's texts come back; the lines of a chosen picture stay.
    m_imagePane.Attach(ImagePaneOf(ui.get()), [this] { ui->retranslateUi(this); });
}

CDlgPreviewImage::~CDlgPreviewImage() = default;

T_ImageRule CDlgPreviewImage::ImageRule()
{
    T_ImageRule rule = T_ImageRule::Within(kMaxPreviewSize, tr("Select Preview Image"), tr("Preview image (*.jpg)"),
                                           QStringLiteral("Image Resolution:%1X%2 (<720X480)"));
    // The devices show JPEG pictures only.
    rule.format = QByteArrayLiteral("jpeg");
    return rule;
}

void CDlgPreviewImage::on_pushBtnSelect_clicked()
{
    m_imagePane.Choose(ImageRule());
}

void CDlgPreviewImage::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pHOIDevMgr)
        return;
    m_imagePane.Upload(g_pHOIDevMgr->GetDevPreviewUrl(m_pDev));
}
