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

// The image part of the single-device upload dialogs (overlay image, preview
// image, the virtual TX list's preview group): the chosen path, the
// resolution and size lines, the picture, the upload button and the progress
// line.
struct T_ImagePane
{
    QLineEdit *pPath = nullptr;
    QLabel *pResolution = nullptr;
    QLabel *pSize = nullptr;
    QLabel *pPicture = nullptr;
    QLabel *pProgress = nullptr;
    QPushButton *pUpload = nullptr;
};

// The forms name these widgets alike; each dialog hands its own in.
template <class TForm>
T_ImagePane ImagePaneOf(const TForm *pForm)
{
    return {pForm->lineEditFilePath, pForm->label_3, pForm->label_5,
            pForm->labelPicture,     pForm->label_4, pForm->pushBtnUpload};
}

// Chooses a picture and uploads it unchanged to one device. Pictures are
// shown as they are; one beyond the size limit is only marked, and cannot be
// uploaded. While the device has not answered the progress line climbs one
// step a tick and rests at 98 %; 100 % only on HTTP status 200. The owner is
// disabled meanwhile. The texts here are translated in the owner's context,
// so each dialog keeps its own translations.
class CImagePane : public QObject
{
    Q_OBJECT

public:
    // pszContext: the owner's class name.
    CImagePane(QWidget *pOwner, const char *pszContext);

    // Takes the owner's widgets once its form is set up. Nothing is chosen
    // yet, so the upload button goes off. Closing the owner drops an upload
    // still under way.
    void Attach(const T_ImagePane &pane);

    // Tests shorten the progress tick; the default is 200 ms.
    void SetProgressInterval(int msecs) { m_nProgressInterval = msecs; }

    // Asks for a picture and shows it with its resolution (strResolution
    // with %1 the width and %2 the height) and its size in KB.
    void Choose(const QString &strCaption, const QString &strFilter, const QSize &maxSize,
                const QString &strResolution);
    // Posts the chosen picture to strUrl (the full upload URL), as long as
    // the file still passes the checks it passed when it was chosen.
    void Upload(const QString &strUrl);
    // Runs the form's retranslateUi; the lines describing a chosen picture
    // and an upload keep what they show.
    void Retranslate(const std::function<void()> &retranslateUi);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void slotGrogressBar();
    void slotGetOverlayUploadStatus(QVariant code);
    void slotPictureFileChanged();

private:
    QString Tr(const char *pszText) const;
    // Shows the chosen file as it is on disk now and keeps watching it.
    void ShowPicture();

    QWidget *m_pOwner; // not owned
    const char *m_pszContext;
    T_ImagePane m_pane;
    QString m_strFilePath;
    // The picture follows its file; a paint never reloads it.
    QFileSystemWatcher m_watcher;
    QSize m_maxSize; // of the chosen picture
    HttpConnect m_httpConnect;
    QTimer m_timer;
    int m_nProgress;
    int m_nProgressInterval;
};

#endif
