// The link's connection as a QTcpSocket: on systems without the shared epoll
// set of linksocket_epoll.cpp.
#include "hoi_core/linksocket.h"

#include "hoi_core/sockopt.h"

#include <QNetworkProxy>
#include <QTcpSocket>

namespace {

class CQtLinkSocket : public CLinkSocket
{
public:
    CQtLinkSocket()
    {
        // Devices are on the installation network: never through a proxy of the environment.
        m_socket.setProxy(QNetworkProxy::NoProxy);
        connect(&m_socket, &QTcpSocket::connected, this, &CLinkSocket::Connected);
        connect(&m_socket, &QTcpSocket::readyRead, this, &CQtLinkSocket::TellReadyRead);
        connect(&m_socket, &QTcpSocket::disconnected, this, &CLinkSocket::Disconnected);
        connect(&m_socket, &QTcpSocket::errorOccurred, this, &CLinkSocket::ErrorOccurred);
    }

    void ConnectToHost(const QHostAddress &address, quint16 port) override
    {
        m_socket.connectToHost(address, port, QIODevice::ReadWrite);
    }
    void Abort() override { m_socket.abort(); }
    QAbstractSocket::SocketState State() const override { return m_socket.state(); }
    bool IsValid() const override { return m_socket.isValid(); }
    bool WaitForConnected(int msecs) override { return m_socket.waitForConnected(msecs); }
    qint64 BytesAvailable() const override { return m_socket.bytesAvailable(); }
    QByteArray ReadAll() override
    {
        m_bTaken = true;
        return m_socket.readAll();
    }
    QHostAddress PeerAddress() const override { return m_socket.peerAddress(); }
    quint16 PeerPort() const override { return m_socket.peerPort(); }

    bool Write(const QByteArray &bytes, int msecs) override
    {
        // Straight to the socket while nothing waits in its buffer: a buffered
        // write registers and drops a write notifier per line, and with many
        // open sockets that costs more than the line. What the system does not
        // take at once goes to the socket's buffer, as a buffered write would
        // leave it; when it takes nothing, or fails, the buffered write waits
        // and reports as ever.
        qint64 sent = 0;
        if (!bytes.isEmpty() && m_socket.state() == QAbstractSocket::ConnectedState && m_socket.bytesToWrite() == 0)
            sent = SendOnSocket(m_socket.socketDescriptor(), bytes.constData(), bytes.size());
        if (sent > 0) {
            if (sent < bytes.size())
                m_socket.write(bytes.constData() + sent, bytes.size() - sent);
            return true;
        }
        if (!bytes.isEmpty())
            m_socket.write(bytes);
        return m_socket.waitForBytesWritten(msecs);
    }

private:
    // QTcpSocket tells nothing of what arrives while a listener of readyRead
    // runs a nested event loop (a modal box): told once the listener returns,
    // when it took what was there before.
    void TellReadyRead()
    {
        do {
            m_bTaken = false;
            emit ReadyRead();
        } while (m_bTaken && m_socket.bytesAvailable() > 0);
    }

    QTcpSocket m_socket;
    bool m_bTaken = false;
};

} // namespace

CLinkSocket *CLinkSocket::Create()
{
    return new CQtLinkSocket;
}
