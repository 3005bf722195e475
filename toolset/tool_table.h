#pragma once

#include <array>
#include <memory>
#include <optional>

#include "drawing/drawing.h"
#include "toolset/picker_settings.h"
#include "toolset/tool.h"

// The pointer over the selection while a tool is chosen.
enum class ToolCursor {
  kCross,        // the drawing cross
  kMosaicBrush,  // a disc the size of the chosen mosaic
};

// How the tool's shape is made on the selection.
enum class ToolInput {
  kDrag,     // pressed, dragged and released: one shape per drag
  kTextBox,  // a click opens an edit box; its text becomes the shape
};

// One tool: everything the toolbar, the picker, the cursors and the session need to know
// of it. Adding a tool is adding a row (and its shape class and toolbar faces).
struct ToolRow {
  Tool tool;
  // The tool's name where scripts and logs name it.
  const char* name;
  // The letter key that chooses it (and switches it off again), shown in its tooltip.
  char key;
  // The toolbar button's pictures (resource ids), and its tooltip.
  int face;
  int hover_face;
  const wchar_t* tooltip;
  // The tooltip's width, in pixels.
  int tooltip_width;
  // The picker's record when the tool is chosen; its kind selects the picker's layout.
  PickerSettings picker;
  ToolCursor cursor;
  ToolInput input;
  std::unique_ptr<Drawing> (*create_shape)();
};

// The tools in toolbar order: row i is the row of tool i.
extern const std::array<ToolRow, kToolCount> kToolRows;

// The row of `tool`; a value outside the enumeration is a programming error that fails a
// check and gets the first row.
const ToolRow& RowOf(Tool tool);

// The tool whose key is `virtual_key`, if one has it.
std::optional<Tool> ToolForKey(int virtual_key);

// Makes the shape that `tool` draws. The caller owns it.
std::unique_ptr<Drawing> CreateDrawing(Tool tool);
