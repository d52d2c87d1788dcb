#include "dialogs/dlgrxchangegroup.h"
#include "ui_dlgrxchangegroup.h"

#include <QPushButton>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/languagechange.h"
#include "uiservices.h"

CDlgRxChangeGroup::CDlgRxChangeGroup(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
{
    ui->setupUi(this);
    DropHelpButton(this);
    OnLanguageChange(this, [this] {
        const QString strName = ui->lbDevName->text();
        ui->retranslateUi(this);
        ui->lbDevName->setText(strName);
        SetTexts();
    });
    if (!pDev) {
        // Closing here would not stop a later exec from showing the dialog.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    SetTexts();
    ui->lbDevName->setText(pDev->GetDisplayName());
    m_strGroup = pDev->GetGroup();
    ui->cbGroup->clear();
    if (g_pHOIDevMgr) {
        const int nCount = g_pHOIDevMgr->GetGroupCount();
        for (int i = 0; i < nCount; ++i)
            AddGroupEntry(ui->cbGroup, g_pHOIDevMgr->GetGroupName(i));
    }
    SelectGroupEntry(ui->cbGroup, pDev->GetGroup());
}

CDlgRxChangeGroup::~CDlgRxChangeGroup() = default;

void CDlgRxChangeGroup::SetTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
}

void CDlgRxChangeGroup::on_cbGroup_currentTextChanged(QString arg1)
{
    Q_UNUSED(arg1)
    m_strGroup = CurrentGroupEntry(ui->cbGroup);
}
