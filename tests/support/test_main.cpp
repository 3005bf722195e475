// Entry point of every test executable: GDI+ and COM as the program starts them, and
// failed programming-error checks turned into test failures.
#include <objbase.h>

#include <gtest/gtest.h>

#include "base/assert.h"
#include "base/gdiplus.h"
#include "dui/res_manager.h"

namespace {

void FailTestOnAssert(const char* module, const char* condition) {
  ADD_FAILURE() << "assertion failed in " << module << ": " << condition;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  CoInitialize(nullptr);
  base::SetAssertHandlerForTesting(&FailTestOnAssert);

  const int result = RUN_ALL_TESTS();

  dui::ResManager::DestroyInstance();
  Gdiplus::GdiplusShutdown(token);
  CoUninitialize();
  return result;
}
