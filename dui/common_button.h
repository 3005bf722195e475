#pragma once

#include <cstdint>
#include <string>

#include "dui/view.h"

namespace dui {

class MouseListener;

// An image button with an optional one-line caption and four looks (normal, hover,
// pressed, disabled), each an image of the ResManager drawn at its own size, which the
// button's owner gives by resource id. Clicks go to
// the view's click listener, mouse movement to the button's mouse listener. Owned by its
// parent view. UI thread only.
class CommonButton : public View {
 public:
  // The button's looks, each with an image of its own.
  enum class Look {
    kNormal,
    kHover,
    kPressed,
    kDisabled,  // also makes the button disabled: the mouse passes to its parent
  };
  static constexpr int kLookCount = 4;

  explicit CommonButton(const std::wstring& caption = std::wstring());

  // Uses image `image_id` for `look`; a button without bounds takes the image's size.
  void SetStateImage(int image_id, Look look);
  int GetStateImage(Look look) const;
  // Changes the look without repainting; kDisabled disables the button, any other look
  // enables it.
  void SetState(Look look);
  Look GetState() const { return state_; }

  // Changes the caption without repainting.
  void SetText(const std::wstring& text) { text_ = text; }
  const std::wstring& GetText() const { return text_; }
  void SetFontFlags(int flags) { fontFlags_ = flags; }
  void SetTextColor(uint32_t argb) { textColor_ = argb; }
  // Centred, or starting 4 pixels from the left edge.
  void SetTextCentered(bool centered) { textCentered_ = centered; }
  void SetMouseListener(MouseListener* listener) { mouseListener_ = listener; }

  // Called on every repaint: the state's image at (0, 0), then the caption.
  void OnPaint(Gdiplus::Graphics& g) override;
  // Called when the mouse comes over the button: hover look, then the listeners.
  void OnMouseEntered(const Point& point) override;
  // Called for further moves: back to the hover look (after a press), then the listener.
  void OnMouseMoved(const Point& point) override;
  // Called when the left button goes down: pressed look, then the listener.
  void OnMousePressed(const Point& point) override;
  // Called when the left button goes up: hover look, the click, then the listener.
  void OnMouseReleased(const Point& point) override;
  // Called when the mouse has left: normal look unless disabled, then the listener.
  void OnMouseExited() override;

 private:
  void ChangeState(Look look);
  // The look's place in images_, or -1 for a value outside the enumeration.
  static int IndexOf(Look look);
  void PaintCaption(Gdiplus::Graphics& g);

  int images_[kLookCount] = {};
  Look state_ = Look::kNormal;
  std::wstring text_;
  int fontFlags_;
  uint32_t textColor_ = 0xFE000000;
  MouseListener* mouseListener_ = nullptr;
  bool textCentered_ = true;
};

}  // namespace dui
