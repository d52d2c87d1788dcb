#ifndef HOI_CONSOLE_DLGBATCHDETAIL_H
#define HOI_CONSOLE_DLGBATCHDETAIL_H

#include <QDialog>
#include <QList>

#include "hoiwidget/formui.h"

class CHOIDev;

namespace Ui {
class CDlgBatchDetail;
}

// "Failure details": the devices one batch operation could not set, with
// alias, host name and the address the device object holds now. A snapshot;
// the devices are borrowed from the manager.
class CDlgBatchDetail : public QDialog
{
    Q_OBJECT

public:
    CDlgBatchDetail(QList<CHOIDev *> devices, QWidget *parent = nullptr);
    ~CDlgBatchDetail() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    CFormUi<Ui::CDlgBatchDetail> ui;
};

#endif
