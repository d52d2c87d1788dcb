#include "mainwindow/dlgchooseexpend.h"
#include "ui_dlgchooseexpend.h"

#include <QEvent>

CDlgChooseExpend::CDlgChooseExpend(QWidget *parent)
    : QDialog(parent)
    , m_bSummaryFile(false)
{
    ui->setupUi(this);
    DropHelpButton(this);
    connect(ui->radioSetting, &QRadioButton::clicked, this, &CDlgChooseExpend::slotSettingFile);
    connect(ui->radioSummary, &QRadioButton::clicked, this, &CDlgChooseExpend::slotSummaryFile);
}

CDlgChooseExpend::~CDlgChooseExpend() = default;

void CDlgChooseExpend::slotSettingFile()
{
    m_bSummaryFile = false;
}

void CDlgChooseExpend::slotSummaryFile()
{
    m_bSummaryFile = true;
}

void CDlgChooseExpend::on_btnNext_clicked()
{
    accept();
}

void CDlgChooseExpend::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
