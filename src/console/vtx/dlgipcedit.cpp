#include "vtx/dlgipcedit.h"
#include "ui_dlgipcedit.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoirecords.h"
#include "hoiwidget/namefilter.h"
#include "uiservices.h"

namespace {

// Shown text and stored value ("<width>X<height>") of the resolution list.
const struct {
    const char *pszText;
    const char *pszValue;
} kResolutions[] = {
    {"1080P", "1920X1080"},     {"720P", "1280X720"},       {"576P", "720X576"},
    {"480P", "720X480"},        {"640X480", "640X480"},     {"800X600", "800X600"},
    {"1024X768", "1024X768"},   {"1280X800", "1280X800"},   {"1280X1024", "1280X1024"},
    {"1366X768", "1366X768"},   {"1440X900", "1440X900"},   {"1600X1200", "1600X1200"},
    {"1680X1050", "1680X1050"},
};

} // namespace

CDlgIPCEdit::CDlgIPCEdit(T_IpcInfo *pInfo, QWidget *parent)
    : QDialog(parent)
    , m_pInfo(pInfo)
{
    ui.SetUpDialog(this);

    FillResolutions();
    // The items may be shown translated; the record holds the gateway's word.
    ui->cmBTransport->setItemData(0, QStringLiteral("UDP"));
    ui->cmBTransport->setItemData(1, QStringLiteral("TCP"));
    ui->cmBResolution->setCurrentIndex(0);
    ui->spinBoxFPS->setValue(30);
    ui->lEHostName->setEnabled(false);

    if (!m_pInfo)
        return;
    // Filling the alias runs the character rule on it, as typing would.
    ui->lEAlias->setText(m_pInfo->aliasname);
    ui->lEHostName->setText(m_pInfo->hostname);
    ui->lEUrl->setText(m_pInfo->url);
    const int nRes = ui->cmBResolution->findData(m_pInfo->width + QLatin1Char('X') + m_pInfo->height);
    if (nRes >= 0)
        ui->cmBResolution->setCurrentIndex(nRes);
    // A text that is no number reads as 0; the box clamps to 1..60.
    ui->spinBoxFPS->setValue(m_pInfo->fps.toInt());
    ui->lEUser->setText(m_pInfo->user);
    ui->lEPassword->setText(m_pInfo->passwd);
    const int nTransport = ui->cmBTransport->findData(m_pInfo->transporttype);
    if (nTransport >= 0)
        ui->cmBTransport->setCurrentIndex(nTransport);
    ui->lESerialNumber->setText(m_pInfo->sn);
    ui->lERemark->setText(m_pInfo->remark);
}

CDlgIPCEdit::~CDlgIPCEdit() = default;

void CDlgIPCEdit::FillResolutions()
{
    ui->cmBResolution->clear();
    for (const auto &res : kResolutions)
        ui->cmBResolution->addItem(QLatin1String(res.pszText), QLatin1String(res.pszValue));
}

void CDlgIPCEdit::RestoreAlias(const QString &strMessage)
{
    MsgCritical(this, QString(), strMessage);
    // Setting the text again runs the rule once more; setting the same text
    // is no change, so it ends there.
    ui->lEAlias->setText(m_pInfo ? m_pInfo->aliasname : m_strLastAlias);
    ui->lEAlias->setFocus();
}

void CDlgIPCEdit::on_lEAlias_textChanged(const QString &arg1)
{
    // The gateway's stream tools split their lists at these characters.
    if (arg1.isEmpty() || CNameFilter::IsForbidden(arg1.back(), CNameFilter::E_NK_ALIAS)) {
        RestoreAlias(tr("Character error."));
        return;
    }
    QChar ch;
    QString strMessage;
    if (CNameFilter::FindForbidden(arg1, CNameFilter::E_NK_ALIAS, ch, strMessage)) {
        RestoreAlias(strMessage);
        return;
    }
    m_strLastAlias = arg1;
}

void CDlgIPCEdit::on_pBOK_clicked()
{
    if (ui->lEAlias->text().isEmpty()) {
        MsgCritical(this, QString(), tr("Enter a alais name."));
        ui->lEAlias->setFocus();
        return;
    }
    // The host name goes into other devices' shell lines: nothing but the
    // form of one passes.
    if (!CHOIDev::IsValidHostName(ui->lEHostName->text())) {
        MsgCritical(this, QString(), tr("Enter a hostname."));
        ui->lEHostName->setFocus();
        return;
    }
    if (ui->lEUrl->text().isEmpty()) {
        MsgCritical(this, QString(), tr("Enter url."));
        ui->lEUrl->setFocus();
        return;
    }
    if (m_pInfo) {
        m_pInfo->aliasname = ui->lEAlias->text();
        m_pInfo->hostname = ui->lEHostName->text();
        m_pInfo->url = ui->lEUrl->text();
        const QString strRes = ui->cmBResolution->currentData().toString();
        const int nX = strRes.indexOf(QLatin1Char('X'));
        m_pInfo->width = nX >= 0 ? strRes.left(nX) : strRes;
        m_pInfo->height = nX >= 0 ? strRes.mid(nX + 1) : QString();
        m_pInfo->fps = QString::number(ui->spinBoxFPS->value());
        m_pInfo->user = ui->lEUser->text();
        m_pInfo->passwd = ui->lEPassword->text();
        m_pInfo->transporttype = ui->cmBTransport->currentData().toString();
        m_pInfo->sn = ui->lESerialNumber->text();
        m_pInfo->remark = ui->lERemark->text();
    }
    accept();
}

void CDlgIPCEdit::on_pBCancel_clicked()
{
    close();
}
