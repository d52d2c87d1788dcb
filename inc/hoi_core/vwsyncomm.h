#ifndef HOI_CORE_VWSYNCOMM_H
#define HOI_CORE_VWSYNCOMM_H

#include <QList>
#include <QObject>
#include <QString>
#include <QUdpSocket>

// Tells the decoders of a video wall to reconnect to their stream, so that every
// screen of the wall starts in step: one multicast datagram per local network.
class CVWSynComm : public QObject
{
    Q_OBJECT
public:
    enum
    {
        E_VW_PORT = 1234,
        E_VW_READ_SIZE = 296
    };
    static const char* const s_szGroup;  // "226.1.0.0"
    static const char* const s_szPrefix; // "msg_b_reconnect "

    explicit CVWSynComm(QObject* parent = nullptr);
    ~CVWSynComm() override;

    void StartVWSync(QString i_strHostname);

    // A layout sends one message per decoder: between these two calls the
    // messages share one listing of the local interfaces, one bind of the
    // listening socket and one sender bound per source address. Calls nest.
    void BeginBatch();
    void EndBatch();

public slots:
    void slotDoStartVW(QString& i_strHostname, bool bFirstCall);
    void slotOnUdpVWReady();

private:
    void ListenForReplies();
    void OpenSenders();
    void CloseSenders();

    QUdpSocket m_udpSocket;
    // One per source address, null where the bind failed; valid while open.
    QList<QUdpSocket*> m_senders;
    bool m_bSendersOpen = false;
    int m_batchDepth = 0;
};

#endif // HOI_CORE_VWSYNCOMM_H
