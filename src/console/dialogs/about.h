#ifndef HOI_CONSOLE_ABOUT_H
#define HOI_CONSOLE_ABOUT_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class About;
}

// The help menu's About box: the program's icon, title and version.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);
    ~About() override;

    // The version the About box names.
    static QString ProgramVersion();

private:
    CFormUi<Ui::About> ui;
};

#endif
