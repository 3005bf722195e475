#include "toolset/tool_table.h"

#include "base/assert.h"
#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "drawing/k_mosac.h"
#include "drawing/k_rectangle.h"
#include "drawing/k_text.h"
#include "resources/resource_ids.h"

namespace {

template <typename Shape>
std::unique_ptr<Drawing> Create() {
  return std::make_unique<Shape>();
}

// The picker's record for a tool: the defaults, with its kind and the size, colour and
// font-size entries it starts at.
constexpr PickerSettings PickerFor(ToolKind kind, int size_index, int color_index, int font_index) {
  PickerSettings settings = kDefaultPickerSettings;
  settings.kind = static_cast<int32_t>(kind);
  settings.sizeIndex = size_index;
  settings.colorIndex = color_index;
  settings.fontIndex = font_index;
  return settings;
}

constexpr int kToolTooltipWidth = 61;
constexpr int kRed = 10;
constexpr int kTwelvePoints = 2;
constexpr int kDefaultFont = kDefaultPickerSettings.fontIndex;

}  // namespace

const std::array<ToolRow, kToolCount> kToolRows = {{
    {Tool::kRectangle, "rectangle", IDB_TOOL_RECTANGLE, IDB_TOOL_RECTANGLE_HOVER, L"矩形工具",
     kToolTooltipWidth, PickerFor(ToolKind::kRectangle, 1, 0, kDefaultFont), ToolCursor::kCross,
     ToolInput::kDrag, &Create<KRectangle>},
    {Tool::kEllipse, "ellipse", IDB_TOOL_ELLIPSE, IDB_TOOL_ELLIPSE_HOVER, L"椭圆工具",
     kToolTooltipWidth, PickerFor(ToolKind::kEllipse, 1, 0, kDefaultFont), ToolCursor::kCross,
     ToolInput::kDrag, &Create<KEllipse>},
    {Tool::kArrow, "arrow", IDB_TOOL_ARROW, IDB_TOOL_ARROW_HOVER, L"箭头工具", kToolTooltipWidth,
     PickerFor(ToolKind::kArrow, 1, 0, kDefaultFont), ToolCursor::kCross, ToolInput::kDrag,
     &Create<KArrow>},
    {Tool::kText, "text", IDB_TOOL_TEXT, IDB_TOOL_TEXT_HOVER, L"文字工具", kToolTooltipWidth,
     PickerFor(ToolKind::kText, 0, kRed, kTwelvePoints), ToolCursor::kCross, ToolInput::kTextBox,
     &Create<KText>},
    {Tool::kMosaic, "mosaic", IDB_TOOL_MOSAIC, IDB_TOOL_MOSAIC_HOVER, L"打马赛克",
     kToolTooltipWidth, PickerFor(ToolKind::kMosaic, 2, 0, kDefaultFont), ToolCursor::kMosaicBrush,
     ToolInput::kDrag, &Create<KMosac>},
}};

const ToolRow& RowOf(Tool tool) {
  const auto index = static_cast<size_t>(tool);
  PICTOR_ASSERT(index < kToolRows.size(), "tool_table");
  return kToolRows[index < kToolRows.size() ? index : 0];
}

std::unique_ptr<Drawing> CreateDrawing(Tool tool) {
  return RowOf(tool).create_shape();
}
