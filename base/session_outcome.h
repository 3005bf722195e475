#pragma once

#include <string>

// What a capture session has done with its picture, and so how the process ends. The entry
// point owns the one value for the whole run and hands it by reference to the capture window,
// which writes it when the picture is copied or saved, and to the saved-file balloon and the
// pop-up rules, which read it. UI thread only.
struct SessionOutcome {
  // Returned by the entry point on a normal end: 1 after a copy in a session launched from
  // the host's feedback form, else 0.
  int exit_code = 0;
  // The copy to the clipboard has started.
  bool copied = false;
  // The user has confirmed the save dialog.
  bool saved = false;
  // Full path of the last file chosen in the save dialog.
  std::wstring saved_path;
  // The saved-file balloon shows its link, so every pop-up window treats the link area as a
  // link to the saved file.
  bool saved_link = false;
  // The saved-file balloon is up (from its showing until its close starts); its going then
  // ends the session.
  bool balloon_shown = false;
};
