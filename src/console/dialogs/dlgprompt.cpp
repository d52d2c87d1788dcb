#include "dialogs/dlgprompt.h"
#include "ui_dlgprompt.h"

#include <QEvent>

#include "hoi_core/hoidevmgr.h"

CDlgPrompt::CDlgPrompt(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgPrompt)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setAttribute(Qt::WA_QuitOnClose, false);
}

CDlgPrompt::~CDlgPrompt()
{
    delete ui;
}

void CDlgPrompt::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void CDlgPrompt::on_pBNext_clicked()
{
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->m_nIsPrompt = ui->cBPrompt->isChecked() ? 1 : 0;
    accept();
}
