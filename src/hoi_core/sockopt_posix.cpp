// The socket options and the direct send of sockopt.h on POSIX systems; the
// only place in the core, with its Windows twin, that needs the native
// socket headers.
#include "hoi_core/sockopt.h"

#include <cerrno>
#include <climits>
#include <sys/socket.h>

int GetSocketRecvBufSize(qintptr iSocket, int* pSize)
{
    int iSize = 0;
    socklen_t len = sizeof(iSize);
    const int iRet = ::getsockopt(int(iSocket), SOL_SOCKET, SO_RCVBUF, &iSize, &len);
    if (pSize)
        *pSize = (iRet == 0) ? iSize : 0;
    return iRet == 0 ? 0 : -1;
}

int SetSocketRecvBufSize(qintptr iSocket, int iSize)
{
    const int iRet = ::setsockopt(int(iSocket), SOL_SOCKET, SO_RCVBUF, &iSize, sizeof(iSize));
    return iRet == 0 ? 0 : -1;
}

qint64 SendOnSocket(qintptr iSocket, const char* pData, qint64 iSize)
{
    const int iLen = int(qMin<qint64>(iSize, INT_MAX));
#ifdef MSG_NOSIGNAL
    const int iFlags = MSG_NOSIGNAL; // a closed peer is an error here, not a signal
#else
    const int iFlags = 0;
#endif
    for (;;) {
        const ssize_t iRet = ::send(int(iSocket), pData, size_t(iLen), iFlags);
        if (iRet >= 0)
            return iRet;
        if (errno == EINTR)
            continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}
