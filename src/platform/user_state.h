// Small files of the user's own state, kept where no download of the course
// can write: $XDG_STATE_HOME/vanto, or ~/.local/state/vanto. (Downloads only
// ever write inside the program folder.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

// The state folder as a native path (it need not exist yet); nothing when
// neither variable names an absolute folder.
std::optional<std::string> UserStateFolder();

// The file's text, empty when there is no such file; nothing when there is no
// state folder or the file exists but cannot be read.
std::optional<std::string> ReadUserState(std::string_view name);

// Replaces the file atomically, creating the folder first; false on failure.
bool WriteUserState(std::string_view name, std::string_view text);

}  // namespace vanto::platform
