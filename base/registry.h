#pragma once

#include <windows.h>

#include <string>

#include "base/scoped_resource.h"

namespace base {

// `path` below `root` opened for reading; null when it cannot be.
ScopedHkey OpenRegistryKey(HKEY root, const wchar_t* path);

// The value types a string read accepts.
enum class RegistryStringTypes { kPlain, kPlainOrExpandable };

// Reads the string value `name` of the open `key` into `value`, whatever its length. The
// result is ERROR_FILE_NOT_FOUND when the value is missing, and ERROR_INVALID_DATA when it is
// of a type `types` does not take, when its data is not a whole number of characters, or
// when it holds more than `max_chars` characters before its terminating zero (data without
// one ends where the value ends). `value` is empty unless the read succeeds.
[[nodiscard]] LSTATUS ReadRegistryString(HKEY key,
                                         const wchar_t* name,
                                         RegistryStringTypes types,
                                         size_t max_chars,
                                         std::wstring* value);

}  // namespace base
