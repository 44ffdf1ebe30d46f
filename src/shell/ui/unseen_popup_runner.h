// The exit notice without a window of its own, for builds without the notice
// window: the next study day's content still downloads at close, and the
// close sequence ends at the download's done notice.
#pragma once

#include "delivery/ui_dispatcher.h"
#include "shell/popup_window.h"

class UnseenPopupRunner : public PopupRunner, private SilentPopupView {
 public:
  explicit UnseenPopupRunner(vanto::delivery::UiDispatcher& ui) : ui_(ui) {}
  int RunPopup(CWebDlg& popup) override;
  // Nothing is shown that could be closed: the popup ends with its download.
  bool CloseRunning() { return false; }

 private:
  void End(int) override { ended_ = true; }

  vanto::delivery::UiDispatcher& ui_;
  bool ended_ = false;
};
