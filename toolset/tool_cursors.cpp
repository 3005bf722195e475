#include "toolset/tool_cursors.h"

#include "resources/resource_ids.h"
#include "toolset/tool_table.h"

namespace {

constexpr int kCrossSize = 32;

struct Brush {
  int mosaic_size;
  int id;
};
constexpr Brush kBrushes[] = {
    {5, IDC_MOSAIC_5},   {10, IDC_MOSAIC_10}, {20, IDC_MOSAIC_20},
    {30, IDC_MOSAIC_30}, {40, IDC_MOSAIC_40},
};

}  // namespace

ToolCursors::~ToolCursors() {
  if (cross_)
    DestroyCursor(cross_);
  for (HCURSOR brush : brushes_) {
    if (brush)
      DestroyCursor(brush);
  }
}

HCURSOR ToolCursors::ForTool(Tool tool, const PickerSettings* open_picker) {
  if (RowOf(tool).cursor == ToolCursor::kMosaicBrush && open_picker)
    return MosaicBrush(ChosenMosaicSize(*open_picker));
  return Cross();
}

HCURSOR ToolCursors::Cross() {
  return Load(&cross_, IDC_DRAW_CROSS, kCrossSize);
}

HCURSOR ToolCursors::MosaicBrush(int mosaic_size) {
  int index = 0;
  for (int i = 0; i < kBrushCount; ++i) {
    if (kBrushes[i].mosaic_size == mosaic_size)
      index = i;
  }
  const Brush& brush = kBrushes[index];
  return Load(&brushes_[index], brush.id, 2 * brush.mosaic_size + 1);
}

HCURSOR ToolCursors::Load(HCURSOR* slot, int id, int size) {
  if (!*slot) {
    *slot = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                            IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR));
  }
  return *slot;
}
