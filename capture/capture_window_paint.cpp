// The overlay: every visible change of the capture window is one frame composed here.
#include "capture/capture_window.h"

#include "base/scoped_get_dc.h"

void CaptureWindow::PaintOverlay(bool /*dragMode*/, int /*x*/, int /*y*/) {
  BitBlt(mem_dc_.get(), 0, 0, screen_width_, screen_height_, original_dc_.get(), 0, 0, SRCCOPY);
  base::ScopedGetDc window_dc(hwnd_);
  BitBlt(window_dc.get(), 0, 0, screen_width_, screen_height_, mem_dc_.get(), 0, 0, SRCCOPY);
}
