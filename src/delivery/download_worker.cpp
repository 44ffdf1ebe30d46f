// The download worker: works through manifest_lines on its own thread. The
// digest checks and downloads of the entries ahead of it run meanwhile on
// the look-ahead's threads; the worker takes their answers in manifest order.
#include <cstdio>

#include "delivery/content_delivery.h"
#include "delivery/directories.h"
#include "delivery/entry_path.h"
#include "delivery/file_digest.h"
#include "delivery/look_ahead_rules.h"
#include "delivery/manifest_command.h"
#include "delivery/manifest_line.h"
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
  MirrorOrder mirror_order({1, 2, 3});
  const std::string rand_query = rand;
  int result = kEntryLineResult;
  bool quit = false;
  {
    EntryLookAhead ahead(manifest_lines_, local_dir_,
                         [&](const ManifestEntry& entry, const std::string& local_path) {
                           return FetchEntry(entry.path, entry.stamp, local_path, mirror_order,
                                             rand_query);
                         });
    // A line is passed on to the look-ahead only when the run goes on after
    // it, so nothing beyond a line that ends the run is worked on.
    for (std::size_t index = 0; index < manifest_lines_.size(); ++index) {
      const std::string& line = manifest_lines_[index];
      if (IsCommandLine(line)) {
        result = RunManifestCommand(line, working_folder_, processes_);
        if (result == kProgramStartedResult) break;
        ahead.Passed(index);
        continue;
      }
      result = kEntryLineResult;
      if (HandleEntry(index, ahead) == EntryOutcome::kQuit) {
        quit = true;
        break;
      }
      ahead.Passed(index);
    }
  }
  if (!quit) NotifyProgressTarget(ID_DOWNLOAD_DONE, result, {});
  worker_running_ = false;
  ui_.Post([] {});  // wakes a modal wait for this worker
}

ContentDelivery::EntryOutcome ContentDelivery::HandleEntry(std::size_t index,
                                                           EntryLookAhead& ahead) {
  const std::string& line = manifest_lines_[index];
  const ManifestEntry entry = ParseEntryLine(line);
  const std::string local_path = LocalPathOf(local_dir_, entry.path);
  // A path that could reach outside the program folder, or does not fit a
  // path buffer, is a failed entry: its step is shown, nothing is touched.
  if (!EntryPathUsable(entry.path, local_path)) {
    NotifyProgressTarget(ID_DOWNLOAD_STEP, 0, line);
    return EntryOutcome::kContinue;
  }
  // EntryNeedsDownload, answered ahead: a present file whose digest differs
  // has been deleted. Its successor gets its permissions, so a refreshed
  // program can still be started.
  const EntryLookAhead::EntryCheck check = ahead.Checked(index);
  NotifyProgressTarget(ID_DOWNLOAD_STEP, 0, line);
  const bool downloaded = check.need && ahead.Fetched(index);
  if (downloaded && check.permissions) platform::SetFilePermissions(local_path, *check.permissions);
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

EntryLookAhead::FetchOutcome ContentDelivery::FetchEntry(std::string_view path, const char* stamp,
                                                         const std::string& local_path,
                                                         MirrorOrder& mirror_order,
                                                         const std::string& rand) const {
  CreateParentDirectories(local_path);
  const bool escape = HasDoubleByteLead(path);
  // A file reaches its path only once it matches its entry: it arrives under
  // a temporary name beside it and is checked there.
  DownloadOptions options;
  options.https_redirects_only = verifier_.has_value();
  options.accept = [&](const std::string& arrived) {
    return verifier_ ? DownloadMatchesEntry(stamp, arrived) : ArrivalMatchesStamp(stamp, arrived);
  };
  const MirrorOrder::Order order = mirror_order.Current();
  for (std::size_t k = 0; k < order.size(); ++k) {
    std::string url = mirrors_[order[k]] + "/v2/" + std::string(path);
    // An over-long URL is refused by the escaping and by the download.
    if (escape) url = Utf8EscapedUrl(url, url.size());
    url += rand;
    if (!DownloadUrlToFile(url, local_path, options)) continue;
    if (k != 0) mirror_order.MoveToFront(order[k]);
    return k == 0 ? EntryLookAhead::FetchOutcome::kFirstTry
                  : EntryLookAhead::FetchOutcome::kLaterTry;
  }
  return EntryLookAhead::FetchOutcome::kFailed;
}

}  // namespace vanto::delivery
