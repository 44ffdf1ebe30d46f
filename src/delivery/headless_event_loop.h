// The user-interface thread's event loop without a window toolkit: a queue of
// closures and a condition variable. The thread that constructs the loop is
// its user-interface thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "delivery/ui_dispatcher.h"

namespace vanto::delivery {

class HeadlessEventLoop : public UiDispatcher {
 public:
  void Post(std::function<void()> task) override;
  void RunUntil(const std::function<bool()>& done) override;

 private:
  std::mutex mutex_;
  std::condition_variable queued_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace vanto::delivery
