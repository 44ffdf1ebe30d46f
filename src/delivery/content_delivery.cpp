#include "delivery/content_delivery.h"

#include <chrono>

#include "delivery/manifest_file.h"
#include "delivery/url_download.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace vanto::delivery {

ContentDelivery::ContentDelivery(MirrorTable mirrors, std::string working_folder, UiDispatcher& ui,
                                 ProcessControl& processes, platform::MessageBoxes& messages,
                                 ProgressTarget* main_window)
    : mirrors_(std::move(mirrors)),
      working_folder_(std::move(working_folder)),
      ui_(ui),
      processes_(processes),
      messages_(messages),
      main_window_(main_window) {}

ContentDelivery::~ContentDelivery() {
  JoinWorker();
}

bool ContentDelivery::FetchManifest(std::string_view query, ProgressTarget* target) {
  if (in_notice_) return false;
  JoinWorker();
  progress_target_ = target;
  const std::string manifest_path = platform::JoinHostPath(working_folder_, kManifestFileName);
  DownloadOptions options = ReplyOptions();
  options.https_redirects_only = verifier_.has_value();
  // What a signed manifest must name as the request it answers.
  const std::string_view request = query.starts_with('?') ? query.substr(1) : query;
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < 3; ++i) {
      const std::string script_url = mirrors_[i] + "/v2.php" + std::string(query);
      if (!DownloadUrlToFile(script_url, manifest_path, options)) continue;
      if (!platform::PathExists(manifest_path)) continue;
      if (LoadManifest(manifest_path, working_folder_ + "\\", request)) return true;
    }
  }
  return false;
}

bool ContentDelivery::LoadManifest(const std::string& manifest_path,
                                   const std::string& local_folder, std::string_view request) {
  if (in_notice_) return false;
  JoinWorker();
  std::optional<std::vector<std::string>> lines =
      verifier_ ? ReadSignedManifestLines(manifest_path, request, *verifier_, messages_)
                : ReadManifestLines(manifest_path, ManifestRules::kContent, messages_);
  if (!lines) return false;
  manifest_lines_ = std::move(*lines);
  local_dir_ = local_folder;
  // The main window's own progress bar starts over for every manifest.
  if (main_window_)
    main_window_->OnManifestLoaded(static_cast<std::int64_t>(manifest_lines_.size()));
  worker_running_ = true;
  worker_ = std::thread(&ContentDelivery::DownloadWorker, this);
  return true;
}

void ContentDelivery::NotifyProgressTarget(int code, std::int64_t value, std::string_view line) {
  if (!progress_target_) return;
  // The target is looked up again on the user-interface thread at every try,
  // so one that has detached itself meanwhile is never called.
  for (bool delivered = false; !delivered;) {
    ui_.Invoke([&] {
      ProgressTarget* target = progress_target_;
      // The worker usually starts before the caller has shown its dialog.
      if (target && target != main_window_ && !target->WindowExists()) return;
      delivered = true;
      if (!target) return;
      in_notice_ = true;
      target->OnDownloadNotice(code, value, line);
      in_notice_ = false;
    });
    if (!delivered) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

void ContentDelivery::DetachProgressTarget(const ProgressTarget* target) {
  if (progress_target_ == target) progress_target_ = nullptr;
}

void ContentDelivery::JoinWorker() {
  if (!worker_.joinable()) return;
  ui_.RunUntil([this] { return !worker_running_; });
  worker_.join();
}

}  // namespace vanto::delivery
