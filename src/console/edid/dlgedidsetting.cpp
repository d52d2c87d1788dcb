#include "edid/dlgedidsetting.h"
#include "ui_dlgedidsetting.h"

#include <QDir>
#include <QEvent>
#include <QFile>

#include "batch/edidhex.h"
#include "hoi_core/hoidev.h"
#include "uiservices.h"

namespace {
const QLatin1String kBinSuffix(".bin");
} // namespace

CDlgEDIDSetting::CDlgEDIDSetting(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgEDIDSetting)
    , m_pDev(pDev)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    FillEdidList();
}

CDlgEDIDSetting::~CDlgEDIDSetting()
{
    delete ui;
}

void CDlgEDIDSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The list is filled here, not by the form: its last item is ours.
        ui->cbEDIDSet->setItemText(ui->cbEDIDSet->count() - 1, tr("Upload..."));
    }
    QDialog::changeEvent(event);
}

void CDlgEDIDSetting::FillEdidList()
{
    const QSignalBlocker blocker(ui->cbEDIDSet);
    ui->cbEDIDSet->clear();
    const QStringList files = QDir(EdidDirPath()).entryList(QStringList(QStringLiteral("*.bin")), QDir::Files,
                                                            QDir::Name | QDir::IgnoreCase);
    for (const QString &strFile : files) {
        const int nAt = strFile.indexOf(kBinSuffix, 0, Qt::CaseSensitive);
        const QString strName = nAt >= 0 ? strFile.left(nAt) : strFile;
        ui->cbEDIDSet->addItem(strName, strName);
    }
    ui->cbEDIDSet->addItem(tr("Upload..."));

    if (files.isEmpty()) {
        ui->pbUplaodEDIDFile->setEnabled(true);
        ui->teEDIDInfo->clear();
        ui->pbApply->setEnabled(false);
        return;
    }
    ui->pbUplaodEDIDFile->setEnabled(false);
    ui->cbEDIDSet->setCurrentIndex(0);
    LoadEdidFile(EdidDirPath() + QLatin1Char('/') + ui->cbEDIDSet->itemText(0) + kBinSuffix);
}

// Shows the first 256 bytes of the file and checks them. False, with
// nothing changed, when the file cannot be opened.
bool CDlgEDIDSetting::LoadEdidFile(const QString &strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(E_EDID_READ_MAX);
    ui->teEDIDInfo->clear();
    ui->teEDIDInfo->setPlainText(EdidRawHex(bytes));
    ShowEdidText();
    return true;
}

void CDlgEDIDSetting::ShowEdidText()
{
    const QString strRaw = ui->teEDIDInfo->toPlainText();
    if (!IsValidEdidHeader(strRaw)) {
        ShowMessageBox(QMessageBox::NoIcon, this, tr("EDID Setting"), tr("Invalid EDID !"), QMessageBox::Ok,
                       QMessageBox::NoButton);
        ui->teEDIDInfo->clear();
        return;
    }
    m_strEdid = EdidSendText(strRaw);
    ui->teEDIDInfo->clear();
    ui->teEDIDInfo->setPlainText(EdidDisplayText(strRaw));
    ui->pbApply->setEnabled(true);
}

void CDlgEDIDSetting::on_cbEDIDSet_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (index == ui->cbEDIDSet->count() - 1) {
        ui->pbUplaodEDIDFile->setEnabled(true);
        ui->teEDIDInfo->clear();
        ui->pbApply->setEnabled(false);
        return;
    }
    ui->pbUplaodEDIDFile->setEnabled(false);
    ui->leEDIDFileName->clear();
    LoadEdidFile(EdidDirPath() + QLatin1Char('/') + ui->cbEDIDSet->itemText(index) + kBinSuffix);
}

void CDlgEDIDSetting::on_pbUplaodEDIDFile_clicked()
{
    const QString strPath = GetOpenFileName(this, tr("Open File"), EdidDirPath(), tr("(*.bin)"));
    ui->leEDIDFileName->setText(strPath);
    if (strPath.isEmpty() || !LoadEdidFile(strPath)) {
        ui->teEDIDInfo->clear();
        ui->pbApply->setEnabled(false);
        return;
    }
    ui->pbApply->setEnabled(true);
}

void CDlgEDIDSetting::on_pbApply_clicked()
{
    // Select enables Apply after any file; an EEPROM written with nothing
    // would leave the device's source without an EDID.
    if (m_strEdid.isEmpty()) {
        MsgCritical(this, QString(), tr("No valid EDID has been loaded."));
        return;
    }
    const QString strLine =
        tr("echo \"%1\" > /sys/devices/platform/videoip/eeprom_content").arg(m_strEdid);
    if (m_pDev)
        m_pDev->PushSendData(strLine.toUtf8().constData(), true, false);
}
