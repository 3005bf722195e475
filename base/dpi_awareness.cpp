#include "base/dpi_awareness.h"

#include <windows.h>

#include "base/scoped_resource.h"

namespace base {

void MakeProcessDpiAware() {
  const ScopedLibrary user32(LoadLibraryW(L"user32.dll"));
  if (!user32)
    return;
  using SetProcessDpiAwareFunction = BOOL(WINAPI*)();
  auto set_dpi_aware = reinterpret_cast<SetProcessDpiAwareFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32.get(), "SetProcessDPIAware")));
  if (set_dpi_aware)
    set_dpi_aware();
}

}  // namespace base
