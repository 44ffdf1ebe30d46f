#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/temporary_files.h"

namespace vanto::platform {
namespace {

FileTime FromTimespec(std::int64_t sec, std::int64_t nsec) {
  return FileTime{sec, nsec};
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& native) {
  std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

}  // namespace

bool PathExists(std::string_view host_path) {
  struct stat st;
  return ::stat(NativePath(host_path).c_str(), &st) == 0;
}

bool IsDirectory(std::string_view host_path) {
  struct stat st;
  return ::stat(NativePath(host_path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<FileTime> ModificationTime(std::string_view host_path) {
  struct stat st;
  if (::stat(NativePath(host_path).c_str(), &st) != 0) return std::nullopt;
  return FromTimespec(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

std::optional<FileTime> CreationTime(std::string_view host_path) {
  struct statx sx;
  std::string native = NativePath(host_path);
  if (::statx(AT_FDCWD, native.c_str(), 0, STATX_BTIME | STATX_MTIME, &sx) != 0) {
    return std::nullopt;
  }
  if (sx.stx_mask & STATX_BTIME) return FromTimespec(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
  return FromTimespec(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
}

bool RemoveFile(std::string_view host_path) {
  return ::unlink(NativePath(host_path).c_str()) == 0;
}

std::optional<unsigned> FilePermissions(std::string_view host_path) {
  struct stat info {};
  if (::stat(NativePath(host_path).c_str(), &info) != 0) return std::nullopt;
  return info.st_mode & 07777;
}

bool SetFilePermissions(std::string_view host_path, unsigned permissions) {
  return ::chmod(NativePath(host_path).c_str(), permissions & 07777) == 0;
}

bool MakeDirectory(std::string_view host_path) {
  return ::mkdir(NativePath(host_path).c_str(), 0777) == 0;
}

bool RenameFile(std::string_view from_host_path, std::string_view to_host_path) {
  return ::rename(NativePath(from_host_path).c_str(), NativePath(to_host_path).c_str()) == 0;
}

std::optional<std::string> ReadWholeFile(std::string_view host_path) {
  int fd = ::open(NativePath(host_path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string out;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

bool WriteFileAtomically(std::string_view host_path, std::string_view bytes,
                         std::optional<unsigned> permissions) {
  std::string target = NativePath(host_path);
  std::string temp = TemporaryFileTemplate(FolderOf(target));
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat st;
  mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (permissions) mode = *permissions & 07777;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temp.c_str(), target.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  if (!::getcwd(buffer, sizeof buffer)) return {};
  return NativeToHostPath(buffer);
}

bool SetCurrentFolder(std::string_view host_path) {
  return ::chdir(NativePath(host_path).c_str()) == 0;
}

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return CurrentFolder();
  std::string exe(buffer, static_cast<std::size_t>(n));
  return NativeToHostPath(FolderOf(exe));
}

}  // namespace vanto::platform
