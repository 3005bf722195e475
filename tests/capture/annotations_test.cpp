// The annotations with a host of their own, on a desktop of two monitors: the right one starts
// lower, so the selection's top-right part is shown by no monitor.
#include "capture/annotations.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/capture/capture_harness.h"

namespace {

constexpr RECT kLeftMonitor = {0, 0, 500, 1080};
constexpr RECT kRightMonitor = {500, 200, 1920, 1080};

class TwoMonitorHost : public AnnotationsHost {
 public:
  explicit TwoMonitorHost(HWND window) : window_(window) {}
  HWND AnnotatedWindow() const override { return window_; }
  const RECT& AnnotatedArea() const override { return area_; }
  RECT MonitorAt(POINT point) const override {
    return point.x < kLeftMonitor.right ? kLeftMonitor : kRightMonitor;
  }
  // The right monitor at 200 %.
  base::DpiScale ScaleAt(POINT point) const override {
    return base::DpiScale(point.x < kLeftMonitor.right ? 96 : 192);
  }
  const PickerSettings* OpenPicker() const override { return &settings_; }
  void OnShapesChanged() override {}
  void RepaintAnnotations() override {}
  void OnSessionKeyInTextBox(int /*virtual_key*/) override {}
  void OnDoubleClickOnNewTextBox(POINT /*point*/) override {}
  void OnTextBoxHasKeyboard() override {}

 private:
  HWND window_;
  RECT area_ = {100, 100, 900, 600};
  PickerSettings settings_ = kDefaultPickerSettings;
};

RECT WindowRectIn(HWND child, HWND parent) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A click where no monitor shows the selection opens no box and draws nothing; a box opened
// near the left monitor's right edge grows and wraps on that monitor, not across. A box's
// font is its points at its monitor's scale.
TEST(AnnotationsTest, TextBoxesStayOnTheMonitorOfTheirClick) {
  capture_test::TestWindow window(0, 0, 1000, 700);
  TwoMonitorHost host(window.hwnd());
  Annotations annotations(host);
  annotations.ChooseTool(Tool::kText);

  annotations.Press({700, 150});
  annotations.Release({700, 150});
  EXPECT_EQ(annotations.text_box(), nullptr) << "no monitor shows (700, 150)";
  annotations.ChooseTool(Tool::kRectangle);
  annotations.Press({700, 150});
  annotations.Drag({800, 300});
  annotations.Release({800, 300});
  EXPECT_TRUE(annotations.empty()) << "no shape starts there";

  annotations.ChooseTool(Tool::kText);
  annotations.Press({400, 300});
  annotations.Release({400, 300});
  ASSERT_NE(annotations.text_box(), nullptr);
  for (const wchar_t c : std::wstring(L"a line that is far wider than the room left on it"))
    SendMessageW(annotations.text_box(), WM_CHAR, c, 0);
  const RECT box = WindowRectIn(annotations.text_box(), window.hwnd());
  EXPECT_LE(box.right, kLeftMonitor.right) << "the box ends at " << box.right;
  EXPECT_GE(box.left, 100) << "within the selection";
  annotations.FinishText();
  EXPECT_EQ(annotations.shape_count(), 1u);

  const auto font_height = [&](POINT click) {
    annotations.Press(click);
    annotations.Release(click);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(annotations.text_box(), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    annotations.FinishText();
    return font.lfHeight;
  };
  const LONG left_height = font_height({300, 200});
  EXPECT_NEAR(font_height({850, 200}), 2 * left_height, 1) << "on the monitor at 200 %";
}

// Steps count 1, 2, 3 in the order they were placed: an undone step gives its number back to
// the next one, and a redone step comes back with its own.
TEST(AnnotationsTest, StepsNumberThemselvesThroughUndoAndRedo) {
  capture_test::TestWindow window(0, 0, 1000, 700);
  TwoMonitorHost host(window.hwnd());
  Annotations annotations(host);
  annotations.ChooseTool(Tool::kStep);
  const auto place = [&](int x) {
    annotations.Press({x, 300});
    annotations.Release({x, 300});
    return annotations.KeptShapes().back()->number;
  };
  EXPECT_EQ(place(150), 1);
  EXPECT_EQ(place(200), 2);
  EXPECT_EQ(place(250), 3);
  ASSERT_TRUE(annotations.Undo());
  EXPECT_EQ(place(300), 3) << "the undone step's number again";
  ASSERT_TRUE(annotations.Undo());
  ASSERT_TRUE(annotations.Undo());
  ASSERT_TRUE(annotations.Redo());
  ASSERT_TRUE(annotations.Redo());
  EXPECT_EQ(annotations.KeptShapes().back()->number, 3);
  EXPECT_EQ(annotations.KeptShapes().back()->points.front().x, 300) << "the one placed after";
  annotations.ChooseTool(Tool::kRectangle);
  annotations.Press({400, 300});
  annotations.Drag({450, 350});
  annotations.Release({450, 350});
  annotations.ChooseTool(Tool::kStep);
  EXPECT_EQ(place(500), 4) << "other shapes do not count";
}

}  // namespace
