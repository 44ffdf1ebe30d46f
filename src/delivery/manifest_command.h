// Command lines of the content manifest.
#pragma once

#include <string>
#include <string_view>

#include "delivery/process_control.h"

namespace vanto::delivery {

// Line results: an entry line gives 0, a command that started no program 1,
// an "update" command that started its program 2. The line result of the
// last line handled is the run's completion code.
inline constexpr int kEntryLineResult = 0;
inline constexpr int kCommandLineResult = 1;
inline constexpr int kProgramStartedResult = 2;

// Runs one '#' line, its file taken relative to working_folder:
//   "update": starts the named file when it exists (2 when started, else 1);
//   "delete": deletes the named file (1; a failed delete is ignored);
//   any other word is a comment (1).
// A named file whose path is not a safe relative path (entry_path.h) or does
// not fit a path buffer is neither started nor deleted.
int RunManifestCommand(std::string_view line, std::string_view working_folder,
                       ProcessControl& processes);

}  // namespace vanto::delivery
