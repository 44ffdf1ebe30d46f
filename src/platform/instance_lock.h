// The single-instance mark: a per-user lock file held with flock in a folder
// only the user can write: $XDG_RUNTIME_DIR, or "vanto-<uid>" (mode 0700) in
// the temporary folder. A folder of another owner and a lock file that is a
// symbolic link are refused, so no other user can hold the mark. The lock is
// released when the handle closes, also when the process dies.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

  // Writes `text` into the held lock file, where Holder finds it: which
  // installation holds the mark. False when the lock is not held.
  bool Describe(std::string_view text);

  // The text the process that holds lock `name` described itself with (empty
  // when it wrote none); nothing when no other process holds it.
  static std::optional<std::string> Holder(const std::string& name);

  const std::string& path() const { return path_; }

 private:
  std::string name_;
  std::string path_;
  int fd_ = -1;
};

}  // namespace vanto::platform
