#ifndef HOI_CONSOLE_DLGSCENEEDIT_H
#define HOI_CONSOLE_DLGSCENEEDIT_H

#include <QDialog>

#include "hoiwidget/formui.h"

class CHOIScene;
class QComboBox;

namespace Ui {
class CDlgSceneEdit;
}

// Creates a layout of a video wall (stored as "<wall>-<layout>", with the
// wall's grid size and one of the layout kinds the configuration offers), or
// renames an existing one. The created layout belongs to the manager.
class CDlgSceneEdit : public QDialog
{
    Q_OBJECT

public:
    // pScene null: create mode. pRelated: a layout of the same wall whose
    // decoders are checked before a windowing kind is accepted.
    CDlgSceneEdit(CHOIScene *pScene, CHOIScene *pRelated, QWidget *parent = nullptr);
    ~CDlgSceneEdit() override;

    // Create mode: the wall the new layout belongs to.
    void SetVideoWall(CHOIScene *pWall);
    // The layout created or edited; null until OK created one.
    CHOIScene *GetScene() const { return m_pScene; }

public slots:
    void accept() override;

private slots:
    void on_edtName_currentTextChanged(const QString &text);
    void on_edtLayout_textChanged(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void FillNames();
    void SetTexts();
    void FillLayoutKinds();
    void FillLocationsAndGroups();
    void SelectCount(QComboBox *pBox, int nCount);
    // The steps of OK; each refusal has been shown when they return false.
    bool ReadFullName(QString &strFullName);
    bool CreateScene(const QString &strFullName);
    bool RenameScene(const QString &strFullName);
    bool Refuse(const QString &strText, QWidget *pFocus = nullptr);
    QString InvalidCharTip() const;

    CFormUi<Ui::CDlgSceneEdit> ui;
    CHOIScene *m_pScene;
    CHOIScene *m_pVideoWall;
    CHOIScene *m_pRelated;
    bool m_bCreate;
};

#endif
