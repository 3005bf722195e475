#include "tests/support/png_image.h"

#include <shlwapi.h>

#include <cstring>
#include <memory>

#include "base/gdiplus.h"

namespace testing_support {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, chunk length and type, then width, height, bit depth and colour type.
constexpr size_t kIhdrFieldsEnd = 8 + 8 + 10;

uint32_t BigEndian(const uint8_t* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
         bytes[3];
}

bool ReadHeader(const std::vector<uint8_t>& bytes, PngImage* image) {
  if (bytes.size() < kIhdrFieldsEnd || std::memcmp(bytes.data(), kSignature, 8) != 0 ||
      std::memcmp(bytes.data() + 12, "IHDR", 4) != 0)
    return false;
  image->header_width = static_cast<int>(BigEndian(bytes.data() + 16));
  image->header_height = static_cast<int>(BigEndian(bytes.data() + 20));
  image->bit_depth = bytes[24];
  image->colour_type = bytes[25];
  return true;
}

bool ReadPixels(const std::vector<uint8_t>& bytes, PngImage* image) {
  IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream)
    return false;
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream, FALSE);
  stream->Release();
  if (bitmap->GetLastStatus() != Gdiplus::Ok)
    return false;
  image->width = static_cast<int>(bitmap->GetWidth());
  image->height = static_cast<int>(bitmap->GetHeight());
  image->gdiplus_has_alpha = Gdiplus::IsAlphaPixelFormat(bitmap->GetPixelFormat()) != FALSE;
  Gdiplus::Rect area(0, 0, image->width, image->height);
  Gdiplus::BitmapData data;
  if (bitmap->LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok)
    return false;
  image->pixels.resize(static_cast<size_t>(image->width) * image->height);
  for (int y = 0; y < image->height; ++y) {
    std::memcpy(&image->pixels[static_cast<size_t>(y) * image->width],
                static_cast<const uint8_t*>(data.Scan0) + y * data.Stride,
                image->width * sizeof(uint32_t));
  }
  bitmap->UnlockBits(&data);
  return true;
}

}  // namespace

PngImage PngImage::Decode(const std::vector<uint8_t>& bytes) {
  PngImage image;
  image.decoded = ReadHeader(bytes, &image) && ReadPixels(bytes, &image);
  return image;
}

}  // namespace testing_support
