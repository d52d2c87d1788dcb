#ifndef HOI_CONSOLE_DEVTYPELOOK_H
#define HOI_CONSOLE_DEVTYPELOOK_H

#include "hoi_core/hoidev.h"

// How the lists show a device type: its word and its icons off-line and
// on-line (resource paths).
struct T_DevTypeLook
{
    CHOIDev::DevType eType;
    const char *pszText;
    const char *pszIconOff;
    const char *pszIconOn;
};

// The look of an encoder, decoder, multi-view decoder, wall processor,
// gateway or controller; null for any other type.
const T_DevTypeLook *FindDevTypeLook(CHOIDev::DevType eType);

#endif
