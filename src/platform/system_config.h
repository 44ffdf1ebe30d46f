// Settings of the installation that no download may change. They live in
// system configuration files beside the channel file (/etc/vanto/<name>),
// never in the program folder; an environment variable may name another file
// instead (tests, private set-ups).
//
// Such a setting guards the installation, so one that is made but cannot be
// trusted is reported, never taken as absent: a named file that is missing,
// a link to nothing, a file that cannot be read, and a file or folder that
// users other than its owner and root can change (or that belongs to
// another user) all come back as a problem.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

struct SystemConfig {
  std::string path;                 // the file the setting names (native path)
  std::optional<std::string> text;  // its text; nothing when it cannot be used
  std::string problem;              // why it cannot be used, when it cannot
};

// Nothing when the setting is not made at all: the environment variable
// `variable` is unset or empty and nothing exists at /etc/vanto/<name>, not
// even a link.
std::optional<SystemConfig> ReadSystemConfig(std::string_view name, const char* variable);

}  // namespace vanto::platform
