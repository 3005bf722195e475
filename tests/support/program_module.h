#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

// The built pictor.exe, loaded as a data file beside the running test, so that a test
// reads the resources of the program itself. Frees the module when it dies.
class ProgramModule {
 public:
  ProgramModule();
  ~ProgramModule();

  ProgramModule(const ProgramModule&) = delete;
  ProgramModule& operator=(const ProgramModule&) = delete;

  // Null when pictor.exe could not be loaded.
  HMODULE get() const { return module_; }

  // The bytes of resource (name, type) in `language`, or the language-neutral look-up the
  // program's own loaders use when `language` is kAnyLanguage. Empty when it is missing.
  static constexpr WORD kAnyLanguage = 0xFFFF;
  std::vector<uint8_t> ResourceBytes(LPCWSTR name,
                                     LPCWSTR type,
                                     WORD language = kAnyLanguage) const;

 private:
  HMODULE module_ = nullptr;
};

}  // namespace testing_support
