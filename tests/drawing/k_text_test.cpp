#include "drawing/k_text.h"

#include <gtest/gtest.h>

#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::DrawAlone;
using drawing_testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(255, 255, 240);
constexpr COLORREF kInk = RGB(200, 0, 30);
constexpr COLORREF kFrameColor = RGB(0, 0, 0);

// The default GUI font at `height` pixels, as the capture window builds the edit font.
base::ScopedFont MakeFont(int height) {
  LOGFONTW description = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  description.lfHeight = height;
  description.lfWidth = 0;
  return base::ScopedFont(CreateFontIndirectW(&description));
}

int LineHeight(HFONT font) {
  MemoryCanvas canvas(1, 1, kBackground);
  const HGDIOBJ previous = SelectObject(canvas.dc(), font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(canvas.dc(), &metrics);
  SelectObject(canvas.dc(), previous);
  return metrics.tmHeight;
}

int TextWidth(HFONT font, const std::wstring& text) {
  MemoryCanvas canvas(1, 1, kBackground);
  const HGDIOBJ previous = SelectObject(canvas.dc(), font);
  SIZE size = {};
  GetTextExtentPoint32W(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(canvas.dc(), previous);
  return size.cx;
}

// A finished text shape in the rectangle (left, top)-(right, bottom).
void Finish(KText& shape, const std::wstring& text, HFONT font, const RECT& box) {
  shape.AddPoint({box.left, box.top});
  shape.AddPoint({box.right, box.bottom});
  shape.color = kInk;
  shape.editing = false;
  shape.SetFont(font);
  shape.text = text;
}

bool IsInk(COLORREF pixel) {
  return pixel != kBackground;
}

int InkInRows(const MemoryCanvas& canvas, int top, int bottom) {
  int ink = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < canvas.width(); ++x)
      ink += IsInk(canvas.Pixel(x, y));
  }
  return ink;
}

// Runs of neighbouring columns holding ink: one per glyph that stands apart.
int InkColumnRuns(const MemoryCanvas& canvas) {
  int runs = 0;
  bool in_run = false;
  for (int x = 0; x < canvas.width(); ++x) {
    bool ink = false;
    for (int y = 0; y < canvas.height() && !ink; ++y)
      ink = IsInk(canvas.Pixel(x, y));
    runs += ink && !in_run;
    in_run = ink;
  }
  return runs;
}

// The rows from the first to the last one holding ink; 0 without ink.
int InkHeight(const MemoryCanvas& canvas) {
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    if (InkInRows(canvas, y, y + 1) == 0)
      continue;
    if (top < 0)
      top = y;
    bottom = y;
  }
  return top < 0 ? 0 : bottom - top + 1;
}

TEST(TextTest, AmpersandsAreDrawnAsThemselves) {
  const base::ScopedFont font = MakeFont(-32);
  const struct {
    const wchar_t* text;
    int glyphs;
  } cases[] = {{L"&&", 2}, {L"&", 1}, {L"&&&", 3}};
  for (const auto& entry : cases) {
    MemoryCanvas canvas(300, 80, kBackground);
    KText shape;
    Finish(shape, entry.text, font.get(), {10, 10, 290, 70});
    ASSERT_TRUE(shape.IsValid());
    DrawAlone(shape, canvas.dc());
    EXPECT_EQ(InkColumnRuns(canvas), entry.glyphs) << testing::PrintToString(entry.text);
    const std::vector<COLORREF> pixels = canvas.Pixels();
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), kInk), 0)
        << "no pixel in the text colour for " << testing::PrintToString(entry.text);
  }
}

TEST(TextTest, PartlyVisibleLastLineIsNotDrawn) {
  const base::ScopedFont font = MakeFont(-16);
  const int line = LineHeight(font.get());
  ASSERT_GT(line, 0);
  // Box heights of one and a half lines and of two whole lines.
  const struct {
    int box_height;
    bool second_line_shows;
  } cases[] = {{line + line / 2, false}, {2 * line, true}};
  for (const auto& entry : cases) {
    MemoryCanvas canvas(200, 100, kBackground);
    KText shape;
    Finish(shape, L"First\r\nSecond", font.get(), {10, 10, 190, 10 + entry.box_height});
    DrawAlone(shape, canvas.dc());
    EXPECT_GT(InkInRows(canvas, 10, 10 + line), 0) << "box height " << entry.box_height;
    EXPECT_EQ(InkInRows(canvas, 10 + line, canvas.height()) > 0, entry.second_line_shows)
        << "box height " << entry.box_height;
  }
}

