// Runs the exit notice window for the main window's close sequence.
#pragma once

#include <wx/icon.h>

#include "shell/popup_window.h"

class wxWindow;

class NoticeWindowRunner : public PopupRunner {
 public:
  // When no notice page has loaded after this long, the window shows
  // anyway, so that the user can close it.
  static constexpr int kRevealTimeoutMs = 10000;

  NoticeWindowRunner(wxWindow* parent, const wxIcon& icon);

  // Shows the notice window (hidden until its page has loaded) and runs a
  // modal event loop until it ends; returns its result.
  int RunPopup(CWebDlg& popup) override;

  // Closes the window that is running, as its close button does; false when
  // none runs.
  bool CloseRunning();

 private:
  wxWindow* parent_;
  wxIcon icon_;
  CWebDlg* running_ = nullptr;
};
