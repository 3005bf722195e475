#include "dui/animation.h"

#include <cstdlib>

namespace dui {

double Power(double x, int n) {
  // The magnitude in 64 bits, so that the most negative int has one.
  unsigned long long exponent = std::llabs(static_cast<long long>(n));
  double result = 1;
  double square = x;
  while (exponent) {
    if (exponent & 1)
      result *= square;
    square *= square;
    exponent >>= 1;
  }
  return n < 0 ? 1 / result : result;
}

double Tween(int type, double x) {
  switch (type) {
    case kTweenEaseOut:
      return 1 - Power(1 - x, 2);
    case kTweenEaseIn:
      return Power(x, 2);
    case kTweenEaseInOut:
      return x < 0.5 ? 0.5 * Power(2 * x, 2) : 1 - 0.5 * Power(2 * (x - 1), 2);
    case kTweenCubicInOut:
      return 4 * (Power(x - 0.5, 3) + 0.125);
    case kTweenEaseOutToNinetyFive:
      return 0.95 * (1 - Power(1 - x, 2));
    case kTweenZero:
      return 0;
    case kTweenLinear:
    default:
      return x;
  }
}

void Animation::Delegate::AnimationProgressed(Animation*) {}

void Animation::Delegate::AnimationEnded(Animation*) {}

Animation::Animation(Widget* widget) : widget_(widget) {}

Animation::~Animation() {
  Stop(Notify::kNo);
}

void Animation::Start() {
  elapsed_ = 0;
  progress_ = 0;
  running_ = true;
  widget_->AddTimerObserver(this);
}

void Animation::Stop(Notify notify) {
  if (!running_)
    return;
  running_ = false;
  widget_->RemoveTimerObserver(this);
  if (notify == Notify::kYes && delegate_)
    delegate_->AnimationEnded(this);
}

void Animation::OnTimer(int elapsed_ms) {
  elapsed_ += static_cast<uint32_t>(elapsed_ms);
  // A zero duration is over as soon as any time has passed (and never divides by zero).
  if (duration_ == 0)
    progress_ = elapsed_ > 0 ? 1 : 0;
  else
    progress_ = elapsed_ >= duration_ ? 1 : static_cast<double>(elapsed_) / duration_;
  if (delegate_)
    delegate_->AnimationProgressed(this);
  if (progress_ == 1)
    Stop(Notify::kYes);
}

}  // namespace dui
