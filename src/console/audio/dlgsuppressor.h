#ifndef HOI_CONSOLE_DLGSUPPRESSOR_H
#define HOI_CONSOLE_DLGSUPPRESSOR_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgSuppressor;
}

class CHOIDev;

// "Howling detect": stays open while the device's feedback suppressor
// learns. Clear makes the device forget and learn again; the opener fixes
// what was learned however this dialog ends.
class CDlgSuppressor : public QDialog
{
    Q_OBJECT

public:
    CDlgSuppressor(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgSuppressor() override;

private slots:
    void on_btnClear_clicked();

private:
    void SetButtonTexts();

    CFormUi<Ui::CDlgSuppressor> ui;
    CHOIDev *m_pDev; // not owned
};

#endif
