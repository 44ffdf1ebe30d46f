#include "delivery/file_map.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "delivery/path_limit.h"
#include "platform/native_path.h"

namespace vanto::delivery {
namespace {

int AccessFlags(std::uint32_t mode) {
  switch (mode & CFileMap::kAccessMask) {
    case CFileMap::kAccessWrite:
      return O_WRONLY;
    case CFileMap::kAccessReadWrite:
      return O_RDWR;
    case CFileMap::kAccessNone:
      return O_PATH;
    default:
      return O_RDONLY;
  }
}

// flock operation standing in for the sharing bits; 0 = no lock.
int SharingLock(std::uint32_t mode) {
  switch (mode & CFileMap::kShareMask) {
    case CFileMap::kShareDenyWrite:
      return LOCK_SH;
    case CFileMap::kShareDenyNone:
      return 0;
    default:  // deny read, and every exclusive value
      return LOCK_EX;
  }
}

int OpenDescriptor(const std::string& native, std::uint32_t mode) {
  const bool create = (mode & CFileMap::kCreate) != 0;
  int flags = AccessFlags(mode);
  if ((mode & CFileMap::kNoInherit) != 0) flags |= O_CLOEXEC;
  if (create) {
    // A descriptor without access rights cannot create; make the file first.
    if (flags & O_PATH) {
      const int made = ::open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
      if (made < 0) return -1;
      ::close(made);
    } else {
      flags |= O_CREAT;
    }
  }
  return ::open(native.c_str(), flags, 0666);
}

// Empties a file that was opened with "always create". The truncation happens
// only after the sharing lock is held, so a refused open never destroys data.
bool Truncate(int fd, const std::string& native, std::uint32_t mode) {
  const std::uint32_t access = mode & CFileMap::kAccessMask;
  if (access == CFileMap::kAccessWrite || access == CFileMap::kAccessReadWrite) {
    return ::ftruncate(fd, 0) == 0;
  }
  const int writer = ::open(native.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (writer < 0) return false;
  ::close(writer);
  return true;
}

bool IsDirectory(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CFileMap::~CFileMap() {
  Close();
}

bool CFileMap::Open(std::string_view host_path, std::uint32_t mode) {
  Close();
  if (!FitsPathBuffer(host_path)) return false;
  const std::string native = platform::NativePath(host_path);
  const int fd = OpenDescriptor(native, mode);
  if (fd < 0) return false;
  const int lock = (mode & kAccessMask) == kAccessNone ? 0 : SharingLock(mode);
  const bool truncate = (mode & kCreate) != 0 && (mode & kNoTruncate) == 0;
  if (IsDirectory(fd) || (lock != 0 && ::flock(fd, lock | LOCK_NB) != 0) ||
      (truncate && !Truncate(fd, native, mode))) {
    ::close(fd);
    return false;
  }
  file_ = fd;
  return true;
}

const void* CFileMap::OpenMapped(std::string_view host_path) {
  if (!Open(host_path, kAccessRead | kShareDenyWrite)) return nullptr;
  struct stat info {};
  if (::fstat(file_, &info) != 0 || static_cast<std::uint64_t>(info.st_size) >= kMaxViewSize) {
    Close();
    return nullptr;
  }
  view_size_ = static_cast<std::uint32_t>(info.st_size);
  if (mapping_ == nullptr && view_size_ > 0) {
    void* region = ::mmap(nullptr, view_size_, PROT_READ, MAP_SHARED, file_, 0);
    if (region != MAP_FAILED) {
      mapping_ = region;
      mapping_size_ = view_size_;
    }
  }
  // A zero-length file has no mapping; the file stays open until Close.
  if (mapping_ == nullptr) return nullptr;
  view_ = mapping_;
  return view_;
}

std::uint32_t CFileMap::Read(void* buffer, std::uint32_t count) {
  if (count == 0 || file_ < 0) return 0;
  const ssize_t got = ::read(file_, buffer, count);
  return got > 0 ? static_cast<std::uint32_t>(got) : 0;
}

std::uint32_t CFileMap::Write(const void* buffer, std::uint32_t count) {
  if (count == 0 || file_ < 0) return 0;
  const ssize_t put = ::write(file_, buffer, count);
  return put > 0 ? static_cast<std::uint32_t>(put) : 0;
}

std::uint32_t CFileMap::Seek(std::int32_t distance, int origin) {
  const std::uint64_t position = Seek64(distance, origin);
  return position == kSeekFailed64 ? kSeekFailed : static_cast<std::uint32_t>(position);
}

std::uint32_t CFileMap::GetPosition() const {
  return static_cast<std::uint32_t>(GetPosition64());
}

std::uint64_t CFileMap::GetPosition64() const {
  if (file_ < 0) return 0;
  const off_t position = ::lseek(file_, 0, SEEK_CUR);
  return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

std::uint64_t CFileMap::Seek64(std::int64_t distance, int origin) {
  static_assert(kBegin == SEEK_SET && kCurrent == SEEK_CUR && kEnd == SEEK_END);
  if (file_ < 0 || origin < kBegin || origin > kEnd) return kSeekFailed64;
  const off_t position = ::lseek(file_, static_cast<off_t>(distance), origin);
  return position < 0 ? kSeekFailed64 : static_cast<std::uint64_t>(position);
}

void CFileMap::Unmap() {
  if (mapping_ != nullptr) ::munmap(mapping_, mapping_size_);
  mapping_ = nullptr;
  mapping_size_ = 0;
  view_ = nullptr;
  view_size_ = 0;
}

void CFileMap::Close() {
  Unmap();
  if (file_ >= 0) ::close(file_);  // also releases the sharing lock
  file_ = -1;
}

}  // namespace vanto::delivery
