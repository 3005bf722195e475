// The three ends of a session: copy to the clipboard, save to a file, cancel.
#include "capture/capture_window.h"

#include <memory>

#include "base/file_paths.h"
#include "base/gdiplus.h"
#include "capture/selection_backup.h"
#include "output/clipboard.h"
#include "output/cut_out.h"
#include "output/image_encoder.h"
#include "output/image_file.h"
#include "output/save_dialog.h"
#include "settings/first_use_popup.h"
#include "ui/tip.h"

void CaptureWindow::OnCancel(CancelReason /*reason*/) {
  annotations_.FinishText();
  toolbar_.ClosePopupMenus();
  Close(CloseMode::kKeepProcess);
}

std::unique_ptr<Gdiplus::Bitmap> CaptureWindow::FlattenSelection(SelectionBackup& backup) {
  if (!PaintAllShapes(snapshot_.original_dc())) {
    backup.Restore();
    outcome_.copied = false;
    outcome_.saved = false;
    return nullptr;
  }
  std::unique_ptr<Gdiplus::Bitmap> picture =
      CutOut(snapshot_.original_bitmap(), model_.selection());
  if (!picture)
    Close(CloseMode::kEndProcess);
  return picture;
}

void CaptureWindow::OnDone() {
  annotations_.FinishText();
  outcome_.copied = true;
  SelectionBackup backup(snapshot_.original_dc(), model_.selection());
  std::unique_ptr<Gdiplus::Bitmap> picture = FlattenSelection(backup);
  if (!picture)
    return;
  if (!PutOnClipboard(hwnd_, *picture)) {
    // The clipboard is busy: the session stays exactly as it was, for another try.
    backup.Restore();
    outcome_.copied = false;
    return;
  }
  if (launch_source_ == LaunchSource::kFeedback)
    outcome_.exit_code = 1;
  else if (launch_source_ == LaunchSource::kHotKeyCtrlAltA)
    ShowFirstUsePopup();
  Close(CloseMode::kEndProcess);
}

void CaptureWindow::OnSave(SaveSource /*source*/) {
  // The feedback form takes the picture from the clipboard only.
  if (launch_source_ == LaunchSource::kFeedback)
    return;
  annotations_.FinishText();
  toolbar_.ClosePopupMenus();
  toolbar_.EnableWindows(false);
  SaveChoice choice;
  DWORD dialog_error = 0;
  const SaveDialogResult result = ShowSaveDialog(hwnd_, &choice, &dialog_error);
  toolbar_.EnableWindows(true);
  if (result == SaveDialogResult::kChosen)
    SaveTo(choice);
  else if (result == SaveDialogResult::kFailed)
    TellSaveDialogFailed(hwnd_, dialog_error);
}

void CaptureWindow::SaveTo(const SaveChoice& choice) {
  const SaveTarget target = ChooseSaveTarget(choice.path, choice.filter_index);
  if (target.path != choice.path && base::FileExists(target.path) &&
      !MayReplaceFile(hwnd_, target.path))
    return;
  outcome_.saved = true;
  SelectionBackup backup(snapshot_.original_dc(), model_.selection());
  std::unique_ptr<Gdiplus::Bitmap> picture = FlattenSelection(backup);
  if (!picture)
    return;
  std::wstring reason;
  if (!WriteImageFile(*picture, target.path, target.mime_type, &reason)) {
    // Nothing claims a picture that was not written: the session goes on as it was, for
    // another place.
    backup.Restore();
    outcome_.saved = false;
    TellSaveFailed(hwnd_, target.path, reason);
    return;
  }
  outcome_.saved_path = target.path;
  // The suite's first-use pop-up takes the place of the balloon; the balloon ends the
  // process when it goes, and if it cannot be shown nothing else would.
  if (launch_source_ == LaunchSource::kHotKeyCtrlAltA && ShowFirstUsePopup()) {
    Close(CloseMode::kEndProcess);
    return;
  }
  POINT balloon = Tip::PositionOnScreen(desktop_.width(), desktop_.height());
  balloon = desktop_.ToScreen(balloon);
  Close(Tip::Show(balloon.x, balloon.y, outcome_) ? CloseMode::kKeepProcess
                                                  : CloseMode::kEndProcess);
}
