#include "ui/tooltip.h"

#include <algorithm>

#include "dui/label.h"
#include "dui/scaled_image.h"
#include "resources/resource_ids.h"

namespace {

// The tooltip's face is the plain area of the toolbar picture from this point on.
constexpr int kFaceX = 100;
constexpr int kFaceY = 4;
// The largest tooltip the face can fill.
constexpr int kMaxWidth = 494;
constexpr int kMaxHeight = 42;
constexpr int kCursorOffsetX = 8;
constexpr int kCursorOffsetY = 18;
constexpr int kLabelX = 4;
constexpr int kLabelY = 3;

}  // namespace

Tooltip* Tooltip::CreateTooltip(const base::DesktopGeometry& desktop) {
  auto* widget = new dui::Widget();
  auto* tooltip = new Tooltip(desktop);
  // The back buffer is made at Init with this size; every tooltip fits in it.
  widget->SetSize(kMaxWidth, kMaxHeight);
  widget->Init(nullptr);
  widget->DisableMouse();
  widget->SetActivatable(false);
  widget->SetContentsView(tooltip);
  widget->SetQuitOnClose(false);
  return tooltip;
}

Tooltip::Tooltip(const base::DesktopGeometry& desktop)
    : desktop_(desktop), label_(new dui::Label()) {
  SetKeyListener(this);
  AddChildView(label_);
}

Tooltip::~Tooltip() {
  if (dui::Widget* widget = GetWidget())
    widget->RemoveTimerObserver(this);
}

void Tooltip::ShowAt(dui::View* owner,
                     const std::wstring& text,
                     int x,
                     int y,
                     int width,
                     int height) {
  owner_ = owner;
  Arrange(text, x, y, width, height);
  if (dui::Widget* widget = GetWidget())
    widget->AddTimerObserver(this);
}

void Tooltip::Update(const std::wstring& text, int x, int y, int width, int height) {
  Arrange(text, x, y, width, height);
}

// A width too small for the text (the save button's tooltip is 38 pixels wide when it
// appears) grows to fit it, so that no tooltip shows a part of its text.
void Tooltip::Arrange(const std::wstring& text, int x, int y, int width, int height) {
  text_ = text;
  label_->SetText(text);
  width = std::clamp(std::max(width, label_->GetPreferredSize().width + 2 * kLabelX), 0, kMaxWidth);
  height = std::clamp(height, 0, kMaxHeight);
  SetSize(width, height);
  label_->SetBounds(kLabelX, kLabelY, width - kLabelX, height - kLabelY);
  dui::Widget* widget = GetWidget();
  if (!widget)
    return;
  // At the scale of the cursor's monitor, beside a cursor the system draws at that scale.
  const RECT monitor = desktop_.MonitorAt({x, y});
  const base::DpiScale scale = desktop_.ScaleAt({x, y});
  widget->SetScale(scale);
  const SIZE size = scale.Scale(SIZE{width, height});
  const int left = std::min<int>(x + scale.Scale(kCursorOffsetX), monitor.right - size.cx);
  const int below = y + scale.Scale(kCursorOffsetY);
  const int top = below + size.cy > monitor.bottom ? y - size.cy : below;
  // Moved and resized in one step, as the picker is.
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, left, top, size.cx, size.cy,
               SWP_NOACTIVATE | SWP_NOREDRAW);
  widget->SetSize(width, height);
  SchedulePaint();
}

void Tooltip::Hide() {
  dui::Widget* widget = GetWidget();
  if (!widget)
    return;
  widget->RemoveTimerObserver(this);
  widget->Show(false);
}

void Tooltip::OnPaint(Gdiplus::Graphics& g) {
  dui::DrawScaledImage(g, IDB_TOOLBAR_BACKGROUND, Gdiplus::Rect(0, 0, GetWidth(), GetHeight()),
                       Gdiplus::Rect(kFaceX, kFaceY, GetWidth(), GetHeight()));
}

void Tooltip::OnKeyPressed(int virtual_key) {
  if (owner_)
    owner_->OnKeyPressed(virtual_key);
}

void Tooltip::OnKeyReleased(int /*virtual_key*/) {}

void Tooltip::OnTimer(int elapsed_ms) {
  delayLeft_ -= elapsed_ms;
  if (delayLeft_ > 0)
    return;
  dui::Widget* widget = GetWidget();
  widget->RemoveTimerObserver(this);
  widget->Show(true);
  delayLeft_ = kDelayMs;
  animation_ = std::make_unique<dui::Animation>(widget);
  animation_->SetDuration(kDisplayMs);
  animation_->SetDelegate(this);
  animation_->Start();
}

void Tooltip::AnimationEnded(dui::Animation* animation) {
  if (animation == animation_.get() && GetWidget())
    GetWidget()->Show(false);
}
