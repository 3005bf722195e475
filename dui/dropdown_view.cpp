#include "dui/dropdown_view.h"

#include "dui/common_button.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"

namespace dui {
namespace {

constexpr int kListWidth = 74;
constexpr int kListHeight = 260;
constexpr int kItemHeight = 32;
constexpr int kFirstItemY = 4;
constexpr uint32_t kItemTextColor = 0xFFC3C3C3;
// The list sits a little right of and above the point the picker gives.
constexpr int kOffsetX = 6;
constexpr int kOffsetY = -1;

Widget* g_dropdown_widget = nullptr;

}  // namespace

void DropdownView::ShowFontSizeDropdown(HWND parent,
                                        CommonButton* target,
                                        Delegate* delegate,
                                        int* font_index,
                                        int x,
                                        int y) {
  if (g_dropdown_widget) {
    CloseFontSizeDropdown();
    return;
  }
  auto* widget = new Widget();
  auto* view = new DropdownView(widget, target, delegate, font_index);
  view->SetSize(kListWidth, kListHeight);
  view->AddItems();
  widget->Init(parent);
  widget->SetContentsView(view);
  widget->SetSize(kListWidth, kListHeight);
  widget->SetQuitOnClose(false);
  widget->SetActivatable(false);
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, x + kOffsetX, y + kOffsetY, kListWidth, kListHeight,
               SWP_NOACTIVATE);
  widget->Show(true);
  g_dropdown_widget = widget;
}

void DropdownView::CloseFontSizeDropdown() {
  if (!g_dropdown_widget)
    return;
  g_dropdown_widget->Close();
  g_dropdown_widget = nullptr;
}

Widget* DropdownView::GetDropdownWidget() {
  return g_dropdown_widget;
}

DropdownView::DropdownView(Widget* widget,
                           CommonButton* target,
                           Delegate* delegate,
                           int* font_index)
    : widget_(widget), targetButton_(target), delegate_(delegate), fontIndex_(font_index) {}

DropdownView::~DropdownView() {
  // The widget may go without a Close, with the window that owns it.
  if (g_dropdown_widget == widget_)
    g_dropdown_widget = nullptr;
}

void DropdownView::AddItems() {
  for (int i = 0; i < kFontSizeCount; ++i) {
    auto* item = new CommonButton(kFontSizeTexts[i]);
    item->SetClickListener(this);
    item->SetTextColor(kItemTextColor);
    item->SetTextCentered(false);
    item->SetStateImage(IDB_FONT_SIZE_ITEM, CommonButton::SS_NORMAL);
    item->SetStateImage(IDB_FONT_SIZE_ITEM_HOVER, CommonButton::SS_HOVER);
    item->SetStateImage(IDB_FONT_SIZE_ITEM_HOVER, CommonButton::SS_PRESSED);
    item->SetBounds(0, kFirstItemY + kItemHeight * i, kListWidth, kItemHeight);
    AddChildView(item);
    items_[i] = item;
  }
}

void DropdownView::OnClick(View* sender) {
  int chosen = -1;
  for (int i = 0; i < kFontSizeCount; ++i) {
    if (items_[i] == sender)
      chosen = i;
  }
  if (chosen < 0)
    return;
  if (targetButton_) {
    targetButton_->SetText(kFontSizeTexts[chosen]);
    targetButton_->SchedulePaint();
  }
  widget_->Close();
  if (g_dropdown_widget == widget_)
    g_dropdown_widget = nullptr;
  if (fontIndex_)
    *fontIndex_ = chosen;
  if (delegate_)
    delegate_->OnFontSizeChanged();
}

}  // namespace dui
