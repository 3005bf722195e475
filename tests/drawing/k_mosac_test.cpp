#include "drawing/k_mosac.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "drawing/k_arrow.h"
#include "drawing/paint_context.h"
#include "drawing/paint_shapes.h"
#include "tests/drawing/memory_canvas.h"
#include "tests/support/assert_recorder.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::MemoryCanvas;
using testing_support::ScopedAssertRecorder;

constexpr int kBlock = 10;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A picture in which neighbouring pixels and blocks all differ.
COLORREF Pattern(int x, int y) {
  return RGB((x * 37 + y * 11) % 256, (x * x + 3 * y) % 251, (x * y + 7 * x + 5) % 253);
}

void FillWithPattern(MemoryCanvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x)
      canvas.SetPixelColor(x, y, Pattern(x, y));
  }
}

// The integer average of the 100 pixels of the block whose top-left pixel is (left, top),
// as `pixel` gives them.
template <typename PixelSource>
COLORREF BlockAverage(int left, int top, PixelSource pixel) {
  int red = 0;
  int green = 0;
  int blue = 0;
  for (int y = top; y < top + kBlock; ++y) {
    for (int x = left; x < left + kBlock; ++x) {
      red += GetRValue(pixel(x, y));
      green += GetGValue(pixel(x, y));
      blue += GetBValue(pixel(x, y));
    }
  }
  const int count = kBlock * kBlock;
  return RGB(red / count, green / count, blue / count);
}

std::unique_ptr<KMosac> MakeMosaic(int radius, const std::vector<POINT>& drag) {
  auto mosaic = std::make_unique<KMosac>();
  mosaic->mosaicSize = radius;
  Drag(*mosaic, drag);
  return mosaic;
}

TEST(MosaicTest, SingleDiscIsMadeOfTheAveragesOfItsFourBlocks) {
  // r = 5 at (23, 47): the square (18, 42)-(28, 52) meets the blocks at (10, 40), (20, 40),
  // (10, 50) and (20, 50). The disc holds the pixels whose centres lie within 5 of (23, 47).
  MemoryCanvas canvas(100, 100, kWhite);
  FillWithPattern(canvas);
  auto mosaic = MakeMosaic(5, {{23, 47}});
  ASSERT_TRUE(PaintShapes(canvas.dc(), {0, 0, 100, 100}, {mosaic.get()}));

  std::set<COLORREF> disc_colors;
  int disc_pixels = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const double dx = x + 0.5 - 23;
      const double dy = y + 0.5 - 47;
      const bool in_disc = dx * dx + dy * dy <= 25;
      const COLORREF expected =
          in_disc ? BlockAverage(x / kBlock * kBlock, y / kBlock * kBlock, Pattern) : Pattern(x, y);
      ASSERT_EQ(canvas.Pixel(x, y), expected)
          << (in_disc ? "in" : "outside") << " the disc at " << x << ", " << y;
      if (in_disc) {
        ++disc_pixels;
        disc_colors.insert(expected);
      }
    }
  }
  EXPECT_EQ(disc_pixels, 80);
  EXPECT_EQ(disc_colors,
            (std::set<COLORREF>{BlockAverage(10, 40, Pattern), BlockAverage(20, 40, Pattern),
                                BlockAverage(10, 50, Pattern), BlockAverage(20, 50, Pattern)}));
}

// Whether the centre of pixel (x, y) lies within `radius` of the segment from `a` to `b`,
// in half pixels so that the test is exact: the nearest point of the segment is an end, or
// the foot of the perpendicular, whose distance squared is cross^2 / |b - a|^2.
bool WithinRadiusOfSegment(int x, int y, POINT a, POINT b, int radius) {
  const int64_t px = 2 * x + 1 - 2 * a.x;
  const int64_t py = 2 * y + 1 - 2 * a.y;
  const int64_t dx = 2 * (b.x - a.x);
  const int64_t dy = 2 * (b.y - a.y);
  const int64_t reach = 4 * static_cast<int64_t>(radius) * radius;
  const int64_t length = dx * dx + dy * dy;
  const int64_t along = px * dx + py * dy;
  if (length == 0 || along <= 0)
    return px * px + py * py <= reach;
  if (along >= length)
    return (px - dx) * (px - dx) + (py - dy) * (py - dy) <= reach;
  const int64_t cross = px * dy - py * dx;
  return cross * cross <= reach * length;
}

