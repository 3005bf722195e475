#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <utility>

#include "base/dpi_scale.h"
#include "base/gdiplus.h"

namespace dui {

// Bits of the font-flags word that GetFont takes. The first size bit set, in the order
// below, wins; without one the size is 12 pixels.
inline constexpr int kFontSize8 = 0x1;
inline constexpr int kFontSize14 = 0x4;
inline constexpr int kFontSize16 = 0x8;
inline constexpr int kFontSize11 = 0x10;
inline constexpr int kFontBold = 0x10000;
inline constexpr int kFontUnderline = 0x20000;
// What buttons and labels ask for unless told otherwise: 12 pixels, regular.
inline constexpr int kDefaultFontFlags = 0x2;

// The font families GetFont knows.
enum class FontFamily {
  kSong,  // "宋体", what every view asks for
  kArial,
  kYaHei,
  kFangSong,
  kHei,
  kKai,
};
inline constexpr int kFontFamilyCount = 6;

// The process-wide cache of the program's embedded PNG images (resource type "BINDATA", and
// their 150 % and 200 % renders as "BINDATA150" and "BINDATA200"), decoded once on first use, and
// of the GDI+ fonts views draw text with; both are kept until the manager is destroyed. Callers
// never free what it returns. UI thread only.
class ResManager {
 public:
  // Made on the first call.
  static ResManager* GetInstance();
  // Frees every cached image and font. Called before GDI+ shuts down, because GDI+
  // objects must not outlive it; a later GetInstance starts afresh.
  static void DestroyInstance();

  ResManager(const ResManager&) = delete;
  ResManager& operator=(const ResManager&) = delete;

  // The module whose resources are loaded; the executable's own module when never set.
  void SetModule(HMODULE module) { module_ = module; }

  // The image with resource id `id`, or null when it is missing (after telling the user).
  // Repeated calls with the same id return the same object.
  Gdiplus::Image* GetImage(int id);

  // An image rendered for a display scale, and that scale in per cent.
  struct ScaledImage {
    Gdiplus::Image* image;
    int percent;
  };
  // The render of image `id` for `scale`: the smallest at or above it (the largest above
  // 200 %), or the 100 % image where that render is missing. Null image when even that is.
  ScaledImage GetImageFor(int id, base::DpiScale scale);

  // The font for the flags word `flags` (kFontSize8, kFontBold, ...) in `family`, cached by
  // the flags alone. After seven failures to find a family in this
  // process every new font is the system's default GUI font. Null only when even that
  // cannot be made.
  Gdiplus::Font* GetFont(int flags, FontFamily family);

  // Gives `family` another name, so that tests can ask for a missing family.
  static void SetFontFamilyNameForTesting(FontFamily family, const wchar_t* name);

 private:
  ResManager() = default;
  ~ResManager() = default;

  // The render of `id` at `percent` (100, 150 or 200); null when it is missing.
  Gdiplus::Image* GetImageAt(int id, int percent);
  std::unique_ptr<Gdiplus::Image> LoadImage(int id, int percent);
  static std::unique_ptr<Gdiplus::Font> CreateFontForFlags(int flags, FontFamily family);

  HMODULE module_ = nullptr;
  std::map<int, std::unique_ptr<Gdiplus::Font>> fonts_;
  // By id and per cent.
  std::map<std::pair<int, int>, std::unique_ptr<Gdiplus::Image>> images_;
};

}  // namespace dui
