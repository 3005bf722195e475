#include "toolset/tool_table.h"

#include "base/assert.h"
#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "drawing/k_highlighter.h"
#include "drawing/k_mosac.h"
#include "drawing/k_pen.h"
#include "drawing/k_rectangle.h"
#include "drawing/k_redact.h"
#include "drawing/k_step.h"
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

// The same with the line widths of its three sizes.
constexpr PickerSettings WithWidths(PickerSettings settings, int small, int middle, int large) {
  settings.width0 = small;
  settings.width1 = middle;
  settings.width2 = large;
  return settings;
}

constexpr int kToolTooltipWidth = 61;
constexpr int kBlack = 0;
constexpr int kRed = 10;
constexpr int kYellow = 11;
constexpr int kTwelvePoints = 2;
constexpr int kDefaultFont = kDefaultPickerSettings.fontIndex;

}  // namespace

const std::array<ToolRow, kToolCount> kToolRows = {{
    {Tool::kRectangle, "rectangle", 'R', IDB_TOOL_RECTANGLE, IDB_TOOL_RECTANGLE_HOVER,
     L"矩形工具 R", kToolTooltipWidth, PickerFor(ToolKind::kRectangle, 1, 0, kDefaultFont),
     ToolCursor::kCross, ToolInput::kDrag, &Create<KRectangle>},
    {Tool::kEllipse, "ellipse", 'E', IDB_TOOL_ELLIPSE, IDB_TOOL_ELLIPSE_HOVER, L"椭圆工具 E",
     kToolTooltipWidth, PickerFor(ToolKind::kEllipse, 1, 0, kDefaultFont), ToolCursor::kCross,
     ToolInput::kDrag, &Create<KEllipse>},
    {Tool::kArrow, "arrow", 'A', IDB_TOOL_ARROW, IDB_TOOL_ARROW_HOVER, L"箭头工具 A",
     kToolTooltipWidth, PickerFor(ToolKind::kArrow, 1, 0, kDefaultFont), ToolCursor::kCross,
     ToolInput::kDrag, &Create<KArrow>},
    {Tool::kText, "text", 'T', IDB_TOOL_TEXT, IDB_TOOL_TEXT_HOVER, L"文字工具 T", kToolTooltipWidth,
     PickerFor(ToolKind::kText, 0, kRed, kTwelvePoints), ToolCursor::kCross, ToolInput::kTextBox,
     &Create<KText>},
    {Tool::kMosaic, "mosaic", 'M', IDB_TOOL_MOSAIC, IDB_TOOL_MOSAIC_HOVER, L"打马赛克 M",
     kToolTooltipWidth, PickerFor(ToolKind::kMosaic, 2, 0, kDefaultFont), ToolCursor::kMosaicBrush,
     ToolInput::kDrag, &Create<KMosac>},
    {Tool::kPen, "pen", 'P', IDB_TOOL_PEN, IDB_TOOL_PEN_HOVER, L"画笔 P", kToolTooltipWidth,
     PickerFor(ToolKind::kPen, 1, kRed, kDefaultFont), ToolCursor::kCross, ToolInput::kDrag,
     &Create<KPen>},
    {Tool::kHighlighter, "highlighter", 'H', IDB_TOOL_HIGHLIGHTER, IDB_TOOL_HIGHLIGHTER_HOVER,
     L"荧光笔 H", kToolTooltipWidth,
     WithWidths(PickerFor(ToolKind::kHighlighter, 1, kYellow, kDefaultFont), 12, 18, 24),
     ToolCursor::kCross, ToolInput::kDrag, &Create<KHighlighter>},
    {Tool::kStep, "step", 'N', IDB_TOOL_STEP, IDB_TOOL_STEP_HOVER, L"序号标记 N", kToolTooltipWidth,
     PickerFor(ToolKind::kStep, 1, kRed, kDefaultFont), ToolCursor::kCross, ToolInput::kDrag,
     &Create<KStep>},
    {Tool::kRedact, "redact", 'B', IDB_TOOL_REDACT, IDB_TOOL_REDACT_HOVER, L"遮挡框 B",
     kToolTooltipWidth, PickerFor(ToolKind::kRedact, 1, kBlack, kDefaultFont), ToolCursor::kCross,
     ToolInput::kDrag, &Create<KRedact>},
}};

const ToolRow& RowOf(Tool tool) {
  const auto index = static_cast<size_t>(tool);
  PICTOR_ASSERT(index < kToolRows.size(), "tool_table");
  return kToolRows[index < kToolRows.size() ? index : 0];
}

std::optional<Tool> ToolForKey(int virtual_key) {
  for (const ToolRow& row : kToolRows) {
    if (row.key == virtual_key)
      return row.tool;
  }
  return std::nullopt;
}

std::unique_ptr<Drawing> CreateDrawing(Tool tool) {
  return RowOf(tool).create_shape();
}
