#include "dui/common_button.h"

#include "base/assert.h"
#include "dui/mouse_listener.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"

namespace dui {
namespace {

constexpr Gdiplus::REAL kLeftAlignedTextX = 4;

}  // namespace

CommonButton::CommonButton(const std::wstring& caption)
    : text_(caption), fontFlags_(kDefaultFontFlags) {}

int CommonButton::IndexOf(Look look) {
  const int index = static_cast<int>(look);
  return index >= 0 && index < kLookCount ? index : -1;
}

void CommonButton::SetStateImage(int image_id, Look look) {
  Gdiplus::Image* image = ResManager::GetInstance()->GetImage(image_id);
  PICTOR_ASSERT(image != NULL, "common_button");
  if (image && GetBounds().IsEmpty())
    SetSize(static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight()));
  if (IndexOf(look) >= 0)
    images_[IndexOf(look)] = image_id;
}

int CommonButton::GetStateImage(Look look) const {
  return IndexOf(look) >= 0 ? images_[IndexOf(look)] : 0;
}

void CommonButton::SetState(Look look) {
  PICTOR_ASSERT(IndexOf(look) >= 0, "common_button");
  if (IndexOf(look) < 0)
    return;
  state_ = look;
  SetEnabled(look != Look::kDisabled);
}

void CommonButton::ChangeState(Look look) {
  SetState(look);
  SchedulePaint();
}

void CommonButton::OnPaint(Gdiplus::Graphics& g) {
  const int res_id = images_[IndexOf(state_)];
  if (res_id == 0) {
    base::AssertFailed("common_button", "res_id != NULL");
    return;
  }
  DrawScaledImage(g, res_id, Gdiplus::Point(0, 0));
  if (!text_.empty())
    PaintCaption(g);
}

void CommonButton::PaintCaption(Gdiplus::Graphics& g) {
  Gdiplus::Font* font = ResManager::GetInstance()->GetFont(fontFlags_, FontFamily::kSong);
  if (!font)
    return;
  const int length = static_cast<int>(text_.size());
  Gdiplus::RectF measured;
  g.MeasureString(text_.c_str(), length, font, Gdiplus::PointF(0, 0), &measured);
  const Gdiplus::REAL x = textCentered_ ? (GetWidth() - measured.Width) * 0.5f : kLeftAlignedTextX;
  const Gdiplus::REAL y = (GetHeight() - measured.Height) * 0.5f;
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  Gdiplus::SolidBrush brush{Gdiplus::Color(textColor_)};
  g.DrawString(text_.c_str(), length, font, Gdiplus::PointF(x, y), &brush);
}

void CommonButton::OnMouseEntered(const Point& point) {
  ChangeState(Look::kHover);
  View::OnMouseEntered(point);
  if (mouseListener_)
    mouseListener_->OnMouseEntered(this, point);
}

void CommonButton::OnMouseMoved(const Point& point) {
  if (state_ != Look::kHover)
    ChangeState(Look::kHover);
  if (mouseListener_)
    mouseListener_->OnMouseMoved(this, point);
}

void CommonButton::OnMousePressed(const Point& point) {
  ChangeState(Look::kPressed);
  if (mouseListener_)
    mouseListener_->OnMousePressed(this, point);
}

void CommonButton::OnMouseReleased(const Point& point) {
  ChangeState(Look::kHover);
  View::OnMouseReleased(point);
  if (mouseListener_)
    mouseListener_->OnMouseReleased(this, point);
}

void CommonButton::OnMouseExited() {
  if (state_ != Look::kDisabled)
    SetState(Look::kNormal);
  SchedulePaint();
  if (mouseListener_)
    mouseListener_->OnMouseExited(this);
}

}  // namespace dui
