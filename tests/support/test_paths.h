#pragma once

#include <string>

namespace testing_support {

// The folder of the running test executable, with a trailing backslash; the program and
// the other test executables are built into the same folder.
std::wstring BinaryFolder();

// A new empty folder, deleted with its files when the object dies. The folder is this
// object's alone: its name is claimed by creating it, which fails for a name already taken.
class ScopedTempFolder {
 public:
  // In the Windows temporary folder.
  ScopedTempFolder();
  // In `parent` (with a trailing backslash).
  explicit ScopedTempFolder(const std::wstring& parent);
  ~ScopedTempFolder();

  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

  // With a trailing backslash.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace testing_support
