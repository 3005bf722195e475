// Stand-in for the host suite's pop-up client library: its DllCreateObject makes an object
// with sixteen methods that record every call (slot and arguments) in order, into the file
// named by PICTOR_AMBREL_RECORD. PICTOR_AMBREL_MODE "fail" makes DllCreateObject fail and
// "null" makes it succeed without an object. Built a second time without the export
// (PICTOR_AMBREL_NO_EXPORT), as a library of that name that offers nothing.
#include <windows.h>

#include <string>

#include "tests/fakes/record/record_file.h"

namespace {

constexpr wchar_t kRecordVariable[] = L"PICTOR_AMBREL_RECORD";
constexpr wchar_t kModeVariable[] = L"PICTOR_AMBREL_MODE";
constexpr int kSlotCount = 16;

void Record(int slot, const std::wstring& arguments = std::wstring()) {
  fakes::AppendRecord(kRecordVariable, L"slot " + std::to_wstring(slot) + arguments);
}

std::wstring Text(const wchar_t* text) {
  return text ? text : L"(null)";
}

int NamedEvent(void*, const wchar_t* name) {
  Record(0, L"|" + Text(name));
  return 0;
}

template <int kSlot>
int NamedValue(void*, const wchar_t* name, int value) {
  Record(kSlot, L"|" + Text(name) + L"|" + std::to_wstring(value));
  return 0;
}

template <int kSlot>
int Plain(void*) {
  Record(kSlot);
  return 0;
}

// The methods by slot; slots 0, 2 and 5 take arguments, the others none.
void* const kMethods[kSlotCount] = {
    reinterpret_cast<void*>(&NamedEvent),    reinterpret_cast<void*>(&Plain<1>),
    reinterpret_cast<void*>(&NamedValue<2>), reinterpret_cast<void*>(&Plain<3>),
    reinterpret_cast<void*>(&Plain<4>),      reinterpret_cast<void*>(&NamedValue<5>),
    reinterpret_cast<void*>(&Plain<6>),      reinterpret_cast<void*>(&Plain<7>),
    reinterpret_cast<void*>(&Plain<8>),      reinterpret_cast<void*>(&Plain<9>),
    reinterpret_cast<void*>(&Plain<10>),     reinterpret_cast<void*>(&Plain<11>),
    reinterpret_cast<void*>(&Plain<12>),     reinterpret_cast<void*>(&Plain<13>),
    reinterpret_cast<void*>(&Plain<14>),     reinterpret_cast<void*>(&Plain<15>),
};

struct ClientObject {
  void* const* methods = kMethods;
} g_object;

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

}  // namespace

#ifndef PICTOR_AMBREL_NO_EXPORT
namespace {

std::wstring Mode() {
  wchar_t mode[16] = {};
  GetEnvironmentVariableW(kModeVariable, mode, 16);
  return mode;
}

}  // namespace

extern "C" __declspec(dllexport) int DllCreateObject(const GUID* interface_id, void** object) {
  wchar_t id[40] = {};
  StringFromGUID2(*interface_id, id, 40);
  fakes::AppendRecord(kRecordVariable, std::wstring(L"create|") + id);
  const std::wstring mode = Mode();
  if (mode == L"fail")
    return 1;
  *object = mode == L"null" ? nullptr : &g_object;
  return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    fakes::AppendRecord(kRecordVariable, L"loaded|" + ModulePath(module));
  return TRUE;
}
