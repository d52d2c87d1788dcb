#ifndef HOI_CONSOLE_DLGEDIDSETTING_H
#define HOI_CONSOLE_DLGEDIDSETTING_H

#include <QDialog>

#include "edid/edidpane.h"
#include "hoiwidget/formui.h"

class CHOIDev;

namespace Ui {
class CDlgEDIDSetting;
}

// Writes an EDID into one device's EEPROM: a file of the "EDID" folder or
// one chosen anywhere is shown as hexadecimal text and, on Apply, sent in one
// shell line. Only a valid EDID, the one shown, is ever sent.
class CDlgEDIDSetting : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgEDIDSetting(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgEDIDSetting() override;

private slots:
    void on_cbEDIDSet_currentIndexChanged(int index);
    void on_pbUplaodEDIDFile_clicked();
    void on_pbApply_clicked();

private:
    CFormUi<Ui::CDlgEDIDSetting> ui;
    CHOIDev *m_pDev; // not owned; may be null
    CEdidPane m_edidPane;
};

#endif
