#pragma once

namespace base {

// Receives a failed programming-error check: the source module ("view", "res_manager") and
// the text of the condition that failed.
using AssertHandler = void (*)(const char* module, const char* condition);

// Reports a failed check to the current handler. The default handler writes the report to
// the debugger output and lets the program go on, so that a check never stops a session.
void AssertFailed(const char* module, const char* condition);

// Replaces the handler (tests turn failed checks into test failures); returns the old one.
AssertHandler SetAssertHandlerForTesting(AssertHandler handler);

}  // namespace base

// Checks a condition that only a programming error can break. The condition is written as
// the report should read, for example PICTOR_ASSERT(image != NULL, "res_manager").
#define PICTOR_ASSERT(condition, module) \
  ((condition) ? (void)0 : ::base::AssertFailed(module, #condition))
