#pragma once

#include <windows.h>

// The host suite's floating window, once found.
extern HWND float_window_;

// Tells the host's floating window that a capture session has started. Without a floating
// window nothing is sent; one that does not answer delays the start by 500 ms at most.
void NotifyFloatWindow();
