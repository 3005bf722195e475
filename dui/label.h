#pragma once

#include <cstdint>
#include <string>

#include "dui/size.h"
#include "dui/view.h"

namespace dui {

// One line of text, vertically centred in the label's bounds and never wrapped; a text too
// long for them is shortened with an ellipsis in the middle, as paths are. Grey while
// disabled. Owned by its parent view. UI thread only.
class Label : public View {
 public:
  Label();

  // Changes the text without repainting.
  virtual void SetText(const std::wstring& text);
  virtual std::wstring GetText() const;

  void SetFontFlags(int flags) { fontFlags_ = flags; }
  void SetTextColor(uint32_t argb) { textColor_ = argb; }

  // The size of the text in the label's font, as it will be drawn; (0, 0) without a font.
  Size GetPreferredSize() const;

  // Called on every repaint: draws the text into the label's bounds.
  void OnPaint(Gdiplus::Graphics& g) override;

 private:
  int fontFlags_;
  std::wstring text_;
  uint32_t textColor_ = 0xFEFEFEFE;
};

}  // namespace dui
