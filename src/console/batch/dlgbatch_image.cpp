// CDlgBatch: the Image page. Three uploads over HTTP that finish later, and
// three settings that follow the synchronous batch frame.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "upload/httpconnect.h"
#include "uiservices.h"

namespace {

const qint64 kIdleImageMaxBytes = 1572864; // 1.5 MB
const qint64 kLogoLimitBytes = 131072;     // the logo must stay below 128 KB
const int kOverlayMaxWidth = 1920;
const int kOverlayMaxHeight = 1080;

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

void CDlgBatch::on_pushBtnSelect_bg_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select idle image"), QString(), tr("(*.jpg)"));
    if (strPath.isEmpty())
        return;
    const QImage image = ReadImage(strPath);
    if (image.isNull()) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    ui->labelPicture_bg->setPixmap(Preview(QPixmap::fromImage(image), ui->labelPicture_bg));
    ui->lineEditFilePath_bg->setText(strPath);
    const qint64 nSize = QFileInfo(strPath).size();
    ui->label_SizeTatol_bg->setText(QStringLiteral("Image Size:%1 (KB) (<1.5MB)").arg(nSize / 1024));
    ui->label_Size_bg->setText(QStringLiteral("Image Resolution:%1X%2").arg(image.width()).arg(image.height()));
    const bool bOk = nSize <= kIdleImageMaxBytes;
    SetLabelColor(ui->label_SizeTatol_bg, bOk);
    ui->pushBtnUpload_bg->setEnabled(bOk);
    ClearImageResult();
    repaint();
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
    ui->labelPicture_Logo->setPixmap(Preview(QPixmap(strPath), ui->labelPicture_Logo));
    ui->lineEditFilePath_Logo->setText(strPath);
    const qint64 nSize = QFileInfo(strPath).size();
    ui->label_SizeTatol_Logo->setText(QStringLiteral("Image Size:%1 (KB) (<128KB)").arg(nSize / 1024));
    const bool bOk = nSize < kLogoLimitBytes;
    SetLabelColor(ui->label_SizeTatol_Logo, bOk);
    ui->pushBtnUpload_Logo->setEnabled(bOk);
    ClearImageResult();
    repaint();
}

void CDlgBatch::on_pBOverlaySelect_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Select Image"), QString(), tr("(*.png)"));
    if (strPath.isEmpty())
        return;
    const QImage image = ReadImage(strPath);
    if (image.isNull()) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        return;
    }
    ui->labelPicture->setPixmap(Preview(QPixmap::fromImage(image), ui->labelPicture));
    ui->lineEditFilePath->setText(strPath);
    const qint64 nSize = QFileInfo(strPath).size();
    ui->label_41->setText(QStringLiteral("Image Size:%1 (KB)").arg(nSize / 1024));
    ui->label_42->setText(
        QStringLiteral("Image Resolution:%1X%2 (<= 1920X1080)").arg(image.width()).arg(image.height()));
    const bool bOk = image.width() <= kOverlayMaxWidth && image.height() <= kOverlayMaxHeight;
    SetLabelColor(ui->label_42, bOk);
    ui->pBOverlayUpload->setEnabled(bOk);
    ClearImageResult();
    repaint();
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
    switch (eKind) {
    case E_UK_IDLE:
        strPath = ui->lineEditFilePath_bg->text();
        return HttpConnect::ReadCheckedFile(strPath, kIdleImageMaxBytes, IsLoadableImage, data);
    case E_UK_LOGO:
        strPath = ui->lineEditFilePath_Logo->text();
        return HttpConnect::ReadCheckedFile(strPath, kLogoLimitBytes - 1, [this](const QByteArray &bytes) {
            return m_bmpCheck.IsSupportedBmpData(bytes);
        }, data);
    case E_UK_OVERLAY:
    default:
        strPath = ui->lineEditFilePath->text();
        return HttpConnect::ReadCheckedFile(strPath, -1, [](const QByteArray &bytes) {
            return IsImageWithin(bytes, QSize(kOverlayMaxWidth, kOverlayMaxHeight));
        }, data);
    }
}

QString CDlgBatch::UploadUrl(E_UploadKind eKind, CHOIDev *pDev)
{
    if (eKind == E_UK_LOGO)
        return QStringLiteral("http://%1/upload_logo").arg(pDev->GetIPAddr());
    if (!g_pDevMgr)
        return QString();
    return eKind == E_UK_IDLE ? g_pDevMgr->GetDevUrl(pDev) : g_pDevMgr->GetDevOverlayUrl(pDev);
}

