// The resource manager: images from the executable's BINDATA resources, the "Error" box of a
// missing one (closed by a helper thread, as a user would), and the font cache.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gdiplus.h"
#include "base/scoped_get_dc.h"
#include "dui/res_manager.h"
#include "resources/resource_ids.h"
#include "tests/support/message_box_closer.h"
#include "tests/support/assert_recorder.h"

namespace {

using dui::ResManager;

constexpr int kMissingImageId = 12345;
std::wstring FamilyName(const Gdiplus::Font& font) {
  Gdiplus::FontFamily family;
  font.GetFamily(&family);
  wchar_t name[LF_FACESIZE] = {};
  family.GetFamilyName(name);
  return name;
}

std::wstring FamilyNameOf(const wchar_t* requested) {
  Gdiplus::FontFamily family(requested);
  wchar_t name[LF_FACESIZE] = {};
  family.GetFamilyName(name);
  return name;
}

std::wstring DefaultGuiFamilyName() {
  base::ScopedGetDc screen(nullptr);
  Gdiplus::Font font(screen.get(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  return FamilyName(font);
}

TEST(ResManagerTest, SameIdGivesTheSameImageDecodedOnce) {
  testing_support::MessageBoxCloser closer(L"Error");
  ResManager* manager = ResManager::GetInstance();
  EXPECT_EQ(ResManager::GetInstance(), manager);
  Gdiplus::Image* image = manager->GetImage(IDB_BUTTON);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetWidth(), 11u);
  EXPECT_EQ(image->GetHeight(), 31u);
  GUID format = {};
  image->GetRawFormat(&format);
  EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatPNG));
  EXPECT_EQ(manager->GetImage(IDB_BUTTON), image);

  // A module without the image: a second decode would fail, so the cache answers alone.
  manager->SetModule(GetModuleHandleW(L"kernel32.dll"));
  EXPECT_EQ(manager->GetImage(IDB_BUTTON), image);
  manager->SetModule(nullptr);
  EXPECT_NE(manager->GetImage(IDB_FONT_SIZE_ITEM), image);
  EXPECT_TRUE(closer.texts().empty());
}

TEST(ResManagerTest, MissingImageShowsTheErrorBoxOnEveryCallAndGivesNull) {
  testing_support::ScopedAssertRecorder asserts;
  testing_support::MessageBoxCloser closer(L"Error");
  ResManager* manager = ResManager::GetInstance();
  EXPECT_EQ(manager->GetImage(kMissingImageId), nullptr);
  EXPECT_EQ(closer.texts().size(), 1u);
  EXPECT_EQ(manager->GetImage(kMissingImageId), nullptr) << "nothing was cached";
  const std::vector<std::wstring> texts = closer.texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind(L"Function: ", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find(L"image id:12345, Last error: "), std::wstring::npos) << texts[0];
  ASSERT_EQ(asserts.failures().size(), 2u);
  EXPECT_EQ(asserts.failures()[0].module, "res_manager");
  EXPECT_EQ(asserts.failures()[0].condition, "image != NULL");
}

// Each test runs in a process of its own; the manager is made afresh all the same, so that
// no font cached by an earlier test in the same process answers for this one.
ResManager* FreshManager() {
  ResManager::DestroyInstance();
  return ResManager::GetInstance();
}

TEST(ResManagerTest, FontFlagsChooseSizeAndStyle) {
  ResManager* manager = FreshManager();
  const struct {
    int flags;
    float size;
    int style;
  } cases[] = {
      {dui::kFontSize8 | dui::kFontSize14, 8, Gdiplus::FontStyleRegular},
      {0, 12, Gdiplus::FontStyleRegular},
      {dui::kDefaultFontFlags, 12, Gdiplus::FontStyleRegular},
      {dui::kFontSize14 | dui::kFontSize16, 14, Gdiplus::FontStyleRegular},
      {dui::kFontSize16 | dui::kFontSize11, 16, Gdiplus::FontStyleRegular},
      {dui::kFontSize11, 11, Gdiplus::FontStyleRegular},
      {dui::kFontBold, 12, Gdiplus::FontStyleBold},
      {dui::kFontBold | dui::kFontUnderline, 12,
       Gdiplus::FontStyleBold | Gdiplus::FontStyleUnderline},
      {dui::kFontUnderline | dui::kFontSize8, 8, Gdiplus::FontStyleUnderline},
  };
  const std::wstring song = FamilyNameOf(L"宋体");
  ASSERT_FALSE(song.empty()) << "the prefix maps the family to an installed font";
  for (const auto& c : cases) {
    Gdiplus::Font* font = manager->GetFont(c.flags, dui::FontFamily::kSong);
    ASSERT_NE(font, nullptr) << c.flags;
    EXPECT_EQ(font->GetSize(), c.size) << c.flags;
    EXPECT_EQ(font->GetStyle(), c.style) << c.flags;
    EXPECT_EQ(font->GetUnit(), Gdiplus::UnitPixel) << c.flags;
    EXPECT_EQ(FamilyName(*font), song) << c.flags;
    EXPECT_EQ(manager->GetFont(c.flags, dui::FontFamily::kArial), font) << "cached by flags";
  }
}

TEST(ResManagerTest, AfterSevenMissingFamiliesEveryNewFontIsTheDefaultGuiFont) {
  ResManager* manager = FreshManager();
  const std::wstring song = FamilyNameOf(L"宋体");
  const std::wstring fallback = DefaultGuiFamilyName();
  ASSERT_NE(song, fallback);
  EXPECT_EQ(FamilyName(*manager->GetFont(0, dui::FontFamily::kSong)), song);

  ResManager::SetFontFamilyNameForTesting(dui::FontFamily::kArial, L"Pictor Missing Family");
  Gdiplus::Font* font = manager->GetFont(dui::kFontSize14, dui::FontFamily::kArial);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(FamilyName(*font), fallback);
  EXPECT_EQ(manager->GetFont(dui::kFontSize14, dui::FontFamily::kSong), font);

  // The seven failures used up the process's tries: a family that exists is not tried.
  Gdiplus::Font* later = manager->GetFont(dui::kFontBold, dui::FontFamily::kSong);
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(FamilyName(*later), fallback);
  EXPECT_EQ(FamilyName(*manager->GetFont(0, dui::FontFamily::kSong)), song) << "kept in the cache";
  ResManager::SetFontFamilyNameForTesting(dui::FontFamily::kArial, L"Arial");
}

}  // namespace
