#include "vtx/dlgpreviewimage.h"
#include "ui_dlgpreviewimage.h"

#include <QEvent>

#include "hoi_core/hoidevmgr.h"

namespace {
const QSize kMaxPreviewSize(720, 480);
} // namespace

CDlgPreviewImage::CDlgPreviewImage(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgPreviewImage)
    , m_pDev(pDev)
    , m_imagePane(this, staticMetaObject.className())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_imagePane.Attach(ImagePaneOf(ui));
}

CDlgPreviewImage::~CDlgPreviewImage()
{
    delete ui;
}

void CDlgPreviewImage::changeEvent(QEvent *event)
{
    // The form's texts come back; the lines of a chosen picture stay.
    if (event->type() == QEvent::LanguageChange)
        m_imagePane.Retranslate([this] { ui->retranslateUi(this); });
    QDialog::changeEvent(event);
}

void CDlgPreviewImage::on_pushBtnSelect_clicked()
{
    m_imagePane.Choose(tr("Select Preview Image"), tr("Preview image (*.jpg)"), kMaxPreviewSize,
                       QStringLiteral("Image Resolution:%1X%2 (<720X480)"));
}

void CDlgPreviewImage::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pHOIDevMgr)
        return;
    m_imagePane.Upload(g_pHOIDevMgr->GetDevPreviewUrl(m_pDev));
}
