#include "capture/session_finisher.h"

#include "base/file_paths.h"
#include "base/gdiplus.h"
#include "capture/annotations.h"
#include "capture/screen_snapshot.h"
#include "capture/selection_backup.h"
#include "output/clipboard.h"
#include "output/cut_out.h"
#include "output/image_encoder.h"
#include "output/image_file.h"
#include "output/save_dialog.h"
#include "settings/first_use_popup.h"
#include "ui/tip.h"

SessionFinisher::SessionFinisher(SessionOutcome& outcome,
                                 const ScreenSnapshot& snapshot,
                                 const Annotations& annotations)
    : outcome_(outcome), snapshot_(snapshot), annotations_(annotations) {}

std::unique_ptr<Gdiplus::Bitmap> SessionFinisher::Flatten(const RECT& selection,
                                                          SelectionBackup& backup,
                                                          Next* next) {
  if (!annotations_.PaintAll(snapshot_.original_dc(), selection)) {
    backup.Restore();
    outcome_.copied = false;
    outcome_.saved = false;
    *next = Next::kGoOn;
    return nullptr;
  }
  std::unique_ptr<Gdiplus::Bitmap> picture = CutOut(snapshot_.original_bitmap(), selection);
  if (!picture)
    *next = Next::kEndProcess;
  return picture;
}

SessionFinisher::Next SessionFinisher::Copy(HWND owner,
                                            const RECT& selection,
                                            LaunchSource source) {
  outcome_.copied = true;
  SelectionBackup backup(snapshot_.original_dc(), selection);
  Next next = Next::kGoOn;
  std::unique_ptr<Gdiplus::Bitmap> picture = Flatten(selection, backup, &next);
  if (!picture)
    return next;
  if (!PutOnClipboard(owner, *picture)) {
    // The clipboard is busy: the session stays exactly as it was, for another try.
    backup.Restore();
    outcome_.copied = false;
    return Next::kGoOn;
  }
  if (source == LaunchSource::kFeedback)
    outcome_.exit_code = 1;
  else if (source == LaunchSource::kHotKeyCtrlAltA)
    ShowFirstUsePopup();
  return Next::kEndProcess;
}

std::optional<SaveChoice> SessionFinisher::AskWhereToSave(HWND owner) {
  SaveChoice choice;
  DWORD dialog_error = 0;
  const SaveDialogResult result = ShowSaveDialog(owner, &choice, &dialog_error);
  if (result == SaveDialogResult::kChosen)
    return choice;
  if (result == SaveDialogResult::kFailed)
    TellSaveDialogFailed(owner, dialog_error);
  return std::nullopt;
}

SessionFinisher::Next SessionFinisher::Save(HWND owner,
                                            const RECT& selection,
                                            const SaveChoice& choice,
                                            LaunchSource source,
                                            const base::DesktopGeometry& desktop) {
  const SaveTarget target = ChooseSaveTarget(choice.path, choice.filter_index);
  if (target.path != choice.path && base::FileExists(target.path) &&
      !MayReplaceFile(owner, target.path))
    return Next::kGoOn;
  outcome_.saved = true;
  SelectionBackup backup(snapshot_.original_dc(), selection);
  Next next = Next::kGoOn;
  std::unique_ptr<Gdiplus::Bitmap> picture = Flatten(selection, backup, &next);
  if (!picture)
    return next;
  std::wstring reason;
  if (!WriteImageFile(*picture, target.path, target.mime_type, &reason)) {
    // Nothing claims a picture that was not written: the session goes on as it was, for
    // another place.
    backup.Restore();
    outcome_.saved = false;
    TellSaveFailed(owner, target.path, reason);
    return Next::kGoOn;
  }
  outcome_.saved_path = target.path;
  // The suite's first-use pop-up takes the place of the balloon; the balloon ends the
  // process when it goes, and if it cannot be shown nothing else would.
  if (source == LaunchSource::kHotKeyCtrlAltA && ShowFirstUsePopup())
    return Next::kEndProcess;
  // On the monitor that shows the middle of the selection.
  const POINT middle = desktop.ToScreen(
      POINT{(selection.left + selection.right) / 2, (selection.top + selection.bottom) / 2});
  const base::DpiScale scale = desktop.ScaleAt(middle);
  const POINT balloon = Tip::PositionOn(desktop.MonitorAt(middle), scale);
  return Tip::Show(balloon.x, balloon.y, outcome_, scale) ? Next::kCloseWindow : Next::kEndProcess;
}
