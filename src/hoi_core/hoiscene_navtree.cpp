// What the group and location editor needs of a layout beyond the setters.
#include "hoi_core/hoiscene.h"

void CHOIScene::ClearLocation()
{
    m_strLocation.clear();
}
