#include "hoi_core/hoitypes.h"

void RegisterHoiMetaTypes()
{
    qRegisterMetaType<E_ControlObject>("E_ControlObject");
    qRegisterMetaType<E_DeviceNotify>("E_DeviceNotify");
    qRegisterMetaType<E_ProgressNotify>("E_ProgressNotify");
    qRegisterMetaType<E_SceneStatus>("E_SceneStatus");
}
