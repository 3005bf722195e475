// The selection model without a window: its states, drags, handles, nudges and clamps,
// driven by events and read back, in tables.
#include "capture/selection_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using State = SelectionState;

constexpr RECT kDesktop = {0, 0, 1920, 1080};

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

testing::AssertionResult Is(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << Describe(actual) << " instead of " << Describe(expected);
}

// A selection dragged out from `from` to `to`.
SelectionModel Selected(POINT from, POINT to) {
  SelectionModel model(kDesktop);
  model.Press(from);
  model.Drag(to);
  model.Release(to);
  return model;
}

// One event of a walk: a press, a drag, a release or a nudge at a point.
enum class Event { kPress, kDrag, kRelease, kNudge };
struct Step {
  Event event;
  POINT point;  // the nudge's (dx, dy) for kNudge
};

void Walk(SelectionModel& model, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    switch (step.event) {
      case Event::kPress:
        model.Press(step.point);
        break;
      case Event::kDrag:
        model.Drag(step.point);
        break;
      case Event::kRelease:
        model.Release(step.point);
        break;
      case Event::kNudge:
        model.Nudge(step.point.x, step.point.y);
        break;
    }
  }
}

// (A walk from a settled selection (400, 300)-(800, 600)) -> its state and selection: moves,
// the eight handles, a flip past the opposite edge, slides along the desktop's edges, and
// nudges only while idle.
//        T
//   TL---+---TR
//   |          |
//   L          R
//   |          |
//   BL---+---BR
//        B
TEST(SelectionModelTest, WalksFromASettledSelection) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    State state;
    RECT selection;
  } cases[] = {
      {"move",
       {{Event::kPress, {600, 450}}, {Event::kDrag, {650, 400}}, {Event::kRelease, {650, 400}}},
       State::kMoved,
       {450, 250, 850, 550}},
      {"move pressed, not moved",
       {{Event::kPress, {600, 450}}},
       State::kMovePressed,
       {400, 300, 800, 600}},
      {"slide along the left and top edges",
       {{Event::kPress, {600, 450}}, {Event::kDrag, {100, 50}}},
       State::kMoving,
       {0, 0, 400, 300}},
      {"slide along the right and bottom edges",
       {{Event::kPress, {600, 450}}, {Event::kDrag, {2500, 1500}}},
       State::kMoving,
       {1520, 780, 1920, 1080}},
      {"top-left",
       {{Event::kPress, {400, 300}}, {Event::kDrag, {437, 323}}, {Event::kRelease, {437, 323}}},
       State::kResized,
       {437, 323, 800, 600}},
      {"top-right",
       {{Event::kPress, {800, 300}}, {Event::kDrag, {837, 323}}},
       State::kResizing,
       {400, 323, 837, 600}},
      {"bottom-left",
       {{Event::kPress, {400, 600}}, {Event::kDrag, {437, 623}}},
       State::kResizing,
       {437, 300, 800, 623}},
      {"bottom-right",
       {{Event::kPress, {800, 600}}, {Event::kDrag, {837, 623}}},
       State::kResizing,
       {400, 300, 837, 623}},
      {"left",
       {{Event::kPress, {400, 450}}, {Event::kDrag, {437, 473}}},
       State::kResizing,
       {437, 300, 800, 600}},
      {"top",
       {{Event::kPress, {600, 300}}, {Event::kDrag, {637, 323}}},
       State::kResizing,
       {400, 323, 800, 600}},
      {"right",
       {{Event::kPress, {800, 450}}, {Event::kDrag, {837, 473}}},
       State::kResizing,
       {400, 300, 837, 600}},
      {"bottom",
       {{Event::kPress, {600, 600}}, {Event::kDrag, {637, 623}}},
       State::kResizing,
       {400, 300, 800, 623}},
      {"left edge past the right one",
       {{Event::kPress, {400, 450}}, {Event::kDrag, {900, 460}}},
       State::kResizing,
       {800, 300, 900, 600}},
      {"resized past the desktop",
       {{Event::kPress, {800, 600}}, {Event::kDrag, {2500, -40}}},
       State::kResizing,
       {400, 0, 1920, 300}},
      {"nudges",
       {{Event::kNudge, {1, 0}}, {Event::kNudge, {0, 1}}, {Event::kNudge, {1, 0}}},
       State::kSelected,
       {402, 301, 802, 601}},
      {"no nudge while moving",
       {{Event::kPress, {600, 450}}, {Event::kNudge, {1, 0}}},
       State::kMovePressed,
       {400, 300, 800, 600}},
      {"nudge after a move",
       {{Event::kPress, {600, 450}}, {Event::kRelease, {600, 450}}, {Event::kNudge, {-1, 0}}},
       State::kMoved,
       {399, 300, 799, 600}},
      {"grabbed again after a resize",
       {{Event::kPress, {800, 600}}, {Event::kRelease, {800, 600}}, {Event::kPress, {600, 450}}},
       State::kMovePressed,
       {400, 300, 800, 600}},
      {"outside starts a new selection",
       {{Event::kPress, {100, 100}}},
       State::kPressed,
       {400, 300, 800, 600}},
  };
  for (const auto& c : cases) {
    SelectionModel model = Selected({400, 300}, {800, 600});
    Walk(model, c.steps);
    EXPECT_EQ(model.state(), c.state) << c.name;
    EXPECT_TRUE(Is(model.selection(), c.selection)) << c.name;
  }
}

