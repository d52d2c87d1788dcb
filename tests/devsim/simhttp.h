#ifndef DEVSIM_SIMHTTP_H
#define DEVSIM_SIMHTTP_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>

class QTcpServer;
class QTcpSocket;
class QTimer;

// One HTTP request as the simulated device received it.
struct T_SimHttpRequest
{
    QByteArray method;  // "POST", "GET"
    QByteArray path;    // without the query
    QByteArray query;   // after '?', empty when none
    QList<QPair<QByteArray, QByteArray>> headers; // in order, as sent
    QByteArray body;    // as far as it came
    bool complete = false; // the whole body (Content-Length) arrived
    int status = 0;     // what the device answered, 0 when it did not answer

    // The multipart body's parts; the first one's fields below.
    int partCount = 0;
    QByteArray partName;   // name="..." of Content-Disposition
    QByteArray fileName;   // filename="..."
    QByteArray partType;   // the part's Content-Type
    QByteArray partData;   // the part's bytes
    QList<QPair<QByteArray, QByteArray>> partHeaders; // of the first part, in order

    // Header value by name, case-insensitive; empty when missing.
    QByteArray Header(const QByteArray &name) const;
};

// The HTTP endpoints of one simulated device: its address, port 80 in the
// test LAN, or 127.0.0.1 on a free port. Multipart POSTs to the upload paths
// store the part's bytes; GETs give them back:
//   POST "/upload_logo", "/upload_bg", "/upload/setipclist" (and paths added
//        with AddUploadPath): 200, the first part's data stored under the path
//   GET  "/action?cmdtype=devconfig&cmdstr=getipclist": 200 with what is
//        stored under "/upload/setipclist" (empty when nothing)
//   IP controller only (SetIpController):
//   POST "/scene_upload": 200, stored under "/scene_upload"
//   GET  "/scene_download": 200 with that, 404 while nothing was uploaded
// Anything else: 404. A POST without a multipart body: 400.
// Every answer closes its connection, but under E_HF_LF_ONLY, E_HF_CHUNKED and
// E_HF_RAW_ANSWER. An answer goes in one write, or in pieces (SetAnswerSplit);
// HOI_DEVSIM_ANSWER_DELAY_MS holds back its first write by that much.
class CSimHttp : public QObject
{
    Q_OBJECT
public:
    enum E_Fault {
        E_HF_NONE = 0,
        E_HF_REFUSE,     // not listening: connections are refused
        E_HF_STALL,      // reads the request, never answers
        E_HF_STATUS,     // answers every request with the fault's status, storing nothing
        E_HF_DROP_BODY,  // closes the connection after the fault's count of body bytes
        E_HF_SLOW_READ,  // takes the request at the fault's bytes per second, as over a slow link
        E_HF_ENDLESS_ANSWER, // answers 200 without a length, sends the fault's count of bytes, stays open
        // Answers as usual, in the shapes of lenient servers:
        E_HF_LF_HEAD,    // HTTP/1.0, header lines and the empty line ending in a bare LF (a CGI script's), no length
        E_HF_LF_ONLY,    // every line ending in a bare LF, with a length; stays open
        E_HF_CHUNKED,    // a chunked body; stays open
        E_HF_CONTINUE,   // "100 Continue" as soon as the request head is in, then the answer
        E_HF_RAW_ANSWER, // takes the request as usual, answers with the bytes of SetRawAnswer; stays open
    };

    // How an answer goes out. Each piece is written on its own, after a
    // pause long enough for a peer in this process to have read the last one.
    enum E_AnswerSplit {
        E_AS_WHOLE = 0,  // in one write
        E_AS_BYTES,      // a byte at a time
        E_AS_LINE_ENDS,  // cut on either side of every LF: inside a head, a chunk's size line and line end
    };

    explicit CSimHttp(QObject *parent = nullptr);
    ~CSimHttp() override;

