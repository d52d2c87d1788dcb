#include "dialogs/dlgcreategroup.h"
#include "ui_dlgcreategroup.h"

#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

namespace {

enum {
    E_CHOICE_LOCATION = 0,
    E_CHOICE_GROUP = 1
};

} // namespace

CDlgCreateGroup::CDlgCreateGroup(QString name, QWidget *parent)
    : QDialog(parent)
    , m_bOK(false)
    , m_nType(E_CHOICE_LOCATION)
    , m_strName(name)
    , m_strOrigName(name)
{
    ui.SetUpDialog(this, [this] { SetTitle(); });
    ui->leName->setText(name);
    ui->leName->setFocus();
    ui->cbLocationOrGroup->setCurrentIndex(E_CHOICE_LOCATION);
    SetTitle();
}

CDlgCreateGroup::~CDlgCreateGroup() = default;

void CDlgCreateGroup::SetType(int nType)
{
    ui->cbLocationOrGroup->setCurrentIndex(nType == E_CHOICE_GROUP ? E_CHOICE_GROUP : E_CHOICE_LOCATION);
}

void CDlgCreateGroup::SetTitle()
{
    setWindowTitle(m_strOrigName.isEmpty() ? tr("Create Group") : tr("Edit Group"));
}

void CDlgCreateGroup::on_pbOK_clicked()
{
    const QString strText = ui->leName->text();
    if (strText.isEmpty()) {
        ShowMessageBox(QMessageBox::NoIcon, this, QString(), tr("Name cannot be empty!"), QMessageBox::Ok,
                       QMessageBox::NoButton);
        ui->leName->setFocus();
        return;
    }
    const int nChoice = ui->cbLocationOrGroup->currentIndex();
    if (nChoice == E_CHOICE_GROUP) {
        // Keeping a group's own name is no clash.
        if (strText != m_strOrigName && g_pHOIDevMgr && g_pHOIDevMgr->IndexOfGroup(strText) >= 0) {
            ShowMessageBox(QMessageBox::NoIcon, this, QString(), tr("Name already exists!"), QMessageBox::Ok,
                           QMessageBox::NoButton);
            ui->leName->setFocus();
            return;
        }
    } else if (g_pHOIDevMgr && g_pHOIDevMgr->IndexOfLocation(strText) >= 0) {
        ShowMessageBox(QMessageBox::NoIcon, this, QString(), tr("Name already exists!"), QMessageBox::Ok,
                       QMessageBox::NoButton);
        return;
    }
    m_bOK = true;
    m_strName = strText;
    m_nType = nChoice;
    QDialog::accept();
}

void CDlgCreateGroup::on_pbCancel_clicked()
{
    m_bOK = false;
    m_strName.clear();
    QDialog::accept();
}
