#include "platform/openfilelimit.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <climits>
#include <sys/resource.h>
#endif

bool RaiseOpenFileLimit()
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return false;
    rlim_t wanted = limit.rlim_max;
#ifdef Q_OS_MACOS
    // The soft limit may not pass OPEN_MAX there, whatever the hard one says.
    wanted = qMin<rlim_t>(wanted, OPEN_MAX);
#endif
    if (limit.rlim_cur >= wanted)
        return true;
    limit.rlim_cur = wanted;
    return setrlimit(RLIMIT_NOFILE, &limit) == 0;
#else
    // Windows sets no per-process limit on sockets.
    return true;
#endif
}
