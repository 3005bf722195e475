#pragma once

#include <cstdint>

#include "dui/widget.h"

namespace dui {

// Easing curves for Tween, by type number.
enum TweenType {
  kTweenLinear = 0,
  kTweenEaseOut = 1,
  kTweenEaseIn = 2,
  kTweenEaseInOut = 3,
  kTweenCubicInOut = 4,
  kTweenEaseOutToNinetyFive = 5,
  kTweenZero = 6,
};

// Progress x in [0, 1] shaped by the curve `type`; unknown types are linear.
double Tween(int type, double x);
// x to the integer power n; a negative n gives 1 / x^|n|.
double Power(double x, int n);

// Turns a widget's shared 33 ms timer into a progress value running from 0 to 1 over a
// duration, and tells its delegate on every step and at the end. Owned by the view that
// uses it; it never deletes itself, its widget or its delegate. The widget must outlive
// it. UI thread only.
class Animation final : public Widget::TimerObserver {
 public:
  // Told how the animation goes.
  class Delegate {
   public:
    // Called after every step, with the new progress readable from the animation.
    virtual void AnimationProgressed(Animation* animation);
    // Called once when the animation stops with notification (at the end of its run).
    virtual void AnimationEnded(Animation* animation);

   protected:
    ~Delegate() = default;
  };

  // Whether Stop tells the delegate.
  enum class Notify { kNo, kYes };

  explicit Animation(Widget* widget);
  // Stops without telling the delegate.
  ~Animation();

  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  void SetDuration(uint32_t duration_ms) { duration_ = duration_ms; }
  void SetDelegate(Delegate* delegate) { delegate_ = delegate; }
  double GetProgress() const { return progress_; }
  bool IsRunning() const { return running_; }

  // Starts (or restarts) from progress 0.
  void Start();
  // Stops a running animation; the delegate hears AnimationEnded when `notify` says so.
  void Stop(Notify notify);

  // Called by the widget's timer with the milliseconds since its previous tick.
  void OnTimer(int elapsed_ms) override;

 private:
  bool running_ = false;
  Widget* widget_;
  double progress_ = 0;
  uint32_t elapsed_ = 0;
  uint32_t duration_ = 0;
  Delegate* delegate_ = nullptr;
};

}  // namespace dui
