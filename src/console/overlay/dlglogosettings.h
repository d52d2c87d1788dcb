#ifndef HOI_CONSOLE_DLGLOGOSETTINGS_H
#define HOI_CONSOLE_DLGLOGOSETTINGS_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"
#include "vtx/imagepane.h"

class CHOIDev;
class QLineEdit;

namespace Ui {
class CDlgLogoSettings;
}

// The overlay image of one device: uploads a PNG of at most 1920 x 1080 over
// HTTP, and sets where the picture sits and whether it shows through
// configuration lines on the device's link. Positions are typed from 1; the
// device counts from 0.
class CDlgLogoSettings : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgLogoSettings(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgLogoSettings() override;

    // Tests shorten the progress tick; the default is 200 ms.
    void SetProgressInterval(int msecs) { m_imagePane.SetProgressInterval(msecs); }

private slots:
    void on_pushBtnSelect_clicked();
    void on_pushBtnUpload_clicked();
    void on_pBOverlayApply_clicked();
    void on_pushBtnApply_clicked();
    void slotGetOverlaySettings(QString strStatus);

private:
    bool ReadCoordinate(QLineEdit *pEdit, const QString &strMissing, int nMax, int &nValue);

    CFormUi<Ui::CDlgLogoSettings> ui;
    CHOIDev *m_pDev; // not owned
    CImagePane m_imagePane;
};

#endif
