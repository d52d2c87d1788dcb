#ifndef HOI_CONSOLE_DLGBATCHGROUP_H
#define HOI_CONSOLE_DLGBATCHGROUP_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

class CHOIDev;
class QTreeWidget;

namespace Ui {
class CDlgBatchGroup;
}

// "Batch Group Change": moves the decoders selected on the left into the
// group chosen on the right. Group membership is only a name on the device
// object; nothing is sent to the devices.
class CDlgBatchGroup : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgBatchGroup(QWidget *parent = nullptr);
    ~CDlgBatchGroup() override;

signals:
    // Once per device whose group was changed, right after the change.
    void signalDevChangeGroup(CHOIDev *pDev);

public slots:
    void slotUpdateDevItem();

private slots:
    void on_cbFilter_currentIndexChanged(const QString &strText);
    void on_cbSelectGroup_currentIndexChanged(const QString &strText);
    void on_pbApply_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void ClearDevTrees();
    static void AddDevRow(QTreeWidget *pTree, CHOIDev *pDev);

    CFormUi<Ui::CDlgBatchGroup> ui;
};

#endif
