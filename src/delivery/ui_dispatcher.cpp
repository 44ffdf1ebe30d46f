#include "delivery/ui_dispatcher.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace vanto::delivery {

void UiDispatcher::Invoke(const std::function<void()>& task) {
  if (OnUiThread()) {
    task();
    return;
  }
  // The completion state is shared so that it outlives whichever side
  // finishes last.
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

}  // namespace vanto::delivery
