#include "overlay/dimming.h"

#include <emmintrin.h>

namespace {

// (c * 153 + 127) / 255 for c of one byte: t / 255 is (t * 0x8081) >> 23 for every t below
// 65536, which the SSE2 multiply keeps the high half of.
constexpr uint16_t kRounding = 127;
constexpr uint16_t kDivideBy255 = 0x8081;
constexpr int kDivideShift = 7;

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

void DimPixels(uint32_t* pixels, size_t count) {
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i* block = reinterpret_cast<__m128i*>(pixels + i);
    const __m128i bytes = _mm_loadu_si128(block);
    const __m128i low = DimHalf(_mm_unpacklo_epi8(bytes, zero));
    const __m128i high = DimHalf(_mm_unpackhi_epi8(bytes, zero));
    _mm_storeu_si128(block, _mm_packus_epi16(low, high));
  }
  for (; i < count; ++i) {
    const uint32_t p = pixels[i];
    pixels[i] = DimByte(p & 0xFF) | DimByte((p >> 8) & 0xFF) << 8 |
                DimByte((p >> 16) & 0xFF) << 16 | static_cast<uint32_t>(DimByte(p >> 24)) << 24;
  }
}
