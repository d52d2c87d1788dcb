#ifndef HOI_CORE_HOITYPES_H
#define HOI_CORE_HOITYPES_H

#include <QMetaType>
#include <QString>

// Enums carried by the signals of the device, layout and manager objects.
// They live apart from the classes so that each header can name them without
// pulling in the others.

// Which kind of work a device reports as ended in OnCmdCompleted.
enum E_ControlObject {
    E_CO_DEV = 0,
    E_CO_IR = 1,
};

// Kind of change reported by CHOIDevMgr::OnDeviceNotify.
enum E_DeviceNotify {
    E_DN_ADD = 1,
    E_DN_REMOVE = 2,
    E_DN_STATUS = 3,
};

// Kind of progress reported with a percentage; anything but E_PN_NONE is busy.
enum E_ProgressNotify {
    E_PN_NONE = 0,
    E_PN_SEARCH = 1,
    E_PN_APPLY = 3,
};

// A layout's state as shown beside the layout list.
enum E_SceneStatus {
    E_SS_EDIT = 0,
    E_SS_UPDATED = 1,
    E_SS_APPLIED = 2,
    E_SS_FAILED = 3,
    E_SS_VIVLAYOUT = 5,
    E_SS_WPLAYOUT = 6,
};

Q_DECLARE_METATYPE(E_ControlObject)
Q_DECLARE_METATYPE(E_DeviceNotify)
Q_DECLARE_METATYPE(E_ProgressNotify)
Q_DECLARE_METATYPE(E_SceneStatus)

// "y" or "n": how devices and project files write a flag.
QString YesNo(bool b);

// Registers the enums above for queued connections and signal spies.
// Safe to call more than once.
void RegisterHoiMetaTypes();

#endif
