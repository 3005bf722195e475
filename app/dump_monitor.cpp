#include "app/dump_monitor.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>

#include "base/file_paths.h"
#include "base/registry.h"

namespace {

constexpr wchar_t kCommonKeyPath[] = L"software\\velmora\\vlcommon";
constexpr wchar_t kInstallPathValue[] = L"installpath";
constexpr wchar_t kDumpLibraryName[] = L"dumpler.dll";
constexpr char kOpenMonitorExport[] = "QzrOpenDumpMonitorEx2";

constexpr wchar_t kProductIdKeyPath[] =
    L"CLSID\\{9B7A98EC-7EF9-468c-ACC8-37C793DBD7E0}\\Implemented Categories\\"
    L"{A5F7140E-4311-4ef9-AABC-F55941B5EBE5}";
constexpr wchar_t kProductIdValue[] = L"idex";
constexpr wchar_t kDefaultProductId[] = L"5858583AC7162ebfD4091C273EAB6604";
constexpr size_t kProductIdChars = 100;

constexpr int kMonitorMode = 1;
constexpr int kMonitorFlags = 0x12000;
constexpr int kMonitorTimeout = 300;

using OpenMonitorFunction = int (*)(int mode, const wchar_t* product_id, int flags, int timeout);

// A string value (REG_SZ or REG_EXPAND_SZ, not expanded); nothing when it is missing or
// malformed.
std::optional<std::wstring> ReadStringValue(HKEY root, const wchar_t* path, const wchar_t* name) {
  const base::ScopedHkey key = base::OpenRegistryKey(root, path);
  std::wstring value;
  if (!key ||
      base::ReadRegistryString(key.get(), name, base::RegistryStringTypes::kPlainOrExpandable,
                               value.max_size(), &value) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return std::wstring();
  return std::wstring(path, length) + L"\\";
}

// The library is always loaded by full path: a search by bare name would also look in the
// current folder, where anyone could have put a library of that name. Without the suite's
// install folder, only the program's own folder and the system folder are tried.
HMODULE LoadDumpLibrary() {
  std::wstring install_folder =
      ReadStringValue(HKEY_LOCAL_MACHINE, kCommonKeyPath, kInstallPathValue).value_or(L"");
  if (!install_folder.empty()) {
    if (install_folder.back() != L'\\' && install_folder.back() != L'/')
      install_folder += L'\\';
    return LoadLibraryW((install_folder + kDumpLibraryName).c_str());
  }
  const std::wstring program_folder = base::ProgramFolder();
  for (const std::wstring& folder :
       {program_folder.empty() ? program_folder : program_folder + L"\\", SystemFolder()}) {
    const std::wstring path = folder + kDumpLibraryName;
    if (!folder.empty() && base::FileExists(path))
      return LoadLibraryW(path.c_str());
  }
  return nullptr;
}

// The suite's product identifier, which a registry value may override (cut to 99 chars).
void ChooseProductId(wchar_t (&product_id)[kProductIdChars]) {
  wmemset(product_id, L'\0', kProductIdChars);
  const std::wstring id = ReadStringValue(HKEY_CLASSES_ROOT, kProductIdKeyPath, kProductIdValue)
                              .value_or(kDefaultProductId);
  wmemcpy(product_id, id.c_str(), std::min(id.size(), kProductIdChars - 1));
}

}  // namespace

void OpenDumpMonitor() {
  // The library stays loaded for the life of the process.
  HMODULE library = LoadDumpLibrary();
  if (!library)
    return;
  auto open_monitor = reinterpret_cast<OpenMonitorFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, kOpenMonitorExport)));
  if (!open_monitor)
    return;
  wchar_t product_id[kProductIdChars];
  ChooseProductId(product_id);
  open_monitor(kMonitorMode, product_id, kMonitorFlags, kMonitorTimeout);
}
