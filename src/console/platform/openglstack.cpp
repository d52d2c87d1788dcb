#include "platform/openglstack.h"

#include <QByteArray>

void LeaveOpenGLUnloaded()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Only the xcb plugin reads it; windows look the same without it.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", QByteArrayLiteral("none"));
#endif
}
