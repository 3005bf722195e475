#include "capture/wnd_cap_dlg.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"
#include "base/window_stacking.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"

namespace {

constexpr wchar_t kTitle[] = L"桌面截图鼠标跟随随窗口";
constexpr int kCursorOffset = 20;
constexpr int kSourceWidth = 40;
constexpr int kSourceHeight = 30;
constexpr int kZoom = 3;
constexpr int kPictureWidth = kSourceWidth * kZoom;
constexpr int kPictureHeight = kSourceHeight * kZoom;
constexpr Gdiplus::ARGB kPanelColor = 0xFF2E2220;
constexpr Gdiplus::ARGB kTextColor = 0xFFFFFFFF;
constexpr int kTextX = 3;
constexpr int kLineOffsets[] = {3, 15, 27};
constexpr int kSwatchX = 102;
constexpr int kSwatchOffset = 29;
constexpr int kSwatchSize = 12;

}  // namespace

WndCapDlg* WndCapDlg::Create(HDC source, const base::DesktopGeometry& desktop, POINT cursor) {
  auto* widget = new dui::Widget();
  auto* view = new WndCapDlg(source, desktop, cursor);
  view->SetSize(kWidth, kHeight);
  widget->SetSize(kWidth, kHeight);
  widget->SetScale(view->ScaleAt(cursor));
  widget->Init(nullptr);
  widget->SetTitle(kTitle);
  widget->SetContentsView(view);
  widget->SetQuitOnClose(false);
  // It follows the mouse but never takes it, nor the keyboard: clicks fall through to the
  // capture window below, which keeps the keyboard.
  widget->DisableMouse();
  widget->SetActivatable(false);
  HWND window = widget->GetHwnd();
  SetWindowLongPtrW(
      window, GWL_EXSTYLE,
      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
  const POINT place = view->WindowPlaceFor(cursor);
  const SIZE size = widget->GetScale().Scale(SIZE{kWidth, kHeight});
  SetWindowPos(window, HWND_TOPMOST, place.x, place.y, size.cx, size.cy,
               SWP_NOACTIVATE | SWP_NOREDRAW);
  widget->Show(true);
  return view;
}

WndCapDlg::WndCapDlg(HDC source, const base::DesktopGeometry& desktop, POINT cursor)
    : sourceDC_(source),
      desktop_(desktop),
      selectionWidth_(0),
      selectionHeight_(0),
      cursorX_(cursor.x),
      cursorY_(cursor.y) {}

WndCapDlg::~WndCapDlg() = default;

base::DpiScale WndCapDlg::ScaleAt(POINT cursor) const {
  return desktop_.ScaleAt(desktop_.ToScreen(cursor));
}

POINT WndCapDlg::WindowPlaceFor(POINT cursor) const {
  const POINT on_screen = desktop_.ToScreen(cursor);
  const RECT monitor = desktop_.MonitorAt(on_screen);
  const base::DpiScale scale = desktop_.ScaleAt(on_screen);
  const int width = scale.Scale(kWidth);
  const int height = scale.Scale(kHeight);
  const int offset = scale.Scale(kCursorOffset);
  POINT place = {on_screen.x + offset, on_screen.y + offset};
  if (place.x + width > monitor.right)
    place.x = on_screen.x - width - offset;
  if (place.y + height > monitor.bottom)
    place.y = on_screen.y - height - offset;
  // A cursor past the desktop's edge or over an area no monitor shows still has the window
  // wholly on the nearest monitor.
  place.x = std::clamp<LONG>(place.x, monitor.left, std::max(monitor.left, monitor.right - width));
  place.y = std::clamp<LONG>(place.y, monitor.top, std::max(monitor.top, monitor.bottom - height));
  return place;
}

void WndCapDlg::MoveTo(POINT cursor, int selection_width, int selection_height) {
  // The pixel read is one of the picture's, also for a point past its edge (a drag that
  // goes on beyond the screen).
  const std::array<std::wstring, 3> lines_before = Lines();
  cursorX_ = std::clamp<int>(cursor.x, 0, std::max(desktop_.width() - 1, 0));
  cursorY_ = std::clamp<int>(cursor.y, 0, std::max(desktop_.height() - 1, 0));
  selectionWidth_ = selection_width;
  selectionHeight_ = selection_height;
  const POINT place = WindowPlaceFor(cursor);
  dui::Widget* widget = GetWidget();
  // Drawn anew at the scale of the monitor the cursor went onto.
  widget->SetScale(ScaleAt(cursor));
  HWND window = widget->GetHwnd();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!(style & WS_EX_TOOLWINDOW))
    SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW);
  if (!base::IsOnTop(window))
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  widget->MoveWithNextPaint(place.x, place.y);
  // The panel's text is the slowest part of a repaint, and it seldom changes.
  if (Lines() == lines_before)
    SchedulePaintInRect({0, 0, kPictureWidth, kPictureHeight});
  else
    SchedulePaint();
}

void WndCapDlg::Show(bool show) {
  GetWidget()->Show(show);
}

void WndCapDlg::Close() {
  sourceDC_ = nullptr;
  GetWidget()->Close();
}

