// Open database connections kept for reuse by the worker threads.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vanto::service {

template <typename Connection>
class ConnectionPool {
 public:
  using Opener = std::function<std::unique_ptr<Connection>()>;
  explicit ConnectionPool(Opener open) : open_(std::move(open)) {}

  std::unique_ptr<Connection> Take() {
    {
      std::lock_guard lock(mutex_);
      if (!idle_.empty()) {
        auto connection = std::move(idle_.back());
        idle_.pop_back();
        return connection;
      }
    }
    return open_();
  }

  void Give(std::unique_ptr<Connection> connection) {
    std::lock_guard lock(mutex_);
    idle_.push_back(std::move(connection));
  }

 private:
  Opener open_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace vanto::service
