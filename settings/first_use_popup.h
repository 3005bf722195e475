#pragma once

// Once per machine, at the end of the first capture finished in a session started by the
// hot key CTRL+ALT+A: asks the host suite's pop-up client for its pop-up and records in the
// settings key that it was asked, whether or not the pop-up could be shown. True when the
// pop-up path was taken (the caller then ends without its own balloon), false when the flag
// says it was taken before. UI thread only.
bool ShowFirstUsePopup();
