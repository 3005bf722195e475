#include "drawing/k_step.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/gdiplus.h"
#include "drawing/gdiplus_color.h"

namespace {

constexpr int kBaseDiameter = 18;
constexpr int kDiameterPerWidth = 4;
// The number's height in pixels, of the circle's diameter.
constexpr Gdiplus::REAL kNumberShare = 0.6f;
// Colours brighter than this take a black number.
constexpr int kBlackNumberAbove = 150;

// A bold sans-serif face: the first of the faces that the system has.
std::unique_ptr<Gdiplus::FontFamily> NumberFace() {
  for (const wchar_t* name : {L"Arial", L"Tahoma", L"DejaVu Sans"}) {
    auto family = std::make_unique<Gdiplus::FontFamily>(name);
    if (family->GetLastStatus() == Gdiplus::Ok)
      return family;
  }
  return nullptr;
}

}  // namespace

int KStep::DiameterForWidth(int width) {
  return kBaseDiameter + kDiameterPerWidth * std::max(width, 1);
}

bool KStep::TakesBlackNumber(COLORREF color) {
  const int luminance =
      (299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color)) / 1000;
  return luminance > kBlackNumberAbove;
}

void KStep::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.empty())
    return;
  const POINT middle = points.front();
  const int diameter = DiameterForWidth(width);
  const Gdiplus::RectF circle(static_cast<Gdiplus::REAL>(middle.x) - diameter / 2.0f,
                              static_cast<Gdiplus::REAL>(middle.y) - diameter / 2.0f,
                              static_cast<Gdiplus::REAL>(diameter),
                              static_cast<Gdiplus::REAL>(diameter));
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush fill(GdiplusColorFromColorref(color));
  graphics.FillEllipse(&fill, circle);

  // The number as a filled outline rather than as text: the same pixels on any target, since
  // text output may take other ways on other kinds of device context.
  const std::unique_ptr<Gdiplus::FontFamily> face = NumberFace();
  if (!face)
    return;
  Gdiplus::StringFormat centred;
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  const std::wstring text = std::to_wstring(number);
  Gdiplus::GraphicsPath outline;
  outline.AddString(text.c_str(), static_cast<INT>(text.size()), face.get(), Gdiplus::FontStyleBold,
                    diameter * kNumberShare, circle, &centred);
  Gdiplus::SolidBrush ink(TakesBlackNumber(color) ? Gdiplus::Color(255, 0, 0, 0)
                                                  : Gdiplus::Color(255, 255, 255, 255));
  graphics.FillPath(&ink, &outline);
}

std::optional<RECT> KStep::PaintBounds() const {
  if (points.empty())
    return std::nullopt;
  const int reach = DiameterForWidth(width) / 2 + 2;
  const POINT middle = points.front();
  return RECT{middle.x - reach, middle.y - reach, middle.x + reach + 1, middle.y + reach + 1};
}
