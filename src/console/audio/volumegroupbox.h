#ifndef HOI_CONSOLE_VOLUMEGROUPBOX_H
#define HOI_CONSOLE_VOLUMEGROUPBOX_H

#include "audio/audioportgroupbox.h"
#include "hoiwidget/formui.h"

namespace Ui {
class CVolumeGroupBox;
}

// The operator sets volumes 0 to 100 in steps of 10; the device takes a
// level in dB. Both walk one fixed table of eleven points; a value between
// two points goes to the nearer one, a tie to the lower.
int VolumeDbToPercent(int nDb);
int VolumePercentToDb(int nPercent);

// Output level and mute of one audio port of one device. A slider change is
// sent by the box itself 500 ms after the slider comes to rest, so a drag
// gives one command; Mute is sent at once.
class CVolumeGroupBox : public CAudioPortGroupBox
{
    Q_OBJECT

public:
    // nPortIndex -1 stands for all ports of the kind.
    CVolumeGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType, int nPortIndex,
                    QWidget *parent = nullptr);
    ~CVolumeGroupBox() override;

public slots:
    void slotApply() override;
    void slotVolumeChanged(int value);
    void slotMuteClicked();
    void slotVolumeEditingFinished();

private:
    CFormUi<Ui::CVolumeGroupBox> ui;
};

#endif
