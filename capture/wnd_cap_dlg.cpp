#include "capture/wnd_cap_dlg.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

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
constexpr COLORREF kPanelGdiColor = RGB(0x2E, 0x22, 0x20);
constexpr int kPanelFontPixels = 11;
constexpr wchar_t kPanelFontFace[] = L"宋体";
// GDI+ set its text this far right of where GDI sets it.
constexpr int kTextX = 5;
// The panel lies under the frame picture, which is this high at 100 %.
constexpr int kFrameHeight = 89;
constexpr int kLineOffsets[] = {3, 15, 27};
constexpr int kSwatchX = 102;
constexpr int kSwatchOffset = 29;
constexpr int kSwatchSize = 12;

// The bounding box of the pixels that differ between two pictures of `width` x `height`.
dui::Rectangle ChangedArea(const uint32_t* before, const uint32_t* after, int width, int height) {
  int left = width, top = height, right = 0, bottom = 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row_before = before + static_cast<size_t>(y) * width;
    const uint32_t* row_after = after + static_cast<size_t>(y) * width;
    if (std::equal(row_after, row_after + width, row_before))
      continue;
    top = std::min(top, y);
    bottom = y + 1;
    int first = 0;
    while (row_after[first] == row_before[first])
      ++first;
    int last = width - 1;
    while (row_after[last] == row_before[last])
      --last;
    left = std::min(left, first);
    right = std::max(right, last + 1);
  }
  return bottom > top ? dui::Rectangle{left, top, right - left, bottom - top} : dui::Rectangle();
}

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
  view->Magnify(widget->GetScale());
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
  // Only what changed is painted again: over an even area the window only moves. The
  // panel's text is the slowest part of a repaint, and it seldom changes.
  dui::Rectangle changed = Magnify(widget->GetScale());
  const dui::Rectangle lines = ChangedLines(lines_before, Lines());
  if (!lines.IsEmpty())
    changed = changed.IsEmpty() ? lines : changed.Union(lines);
  if (!changed.IsEmpty())
    SchedulePaintInRect(changed);
  // Shown with this move, rather than once the capture window's work for it is done.
  widget->PaintNow();
}

