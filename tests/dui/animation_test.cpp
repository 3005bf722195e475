// Animation stepped by hand (ticks given to OnTimer directly) and driven by a widget's real
// timer; the easing curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
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

TEST(AnimationTest, FiveSecondsOfThirtyThreeMillisecondTicksEndOnTheTickThatReachesTheEnd) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  Animation animation(widget.get());
  animation.SetDuration(5000);
  animation.SetDelegate(&log);
  animation.Start();
  // 151 ticks make 4983 ms; the 152nd reaches 5016.
  for (int tick = 0; tick < 151; ++tick)
    animation.OnTimer(33);
  EXPECT_TRUE(animation.IsRunning());
  EXPECT_DOUBLE_EQ(animation.GetProgress(), 4983.0 / 5000);
  EXPECT_EQ(log.Count("ended"), 0);

  animation.OnTimer(33);
  EXPECT_FALSE(animation.IsRunning());
  EXPECT_EQ(animation.GetProgress(), 1.0);
  EXPECT_EQ(log.Count("progressed"), 152);
  EXPECT_EQ(log.Count("ended"), 1);
  EXPECT_EQ(log.events.back(), "ended") << "right after the last step";
  EXPECT_FALSE(log.ended_running);
  EXPECT_FALSE(KillTimer(widget.hwnd(), 1)) << "the animation left the widget's timer";
}

TEST(AnimationTest, LateTickAdvancesAtOnceAndProgressNeverPassesOne) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  Animation animation(widget.get());
  animation.SetDuration(1000);
  animation.SetDelegate(&log);
  animation.Start();
  animation.OnTimer(200);
  EXPECT_DOUBLE_EQ(animation.GetProgress(), 0.2);
  animation.OnTimer(900);
  EXPECT_EQ(log.progress, (std::vector<double>{0.2, 1.0}));
  EXPECT_EQ(log.Count("ended"), 1);
}

TEST(AnimationTest, StopTellsTheDelegateOnlyWhenRunningAndAsked) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  Animation animation(widget.get());
  animation.SetDuration(1000);
  animation.SetDelegate(&log);

  animation.Stop(Animation::Notify::kYes);
  EXPECT_TRUE(log.events.empty()) << "a stopped animation stays quiet";
  animation.Start();
  animation.Stop(Animation::Notify::kNo);
  EXPECT_TRUE(log.events.empty());
  animation.Start();
  animation.OnTimer(300);
  animation.Start();  // restarts from 0
  EXPECT_EQ(animation.GetProgress(), 0.0);
  animation.Stop(Animation::Notify::kYes);
  animation.Stop(Animation::Notify::kYes);
  EXPECT_EQ(log.events, (std::vector<std::string>{"progressed", "ended"}));
  EXPECT_FALSE(animation.IsRunning());
}

TEST(AnimationTest, ZeroDurationEndsOnTheFirstTickWithElapsedTime) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  Animation animation(widget.get());
  animation.SetDelegate(&log);
  animation.Start();
  animation.OnTimer(0);
  EXPECT_TRUE(animation.IsRunning());
  EXPECT_EQ(animation.GetProgress(), 0.0);
  animation.OnTimer(33);
  EXPECT_FALSE(animation.IsRunning());
  EXPECT_EQ(log.progress, (std::vector<double>{0.0, 1.0}));
}

TEST(AnimationTest, DeletingARunningAnimationStopsItQuietly) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  auto* animation = new Animation(widget.get());
  animation->SetDuration(1000);
  animation->SetDelegate(&log);
  animation->Start();
  delete animation;
  EXPECT_TRUE(log.events.empty());
  EXPECT_FALSE(KillTimer(widget.hwnd(), 1));
}

TEST(AnimationTest, RunsOnTheWidgetTimerToItsEnd) {
  TestWidget widget(kPlace, new dui::View);
  DelegateLog log;
  Animation animation(widget.get());
  animation.SetDuration(100);
  animation.SetDelegate(&log);
  animation.Start();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !animation.IsRunning(); }));
  EXPECT_EQ(log.Count("ended"), 1);
  EXPECT_EQ(log.progress.back(), 1.0);
  for (size_t i = 1; i < log.progress.size(); ++i)
    EXPECT_LE(log.progress[i - 1], log.progress[i]);
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
