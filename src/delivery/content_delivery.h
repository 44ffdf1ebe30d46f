// The main window's content delivery: the manifest of the last request, the
// folder it fills, the window that shows its progress and the download
// worker that works through it. The main window owns one for its whole run.
//
// Threads and waiting:
// - FetchManifest, LoadManifest and JoinWorker run on the user-interface
//   thread; the worker runs on its own thread. At most one worker runs.
// - A fetch (or load) requested while a worker still runs first waits for
//   that worker to end, pumping the user-interface queue meanwhile so that the
//   worker's notices are still handled. So manifest_lines, local_dir and
//   progress_target never change under a running worker. Callers that would
//   rather skip (the next-day prefetch) test WorkerRunning() first.
// - The worker's notices run on the user-interface thread while the worker
//   waits (UiDispatcher::Invoke). The owner's destructor must call
//   JoinWorker() before it tears down anything the notices touch: JoinWorker
//   pumps the queue while it waits, so a worker blocked in a notice to the
//   window that waits for it is served and can finish.
// - A fetch requested from inside a notice handler cannot wait for the worker
//   that is waiting for that very handler; it is skipped (false).
// - The one change under a running worker: a progress target that goes away
//   first detaches itself (DetachProgressTarget), and the worker's later
//   notices then go nowhere.
//
// Its methods live in content_delivery.cpp (manifests, starting and joining
// the worker) and download_worker.cpp (the worker's run over the entries).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "delivery/entry_look_ahead.h"
#include "delivery/manifest_verifier.h"
#include "delivery/mirror_order.h"
#include "delivery/process_control.h"
#include "delivery/progress_target.h"
#include "delivery/ui_dispatcher.h"
#include "platform/message_box.h"

namespace vanto::delivery {

// Base URLs without trailing '/': entry 0 the content service (manifest
// script), entries 1 to 3 the content mirrors. Manifest requests use entries
// 0 to 2, file downloads entries 1 to 3.
using MirrorTable = std::array<std::string, 4>;

class ContentDelivery {
 public:
  // working_folder: the program folder (host path, no trailing backslash),
  // where "down.list" is saved and command paths are resolved.
  // main_window: the owner's own progress target (may be null); notices to it
  // are sent without waiting for its window.
  ContentDelivery(MirrorTable mirrors, std::string working_folder, UiDispatcher& ui,
                  ProcessControl& processes, platform::MessageBoxes& messages,
                  ProgressTarget* main_window);
  ~ContentDelivery();  // joins a running worker (see above)
  ContentDelivery(const ContentDelivery&) = delete;
  ContentDelivery& operator=(const ContentDelivery&) = delete;

  // Fetches the manifest for `query` ("?..." appended to base + "/v2.php")
  // from script hosts 0, 1, 2, three passes, and starts a worker on the first
  // valid one. True when a worker was started; the caller then shows its
  // dialog (which ends on ID_DOWNLOAD_DONE). False: nothing runs.
  bool FetchManifest(std::string_view query, ProgressTarget* target);

  // Reads the manifest at manifest_path and starts a worker on it, filling
  // local_folder (ending in '\'). False for an unreadable (reported), invalid
  // or empty manifest, and, where a publisher key is configured, for one the
  // verifier refuses (among them one not signed for `request`, the query it
  // was fetched with, without '?'); the previous manifest's lines are then
  // kept.
  bool LoadManifest(const std::string& manifest_path, const std::string& local_folder,
                    std::string_view request = {});

  // Sends one notice to the progress target on the user-interface thread and
  // waits until it has been handled. Worker thread.
  void NotifyProgressTarget(int code, std::int64_t value, std::string_view line);

  // Stops notices to `target` (when it is the current one) before it goes
  // away. User-interface thread.
  void DetachProgressTarget(const ProgressTarget* target);

  bool WorkerRunning() const { return worker_running_; }
  // Waits for a running worker to end, pumping the user-interface queue.
  // User-interface thread.
  void JoinWorker();

  const std::vector<std::string>& manifest_lines() const { return manifest_lines_; }
  const std::string& local_dir() const { return local_dir_; }
  ProgressTarget* progress_target() const { return progress_target_; }

 private:
  enum class EntryOutcome { kContinue, kQuit };

  void DownloadWorker();
  EntryOutcome HandleEntry(std::size_t index, EntryLookAhead& ahead);
  // Runs on the look-ahead's fetch lanes, several at once.
  EntryLookAhead::FetchOutcome FetchEntry(std::string_view path, const char* stamp,
                                          const std::string& local_path, MirrorOrder& mirror_order,
                                          const std::string& rand) const;

  const MirrorTable mirrors_;
  const std::string working_folder_;
  UiDispatcher& ui_;
  ProcessControl& processes_;
  platform::MessageBoxes& messages_;
  ProgressTarget* const main_window_;

  std::vector<std::string> manifest_lines_;
  std::string local_dir_;
  // Written on the user-interface thread; the worker reads it there too,
  // apart from a quick look whether there is any target at all.
  std::atomic<ProgressTarget*> progress_target_{nullptr};
  // Set when the installation names a publisher key: manifests must be signed
  // for their request and every downloaded file must match its signed entry.
  std::optional<ManifestVerifier> verifier_ = ManifestVerifier::Configured(ManifestKind::kContent);
  std::thread worker_;
  std::atomic<bool> worker_running_{false};
  bool in_notice_ = false;  // user-interface thread only
};

}  // namespace vanto::delivery
