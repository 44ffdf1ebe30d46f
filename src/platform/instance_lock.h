// The single-instance mark: a per-user lock file held with flock in the
// user's runtime folder ($XDG_RUNTIME_DIR, or the temporary folder). The lock
// is released when the handle closes, also when the process dies.
#pragma once

#include <string>

namespace vanto::platform {

class InstanceLock {
 public:
  // `name` names the lock ("VantoPelkoEvent").
  explicit InstanceLock(std::string name);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock; false when another process holds it. A lock file that
  // cannot be created at all counts as taken (the start goes on).
  bool Acquire();
  void Release();
  bool held() const { return fd_ >= 0; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace vanto::platform
