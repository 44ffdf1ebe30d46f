#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_path.h"
#include "platform/replacing_file.h"
#include "platform/temporary_files.h"

namespace vanto::platform {
namespace {

// "dir/name" -> "dir/.tmp.<pid>.XXXXXX"; "name" -> "./.tmp.<pid>.XXXXXX".
std::string TempTemplateFor(const std::string& target) {
  std::size_t slash = target.rfind('/');
  return TemporaryFileTemplate(slash == std::string::npos ? "." : target.substr(0, slash));
}

}  // namespace

ReplacingFile::~ReplacingFile() {
  Discard();
}

int ReplacingFile::Create(std::string_view host_path) {
  Discard();
  target_ = NativePath(host_path);
  temp_ = TempTemplateFor(target_);
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    int error = errno;
    temp_.clear();
    return error;
  }
  struct stat st;
  mode_t mode = ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (::fchmod(fd_, mode) != 0) {
    int error = errno;
    Discard();
    return error;
  }
  return 0;
}

int ReplacingFile::Append(const char* data, std::size_t size) {
  if (fd_ < 0) return EBADF;
  while (size > 0) {
    ssize_t n = ::write(fd_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int ReplacingFile::Commit() {
  if (fd_ < 0) return EBADF;
  int error = ::fsync(fd_) == 0 ? 0 : errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp_.c_str());
  }
  temp_.clear();
  return error;
}

void ReplacingFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

}  // namespace vanto::platform
