#pragma once

#include <windows.h>

#include <string>

#include "base/dpi_scale.h"
#include "toolset/tool.h"
#include "ui/toolbar.h"

namespace e2e {

// Palette places and picker sizes, as the picker offers them.
inline constexpr int kBlackIndex = 0, kRedIndex = 10, kLimeIndex = 12, kBlueIndex = 13;
inline constexpr int kSmall = 0, kLarge = 2, kLargestMosaic = 4;

// The toolbar and picker of the running session, as the user sees and clicks them, at the
// display's scale (one for all monitors under this Wine). Lengths below are at 100 %.
class ToolbarDriver {
 public:
  ToolbarDriver();

  // Waits until the toolbar shows.
  [[nodiscard]] bool WaitUntilShown();
  RECT rect() const;
  RECT picker_rect() const;
  base::DpiScale scale() const { return scale_; }

  // Clicks a button after the tools, where the toolbar's layout puts it.
  [[nodiscard]] bool ClickButton(Toolbar::Command command);
  // The screen point of the middle of the button in `slot`.
  POINT ButtonMiddle(int slot) const;
  // Clicks a tool and waits for its picker.
  [[nodiscard]] bool ChooseTool(Tool tool);
  // Size buttons are 43 pixels square from (2, 5).
  [[nodiscard]] bool ChooseSize(int index);
  // Colour cells are 16 pixels square, 18 apart, in two rows of eight from (171, 9), or from
  // (127, 9) in the narrower text picker.
  [[nodiscard]] bool ChooseColor(int index);
  // The screen point of colour cell `index`'s middle.
  POINT ColorCell(int index) const;

 private:
  static BOOL CALLBACK FindPicker(HWND window, LPARAM self);
  [[nodiscard]] bool ClickSlot(int slot);

  HWND hwnd_ = nullptr;
  HWND picker_ = nullptr;
  base::DpiScale scale_;
};

// A drag with a step between, as a hand makes one.
[[nodiscard]] bool Stroke(int from_x, int from_y, int to_x, int to_y);

// What the screen shows at (x, y), and whether it shows `color` anywhere in `area`.
COLORREF ScreenPixel(int x, int y);
bool ScreenHas(const RECT& area, COLORREF color);
// Waits until the screen shows `color` at (x, y).
[[nodiscard]] bool ShowsOnScreen(int x, int y, COLORREF color);

// A shown window of the thread of `session_window` that is `height` pixels high (the tooltip
// is 22 at 100 %), or null.
HWND ShownWindowOfHeight(HWND session_window, int height);

}  // namespace e2e
