#ifndef HOI_CONSOLE_DLGIPMLAYOUTMODEL_H
#define HOI_CONSOLE_DLGIPMLAYOUTMODEL_H

#include <QDialog>
#include <QString>

#include "hoi_core/hoirecords.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class QEvent;
class QTreeWidgetItem;

namespace Ui {
class CDlgIpmLayoutModel;
}

// "Select Layout Types": which multiview layout types of the manager's table
// a multiview decoder offers, and in which order. The left tree lists the
// whole table, the right one the decoder's own list; "Save" replaces the
// decoder's list with the right tree's rows and closes. Any other way out
// leaves the decoder's list untouched.
class CDlgIpmLayoutModel : public QDialog
{
    Q_OBJECT

public:
    CDlgIpmLayoutModel(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgIpmLayoutModel() override;

private slots:
    void on_pbAddModel_clicked();
    void on_pbDeleteModel_clicked();
    void on_pbApply_clicked();
    void on_pbUp_clicked();
    void on_pbDown_clicked();
    void on_twSelectModel_itemClicked(QTreeWidgetItem *item, int column);

protected:
    void changeEvent(QEvent *event) override;

private:
    void InitAllModelTree();
    void InitSelectModelTree();
    bool IsModelSelected(QString strLayoutName) const;
    void UpdateUpDownState();
    static QTreeWidgetItem *MakeRow(const T_IpmLayoutInfo &info);

    CHOIDev *m_pDev;
    CFormUi<Ui::CDlgIpmLayoutModel> ui;
};

#endif
