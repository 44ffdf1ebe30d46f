#include "platform/system_config.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vanto::platform {

std::optional<std::string> ReadSystemConfig(std::string_view name, const char* variable) {
  const char* override_path = std::getenv(variable);
  if (override_path && *override_path == '\0') override_path = nullptr;  // set but empty: unset
  const std::filesystem::path path = override_path
                                         ? std::filesystem::path(override_path)
                                         : std::filesystem::path("/etc/vanto") / std::string(name);
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!(in && text << in.rdbuf())) return std::string();
  return text.str();
}

}  // namespace vanto::platform
