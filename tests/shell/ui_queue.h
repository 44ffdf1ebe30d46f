// Stands in for the user-interface thread: other threads post tasks, the
// test thread runs them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class UiQueue {
 public:
  std::function<void(std::function<void()>)> Poster() {
    return [this](std::function<void()> task) {
      std::lock_guard lock(mutex_);
      if (std::this_thread::get_id() == ui_thread_) ++posted_from_ui_;
      tasks_.push_back(std::move(task));
      ++posted_;
      changed_.notify_all();
    };
  }

  // Runs tasks on this thread until `total` tasks have been posted and run,
  // or the time is up; false on time-out.
  bool RunUntil(std::size_t total, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock(mutex_);
    while (ran_ < total) {
      if (tasks_.empty() &&
          !changed_.wait_until(lock, deadline, [this] { return !tasks_.empty(); }))
        return false;
      RunOne(lock);
    }
    return true;
  }

  // Runs whatever is queued now.
  void Drain() {
    std::unique_lock lock(mutex_);
    while (!tasks_.empty()) RunOne(lock);
  }

  std::size_t posted() const {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  std::size_t posted_from_ui() const {
    std::lock_guard lock(mutex_);
    return posted_from_ui_;
  }

 private:
  void RunOne(std::unique_lock<std::mutex>& lock) {
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    task();
    lock.lock();
    ++ran_;
  }

  const std::thread::id ui_thread_ = std::this_thread::get_id();
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  std::size_t posted_ = 0;
  std::size_t posted_from_ui_ = 0;
  std::size_t ran_ = 0;
};
