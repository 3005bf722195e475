#pragma once

#include <windows.h>

#include <string>

// The host suite's pop-up client, "ambrel.dll": the object its DllCreateObject makes, asked
// to show the pop-up of one event. Lives for one request; the object is released when the
// client dies, while the library stays loaded until the process ends (the suite's object
// may still run code of it). Without a library or an object every call does nothing and
// answers -1. UI thread only.
class PopupClient {
 public:
  // The library beside the program, else in the suite's program folder ("ProgramPath"
  // under the suite's common key); a client without an object when neither can be loaded
  // or makes one.
  static PopupClient Load();

  ~PopupClient();
  PopupClient(PopupClient&& other) noexcept;
  PopupClient& operator=(PopupClient&&) = delete;
  PopupClient(const PopupClient&) = delete;
  PopupClient& operator=(const PopupClient&) = delete;

  bool has_object() const { return object_ != nullptr; }

  // The object's slot 0: the event the pop-up is for.
  int SetEvent(const wchar_t* name);
  // Slots 2 and 5: two of its parameters.
  int SetTimeout(const wchar_t* name, int value);
  int SetActiveTrigger(const wchar_t* name, int value);
  // Slot 7: shows the pop-up; 0 on success.
  int Show();

  // The full path of the library to load, or empty when there is none.
  static std::wstring LibraryPath();

 private:
  explicit PopupClient(void* object) : object_(object) {}
  void* Slot(int index) const;

  // The object: a pointer to its table of methods, each taking the object first.
  void* object_ = nullptr;
};
