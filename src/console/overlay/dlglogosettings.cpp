#include "overlay/dlglogosettings.h"
#include "ui_dlglogosettings.h"

#include <QEvent>
#include <QPixmap>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"
#include "vtx/imagepane.h"

namespace {
const QSize kMaxOverlaySize(1920, 1080);
const int kProgressInterval = 200;
const int kProgressRest = 99; // the line rests one below this until the answer
const char kOverlayEvent[] = "e e_png_overlay";
} // namespace

CDlgLogoSettings::CDlgLogoSettings(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgLogoSettings)
    , m_pDev(pDev)
    , m_nProgress(0)
    , m_nProgressInterval(kProgressInterval)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->pushBtnUpload->setEnabled(false);

    if (m_pDev) {
        // The cache counts from 0, the operator from 1; an empty cache reads 0.
        ui->lECoorX->setText(QString::number(m_pDev->GetOverlayPosH().toInt() + 1));
        ui->lECoorY->setText(QString::number(m_pDev->GetOverlayPosV().toInt() + 1));
        m_pDev->QueryPngOverlayEnable();
        connect(m_pDev, &CHOIDev::OnGetOverlaySettings, this, &CDlgLogoSettings::slotGetOverlaySettings);
    }
    connect(&m_httpConnect, QOverload<QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
            &CDlgLogoSettings::slotGetOverlayUploadStatus);
    connect(&m_timer, &QTimer::timeout, this, &CDlgLogoSettings::slotGrogressBar);
}

CDlgLogoSettings::~CDlgLogoSettings()
{
    delete ui;
}

void CDlgLogoSettings::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form's texts come back; what the operator chose or typed stays.
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

void CDlgLogoSettings::on_pushBtnSelect_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Overlay Image"), QString(),
                                            tr("Overlay image (*.png)"));
    if (strPath.isEmpty())
        return;
    const T_ImagePane pane{ui->lineEditFilePath, ui->label_3, ui->label_5, ui->labelPicture};
    const E_PaneImage eResult =
        ShowPaneImage(pane, strPath, kMaxOverlaySize, QStringLiteral("Image Resolution:%1X%2 (<1920X1080)"));
    if (eResult == E_PI_NOT_LOADED) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    m_strFilePath = strPath;
    ui->pushBtnUpload->setEnabled(eResult == E_PI_ACCEPTED);
    update();
}

void CDlgLogoSettings::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pDevMgr)
        return;
    const QString strUrl = g_pDevMgr->GetDevOverlayUrl(m_pDev);
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

void CDlgLogoSettings::slotGrogressBar()
{
    ++m_nProgress;
    if (m_nProgress == kProgressRest && m_timer.isActive()) {
        m_timer.stop();
        return;
    }
    ui->label_4->setText(tr("Upload Progress: %1%").arg(m_nProgress));
}

void CDlgLogoSettings::slotGetOverlayUploadStatus(QVariant code)
{
    setEnabled(true);
    if (m_timer.isActive())
        m_timer.stop();
    if (code.isValid() && code.toInt() == 200)
        ui->label_4->setText(tr("Upload Progress: %1%").arg(100));
    else
        MsgCritical(this, QString(), tr("Upload error."));
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
    if (!ReadCoordinate(ui->lECoorX, tr("Please enter the X coordinate."), kMaxOverlaySize.width(), nX)
        || !ReadCoordinate(ui->lECoorY, tr("Please enter the Y coordinate."), kMaxOverlaySize.height(), nY))
        return;

    const QString strH = QString::number(nX - 1);
    const QString strV = QString::number(nY - 1);
    if (!m_pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_H, strH)) {
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to screen coordinate settings to devices."));
        return;
    }
    m_pDev->SetOverlayPosH(strH);
    if (!m_pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_V, strV)) {
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to screen coordinate settings to devices."));
        return;
    }
    m_pDev->SetOverlayPosV(strV);
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
    setEnabled(true);
}

void CDlgLogoSettings::slotGetOverlaySettings(QString strStatus)
{
    if (strStatus == QLatin1String("y"))
        ui->checkBoxDisplay->setChecked(true);
    else if (strStatus == QLatin1String("n"))
        ui->checkBoxDisplay->setChecked(false);
}

void CDlgLogoSettings::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Read again from disk: the picture follows the file as it is now.
    ui->labelPicture->setPixmap(QPixmap(m_strFilePath));
    ui->labelPicture->show();
}