std::array<std::wstring, 3> WndCapDlg::Lines() const {
  if (!sourceDC_)
    return {};
  return InfoLines(selectionWidth_, selectionHeight_, GetPixel(sourceDC_, cursorX_, cursorY_));
}

std::array<std::wstring, 3> WndCapDlg::InfoLines(int selection_width,
                                                 int selection_height,
                                                 COLORREF color) {
  wchar_t size[48] = {};
  swprintf(size, 48, L"%d X %d", selection_width, selection_height);
  wchar_t decimal[32] = {};
  swprintf(decimal, 32, L"RGB(%d,%d,%d)", GetRValue(color), GetGValue(color), GetBValue(color));
  wchar_t hex[16] = {};
  swprintf(hex, 16, L"#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
  return {size, decimal, hex};
}

void WndCapDlg::OnPaint(Gdiplus::Graphics& g) {
  if (!sourceDC_)
    return;
  Gdiplus::Image* frame = dui::ResManager::GetInstance()->GetImage(IDB_MAGNIFIER_FRAME);
  if (!frame)
    return;
  const int frame_width = static_cast<int>(frame->GetWidth());
  const int frame_height = static_cast<int>(frame->GetHeight());
  PaintMagnified(g, GetWidget() ? GetWidget()->GetScale() : base::DpiScale());
  dui::DrawScaledImage(g, IDB_MAGNIFIER_FRAME, Gdiplus::Point(0, 0));
  if (g.IsVisible(Gdiplus::Rect(0, frame_height, frame_width, GetHeight() - frame_height)))
    PaintPanel(g, frame_width, frame_height);
}

// The 40 x 30 pixels around the cursor at 100 % (from the screen's edge near the left and
// top) at three times their size; more of them at a larger scale, still three times as large.
// Stretched by GDI into a picture of its own, whose alpha GDI leaves at 0, and made opaque
// before it is drawn: the widget shows its pixels with their alpha.
void WndCapDlg::PaintMagnified(Gdiplus::Graphics& g, base::DpiScale scale) {
  const int source_width = (scale.Scale(kPictureWidth) + kZoom - 1) / kZoom;
  const int source_height = (scale.Scale(kPictureHeight) + kZoom - 1) / kZoom;
  const int width = source_width * kZoom;
  const int height = source_height * kZoom;
  const int source_x = cursorX_ <= source_width / 2 ? 0 : cursorX_ - source_width / 2;
  const int source_y = cursorY_ <= source_height / 2 ? 0 : cursorY_ - source_height / 2;
  // Made once per scale: the magnifier repaints on every mouse move.
  if (magnifiedScale_ != scale) {
    magnified_.Reset();
    magnifiedScale_ = scale;
  }
  if (magnified_.empty() && !magnified_.MakeTopDown32(width, height))
    return;
  HDC memory = magnified_.dc();
  SetStretchBltMode(memory, COLORONCOLOR);
  StretchBlt(memory, 0, 0, width, height, sourceDC_, source_x, source_y, source_width,
             source_height, SRCCOPY);
  GdiFlush();
  void* bits = magnified_.bits();
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i)
    pixels[i] |= 0xFF000000;
  Gdiplus::Bitmap opaque(width, height, width * 4, PixelFormat32bppARGB, static_cast<BYTE*>(bits));
  if (scale.IsUnit()) {
    g.DrawImage(&opaque, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                Gdiplus::UnitPixel);
    return;
  }
  // Over the picture's area only, which the larger stretch may pass by a pixel or two.
  const Gdiplus::GraphicsState saved = g.Save();
  g.SetClip(Gdiplus::Rect(0, 0, kPictureWidth, kPictureHeight), Gdiplus::CombineModeIntersect);
  dui::DrawOneToOne(g, &opaque, Gdiplus::Point(0, 0));
  g.Restore(saved);
}

void WndCapDlg::PaintPanel(Gdiplus::Graphics& g, int frame_width, int frame_height) {
  Gdiplus::SolidBrush panel{Gdiplus::Color(kPanelColor)};
  g.FillRectangle(&panel, 0, frame_height, frame_width, GetHeight() - frame_height);
  // The frozen screen's pixel, not the annotated picture's.
  const COLORREF color = GetPixel(sourceDC_, cursorX_, cursorY_);
  Gdiplus::Font* font =
      dui::ResManager::GetInstance()->GetFont(dui::kFontSize11, dui::FontFamily::kSong);
  if (font) {
    Gdiplus::SolidBrush white{Gdiplus::Color(kTextColor)};
    const std::array<std::wstring, 3> lines = InfoLines(selectionWidth_, selectionHeight_, color);
    for (size_t i = 0; i < lines.size(); ++i) {
      g.DrawString(
          lines[i].c_str(), -1, font,
          Gdiplus::PointF(kTextX, static_cast<Gdiplus::REAL>(frame_height + kLineOffsets[i])),
          &white);
    }
  }
  Gdiplus::SolidBrush swatch{
      Gdiplus::Color(0xFF, GetRValue(color), GetGValue(color), GetBValue(color))};
  g.FillRectangle(&swatch, kSwatchX, frame_height + kSwatchOffset, kSwatchSize, kSwatchSize);
}
