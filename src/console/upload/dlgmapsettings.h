#ifndef HOI_CONSOLE_DLGMAPSETTINGS_H
#define HOI_CONSOLE_DLGMAPSETTINGS_H

#include <QDialog>
#include <QString>
#include <QTimer>
#include <QVariant>

#include "upload/httpconnect.h"

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
    void SetProgressInterval(int msecs) { m_nProgressInterval = msecs; }

public slots:
    void done(int r) override;

private slots:
    void on_pushBtnSelect_clicked();
    void on_pushBtnUpload_clicked();
    void on_pushBtnApply_clicked();
    void on_pushBtnOSDApply_clicked();
    void on_pbApplyOSDMethod_clicked();

    void slotGetMapUploadStatus(QVariant code);
    void slotGetMapSettings(QString strStatus);
    void slotGrogressBar();
    void slotGetOSDSettings(QString strStatus);

protected:
    void changeEvent(QEvent *event) override;

private:
    bool IsJpgType() const;
    void SetProductTexts();
    void ShowProgress(int nPercent);

    Ui::CDlgMapSettings *ui;
    CHOIDev *m_dev;
    QString m_imagePath;
    HttpConnect m_http;
    QTimer m_timer;
    int m_progress = 0;

    int m_nProgressInterval = 200;
    // Texts the dialog wrote itself, put back after a language change.
    QString m_resolutionText;
    QString m_sizeText;
    int m_nShown = -1; // percentage in the progress label, -1 none yet
};

#endif // HOI_CONSOLE_DLGMAPSETTINGS_H
