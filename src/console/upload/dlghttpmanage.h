#ifndef HOI_CONSOLE_DLGHTTPMANAGE_H
#define HOI_CONSOLE_DLGHTTPMANAGE_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class CDlgHttpManage;
}

// Moves the project file between the console and the IP controller over
// HTTP: mode 0 posts the given file to "/scene_upload", mode 1 fetches
// "/scene_download" into the Documents folder's "SystemConfig.hoi". The
// transfer starts with the construction; the dialog shows its progress and
// its end ("100%" or "error!"). A transfer that never ends is dropped by
// closing the dialog.
class CDlgHttpManage : public QDialog
{
    Q_OBJECT

public:
    enum HttpManageMode {
        E_HM_UPLOAD = 0,
        E_HM_DOWNLOAD = 1
    };

    // In upload mode file is the project file to send; it stays the caller's
    // and must outlive the dialog. In download mode file is null.
    CDlgHttpManage(int mode, QIODevice *file, QString ip, QWidget *parent = nullptr);
    ~CDlgHttpManage() override;

    // Upload: the caller's file. Download: the file written, "" when the
    // download failed or could not be saved.
    QString GetFileName() const;

    // A download larger than this fails; tests lower it.
    void SetDownloadLimit(qint64 nBytes);

public slots:
    void done(int r) override;

private slots:
    void slotReplyFinished(QNetworkReply *reply);
    void slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal);
    void on_pbOK_clicked();

private:
    void StartUpload();
    void StartDownload();
    void ShowEnd(bool bOk);
    // The texts of the transfer's state, also after a language change.
    void ShowState();

    CFormUi<Ui::CDlgHttpManage> ui;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    QIODevice *m_file = nullptr;
    QString m_ip;
    int m_mode;
    QString m_progressText; // the percentage shown, kept over a language change
    enum { E_END_NONE, E_END_OK, E_END_FAILED } m_eEnd = E_END_NONE;
    bool m_bOpenedFile = false; // the upload opened the caller's file
    qint64 m_nDownloadLimit;
};

#endif // HOI_CONSOLE_DLGHTTPMANAGE_H
