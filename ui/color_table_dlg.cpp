#include "ui/color_table_dlg.h"

#include <string>
#include <vector>

#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "ui/toolbar_delegate.h"

namespace {

constexpr int kSizeButtonX = 2;
constexpr int kSizeButtonY = 5;
constexpr int kSizeButtonStep = 43;
constexpr int kShapeSizeCount = 3;
constexpr int kColorCellSize = 16;
constexpr int kColorCellStep = 18;
constexpr int kColorSecondRowY = 27;
constexpr int kSwatchSize = 14;
constexpr int kPreviewFrameSize = 27;
constexpr int kPreviewFrameY = 13;
constexpr int kPreviewSize = 23;
constexpr int kPreviewY = 15;
constexpr int kPreviewBorder = 7;
constexpr int kBackgroundTop = 4;
constexpr int kFontButtonX = 6;
constexpr int kFontButtonY = 11;
constexpr int kFontButtonWidth = 74;
constexpr int kFontButtonHeight = 32;
constexpr uint32_t kFontButtonTextColor = 0xFFC3C3C3;
// The font-size list, one item per size; near the bottom of the screen it opens upwards.
constexpr dui::DropdownView::Style kFontListStyle = {
    74,                        // width
    32,                        // item height
    4,                         // top margin
    IDB_FONT_SIZE_ITEM,        // normal face
    IDB_FONT_SIZE_ITEM_HOVER,  // hover and pressed face
    0xFFC3C3C3,                // caption colour
};
constexpr int kFontListHeight = dui::DropdownView::Height(kFontListStyle, kFontPointCount);
// The list sits a little right of and above the point the picker gives.
constexpr int kFontListOffsetX = 6;
constexpr int kFontListOffsetY = -1;

// Normal, hover and selected faces of the size buttons, by size index.
struct SizeFaces {
  int normal;
  int hover;
  int selected;
};
constexpr SizeFaces kSizeFaces[kSizeCount] = {
    {IDB_SIZE_1, IDB_SIZE_1_HOVER, IDB_SIZE_1_SELECTED},
    {IDB_SIZE_2, IDB_SIZE_2_HOVER, IDB_SIZE_2_SELECTED},
    {IDB_SIZE_3, IDB_SIZE_3_HOVER, IDB_SIZE_3_SELECTED},
    {IDB_SIZE_4, IDB_SIZE_4_HOVER, IDB_SIZE_4_SELECTED},
    {IDB_SIZE_5, IDB_SIZE_5_HOVER, IDB_SIZE_5_SELECTED},
};

dui::CommonButton* MakeButton(int normal, int hover, int pressed, int x, int y, int w, int h) {
  auto* button = new dui::CommonButton();
  button->SetBounds(x, y, w, h);
  button->SetStateImage(normal, dui::CommonButton::Look::kNormal);
  button->SetStateImage(hover, dui::CommonButton::Look::kHover);
  button->SetStateImage(pressed, dui::CommonButton::Look::kPressed);
  return button;
}

// The caption of font-size entry `index`.
std::wstring FontSizeText(int index) {
  return std::to_wstring(kFontPoints[BoundIndex(index, kFontPointCount)]);
}

std::vector<std::wstring> FontSizeTexts() {
  std::vector<std::wstring> texts;
  for (int i = 0; i < kFontPointCount; ++i)
    texts.push_back(FontSizeText(i));
  return texts;
}

void FillSquare(Gdiplus::Graphics& g, uint32_t argb, int x, int y, int size) {
  Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
  g.FillRectangle(&brush, x, y, size, size);
}

}  // namespace

struct ColorTableDlg::LayoutPlan {
  int width;
  int size_count;
  bool font_button;
  bool colors;
  POINT preview_frame;
  POINT first_cell;
};

ColorTableDlg* ColorTableDlg::CreatePicker(ToolbarDelegate* delegate,
                                           HWND parent,
                                           const base::DesktopGeometry& desktop) {
  auto* widget = new dui::Widget();
  auto* picker = new ColorTableDlg(delegate);
  picker->desktop_ = desktop;
  // The back buffer is made at Init with this size: the widest layout.
  widget->SetSize(kShapeWidth, kHeight);
  picker->SetSize(kShapeWidth, kHeight);
  widget->Init(parent);
  widget->SetContentsView(picker);
  widget->SetQuitOnClose(false);
  widget->SetActivatable(false);
  return picker;
}

ColorTableDlg::ColorTableDlg(ToolbarDelegate* delegate) : delegate_(delegate) {}

ColorTableDlg::~ColorTableDlg() {
  CloseFontSizeList();
}

