#include "ui/tip.h"

#include <cstdlib>

#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"
#include "resources/resource_ids.h"
#include "settings/hot_key.h"

namespace {

constexpr int kPlacedWidth = 255;
constexpr int kPlacedHeight = 125;
constexpr int kCloseButtonX = 274;
constexpr int kCloseButtonY = 10;
constexpr int kCloseButtonSize = 14;
constexpr wchar_t kFace[] = L"微软雅黑";
constexpr Gdiplus::REAL kSmallText = 12;
constexpr Gdiplus::REAL kLargeText = 18;
constexpr Gdiplus::ARGB kGrey = 0xFFA0A0A0;
constexpr Gdiplus::ARGB kWhite = 0xFFF9FFFF;
constexpr Gdiplus::ARGB kLinkColor = 0xFFFFCC00;
constexpr wchar_t kBrand[] = L"Orvella";
constexpr wchar_t kCopied[] = L"截图已复制，右键可粘贴";
constexpr wchar_t kSaved[] = L"截图已保存，";
constexpr wchar_t kLink[] = L"点击查看";
constexpr int kMessageTop = 53;
constexpr int kLineTop = 96;

constexpr const wchar_t* kLines[Tip::kLineCount - 1] = {
    L"截图可以打上马赛克哦~",         L"下次试试，截图分享到微信",
    L"听说截图7000次，可以召唤神龙",  L"点击右键，可以快速退出截图",
    L"Orvella-截图，开机立马能用哦~", L"网断了，Orvella-截图照样能用",
    L"不用登陆，实时截图！",          L"专家说，截图一次燃烧3.2卡路里",
};
constexpr wchar_t kHotKeyLine[] = L"截图快捷键：";

// The tip's face, or the generic sans-serif face where it is missing.
std::unique_ptr<Gdiplus::FontFamily> Family() {
  auto family = std::make_unique<Gdiplus::FontFamily>(kFace);
  if (family->GetLastStatus() == Gdiplus::Ok)
    return family;
  return std::unique_ptr<Gdiplus::FontFamily>(Gdiplus::FontFamily::GenericSansSerif()->Clone());
}

void DrawText(Gdiplus::Graphics& g,
              const wchar_t* text,
              const Gdiplus::Font& font,
              Gdiplus::ARGB color,
              Gdiplus::REAL x,
              Gdiplus::REAL y) {
  Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  g.DrawString(text, -1, &font, Gdiplus::PointF(x, y), &brush);
}

}  // namespace

Tip* Tip::Show(int x, int y, SessionOutcome& outcome, base::DpiScale scale) {
  if (outcome.balloon_shown)
    return nullptr;
  auto* widget = new dui::Widget();
  std::unique_ptr<Tip> made(new Tip(x, y, outcome));
  widget->SetSize(kWidth, kHeight);
  widget->SetScale(scale);
  widget->Init(nullptr);
  if (!widget->GetHwnd()) {
    widget->Close();
    return nullptr;
  }
  outcome.balloon_shown = true;
  if (outcome.saved)
    outcome.saved_link = true;
  Tip* tip = made.release();
  widget->SetContentsView(tip);
  widget->SetQuitOnClose(false);
  widget->SetAlpha(0);
  tip->StartFade(&tip->fadeIn_);
  HWND window = widget->GetHwnd();
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  const SIZE size = scale.Scale(SIZE{kWidth, kHeight});
  SetWindowPos(window, HWND_TOPMOST, tip->position_.x, tip->position_.y, size.cx, size.cy,
               SWP_NOACTIVATE | SWP_NOREDRAW);
  widget->Show(true);
  return tip;
}

POINT Tip::PositionOn(const RECT& monitor, base::DpiScale scale) {
  return {monitor.left + (monitor.right - monitor.left - scale.Scale(kPlacedWidth)) / 2,
          monitor.top + (monitor.bottom - monitor.top - scale.Scale(kPlacedHeight)) / 2};
}

std::wstring Tip::Line(int index) {
  if (index >= 0 && index < kLineCount - 1)
    return kLines[index];
  return kHotKeyLine + HotKeyText();
}

Tip::Tip(int x, int y, SessionOutcome& outcome) : outcome_(outcome), position_{x, y} {
  SetSize(kWidth, kHeight);
  srand(GetTickCount());
  tipIndex_ = rand() % kLineCount;
  closeButton_ = new dui::CommonButton();
  closeButton_->SetClickListener(this);
  closeButton_->SetMouseListener(this);
  closeButton_->SetHandCursor(true);
  for (const dui::CommonButton::Look look :
       {dui::CommonButton::Look::kNormal, dui::CommonButton::Look::kHover,
        dui::CommonButton::Look::kPressed}) {
    closeButton_->SetStateImage(IDB_BALLOON_CLOSE, look);
  }
  AddChildView(closeButton_);
  closeButton_->SetBounds(kCloseButtonX, kCloseButtonY, kCloseButtonSize, kCloseButtonSize);
}

Tip::~Tip() {
  // The widget may go without a Close, with the process or a test's window.
  if (dui::Widget* widget = GetWidget()) {
    widget->RemoveTimerObserver(this);
    outcome_.balloon_shown = false;
  }
}

