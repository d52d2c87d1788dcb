#ifndef HOI_CONSOLE_DLGIMAGESETTING_H
#define HOI_CONSOLE_DLGIMAGESETTING_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"
#include "vtx/imagepane.h"

class CHOIDev;

namespace Ui {
class CDlgImageSetting;
}

// Uploads an idle image (JPEG) and a power-on logo (BMP) to one device, as
// they are, and sets the device's MAC-address OSD method. The progress shown
// is an estimate by time; the device's HTTP status decides the outcome.
class CDlgImageSetting : public QDialog
{
    Q_OBJECT

public:
    CDlgImageSetting(CHOIDev *dev, QWidget *parent = nullptr);
    ~CDlgImageSetting() override;

    // The progress estimate's tick; tests shorten it.
    void SetProgressInterval(int msecs);

private slots:
    void on_pushBtnSelect_Logo_clicked();
    void on_pushBtnUpload_Logo_clicked();
    void on_pushBtnSelect_bg_clicked();
    void on_pushBtnUpload_bg_clicked();
    void on_pbApplyOSDMethod_clicked();

private:
    bool IsLogoProduct() const;
    QString ExpectedBgResolutionText() const;

    CFormUi<Ui::CDlgImageSetting> ui;
    CHOIDev *m_dev;
    CImagePane m_logoPane;
    CImagePane m_bgPane;
};

#endif // HOI_CONSOLE_DLGIMAGESETTING_H
