#pragma once

#include <windows.h>

#include <string>

// The installed image encoder whose MIME type is exactly `mime_type`.
[[nodiscard]] bool FindEncoder(const wchar_t* mime_type, CLSID* clsid);

// Where and in which format a picture chosen in the save dialog is written.
struct SaveTarget {
  std::wstring path;
  std::wstring mime_type;
};

// The file's extension names what it holds. The last extension of the file name (not of a
// folder) decides the format when it is one of the dialog's file types (".png", ".jpg",
// ".jpeg", ".bmp", ".gif", in any case) or one an installed encoder writes (".tif" or
// ".tiff", for one). Otherwise the picture is written in the format of the file type picked
// in the dialog (`filter_index`, from 1; PNG for any other), and that type's extension is
// added to the name.
SaveTarget ChooseSaveTarget(const std::wstring& path, int filter_index);
