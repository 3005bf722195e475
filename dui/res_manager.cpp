#include "dui/res_manager.h"

#include <objbase.h>

#include <cstring>
#include <cwchar>

#include "base/assert.h"

namespace dui {
namespace {

constexpr wchar_t kImageResourceType[] = L"BINDATA";

// A COM stream over a copy of the resource bytes; the stream frees the copy.
IStream* CreateStreamOnCopy(const void* bytes, DWORD size) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
  if (!block)
    return nullptr;
  std::memcpy(block, bytes, size);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return nullptr;
  }
  return stream;
}

void ShowImageLoadError(int id, DWORD last_error) {
  wchar_t text[256];
  swprintf(text, sizeof(text) / sizeof(text[0]), L"Function: %ls, image id:%d, Last error: %d",
           L"ResManager::GetImage", id, static_cast<int>(last_error));
  MessageBoxW(nullptr, text, L"Error", MB_OK);
}

ResManager* g_instance = nullptr;

}  // namespace

ResManager* ResManager::GetInstance() {
  if (!g_instance)
    g_instance = new ResManager();
  return g_instance;
}

void ResManager::DestroyInstance() {
  delete g_instance;
  g_instance = nullptr;
}

Gdiplus::Image* ResManager::GetImage(int id) {
  auto cached = images_.find(id);
  if (cached != images_.end())
    return cached->second.get();

  std::unique_ptr<Gdiplus::Image> image = LoadImage(id);
  PICTOR_ASSERT(image != NULL, "res_manager");
  if (!image)
    return nullptr;
  Gdiplus::Image* result = image.get();
  images_.emplace(id, std::move(image));
  return result;
}

std::unique_ptr<Gdiplus::Image> ResManager::LoadImage(int id) {
  HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
  SetLastError(ERROR_SUCCESS);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), kImageResourceType);
  const DWORD size = resource ? SizeofResource(module, resource) : 0;
  HGLOBAL loaded = size ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    const DWORD last_error = GetLastError();
    if (last_error != ERROR_SUCCESS)
      ShowImageLoadError(id, last_error);
    return nullptr;
  }

  IStream* stream = CreateStreamOnCopy(bytes, size);
  if (!stream)
    return nullptr;
  // The bitmap keeps its own reference to the stream.
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream, FALSE);
  stream->Release();
  return bitmap;
}

}  // namespace dui
