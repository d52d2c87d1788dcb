// The link's connection itself, whichever the build picks, against plain
// servers on 127.0.0.1: the signals of a QTcpSocket in the same order.
#include "hoi_core/linksocket.h"
#include "simunansweredport.h"

#include <QHash>
#include <QPointer>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <sys/socket.h>

namespace {

enum E_Case {
    E_BLOCKING_CONNECT,
    E_REFUSED,
    E_NO_ANSWER,
    E_PEER_CLOSE,       // the peer sends a whole read and closes: both taken in one turn
    E_PEER_CLOSE_ABORTED, // ... and the listener of the error aborts
    E_PEER_WHOLE_READ,  // the peer sends what one read of the socket takes, and stays
    E_PEER_RESET,
    E_ABORT,
    E_ABORT_RECONNECT,  // the listener of the disconnection connects again
    E_LARGE_WRITES,     // larger than the system's buffers, to a reader of its own thread
    E_NESTED_CLOSE,     // under the first ReadyRead the peer sends more and closes
    E_NESTED_TAKEN,     // ... and the listener takes what came before the close
    E_NESTED_TAKEN_OPEN, // ... the same with no close
    E_NESTED_RECONNECT, // under the first ReadyRead "two" comes and the socket reconnects
    E_NESTED_UNREAD_CLOSE, // before reading "one", the close comes and B and C connect
};

const int kDeleted = -1;
const int kWholeRead = 64 * 1024;

// Keeps the accepted descriptors as they are, for a peer in any thread.
class Server : public QTcpServer
{
public:
    QList<qintptr> accepted;

protected:
    void incomingConnection(qintptr fd) override { accepted << fd; }
};

// Runs a nested event loop, as a modal box does, until `done` holds.
bool nestedLoopUntil(const std::function<bool()> &done)
{
    QEventLoop loop;
    QTimer eachTurn;
    QObject::connect(&eachTurn, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    eachTurn.start(0);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// The socket under test with its signals written down as they come; the
// bytes of ReadyReads in a row are counted as one read.
struct Rig
{
    Server server;
    QPointer<CLinkSocket> socket { CLinkSocket::Create() };
    QStringList log;
    QString deleteOn; // the socket is deleted under the first signal so named
    // Run once under the first signal so named ("ready": a ReadyRead, before reading).
    QHash<QString, std::function<void()>> under;
    std::function<void()> underFirstRead;
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    std::vector<std::unique_ptr<CLinkSocket>> others;

    Rig()
    {
        server.listen(QHostAddress::LocalHost);
        CLinkSocket *s = socket;
        QObject::connect(s, &CLinkSocket::Connected, s, [this] { note("connected"); });
        QObject::connect(s, &CLinkSocket::Disconnected, s, [this] { note("disconnected"); });
        QObject::connect(s, &CLinkSocket::ErrorOccurred, s,
                         [this](QAbstractSocket::SocketError err) { note(QString("error %1").arg(err)); });
        QObject::connect(s, &CLinkSocket::ReadyRead, s, [this] { onReadyRead(); });
    }
    ~Rig() { delete socket; }

    void note(const QString &event)
    {
        log << event;
        if (const std::function<void()> hook = under.take(event.section(' ', 0, 0)))
            hook();
        if (!deleteOn.isEmpty() && event.startsWith(deleteOn))
            delete socket;
    }

    void onReadyRead()
    {
        if (const std::function<void()> hook = under.take("ready"))
            hook();
        const int n = socket->ReadAll().size();
        if (n == 0)
            log << "read nothing";
        else if (!log.isEmpty() && log.last().startsWith("read ") && log.last() != "read nothing")
            log.last() = QString("read %1").arg(log.last().mid(5).toInt() + n);
        else
            note(QString("read %1").arg(n));
        if (socket && underFirstRead)
            std::exchange(underFirstRead, nullptr)();
    }

    qintptr takeAccepted()
    {
        return QTest::qWaitFor([this] { return !server.accepted.isEmpty(); }) ? server.accepted.takeFirst() : -1;
    }

    QTcpSocket *acceptPeer()
    {
        const qintptr fd = takeAccepted();
        peers.emplace_back(new QTcpSocket);
        return fd >= 0 && peers.back()->setSocketDescriptor(fd) ? peers.back().get() : nullptr;
    }

    // Another socket to the same server, connected; what it reads is noted
    // under its name. Its peer, or null.
    QTcpSocket *connectOther(const QString &name)
    {
        others.emplace_back(CLinkSocket::Create());
        CLinkSocket *s = others.back().get();
        QObject::connect(s, &CLinkSocket::ReadyRead, s, [this, s, name] { log << name + ' ' + s->ReadAll(); });
        s->ConnectToHost(QHostAddress::LocalHost, server.serverPort());
        QTcpSocket *peer = acceptPeer();
        return nestedLoopUntil([s] { return s->State() == QAbstractSocket::ConnectedState; }) ? peer : nullptr;
    }
};

void send(QTcpSocket *peer, const QByteArray &bytes)
{
    peer->write(bytes);
    peer->flush();
}

QByteArray pattern(int size, int step)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * step % 251);
    return bytes;
}

} // namespace

