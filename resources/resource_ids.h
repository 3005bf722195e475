#pragma once

// Resource ids shared by the resource script and the code. Plain #defines, because windres
// reads this file too.

// Dialog template of the full-screen capture window.
#define IDD_CAPTURE 101

// Program icon (16, 32, 48 and 256 pixels).
#define IDI_PICTOR 196

// Cursors: the drawing cross of the shape tools, and the mosaic brushes, one per mosaic
// size (the disc radius); each is 2 x size + 1 pixels square with its hot spot in the middle.
#define IDC_DRAW_CROSS 115
#define IDC_MOSAIC_5 156
#define IDC_MOSAIC_10 157
#define IDC_MOSAIC_20 158
#define IDC_MOSAIC_30 159
#define IDC_MOSAIC_40 160

// PNG images of resource type "BINDATA" (resources/images.rc). A face named without a
// state is the normal face; a tool's hover face is also its look while the tool is active.

// Toolbar (24 x 24 buttons over a 594 x 46 strip that the tooltip borrows from too).
#define IDB_TOOLBAR_BACKGROUND 137
#define IDB_TOOL_RECTANGLE_HOVER 30013
#define IDB_TOOL_RECTANGLE 30014
#define IDB_TOOL_ELLIPSE_HOVER 30038
#define IDB_TOOL_ELLIPSE 30039
#define IDB_TOOL_ARROW_HOVER 30016
#define IDB_TOOL_ARROW 30017
#define IDB_TOOL_TEXT_HOVER 149
#define IDB_TOOL_TEXT 30045
#define IDB_TOOL_MOSAIC_HOVER 119
#define IDB_TOOL_MOSAIC 121
#define IDB_SAVE 30004
#define IDB_SAVE_HOVER 30005
#define IDB_CANCEL 30007
#define IDB_CANCEL_HOVER 30008
#define IDB_COPY 30001
#define IDB_COPY_HOVER 30002
// The freehand pen, highlighter, numbered step and redaction tools' faces.
#define IDB_TOOL_PEN 30060
#define IDB_TOOL_PEN_HOVER 30061
#define IDB_TOOL_HIGHLIGHTER 30062
#define IDB_TOOL_HIGHLIGHTER_HOVER 30063
#define IDB_TOOL_STEP 30064
#define IDB_TOOL_STEP_HOVER 30065
#define IDB_TOOL_REDACT 30066
#define IDB_TOOL_REDACT_HOVER 30067

// Colour and size picker: the nine-grid background, the size buttons (43 x 43; sizes 1 to
// 3 serve the line widths and the first mosaic sizes, 4 and 5 the larger mosaic sizes), the
// colour-cell frames (16 x 16, open in the middle for the swatch), the font-size button.
#define IDB_PICKER_BACKGROUND 142
#define IDB_SIZE_1_SELECTED 30025
#define IDB_SIZE_1 30026
#define IDB_SIZE_1_HOVER 30027
#define IDB_SIZE_2_SELECTED 30028
#define IDB_SIZE_2 30029
#define IDB_SIZE_2_HOVER 30030
#define IDB_SIZE_3_SELECTED 30031
#define IDB_SIZE_3 30032
#define IDB_SIZE_3_HOVER 30033
#define IDB_SIZE_4_HOVER 143
#define IDB_SIZE_4 144
#define IDB_SIZE_4_SELECTED 145
#define IDB_SIZE_5_HOVER 146
#define IDB_SIZE_5 147
#define IDB_SIZE_5_SELECTED 148
#define IDB_COLOR_CELL_PRESSED 30034
#define IDB_COLOR_CELL 30035
#define IDB_COLOR_CELL_HOVER 30036
#define IDB_FONT_SIZE_BUTTON 30050
#define IDB_FONT_SIZE_BUTTON_HOVER 30051
#define IDB_FONT_SIZE_BUTTON_PRESSED 30052

// Framework controls: the font-size drop-down items and the default button faces.
#define IDB_FONT_SIZE_ITEM 30053
#define IDB_FONT_SIZE_ITEM_HOVER 30054
#define IDB_BUTTON 40001
#define IDB_BUTTON_HOVER 40002
#define IDB_BUTTON_PRESSED 40003
#define IDB_BUTTON_DISABLED 40004

// Capture overlay: selection handles, the size label's nine-grid background, the magnifier.
#define IDB_HANDLE_SETTLED 139
#define IDB_HANDLE_DRAGGING 140
#define IDB_SIZE_LABEL 141
#define IDB_MAGNIFIER_FRAME 30000

// Balloon tip after a save.
#define IDB_BALLOON_BACKGROUND 30011
#define IDB_BALLOON_CLOSE 189

// Spare pictures of the set that no view draws: a second panel background, an opaque
// separator, wide button faces and a separator slice. The opaque line of the set is the
// named entry "IDR_BTN_SHARE_LINE", deliberately without a number.
#define IDB_SPARE_PANEL 30010
#define IDB_SPARE_SEPARATOR 30012
#define IDB_SPARE_WIDE_BUTTON 30022
#define IDB_SPARE_WIDE_BUTTON_HOVER 30023
#define IDB_SPARE_WIDE_BUTTON_PRESSED 30024
#define IDB_SPARE_SLICE 30037
