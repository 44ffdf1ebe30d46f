// The files of the update manifest: each fetched beside the file it replaces,
// then all moved into place together, executables installed and started.
#include "delivery/directories.h"
#include "delivery/entry_path.h"
#include "delivery/manifest_line.h"
#include "delivery/manifest_verifier.h"
#include "delivery/path_limit.h"
#include "delivery/url_escape.h"
#include "platform/file_system.h"
#include "updater/update_engine.h"

namespace vanto::updater {

// What a file must pass before it may replace the old one. Without a
// publisher key the updater reads no stamps, as it always has.
delivery::DownloadOptions UpdateEngine::FileOptions(const char* stamp) const {
  delivery::DownloadOptions options;
  if (!verifier_) return options;
  options.https_redirects_only = true;
  options.accept = [stamp](const std::string& arrived) {
    return delivery::DownloadMatchesEntry(stamp, arrived);
  };
  return options;
}

// Nothing when the file could not be fetched or did not match.
std::optional<UpdateEngine::ArrivedFile> UpdateEngine::FetchEntry(const std::string& line) {
  const delivery::ManifestEntry entry = delivery::ParseEntryLine(line);
  const std::string local_path = delivery::LocalPathOf(local_dir_, entry.path);
  // A path that could leave the installation folder counts as a failed file.
  if (!delivery::IsSafeRelativePath(entry.path) || !delivery::FitsPathBuffer(local_path)) {
    return std::nullopt;
  }
  delivery::CreateParentDirectories(local_path);
  const std::string url = content_base_ + std::string(entry.path);
  const std::string escaped = delivery::Utf8EscapedUrl(url, url.size());
  std::optional<std::string> arrived =
      delivery::DownloadUrlBeside(escaped, local_path, FileOptions(entry.stamp));
  if (!arrived) return std::nullopt;
  return ArrivedFile{line, local_path, std::move(*arrived)};
}

// False when a file could not be moved (one that waited was removed
// meanwhile, say by a start-up's clean-up): nothing is moved then, unless a
// move itself fails after others succeeded.
bool UpdateEngine::MoveIntoPlace(const std::vector<ArrivedFile>& files) {
  for (const ArrivedFile& file : files) {
    if (!platform::PathExists(file.arrived)) return false;
  }
  for (const ArrivedFile& file : files) {
    if (!platform::RenameFile(file.arrived, file.local_path)) return false;
  }
  for (const ArrivedFile& file : files) Install(file);
  return true;
}

void UpdateEngine::Install(const ArrivedFile& file) {
  const delivery::ManifestEntry entry = delivery::ParseEntryLine(file.line);
  if (!entry.stamp || !delivery::HasExecutableFlag(entry.flags)) return;
  const std::string executable = delivery::ExecutablePathOf(file.local_path, local_dir_.size());
  delivery::InstallExecutable(file.local_path, executable);
  if (delivery::HasRunFlag(entry.flags)) processes_.Start(executable, {"/updated"}, "");
}

}  // namespace vanto::updater
