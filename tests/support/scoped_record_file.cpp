#include "tests/support/scoped_record_file.h"

#include <windows.h>

#include <algorithm>

#include "tests/fakes/record/record_file.h"

namespace testing_support {

ScopedRecordFile::ScopedRecordFile(const wchar_t* variable) : variable_(variable) {
  path_ = folder_.path() + L"record.txt";
  SetEnvironmentVariableW(variable_, path_.c_str());
}

ScopedRecordFile::~ScopedRecordFile() {
  SetEnvironmentVariableW(variable_, nullptr);
}

std::vector<std::wstring> ScopedRecordFile::Lines() const {
  return fakes::ReadRecords(path_);
}

bool ScopedRecordFile::Contains(const std::wstring& line) const {
  const std::vector<std::wstring> lines = Lines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::wstring FakesFolder() {
  return BinaryFolder() + L"fakes\\";
}

}  // namespace testing_support
