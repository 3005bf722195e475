#pragma once

#include <string>

// Process-wide state of one capture session. The capture window writes it when the picture
// is copied or saved; the view framework reads it when a pop-up window goes away, and the
// entry point returns exit_code_. Touched only from the user-interface thread.

// Value returned by the entry point on a normal end: 1 after a copy in a session launched
// from the host's feedback form, else 0.
extern int exit_code_;

// The copy to the clipboard has started.
extern bool copied_;

// The user has confirmed the save dialog.
extern bool saved_;

// Full path of the last file chosen in the save dialog.
extern std::wstring saved_path_;

// The saved-file balloon shows its link, so every pop-up window treats the link area as a
// link to the saved file.
extern bool saved_link_;
