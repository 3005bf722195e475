#pragma once

#include <windows.h>

// What a window that covers the desktop for a whole session asks of the system: to stay
// where it is put, and to get the keyboard when it shows.
namespace base {

// Takes Move, Size, Minimise, Maximise and Restore out of the window's system menu.
void RemoveMoveAndSizeCommands(HWND hwnd);

// Whether a WM_SYSCOMMAND command is one of those, which the window refuses.
bool IsMoveOrSizeCommand(WPARAM command);

// Shows the window over every other at `place`, without drawing it yet.
void PlaceTopmost(HWND hwnd, const RECT& place);

// Keeps a window that is about to move or change size (WM_WINDOWPOSCHANGING) at `place`.
void HoldInPlace(WINDOWPOS* position, const RECT& place);

// Brings the window to the foreground and gives it the keyboard, also when another
// program's window holds the foreground.
void TakeForeground(HWND hwnd);

}  // namespace base
