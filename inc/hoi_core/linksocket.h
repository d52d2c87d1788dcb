#ifndef HOI_LINKSOCKET_H
#define HOI_LINKSOCKET_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QObject>

// The TCP connection under a device link, with the part of QTcpSocket the
// link uses: the same states, and the same signals in the same order (an
// abort of a connected socket reports the disconnection at once, a peer's
// close reports the error first and then the disconnection), but while a
// listener of ReadyRead runs a nested event loop (a modal box):
// - what arrives meanwhile is told by a ReadyRead once it returns, when
//   bytes are still there (a QTcpSocket waits for the next data);
// - on Linux, a close read while bytes wait to be taken is held until then,
//   so a loop waiting for the close runs to its own limit (a QTcpSocket
//   reports it in the loop and keeps the bytes readable).
//
// Each system has its own (chosen by the build): on Linux the device
// sockets of a thread share one epoll set that the event loop watches
// through a single notifier, so that a wake-up of the window's thread costs
// the same whatever the number of open links; elsewhere a QTcpSocket, which
// registers a notifier of its own with the event loop.
class CLinkSocket : public QObject
{
    Q_OBJECT

public:
    static CLinkSocket *Create();
    ~CLinkSocket() override = default;

    // Starts connecting; a refusal known at once is reported at once.
    virtual void ConnectToHost(const QHostAddress &address, quint16 port) = 0;
    // Drops the connection and what waits to be sent; Disconnected() comes
    // from here when the socket was connected.
    virtual void Abort() = 0;
    virtual QAbstractSocket::SocketState State() const = 0;
    // Has a descriptor: connecting or connected.
    virtual bool IsValid() const = 0;
    // Blocks until connected, failed (reported) or msecs passed (then closed
    // silently); true when connected.
    virtual bool WaitForConnected(int msecs) = 0;
    virtual qint64 BytesAvailable() const = 0;
    virtual QByteArray ReadAll() = 0;
    // Sends the bytes; what the system does not take at once follows when it
    // can. Waits up to msecs only while it takes nothing at all. False when
    // nothing went in that time or the socket failed (reported first).
    virtual bool Write(const QByteArray &bytes, int msecs) = 0;
    virtual QHostAddress PeerAddress() const = 0;
    virtual quint16 PeerPort() const = 0;

signals:
    void Connected();
    void ReadyRead();
    void Disconnected();
    void ErrorOccurred(QAbstractSocket::SocketError err);

protected:
    CLinkSocket() = default;
};

#endif // HOI_LINKSOCKET_H
