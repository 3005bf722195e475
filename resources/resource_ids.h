#pragma once

// Resource ids shared by the resource script and the code.

// Dialog template of the full-screen capture window.
#define IDD_CAPTURE 101

// Program icon.
#define IDI_PICTOR 196
