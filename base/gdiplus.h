#pragma once

// GDI+ with the min and max it expects; the program's own code uses std::min and std::max.
#include <windows.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
