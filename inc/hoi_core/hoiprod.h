#ifndef HOI_CORE_HOIPROD_H
#define HOI_CORE_HOIPROD_H

// Chief header of the product record and the parameter vocabulary.
#include "hoi_core/prodidinfo.h"

#endif
