#include "dialogs/dlgwelcome.h"
#include "ui_dlgwelcome.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "hoi_core/hoidevmgr.h"

CDlgWelcome::CDlgWelcome(QWidget *parent)
    : QDialog(parent)
    , m_bOpenFile(true)
    , m_strSelText(tr("More Files..."))
{
    ui->setupUi(this);
    DropHelpButton(this);

    // Opens with "new project" chosen (the toggle slot clears the other).
    ui->rBNew->setChecked(true);

    QListWidgetItem *pMore = new QListWidgetItem(tr("More Files..."), ui->listWOpen);
    pMore->setSelected(true);
    new QListWidgetItem(g_pHOIDevMgr ? g_pHOIDevMgr->GetCurFilePath() : QString(), ui->listWOpen);
    connect(ui->listWOpen, &QListWidget::currentTextChanged, this, &CDlgWelcome::slotsetText);

    // The operator cannot turn the welcome off; OK always writes 0.
    ui->cBAgain->hide();
}

CDlgWelcome::~CDlgWelcome() = default;

void CDlgWelcome::on_rBNew_toggled(bool checked)
{
    if (!checked)
        return;
    m_bOpenFile = false;
    ui->rBNew_2->setChecked(false);
}

void CDlgWelcome::on_rBNew_2_toggled(bool checked)
{
    if (!checked)
        return;
    m_bOpenFile = true;
    ui->rBNew->setChecked(false);
}

void CDlgWelcome::slotsetText(QString strText)
{
    m_strSelText = strText;
    m_bOpenFile = true;
    ui->rBNew_2->setChecked(true);
}

void CDlgWelcome::on_pbOK_clicked()
{
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->m_nIsWelcome = ui->cBAgain->isChecked() ? 1 : 0;
    accept();
}

void CDlgWelcome::on_pbCancel_clicked()
{
    QCoreApplication::quit();
}

void CDlgWelcome::closeEvent(QCloseEvent *event)
{
    QCoreApplication::quit();
    QDialog::closeEvent(event);
}
