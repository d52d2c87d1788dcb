#ifndef DEVSIM_SIMUNANSWEREDPORT_H
#define DEVSIM_SIMUNANSWEREDPORT_H

#include <QHostAddress>
#include <QTcpSocket>

// A port on which connection attempts go unanswered, as behind a firewall
// that drops them: a listening socket whose backlog is filled by connections
// of its own and never accepted, so the system drops every further attempt
// and the caller's connect runs until it gives up. IPv4 only.
class SimUnansweredPort
{
public:
    SimUnansweredPort() = default;
    ~SimUnansweredPort() { close(); }
    SimUnansweredPort(const SimUnansweredPort &) = delete;
    SimUnansweredPort &operator=(const SimUnansweredPort &) = delete;

    bool open(const QHostAddress &address, quint16 port);
    void close();

private:
    int m_fd = -1;
    QTcpSocket m_fillers[2];
};

#endif // DEVSIM_SIMUNANSWEREDPORT_H
