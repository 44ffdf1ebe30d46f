// The download worker: works through manifest_lines on its own thread.
#include <cstdio>

#include "delivery/content_delivery.h"
#include "delivery/directories.h"
#include "delivery/entry_path.h"
#include "delivery/file_digest.h"
#include "delivery/manifest_command.h"
#include "delivery/manifest_line.h"
#include "delivery/path_limit.h"
#include "delivery/update_flag.h"
#include "delivery/url_download.h"
#include "delivery/url_escape.h"
#include "platform/file_system.h"
#include "platform/local_date.h"

namespace vanto::delivery {

void ContentDelivery::DownloadWorker() {
  NotifyProgressTarget(ID_DOWNLOAD_RANGE, static_cast<std::int64_t>(manifest_lines_.size()), {});
  char rand[32];
  std::snprintf(rand, sizeof rand, "?rand=%u", static_cast<unsigned>(platform::TickCount()));
  // The content mirrors, tried in this order; the one that served a file
  // moves to the front for the rest of the run.
  std::array<int, 3> mirror_order{1, 2, 3};
  int result = kEntryLineResult;
  bool quit = false;
  for (const std::string& line : manifest_lines_) {
    if (IsCommandLine(line)) {
      result = RunManifestCommand(line, working_folder_, processes_);
      if (result == kProgramStartedResult) break;
      continue;
    }
    result = kEntryLineResult;
    if (HandleEntry(line, mirror_order, rand) == EntryOutcome::kQuit) {
      quit = true;
      break;
    }
  }
  if (!quit) NotifyProgressTarget(ID_DOWNLOAD_DONE, result, {});
  worker_running_ = false;
  ui_.Post([] {});  // wakes a modal wait for this worker
}

ContentDelivery::EntryOutcome ContentDelivery::HandleEntry(const std::string& line,
                                                           std::array<int, 3>& mirror_order,
                                                           const std::string& rand) {
  const ManifestEntry entry = ParseEntryLine(line);
  const std::string local_path = LocalPathOf(local_dir_, entry.path);
  // A path that could reach outside the program folder, or does not fit a
  // path buffer, is a failed entry: its step is shown, nothing is touched.
  if (!IsSafeRelativePath(entry.path) || !FitsPathBuffer(local_path)) {
    NotifyProgressTarget(ID_DOWNLOAD_STEP, 0, line);
    return EntryOutcome::kContinue;
  }
  // Deletes a present file whose digest differs; its successor gets its
  // permissions, so a refreshed program can still be started.
  const std::optional<unsigned> permissions = platform::FilePermissions(local_path);
  const bool need = EntryNeedsDownload(entry.stamp, local_path);
  NotifyProgressTarget(ID_DOWNLOAD_STEP, 0, line);
  const bool downloaded =
      need && FetchEntry(entry.path, entry.stamp, local_path, mirror_order, rand);
  if (downloaded && permissions) platform::SetFilePermissions(local_path, *permissions);
  if (started_after_update || !entry.stamp || !downloaded || !platform::PathExists(local_path)) {
    return EntryOutcome::kContinue;
  }
  if (HasExecutableFlag(entry.flags)) {
    const std::string executable = ExecutablePathOf(local_path, local_dir_.size());
    InstallExecutable(local_path, executable);
    processes_.Start(executable, {}, "");
  }
  if (HasQuitFlag(entry.flags)) {
    processes_.RequestQuit();
    return EntryOutcome::kQuit;
  }
  return EntryOutcome::kContinue;
}

bool ContentDelivery::FetchEntry(std::string_view path, const char* stamp,
                                 const std::string& local_path, std::array<int, 3>& mirror_order,
                                 const std::string& rand) {
  CreateParentDirectories(local_path);
  const bool escape = HasDoubleByteLead(path);
  for (std::size_t k = 0; k < mirror_order.size(); ++k) {
    std::string url = mirrors_[mirror_order[k]] + "/v2/" + std::string(path);
    // An over-long URL is refused by the escaping and by the download.
    if (escape) url = Utf8EscapedUrl(url, url.size());
    url += rand;
    if (!DownloadUrlToFile(url, local_path)) continue;
    if (EntryNeedsDownload(stamp, local_path)) continue;
    if (verifier_ && !DownloadMatchesEntry(stamp, local_path)) {
      platform::RemoveFile(local_path);
      continue;
    }
    if (k != 0) std::swap(mirror_order[0], mirror_order[k]);
    return true;
  }
  return false;
}

}  // namespace vanto::delivery
