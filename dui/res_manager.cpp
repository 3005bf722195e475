#include "dui/res_manager.h"

#include <objbase.h>

#include <cstring>
#include <cwchar>

#include "base/assert.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_resource.h"

namespace dui {
namespace {

// The resource type of the images rendered at each display scale.
struct ImageRender {
  int percent;
  const wchar_t* type;
};
constexpr ImageRender kImageRenders[] = {{100, L"BINDATA"},
                                         {150, L"BINDATA150"},
                                         {200, L"BINDATA200"}};

const wchar_t* ImageResourceType(int percent) {
  for (const ImageRender& render : kImageRenders) {
    if (render.percent == percent)
      return render.type;
  }
  return nullptr;
}

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
  Gdiplus::Image* image = GetImageAt(id, 100);
  PICTOR_ASSERT(image != NULL, "res_manager");
  return image;
}

ResManager::ScaledImage ResManager::GetImageFor(int id, base::DpiScale scale) {
  // Drawn down from the next larger render, never up from a smaller one (but from the
  // largest above 200 %).
  const int percent = scale.percent() <= 100 ? 100 : scale.percent() <= 150 ? 150 : 200;
  if (percent != 100) {
    if (Gdiplus::Image* image = GetImageAt(id, percent))
      return {image, percent};
  }
  return {GetImage(id), 100};
}

Gdiplus::Image* ResManager::GetImageAt(int id, int percent) {
  const auto key = std::make_pair(id, percent);
  auto cached = images_.find(key);
  if (cached != images_.end())
    return cached->second.get();
  std::unique_ptr<Gdiplus::Image> image = LoadImage(id, percent);
  if (!image)
    return nullptr;
  Gdiplus::Image* result = image.get();
  images_.emplace(key, std::move(image));
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

std::unique_ptr<Gdiplus::Image> ResManager::LoadImage(int id, int percent) {
  HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
  SetLastError(ERROR_SUCCESS);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), ImageResourceType(percent));
  const DWORD size = resource ? SizeofResource(module, resource) : 0;
  HGLOBAL loaded = size ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    // A missing render of a higher scale is no error: the 100 % image stands in.
    const DWORD last_error = GetLastError();
    if (last_error != ERROR_SUCCESS && percent == 100)
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
