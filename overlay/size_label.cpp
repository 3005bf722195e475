#include "overlay/size_label.h"

#include <cwchar>

#include "base/scoped_select_object.h"
#include "dui/nine_grid.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"
#include "overlay/size_label_layout.h"
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

RECT SizeLabel::Layout(HDC dc,
                       const RECT& selection,
                       const RECT& monitor,
                       base::DpiScale scale,
                       const RECT* toolbar) {
  if (!measuring_font_ || scale != scale_)
    MakeFonts(scale);
  swprintf(text_, sizeof(text_) / sizeof(text_[0]), L" %ld \u00d7 %ld ",
           static_cast<long>(selection.right - selection.left),
           static_cast<long>(selection.bottom - selection.top));
  SIZE extent = {};
  {
    base::ScopedSelectObject select_measuring(dc, measuring_font_.get());
    GetTextExtentPoint32W(dc, text_, static_cast<int>(wcslen(text_)), &extent);
  }
  Gdiplus::Image* background = dui::ResManager::GetInstance()->GetImage(IDB_SIZE_LABEL);
  const int background_height =
      background ? scale.Scale(static_cast<int>(background->GetHeight())) : 0;
  rect_ = LayOutSizeLabel(selection, extent, monitor, toolbar, background_height, scale);
  return rect_;
}

void SizeLabel::Draw(HDC dc) {
  PrepareBackground();
  background_.Draw(dc, rect_.left, rect_.top);
  base::ScopedSelectObject select_drawing(dc, drawing_font_.get());
  SetTextColor(dc, kTextColor);
  SetBkMode(dc, TRANSPARENT);
  RECT text_box = rect_;
  InflateRect(&text_box, -scale_.Scale(7), -scale_.Scale(6));
  DrawTextW(dc, text_, static_cast<int>(wcslen(text_)), &text_box, DT_CENTER | DT_VCENTER);
}

void SizeLabel::MakeFonts(base::DpiScale scale) {
  scale_ = scale;
  // The background goes with the scale too.
  background_.Reset();
  measuring_font_ = CreateLabelFont(scale.Scale(kMeasuringFontHeight), FW_DONTCARE, kFace);
  if (!measuring_font_) {
    const int height = -MulDiv(kFallbackFontPoints, scale.dpi(), 72);
    measuring_font_ = CreateLabelFont(height, FW_BOLD, nullptr);
  }
  drawing_font_ = CreateLabelFont(scale.Scale(kDrawingFontHeight), FW_DONTCARE, kFace);
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
    if (scale_.IsUnit())
      dui::DrawNineGrid(graphics, image, Gdiplus::Rect(0, 0, width, height), kBorder, kBorder);
    else
      dui::DrawNineGridAtScale(graphics, IDB_SIZE_LABEL, Gdiplus::Rect(0, 0, width, height),
                               kBorder, kBorder, scale_);
  });
}
