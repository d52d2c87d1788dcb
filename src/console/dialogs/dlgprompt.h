#ifndef HOI_CONSOLE_DLGPROMPT_H
#define HOI_CONSOLE_DLGPROMPT_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgPrompt;
}

// The modeless start-up tip pointing to the device search. It deletes
// itself when closed and never ends the program.
class CDlgPrompt : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgPrompt(QWidget *parent = nullptr);
    ~CDlgPrompt() override;

protected:
    // The tip may stay open beside the main window while the language
    // changes.

private slots:
    void on_pBNext_clicked();

private:
    CFormUi<Ui::CDlgPrompt> ui;
};

#endif
