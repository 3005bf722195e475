#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/dpi_scale.h"
#include "base/session_outcome.h"
#include "dui/animation.h"
#include "dui/click_listener.h"
#include "dui/mouse_listener.h"
#include "dui/rectangle.h"
#include "dui/view.h"
#include "dui/widget.h"

namespace dui {
class CommonButton;
}

// The balloon that confirms a save: it fades in, stays half a second, fades out, and when its
// window is gone the session ends. It links to the saved file, shows one line chosen at
// random, holds still while the mouse is over it and closes at once from its close button.
// The content view of its own widget, which deletes it; at most one exists, which the
// session's outcome records. UI thread only.
class Tip : public dui::View,
            public dui::ClickListener,
            public dui::MouseListener,
            public dui::Animation::Delegate,
            public dui::Widget::TimerObserver {
 public:
  static constexpr int kWidth = 298;
  static constexpr int kHeight = 138;
  static constexpr int kFadeMs = 500;
  static constexpr int kHoldMs = 500;
  static constexpr int kLineCount = 9;
  // The link to the saved file, in the tip's root coordinates (its client area at 100 %).
  static constexpr dui::Rectangle kLinkArea = {160, 53, 75, 20};

  // Shows a tip for `outcome` (which must outlive it) at `scale` with its top-left corner at
  // screen point (x, y), and turns the link to a saved file on; null when one is up already or
  // its window cannot be made.
  static Tip* Show(int x, int y, SessionOutcome& outcome, base::DpiScale scale = {});
  // Where a save puts the tip: centred on `monitor` as if it were 255 x 125 at `scale`.
  static POINT PositionOn(const RECT& monitor, base::DpiScale scale = {});
  // The random line number `index`; the last names the capture hot key.
  static std::wstring Line(int index);

  ~Tip() override;

  // Called on every repaint: the copied or saved layout, or both, and the random line.
  void OnPaint(Gdiplus::Graphics& g) override;
  // Called when the mouse comes over the tip: it stays fully visible while the mouse is there.
  void OnMouseEntered(const dui::Point& point) override;
  void OnMouseMoved(const dui::Point& point) override;
  // Called when the mouse leaves the tip's window, from whatever view, or moves onto its
  // close button; only the former lets the countdown go on.
  void OnMouseExited() override;

  // Called when the close button is clicked.
  void OnClick(dui::View* sender) override;
  // Called when the mouse comes over the close button: the tip holds as over itself.
  void OnMouseEntered(dui::View* sender, const dui::Point& point) override;
  void OnMouseMoved(dui::View* sender, const dui::Point& point) override;
  void OnMousePressed(dui::View* sender, const dui::Point& point) override;
  void OnMouseReleased(dui::View* sender, const dui::Point& point) override;
  void OnMouseExited(dui::View* sender) override;

  // Called on every step of the fades: the widget's alpha follows them.
  void AnimationProgressed(dui::Animation* animation) override;
  // Called at the end of a fade: the hold begins, or the tip closes.
  void AnimationEnded(dui::Animation* animation) override;
  // Called by the widget's timer while the tip holds.
  void OnTimer(int elapsed_ms) override;

 private:
  // What one layout of the tip says: that the picture was copied, or saved with a link.
  enum class Layout { kCopied, kSaved };

  Tip(int x, int y, SessionOutcome& outcome);
  void StartFade(std::unique_ptr<dui::Animation>* fade);
  // Stops the fades and the countdown and shows the tip fully, while the mouse is over it.
  void Hold();
  void SetWidgetAlpha(uint8_t alpha);
  void Close();
  void PaintLayout(Gdiplus::Graphics& g, Layout layout);

  SessionOutcome& outcome_;
  POINT position_;
  int remainingMs_ = kHoldMs;
  int tipIndex_;
  std::unique_ptr<dui::Animation> fadeIn_;
  std::unique_ptr<dui::Animation> fadeOut_;
  dui::CommonButton* closeButton_ = nullptr;
  bool hovered_ = false;
};