TEST(TextTest, TextWrapsAtWordsAndStaysInsideItsRectangle) {
  const base::ScopedFont font = MakeFont(-16);
  const int line = LineHeight(font.get());
  const int first_word = TextWidth(font.get(), L"Words");
  const int both_words = TextWidth(font.get(), L"Words wrap");
  ASSERT_GT(both_words, first_word + 8);
  // The box holds both words on one line, or only the first; the last text is too long for
  // a line however it is broken.
  const struct {
    const wchar_t* text;
    int box_width;
    bool second_line_shows;
  } cases[] = {
      {L"Words wrap", both_words + 20, false},
      {L"Words wrap", first_word + 4, true},
      {L"Wordsandwordsandwordsandwordsandwords", first_word + 4, true},
  };
  for (const auto& entry : cases) {
    MemoryCanvas canvas(400, 100, kBackground);
    KText shape;
    const RECT box = {20, 10, 20 + entry.box_width, 10 + 2 * line};
    Finish(shape, entry.text, font.get(), box);
    DrawAlone(shape, canvas.dc());
    const auto where = testing::PrintToString(entry.text) + " in a box " +
                       std::to_string(entry.box_width) + " wide";
    EXPECT_EQ(InkInRows(canvas, 10 + line, canvas.height()) > 0, entry.second_line_shows) << where;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        ASSERT_TRUE(PtInRect(&box, POINT{x, y}) || !IsInk(canvas.Pixel(x, y)))
            << where << ", ink at " << x << ", " << y;
      }
    }
  }
}

TEST(TextTest, BackgroundStaysAndTheDcIsLeftAsItWas) {
  const base::ScopedFont font = MakeFont(-16);
  MemoryCanvas canvas(200, 60, kBackground);
  const HGDIOBJ font_before = GetCurrentObject(canvas.dc(), OBJ_FONT);
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  SetTextColor(canvas.dc(), RGB(0, 255, 0));
  KText shape;
  Finish(shape, L"Transparent", font.get(), {10, 10, 190, 50});
  DrawAlone(shape, canvas.dc());
  // Opaque output would fill the text's cell with the blue background colour.
  const std::vector<COLORREF> pixels = canvas.Pixels();
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), RGB(0, 0, 255)), 0);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), RGB(0, 255, 0)), 0);
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), kInk), 0);
  EXPECT_EQ(canvas.Pixel(10, 10), kBackground);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font_before);
  EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 255, 0));
}

TEST(TextTest, SetFontKeepsACopyOfTheGivenFont) {
  KText shape;
  int heights[2] = {};
  const int font_heights[2] = {-40, -12};
  for (int i = 0; i < 2; ++i) {
    base::ScopedFont given = MakeFont(font_heights[i]);
    shape.SetFont(given.get());
    ASSERT_NE(shape.font.get(), nullptr);
    EXPECT_NE(shape.font.get(), given.get());
    // The caller's font goes away; the shape's copy stays.
    given.reset();
    MemoryCanvas canvas(200, 80, kBackground);
    shape.points = {{10, 10}, {190, 70}};
    shape.editing = false;
    shape.color = kInk;
    shape.text = L"H";
    DrawAlone(shape, canvas.dc());
    heights[i] = InkHeight(canvas);
  }
  EXPECT_GT(heights[0], 20);
  EXPECT_GT(heights[1], 0);
  EXPECT_LT(heights[1], heights[0] / 2);
}

TEST(TextTest, EditFrameIsDashDottedOnePixelOutsideTheBox) {
  // The box (20, 20)-(120, 60) covers the pixels x 20..119, y 20..59.
  //   x 19 and x 120, y 19 and y 60: the frame; x 18 and 121, y 18 and 61: untouched.
  MemoryCanvas canvas(140, 80, kBackground);
  KText shape;
  shape.points = {{20, 20}, {120, 60}};
  ASSERT_TRUE(shape.editing);
  EXPECT_FALSE(shape.IsValid());
  DrawAlone(shape, canvas.dc());
  const auto count_frame = [&](bool vertical, int at, int from, int to) {
    int frame = 0;
    for (int i = from; i < to; ++i)
      frame += (vertical ? canvas.Pixel(at, i) : canvas.Pixel(i, at)) == kFrameColor;
    return frame;
  };
  const struct {
    const char* side;
    bool vertical;
    int line;
    int outside;
  } sides[] = {{"left", true, 19, 18},
               {"right", true, 120, 121},
               {"top", false, 19, 18},
               {"bottom", false, 60, 61}};
  for (const auto& side : sides) {
    const int frame = count_frame(side.vertical, side.line, 19, 121);
    EXPECT_GT(frame, 0) << side.side;
    // Dash-dot: the line has gaps.
    EXPECT_LT(frame, side.vertical ? 42 : 102) << side.side;
    EXPECT_EQ(count_frame(side.vertical, side.outside, 0, 140), 0) << side.side;
  }
  for (int y = 20; y < 60; ++y) {
    for (int x = 20; x < 120; ++x)
      ASSERT_EQ(canvas.Pixel(x, y), kBackground) << "inside the box at " << x << ", " << y;
  }

  // Once editing ends the frame goes.
  MemoryCanvas finished(140, 80, kBackground);
  shape.editing = false;
  DrawAlone(shape, finished.dc());
  EXPECT_EQ(InkInRows(finished, 0, finished.height()), 0);
}

}  // namespace
