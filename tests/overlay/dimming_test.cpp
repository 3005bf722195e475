// The dimming of the picture against the system's own blend, which the frames composed
// anew use: every byte value, in every byte of a pixel, and a count that leaves a tail.
#include "overlay/dimming.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/memory_bitmap.h"

namespace {

TEST(DimmingTest, EveryByteDimsAsTheSystemsBlendOverBlack) {
  constexpr int kCount = 259;
  base::MemoryBitmap source;
  base::MemoryBitmap blended;
  ASSERT_TRUE(source.MakeTopDown32(kCount, 1));
  ASSERT_TRUE(blended.MakeTopDown32(kCount, 1));
  auto* pixels = static_cast<uint32_t*>(source.bits());
  for (uint32_t i = 0; i < kCount; ++i)
    pixels[i] = (i & 0xFF) | ((255 - i) & 0xFF) << 8 | ((i * 7) & 0xFF) << 16 | (i * 13) << 24;
  std::memset(blended.bits(), 0, kCount * sizeof(uint32_t));
  const BLENDFUNCTION dim = {AC_SRC_OVER, 0, kDimAlpha, 0};
  ASSERT_TRUE(AlphaBlend(blended.dc(), 0, 0, kCount, 1, source.dc(), 0, 0, kCount, 1, dim));
  GdiFlush();
  DimPixels(pixels, pixels, kCount);
  const auto* expected = static_cast<const uint32_t*>(blended.bits());
  for (int i = 0; i < kCount; ++i)
    ASSERT_EQ(pixels[i], expected[i]) << "pixel " << i;
}

}  // namespace
