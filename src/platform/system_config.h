// Settings of the installation that no download may change. They live in
// system configuration files beside the channel file (/etc/vanto/<name>),
// never in the program folder; an environment variable may name another file
// instead (tests, private set-ups).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

// The text of the configuration file `name` (or of the file named by the
// environment variable `variable`). Nothing when no such file exists; an
// existing file that cannot be read gives an empty text, so that a setting
// that was meant to be there is never silently taken as absent.
std::optional<std::string> ReadSystemConfig(std::string_view name, const char* variable);

}  // namespace vanto::platform
