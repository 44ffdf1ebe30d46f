#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/instance_lock.h"

namespace vanto::platform {

namespace {

// A real folder (not a link to one) that belongs to this user.
bool OwnFolder(const std::string& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

// The user's runtime folder when it is theirs; otherwise "vanto-<uid>" in
// the temporary folder, created with mode 0700. Empty when neither can be
// used: a folder of that name that belongs to someone else is refused.
std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && OwnFolder(runtime)) return runtime;
  std::error_code error;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  if (error) return {};
  const std::string folder = (temp / ("vanto-" + std::to_string(::getuid()))).string();
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  if (!OwnFolder(folder) || ::chmod(folder.c_str(), 0700) != 0) return {};
  return folder;
}

std::string LockPath(const std::string& folder, const std::string& name) {
  return folder + "/" + name + "-" + std::to_string(::getuid()) + ".lock";
}

}  // namespace

InstanceLock::InstanceLock(std::string name) : name_(std::move(name)) {}

InstanceLock::~InstanceLock() {
  Release();
}

bool InstanceLock::Acquire() {
  if (fd_ >= 0) return true;
  // Without a lock file of our own the start goes on, as without the mark.
  const std::string folder = LockFolder();
  if (folder.empty()) return true;
  path_ = LockPath(folder, name_);
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool InstanceLock::Describe(std::string_view text) {
  if (fd_ < 0 || ::ftruncate(fd_, 0) != 0) return false;
  return ::pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

std::optional<std::string> InstanceLock::Holder(const std::string& name) {
  const std::string folder = LockFolder();
  if (folder.empty()) return std::nullopt;
  const int fd = ::open(LockPath(folder, name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> text;
  if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
    ::flock(fd, LOCK_UN);
  } else if (errno == EWOULDBLOCK) {
    text.emplace();
    char buffer[4096];
    const ssize_t size = ::pread(fd, buffer, sizeof buffer, 0);
    if (size > 0) text->assign(buffer, static_cast<std::size_t>(size));
  }
  ::close(fd);
  return text;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace vanto::platform
