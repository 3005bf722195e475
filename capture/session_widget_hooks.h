#pragma once

#include "dui/widget_hooks.h"

#include <string>

#include "base/session_outcome.h"

// What the capture session adds to every pop-up window. Once the picture is copied, a
// pop-up that goes away ends the session; once it is saved, the balloon's going does (the
// toolbar and the magnifier go before it, with the capture window). While the balloon shows
// its link, the link's area of a pop-up (the balloon's Tip::kLinkArea) shows the hand and,
// when pressed, opens the file manager on the saved file and ends the session. The entry
// point owns the one instance and hands it to the framework for the whole run. UI thread
// only.
class SessionWidgetHooks : public dui::WidgetHooks {
 public:
  // Follows `outcome`, which must outlive the hooks.
  explicit SessionWidgetHooks(const SessionOutcome& outcome) : outcome_(outcome) {}

  // The file manager of the Windows folder, and its parameters that select `path`.
  static std::wstring FileManagerPath();
  static std::wstring SelectParameters(const std::wstring& path);

  void OnMouseMessage(UINT message, const dui::Point& client_point) override;
  bool OnSetCursor(const dui::Point& client_point) override;
  void OnWidgetDestroyed() override;

 private:
  // Whether `client_point` of a pop-up is on the balloon's link while it shows.
  bool OnLink(const dui::Point& client_point) const;

  const SessionOutcome& outcome_;
};
