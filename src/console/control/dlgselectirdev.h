#ifndef HOI_CONSOLE_DLGSELECTIRDEV_H
#define HOI_CONSOLE_DLGSELECTIRDEV_H

#include <QDialog>
#include <QModelIndex>
#include <QString>
#include <QStringList>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgSelectIrDev;
}

// Picks the controlled-device type of one IR-emitting device from the type
// ids of the IR code database, narrowed by manufacturer (the id's part
// before the first '_') and a filter text. Row 0, "[null]", means no type.
// Built for one use; it changes nothing itself.
class CDlgSelectIrDev : public QDialog
{
    Q_OBJECT

public:
    // ctrlIds must outlive the dialog.
    CDlgSelectIrDev(const QStringList *ctrlIds, QWidget *parent = nullptr);
    ~CDlgSelectIrDev() override;

    // The current row's id; empty for "[null]" or no current row.
    QString GetSelectedId() const;

public slots:
    void slotShowManfacturerIrDev(QString strFilter);
    void slotShowManfacturerIrDev();
    void slotSelectChanged();
    void on_lwIrDev_doubleClicked(QModelIndex index);

private:
    CFormUi<Ui::CDlgSelectIrDev> ui;
    const QStringList *m_pCtrlIdList;
};

#endif
