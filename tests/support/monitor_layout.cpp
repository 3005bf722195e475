#include "tests/support/monitor_layout.h"

#include <cstdlib>
#include <limits>

namespace testing_support {
namespace {

constexpr char kLayoutVariable[] = "PICTOR_MONITORS";
// Xinerama, which the harness speaks to Wine through, has 16-bit coordinates.
constexpr long kLargestCoordinate = std::numeric_limits<short>::max();

enum class Sign { kNone, kRequired };

// Reads a decimal number from the front of `text` and removes it; with Sign::kRequired
// it must start with '+' or '-', without it with a digit.
std::optional<long> TakeNumber(std::string_view& text, Sign sign) {
  size_t at = 0;
  bool negative = false;
  if (sign == Sign::kRequired) {
    if (text.empty() || (text[0] != '+' && text[0] != '-'))
      return std::nullopt;
    negative = text[0] == '-';
    at = 1;
  }
  long value = 0;
  const size_t first_digit = at;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > kLargestCoordinate)
      return std::nullopt;
  }
  if (at == first_digit)
    return std::nullopt;
  text.remove_prefix(at);
  return negative ? -value : value;
}

// Reads one "WxH+X+Y" from the front of `text` and removes it.
std::optional<RECT> TakeMonitor(std::string_view& text) {
  const auto width = TakeNumber(text, Sign::kNone);
  if (!width || *width == 0 || text.empty() || text[0] != 'x')
    return std::nullopt;
  text.remove_prefix(1);
  const auto height = TakeNumber(text, Sign::kNone);
  const auto x = TakeNumber(text, Sign::kRequired);
  const auto y = TakeNumber(text, Sign::kRequired);
  if (!height || *height == 0 || !x || !y)
    return std::nullopt;
  return RECT{*x, *y, *x + *width, *y + *height};
}

}  // namespace

std::string MonitorText(const RECT& monitor) {
  const auto offset = [](LONG value) { return (value < 0 ? "" : "+") + std::to_string(value); };
  return std::to_string(monitor.right - monitor.left) + "x" +
         std::to_string(monitor.bottom - monitor.top) + offset(monitor.left) + offset(monitor.top);
}

MonitorLayout::MonitorLayout(std::vector<RECT> monitors) : monitors_(std::move(monitors)) {}

std::optional<MonitorLayout> MonitorLayout::Parse(std::string_view text) {
  std::vector<RECT> monitors;
  for (;;) {
    const auto monitor = TakeMonitor(text);
    if (!monitor)
      return std::nullopt;
    monitors.push_back(*monitor);
    if (text.empty())
      break;
    if (text[0] != ',')
      return std::nullopt;
    text.remove_prefix(1);
  }
  if (monitors.front().left != 0 || monitors.front().top != 0)
    return std::nullopt;
  return MonitorLayout(std::move(monitors));
}

std::optional<std::string> MonitorLayout::Requested() {
  const char* text = std::getenv(kLayoutVariable);
  if (!text)
    return std::nullopt;
  return std::string(text);
}

MonitorLayout MonitorLayout::Single(SIZE size) {
  return MonitorLayout({RECT{0, 0, size.cx, size.cy}});
}

RECT MonitorLayout::bounds() const {
  RECT bounds = monitors_.front();
  for (const RECT& monitor : monitors_)
    UnionRect(&bounds, &bounds, &monitor);
  return bounds;
}

bool MonitorLayout::Shows(POINT point) const {
  for (const RECT& monitor : monitors_) {
    if (PtInRect(&monitor, point))
      return true;
  }
  return false;
}

std::string MonitorLayout::ToString() const {
  std::string text;
  for (const RECT& monitor : monitors_)
    text += (text.empty() ? "" : ",") + MonitorText(monitor);
  return text;
}

}  // namespace testing_support
