#ifndef HOI_CONSOLE_DLGRANKLAYOUT_H
#define HOI_CONSOLE_DLGRANKLAYOUT_H

#include <QDialog>

#include "hoiwidget/formui.h"

class MainWindow;
class QComboBox;
class QTreeWidgetItem;

namespace Ui {
class CDlgRankLayout;
}

// "Sort layout": puts the layouts of the main window's layout list in the
// operator's order. OK numbers them 1..n in that order (their "layoutseq")
// and refills the list; Cancel changes nothing.
class CDlgRankLayout : public QDialog
{
    Q_OBJECT

public:
    // pLayoutCombo: the main window's layout list, each item carrying its
    // CHOIScene (itemdata.h) under Qt::UserRole. While refilling it, OK sets
    // the main window's one-shot flag that keeps the list's new current
    // entry from being shown; without a main window only the list is
    // refilled.
    CDlgRankLayout(MainWindow *pMainWindow, QComboBox *pLayoutCombo, QWidget *parent = nullptr);
    ~CDlgRankLayout() override;

private slots:
    void on_treeWidget_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void on_pbUp_clicked();
    void on_pbDown_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();

private:
    void UpdateButtons();
    // Moves the current row nStep rows and renumbers the two rows.
    void MoveCurrentRow(int nStep);

    CFormUi<Ui::CDlgRankLayout> ui;
    QComboBox *m_pLayoutCombo;
    MainWindow *m_pMainWindow;
};

#endif
