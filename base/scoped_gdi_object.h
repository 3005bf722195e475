#pragma once

#include <windows.h>

#include "base/scoped_resource.h"

namespace base {

// Owns a GDI pen, brush, bitmap, font or region and deletes it with DeleteObject. The object
// must not be selected into a device context when it dies.
template <typename T>
using ScopedGdiObject = ScopedResource<T, &DeleteObject>;

using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedRegion = ScopedGdiObject<HRGN>;

}  // namespace base
