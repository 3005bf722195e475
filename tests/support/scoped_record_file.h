#pragma once

#include <string>
#include <vector>

#include "tests/support/test_paths.h"

namespace testing_support {

// Points an environment variable of this process (inherited by the programs it starts) at
// a record file of a stand-in for the time of a test.
class ScopedRecordFile {
 public:
  explicit ScopedRecordFile(const wchar_t* variable);
  ~ScopedRecordFile();

  ScopedRecordFile(const ScopedRecordFile&) = delete;
  ScopedRecordFile& operator=(const ScopedRecordFile&) = delete;

  std::vector<std::wstring> Lines() const;
  bool Contains(const std::wstring& line) const;

 private:
  const wchar_t* variable_;
  ScopedTempFolder folder_;
  std::wstring path_;
};

// The folder of the host suite's stand-ins, with a trailing backslash.
std::wstring FakesFolder();

}  // namespace testing_support
