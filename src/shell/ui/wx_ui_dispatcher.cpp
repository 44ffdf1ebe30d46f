#include "shell/ui/wx_ui_dispatcher.h"

#include <wx/app.h>
#include <wx/evtloop.h>

#include <condition_variable>
#include <memory>
#include <mutex>

WxUiDispatcher::WxUiDispatcher() : ui_thread_(std::this_thread::get_id()) {}

void WxUiDispatcher::Invoke(const std::function<void()>& task) {
  if (OnUiThread()) {
    task();
    return;
  }
  // Shared so that it outlives whichever side finishes last.
  struct Completion {
    std::mutex mutex;
    std::condition_variable done_signal;
    bool done = false;
  };
  auto completion = std::make_shared<Completion>();
  Post([&task, completion] {
    task();
    std::lock_guard lock(completion->mutex);
    completion->done = true;
    completion->done_signal.notify_all();
  });
  std::unique_lock lock(completion->mutex);
  completion->done_signal.wait(lock, [&] { return completion->done; });
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
