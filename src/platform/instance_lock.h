// The single-instance mark: a per-user lock file held with flock in a folder
// only the user can write: $XDG_RUNTIME_DIR, or "vanto-<uid>" (mode 0700) in
// the temporary folder. A folder of another owner and a lock file that is a
// symbolic link are refused, so no other user can hold the mark. The lock is
// released when the handle closes, also when the process dies.
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

  // Takes the lock; false when another process holds it. Where no lock file
  // of the user's own can be had, the start goes on without the mark (true).
  bool Acquire();
  void Release();
  bool held() const { return fd_ >= 0; }

  const std::string& path() const { return path_; }

 private:
  std::string name_;
  std::string path_;
  int fd_ = -1;
};

}  // namespace vanto::platform
