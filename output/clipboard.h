#pragma once

#include <windows.h>

#include "base/gdiplus.h"

// Puts the picture on the clipboard as a bitmap, on white where it is transparent, with
// `owner` as the clipboard's owner. False when the bitmap cannot be made, the clipboard
// cannot be opened (another program holds it) or does not take the bitmap.
bool PutOnClipboard(HWND owner, Gdiplus::Bitmap& picture);
