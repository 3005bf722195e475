#pragma once

#include <windows.h>

#include "base/scoped_resource.h"

namespace base {

// Owns a memory device context made by CreateCompatibleDC and frees it with DeleteDC.
using ScopedCreateDc = ScopedResource<HDC, &DeleteDC>;

}  // namespace base
