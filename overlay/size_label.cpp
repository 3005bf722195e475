#include "overlay/size_label.h"

#include <cwchar>

#include "base/scoped_select_object.h"
#include "overlay/size_label_layout.h"
#include "dui/nine_grid.h"
#include "dui/res_manager.h"
#include "resources/resource_ids.h"

namespace {

constexpr COLORREF kTextColor = RGB(195, 195, 195);
constexpr wchar_t kFace[] = L"微软雅黑";
constexpr int kMeasuringFontHeight = -33;
constexpr int kDrawingFontHeight = -20;
constexpr int kFallbackFontPoints = 9;
constexpr int kBorder = 5;

base::ScopedFont CreateLabelFont(int height, int weight, const wchar_t* face) {
  return base::ScopedFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, PROOF_QUALITY,
                                      VARIABLE_PITCH | FF_SWISS, face));
}

}  // namespace

RECT SizeLabel::Layout(HDC dc, const RECT& selection, const RECT& monitor, const RECT* toolbar) {
  if (!measuring_font_)
    MakeFonts(dc);
  swprintf(text_, sizeof(text_) / sizeof(text_[0]), L" %ld \u00d7 %ld ",
           static_cast<long>(selection.right - selection.left),
           static_cast<long>(selection.bottom - selection.top));
  SIZE extent = {};
  {
    base::ScopedSelectObject select_measuring(dc, measuring_font_.get());
    GetTextExtentPoint32W(dc, text_, static_cast<int>(wcslen(text_)), &extent);
  }
  Gdiplus::Image* background = dui::ResManager::GetInstance()->GetImage(IDB_SIZE_LABEL);
  const int background_height = background ? static_cast<int>(background->GetHeight()) : 0;
  rect_ = LayOutSizeLabel(selection, extent, monitor, toolbar, background_height);
  return rect_;
}

void SizeLabel::Draw(HDC dc) {
  PrepareBackground();
  background_.Draw(dc, rect_.left, rect_.top);
  base::ScopedSelectObject select_drawing(dc, drawing_font_.get());
  SetTextColor(dc, kTextColor);
  SetBkMode(dc, TRANSPARENT);
  RECT text_box = rect_;
  InflateRect(&text_box, -7, -6);
  DrawTextW(dc, text_, static_cast<int>(wcslen(text_)), &text_box, DT_CENTER | DT_VCENTER);
}

void SizeLabel::MakeFonts(HDC dc) {
  measuring_font_ = CreateLabelFont(kMeasuringFontHeight, FW_DONTCARE, kFace);
  if (!measuring_font_) {
    const int height = -MulDiv(kFallbackFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    measuring_font_ = CreateLabelFont(height, FW_BOLD, nullptr);
  }
  drawing_font_ = CreateLabelFont(kDrawingFontHeight, FW_DONTCARE, kFace);
}

void SizeLabel::PrepareBackground() {
  const int width = rect_.right - rect_.left;
  const int height = rect_.bottom - rect_.top;
  if (!background_.empty() && background_.width() == width && background_.height() == height)
    return;
  Gdiplus::Image* image = dui::ResManager::GetInstance()->GetImage(IDB_SIZE_LABEL);
  if (!image) {
    background_.Reset();
    return;
  }
  background_.Render(width, height, [&](Gdiplus::Graphics& graphics) {
    dui::DrawNineGrid(graphics, image, Gdiplus::Rect(0, 0, width, height), kBorder, kBorder);
  });
}
