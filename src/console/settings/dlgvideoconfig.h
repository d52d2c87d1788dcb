#ifndef HOI_CONSOLE_DLGVIDEOCONFIG_H
#define HOI_CONSOLE_DLGVIDEOCONFIG_H

#include <QDialog>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QStringList>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"
#include "hoiwidget/formui.h"

class CHOIDev;
struct T_ProdIdInfo;
class QAbstractButton;
class QComboBox;
class QEvent;
class QRadioButton;
class QSpinBox;
class QVariant;
class QWidget;

// Output type of a decoder's DVI-I port, in the order of
// T_ProdIdInfo::VideoInput2Name; tags the entries of the mode list.
enum E_DVI_I_Mode {
    E_DIM_HDMI = 0,
    E_DIM_CVBS = 1,
    E_DIM_VGA = 2,
    E_DIM_DVI_D = 3,
    E_DIM_YPBPR = 4,
};
Q_DECLARE_METATYPE(E_DVI_I_Mode)

namespace Ui {
class CDlgVideoConfig;
}

// "Video Settings" of one device: video input, forced output resolutions and
// colour space, HDCP and the decoder's DVI-I output on the Basic tab; the
// encoder's rate control and stream parameters and the decoder's video mode
// on the Advanced tab. The form shows only what the device's product and
// type allow and starts from the values the device object holds; it sends no
// query of its own.
//
// Apply sends the current tab's settings and stays open; OK sends them and
// closes once the device has worked through its command queue. A refused
// command is reported at once; a device that fails later gives
// "apply to device failed.".
class CDlgVideoConfig : public QDialog
{
    Q_OBJECT

public:
    CDlgVideoConfig(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgVideoConfig() override;

    // The inputs of host index nIndex (0-based): segment nIndex of the '|'
    // separated text, split at ','; empty when there is no such segment.
    static QStringList AllowedVideoInputs(const QString &strInputs, int nIndex);
    // The int behind a list item's data or a cached option: the enum types
    // of the lists, numbers and number texts; -1 for no value.
    static int EnumValue(const QVariant &value);

    // Applies the current tab. True when every command was accepted for
    // sending; false after a refusal, which has then been shown.
    bool ApplySettings();

    void UpdateWidgetsByDevType();
    void UpdateWidgetsByProduct();

    // Applies; the dialog closes when the device has finished.
    void accept() override;

public slots:
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);

private slots:
    void on_cbEncMode_currentIndexChanged(int index);
    void on_sbVBRMinQP_valueChanged(int arg1);
    void on_cbSelectMode_currentIndexChanged(int index);
    void on_radioBtn_Enable_toggled(bool checked);
    void on_radioBtn_Disable_toggled(bool checked);
    void slotButtonClicked(QAbstractButton *pButton);
    void on_tabWidget_currentChanged(int index);
    // The device was removed: nothing is applied any more, and a wait ends
    // as failed.
    void slotOnDevDestroyed();

protected:
    void changeEvent(QEvent *event) override;

private:
    // Filling the form from the product and the device's cached values.
    void LoadInputs(const QString &strInputs);
    void LoadEncoderOutput(const QString &strResolutions, const QString &strColorSpaces);
    void LoadHdcp(bool bHdcp);
    // A decoder's outputs: the DVI-I output type with its colour space, the
    // resolution of each output type, the hardware DIP switch.
    void LoadDecoderOutputs(const T_ProdIdInfo &prod);
    void LoadOutputSelection(const QString &strColorSpaces);
    void HideDecoderOutputs();
    void LoadMultiScreenVga(const QString &strResolutions);
    void LoadEncoderOptions();
    void LoadEncoderSpins();
    void FitEveryTab();
    void SetButtonTexts();
    QList<QComboBox *> OutputCombos() const;

    // The steps of Apply. Each sends what its part of the form holds and
    // sets bSent when it queued anything; false after a refusal, which has
    // then been shown.
    bool ApplyBasic();
    bool ChosenInput(QString &strInput);
    bool ApplyEncoderOutput(bool &bSent);
    // The hardware DIP switch, or the output type and resolution the
    // software picks when the switch does not decide.
    bool ApplyDecoderOutput(bool &bSent);
    bool ApplyOutputSelection();
    bool ApplyMultiScreenVga(bool &bSent);
    bool ApplyAdvanced();
    bool ApplyEncoderOptions(bool &bSent);
    QList<QPair<QSpinBox *, int>> EncoderSpins(int nMode) const;
    bool ApplyLatencyMode(bool &bSent);
    // Single sends whose value the device object keeps once the device
    // took it: the colour space, a forced output resolution ("vfo" on
    // strPort, kept by pfnKeep).
    bool ApplyColorSpace(QComboBox *pCombo);
    bool ApplyForcedOutput(const QString &strValue, const QString &strPort,
                           void (CHOIDev::*pfnKeep)(const QString &));
    bool FailBasic(const QString &strMessage);
    bool FailAdvanced();
    bool FinishApply(bool bSent);
    // The device ended the wait: the window is usable again, and closes
    // when OK started it.
    void EndWait(bool bSuccess);
    bool IsShown(const QWidget *pWidget) const;

    CFormUi<Ui::CDlgVideoConfig> ui;
    CHOIDev *m_pDev;
    QList<QRadioButton *> m_inputButtons;
    bool m_bAccept;
    int m_nCurTab;
    // The completion slot is connected and the device has not reported yet.
    bool m_bWaiting;
};

#endif
