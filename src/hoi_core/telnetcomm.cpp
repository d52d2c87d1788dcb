#include "hoi_core/telnetcomm.h"

#include "hoi_core/linksocket.h"

#include <QDebug>
#include <QHostAddress>
#include <QTimer>

namespace {
const int kWriteWaitMsecs = 30000;
}

CTelnetComm::CTelnetComm(const QString &paramPrefix, const QString &hostIndex, const QString &ipAddr, quint16 port,
                         QObject *parent)
    : CBaseComm(paramPrefix, hostIndex, parent)
    , m_socket(CLinkSocket::Create())
    , m_ipAddr(ipAddr)
    , m_port(port)
{
    connect(m_socket, &CLinkSocket::Connected, this, &CTelnetComm::slotOnConnected);
    connect(m_socket, &CLinkSocket::ReadyRead, this, &CTelnetComm::slotOnReadData);
    connect(m_socket, &CLinkSocket::Disconnected, this, &CTelnetComm::slotOnDisconnected);
    connect(m_socket, &CLinkSocket::ErrorOccurred, this, &CTelnetComm::slotOnError);
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
    m_socket->ConnectToHost(address, m_port);
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
    const QAbstractSocket::SocketState state = m_socket->State();
    return state == QAbstractSocket::HostLookupState || state == QAbstractSocket::ConnectingState;
}

void CTelnetComm::AbortConnect()
{
    if (!m_socket)
        return;
    qDebug() << "CTelnetComm::AbortConnect";
    m_socket->Abort();
}

bool CTelnetComm::IsConnected()
{
    return m_socket && m_socket->State() == QAbstractSocket::ConnectedState;
}

bool CTelnetComm::WaitForConnected(int msecs)
{
    if (m_socket)
        m_socket->WaitForConnected(msecs);
    return true;
}

bool CTelnetComm::WriteRaw(const QByteArray &data, bool bAddCRLF)
{
    if (!m_socket || !m_socket->IsValid())
        return false;

    m_writing = true;
    const bool written = m_socket->Write(bAddCRLF ? data + "\r\n" : data, kWriteWaitMsecs);
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
    qDebug().noquote() << "Disconnected: " << m_socket->PeerAddress().toString() << ":" << m_socket->PeerPort();
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
    if (m_socket->BytesAvailable() < 1)
        return;
    OnReceiveData(m_socket->ReadAll());
}

void CTelnetComm::slotOnError(QAbstractSocket::SocketError err)
{
    if (err == QAbstractSocket::RemoteHostClosedError)
        TakeRestBeforeClose();
    m_closingOnError = true;
    CloseComm();
    m_closingOnError = false;
    qDebug() << "CTelnetComm::slotOnError" << err << "SendQueueCount = " << m_sendQueue.size();
    if (!m_sendQueue.isEmpty())
        ReportLinkFailure(E_CR_FAILED);
}
