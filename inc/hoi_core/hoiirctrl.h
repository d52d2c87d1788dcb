#ifndef HOI_CORE_HOIIRCTRL_H
#define HOI_CORE_HOIIRCTRL_H

// Chief header of the IR code database and the IR frame builder.
#include "hoi_core/ircodetable.h"

#endif
