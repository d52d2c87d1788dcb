#ifndef HOI_CONSOLE_DLGIMAGESETTING_H
#define HOI_CONSOLE_DLGIMAGESETTING_H

#include <QDialog>
#include <QString>
#include <QTimer>
#include <QVariant>

#include "upload/httpconnect.h"
#include "vtx/bmpcheck.h"

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
    void SetProgressInterval(int msecs) { m_nProgressInterval = msecs; }

public slots:
    void done(int r) override;

private slots:
    void on_pushBtnSelect_Logo_clicked();
    void on_pushBtnUpload_Logo_clicked();
    void on_pushBtnSelect_bg_clicked();
    void on_pushBtnUpload_bg_clicked();
    void on_pbApplyOSDMethod_clicked();

    void slotGetMapUploadStatus_Logo(QVariant code);
    void slotGetMapUploadStatus_bg(QVariant code);
    void slotGrogressBar_Logo();
    void slotGrogressBar_bg();

protected:
    void changeEvent(QEvent *event) override;

private:
    bool IsLogoProduct() const;
    QString ExpectedBgResolutionText() const;
    void ShowLogoProgress(int nPercent);
    void ShowBgProgress(int nPercent);

    Ui::CDlgImageSetting *ui;
    CHOIDev *m_dev;
    QString m_logoPath;
    QString m_bgPath;
    HttpConnect m_logoHttp;
    HttpConnect m_bgHttp;
    QTimer m_logoTimer;
    QTimer m_bgTimer;
    int m_logoProgress = 0;
    int m_bgProgress = 0;
    CBmpCheck m_bmpCheck;

    int m_nProgressInterval = 200;
    // Texts the dialog wrote itself, put back after a language change.
    QString m_bgResolutionText; // empty: the expected size of the product
    QString m_bgSizeText;
    QString m_logoSizeText;
    int m_nBgShown = -1; // percentage in the progress label, -1 none yet
    int m_nLogoShown = -1;
};

#endif // HOI_CONSOLE_DLGIMAGESETTING_H
