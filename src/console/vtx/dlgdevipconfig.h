#ifndef HOI_CONSOLE_DLGDEVIPCONFIG_H
#define HOI_CONSOLE_DLGDEVIPCONFIG_H

#include <QDialog>

#include "hoiwidget/formui.h"

class CHOIDev;

namespace Ui {
class CDlgDevIPConfig;
}

// The two networks of the IP controller: the audio-video port and the
// control port, each with address, mask and gateway. Apply sends both sets
// straight on the controller's link and then restarts it.
class CDlgDevIPConfig : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgDevIPConfig(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgDevIPConfig() override;

    // Tests shorten the wait before the second connection attempt; the
    // default is 2000 ms.
    void SetReconnectWait(int msecs) { m_nReconnectWait = msecs; }

private slots:
    void on_pushBApply_2_clicked();

private:
    CFormUi<Ui::CDlgDevIPConfig> ui;
    CHOIDev *m_pDev; // not owned
    int m_nReconnectWait;
};

#endif
