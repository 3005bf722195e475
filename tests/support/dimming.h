#pragma once

#include <windows.h>

namespace testing_support {

// Whether every channel of `shown` is the one of `original` blended over black with the
// capture overlay's dim alpha (153 of 255). The exact value lies between two integers and
// the platform may round it either way.
bool IsDimmed(COLORREF shown, COLORREF original);

}  // namespace testing_support