// Strokes of one piece, drawn as the system reports a fast move: two points far apart. Every
// pixel within the radius of the way between them, inside the selection, is its block's
// average of the untouched picture; every other pixel is as it was.
TEST(MosaicTest, StrokeCoversTheWholeWayBetweenItsPoints) {
  const RECT canvas_rect = {0, 0, 700, 500};
  const struct {
    const char* what;
    int radius;
    POINT from;
    POINT to;
    RECT selection;
  } cases[] = {
      {"a single point", 12, {333, 247}, {333, 247}, canvas_rect},
      {"horizontal", 10, {43, 101}, {297, 101}, canvas_rect},
      {"vertical", 7, {500, 37}, {500, 420}, canvas_rect},
      {"diagonal", 20, {60, 460}, {260, 260}, canvas_rect},
      {"shallow", 5, {100, 203}, {600, 231}, canvas_rect},
      {"steep, upwards", 30, {600, 400}, {561, 80}, canvas_rect},
      {"a jump across the picture", 12, {30, 30}, {670, 470}, canvas_rect},
      {"a jump far past the selection", 20, {250, 200}, {-30000, 3000}, {100, 100, 400, 300}},
  };
  for (const auto& entry : cases) {
    MemoryCanvas canvas(700, 500, kWhite);
    FillWithPattern(canvas);
    auto stroke = MakeMosaic(entry.radius, {entry.from, entry.to});
    ASSERT_TRUE(PaintShapes(canvas.dc(), entry.selection, {stroke.get()})) << entry.what;
    int covered = 0;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        const bool inside = PtInRect(&entry.selection, POINT{x, y}) &&
                            WithinRadiusOfSegment(x, y, entry.from, entry.to, entry.radius);
        covered += inside;
        const COLORREF expected =
            inside ? BlockAverage(x / kBlock * kBlock, y / kBlock * kBlock, Pattern)
                   : Pattern(x, y);
        ASSERT_EQ(canvas.Pixel(x, y), expected)
            << entry.what << ": " << (inside ? "on" : "off") << " the way at " << x << ", " << y;
      }
    }
    EXPECT_GT(covered, 2 * entry.radius * entry.radius) << entry.what;
  }
}

// A stroke through several points is painted piece after piece: what the second piece adds
// takes its blocks' averages from the picture the first piece left, and changes nothing the
// first one painted.
TEST(MosaicTest, EachPieceAveragesThePictureThePiecesBeforeItLeft) {
  const POINT a = {60, 70};
  const POINT b = {420, 95};
  const POINT c = {250, 360};
  const int radius = 14;
  MemoryCanvas first_piece(500, 420, kWhite);
  MemoryCanvas both_pieces(500, 420, kWhite);
  FillWithPattern(first_piece);
  FillWithPattern(both_pieces);
  const RECT selection = {0, 0, 500, 420};
  auto first = MakeMosaic(radius, {a, b});
  auto whole = MakeMosaic(radius, {a, b, c});
  ASSERT_TRUE(PaintShapes(first_piece.dc(), selection, {first.get()}));
  ASSERT_TRUE(PaintShapes(both_pieces.dc(), selection, {whole.get()}));

  const auto after_first = [&](int x, int y) { return first_piece.Pixel(x, y); };
  int added = 0;
  for (int y = 0; y < 420; ++y) {
    for (int x = 0; x < 500; ++x) {
      COLORREF expected = Pattern(x, y);
      if (WithinRadiusOfSegment(x, y, a, b, radius)) {
        expected = first_piece.Pixel(x, y);
      } else if (WithinRadiusOfSegment(x, y, b, c, radius)) {
        expected = BlockAverage(x / kBlock * kBlock, y / kBlock * kBlock, after_first);
        ++added;
      }
      ASSERT_EQ(both_pieces.Pixel(x, y), expected) << x << ", " << y;
    }
  }
  EXPECT_GT(added, 5000);
}