dui::Rectangle WndCapDlg::ChangedLines(const std::array<std::wstring, 3>& before,
                                       const std::array<std::wstring, 3>& after) {
  // The size's line, then the colour's two and the swatch beside them, which change together.
  if (before[1] != after[1] || before[2] != after[2]) {
    const int top = kFrameHeight + kLineOffsets[1];
    return before[0] != after[0] ? dui::Rectangle{0, kFrameHeight, kWidth, kHeight - kFrameHeight}
                                 : dui::Rectangle{0, top, kWidth, kHeight - top};
  }
  if (before[0] != after[0])
    return dui::Rectangle{0, kFrameHeight, kWidth, kLineOffsets[1]};
  return {};
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
// Stretched by GDI into a picture of its own, whose alpha GDI leaves at 0, and made opaque:
// the widget shows its pixels with their alpha.
dui::Rectangle WndCapDlg::Magnify(base::DpiScale scale) {
  const dui::Rectangle picture = {0, 0, kPictureWidth, kPictureHeight};
  if (!sourceDC_)
    return {};
  const int source_width = (scale.Scale(kPictureWidth) + kZoom - 1) / kZoom;
  const int source_height = (scale.Scale(kPictureHeight) + kZoom - 1) / kZoom;
  const int width = source_width * kZoom;
  const int height = source_height * kZoom;
  const int source_x = cursorX_ <= source_width / 2 ? 0 : cursorX_ - source_width / 2;
  const int source_y = cursorY_ <= source_height / 2 ? 0 : cursorY_ - source_height / 2;
  const size_t count = static_cast<size_t>(width) * height;
  bool anew = false;
  if (magnifiedScale_ != scale || magnified_.empty()) {
    magnifiedScale_ = scale;
    if (!magnified_.MakeTopDown32(width, height))
      return picture;
    lastMagnified_.assign(count, 0);
    anew = true;
  }
  auto* pixels = static_cast<uint32_t*>(magnified_.bits());
  std::copy(pixels, pixels + count, lastMagnified_.begin());
  HDC memory = magnified_.dc();
  SetStretchBltMode(memory, COLORONCOLOR);
  StretchBlt(memory, 0, 0, width, height, sourceDC_, source_x, source_y, source_width,
             source_height, SRCCOPY);
  GdiFlush();
  for (size_t i = 0; i < count; ++i)
    pixels[i] |= 0xFF000000;
  if (anew || !scale.IsUnit())
    return picture;
  return ChangedArea(lastMagnified_.data(), pixels, width, height);
}

void WndCapDlg::PaintMagnified(Gdiplus::Graphics& g, base::DpiScale scale) {
  if (magnified_.empty() || magnifiedScale_ != scale)
    return;
  const int width = (scale.Scale(kPictureWidth) + kZoom - 1) / kZoom * kZoom;
  const int height = (scale.Scale(kPictureHeight) + kZoom - 1) / kZoom * kZoom;
  Gdiplus::Bitmap opaque(width, height, width * 4, PixelFormat32bppARGB,
                         static_cast<BYTE*>(magnified_.bits()));
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

// Drawn by GDI into a picture of the widget's device pixels: its text changes at nearly every
// move over a busy screen, and GDI+ text costs several times as much as GDI's.
void WndCapDlg::PaintPanel(Gdiplus::Graphics& g, int frame_width, int frame_height) {
  const base::DpiScale scale = GetWidget() ? GetWidget()->GetScale() : base::DpiScale();
  const SIZE size = scale.Scale(SIZE{frame_width, GetHeight() - frame_height});
  if (panelScale_ != scale || panel_.empty()) {
    panelScale_ = scale;
    panelFont_.reset(CreateFontW(-scale.Scale(kPanelFontPixels), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH, kPanelFontFace));
    if (!panel_.MakeTopDown32(size.cx, size.cy))
      return;
  }
  DrawPanel(scale, size);
  Gdiplus::Bitmap picture(size.cx, size.cy, size.cx * 4, PixelFormat32bppARGB,
                          static_cast<BYTE*>(panel_.bits()));
  dui::DrawOneToOne(g, &picture, Gdiplus::Point(0, frame_height));
}

void WndCapDlg::DrawPanel(base::DpiScale scale, SIZE size) {
  HDC dc = panel_.dc();
  const RECT all = {0, 0, size.cx, size.cy};
  base::ScopedBrush background(CreateSolidBrush(kPanelGdiColor));
  FillRect(dc, &all, background.get());
  // The frozen screen's pixel, not the annotated picture's.
  const COLORREF color = GetPixel(sourceDC_, cursorX_, cursorY_);
  if (panelFont_) {
    base::ScopedSelectObject font(dc, panelFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::array<std::wstring, 3> lines = InfoLines(selectionWidth_, selectionHeight_, color);
    for (size_t i = 0; i < lines.size(); ++i) {
      TextOutW(dc, scale.Scale(kTextX), scale.Scale(kLineOffsets[i]), lines[i].c_str(),
               static_cast<int>(lines[i].size()));
    }
  }
  const RECT swatch = {scale.Scale(kSwatchX), scale.Scale(kSwatchOffset),
                       scale.Scale(kSwatchX + kSwatchSize),
                       scale.Scale(kSwatchOffset + kSwatchSize)};
  base::ScopedBrush swatch_brush(CreateSolidBrush(color));
  FillRect(dc, &swatch, swatch_brush.get());
  // GDI leaves the alpha as it was; the widget shows its pixels with theirs.
  GdiFlush();
  auto* pixels = static_cast<uint32_t*>(panel_.bits());
  for (size_t i = 0; i < static_cast<size_t>(size.cx) * size.cy; ++i)
    pixels[i] |= 0xFF000000;
}
