// Manifest stamps of served files: "yyyy-mm-dd hh:mm:ss|" (the file's
// modification time, local time) followed by the MD5 digest of its bytes in
// lower-case hex. Digests are cached and recomputed when a file's
// modification time or size changes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <shared_mutex>
#include <string>
#include <unordered_map>

namespace vanto::service {

class DigestCache {
 public:
  // The stamp of a regular file; nullopt when it cannot be read. An empty
  // file gets an empty stamp: no digest can stand for it.
  std::optional<std::string> Stamp(const std::filesystem::path& file);

 private:
  struct Entry {
    int64_t mtime_ns = 0;
    uintmax_t size = 0;
    std::string stamp;
  };
  std::shared_mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
};

// MD5 of a file's bytes as 32 lower-case hex digits; nullopt on a read error.
std::optional<std::string> FileMd5Hex(const std::filesystem::path& file);

}  // namespace vanto::service
