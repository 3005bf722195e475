#include "output/image_encoder.h"

#include <algorithm>
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

// The save dialog's file types, in its order, with the extension each adds to a name.
constexpr ExtensionType kFilterTypes[] = {{L".png", L"image/png"},
                                          {L".jpg", L"image/jpeg"},
                                          {L".bmp", L"image/bmp"},
                                          {L".gif", L"image/gif"}};

// The last extension of the file name (not of a folder), with its dot; empty for none.
std::wstring LastExtension(const std::wstring& path) {
  const size_t name_start = path.find_last_of(L"\\/:");
  const size_t dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos || (name_start != std::wstring::npos && dot < name_start))
    return std::wstring();
  return path.substr(dot);
}

std::vector<BYTE> InstalledEncoders(UINT* count) {
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(count, &bytes) != Gdiplus::Ok || *count == 0 || bytes == 0)
    return {};
  std::vector<BYTE> buffer(bytes);
  if (Gdiplus::GetImageEncoders(*count, bytes,
                                reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data())) !=
      Gdiplus::Ok) {
    return {};
  }
  return buffer;
}

// Whether `patterns` ("*.TIF;*.TIFF") has the pattern of `extension` (".tiff"), in any case.
bool ListsExtension(const wchar_t* patterns, const std::wstring& extension) {
  if (!patterns || extension.size() < 2)
    return false;
  const std::wstring pattern = L"*" + extension;
  std::wstring list = patterns;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(L';', start), list.size());
    if (_wcsicmp(list.substr(start, end - start).c_str(), pattern.c_str()) == 0)
      return true;
    start = end + 1;
  }
  return false;
}

// The MIME type of the installed encoder that writes files with `extension`; empty for none.
std::wstring EncoderTypeForExtension(const std::wstring& extension) {
  UINT count = 0;
  const std::vector<BYTE> buffer = InstalledEncoders(&count);
  const auto* encoders = reinterpret_cast<const Gdiplus::ImageCodecInfo*>(buffer.data());
  for (UINT i = 0; i < count && !buffer.empty(); ++i) {
    if (encoders[i].MimeType && ListsExtension(encoders[i].FilenameExtension, extension))
      return encoders[i].MimeType;
  }
  return std::wstring();
}

}  // namespace

bool FindEncoder(const wchar_t* mime_type, CLSID* clsid) {
  UINT count = 0;
  const std::vector<BYTE> buffer = InstalledEncoders(&count);
  const auto* encoders = reinterpret_cast<const Gdiplus::ImageCodecInfo*>(buffer.data());
  for (UINT i = 0; i < count && !buffer.empty(); ++i) {
    if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, mime_type) == 0) {
      *clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

SaveTarget ChooseSaveTarget(const std::wstring& path, int filter_index) {
  const std::wstring extension = LastExtension(path);
  for (const ExtensionType& entry : kExtensionTypes) {
    if (_wcsicmp(extension.c_str(), entry.extension) == 0)
      return {path, entry.mime_type};
  }
  if (std::wstring type = EncoderTypeForExtension(extension); !type.empty())
    return {path, type};
  const int count = static_cast<int>(sizeof(kFilterTypes) / sizeof(kFilterTypes[0]));
  const ExtensionType& filter =
      kFilterTypes[filter_index >= 1 && filter_index <= count ? filter_index - 1 : 0];
  // The file system drops a name's final dots, which would leave the name without any.
  const size_t end = path.find_last_not_of(L'.');
  return {path.substr(0, end == std::wstring::npos ? 0 : end + 1) + filter.extension,
          filter.mime_type};
}
