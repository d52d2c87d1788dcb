#ifndef HOI_CORE_SOCKOPT_H
#define HOI_CORE_SOCKOPT_H

#include <QtGlobal>

// Receive-buffer size of a socket descriptor (e.g. QUdpSocket::socketDescriptor()).
// Both return what the system call returned (0 on success, -1 on failure), because
// the callers log that result as it is.
int GetSocketRecvBufSize(qintptr iSocket, int* pSize);
int SetSocketRecvBufSize(qintptr iSocket, int iSize);

#endif // HOI_CORE_SOCKOPT_H
