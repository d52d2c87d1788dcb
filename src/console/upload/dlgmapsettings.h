#ifndef HOI_CONSOLE_DLGMAPSETTINGS_H
#define HOI_CONSOLE_DLGMAPSETTINGS_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"
#include "vtx/imagepane.h"

class CHOIDev;

namespace Ui {
class CDlgMapSettings;
}

// Uploads one picture to one device, as it is, and switches whether the
// device displays it and its OSD. The product decides the picture: a
// "map_type" of "jpg" means the idle image (JPEG, 1.5 MB, the product's
// "url"), anything else the windowing image (BMP, 10 MB, its "bg_url");
// "map_dispaly_enable" decides the texts and the display switch.
class CDlgMapSettings : public QDialog
{
    Q_OBJECT

public:
    CDlgMapSettings(CHOIDev *dev, QWidget *parent = nullptr);
    ~CDlgMapSettings() override;

    // The progress estimate's tick; tests shorten it.
    void SetProgressInterval(int msecs) { m_imagePane.SetProgressInterval(msecs); }

private slots:
    void on_pushBtnSelect_clicked();
    void on_pushBtnUpload_clicked();
    void on_pushBtnApply_clicked();
    void on_pushBtnOSDApply_clicked();
    void on_pbApplyOSDMethod_clicked();

    void slotGetMapSettings(QString strStatus);
    void slotGetOSDSettings(QString strStatus);

private:
    bool IsJpgType() const;
    void SetProductTexts();

    CFormUi<Ui::CDlgMapSettings> ui;
    CHOIDev *m_dev;
    CImagePane m_imagePane;
};

#endif // HOI_CONSOLE_DLGMAPSETTINGS_H
