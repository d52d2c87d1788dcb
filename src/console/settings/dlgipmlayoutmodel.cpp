#include "settings/dlgipmlayoutmodel.h"
#include "ui_dlgipmlayoutmodel.h"

#include <QEvent>
#include <QIcon>
#include <QList>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

CDlgIpmLayoutModel::CDlgIpmLayoutModel(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
{
    ui->setupUi(this);
    DropHelpButton(this);
    InitAllModelTree();
    InitSelectModelTree();
}

CDlgIpmLayoutModel::~CDlgIpmLayoutModel()
{
    ui->twAllModel->clear();
    ui->twSelectModel->clear();
}

void CDlgIpmLayoutModel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

QTreeWidgetItem *CDlgIpmLayoutModel::MakeRow(const T_IpmLayoutInfo &info)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    pItem->setIcon(0, QIcon(info.icon_path));
    pItem->setText(1, info.layout_name);
    pItem->setData(0, Qt::UserRole, info.id);
    pItem->setData(1, Qt::UserRole, info.position_and_size_of_each_window);
    return pItem;
}

void CDlgIpmLayoutModel::InitAllModelTree()
{
    if (!g_pHOIDevMgr)
        return;
    for (const T_IpmLayoutInfo &info : g_pHOIDevMgr->GetIpmLayoutList())
        ui->twAllModel->addTopLevelItem(MakeRow(info));
}

void CDlgIpmLayoutModel::InitSelectModelTree()
{
    if (m_pDev) {
        for (const T_IpmLayoutInfo &info : qAsConst(m_pDev->m_listIPMLayout))
            ui->twSelectModel->addTopLevelItem(MakeRow(info));
    }
    UpdateUpDownState();
}

bool CDlgIpmLayoutModel::IsModelSelected(QString strLayoutName) const
{
    for (int i = 0; i < ui->twSelectModel->topLevelItemCount(); ++i) {
        if (ui->twSelectModel->topLevelItem(i)->text(1) == strLayoutName)
            return true;
    }
    return false;
}

void CDlgIpmLayoutModel::UpdateUpDownState()
{
    bool bUp = false;
    bool bDown = false;
    QTreeWidget *pTree = ui->twSelectModel;
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    if (pTree->selectedItems().size() == 1 && pCurrent) {
        const int nRow = pTree->indexOfTopLevelItem(pCurrent);
        const int nCount = pTree->topLevelItemCount();
        if (nRow >= 0 && nRow < nCount) {
            bUp = nRow != 0;
            bDown = nRow != nCount - 1 || nRow == 0;
        }
    }
    ui->pbUp->setEnabled(bUp);
    ui->pbDown->setEnabled(bDown);
}

void CDlgIpmLayoutModel::on_pbAddModel_clicked()
{
    const QList<QTreeWidgetItem *> selected = ui->twAllModel->selectedItems();
    for (QTreeWidgetItem *pSource : selected) {
        if (IsModelSelected(pSource->text(1)))
            continue;
        QTreeWidgetItem *pItem = new QTreeWidgetItem;
        pItem->setIcon(0, pSource->icon(0));
        pItem->setText(1, pSource->text(1));
        pItem->setData(0, Qt::UserRole, pSource->data(0, Qt::UserRole));
        pItem->setData(1, Qt::UserRole, pSource->data(1, Qt::UserRole));
        ui->twSelectModel->addTopLevelItem(pItem);
        ui->twSelectModel->setCurrentItem(pItem);
    }
    UpdateUpDownState();
}

void CDlgIpmLayoutModel::on_pbDeleteModel_clicked()
{
    const QList<QTreeWidgetItem *> selected = ui->twSelectModel->selectedItems();
    for (QTreeWidgetItem *pItem : selected)
        delete ui->twSelectModel->takeTopLevelItem(ui->twSelectModel->indexOfTopLevelItem(pItem));
    UpdateUpDownState();
}

void CDlgIpmLayoutModel::on_pbUp_clicked()
{
    QTreeWidget *pTree = ui->twSelectModel;
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    const int nRow = pCurrent ? pTree->indexOfTopLevelItem(pCurrent) : -1;
    if (nRow <= 0)
        return;
    pTree->takeTopLevelItem(nRow);
    pTree->insertTopLevelItem(nRow - 1, pCurrent);
    pTree->setCurrentItem(pCurrent);
    UpdateUpDownState();
}

void CDlgIpmLayoutModel::on_pbDown_clicked()
{
    QTreeWidget *pTree = ui->twSelectModel;
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    const int nRow = pCurrent ? pTree->indexOfTopLevelItem(pCurrent) : -1;
    if (nRow < 0 || nRow + 1 >= pTree->topLevelItemCount())
        return;
    QTreeWidgetItem *pNext = pTree->takeTopLevelItem(nRow + 1);
    pTree->insertTopLevelItem(nRow, pNext);
    pTree->setCurrentItem(pCurrent);
    UpdateUpDownState();
}

void CDlgIpmLayoutModel::on_twSelectModel_itemClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(item)
    Q_UNUSED(column)
    UpdateUpDownState();
}

void CDlgIpmLayoutModel::on_pbApply_clicked()
{
    QList<T_IpmLayoutInfo> layouts;
    for (int i = 0; i < ui->twSelectModel->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *pItem = ui->twSelectModel->topLevelItem(i);
        T_IpmLayoutInfo info;
        info.layout_name = pItem->text(1);
        info.id = pItem->data(0, Qt::UserRole).toInt();
        // The geometry always comes from the table, never from the row.
        if (g_pHOIDevMgr) {
            for (const T_IpmLayoutInfo &table : g_pHOIDevMgr->GetIpmLayoutList()) {
                if (table.layout_name == info.layout_name) {
                    info.position_and_size_of_each_window = table.position_and_size_of_each_window;
                    info.image_path = table.image_path;
                    info.icon_path = table.icon_path;
                    break;
                }
            }
        }
        layouts.append(info);
    }
    if (m_pDev)
        m_pDev->SetIPMLayoutList(layouts);
    accept();
}
