#include "delivery/file_digest.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "delivery/file_map.h"
#include "delivery/md5.h"
#include "platform/file_system.h"

namespace vanto::delivery {
namespace {

constexpr std::size_t kDigestChars = 32;

bool SameDigest(std::string_view expected, const std::string& actual) {
  if (expected.size() < kDigestChars) return false;
  for (std::size_t i = 0; i < kDigestChars; ++i) {
    const auto e = static_cast<unsigned char>(expected[i]);
    const auto a = static_cast<unsigned char>(actual[i]);
    if (std::tolower(e) != std::tolower(a)) return false;
  }
  return true;
}

// Digest text of the whole file, read in blocks through a deny-write open;
// none for the files a read-only view refuses (missing, locked, empty, or
// too large to map) and for a file that is shortened while it is read.
// Reading rather than mapping gives the same digest and keeps the checks
// that run on several threads at once fast: each unmap in a process with
// several threads interrupts every other core to flush its address
// translations, and mapping serialises the threads on the address space.
std::optional<std::string> FileDigest(std::string_view host_path) {
  CFileMap file;
  if (!file.Open(host_path, CFileMap::kAccessRead | CFileMap::kShareDenyWrite)) return {};
  const std::uint64_t size = file.Seek64(0, CFileMap::kEnd);
  if (size == 0 || size >= CFileMap::kMaxViewSize || file.Seek64(0, CFileMap::kBegin) != 0) {
    return {};
  }
  Md5Context context;
  Md5Init(context);
  char block[64 * 1024];
  std::uint64_t done = 0;
  while (done < size) {
    const auto want =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(sizeof block, size - done));
    const std::uint32_t got = file.Read(block, want);
    if (got == 0) return {};
    Md5Update(context, block, got);
    done += got;
  }
  Md5Final(context);
  return Md5DigestText(context);
}

// The digest that decides about an entry's file: the text after the '|' of
// its stamp, reached through up to six numbers; nullptr when the stamp ends,
// holds another character or closes a sixth number first.
const char* DecidingDigest(const char* stamp) {
  constexpr int kMaxNumbers = 6;
  int closed_numbers = 0;
  bool number_positive = false;  // the current number is greater than 0
  for (const char* p = stamp; *p != '\0'; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      if (c != '0') number_positive = true;
    } else if (c == '-' || c == ':' || c == ' ') {
      if (!number_positive) continue;  // "00" and the like run on into the next digits
      number_positive = false;
      if (++closed_numbers == kMaxNumbers) return nullptr;
    } else {
      return c == '|' ? p + 1 : nullptr;
    }
  }
  return nullptr;
}

}  // namespace

bool FileMd5Matches(std::string_view expected, std::string_view host_path) {
  const std::optional<std::string> actual = FileDigest(host_path);
  return actual && SameDigest(expected, *actual);
}

bool EntryNeedsDownload(const char* stamp, std::string_view host_path) {
  if (!platform::PathExists(host_path)) return true;
  const char* digest = stamp ? DecidingDigest(stamp) : nullptr;
  if (digest == nullptr || FileMd5Matches(digest, host_path)) return false;
  platform::RemoveFile(host_path);
  return true;
}

bool ArrivalMatchesStamp(const char* stamp, std::string_view host_path) {
  const char* digest = stamp ? DecidingDigest(stamp) : nullptr;
  return digest == nullptr || FileMd5Matches(digest, host_path);
}

}  // namespace vanto::delivery