void Tip::StartFade(std::unique_ptr<dui::Animation>* fade) {
  *fade = std::make_unique<dui::Animation>(GetWidget());
  (*fade)->SetDuration(kFadeMs);
  (*fade)->SetDelegate(this);
  (*fade)->Start();
}

void Tip::SetWidgetAlpha(uint8_t alpha) {
  dui::Widget* widget = GetWidget();
  if (widget->GetAlpha() == alpha)
    return;
  widget->SetAlpha(alpha);
  widget->SchedulePaint();
}

void Tip::AnimationProgressed(dui::Animation* animation) {
  const double t = animation->GetProgress();
  if (animation == fadeIn_.get())
    SetWidgetAlpha(static_cast<uint8_t>(dui::Tween(dui::kTweenEaseOut, t) * 255));
  else if (animation == fadeOut_.get())
    SetWidgetAlpha(static_cast<uint8_t>((1 - dui::Tween(dui::kTweenEaseIn, t)) * 255));
}

void Tip::AnimationEnded(dui::Animation* animation) {
  if (animation == fadeIn_.get())
    GetWidget()->AddTimerObserver(this);
  else if (animation == fadeOut_.get())
    Close();
}

void Tip::OnTimer(int elapsed_ms) {
  remainingMs_ -= elapsed_ms;
  if (remainingMs_ > 0)
    return;
  GetWidget()->RemoveTimerObserver(this);
  StartFade(&fadeOut_);
}

void Tip::Close() {
  outcome_.balloon_shown = false;
  GetWidget()->Close();
}

void Tip::OnMouseEntered(const dui::Point& point) {
  View::OnMouseEntered(point);
  Hold();
}

void Tip::Hold() {
  if (hovered_)
    return;
  hovered_ = true;
  GetWidget()->RemoveTimerObserver(this);
  for (dui::Animation* fade : {fadeIn_.get(), fadeOut_.get()}) {
    if (fade)
      fade->Stop(dui::Animation::Notify::kNo);
  }
  SetWidgetAlpha(255);
}

void Tip::OnMouseMoved(const dui::Point& /*point*/) {}

void Tip::OnMouseExited() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(GetWidget()->GetHwnd(), &cursor);
  if (!hovered_ || GetLocalBounds().Contains({cursor.x, cursor.y}))
    return;
  hovered_ = false;
  GetWidget()->AddTimerObserver(this);
}

void Tip::OnClick(dui::View* sender) {
  if (sender == closeButton_)
    Close();
}

// The mouse may come straight onto the close button, past the tip's own area.
void Tip::OnMouseEntered(dui::View* /*sender*/, const dui::Point& /*point*/) {
  Hold();
}

void Tip::OnMouseMoved(dui::View* /*sender*/, const dui::Point& /*point*/) {}

void Tip::OnMousePressed(dui::View* /*sender*/, const dui::Point& /*point*/) {}

void Tip::OnMouseReleased(dui::View* /*sender*/, const dui::Point& /*point*/) {}

void Tip::OnMouseExited(dui::View* /*sender*/) {}

void Tip::OnPaint(Gdiplus::Graphics& g) {
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  if (outcome_.copied)
    PaintLayout(g, Layout::kCopied);
  if (outcome_.saved)
    PaintLayout(g, Layout::kSaved);
}

void Tip::PaintLayout(Gdiplus::Graphics& g, Layout layout) {
  Gdiplus::Image* background = dui::ResManager::GetInstance()->GetImage(IDB_BALLOON_BACKGROUND);
  const std::unique_ptr<Gdiplus::FontFamily> family = Family();
  const Gdiplus::Font small(family.get(), kSmallText, Gdiplus::FontStyleRegular,
                            Gdiplus::UnitPixel);
  const Gdiplus::Font large(family.get(), kLargeText, Gdiplus::FontStyleRegular,
                            Gdiplus::UnitPixel);
  const Gdiplus::Font link(family.get(), kLargeText, Gdiplus::FontStyleUnderline,
                           Gdiplus::UnitPixel);
  if (!background || small.GetLastStatus() != Gdiplus::Ok || large.GetLastStatus() != Gdiplus::Ok ||
      link.GetLastStatus() != Gdiplus::Ok) {
    return;
  }
  dui::DrawScaledImage(g, IDB_BALLOON_BACKGROUND, Gdiplus::Point(0, 0));
  DrawText(g, kBrand, small, kGrey, 13, 13);
  if (layout == Layout::kSaved) {
    DrawText(g, kSaved, large, kWhite, 52, kMessageTop);
    DrawText(g, kLink, link, kLinkColor, kLinkArea.x, kLinkArea.y);
  } else {
    DrawText(g, kCopied, large, kWhite, 48, kMessageTop);
  }
  Gdiplus::StringFormat centred;
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::SolidBrush grey{Gdiplus::Color(kGrey)};
  const std::wstring line = Line(tipIndex_);
  g.DrawString(line.c_str(), -1, &small, Gdiplus::RectF(0, kLineTop, kWidth, kHeight - kLineTop),
               &centred, &grey);
}