    // Port 0 picks a free port.
    bool Listen(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost), quint16 port = 0);
    void Close();
    QHostAddress Address() const { return m_address; }
    quint16 Port() const { return m_port; }
    // "http://<address>" on port 80, else "http://<address>:<port>".
    QString BaseUrl() const;

    void SetIpController(bool bController) { m_bController = bController; }
    void AddUploadPath(const QByteArray &path) { m_uploadPaths.insert(path); }

    // E_HF_STATUS takes the status (e.g. 404, 500; with 2xx and 3xx the body
    // is what 200 would have brought, none for 204), E_HF_DROP_BODY the body
    // bytes to read before dropping, E_HF_SLOW_READ the bytes per second
    // (connections made while it holds keep it to their end). E_HF_NONE ends
    // every fault and listens again on the same port after E_HF_REFUSE.
    void SetFault(E_Fault eFault, int nValue = 0);
    E_Fault Fault() const { return m_fault; }
    // What E_HF_RAW_ANSWER sends, byte for byte.
    void SetRawAnswer(const QByteArray &bytes) { m_rawAnswer = bytes; }
    void SetAnswerSplit(E_AnswerSplit eSplit) { m_split = eSplit; }
    // Answers every request that a stall holds now, late (RequestDone comes
    // again for each).
    void AnswerHeld(int nStatus);
    // The requests that ever got as far as a full header block, in order.
    QList<T_SimHttpRequest> Requests() const { return m_requests; }
    int RequestCount() const { return m_requests.size(); }
    // Connections still open keep running but record nothing more.
    void ClearRequests();
    // Connections open now (a stalled request keeps its one).
    int OpenConnections() const { return m_sessions.size(); }

    // What an upload path holds.
    QByteArray Stored(const QByteArray &path) const { return m_stored.value(path); }
    bool HasStored(const QByteArray &path) const { return m_stored.contains(path); }
    void SetStored(const QByteArray &path, const QByteArray &bytes) { m_stored.insert(path, bytes); }
    void ClearStored() { m_stored.clear(); }

    // The parts of a multipart body whose Content-Type carries the boundary;
    // false when the body is not framed as multipart.
    static bool ParseMultipart(const QByteArray &contentType, const QByteArray &body, T_SimHttpRequest &req);

signals:
    // After every request was recorded (answered, stalled or dropped); the
    // answer may still be on its way, so this is not the console's end.
    void RequestDone(int index);

private:
    struct Session
    {
        QTcpSocket *socket = nullptr;
        QByteArray buffer;
        bool headerDone = false;
        qint64 contentLength = 0;
        int index = -1; // in m_requests once the header block is in
        bool answered = false;
        int pace = 0; // bytes taken per tick of a slow reader; 0 takes all
        QTimer *tick = nullptr; // of a slow reader
        QList<QByteArray> pieces; // of the answer, still to write
        bool closeAfter = false;  // once they are out
        QTimer *pause = nullptr;  // between two pieces, or before the first
        bool started = false;     // something of the answer was sent or is held back
    };

    void onNewConnection();
    void onReadyRead(Session *s);
    // Takes what the session has read so far.
    void process(Session *s);
    void finishRequest(Session *s);
    void answer(Session *s, int status, const QByteArray &body, const QByteArray &type = QByteArray());
    // Writes bytes of the answer, in pieces as m_split says; the connection
    // closes after them when bClose.
    void send(Session *s, const QByteArray &bytes, bool bClose);
    void sendPiece(Session *s);
    void pauseBeforePiece(Session *s, int msecs);
    void dropSession(Session *s);

    QTcpServer *m_server = nullptr;
    QHostAddress m_address;
    quint16 m_port = 0;
    bool m_bController = false;
    QSet<QByteArray> m_uploadPaths;
    E_Fault m_fault = E_HF_NONE;
    int m_faultValue = 0;
    QByteArray m_rawAnswer;
    E_AnswerSplit m_split = E_AS_WHOLE;
    QList<Session *> m_sessions;
    QList<T_SimHttpRequest> m_requests;
    QMap<QByteArray, QByteArray> m_stored;
};

#endif // DEVSIM_SIMHTTP_H
