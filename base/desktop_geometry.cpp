#include "base/desktop_geometry.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace base {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    auto* list = reinterpret_cast<std::vector<RECT>*>(monitors);
    // The primary monitor first.
    if (info.dwFlags & MONITORINFOF_PRIMARY)
      list->insert(list->begin(), info.rcMonitor);
    else
      list->push_back(info.rcMonitor);
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

DesktopGeometry::DesktopGeometry(const RECT& bounds, std::vector<RECT> monitors)
    : bounds_(bounds), monitors_(std::move(monitors)) {
  if (monitors_.empty())
    monitors_.push_back(bounds_);
}

DesktopGeometry DesktopGeometry::Read() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT bounds = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  // Systems without the virtual screen's metrics have one monitor, the desktop window's.
  if (IsRectEmpty(&bounds))
    GetWindowRect(GetDesktopWindow(), &bounds);
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return DesktopGeometry(bounds, std::move(monitors));
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

RECT DesktopGeometry::MonitorAt(POINT point) const {
  if (monitors_.empty())
    return bounds_;
  return *std::min_element(monitors_.begin(), monitors_.end(), [&](const RECT& a, const RECT& b) {
    return DistanceTo(a, point) < DistanceTo(b, point);
  });
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