TEST(MosaicTest, HalfCoveredBlockIsTheAverageOfAllItsPixels) {
  // r = 5 at (20, 45) covers the right half of the block (10, 40)-(20, 50) only. Its left
  // half, outside the disc, is blue-green; its right half white.
  MemoryCanvas canvas(60, 60, kWhite);
  const COLORREF left_half = RGB(0, 100, 200);
  for (int y = 40; y < 50; ++y) {
    for (int x = 10; x < 15; ++x)
      canvas.SetPixelColor(x, y, left_half);
  }
  auto mosaic = MakeMosaic(5, {{20, 45}});
  ASSERT_TRUE(PaintShapes(canvas.dc(), {0, 0, 60, 60}, {mosaic.get()}));
  const COLORREF average = RGB((0 + 255) / 2, (100 + 255) / 2, (200 + 255) / 2);
  for (const POINT inside : {POINT{17, 45}, POINT{19, 42}, POINT{19, 47}, POINT{16, 44}})
    EXPECT_EQ(canvas.Pixel(inside.x, inside.y), average) << inside.x << ", " << inside.y;
  for (int y = 40; y < 50; ++y) {
    for (int x = 10; x < 15; ++x)
      ASSERT_EQ(canvas.Pixel(x, y), left_half) << "outside the disc at " << x << ", " << y;
  }
}

TEST(MosaicTest, OverlappingStrokesPaintEachBlockOnce) {
  std::vector<POINT> drag;
  for (int x = 30; x <= 150; x += 3)
    drag.push_back({x, 40 + x / 4});
  const std::vector<POINT> part_of_it(drag.begin() + 10, drag.begin() + 30);
  const RECT selection = {0, 0, 200, 150};

  MemoryCanvas once(200, 150, kWhite);
  FillWithPattern(once);
  auto stroke = MakeMosaic(10, drag);
  ASSERT_TRUE(PaintShapes(once.dc(), selection, {stroke.get()}));

  const struct {
    const char* what;
    std::vector<POINT> second;
  } cases[] = {{"the same stroke again", drag}, {"a stroke over part of it", part_of_it}};
  for (const auto& entry : cases) {
    MemoryCanvas twice(200, 150, kWhite);
    FillWithPattern(twice);
    auto first = MakeMosaic(10, drag);
    auto second = MakeMosaic(10, entry.second);
    ASSERT_TRUE(PaintShapes(twice.dc(), selection, {first.get(), second.get()}));
    EXPECT_EQ(twice.Pixels(), once.Pixels()) << entry.what;
  }

  // Without the pass's bookkeeping a second stroke would pixelate the first one's blocks
  // anew, and the picture would change: a second pass shows it.
  ASSERT_TRUE(PaintShapes(once.dc(), selection, {stroke.get()}));
  MemoryCanvas reference(200, 150, kWhite);
  FillWithPattern(reference);
  auto again = MakeMosaic(10, drag);
  ASSERT_TRUE(PaintShapes(reference.dc(), selection, {again.get()}));
  EXPECT_NE(once.Pixels(), reference.Pixels());
}

TEST(MosaicTest, ClickWithoutMovementIsKeptAndPaintsOneDisc) {
  auto click = MakeMosaic(10, {{50, 50}, {50, 50}});
  ASSERT_EQ(click->points.size(), 2u);
  EXPECT_TRUE(click->IsValid());
  auto single = MakeMosaic(10, {{50, 50}});

  MemoryCanvas clicked(100, 100, kWhite);
  MemoryCanvas reference(100, 100, kWhite);
  FillWithPattern(clicked);
  FillWithPattern(reference);
  ASSERT_TRUE(PaintShapes(clicked.dc(), {0, 0, 100, 100}, {click.get()}));
  ASSERT_TRUE(PaintShapes(reference.dc(), {0, 0, 100, 100}, {single.get()}));
  EXPECT_EQ(clicked.Pixels(), reference.Pixels());
  EXPECT_EQ(clicked.Pixel(50, 50), BlockAverage(50, 50, Pattern));

  // EndDraw keeps every point of a stroke.
  const auto stroke = MakeMosaic(10, {{1, 1}, {5, 5}, {1, 1}, {9, 2}});
  EXPECT_EQ(stroke->points.size(), 4u);
}

