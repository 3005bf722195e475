// The view tree on its own: paint requests, painting order and clipping, hit testing,
// lookup, broadcasts and coordinates. No window is needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/gdiplus.h"
#include "dui/click_listener.h"
#include "dui/key_listener.h"
#include "dui/view.h"
#include "tests/dui/recording_view.h"
#include "tests/support/assert_recorder.h"

namespace {

using dui::Point;
using dui::Rectangle;
using dui::View;
using dui_testing::RecordingView;

constexpr Gdiplus::ARGB kRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kBlue = 0xFF0000FF;
constexpr Gdiplus::ARGB kGreen = 0xFF00FF00;

// A parentless view that keeps the paint requests of its children instead of passing them on.
class RequestRecorder : public View {
 public:
  void SchedulePaintInRect(const Rectangle& rect) override { requests.push_back(rect); }
  std::vector<Rectangle> requests;
};

View* AddChild(View* parent, View* child, const Rectangle& bounds) {
  child->SetBounds(bounds.x, bounds.y, bounds.width, bounds.height);
  parent->AddChildView(child);
  return child;
}

// Paints `root` with `clip` into a transparent 40 x 40 bitmap.
std::unique_ptr<Gdiplus::Bitmap> PaintTree(View& root, const Rectangle& clip) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(40, 40, PixelFormat32bppPARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  root.Paint(g, clip);
  return bitmap;
}

Gdiplus::ARGB PixelAt(Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::Color color;
  bitmap.GetPixel(x, y, &color);
  return color.GetValue();
}

TEST(RectangleTest, IntersectionUnionAndContainment) {
  const Rectangle a = {0, 0, 20, 20};
  Rectangle common;
  EXPECT_TRUE(a.Intersect({10, 15, 20, 20}, &common));
  EXPECT_EQ(common, (Rectangle{10, 15, 10, 5}));
  EXPECT_FALSE(a.Intersect({20, 0, 5, 5}, &common)) << "touching edges share nothing";
  EXPECT_EQ(a.Union({30, 5, 10, 40}), (Rectangle{0, 0, 40, 45}));

  const struct {
    Point point;
    bool inside;
  } cases[] = {{{0, 0}, true},   {{19, 19}, true}, {{20, 5}, false},
               {{5, 20}, false}, {{-1, 5}, false}, {{20, 20}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(a.Contains(c.point), c.inside) << c.point.x << ", " << c.point.y;
}

TEST(ViewTest, PaintRequestIsClippedToTheViewAndOffsetIntoTheParent) {
  const struct {
    Rectangle request;
    std::vector<Rectangle> at_parent;
  } cases[] = {
      {{15, 15, 10, 10}, {{25, 25, 5, 5}}},  // the part at x >= 20 or y >= 20 is cut away
      {{0, 0, 20, 20}, {{10, 10, 20, 20}}},
      {{-5, 3, 10, 4}, {{10, 13, 5, 4}}},
      {{30, 0, 5, 5}, {}},  // entirely outside: goes nowhere
      {{20, 0, 5, 5}, {}},  // starts on the right edge, which is outside
      {{5, 5, 0, 8}, {}},   // empty
  };
  for (const auto& c : cases) {
    RequestRecorder parent;
    View* child = AddChild(&parent, new View, {10, 10, 20, 20});
    child->SchedulePaintInRect(c.request);
    EXPECT_EQ(parent.requests, c.at_parent) << c.request.x << ", " << c.request.y;
  }
}

TEST(ViewTest, RequestsTravelThroughEveryLevel) {
  RequestRecorder root;
  View* middle = AddChild(&root, new View, {100, 50, 30, 30});
  View* leaf = AddChild(middle, new View, {20, 20, 40, 40});
  leaf->SchedulePaint();
  // The leaf reaches past its parent, which cuts it to its own 30 x 30.
  ASSERT_EQ(root.requests.size(), 1u);
  EXPECT_EQ(root.requests[0], (Rectangle{120, 70, 10, 10}));
}

TEST(ViewTest, PaintRequestWithoutParentIsReported) {
  testing_support::ScopedAssertRecorder asserts;
  View orphan;
  orphan.SetBounds(0, 0, 10, 10);
  orphan.SchedulePaint();
  ASSERT_EQ(asserts.failures().size(), 1u);
  EXPECT_EQ(asserts.failures()[0].module, "view");
  EXPECT_EQ(asserts.failures()[0].condition, "parent_");
}

// Two overlapping children, the later one on top:
//   red  (0, 0)-(20, 20)
//   blue       (10, 10)-(30, 30)
TEST(ViewTest, OverlappingChildrenPaintAndHitInListOrder) {
  std::vector<std::string> log;
  RecordingView root("root", &log, kGreen);
  root.SetBounds(0, 0, 40, 40);
  View* red = AddChild(&root, new RecordingView("red", &log, kRed), {0, 0, 20, 20});
  View* blue = AddChild(&root, new RecordingView("blue", &log, kBlue), {10, 10, 20, 20});

  auto bitmap = PaintTree(root, {0, 0, 40, 40});
  EXPECT_EQ(PixelAt(*bitmap, 5, 5), kRed);
  EXPECT_EQ(PixelAt(*bitmap, 15, 15), kBlue);
  EXPECT_EQ(PixelAt(*bitmap, 25, 25), kBlue);
  EXPECT_EQ(PixelAt(*bitmap, 35, 35), kGreen) << "the parent paints below its children";

  EXPECT_EQ(root.GetViewForPoint({5, 5}), red);
  EXPECT_EQ(root.GetViewForPoint({15, 15}), blue);
  EXPECT_EQ(root.GetViewForPoint({35, 35}), &root);
  EXPECT_EQ(root.GetViewForPoint({40, 5}), nullptr);
}

TEST(ViewTest, PaintingStaysInsideTheClipAndRestoresTheGraphics) {
  std::vector<std::string> log;
  RecordingView root("root", &log);
  root.SetBounds(0, 0, 40, 40);
  auto* child = static_cast<RecordingView*>(
      AddChild(&root, new RecordingView("child", &log, kRed), {10, 10, 20, 20}));
  auto* hidden = static_cast<RecordingView*>(
      AddChild(&root, new RecordingView("hidden", &log, kBlue), {0, 0, 40, 40}));
  hidden->SetVisible(false);

  auto bitmap = std::make_unique<Gdiplus::Bitmap>(40, 40, PixelFormat32bppPARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  root.Paint(g, {0, 0, 15, 40});

  EXPECT_EQ(child->paint_count(), 1);
  EXPECT_EQ(child->last_paint_clip(), (Rectangle{0, 0, 5, 20})) << "in the child's coordinates";
  EXPECT_EQ(hidden->paint_count(), 0);
  EXPECT_EQ(PixelAt(*bitmap, 12, 12), kRed);
  EXPECT_EQ(PixelAt(*bitmap, 16, 12), 0u) << "right of the clip";

  // After Paint the graphics draw where they did before: untranslated and unclipped.
  Gdiplus::SolidBrush green{Gdiplus::Color(kGreen)};
  g.FillRectangle(&green, 30, 30, 2, 2);
  EXPECT_EQ(PixelAt(*bitmap, 30, 30), kGreen);

  // A child outside the clip is not asked to paint.
  root.Paint(g, {0, 0, 10, 10});
  EXPECT_EQ(child->paint_count(), 1);
}

TEST(ViewTest, DisabledAndInvisibleViewsPassTheMouseToTheirParent) {
  View toolbar;
  toolbar.SetBounds(0, 0, 100, 40);
  View* button = AddChild(&toolbar, new View, {10, 10, 20, 20});
  EXPECT_EQ(toolbar.GetViewForPoint({15, 15}), button);
  button->SetEnabled(false);
  EXPECT_EQ(toolbar.GetViewForPoint({15, 15}), &toolbar);
  button->SetEnabled(true);
  button->SetVisible(false);
  EXPECT_EQ(toolbar.GetViewForPoint({15, 15}), &toolbar);
  toolbar.SetEnabled(false);
  EXPECT_EQ(toolbar.GetViewForPoint({15, 15}), nullptr);
}

TEST(ViewTest, RightAndBottomEdgesAreOutside) {
  View root;
  root.SetBounds(0, 0, 100, 100);
  View* child = AddChild(&root, new View, {10, 20, 30, 40});
  const struct {
    Point point;
    View* hit;
  } cases[] = {{{10, 20}, child}, {{39, 59}, child}, {{40, 30}, &root},
               {{20, 60}, &root}, {{9, 30}, &root},  {{100, 50}, nullptr}};
  for (const auto& c : cases)
    EXPECT_EQ(root.GetViewForPoint(c.point), c.hit) << c.point.x << ", " << c.point.y;
}

TEST(ViewTest, GetViewByIDReturnsLeavesOnly) {
  View container;
  container.SetID(7);
  View* group = AddChild(&container, new View, {});
  group->SetID(3);
  View* first = AddChild(group, new View, {});
  first->SetID(5);
  View* second = AddChild(&container, new View, {});
  second->SetID(3);
  View* last = AddChild(&container, new View, {});
  last->SetID(5);

  EXPECT_EQ(container.GetViewByID(7), nullptr) << "the container has children";
  EXPECT_EQ(container.GetViewByID(3), second) << "the group has children";
  EXPECT_EQ(container.GetViewByID(5), first) << "depth first, in list order";
  EXPECT_EQ(container.GetViewByID(9), nullptr);
  EXPECT_EQ(last->GetViewByID(5), last);
}

TEST(ViewTest, ChildrenAreInsertedAtTheirIndexAndOutOfRangeGivesNull) {
  View parent;
  View* a = AddChild(&parent, new View, {});
  View* c = AddChild(&parent, new View, {});
  auto* b = new View;
  parent.AddChildViewAt(b, 1);
  ASSERT_EQ(parent.GetChildViewCount(), 3);
  EXPECT_EQ(parent.GetChildViewAt(0), a);
  EXPECT_EQ(parent.GetChildViewAt(1), b);
  EXPECT_EQ(parent.GetChildViewAt(2), c);
  EXPECT_EQ(parent.GetChildViewAt(3), nullptr);
  EXPECT_EQ(parent.GetChildViewAt(-1), nullptr);
  EXPECT_EQ(b->parent(), &parent);
}

TEST(ViewTest, RemovingAChildTellsItsSubtreeAndDeletesIt) {
  std::vector<std::string> log;
  View parent;
  View* child = AddChild(&parent, new RecordingView("child", &log), {});
  AddChild(child, new RecordingView("grandchild", &log), {});
  View stranger;
  parent.RemoveChildView(&stranger);
  EXPECT_TRUE(log.empty()) << "a view that is not a child is ignored";

  parent.RemoveChildView(child);
  EXPECT_EQ(log, (std::vector<std::string>{"child removed", "grandchild removed", "child deleted",
                                           "grandchild deleted"}));
  EXPECT_EQ(parent.GetChildViewCount(), 0);

  log.clear();
  AddChild(&parent, new RecordingView("one", &log), {});
  AddChild(&parent, new RecordingView("two", &log), {});
  parent.RemoveAllChildViews();
  EXPECT_EQ(log,
            (std::vector<std::string>{"one removed", "one deleted", "two removed", "two deleted"}));
  EXPECT_EQ(parent.GetChildViewCount(), 0);
}

TEST(ViewTest, CommandsGoLastChildFirstAndStopAtDisabledOrInvisibleViews) {
  std::vector<std::string> log;
  RecordingView root("root", &log);
  auto* first = static_cast<RecordingView*>(AddChild(&root, new RecordingView("first", &log), {}));
  AddChild(first, new RecordingView("first.inner", &log), {});
  auto* off = static_cast<RecordingView*>(AddChild(&root, new RecordingView("off", &log), {}));
  AddChild(off, new RecordingView("off.inner", &log), {});
  AddChild(&root, new RecordingView("last", &log), {});
  off->SetEnabled(false);

  root.OnCommand(12, 34);
  EXPECT_EQ(log, (std::vector<std::string>{"root command 12 34", "last command 12 34",
                                           "off command 12 34", "first command 12 34",
                                           "first.inner command 12 34"}));
  log.clear();
  off->SetEnabled(true);
  off->SetVisible(false);
  root.OnCommand(1, 2);
  EXPECT_EQ(log.size(), 5u) << "the invisible view hears it but passes nothing on";
  EXPECT_EQ(std::count(log.begin(), log.end(), "off.inner command 1 2"), 0);
}

TEST(ViewTest, PointsConvertThroughEveryAncestor) {
  View root;
  root.SetBounds(0, 0, 300, 300);
  View* panel = AddChild(&root, new View, {100, 50, 100, 100});
  View* button = AddChild(panel, new View, {10, 20, 30, 30});
  EXPECT_EQ(button->ConvertPointToRoot({1, 2}), (Point{111, 72}));
  EXPECT_EQ(button->ConvertPointFromRoot({111, 72}), (Point{1, 2}));
  EXPECT_EQ(button->ConvertRectToRoot({0, 0, 5, 5}), (Rectangle{110, 70, 5, 5}));
  EXPECT_EQ(button->GetScreenBounds(), (Rectangle{110, 70, 30, 30})) << "not in a widget";
  EXPECT_EQ(button->GetWidget(), nullptr);
}

TEST(ViewTest, AlphaIsKeptAndPassedDownOnlyWhenAsked) {
  View root;
  View* child = AddChild(&root, new View, {});
  View* grandchild = AddChild(child, new View, {});
  root.SetAlpha(100, dui::AlphaScope::kThisView);
  EXPECT_EQ(root.GetAlpha(), 100);
  EXPECT_EQ(child->GetAlpha(), 255);
  root.SetAlpha(60, dui::AlphaScope::kSubtree);
  EXPECT_EQ(child->GetAlpha(), 60);
  EXPECT_EQ(grandchild->GetAlpha(), 60);
}

TEST(ViewTest, DefaultNotificationsReachTheListeners) {
  struct Listener : dui::ClickListener, dui::KeyListener {
    void OnClick(View* sender) override { clicks.push_back(sender); }
    void OnKeyReleased(int key) override { keys.push_back(-key); }
    void OnKeyPressed(int key) override { keys.push_back(key); }
    std::vector<View*> clicks;
    std::vector<int> keys;
  } listener;
  View view;
  view.SetBounds(0, 0, 10, 10);
  view.OnMouseReleased({1, 1});
  view.OnKeyPressed('A');
  EXPECT_TRUE(listener.clicks.empty());
  view.SetClickListener(&listener);
  view.SetKeyListener(&listener);
  view.OnMouseEntered({1, 1});
  EXPECT_TRUE(listener.clicks.empty()) << "entering tells only the hover listener";
  view.SetHoverListener(&listener);
  view.OnMouseEntered({1, 1});
  view.OnMouseReleased({1, 1});
  view.OnKeyPressed('A');
  view.OnKeyReleased('B');
  EXPECT_EQ(listener.clicks, (std::vector<View*>{&view, &view}));
  EXPECT_EQ(listener.keys, (std::vector<int>{'A', -'B'}));

  EXPECT_FALSE(view.OnSetCursor({1, 1}));
  view.SetHandCursor(true);
  EXPECT_TRUE(view.OnSetCursor({1, 1}));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(view.GetHitTestCode({1, 1}), 0);
  view.SetDraggable(true);
  EXPECT_EQ(view.GetHitTestCode({1, 1}), HTCAPTION);
}

}  // namespace
