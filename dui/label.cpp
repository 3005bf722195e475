#include "dui/label.h"

#include "base/scoped_get_dc.h"
#include "dui/res_manager.h"
#include "dui/widget.h"

namespace dui {
namespace {

constexpr uint32_t kDisabledTextColor = 0xFFA0A0A0;
constexpr Gdiplus::REAL kMeasureExtent = 5000;

}  // namespace

Label::Label() : fontFlags_(kDefaultFontFlags) {}

void Label::SetText(const std::wstring& text) {
  text_ = text;
}

std::wstring Label::GetText() const {
  return text_;
}

Size Label::GetPreferredSize() const {
  Gdiplus::Font* font = ResManager::GetInstance()->GetFont(fontFlags_, FontFamily::kSong);
  if (!font)
    return Size();
  const Widget* widget = GetWidget();
  HDC widget_dc = widget ? widget->GetMemoryDC() : nullptr;
  // The screen's DC serves while the label is not in a widget yet.
  base::ScopedGetDc screen(nullptr);
  Gdiplus::Graphics graphics(widget_dc ? widget_dc : screen.get());
  Gdiplus::StringFormat format;
  Gdiplus::RectF measured;
  graphics.MeasureString(text_.c_str(), static_cast<int>(text_.size()), font,
                         Gdiplus::RectF(0, 0, kMeasureExtent, kMeasureExtent), &format, &measured);
  return {static_cast<int32_t>(measured.Width), static_cast<int32_t>(measured.Height)};
}

void Label::OnPaint(Gdiplus::Graphics& g) {
  if (text_.empty())
    return;
  Gdiplus::Font* font = ResManager::GetInstance()->GetFont(fontFlags_, FontFamily::kSong);
  if (!font)
    return;
  Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisPath);
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  Gdiplus::SolidBrush brush{Gdiplus::Color(IsEnabled() ? textColor_ : kDisabledTextColor)};
  const Gdiplus::RectF area(0, 0, static_cast<Gdiplus::REAL>(GetWidth()),
                            static_cast<Gdiplus::REAL>(GetHeight()));
  g.DrawString(text_.c_str(), static_cast<int>(text_.size()), font, area, &format, &brush);
}

}  // namespace dui
