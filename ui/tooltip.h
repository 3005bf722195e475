#pragma once

#include <memory>
#include <string>

#include "base/desktop_geometry.h"
#include "dui/animation.h"
#include "dui/key_listener.h"
#include "dui/view.h"
#include "dui/widget.h"

namespace dui {
class Label;
}

// The small text box that names the toolbar button under the mouse: shown 100 ms after the
// mouse enters a button, kept for five seconds, hidden as soon as the mouse presses,
// releases or leaves. It lives in a widget of its own that ignores the mouse and never takes
// the keyboard from the window being typed into. The content view of its widget, which
// deletes it; the toolbar keeps a pointer until it closes the widget. UI thread only.
class Tooltip : public dui::View,
                public dui::Animation::Delegate,
                public dui::Widget::TimerObserver,
                public dui::KeyListener {
 public:
  // How long the mouse rests on a button before the tooltip shows, and how long it shows.
  static constexpr int kDelayMs = 100;
  static constexpr int kDisplayMs = 5000;

  // Makes the hidden tooltip in its own widget, for the monitors of `desktop`.
  static Tooltip* CreateTooltip(const base::DesktopGeometry& desktop);

  ~Tooltip() override;

  // Starts the delay for `text` in a `width` x `height` box (wider where the text needs it)
  // that will show 8 pixels right of and 18 pixels below the cursor at screen point (x, y),
  // moved left of the cursor's monitor's right edge and above the cursor at its bottom edge.
  // `owner` gets the keys.
  void ShowAt(dui::View* owner, const std::wstring& text, int x, int y, int width, int height);
  // Changes the text, size and place; visible or hidden, the tooltip stays so.
  void Update(const std::wstring& text, int x, int y, int width, int height);
  // Hides the tooltip and stops the delay; what is left of the delay is kept for the next
  // button.
  void Hide();

  const std::wstring& text() const { return text_; }

  // Called on every repaint: the tooltip's part of the toolbar picture.
  void OnPaint(Gdiplus::Graphics& g) override;
  // Called for a key that reached the tooltip: passed to the owner.
  void OnKeyPressed(int virtual_key) override;
  void OnKeyReleased(int virtual_key) override;
  // Called by the widget's timer: counts the delay down and shows the tooltip.
  void OnTimer(int elapsed_ms) override;
  // Called when the display time is over.
  void AnimationEnded(dui::Animation* animation) override;

 private:
  explicit Tooltip(const base::DesktopGeometry& desktop);
  void Arrange(const std::wstring& text, int x, int y, int width, int height);

  base::DesktopGeometry desktop_;
  dui::Label* label_;
  std::wstring text_;
  int delayLeft_ = kDelayMs;
  std::unique_ptr<dui::Animation> animation_;
  dui::View* owner_ = nullptr;
};
