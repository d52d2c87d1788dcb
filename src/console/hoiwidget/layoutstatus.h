#ifndef HOI_CONSOLE_LAYOUTSTATUS_H
#define HOI_CONSOLE_LAYOUTSTATUS_H

#include <QIcon>
#include <QString>

#include "hoi_core/hoitypes.h"

class CHOIScene;

// The status a layout shows (icon and text, as SceneStatusInfo): the
// windowing kinds show their own (windowing decoders as updated, wall in
// wall and window processor layouts their kind), any other layout eStatus.
QIcon LayoutStatusInfo(const CHOIScene *pScene, E_SceneStatus eStatus, QString &strText);

#endif
