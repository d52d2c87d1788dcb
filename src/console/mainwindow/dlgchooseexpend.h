#ifndef HOI_CONSOLE_DLGCHOOSEEXPEND_H
#define HOI_CONSOLE_DLGCHOOSEEXPEND_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgChooseExpend;
}

// "Export": chooses between exporting the project file and the text
// summary. Opens on the project file; only a click on a radio button
// changes the choice.
class CDlgChooseExpend : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgChooseExpend(QWidget *parent = nullptr);
    ~CDlgChooseExpend() override;

    bool IsSummaryFile() const { return m_bSummaryFile; }

public slots:
    void slotSettingFile();
    void slotSummaryFile();

private slots:
    void on_btnNext_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    CFormUi<Ui::CDlgChooseExpend> ui;
    bool m_bSummaryFile;
};

#endif
