// Animation stepped by hand (ticks given to OnTimer directly) and driven by a widget's real
// timer; the easing curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "dui/animation.h"
#include "dui/view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/wait.h"

namespace {

using dui::Animation;
using dui_testing::TestWidget;

constexpr dui::Rectangle kPlace = {300, 200, 100, 100};

class DelegateLog : public Animation::Delegate {
 public:
  void AnimationProgressed(Animation* animation) override {
    events.push_back("progressed");
    progress.push_back(animation->GetProgress());
  }
  void AnimationEnded(Animation* animation) override {
    events.push_back("ended");
    ended_running = animation->IsRunning();
  }
  int Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }
  std::vector<std::string> events;
  std::vector<double> progress;
  bool ended_running = true;
};

// A widget for the animation to run on, and a delegate that logs.
class AnimationTest : public testing::Test {
 protected:
  // An animation of `duration_ms` on the widget, told to the log.
  std::unique_ptr<Animation> Make(uint32_t duration_ms) {
    auto animation = std::make_unique<Animation>(widget_.get());
    animation->SetDuration(duration_ms);
    animation->SetDelegate(&log_);
    return animation;
  }

  TestWidget widget_{kPlace, new dui::View};
  DelegateLog log_;
};

TEST_F(AnimationTest, FiveSecondsOfThirtyThreeMillisecondTicksEndOnTheTickThatReachesTheEnd) {
  std::unique_ptr<Animation> animation = Make(5000);
  animation->Start();
  // 151 ticks make 4983 ms; the 152nd reaches 5016.
  for (int tick = 0; tick < 151; ++tick)
    animation->OnTimer(33);
  EXPECT_TRUE(animation->IsRunning());
  EXPECT_DOUBLE_EQ(animation->GetProgress(), 4983.0 / 5000);
  EXPECT_EQ(log_.Count("ended"), 0);

  animation->OnTimer(33);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(animation->GetProgress(), 1.0);
  EXPECT_EQ(log_.Count("progressed"), 152);
  EXPECT_EQ(log_.Count("ended"), 1);
  EXPECT_EQ(log_.events.back(), "ended") << "right after the last step";
  EXPECT_FALSE(log_.ended_running);
  EXPECT_FALSE(KillTimer(widget_.hwnd(), 1)) << "the animation left the widget's timer";
}

TEST_F(AnimationTest, LateTickAdvancesAtOnceAndProgressNeverPassesOne) {
  std::unique_ptr<Animation> animation = Make(1000);
  animation->Start();
  animation->OnTimer(200);
  EXPECT_DOUBLE_EQ(animation->GetProgress(), 0.2);
  animation->OnTimer(900);
  EXPECT_EQ(log_.progress, (std::vector<double>{0.2, 1.0}));
  EXPECT_EQ(log_.Count("ended"), 1);
}

TEST_F(AnimationTest, StopTellsTheDelegateOnlyWhenRunningAndAsked) {
  std::unique_ptr<Animation> animation = Make(1000);

  animation->Stop(Animation::Notify::kYes);
  EXPECT_TRUE(log_.events.empty()) << "a stopped animation stays quiet";
  animation->Start();
  animation->Stop(Animation::Notify::kNo);
  EXPECT_TRUE(log_.events.empty());
  animation->Start();
  animation->OnTimer(300);
  animation->Start();  // restarts from 0
  EXPECT_EQ(animation->GetProgress(), 0.0);
  animation->Stop(Animation::Notify::kYes);
  animation->Stop(Animation::Notify::kYes);
  EXPECT_EQ(log_.events, (std::vector<std::string>{"progressed", "ended"}));
  EXPECT_FALSE(animation->IsRunning());
}

TEST_F(AnimationTest, ZeroDurationEndsOnTheFirstTickWithElapsedTime) {
  std::unique_ptr<Animation> animation = Make(0);
  animation->Start();
  animation->OnTimer(0);
  EXPECT_TRUE(animation->IsRunning());
  EXPECT_EQ(animation->GetProgress(), 0.0);
  animation->OnTimer(33);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(log_.progress, (std::vector<double>{0.0, 1.0}));
}

TEST_F(AnimationTest, DeletingARunningAnimationStopsItQuietly) {
  std::unique_ptr<Animation> animation = Make(1000);
  animation->Start();
  animation.reset();
  EXPECT_TRUE(log_.events.empty());
  EXPECT_FALSE(KillTimer(widget_.hwnd(), 1));
}

TEST_F(AnimationTest, RunsOnTheWidgetTimerToItsEnd) {
  std::unique_ptr<Animation> animation = Make(100);
  animation->Start();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !animation->IsRunning(); }));
  EXPECT_EQ(log_.Count("ended"), 1);
  EXPECT_EQ(log_.progress.back(), 1.0);
  for (size_t i = 1; i < log_.progress.size(); ++i)
    EXPECT_LE(log_.progress[i - 1], log_.progress[i]);
}

TEST(TweenTest, CurvesAtTheirEdgesAndMiddles) {
  const struct {
    int type;
    double x;
    double value;
  } cases[] = {
      {dui::kTweenLinear, 0.3, 0.3},
      {dui::kTweenEaseOut, 0.5, 0.75},
      {dui::kTweenEaseOut, 1, 1},
      {dui::kTweenEaseIn, 0.5, 0.25},
      {dui::kTweenEaseInOut, 0.25, 0.125},
      {dui::kTweenEaseInOut, 0.75, 0.875},
      {dui::kTweenEaseInOut, 0.5, 0.5},
      {dui::kTweenCubicInOut, 0, 0},
      {dui::kTweenCubicInOut, 1, 1},
      {dui::kTweenCubicInOut, 0.5, 0.5},
      {dui::kTweenEaseOutToNinetyFive, 1, 0.95},
      {dui::kTweenEaseOutToNinetyFive, 0, 0},
      {dui::kTweenZero, 0.7, 0},
      {7, 0.4, 0.4},
      {-1, 0.6, 0.6},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(dui::Tween(c.type, c.x), c.value) << c.type << " at " << c.x;
}

TEST(TweenTest, PowerRaisesByRepeatedSquaring) {
  const struct {
    double x;
    int n;
    double value;
  } cases[] = {{2, 0, 1},
               {2, 1, 2},
               {2, 10, 1024},
               {-3, 3, -27},
               {2, -2, 0.25},
               {0.5, 3, 0.125},
               {1, std::numeric_limits<int>::min(), 1}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(dui::Power(c.x, c.n), c.value) << c.x << "^" << c.n;
}

}  // namespace
