// The cursors and the program icon as the built program carries them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "base/memory_bitmap.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"
#include "resource_ids.h"
#include "tests/support/program_module.h"
#include "tests/support/screen_grab.h"

namespace {

using testing_support::ProgramModule;
using testing_support::ScreenGrab;

// One image of a cursor.
struct CursorEntry {
  int id;
  int size;      // width and height
  int hot_spot;  // x and y
};

// The drawing cross holds its 100 %, 150 % and 200 % renders, each with its hot spot on the
// pixel under the middle of the 100 % one. The mosaic cursors are 2 x size + 1 pixels for
// the mosaic sizes 5 to 40, in that one size: they show the brush's disc in screen pixels.
constexpr CursorEntry kCursorTable[] = {
    {IDC_DRAW_CROSS, 32, 15}, {IDC_DRAW_CROSS, 48, 23}, {IDC_DRAW_CROSS, 64, 31},
    {IDC_MOSAIC_5, 11, 5},    {IDC_MOSAIC_10, 21, 10},  {IDC_MOSAIC_20, 41, 20},
    {IDC_MOSAIC_30, 61, 30},  {IDC_MOSAIC_40, 81, 40},
};

// The number of images the table lists for cursor `id`.
int ListedImages(int id) {
  return static_cast<int>(std::count_if(std::begin(kCursorTable), std::end(kCursorTable),
                                        [id](const CursorEntry& entry) { return entry.id == id; }));
}

// Group directories (RT_GROUP_CURSOR, RT_GROUP_ICON): a 6-byte header with the count at
// offset 4, then one 14-byte entry per image.
constexpr size_t kGroupHeaderSize = 6;
constexpr size_t kGroupEntrySize = 14;

int GroupCount(const std::vector<uint8_t>& group) {
  return group.size() < kGroupHeaderSize ? 0 : group[4] | (group[5] << 8);
}

const uint8_t* GroupEntry(const std::vector<uint8_t>& group, int index) {
  return group.data() + kGroupHeaderSize + kGroupEntrySize * index;
}

// The entry of a cursor group whose image is `width` pixels wide, or null.
const uint8_t* CursorGroupEntry(const std::vector<uint8_t>& group, int width) {
  for (int i = 0; i < GroupCount(group); ++i) {
    const uint8_t* entry = GroupEntry(group, i);
    if ((entry[0] | (entry[1] << 8)) == width)
      return entry;
  }
  return nullptr;
}

// The size of a loaded cursor or icon, from its colour bitmap.
SIZE HandleSize(HICON handle, POINT* hot_spot) {
  ICONINFO info = {};
  if (!GetIconInfo(handle, &info))
    return {0, 0};
  base::ScopedBitmap colour(info.hbmColor);
  base::ScopedBitmap mask(info.hbmMask);
  BITMAP bitmap = {};
  GetObjectW(colour ? colour.get() : mask.get(), sizeof(bitmap), &bitmap);
  if (hot_spot)
    *hot_spot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  return {bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

TEST(CursorTest, CursorsHoldTheListedSizesEachWithItsHotSpotInTheMiddle) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr) << "pictor.exe is not beside the test";
  for (const CursorEntry& entry : kCursorTable) {
    SCOPED_TRACE(testing::Message() << "cursor " << entry.id << " at " << entry.size);
    const auto group = program.ResourceBytes(MAKEINTRESOURCEW(entry.id), RT_GROUP_CURSOR);
    ASSERT_EQ(GroupCount(group), ListedImages(entry.id));
    const uint8_t* image = CursorGroupEntry(group, entry.size);
    ASSERT_NE(image, nullptr);
    // A cursor directory counts the mask in the height.
    EXPECT_EQ(image[2] | (image[3] << 8), 2 * entry.size);

    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(program.get(), MAKEINTRESOURCEW(entry.id),
                                                     IMAGE_CURSOR, entry.size, entry.size, 0));
    ASSERT_NE(cursor, nullptr);
    POINT hot_spot = {};
    const SIZE size = HandleSize(cursor, &hot_spot);
    EXPECT_EQ(size.cx, entry.size);
    EXPECT_EQ(size.cy, entry.size);
    EXPECT_EQ(hot_spot.x, entry.hot_spot);
    EXPECT_EQ(hot_spot.y, entry.hot_spot);
    DestroyCursor(cursor);
  }
}

int Brightness(COLORREF colour) {
  return (299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour)) / 1000;
}

// Counts the pixels of a cursor drawn on `background` that stand out from it by at least
// half the range of brightness.
int ContrastingPixels(HCURSOR cursor, int size, COLORREF background) {
  base::ScopedCreateDc dc(CreateCompatibleDC(nullptr));
  const BITMAPINFO info = base::TopDownBitmapInfo(size, size);
  void* bits = nullptr;
  base::ScopedBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  base::ScopedBrush brush(CreateSolidBrush(background));
  base::ScopedSelectObject select(dc.get(), bitmap.get());
  const RECT all = {0, 0, size, size};
  FillRect(dc.get(), &all, brush.get());
  DrawIconEx(dc.get(), 0, 0, cursor, size, size, 0, nullptr, DI_NORMAL);
  const ScreenGrab grab(dc.get(), 0, 0, size, size);
  const int background_brightness = Brightness(background);
  int count = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (std::abs(Brightness(grab.Pixel(x, y)) - background_brightness) >= 128)
        ++count;
    }
  }
  return count;
}

TEST(CursorTest, CursorsStandOutOnLightAndOnDarkPictures) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr);
  for (const CursorEntry& entry : kCursorTable) {
    SCOPED_TRACE(testing::Message() << "cursor " << entry.id << " at " << entry.size);
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(program.get(), MAKEINTRESOURCEW(entry.id),
                                                     IMAGE_CURSOR, entry.size, entry.size, 0));
    ASSERT_NE(cursor, nullptr);
    // At least a line across the cursor in each case.
    EXPECT_GE(ContrastingPixels(cursor, entry.size, RGB(255, 255, 255)), entry.size);
    EXPECT_GE(ContrastingPixels(cursor, entry.size, RGB(0, 0, 0)), entry.size);
    DestroyCursor(cursor);
  }
}

TEST(IconTest, IconHoldsFourSizesAndLoadsAt16And32Pixels) {
  ProgramModule program;
  ASSERT_NE(program.get(), nullptr);
  const auto group = program.ResourceBytes(MAKEINTRESOURCEW(IDI_PICTOR), RT_GROUP_ICON);
  ASSERT_EQ(GroupCount(group), 4);
  std::vector<int> widths;
  for (int i = 0; i < 4; ++i) {
    const uint8_t* image = GroupEntry(group, i);
    EXPECT_EQ(image[0], image[1]) << "square";
    widths.push_back(image[0] == 0 ? 256 : image[0]);
  }
  EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 256}));

  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(
        LoadImageW(program.get(), MAKEINTRESOURCEW(IDI_PICTOR), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    const SIZE loaded = HandleSize(icon, nullptr);
    EXPECT_EQ(loaded.cx, size);
    EXPECT_EQ(loaded.cy, size);
    DestroyIcon(icon);
  }
}

}  // namespace
