#include "dialogs/dlgprompt.h"
#include "ui_dlgprompt.h"

#include "hoi_core/hoidevmgr.h"

CDlgPrompt::CDlgPrompt(QWidget *parent)
    : QDialog(parent)
{
    ui.SetUpDialog(this);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setAttribute(Qt::WA_QuitOnClose, false);
}

CDlgPrompt::~CDlgPrompt() = default;

void CDlgPrompt::on_pBNext_clicked()
{
    if (g_pHOIDevMgr)
        g_pHOIDevMgr->m_nIsPrompt = ui->cBPrompt->isChecked() ? 1 : 0;
    accept();
}
