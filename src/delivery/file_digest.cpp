#include "delivery/file_digest.h"

#include <cctype>

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

}  // namespace

bool FileMd5Matches(std::string_view expected, std::string_view host_path) {
  CFileMap file;
  const void* view = file.OpenMapped(host_path);
  if (view == nullptr) return false;
  const std::string actual = Md5Hex(view, file.view_size());
  file.Close();
  return SameDigest(expected, actual);
}

bool EntryNeedsDownload(const char* stamp, std::string_view host_path) {
  if (!platform::PathExists(host_path)) return true;
  if (stamp == nullptr) return false;
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
      if (++closed_numbers == kMaxNumbers) return false;
    } else if (c == '|') {
      if (FileMd5Matches(p + 1, host_path)) return false;
      platform::RemoveFile(host_path);
      return true;
    } else {
      return false;
    }
  }
  return false;
}

}  // namespace vanto::delivery
