#pragma once

namespace base {

// Declares the process DPI-aware, so that the desktop's geometry and the bitmaps made of
// the screen are in physical pixels. Does nothing on systems that lack the call.
void MakeProcessDpiAware();

}  // namespace base
