// The link's connection on Linux: a non-blocking descriptor in an epoll set
// shared by every link socket of the thread. The event loop watches the set
// through one notifier, so a wake-up polls a handful of descriptors however
// many links are open, and a turn handles only the sockets that are ready.
// A QTcpSocket registers a notifier of its own, and the event loop polls
// every one of them on every wake-up.
#include "hoi_core/linksocket.h"

#include "hoi_core/sockopt.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimerEvent>

#include <cerrno>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// QAbstractSocket gives up a connection attempt after as long.
const int kConnectTimeoutMs = 30000;
// Events taken from the set per turn of the event loop; more wait for the
// next turn, so that one turn stays short.
const int kEventsPerTurn = 256;
// A read takes at most this much at once (a reply is rarely a tenth of
// it), and a ready socket is read at most so many times a turn.
const int kReadChunk = 64 * 1024;
const int kReadsPerEvent = 4;

class CEpollLinkSocket;

// The epoll set of one thread's link sockets, watched by the thread's event
// loop through one notifier. Sockets are known by a slot number and the
// slot's generation, so that an event taken from the set for a socket closed
// earlier in the same turn (its descriptor maybe reused since) goes nowhere.
class CLinkReactor
{
public:
    static CLinkReactor *Acquire();
    void Release();

    bool Add(CEpollLinkSocket *pSocket, int fd, quint32 events, quint64 *pHandle);
    void Modify(quint64 handle, int fd, quint32 events);
    void Remove(quint64 handle, int fd);
    char *ReadBuffer() { return m_readBuffer.data(); }

private:
    CLinkReactor();
    ~CLinkReactor();
    void Dispatch();

    struct T_Slot
    {
        CEpollLinkSocket *pSocket = nullptr;
        quint32 generation = 1; // a handle is never 0
    };

    int m_epollFd = -1;
    QSocketNotifier *m_pNotifier = nullptr;
    std::vector<T_Slot> m_slots;
    std::vector<quint32> m_freeSlots;
    std::vector<char> m_readBuffer;
    int m_users = 0;
    int m_dispatchDepth = 0; // a listener may run a nested event loop

    static thread_local CLinkReactor *t_pReactor;
};

thread_local CLinkReactor *CLinkReactor::t_pReactor = nullptr;

class CEpollLinkSocket : public CLinkSocket
{
public:
    ~CEpollLinkSocket() override;

    void ConnectToHost(const QHostAddress &address, quint16 port) override;
    void Abort() override;
    QAbstractSocket::SocketState State() const override { return m_state; }
    bool IsValid() const override { return m_fd >= 0; }
    bool WaitForConnected(int msecs) override;
    qint64 BytesAvailable() const override { return m_readBuffer.size(); }
    QByteArray ReadAll() override;
    bool Write(const QByteArray &bytes, int msecs) override;
    QHostAddress PeerAddress() const override { return m_peerAddress; }
    quint16 PeerPort() const override { return m_peerPort; }

    // From the reactor: what epoll reported for the descriptor.
    void OnEvents(quint32 events);

protected:
    void timerEvent(QTimerEvent *pEvent) override;

private:
    // Made before a signal: the code after it learns whether a listener
    // closed, reconnected or deleted the socket meanwhile, without touching
    // a deleted socket.
    class CWatch
    {
    public:
        explicit CWatch(CEpollLinkSocket *pSocket)
            : m_pSocket(pSocket)
            , m_pOuter(pSocket->m_pWatches)
        {
            pSocket->m_pWatches = this;
        }
        ~CWatch()
        {
            if (m_pSocket)
                m_pSocket->m_pWatches = m_pOuter;
        }
        CWatch(const CWatch &) = delete;
        CWatch &operator=(const CWatch &) = delete;
        bool Same() const { return m_pSocket != nullptr; }

    private:
        friend class CEpollLinkSocket;
        CEpollLinkSocket *m_pSocket;
        CWatch *m_pOuter;
    };

    // The ReadyRead being told, on the stack of EmitReadyRead: what happened
    // under it, usually nothing. A listener that runs a nested event loop
    // gets no second ReadyRead inside the first: what arrives meanwhile is
    // told once it returns, and a close read while bytes wait to be taken
    // only after that.
    enum E_Telling : quint8 {
        E_TELL_MORE = 1,
        E_TELL_CLOSE_HELD = 2,
        E_TELL_ENDED = 4, // the connection ended, or the socket is gone
    };
    struct T_Telling
    {
        quint8 flags = 0;
    };