TEST(MosaicTest, BlocksLieOnTheGridAnchoredAtTheOrigin) {
  // Discs whose squares start on block boundaries or a few pixels left of and above them,
  // one at the origin, where its square reaches into negative coordinates. Each disc is
  // painted on a fresh pattern.
  const POINT centres[] = {{3, 3}, {47, 61}, {45, 45}, {59, 52}, {40, 40}};
  for (const POINT centre : centres) {
    MemoryCanvas canvas(100, 100, kWhite);
    FillWithPattern(canvas);
    auto mosaic = MakeMosaic(7, {centre});
    ASSERT_TRUE(PaintShapes(canvas.dc(), {0, 0, 100, 100}, {mosaic.get()}));
    int painted = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 100; ++x) {
        if (canvas.Pixel(x, y) == Pattern(x, y))
          continue;
        ++painted;
        ASSERT_EQ(canvas.Pixel(x, y),
                  BlockAverage(x / kBlock * kBlock, y / kBlock * kBlock, Pattern))
            << "disc at " << centre.x << ", " << centre.y << ": pixel " << x << ", " << y;
      }
    }
    EXPECT_GT(painted, 0) << "disc at " << centre.x << ", " << centre.y;
  }
}

TEST(MosaicTest, StaysInsideTheSelectionAndLeavesTheClipRegionAsItWas) {
  const RECT selection = {30, 30, 75, 75};
  MemoryCanvas canvas(100, 100, kWhite);
  FillWithPattern(canvas);
  std::vector<POINT> drag;
  for (int i = 0; i <= 100; i += 4)
    drag.push_back({i, 50});
  auto mosaic = MakeMosaic(20, drag);
  mosaic->clipRect = selection;

  base::ScopedRegion clip(CreateRectRgnIndirect(&selection));
  SelectClipRgn(canvas.dc(), clip.get());
  {
    PaintContext pass(selection);
    mosaic->Draw(canvas.dc(), pass);
  }
  base::ScopedRegion after(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetClipRgn(canvas.dc(), after.get()), 1);
  EXPECT_TRUE(EqualRgn(after.get(), clip.get()));
  SelectClipRgn(canvas.dc(), nullptr);

  int painted = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool changed = canvas.Pixel(x, y) != Pattern(x, y);
      painted += changed;
      ASSERT_TRUE(!changed || PtInRect(&selection, POINT{x, y}))
          << "painted outside at " << x << ", " << y;
    }
  }
  EXPECT_GT(painted, 30 * 30);
}

TEST(MosaicTest, ArrowBeforeAMosaicIsPixelatedAndOneAfterItStaysSharp) {
  // Two mosaic discs of radius 40, far enough apart to share no block, each under an arrow;
  // the left arrow comes before the mosaic in the shape list, the right one after it.
  //   before: (20, 100) -> (90, 100), disc at (50, 100)
  //   after: (110, 100) -> (180, 100), disc at (150, 100)
  const RECT selection = {0, 0, 200, 200};
  const auto make_arrow = [](POINT tail, POINT tip) {
    auto arrow = std::make_unique<KArrow>();
    arrow->width = 3;
    arrow->color = RGB(0, 160, 60);
    Drag(*arrow, {tail, tip});
    return arrow;
  };
  const auto before = make_arrow({20, 100}, {90, 100});
  const auto after = make_arrow({110, 100}, {180, 100});
  const auto mosaic = MakeMosaic(40, {{50, 100}, {150, 100}});

  MemoryCanvas canvas(200, 200, kWhite);
  ASSERT_TRUE(PaintShapes(canvas.dc(), selection, {before.get(), mosaic.get(), after.get()}));
  // The same arrows, each alone on white.
  MemoryCanvas before_alone(200, 200, kWhite);
  MemoryCanvas after_alone(200, 200, kWhite);
  ASSERT_TRUE(PaintShapes(before_alone.dc(), selection, {before.get()}));
  ASSERT_TRUE(PaintShapes(after_alone.dc(), selection, {after.get()}));

  // Left of the middle every pixel is the arrow as it was, or the average of its block.
  const auto alone = [&](int x, int y) { return before_alone.Pixel(x, y); };
  const auto block_of = [&](int x, int y) {
    return BlockAverage(x / kBlock * kBlock, y / kBlock * kBlock, alone);
  };
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 100; ++x) {
      const COLORREF pixel = canvas.Pixel(x, y);
      ASSERT_TRUE(pixel == before_alone.Pixel(x, y) || pixel == block_of(x, y)) << x << ", " << y;
    }
  }
  // On the shaft, pixelated: neither the arrow's colour nor white.
  for (const POINT at : {POINT{30, 100}, POINT{55, 101}, POINT{80, 99}}) {
    EXPECT_NE(block_of(at.x, at.y), before_alone.Pixel(at.x, at.y)) << at.x << ", " << at.y;
    EXPECT_EQ(canvas.Pixel(at.x, at.y), block_of(at.x, at.y)) << at.x << ", " << at.y;
  }
  // Right of the middle the mosaic saw only white, and the right arrow lies over it as is.
  for (int y = 0; y < 200; ++y) {
    for (int x = 100; x < 200; ++x)
      ASSERT_EQ(canvas.Pixel(x, y), after_alone.Pixel(x, y)) << x << ", " << y;
  }
}

