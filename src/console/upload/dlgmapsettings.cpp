#include "upload/dlgmapsettings.h"
#include "ui_dlgmapsettings.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "settings/applywatch.h"
#include "upload/displayreplies.h"

namespace {

enum {
    E_PAGE_OSD_SETTINGS = 0,
    E_PAGE_OSD_METHOD = 1
};

} // namespace

CDlgMapSettings::CDlgMapSettings(CHOIDev *dev, QWidget *parent)
    : QDialog(parent)
    , m_dev(dev)
    , m_imagePane(this)
{
    ui->setupUi(this);
    DropHelpButton(this);
    m_imagePane.Attach(ImagePaneOf(ui.get()), [this] {
        ui->retranslateUi(this);
        // The form's texts are those of one kind of product only.
        SetProductTexts();
    });

    ui->gbMapDisplay->setVisible(g_pHOIDevMgr->IsSupportMapDisplay(m_dev));
    SetProductTexts();

    // Asked also when the display switch is hidden.
    m_dev->QueryBackgroundImageDisplay();

    connect(m_dev, &CHOIDev::OnGetMapSettings, this, &CDlgMapSettings::slotGetMapSettings);

    if (g_pHOIDevMgr->IsSupportOsdDisplayMethod(m_dev)) {
        ui->sw_OSD->setCurrentIndex(E_PAGE_OSD_METHOD);
        m_dev->QueryOsdDisplayMethod();
    } else {
        ui->sw_OSD->setCurrentIndex(E_PAGE_OSD_SETTINGS);
        m_dev->QueryOsdDisplay();
    }
    connect(m_dev, &CHOIDev::OnGetOSDSettings, this, &CDlgMapSettings::slotGetOSDSettings);

    ShowOsdMethod(ui->cbOSDMethod, m_dev->GetOsdDisplayMethod());
}

CDlgMapSettings::~CDlgMapSettings() = default;

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

void CDlgMapSettings::on_pushBtnSelect_clicked()
{
    // The resolution is shown for both kinds, not enforced.
    const bool bJpg = IsJpgType();
    m_imagePane.Choose(T_ImageRule::UpTo(
        bJpg ? kIdleImageMaxBytes : kWindowingImageMaxBytes, tr("Select Background Image"),
        bJpg ? tr("Background image (*.jpg)") : tr("Background image (*.bmp)"),
        QStringLiteral("Image Resolution:%1X%2 (1920X1080)"),
        bJpg ? QStringLiteral("Image Size:%1 (KB) (<1.5MB)") : QStringLiteral("Image Size:%1 (KB) (<10MB)")));
}

void CDlgMapSettings::on_pushBtnUpload_clicked()
{
    m_imagePane.Upload(IsJpgType() ? g_pHOIDevMgr->GetDevUrl(m_dev) : g_pHOIDevMgr->GetDevBgUrl(m_dev));
}

void CDlgMapSettings::on_pushBtnApply_clicked()
{
    CApplyWatch::WatchQueued(this, m_dev, m_dev->ApplyBackgroundImageDisplay(ui->checkBoxDisplay->isChecked()));
}

void CDlgMapSettings::on_pushBtnOSDApply_clicked()
{
    CApplyWatch::WatchQueued(this, m_dev, m_dev->ApplyOsdDisplay(ui->cbxOSDDisplay->isChecked()));
}

void CDlgMapSettings::on_pbApplyOSDMethod_clicked()
{
    CApplyWatch::WatchQueued(this, m_dev, ApplyOsdMethod(m_dev, ui->cbOSDMethod));
}

void CDlgMapSettings::slotGetMapSettings(QString strStatus)
{
    ShowYesNoReply(ui->checkBoxDisplay, strStatus);
}

void CDlgMapSettings::slotGetOSDSettings(QString strStatus)
{
    // The same signal carries the display switch and the method.
    if (!ShowYesNoReply(ui->cbxOSDDisplay, strStatus))
        ShowOsdMethod(ui->cbOSDMethod, strStatus);
}
