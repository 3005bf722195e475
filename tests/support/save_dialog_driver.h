#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace testing_support {

// Answers the program's save dialog the way a person would, from a thread of its own
// while the dialog runs on the test's thread: waits for the dialog titled "保存图片",
// notes the file name it proposes, then answers it.
class SaveDialogDriver {
 public:
  enum class Answer {
    kTypePath,            // type the path, then Return
    kTypePathAndReplace,  // type the path, Return, and Yes when asked to replace the file
    kAcceptProposed,      // Return on the proposed name and folder
    kCancel,              // Escape
  };

  explicit SaveDialogDriver(Answer answer, const std::string& path = std::string());
  ~SaveDialogDriver();

  SaveDialogDriver(const SaveDialogDriver&) = delete;
  SaveDialogDriver& operator=(const SaveDialogDriver&) = delete;

  // Waits until the dialog was answered, or was not seen in time; for a dialog of another
  // process, which the test does not wait for itself.
  void Finish();

  // After the dialog has closed: whether it was seen, and the name it proposed.
  bool dialog_seen() const { return dialog_seen_; }
  const std::wstring& proposed_name() const { return proposed_name_; }

 private:
  void Run(Answer answer, const std::string& path);

  std::thread thread_;
  bool dialog_seen_ = false;
  std::wstring proposed_name_;
};

}  // namespace testing_support
