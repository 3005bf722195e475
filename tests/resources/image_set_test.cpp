// The image set as the built program carries it: every BINDATA entry a PNG of its size and
// format, in the language the program looks its images up in, and the same entry among the
// 150 % and 200 % renders of types BINDATA150 and BINDATA200.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "tests/support/png_image.h"
#include "tests/support/program_module.h"

namespace {

using testing_support::PngImage;
using testing_support::ProgramModule;

constexpr wchar_t kImageType[] = L"BINDATA";
constexpr WORD kSimplifiedChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The resource type of the images rendered at each display scale, in percent.
struct ScaledImageType {
  const wchar_t* type;
  int percent;
};
constexpr ScaledImageType kScaledImageTypes[] = {{L"BINDATA150", 150}, {L"BINDATA200", 200}};

// A length at `percent` % of its size, halves rounded up: 5 pixels are 8 at 150 %.
constexpr int Scaled(int length, int percent) {
  return (2 * length * percent + 100) / 200;
}
static_assert(Scaled(5, 150) == 8 && Scaled(11, 150) == 17 && Scaled(43, 200) == 86);

enum class Channels { kRgb, kRgba };

struct ImageEntry {
  int id;
  int width;
  int height;
  Channels channels;
};

constexpr ImageEntry kImageTable[] = {
    {IDB_TOOL_MOSAIC_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_MOSAIC, 24, 24, Channels::kRgba},
    {IDB_TOOLBAR_BACKGROUND, 594, 46, Channels::kRgba},
    {IDB_HANDLE_SETTLED, 6, 6, Channels::kRgba},
    {IDB_HANDLE_DRAGGING, 5, 5, Channels::kRgba},
    {IDB_SIZE_LABEL, 110, 32, Channels::kRgba},
    {IDB_PICKER_BACKGROUND, 10, 28, Channels::kRgba},
    {IDB_SIZE_4_HOVER, 43, 43, Channels::kRgba},
    {IDB_SIZE_4, 43, 43, Channels::kRgba},
    {IDB_SIZE_4_SELECTED, 43, 43, Channels::kRgba},
    {IDB_SIZE_5_HOVER, 43, 43, Channels::kRgba},
    {IDB_SIZE_5, 43, 43, Channels::kRgba},
    {IDB_SIZE_5_SELECTED, 43, 43, Channels::kRgba},
    {IDB_TOOL_TEXT_HOVER, 24, 24, Channels::kRgba},
    {IDB_BALLOON_CLOSE, 14, 14, Channels::kRgba},
    {IDB_MAGNIFIER_FRAME, 119, 89, Channels::kRgba},
    {IDB_COPY, 24, 24, Channels::kRgba},
    {IDB_COPY_HOVER, 24, 24, Channels::kRgba},
    {IDB_SAVE, 24, 24, Channels::kRgba},
    {IDB_SAVE_HOVER, 24, 24, Channels::kRgba},
    {IDB_CANCEL, 24, 24, Channels::kRgba},
    {IDB_CANCEL_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_PEN, 24, 24, Channels::kRgba},
    {IDB_TOOL_PEN_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_HIGHLIGHTER, 24, 24, Channels::kRgba},
    {IDB_TOOL_HIGHLIGHTER_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_STEP, 24, 24, Channels::kRgba},
    {IDB_TOOL_STEP_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_REDACT, 24, 24, Channels::kRgba},
    {IDB_TOOL_REDACT_HOVER, 24, 24, Channels::kRgba},
    {IDB_SPARE_PANEL, 10, 28, Channels::kRgba},
    {IDB_BALLOON_BACKGROUND, 298, 138, Channels::kRgba},
    {IDB_SPARE_SEPARATOR, 5, 18, Channels::kRgb},
    {IDB_TOOL_RECTANGLE_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_RECTANGLE, 24, 24, Channels::kRgba},
    {IDB_TOOL_ARROW_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_ARROW, 24, 24, Channels::kRgba},
    {IDB_SPARE_WIDE_BUTTON, 44, 43, Channels::kRgba},
    {IDB_SPARE_WIDE_BUTTON_HOVER, 44, 43, Channels::kRgba},
    {IDB_SPARE_WIDE_BUTTON_PRESSED, 44, 43, Channels::kRgba},
    {IDB_SIZE_1_SELECTED, 43, 43, Channels::kRgba},
    {IDB_SIZE_1, 43, 43, Channels::kRgba},
    {IDB_SIZE_1_HOVER, 43, 43, Channels::kRgba},
    {IDB_SIZE_2_SELECTED, 43, 43, Channels::kRgba},
    {IDB_SIZE_2, 43, 43, Channels::kRgba},
    {IDB_SIZE_2_HOVER, 43, 43, Channels::kRgba},
    {IDB_SIZE_3_SELECTED, 43, 43, Channels::kRgba},
    {IDB_SIZE_3, 43, 43, Channels::kRgba},
    {IDB_SIZE_3_HOVER, 43, 43, Channels::kRgba},
    {IDB_COLOR_CELL_PRESSED, 16, 16, Channels::kRgba},
    {IDB_COLOR_CELL, 16, 16, Channels::kRgba},
    {IDB_COLOR_CELL_HOVER, 16, 16, Channels::kRgba},
    {IDB_SPARE_SLICE, 1, 28, Channels::kRgba},
    {IDB_TOOL_ELLIPSE_HOVER, 24, 24, Channels::kRgba},
    {IDB_TOOL_ELLIPSE, 24, 24, Channels::kRgba},
    {IDB_TOOL_TEXT, 24, 24, Channels::kRgba},
    {IDB_FONT_SIZE_BUTTON, 74, 32, Channels::kRgba},
    {IDB_FONT_SIZE_BUTTON_HOVER, 74, 32, Channels::kRgba},
    {IDB_FONT_SIZE_BUTTON_PRESSED, 74, 32, Channels::kRgba},
    {IDB_FONT_SIZE_ITEM, 74, 32, Channels::kRgba},
    {IDB_FONT_SIZE_ITEM_HOVER, 74, 32, Channels::kRgba},
    {IDB_BUTTON, 11, 31, Channels::kRgba},
    {IDB_BUTTON_HOVER, 11, 31, Channels::kRgba},
    {IDB_BUTTON_PRESSED, 11, 31, Channels::kRgba},
    {IDB_BUTTON_DISABLED, 11, 31, Channels::kRgba},
};

// An image by the name the program looks it up with.
struct NamedImage {
  LPCWSTR name;
  int width;
  int height;
  Channels channels;
};

constexpr wchar_t kShareLineName[] = L"IDR_BTN_SHARE_LINE";
constexpr NamedImage kShareLine = {kShareLineName, 141, 1, Channels::kRgb};

// The numbered images of the table and the named share line.
std::vector<NamedImage> AllImages() {
  std::vector<NamedImage> images = {kShareLine};
  for (const ImageEntry& entry : kImageTable)
    images.push_back({MAKEINTRESOURCEW(entry.id), entry.width, entry.height, entry.channels});
  return images;
}

// A resource name as text: its number, or the name itself.
std::wstring NameText(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                              : std::wstring(name);
}

// Checks one decoded entry against its listed size and channels; the next entry is checked
// even when this one fails.
void ExpectListedPng(const PngImage& image, int width, int height, Channels channels) {
  if (!image.decoded) {
    ADD_FAILURE() << "not a PNG that decodes";
    return;
  }
  EXPECT_EQ(image.header_width, width);
  EXPECT_EQ(image.header_height, height);
  EXPECT_EQ(image.bit_depth, 8);
  EXPECT_EQ(image.colour_type, channels == Channels::kRgba ? PngImage::kRgba : PngImage::kRgb);
  EXPECT_EQ(image.width, width);
  EXPECT_EQ(image.height, height);
  EXPECT_EQ(image.gdiplus_has_alpha, channels == Channels::kRgba);
}

TEST(ImageSetTest, EveryImageIsAPngOfItsListedSizeAndChannels) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr) << "pictor.exe is not beside the test";
  for (const ImageEntry& entry : kImageTable) {
    SCOPED_TRACE(testing::Message() << "image " << entry.id);
    const auto bytes =
        program.ResourceBytes(MAKEINTRESOURCEW(entry.id), kImageType, kSimplifiedChinese);
    ASSERT_FALSE(bytes.empty());
    // The program's loader asks without a language and must find the same entry.
    EXPECT_EQ(program.ResourceBytes(MAKEINTRESOURCEW(entry.id), kImageType), bytes);
    ExpectListedPng(PngImage::Decode(bytes), entry.width, entry.height, entry.channels);
  }
}

