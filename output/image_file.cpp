#include "output/image_file.h"

#include <windows.h>

#include <memory>

#include "base/file_paths.h"
#include "base/gdiplus.h"
#include "base/scoped_resource.h"
#include "output/image_encoder.h"
#include "output/indexed_picture.h"

namespace {

constexpr ULONG kJpegQuality = 100;
constexpr wchar_t kGifType[] = L"image/gif";
constexpr wchar_t kJpegType[] = L"image/jpeg";

// The system's words for `error`, without the line end it puts after them.
std::wstring SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text ? text : L"", length);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
    message.pop_back();
  if (message.empty())
    message = L"错误 " + std::to_wstring(error);
  return message;
}

// The picture encoded as `mime_type` into a stream in memory; null when it cannot be.
base::ScopedComPtr<IStream> Encode(Gdiplus::Bitmap& picture, const std::wstring& mime_type) {
  CLSID encoder = {};
  if (!FindEncoder(mime_type.c_str(), &encoder))
    return {};
  // The encoder writes a palette picture correctly where a 32-bit one comes out empty.
  std::unique_ptr<Gdiplus::Bitmap> indexed;
  if (mime_type == kGifType) {
    indexed = MakeIndexedCopy(picture);
    if (!indexed)
      return {};
  }
  ULONG quality = kJpegQuality;
  Gdiplus::EncoderParameters parameters = {};
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &quality;
  IStream* made = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &made)))
    return {};
  base::ScopedComPtr<IStream> stream(made);
  Gdiplus::Bitmap& written = indexed ? *indexed : picture;
  const bool jpeg = mime_type == kJpegType;
  if (written.Save(stream.get(), &encoder, jpeg ? &parameters : nullptr) != Gdiplus::Ok)
    return {};
  return stream;
}

bool WriteAll(HANDLE file, const BYTE* bytes, SIZE_T size) {
  while (size > 0) {
    const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0)
      return false;
    bytes += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool WriteImageFile(Gdiplus::Bitmap& picture,
                    const std::wstring& path,
                    const std::wstring& mime_type,
                    std::wstring* reason) {
  const base::ScopedComPtr<IStream> stream = Encode(picture, mime_type);
  HGLOBAL memory = nullptr;
  if (!stream || FAILED(GetHGlobalFromStream(stream.get(), &memory))) {
    *reason = L"无法生成 " + mime_type + L" 格式的图片。";
    return false;
  }
  ULARGE_INTEGER size = {};
  const LARGE_INTEGER start = {};
  stream.get()->Seek(start, STREAM_SEEK_END, &size);

  const std::wstring file_path = base::LongPathForm(path);
  HANDLE opened = CreateFileW(file_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    *reason = SystemMessage(GetLastError());
    return false;
  }
  base::ScopedHandle file(opened);
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(memory));
  bool written = bytes && WriteAll(file.get(), bytes, static_cast<SIZE_T>(size.QuadPart));
  DWORD error = written ? ERROR_SUCCESS : bytes ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
  GlobalUnlock(memory);
  if (written && !FlushFileBuffers(file.get())) {
    written = false;
    error = GetLastError();
  }
  if (written)
    return true;
  *reason = SystemMessage(error);
  file.reset();
  DeleteFileW(file_path.c_str());
  return false;
}
