#pragma once

#include <string>

namespace base {

// `path` in the form the file functions take at any length: an absolute path of 260
// characters or more gets the prefix that lifts the old limit.
std::wstring LongPathForm(const std::wstring& path);

// Whether `path` names a file (not a folder), at any length.
bool FileExists(const std::wstring& path);

// The folder this program was started from, without a final backslash; empty when the
// system does not say.
std::wstring ProgramFolder();

}  // namespace base