    void TestConnection();
    bool ReadAvailable();
    bool EmitReadyRead();
    void HoldClose(QAbstractSocket::SocketError err);
    void EndSession();
    bool Flush();
    void WatchWrites(bool bWatch);
    void CloseDescriptor();
    void FailConnecting(QAbstractSocket::SocketError err);
    void Fail(QAbstractSocket::SocketError err);
    bool WaitWritable(const QDeadlineTimer &deadline);

    CLinkReactor *m_pReactor = nullptr;
    int m_fd = -1;
    quint64 m_handle = 0; // in the reactor's set: not 0
    bool m_watchingWrites = false;
    // Those on the stack, innermost first, and the ReadyRead being told:
    // ended at every connect and close.
    CWatch *m_pWatches = nullptr;
    T_Telling *m_pTelling = nullptr;
    QAbstractSocket::SocketError m_heldError = QAbstractSocket::RemoteHostClosedError;
    int m_connectTimerId = 0;
    QAbstractSocket::SocketState m_state = QAbstractSocket::UnconnectedState;
    QHostAddress m_peerAddress;
    quint16 m_peerPort = 0;
    QByteArray m_readBuffer;
    QByteArray m_writeBuffer;
};

// What a connected socket waits for.
quint32 Interest(bool bWrites)
{
    return bWrites ? quint32(EPOLLIN | EPOLLOUT) : quint32(EPOLLIN);
}

// The error QAbstractSocket reports for the errno of a connection attempt.
QAbstractSocket::SocketError ConnectError(int err)
{
    switch (err) {
    case ECONNREFUSED:
    case EINVAL:
        return QAbstractSocket::ConnectionRefusedError;
    case EACCES:
    case EPERM:
        return QAbstractSocket::SocketAccessError;
    case EAFNOSUPPORT:
    case EBADF:
    case EFAULT:
    case ENOTSOCK:
        return QAbstractSocket::UnsupportedSocketOperationError;
    case EMFILE:
    case ENFILE:
    case ENOBUFS:
    case ENOMEM:
        return QAbstractSocket::SocketResourceError;
    default:
        return QAbstractSocket::NetworkError;
    }
}

// ... and for the errno of a read or a write on a connected socket.
QAbstractSocket::SocketError TransferError(int err)
{
    return (err == ECONNRESET || err == EPIPE) ? QAbstractSocket::RemoteHostClosedError
                                               : QAbstractSocket::NetworkError;
}

// ... and for a read that ended the connection: errno, or 0 for the peer's close.
QAbstractSocket::SocketError CloseError(int err)
{
    return err != 0 ? TransferError(err) : QAbstractSocket::RemoteHostClosedError;
}

// ---------------------------------------------------------------------------

CLinkReactor::CLinkReactor()
    : m_readBuffer(kReadChunk)
{
    m_epollFd = ::epoll_create1(EPOLL_CLOEXEC);
    if (m_epollFd >= 0) {
        m_pNotifier = new QSocketNotifier(m_epollFd, QSocketNotifier::Read);
        QObject::connect(m_pNotifier, &QSocketNotifier::activated, m_pNotifier, [this] { Dispatch(); });
    }
}

CLinkReactor::~CLinkReactor()
{
    if (m_pNotifier) {
        m_pNotifier->disconnect();
        if (m_dispatchDepth > 0) {
            // Inside its own signal: it goes once that has returned.
            m_pNotifier->setEnabled(false);
            m_pNotifier->deleteLater();
        } else {
            delete m_pNotifier;
        }
    }
    if (m_epollFd >= 0)
        ::close(m_epollFd);
}

CLinkReactor *CLinkReactor::Acquire()
{
    if (!t_pReactor)
        t_pReactor = new CLinkReactor;
    ++t_pReactor->m_users;
    return t_pReactor;
}

void CLinkReactor::Release()
{
    // A socket closed by a listener of the reactor's own turn: the turn ends first.
    if (--m_users == 0 && m_dispatchDepth == 0) {
        t_pReactor = nullptr;
        delete this;
    }
}

