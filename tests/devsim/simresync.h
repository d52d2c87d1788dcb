#ifndef DEVSIM_SIMRESYNC_H
#define DEVSIM_SIMRESYNC_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>

// One video-wall resynchronisation datagram as a decoder received it.
struct T_SimResyncMsg
{
    QByteArray payload;
    QHostAddress sender;
};

// A decoder's side of the video-wall resynchronisation: joins 226.1.0.0 on the
// devices' interface, listens on UDP 1234 and records every datagram whole.
class CSimResync : public QObject
{
    Q_OBJECT
public:
    enum
    {
        E_VW_PORT = 1234
    };

    explicit CSimResync(QObject* parent = nullptr);
    ~CSimResync() override;

    // Joins the group on the interface that holds ifaceAddr (a device address).
    bool Start(const QHostAddress& ifaceAddr);
    void Stop();

    QList<T_SimResyncMsg> Messages() const { return m_msgs; }
    void Clear() { m_msgs.clear(); }

signals:
    void MessageReceived(QByteArray payload, QString sender);

private:
    void OnReadyRead();

    QUdpSocket m_socket;
    QList<T_SimResyncMsg> m_msgs;
};

#endif // DEVSIM_SIMRESYNC_H
