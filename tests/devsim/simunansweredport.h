#ifndef DEVSIM_SIMUNANSWEREDPORT_H
#define DEVSIM_SIMUNANSWEREDPORT_H

#include <QHostAddress>
#include <QTcpSocket>

// A port on which connection attempts go unanswered, as behind a firewall
// that drops them: a listening socket whose backlog is filled by connections
// of its own and never accepted, so the system drops every further attempt
// and the caller's connect runs until it gives up. IPv4 only; port 0 takes
// a free port, port() tells which.
class SimUnansweredPort
{
public:
    SimUnansweredPort() = default;
    ~SimUnansweredPort() { close(); }
    SimUnansweredPort(const SimUnansweredPort &) = delete;
    SimUnansweredPort &operator=(const SimUnansweredPort &) = delete;

    bool open(const QHostAddress &address, quint16 port);
    void close();
    quint16 port() const { return m_port; }

private:
    int m_fd = -1;
    quint16 m_port = 0;
    QTcpSocket m_fillers[2];
};

#endif // DEVSIM_SIMUNANSWEREDPORT_H
