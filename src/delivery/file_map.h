// CFileMap: a file opened with the host's mode bits that can map its whole
// content read-only.
//
// Mode bits of Open:
//   access  (mask 0x3):  0 read, 1 write, 2 read and write, 3 no access rights
//   sharing (mask 0x70): 0x20 others may read (deny write),
//                        0x30 others may write (deny read),
//                        0x40 others may read and write (deny none),
//                        any other value: exclusive
//   0x80:   the descriptor is not inherited by child processes (close-on-exec);
//           clear: inherited
//   0x1000: create: always a new, empty file; with 0x2000 as well, open the
//           file when it exists and create it otherwise
//   0x1000 clear: open an existing file only
//
// Sharing on POSIX: there are no mandatory sharing modes, so they become
// advisory flock locks taken without waiting on the open file:
//   deny write (0x20)  -> shared lock (LOCK_SH): any number of deny-write
//                         openers, no exclusive one;
//   deny read (0x30)   -> exclusive lock (LOCK_EX): POSIX cannot let others
//                         write while refusing readers, so this is stricter;
//   deny none (0x40)   -> no lock;
//   exclusive          -> exclusive lock (LOCK_EX).
// When the lock is held elsewhere, Open fails as a sharing violation would.
// Only openers that lock (every CFileMap) see the locks. With access 3 the
// file is opened as a path only (O_PATH), which cannot hold a lock; the
// sharing bits are then not enforced.
//
// Host paths (backslashes, code page 936) are converted at each system call.
// Paths of 260 characters or more are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vanto::delivery {

class CFileMap {
 public:
  static constexpr std::uint32_t kAccessRead = 0x0;
  static constexpr std::uint32_t kAccessWrite = 0x1;
  static constexpr std::uint32_t kAccessReadWrite = 0x2;
  static constexpr std::uint32_t kAccessNone = 0x3;
  static constexpr std::uint32_t kAccessMask = 0x3;
  static constexpr std::uint32_t kShareDenyWrite = 0x20;
  static constexpr std::uint32_t kShareDenyRead = 0x30;
  static constexpr std::uint32_t kShareDenyNone = 0x40;
  static constexpr std::uint32_t kShareMask = 0x70;
  static constexpr std::uint32_t kNoInherit = 0x80;
  static constexpr std::uint32_t kCreate = 0x1000;
  static constexpr std::uint32_t kNoTruncate = 0x2000;

  // Seek origins.
  static constexpr int kBegin = 0;
  static constexpr int kCurrent = 1;
  static constexpr int kEnd = 2;

  // Result of Seek and Seek64 when the move fails (the position is unchanged).
  static constexpr std::uint32_t kSeekFailed = 0xFFFFFFFFu;
  static constexpr std::uint64_t kSeekFailed64 = 0xFFFFFFFFFFFFFFFFull;

  // Files of this size or more are never mapped.
  static constexpr std::uint64_t kMaxViewSize = 2147483647u;

  CFileMap() = default;
  // Releases everything still held: the view, the mapping and the file.
  virtual ~CFileMap();
  CFileMap(const CFileMap&) = delete;
  CFileMap& operator=(const CFileMap&) = delete;

  // Opens the file; on failure returns false and the object stays closed.
  // An object that is already open is closed first.
  bool Open(std::string_view host_path, std::uint32_t mode);

  // Opens the file for reading (deny write) and maps all of it read-only.
  // Null for a missing or locked file, a zero-length file (the file then
  // stays open) and a file of 2,147,483,647 bytes or more.
  const void* OpenMapped(std::string_view host_path);

  // Bytes read or written; 0 when count is 0 or the operation fails.
  virtual std::uint32_t Read(void* buffer, std::uint32_t count);
  virtual std::uint32_t Write(const void* buffer, std::uint32_t count);
  // New position's low 32 bits, or kSeekFailed.
  virtual std::uint32_t Seek(std::int32_t distance, int origin);
  virtual std::uint32_t GetPosition() const;
  virtual std::uint64_t GetPosition64() const;
  // New 64-bit position, or kSeekFailed64.
  virtual std::uint64_t Seek64(std::int64_t distance, int origin);

  // Removes the view (and the mapping, which is the same region on POSIX).
  void Unmap();
  // Unmap and close the file.
  void Close();

  const void* view() const { return view_; }
  std::uint32_t view_size() const { return view_size_; }
  bool is_open() const { return file_ >= 0; }

 private:
  const void* view_ = nullptr;
  std::uint32_t view_size_ = 0;
  int file_ = -1;
  // The mapped region; on POSIX the mapping and its view are one mmap.
  void* mapping_ = nullptr;
  std::size_t mapping_size_ = 0;
};

}  // namespace vanto::delivery
