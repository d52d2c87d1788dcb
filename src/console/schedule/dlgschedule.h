#ifndef HOI_CONSOLE_DLGSCHEDULE_H
#define HOI_CONSOLE_DLGSCHEDULE_H

#include <QDialog>
#include <QModelIndex>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgSchedule;
}

class QTreeWidgetItem;
struct T_ScheduleInfo;

// The list of every schedule the manager holds, with Add, Modify and Remove.
// It keeps no copy: each row points at the manager's record, and every
// change is made in the manager's list at once.
class CDlgSchedule : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgSchedule(QWidget *parent = nullptr);
    ~CDlgSchedule() override;

    void FillScheduleItem(QTreeWidgetItem *pItem, T_ScheduleInfo *pInfo);
    void AddScheduleItem(T_ScheduleInfo *pInfo);

private slots:
    void on_btnAdd_clicked();
    void on_btnModify_clicked();
    void on_btnRemove_clicked();
    void on_treeWidget_itemSelectionChanged();
    void on_treeWidget_doubleClicked(QModelIndex index);

private:
    // The record a row stands for, or null when the manager no longer holds it.
    T_ScheduleInfo *RowSchedule(QTreeWidgetItem *pItem) const;
    void RefillRows();

    CFormUi<Ui::CDlgSchedule> ui;
};

#endif
