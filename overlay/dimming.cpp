#include "overlay/dimming.h"

#include <emmintrin.h>

#include <system_error>
#include <thread>

namespace {

// (c * 153 + 127) / 255 for c of one byte: t / 255 is (t * 0x8081) >> 23 for every t below
// 65536, which the SSE2 multiply keeps the high half of.
constexpr uint16_t kRounding = 127;
constexpr uint16_t kDivideBy255 = 0x8081;
constexpr int kDivideShift = 7;

constexpr size_t kPixelsWorthAThread = 1 << 20;

inline BYTE DimByte(uint32_t c) {
  return static_cast<BYTE>(((c * kDimAlpha + kRounding) * kDivideBy255) >> (16 + kDivideShift));
}

inline __m128i DimHalf(__m128i words) {
  const __m128i scaled =
      _mm_add_epi16(_mm_mullo_epi16(words, _mm_set1_epi16(kDimAlpha)), _mm_set1_epi16(kRounding));
  return _mm_srli_epi16(_mm_mulhi_epu16(scaled, _mm_set1_epi16(static_cast<short>(kDivideBy255))),
                        kDivideShift);
}

}  // namespace

void DimPixels(const uint32_t* source, uint32_t* target, size_t count) {
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i low = DimHalf(_mm_unpacklo_epi8(bytes, zero));
    const __m128i high = DimHalf(_mm_unpackhi_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), _mm_packus_epi16(low, high));
  }
  for (; i < count; ++i) {
    const uint32_t p = source[i];
    target[i] = DimByte(p & 0xFF) | DimByte((p >> 8) & 0xFF) << 8 |
                DimByte((p >> 16) & 0xFF) << 16 | static_cast<uint32_t>(DimByte(p >> 24)) << 24;
  }
}

void DimArea(const uint32_t* source, uint32_t* target, int width, const RECT& area) {
  if (area.right <= area.left || area.bottom <= area.top)
    return;
  const size_t count = static_cast<size_t>(area.right - area.left);
  const auto dim_rows = [=](LONG top, LONG bottom) {
    for (LONG y = top; y < bottom; ++y) {
      const size_t start = static_cast<size_t>(y) * width + area.left;
      DimPixels(source + start, target + start, count);
    }
  };
  // A large area (the first frame's, the whole desktop) is mostly the first writes to fresh
  // memory, which the system pays for page by page: a second thread halves the wait.
  const LONG middle = area.top + (area.bottom - area.top) / 2;
  if (count * static_cast<size_t>(area.bottom - area.top) < kPixelsWorthAThread) {
    dim_rows(area.top, area.bottom);
    return;
  }
  try {
    std::thread lower(dim_rows, middle, area.bottom);
    dim_rows(area.top, middle);
    lower.join();
  } catch (const std::system_error&) {
    // No thread to be had: all of it on this one.
    dim_rows(area.top, area.bottom);
  }
}
