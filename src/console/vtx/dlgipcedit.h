#ifndef HOI_CONSOLE_DLGIPCEDIT_H
#define HOI_CONSOLE_DLGIPCEDIT_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

struct T_IpcInfo;

namespace Ui {
class CDlgIPCEdit;
}

// Edits one virtual TX record in place. The record changes only when OK
// passes its checks (exec then returns Accepted); Cancel leaves it as it was.
class CDlgIPCEdit : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgIPCEdit(T_IpcInfo *pInfo, QWidget *parent = nullptr);
    ~CDlgIPCEdit() override;

private slots:
    void on_pBOK_clicked();
    void on_pBCancel_clicked();
    void on_lEAlias_textChanged(const QString &arg1);

private:
    void FillResolutions();
    void RestoreAlias(const QString &strMessage);

    CFormUi<Ui::CDlgIPCEdit> ui;
    T_IpcInfo *m_pInfo;     // not owned
    QString m_strLastAlias; // what the rule restores when there is no record
};

#endif
