#ifndef HOI_CONSOLE_HTTPCONNECT_H
#define HOI_CONSOLE_HTTPCONNECT_H

#include <functional>

#include <QObject>
#include <QSize>
#include <QString>
#include <QVariant>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QTcpSocket;
class QUrl;

// The one way the console makes an HTTP access manager: devices are always
// reached directly, whatever proxy the environment names (http_proxy and
// the like), so nothing of the installation leaves its network.
QNetworkAccessManager *NewDeviceAccessManager(QObject *parent);

// Ends the transfer of pReply (when there is one) without a word to
// pReceiver; pReply becomes null.
void DropReply(QNetworkReply *&pReply, QObject *pReceiver);

// The most a download may bring: its answer is held in memory until read.
const qint64 kDownloadLimit = 64 * 1024 * 1024;
// Ends the download of pReply once its answer grows past nMaxBytes (called
// again, it changes the limit); the reply then fails IsReplyOk.
void LimitDownload(QNetworkReply *pReply, qint64 nMaxBytes);
// The transfer of pReply ended with HTTP status 200, no network error and
// within its download limit.
bool IsReplyOk(const QNetworkReply *pReply);

// Posts pBody to url as a multipart/form-data body of exactly one part,
// named name, with strFileName and partType; the boundary is
// HttpConnect::Boundary(). The form goes with the reply, and so does the
// body when bTakeBody (else it stays the caller's and must outlive the reply).
QNetworkReply *PostFormFile(QNetworkAccessManager *pManager, const QUrl &url, const QByteArray &name,
                            const QString &strFileName, const QByteArray &partType, QIODevice *pBody,
                            bool bTakeBody = true);

// Whether url names a path on the device beyond its web root: a post to
// the root would be answered by the device's home page and taken for
// success. No upload goes without one.
bool HasUploadPath(const QString &url);

// The format check of a picture sent as it is: it must load as an image.
bool IsLoadableImage(const QByteArray &data);
// The same, for a picture that must also fit in maxSize.
bool IsImageWithin(const QByteArray &data, const QSize &maxSize);

// The limits of the pictures uploaded to devices, checked when a picture is
// chosen and again on its upload: an idle (background) image of at most
// 1.5 MiB, a windowing image of at most 10 MiB, a logo below 128 KiB, an
// overlay image of at most 1920 x 1080.
const qint64 kIdleImageMaxBytes = 1572864;
const qint64 kWindowingImageMaxBytes = 10485760;
const qint64 kLogoImageMaxBytes = 131072 - 1;
const QSize kOverlayImageMaxSize(1920, 1080);

// Posts one local file to a device as a multipart/form-data body of exactly
// one part (name "bgimage", type "image"). It judges nothing: the raw HTTP
// status of the answer goes to the owner, which takes 200 as success and
// anything else, an invalid variant included, as failure.
//
// The request goes over a connection of its own whose kernel send buffer is
// kept small, so the bytes reported sent are the bytes the device has taken,
// give or take that buffer, and a device on a slow link is seen taking its
// body to the end; and an upload ended early leaves at most that buffer on
// its way to the device, never the rest of the file.
//
// One upload at a time. The wait has no time-out of its own: an owner ends a
// stalled upload with Abort() (a failure report follows), with Drop() or by
// destroying the uploader (nothing follows).
class HttpConnect : public QObject
{
    Q_OBJECT
public:
    explicit HttpConnect(QObject *parent = nullptr);
    ~HttpConnect() override;

    // Starts the upload of filePath to url (the full upload URL). False when
    // nothing was sent: empty path, unreadable file, an upload already under
    // way, a url without an upload path. True: the status signals follow
    // once the answer is in.
    bool PostFile(const QString &filePath, const QString &url, const QString &devName);

    // Judges the bytes about to be sent; false refuses the upload.
    using DataCheck = std::function<bool(const QByteArray &data)>;
    // PostFile for a file that must still pass the checks it passed when it
    // was chosen, since it may have changed on disk meanwhile: the bytes are
    // read once, checked (at most nMaxBytes, then check) and those very bytes
    // are sent. False, with nothing sent, when they fail.
    bool PostCheckedFile(const QString &filePath, const QString &url, const QString &devName,
                         qint64 nMaxBytes, const DataCheck &check = DataCheck());
    // The reading and checking of PostCheckedFile (nMaxBytes negative: no
    // limit), for an owner that sends the bytes to many devices.
    static bool ReadCheckedFile(const QString &filePath, qint64 nMaxBytes, const DataCheck &check,
                                QByteArray &data);
    // Posts data as the one part, named by filePath. False when an upload is
    // already under way.
    bool PostData(const QByteArray &data, const QString &filePath, const QString &url, const QString &devName);

