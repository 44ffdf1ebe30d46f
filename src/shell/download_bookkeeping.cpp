#include "shell/download_bookkeeping.h"

namespace {

// Stands in until a real fetcher is set: it starts nothing.
class NoManifestFetcher : public ManifestFetcher {
 public:
  bool FetchManifest(const std::string&, vanto::delivery::ProgressTarget*) override {
    return false;
  }
  bool WorkerRunning() const override { return false; }
  void WaitForWorker() override {}
};

}  // namespace

DownloadBookkeeping::DownloadBookkeeping(ReloadDialogFactory& reload_dialogs)
    : reload_dialogs_(reload_dialogs), fetcher_(std::make_unique<NoManifestFetcher>()) {}

void DownloadBookkeeping::SetManifestFetcher(std::unique_ptr<ManifestFetcher> fetcher) {
  fetcher_ = fetcher ? std::move(fetcher) : std::make_unique<NoManifestFetcher>();
}

bool DownloadBookkeeping::FetchManifest(const std::string& query,
                                        vanto::delivery::ProgressTarget* target) {
  return fetcher_->FetchManifest(query, target);
}

// A front end without dialogs gives none: the fetch then runs without a target.
void DownloadBookkeeping::FetchWithReloadDialog(const std::string& query) {
  std::unique_ptr<CReloadDlg> dialog = reload_dialogs_.CreateReloadDialog();
  if (!dialog) {
    FetchManifest(query, nullptr);
    return;
  }
  if (FetchManifest(query, dialog.get())) dialog->DoModal();
  DetachProgressTarget(dialog.get());
}

bool DownloadBookkeeping::WorkerRunning() const {
  return fetcher_->WorkerRunning();
}

void DownloadBookkeeping::DetachProgressTarget(const vanto::delivery::ProgressTarget* target) {
  fetcher_->DetachProgressTarget(target);
}

void DownloadBookkeeping::WaitForWorker() {
  if (fetcher_->WorkerRunning()) fetcher_->WaitForWorker();
}
