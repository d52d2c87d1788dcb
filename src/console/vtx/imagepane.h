#ifndef HOI_CONSOLE_IMAGEPANE_H
#define HOI_CONSOLE_IMAGEPANE_H

#include <functional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QVariant>

#include "upload/httpconnect.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The image part of the single-device upload dialogs (idle image, power-on
// logo, windowing image, overlay image, preview image, the virtual TX list's
// preview group): the chosen path, the resolution and size lines, the
// picture, the upload button and the progress line.
struct T_ImagePane
{
    QLineEdit *pPath = nullptr;
    QLabel *pResolution = nullptr;
    QLabel *pSize = nullptr;
    QLabel *pPicture = nullptr;
    QLabel *pProgress = nullptr;
    QPushButton *pUpload = nullptr;
    // Disabled while an upload is under way; null: the whole owner.
    QWidget *pBusy = nullptr;
};

// Most forms name these widgets alike; each dialog hands its own in.
template <class TForm>
T_ImagePane ImagePaneOf(const TForm *pForm)
{
    return {pForm->lineEditFilePath, pForm->label_3, pForm->label_5,
            pForm->labelPicture,     pForm->label_4, pForm->pushBtnUpload};
}

// What a pane takes and how it describes the chosen file. The limits are
// checked when the file is chosen and again on the very bytes sent, since
// the file may change on disk meanwhile.
struct T_ImageRule
{
    QString strCaption; // of the file dialog, translated
    QString strFilter;  // translated
    // The resolution line of a chosen picture, %1 the width and %2 the
    // height; empty leaves the line as it is.
    QString strResolution;
    // The size line, %1 the size in KB.
    QString strSize = QStringLiteral("Image Size:%1 (KB)");
    QSize maxSize;         // invalid: any resolution
    qint64 nMaxBytes = -1; // negative: any size
    // The format the picture's content must have ("jpeg"), whatever its
    // name says; empty: any picture.
    QByteArray format;
    // A power-on logo: a bitmap in one of the formats the devices take,
    // judged by its headers; it need not load as a picture.
    bool bLogoBitmap = false;

    // A picture of at most maxSize pixels, of any length.
    static T_ImageRule Within(const QSize &maxSize, const QString &strCaption, const QString &strFilter,
                              const QString &strResolution);
    // A file of at most nMaxBytes bytes, of any resolution.
    static T_ImageRule UpTo(qint64 nMaxBytes, const QString &strCaption, const QString &strFilter,
                            const QString &strResolution, const QString &strSize);
};

// Chooses a picture and uploads it unchanged to one device. A picture is
// shown as it is (and again whenever its file changes); one beyond a limit
// has that line marked red and cannot be uploaded. While the device has not
// answered the progress line climbs one step a tick and rests at 98 %; 100 %
// only on HTTP status 200. The busy widget is disabled meanwhile.
class CImagePane : public QObject
{
    Q_OBJECT

public:
    explicit CImagePane(QWidget *pOwner);

    // Takes the owner's widgets once its form is set up. Nothing is chosen
    // yet, so the upload button goes off. Closing the owner drops an upload
    // still under way. With retranslateForm the pane also takes the owner's
    // language changes: retranslateForm (the form's texts), then
    // Retranslated.
    void Attach(const T_ImagePane &pane, const std::function<void()> &retranslateForm = nullptr);

    // Tests shorten the progress tick; the default is 200 ms.
    void SetProgressInterval(int msecs) { m_nProgressInterval = msecs; }

    // Asks for a file and, when it passes the rule's format check, shows it.
    void Choose(const T_ImageRule &rule);
    // Posts the chosen file to strUrl (the full upload URL), as long as it
    // still passes the checks it passed when it was chosen.
    void Upload(const QString &strUrl);
    // Called after the owner's retranslateUi: puts back the lines that
    // describe the chosen file and the upload, the progress in the new
    // language.
    void Retranslated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void slotGrogressBar();
    void slotGetOverlayUploadStatus(QVariant code);
    void slotPictureFileChanged();

private:
    // Whether strPath is a file of the rule's kind; the picture's resolution
    // when it loads as one.
    bool IsChoosable(const T_ImageRule &rule, const QString &strPath, QSize &size) const;
    // The check of the bytes sent.
    bool IsSendable(const QByteArray &data) const;
    // The image format of the bytes, by their content ("jpeg", "png").
    static QByteArray ContentFormat(const QByteArray &data);
    // Forgets the lines and the picture of a file that no longer passes.
    void ClearChosenLines();
    void ShowProgress(int nPercent);
    QWidget *Busy() const { return m_pane.pBusy ? m_pane.pBusy : m_pOwner; }
    // Shows the chosen file as it is on disk now and keeps watching it.
    void ShowPicture();

    QWidget *m_pOwner; // not owned
    T_ImagePane m_pane;
    T_ImageRule m_rule; // of the chosen file
    QString m_strFilePath;
    // The picture follows its file; a paint never reloads it.
    QFileSystemWatcher m_watcher;
    HttpConnect m_httpConnect;
    QTimer m_timer;
    int m_nProgress;
    int m_nProgressInterval;
    // The lines written here, put back after a language change.
    QString m_strResolutionText;
    QString m_strSizeText;
    // The form's own texts of those lines, in the current language.
    QString m_strResolutionForm;
    QString m_strSizeForm;
    QString m_strProgressForm;
    int m_nShown; // the percentage of the progress line, -1 none yet
};

#endif
