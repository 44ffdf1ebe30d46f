#include "delivery/entry_path.h"

#include <strings.h>

#include "platform/executable_file.h"
#include "platform/file_system.h"

namespace vanto::delivery {

namespace {

bool IsLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

bool IsSafeRelativePath(std::string_view path) {
  if (path.empty() || IsSeparator(path[0])) return false;
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') return false;
  if (path.find('\0') != std::string_view::npos) return false;
  std::size_t component_start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && IsLeadByte(path[i])) {
      ++i;  // the trail byte belongs to the character
      continue;
    }
    if (i < path.size() && !IsSeparator(path[i])) continue;
    if (path.substr(component_start, i - component_start) == "..") return false;
    component_start = i + 1;
  }
  return true;
}

std::string LocalPathOf(std::string_view local_dir, std::string_view manifest_path) {
  std::string local(local_dir);
  for (char c : manifest_path) local.push_back(c == '/' ? '\\' : c);
  return local;
}

std::string ExecutablePathOf(std::string_view local_path, std::size_t entry_start) {
  const std::size_t dot = local_path.rfind('.');
  std::string path(local_path);
  if (dot != std::string_view::npos && dot >= entry_start) path.resize(dot);
  path.append(platform::kExecutableSuffix);
  return path;
}

bool InstallExecutable(const std::string& local_path, const std::string& executable_path) {
  // The rename replaces the old executable in one step. When it fails, the
  // old executable stays as it was: removing it first could leave neither.
  if (::strcasecmp(local_path.c_str(), executable_path.c_str()) != 0 &&
      !platform::RenameFile(local_path, executable_path)) {
    return false;
  }
  return platform::MakeExecutable(executable_path);
}

}  // namespace vanto::delivery