ColorTableDlg::Layout ColorTableDlg::LayoutFor(int32_t kind) {
  switch (kind) {
    case static_cast<int32_t>(ToolKind::kText):
    case 6:
      return Layout::kText;
    case static_cast<int32_t>(ToolKind::kMosaic):
      return Layout::kMosaic;
    default:
      return Layout::kShapes;
  }
}

int ColorTableDlg::WidthFor(int32_t kind) {
  return PlanFor(LayoutFor(kind)).width;
}

const ColorTableDlg::LayoutPlan& ColorTableDlg::PlanFor(Layout layout) {
  static constexpr LayoutPlan kShapes = {kShapeWidth, kShapeSizeCount, false,
                                         true,        {137, 13},       {171, 9}};
  static constexpr LayoutPlan kText = {kTextWidth, 0, true, true, {90, 13}, {127, 9}};
  static constexpr LayoutPlan kMosaic = {kMosaicWidth, kSizeCount, false, false, {}, {}};
  switch (layout) {
    case Layout::kText:
      return kText;
    case Layout::kMosaic:
      return kMosaic;
    case Layout::kShapes:
      break;
  }
  return kShapes;
}

void ColorTableDlg::Show(const PickerSettings& settings, int x, int y, base::DpiScale scale) {
  x_ = x;
  y_ = y;
  settings_ = settings;
  RemoveAllChildViews();
  for (auto& button : sizeButtons_)
    button = nullptr;
  for (auto& button : colorButtons_)
    button = nullptr;
  fontButton_ = nullptr;

  // The opening choices become the current ones; the font size only where it is offered.
  settings_.curSizeIndex = BoundIndex(settings.sizeIndex, kSizeCount);
  settings_.curColorIndex = BoundIndex(settings.colorIndex, kPaletteSize);
  layout_ = LayoutFor(settings.kind);
  const LayoutPlan& plan = PlanFor(layout_);
  if (plan.size_count > 0)
    BuildSizeButtons(plan.size_count);
  if (plan.font_button)
    BuildFontButton();
  if (plan.colors)
    BuildColorButtons(plan);

  SetSize(plan.width, kHeight);
  dui::Widget* widget = GetWidget();
  if (!widget)
    return;
  widget->SetScale(scale);
  // Moved and resized in one step: a window that first shrinks where it was and then moves
  // leaves areas to repaint that may lie under its new place.
  const SIZE size = scale.Scale(SIZE{plan.width, kHeight});
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, x, y, size.cx, size.cy,
               SWP_NOACTIVATE | SWP_NOREDRAW);
  widget->SetSize(plan.width, kHeight);
  widget->Show(true);
  // A picker that shows already changes its layout in place.
  SchedulePaint();
}

void ColorTableDlg::BuildSizeButtons(int count) {
  for (int i = 0; i < count; ++i) {
    const SizeFaces& faces = kSizeFaces[i];
    sizeButtons_[i] =
        MakeButton(faces.normal, faces.hover, faces.selected, kSizeButtonX + kSizeButtonStep * i,
                   kSizeButtonY, kSizeButtonStep, kSizeButtonStep);
    sizeButtons_[i]->SetClickListener(this);
    AddChildView(sizeButtons_[i]);
  }
  SelectSize(BoundIndex(settings_.sizeIndex, count));
}

void ColorTableDlg::SelectSize(int index) {
  for (int i = 0; i < kSizeCount; ++i) {
    if (sizeButtons_[i])
      sizeButtons_[i]->SetStateImage(kSizeFaces[i].normal, dui::CommonButton::Look::kNormal);
  }
  settings_.curSizeIndex = index;
  sizeButtons_[index]->SetStateImage(kSizeFaces[index].selected, dui::CommonButton::Look::kNormal);
}

void ColorTableDlg::BuildFontButton() {
  fontButton_ =
      MakeButton(IDB_FONT_SIZE_BUTTON, IDB_FONT_SIZE_BUTTON_HOVER, IDB_FONT_SIZE_BUTTON_PRESSED,
                 kFontButtonX, kFontButtonY, kFontButtonWidth, kFontButtonHeight);
  fontButton_->SetTextColor(kFontButtonTextColor);
  fontButton_->SetTextCentered(false);
  settings_.curFontIndex = BoundIndex(settings_.fontIndex, kFontPointCount);
  fontButton_->SetText(FontSizeText(settings_.curFontIndex));
  fontButton_->SetClickListener(this);
  AddChildView(fontButton_);
}

POINT ColorTableDlg::ColorCellPosition(const LayoutPlan& plan, int width, int i) {
  POINT cell = plan.first_cell;
  for (int k = 0; k < i; ++k) {
    if (cell.x + kColorCellStep + 1 < width) {
      cell.x += kColorCellStep;
    } else {
      cell.x = plan.first_cell.x;
      cell.y = kColorSecondRowY;
    }
  }
  return cell;
}

