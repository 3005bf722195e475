#include "dui/scaled_image.h"

#include <cmath>

#include "dui/nine_grid.h"
#include "dui/res_manager.h"

namespace dui {
namespace {

// `target` in device pixels, its corners rounded to the nearest.
Gdiplus::Rect ToDevice(Gdiplus::Graphics& graphics, const Gdiplus::Rect& target) {
  Gdiplus::PointF corners[2] = {
      Gdiplus::PointF(static_cast<Gdiplus::REAL>(target.X), static_cast<Gdiplus::REAL>(target.Y)),
      Gdiplus::PointF(static_cast<Gdiplus::REAL>(target.GetRight()),
                      static_cast<Gdiplus::REAL>(target.GetBottom()))};
  graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, corners,
                           2);
  const int left = static_cast<int>(std::lround(corners[0].X));
  const int top = static_cast<int>(std::lround(corners[0].Y));
  return Gdiplus::Rect(left, top, static_cast<int>(std::lround(corners[1].X)) - left,
                       static_cast<int>(std::lround(corners[1].Y)) - top);
}

// Draws in device pixels for the lifetime of the object, and puts the transform and the
// drawing modes back after.
class DeviceSpace {
 public:
  explicit DeviceSpace(Gdiplus::Graphics& graphics) : graphics_(graphics), saved_(graphics.Save()) {
    graphics_.ResetTransform();
  }
  ~DeviceSpace() { graphics_.Restore(saved_); }

  DeviceSpace(const DeviceSpace&) = delete;
  DeviceSpace& operator=(const DeviceSpace&) = delete;

 private:
  Gdiplus::Graphics& graphics_;
  Gdiplus::GraphicsState saved_;
};

Gdiplus::REAL Scaled(int length, int percent) {
  return static_cast<Gdiplus::REAL>(length) * static_cast<Gdiplus::REAL>(percent) / 100;
}

}  // namespace

base::DpiScale ScaleOf(Gdiplus::Graphics& graphics) {
  Gdiplus::Matrix transform;
  graphics.GetTransform(&transform);
  Gdiplus::REAL elements[6] = {};
  transform.GetElements(elements);
  return base::DpiScale(static_cast<int>(std::lround(elements[0] * base::DpiScale::kBaseDpi)));
}

void DrawScaledImage(Gdiplus::Graphics& graphics,
                     int image_id,
                     const Gdiplus::Rect& target,
                     const Gdiplus::Rect& source) {
  const base::DpiScale scale = ScaleOf(graphics);
  if (scale.IsUnit()) {
    if (Gdiplus::Image* image = ResManager::GetInstance()->GetImage(image_id))
      graphics.DrawImage(image, target, source.X, source.Y, source.Width, source.Height,
                         Gdiplus::UnitPixel);
    return;
  }
  const ResManager::ScaledImage render = ResManager::GetInstance()->GetImageFor(image_id, scale);
  if (!render.image)
    return;
  const Gdiplus::Rect device = ToDevice(graphics, target);
  const Gdiplus::RectF from(Scaled(source.X, render.percent), Scaled(source.Y, render.percent),
                            Scaled(source.Width, render.percent),
                            Scaled(source.Height, render.percent));
  const bool one_to_one =
      std::lround(from.Width) == device.Width && std::lround(from.Height) == device.Height;
  DeviceSpace device_space(graphics);
  graphics.SetInterpolationMode(one_to_one ? Gdiplus::InterpolationModeNearestNeighbor
                                           : Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  // Tiling keeps a smoothed edge from blending in transparent pixels beyond the part.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  graphics.DrawImage(render.image, device, from.X, from.Y, from.Width, from.Height,
                     Gdiplus::UnitPixel, &attributes);
}

void DrawScaledImage(Gdiplus::Graphics& graphics, int image_id, const Gdiplus::Point& origin) {
  Gdiplus::Image* image = ResManager::GetInstance()->GetImage(image_id);
  if (!image)
    return;
  const int width = static_cast<int>(image->GetWidth());
  const int height = static_cast<int>(image->GetHeight());
  DrawScaledImage(graphics, image_id, Gdiplus::Rect(origin.X, origin.Y, width, height),
                  Gdiplus::Rect(0, 0, width, height));
}

void DrawOneToOne(Gdiplus::Graphics& graphics,
                  Gdiplus::Image* image,
                  const Gdiplus::Point& origin) {
  const int width = static_cast<int>(image->GetWidth());
  const int height = static_cast<int>(image->GetHeight());
  const Gdiplus::Rect device = ToDevice(graphics, Gdiplus::Rect(origin.X, origin.Y, 0, 0));
  DeviceSpace device_space(graphics);
  graphics.DrawImage(image, Gdiplus::Rect(device.X, device.Y, width, height), 0, 0, width, height,
                     Gdiplus::UnitPixel);
}

void DrawScaledNineGrid(Gdiplus::Graphics& graphics,
                        int image_id,
                        const Gdiplus::Rect& target,
                        int border_x,
                        int border_y) {
  const base::DpiScale scale = ScaleOf(graphics);
  if (scale.IsUnit()) {
    DrawNineGrid(graphics, ResManager::GetInstance()->GetImage(image_id), target, border_x,
                 border_y);
    return;
  }
  const Gdiplus::Rect device = ToDevice(graphics, target);
  DeviceSpace device_space(graphics);
  DrawNineGridAtScale(graphics, image_id, device, border_x, border_y, scale);
}

void DrawNineGridAtScale(Gdiplus::Graphics& graphics,
                         int image_id,
                         const Gdiplus::Rect& device_target,
                         int border_x,
                         int border_y,
                         base::DpiScale scale) {
  const ResManager::ScaledImage render = ResManager::GetInstance()->GetImageFor(image_id, scale);
  // The corners keep the size they have in the render.
  DrawNineGrid(graphics, render.image, device_target, MulDiv(border_x, render.percent, 100),
               MulDiv(border_y, render.percent, 100));
}

}  // namespace dui
