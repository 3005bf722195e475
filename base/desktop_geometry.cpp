#include "base/desktop_geometry.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "base/scoped_get_dc.h"
#include "base/scoped_resource.h"

namespace base {
namespace {

// The monitors as the system lists them, with their DPIs.
struct MonitorList {
  std::vector<RECT> rects;
  std::vector<int> dpis;
};

// GetDpiForMonitor, where the system has it (8.1 and later): each monitor's own DPI.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// The DPI of the interface on `monitor`: its own where the system tells it, else the
// system's one DPI.
int MonitorDpi(HMONITOR monitor, GetDpiForMonitorFunction get_dpi_for_monitor) {
  UINT dpi_x = 0;
  UINT dpi_y = 0;
  if (get_dpi_for_monitor && get_dpi_for_monitor(monitor, kEffectiveDpi, &dpi_x, &dpi_y) == S_OK)
    return static_cast<int>(dpi_y);
  ScopedGetDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

struct MonitorReading {
  MonitorList* list;
  GetDpiForMonitorFunction get_dpi_for_monitor;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM reading_param) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    const auto* reading = reinterpret_cast<const MonitorReading*>(reading_param);
    MonitorList& list = *reading->list;
    const int dpi = MonitorDpi(monitor, reading->get_dpi_for_monitor);
    // The primary monitor first.
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    list.rects.insert(primary ? list.rects.begin() : list.rects.end(), info.rcMonitor);
    list.dpis.insert(primary ? list.dpis.begin() : list.dpis.end(), dpi);
  }
  return TRUE;
}

// How far `point` lies from `rect`, in steps along either axis.
LONG DistanceTo(const RECT& rect, POINT point) {
  const LONG dx = point.x < rect.left     ? rect.left - point.x
                  : point.x >= rect.right ? point.x - rect.right + 1
                                          : 0;
  const LONG dy = point.y < rect.top       ? rect.top - point.y
                  : point.y >= rect.bottom ? point.y - rect.bottom + 1
                                           : 0;
  return dx + dy;
}

}  // namespace

DesktopGeometry::DesktopGeometry(const RECT& bounds,
                                 std::vector<RECT> monitors,
                                 std::vector<int> dpis)
    : bounds_(bounds), monitors_(std::move(monitors)) {
  if (monitors_.empty())
    monitors_.push_back(bounds_);
  for (size_t i = 0; i < monitors_.size(); ++i)
    scales_.push_back(DpiScale(i < dpis.size() ? dpis[i] : DpiScale::kBaseDpi));
}

DesktopGeometry DesktopGeometry::Read() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT bounds = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  // Systems without the virtual screen's metrics have one monitor, the desktop window's.
  if (IsRectEmpty(&bounds))
    GetWindowRect(GetDesktopWindow(), &bounds);
  MonitorList monitors;
  const ScopedLibrary shcore(LoadLibraryW(L"shcore.dll"));
  MonitorReading reading = {&monitors, nullptr};
  if (shcore) {
    reading.get_dpi_for_monitor = reinterpret_cast<GetDpiForMonitorFunction>(
        reinterpret_cast<void*>(GetProcAddress(shcore.get(), "GetDpiForMonitor")));
  }
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&reading));
  return DesktopGeometry(bounds, std::move(monitors.rects), std::move(monitors.dpis));
}

POINT DesktopGeometry::ToScreen(POINT point) const {
  return {point.x + bounds_.left, point.y + bounds_.top};
}

RECT DesktopGeometry::ToScreen(const RECT& rect) const {
  RECT moved = rect;
  OffsetRect(&moved, bounds_.left, bounds_.top);
  return moved;
}

POINT DesktopGeometry::FromScreen(POINT point) const {
  return {point.x - bounds_.left, point.y - bounds_.top};
}

RECT DesktopGeometry::FromScreen(const RECT& rect) const {
  RECT moved = rect;
  OffsetRect(&moved, -bounds_.left, -bounds_.top);
  return moved;
}

size_t DesktopGeometry::MonitorIndexAt(POINT point) const {
  const auto nearest = std::min_element(
      monitors_.begin(), monitors_.end(),
      [&](const RECT& a, const RECT& b) { return DistanceTo(a, point) < DistanceTo(b, point); });
  return static_cast<size_t>(nearest - monitors_.begin());
}

RECT DesktopGeometry::MonitorAt(POINT point) const {
  if (monitors_.empty())
    return bounds_;
  return monitors_[MonitorIndexAt(point)];
}

DpiScale DesktopGeometry::ScaleAt(POINT point) const {
  if (scales_.empty())
    return DpiScale();
  return scales_[MonitorIndexAt(point)];
}

std::vector<RECT> DesktopGeometry::MonitorsInDesktop() const {
  std::vector<RECT> monitors;
  monitors.reserve(monitors_.size());
  for (const RECT& monitor : monitors_)
    monitors.push_back(FromScreen(monitor));
  return monitors;
}

bool DesktopGeometry::Holds(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace base
