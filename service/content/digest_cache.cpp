#include "service/content/digest_cache.h"

#include <openssl/evp.h>
#include <sys/stat.h>

#include <array>
#include <ctime>
#include <fstream>
#include <memory>
#include <mutex>

namespace vanto::service {
namespace {

std::string TimeText(time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

std::optional<std::string> FileMd5Hex(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1) return std::nullopt;
  std::array<char, 65536> buffer;
  while (in) {
    in.read(buffer.data(), buffer.size());
    if (in.gcount() > 0)
      EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1) return std::nullopt;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex.push_back(kHex[digest[i] >> 4]);
    hex.push_back(kHex[digest[i] & 15]);
  }
  return hex;
}

std::optional<std::string> DigestCache::Stamp(const std::filesystem::path& file) {
  struct stat info {};
  if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  int64_t mtime_ns = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  auto size = static_cast<uintmax_t>(info.st_size);
  if (size == 0) return std::string();
  const std::string key = file.string();
  {
    std::shared_lock lock(mutex_);
    auto it = entries_.find(key);
    if (it != entries_.end() && it->second.mtime_ns == mtime_ns && it->second.size == size)
      return it->second.stamp;
  }
  auto md5 = FileMd5Hex(file);
  if (!md5) return std::nullopt;
  Entry entry{mtime_ns, size, TimeText(info.st_mtim.tv_sec) + "|" + *md5};
  std::unique_lock lock(mutex_);
  entries_[key] = entry;
  return entry.stamp;
}

}  // namespace vanto::service
