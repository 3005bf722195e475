#pragma once

#include <windows.h>

#include <string>

// The installed image encoder whose MIME type is exactly `mime_type`.
[[nodiscard]] bool FindEncoder(const wchar_t* mime_type, CLSID* clsid);

// The MIME type to write a picture chosen in the save dialog with: the one of the file
// name's last extension (".png", ".jpg", ".jpeg", ".bmp", ".gif", in any case), or else the
// one of the file type the user picked in the dialog (`filter_index`, from 1).
const wchar_t* ChooseImageType(const std::wstring& path, int filter_index);
