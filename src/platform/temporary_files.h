// The temporary files this program writes beside the files they replace, and
// the removal of those a crash or a kill left behind.
//
// Two namings, both carrying the writer's process id:
//   ".tmp.<pid>.XXXXXX"        profile files and documents (TemporaryFileTemplate)
//   ".vanto-part-<pid>-..."    downloads (kDownloadPartPrefix)
// and the "<file>.unverified" downloads of earlier updaters.
#pragma once

#include <string>
#include <string_view>

namespace vanto::platform {

inline constexpr std::string_view kDownloadPartPrefix = ".vanto-part-";
inline constexpr std::string_view kUnverifiedSuffix = ".unverified";

// A mkstemp template in `native_folder`: "<folder>/.tmp.<pid>.XXXXXX".
std::string TemporaryFileTemplate(std::string_view native_folder);

// Removes the files of either naming in `host_folder` and every folder below
// it (symbolic links are not followed) that no running writer can still own:
// those of a process that no longer runs or of this very process (nothing is
// written before start-up cleans up), and any untouched for ten minutes (a
// writer that is still alive keeps its file growing, or gives up far sooner),
// and every "*.unverified" file, whatever entry it was fetched for.
// Returns how many were removed.
int RemoveStaleTemporaryFiles(std::string_view host_folder);

}  // namespace vanto::platform
