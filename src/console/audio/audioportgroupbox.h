#ifndef HOI_CONSOLE_AUDIOPORTGROUPBOX_H
#define HOI_CONSOLE_AUDIOPORTGROUPBOX_H

#include <QGroupBox>
#include <QTimer>

#include "hoi_core/prodidinfo.h"

class CHOIDev;
class QGridLayout;

// What the gain and the volume boxes share: one audio port of one device,
// titled with the port's display name in the current language, the device's
// values read once, and a single-shot timer by which a box sends a slider
// change 500 ms after the last movement.
class CAudioPortGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    enum { E_APPLY_DELAY = 500 };

protected:
    CAudioPortGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType, int nPortIndex,
                       QWidget *parent);

    // Once the form is set up: the title, the size the form gave (wider when
    // its texts need it), the slider centred in its cell. Returns the port's
    // values as the device holds them (none without a device).
    T_VolParam SetUpPort(QGridLayout *pGrid, QWidget *pSlider);
    // Sends those values of the port that param's mask names; nothing
    // without a device.
    void SendPortParam(const T_VolParam &param);
    // A derived box retranslates its form first, then calls this.
    void changeEvent(QEvent *event) override;

    const T_ProdIdInfo *m_pProd; // not owned
    CHOIDev *m_pDev;             // not owned
    int m_nPortType;
    int m_nPortIndex;
    QTimer m_applyTimer;

private:
    void SetTitle();
};

#endif
