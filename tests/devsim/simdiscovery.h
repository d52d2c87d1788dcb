#ifndef DEVSIM_SIMDISCOVERY_H
#define DEVSIM_SIMDISCOVERY_H

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

// One simulated device as the discovery responder sees it.
struct T_SimDiscoveryDev
{
    QHostAddress address;  // the device's own address; replies come from it
    QByteArray hostName;
    QByteArray status;
    bool on = true;        // false: the device keeps silent
    QByteArray rawReply;   // not empty: sent as it is instead of the normal reply
};

// One request the responder has seen.
struct T_SimDiscoveryRequest
{
    QHostAddress sender;
    quint16 port = 0;
    QByteArray payload;
};

// The network interface that holds the given local address (invalid when none does).
QNetworkInterface SimInterfaceOf(const QHostAddress& addr);

// Address of simulated device i in the test LAN: 10.88.(1 + i / 250).(1 + i % 250).
QHostAddress SimTestLanAddress(int i);

// Answers the console's discovery requests for a whole fleet of simulated devices:
// listens on UDP 3333, joins 225.1.0.0 on the devices' interface and, for every
// request, sends each device's reply from that device's address to port 3334 of the
// request's sender.
class CSimDiscovery : public QObject
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
        E_MAX_RETRIES = 1000
    };

    explicit CSimDiscovery(QObject* parent = nullptr);
    ~CSimDiscovery() override;

    // A reply laid out as the devices send it: 296 bytes, NUL-padded, the status
    // text at offset 8 and the host name at offset 40 (both cut to fit).
    static QByteArray BuildReply(const QByteArray& status, const QByteArray& hostName);
    // Devices 0..count-1 at SimTestLanAddress(i), host names prefix + i.
    static QList<T_SimDiscoveryDev> TestLanFleet(int count, const QByteArray& hostPrefix = "SIM-",
                                                 const QByteArray& status = "online");

    void SetDevices(const QList<T_SimDiscoveryDev>& devs) { m_devs = devs; }
    int AddDevice(const T_SimDiscoveryDev& dev);
    int DeviceCount() const { return m_devs.size(); }
    T_SimDiscoveryDev& Device(int i) { return m_devs[i]; }
    void SetDeviceOn(int i, bool on) { m_devs[i].on = on; }
    void SetRawReply(int i, const QByteArray& reply) { m_devs[i].rawReply = reply; }

    // Binds port 3333 and joins the group on the interface that holds ifaceAddr
    // (the first device's address when null). False when either fails.
    bool Start(const QHostAddress& ifaceAddr = QHostAddress());
    void Stop();

    QList<T_SimDiscoveryRequest> Requests() const { return m_requests; }
    int ReplyCount() const { return m_replies; }
    void ClearLog();

signals:
    void RequestReceived(QString sender, QByteArray payload);

private:
    void OnReadyRead();
    void Flush();
    QUdpSocket* SenderFor(const QHostAddress& addr);

    QList<T_SimDiscoveryDev> m_devs;
    QUdpSocket m_socket;
    QNetworkInterface m_iface;
    QList<T_SimDiscoveryRequest> m_requests;
    QList<QNetworkDatagram> m_outQueue; // sender address = the device's address
    QHash<QString, QUdpSocket*> m_senders;
    QTimer m_retryTimer;
    int m_replies = 0;
    int m_sendRetries = 0;
};

#endif // DEVSIM_SIMDISCOVERY_H
