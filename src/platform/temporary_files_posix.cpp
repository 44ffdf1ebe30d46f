#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/native_path.h"
#include "platform/temporary_files.h"

namespace vanto::platform {
namespace {

constexpr std::string_view kTemporaryPrefix = ".tmp.";
constexpr auto kAbandonedAfter = std::chrono::minutes(10);

// The writer's process id in a name of either naming; nothing for any other
// name (an old ".tmp.XXXXXX" without one is told by its age alone).
std::optional<pid_t> WriterOf(std::string_view name, bool* ours) {
  *ours = false;
  std::string_view rest;
  if (name.starts_with(kDownloadPartPrefix)) {
    rest = name.substr(kDownloadPartPrefix.size());
  } else if (name.starts_with(kTemporaryPrefix)) {
    rest = name.substr(kTemporaryPrefix.size());
  } else {
    return std::nullopt;
  }
  *ours = true;
  long long pid = 0;
  std::size_t digits = 0;
  while (digits < rest.size() && digits < 10 && rest[digits] >= '0' && rest[digits] <= '9') {
    pid = pid * 10 + (rest[digits++] - '0');
  }
  const bool separated = digits < rest.size() && (rest[digits] == '.' || rest[digits] == '-');
  if (digits == 0 || !separated || pid <= 0 || pid > 0x7FFFFFFF) return std::nullopt;
  return static_cast<pid_t>(pid);
}

bool WriterGone(pid_t pid) {
  return pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH);
}

bool Abandoned(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  const auto changed = entry.last_write_time(error);
  return !error && std::filesystem::file_time_type::clock::now() - changed > kAbandonedAfter;
}

}  // namespace

std::string TemporaryFileTemplate(std::string_view native_folder) {
  return std::string(native_folder) + "/" + std::string(kTemporaryPrefix) +
         std::to_string(::getpid()) + ".XXXXXX";
}

int RemoveStaleTemporaryFiles(std::string_view host_folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::recursive_directory_iterator it(NativePath(host_folder),
                                      fs::directory_options::skip_permission_denied, error);
  int removed = 0;
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::directory_entry& entry = *it;
    std::error_code unreadable;
    if (entry.is_symlink(unreadable) || !entry.is_regular_file(unreadable)) continue;
    bool ours = false;
    const std::string name = entry.path().filename().native();
    const std::optional<pid_t> writer = WriterOf(name, &ours);
    const bool stale = ours && ((writer && WriterGone(*writer)) || Abandoned(entry));
    if (!stale && !name.ends_with(kUnverifiedSuffix)) continue;
    std::error_code ignored;
    removed += fs::remove(entry.path(), ignored) ? 1 : 0;
  }
  return removed;
}

}  // namespace vanto::platform
