#include "capture/image_encoder.h"

#include <cwchar>
#include <vector>

#include "base/gdiplus.h"

namespace {

struct ExtensionType {
  const wchar_t* extension;
  const wchar_t* mime_type;
};

constexpr ExtensionType kExtensionTypes[] = {
    {L".png", L"image/png"}, {L".jpg", L"image/jpeg"}, {L".jpeg", L"image/jpeg"},
    {L".bmp", L"image/bmp"}, {L".gif", L"image/gif"},
};

// In the order of the save dialog's file types.
constexpr const wchar_t* kFilterTypes[] = {L"image/png", L"image/jpeg", L"image/bmp", L"image/gif"};

// The last extension of the file name (not of a folder), with its dot; empty for none.
std::wstring LastExtension(const std::wstring& path) {
  const size_t name_start = path.find_last_of(L"\\/:");
  const size_t dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos || (name_start != std::wstring::npos && dot < name_start))
    return std::wstring();
  return path.substr(dot);
}

}  // namespace

bool FindEncoder(const wchar_t* mime_type, CLSID* clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0)
    return false;
  std::vector<BYTE> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok)
    return false;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, mime_type) == 0) {
      *clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

const wchar_t* ChooseImageType(const std::wstring& path, int filter_index) {
  const std::wstring extension = LastExtension(path);
  for (const ExtensionType& entry : kExtensionTypes) {
    if (_wcsicmp(extension.c_str(), entry.extension) == 0)
      return entry.mime_type;
  }
  const int count = static_cast<int>(sizeof(kFilterTypes) / sizeof(kFilterTypes[0]));
  return filter_index >= 1 && filter_index <= count ? kFilterTypes[filter_index - 1]
                                                    : kFilterTypes[0];
}
