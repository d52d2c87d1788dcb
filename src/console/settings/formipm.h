#ifndef HOI_CONSOLE_FORMIPM_H
#define HOI_CONSOLE_FORMIPM_H

#include <QString>
#include <QWidget>

#include "hoiwidget/formui.h"

class QEvent;

namespace Ui {
class CFormIPM;
}

// One window of a multiview layout: its number, the encoder whose picture it
// shows and whether that picture is fitted or stretched. The list of encoders
// is the manager's on-line TX devices when the row is made; the row sends
// nothing and keeps no copy of the choice.
class CFormIPM : public QWidget
{
    Q_OBJECT

public:
    // strNumber is the window's 1-based number, without a colon.
    explicit CFormIPM(QString strNumber, QWidget *parent = nullptr);
    ~CFormIPM() override;

    // Host name of the chosen encoder; "NULL" for "N/A" or no choice.
    QString GetTXHostName() const;
    // The picture mode as the device takes it: "fit" or "stretch".
    QString GetMode() const;
    // Display name of the first listed encoder with that host name; "N/A"
    // when none is listed.
    QString GetTXDisplayName(QString strHostName) const;
    // Selects the encoder by its shown text and the mode by its word; a text
    // that matches nothing leaves that list as it is.
    void SetValue(QString strTx, QString strMode);

private:
    CFormUi<Ui::CFormIPM> ui;
};

#endif
