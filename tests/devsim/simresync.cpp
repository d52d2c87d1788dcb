#include "simresync.h"

#include "simdiscovery.h"

#include <QDebug>
#include <QNetworkDatagram>
#include <QNetworkInterface>

namespace {
const char* const kGroup = "226.1.0.0";
}

CSimResync::CSimResync(QObject* parent)
    : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &CSimResync::OnReadyRead);
}

CSimResync::~CSimResync()
{
    Stop();
}

bool CSimResync::Start(const QHostAddress& ifaceAddr)
{
    Stop();
    const QNetworkInterface iface = SimInterfaceOf(ifaceAddr);
    if (!iface.isValid()) {
        qWarning() << "simresync: no interface holds" << ifaceAddr.toString();
        return false;
    }
    // The console binds the same port on the same machine: share it.
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), E_VW_PORT,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        qWarning() << "simresync: bind failed:" << m_socket.errorString();
        return false;
    }
    if (!m_socket.joinMulticastGroup(QHostAddress(QString::fromLatin1(kGroup)), iface)) {
        qWarning() << "simresync: join failed:" << m_socket.errorString();
        m_socket.abort();
        return false;
    }
    return true;
}

void CSimResync::Stop()
{
    m_socket.abort();
}

void CSimResync::OnReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram dgram = m_socket.receiveDatagram();
        if (!dgram.isValid())
            break;
        T_SimResyncMsg msg;
        msg.payload = dgram.data();
        msg.sender = dgram.senderAddress();
        m_msgs.append(msg);
        emit MessageReceived(msg.payload, msg.sender.toString());
    }
}
