// One line of the update manifest: download, install, start.
#include "delivery/directories.h"
#include "delivery/entry_path.h"
#include "delivery/manifest_line.h"
#include "delivery/path_limit.h"
#include "delivery/url_download.h"
#include "delivery/url_escape.h"
#include "platform/file_system.h"
#include "updater/update_engine.h"

namespace vanto::updater {

// False when the file could not be fetched; the old file is then untouched.
bool UpdateEngine::UpdateEntry(const std::string& line) {
  const delivery::ManifestEntry entry = delivery::ParseEntryLine(line);
  const std::string local_path = delivery::LocalPathOf(local_dir_, entry.path);
  // A path that could leave the installation folder counts as a failed file.
  if (!delivery::IsSafeRelativePath(entry.path) || !delivery::FitsPathBuffer(local_path)) {
    return false;
  }
  delivery::CreateParentDirectories(local_path);
  const std::string url = content_base_ + std::string(entry.path);
  const std::string escaped = delivery::Utf8EscapedUrl(url, url.size());
  // The download replaces the old file only once it is complete (and, with a
  // publisher key, verified).
  if (verifier_ ? !FetchVerified(escaped, entry.stamp, local_path)
                : !delivery::DownloadUrlToFile(escaped, local_path)) {
    return false;
  }
  if (!entry.stamp || !platform::PathExists(local_path)) return true;
  if (delivery::HasExecutableFlag(entry.flags)) {
    const std::string executable = delivery::ExecutablePathOf(local_path, local_dir_.size());
    delivery::InstallExecutable(local_path, executable);
    if (delivery::HasRunFlag(entry.flags)) processes_.Start(executable, {"/updated"}, "");
  }
  return true;
}

}  // namespace vanto::updater
