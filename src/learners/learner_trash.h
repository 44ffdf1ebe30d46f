// Moves a learner's folder to the desktop's trash (the freedesktop.org trash
// the file manager shows), so that a learner removed by mistake can be put
// back from there.
#pragma once

#include <filesystem>
#include <string>

namespace vanto::learners {

// False with the reason in `problem` when the folder could not be moved; the
// folder is then left where it was.
bool MoveToTrash(const std::filesystem::path& folder, std::string* problem);

}  // namespace vanto::learners
