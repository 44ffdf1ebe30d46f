#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/system_config.h"

namespace vanto::platform {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether only its owner (root or the user running this program) and root
// can change what `info` describes. A folder that everyone may write to but
// only owners may delete from (the sticky bit, as /tmp) still keeps others
// from replacing a file in it.
bool OnlyOwnerAndRootWrite(const struct stat& info) {
  if (info.st_uid != 0 && info.st_uid != ::geteuid()) return false;
  if ((info.st_mode & S_IWGRP) != 0 && info.st_gid != 0) return false;
  return (info.st_mode & S_IWOTH) == 0 || (S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) != 0);
}

// Why the folder of `path` cannot be trusted; empty when it can.
std::string FolderProblem(const std::string& path) {
  struct stat folder {};
  if (::stat(FolderOf(path).c_str(), &folder) != 0) return "its folder cannot be examined";
  if (!OnlyOwnerAndRootWrite(folder)) {
    return "its folder " + FolderOf(path) + " can be changed by other users";
  }
  return {};
}

// Why the file at `path` (which exists) cannot be used; empty when it can.
std::string FileProblem(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (std::string problem = FolderProblem(path); !problem.empty()) return problem;
  }
  char resolved[PATH_MAX];
  struct stat file {};
  if (::realpath(path.c_str(), resolved) == nullptr || ::stat(resolved, &file) != 0) {
    return "it is a link to nothing";
  }
  if (!S_ISREG(file.st_mode)) return "it is not a file";
  if (!OnlyOwnerAndRootWrite(file)) return "it can be changed by other users";
  return FolderProblem(resolved);
}

}  // namespace

std::optional<SystemConfig> ReadSystemConfig(std::string_view name, const char* variable) {
  const char* override_path = std::getenv(variable);
  const bool named = override_path != nullptr && *override_path != '\0';
  SystemConfig config;
  config.path = named ? override_path : "/etc/vanto/" + std::string(name);
  struct stat entry {};
  if (::lstat(config.path.c_str(), &entry) != 0) {
    if (!named) return std::nullopt;
    config.problem = "it does not exist";
    return config;
  }
  config.problem = FileProblem(config.path);
  if (!config.problem.empty()) return config;
  std::ifstream in(config.path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.is_open() && !in.bad()) {
    config.text = std::move(text);
  } else {
    config.problem = "it cannot be read";
  }
  return config;
}

}  // namespace vanto::platform
