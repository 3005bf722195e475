#include "app/single_instance.h"

KSingleInstance::~KSingleInstance() {
  Close();
}

bool KSingleInstance::Acquire(const wchar_t* name) {
  HANDLE existing = OpenMutexW(SYNCHRONIZE, FALSE, name);
  if (existing) {
    CloseHandle(existing);
    return false;
  }
  HANDLE created = CreateMutexW(nullptr, TRUE, name);
  if (!created || GetLastError() == ERROR_ALREADY_EXISTS) {
    if (created)
      CloseHandle(created);
    return false;
  }
  mutex_ = created;
  return true;
}

void KSingleInstance::Close() {
  if (mutex_) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
  }
}
