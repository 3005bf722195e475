#pragma once

#include <windows.h>

namespace base {

// How large the interface is drawn on one monitor: the monitor's DPI over the 96 of 100 %.
// Lengths of the interface are given for 100 % and scaled to physical pixels, rounded to the
// nearest. A value.
class DpiScale {
 public:
  static constexpr int kBaseDpi = 96;

  constexpr DpiScale() = default;
  // A DPI of zero or less is taken as 96.
  constexpr explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  constexpr int dpi() const { return dpi_; }
  // The scale in per cent: 100, 125, 150, 200.
  constexpr int percent() const { return (dpi_ * 100 + kBaseDpi / 2) / kBaseDpi; }
  constexpr float factor() const { return static_cast<float>(dpi_) / kBaseDpi; }
  constexpr bool IsUnit() const { return dpi_ == kBaseDpi; }

  // A length at 100 % in this scale's physical pixels.
  int Scale(int length) const { return MulDiv(length, dpi_, kBaseDpi); }
  SIZE Scale(SIZE size) const { return {Scale(size.cx), Scale(size.cy)}; }
  // A length in this scale's physical pixels back at 100 %, rounded down, so that every
  // physical pixel of a scaled length maps inside it.
  int Unscale(int length) const;

  constexpr bool operator==(const DpiScale& other) const { return dpi_ == other.dpi_; }
  constexpr bool operator!=(const DpiScale& other) const { return dpi_ != other.dpi_; }

 private:
  int dpi_ = kBaseDpi;
};

}  // namespace base
