#pragma once

#include "base/dpi_scale.h"
#include "base/gdiplus.h"

namespace dui {

// Drawing the program's images on a Graphics whose world transform scales 100 % lengths to a
// display scale (a Widget's at 150 %, say): the render of the image for that scale is drawn
// over the device pixels of the target, one image pixel to one device pixel where the sizes
// match, so the picture stays sharp. Without a scale they draw exactly as DrawImage does.

// The display scale of `graphics`: its world transform's horizontal factor.
base::DpiScale ScaleOf(Gdiplus::Graphics& graphics);

// Draws `source` (in the 100 % image's pixels) of image `image_id` over `target`.
void DrawScaledImage(Gdiplus::Graphics& graphics,
                     int image_id,
                     const Gdiplus::Rect& target,
                     const Gdiplus::Rect& source);
// Draws the whole of image `image_id` at its 100 % size, its top-left corner at `origin`.
void DrawScaledImage(Gdiplus::Graphics& graphics, int image_id, const Gdiplus::Point& origin);

// Draws `image` with its top-left corner at `origin`, one image pixel to one device pixel
// whatever the scale: a picture of the screen, which is in device pixels already.
void DrawOneToOne(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const Gdiplus::Point& origin);

// DrawNineGrid of image `image_id` over `target`, its borders given at 100 %.
// DrawNineGridAtScale draws it over `device_target` of a Graphics without a transform, at
// `scale`.
void DrawNineGridAtScale(Gdiplus::Graphics& graphics,
                         int image_id,
                         const Gdiplus::Rect& device_target,
                         int border_x,
                         int border_y,
                         base::DpiScale scale);
void DrawScaledNineGrid(Gdiplus::Graphics& graphics,
                        int image_id,
                        const Gdiplus::Rect& target,
                        int border_x,
                        int border_y);

}  // namespace dui
