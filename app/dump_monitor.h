#pragma once

// Loads the host suite's crash-dump library and starts its monitor for this process. A
// missing library or export is skipped silently.
void OpenDumpMonitor();
