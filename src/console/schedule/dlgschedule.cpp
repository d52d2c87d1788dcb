#include "schedule/dlgschedule.h"
#include "ui_dlgschedule.h"

#include <QDate>

#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "schedule/dlgscheduleedit2.h"
#include "uiservices.h"

CDlgSchedule::CDlgSchedule(QWidget *parent)
    : QDialog(parent)
{
    ui.SetUpDialog(this, [this] { RefillRows(); });

    ui->treeWidget->clear();
    if (g_pHOIDevMgr) {
        for (T_ScheduleInfo *pInfo : g_pHOIDevMgr->m_scheduleList)
            AddScheduleItem(pInfo);
    }
    // With rows, Modify and Remove keep their enabled state until the first
    // selection change.
    if (ui->treeWidget->topLevelItemCount() == 0)
        on_treeWidget_itemSelectionChanged();
}

CDlgSchedule::~CDlgSchedule() = default;

void CDlgSchedule::FillScheduleItem(QTreeWidgetItem *pItem, T_ScheduleInfo *pInfo)
{
    if (!pItem || !pInfo)
        return;
    pItem->setText(0, pInfo->scene ? pInfo->scene->GetName() : QString());
    pItem->setData(0, Qt::UserRole, PtrToVariant(pInfo));
    pItem->setText(1, tr("%1-%2-%3")
                          .arg(pInfo->start_date.year)
                          .arg(pInfo->start_date.month)
                          .arg(pInfo->start_date.day));
    pItem->setText(2, QStringLiteral("%1:%2")
                          .arg(pInfo->exec_time.hour, 2, 10, QLatin1Char('0'))
                          .arg(pInfo->exec_time.minute, 2, 10, QLatin1Char('0')));
}

void CDlgSchedule::AddScheduleItem(T_ScheduleInfo *pInfo)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    FillScheduleItem(pItem, pInfo);
    ui->treeWidget->addTopLevelItem(pItem);
}

T_ScheduleInfo *CDlgSchedule::RowSchedule(QTreeWidgetItem *pItem) const
{
    if (!pItem || !g_pHOIDevMgr)
        return nullptr;
    T_ScheduleInfo *pInfo = VariantToPtr<T_ScheduleInfo>(pItem->data(0, Qt::UserRole));
    return g_pHOIDevMgr->m_scheduleList.contains(pInfo) ? pInfo : nullptr;
}

void CDlgSchedule::RefillRows()
{
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = ui->treeWidget->topLevelItem(i);
        FillScheduleItem(pItem, RowSchedule(pItem));
    }
}

void CDlgSchedule::on_btnAdd_clicked()
{
    if (!g_pHOIDevMgr)
        return;
    const QDate today = QDate::currentDate();
    T_ScheduleInfo info;
    info.type = 0;
    info.start_date.year = quint16(today.year());
    info.start_date.month = quint16(today.month());
    info.start_date.day = quint16(today.day());
    info.activited = true;
    info.limit_date = false;
    info.fired = false;
    info.weekdays = 255;
    info.scene = nullptr;

    CDlgScheduleEdit2 dlg(&info, nullptr);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The row carries the manager's copy, not the one on the stack.
    const int index = g_pHOIDevMgr->AddSchedule(&info);
    if (index >= 0)
        AddScheduleItem(g_pHOIDevMgr->m_scheduleList.at(index));
}

void CDlgSchedule::on_btnModify_clicked()
{
    QTreeWidgetItem *pItem = ui->treeWidget->currentItem();
    T_ScheduleInfo *pInfo = RowSchedule(pItem);
    if (!pInfo)
        return;
    CDlgScheduleEdit2 dlg(pInfo, nullptr);
    if (dlg.exec() == QDialog::Accepted)
        FillScheduleItem(pItem, pInfo);
}

void CDlgSchedule::on_btnRemove_clicked()
{
    const QList<QTreeWidgetItem *> selected = ui->treeWidget->selectedItems();
    if (selected.isEmpty())
        return;
    if (MsgQuestion(this, QString(), tr("Sure to delete selected schedule?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    for (QTreeWidgetItem *pItem : selected) {
        T_ScheduleInfo *pInfo = RowSchedule(pItem);
        delete ui->treeWidget->takeTopLevelItem(ui->treeWidget->indexOfTopLevelItem(pItem));
        // Nothing refers to a removed record any more: the manager's list
        // was its only owner.
        if (pInfo && g_pHOIDevMgr->m_scheduleList.removeOne(pInfo))
            delete pInfo;
    }
}

void CDlgSchedule::on_treeWidget_itemSelectionChanged()
{
    const int nSelected = ui->treeWidget->selectedItems().size();
    ui->btnModify->setEnabled(nSelected == 1);
    ui->btnRemove->setEnabled(nSelected >= 1);
}

void CDlgSchedule::on_treeWidget_doubleClicked(QModelIndex index)
{
    Q_UNUSED(index)
    on_btnModify_clicked();
}
