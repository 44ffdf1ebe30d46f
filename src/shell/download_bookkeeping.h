// The main window's download bookkeeping: the manifest fetcher with its one
// worker, and the reload dialogs its fetches show. Without a fetcher nothing
// is fetched.
#pragma once

#include <memory>
#include <string>

#include "shell/content_fetches.h"
#include "shell/front_end/reload_dialogs.h"
#include "shell/manifest_fetcher.h"

class DownloadBookkeeping : public ContentFetches {
 public:
  explicit DownloadBookkeeping(ReloadDialogFactory& reload_dialogs);

  void SetManifestFetcher(std::unique_ptr<ManifestFetcher> fetcher);

  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target) override;
  void FetchWithReloadDialog(const std::string& query) override;
  bool WorkerRunning() const override;
  void DetachProgressTarget(const vanto::delivery::ProgressTarget* target) override;
  // Waits, without a time limit, for a running worker to end.
  void WaitForWorker();

 private:
  ReloadDialogFactory& reload_dialogs_;
  std::unique_ptr<ManifestFetcher> fetcher_;
};
