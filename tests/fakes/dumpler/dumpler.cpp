// Stand-in for the host suite's crash-dump library: records that it was loaded, from where,
// and the arguments of every monitor request, into the file named by PICTOR_DUMPLER_RECORD.
#include <windows.h>

#include <string>

#include "tests/fakes/record/record_file.h"

namespace {

constexpr wchar_t kRecordVariable[] = L"PICTOR_DUMPLER_RECORD";

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

}  // namespace

extern "C" __declspec(dllexport) int QzrOpenDumpMonitorEx2(int mode,
                                                           const wchar_t* product_id,
                                                           int flags,
                                                           int timeout) {
  fakes::AppendRecord(kRecordVariable, L"monitor|" + std::to_wstring(mode) + L"|" +
                                           (product_id ? product_id : L"(null)") + L"|" +
                                           std::to_wstring(flags) + L"|" +
                                           std::to_wstring(timeout));
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    fakes::AppendRecord(kRecordVariable, L"loaded|" + ModulePath(module));
  return TRUE;
}