bool CLinkReactor::Add(CEpollLinkSocket *pSocket, int fd, quint32 events, quint64 *pHandle)
{
    if (m_epollFd < 0)
        return false;
    quint32 index;
    if (!m_freeSlots.empty()) {
        index = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        index = quint32(m_slots.size());
        m_slots.emplace_back();
    }
    T_Slot &slot = m_slots[index];
    slot.pSocket = pSocket;
    const quint64 handle = (quint64(slot.generation) << 32) | index;
    epoll_event ev {};
    ev.events = events;
    ev.data.u64 = handle;
    if (::epoll_ctl(m_epollFd, EPOLL_CTL_ADD, fd, &ev) != 0) {
        slot.pSocket = nullptr;
        ++slot.generation;
        m_freeSlots.push_back(index);
        return false;
    }
    *pHandle = handle;
    return true;
}

void CLinkReactor::Modify(quint64 handle, int fd, quint32 events)
{
    epoll_event ev {};
    ev.events = events;
    ev.data.u64 = handle;
    ::epoll_ctl(m_epollFd, EPOLL_CTL_MOD, fd, &ev);
}

void CLinkReactor::Remove(quint64 handle, int fd)
{
    ::epoll_ctl(m_epollFd, EPOLL_CTL_DEL, fd, nullptr);
    const quint32 index = quint32(handle);
    T_Slot &slot = m_slots[index];
    slot.pSocket = nullptr;
    ++slot.generation;
    m_freeSlots.push_back(index);
}

void CLinkReactor::Dispatch()
{
    epoll_event events[kEventsPerTurn];
    const int n = ::epoll_wait(m_epollFd, events, kEventsPerTurn, 0);
    ++m_dispatchDepth;
    for (int i = 0; i < n; ++i) {
        const quint64 handle = events[i].data.u64;
        const quint32 index = quint32(handle);
        // Looked up afresh each time: a listener may open sockets meanwhile.
        if (index < m_slots.size() && m_slots[index].generation == quint32(handle >> 32)
            && m_slots[index].pSocket)
            m_slots[index].pSocket->OnEvents(events[i].events);
    }
    if (m_dispatchDepth == 1 && m_users == 0) {
        t_pReactor = nullptr;
        delete this;
        return;
    }
    --m_dispatchDepth;
}

// ---------------------------------------------------------------------------

CEpollLinkSocket::~CEpollLinkSocket()
{
    // Also ends the watches of a signal under which the socket is deleted.
    CloseDescriptor();
    if (m_pReactor)
        m_pReactor->Release();
}

void CEpollLinkSocket::ConnectToHost(const QHostAddress &address, quint16 port)
{
    if (m_state != QAbstractSocket::UnconnectedState)
        return;
    if (!m_pReactor)
        m_pReactor = CLinkReactor::Acquire();

    sockaddr_storage storage {};
    socklen_t len = 0;
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *pAddr = reinterpret_cast<sockaddr_in6 *>(&storage);
        pAddr->sin6_family = AF_INET6;
        pAddr->sin6_port = htons(port);
        const Q_IPV6ADDR ip6 = address.toIPv6Address();
        std::memcpy(&pAddr->sin6_addr, &ip6, sizeof(ip6));
        len = sizeof(sockaddr_in6);
    } else {
        auto *pAddr = reinterpret_cast<sockaddr_in *>(&storage);
        pAddr->sin_family = AF_INET;
        pAddr->sin_port = htons(port);
        pAddr->sin_addr.s_addr = htonl(address.toIPv4Address());
        len = sizeof(sockaddr_in);
    }

    EndSession();
    m_peerAddress = address;
    m_peerPort = port;
    m_state = QAbstractSocket::ConnectingState;
    m_fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        FailConnecting(ConnectError(errno));
        return;
    }
    int ret;
    do {
        ret = ::connect(m_fd, reinterpret_cast<sockaddr *>(&storage), len);
    } while (ret != 0 && errno == EINTR);
    if (ret != 0 && errno != EINPROGRESS) {
        FailConnecting(ConnectError(errno));
        return;
    }
    // Even a connection made at once is reported from the event loop.
    if (!m_pReactor->Add(this, m_fd, EPOLLOUT, &m_handle)) {
        FailConnecting(QAbstractSocket::SocketResourceError);
        return;
    }
    m_watchingWrites = true;
    m_connectTimerId = startTimer(kConnectTimeoutMs);
}

void CEpollLinkSocket::Abort()
{
    if (m_state == QAbstractSocket::UnconnectedState)
        return;
    const bool bWasConnected = m_state == QAbstractSocket::ConnectedState;
    CloseDescriptor();
    m_state = QAbstractSocket::UnconnectedState;
    // As QAbstractSocket: the peer is still known while the disconnection is told.
    if (bWasConnected) {
        const CWatch watch(this);
        emit Disconnected();
        if (!watch.Same())
            return;
    }
    m_peerAddress.clear();
    m_peerPort = 0;
}

