#include "tests/support/program_module.h"

#include <string>

#include "tests/support/test_paths.h"

namespace testing_support {

ProgramModule::ProgramModule() {
  const std::wstring path = BinaryFolder() + L"pictor.exe";
  module_ = LoadLibraryExW(path.c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

ProgramModule::~ProgramModule() {
  if (module_)
    FreeLibrary(module_);
}

std::vector<uint8_t> ProgramModule::ResourceBytes(LPCWSTR name, LPCWSTR type, WORD language) const {
  if (!module_)
    return {};
  HRSRC resource = language == kAnyLanguage ? FindResourceW(module_, name, type)
                                            : FindResourceExW(module_, type, name, language);
  const DWORD size = resource ? SizeofResource(module_, resource) : 0;
  HGLOBAL loaded = size ? LoadResource(module_, resource) : nullptr;
  const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes)
    return {};
  return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace testing_support
