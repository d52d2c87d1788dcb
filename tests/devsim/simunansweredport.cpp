#include "simunansweredport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

bool SimUnansweredPort::open(const QHostAddress &address, quint16 port)
{
    close();
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    const int on = 1;
    ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(address.toIPv4Address());
    // A backlog of one holds two connections; with no SYN cookies in play
    // (the queue of half-open ones is never full), the third is dropped.
    socklen_t len = sizeof sa;
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0 || ::listen(m_fd, 1) != 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&sa), &len) != 0) {
        close();
        return false;
    }
    m_port = ntohs(sa.sin_port);
    for (QTcpSocket &filler : m_fillers) {
        filler.connectToHost(address, m_port);
        if (!filler.waitForConnected(5000)) {
            close();
            return false;
        }
    }
    return true;
}

void SimUnansweredPort::close()
{
    for (QTcpSocket &filler : m_fillers)
        filler.abort();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_port = 0;
}
