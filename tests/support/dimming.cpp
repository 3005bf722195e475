#include "tests/support/dimming.h"

#include <cmath>

namespace testing_support {
namespace {

constexpr double kDimFactor = 153.0 / 255.0;

bool ChannelDimmed(int shown, int original) {
  return std::fabs(shown - original * kDimFactor) < 1.0;
}

}  // namespace

bool IsDimmed(COLORREF shown, COLORREF original) {
  return ChannelDimmed(GetRValue(shown), GetRValue(original)) &&
         ChannelDimmed(GetGValue(shown), GetGValue(original)) &&
         ChannelDimmed(GetBValue(shown), GetBValue(original));
}

}  // namespace testing_support
