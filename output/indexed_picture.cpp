#include "output/indexed_picture.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

constexpr size_t kPaletteSize = 256;
constexpr int kBinBits = 5;  // colours are grouped in 32 levels per channel for the cut
constexpr int kBinLevels = 1 << kBinBits;
constexpr int kBinCount = kBinLevels * kBinLevels * kBinLevels;

uint32_t Rgb(uint32_t pixel) {
  return pixel & 0x00FFFFFF;
}

int BinOf(uint32_t rgb) {
  const int r = (rgb >> (16 + 8 - kBinBits)) & (kBinLevels - 1);
  const int g = (rgb >> (8 + 8 - kBinBits)) & (kBinLevels - 1);
  const int b = (rgb >> (8 - kBinBits)) & (kBinLevels - 1);
  return (r << (2 * kBinBits)) | (g << kBinBits) | b;
}

struct Bin {
  uint64_t count = 0;
  uint64_t sum[3] = {0, 0, 0};  // red, green, blue
};

// A box of bins, [low, high] on each channel's bin level.
struct Box {
  int low[3];
  int high[3];
  std::vector<int> bins;  // the occupied bins inside the box
  uint64_t count = 0;
};

int Level(int bin, int channel) {
  return (bin >> ((2 - channel) * kBinBits)) & (kBinLevels - 1);
}

// Splits the box at the median of its longest side; false when it holds one bin level.
bool Split(Box& box, const std::vector<Bin>& bins, Box* second) {
  int axis = 0;
  for (int c = 1; c < 3; ++c) {
    if (box.high[c] - box.low[c] > box.high[axis] - box.low[axis])
      axis = c;
  }
  if (box.high[axis] == box.low[axis])
    return false;
  std::sort(box.bins.begin(), box.bins.end(),
            [axis](int a, int b) { return Level(a, axis) < Level(b, axis); });
  uint64_t seen = 0;
  size_t cut = 0;
  while (cut + 1 < box.bins.size() && seen + bins[box.bins[cut]].count <= box.count / 2)
    seen += bins[box.bins[cut++]].count;
  cut = std::max<size_t>(cut, 1);
  *second = Box{};
  second->bins.assign(box.bins.begin() + cut, box.bins.end());
  box.bins.resize(cut);
  for (Box* part : {&box, second}) {
    part->count = 0;
    for (int c = 0; c < 3; ++c) {
      part->low[c] = kBinLevels;
      part->high[c] = -1;
    }
    for (int bin : part->bins) {
      part->count += bins[bin].count;
      for (int c = 0; c < 3; ++c) {
        part->low[c] = std::min(part->low[c], Level(bin, c));
        part->high[c] = std::max(part->high[c], Level(bin, c));
      }
    }
  }
  return true;
}

std::vector<uint32_t> MedianCutPalette(const std::vector<Bin>& bins) {
  Box all = {{0, 0, 0}, {kBinLevels - 1, kBinLevels - 1, kBinLevels - 1}, {}, 0};
  for (int bin = 0; bin < kBinCount; ++bin) {
    if (bins[bin].count) {
      all.bins.push_back(bin);
      all.count += bins[bin].count;
    }
  }
  std::vector<Box> boxes;
  boxes.push_back(std::move(all));
  while (boxes.size() < kPaletteSize) {
    // The most populous box that can still be split.
    auto largest = boxes.end();
    for (auto box = boxes.begin(); box != boxes.end(); ++box) {
      if (box->bins.size() > 1 && (largest == boxes.end() || box->count > largest->count))
        largest = box;
    }
    if (largest == boxes.end())
      break;
    Box second;
    if (!Split(*largest, bins, &second))
      break;
    boxes.push_back(std::move(second));
  }
  std::vector<uint32_t> palette;
  for (const Box& box : boxes) {
    uint64_t sum[3] = {0, 0, 0};
    for (int bin : box.bins) {
      for (int c = 0; c < 3; ++c)
        sum[c] += bins[bin].sum[c];
    }
    palette.push_back(static_cast<uint32_t>((sum[0] / box.count) << 16 | (sum[1] / box.count) << 8 |
                                            (sum[2] / box.count)));
  }
  return palette;
}

int Distance(uint32_t a, uint32_t b) {
  const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
  const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
  const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
  return dr * dr + dg * dg + db * db;
}

