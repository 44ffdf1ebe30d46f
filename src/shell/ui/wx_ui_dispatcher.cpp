#include "shell/ui/wx_ui_dispatcher.h"

#include <wx/app.h>
#include <wx/evtloop.h>

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
