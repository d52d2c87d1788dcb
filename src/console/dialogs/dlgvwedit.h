#ifndef HOI_CONSOLE_DLGVWEDIT_H
#define HOI_CONSOLE_DLGVWEDIT_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

class CHOIScene;

namespace Ui {
class CDlgVWEdit;
}

// Creates a video wall (name, rows and columns of 1 to 16, group) in the
// device manager, or renames an existing wall and moves it to another group.
// Its result is m_bOk, not the return code of exec: OK and Cancel both
// close the dialog as accepted.
class CDlgVWEdit : public QDialog
{
    Q_OBJECT

public:
    // A null wall creates one; otherwise that wall is edited (its size is
    // shown but cannot change).
    explicit CDlgVWEdit(CHOIScene *pScene, QWidget *parent = nullptr);
    ~CDlgVWEdit() override;

    // Preselects a group of the group list.
    void SetGroupName(QString strGroup);
    // The wall edited, or after a successful create the manager's new wall.
    CHOIScene *GetEditedVideoWall() const { return m_pScene; }

    QString m_strName; // the wall's name at opening; empty when creating
    bool m_bOk;        // OK passed its checks

public slots:
    void OKClick();
    void Cancel();
    void on_leName_textChanged(QString arg1);

private:
    void SetTexts();
    void RefuseName(const QString &strMessage);

    CFormUi<Ui::CDlgVWEdit> ui;
    CHOIScene *m_pScene;
};

#endif
