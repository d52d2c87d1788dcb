#ifndef HOI_CONSOLE_DLGWELCOME_H
#define HOI_CONSOLE_DLGWELCOME_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgWelcome;
}

// The start-up choice between a new project and opening one: the last
// project file or, through "More Files...", any file. Cancelling or closing
// it ends the program.
class CDlgWelcome : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgWelcome(QWidget *parent = nullptr);
    ~CDlgWelcome() override;

    // The list entry made current last; "More Files..." until then.
    QString GetSelectedText() const { return m_strSelText; }
    // True: open a file; false: start a new project.
    bool IsOpenFile() const { return m_bOpenFile; }

    bool m_bOpenFile;

public slots:
    void slotsetText(QString strText);

private slots:
    void on_pbOK_clicked();
    void on_pbCancel_clicked();
    void on_rBNew_toggled(bool checked);
    void on_rBNew_2_toggled(bool checked);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CFormUi<Ui::CDlgWelcome> ui;
    QString m_strSelText;
};

#endif
