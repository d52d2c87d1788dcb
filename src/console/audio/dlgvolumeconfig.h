#ifndef HOI_CONSOLE_DLGVOLUMECONFIG_H
#define HOI_CONSOLE_DLGVOLUMECONFIG_H

#include <QDialog>

#include "hoiwidget/formui.h"

namespace Ui {
class CDlgVolumeConfig;
}

class CHOIDev;
class QAbstractButton;

// "Audio Settings" of one device: a volume box per output-level port and a
// gain box per gain-capable port, laid out by the device's product record
// (or only the audio delay box for products with that feature), and the
// acoustic feedback suppressor's switch and learning phase.
class CDlgVolumeConfig : public QDialog
{
    Q_OBJECT

public:
    CDlgVolumeConfig(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgVolumeConfig() override;

private slots:
    void slotSuppressorModeChanged();
    void on_btnSuppressorSettings_clicked();

private:
    void AddPortBoxes();
    bool SendSuppressorOption(int nOptionId, bool bValue);

    CFormUi<Ui::CDlgVolumeConfig> ui;
    CHOIDev *m_pDev; // not owned
    // The suppressor choice the device was last given or reported; null
    // when unknown, or once the device refused it.
    QAbstractButton *m_pSuppressorChoice;
};

#endif