void CDlgBatch::StartUploadRound(E_UploadKind eKind)
{
    setDisabled(true);
    BeginImageOperation();
    m_listCurDev = ui->groupBox->GetCheckedDevList();
    if (m_listCurDev.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        setDisabled(false);
        return;
    }
    ui->label_pro->setText(tr("Progress: 0%"));

    QString strPath;
    QByteArray data;
    const bool bFileOk = ReadUploadFile(eKind, strPath, data);
    m_nTotalBytes = qint64(data.size()) * m_listCurDev.size();

    for (CHOIDev *pDev : qAsConst(m_listCurDev)) {
        if (pDev)
            ShowDevProgress(E_BP_IMAGE, pDev);
        // A device without a product record has no upload address.
        const QString strUrl = pDev && pDev->m_bOnLine ? UploadUrl(eKind, pDev) : QString();
        if (!bFileOk || strUrl.isEmpty()) {
            m_listImageFail.append(pDev);
            ++m_nFinishedCount;
            continue;
        }
        HttpConnect *pHttp = new HttpConnect(nullptr);
        if (eKind == E_UK_OVERLAY) {
            connect(pHttp, QOverload<QString, QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
                    &CDlgBatch::slotOverlayHttpFinish);
            connect(pHttp, &HttpConnect::signalSendBytes, this, &CDlgBatch::slotOverlayHttpSendBytes);
        } else {
            connect(pHttp, QOverload<QString, QVariant>::of(&HttpConnect::OnGetMapUploadStatus), this,
                    &CDlgBatch::slotHttpFinish);
            connect(pHttp, &HttpConnect::signalSendBytes, this, &CDlgBatch::slotHttpSendBytes);
        }
        T_Upload upload;
        upload.pDev = pDev;
        upload.nRound = m_nUploadRound;
        m_uploads.insert(pHttp, upload);
        if (!pHttp->PostData(data, strPath, strUrl, pDev->GetDisplayName())) {
            m_uploads.remove(pHttp);
            m_listImageFail.append(pDev);
            ++m_nFinishedCount;
            pHttp->deleteLater();
        }
    }

    // A round in which no upload started has ended here. Otherwise the
    // overlay round shows what is known now; the others wait for the last
    // answer.
    if (m_nFinishedCount == m_listCurDev.size()) {
        ShowImageResult();
        ui->label_pro->setText(tr("Progress: 100%"));
    } else if (eKind == E_UK_OVERLAY) {
        ShowImageResult();
    }
    setDisabled(false);
}

void CDlgBatch::ShowImageResult()
{
    ui->lbResultImage->setText(ResultText(m_listCurDev.size(), m_listImageFail.size()));
    ui->pbImageDetails->show();
}

void CDlgBatch::UploadProgress(HttpConnect *pHttp, qlonglong bytesSent)
{
    auto it = m_uploads.find(pHttp);
    if (it == m_uploads.end() || it->nRound != m_nUploadRound)
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

void CDlgBatch::slotOverlayHttpSendBytes(qlonglong bytesSent)
{
    UploadProgress(qobject_cast<HttpConnect *>(sender()), bytesSent);
}

void CDlgBatch::slotOverlayHttpFinish(QString, QVariant code)
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

bool CDlgBatch::StartImageBatch(QList<CHOIDev *> &devs)
{
    setDisabled(true);
    ClearImageResult();
    BeginImageOperation();
    devs = ui->groupBox->GetCheckedDevList();
    m_listCurDev = devs;
    if (devs.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        setDisabled(false);
        return false;
    }
    return true;
}

void CDlgBatch::on_pbApplyOSDMethod_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartImageBatch(devs))
        return;
    const int nIndex = ui->cbOSDMethod->currentIndex();
    const QString strMethod = nIndex == 0   ? QStringLiteral("follow")
                              : nIndex == 1 ? QStringLiteral("independence")
                                            : QString();
    ApplyToDevs(E_BP_IMAGE, devs, [&](CHOIDev *pDev) {
        if (!pDev->ApplyOsdDisplayMethod(strMethod))
            return false;
        pDev->SetOsdDisplayMethod(strMethod);
        return true;
    });
    FinishBatch(E_BP_IMAGE, devs.size());
}

void CDlgBatch::on_pBOverlayApply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartImageBatch(devs))
        return;
    // The operator counts from 1; the device from 0.
    auto refuse = [this](const QString &strText, QLineEdit *pField) {
        setDisabled(false);
        MsgInformation(this, QString(), strText);
        pField->setFocus(Qt::OtherFocusReason);
    };
    if (ui->lECoorX->text().isEmpty()) {
        refuse(tr("Please enter the X coordinate."), ui->lECoorX);
        return;
    }
    const int nX = ui->lECoorX->text().toInt();
    if (nX < 1 || nX > kOverlayMaxWidth) {
        refuse(tr("Value out of range."), ui->lECoorX);
        return;
    }
    if (ui->lECoorY->text().isEmpty()) {
        refuse(tr("Please enter the Y coordinate."), ui->lECoorY);
        return;
    }
    const int nY = ui->lECoorY->text().toInt();
    if (nY < 1 || nY > kOverlayMaxHeight) {
        refuse(tr("Value out of range."), ui->lECoorY);
        return;
    }
    const QString strX = QString::number(nX - 1);
    const QString strY = QString::number(nY - 1);
    ApplyToDevs(E_BP_IMAGE, devs, [&](CHOIDev *pDev) {
        bool bOk = pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_H, strX);
        pDev->SetOverlayPosH(strX);
        bOk = pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_V, strY) && bOk;
        pDev->SetOverlayPosV(strY);
        pDev->PushSendData("e e_png_overlay", true, true);
        return bOk;
    });
    FinishBatch(E_BP_IMAGE, devs.size());
}

void CDlgBatch::on_pushBtnApply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartImageBatch(devs))
        return;
    const bool bOn = ui->checkBoxDisplay->isChecked();
    ApplyToDevs(E_BP_IMAGE, devs, [&](CHOIDev *pDev) {
        if (!pDev->ApplyPngOverlayEnable(bOn))
            return false;
        pDev->PushSendData("e e_png_overlay", true, true);
        return true;
    });
    FinishBatch(E_BP_IMAGE, devs.size());
}
