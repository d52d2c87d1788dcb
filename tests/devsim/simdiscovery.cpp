#include "simdiscovery.h"

#include <QDebug>

namespace {
const char* const kGroup = "225.1.0.0";
}

QNetworkInterface SimInterfaceOf(const QHostAddress& addr)
{
    const QList<QNetworkInterface> ifaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : ifaces) {
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            if (entry.ip() == addr)
                return iface;
        }
    }
    return QNetworkInterface();
}

QHostAddress SimTestLanAddress(int i)
{
    return QHostAddress(QStringLiteral("10.88.%1.%2").arg(1 + i / 250).arg(1 + i % 250));
}

CSimDiscovery::CSimDiscovery(QObject* parent)
    : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &CSimDiscovery::OnReadyRead);
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(1);
    connect(&m_retryTimer, &QTimer::timeout, this, &CSimDiscovery::Flush);
}

CSimDiscovery::~CSimDiscovery()
{
    Stop();
}

QByteArray CSimDiscovery::BuildReply(const QByteArray& status, const QByteArray& hostName)
{
    QByteArray reply(E_REPLY_SIZE, '\0');
    // Keep a NUL after each text, as the device's C strings have.
    const QByteArray st = status.left(E_HOSTNAME_OFFSET - E_STATUS_OFFSET - 1);
    const QByteArray hn = hostName.left(E_REPLY_SIZE - E_HOSTNAME_OFFSET - 1);
    reply.replace(E_STATUS_OFFSET, st.size(), st);
    reply.replace(E_HOSTNAME_OFFSET, hn.size(), hn);
    return reply;
}

QList<T_SimDiscoveryDev> CSimDiscovery::TestLanFleet(int count, const QByteArray& hostPrefix, const QByteArray& status)
{
    QList<T_SimDiscoveryDev> devs;
    for (int i = 0; i < count; ++i) {
        T_SimDiscoveryDev dev;
        dev.address = SimTestLanAddress(i);
        dev.hostName = hostPrefix + QByteArray::number(i);
        dev.status = status;
        devs.append(dev);
    }
    return devs;
}

int CSimDiscovery::AddDevice(const T_SimDiscoveryDev& dev)
{
    m_devs.append(dev);
    return m_devs.size() - 1;
}

bool CSimDiscovery::Start(const QHostAddress& ifaceAddr)
{
    Stop();
    QHostAddress where = ifaceAddr;
    if (where.isNull() && !m_devs.isEmpty())
        where = m_devs.first().address;
    m_iface = SimInterfaceOf(where);
    if (!m_iface.isValid()) {
        qWarning() << "simdiscovery: no interface holds" << where.toString();
        return false;
    }
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), E_REQUEST_PORT,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        qWarning() << "simdiscovery: bind failed:" << m_socket.errorString();
        return false;
    }
    if (!m_socket.joinMulticastGroup(QHostAddress(QString::fromLatin1(kGroup)), m_iface)) {
        qWarning() << "simdiscovery: join failed:" << m_socket.errorString();
        m_socket.abort();
        return false;
    }
    return true;
}

void CSimDiscovery::Stop()
{
    m_retryTimer.stop();
    m_outQueue.clear();
    m_socket.abort();
    qDeleteAll(m_senders);
    m_senders.clear();
}

QUdpSocket* CSimDiscovery::SenderFor(const QHostAddress& addr)
{
    // Qt cannot pick a datagram's source address on Linux, so each device gets a
    // socket bound to its own address, made on its first reply.
    const QString key = addr.toString();
    QUdpSocket* pSender = m_senders.value(key);
    if (pSender)
        return pSender;
    pSender = new QUdpSocket(this);
    if (!pSender->bind(addr, 0)) {
        qWarning() << "simdiscovery: cannot bind" << key << pSender->errorString();
        delete pSender;
        return nullptr;
    }
    m_senders.insert(key, pSender);
    return pSender;
}

void CSimDiscovery::ClearLog()
{
    m_requests.clear();
    m_replies = 0;
}

void CSimDiscovery::OnReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram req = m_socket.receiveDatagram();
        if (!req.isValid())
            break;
        T_SimDiscoveryRequest logged;
        logged.sender = req.senderAddress();
        logged.port = static_cast<quint16>(req.senderPort());
        logged.payload = req.data();
        m_requests.append(logged);
        emit RequestReceived(logged.sender.toString(), logged.payload);

        for (const T_SimDiscoveryDev& dev : qAsConst(m_devs)) {
            if (!dev.on)
                continue;
            QNetworkDatagram reply(dev.rawReply.isEmpty() ? BuildReply(dev.status, dev.hostName) : dev.rawReply,
                                   logged.sender, E_REPLY_PORT);
            reply.setSender(dev.address);
            m_outQueue.append(reply);
        }
    }
    Flush();
}

void CSimDiscovery::Flush()
{
    while (!m_outQueue.isEmpty()) {
        const QNetworkDatagram& reply = m_outQueue.first();
        QUdpSocket* pSender = SenderFor(reply.senderAddress());
        if (!pSender) {
            qWarning() << "simdiscovery: reply dropped: cannot send from" << reply.senderAddress().toString();
        } else if (pSender->writeDatagram(reply.data(), reply.destinationAddress(),
                                          static_cast<quint16>(reply.destinationPort())) < 0) {
            // Most likely a full send buffer: try again shortly rather than lose the
            // reply, but give up on one that keeps failing.
            if (pSender->error() != QAbstractSocket::DatagramTooLargeError && ++m_sendRetries <= E_MAX_RETRIES) {
                m_retryTimer.start();
                return;
            }
            qWarning() << "simdiscovery: reply dropped:" << pSender->errorString();
        } else {
            ++m_replies;
        }
        m_sendRetries = 0;
        m_outQueue.removeFirst();
    }
}
