#ifndef HOI_CONSOLE_DLGCREATEGROUP_H
#define HOI_CONSOLE_DLGCREATEGROUP_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgCreateGroup;
}

// Asks for the name of a new location or group, or the new name of a group,
// and checks it against the manager's lists. It changes nothing itself: the
// opener reads the result members after exec, which always returns
// Accepted.
class CDlgCreateGroup : public QDialog
{
    Q_OBJECT

public:
    // An empty name creates ("Create Group"); a given one edits ("Edit Group").
    explicit CDlgCreateGroup(QString name, QWidget *parent = nullptr);
    ~CDlgCreateGroup() override;

    // What OK checks the name against: 0 locations (the start), 1 groups.
    void SetType(int nType);

    bool m_bOK;        // OK passed its checks
    int m_nType;       // 0 location, 1 group
    QString m_strName; // the name as typed after OK; empty after Cancel

private slots:
    void on_pbOK_clicked();
    void on_pbCancel_clicked();

private:
    void SetTitle();

    CFormUi<Ui::CDlgCreateGroup> ui;
    QString m_strOrigName;
};

#endif
