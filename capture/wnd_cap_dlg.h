#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/desktop_geometry.h"
#include "base/memory_bitmap.h"
#include "base/scoped_gdi_object.h"
#include "dui/view.h"

// The magnifier that follows the cursor while the user looks for the area to capture: the
// frozen screen around the cursor three times as large, the selection's size, and the colour
// of the pixel under the cursor as numbers and as a swatch. The content view of its own
// widget, which never takes the mouse or the keyboard; the widget deletes it. The capture
// window makes it at the start of the session, keeps a pointer to it and closes it at the
// end. UI thread only.
class WndCapDlg : public dui::View {
 public:
  static constexpr int kWidth = 119;
  static constexpr int kHeight = 133;

  // Makes and shows the magnifier for the frozen picture `source` of `desktop` (not owned;
  // it must outlive the magnifier or be let go by Close) with the cursor at `cursor`, in
  // desktop coordinates.
  static WndCapDlg* Create(HDC source, const base::DesktopGeometry& desktop, POINT cursor);
  // Follows the cursor at `cursor` (desktop coordinates), 20 pixels right of and below it
  // or, where that leaves the cursor's monitor, left of or above it; the window moves with
  // the repaint this schedules.
  void MoveTo(POINT cursor, int selection_width, int selection_height);
  // Shows or hides the magnifier.
  void Show(bool show);
  // Lets go of the picture and closes the magnifier for good; its widget deletes it.
  void Close();

  // The three lines of the panel: the selection size, and the colour in decimal and hex.
  static std::array<std::wstring, 3> InfoLines(int selection_width,
                                               int selection_height,
                                               COLORREF color);

  ~WndCapDlg() override;

  // Called on every repaint: the magnified picture, its frame and the panel.
  void OnPaint(Gdiplus::Graphics& g) override;

 private:
  WndCapDlg(HDC source, const base::DesktopGeometry& desktop, POINT cursor);
  // Where the window goes, in screen coordinates, for the cursor at `cursor` in desktop
  // coordinates, at the scale of the cursor's monitor.
  POINT WindowPlaceFor(POINT cursor) const;
  // The scale of the monitor of `cursor`, in desktop coordinates.
  base::DpiScale ScaleAt(POINT cursor) const;
  // The panel's lines as they read now; none after Close.
  std::array<std::wstring, 3> Lines() const;
  // Magnifies the picture around the cursor at `scale` into magnified_: as many pixels as
  // fill its area three times as large. Gives the part of the view that changed; the whole
  // picture at a new scale.
  dui::Rectangle Magnify(base::DpiScale scale);
  // The part of the view where the panel's lines `before` and `after` differ.
  static dui::Rectangle ChangedLines(const std::array<std::wstring, 3>& before,
                                     const std::array<std::wstring, 3>& after);
  void PaintMagnified(Gdiplus::Graphics& g, base::DpiScale scale);
  void PaintPanel(Gdiplus::Graphics& g, int frame_width, int frame_height);
  // The panel as it reads now into panel_, `size` device pixels at `scale`.
  void DrawPanel(base::DpiScale scale, SIZE size);

  HDC sourceDC_;
  base::DesktopGeometry desktop_;
  // The magnified picture, opaque, and its pixels before the last Magnify.
  base::MemoryBitmap magnified_;
  base::DpiScale magnifiedScale_;
  std::vector<uint32_t> lastMagnified_;
  // The panel in device pixels, and its font, at panelScale_.
  base::MemoryBitmap panel_;
  base::ScopedFont panelFont_;
  base::DpiScale panelScale_;
  int selectionWidth_;
  int selectionHeight_;
  int cursorX_;
  int cursorY_;
};
