#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/instance_lock.h"

namespace vanto::platform {

namespace {

std::string LockFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
  return std::filesystem::temp_directory_path().string();
}

}  // namespace

InstanceLock::InstanceLock(std::string name)
    : path_(LockFolder() + "/" + name + "-" + std::to_string(::getuid()) + ".lock") {}

InstanceLock::~InstanceLock() {
  Release();
}

bool InstanceLock::Acquire() {
  if (fd_ >= 0) return true;
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no lock file possible: start anyway, as without the mark
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace vanto::platform
