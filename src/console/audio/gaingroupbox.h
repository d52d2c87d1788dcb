#ifndef HOI_CONSOLE_GAINGROUPBOX_H
#define HOI_CONSOLE_GAINGROUPBOX_H

#include "audio/audioportgroupbox.h"
#include "hoiwidget/formui.h"

namespace Ui {
class CGainGroupBox;
}

// Input gain and phantom power of one audio port of one device, in the
// product's gain steps. A gain change is sent 500 ms after the last
// movement; phantom power at once.
class CGainGroupBox : public CAudioPortGroupBox
{
    Q_OBJECT

public:
    CGainGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType, int nPortIndex,
                  QWidget *parent = nullptr);
    ~CGainGroupBox() override;

public slots:
    void slotApply() override;
    void slotGainChanged(int value);
    void slotPowerClicked();
    void slotGainEditingFinished();

private:
    int GainStep() const;

    CFormUi<Ui::CGainGroupBox> ui;
};

#endif
