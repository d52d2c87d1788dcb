// The socket options and the direct send of sockopt.h on Windows; the only
// place in the core, with its POSIX twin, that needs the native socket
// headers.
#include "hoi_core/sockopt.h"

#include <climits>
#include <winsock2.h>

int GetSocketRecvBufSize(qintptr iSocket, int* pSize)
{
    int iSize = 0;
    int len = sizeof(iSize);
    const int iRet = ::getsockopt(SOCKET(iSocket), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&iSize), &len);
    if (pSize)
        *pSize = (iRet == 0) ? iSize : 0;
    return iRet == 0 ? 0 : -1;
}

int SetSocketRecvBufSize(qintptr iSocket, int iSize)
{
    const int iRet =
        ::setsockopt(SOCKET(iSocket), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&iSize), sizeof(iSize));
    return iRet == 0 ? 0 : -1;
}

qint64 SendOnSocket(qintptr iSocket, const char* pData, qint64 iSize)
{
    const int iLen = int(qMin<qint64>(iSize, INT_MAX));
    const int iRet = ::send(SOCKET(iSocket), pData, iLen, 0);
    if (iRet == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    return iRet;
}
