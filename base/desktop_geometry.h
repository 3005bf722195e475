#pragma once

#include <windows.h>

#include <vector>

#include "base/dpi_scale.h"

namespace base {

// The desktop a session covers, taken once with the copy of the screen: its rectangle in
// screen coordinates (which may begin left of or above (0, 0)) and the rectangles of the
// monitors that show it, each with the scale of its interface. The capture window covers the
// rectangle exactly, so its client coordinates, the frozen picture's and the selection's, are
// screen coordinates less the rectangle's top-left corner ("desktop coordinates"). A value; UI
// thread.
class DesktopGeometry {
 public:
  DesktopGeometry() = default;
  // `dpis` holds each monitor's DPI in the order of `monitors`; a monitor without one is at
  // 96.
  DesktopGeometry(const RECT& bounds, std::vector<RECT> monitors, std::vector<int> dpis = {});

  // The desktop the system shows now: the bounding rectangle of every monitor.
  static DesktopGeometry Read();

  // The desktop in screen coordinates.
  const RECT& bounds() const { return bounds_; }
  int width() const { return bounds_.right - bounds_.left; }
  int height() const { return bounds_.bottom - bounds_.top; }
  // The desktop in desktop coordinates: (0, 0, width, height).
  RECT Area() const { return {0, 0, width(), height()}; }
  // The monitors in screen coordinates, the primary one first.
  const std::vector<RECT>& monitors() const { return monitors_; }
  // The monitors in desktop coordinates.
  std::vector<RECT> MonitorsInDesktop() const;
  // The monitors' scales, in the order of the monitors.
  const std::vector<DpiScale>& scales() const { return scales_; }

  // Between screen and desktop coordinates.
  POINT ToScreen(POINT point) const;
  RECT ToScreen(const RECT& rect) const;
  POINT FromScreen(POINT point) const;
  RECT FromScreen(const RECT& rect) const;

  // The monitor, in screen coordinates, that shows the screen point `point`, or the nearest
  // one to it.
  RECT MonitorAt(POINT point) const;
  // The scale of that monitor's interface.
  DpiScale ScaleAt(POINT point) const;
  // Whether `inner` lies wholly within `outer`.
  static bool Holds(const RECT& outer, const RECT& inner);

 private:
  // Which monitor MonitorAt and ScaleAt mean.
  size_t MonitorIndexAt(POINT point) const;

  RECT bounds_ = {};
  std::vector<RECT> monitors_;
  std::vector<DpiScale> scales_;
};

}  // namespace base
