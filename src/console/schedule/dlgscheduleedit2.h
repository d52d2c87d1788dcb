#ifndef HOI_CONSOLE_DLGSCHEDULEEDIT2_H
#define HOI_CONSOLE_DLGSCHEDULEEDIT2_H

#include <QDate>
#include <QDialog>
#include <QTime>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgScheduleEdit2;
}

struct T_ScheduleInfo;

// Edits one schedule: start date, start time and the layout to apply. A new
// or one-off schedule becomes a run-once schedule at that date and time; a
// recurring one keeps its rule and changes only where the operator changed
// it. The record is written only on Ok after the checks; Cancel leaves it as
// it was.
class CDlgScheduleEdit2 : public QDialog
{
    Q_OBJECT

public:
    CDlgScheduleEdit2(T_ScheduleInfo *pInfo, QWidget *parent = nullptr);
    ~CDlgScheduleEdit2() override;

public slots:
    void accept() override;

private:
    void SetButtonTexts();

    CFormUi<Ui::CDlgScheduleEdit2> ui;
    T_ScheduleInfo *m_pInfo; // not owned
    QDate m_shownDate;       // as the editor opened
    QTime m_shownTime;
};

#endif
