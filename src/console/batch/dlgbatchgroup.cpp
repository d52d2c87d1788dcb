#include "batch/dlgbatchgroup.h"
#include "ui_dlgbatchgroup.h"

#include <QEvent>
#include <QSignalBlocker>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

CDlgBatchGroup::CDlgBatchGroup(QWidget *parent)
    : QDialog(parent)
{
    ui->setupUi(this);
    DropHelpButton(this);

    {
        // Filled without the by-name slots firing once per added group.
        const QSignalBlocker filterBlocker(ui->cbFilter);
        const QSignalBlocker targetBlocker(ui->cbSelectGroup);
        ui->cbFilter->clear();
        ui->cbFilter->addItem(tr("All"));
        for (int i = 0; g_pHOIDevMgr && i < g_pHOIDevMgr->GetGroupCount(); ++i) {
            const QString strName = g_pHOIDevMgr->GetGroupName(i);
            AddGroupEntry(ui->cbFilter, strName);
            AddGroupEntry(ui->cbSelectGroup, strName);
        }
    }
    slotUpdateDevItem();
}

CDlgBatchGroup::~CDlgBatchGroup()
{
    ClearDevTrees();
}

void CDlgBatchGroup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The combos hold names, not texts of the form; only "All" follows
        // the language.
        ui->retranslateUi(this);
        if (ui->cbFilter->count() > 0)
            ui->cbFilter->setItemText(0, tr("All"));
    }
    QDialog::changeEvent(event);
}

void CDlgBatchGroup::ClearDevTrees()
{
    ui->twDevice->clear();
    ui->twGroupDev->clear();
}

void CDlgBatchGroup::AddDevRow(QTreeWidget *pTree, CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem(0);
    pItem->setText(0, pDev->GetDisplayName());
    pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    pTree->addTopLevelItem(pItem);
}

void CDlgBatchGroup::slotUpdateDevItem()
{
    ClearDevTrees();
    if (!g_pHOIDevMgr)
        return;

    // The filter compares with "All" at its index 0, so a group that is
    // called "All" still filters by its own name.
    const bool bAll = ui->cbFilter->currentIndex() <= 0;
    const QString strFilter = CurrentGroupEntry(ui->cbFilter);
    const QString strTarget = CurrentGroupEntry(ui->cbSelectGroup);
    for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (!pDev)
            continue;
        const CHOIDev::DevType eType = pDev->GetDevType();
        if ((eType != CHOIDev::E_DT_RX && eType != CHOIDev::E_DT_MRX) || pDev->GetVideoWall())
            continue;
        const QString &strGroup = pDev->GetGroup();
        if (bAll || strGroup == strFilter)
            AddDevRow(ui->twDevice, pDev);
        if (strGroup == strTarget)
            AddDevRow(ui->twGroupDev, pDev);
    }
}

void CDlgBatchGroup::on_cbFilter_currentIndexChanged(const QString &)
{
    slotUpdateDevItem();
}

void CDlgBatchGroup::on_cbSelectGroup_currentIndexChanged(const QString &)
{
    slotUpdateDevItem();
}

void CDlgBatchGroup::on_pbApply_clicked()
{
    const QList<QTreeWidgetItem *> selected = ui->twDevice->selectedItems();
    setDisabled(true);
    const QString strTarget = CurrentGroupEntry(ui->cbSelectGroup);
    for (QTreeWidgetItem *pItem : selected) {
        CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
        // A row may outlive its device if the manager dropped it meanwhile.
        if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->GetDevList().contains(pDev))
            continue;
        if (pDev->GetGroup() == strTarget)
            continue;
        pDev->SetGroup(strTarget);
        emit signalDevChangeGroup(pDev);
        AddDevRow(ui->twGroupDev, pDev);
    }
    setDisabled(false);
    slotUpdateDevItem();
}
