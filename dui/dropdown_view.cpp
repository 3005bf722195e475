#include "dui/dropdown_view.h"

#include "dui/common_button.h"
#include "dui/widget.h"

namespace dui {

DropdownView* DropdownView::Show(HWND parent,
                                 const std::vector<std::wstring>& items,
                                 const Style& style,
                                 Delegate* delegate,
                                 int x,
                                 int y,
                                 base::DpiScale scale) {
  const int height = Height(style, static_cast<int>(items.size()));
  auto* widget = new Widget();
  auto* view = new DropdownView(delegate);
  view->SetSize(style.width, height);
  view->AddItems(items, style);
  widget->SetSize(style.width, height);
  widget->SetScale(scale);
  widget->Init(parent);
  widget->SetContentsView(view);
  widget->SetQuitOnClose(false);
  widget->SetActivatable(false);
  const SIZE size = scale.Scale(SIZE{style.width, height});
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE);
  widget->Show(true);
  return view;
}

DropdownView::DropdownView(Delegate* delegate) : delegate_(delegate) {}

DropdownView::~DropdownView() {
  // The widget may go without a Close, with the window that owns it.
  if (delegate_)
    delegate_->OnDropdownClosed(kNoChoice);
}

void DropdownView::Close() {
  delegate_ = nullptr;
  GetWidget()->Close();
}

void DropdownView::AddItems(const std::vector<std::wstring>& items, const Style& style) {
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new CommonButton(items[i]);
    item->SetClickListener(this);
    item->SetTextColor(style.text_color);
    item->SetTextCentered(false);
    item->SetStateImage(style.normal_face, CommonButton::Look::kNormal);
    item->SetStateImage(style.hover_face, CommonButton::Look::kHover);
    item->SetStateImage(style.hover_face, CommonButton::Look::kPressed);
    item->SetBounds(0, style.top_margin + style.item_height * static_cast<int>(i), style.width,
                    style.item_height);
    AddChildView(item);
    items_.push_back(item);
  }
}

void DropdownView::OnClick(View* sender) {
  int chosen = kNoChoice;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == sender)
      chosen = static_cast<int>(i);
  }
  if (chosen == kNoChoice)
    return;
  Delegate* delegate = delegate_;
  Close();
  if (delegate)
    delegate->OnDropdownClosed(chosen);
}

}  // namespace dui
