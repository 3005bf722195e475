#pragma once

#include <windows.h>

#include <memory>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"

namespace base {

// A header for 32-bit device-independent pixels of `width` x `height` with rows top-down.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// A memory DC with a bitmap selected into it for as long as both live: the bitmap is put
// out of the DC before it is deleted, and the DC goes last. Empty until made; making it
// again lets go of what it held. UI thread only.
class MemoryBitmap {
 public:
  MemoryBitmap() = default;
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;

  // A bitmap of `width` x `height` in the format of `dc`; false, empty, without memory.
  bool MakeCompatible(HDC dc, int width, int height);
  // A 32-bit DIB of `width` x `height` with rows top-down, whose pixels bits() gives.
  bool MakeTopDown32(int width, int height);
  void Reset();

  bool empty() const { return !selection_; }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  void* bits() const { return bits_; }

 private:
  bool Select(HBITMAP bitmap);

  ScopedCreateDc dc_;
  ScopedBitmap bitmap_;
  // Declared last, so that it is undone first.
  std::unique_ptr<ScopedSelectObject> selection_;
  void* bits_ = nullptr;
};

}  // namespace base
