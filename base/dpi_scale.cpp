#include "base/dpi_scale.h"

namespace base {

int DpiScale::Unscale(int length) const {
  // Floor division, also for the negative lengths of points left of or above a window.
  const long long scaled = static_cast<long long>(length) * kBaseDpi;
  const long long quotient = scaled / dpi_;
  return static_cast<int>(quotient * dpi_ > scaled ? quotient - 1 : quotient);
}

}  // namespace base
