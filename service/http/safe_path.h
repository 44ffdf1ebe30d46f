// Maps a relative path taken from a request onto a file below a root folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vanto::service {

// The file below `root` named by `relative` ('/'-separated), or nullopt when
// the path is empty, absolute, holds a backslash, a NUL, an empty, "." or ".."
// segment or a segment starting with '.', or leads outside the root through a
// symbolic link.
std::optional<std::filesystem::path> ResolveInside(const std::filesystem::path& root,
                                                   std::string_view relative);

}  // namespace vanto::service
