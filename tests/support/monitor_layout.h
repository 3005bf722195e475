#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// `monitor` as "WxH+X+Y".
std::string MonitorText(const RECT& monitor);

// The monitors of a desktop in Windows screen coordinates, the primary one first and at
// (0, 0). Written as scripts/lib/other-layout takes it and hands it to the tests in
// PICTOR_MONITORS: "WxH+X+Y[,WxH+X+Y...]", e.g. "1920x1080+0+0,1280x1024-1280+56".
class MonitorLayout {
 public:
  // The layout of `text`; none when the text is not of that form or the first monitor
  // does not start at (0, 0).
  static std::optional<MonitorLayout> Parse(std::string_view text);
  // PICTOR_MONITORS, or none when the run did not ask for a layout.
  static std::optional<std::string> Requested();
  // One monitor of `size` at (0, 0).
  static MonitorLayout Single(SIZE size);

  const std::vector<RECT>& monitors() const { return monitors_; }
  const RECT& primary() const { return monitors_.front(); }
  // The smallest rectangle around every monitor: Windows' virtual screen.
  RECT bounds() const;
  // Whether some monitor shows the point.
  bool Shows(POINT point) const;
  std::string ToString() const;

 private:
  explicit MonitorLayout(std::vector<RECT> monitors);

  std::vector<RECT> monitors_;
};

}  // namespace testing_support
