// Small files of the user's own state, kept where no download of the course
// can write: $XDG_STATE_HOME/vanto, or ~/.local/state/vanto. (Downloads only
// ever write inside the program folder.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

// The file's text; nothing when it is missing or unreadable.
std::optional<std::string> ReadUserState(std::string_view name);

// Replaces the file atomically, creating the folder first; false on failure.
bool WriteUserState(std::string_view name, std::string_view text);

}  // namespace vanto::platform