bool CEpollLinkSocket::WaitForConnected(int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (m_state == QAbstractSocket::ConnectingState) {
        if (!WaitWritable(deadline)) {
            // As QAbstractSocket: a wait that runs out drops the attempt unreported.
            CloseDescriptor();
            m_state = QAbstractSocket::UnconnectedState;
            m_peerAddress.clear();
            m_peerPort = 0;
            break;
        }
        const CWatch watch(this);
        TestConnection();
        if (!watch.Same())
            return false;
    }
    return m_state == QAbstractSocket::ConnectedState;
}

QByteArray CEpollLinkSocket::ReadAll()
{
    QByteArray data;
    data.swap(m_readBuffer);
    return data;
}

bool CEpollLinkSocket::Write(const QByteArray &bytes, int msecs)
{
    if (m_fd < 0)
        return false;
    const QDeadlineTimer deadline(msecs);
    if (m_state == QAbstractSocket::ConnectingState && !WaitForConnected(int(deadline.remainingTime())))
        return false;
    if (m_writeBuffer.isEmpty()) {
        if (bytes.isEmpty())
            return false;
        const qint64 sent = SendOnSocket(m_fd, bytes.constData(), bytes.size());
        if (sent < 0) {
            Fail(TransferError(errno));
            return false;
        }
        if (sent == bytes.size())
            return true;
        m_writeBuffer = bytes.mid(int(sent));
        WatchWrites(true);
        if (sent > 0)
            return true;
    } else {
        m_writeBuffer += bytes;
    }
    // Nothing of it taken: wait, as a buffered QTcpSocket write does, until
    // the system takes some.
    const int sizeBefore = m_writeBuffer.size();
    while (m_writeBuffer.size() == sizeBefore) {
        if (!WaitWritable(deadline))
            return false;
        if (!Flush())
            return false;
    }
    return true;
}

void CEpollLinkSocket::OnEvents(quint32 events)
{
    if (m_state == QAbstractSocket::ConnectingState) {
        TestConnection();
        return;
    }
    if (m_state != QAbstractSocket::ConnectedState)
        return;
    if ((events & (EPOLLIN | EPOLLHUP | EPOLLERR)) && !ReadAvailable())
        return;
    if (events & EPOLLOUT)
        Flush();
}

void CEpollLinkSocket::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() != m_connectTimerId) {
        CLinkSocket::timerEvent(pEvent);
        return;
    }
    killTimer(m_connectTimerId);
    m_connectTimerId = 0;
    if (m_state == QAbstractSocket::ConnectingState)
        FailConnecting(QAbstractSocket::SocketTimeoutError);
}

void CEpollLinkSocket::TestConnection()
{
    int err = 0;
    socklen_t len = sizeof(err);
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
        err = errno;
    if (err != 0) {
        FailConnecting(ConnectError(err));
        return;
    }
    // No error yet is not yet a connection.
    sockaddr_storage peer {};
    socklen_t peerLen = sizeof(peer);
    if (::getpeername(m_fd, reinterpret_cast<sockaddr *>(&peer), &peerLen) != 0)
        return;
    if (m_connectTimerId) {
        killTimer(m_connectTimerId);
        m_connectTimerId = 0;
    }
    m_state = QAbstractSocket::ConnectedState;
    m_watchingWrites = !m_writeBuffer.isEmpty();
    m_pReactor->Modify(m_handle, m_fd, Interest(m_watchingWrites));
    emit Connected();
}

// False when the connection ended here or under a signal told from here.
bool CEpollLinkSocket::ReadAvailable()
{
    char *pBuffer = m_pReactor->ReadBuffer();
    int err = 0;
    bool bClosed = false;
    bool bRead = false;
    // A device that sends without pause has the rest read in later turns.
    for (int i = 0; i < kReadsPerEvent; ++i) {
        const ssize_t n = ::recv(m_fd, pBuffer, kReadChunk, 0);
        if (n > 0) {
            m_readBuffer.append(pBuffer, int(n));
            bRead = true;
            if (n < kReadChunk)
                break;
            continue;
        }
        if (n == 0) {
            bClosed = true;
            break;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            err = errno;
            bClosed = true;
        }
        break;
    }
    // What came before a close is read first, as from a QTcpSocket, even
    // when the listener was told of it and has not read it yet.
    if (m_pTelling) {
        if (bRead)
            m_pTelling->flags |= E_TELL_MORE;
        if (bClosed && !m_readBuffer.isEmpty()) {
            HoldClose(CloseError(err));
            return false;
        }
    } else if (bRead && !EmitReadyRead()) {
        return false;
    }
    if (!bClosed)
        return true;
    Fail(CloseError(err));
    return false;
}

