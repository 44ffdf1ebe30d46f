#include "shell/ui/wx_ui_dispatcher.h"

#include <wx/app.h>
#include <wx/evtloop.h>

WxUiDispatcher::WxUiDispatcher() : ui_thread_(std::this_thread::get_id()) {}

void WxUiDispatcher::Invoke(const std::function<void()>& task) {
  if (OnUiThread()) {
    task();
    return;
  }
  PostAndWait(task);
}

void WxUiDispatcher::Post(std::function<void()> task) {
  wxTheApp->CallAfter([task = std::move(task)] { task(); });
  wxWakeUpIdle();
}

void WxUiDispatcher::RunUntil(const std::function<bool()>& done) {
  if (done()) return;
  // A nested loop, as a modal dialog runs one: it paints, takes input and
  // runs the call-after queue. The time-out catches a condition that
  // changed without a queued task.
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);
  while (!done()) {
    loop.DispatchTimeout(50);
    wxTheApp->ProcessPendingEvents();
  }
}
