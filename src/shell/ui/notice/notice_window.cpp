#include "shell/ui/notice/notice_window.h"

#include <wx/evtloop.h>
#include <wx/timer.h>

#include "shell/ui/notice/notice_dialog.h"

NoticeWindowRunner::NoticeWindowRunner(wxWindow* parent, const wxIcon& icon)
    : parent_(parent), icon_(icon) {}

int NoticeWindowRunner::RunPopup(CWebDlg& popup) {
  wxGUIEventLoop loop;
  int result = 0;
  bool ended = false;
  auto dialog = std::make_unique<NoticeDialog>(parent_, popup, icon_, [&](int code) {
    result = code;
    ended = true;
    if (loop.IsRunning()) loop.ScheduleExit(code);
  });
  wxTimer reveal_timer;
  reveal_timer.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog->ShowNow(); });
  reveal_timer.StartOnce(kRevealTimeoutMs);
  running_ = &popup;
  popup.OnInitDialog(*dialog);
  if (!ended) loop.Run();
  running_ = nullptr;
  reveal_timer.Stop();
  return result;
}

bool NoticeWindowRunner::CloseRunning() {
  if (running_ == nullptr) return false;
  running_->OnCloseButton();
  return true;
}
