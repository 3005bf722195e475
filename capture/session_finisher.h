#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "base/desktop_geometry.h"
#include "base/session_outcome.h"
#include "output/save_dialog.h"
#include "settings/launch_source.h"

namespace Gdiplus {
class Bitmap;
}

class Annotations;
class ScreenSnapshot;
class SelectionBackup;

// The two ends of a session that give out its picture: the selection, with its annotations
// painted in, copied to the clipboard or saved to a file, and what the session tells the
// host suite about it. An attempt that fails leaves the frozen picture exactly as it was, so
// that the session can go on for another try. UI thread only.
class SessionFinisher {
 public:
  // What the session does after an attempt.
  enum class Next {
    kGoOn,         // nothing was given out: the session stays as it was
    kCloseWindow,  // the window goes; the saved-file balloon ends the process
    kEndProcess,   // the window and the process end
  };

  // Paints `annotations` into `snapshot`'s frozen picture and records in `outcome`; all
  // three must outlive it.
  SessionFinisher(SessionOutcome& outcome,
                  const ScreenSnapshot& snapshot,
                  const Annotations& annotations);

  SessionFinisher(const SessionFinisher&) = delete;
  SessionFinisher& operator=(const SessionFinisher&) = delete;

  // Copies the `selection` of the picture to the clipboard for `owner`.
  Next Copy(HWND owner, const RECT& selection, LaunchSource source);
  // Asks in the save dialog where the picture goes; nothing when the user cancelled or the
  // dialog failed, which it then says.
  static std::optional<SaveChoice> AskWhereToSave(HWND owner);
  // Saves the `selection` of the picture as `choice` says, once a file it would replace
  // under another name may go; the balloon that names the file shows on the monitor of
  // `desktop` that shows the middle of the selection.
  Next Save(HWND owner,
            const RECT& selection,
            const SaveChoice& choice,
            LaunchSource source,
            const base::DesktopGeometry& desktop);

 private:
  // The selection cut out of the picture with the annotations painted in; null with the
  // picture put back from `backup` when a mosaic cannot be painted (the area would go out
  // in clear), or when the cut fails, `*next` then says how the session goes on.
  std::unique_ptr<Gdiplus::Bitmap> Flatten(const RECT& selection,
                                           SelectionBackup& backup,
                                           Next* next);

  SessionOutcome& outcome_;
  const ScreenSnapshot& snapshot_;
  const Annotations& annotations_;
};
