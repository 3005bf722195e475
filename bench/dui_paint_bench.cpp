// Measures what the view framework's paint coalescing and image cache save: one paint pass
// of a toolbar-sized tree over its whole 800 x 600 back buffer against a pass limited to one
// button's dirty area, and a first image decode against a cached lookup. Draws into memory
// only, so it needs no display.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <memory>

#include "base/gdiplus.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"
#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "dui/view.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPasses = 200;
constexpr int kLookups = 1000000;

double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000 / frequency.QuadPart;
}

// The toolbar strip with eight buttons, repeated down the buffer.
class Strip : public dui::View {
 public:
  void OnPaint(Gdiplus::Graphics& g) override {
    Gdiplus::Image* image = dui::ResManager::GetInstance()->GetImage(IDB_TOOLBAR_BACKGROUND);
    for (int y = 0; y < GetHeight(); y += 46)
      g.DrawImage(image, 0, y);
  }
};

std::unique_ptr<dui::View> BuildTree() {
  auto root = std::make_unique<Strip>();
  root->SetBounds(0, 0, kWidth, kHeight);
  const int faces[] = {IDB_TOOL_RECTANGLE, IDB_TOOL_ELLIPSE, IDB_TOOL_ARROW, IDB_TOOL_TEXT,
                       IDB_TOOL_MOSAIC,    IDB_SAVE,         IDB_CANCEL,     IDB_COPY};
  for (int row = 0; row * 46 < kHeight; ++row) {
    for (int i = 0; i < 8; ++i) {
      auto* button = new dui::CommonButton;
      button->SetStateImage(faces[i], dui::CommonButton::Look::kNormal);
      button->SetBounds(11 + 44 * i, row * 46 + 11, 24, 24);
      root->AddChildView(button);
    }
  }
  return root;
}

// Milliseconds of one pass that clears `dirty` and paints the tree into it.
double MeasurePasses(dui::View& root, HDC dc, const dui::Rectangle& dirty) {
  const double start = Now();
  for (int pass = 0; pass < kPasses; ++pass) {
    Gdiplus::Graphics g(dc);
    g.SetClip(dirty.ToGdiplus(), Gdiplus::CombineModeReplace);
    g.Clear(Gdiplus::Color(0, 0, 0, 0));
    root.Paint(g, dirty);
  }
  return (Now() - start) / kPasses;
}

void MeasurePainting() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  base::ScopedCreateDc dc(CreateCompatibleDC(nullptr));
  base::ScopedBitmap buffer(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  base::ScopedSelectObject select(dc.get(), buffer.get());
  std::unique_ptr<dui::View> root = BuildTree();
  const double whole = MeasurePasses(*root, dc.get(), root->GetLocalBounds());
  const double one_button = MeasurePasses(*root, dc.get(), {99, 11, 24, 24});
  std::printf("paint pass, whole 800x600 buffer:  %8.3f ms\n", whole);
  std::printf("paint pass, one 24x24 dirty area:  %8.3f ms\n", one_button);
  std::printf("ratio whole / dirty area:          %8.1f\n", whole / one_button);
}

void MeasureImageCache() {
  dui::ResManager::DestroyInstance();
  const double start = Now();
  dui::ResManager::GetInstance()->GetImage(IDB_BALLOON_BACKGROUND);
  const double first = Now() - start;
  const double lookups_start = Now();
  for (int i = 0; i < kLookups; ++i)
    dui::ResManager::GetInstance()->GetImage(IDB_BALLOON_BACKGROUND);
  const double lookup = (Now() - lookups_start) / kLookups;
  std::printf("first GetImage (decode 298x138):   %8.3f ms\n", first);
  std::printf("cached GetImage:                   %8.6f ms\n", lookup);
  std::printf("ratio first / cached:              %8.0f\n", first / lookup);
}

}  // namespace

int main() {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  CoInitialize(nullptr);
  MeasurePainting();
  MeasureImageCache();
  dui::ResManager::DestroyInstance();
  Gdiplus::GdiplusShutdown(token);
  CoUninitialize();
  return 0;
}
