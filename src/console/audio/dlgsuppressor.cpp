#include "audio/dlgsuppressor.h"
#include "ui_dlgsuppressor.h"

#include <QPushButton>
#include <QTimer>

#include "hoi_core/hoidev.h"
#include "hoi_core/prodidinfo.h"
#include "settings/applywatch.h"
#include "uiservices.h"

CDlgSuppressor::CDlgSuppressor(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
{
    ui.SetUpForm(this, [this] {
        // The button box renames its buttons when the event reaches it,
        // after this; the own captions go on afterwards.
        QTimer::singleShot(0, this, &CDlgSuppressor::SetButtonTexts);
    });
    // Learning ends with Lock (or Escape); there is no close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetButtonTexts();
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &CDlgSuppressor::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &CDlgSuppressor::reject);
}

CDlgSuppressor::~CDlgSuppressor() = default;

void CDlgSuppressor::SetButtonTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Lock"));
}

void CDlgSuppressor::on_btnClear_clicked()
{
    if (MsgWarning(this, QString(), tr("Please confirm %1 !").arg(ui->btnClear->toolTip()),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The reset option takes no value; the cached value only marks it taken.
    if (m_pDev && CApplyWatch::SetOptionValue(m_pDev, E_EP_SUPPRESSOR_RESET, QVariant(true), true))
        CApplyWatch::Watch(this, m_pDev);
    else
        MsgCritical(this, QString(), tr("Fails to connect device."));
}
