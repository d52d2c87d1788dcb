#ifndef HOI_CONSOLE_AUDIOPORTGROUPBOX_H
#define HOI_CONSOLE_AUDIOPORTGROUPBOX_H

#include <QGroupBox>
#include <QTimer>

#include "hoi_core/prodidinfo.h"

class CHOIDev;
class QGridLayout;
class QSlider;

// What the gain and the volume boxes share: one audio port of one device,
// titled with the port's display name in the current language, the device's
// values read once, and a single-shot timer by which a box sends a slider
// change 500 ms after the last movement.
class CAudioPortGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    enum { E_APPLY_DELAY = 500 };

public slots:
    // Sends the box's slider value; the timer calls it.
    virtual void slotApply() = 0;

protected:
    CAudioPortGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType, int nPortIndex,
                       QWidget *parent);

    // Once the form is set up: the title, the size the form gave (wider when
    // its texts need it), the slider centred in its cell. Returns the port's
    // values as the device holds them (none without a device).
    T_VolParam SetUpPort(QGridLayout *pGrid, QWidget *pSlider);
    // The slider goes from nMin to nMax one whole step per key or page.
    static void SetSliderSteps(QSlider *pSlider, int nMin, int nMax);
    // The tool tip of a box that takes nMin to nMax.
    static QString RangeTip(int nMin, int nMax);
    // Sends those values of the port that param's mask names; nothing
    // without a device. A line the device's link gives up is reported over
    // the window.
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
