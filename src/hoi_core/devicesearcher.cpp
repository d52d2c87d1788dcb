#include "hoi_core/devicesearcher.h"

#include "hoi_core/sockopt.h"

#include <QDebug>
#include <QNetworkProxy>
#include <QPair>
#include <QSet>

#include <cstring>

const char* const QDeviceSearcher::s_szGroup = "225.1.0.0";

namespace {

// One sender for every searcher of the process, kept until exit.
QUdpSocket* SharedSender()
{
    static QUdpSocket* s_pSender = nullptr;
    if (!s_pSender) {
        s_pSender = new QUdpSocket();
        s_pSender->setProxy(QNetworkProxy::NoProxy);
    }
    return s_pSender;
}

// Text up to the first NUL byte, never past the end of the buffer.
QByteArray CText(const char* pBuf, int iSize, int iOffset)
{
    if (iOffset >= iSize)
        return QByteArray();
    const char* pStart = pBuf + iOffset;
    const int iMax = iSize - iOffset;
    int iLen = 0;
    while (iLen < iMax && pStart[iLen] != '\0')
        ++iLen;
    return QByteArray(pStart, iLen);
}

} // namespace

QList<T_McastSource> ListMulticastSources()
{
    QList<T_McastSource> sources;
    QSet<QPair<int, QString>> used;
    const QList<QNetworkInterface> ifaces = QNetworkInterface::allInterfaces();
    for (int i = 0; i < ifaces.size(); ++i) {
        const QNetworkInterface& iface = ifaces.at(i);
        if (!(iface.flags() & QNetworkInterface::IsRunning))
            continue;
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol || ip == QHostAddress(QHostAddress::LocalHost)
                || ip == QHostAddress(QHostAddress::AnyIPv4))
                continue;
            const QPair<int, QString> key(i, entry.broadcast().toString());
            if (used.contains(key))
                continue;
            used.insert(key);
            sources.append(T_McastSource{iface, ip});
        }
    }
    return sources;
}

bool BindMulticastSender(QUdpSocket* pSocket, const T_McastSource& src)
{
    pSocket->abort();
    if (!pSocket->bind(src.addr, 0)) {
        qDebug() << "bind" << src.addr.toString() << "failed:" << pSocket->errorString();
        return false;
    }
    pSocket->setMulticastInterface(src.iface);
    return true;
}

bool SendMulticastFrom(QUdpSocket* pSocket, const T_McastSource& src, const QByteArray& payload,
                       const QHostAddress& group, quint16 port)
{
    return BindMulticastSender(pSocket, src) && pSocket->writeDatagram(payload, group, port) == payload.size();
}

QDeviceSearcher::QDeviceSearcher(int iTotal, QObject* parent)
    : QObject(parent)
    , m_total(iTotal)
{
    connect(&m_repeatTimer, &QTimer::timeout, this, [this]() { slotDoSearch(false); });
    // A proxy of the environment cannot carry datagrams: bind directly.
    m_udpSocket.setProxy(QNetworkProxy::NoProxy);
    // While replies wait unread the socket tells no more of them, so a
    // round's replies cost a few wake-ups, not one each.
    m_gatherTimer.setSingleShot(true);
    m_gatherTimer.setTimerType(Qt::PreciseTimer);
    m_gatherTimer.setInterval(E_GATHER_MS);
    connect(&m_gatherTimer, &QTimer::timeout, this, &QDeviceSearcher::slotOnUdpReady);
    connect(&m_udpSocket, &QUdpSocket::readyRead, &m_gatherTimer, [this]() {
        if (!m_gatherTimer.isActive())
            m_gatherTimer.start();
    });
    m_doneTimer.setSingleShot(true);
    connect(&m_doneTimer, &QTimer::timeout, this, &QDeviceSearcher::slotSearchDone);
}

QDeviceSearcher::~QDeviceSearcher()
{
    Stop();
}

void QDeviceSearcher::Start()
{
    m_busy = 1;
    m_foundHosts.clear();
    m_repeatTimer.stop();
    m_doneTimer.stop();
    m_gatherTimer.stop();
    m_udpSocket.abort();

    m_udpSocket.bind(QHostAddress(QHostAddress::AnyIPv4), E_REPLY_PORT, QUdpSocket::ReuseAddressHint);

    // A whole fleet answers each request at once: make room for every reply.
    const qintptr iSocket = m_udpSocket.socketDescriptor();
    int iSize = 0;
    int iRet = GetSocketRecvBufSize(iSocket, &iSize);
    qDebug() << "old udpSocke size:" << iSize << "    error:" << iRet;
    iRet = SetSocketRecvBufSize(iSocket, E_RECV_BUF_SIZE);
    GetSocketRecvBufSize(iSocket, &iSize);
    qDebug() << "Set new udpSocke size result:" << iRet << "    size is:" << iSize;

    slotDoSearch(true);
}

void QDeviceSearcher::Stop()
{
    m_repeatTimer.stop();
    m_doneTimer.stop();
    m_gatherTimer.stop();
    m_udpSocket.abort();
    m_busy = 0;
}

void QDeviceSearcher::slotDoSearch(bool bFirstCall)
{
    if (bFirstCall)
        m_current = 0;
    if (m_current >= m_total) {
        // Replies still gathering came in time.
        slotOnUdpReady();
        slotSearchDone();
        return;
    }

    static const QByteArray request(8, '\0');
    const QHostAddress group(QString::fromLatin1(s_szGroup));
    QStringList addrs;
    const QList<T_McastSource> sources = ListMulticastSources();
    for (const T_McastSource& src : sources) {
        addrs.append(src.addr.toString());
        m_busy = 1;
        SendMulticastFrom(SharedSender(), src, request, group, E_REQUEST_PORT);
    }
    ++m_current;

    if (bFirstCall) {
        if (addrs.isEmpty())
            m_doneTimer.start(E_NO_IFACE_DELAY);
        else
            m_repeatTimer.start(m_roundInterval);
    }
    emit OnStartBroadcast(m_total, m_current, addrs.join(QLatin1Char(',')));
}

void QDeviceSearcher::slotSearchDone()
{
    Stop();
    emit OnStop();
}

void QDeviceSearcher::slotOnUdpReady()
{
    m_gatherTimer.stop();
    while (m_udpSocket.hasPendingDatagrams()) {
        char buf[E_REPLY_SIZE];
        memset(buf, 0, sizeof(buf));
        QHostAddress sender;
        // Longer replies are cut to the buffer; the rest of the datagram is dropped.
        if (m_udpSocket.readDatagram(buf, sizeof(buf), &sender) < 0)
            break;
        const QByteArray strStatus = CText(buf, sizeof(buf), E_STATUS_OFFSET);
        const QByteArray strHostName = CText(buf, sizeof(buf), E_HOSTNAME_OFFSET);
        const QString strKey = QString::fromLatin1(strHostName);
        if (m_foundHosts.contains(strKey))
            continue;
        m_foundHosts.insert(strKey);
        emit OnFoundDevice(QString(), sender.toString().toLatin1(), strHostName, strStatus);
    }
}
