#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/user_state.h"

namespace vanto::platform {
namespace {

std::optional<std::filesystem::path> StateFolder() {
  const char* state_home = std::getenv("XDG_STATE_HOME");
  if (state_home && *state_home == '/') return std::filesystem::path(state_home) / "vanto";
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return std::filesystem::path(home) / ".local/state/vanto";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadUserState(std::string_view name) {
  const auto folder = StateFolder();
  if (!folder) return std::nullopt;
  return ReadWholeFile(NativeToHostPath((*folder / std::string(name)).string()));
}

bool WriteUserState(std::string_view name, std::string_view text) {
  const auto folder = StateFolder();
  std::error_code error;
  if (!folder || (std::filesystem::create_directories(*folder, error), error)) return false;
  return WriteFileAtomically(NativeToHostPath((*folder / std::string(name)).string()), text);
}

}  // namespace vanto::platform
