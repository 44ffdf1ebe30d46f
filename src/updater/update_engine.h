// The updater's work without its window: fetch the update manifest, download
// every file it lists into the installation folder, install executables, and
// report each step and the end to the dialog (a progress target).
//
// Unlike the course host's worker, every listed file is fetched (there is no
// digest check and there are no command lines). A file is replaced only by a
// complete download: the download goes to a temporary file that is renamed
// over the old one when it has fully arrived, so a run that fails midway
// leaves every file it did not replace as it was.
//
// Where the installation names a publisher key, the manifest counts only with
// a valid signature (asked for with one more query key, "&signature"), and
// every file must match the digest its signed entry names before it replaces
// the old one.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "delivery/manifest_verifier.h"
#include "delivery/process_control.h"
#include "delivery/progress_target.h"
#include "delivery/ui_dispatcher.h"
#include "platform/message_box.h"

namespace vanto::updater {

// Completion codes of the dialog: 1 every file arrived (the host is
// restarted), 0 the run stopped at a failed file, 2 the user closed it.
inline constexpr int kUpdateComplete = 1;
inline constexpr int kUpdateFailed = 0;
inline constexpr int kUpdateClosed = 2;

class UpdateEngine {
 public:
  // update_table: entry 0 the update service, entries 1 to 3 the content
  // mirrors. working_folder: the installation folder (no trailing '\').
  // dialog: receives ID_DOWNLOAD_RANGE when a manifest is loaded, then
  // ID_DOWNLOAD_STEP per line and ID_DOWNLOAD_DONE with the completion code.
  UpdateEngine(std::array<std::string, 4> update_table, std::string working_folder,
               delivery::UiDispatcher& ui, delivery::ProcessControl& processes,
               platform::MessageBoxes& messages, delivery::ProgressTarget& dialog,
               std::string title);
  ~UpdateEngine();  // joins the worker, pumping the user-interface queue
  UpdateEngine(const UpdateEngine&) = delete;
  UpdateEngine& operator=(const UpdateEngine&) = delete;

  // Fetches the manifest (script hosts 0 to 2, three passes) and starts the
  // worker. After nine failed attempts shows "更新失败!" and returns false.
  // A second call after a worker was started does nothing (false): pressing
  // OK again never starts a second run.
  bool UpdateMain();

  // Reads the manifest and starts the worker; false on a file error (shown).
  bool LoadManifest(const std::string& manifest_path, const std::string& content_base,
                    const std::string& local_folder);

  void JoinWorker();
  bool worker_running() const { return worker_running_; }

  const std::vector<std::string>& manifest_lines() const { return manifest_lines_; }
  const std::string& content_base() const { return content_base_; }

 private:
  bool ManifestSigned(const std::string& script_url, const std::string& manifest_path);
  bool FetchVerified(const std::string& url, const char* stamp, const std::string& local_path);
  void UpdateWorker();
  bool UpdateEntry(const std::string& line);
  void Notify(int code, std::int64_t value, std::string_view line);

  const std::array<std::string, 4> table_;
  const std::string working_folder_;
  delivery::UiDispatcher& ui_;
  delivery::ProcessControl& processes_;
  platform::MessageBoxes& messages_;
  delivery::ProgressTarget& dialog_;
  const std::string title_;

  std::optional<delivery::ManifestVerifier> verifier_ =
      delivery::ManifestVerifier::Configured(delivery::ManifestKind::kUpdate);
  std::vector<std::string> manifest_lines_;
  std::string local_dir_;
  std::string content_base_;
  std::thread worker_;
  std::atomic<bool> worker_running_{false};
};

}  // namespace vanto::updater
