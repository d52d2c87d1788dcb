#include "hoi_core/hoitypes.h"

QString YesNo(bool b)
{
    return b ? QStringLiteral("y") : QStringLiteral("n");
}

void RegisterHoiMetaTypes()
{
    qRegisterMetaType<E_ControlObject>("E_ControlObject");
    qRegisterMetaType<E_DeviceNotify>("E_DeviceNotify");
    qRegisterMetaType<E_ProgressNotify>("E_ProgressNotify");
    qRegisterMetaType<E_SceneStatus>("E_SceneStatus");
}
