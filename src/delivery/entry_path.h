// Local paths of manifest entries and commands.
//
// A manifest comes from the network, so the paths it names are checked
// before anything is fetched, moved, started or deleted: only a relative path
// that stays inside the program folder is accepted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vanto::delivery {

// False for an empty path, an absolute one (leading '/' or '\'), one that
// starts with a drive letter ("C:"), one holding a NUL byte, and one with a
// ".." component ('/' and '\' both separate; the second byte of a code page
// 936 pair is never taken for a separator).
bool IsSafeRelativePath(std::string_view path);

// local_dir (ending in '\') + the manifest path with every '/' turned into '\'.
std::string LocalPathOf(std::string_view local_dir, std::string_view manifest_path);

// The path an executable entry is installed under: the extension, from the
// last '.', replaced by the platform's executable suffix (appended when there
// is no '.'). Only the entry's own part, from `entry_start` on, is searched
// for the '.', so a '.' in the program folder's name never cuts the path
// outside the folder.
std::string ExecutablePathOf(std::string_view local_path, std::size_t entry_start);

// Moves the delivered file over the executable path (unless they are the same
// file name) and lets it be run. The old executable is replaced only by the
// move itself; a failed move leaves it as it was (and returns false).
bool InstallExecutable(const std::string& local_path, const std::string& executable_path);

}  // namespace vanto::delivery
