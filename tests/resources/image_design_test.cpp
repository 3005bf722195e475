// What the views that draw the pictures rely on: plain areas where text goes, open frames
// over swatches, nine-grid images that stretch cleanly, faces that show their state and stay
// sharp at 200 %.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "resource_ids.h"
#include "tests/support/png_image.h"
#include "tests/support/program_module.h"

namespace {

using testing_support::Alpha;
using testing_support::Luminance;
using testing_support::PngImage;
using testing_support::ProgramModule;

constexpr uint32_t kOpaqueFrameOrange = 0xFFFF8B31;  // RGB(255, 139, 49)

constexpr wchar_t kImageType[] = L"BINDATA";
constexpr wchar_t kImageType200[] = L"BINDATA200";

PngImage LoadImageResource(const ProgramModule& program, int id, const wchar_t* type) {
  return PngImage::Decode(program.ResourceBytes(MAKEINTRESOURCEW(id), type));
}

// Brightness of a pixel laid over an opaque background colour.
double BrightnessOver(uint32_t pixel, uint32_t background) {
  const double alpha = Alpha(pixel) / 255.0;
  return alpha * Luminance(pixel) + (1 - alpha) * Luminance(background);
}

// Mean brightness of the picture laid over an opaque background colour.
double MeanBrightnessOver(const PngImage& image, uint32_t background) {
  double total = 0;
  for (uint32_t pixel : image.pixels)
    total += BrightnessOver(pixel, background);
  return image.pixels.empty() ? 0 : total / image.pixels.size();
}

bool IsOrange(uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return Alpha(pixel) > 128 && r > 200 && g > 100 && g < 180 && b < 100;
}

int OrangePixels(const PngImage& image) {
  int count = 0;
  for (uint32_t pixel : image.pixels)
    count += IsOrange(pixel) ? 1 : 0;
  return count;
}

// The first pixel of the area [left, right) x [top, bottom) that fails `check`, as "x, y";
// empty when every pixel passes.
template <typename Check>
std::string FirstFailingPixel(int left, int top, int right, int bottom, Check check) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!check(x, y))
        return std::to_string(x) + ", " + std::to_string(y);
    }
  }
  return "";
}

class ImageDesignTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program_.get(), nullptr) << "pictor.exe is not beside the test";
  }

  PngImage Load(int id, const wchar_t* type = kImageType) const {
    PngImage image = LoadImageResource(program_, id, type);
    EXPECT_TRUE(image.decoded) << "image " << id;
    return image;
  }

  ProgramModule program_;
};

TEST_F(ImageDesignTest, TooltipPartOfTheToolbarStripIsPlainAndDark) {
  // The tooltip draws (100, 4) onwards at its own size, at most 90 x 22, under white text.
  const PngImage strip = Load(IDB_TOOLBAR_BACKGROUND);
  ASSERT_TRUE(strip.decoded);
  const uint32_t fill = strip.At(100, 4);
  EXPECT_EQ(Alpha(fill), 255);
  EXPECT_LT(Luminance(fill), 80);
  EXPECT_EQ(FirstFailingPixel(100, 4, 100 + 90, 4 + 22,
                              [&](int x, int y) { return strip.At(x, y) == fill; }),
            "");
}

