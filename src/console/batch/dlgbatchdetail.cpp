#include "batch/dlgbatchdetail.h"
#include "ui_dlgbatchdetail.h"

#include <QEvent>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"

CDlgBatchDetail::CDlgBatchDetail(QList<CHOIDev *> devices, QWidget *parent)
    : QDialog(parent)
{
    ui->setupUi(this);
    DropHelpButton(this);
    setWindowTitle(tr("Failure details"));

    for (CHOIDev *pDev : qAsConst(devices)) {
        if (!pDev)
            continue;
        QTreeWidgetItem *pItem = new QTreeWidgetItem(0);
        pItem->setText(0, pDev->GetDisplayName());
        pItem->setText(1, pDev->GetDefaultName());
        pItem->setText(2, pDev->GetIPAddr());
        ui->treeWidget->addTopLevelItem(pItem);
    }
}

CDlgBatchDetail::~CDlgBatchDetail() = default;

void CDlgBatchDetail::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Failure details"));
    }
    QDialog::changeEvent(event);
}
