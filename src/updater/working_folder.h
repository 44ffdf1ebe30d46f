// The folder the updater works in.
#pragma once

#include <string>
#include <string_view>

namespace vanto::updater {

// The updater may be installed in a folder below the installation whose name
// begins with "update" (any case); it then works in that folder's parent.
// Otherwise it works in its own folder. Host paths; the result has no
// trailing backslash (except a bare root).
std::string UpdaterWorkingFolder(std::string_view program_folder);

// Makes the working folder of the running updater current and removes the
// temporary files a killed run left there; returns the folder.
std::string EnterWorkingFolder();

}  // namespace vanto::updater