    // Whether an upload is under way.
    bool IsBusy() const { return m_socket != nullptr; }
    // Drops the upload under way; the status signals then report an invalid
    // variant. Nothing happens when idle.
    void Abort();
    // Drops the upload under way without reporting it (its owner is closing).
    void Drop();

    // The fixed boundary of every multipart body the console sends.
    static QByteArray Boundary();

signals:
    // The HTTP status of the finished upload, invalid without an HTTP answer.
    void OnGetMapUploadStatus(QVariant code);
    // The same, with the devName of the upload (one uploader per device).
    void OnGetMapUploadStatus(QString strDevName, QVariant code);
    // Bytes of the request body the device has taken so far (as far as the
    // connection tells).
    void signalSendBytes(qlonglong bytesSent);

public slots:
    // Forwards the body bytes the device has taken, each count once.
    void slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal);

private:
    // Reads the device's answer as it comes. Where the reading stands is
    // kept between reads, and each read looks only at the bytes that came
    // since: a long answer trickling in costs no more than its length.
    class AnswerReader
    {
    public:
        void Clear();
        // Takes the bytes that came; false once the answer is past its cap.
        bool Append(const QByteArray &bytes);
        // Reads on; whether the whole answer to the request is in (interim
        // 1xx answers skipped) or can no longer be read.
        bool IsWhole();
        // The status of the answer (0 when none came or its framing is
        // broken). Once the connection has closed, an answer is whole as
        // far as its head came.
        int Status() const { return m_phase == E_AR_BROKEN ? 0 : m_nStatus; }

    private:
        enum E_Phase {
            E_AR_HEAD,       // a head, from its status line to its empty line
            E_AR_LENGTH,     // a body of Content-Length bytes
            E_AR_CHUNK_SIZE, // the size line of the next chunk
            E_AR_CHUNK_END,  // the data of a chunk, then its line end
            E_AR_TRAILER,    // after the last chunk, up to its empty line
            E_AR_TO_CLOSE,   // a body that ends with the connection
            E_AR_WHOLE,
            E_AR_BROKEN,     // no HTTP answer, or one that cannot be read
        };
        // Each reads on from m_nPos; false while the bytes it needs are not in.
        bool ReadHead();
        bool ReadChunkSize();
        // Where the head whose lines are searched from m_nScan ends, past
        // its empty line; -1 while that line is not in.
        int HeadEnd();
        // The next LF from m_nScan; -1 while none is in.
        int NextLf();

        QByteArray m_bytes;
        E_Phase m_phase = E_AR_HEAD;
        int m_nPos = 0;    // start of what m_phase reads
        int m_nScan = 0;   // the bytes before it need no second look
        int m_nEnd = 0;    // end of a length body or of a chunk's data
        int m_nStatus = 0; // of the final head, once in
    };

    // Takes devName for the next upload; false while one is under way.
    bool BeginUpload(const QString &devName, const QString &url);
    // Posts pBody (open, read from the start) as the one part; filePath names it.
    void Post(QIODevice *pBody, const QString &filePath, const QString &url);
    void OnConnected();
    // Keeps a little of the request waiting in the socket, no more.
    void FeedSocket();
    void OnBytesWritten(qint64 nBytes);
    void OnReadyRead();
    // The connection ended: the answer as far as it came.
    void OnClosed();
    // Reports the end once and lets the connection go.
    void Finish(const QVariant &code);
    // Lets go of the connection of the last upload, and of its body.
    void ReleaseSocket();

    QTcpSocket *m_socket = nullptr; // child; of the upload under way
    QIODevice *m_file = nullptr;    // body of the one part; child of the socket
    QByteArray m_head;              // request head and part head, sent first
    QByteArray m_tail;              // the closing delimiter, sent last
    qint64 m_nRequestHeadBytes = 0; // of m_head, the part before the body
    qint64 m_nBodyBytes = 0;        // Content-Length
    qint64 m_nFileLeft = 0;         // bytes of the file still to send
    qint64 m_nWritten = 0;          // bytes of the request the kernel took
    qint64 m_nReported = 0;         // body bytes reported sent
    bool m_bTailQueued = false;
    AnswerReader m_answer;          // the device's answer so far
    QString m_devName;
};

#endif // HOI_CONSOLE_HTTPCONNECT_H
