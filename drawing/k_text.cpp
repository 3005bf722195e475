#include "drawing/k_text.h"

#include "base/scoped_select_object.h"

namespace {

// The frame lies just outside the edit box, so that it stays visible around the box.
constexpr int kEditFrameMargin = 1;
constexpr int kEditFrameWidth = 1;
constexpr COLORREF kEditFrameColor = RGB(0, 0, 0);

// Wrapped at word boundaries like the edit box, "&" drawn as itself, and a last line that
// does not fit in whole left out, as the edit box shows it.
constexpr UINT kTextFormat = DT_EDITCONTROL | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

void KText::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.empty())
    return;
  const RECT box = {points.front().x, points.front().y, points.back().x, points.back().y};
  if (editing)
    DrawEditFrame(dc, box);
  if (!text.empty())
    DrawWrappedText(dc, box);
}

bool KText::IsValid() {
  return !text.empty();
}

bool KText::FinishTyping(const std::wstring& typed, HFONT typed_font) {
  SetFont(typed_font);
  editing = false;
  text = typed;
  return true;
}

void KText::SetFont(HFONT source) {
  LOGFONTW description = {};
  if (GetObjectW(source, sizeof(description), &description) == 0) {
    font.reset();
    return;
  }
  font.reset(CreateFontIndirectW(&description));
}

void KText::DrawEditFrame(HDC dc, const RECT& box) {
  base::ScopedPen pen(CreatePen(PS_DASHDOT, kEditFrameWidth, kEditFrameColor));
  base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
  base::ScopedSelectObject select_pen(dc, pen.get());
  Rectangle(dc, box.left - kEditFrameMargin, box.top - kEditFrameMargin,
            box.right + kEditFrameMargin, box.bottom + kEditFrameMargin);
}

void KText::DrawWrappedText(HDC dc, RECT box) {
  base::ScopedSelectObject select_font(dc, font.get());
  const int previous_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previous_color = SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kTextFormat);
  SetTextColor(dc, previous_color);
  SetBkMode(dc, previous_mode);
}
