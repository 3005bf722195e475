#pragma once

#include <string>
#include <vector>

namespace fakes {

// Appends one line (UTF-8) to the file named by the environment variable `variable`.
// Without the variable nothing is written.
void AppendRecord(const wchar_t* variable, const std::wstring& line);

// The lines of a record file; empty when it does not exist.
std::vector<std::wstring> ReadRecords(const std::wstring& path);

}  // namespace fakes
