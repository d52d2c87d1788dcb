#ifndef HOI_CONSOLE_DLGGROUP_H
#define HOI_CONSOLE_DLGGROUP_H

#include <QDialog>
#include <QList>
#include <QString>

#include "hoiwidget/formui.h"

class QCheckBox;
class QTreeWidgetItem;

namespace Ui {
class DlgGroup;
}

// "Location/Group": adds, removes and renames locations and groups and
// decides which decoders and which walls' layouts belong to each. Every
// change is made on the manager at once; the dialog has no result.
class DlgGroup : public QDialog
{
    Q_OBJECT

public:
    explicit DlgGroup(QWidget *parent = nullptr);
    ~DlgGroup() override;

    // The location or group the edit applies to; empty until one is clicked.
    QString GetCurrentName() const { return m_strCurName; }

private slots:
    void slotOnLoctionItemChange(QTreeWidgetItem *current, int column);
    void slotOnGroupItemChange(QTreeWidgetItem *current, int column);
    void slotOnDevSelectAll(bool checked);
    void slotOnSceneSelectAll(bool checked);
    void on_pbAdd_clicked();
    void on_pbDelete_clicked();
    void on_pbOK_clicked();

private:
    void Fill();
    QCheckBox *NewBox(QTreeWidgetItem *pRow);
    // Ticks the boxes of the members of strName (a group or a location) and
    // makes it the current name.
    void ShowMembers(const QString &strName, bool bGroup);

    CFormUi<Ui::DlgGroup> ui;
    QList<QCheckBox *> m_devBoxes;
    QList<QCheckBox *> m_sceneBoxes;
    QString m_strCurName;
};

#endif
