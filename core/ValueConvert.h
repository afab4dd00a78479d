// Conversions shared by the value classes.
#pragma once

#include "core/LogoObject.h"

#include <cstdint>

namespace zembrio {

// Round half away from zero at double precision; erMinMax (with the 32-bit bounds) when out of range.
int32_t roundRealToInt(long double value, tlogoobject* culprit);

} // namespace zembrio
