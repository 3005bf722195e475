#include "base/dpi_awareness.h"

#include <windows.h>

#include "base/scoped_resource.h"

namespace base {
namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, for headers that lack it.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

template <typename Function>
Function Find(const ScopedLibrary& library, const char* name) {
  if (!library)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}

}  // namespace

void MakeProcessDpiAware() {
  const ScopedLibrary user32(LoadLibraryW(L"user32.dll"));
  // The manifest asks for the same; where the system has honoured it, the call fails with
  // nothing to change.
  using SetContextFunction = BOOL(WINAPI*)(HANDLE);
  if (auto set_context = Find<SetContextFunction>(user32, "SetProcessDpiAwarenessContext")) {
    if (set_context(kPerMonitorAwareV2) || GetLastError() == ERROR_ACCESS_DENIED)
      return;
  }
  // Systems before per-monitor awareness: the one system DPI, which geometry in physical
  // pixels needs all the same.
  using SetAwareFunction = BOOL(WINAPI*)();
  if (auto set_dpi_aware = Find<SetAwareFunction>(user32, "SetProcessDPIAware"))
    set_dpi_aware();
}

}  // namespace base
