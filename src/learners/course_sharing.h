// A new learner's folder takes the course files an existing learner has
// already downloaded, as hard links instead of copies. That is safe because
// the course never writes into a downloaded file: a file that changes is
// deleted and its successor arrives under a temporary name and is renamed
// into place, so one learner's download never changes another's file. The
// learner's own files (profile, account reply, record file, the documents
// written for the movie, the puzzle pieces, the programs and settings that
// the installation step places) are never shared; the content check at the
// new learner's first start brings whatever is missing.
#pragma once

#include <cstdint>
#include <filesystem>

namespace vanto::learners {

struct SharedFiles {
  std::uintmax_t files = 0;
  std::uintmax_t bytes = 0;
};

// Whether the file at `relative` (a path inside a learner's folder) is a
// course file that learners may share.
bool IsSharedCourseFile(const std::filesystem::path& relative);

// Hard-links every shared course file of `from` into `to` where `to` has no
// file of that name yet. Files that cannot be linked (another file system,
// no permission) are left for the content check to download.
SharedFiles ShareCourseFiles(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace vanto::learners
