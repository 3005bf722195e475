#include "capture/screen_snapshot.h"

#include <cstdio>

#include "base/scoped_get_dc.h"

namespace {

// SRCCOPY with CAPTUREBLT, so that layered windows are part of the copy.
constexpr DWORD kScreenCopyRop = SRCCOPY | CAPTUREBLT;

// The diagnostic of a failed picture; nobody reads it but a debugger.
void ReportBitmapFailure(const char* name) {
  char text[160];
  std::snprintf(text, sizeof(text), "%s = CreateDIBSection failed, GetLastError() is %d\n", name,
                static_cast<int>(GetLastError()));
  OutputDebugStringA(text);
}

}  // namespace

bool ScreenSnapshot::Create(const base::DesktopGeometry& desktop) {
  // Pictures of our own rather than bitmaps of the screen's format: the overlay dims and
  // composes their pixels directly.
  const bool frame_made = frame_.MakeTopDown32(desktop.width(), desktop.height());
  if (!frame_made)
    ReportBitmapFailure("frame");
  const bool original_made = original_.MakeTopDown32(desktop.width(), desktop.height());
  if (!original_made)
    ReportBitmapFailure("original");
  return frame_made && original_made;
}

void ScreenSnapshot::Release() {
  original_.Reset();
  frame_.Reset();
}

// Each monitor's part is copied on its own: what lies between them, which no monitor shows,
// would cost as much to copy as what they show.
void ScreenSnapshot::CopyScreen(const base::DesktopGeometry& desktop) {
  {
    base::ScopedGetDc screen_dc(nullptr);
    for (const RECT& monitor : desktop.MonitorsInDesktop()) {
      BitBlt(original_.dc(), monitor.left, monitor.top, monitor.right - monitor.left,
             monitor.bottom - monitor.top, screen_dc.get(), desktop.bounds().left + monitor.left,
             desktop.bounds().top + monitor.top, kScreenCopyRop);
    }
  }
  BlackOutUnshownAreas(desktop);
}

// What the screen copy reads where no monitor shows the desktop is whatever the system
// keeps there; the picture shows black, and a selection across it copies black.
void ScreenSnapshot::BlackOutUnshownAreas(const base::DesktopGeometry& desktop) {
  const RECT area = desktop.Area();
  base::ScopedRegion unshown(CreateRectRgnIndirect(&area));
  for (const RECT& monitor : desktop.MonitorsInDesktop()) {
    base::ScopedRegion shown(CreateRectRgnIndirect(&monitor));
    CombineRgn(unshown.get(), unshown.get(), shown.get(), RGN_DIFF);
  }
  FillRgn(original_.dc(), unshown.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
