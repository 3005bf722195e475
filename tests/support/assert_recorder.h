#pragma once

#include <string>
#include <vector>

namespace testing_support {

// While alive, failed checks are recorded instead of failing the test, for tests that
// expect a check to fire. Not nestable.
class ScopedAssertRecorder {
 public:
  struct Failure {
    std::string module;
    std::string condition;
  };

  ScopedAssertRecorder();
  ~ScopedAssertRecorder();

  ScopedAssertRecorder(const ScopedAssertRecorder&) = delete;
  ScopedAssertRecorder& operator=(const ScopedAssertRecorder&) = delete;

  const std::vector<Failure>& failures() const { return failures_; }

 private:
  static void Record(const char* module, const char* condition);

  std::vector<Failure> failures_;
  void (*previous_)(const char*, const char*);
};

}  // namespace testing_support
