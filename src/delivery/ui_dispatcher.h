// The user-interface thread as seen from other threads.
//
// Windows are touched only on the user-interface thread. A worker hands a
// closure to that thread and waits until it has run, the way a sent window
// message waits for its handler; the user-interface thread runs such closures
// whenever it pumps: in its main loop and in every modal wait.
#pragma once

#include <functional>

namespace vanto::delivery {

class UiDispatcher {
 public:
  virtual ~UiDispatcher() = default;

  // Runs `task` on the user-interface thread and returns once it has run.
  // Called on the user-interface thread itself, it runs `task` at once.
  virtual void Invoke(const std::function<void()>& task) = 0;

  // Queues `task` for the user-interface thread without waiting (also wakes
  // a modal wait so that it looks at its condition again).
  virtual void Post(std::function<void()> task) = 0;

  // User-interface thread only: runs queued tasks until `done` is true, as a
  // modal loop does. `done` is checked before each wait and after each task.
  virtual void RunUntil(const std::function<bool()>& done) = 0;

 protected:
  // For Invoke from another thread: Posts `task` and waits until it has run.
  void PostAndWait(const std::function<void()>& task);
};

}  // namespace vanto::delivery