// Dragged out in every direction, the selection is the spanned rectangle, clamped to the
// desktop for a mouse that went past its edge.
TEST(SelectionModelTest, ADragSpansTheRectangleInEveryDirection) {
  const struct {
    POINT from;
    POINT to;
    RECT selection;
  } drags[] = {
      {{100, 50}, {300, 200}, {100, 50, 300, 200}},
      {{300, 200}, {100, 50}, {100, 50, 300, 200}},
      {{300, 50}, {100, 200}, {100, 50, 300, 200}},
      {{100, 200}, {300, 50}, {100, 50, 300, 200}},
      {{1800, 900}, {2100, 1200}, {1800, 900, 1920, 1080}},
      {{100, 100}, {-30, -40}, {0, 0, 100, 100}},
  };
  for (const auto& drag : drags) {
    SelectionModel model(kDesktop);
    EXPECT_FALSE(model.Press(drag.from));
    EXPECT_EQ(model.state(), State::kPressed);
    EXPECT_EQ(model.decoration(), Decoration::kHighlight);
    EXPECT_TRUE(model.Drag(drag.to));
    EXPECT_EQ(model.state(), State::kSelecting);
    EXPECT_EQ(model.decoration(), Decoration::kDraggingHandles) << "from the first move on";
    EXPECT_FALSE(model.Release(drag.to));
    EXPECT_EQ(model.state(), State::kSelected);
    EXPECT_EQ(model.decoration(), Decoration::kSettledHandles);
    EXPECT_TRUE(Is(model.selection(), drag.selection));
  }
}

// A click selects the highlighted window (clipped to the desktop); outside it, or with
// nothing highlighted, the session goes back to detecting, and only the former asks for the
// window under the mouse anew.
TEST(SelectionModelTest, AClickSelectsTheHighlightedWindowOrGoesBackToDetecting) {
  SelectionModel model(kDesktop);
  EXPECT_TRUE(model.Highlight({-50, 120, 250, 320}));
  EXPECT_FALSE(model.Highlight({-50, 120, 250, 320})) << "unchanged";
  EXPECT_TRUE(Is(model.selection(), {0, 120, 250, 320}));
  model.Press({100, 200});
  EXPECT_FALSE(model.Release({100, 200}));
  EXPECT_EQ(model.state(), State::kSelected);

  EXPECT_TRUE(model.Press({1000, 900})) << "the selection is given up";
  EXPECT_TRUE(model.Release({1000, 900})) << "find the window there";
  EXPECT_EQ(model.state(), State::kDetecting);

  SelectionModel nothing(kDesktop);
  nothing.Press({10, 10});
  EXPECT_FALSE(nothing.Release({10, 10}));
  EXPECT_EQ(nothing.state(), State::kDetecting);
}

