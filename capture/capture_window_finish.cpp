// The three ends of a session: copy to the clipboard, save to a file, cancel.
#include "capture/capture_window.h"

#include <cwchar>
#include <memory>

#include "base/gdiplus.h"
#include "base/process_state.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/image_encoder.h"
#include "capture/indexed_picture.h"
#include "capture/save_dialog.h"
#include "capture/selection_backup.h"
#include "settings/first_use_popup.h"
#include "ui/tip.h"
#include "ui/toolbar.h"

namespace {

constexpr ULONG kImageQuality = 100;
constexpr Gdiplus::ARGB kOpaqueWhite = 0xFFFFFFFF;

// The selection of the picture as a GDI+ bitmap of its own, or null.
std::unique_ptr<Gdiplus::Bitmap> CutOut(HBITMAP picture, const RECT& selection) {
  std::unique_ptr<Gdiplus::Bitmap> whole(Gdiplus::Bitmap::FromHBITMAP(picture, nullptr));
  if (!whole || whole->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  const Gdiplus::Rect area(selection.left, selection.top, selection.right - selection.left,
                           selection.bottom - selection.top);
  std::unique_ptr<Gdiplus::Bitmap> part(whole->Clone(area, whole->GetPixelFormat()));
  if (!part || part->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  return part;
}

// A screen-compatible bitmap of the picture on white, as the clipboard takes it.
base::ScopedBitmap MakeClipboardBitmap(Gdiplus::Bitmap& picture) {
  const int width = static_cast<int>(picture.GetWidth());
  const int height = static_cast<int>(picture.GetHeight());
  base::ScopedGetDc screen(nullptr);
  base::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedCreateDc memory(CreateCompatibleDC(screen.get()));
  if (!bitmap || !memory)
    return {};
  base::ScopedSelectObject select(memory.get(), bitmap.get());
  {
    Gdiplus::Graphics graphics(memory.get());
    Gdiplus::SolidBrush white{Gdiplus::Color(kOpaqueWhite)};
    graphics.FillRectangle(&white, 0, 0, width, height);
    graphics.DrawImage(&picture, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                       Gdiplus::UnitPixel);
  }
  return bitmap;
}

bool PutOnClipboard(HWND owner, Gdiplus::Bitmap& picture) {
  base::ScopedBitmap bitmap = MakeClipboardBitmap(picture);
  if (!bitmap || !OpenClipboard(owner))
    return false;
  EmptyClipboard();
  // From here on the clipboard owns the bitmap.
  const bool placed = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
  if (placed)
    (void)bitmap.release();
  CloseClipboard();
  return placed;
}

bool WriteImage(Gdiplus::Bitmap& picture, const std::wstring& path, const wchar_t* mime_type) {
  CLSID encoder = {};
  if (!FindEncoder(mime_type, &encoder))
    return false;
  std::unique_ptr<Gdiplus::Bitmap> indexed;
  if (wcscmp(mime_type, L"image/gif") == 0) {
    indexed = MakeIndexedCopy(picture);
    if (!indexed)
      return false;
  }
  ULONG quality = kImageQuality;
  Gdiplus::EncoderParameters parameters = {};
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &quality;
  Gdiplus::Bitmap& written = indexed ? *indexed : picture;
  return written.Save(path.c_str(), &encoder, &parameters) == Gdiplus::Ok;
}

}  // namespace

void CaptureWindow::OnCancel(CancelReason /*reason*/) {
  CommitText();
  if (toolbar_)
    toolbar_->ClosePopupMenus();
  Close(CloseMode::kKeepProcess);
}

std::unique_ptr<Gdiplus::Bitmap> CaptureWindow::FlattenSelection(SelectionBackup& backup) {
  if (!DrawShapes(original_dc_.get(), false)) {
    backup.Restore();
    copied_ = false;
    saved_ = false;
    return nullptr;
  }
  std::unique_ptr<Gdiplus::Bitmap> picture = CutOut(original_bmp_.get(), selection_);
  if (!picture)
    Close(CloseMode::kEndProcess);
  return picture;
}

void CaptureWindow::OnDone() {
  CommitText();
  copied_ = true;
  SelectionBackup backup(original_dc_.get(), selection_);
  std::unique_ptr<Gdiplus::Bitmap> picture = FlattenSelection(backup);
  if (!picture)
    return;
  if (!PutOnClipboard(hwnd_, *picture)) {
    // The clipboard is busy: the session stays exactly as it was, for another try.
    backup.Restore();
    copied_ = false;
    return;
  }
  if (launch_source_ == LaunchSource::kFeedback)
    exit_code_ = 1;
  else if (launch_source_ == LaunchSource::kHotKeyCtrlAltA)
    ShowFirstUsePopup();
  Close(CloseMode::kEndProcess);
}

void CaptureWindow::OnSave(SaveSource /*source*/) {
  // The feedback form takes the picture from the clipboard only.
  if (launch_source_ == LaunchSource::kFeedback)
    return;
  CommitText();
  if (toolbar_) {
    toolbar_->ClosePopupMenus();
    toolbar_->EnableWindows(false);
  }
  SaveChoice choice;
  const bool chosen = ShowSaveDialog(hwnd_, &choice);
  if (toolbar_)
    toolbar_->EnableWindows(true);
  if (chosen)
    SaveTo(choice);
}

void CaptureWindow::SaveTo(const SaveChoice& choice) {
  saved_ = true;
  SelectionBackup backup(original_dc_.get(), selection_);
  std::unique_ptr<Gdiplus::Bitmap> picture = FlattenSelection(backup);
  if (!picture)
    return;
  if (!WriteImage(*picture, choice.path, ChooseImageType(choice.path, choice.filter_index))) {
    // Nothing claims a picture that was not written: the session goes on as it was.
    backup.Restore();
    saved_ = false;
    return;
  }
  saved_path_ = choice.path;
  // The suite's first-use pop-up takes the place of the balloon; the balloon ends the
  // process when it goes, and if it cannot be shown nothing else would.
  if (launch_source_ == LaunchSource::kHotKeyCtrlAltA && ShowFirstUsePopup()) {
    Close(CloseMode::kEndProcess);
    return;
  }
  const POINT balloon = Tip::PositionOnScreen(screen_width_, screen_height_);
  Close(Tip::Show(balloon.x, balloon.y) ? CloseMode::kKeepProcess : CloseMode::kEndProcess);
}
