// The user-interface thread as seen from other threads.
//
// Windows are touched only on the user-interface thread. A worker hands a
// closure to that thread and waits until it has run, the way a sent window
// message waits for its handler; the user-interface thread runs such closures
// whenever it pumps: in its main loop and in every modal wait.
#pragma once

#include <functional>
#include <thread>

namespace vanto::delivery {

class UiDispatcher {
 public:
  // The thread that constructs the dispatcher is its user-interface thread.
  UiDispatcher() : ui_thread_(std::this_thread::get_id()) {}
  virtual ~UiDispatcher() = default;

  // Runs `task` on the user-interface thread and returns once it has run.
  // Called on the user-interface thread itself, it runs `task` at once.
  void Invoke(const std::function<void()>& task);

  // Queues `task` for the user-interface thread without waiting (also wakes
  // a modal wait so that it looks at its condition again).
  virtual void Post(std::function<void()> task) = 0;

  // User-interface thread only: runs queued tasks until `done` is true, as a
  // modal loop does. `done` is checked before each wait and after each task.
  virtual void RunUntil(const std::function<bool()>& done) = 0;

  bool OnUiThread() const { return std::this_thread::get_id() == ui_thread_; }

 private:
  std::thread::id ui_thread_;
};

}  // namespace vanto::delivery
