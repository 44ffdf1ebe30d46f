#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/user_state.h"

namespace vanto::platform {

std::optional<std::string> UserStateFolder() {
  const char* state_home = std::getenv("XDG_STATE_HOME");
  if (state_home && *state_home == '/')
    return (std::filesystem::path(state_home) / "vanto").string();
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return (std::filesystem::path(home) / ".local/state/vanto").string();
  return std::nullopt;
}

std::optional<std::string> ReadUserState(std::string_view name) {
  const auto folder = UserStateFolder();
  if (!folder) return std::nullopt;
  const std::string file = (std::filesystem::path(*folder) / std::string(name)).string();
  struct stat entry {};
  if (::lstat(file.c_str(), &entry) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    return std::string();
  }
  return ReadWholeFile(NativeToHostPath(file));
}

bool WriteUserState(std::string_view name, std::string_view text) {
  const auto folder = UserStateFolder();
  std::error_code error;
  if (!folder || (std::filesystem::create_directories(*folder, error), error)) return false;
  return WriteFileAtomically(
      NativeToHostPath((std::filesystem::path(*folder) / std::string(name)).string()), text);
}

}  // namespace vanto::platform
