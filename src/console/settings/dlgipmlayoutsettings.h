#ifndef HOI_CONSOLE_DLGIPMLAYOUTSETTINGS_H
#define HOI_CONSOLE_DLGIPMLAYOUTSETTINGS_H

#include <QDialog>
#include <QList>
#include <QString>

#include "hoi_core/hoirecords.h"
#include "hoiwidget/formui.h"

class CFormIPM;
class CHOIDev;
class QEvent;

namespace Ui {
class CDlgIPMLayoutSettings;
}

// "Layout Settings" of one multiview decoder: which of its layouts it shows,
// which encoder and picture mode each window of that layout has, and where
// the audio comes from (one fixed encoder, or the encoder of one window).
// Save keeps the choice in the device object (and so in the project file);
// Apply sends it to the device as multiview command lines, and the device
// object keeps it once the device took them. Neither waits for the device;
// lines its link gives up are reported.
//
// Window list text (the device's "multiview set" argument, also what the
// device object keeps per layout): one entry per window, separated by one
// blank, each "<TX host name or NULL>:1:<geometry>:<fit|stretch>".
class CDlgIPMLayoutSettings : public QDialog
{
    Q_OBJECT

public:
    CDlgIPMLayoutSettings(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgIPMLayoutSettings() override;

private slots:
    void on_pbApply_clicked();
    void on_pbSave_clicked();
    void on_radioButton_clicked(bool checked);
    void on_radioButton_2_clicked(bool checked);
    void slotShowCurrentLayout();

private:
    void FillTxList();
    QString GetFollowTxHostName() const;
    QString TxDisplayName(const QString &strHostName) const;
    QString GetFollowWindowTxHostName() const;
    void ShowLayoutPicture();
    // The audio the form chooses: its mode, the TX heard and the third word
    // of the device's record. False when the device offers no choice.
    struct T_AudioChoice
    {
        QString strMode;
        QString strSource;
        QString strDisplay;
    };
    bool GetAudioChoice(T_AudioChoice &choice) const;
    void ShowAudioSource();
    QString BuildWindowList() const;
    void FillLayoutList();
    void ClearWindowRows();
    void BuildWindowRows();
    void BuildWindowRowsFromText(QString strText);

    const T_IpmLayoutInfo *FindTableLayout(const QString &strLayoutName) const;
    void AddWindowRow(int nIndex);
    void ShowFollowTx();
    void ShowFollowWindow();
    bool IsAudioSupported() const;

    CFormUi<Ui::CDlgIPMLayoutSettings> ui;
    CHOIDev *m_pDev;
    QList<CFormIPM *> m_windowForms;
    // How deep BuildWindowRowsFromText is running; selecting a layout from it
    // may run it again once, never in a loop.
    int m_nFromTextDepth;
};

#endif
