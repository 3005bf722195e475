#pragma once

#include <windows.h>

// Guards against a second capture session: owns the named mutex that marks a running one.
// One static instance lives for the whole process.
class KSingleInstance {
 public:
  KSingleInstance() = default;
  virtual ~KSingleInstance();

  KSingleInstance(const KSingleInstance&) = delete;
  KSingleInstance& operator=(const KSingleInstance&) = delete;

  // Takes the mutex `name`; false when another process holds it.
  bool Acquire(const wchar_t* name);

  void Close();

 private:
  HANDLE mutex_ = nullptr;
};
