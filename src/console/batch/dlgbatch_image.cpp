// CDlgBatch: the Image page. Three uploads over HTTP that finish later, and
// three settings that follow the synchronous batch frame.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "upload/displayreplies.h"
#include "hoi_core/prodidinfo.h"
#include "upload/httpconnect.h"
#include "uiservices.h"

namespace {

// Recognised by its content, whatever the file's extension says.
QImage ReadImage(const QString &strPath)
{
    QImageReader reader(strPath);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QPixmap Preview(const QPixmap &pixmap, const QLabel *pLabel)
{
    const QSize box = pLabel->parentWidget() ? pLabel->parentWidget()->size() : pLabel->size();
    if (pixmap.isNull() || box.isEmpty())
        return pixmap;
    return pixmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

// ---------------------------------------------------------------------------
// Choosing files

void CDlgBatch::SetLabelColor(QLabel *pLabel, bool bOk)
{
    QPalette palette = pLabel->palette();
    palette.setColor(QPalette::WindowText, bOk ? Qt::black : Qt::red);
    pLabel->setPalette(palette);
}

void CDlgBatch::ClearImageResult()
{
    ui->lbResultImage->clear();
    ui->label_pro->clear();
    ui->pbImageDetails->hide();
}

CDlgBatch::T_UploadWidgets CDlgBatch::UploadWidgets(E_UploadKind eKind) const
{
    switch (eKind) {
    case E_UK_IDLE:
        return {ui->lineEditFilePath_bg, ui->labelPicture_bg, ui->label_SizeTatol_bg, ui->pushBtnUpload_bg};
    case E_UK_LOGO:
        return {ui->lineEditFilePath_Logo, ui->labelPicture_Logo, ui->label_SizeTatol_Logo,
                ui->pushBtnUpload_Logo};
    case E_UK_OVERLAY:
    default:
        return {ui->lineEditFilePath, ui->labelPicture, ui->label_42, ui->pBOverlayUpload};
    }
}

QImage CDlgBatch::ChooseImage(const QString &strCaption, const QString &strFilter, QString &strPath)
{
    strPath = GetOpenFileName(this, strCaption, QString(), strFilter);
    if (strPath.isEmpty())
        return QImage();
    const QImage image = ReadImage(strPath);
    if (image.isNull())
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
    return image;
}

void CDlgBatch::ShowChosenImage(E_UploadKind eKind, const QString &strPath, const QPixmap &pixmap,
                                bool bWithinLimit)
{
    const T_UploadWidgets widgets = UploadWidgets(eKind);
    widgets.pPicture->setPixmap(Preview(pixmap, widgets.pPicture));
    widgets.pPath->setText(strPath);
    SetLabelColor(widgets.pLimitLine, bWithinLimit);
    widgets.pUpload->setEnabled(bWithinLimit);
    ClearImageResult();
    repaint();
}

void CDlgBatch::on_pushBtnSelect_bg_clicked()
{
    QString strPath;
    const QImage image = ChooseImage(tr("Select idle image"), tr("(*.jpg)"), strPath);
    if (image.isNull())
        return;
    const qint64 nSize = QFileInfo(strPath).size();
    ui->label_SizeTatol_bg->setText(QStringLiteral("Image Size:%1 (KB) (<1.5MB)").arg(nSize / 1024));
    ui->label_Size_bg->setText(QStringLiteral("Image Resolution:%1X%2").arg(image.width()).arg(image.height()));
    ShowChosenImage(E_UK_IDLE, strPath, QPixmap::fromImage(image), nSize <= kIdleImageMaxBytes);
}

void CDlgBatch::on_pushBtnSelect_Logo_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Logo"), QString(), tr("(*.bmp)"));
    if (strPath.isEmpty())
        return;
    if (!m_bmpCheck.IsSupportedBmpFile(strPath)) {
        MsgInformation(this, tr("Open logo image failed"), tr("Open logo image failed!"));
        return;
    }
    const qint64 nSize = QFileInfo(strPath).size();
    ui->label_SizeTatol_Logo->setText(QStringLiteral("Image Size:%1 (KB) (<128KB)").arg(nSize / 1024));
    ShowChosenImage(E_UK_LOGO, strPath, QPixmap(strPath), nSize <= kLogoImageMaxBytes);
}

void CDlgBatch::on_pBOverlaySelect_clicked()
{
    QString strPath;
    const QImage image = ChooseImage(tr("Select Image"), tr("(*.png)"), strPath);
    if (image.isNull())
        return;
    ui->label_41->setText(QStringLiteral("Image Size:%1 (KB)").arg(QFileInfo(strPath).size() / 1024));
    ui->label_42->setText(
        QStringLiteral("Image Resolution:%1X%2 (<= 1920X1080)").arg(image.width()).arg(image.height()));
    const bool bOk = image.width() <= kOverlayImageMaxSize.width()
                     && image.height() <= kOverlayImageMaxSize.height();
    ShowChosenImage(E_UK_OVERLAY, strPath, QPixmap::fromImage(image), bOk);
}

// ---------------------------------------------------------------------------
// Upload rounds

void CDlgBatch::on_pushBtnUpload_bg_clicked()
{
    StartUploadRound(E_UK_IDLE);
}

void CDlgBatch::on_pushBtnUpload_Logo_clicked()
{
    StartUploadRound(E_UK_LOGO);
}

void CDlgBatch::on_pBOverlayUpload_clicked()
{
    StartUploadRound(E_UK_OVERLAY);
}

// Every Image operation starts afresh: replies of uploads still under way
// no longer count.
void CDlgBatch::BeginImageOperation()
{
    ++m_nUploadRound;
    m_listImageFail.clear();
    m_nFinishedCount = 0;
    m_nSentBytes = 0;
    m_nTotalBytes = 0;
}

// The chosen file as it is now: it may have changed on disk since it was
// chosen, so it must pass the checks of its choice again. Read once, the
// same bytes go to every device.
bool CDlgBatch::ReadUploadFile(E_UploadKind eKind, QString &strPath, QByteArray &data)
{
    strPath = UploadWidgets(eKind).pPath->text();
    switch (eKind) {
    case E_UK_IDLE:
        return HttpConnect::ReadCheckedFile(strPath, kIdleImageMaxBytes, IsLoadableImage, data);
    case E_UK_LOGO:
        return HttpConnect::ReadCheckedFile(strPath, kLogoImageMaxBytes, [this](const QByteArray &bytes) {
            return m_bmpCheck.IsSupportedBmpData(bytes);
        }, data);
    case E_UK_OVERLAY:
    default:
        return HttpConnect::ReadCheckedFile(strPath, -1, [](const QByteArray &bytes) {
            return IsImageWithin(bytes, kOverlayImageMaxSize);
        }, data);
    }
}

QString CDlgBatch::UploadUrl(E_UploadKind eKind, CHOIDev *pDev)
{
    if (eKind == E_UK_LOGO)
        return QStringLiteral("http://%1/upload_logo").arg(pDev->GetIPAddr());
    if (!g_pHOIDevMgr)
        return QString();
    return eKind == E_UK_IDLE ? g_pHOIDevMgr->GetDevUrl(pDev) : g_pHOIDevMgr->GetDevOverlayUrl(pDev);
}

void CDlgBatch::StartUploadRound(E_UploadKind eKind)
{
    setDisabled(true);
    BeginImageOperation();
    if (!TakeCheckedDevs(m_listCurDev) || !CheckUploadPaths(eKind, m_listCurDev))
        return;
    ui->label_pro->setText(tr("Progress: 0%"));

    QString strPath;
    QByteArray data;
    const bool bFileOk = ReadUploadFile(eKind, strPath, data);
    m_nTotalBytes = qint64(data.size()) * m_listCurDev.size();

    for (CHOIDev *pDev : qAsConst(m_listCurDev)) {
        if (pDev)
            ShowDevProgress(E_BP_IMAGE, pDev);
        const QString strUrl = pDev && pDev->m_bOnLine ? UploadUrl(eKind, pDev) : QString();
        if (!bFileOk || strUrl.isEmpty()) {
            m_listImageFail.append(pDev);
            ++m_nFinishedCount;
            continue;
        }
        HttpConnect *pHttp = new HttpConnect(nullptr);
        connect(pHttp, QOverload<QString, QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
                &CDlgBatch::slotHttpFinish);
        connect(pHttp, &HttpConnect::signalSendBytes, this, &CDlgBatch::slotHttpSendBytes);
        T_Upload upload;
        upload.pDev = pDev;
        upload.nRound = m_nUploadRound;
        upload.pStall = StartStallWatch(pHttp);
        m_uploads.insert(pHttp, upload);
        if (!pHttp->PostData(data, strPath, strUrl, pDev->GetDisplayName())) {
            m_uploads.remove(pHttp);
            m_listImageFail.append(pDev);
            ++m_nFinishedCount;
            pHttp->deleteLater();
        }
    }

    // A round in which no upload started has ended here; any other waits
    // for its last answer.
    if (m_nFinishedCount == m_listCurDev.size()) {
        ShowImageResult();
        ui->label_pro->setText(tr("Progress: 100%"));
    }
    setDisabled(false);
}

bool CDlgBatch::CheckUploadPaths(E_UploadKind eKind, const QList<CHOIDev *> &devs)
{
    for (CHOIDev *pDev : devs) {
        if (!pDev || HasUploadPath(UploadUrl(eKind, pDev)))
            continue;
        const T_ProdIdInfo *pProd = g_pHOIDevMgr ? g_pHOIDevMgr->GetProdIdInfo(pDev) : nullptr;
        const QString strProduct = pProd && !pProd->name.isEmpty() ? pProd->name : pDev->GetDisplayName();
        const QString strAttribute = eKind == E_UK_OVERLAY ? QStringLiteral("overlay_url") : QStringLiteral("url");
        // Sent to the device's web root, the image would be taken for set.
        return RefuseBatch(tr("The image cannot be uploaded to %1: its product has no upload path "
                              "(\"%2\") in config.xml.")
                               .arg(strProduct, strAttribute));
    }
    return true;
}

bool CDlgBatch::IsUploadRoundOpen() const
{
    for (const T_Upload &upload : m_uploads) {
        if (upload.nRound == m_nUploadRound)
            return true;
    }
    return false;
}

QTimer *CDlgBatch::StartStallWatch(HttpConnect *pHttp)
{
    QTimer *pStall = new QTimer(pHttp);
    pStall->setSingleShot(true);
    connect(pStall, &QTimer::timeout, this, [this, pHttp]() {
        const T_Upload upload = m_uploads.value(pHttp);
        qWarning() << "upload to" << (upload.pDev ? upload.pDev->GetDisplayName() : QString()) << "took nothing for"
                   << m_nUploadStallMs << "ms; given up";
        // Reported as a failure through the uploader's usual end.
        pHttp->Abort();
    });
    pStall->start(m_nUploadStallMs);
    return pStall;
}

void CDlgBatch::ShowImageResult()
{
    ui->lbResultImage->setText(ResultText(m_listCurDev.size(), m_listImageFail.size()));
    ui->pbImageDetails->show();
}

void CDlgBatch::UploadProgress(HttpConnect *pHttp, qlonglong bytesSent)
{
    auto it = m_uploads.find(pHttp);
    if (it == m_uploads.end())
        return;
    it->pStall->start();
    if (it->nRound != m_nUploadRound)
        return;
    // Each report is the upload's own running total.
    m_nSentBytes += qint64(bytesSent) - it->nSent;
    it->nSent = bytesSent;
    int nPercent = 0;
    if (m_nTotalBytes > 0)
        nPercent = int(qBound<qint64>(0, m_nSentBytes * 100 / m_nTotalBytes, 99));
    ui->label_pro->setText(tr("Progress: %1%").arg(nPercent));
}

void CDlgBatch::UploadFinished(HttpConnect *pHttp, const QVariant &code)
{
    const auto it = m_uploads.find(pHttp);
    if (it != m_uploads.end()) {
        const T_Upload upload = it.value();
        m_uploads.erase(it);
        upload.pStall->stop();
        if (upload.nRound == m_nUploadRound) {
            ++m_nFinishedCount;
            if (!code.isValid() || code.toInt() != 200)
                m_listImageFail.append(upload.pDev);
            if (m_nFinishedCount == m_listCurDev.size()) {
                ShowImageResult();
                ui->label_pro->setText(tr("Progress: 100%"));
            }
        }
    }
    // An operation still waiting for links keeps the dialog disabled.
    if (m_linkWaits.isEmpty())
        setDisabled(false);
    if (pHttp)
        pHttp->deleteLater();
}

void CDlgBatch::slotHttpSendBytes(qlonglong bytesSent)
{
    UploadProgress(qobject_cast<HttpConnect *>(sender()), bytesSent);
}

void CDlgBatch::slotHttpFinish(QString, QVariant code)
{
    UploadFinished(qobject_cast<HttpConnect *>(sender()), code);
}

void CDlgBatch::done(int r)
{
    // Closing ends the uploads still under way, unreported.
    DropUploads();
    QDialog::done(r);
}

void CDlgBatch::DropUploads()
{
    // Destroying an uploader ends its request without a report.
    const QList<HttpConnect *> pending = m_uploads.keys();
    m_uploads.clear();
    qDeleteAll(pending);
}

// ---------------------------------------------------------------------------
// Settings of the Image page

void CDlgBatch::on_pbApplyOSDMethod_clicked()
{
    RunBatch(E_BP_IMAGE, [&](CHOIDev *pDev) { return ApplyOsdMethod(pDev, ui->cbOSDMethod); });
}

bool CDlgBatch::ReadOverlayCoordinate(QLineEdit *pField, const QString &strMissing, int nMax, int &nValue)
{
    if (!pField->text().isEmpty()) {
        nValue = pField->text().toInt();
        if (nValue >= 1 && nValue <= nMax)
            return true;
    }
    setDisabled(false);
    MsgInformation(this, QString(), pField->text().isEmpty() ? strMissing : tr("Value out of range."));
    pField->setFocus(Qt::OtherFocusReason);
    return false;
}

void CDlgBatch::on_pBOverlayApply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_IMAGE, devs))
        return;
    // The operator counts from 1; the device from 0.
    int nX = 0;
    int nY = 0;
    if (!ReadOverlayCoordinate(ui->lECoorX, tr("Please enter the X coordinate."), kOverlayImageMaxSize.width(), nX)
        || !ReadOverlayCoordinate(ui->lECoorY, tr("Please enter the Y coordinate."),
                                  kOverlayImageMaxSize.height(), nY))
        return;
    const QString strX = QString::number(nX - 1);
    const QString strY = QString::number(nY - 1);
    ApplyToDevs(E_BP_IMAGE, devs, [&](CHOIDev *pDev) {
        const bool bOk = ApplyOverlayPosition(pDev, strX, strY, true);
        pDev->PushSendData("e e_png_overlay", true, true);
        return bOk;
    });
}

void CDlgBatch::on_pushBtnApply_clicked()
{
    const bool bOn = ui->checkBoxDisplay->isChecked();
    RunBatch(E_BP_IMAGE, [&](CHOIDev *pDev) {
        if (!pDev->ApplyPngOverlayEnable(bOn))
            return false;
        pDev->PushSendData("e e_png_overlay", true, true);
        return true;
    });
}
