#ifndef HOI_CONSOLE_DLGPREVIEWIMAGE_H
#define HOI_CONSOLE_DLGPREVIEWIMAGE_H

#include <QDialog>

#include "hoiwidget/formui.h"
#include "vtx/imagepane.h"

class CHOIDev;

namespace Ui {
class CDlgPreviewImage;
}

// Uploads a JPEG of at most 720 x 480 to one device as its preview image.
// The file goes unchanged; a progress line climbs while the device has not
// answered, 100 % only on HTTP status 200.
class CDlgPreviewImage : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgPreviewImage(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgPreviewImage() override;

    // Tests shorten the progress tick; the default is 200 ms.
    void SetProgressInterval(int msecs) { m_imagePane.SetProgressInterval(msecs); }

    // What a preview image is: a picture of at most 720 x 480.
    static T_ImageRule ImageRule();

private slots:
    void on_pushBtnSelect_clicked();
    void on_pushBtnUpload_clicked();

private:
    CFormUi<Ui::CDlgPreviewImage> ui;
    CHOIDev *m_pDev; // not owned; may be null
    CImagePane m_imagePane;
};

#endif
