#include "delivery/headless_event_loop.h"

#include <chrono>

namespace vanto::delivery {

void HeadlessEventLoop::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  queued_.notify_all();
}

void HeadlessEventLoop::RunUntil(const std::function<bool()>& done) {
  using namespace std::chrono_literals;
  while (!done()) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      // The time-out only guards against a condition that changes without
      // a posted task; whoever changes it normally posts one.
      if (!queued_.wait_for(lock, 100ms, [&] { return !tasks_.empty(); })) continue;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

}  // namespace vanto::delivery
