#include "base/assert.h"

#include <windows.h>

#include <cstdio>

namespace base {
namespace {

void ReportToDebugger(const char* module, const char* condition) {
  char text[512];
  std::snprintf(text, sizeof(text), "Assertion failed in %s: %s\n", module, condition);
  OutputDebugStringA(text);
}

AssertHandler g_handler = &ReportToDebugger;

}  // namespace

void AssertFailed(const char* module, const char* condition) {
  g_handler(module, condition);
}

AssertHandler SetAssertHandlerForTesting(AssertHandler handler) {
  AssertHandler previous = g_handler;
  g_handler = handler ? handler : &ReportToDebugger;
  return previous;
}

}  // namespace base
