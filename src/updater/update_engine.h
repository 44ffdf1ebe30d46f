// The updater's work without its window: fetch the update manifest, download
// every file it lists into the installation folder, install executables, and
// report each step and the end to the dialog (a progress target).
//
// Unlike the course host's worker, every listed file is fetched (there are no
// command lines). An update is applied whole or not at all: every file first
// arrives under a temporary name beside the file it replaces; only when all
// of them have arrived are they moved into place, executables installed and
// started. A run that fails anywhere before leaves the installation as it
// was.
//
// Where the installation names a publisher key, the manifest counts only with
// a valid signature for its request (asked for with one more query key,
// "&signature"), and every file must match its signed entry (an entry
// without a digest then only an empty file).
//
// Its methods live in update_engine.cpp (the run: manifest, worker, notices),
// update_entry.cpp (each file: fetched, checked, moved into place, installed)
// and update_signature.cpp (the manifest's signature).
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
#include "delivery/url_download.h"
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
  // A file of the manifest that has arrived and matched, waiting beside the
  // file it replaces.
  struct ArrivedFile {
    std::string line;        // its manifest line
    std::string local_path;  // where it goes
    std::string arrived;     // where it waits
  };

  bool ManifestSigned(const std::string& script_url, const std::string& manifest_path);
  delivery::DownloadOptions FileOptions(const char* stamp) const;
  void UpdateWorker();
  std::optional<ArrivedFile> FetchEntry(const std::string& line);
  bool MoveIntoPlace(const std::vector<ArrivedFile>& files);
  void Install(const ArrivedFile& file);
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