class TestLinkSocket : public QObject
{
    Q_OBJECT

private slots:
    void signalsInOrder_data();
    void signalsInOrder();
};

void TestLinkSocket::signalsInOrder_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<QString>("deleteOn");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("state");

    const int connected = QAbstractSocket::ConnectedState;
    const int unconnected = QAbstractSocket::UnconnectedState;
    const QString closed = QString("error %1").arg(QAbstractSocket::RemoteHostClosedError);
    const QString wholeRead = QString("read %1").arg(kWholeRead);
    const QStringList closeBehindData { "connected", wholeRead, closed, "disconnected" };

    QTest::newRow("blocking connect") << int(E_BLOCKING_CONNECT) << QString() << QStringList { "connected" }
                                      << connected;
    QTest::newRow("refused") << int(E_REFUSED) << QString()
                             << QStringList { QString("error %1").arg(QAbstractSocket::ConnectionRefusedError) }
                             << unconnected;
    QTest::newRow("no answer: the wait runs out unreported")
        << int(E_NO_ANSWER) << QString() << QStringList() << unconnected;
    QTest::newRow("peer's close behind data") << int(E_PEER_CLOSE) << QString() << closeBehindData << unconnected;
    QTest::newRow("a whole read and no more is no close")
        << int(E_PEER_WHOLE_READ) << QString() << QStringList { "connected", wholeRead } << connected;
    QTest::newRow("reset by the peer") << int(E_PEER_RESET) << QString()
                                       << QStringList { "connected", closed, "disconnected" } << unconnected;
    QTest::newRow("abort") << int(E_ABORT) << QString() << QStringList { "connected", "disconnected" }
                           << unconnected;
    QTest::newRow("abort, connected again under the disconnection")
        << int(E_ABORT_RECONNECT) << QString() << QStringList { "connected", "disconnected", "connected" }
        << connected;
    QTest::newRow("large writes to a slow reader, who closes")
        << int(E_LARGE_WRITES) << QString() << QStringList { "connected", closed, "disconnected" } << unconnected;
    QTest::newRow("nested loop: close behind untold bytes")
        << int(E_NESTED_CLOSE) << QString()
        << QStringList { "connected", QString("read %1").arg(3 + kWholeRead), closed, "disconnected" }
        << unconnected;
    QTest::newRow("nested loop: bytes taken in it, then the close")
        << int(E_NESTED_TAKEN) << QString() << QStringList { "connected", "read 3", closed, "disconnected" }
        << unconnected;
    QTest::newRow("nested loop: bytes taken in it, no close")
        << int(E_NESTED_TAKEN_OPEN) << QString() << QStringList { "connected", "read 3" } << connected;
    // The epoll socket holds a close behind bytes not yet taken until the
    // listener returns; a QTcpSocket tells it in the loop, the bytes kept.
    const QStringList closeHeld { "connected", "read 3", closed, "disconnected" };
    const QStringList closeInLoop { "connected", closed, "disconnected", "read 3" };
    QTest::newRow("nested loop before reading: the close, B and C connect")
        << int(E_NESTED_UNREAD_CLOSE) << QString()
        << (HOI_LINK_SOCKET_HOLDS_CLOSE ? closeHeld : closeInLoop) + QStringList { "B b", "C c" } << unconnected;
    QTest::newRow("nested loop: reconnect")
        << int(E_NESTED_RECONNECT) << QString()
        << QStringList { "connected", "read 3", "disconnected", "connected", "read 3" } << connected;
    if (!HOI_LINK_SOCKET_DELETABLE)
        return;
    QTest::newRow("deleted under Connected")
        << int(E_BLOCKING_CONNECT) << QString("connected") << QStringList { "connected" } << kDeleted;
    QTest::newRow("deleted under ReadyRead")
        << int(E_PEER_CLOSE) << QString("read") << QStringList(closeBehindData.mid(0, 2)) << kDeleted;
    QTest::newRow("deleted under ErrorOccurred")
        << int(E_PEER_CLOSE) << QString("error") << QStringList(closeBehindData.mid(0, 3)) << kDeleted;
    QTest::newRow("deleted under Disconnected")
        << int(E_PEER_CLOSE) << QString("disconnected") << closeBehindData << kDeleted;
    QTest::newRow("aborted under ErrorOccurred, deleted under Disconnected")
        << int(E_PEER_CLOSE_ABORTED) << QString("disconnected") << closeBehindData << kDeleted;
}