// On a desktop whose top-right part no monitor shows (a lower monitor right of the primary
// one), a selection starts only where a monitor shows it; a selection made elsewhere moves,
// resizes and is clamped across that part like anywhere on the desktop.
TEST(SelectionModelTest, ASelectionStartsOnlyWhereAMonitorShowsTheDesktop) {
  SelectionModel model(kDesktop, {{0, 0, 1000, 1080}, {1000, 200, 1920, 1080}});
  EXPECT_FALSE(model.Press({1500, 100}));
  EXPECT_EQ(model.state(), State::kDetecting) << "a press in the unshown part";
  model.Drag({1700, 300});
  EXPECT_FALSE(model.Release({1700, 300}));
  EXPECT_EQ(model.state(), State::kDetecting);
  EXPECT_TRUE(IsRectEmpty(&model.selection()));

  Walk(model,
       {{Event::kPress, {900, 300}}, {Event::kDrag, {1200, 600}}, {Event::kRelease, {1200, 600}}});
  ASSERT_EQ(model.state(), State::kSelected) << "a drag into it from a monitor";
  EXPECT_TRUE(Is(model.selection(), {900, 300, 1200, 600}));
  EXPECT_FALSE(model.Press({1500, 100})) << "the selection is kept";
  EXPECT_EQ(model.state(), State::kSelected);
  Walk(model,
       {{Event::kPress, {1000, 400}}, {Event::kDrag, {1900, 0}}, {Event::kRelease, {1900, 0}}});
  EXPECT_TRUE(Is(model.selection(), {1620, 0, 1920, 300})) << "moved over it, to the corner";
  EXPECT_TRUE(model.Press({500, 500})) << "given up for a new one on a monitor";
}

// The handles' hit rectangles: 5 pixels square while the selection is dragged out, 6 once
// it is settled, the bottom-left one 2 pixels taller; each sets its own pointer.
TEST(SelectionModelTest, HandlesAndTheirPointers) {
  // Selection (101, 51)-(300, 200): c = 200, m = 125; in the order of Handle.
  const RECT dragging[kHandleCount] = {
      {99, 49, 104, 54},   {297, 49, 302, 54}, {99, 195, 104, 202},  {297, 197, 302, 202},
      {99, 123, 104, 128}, {198, 49, 203, 54}, {298, 123, 303, 128}, {198, 198, 203, 203},
  };
  const RECT settled[kHandleCount] = {
      {99, 49, 105, 55},   {296, 49, 302, 55}, {99, 194, 105, 202},  {296, 196, 302, 202},
      {99, 123, 105, 129}, {198, 49, 204, 55}, {298, 123, 304, 129}, {198, 198, 204, 204},
  };
  SelectionModel model(kDesktop);
  model.Press({101, 51});
  model.Drag({300, 200});
  for (int handle = 0; handle < kHandleCount; ++handle)
    EXPECT_TRUE(Is(model.handle_rect(static_cast<Handle>(handle)), dragging[handle])) << handle;
  EXPECT_EQ(model.PointerAt({200, 125}), std::nullopt) << "the pointer stays as it is";
  model.Release({300, 200});
  for (int handle = 0; handle < kHandleCount; ++handle)
    EXPECT_TRUE(Is(model.handle_rect(static_cast<Handle>(handle)), settled[handle])) << handle;

  const struct {
    POINT point;
    PointerShape pointer;
  } pointers[] = {
      {{101, 51}, PointerShape::kSizeNwse},  {{300, 51}, PointerShape::kSizeNesw},
      {{101, 200}, PointerShape::kSizeNesw}, {{300, 200}, PointerShape::kSizeNwse},
      {{101, 125}, PointerShape::kSizeWe},   {{200, 51}, PointerShape::kSizeNs},
      {{200, 125}, PointerShape::kMove},     {{500, 500}, PointerShape::kArrow},
  };
  for (const auto& p : pointers)
    EXPECT_EQ(model.PointerAt(p.point), p.pointer) << p.point.x << ", " << p.point.y;
}

// Tools freeze the selection: chosen, it annotates; switched off, it is selected again
// without shapes, annotated with them. Undo and redo act only on a selection as it stands.
TEST(SelectionModelTest, ToolsAndShapesFreezeTheSelection) {
  SelectionModel model = Selected({400, 300}, {800, 600});
  EXPECT_TRUE(model.HasToolbar());
  EXPECT_TRUE(model.CanChangeShapes());
  model.ChooseTool(true, false);
  EXPECT_EQ(model.state(), State::kAnnotating);
  EXPECT_FALSE(model.Nudge(1, 0));
  model.ChooseTool(false, true);
  EXPECT_EQ(model.state(), State::kAnnotated);
  model.ShapesAllTakenBack();
  EXPECT_EQ(model.state(), State::kSelected);
  model.ShapePutBack();
  EXPECT_EQ(model.state(), State::kAnnotated);

  SelectionModel resizing = Selected({400, 300}, {800, 600});
  resizing.Press({800, 600});
  resizing.Drag({810, 610});
  EXPECT_FALSE(resizing.CanChangeShapes());
  EXPECT_FALSE(resizing.HasToolbar());
  EXPECT_TRUE(resizing.IsDragging());
}

}  // namespace
