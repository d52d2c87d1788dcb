#ifndef HOI_CONSOLE_DEVINFOWIDGET_H
#define HOI_CONSOLE_DEVINFOWIDGET_H

#include <QDockWidget>
#include <QPointer>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoitypes.h"
#include "hoiwidget/formui.h"

class QTextEdit;

namespace Ui {
class CDevinfoWidget;
}

// The "Information" dock: the details of the device the operator selected
// last (name, type, host name, address and, but for the IP controller, the
// sink information, stream address and EDID). It follows that device: a
// finished command or a new name fills the pane again, even after it was
// emptied; a removed device empties it for good.
class CDevinfoWidget : public QDockWidget
{
    Q_OBJECT

public:
    explicit CDevinfoWidget(QWidget *parent = nullptr);
    ~CDevinfoWidget() override;

    // The device last passed to slotShowDevDetail; null once it is gone.
    CHOIDev *GetCurDev() const { return m_pCurDev; }
    QTextEdit *GetTextEdit() const;

    // The detail text of one device; empty for none.
    static QString DetailText(CHOIDev *pDev);

public slots:
    void slotShowDevDetail(CHOIDev *pCurDev);
    void slotShowEmptyDetail();
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnDevNameChanged(CHOIDev *pDev);
    void slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify);

protected:
    void changeEvent(QEvent *event) override;

private:
    void ShowText(const QString &strText);

    CFormUi<Ui::CDevinfoWidget> ui;
    // Not owned; cleared by the toolkit when the device is deleted.
    QPointer<CHOIDev> m_pCurDev;
    QString m_strShownText;
};

#endif
