#ifndef HOI_CONSOLE_DLGVIDEOSETTING_H
#define HOI_CONSOLE_DLGVIDEOSETTING_H

#include <QDialog>

#include "hoiwidget/formui.h"

class CHOIDev;
class QEvent;

namespace Ui {
class CDlgVideoSetting;
}

// "Video Settings" of one device of the VX7100 family. A decoder gets its
// output side (HDCP mode, output timing, lost-video screen, video-wall
// stretch and rotation), any other device its preview stream (on or off and
// quality). Apply has the device send the choice, which the device object
// keeps once the device took it; nothing is awaited, and only lines the
// device's link gives up are reported.
class CDlgVideoSetting : public QDialog
{
    Q_OBJECT

public:
    CDlgVideoSetting(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgVideoSetting() override;

    void UpdateWidgetsByDevType();

private slots:
    void on_btnApplyVideoSet_clicked();
    void on_btnApplyVideoOK_clicked();
    void on_btnApplyVideoCancel_clicked();
    void on_cBDetecting_clicked(bool checked);

private:
    CFormUi<Ui::CDlgVideoSetting> ui;
    CHOIDev *m_pDev;
};

#endif