// False when the connection ended under the signal.
bool CEpollLinkSocket::EmitReadyRead()
{
    T_Telling telling;
    m_pTelling = &telling;
    for (;;) {
        emit ReadyRead();
        if (telling.flags == 0) {
            m_pTelling = nullptr;
            return true;
        }
        // Closed, reconnected or deleted: the telling ended with its connection.
        if (telling.flags & E_TELL_ENDED)
            return false;
        // Told again only while bytes wait: the listener may have taken
        // them in its loop.
        if (!(telling.flags & E_TELL_MORE) || m_readBuffer.isEmpty())
            break;
        telling.flags &= ~E_TELL_MORE;
    }
    m_pTelling = nullptr;
    if (!(telling.flags & E_TELL_CLOSE_HELD))
        return true;
    Fail(m_heldError);
    return false;
}

// A close read while bytes wait to be told: the descriptor leaves the set,
// so that the nested loop is not woken for it again, and stays open until
// the close is reported.
void CEpollLinkSocket::HoldClose(QAbstractSocket::SocketError err)
{
    m_pTelling->flags |= E_TELL_CLOSE_HELD;
    m_heldError = err;
    m_pReactor->Remove(m_handle, m_fd);
    m_handle = 0;
    m_watchingWrites = false;
}

bool CEpollLinkSocket::Flush()
{
    while (!m_writeBuffer.isEmpty()) {
        const qint64 sent = SendOnSocket(m_fd, m_writeBuffer.constData(), m_writeBuffer.size());
        if (sent < 0) {
            Fail(TransferError(errno));
            return false;
        }
        if (sent == 0)
            return true;
        m_writeBuffer.remove(0, int(sent));
    }
    WatchWrites(false);
    return true;
}

void CEpollLinkSocket::WatchWrites(bool bWatch)
{
    if (bWatch == m_watchingWrites || !m_handle || m_state != QAbstractSocket::ConnectedState)
        return;
    m_watchingWrites = bWatch;
    m_pReactor->Modify(m_handle, m_fd, Interest(bWatch));
}

void CEpollLinkSocket::EndSession()
{
    for (CWatch *pWatch = m_pWatches; pWatch; pWatch = pWatch->m_pOuter)
        pWatch->m_pSocket = nullptr;
    m_pWatches = nullptr;
    if (m_pTelling) {
        m_pTelling->flags |= E_TELL_ENDED;
        m_pTelling = nullptr;
    }
}

void CEpollLinkSocket::CloseDescriptor()
{
    EndSession();
    if (m_connectTimerId) {
        killTimer(m_connectTimerId);
        m_connectTimerId = 0;
    }
    if (m_fd >= 0) {
        if (m_handle)
            m_pReactor->Remove(m_handle, m_fd);
        ::close(m_fd);
    }
    m_fd = -1;
    m_handle = 0;
    m_watchingWrites = false;
    m_readBuffer.clear();
    m_writeBuffer.clear();
}

void CEpollLinkSocket::FailConnecting(QAbstractSocket::SocketError err)
{
    CloseDescriptor();
    m_state = QAbstractSocket::UnconnectedState;
    m_peerAddress.clear();
    m_peerPort = 0;
    emit ErrorOccurred(err);
}

void CEpollLinkSocket::Fail(QAbstractSocket::SocketError err)
{
    // As QAbstractSocket: the error while still connected, then, unless a
    // listener has aborted meanwhile, the disconnection.
    CloseDescriptor();
    const CWatch watch(this);
    emit ErrorOccurred(err);
    if (watch.Same())
        Abort();
}

bool CEpollLinkSocket::WaitWritable(const QDeadlineTimer &deadline)
{
    pollfd pfd {};
    pfd.fd = m_fd;
    pfd.events = POLLOUT;
    for (;;) {
        const int ret = ::poll(&pfd, 1, int(deadline.remainingTime()));
        if (ret > 0)
            return true;
        if (ret == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

CLinkSocket *CLinkSocket::Create()
{
    return new CEpollLinkSocket;
}
