#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "base/gdiplus.h"

namespace dui {

// The process-wide cache of the program's embedded PNG images (resource type "BINDATA"),
// decoded once on first use and kept until the process ends. Callers never free what it
// returns. UI thread only.
class ResManager {
 public:
  // Made on the first call.
  static ResManager* GetInstance();
  // Frees every cached image and font. Called before GDI+ shuts down, because GDI+
  // objects must not outlive it; a later GetInstance starts afresh.
  static void DestroyInstance();

  ResManager(const ResManager&) = delete;
  ResManager& operator=(const ResManager&) = delete;

  // The module whose resources are loaded; the executable's own module when never set.
  void SetModule(HMODULE module) { module_ = module; }

  // The image with resource id `id`, or null when it is missing (after telling the user).
  // Repeated calls with the same id return the same object.
  Gdiplus::Image* GetImage(int id);

 private:
  ResManager() = default;
  ~ResManager() = default;

  std::unique_ptr<Gdiplus::Image> LoadImage(int id);

  HMODULE module_ = nullptr;
  std::map<int, std::unique_ptr<Gdiplus::Image>> images_;
};

}  // namespace dui