TEST_F(ImageDesignTest, HoverFacesAreClearlyBrighterThanNormalFaces) {
  const struct {
    int normal;
    int hover;
  } faces[] = {
      {IDB_TOOL_RECTANGLE, IDB_TOOL_RECTANGLE_HOVER},
      {IDB_TOOL_ELLIPSE, IDB_TOOL_ELLIPSE_HOVER},
      {IDB_TOOL_ARROW, IDB_TOOL_ARROW_HOVER},
      {IDB_TOOL_TEXT, IDB_TOOL_TEXT_HOVER},
      {IDB_TOOL_MOSAIC, IDB_TOOL_MOSAIC_HOVER},
      {IDB_TOOL_PEN, IDB_TOOL_PEN_HOVER},
      {IDB_TOOL_HIGHLIGHTER, IDB_TOOL_HIGHLIGHTER_HOVER},
      {IDB_TOOL_STEP, IDB_TOOL_STEP_HOVER},
      {IDB_TOOL_REDACT, IDB_TOOL_REDACT_HOVER},
      {IDB_SAVE, IDB_SAVE_HOVER},
      {IDB_CANCEL, IDB_CANCEL_HOVER},
      {IDB_COPY, IDB_COPY_HOVER},
      {IDB_SIZE_1, IDB_SIZE_1_HOVER},
      {IDB_SIZE_2, IDB_SIZE_2_HOVER},
      {IDB_SIZE_3, IDB_SIZE_3_HOVER},
      {IDB_SIZE_4, IDB_SIZE_4_HOVER},
      {IDB_SIZE_5, IDB_SIZE_5_HOVER},
      {IDB_FONT_SIZE_BUTTON, IDB_FONT_SIZE_BUTTON_HOVER},
      {IDB_FONT_SIZE_ITEM, IDB_FONT_SIZE_ITEM_HOVER},
      {IDB_BUTTON, IDB_BUTTON_HOVER},
  };
  // On the toolbar's own colour, where the faces are seen.
  const uint32_t background = Load(IDB_TOOLBAR_BACKGROUND).At(100, 4);
  constexpr double kClearlyBrighter = 12;
  for (const auto& face : faces) {
    EXPECT_GE(MeanBrightnessOver(Load(face.hover), background),
              MeanBrightnessOver(Load(face.normal), background) + kClearlyBrighter)
        << "images " << face.normal << " and " << face.hover;
  }
}

TEST_F(ImageDesignTest, FacesAt200PercentHaveEdgesSharperThanTheirPixelsAt100Percent) {
  // The 200 % render is drawn anew from the sheet, so an edge may fall inside the 2 x 2
  // block of one 100 % pixel. The 100 % face enlarged could not do that: repeated, each
  // block is one colour; blended linearly with its neighbours, a block spans less than half
  // the range of brightness.
  const int faces[] = {IDB_TOOL_ELLIPSE, IDB_TOOL_ARROW,      IDB_TOOL_PEN,
                       IDB_TOOL_STEP,    IDB_TOOL_STEP_HOVER, IDB_SAVE};
  const uint32_t background = Load(IDB_TOOLBAR_BACKGROUND).At(100, 4);
  constexpr double kHalfTheRange = 128;
  for (int id : faces) {
    SCOPED_TRACE(testing::Message() << "image " << id);
    const PngImage face = Load(id);
    const PngImage face_200 = Load(id, kImageType200);
    ASSERT_EQ(face_200.width, 2 * face.width);
    ASSERT_EQ(face_200.height, 2 * face.height);
    double widest_block = 0;
    for (int y = 0; y < face_200.height; y += 2) {
      for (int x = 0; x < face_200.width; x += 2) {
        const double block[] = {BrightnessOver(face_200.At(x, y), background),
                                BrightnessOver(face_200.At(x + 1, y), background),
                                BrightnessOver(face_200.At(x, y + 1), background),
                                BrightnessOver(face_200.At(x + 1, y + 1), background)};
        const auto [darkest, brightest] = std::minmax_element(std::begin(block), std::end(block));
        widest_block = std::max(widest_block, *brightest - *darkest);
      }
    }
    EXPECT_GE(widest_block, kHalfTheRange);
  }
}

TEST_F(ImageDesignTest, OnlyTheSelectedSizeFacesCarryTheFrameOrange) {
  const struct {
    int normal;
    int hover;
    int selected;
  } sizes[] = {
      {IDB_SIZE_1, IDB_SIZE_1_HOVER, IDB_SIZE_1_SELECTED},
      {IDB_SIZE_2, IDB_SIZE_2_HOVER, IDB_SIZE_2_SELECTED},
      {IDB_SIZE_3, IDB_SIZE_3_HOVER, IDB_SIZE_3_SELECTED},
      {IDB_SIZE_4, IDB_SIZE_4_HOVER, IDB_SIZE_4_SELECTED},
      {IDB_SIZE_5, IDB_SIZE_5_HOVER, IDB_SIZE_5_SELECTED},
  };
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << "size faces " << size.normal);
    EXPECT_EQ(OrangePixels(Load(size.normal)), 0);
    EXPECT_EQ(OrangePixels(Load(size.hover)), 0);
    EXPECT_GT(OrangePixels(Load(size.selected)), 0);
  }
}