uint8_t Nearest(const std::vector<uint32_t>& palette, uint32_t rgb) {
  size_t best = 0;
  for (size_t i = 1; i < palette.size(); ++i) {
    if (Distance(palette[i], rgb) < Distance(palette[best], rgb))
      best = i;
  }
  return static_cast<uint8_t>(best);
}

// The colours of the picture exactly, when there are few enough of them.
bool ExactPalette(const std::vector<uint32_t>& pixels, std::vector<uint32_t>* palette) {
  std::unordered_map<uint32_t, uint8_t> seen;
  for (uint32_t pixel : pixels) {
    if (seen.emplace(Rgb(pixel), 0).second && seen.size() > kPaletteSize)
      return false;
  }
  palette->clear();
  for (const auto& entry : seen)
    palette->push_back(entry.first);
  std::sort(palette->begin(), palette->end());
  return true;
}

std::vector<uint8_t> MapToPalette(const std::vector<uint32_t>& pixels,
                                  const std::vector<uint32_t>& palette,
                                  bool exact) {
  std::vector<uint8_t> indices(pixels.size());
  if (exact) {
    std::unordered_map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < palette.size(); ++i)
      index[palette[i]] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < pixels.size(); ++i)
      indices[i] = index[Rgb(pixels[i])];
    return indices;
  }
  std::unordered_map<uint32_t, uint8_t> nearest;
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t rgb = Rgb(pixels[i]);
    auto found = nearest.find(rgb);
    if (found == nearest.end())
      found = nearest.emplace(rgb, Nearest(palette, rgb)).first;
    indices[i] = found->second;
  }
  return indices;
}

std::vector<uint32_t> ReadPixels(Gdiplus::Bitmap& picture, int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  Gdiplus::BitmapData data = {};
  data.Width = width;
  data.Height = height;
  data.Stride = width * 4;
  data.PixelFormat = PixelFormat32bppRGB;
  data.Scan0 = pixels.data();
  Gdiplus::Rect area(0, 0, width, height);
  if (picture.LockBits(&area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                       PixelFormat32bppRGB, &data) != Gdiplus::Ok) {
    return {};
  }
  picture.UnlockBits(&data);
  return pixels;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> MakeIndexedCopy(Gdiplus::Bitmap& picture) {
  const int width = static_cast<int>(picture.GetWidth());
  const int height = static_cast<int>(picture.GetHeight());
  const std::vector<uint32_t> pixels = ReadPixels(picture, width, height);
  if (pixels.empty())
    return nullptr;

  std::vector<uint32_t> palette;
  const bool exact = ExactPalette(pixels, &palette);
  if (!exact) {
    std::vector<Bin> bins(kBinCount);
    for (uint32_t pixel : pixels) {
      Bin& bin = bins[BinOf(pixel)];
      ++bin.count;
      bin.sum[0] += (pixel >> 16) & 0xFF;
      bin.sum[1] += (pixel >> 8) & 0xFF;
      bin.sum[2] += pixel & 0xFF;
    }
    palette = MedianCutPalette(bins);
  }
  const std::vector<uint8_t> indices = MapToPalette(pixels, palette, exact);

  auto indexed = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat8bppIndexed);
  if (indexed->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  std::vector<BYTE> palette_bytes(sizeof(Gdiplus::ColorPalette) +
                                  kPaletteSize * sizeof(Gdiplus::ARGB));
  auto* color_palette = reinterpret_cast<Gdiplus::ColorPalette*>(palette_bytes.data());
  color_palette->Flags = 0;
  color_palette->Count = static_cast<UINT>(palette.size());
  for (size_t i = 0; i < palette.size(); ++i)
    color_palette->Entries[i] = 0xFF000000 | palette[i];
  indexed->SetPalette(color_palette);

  Gdiplus::BitmapData data = {};
  Gdiplus::Rect area(0, 0, width, height);
  if (indexed->LockBits(&area, Gdiplus::ImageLockModeWrite, PixelFormat8bppIndexed, &data) !=
      Gdiplus::Ok) {
    return nullptr;
  }
  for (int y = 0; y < height; ++y) {
    std::copy_n(indices.begin() + static_cast<ptrdiff_t>(y) * width, width,
                static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
  }
  indexed->UnlockBits(&data);
  return indexed;
}
