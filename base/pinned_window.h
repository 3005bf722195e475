#pragma once

#include <windows.h>

// What a window that covers the desktop for a whole session asks of the system: to stay
// where it is put, and to get the keyboard when it shows.
namespace base {

// Takes Move, Size, Minimise, Maximise and Restore out of the window's system menu.
void RemoveMoveAndSizeCommands(HWND hwnd);

// Whether a WM_SYSCOMMAND command is one of those, which the window refuses.
bool IsMoveOrSizeCommand(WPARAM command);

// Brings the window to the foreground and gives it the keyboard, also when another
// program's window holds the foreground.
void TakeForeground(HWND hwnd);

}  // namespace base
