#include "settings/popup_client.h"

#include <shlwapi.h>

#include "base/file_paths.h"
#include "base/registry.h"

namespace {

constexpr wchar_t kLibraryName[] = L"ambrel.dll";
constexpr wchar_t kCommonKeyPath[] = L"SOFTWARE\\velmora\\vlcommon";
constexpr wchar_t kProgramPathValue[] = L"ProgramPath";
constexpr char kCreateExport[] = "DllCreateObject";
// {C07C174B-E8C7-408F-A8AA-EE3BE0633D86}
constexpr GUID kClientInterface = {0xC07C174B,
                                   0xE8C7,
                                   0x408F,
                                   {0xA8, 0xAA, 0xEE, 0x3B, 0xE0, 0x63, 0x3D, 0x86}};

constexpr int kSetEventSlot = 0;
constexpr int kTimeoutSlot = 2;
constexpr int kActiveTriggerSlot = 5;
constexpr int kShowSlot = 7;
constexpr int kReleaseSlot = 15;
constexpr int kNoClient = -1;

using CreateObjectFunction = int (*)(const GUID* interface_id, void** object);
using StringMethod = int (*)(void* self, const wchar_t* name);
using ParameterMethod = int (*)(void* self, const wchar_t* name, int value);
using PlainMethod = int (*)(void* self);
using ReleaseMethod = void (*)(void* self);

// `folder` joined with the library's name; empty for an empty or relative folder, which
// would make the library be looked for wherever the program happens to run.
std::wstring LibraryIn(const std::wstring& folder) {
  if (folder.empty() || folder.size() >= MAX_PATH || PathIsRelativeW(folder.c_str()))
    return std::wstring();
  wchar_t path[MAX_PATH] = {};
  folder.copy(path, folder.size());
  if (!PathAppendW(path, kLibraryName))
    return std::wstring();
  return path;
}

std::wstring ProgramPathFolder() {
  const base::ScopedHkey key = base::OpenRegistryKey(HKEY_LOCAL_MACHINE, kCommonKeyPath);
  std::wstring folder;
  if (!key ||
      base::ReadRegistryString(key.get(), kProgramPathValue, base::RegistryStringTypes::kPlain,
                               MAX_PATH - 1, &folder) != ERROR_SUCCESS) {
    return std::wstring();
  }
  return folder;
}

}  // namespace

std::wstring PopupClient::LibraryPath() {
  for (const std::wstring& path :
       {LibraryIn(base::ProgramFolder()), LibraryIn(ProgramPathFolder())}) {
    if (!path.empty() && base::FileExists(path))
      return path;
  }
  return std::wstring();
}

PopupClient PopupClient::Load() {
  const std::wstring path = LibraryPath();
  if (path.empty())
    return PopupClient(nullptr);
  // Never freed: the object may keep threads or windows of the library after its release.
  HMODULE library = LoadLibraryW(path.c_str());
  if (!library)
    return PopupClient(nullptr);
  auto create = reinterpret_cast<CreateObjectFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, kCreateExport)));
  void* object = nullptr;
  if (!create || create(&kClientInterface, &object) != 0)
    return PopupClient(nullptr);
  return PopupClient(object);
}

PopupClient::PopupClient(PopupClient&& other) noexcept : object_(other.object_) {
  other.object_ = nullptr;
}

PopupClient::~PopupClient() {
  if (object_)
    reinterpret_cast<ReleaseMethod>(Slot(kReleaseSlot))(object_);
}

void* PopupClient::Slot(int index) const {
  return (*static_cast<void***>(object_))[index];
}

int PopupClient::SetEvent(const wchar_t* name) {
  return object_ ? reinterpret_cast<StringMethod>(Slot(kSetEventSlot))(object_, name) : kNoClient;
}

int PopupClient::SetTimeout(const wchar_t* name, int value) {
  return object_ ? reinterpret_cast<ParameterMethod>(Slot(kTimeoutSlot))(object_, name, value)
                 : kNoClient;
}

int PopupClient::SetActiveTrigger(const wchar_t* name, int value) {
  return object_ ? reinterpret_cast<ParameterMethod>(Slot(kActiveTriggerSlot))(object_, name, value)
                 : kNoClient;
}

int PopupClient::Show() {
  return object_ ? reinterpret_cast<PlainMethod>(Slot(kShowSlot))(object_) : kNoClient;
}
