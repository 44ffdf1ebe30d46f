#include "updater/update_engine.h"

#include "delivery/manifest_file.h"
#include "delivery/url_download.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace vanto::updater {

using delivery::ID_DOWNLOAD_DONE;
using delivery::ID_DOWNLOAD_RANGE;
using delivery::ID_DOWNLOAD_STEP;

UpdateEngine::UpdateEngine(std::array<std::string, 4> update_table, std::string working_folder,
                           delivery::UiDispatcher& ui, delivery::ProcessControl& processes,
                           platform::MessageBoxes& messages, delivery::ProgressTarget& dialog,
                           std::string title)
    : table_(std::move(update_table)),
      working_folder_(std::move(working_folder)),
      ui_(ui),
      processes_(processes),
      messages_(messages),
      dialog_(dialog),
      title_(std::move(title)) {}

UpdateEngine::~UpdateEngine() {
  JoinWorker();
}

bool UpdateEngine::UpdateMain() {
  if (worker_.joinable()) return false;
  const std::string manifest_path =
      platform::JoinHostPath(working_folder_, delivery::kManifestFileName);
  delivery::DownloadOptions options = delivery::ReplyOptions();
  options.https_redirects_only = verifier_.has_value();
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < 3; ++i) {
      const std::string script_url = table_[i] + "/v2.php?update";
      const std::string base = table_[i + 1] + "/v2/update/";
      if (!delivery::DownloadUrlToFile(script_url, manifest_path, options)) continue;
      if (!platform::PathExists(manifest_path)) continue;
      if (verifier_ && !ManifestSigned(script_url, manifest_path)) continue;
      return LoadManifest(manifest_path, base, working_folder_ + "\\");
    }
  }
  messages_.Show(title_, platform::Utf8ToGbk("更新失败!"));
  return false;
}

bool UpdateEngine::LoadManifest(const std::string& manifest_path, const std::string& content_base,
                                const std::string& local_folder) {
  JoinWorker();
  std::optional<std::vector<std::string>> lines =
      delivery::ReadManifestLines(manifest_path, delivery::ManifestRules::kUpdate, messages_);
  if (!lines) return false;
  manifest_lines_ = std::move(*lines);
  local_dir_ = local_folder;
  content_base_ = content_base;
  dialog_.OnDownloadNotice(ID_DOWNLOAD_RANGE, static_cast<std::int64_t>(manifest_lines_.size()),
                           {});
  worker_running_ = true;
  worker_ = std::thread(&UpdateEngine::UpdateWorker, this);
  return true;
}

void UpdateEngine::JoinWorker() {
  if (!worker_.joinable()) return;
  ui_.RunUntil([this] { return !worker_running_; });
  worker_.join();
}

void UpdateEngine::Notify(int code, std::int64_t value, std::string_view line) {
  ui_.Invoke([&] { dialog_.OnDownloadNotice(code, value, line); });
}

void UpdateEngine::UpdateWorker() {
  std::vector<ArrivedFile> arrived;
  bool complete = true;
  for (const std::string& line : manifest_lines_) {
    Notify(ID_DOWNLOAD_STEP, 0, line);
    std::optional<ArrivedFile> file = FetchEntry(line);
    if (!file) {
      complete = false;
      break;
    }
    arrived.push_back(std::move(*file));
  }
  complete = complete && MoveIntoPlace(arrived);
  if (!complete) {
    for (const ArrivedFile& file : arrived) platform::RemoveFile(file.arrived);
    ui_.Invoke([this] { messages_.Show(title_, "Download Failed."); });
  }
  Notify(ID_DOWNLOAD_DONE, complete ? kUpdateComplete : kUpdateFailed, {});
  worker_running_ = false;
  ui_.Post([] {});  // wakes a modal wait for this worker
}

}  // namespace vanto::updater
