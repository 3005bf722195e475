#pragma once

// Resource ids shared by the resource script and the code.

// Dialog template of the full-screen capture window.
#define IDD_CAPTURE 101

// Overlay pictures: the resize handles while a selection is dragged and once it is
// settled, and the background of the size label.
#define IDB_HANDLE_SETTLED 139
#define IDB_HANDLE_DRAGGING 140
#define IDB_SIZE_LABEL 141

// Program icon.
#define IDI_PICTOR 196
