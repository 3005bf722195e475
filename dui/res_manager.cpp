#include "dui/res_manager.h"

#include <objbase.h>

#include <cstring>
#include <cwchar>

#include "base/assert.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_resource.h"

namespace dui {
namespace {

constexpr wchar_t kImageResourceType[] = L"BINDATA";

// A COM stream over a copy of the resource bytes; the stream frees the copy.
base::ScopedComPtr<IStream> CreateStreamOnCopy(const void* bytes, DWORD size) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
  if (!block)
    return {};
  std::memcpy(block, bytes, size);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return {};
  }
  return base::ScopedComPtr<IStream>(stream);
}

void ShowImageLoadError(int id, DWORD last_error) {
  wchar_t text[256];
  swprintf(text, sizeof(text) / sizeof(text[0]), L"Function: %ls, image id:%d, Last error: %d",
           L"ResManager::GetImage", id, static_cast<int>(last_error));
  MessageBoxW(nullptr, text, L"Error", MB_OK);
}

ResManager* g_instance = nullptr;

constexpr float kDefaultFontSize = 12;
constexpr int kFontFamilyFailureLimit = 7;

const wchar_t* g_font_family_names[kFontFamilyCount] = {
    L"宋体", L"Arial", L"微软雅黑", L"仿宋体", L"黑体", L"楷体",
};

// The index of `family` in the table of names; out of range for a value cast from a stray
// number.
int FamilyIndex(FontFamily family) {
  return static_cast<int>(family);
}

// Failed attempts to find a font family, over the whole life of the process.
int g_font_family_failures = 0;

float FontSizeForFlags(int flags) {
  if (flags & kFontSize8)
    return 8;
  if (flags & kFontSize14)
    return 14;
  if (flags & kFontSize16)
    return 16;
  if (flags & kFontSize11)
    return 11;
  return kDefaultFontSize;
}

int FontStyleForFlags(int flags) {
  int style = Gdiplus::FontStyleRegular;
  if (flags & kFontBold)
    style |= Gdiplus::FontStyleBold;
  if (flags & kFontUnderline)
    style |= Gdiplus::FontStyleUnderline;
  return style;
}

std::unique_ptr<Gdiplus::Font> CreateDefaultGuiFont() {
  base::ScopedGetDc screen(nullptr);
  auto font = std::make_unique<Gdiplus::Font>(screen.get(),
                                              static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  if (font->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  return font;
}

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

Gdiplus::Font* ResManager::GetFont(int flags, FontFamily family) {
  auto cached = fonts_.find(flags);
  if (cached != fonts_.end())
    return cached->second.get();

  const int index = FamilyIndex(family);
  PICTOR_ASSERT(index >= 0 && index < kFontFamilyCount, "res_manager");
  if (index < 0 || index >= kFontFamilyCount)
    return nullptr;
  std::unique_ptr<Gdiplus::Font> font = CreateFontForFlags(flags, family);
  if (!font)
    font = CreateDefaultGuiFont();
  if (!font)
    return nullptr;
  Gdiplus::Font* result = font.get();
  fonts_.emplace(flags, std::move(font));
  return result;
}

std::unique_ptr<Gdiplus::Font> ResManager::CreateFontForFlags(int flags, FontFamily family) {
  while (g_font_family_failures < kFontFamilyFailureLimit) {
    Gdiplus::FontFamily font_family(g_font_family_names[FamilyIndex(family)]);
    if (font_family.GetLastStatus() == Gdiplus::Ok) {
      auto font = std::make_unique<Gdiplus::Font>(&font_family, FontSizeForFlags(flags),
                                                  FontStyleForFlags(flags), Gdiplus::UnitPixel);
      if (font->GetLastStatus() == Gdiplus::Ok)
        return font;
    }
    ++g_font_family_failures;
  }
  return nullptr;
}

void ResManager::SetFontFamilyNameForTesting(FontFamily family, const wchar_t* name) {
  const int index = FamilyIndex(family);
  if (index >= 0 && index < kFontFamilyCount)
    g_font_family_names[index] = name;
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

  const base::ScopedComPtr<IStream> stream = CreateStreamOnCopy(bytes, size);
  if (!stream)
    return nullptr;
  // The bitmap keeps its own reference to the stream.
  return std::make_unique<Gdiplus::Bitmap>(stream.get(), FALSE);
}

}  // namespace dui
