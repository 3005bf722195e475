#include "tests/e2e/toolbar_driver.h"

#include "tests/support/screen_grab.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"
#include "toolset/tool_table.h"
#include "ui/color_table_dlg.h"

namespace e2e {
namespace {

using testing_support::ScreenGrab;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr int kPickerHeight = 49;

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

ScreenGrab Grab(const RECT& area) {
  HDC screen = GetDC(nullptr);
  ScreenGrab grab(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(nullptr, screen);
  return grab;
}

}  // namespace

ToolbarDriver::ToolbarDriver() {
  HDC screen = GetDC(nullptr);
  scale_ = base::DpiScale(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

bool ToolbarDriver::WaitUntilShown() {
  return WaitUntil([&] {
    hwnd_ = FindWindowW(nullptr, L"桌面截图工具栏");
    return hwnd_ && IsWindowVisible(hwnd_);
  });
}

RECT ToolbarDriver::rect() const {
  return WindowRect(hwnd_);
}

RECT ToolbarDriver::picker_rect() const {
  return WindowRect(picker_);
}

POINT ToolbarDriver::ButtonMiddle(int slot) const {
  const RECT bar = rect();
  const RECT button =
      Toolbar::ButtonBounds(slot, bar.right - bar.left == scale_.Scale(Toolbar::kWidth));
  return {bar.left + scale_.Scale((button.left + button.right) / 2),
          bar.top + scale_.Scale((button.top + button.bottom) / 2)};
}

bool ToolbarDriver::ClickSlot(int slot) {
  const POINT middle = ButtonMiddle(slot);
  return Xdo::Click(middle.x, middle.y);
}

bool ToolbarDriver::ClickButton(Toolbar::Command command) {
  return ClickSlot(Toolbar::SlotOf(command));
}

bool ToolbarDriver::ChooseTool(Tool tool) {
  if (!ClickSlot(Toolbar::SlotOf(tool)))
    return false;
  const int width = scale_.Scale(ColorTableDlg::WidthFor(RowOf(tool).picker.kind));
  return WaitUntil([&] {
    picker_ = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(hwnd_, nullptr), &FindPicker,
                      reinterpret_cast<LPARAM>(this));
    const RECT picker = picker_rect();
    return picker_ && picker.right - picker.left == width;
  });
}

// The picker hangs under the toolbar, or sits on it near the screen's bottom.
BOOL CALLBACK ToolbarDriver::FindPicker(HWND window, LPARAM self) {
  auto* driver = reinterpret_cast<ToolbarDriver*>(self);
  const RECT rect = WindowRect(window);
  const RECT bar = driver->rect();
  if (IsWindowVisible(window) && (rect.top == bar.bottom || rect.bottom == bar.top) &&
      rect.bottom - rect.top == driver->scale_.Scale(kPickerHeight)) {
    driver->picker_ = window;
    return FALSE;
  }
  return TRUE;
}

bool ToolbarDriver::ChooseSize(int index) {
  const RECT picker = picker_rect();
  return Xdo::Click(picker.left + scale_.Scale(2 + 43 * index + 21), picker.top + scale_.Scale(26));
}

POINT ToolbarDriver::ColorCell(int index) const {
  const RECT picker = picker_rect();
  const int first_x = picker.right - picker.left == scale_.Scale(271) ? 127 : 171;
  return {picker.left + scale_.Scale(first_x + 18 * (index % 8) + 8),
          picker.top + scale_.Scale(9 + 18 * (index / 8) + 8)};
}

bool ToolbarDriver::ChooseColor(int index) {
  const POINT cell = ColorCell(index);
  return Xdo::Click(cell.x, cell.y);
}

bool Stroke(int from_x, int from_y, int to_x, int to_y) {
  return Xdo::Run("mousemove " + std::to_string(from_x) + " " + std::to_string(from_y) +
                  " mousedown 1 mousemove " + std::to_string((from_x + to_x) / 2) + " " +
                  std::to_string((from_y + to_y) / 2) + " mousemove " + std::to_string(to_x) + " " +
                  std::to_string(to_y) + " mouseup 1");
}

COLORREF ScreenPixel(int x, int y) {
  return Grab({x, y, x + 1, y + 1}).Pixel(0, 0);
}

bool ScreenHas(const RECT& area, COLORREF color) {
  const ScreenGrab grab = Grab(area);
  for (int y = 0; y < grab.height(); ++y) {
    for (int x = 0; x < grab.width(); ++x) {
      if (grab.Pixel(x, y) == color)
        return true;
    }
  }
  return false;
}

bool ShowsOnScreen(int x, int y, COLORREF color) {
  return WaitUntil([&] { return ScreenPixel(x, y) == color; }, 5000);
}

HWND ShownWindowOfHeight(HWND session_window, int height) {
  struct Search {
    DWORD thread;
    int height;
    HWND found;
  } search = {GetWindowThreadProcessId(session_window, nullptr), height, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        RECT rect = {};
        GetWindowRect(window, &rect);
        if (GetWindowThreadProcessId(window, nullptr) != s->thread || !IsWindowVisible(window) ||
            rect.bottom - rect.top != s->height)
          return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace e2e