TEST(MosaicTest, OutsideAPaintingPassTheCheckFailsAndNothingIsPainted) {
  MemoryCanvas canvas(50, 50, kWhite);
  FillWithPattern(canvas);
  const std::vector<COLORREF> untouched = canvas.Pixels();
  auto mosaic = MakeMosaic(10, {{25, 25}});
  PaintContext no_pass;
  ScopedAssertRecorder recorder;
  mosaic->Draw(canvas.dc(), no_pass);
  ASSERT_EQ(recorder.failures().size(), 1u);
  EXPECT_EQ(recorder.failures()[0].module, "k_mosac");
  EXPECT_EQ(recorder.failures()[0].condition, "mosaicRegion != NULL");
  EXPECT_TRUE(no_pass.mosaic_failed());
  EXPECT_EQ(canvas.Pixels(), untouched);
}

// Each pass has a context of its own: a pass starts with the whole selection, or with what
// the earlier pass it goes on from left; a mosaic paints in its own pass only.
TEST(PaintContextTest, RegionStartsAsTheSelectionOrWhatAnEarlierPassLeft) {
  const RECT selection = {10, 20, 110, 70};
  base::ScopedRegion whole(CreateRectRgnIndirect(&selection));
  base::ScopedRegion left_half(CreateRectRgn(10, 20, 60, 70));
  const struct {
    const char* name;
    HRGN earlier;
    HRGN expected;
  } cases[] = {
      {"a first pass", nullptr, whole.get()},
      {"a pass after one that painted the right half", left_half.get(), left_half.get()},
  };
  for (const auto& c : cases) {
    const PaintContext pass(selection, c.earlier);
    ASSERT_NE(pass.mosaic_region(), nullptr) << c.name;
    EXPECT_TRUE(EqualRgn(pass.mosaic_region(), c.expected)) << c.name;
    EXPECT_FALSE(pass.mosaic_failed()) << c.name;
    base::ScopedRegion copy(CreateRectRgn(0, 0, 0, 0));
    pass.CopyRegionTo(copy.get());
    EXPECT_TRUE(EqualRgn(copy.get(), c.expected)) << c.name;
  }
}

TEST(PaintContextTest, PassesSideBySideKeepTheirOwnRegions) {
  const RECT selection = {0, 0, 100, 100};
  MemoryCanvas canvas(100, 100, kWhite);
  FillWithPattern(canvas);
  auto mosaic = MakeMosaic(10, {{25, 25}});
  PaintContext first(selection);
  PaintContext second(selection);
  mosaic->Draw(canvas.dc(), first);
  base::ScopedRegion whole(CreateRectRgnIndirect(&selection));
  EXPECT_FALSE(EqualRgn(first.mosaic_region(), whole.get()));
  EXPECT_TRUE(EqualRgn(second.mosaic_region(), whole.get()));
}

}  // namespace