TEST(ImageSetTest, NamedShareLineIsAnRgbLine) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr);
  const auto bytes = program.ResourceBytes(kShareLine.name, kImageType, kSimplifiedChinese);
  ASSERT_FALSE(bytes.empty());
  ExpectListedPng(PngImage::Decode(bytes), kShareLine.width, kShareLine.height,
                  kShareLine.channels);
}

TEST(ImageSetTest, EveryImageComesAt150And200PercentOfItsSizeUnderItsName) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr);
  for (const ScaledImageType& scaled : kScaledImageTypes) {
    for (const NamedImage& image : AllImages()) {
      SCOPED_TRACE(testing::Message()
                   << "image " << NameText(image.name) << " at " << scaled.percent << " %");
      // Found by FindResourceW(module, name, type), as the 100 % images are.
      const auto bytes = program.ResourceBytes(image.name, scaled.type);
      ASSERT_FALSE(bytes.empty());
      EXPECT_EQ(program.ResourceBytes(image.name, scaled.type, kSimplifiedChinese), bytes);
      ExpectListedPng(PngImage::Decode(bytes), Scaled(image.width, scaled.percent),
                      Scaled(image.height, scaled.percent), image.channels);
    }
  }
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  reinterpret_cast<std::set<std::wstring>*>(names)->insert(NameText(name));
  return TRUE;
}

TEST(ImageSetTest, ProgramCarriesExactlyTheListedImagesAtEveryScale) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr);
  std::set<std::wstring> listed;
  for (const NamedImage& image : AllImages())
    listed.insert(NameText(image.name));
  for (const wchar_t* type : {kImageType, kScaledImageTypes[0].type, kScaledImageTypes[1].type}) {
    SCOPED_TRACE(testing::Message() << "type " << type);
    std::set<std::wstring> found;
    EnumResourceNamesW(program.get(), type, &CollectName, reinterpret_cast<LONG_PTR>(&found));
    EXPECT_EQ(found, listed);
  }
}

}  // namespace
