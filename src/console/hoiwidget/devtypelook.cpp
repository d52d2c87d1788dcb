#include "hoiwidget/devtypelook.h"

namespace {

const T_DevTypeLook kDevTypeLooks[] = {
    {CHOIDev::E_DT_TX, "TX", ":/images/T.png", ":/images/T+.png"},
    {CHOIDev::E_DT_RX, "RX", ":/images/R.png", ":/images/R+.png"},
    {CHOIDev::E_DT_MRX, "MRX", ":/images/M.png", ":/images/M+.png"},
    {CHOIDev::E_DT_WP, "WP", ":/images/wp.png", ":/images/wp+.png"},
    {CHOIDev::E_DT_GW, "GW", ":/images/gw.png", ":/images/gw+.png"},
    {CHOIDev::E_DT_QN714, "IP Controller", ":/images/C.png", ":/images/C+.png"},
};

} // namespace

const T_DevTypeLook *FindDevTypeLook(CHOIDev::DevType eType)
{
    for (const T_DevTypeLook &look : kDevTypeLooks) {
        if (look.eType == eType)
            return &look;
    }
    return nullptr;
}
