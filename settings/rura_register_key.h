#pragma once

#include <windows.h>

#include "base/scoped_resource.h"

// One access to the settings key (HKEY_LOCAL_MACHINE "software\velmora"). Made on the
// stack for each access; the key is closed when the object dies. UI thread only.
class RURARegisterKey {
 public:
  // Characters GetString copies at most, without the terminating zero.
  static constexpr int kMaxStringLength = 255;

  // What the key is opened for; each asks for no more access than it needs.
  enum class Access {
    kRead,   // values are read; a missing key stays missing
    kWrite,  // values are written; a missing key is created
  };

  RURARegisterKey() = default;
  virtual ~RURARegisterKey();

  RURARegisterKey(const RURARegisterKey&) = delete;
  RURARegisterKey& operator=(const RURARegisterKey&) = delete;

  // Opens the key for `access`. Closes a key held before. True on success.
  bool Open(Access access);

  // Writes `text` as REG_SZ, terminating zero included.
  bool SetString(const wchar_t* name, const wchar_t* text);

  // Reads a REG_SZ value into `out`, which holds kMaxStringLength + 1 characters; a longer
  // value is cut to its first kMaxStringLength characters. `out` is always terminated.
  bool GetString(wchar_t* out, const wchar_t* name);

  void Close();

 private:
  base::ScopedHkey key_;
};
