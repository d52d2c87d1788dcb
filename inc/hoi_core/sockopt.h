#ifndef HOI_CORE_SOCKOPT_H
#define HOI_CORE_SOCKOPT_H

#include <QtGlobal>

// Receive-buffer size of a socket descriptor (e.g. QUdpSocket::socketDescriptor()).
// Both return what the system call returned (0 on success, -1 on failure), because
// the callers log that result as it is.
int GetSocketRecvBufSize(qintptr iSocket, int* pSize);
int SetSocketRecvBufSize(qintptr iSocket, int iSize);

// Sends at once on a connected stream socket, without waiting: the number of
// bytes the system took (0 when its buffer is full), or -1 on an error.
qint64 SendOnSocket(qintptr iSocket, const char* pData, qint64 iSize);

#endif // HOI_CORE_SOCKOPT_H
