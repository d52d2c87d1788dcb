#include "overlay/dlglogosettings.h"
#include "ui_dlglogosettings.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "settings/applywatch.h"
#include "uiservices.h"
#include "upload/displayreplies.h"

namespace {
const char kOverlayEvent[] = "e e_png_overlay";
} // namespace

CDlgLogoSettings::CDlgLogoSettings(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_imagePane(this)
{
    ui->setupUi(this);
    DropHelpButton(this);
    // The form's texts come back; what the operator chose or typed stays.
    m_imagePane.Attach(ImagePaneOf(ui.get()), [this] { ui->retranslateUi(this); });

    if (m_pDev) {
        // The cache counts from 0, the operator from 1; an empty cache reads 0.
        ui->lECoorX->setText(QString::number(m_pDev->GetOverlayPosH().toInt() + 1));
        ui->lECoorY->setText(QString::number(m_pDev->GetOverlayPosV().toInt() + 1));
        m_pDev->QueryPngOverlayEnable();
        connect(m_pDev, &CHOIDev::OnGetOverlaySettings, this, &CDlgLogoSettings::slotGetOverlaySettings);
    }
}

CDlgLogoSettings::~CDlgLogoSettings() = default;

void CDlgLogoSettings::on_pushBtnSelect_clicked()
{
    m_imagePane.Choose(T_ImageRule::Within(kOverlayImageMaxSize, tr("Select Overlay Image"),
                                           tr("Overlay image (*.png)"),
                                           QStringLiteral("Image Resolution:%1X%2 (<1920X1080)")));
}

void CDlgLogoSettings::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pHOIDevMgr)
        return;
    m_imagePane.Upload(g_pHOIDevMgr->GetDevOverlayUrl(m_pDev));
}

// Reads one position field: false (message shown, focus in the field) when
// it is empty or outside 1..nMax. Text that is no number counts as 0.
bool CDlgLogoSettings::ReadCoordinate(QLineEdit *pEdit, const QString &strMissing, int nMax, int &nValue)
{
    if (pEdit->text().isEmpty()) {
        setEnabled(true);
        MsgInformation(this, QString(), strMissing);
        pEdit->setFocus();
        return false;
    }
    nValue = pEdit->text().toInt();
    if (nValue < 1 || nValue > nMax) {
        setEnabled(true);
        MsgInformation(this, QString(), tr("Value out of range."));
        pEdit->setFocus();
        return false;
    }
    return true;
}

void CDlgLogoSettings::on_pBOverlayApply_clicked()
{
    setEnabled(false);
    if (!m_pDev) {
        setEnabled(true);
        return;
    }
    int nX = 0;
    int nY = 0;
    if (!ReadCoordinate(ui->lECoorX, tr("Please enter the X coordinate."), kOverlayImageMaxSize.width(), nX)
        || !ReadCoordinate(ui->lECoorY, tr("Please enter the Y coordinate."), kOverlayImageMaxSize.height(), nY))
        return;

    const QString strH = QString::number(nX - 1);
    const QString strV = QString::number(nY - 1);
    if (!ApplyOverlayPosition(m_pDev, strH, strV, false)) {
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to screen coordinate settings to devices."));
        return;
    }
    CApplyWatch::Watch(this, m_pDev);
    m_pDev->PushSendData(kOverlayEvent, true, true);
    setEnabled(true);
}

void CDlgLogoSettings::on_pushBtnApply_clicked()
{
    setEnabled(false);
    if (!m_pDev) {
        setEnabled(true);
        return;
    }
    if (!m_pDev->ApplyPngOverlayEnable(ui->checkBoxDisplay->isChecked())) {
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to display overlay settings to devices."));
        return;
    }
    m_pDev->PushSendData(kOverlayEvent, true, true);
    CApplyWatch::Watch(this, m_pDev);
    setEnabled(true);
}

void CDlgLogoSettings::slotGetOverlaySettings(QString strStatus)
{
    ShowYesNoReply(ui->checkBoxDisplay, strStatus);
}
