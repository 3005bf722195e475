#pragma once

namespace base {

// Declares the process aware of each monitor's DPI (version 2), or of the system's DPI where
// the system knows no better, so that the desktop's geometry and the bitmaps made of the
// screen are in physical pixels and the interface is sized by the program. Does nothing on
// systems that lack both calls.
void MakeProcessDpiAware();

}  // namespace base
