#include "hoiwidget/layoutstatus.h"

#include "hoi_core/hoiscene.h"
#include "uiservices.h"

QIcon LayoutStatusInfo(const CHOIScene *pScene, E_SceneStatus eStatus, QString &strText)
{
    if (pScene->IsWindowLayout())
        eStatus = E_SS_UPDATED;
    else if (pScene->IsVivLayout())
        eStatus = E_SS_VIVLAYOUT;
    else if (pScene->IsWPLayout())
        eStatus = E_SS_WPLAYOUT;
    return SceneStatusInfo(eStatus, strText);
}
