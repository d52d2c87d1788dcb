#include "hoi_core/telnetcomm.h"

#include "hoi_core/sockopt.h"

#include <QDebug>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {
const int kWriteWaitMsecs = 30000;
}

CTelnetComm::CTelnetComm(const QString &paramPrefix, const QString &hostIndex, const QString &ipAddr, quint16 port,
                         QObject *parent)
    : CBaseComm(paramPrefix, hostIndex, parent)
    , m_socket(new QTcpSocket)
    , m_ipAddr(ipAddr)
    , m_port(port)
{
    // Devices are on the installation network: never through a proxy of the environment.
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QTcpSocket::connected, this, &CTelnetComm::slotOnConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &CTelnetComm::slotOnReadData);
    connect(m_socket, &QTcpSocket::disconnected, this, &CTelnetComm::slotOnDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &CTelnetComm::slotOnError);
}

CTelnetComm::~CTelnetComm()
{
    // Nobody listens any more: close quietly.
    m_socket->disconnect(this);
    AbortConnect();
    CBaseComm::CloseComm();
    m_socket->deleteLater();
    m_socket = nullptr;
}

bool CTelnetComm::OpenComm()
{
    if (IsConnected() || IsConnecting())
        return false;
    QHostAddress address;
    if (!address.setAddress(m_ipAddr))
        return false;
    CBaseComm::CloseComm();
    m_socket->connectToHost(address, m_port, QIODevice::ReadWrite);
    return IsConnecting();
}

bool CTelnetComm::CloseComm()
{
    AbortConnect();
    return CBaseComm::CloseComm();
}

bool CTelnetComm::IsConnecting()
{
    if (!m_socket)
        return false;
    const QAbstractSocket::SocketState state = m_socket->state();
    return state == QAbstractSocket::HostLookupState || state == QAbstractSocket::ConnectingState;
}

void CTelnetComm::AbortConnect()
{
    if (!m_socket)
        return;
    qDebug() << "CTelnetComm::AbortConnect";
    m_socket->abort();
}

bool CTelnetComm::IsConnected()
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool CTelnetComm::WaitForConnected(int msecs)
{
    if (m_socket)
        m_socket->waitForConnected(msecs);
    return true;
}

bool CTelnetComm::WriteRaw(const QByteArray &data, bool bAddCRLF)
{
    if (!m_socket || !m_socket->isValid())
        return false;

    m_writing = true;
    const QByteArray bytes = bAddCRLF ? data + "\r\n" : data;
    // Straight to the socket while nothing waits in its buffer: a buffered
    // write registers and drops a write notifier per line, and with many
    // open sockets that costs more than the line. What the system does not
    // take at once goes to the socket's buffer, as a buffered write would
    // leave it; when it takes nothing, or fails, the buffered write waits
    // and reports as ever.
    qint64 sent = 0;
    if (!bytes.isEmpty() && m_socket->state() == QAbstractSocket::ConnectedState && m_socket->bytesToWrite() == 0)
        sent = SendOnSocket(m_socket->socketDescriptor(), bytes.constData(), bytes.size());
    bool written = true;
    if (sent > 0) {
        if (sent < bytes.size())
            m_socket->write(bytes.constData() + sent, bytes.size() - sent);
    } else {
        if (!bytes.isEmpty())
            m_socket->write(bytes);
        written = m_socket->waitForBytesWritten(kWriteWaitMsecs);
    }
    m_writing = false;

    if (written)
        StartTimeOutChecker(m_checkerInterval);
    if (m_readDeferred)
        QTimer::singleShot(0, this, &CTelnetComm::slotOnReadData);
    return written;
}

// Taken at the next OpenComm; an open link stays where it is.
void CTelnetComm::SetHostAddress(const QString &ipAddr)
{
    m_ipAddr = ipAddr;
}

void CTelnetComm::SetPort(quint16 port)
{
    m_port = port;
}

void CTelnetComm::slotOnConnected()
{
    qDebug().noquote() << "Connect succeed: " << m_ipAddr << ":" << m_port;
    // A device that accepts and then says nothing must not hold the queue for
    // ever: the reply time-out covers the login prompt too.
    StartTimeOutChecker(m_checkerInterval);
    emit OnConnected();
}

void CTelnetComm::slotOnDisconnected()
{
    qDebug().noquote() << "Disconnected: " << m_socket->peerAddress().toString() << ":" << m_socket->peerPort();
    const bool bOwnFailure = m_closingOnFailure;
    const bool bSocketError = m_closingOnError;
    CloseComm();
    if (bOwnFailure)
        return;
    emit OnDisconnected();
    // A close asked for from outside (the device went off line) still ends
    // the queued lines, once.
    if (!bSocketError && !m_sendQueue.isEmpty())
        ReportLinkFailure(E_CR_FAILED);
}

void CTelnetComm::slotOnReadData()
{
    if (!m_socket)
        return;
    if (m_writing) {
        m_readDeferred = true;
        return;
    }
    m_readDeferred = false;
    if (m_socket->bytesAvailable() < 1)
        return;
    OnReceiveData(m_socket->readAll());
}

void CTelnetComm::slotOnError(QAbstractSocket::SocketError err)
{
    m_closingOnError = true;
    CloseComm();
    m_closingOnError = false;
    qDebug() << "CTelnetComm::slotOnError" << err << "SendQueueCount = " << m_sendQueue.size();
    if (!m_sendQueue.isEmpty())
        ReportLinkFailure(E_CR_FAILED);
}