void ColorTableDlg::BuildColorButtons(const LayoutPlan& plan) {
  for (int i = 0; i < kPaletteSize; ++i) {
    const POINT cell = ColorCellPosition(plan, plan.width, i);
    colorButtons_[i] = MakeButton(IDB_COLOR_CELL, IDB_COLOR_CELL_HOVER, IDB_COLOR_CELL_PRESSED,
                                  cell.x, cell.y, kColorCellSize, kColorCellSize);
    colorButtons_[i]->SetClickListener(this);
    AddChildView(colorButtons_[i]);
  }
}

void ColorTableDlg::OnPaint(Gdiplus::Graphics& g) {
  dui::ResManager* resources = dui::ResManager::GetInstance();
  if (Gdiplus::Image* background = resources->GetImage(IDB_PICKER_BACKGROUND)) {
    dui::DrawScaledNineGrid(
        g, IDB_PICKER_BACKGROUND,
        Gdiplus::Rect(0, kBackgroundTop, GetWidth(), GetHeight() - kBackgroundTop),
        static_cast<int>(background->GetWidth()) / 2 - 1,
        static_cast<int>(background->GetHeight()) / 2 - 1);
  }
  const LayoutPlan& plan = PlanFor(layout_);
  if (!plan.colors)
    return;
  const POINT frame = plan.preview_frame;
  dui::DrawScaledNineGrid(g, IDB_COLOR_CELL_HOVER,
                          Gdiplus::Rect(frame.x, frame.y, kPreviewFrameSize, kPreviewFrameSize),
                          kPreviewBorder, kPreviewBorder);
  FillSquare(g, PaletteColor(settings_.curColorIndex), frame.x + 2, kPreviewY, kPreviewSize);
  for (int i = 0; i < kPaletteSize; ++i) {
    const POINT cell = ColorCellPosition(plan, plan.width, i);
    FillSquare(g, kPalette[i], cell.x + 1, cell.y + 1, kSwatchSize);
  }
}

int ColorTableDlg::IndexOf(dui::View* sender, dui::CommonButton* const* buttons, int count) const {
  for (int i = 0; i < count; ++i) {
    if (buttons[i] && buttons[i] == sender)
      return i;
  }
  return -1;
}

void ColorTableDlg::OnClick(dui::View* sender) {
  if (sender == fontButton_ && fontButton_) {
    OpenFontSizeList();
  } else if (const int size = IndexOf(sender, sizeButtons_, kSizeCount); size >= 0) {
    // A size reaches the capture window when it next reads the settings.
    SelectSize(size);
  } else if (const int color = IndexOf(sender, colorButtons_, kPaletteSize); color >= 0) {
    settings_.curColorIndex = color;
    SchedulePaint();
    if (delegate_)
      delegate_->OnColorChanged();
  } else {
    return;
  }
  SchedulePaint();
}

// A second click on the font-size button closes the list.
void ColorTableDlg::OpenFontSizeList() {
  if (fontSizeList_) {
    CloseFontSizeList();
    return;
  }
  dui::Widget* widget = GetWidget();
  if (!widget)
    return;
  const dui::Rectangle window = widget->GetWindowBounds();
  const base::DpiScale scale = widget->GetScale();
  const int list_height = scale.Scale(kFontListHeight);
  const int bottom = desktop_.MonitorAt({window.x, window.y}).bottom;
  const int y =
      bottom < window.y + window.height + list_height ? window.y - list_height : y_ + window.height;
  fontSizeList_ = dui::DropdownView::Show(GetParent(widget->GetHwnd()), FontSizeTexts(),
                                          kFontListStyle, this, x_ + scale.Scale(kFontListOffsetX),
                                          y + scale.Scale(kFontListOffsetY), scale);
}

void ColorTableDlg::OnDropdownClosed(int chosen) {
  fontSizeList_ = nullptr;
  if (chosen == dui::DropdownView::kNoChoice)
    return;
  if (fontButton_) {
    fontButton_->SetText(FontSizeText(chosen));
    fontButton_->SchedulePaint();
  }
  settings_.curFontIndex = chosen;
  if (delegate_)
    delegate_->OnFontSizeChanged();
}

void ColorTableDlg::CloseFontSizeList() {
  if (!fontSizeList_)
    return;
  fontSizeList_->Close();
  fontSizeList_ = nullptr;
}

dui::Widget* ColorTableDlg::FontSizeListWidget() const {
  return fontSizeList_ ? fontSizeList_->GetWidget() : nullptr;
}
