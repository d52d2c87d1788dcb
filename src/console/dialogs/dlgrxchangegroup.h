#ifndef HOI_CONSOLE_DLGRXCHANGEGROUP_H
#define HOI_CONSOLE_DLGRXCHANGEGROUP_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

class CHOIDev;

namespace Ui {
class CDlgRxChangeGroup;
}

// Lets the operator pick one of the defined groups for a decoder. It
// changes nothing itself: after Accepted the caller moves the device into
// m_strGroup.
class CDlgRxChangeGroup : public QDialog
{
    Q_OBJECT

public:
    // Without a device the dialog closes as rejected as soon as it runs.
    explicit CDlgRxChangeGroup(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgRxChangeGroup() override;

    QString m_strGroup; // follows the group list's current text

private slots:
    void on_cbGroup_currentTextChanged(QString arg1);

private:
    void SetTexts();

    CFormUi<Ui::CDlgRxChangeGroup> ui;
};

#endif
