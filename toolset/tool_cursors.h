#pragma once

#include <windows.h>

#include "toolset/picker_settings.h"
#include "toolset/tool.h"

// The cursors of the drawing tools, loaded from the program's resources on first use and
// destroyed with the owner: the cross of the shape and text tools, and the mosaic brushes,
// whose size shows the mosaic disc. Owned by the capture window. UI thread only.
class ToolCursors {
 public:
  ToolCursors() = default;
  ~ToolCursors();

  ToolCursors(const ToolCursors&) = delete;
  ToolCursors& operator=(const ToolCursors&) = delete;

  // The pointer of `tool` over the selection: its row's cursor, for the size chosen in
  // `open_picker`; the cross while no picker is open.
  HCURSOR ForTool(Tool tool, const PickerSettings* open_picker);

 private:
  static constexpr int kBrushCount = 5;

  HCURSOR Cross();
  // The brush for a mosaic disc of radius `mosaic_size` (5, 10, 20, 30 or 40; any other
  // radius gets the smallest brush), 2 x radius + 1 pixels square.
  HCURSOR MosaicBrush(int mosaic_size);

  HCURSOR Load(HCURSOR* slot, int id, int size);

  HCURSOR cross_ = nullptr;
  HCURSOR brushes_[kBrushCount] = {};
};
