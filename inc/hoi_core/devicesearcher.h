#ifndef HOI_CORE_DEVICESEARCHER_H
#define HOI_CORE_DEVICESEARCHER_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUdpSocket>

// One local address to send multicast requests from, with the interface it belongs to.
struct T_McastSource
{
    QNetworkInterface iface;
    QHostAddress addr;
};

// Every IPv4 address of the running interfaces, in the system's order, except the
// loopback and 0.0.0.0; of the entries of one interface sharing a broadcast address
// only the first is kept, so each network gets one request per interface.
QList<T_McastSource> ListMulticastSources();

// Binds the socket to the source's address (any port) and sets its multicast
// interface, so what it sends leaves by that interface whatever the routing
// table prefers. False when the bind fails.
bool BindMulticastSender(QUdpSocket* pSocket, const T_McastSource& src);

// Sends one datagram to a multicast group from the given source: the socket is
// rebound to the address and its multicast interface set, so the datagram leaves
// by that interface whatever the routing table prefers.
bool SendMulticastFrom(QUdpSocket* pSocket, const T_McastSource& src, const QByteArray& payload,
                       const QHostAddress& group, quint16 port);

// Finds devices by UDP multicast: a request from every local IPv4 address, a fixed
// number of rounds, and one report per host name that answers.
class QDeviceSearcher : public QObject
{
    Q_OBJECT
public:
    enum
    {
        E_REQUEST_PORT = 3333,
        E_REPLY_PORT = 3334,
        E_REPLY_SIZE = 296,
        E_STATUS_OFFSET = 8,
        E_HOSTNAME_OFFSET = 40,
        E_RECV_BUF_SIZE = 1048576,
        E_ROUND_INTERVAL = 1000,
        E_NO_IFACE_DELAY = 100,
        E_GATHER_MS = 1
    };
    static const char* const s_szGroup; // "225.1.0.0"

    explicit QDeviceSearcher(int iTotal, QObject* parent = nullptr);
    ~QDeviceSearcher() override;

    void Start();
    void Stop();

    // For tests only: shortens the time between rounds.
    void SetRoundInterval(int iMs) { m_roundInterval = iMs; }

public slots:
    void slotDoSearch(bool bFirstCall = false);
    void slotSearchDone();
    void slotOnUdpReady();

signals:
    void OnStartBroadcast(int iTotal, int iCurrent, QString addr);
    void OnFoundDevice(QString strBroadcastAddr, QByteArray strIpAddr, QByteArray strHostName, QByteArray strStatus);
    void OnStop();

private:
    QTimer m_repeatTimer;
    int m_total;
    int m_current = 0;
    int m_busy = 0;
    // Every device answers each round: looked up once per reply.
    QSet<QString> m_foundHosts;
    QUdpSocket m_udpSocket;

    // A member timer rather than a one-shot call, so that Stop or a new Start
    // cancels the pending end of a search that found no interface.
    QTimer m_doneTimer;
    int m_roundInterval = E_ROUND_INTERVAL;

    // A fleet answers a round within milliseconds: the replies are read
    // together E_GATHER_MS after the first, rather than one wake-up each.
    QTimer m_gatherTimer;
};

#endif // HOI_CORE_DEVICESEARCHER_H
