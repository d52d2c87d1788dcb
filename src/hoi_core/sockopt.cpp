#include "hoi_core/sockopt.h"

// The only place in the core that needs the native socket headers.
#include <climits>

#ifdef Q_OS_WIN
#include <winsock2.h>
typedef SOCKET T_SockHandle;
typedef int T_OptLen;
typedef char T_OptVal;
#else
#include <cerrno>
#include <sys/socket.h>
typedef int T_SockHandle;
typedef socklen_t T_OptLen;
typedef void T_OptVal;
#endif

int GetSocketRecvBufSize(qintptr iSocket, int* pSize)
{
    int iSize = 0;
    T_OptLen len = sizeof(iSize);
    const int iRet = ::getsockopt(static_cast<T_SockHandle>(iSocket), SOL_SOCKET, SO_RCVBUF,
                                  static_cast<T_OptVal*>(static_cast<void*>(&iSize)), &len);
    if (pSize)
        *pSize = (iRet == 0) ? iSize : 0;
    return iRet == 0 ? 0 : -1;
}

int SetSocketRecvBufSize(qintptr iSocket, int iSize)
{
    const int iRet = ::setsockopt(static_cast<T_SockHandle>(iSocket), SOL_SOCKET, SO_RCVBUF,
                                  static_cast<const T_OptVal*>(static_cast<const void*>(&iSize)), sizeof(iSize));
    return iRet == 0 ? 0 : -1;
}

qint64 SendOnSocket(qintptr iSocket, const char* pData, qint64 iSize)
{
    const int iLen = int(qMin<qint64>(iSize, INT_MAX));
#ifdef Q_OS_WIN
    const int iRet = ::send(static_cast<T_SockHandle>(iSocket), pData, iLen, 0);
    if (iRet == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    return iRet;
#else
#ifdef MSG_NOSIGNAL
    const int iFlags = MSG_NOSIGNAL; // a closed peer is an error here, not a signal
#else
    const int iFlags = 0;
#endif
    for (;;) {
        const ssize_t iRet = ::send(static_cast<T_SockHandle>(iSocket), pData, size_t(iLen), iFlags);
        if (iRet >= 0)
            return iRet;
        if (errno == EINTR)
            continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
#endif
}
