#include "dui/nine_grid.h"

#include <algorithm>

namespace dui {
namespace {

// One axis of the grid: where the three bands start and how long they are, in the image
// and in the target.
struct Bands {
  int source_start[3];
  int source_length[3];
  int target_start[3];
  int target_length[3];
};

Bands SplitAxis(int image_length, int target_start, int target_length, int border) {
  // A target shorter than both borders shares its length between them.
  border = std::min({border, image_length / 2, target_length / 2});
  const int inner_source = image_length - 2 * border;
  const int inner_target = target_length - 2 * border;
  return Bands{{0, border, image_length - border},
               {border, inner_source, border},
               {target_start, target_start + border, target_start + target_length - border},
               {border, inner_target, border}};
}

}  // namespace

void DrawNineGrid(Gdiplus::Graphics& graphics,
                  Gdiplus::Image* image,
                  const Gdiplus::Rect& target,
                  int border_x,
                  int border_y) {
  if (!image || target.Width <= 0 || target.Height <= 0)
    return;
  const Bands columns =
      SplitAxis(static_cast<int>(image->GetWidth()), target.X, target.Width, border_x);
  const Bands rows =
      SplitAxis(static_cast<int>(image->GetHeight()), target.Y, target.Height, border_y);

  const Gdiplus::GraphicsState saved = graphics.Save();
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  // Tiling keeps the stretch from blending in transparent pixels beyond each band's edge.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (columns.source_length[column] <= 0 || rows.source_length[row] <= 0 ||
          columns.target_length[column] <= 0 || rows.target_length[row] <= 0) {
        continue;
      }
      const Gdiplus::Rect part(columns.target_start[column], rows.target_start[row],
                               columns.target_length[column], rows.target_length[row]);
      graphics.DrawImage(image, part, columns.source_start[column], rows.source_start[row],
                         columns.source_length[column], rows.source_length[row], Gdiplus::UnitPixel,
                         &attributes);
    }
  }
  graphics.Restore(saved);
}

}  // namespace dui