void TestLinkSocket::signalsInOrder()
{
    QFETCH(int, act);
    QFETCH(QString, deleteOn);
    QFETCH(QStringList, expected);
    QFETCH(int, state);

    Rig rig;
    QVERIFY(rig.server.isListening());
    rig.deleteOn = deleteOn;
    const QHostAddress local = QHostAddress::LocalHost;
    const quint16 port = rig.server.serverPort();

    if (act == E_BLOCKING_CONNECT) {
        rig.socket->ConnectToHost(local, port);
        QCOMPARE(rig.socket->WaitForConnected(5000), state == QAbstractSocket::ConnectedState);
    } else if (act == E_REFUSED) {
        QTcpServer gone;
        QVERIFY(gone.listen(local));
        const quint16 closedPort = gone.serverPort();
        gone.close();
        rig.socket->ConnectToHost(local, closedPort);
    } else if (act == E_NO_ANSWER) {
        SimUnansweredPort hole;
        QVERIFY(hole.open(local, 0));
        rig.socket->ConnectToHost(local, hole.port());
        QVERIFY(!rig.socket->WaitForConnected(50));
    } else if (act == E_LARGE_WRITES) {
        rig.socket->ConnectToHost(local, port);
        const qintptr fd = rig.takeAccepted();
        QVERIFY(fd >= 0);
        QTRY_COMPARE(rig.log, QStringList { "connected" });
        const QByteArray sent = pattern(8 << 20, 7);
        QByteArray got;
        std::unique_ptr<QThread> reader(QThread::create([fd, &got, &sent] {
            QTcpSocket peer;
            peer.setSocketDescriptor(fd);
            peer.setReadBufferSize(4096);
            while (got.size() < sent.size() && peer.waitForReadyRead(10000))
                got += peer.readAll();
        }));
        reader->start();
        const auto join = qScopeGuard([&] { reader->wait(); });
        // The second write waits until the system takes some of the first.
        QVERIFY(rig.socket->Write(sent.left(sent.size() / 2), 10000));
        QVERIFY(rig.socket->Write(sent.mid(sent.size() / 2), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(reader->isFinished(), 30000);
        QCOMPARE(got.size(), sent.size());
        QVERIFY(got == sent);
    } else {
        rig.socket->ConnectToHost(local, port);
        QTcpSocket *peer = rig.acceptPeer();
        QVERIFY(peer);
        QTRY_COMPARE(rig.log, QStringList { "connected" });
        if (act == E_PEER_CLOSE || act == E_PEER_CLOSE_ABORTED || act == E_PEER_WHOLE_READ) {
            if (act == E_PEER_CLOSE_ABORTED)
                rig.under["error"] = [&] { rig.socket->Abort(); };
            send(peer, QByteArray(kWholeRead, 'x'));
            if (act != E_PEER_WHOLE_READ)
                peer->disconnectFromHost();
        } else if (act == E_PEER_RESET) {
            const linger reset { 1, 0 };
            QCOMPARE(::setsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof(reset)), 0);
            peer->abort();
        } else if (act == E_ABORT || act == E_ABORT_RECONNECT) {
            if (act == E_ABORT_RECONNECT)
                rig.under["disconnected"] = [&] { rig.socket->ConnectToHost(local, port); };
            rig.socket->Abort();
        } else if (act == E_NESTED_CLOSE) {
            // Read while the listener of "one" runs its loop, the close too.
            rig.underFirstRead = [&, peer] {
                send(peer, QByteArray(kWholeRead, 'x'));
                peer->disconnectFromHost();
                QVERIFY(nestedLoopUntil([&] {
                    return rig.socket->BytesAvailable() >= kWholeRead
                        || rig.socket->State() != QAbstractSocket::ConnectedState;
                }));
            };
            send(peer, "one");
        } else if (act == E_NESTED_TAKEN || act == E_NESTED_TAKEN_OPEN) {
            rig.underFirstRead = [&, peer, act] {
                send(peer, "two");
                if (act == E_NESTED_TAKEN)
                    peer->disconnectFromHost();
                QVERIFY(nestedLoopUntil([&] { return rig.socket->BytesAvailable() > 0; }));
                QCOMPARE(rig.socket->ReadAll(), QByteArray("two"));
                if (act == E_NESTED_TAKEN)
                    QVERIFY(nestedLoopUntil([&] { return rig.socket->State() != QAbstractSocket::ConnectedState; }));
            };
            send(peer, "one");
        } else if (act == E_NESTED_UNREAD_CLOSE) {
            // B connected means A's close was read; C takes the place in the
            // epoll set that A's held close gave up.
            QTcpSocket *peerB = nullptr;
            QTcpSocket *peerC = nullptr;
            rig.under["ready"] = [&, peer] {
                peer->disconnectFromHost();
                peerB = rig.connectOther("B");
                peerC = rig.connectOther("C");
            };
            send(peer, "one");
            QTRY_VERIFY(rig.log.contains("disconnected"));
            QVERIFY(peerB && peerC);
            send(peerB, "b");
            QTRY_VERIFY(rig.log.contains("B b"));
            send(peerC, "c");
        } else if (act == E_NESTED_RECONNECT) {
            // "two" is read in the listener's loop and dropped with its connection.
            rig.underFirstRead = [&, peer] {
                send(peer, "two");
                QVERIFY(nestedLoopUntil([&] { return rig.socket->BytesAvailable() > 0; }));
                rig.socket->Abort();
                rig.socket->ConnectToHost(local, port);
                QTcpSocket *next = rig.acceptPeer();
                QVERIFY(next);
                QVERIFY(nestedLoopUntil([&] { return rig.socket->State() == QAbstractSocket::ConnectedState; }));
                send(next, "new");
            };
            send(peer, "one");
        }
    }
    QTRY_COMPARE(rig.log, expected);
    QCOMPARE(rig.socket ? int(rig.socket->State()) : kDeleted, state);
    if (state == QAbstractSocket::ConnectedState) {
        QCOMPARE(rig.socket->PeerAddress(), local);
        QCOMPARE(rig.socket->PeerPort(), port);
    }
}

QTEST_GUILESS_MAIN(TestLinkSocket)
#include "tst_linksocket.moc"