TEST_F(ImageDesignTest, SizeButtonDotsGrowFromSizeOneToFive) {
  const int faces[] = {IDB_SIZE_1, IDB_SIZE_2, IDB_SIZE_3, IDB_SIZE_4, IDB_SIZE_5};
  double previous = 0;
  for (int id : faces) {
    double ink = 0;
    for (uint32_t pixel : Load(id).pixels)
      ink += Alpha(pixel) / 255.0;
    EXPECT_GT(ink, previous) << "image " << id;
    previous = ink;
  }
}

TEST_F(ImageDesignTest, ColourCellFramesAreOpenOverTheSwatch) {
  // The 14 x 14 swatch is painted at (1, 1) first; the frame's inside must let it show.
  for (int id : {IDB_COLOR_CELL, IDB_COLOR_CELL_HOVER, IDB_COLOR_CELL_PRESSED}) {
    SCOPED_TRACE(testing::Message() << "image " << id);
    const PngImage frame = Load(id);
    ASSERT_TRUE(frame.decoded);
    EXPECT_EQ(
        FirstFailingPixel(2, 2, 14, 14, [&](int x, int y) { return Alpha(frame.At(x, y)) == 0; }),
        "");
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(Alpha(frame.At(i, 0)), 255);
      EXPECT_EQ(Alpha(frame.At(0, i)), 255);
      EXPECT_EQ(Alpha(frame.At(i, 15)), 255);
      EXPECT_EQ(Alpha(frame.At(15, i)), 255);
    }
  }
}

TEST_F(ImageDesignTest, NineGridImagesHaveUniformMiddles) {
  // Stretching repeats the middle column and row; any detail there would smear.
  const struct {
    int id;
    int corner_width;
    int corner_height;
  } grids[] = {
      {IDB_SIZE_LABEL, 5, 5},
      {IDB_PICKER_BACKGROUND, 4, 13},
      {IDB_COLOR_CELL_HOVER, 7, 7},
  };
  for (const auto& grid : grids) {
    SCOPED_TRACE(testing::Message() << "image " << grid.id);
    const PngImage image = Load(grid.id);
    ASSERT_TRUE(image.decoded);
    EXPECT_EQ(FirstFailingPixel(
                  grid.corner_width, 0, image.width - grid.corner_width, image.height,
                  [&](int x, int y) { return image.At(x, y) == image.At(grid.corner_width, y); }),
              "")
        << "middle columns";
    EXPECT_EQ(FirstFailingPixel(
                  0, grid.corner_height, image.width, image.height - grid.corner_height,
                  [&](int x, int y) { return image.At(x, y) == image.At(x, grid.corner_height); }),
              "")
        << "middle rows";
  }
}

TEST_F(ImageDesignTest, MagnifierFrameLeavesThePictureVisibleAndRingsTheCursorPixel) {
  // The frame lies over the picture magnified 3 times; the cursor's pixel is the 3 x 3
  // block at (60, 45).
  const PngImage frame = Load(IDB_MAGNIFIER_FRAME);
  ASSERT_TRUE(frame.decoded);
  EXPECT_EQ(
      FirstFailingPixel(60, 45, 63, 48, [&](int x, int y) { return Alpha(frame.At(x, y)) == 0; }),
      "");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Alpha(frame.At(59 + i, 44)), 255);
    EXPECT_EQ(Alpha(frame.At(59 + i, 48)), 255);
    EXPECT_EQ(Alpha(frame.At(59, 44 + i)), 255);
    EXPECT_EQ(Alpha(frame.At(63, 44 + i)), 255);
  }
  int see_through = 0;
  for (uint32_t pixel : frame.pixels)
    see_through += Alpha(pixel) <= 128 ? 1 : 0;
  EXPECT_GE(see_through, static_cast<int>(frame.pixels.size() * 8 / 10));
}

TEST_F(ImageDesignTest, HandlesAreOpaqueWithTheFrameOrangeInside) {
  for (int id : {IDB_HANDLE_SETTLED, IDB_HANDLE_DRAGGING}) {
    SCOPED_TRACE(testing::Message() << "image " << id);
    const PngImage handle = Load(id);
    ASSERT_TRUE(handle.decoded);
    for (uint32_t pixel : handle.pixels)
      EXPECT_EQ(Alpha(pixel), 255);
    EXPECT_EQ(handle.At(handle.width / 2, handle.height / 2), kOpaqueFrameOrange);
  }
}

}  // namespace
