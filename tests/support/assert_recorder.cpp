#include "tests/support/assert_recorder.h"

#include "base/assert.h"

namespace testing_support {
namespace {

ScopedAssertRecorder* g_current = nullptr;

}  // namespace

ScopedAssertRecorder::ScopedAssertRecorder()
    : previous_(base::SetAssertHandlerForTesting(&ScopedAssertRecorder::Record)) {
  g_current = this;
}

ScopedAssertRecorder::~ScopedAssertRecorder() {
  g_current = nullptr;
  base::SetAssertHandlerForTesting(previous_);
}

void ScopedAssertRecorder::Record(const char* module, const char* condition) {
  if (g_current)
    g_current->failures_.push_back({module, condition});
}

}  // namespace testing_support
