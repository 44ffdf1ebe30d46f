#include "service/http/safe_path.h"

#include <algorithm>
#include <system_error>

namespace vanto::service {
namespace {

bool SegmentsAreSafe(std::string_view relative) {
  if (relative.empty() || relative.front() == '/') return false;
  if (relative.find('\\') != std::string_view::npos ||
      relative.find('\0') != std::string_view::npos)
    return false;
  while (true) {
    size_t slash = relative.find('/');
    std::string_view segment = relative.substr(0, slash);
    if (segment.empty() || segment.front() == '.') return false;
    if (slash == std::string_view::npos) return true;
    relative.remove_prefix(slash + 1);
  }
}

bool IsWithin(const std::filesystem::path& inner, const std::filesystem::path& outer) {
  auto [end, ignored] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return end == outer.end();
}

}  // namespace

std::optional<std::filesystem::path> ResolveInside(const std::filesystem::path& root,
                                                   std::string_view relative) {
  if (!SegmentsAreSafe(relative)) return std::nullopt;
  std::filesystem::path candidate = root / std::filesystem::path(std::string(relative));
  std::error_code error;
  auto real_root = std::filesystem::weakly_canonical(root, error);
  if (error) return std::nullopt;
  auto real_file = std::filesystem::weakly_canonical(candidate, error);
  if (error || !IsWithin(real_file, real_root)) return std::nullopt;
  return candidate;
}

}  // namespace vanto::service
